// Every write of every project and tag operation, made to fail, to write short, or
// to be the last thing the program does (a crash or a kill), at each of its steps
// in turn. After each, the project opens with its old or its new content, and every
// tag reads back byte for byte.

#include <gtest/gtest.h>

#include <functional>

#include "project/configuration.h"
#include "project/database.h"
#include "project/project_commands.h"
#include "project/project_fixture.h"
#include "project/tag_file.h"
#include "record/file_doubles.h"
#include "record/record_io.h"
#include "tests/project/fault_harness.h"

namespace quorven {
namespace {

using testing::StoredTag;
using testing::TempDirTest;
namespace fs = std::filesystem;

TEST_F(FaultInjectionTest, TagOperations) {
    MakeProject();
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            db.WriteTag(StoredTag("NEW", 42), WriteMode::Ask, sink);
        },
        "save a new tag");
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            db.WriteTag(StoredTag("T-2", 99), WriteMode::Ask, sink);
        },
        "replace a tag");
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(sink);
            db.RemoveTag("T-3", sink);
        },
        "delete the last tag");
}

// A failed step leaves the session's own view of the project sound: the next
// operation in the same session works on what is on the disk.
TEST_F(FaultInjectionTest, SessionCarriesOnAfterAFailedStep) {
    MakeProject();
    for (int at = 1; at <= 3; ++at) {
        SCOPED_TRACE(at);
        CopyFixture();
        FaultyFileLayer faulty(DiskFiles(), at, FileFault::Short);
        RecordingMessageSink sink(MessageAnswer::Yes);
        CDatabase db(faulty, WorkPaths());
        db.Open(sink);
        (void)db.WriteTag(StoredTag("T-2", 99), WriteMode::Replace, sink);
        ASSERT_EQ(db.WriteTag(StoredTag("NEW", 5), WriteMode::Ask, sink), WriteOutcome::Saved);
        ASSERT_EQ(db.WriteTag(StoredTag("T-2", 98), WriteMode::Replace, sink), WriteOutcome::Saved);
        const Content c = ReadContent(WorkPaths());
        ASSERT_EQ(c.tags.size(), 4u);
        EXPECT_EQ(c.tags[1].second, RecordToBytes(StoredTag("T-2", 98)));
        EXPECT_EQ(c.tags[3].second, RecordToBytes(StoredTag("NEW", 5)));
    }
}

TEST_F(FaultInjectionTest, UpgradeOfPreviousRecords) {
    RecordingMessageSink sink;
    ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), FixturePaths(), DefaultProjectSettings(), sink));
    std::string records;
    std::string index;
    for (int i = 0; i < 3; ++i) {
        TagRecord r = StoredTag("OLD-" + std::to_string(i), i);
        r.Rec_Version4 = 0;
        records += RecordToBytes(r);
        index += IndexEntryBytes(GetText(r.Tag_No), i * 2800);
    }
    ASSERT_TRUE(DiskFiles().Replace(FixturePaths().Records(), records));
    ASSERT_TRUE(DiskFiles().Replace(FixturePaths().Index(), index));
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink yes(MessageAnswer::Yes);
            CDatabase db(files, paths);
            db.Open(yes);
            db.UpgradeIfNeeded(yes);
        },
        "upgrade");
}

TEST_F(FaultInjectionTest, ProjectOperations) {
    MakeProject();
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            ProjectDocument doc;
            doc.files = &files;
            doc.config_dir = paths.dir + "../config";
            RecordingMessageSink yes(MessageAnswer::Yes);
            ASSERT_TRUE(OpenProject(doc, paths.Settings(), yes));
            SetText(doc.settings.Company_Name, "Changed Company");
            SaveProjectSettings(doc, yes);
        },
        "save the project settings");
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            ProjectDocument doc;
            doc.files = &files;
            testing::FakeChooser chooser;
            testing::FakeDialogs dialogs;
            chooser.answers.push_back(paths.Settings());
            RecordingMessageSink sink;
            CommandUi ui{sink, chooser, dialogs};
            DeleteProject(doc, ui);
        },
        "delete the project");

    // Creating: the work directory starts without the project.
    fs::remove_all(fixture_);
    fs::create_directories(fixture_);
    CheckEveryStep(
        [](FileLayer& files, const ProjectPaths& paths) {
            RecordingMessageSink sink;
            CDatabase::CreateProject(files, paths, DefaultProjectSettings(), sink);
        },
        "create a project");
}

// Whole-file replacements outside the project: the tag file and the configuration
// are either the old file or the new one.
TEST_F(FaultInjectionTest, TagFileAndConfigurationAreOldOrNew) {
    const std::string tag_path = Path("FE-101.tag");
    const std::string config_path = ConfigPath(dir_.string());
    for (const FileFault fault : {FileFault::Fail, FileFault::Short, FileFault::Kill}) {
        RecordingMessageSink sink;
        ASSERT_TRUE(WriteTagFile(tag_path, StoredTag("OLD"), sink));
        ASSERT_TRUE(WriteConfig(DiskFiles(), config_path, DefaultProjectSettings(), sink));
        FaultyFileLayer faulty(DiskFiles(), 1, fault);
        EXPECT_FALSE(WriteTagFile(tag_path, StoredTag("NEW"), sink, faulty));
        ProjectSettings changed = DefaultProjectSettings();
        SetText(changed.Company_Name, "Other");
        FaultyFileLayer faulty2(DiskFiles(), 1, fault);
        EXPECT_FALSE(WriteConfig(faulty2, config_path, changed, sink));
        EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrTagFileWrite, msg::kErrConfigWrite}));
        EXPECT_EQ(ReadFileBytes(tag_path, 4096), RecordToBytes(StoredTag("OLD")));
        EXPECT_EQ(ReadFileBytes(config_path, 4096), SettingsToBytes(DefaultProjectSettings()));
    }
}

}  // namespace
}  // namespace quorven
