// The "Meter/Pipe Data" area as a user meets it: the nominal pipe size drop-down
// (chosen, typed, by keyboard) and the meter texts of a new tag, a tag file and a
// new project window.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cstring>
#include <fstream>

#include "app/commands/command_ids.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/view.h"
#include "desktop_fixture.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/meter_texts.h"
#include "record/record_io.h"
#include "record/tag_record.h"
#include "record/units.h"

namespace quorven {
namespace {

using testing::Find;

struct Form {
    RecordingMessageSink sink;
    CChildFrame frame;
    Form() {
        frame.View().SetMessageSink(&sink);
        frame.resize(1280, 960);
        frame.show();
        QApplication::setActiveWindow(&frame);
        QApplication::processEvents();
    }
    TagRecord& record() { return frame.Document().record; }
    QWidget* view() { return &frame.View(); }
    void Refresh() { frame.Document().NotifyRecordChanged(); }
    QComboBox* SizeBox() { return Find<QComboBox>(view(), 1037); }
    QStringList Sizes() {
        QStringList list;
        for (int i = 0; i < SizeBox()->count(); ++i) list << SizeBox()->itemText(i);
        return list;
    }
    // Opens the drop-down and clicks the entry `text`, as with the mouse.
    void Choose(const QString& text) {
        QComboBox* box = SizeBox();
        const int at = box->findText(text);
        ASSERT_GE(at, 0) << text.toStdString();
        box->setFocus();
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(list->isVisible());
        const QModelIndex index = list->model()->index(at, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QApplication::processEvents();
    }
    // Chooses a schedule of the pipe material's list.
    void Schedule(const char* text) {
        auto* box = Find<QComboBox>(view(), 1040);
        const int at = box->findText(QString::fromLatin1(text));
        ASSERT_GE(at, 0) << text;
        box->setCurrentIndex(at);
        emit box->activated(at);
    }
};

// A new tag is a 4 in carbon steel pipe, schedule STD (by its position; the text is empty).
TEST(MeterPipeArea, ASizeChosenFromTheListTakesTheInsideDiameterOfTheSchedule) {
    Form f;
    ASSERT_NE(f.SizeBox(), nullptr);
    EXPECT_TRUE(f.SizeBox()->isEditable());
    EXPECT_EQ(f.SizeBox()->currentText(), QStringLiteral("4.00"));
    f.record().Calc_Status = 1;
    f.Choose(QStringLiteral("6.00"));
    EXPECT_DOUBLE_EQ(f.record().Pipe_NomDia, 6.0);
    // ASME B36.10M NPS 6 STD: OD 6.625 in, wall 0.280 in -> 6.065 in (hand).
    EXPECT_DOUBLE_EQ(f.record().Pipe_IDia, 6.065);
    EXPECT_EQ(f.record().Calc_Status, 0);
    EXPECT_EQ(f.SizeBox()->currentText(), QStringLiteral("6.00"));
    EXPECT_EQ(Find<QLineEdit>(f.view(), 1038)->text(), QStringLiteral("6.065"));

    // The list is in the unit of box 1042: NPS 8 shows as DN 200 in mm.
    ASSERT_TRUE(SelectUnit(f.record(), DefaultUnitTables(), Quantity::PipeSize, 1));
    f.Refresh();
    EXPECT_EQ(f.SizeBox()->currentText(), QStringLiteral("150.00"));
    f.Choose(QStringLiteral("200.00"));
    EXPECT_DOUBLE_EQ(f.record().Pipe_NomDia, 8.0);
    // NPS 8 STD: OD 8.625 in, wall 0.322 in -> 7.981 in (hand).
    EXPECT_DOUBLE_EQ(f.record().Pipe_IDia, 7.981);
    EXPECT_TRUE(f.sink.messages.empty());

    // A size the schedule does not have: the user is asked for the diameter.
    f.Schedule("XXS");
    f.Choose(QStringLiteral("600.00"));  // NPS 24; ASME B36.10M lists XXS to NPS 12
    EXPECT_DOUBLE_EQ(f.record().Pipe_NomDia, 24.0);
    EXPECT_DOUBLE_EQ(f.record().Pipe_IDia, 6.875);  // NPS 8 XXS: 8.625 - 2 x 0.875 (hand), kept
    EXPECT_EQ(std::string(GetText(f.record().Pipe_Sched_Text)), "NON-STD");
    ASSERT_EQ(f.sink.messages.size(), 1u);
    EXPECT_EQ(f.sink.messages[0].caption, "WARNING");
    EXPECT_EQ(f.sink.messages[0].text,
              "No standard pipe I.D. exists for given pipe size and schedule. Please specify pipe I.D.");
}

TEST(MeterPipeArea, StainlessSchedulesListTheSizesToThirtyInches) {
    Form f;
    const QStringList carbon = f.Sizes();
    ASSERT_EQ(carbon.size(), 33);
    EXPECT_EQ(carbon.front(), QStringLiteral("0.50"));
    EXPECT_EQ(carbon.back(), QStringLiteral("48.00"));
    f.record().Matl_Pipe = 3;  // a stainless steel: schedules of ASME B36.19M
    SetText(f.record().Pipe_Sched_Text, "10S");
    f.record().Pipe_Sched = 1;
    f.Refresh();
    const QStringList stainless = f.Sizes();
    ASSERT_EQ(stainless.size(), 24);
    EXPECT_EQ(stainless.front(), QStringLiteral("0.50"));
    EXPECT_EQ(stainless.back(), QStringLiteral("30.00"));
    EXPECT_EQ(stainless, carbon.mid(0, 24));
    f.Choose(QStringLiteral("2.00"));
    // ASME B36.19M NPS 2 10S: OD 2.375 in, wall 0.109 in -> 2.157 in (hand).
    EXPECT_DOUBLE_EQ(f.record().Pipe_IDia, 2.157);
    // "NON-STD" is no stainless schedule: the whole list again.
    f.Schedule("NON-STD");
    EXPECT_EQ(f.Sizes().size(), 33);
}

TEST(MeterPipeArea, ATypedSizeIsRoundedToAStandardSizeAndKeyboardUseWorks) {
    Form f;
    QComboBox* box = f.SizeBox();
    QLineEdit* edit = box->lineEdit();
    // Tab reaches the size box and selects its text; typing replaces it.
    auto* previous = Find<QCheckBox>(f.view(), 1205);  // the last factor a gas offers
    ASSERT_NE(previous, nullptr);
    previous->setFocus();
    QTest::keyClick(previous, Qt::Key_Tab);
    ASSERT_TRUE(box->hasFocus());
    EXPECT_EQ(edit->selectedText(), QStringLiteral("4.00"));
    QTest::keyClicks(box, QStringLiteral("5.9"));
    EXPECT_EQ(edit->text(), QStringLiteral("5.9"));  // no completion to a listed size
    // Enter commits in place: 5.9 in is NPS 6.
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(f.record().Pipe_NomDia, 6.0);
    EXPECT_DOUBLE_EQ(f.record().Pipe_IDia, 6.065);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(edit->text(), QStringLiteral("6.00"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("6.00"));
    EXPECT_EQ(box->currentIndex(), box->findText(QStringLiteral("6.00")));
    EXPECT_EQ(f.SizeBox()->count(), 33);  // a typed size is no new entry
    // Tab goes on to the unit box of the size, then to the inside diameter.
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_TRUE(Find<QComboBox>(f.view(), 1042)->hasFocus());
    QTest::keyClick(Find<QComboBox>(f.view(), 1042), Qt::Key_Tab);
    EXPECT_TRUE(Find<QLineEdit>(f.view(), 1038)->hasFocus());
    // A click into the size selects it all, as Tab does.
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
    ASSERT_TRUE(box->hasFocus());
    EXPECT_EQ(edit->selectedText(), QStringLiteral("6.00"));
    // Text that is no size stores nothing and shows the stored size again.
    QTest::keyClicks(box, QStringLiteral("abc"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(f.record().Pipe_NomDia, 6.0);
    EXPECT_EQ(edit->text(), QStringLiteral("6.00"));
    EXPECT_TRUE(f.sink.messages.empty());
}

// The texts that name the meter, read from the window's form.
struct MeterTexts {
    QString family, type, tap, material, sizing, standard;
};
MeterTexts ShownMeterTexts(QWidget* view) {
    auto text = [view](const QString& name) {
        auto* label = view->findChild<QLabel*>(name);
        return label != nullptr && !label->isHidden() ? label->text() : QStringLiteral("<none>");
    };
    return {text(QStringLiteral("meterFamily")), text(QStringLiteral("id1033")),
            text(QStringLiteral("id1036")),      text(QStringLiteral("id1035")),
            text(QStringLiteral("id1039")),      text(QStringLiteral("id1041"))};
}

struct Desktop : testing::StartedDesktop<testing::ScriptedSink> {
    QWidget* ActiveView() {
        auto* child = qobject_cast<CChildFrame*>(Frame().Workspace()->activeSubWindow());
        return child != nullptr ? &child->View() : nullptr;
    }
};

TEST(MeterPipeArea, ANewTagATagFileAndANewProjectNameTheirMeter) {
    Desktop d;
    // The first window's new tag: a concentric orifice with flange taps (ISO
    // 5167-2 / ASME MFC-3M), 316 stainless, sized for its bore.
    const TagRecord fresh = d.Doc().record;
    ASSERT_NE(d.ActiveView(), nullptr);
    const MeterTexts shown = ShownMeterTexts(d.ActiveView());
    EXPECT_EQ(shown.family, QStringLiteral("ORIFICE PLATE"));
    EXPECT_EQ(shown.type, QStringLiteral("CONCENTRIC"));
    EXPECT_EQ(shown.tap, QStringLiteral("FLANGE TAPS"));
    EXPECT_EQ(shown.material, QStringLiteral("316/316L SS"));
    EXPECT_EQ(shown.sizing, QStringLiteral("FLOWMETER CALC FOR BORE"));
    EXPECT_EQ(shown.standard, QStringLiteral("ASME MFC-3Ma(2007)/ISO 5167(2022)"));
    // Drawing wrote nothing into the record.
    EXPECT_EQ(RecordToBytes(d.Doc().record), RecordToBytes(fresh));

    // A tag file whose meter was set without its texts (as quorven-cli tag set
    // leaves it): the form names the meter of its codes.
    TagRecord venturi = NewTagRecord();
    venturi.Meter_Type = Code(MeterType::VenturiMachined);
    venturi.Meter_VenturiExit = Code(VenturiExit::Deg7);
    venturi.Calc_Std = Code(CalcStd::VenturiIso5167_4_2022);
    SetText(venturi.Tag_No, "FE-7");
    {
        std::ofstream out(d.Path("FE-7.tag"), std::ios::binary);
        const std::string bytes = RecordToBytes(venturi);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    TagRecord expected = venturi;
    ApplyMeterTexts(expected);
    d.chooser.answers.push_back(d.Path("FE-7.tag"));
    d.Frame().Action(cmd::kRetrieveTagFromFile)->trigger();
    ASSERT_EQ(GetText(d.Doc().record.Tag_No), "FE-7");
    const MeterTexts tag_file = ShownMeterTexts(d.ActiveView());
    EXPECT_EQ(tag_file.family.toStdString(), GetText(expected.Meter));
    EXPECT_EQ(tag_file.type.toStdString(), GetText(expected.Meter_Type_Text));
    EXPECT_EQ(tag_file.tap.toStdString(), GetText(expected.Tap_Style_Text));
    EXPECT_TRUE(tag_file.family.contains(QStringLiteral("7 DEG EXIT"))) << tag_file.family.toStdString();
    EXPECT_NE(tag_file.type, shown.type);

    // File > New Project opens a window of its own with a new tag.
    d.chooser.answers.push_back(d.Path("Plant.fil"));
    d.Frame().RunCommand(cmd::kNewProject);
    ASSERT_NE(d.ActiveView(), nullptr);
    EXPECT_EQ(ShownMeterTexts(d.ActiveView()).type, QStringLiteral("CONCENTRIC"));
    EXPECT_EQ(ShownMeterTexts(d.ActiveView()).family, QStringLiteral("ORIFICE PLATE"));
}

// Scrolling the form with the wheel over a drop-down the user has not clicked
// into scrolls the form and leaves the drop-down and the record alone; once
// the user is in the box, the wheel steps its choice as usual.
TEST(MeterPipeArea, TheWheelScrollsTheFormOverADropDownNotInUse) {
    Form f;
    f.frame.resize(900, 420);  // the form no longer fits: it scrolls
    QApplication::processEvents();
    auto* scroll = f.frame.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    ASSERT_GT(scroll->verticalScrollBar()->maximum(), 0);
    const auto wheel_down = [](QWidget* w) {
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
        QApplication::processEvents();
    };
    const TagRecord before = f.record();
    for (int id : {1040, 1042, 1043}) {
        SCOPED_TRACE(id);
        QComboBox* box = Find<QComboBox>(f.view(), id);
        const int index = box->currentIndex();
        const int scrolled = scroll->verticalScrollBar()->value();
        f.SizeBox()->setFocus();  // the user is elsewhere
        wheel_down(box);
        EXPECT_EQ(box->currentIndex(), index);
        EXPECT_GT(scroll->verticalScrollBar()->value(), scrolled);
        scroll->verticalScrollBar()->setValue(0);
    }
    EXPECT_EQ(std::memcmp(&before, &f.record(), sizeof before), 0);

    QComboBox* unit = Find<QComboBox>(f.view(), 1042);
    unit->setFocus();
    const int index = unit->currentIndex();
    wheel_down(unit);
    EXPECT_EQ(unit->currentIndex(), index + 1);
}

}  // namespace
}  // namespace quorven
