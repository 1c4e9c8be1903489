// The whole-project commands from the desktop's menus: Batch Calc and Clear Calc,
// Export and Import ASCII File with the overwrite question, Pack and Rebuild
// Index, each with its closing message; the window's current tag and the tag
// clipboard survive them; the progress window cancels.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "app/commands/command_ids.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/project_utility_commands.h"
#include "app/view.h"
#include "desktop_fixture.h"
#include "project/project_files.h"
#include "project/project_fixture.h"
#include "qt_test_support.h"
#include "record/file_io.h"
#include "record/record_io.h"
#include "tests/project/mixed_tags.h"

namespace quorven {
namespace {

using testing::FakeChooser;
using testing::FakeDialogs;
using testing::ScriptedSink;
using testing::StoredTag;
namespace fs = std::filesystem;

struct Desktop : testing::StartedDesktop<ScriptedSink> {
    void Run(int id) { Frame().Action(id)->trigger(); }
    // A new project window holding these tags.
    void NewProject(const std::string& name, const std::vector<TagRecord>& tags) {
        chooser.answers.push_back(Path(name + ".fil"));
        Run(cmd::kNewProject);
        RecordingMessageSink quiet;
        for (const TagRecord& r : tags)
            ASSERT_EQ(Doc().database->WriteTag(r, WriteMode::Replace, quiet), WriteOutcome::Saved);
        sink.messages.clear();
    }
    void Retrieve(const std::string& tag) {
        dialogs.selection = tag;
        Run(cmd::kRetrieveTag);
        ASSERT_EQ(GetText(Doc().record.Tag_No), tag);
    }
    QString FormText(int id) {
        auto* child = qobject_cast<CChildFrame*>(Frame().Workspace()->activeSubWindow());
        auto* edit = child->findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
        return edit != nullptr ? edit->text() : QString();
    }
    TagRecord Stored(const std::string& tag) {
        TagRecord r{};
        RecordingMessageSink quiet;
        EXPECT_TRUE(Doc().database->ReadTag(tag, r, quiet)) << tag;
        return r;
    }
};

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

TEST(ProjectUtilities, BatchCalcStoresTheCalculatedTagsRereadsTheCurrentOneAndClearCalcBlanksIt) {
    Desktop d;
    std::vector<TagRecord> tags;
    for (std::size_t i = 0; i < 7; ++i) tags.push_back(test::MixedTag(i));
    TagRecord missing = test::MixedTag(7);
    SetText(missing.Tag_No, "FE-NODATA");
    missing.Flow_Max = 0;
    tags.push_back(missing);
    d.NewProject("Plant", tags);
    d.Retrieve("FE-100000");
    ASSERT_EQ(d.Doc().record.Calc_Status, 0);
    ASSERT_TRUE(d.Frame().Action(cmd::kBatchCalc)->isEnabled());

    d.sink.answers = {MessageAnswer::Yes, MessageAnswer::Yes};  // continue; raise the revision
    d.Run(cmd::kBatchCalc);
    EXPECT_EQ(d.sink.Captions(),
              (std::vector<std::string>{"Batch Calculation Warning", "Batch Calculation - Increment Revision",
                                        "Batch Calculation Message"}));
    EXPECT_EQ(
        d.sink.messages.back().text,
        "Batch calculation for project complete!\n\n8 tags: 7 calculated and saved, 1 with data errors, 0 "
        "not calculated, 0 that could not be read.\nThe status file is Plant.txt.");
    const std::string status = ReadFileBytes(d.Path("Plant.txt"), 1 << 20).value_or("");
    EXPECT_NE(status.find("Tag No.:   FE-NODATA\r\n"), std::string::npos);
    EXPECT_NE(status.find("\t\tNo maximum flow, Qm or Wm, given.\r\n"), std::string::npos);
    EXPECT_EQ(d.Stored("FE-100003").Calc_Status, 1);
    EXPECT_EQ(d.Stored("FE-NODATA").Calc_Rev, 0);  // not stored: its raised revision is not kept
    // The saved, unedited current tag shows what the batch stored.
    EXPECT_EQ(d.Doc().record.Calc_Status, 1);
    EXPECT_EQ(d.Doc().record.Calc_Rev, 1);
    EXPECT_TRUE(d.Doc().tag_saved);
    EXPECT_FALSE(d.Doc().HasUnsavedEdits());

    // Clear Calc: a blank calculation and datasheet, units kept, the stored copy
    // untouched; a notice says what was cleared.
    d.Doc().record.Unit_Flow_Set = 3;
    SetText(d.Doc().record.Spec_No, "SP-1");
    d.sink.messages.clear();
    d.Run(cmd::kClearCalc);
    EXPECT_EQ(d.sink.Captions(), std::vector<std::string>{"NOTICE"});
    EXPECT_EQ(GetText(d.Doc().record.Spec_No), "");
    EXPECT_EQ(GetText(d.Doc().record.Tag_No), "");
    EXPECT_EQ(d.Doc().record.Calc_Status, 0);
    EXPECT_EQ(d.Doc().record.Bore, 0.0);
    EXPECT_EQ(d.Doc().record.Unit_Flow_Set, 3);
    EXPECT_FALSE(d.Doc().tag_saved);
    EXPECT_EQ(d.FormText(1106), "");
    EXPECT_EQ(d.Stored("FE-100000").Calc_Status, 1);
}

TEST(ProjectUtilities, ExportThenImportWithTheOverwriteQuestionKeepsTheCurrentTagAndTheClipboard) {
    Desktop d;
    d.NewProject("Plant", {StoredTag("T-1", 100), StoredTag("T-2", 200), StoredTag("T-3", 300)});
    d.Retrieve("T-1");
    d.chooser.answers.push_back(d.Path("plant.csv"));
    d.Run(cmd::kExportAscii);
    ASSERT_EQ(d.chooser.asked.back().title, "Export Project File");
    EXPECT_TRUE(d.chooser.asked.back().save);
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].caption, "ASCII File Export Message");
    EXPECT_EQ(FirstLine(d.sink.messages[0].text), "Project ASCII file export complete!");
    ASSERT_TRUE(fs::exists(d.Path("plant.csv")));

