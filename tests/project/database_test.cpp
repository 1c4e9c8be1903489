#include "project/database.h"

#include <gtest/gtest.h>

#include <fstream>

#include "messages/messages.h"
#include "project/project_fixture.h"
#include "record/file_io.h"
#include "record/record_io.h"

namespace quorven {
namespace {

using testing::StoredTag;
using testing::TempDirTest;
namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    return ReadFileBytes(path, 1 << 26).value_or("<missing>");
}

void WriteRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class DatabaseTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        paths_ = ProjectPathsOf(Path("Plant.fil"));
        RecordingMessageSink sink;
        ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), paths_, DefaultProjectSettings(), sink));
    }
    CDatabase Open(RecordingMessageSink& sink) {
        CDatabase db(DiskFiles(), paths_);
        db.Open(sink);
        return db;
    }
    ProjectPaths paths_;
};

TEST(ProjectFiles, PathsShareDirectoryAndName) {
    const ProjectPaths p = ProjectPathsOf("/data/jobs/Plant 7.fil");
    EXPECT_EQ(p.dir, "/data/jobs/");
    EXPECT_EQ(p.name, "Plant 7");
    EXPECT_EQ(p.Records(), "/data/jobs/Plant 7.fdb");
    EXPECT_EQ(p.Index(), "/data/jobs/Plant 7.idx");
    EXPECT_EQ(ProjectPathsOf("Plant.fil").Settings(), "Plant.fil");
}

