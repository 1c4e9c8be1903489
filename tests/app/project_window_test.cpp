// The project and tag commands on the desktop: a project is created, three tags
// are calculated and saved, the window is closed and the project reopened, tags
// are retrieved, copied and pasted, deleted, and written to and read from a tag
// file; windows with unsaved edits ask before they close.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "app/application.h"
#include "app/commands/command_ids.h"
#include "app/dialogs/project_dialogs.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/view.h"
#include "desktop_fixture.h"
#include "project/configuration.h"
#include "project/project_fixture.h"
#include "qt_test_support.h"
#include "record/file_io.h"
#include "record/record_io.h"

namespace quorven {
namespace {

using testing::FakeChooser;
using testing::FakeDialogs;
using testing::ScriptedSink;
using testing::StoredTag;

// A started program with its own profile, configuration directory and fakes.
struct Desktop : testing::StartedDesktop<ScriptedSink> {
    void Run(int id) { Frame().RunCommand(id); }
    int Windows() { return static_cast<int>(Frame().Workspace()->subWindowList().size()); }
    QString FormText(int id) {
        auto* child = qobject_cast<CChildFrame*>(Frame().Workspace()->activeSubWindow());
        auto* edit = child->findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
        return edit != nullptr ? edit->text() : QString();
    }
};

TEST(ProjectWindows, CreateSaveCloseReopenRetrieveCopyPasteDeleteAndTagFiles) {
    Desktop d;
    ASSERT_EQ(d.Windows(), 1);  // "Std Screen"
    EXPECT_FALSE(d.Doc().HasUnsavedEdits());

    // New Project: a window of its own.
    d.chooser.answers.push_back(d.Path("Plant.fil"));
    d.Run(cmd::kNewProject);
    ASSERT_EQ(d.Windows(), 2);
    EXPECT_EQ(d.Doc().title, "Plant.fil");
    EXPECT_EQ(d.Frame().StatusPanes()[2], "PROJECT:  Plant");
    EXPECT_FALSE(d.Frame().Action(cmd::kSaveTag)->isEnabled());  // not calculated yet

    // Three tags, calculated and saved.
    for (int i = 1; i <= 3; ++i) {
        CQuorven64Doc& doc = d.Doc();
        doc.record = StoredTag("T-" + std::to_string(i), i);
        doc.tag_saved = false;
        doc.NotifyRecordChanged();
        ASSERT_TRUE(d.Frame().Action(cmd::kSaveTag)->isEnabled());
        EXPECT_EQ(d.Frame().StatusPanes()[1], " SAVE ");
        d.Frame().Action(cmd::kSaveTag)->trigger();
        EXPECT_TRUE(doc.tag_saved);
        EXPECT_EQ(d.Frame().StatusPanes()[1], "");
    }
    EXPECT_TRUE(d.sink.messages.empty()) << d.sink.messages[0].text;
    EXPECT_EQ(std::filesystem::file_size(d.Path("Plant.fdb")), 3 * 2800u);

    // Close Project by its key (Alt+C, which no control of the form takes): saved,
    // so no question.
    QApplication::setActiveWindow(&d.Frame());
    QTest::keyClick(&d.Frame(), Qt::Key_C, Qt::AltModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(d.Windows(), 1);
    EXPECT_TRUE(d.sink.messages.empty());

    // Reopen and retrieve T-2.
    d.chooser.answers.push_back(d.Path("Plant.fil"));
    d.Frame().Action(cmd::kOpenProject)->trigger();
    ASSERT_EQ(d.Windows(), 2);
    ASSERT_TRUE(d.Frame().Action(cmd::kRetrieveTag)->isEnabled());
    d.dialogs.selection = "T-2";
    d.Frame().Action(cmd::kRetrieveTag)->trigger();
    EXPECT_EQ(GetText(d.Doc().record.Tag_No), "T-2");
    EXPECT_EQ(d.FormText(1106), "T-2");
    EXPECT_EQ(d.dialogs.listed, (std::vector<std::string>{"T-1", "T-2", "T-3"}));
    EXPECT_EQ(d.Frame().StatusPanes()[1], "");
    // Opening it again only brings its window forward.
    d.chooser.answers.push_back(d.Path("Plant.fil"));
    d.Frame().Action(cmd::kOpenProject)->trigger();
    EXPECT_EQ(d.Windows(), 2);

    // Copy, then paste into the "Std Screen" window: an uncalculated copy.
    ASSERT_TRUE(d.Frame().Action(cmd::kCopyTag)->isEnabled());
    d.Frame().Action(cmd::kCopyTag)->trigger();
    EXPECT_TRUE(d.Frame().Action(cmd::kPasteTag)->isEnabled());
    QMdiSubWindow* std_screen = d.Frame().Workspace()->subWindowList().constFirst();
    d.Frame().Workspace()->setActiveSubWindow(std_screen);
    EXPECT_EQ(d.Doc().title, "Std Screen");
    d.Frame().Action(cmd::kPasteTag)->trigger();
    EXPECT_EQ(GetText(d.Doc().record.Tag_No), "T-2");
    EXPECT_EQ(d.Doc().record.Calc_Status, 0);
    EXPECT_EQ(d.Frame().StatusPanes()[0], " CALC ");
    EXPECT_FALSE(d.Frame().Action(cmd::kPasteTag)->isEnabled());
    // The start-up window has no project: it cannot save tags into one.
    d.Doc().record.Calc_Status = 1;
    d.Doc().record.Rec_Version4 = 1;
    d.Doc().NotifyRecordChanged();
    d.Frame().Action(cmd::kSaveTag)->trigger();
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].number, msg::kErrNoProjectOpen);
    d.sink.messages.clear();