    // Another project holds T-2 already; its window has an edited tag and a tag on
    // the clipboard.
    TagRecord other = StoredTag("T-2", 999);
    SetText(other.Service, "Other service");
    d.NewProject("Other", {other});
    d.Retrieve("T-2");
    d.Run(cmd::kCopyTag);
    SetText(d.Doc().record.Service, "work in progress");
    d.Doc().tag_saved = false;
    const std::string current = RecordToBytes(d.Doc().record);

    d.chooser.answers.push_back(d.Path("plant.csv"));
    d.dialogs.overwrite_answer = OverwriteAnswer::Yes;
    d.Run(cmd::kImportAscii);
    EXPECT_EQ(d.chooser.asked.back().title, "Import Project File");
    EXPECT_EQ(d.dialogs.overwrite_asked, std::vector<std::string>{"T-2"});
    ASSERT_EQ(d.sink.Captions(), std::vector<std::string>{"ASCII File Import Message"});
    EXPECT_EQ(FirstLine(d.sink.messages[0].text), "Project ASCII file import is done.");
    EXPECT_EQ(d.Stored("T-2").Flow_Max, 200.0);
    EXPECT_EQ(GetText(d.Stored("T-2").Service), "Service of T-2");
    EXPECT_EQ(d.Stored("T-3").Flow_Max, 300.0);
    EXPECT_EQ(RecordToBytes(d.Doc().record), current);
    EXPECT_TRUE(d.Frame().Action(cmd::kPasteTag)->isEnabled());

    // A chooser cancelled does nothing; a file that is not an export is refused.
    d.sink.messages.clear();
    d.Run(cmd::kImportAscii);
    EXPECT_TRUE(d.sink.messages.empty());
    std::ofstream(d.Path("notes.txt")) << "Tag list\r\nT-9,1\r\n";
    d.chooser.answers.push_back(d.Path("notes.txt"));
    d.Run(cmd::kImportAscii);
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].number, msg::kErrNotImportFile);
    EXPECT_EQ(d.Doc().database->FindTag("T-9"), -1);
}

TEST(ProjectUtilities, PackAndRebuildKeepTheLiveTagsAndTheWindowsTag) {
    Desktop d;
    d.NewProject("Plant", {StoredTag("T-1"), StoredTag("T-2"), StoredTag("T-3")});
    d.dialogs.selection = "T-2";
    d.sink.answers = {MessageAnswer::Yes};
    d.Run(cmd::kDeleteTag);
    d.Retrieve("T-3");
    SetText(d.Doc().record.Service, "unsaved edit");
    d.Doc().tag_saved = false;
    const std::string current = RecordToBytes(d.Doc().record);
    d.sink.messages.clear();

    d.Run(cmd::kPackProject);
    ASSERT_EQ(d.sink.Captions(), std::vector<std::string>{"PACK UTILITY"});
    EXPECT_EQ(FirstLine(d.sink.messages[0].text), "Project database packed successfully");
    EXPECT_EQ(fs::file_size(d.Path("Plant.fdb")), 2 * 2800u);
    EXPECT_EQ(RecordToBytes(d.Doc().record), current);

    fs::remove(d.Path("Plant.idx"));
    d.sink.messages.clear();
    d.Run(cmd::kRebuildIndex);
    ASSERT_EQ(d.sink.Captions(), std::vector<std::string>{"INDEX REBUILD UTILITY"});
    EXPECT_EQ(FirstLine(d.sink.messages[0].text), "Project database reindexed successfully");
    EXPECT_GE(d.Doc().database->FindTag("T-1"), 0);
    EXPECT_GE(d.Doc().database->FindTag("T-3"), 0);
    EXPECT_EQ(d.Doc().database->FindTag("T-2"), -1);
    EXPECT_EQ(RecordToBytes(d.Doc().record), current);

    // The start-up window has no project: each command says so with its error.
    d.Frame().Workspace()->setActiveSubWindow(d.Frame().Workspace()->subWindowList().constFirst());
    ASSERT_EQ(d.Doc().title, "Std Screen");
    const std::size_t asked = d.chooser.asked.size();
    const std::pair<int, int> expected[] = {{cmd::kBatchCalc, msg::kErrProjectIndex},
                                            {cmd::kImportAscii, msg::kErrProjectIndex},
                                            {cmd::kPackProject, msg::kErrPackRecords},
                                            {cmd::kRebuildIndex, msg::kErrReindex}};
    for (const auto& [command, error] : expected) {
        d.sink.messages.clear();
        d.Run(command);
        ASSERT_EQ(d.sink.messages.size(), 1u) << command;
        EXPECT_EQ(d.sink.messages[0].number, error) << command;
    }
    EXPECT_EQ(d.chooser.asked.size(), asked);
}

