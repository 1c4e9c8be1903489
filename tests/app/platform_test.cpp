#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/platform/id_dialog.h"
#include "app/platform/profile.h"
#include "app/platform/qt_message_sink.h"
#include "app/platform/qt_platform.h"
#include "app/platform/qt_text.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

struct BoxCase {
    const char* what;
    MessageButtons buttons;
    MessageAnswer default_answer;
    int click_id;  // 0: press Escape instead
    MessageAnswer expected;
    QMessageBox::StandardButton expected_default;
};

TEST(QtMessageSink, ShowsModalBoxesAndReturnsTheButtonPressed) {
    // Dialog result identifiers: OK 1, Cancel 2, Yes 6, No 7.
    const BoxCase kCases[] = {
        {"OK", MessageButtons::Ok, MessageAnswer::Ok, 1, MessageAnswer::Ok, QMessageBox::Ok},
        {"Yes/No, Yes pressed", MessageButtons::YesNo, MessageAnswer::No, 6, MessageAnswer::Yes,
         QMessageBox::No},
        {"Yes/No, No pressed", MessageButtons::YesNo, MessageAnswer::Yes, 7, MessageAnswer::No,
         QMessageBox::Yes},
        {"Yes/No, Escape", MessageButtons::YesNo, MessageAnswer::Yes, 0, MessageAnswer::No, QMessageBox::Yes},
        {"Yes/No/Cancel, Cancel", MessageButtons::YesNoCancel, MessageAnswer::Yes, 2, MessageAnswer::Cancel,
         QMessageBox::Yes},
        {"Yes/No/Cancel, Escape", MessageButtons::YesNoCancel, MessageAnswer::No, 0, MessageAnswer::Cancel,
         QMessageBox::No},
        {"default not offered", MessageButtons::YesNo, MessageAnswer::Cancel, 6, MessageAnswer::Yes,
         QMessageBox::Yes},
    };
    for (const BoxCase& c : kCases) {
        SCOPED_TRACE(c.what);
        Message m;
        m.caption = "Question";
        m.text = "Refresh current project with new settings?";
        m.icon = MessageIcon::Question;
        m.buttons = c.buttons;
        m.default_answer = c.default_answer;
        bool seen = false;
        WhenModalAppears([&](QWidget* w) {
            seen = true;
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Question");
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(box->standardButton(box->defaultButton()), c.expected_default);
            if (c.click_id != 0)
                Find<QAbstractButton>(box, c.click_id)->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QtMessageSink sink;
        EXPECT_EQ(sink.Show(m), c.expected);
        EXPECT_TRUE(seen);
    }
}

TEST(QtMessageSink, NumberedErrorShowsItsCaptionTextAndExclamation) {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModalAppears([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        Find<QAbstractButton>(box, 1)->click();
    });
    QtMessageSink sink;
    CError(sink).Show(msg::kErrBoreAbovePipe);
    EXPECT_EQ(caption, "Error #11");
    EXPECT_TRUE(text.startsWith("Orifice bore diameter is greater than the pipe inside diameter.\n"));
    EXPECT_EQ(icon, QMessageBox::Warning);  // the exclamation icon
}

struct ValidatorCase {
    const char* text;
    QValidator::State state;
};

TEST(DecimalRangeValidator, DotDecimalsOnlyInsideTheRangeWhateverTheLocale) {
    const ValidatorCase kCases[] = {
        {"1.5", QValidator::Acceptable},    {"0", QValidator::Acceptable},
        {"1000", QValidator::Acceptable},   {"1e3", QValidator::Acceptable},
        {" 2.25 ", QValidator::Acceptable}, {"-", QValidator::Intermediate},
        {"", QValidator::Intermediate},     {"1.", QValidator::Acceptable},
        {"1.", QValidator::Acceptable},     {"1000.01", QValidator::Intermediate},
        {"-0.5", QValidator::Intermediate}, {"1,5", QValidator::Invalid},
        {"abc", QValidator::Invalid},       {"1.2.3", QValidator::Invalid},
        {"nan", QValidator::Invalid},       {"inf", QValidator::Invalid},
        {"e5", QValidator::Invalid},
    };
    const QLocale saved;
    for (const QLocale& locale : {QLocale(QLocale::English), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        DecimalRangeValidator v(0.0, 1000.0);
        for (const ValidatorCase& c : kCases) {
            SCOPED_TRACE(c.text);
            QString text = QString::fromLatin1(c.text);
            int pos = 0;
            EXPECT_EQ(v.validate(text, pos), c.state);
        }
    }
    QLocale::setDefault(saved);
}

// A dialog edits a copy of the record; the copy goes back only on OK.
bool EditHeader(TagRecord& r) {
    CIdDialog dialog(QStringLiteral("Tag Header"));
    QLineEdit* tag = dialog.AddEdit(1106, QStringLiteral("Tag No.:"), 18);
    QLineEdit* flow = dialog.AddNumericEdit(1024, QStringLiteral("Qm"), 0.0, 1e9);
    tag->setText(RecordTextToQString(GetText(r.Tag_No)));
    flow->setText(QString::number(r.Flow_Max));
    if (dialog.exec() != QDialog::Accepted) return false;
    TagRecord copy = r;
    SetText(copy.Tag_No, QStringToRecordText(tag->text()));
    copy.Flow_Max = NumberInEdit(*flow).value_or(copy.Flow_Max);
    r = copy;
    return true;
}

void TypeInto(QWidget* dialog, int id, const QString& text) {
    auto* edit = Find<QLineEdit>(dialog, id);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST(CIdDialog, OkWritesTheEditsCancelLeavesTheRecord) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-100");
    r.Flow_Max = 100.0;

    // Cancel after typing: nothing changes.
    WhenModalAppears([](QWidget* d) {
        TypeInto(d, 1106, "FE-999");
        TypeInto(d, 1024, "555");
        Find<QAbstractButton>(d, 2)->click();
    });
    EXPECT_FALSE(EditHeader(r));
    EXPECT_EQ(GetText(r.Tag_No), "FE-100");
    EXPECT_EQ(r.Flow_Max, 100.0);

    // OK: both edits are stored; letters typed into the number edit are refused.
    WhenModalAppears([](QWidget* d) {
        TypeInto(d, 1106, "FE-101");
        TypeInto(d, 1024, "25x00.5");
        EXPECT_EQ(Find<QLineEdit>(d, 1024)->text(), "2500.5");
        Find<QAbstractButton>(d, 1)->click();
    });
    EXPECT_TRUE(EditHeader(r));
    EXPECT_EQ(GetText(r.Tag_No), "FE-101");
    EXPECT_EQ(r.Flow_Max, 2500.5);
}

TEST(CIdDialog, OkWithANumberOutsideItsRangeStaysOpen) {
    TagRecord r = NewTagRecord();
    r.Flow_Max = 100.0;
    QString range_text;
    bool still_open = false;
    WhenModalAppears([&](QWidget* d) {
        TypeInto(d, 1024, "-5");
        WhenModalAppears(
            [&](QWidget* box) {
                range_text = qobject_cast<QMessageBox*>(box)->text();
                Find<QAbstractButton>(box, 1)->click();
                QTimer::singleShot(0, d, [&, d] {
                    still_open = d->isVisible();
                    Find<QAbstractButton>(d, 2)->click();
                });
            },
            [d](QWidget* w) { return w != d; });
        Find<QAbstractButton>(d, 1)->click();
    });
    EXPECT_FALSE(EditHeader(r));
    EXPECT_EQ(range_text, "Please enter a number from 0 to 1e+09.");
    EXPECT_TRUE(still_open);
    EXPECT_EQ(r.Flow_Max, 100.0);
}

TEST(CIdDialog, EveryControlCarriesItsIdentifier) {
    // Shaped like the drain/vent hole choice: modes 1187 (list), 1189 (none), 1190 (manual
    // diameter); the list and edit identifiers here are only examples.
    CIdDialog d(QStringLiteral("Drain/Vent Hole Selection"));
    d.AddRadioGroup(
        QStringLiteral("Drain/Vent Hole"),
        {{1187, QStringLiteral("List")}, {1189, QStringLiteral("None")}, {1190, QStringLiteral("Manual")}});
    d.AddList(1188, QStringLiteral("Holes"), {QStringLiteral("1/8 in"), QStringLiteral("1/4 in")});
    d.AddNumericEdit(1191, QStringLiteral("Diameter"), 0.0, 100.0);
    d.AddCheck(1195, QStringLiteral("Manometer Correction Factor"));
    d.AddCombo(1050, QStringLiteral("Pb"), {QStringLiteral("psia"), QStringLiteral("bar(a)")});
    d.AddStatic(1049, QStringLiteral("UPSTREAM"));
    EXPECT_NE(d.Control<QRadioButton>(1190), nullptr);
    EXPECT_EQ(d.Control<QListWidget>(1188)->count(), 2);
    EXPECT_NE(d.Control<QLineEdit>(1191), nullptr);
    EXPECT_NE(d.Control<QCheckBox>(1195), nullptr);
    EXPECT_EQ(d.Control<QComboBox>(1050)->currentText(), "psia");
    EXPECT_EQ(d.Control<QLabel>(1049)->text(), "UPSTREAM");
    EXPECT_NE(d.Control<QAbstractButton>(1), nullptr);  // OK
    EXPECT_NE(d.Control<QAbstractButton>(2), nullptr);  // Cancel
    EXPECT_EQ(d.Control<QLineEdit>(9999), nullptr);
    EXPECT_EQ(d.CheckedRadio({1187, 1189, 1190}), 1187);
    d.Control<QRadioButton>(1190)->setChecked(true);
    EXPECT_EQ(d.CheckedRadio({1187, 1189, 1190}), 1190);
    EXPECT_TRUE(d.isModal());
}

TEST(FileChooser, SaveChooserTakesFilterExtensionAndAsksBeforeOverwriting) {
    FileChoice choice;
    choice.save = true;
    choice.title = "New Project File";
    choice.filter = "Project Files (*.fil)|*.fil||";
    choice.default_ext = "fil";
    choice.initial_name = "Plant7";
    std::unique_ptr<QFileDialog> dialog(BuildFileDialog(choice, nullptr));
    EXPECT_EQ(dialog->windowTitle(), "New Project File");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Project Files (*.fil)"});
    EXPECT_EQ(dialog->defaultSuffix(), "fil");
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(FileChooser, OpenReturnsTheChosenPathOrNothingOnCancel) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("FE-101.tag");
    std::ofstream(path.toStdString()) << "x";
    FileChoice choice;
    choice.title = "Retrieve Tag from File";
    choice.filter = "Tag Files (*.tag)|*.tag||";
    choice.default_ext = "tag";
    choice.initial_name = path.toStdString();
    QtFileChooser chooser;
    WhenModalAppears([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(chooser.Choose(choice), std::optional<std::string>(path.toStdString()));
    WhenModalAppears([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(chooser.Choose(choice), std::nullopt);
}

TEST(BusyIndicator, WaitCursorWhileBusyNestedScopesCount) {
    QtBusyIndicator busy;
    {
        BusyScope outer(busy);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        { BusyScope inner(busy); }
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    busy.End();  // an unmatched End does nothing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Profile, KeepsFourRecentFilesAndTheLook) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("profile.ini");
    {
        Profile p(ini);
        EXPECT_TRUE(p.RecentFiles().empty());
        EXPECT_EQ(p.ApplicationLook(), 215);  // nothing stored: the default look
        for (const char* f : {"/p/a.fil", "/p/b.fil", "/p/c.fil", "/p/d.fil", "/p/e.fil"}) p.AddRecentFile(f);
        p.SetApplicationLook(218);
    }
    Profile again(ini);
    EXPECT_EQ(again.RecentFiles(),
              (std::vector<std::string>{"/p/e.fil", "/p/d.fil", "/p/c.fil", "/p/b.fil"}));
    EXPECT_EQ(again.ApplicationLook(), 218);
    again.SetApplicationLook(4711);  // an unknown look is never stored
    EXPECT_EQ(Profile(ini).ApplicationLook(), 215);
}

}  // namespace
}  // namespace quorven