    // Delete T-3 in the project window.
    d.Frame().Workspace()->setActiveSubWindow(d.Frame().Workspace()->subWindowList().constLast());
    d.dialogs.selection = "T-3";
    d.sink.answers = {MessageAnswer::Yes};
    d.Frame().Action(cmd::kDeleteTag)->trigger();
    EXPECT_EQ(d.sink.Captions(), std::vector<std::string>{"CONFIRM TAG DELETION"});
    EXPECT_EQ(d.Doc().database->FindTag("T-3"), -1);
    EXPECT_EQ(GetText(d.Doc().record.Tag_No), "T-2");
    d.sink.messages.clear();

    // Tag file out and in.
    d.chooser.answers.push_back(d.Path("T-2.tag"));
    d.Frame().Action(cmd::kSaveTagToFile)->trigger();
    EXPECT_EQ(ReadFileBytes(d.Path("T-2.tag"), 4096), RecordToBytes(d.Doc().record));
    d.dialogs.selection = "T-1";
    d.Frame().Action(cmd::kRetrieveTag)->trigger();
    ASSERT_EQ(GetText(d.Doc().record.Tag_No), "T-1");
    d.chooser.answers.push_back(d.Path("T-2.tag"));
    d.Frame().Action(cmd::kRetrieveTagFromFile)->trigger();
    EXPECT_EQ(GetText(d.Doc().record.Tag_No), "T-2");
    EXPECT_EQ(d.FormText(1106), "T-2");
    EXPECT_EQ(d.Frame().StatusPanes()[1], " SAVE ");
    EXPECT_FALSE(d.Doc().HasUnsavedEdits());  // read, not edited: closing asks nothing
    EXPECT_TRUE(d.sink.messages.empty());
}

TEST(ProjectWindows, UnsavedEditsAreNotDiscardedWithoutAsking) {
    Desktop d;
    d.chooser.answers.push_back(d.Path("Plant.fil"));
    d.Run(cmd::kNewProject);
    ASSERT_EQ(d.Windows(), 2);
    CQuorven64Doc& doc = d.Doc();
    doc.record = StoredTag("T-1");
    d.Run(cmd::kSaveTag);
    ASSERT_TRUE(doc.tag_saved);
    doc.record = StoredTag("T-2");
    d.Run(cmd::kSaveTag);

    // An edit, then Retrieve, Close Project and Exit: each asks, No keeps the edit.
    doc.record.Flow_Max = 555;
    doc.tag_saved = false;
    d.dialogs.selection = "T-1";
    d.Run(cmd::kRetrieveTag);
    EXPECT_EQ(doc.record.Flow_Max, 555.0);
    d.Run(cmd::kCloseProject);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(d.Windows(), 2);
    d.Run(cmd::kExit);
    EXPECT_TRUE(d.Frame().isVisible());
    EXPECT_EQ(d.sink.Captions(),
              (std::vector<std::string>{"Unsaved Changes", "Unsaved Changes", "Unsaved Changes"}));
    EXPECT_NE(d.sink.messages[0].text.find("Discard them and open \"T-1\"?"), std::string::npos);

    // Yes discards: the retrieved tag replaces the edit, and Exit closes.
    d.sink.answers = {MessageAnswer::Yes};
    d.Run(cmd::kRetrieveTag);
    EXPECT_EQ(GetText(doc.record.Tag_No), "T-1");
    doc.record.Flow_Max = 777;
    doc.tag_saved = false;
    d.sink.answers = {MessageAnswer::Yes};
    d.Run(cmd::kExit);
    EXPECT_FALSE(d.Frame().isVisible());
}

// Paste Tag and Clear Calc ask as Retrieve does; Clear Calc blanks the window's
// copy and says the stored tag is unchanged, which Retrieve then shows.
TEST(ProjectWindows, PasteTagAndClearCalcAskBeforeDiscardingUnsavedEdits) {
    Desktop d;
    d.chooser.answers.push_back(d.Path("Plant.fil"));
    d.Run(cmd::kNewProject);
    CQuorven64Doc& doc = d.Doc();
    doc.record = StoredTag("T-1");
    SetText(doc.record.Spec_No, "DS-1");
    d.Run(cmd::kSaveTag);
    d.Run(cmd::kCopyTag);
    doc.record = StoredTag("T-2");
    d.Run(cmd::kSaveTag);
    ASSERT_TRUE(d.sink.messages.empty());

    // The form's flow typed over and not saved.
    doc.record.Flow_Max = 555;
    doc.tag_saved = false;
    doc.NotifyRecordChanged();
    d.Frame().Action(cmd::kPasteTag)->trigger();
    d.Frame().Action(cmd::kClearCalc)->trigger();
    EXPECT_EQ(doc.record.Flow_Max, 555.0);
    EXPECT_EQ(d.FormText(1106), "T-2");
    EXPECT_TRUE(d.Frame().Action(cmd::kPasteTag)->isEnabled());  // the copy is still there
    ASSERT_EQ(d.sink.Captions(), (std::vector<std::string>{"Unsaved Changes", "Unsaved Changes"}));
    EXPECT_NE(d.sink.messages[0].text.find("paste the copied tag \"T-1\"?"), std::string::npos);
    EXPECT_NE(d.sink.messages[1].text.find("clear the calculation?"), std::string::npos);

    d.sink.messages.clear();
    d.sink.answers = {MessageAnswer::Yes};
    d.Frame().Action(cmd::kClearCalc)->trigger();
    EXPECT_EQ(d.FormText(1106), "");
    EXPECT_EQ(d.sink.Captions(), (std::vector<std::string>{"Unsaved Changes", "NOTICE"}));
    EXPECT_EQ(d.sink.messages[1].text,
              "Calculation and datasheet data cleared in this window.\nThe tag \"T-2\" stored in the project "
              "is unchanged until a tag is saved under its number.");

    // The blank tag holds nothing to lose: Retrieve asks nothing, and the stored
    // tag comes back whole.
    d.sink.messages.clear();
    d.dialogs.selection = "T-2";
    d.Run(cmd::kRetrieveTag);
    EXPECT_TRUE(d.sink.messages.empty());
    EXPECT_EQ(doc.record.Flow_Max, 1000.0);
    d.dialogs.selection = "T-1";
    d.Run(cmd::kRetrieveTag);
    EXPECT_EQ(GetText(doc.record.Spec_No), "DS-1");
}

TEST(ProjectWindows, ConfigurationIsCreatedAndCompanyDataKeptForTheNextRun) {
    QTemporaryDir dir;
    const std::string config = ConfigPath(dir.path().toStdString());
    {
        Profile profile(dir.filePath("profile.ini"));
        RecordingMessageSink sink;
        CQuorven64App program(profile, sink);
        StartupOptions options;
        options.show_splash = false;
        options.config_dir = dir.path().toStdString();
        program.Start(options);
        EXPECT_EQ(ReadFileBytes(config, 4096), SettingsToBytes(DefaultProjectSettings()));
        // The real dialog, typed into.
        testing::WhenModalAppears([](QWidget* w) {
            EXPECT_EQ(w->objectName(), "id345");
            auto* name = testing::Find<QLineEdit>(w, 1180);
            EXPECT_EQ(name->text(), "Enter Company Name");
            name->setText(QStringLiteral("Acme Flow Ltd"));
            testing::Find<QPushButton>(w, 1)->click();
        });
        program.Frame()->RunCommand(cmd::kCompanyData);
        EXPECT_TRUE(sink.messages.empty());
    }
    Profile profile(dir.filePath("profile.ini"));
    RecordingMessageSink sink;
    CQuorven64App program(profile, sink);
    StartupOptions options;
    options.show_splash = false;
    options.config_dir = dir.path().toStdString();
    program.Start(options);
    EXPECT_EQ(GetText(program.Frame()->ActiveDocument()->settings.Company_Name), "Acme Flow Ltd");
}

TEST(ProjectWindows, TagSelectionDialogFindsByTypingAndShowsTheHighlightedTag) {
    QTemporaryDir dir;
    const ProjectPaths paths = ProjectPathsOf(dir.filePath("Plant.fil").toStdString());
    RecordingMessageSink sink;
    ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), paths, DefaultProjectSettings(), sink));
    CDatabase db(DiskFiles(), paths);
    db.Open(sink);
    for (const char* t : {"FT-202", "fe-101", "PT-9"})
        ASSERT_EQ(db.WriteTag(StoredTag(t), WriteMode::Ask, sink), WriteOutcome::Saved);
    TagBrowser browser(db, sink);
    QWidget parent;
    QtProjectDialogs dialogs(&parent);
    QString service;
    QString count;
    int row_after_typing = -2;
    testing::WhenModalAppears([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Project Tag Selection");
        auto* list = testing::Find<QListWidget>(w, 1578);
        auto* typed = testing::Find<QLineEdit>(w, 1583);
        count = testing::Find<QLabel>(w, 1579)->text();
        QTest::keyClicks(typed, QStringLiteral("ft"));
        row_after_typing = list->currentRow();
        EXPECT_TRUE(testing::Find<QLineEdit>(w, 1580)->text().isEmpty());  // typing reads nothing
        list->setCurrentRow(2);                                            // highlighted
        service = testing::Find<QLineEdit>(w, 1580)->text();
        testing::Find<QPushButton>(w, 1)->click();
    });
    const std::optional<std::string> chosen = dialogs.SelectTag(browser);
    EXPECT_EQ(count, "3");
    EXPECT_EQ(row_after_typing, 1);  // fe-101, FT-202, PT-9
    EXPECT_EQ(service, "Service of PT-9");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, "PT-9");
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ProjectWindows, TagDataOverwriteWarningReturnsTheButtonPressed) {
    QWidget parent;
    QtProjectDialogs dialogs(&parent);
    struct Case {
        const char* button;
        OverwriteAnswer answer;
    };
    for (const Case& c : {Case{"id6", OverwriteAnswer::Yes}, Case{"id7", OverwriteAnswer::No},
                          Case{"idAll", OverwriteAnswer::All}, Case{"id2", OverwriteAnswer::Cancel}}) {
        SCOPED_TRACE(c.button);
        QString shown;
        testing::WhenModalAppears([&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), "Tag Data Overwrite Warning!");
            shown = testing::Find<QLabel>(w, 1654)->text();
            w->findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
        });
        EXPECT_EQ(dialogs.TagDataOverwrite("FE-101"), c.answer);
        EXPECT_EQ(shown, "FE-101");
    }
}

}  // namespace
}  // namespace quorven
