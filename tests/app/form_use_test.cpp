// The main form as a new user meets it: a window smaller than the form, a click
// into an edit, Return, the read-only date, the Calculate key and the result unit
// boxes in their rows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "app/document.h"
#include "app/view.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/meter_texts.h"
#include "record/tag_record.h"
#include "record/units.h"

namespace quorven {
namespace {

using testing::Find;

struct Form {
    RecordingMessageSink sink;
    CChildFrame frame;
    explicit Form(QSize size = {1280, 960}) {
        frame.View().SetMessageSink(&sink);
        frame.resize(size);
        frame.show();
        QApplication::setActiveWindow(&frame);
        QApplication::processEvents();
    }
    TagRecord& record() { return frame.Document().record; }
    QWidget* view() { return &frame.View(); }
    QLineEdit* Edit(int id) { return Find<QLineEdit>(view(), id); }
    void Refresh() { frame.Document().NotifyRecordChanged(); }
};

// The rectangle of `w` in the coordinates of `area`'s viewport.
QRect InViewport(QScrollArea* area, QWidget* w) {
    return QRect(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
}

TEST(FormUse, ASmallWindowScrollsToEveryControl) {
    Form f({420, 420});
    auto* area = f.frame.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    QPushButton* calculate = f.frame.View().CalculateButton();
    // The form is taller than the window: Calculate starts below the fold and is
    // reached by scrolling, not cut off.
    EXPECT_FALSE(area->viewport()->rect().contains(InViewport(area, calculate)));
    area->ensureWidgetVisible(calculate);
    QApplication::processEvents();
    EXPECT_TRUE(area->viewport()->rect().contains(InViewport(area, calculate)));
    EXPECT_GT(area->verticalScrollBar()->value(), 0);
    // The edits keep room for their values: a narrow window scrolls sideways.
    QLineEdit* zb = Find<QLineEdit>(f.view(), 1003);
    EXPECT_GE(zb->width(), zb->fontMetrics().horizontalAdvance(zb->text()));
}

TEST(FormUse, ResultUnitBoxesStandInTheirRowsUncut) {
    Form f;
    f.record().Calc_Mode = Code(CalcMode::Meter);
    f.record().Calc_SizeParam = Code(SizeParam::Bore);
    f.Refresh();
    auto* box = Find<QComboBox>(f.view(), 1056);
    auto* velocity_box = Find<QComboBox>(f.view(), 1674);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(velocity_box, nullptr);
    struct Row {
        QComboBox* box;
        int value_id;
    };
    for (const Row& row : {Row{box, 1096}, Row{velocity_box, 1675}}) {
        SCOPED_TRACE(row.value_id);
        auto* value = Find<QLabel>(f.view(), row.value_id);
        ASSERT_NE(value, nullptr);
        ASSERT_TRUE(row.box->isVisible());
        // Same row: the box's middle lies within the value's line.
        const int middle = row.box->geometry().center().y();
        EXPECT_GE(middle, value->geometry().top() - 4);
        EXPECT_LE(middle, value->geometry().bottom() + 4);
        // Inside its group, wide enough for its longest name.
        EXPECT_TRUE(row.box->parentWidget()->rect().contains(row.box->geometry()));
        EXPECT_GE(row.box->width(), row.box->minimumSizeHint().width());
    }
    // Critical drop: no velocity row, and nothing of its unit box shows.
    f.record().Calc_Mode = Code(CalcMode::CriticalDrop);
    f.Refresh();
    EXPECT_FALSE(velocity_box->isVisible());
    for (QLabel* label : f.view()->findChildren<QLabel*>()) {
        if (label->isVisible()) {
            EXPECT_FALSE(label->text().contains(QStringLiteral("Velocity"))) << label->text().toStdString();
        }
    }
}

TEST(FormUse, AClickSelectsTheWholeValueAndReturnCommitsInPlace) {
    Form f;
    f.Edit(1106)->setFocus();
    QLineEdit* tb = f.Edit(1046);  // "Tb", 60 deg F
    ASSERT_EQ(tb->text(), QStringLiteral("60.00"));
    QTest::mouseClick(tb, Qt::LeftButton, {}, QPoint(tb->width() - 8, tb->height() / 2));
    EXPECT_TRUE(tb->hasFocus());
    EXPECT_EQ(tb->selectedText(), QStringLiteral("60.00"));
    // Typing replaces the value; Return stores it and leaves the focus in place,
    // the redrawn value selected for the next entry.
    QTest::keyClicks(tb, "32");
    QTest::keyClick(tb, Qt::Key_Return);
    EXPECT_NEAR(f.record().Base_Temp, 491.67, 1e-9);  // 32 deg F = 491.67 deg R
    EXPECT_TRUE(tb->hasFocus());
    EXPECT_EQ(tb->text(), QStringLiteral("32.00"));
    EXPECT_EQ(tb->selectedText(), QStringLiteral("32.00"));
    // A click into the edit that has the focus places the cursor as usual.
    QTest::mouseClick(tb, Qt::LeftButton, {}, QPoint(tb->width() - 8, tb->height() / 2));
    EXPECT_TRUE(tb->selectedText().isEmpty());
}

TEST(FormUse, TypingAfterAClickOnTheDateChangesNothing) {
    Form f;
    QLineEdit* gg = f.Edit(1002);  // "Gg" of the new gas tag
    const double gg_before = f.record().Property_MwDenVp;
    gg->setFocus();
    QLineEdit* date = f.Edit(1104);
    const QString date_text = date->text();
    QTest::mouseClick(date, Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), "31 Feb 1999");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(f.record().Property_MwDenVp, gg_before);
    EXPECT_EQ(date->text(), date_text);
    EXPECT_EQ(GetText(f.record().Date), date_text.toStdString());
    EXPECT_TRUE(f.sink.Numbers().empty());
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

// A custom liquid meter (C given) on a 4.026 in pipe, every row empty:
// "Liq Mass-Density" shows Df1, Pf1, Tf1, u, Fp, Pv; the bore sizing Wm, Wn, dPm.
void EmptyCustomLiquid(TagRecord& r) {
    r.Meter_Type = Code(MeterType::CustomOrifice);
    r.C = 0.6;
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Calc_SizeParam = Code(SizeParam::Bore);
    r.Pipe_IDia = 4.026;
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Flow_Temp = 0.0;
    r.Flow_Press = 0.0;
}

bool Marked(QLineEdit* edit) {
    return !edit->styleSheet().isEmpty();
}

TEST(FormUse, RowsNamedByError3StayMarkedUntilEachIsFixed) {
    Form f;
    EmptyCustomLiquid(f.record());
    f.Refresh();
    f.frame.View().Calculate();
    ASSERT_EQ(f.sink.Numbers(), std::vector<int>{msg::kErrMissingInput});
    const int marked_rows[] = {1002, 1003, 1004, 1005, 1024, 1025, 1026};  // Df1 Pf1 Tf1 u; Wm Wn dPm
    for (int id : marked_rows) EXPECT_TRUE(Marked(f.Edit(id))) << id;
    // Filling one row clears its mark only; the others stay through the refresh.
    f.Edit(1002)->setFocus();
    f.Edit(1002)->selectAll();
    QTest::keyClicks(f.Edit(1002), "62.3");
    QTest::keyClick(f.Edit(1002), Qt::Key_Return);
    EXPECT_FALSE(Marked(f.Edit(1002)));
    for (int id : {1003, 1004, 1005, 1024, 1025, 1026}) EXPECT_TRUE(Marked(f.Edit(id))) << id;
    EXPECT_TRUE(f.Edit(1024)->toolTip().startsWith(QStringLiteral("Missing")));
    // A fixed row emptied again is not marked until the next Calculate names it.
    f.Edit(1002)->selectAll();
    QTest::keyClicks(f.Edit(1002), "0");
    QTest::keyClick(f.Edit(1002), Qt::Key_Return);
    EXPECT_FALSE(Marked(f.Edit(1002)));
}

TEST(FormUse, ImpossibleValuesAreNamedInvalidNotMissing) {
    Form f;
    EmptyCustomLiquid(f.record());
    f.Refresh();
    // Pf1 in psig: -20 psig is -5.304 psia (below zero absolute); Tf1 -500 deg F is
    // -40.33 deg R (below absolute zero).
    const struct {
        int id;
        const char* text;
    } typed[] = {{1002, "62.3"}, {1003, "-20"},   {1004, "-500"},  {1005, "1"},
                 {1006, "1"},    {1024, "50000"}, {1025, "40000"}, {1026, "100"}};
    for (const auto& t : typed) {
        f.Edit(t.id)->setFocus();
        f.Edit(t.id)->selectAll();
        QTest::keyClicks(f.Edit(t.id), t.text);
        QTest::keyClick(f.Edit(t.id), Qt::Key_Return);
    }
    ASSERT_LT(f.record().Flow_Press, 0.0);
    ASSERT_LT(f.record().Flow_Temp, 0.0);
    f.frame.View().Calculate();
    ASSERT_EQ(f.sink.Numbers(), std::vector<int>{msg::kErrMissingInput});
    EXPECT_EQ(f.record().Calc_Status, 0);
    for (int id : {1003, 1004}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(Marked(f.Edit(id)));
        EXPECT_TRUE(f.Edit(id)->toolTip().startsWith(QStringLiteral("Invalid")));
    }
    for (int id : {1002, 1005, 1024, 1025, 1026}) EXPECT_FALSE(Marked(f.Edit(id))) << id;
}

TEST(FormUse, AHugeValueShowsInExponentFormAndKeepsItsValue) {
    Form f;
    EmptyCustomLiquid(f.record());
    f.Refresh();
    QLineEdit* df = f.Edit(1002);
    df->setFocus();
    df->selectAll();
    QTest::keyClicks(df, "1e300");
    QTest::keyClick(df, Qt::Key_Return);
    EXPECT_EQ(df->text(), QStringLiteral("1.00000000e+300"));
    // Committing the shown text again stores the same value.
    const double stored = f.record().Flow_RhoGZ;
    df->setModified(true);
    QTest::keyClick(df, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(f.record().Flow_RhoGZ, stored);
    EXPECT_NEAR(stored / 1e300, 1.0, 1e-12);
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(FormUse, MeterPipeAreaNamesWhatIsSizedAndItsUnitBoxesConvert) {
    Form f;
    TagRecord& r = f.record();
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    r.Matl_Pipe = 13;  // carbon steel
    ApplyMeterTexts(r);
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    f.Refresh();
    auto text = [&f](const char* name) {
        auto* label = f.view()->findChild<QLabel*>(QString::fromLatin1(name));
        return label != nullptr && label->isVisible() ? label->text() : QStringLiteral("<none>");
    };
    EXPECT_EQ(text("meterFamily"), QStringLiteral("ORIFICE PLATE"));
    EXPECT_EQ(text("id1033"), QStringLiteral("CONCENTRIC"));
    EXPECT_EQ(text("id1041"), QStringLiteral("ASME MFC-3Ma(2007)/ISO 5167(2022)"));
    EXPECT_EQ(text("id1735"), QStringLiteral("Pipe Material:"));
    EXPECT_EQ(text("pipeMaterial"), QStringLiteral("CARBON STEEL"));
    // The unit boxes redraw the stored values; nothing stored changes.
    auto* nominal_unit = Find<QComboBox>(f.view(), 1042);
    auto* id_unit = Find<QComboBox>(f.view(), 1043);
    ASSERT_NE(nominal_unit, nullptr);
    ASSERT_NE(id_unit, nullptr);
    EXPECT_EQ(nominal_unit->currentText(), QStringLiteral("in"));
    EXPECT_EQ(id_unit->currentText(), QStringLiteral("in"));
    emit id_unit->activated(1);  // mm
    emit nominal_unit->activated(1);
    EXPECT_EQ(f.Edit(1038)->text(), QStringLiteral("102.260"));  // 4.026 x 25.4 = 102.2604 (hand)
    EXPECT_EQ(f.Edit(1037)->text(), QStringLiteral("100.00"));   // NPS 4 is DN 100 (ASME B36.10M)
    EXPECT_EQ(r.Unit_Bore_Set, 1);
    EXPECT_EQ(r.Unit_Pipe_Set, 1);
    EXPECT_DOUBLE_EQ(r.Pipe_IDia, 4.026);
    EXPECT_DOUBLE_EQ(r.Pipe_NomDia, 4.0);
    EXPECT_EQ(id_unit->currentText(), QStringLiteral("mm"));
}

}  // namespace
}  // namespace quorven