TEST(ProjectFiles, IndexEntryIsKeyPaddedToTwentyBytesThenLittleEndianPosition) {
    // Layout by hand: 20 key bytes (text, NUL, zeros), int32 5600 = 0x000015E0.
    std::string expected = "FT-202";
    expected.resize(20, '\0');
    expected += std::string("\xE0\x15\x00\x00", 4);
    EXPECT_EQ(IndexEntryBytes("FT-202", 5600), expected);
    // A key is cut to 18 characters so its terminator always fits.
    EXPECT_EQ(EntryKey(IndexEntryBytes("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0), 0), "ABCDEFGHIJKLMNOPQR");
}

TEST(ProjectFiles, ParseIndexMarksEveryKindOfBadEntry) {
    std::string idx = IndexEntryBytes("GOOD", 0) + IndexEntryBytes("NEG", -2800) +
                      IndexEntryBytes("ODD", 1400) + IndexEntryBytes("PAST", 5600);
    std::string unterminated(24, 'X');            // no terminator within the key
    idx += unterminated + "abc";                  // and an incomplete last entry
    const ParsedIndex p = ParseIndex(idx, 5600);  // two whole records
    ASSERT_EQ(p.entries.size(), 5u);
    EXPECT_EQ(p.entries[0].state, EntryState::Valid);
    EXPECT_EQ(p.entries[1].state, EntryState::BadPosition);
    EXPECT_EQ(p.entries[2].state, EntryState::BadPosition);
    EXPECT_EQ(p.entries[3].state, EntryState::PastEnd);
    EXPECT_EQ(p.entries[4].state, EntryState::KeyTooLong);
    EXPECT_EQ(p.bad_entries, 4u);
    EXPECT_EQ(p.tail_bytes, 3u);
    EXPECT_EQ(p.max_valid_position, 0);
}

TEST(ProjectFiles, JournalRoundTripsAndRefusesWhatItDidNotWrite) {
    Journal restore;
    restore.position = 5600;
    restore.old_record = RecordToBytes(StoredTag("A"));
    const auto back = ParseJournal(JournalBytes(restore));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->position, 5600u);
    EXPECT_EQ(back->old_record, restore.old_record);

    Journal renames;
    renames.kind = Journal::Kind::Renames;
    renames.renames = {{"P.tmp", "P.fdb"}, {"P.$$$", "P.idx"}};
    ASSERT_TRUE(ParseJournal(JournalBytes(renames)));

    const std::string good = JournalBytes(restore);
    EXPECT_FALSE(ParseJournal(good.substr(0, good.size() - 1)));  // one byte short
    EXPECT_FALSE(ParseJournal(good + "x"));
    renames.renames = {{"../other.fdb", "P.fdb"}};
    EXPECT_FALSE(ParseJournal(JournalBytes(renames)));  // names outside the project directory
}

TEST_F(DatabaseTest, NewProjectIsThreeFilesWithTheSettingsBlock) {
    EXPECT_EQ(ReadAll(paths_.Records()), "");
    EXPECT_EQ(ReadAll(paths_.Index()), "");
    EXPECT_EQ(ReadAll(paths_.Settings()), SettingsToBytes(DefaultProjectSettings()));
}

TEST_F(DatabaseTest, NewTagsAppendRecordsAndEntriesInOrder) {
    RecordingMessageSink sink;
    CDatabase db = Open(sink);
    const TagRecord a = StoredTag("FE-101", 1);
    const TagRecord b = StoredTag("FT-202", 2);
    ASSERT_EQ(db.WriteTag(a, WriteMode::Ask, sink), WriteOutcome::Saved);
    ASSERT_EQ(db.WriteTag(b, WriteMode::Ask, sink), WriteOutcome::Saved);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(ReadAll(paths_.Records()), RecordToBytes(a) + RecordToBytes(b));
    EXPECT_EQ(ReadAll(paths_.Index()), IndexEntryBytes("FE-101", 0) + IndexEntryBytes("FT-202", 2800));
    EXPECT_EQ(db.FindTag("FT-202"), 2800);
    EXPECT_EQ(db.FindTag("ft-202"), -1);  // letter case matters

    // A second program instance reads the same project.
    RecordingMessageSink sink2;
    CDatabase other = Open(sink2);
    TagRecord back = NewTagRecord();
    ASSERT_TRUE(other.ReadTag("FT-202", back, sink2));
    EXPECT_EQ(RecordToBytes(back), RecordToBytes(b));
    EXPECT_TRUE(sink2.messages.empty());
}

TEST_F(DatabaseTest, ReplacingATagWritesOverItsRecordAndAsksFirstInAskMode) {
    RecordingMessageSink sink;
    CDatabase db = Open(sink);
    ASSERT_EQ(db.WriteTag(StoredTag("A", 1), WriteMode::Ask, sink), WriteOutcome::Saved);
    ASSERT_EQ(db.WriteTag(StoredTag("B", 2), WriteMode::Ask, sink), WriteOutcome::Saved);
    const std::string index_before = ReadAll(paths_.Index());

    RecordingMessageSink says_no(MessageAnswer::No);
    EXPECT_EQ(db.WriteTag(StoredTag("A", 9), WriteMode::Ask, says_no), WriteOutcome::Declined);
    EXPECT_EQ(says_no.Numbers(), std::vector<int>{-msg::kWarnReplaceTag});

    RecordingMessageSink says_yes(MessageAnswer::Yes);
    EXPECT_EQ(db.WriteTag(StoredTag("A", 9), WriteMode::Ask, says_yes), WriteOutcome::Saved);
    RecordingMessageSink silent;
    EXPECT_EQ(db.WriteTag(StoredTag("B", 8), WriteMode::Replace, silent), WriteOutcome::Saved);
    EXPECT_TRUE(silent.messages.empty());
    EXPECT_EQ(ReadAll(paths_.Records()), RecordToBytes(StoredTag("A", 9)) + RecordToBytes(StoredTag("B", 8)));
    EXPECT_EQ(ReadAll(paths_.Index()), index_before);  // positions kept, no entry added
    EXPECT_FALSE(fs::exists(paths_.Journal()));
}

TEST_F(DatabaseTest, RemovedTagLeavesADeadRecordWhosePlaceTheNextNewTagTakes) {
    RecordingMessageSink sink;
    CDatabase db = Open(sink);
    for (const char* t : {"A", "B", "C"})
        ASSERT_EQ(db.WriteTag(StoredTag(t), WriteMode::Ask, sink), WriteOutcome::Saved);
    ASSERT_TRUE(db.RemoveTag("C", sink));
    EXPECT_EQ(ReadAll(paths_.Index()), IndexEntryBytes("A", 0) + IndexEntryBytes("B", 2800));
    EXPECT_EQ(fs::file_size(paths_.Records()), 3 * 2800u);  // the record stays until packing
    ASSERT_EQ(db.WriteTag(StoredTag("D"), WriteMode::Ask, sink), WriteOutcome::Saved);
    EXPECT_EQ(db.FindTag("D"), 5600);
    EXPECT_EQ(fs::file_size(paths_.Records()), 3 * 2800u);
    // Removing from the middle: the rest keep their places.
    ASSERT_TRUE(db.RemoveTag("A", sink));
    EXPECT_EQ(ReadAll(paths_.Index()), IndexEntryBytes("B", 2800) + IndexEntryBytes("D", 5600));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DatabaseTest, StrayBytesAtTheEndOfTheRecordFileLoseNoTagAndAreCutWhenTheUserAgrees) {
    {
        RecordingMessageSink sink;
        CDatabase db = Open(sink);
        ASSERT_EQ(db.WriteTag(StoredTag("A"), WriteMode::Ask, sink), WriteOutcome::Saved);
    }
    std::ofstream(paths_.Records(), std::ios::binary | std::ios::app) << 'x';  // 2801 bytes
    {
        RecordingMessageSink declines(MessageAnswer::No);
        CDatabase db = Open(declines);
        ASSERT_EQ(declines.messages.size(), 1u);  // the question, nothing else
        EXPECT_EQ(declines.messages[0].buttons, MessageButtons::YesNo);
        TagRecord back = NewTagRecord();
        EXPECT_TRUE(db.ReadTag("A", back, declines));
        EXPECT_EQ(RecordToBytes(back), RecordToBytes(StoredTag("A")));
        EXPECT_EQ(fs::file_size(paths_.Records()), 2801u);
        // The next new tag goes after the last whole record, over the stray byte.
        EXPECT_EQ(db.WriteTag(StoredTag("B"), WriteMode::Ask, declines), WriteOutcome::Saved);
        EXPECT_EQ(fs::file_size(paths_.Records()), 5600u);
    }
    std::ofstream(paths_.Records(), std::ios::binary | std::ios::app) << "yz";
    RecordingMessageSink agrees(MessageAnswer::Yes);
    CDatabase db = Open(agrees);
    EXPECT_EQ(fs::file_size(paths_.Records()), 5600u);
    TagRecord back = NewTagRecord();
    EXPECT_TRUE(db.ReadTag("B", back, agrees));
}

TEST_F(DatabaseTest, DamagedIndexEntriesAreRefusedAndNothingIsWritten) {
    {
        RecordingMessageSink sink;
        CDatabase db = Open(sink);
        ASSERT_EQ(db.WriteTag(StoredTag("A"), WriteMode::Ask, sink), WriteOutcome::Saved);
    }
    const std::string records = ReadAll(paths_.Records());
    struct Case {
        const char* what;
        std::string entry;
    };
    const Case cases[] = {
        {"past the end", IndexEntryBytes("B", 2800)},
        {"misaligned", IndexEntryBytes("B", 1400)},
        {"negative", IndexEntryBytes("B", -2800)},
        {"unterminated", std::string(24, 'B')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string index = IndexEntryBytes("A", 0) + c.entry;
        WriteRaw(paths_.Index(), index);
        RecordingMessageSink sink;
        CDatabase db = Open(sink);
        ASSERT_FALSE(sink.messages.empty());
        EXPECT_EQ(sink.Numbers().front(), msg::kErrIndexCorrupt);
        TagRecord back = NewTagRecord();
        EXPECT_TRUE(db.ReadTag("A", back, sink));  // the sound entries still read
        EXPECT_FALSE(db.ReadTag("B", back, sink));
        EXPECT_EQ(db.WriteTag(StoredTag("C"), WriteMode::Ask, sink), WriteOutcome::Failed);
        EXPECT_EQ(ReadAll(paths_.Index()), index);
        EXPECT_EQ(ReadAll(paths_.Records()), records);
    }
}

TEST_F(DatabaseTest, MissingIndexWithRecordsIsNotRecreatedOverThem) {
    {
        RecordingMessageSink sink;
        CDatabase db = Open(sink);
        ASSERT_EQ(db.WriteTag(StoredTag("A"), WriteMode::Ask, sink), WriteOutcome::Saved);
    }
    fs::remove(paths_.Index());
    RecordingMessageSink sink;
    CDatabase db = Open(sink);
    EXPECT_FALSE(db.IndexPresent());
    EXPECT_EQ(db.WriteTag(StoredTag("B"), WriteMode::Ask, sink), WriteOutcome::Failed);
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrIndexMissing});
    EXPECT_EQ(ReadAll(paths_.Records()), RecordToBytes(StoredTag("A")));
    EXPECT_FALSE(fs::exists(paths_.Index()));
}

TEST_F(DatabaseTest, ChangesByAnotherWindowAreSeenBeforeTheNextOperation) {
    RecordingMessageSink sink;
    CDatabase first = Open(sink);
    CDatabase second = Open(sink);
    ASSERT_EQ(first.WriteTag(StoredTag("A"), WriteMode::Ask, sink), WriteOutcome::Saved);
    // Without reading the new entry the second would put B over A's record.
    ASSERT_EQ(second.WriteTag(StoredTag("B"), WriteMode::Ask, sink), WriteOutcome::Saved);
    TagRecord back = NewTagRecord();
    ASSERT_TRUE(first.ReadTag("B", back, sink));
    ASSERT_TRUE(first.ReadTag("A", back, sink));
    EXPECT_EQ(RecordToBytes(back), RecordToBytes(StoredTag("A")));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DatabaseTest, InterruptedReplaceIsPutBackAtTheNextOpen) {
    RecordingMessageSink sink;
    {
        CDatabase db = Open(sink);
        ASSERT_EQ(db.WriteTag(StoredTag("A", 1), WriteMode::Ask, sink), WriteOutcome::Saved);
    }
    // What a crash after the journal and half the new record leaves.
    Journal j;
    j.position = 0;
    j.old_record = RecordToBytes(StoredTag("A", 1));
    WriteRaw(paths_.Journal(), JournalBytes(j));
    std::string torn = RecordToBytes(StoredTag("A", 2)).substr(0, 1400) + j.old_record.substr(1400);
    WriteRaw(paths_.Records(), torn);

    RecordingMessageSink reopen;
    CDatabase db = Open(reopen);
    ASSERT_EQ(reopen.messages.size(), 1u);
    EXPECT_NE(reopen.messages[0].text.find("put back"), std::string::npos);
    EXPECT_EQ(ReadAll(paths_.Records()), j.old_record);
    EXPECT_FALSE(fs::exists(paths_.Journal()));
}

TEST_F(DatabaseTest, UpgradeConvertsPreviousRecordsOnlyWhenAskedAndAllAreOld) {
    // Three records of the previous format; the middle one is dead (not indexed).
    TagRecord a = StoredTag("A");
    a.Rec_Version4 = 0;
    a.Matl_Pipe = 13;  // schedule list gained an entry: 5 becomes 6
    a.Pipe_Sched = 5;
    TagRecord dead = StoredTag("DEAD");
    dead.Rec_Version4 = 0;
    TagRecord b = StoredTag("B");
    b.Rec_Version4 = 0;
    b.Matl_Pipe = 2;  // schedule list unchanged
    b.Pipe_Sched = 3;
    const std::string records = RecordToBytes(a) + RecordToBytes(dead) + RecordToBytes(b);
    const std::string index = IndexEntryBytes("A", 0) + IndexEntryBytes("B", 5600);
    WriteRaw(paths_.Records(), records);
    WriteRaw(paths_.Index(), index);

    RecordingMessageSink no(MessageAnswer::No);
    CDatabase kept = Open(no);
    EXPECT_FALSE(kept.UpgradeIfNeeded(no));
    ASSERT_EQ(no.messages.size(), 1u);
    EXPECT_EQ(no.messages[0].caption, "Database Version Alert");
    EXPECT_EQ(ReadAll(paths_.Records()), records);
    EXPECT_EQ(ReadAll(paths_.Index()), index);

    RecordingMessageSink yes(MessageAnswer::Yes);
    CDatabase db = Open(yes);
    EXPECT_TRUE(db.UpgradeIfNeeded(yes));
    TagRecord a4 = a;
    a4.Rec_Version4 = 1;
    a4.Pipe_Sched = 6;
    TagRecord b4 = b;
    b4.Rec_Version4 = 1;
    EXPECT_EQ(ReadAll(paths_.Records()), RecordToBytes(a4) + RecordToBytes(b4));
    EXPECT_EQ(ReadAll(paths_.Index()), IndexEntryBytes("A", 0) + IndexEntryBytes("B", 2800));
    for (const std::string& leftover : {paths_.UpgradeTemp(), paths_.SwapTemp(), paths_.Journal()})
        EXPECT_FALSE(fs::exists(leftover)) << leftover;
    // Done once: the next open asks nothing.
    RecordingMessageSink again(MessageAnswer::Yes);
    CDatabase later = Open(again);
    EXPECT_FALSE(later.UpgradeIfNeeded(again));
    EXPECT_TRUE(again.messages.empty());
}

TEST_F(DatabaseTest, ProjectWithAnyCurrentRecordIsNotUpgraded) {
    TagRecord old = StoredTag("OLD");
    old.Rec_Version4 = 0;
    WriteRaw(paths_.Records(), RecordToBytes(old) + RecordToBytes(StoredTag("NEW")));
    WriteRaw(paths_.Index(), IndexEntryBytes("OLD", 0) + IndexEntryBytes("NEW", 2800));
    RecordingMessageSink sink(MessageAnswer::Yes);
    CDatabase db = Open(sink);
    EXPECT_FALSE(db.UpgradeIfNeeded(sink));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DatabaseTest, CreateRefusesAProjectThatExists) {
    RecordingMessageSink sink;
    {
        CDatabase db = Open(sink);
        ASSERT_EQ(db.WriteTag(StoredTag("A"), WriteMode::Ask, sink), WriteOutcome::Saved);
    }
    const std::string records = ReadAll(paths_.Records());
    EXPECT_FALSE(CDatabase::CreateProject(DiskFiles(), paths_, DefaultProjectSettings(), sink));
    fs::remove(paths_.Settings());  // tags without settings are still a project's tags
    EXPECT_FALSE(CDatabase::CreateProject(DiskFiles(), paths_, DefaultProjectSettings(), sink));
    EXPECT_EQ(ReadAll(paths_.Records()), records);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_NE(sink.messages[0].text.find("already exists"), std::string::npos);
}

}  // namespace
}  // namespace quorven