// Cancel pressed in the progress window of a real batch run (more tags than one
// step takes): no tag changes, the status file says so, and so does the closing box.
TEST(ProjectUtilities, CancelInTheBatchProgressWindowLeavesTheProjectAsItWas) {
    Desktop d;
    d.NewProject("Plant", {});
    std::string records, index;
    for (std::size_t i = 0; i < 2100; ++i) {
        TagRecord r = test::MixedTag(i);
        r.Rec_Version4 = 1;
        index += IndexEntryBytes(GetText(r.Tag_No), static_cast<int32_t>(records.size()));
        records += RecordToBytes(r);
    }
    ASSERT_TRUE(DiskFiles().Replace(d.Path("Plant.fdb"), records));
    ASSERT_TRUE(DiskFiles().Replace(d.Path("Plant.idx"), index));

    ProgressWindow::SetShowDelay(0);
    bool clicked = false;
    testing::WhenModalAppears(
        [&clicked](QWidget* w) {
            auto* cancel = w->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            QTest::mouseClick(cancel, Qt::LeftButton);
            clicked = true;
        },
        [](QWidget* w) { return w->objectName() == "progress"; });
    d.sink.answers = {MessageAnswer::Yes, MessageAnswer::No};
    d.Run(cmd::kBatchCalc);
    ProgressWindow::SetShowDelay(400);

    EXPECT_TRUE(clicked);
    EXPECT_EQ(ReadFileBytes(d.Path("Plant.fdb"), 8 << 20), records);
    EXPECT_NE(
        ReadFileBytes(d.Path("Plant.txt"), 1 << 20).value_or("").find("The batch calculation was cancelled."),
        std::string::npos);
    ASSERT_FALSE(d.sink.messages.empty());
    EXPECT_EQ(d.sink.messages.back().caption, "Batch Calculation Message");
    EXPECT_EQ(FirstLine(d.sink.messages.back().text), "Batch calculation aborted!");
    for (const std::string& temp : ProjectPathsOf(d.Path("Plant.fil")).Temporaries())
        EXPECT_FALSE(fs::exists(temp)) << temp;
}

TEST(ProjectUtilities, ProgressWindowCountsGivesWayToMessagesAndItsCancelButtonStopsTheRun) {
    ProgressWindow::SetShowDelay(0);
    {
        ProgressWindow w(nullptr, QStringLiteral("PACK UTILITY"), QStringLiteral("Packing the project"),
                         QStringLiteral("tags"));
        const ProgressFn step = w.Fn();
        EXPECT_TRUE(step(0, 400));
        EXPECT_TRUE(step(100, 400));
        ASSERT_TRUE(w.Dialog().isVisible());
        EXPECT_EQ(w.Dialog().labelText(), "Packing the project: 100 of 400 tags");
        EXPECT_EQ(w.Dialog().value(), 250);
        // A question or message of the run puts the window away; the next step brings it back.
        RecordingMessageSink inner;
        (void)w.Sink(inner).Show(Message{});
        EXPECT_EQ(inner.messages.size(), 1u);
        EXPECT_FALSE(w.Dialog().isVisible());
        EXPECT_TRUE(step(150, 400));
        EXPECT_TRUE(w.Dialog().isVisible());
        // The last step puts it away for good: nothing shows it behind the closing message.
        EXPECT_TRUE(step(400, 400));
        QTest::qWait(100);
        EXPECT_FALSE(w.Dialog().isVisible());
    }
    ProgressWindow w(nullptr, QStringLiteral("PACK UTILITY"), QStringLiteral("Packing the project"),
                     QStringLiteral("tags"));
    const ProgressFn step = w.Fn();
    EXPECT_TRUE(step(0, 400));
    auto* cancel = w.Dialog().findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(step(200, 400));
    EXPECT_FALSE(step(400, 400));
    ProgressWindow::SetShowDelay(400);
}

}  // namespace
}  // namespace quorven
