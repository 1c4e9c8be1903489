#include "project/maintenance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/messages.h"
#include "project/project_fixture.h"
#include "record/record_io.h"

namespace quorven {
namespace {

using testing::StoredTag;
using testing::TempDirTest;
namespace fs = std::filesystem;

class MaintenanceTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        paths_ = ProjectPathsOf(Path("Plant.fil"));
        RecordingMessageSink sink;
        ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), paths_, DefaultProjectSettings(), sink));
    }
    // Saves the tags, then deletes the ones named.
    void Store(const std::vector<std::string>& tags, const std::vector<std::string>& deleted = {}) {
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), paths_);
        db.Open(sink);
        for (std::size_t i = 0; i < tags.size(); ++i)
            ASSERT_EQ(
                db.WriteTag(StoredTag(tags[i], 100.0 + static_cast<double>(i)), WriteMode::Replace, sink),
                WriteOutcome::Saved);
        for (const std::string& t : deleted) ASSERT_TRUE(db.RemoveTag(t, sink));
        ASSERT_TRUE(sink.messages.empty());
    }
    // Tag number and record bytes of every entry, in index order, as a new session reads them.
    std::vector<std::pair<std::string, std::string>> Tags() {
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), paths_);
        db.Open(sink);
        std::vector<std::pair<std::string, std::string>> out;
        for (const IndexEntry& e : db.Entries()) {
            TagRecord r;
            EXPECT_TRUE(db.ReadTag(e.tag, r, sink)) << e.tag;
            out.emplace_back(e.tag, RecordToBytes(r));
        }
        return out;
    }
    uint64_t SizeOf(const std::string& path) { return fs::exists(path) ? fs::file_size(path) : 0; }
    ProjectPaths paths_;
};

TEST_F(MaintenanceTest, PackKeepsOneRecordPerIndexedTagInIndexOrder) {
    Store({"A", "B", "C", "D", "E"}, {"B", "D"});
    Store({"B"});  // saved again after its deletion: a new record at the end
    const auto before = Tags();
    ASSERT_EQ(before.size(), 4u);
    EXPECT_EQ(SizeOf(paths_.Records()), 6u * 2800);

    RecordingMessageSink sink;
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    const PackReport r = PackProject(db, sink);
    EXPECT_TRUE(r.packed);
    EXPECT_EQ(r.tags, 4u);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "PACK UTILITY");
    EXPECT_EQ(sink.messages[0].text, "Project database packed successfully");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Information);

    EXPECT_EQ(SizeOf(paths_.Records()), 4u * 2800);
    EXPECT_EQ(Tags(), before);
    for (std::size_t i = 0; i < db.Entries().size(); ++i)
        EXPECT_EQ(db.Entries()[i].position, static_cast<int32_t>(i * 2800));
    for (const std::string& temp : paths_.Temporaries()) EXPECT_FALSE(fs::exists(temp)) << temp;
}

TEST_F(MaintenanceTest, PackOfAnEmptyProjectLeavesEmptyFiles) {
    RecordingMessageSink sink;
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    EXPECT_TRUE(PackProject(db, sink).packed);
    EXPECT_EQ(SizeOf(paths_.Records()), 0u);
    EXPECT_TRUE(fs::exists(paths_.Index()));
    EXPECT_EQ(SizeOf(paths_.Index()), 0u);
}

TEST_F(MaintenanceTest, PackWithoutItsFilesChangesNothing) {
    Store({"A"});
    fs::remove(paths_.Index());
    {
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), paths_);
        db.Open(sink);
        sink.messages.clear();
        EXPECT_FALSE(PackProject(db, sink).packed);
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrPackIndex});
    }
    fs::remove(paths_.Records());
    RecordingMessageSink sink;
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    sink.messages.clear();
    EXPECT_FALSE(PackProject(db, sink).packed);
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrPackRecords});
}

// An index entry that names no whole record cannot be packed: it is left out and
// said so, the others are packed.
TEST_F(MaintenanceTest, PackLeavesOutEntriesWithoutARecordAndSaysSo) {
    Store({"A", "B"});
    std::string idx = ReadFileBytes(paths_.Index(), 1 << 20).value();
    idx += IndexEntryBytes("GHOST", 28000);
    ASSERT_TRUE(DiskFiles().Replace(paths_.Index(), idx));
    RecordingMessageSink sink(MessageAnswer::No);
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    sink.messages.clear();
    const PackReport r = PackProject(db, sink);
    EXPECT_TRUE(r.packed);
    EXPECT_EQ(r.dropped_entries, 1u);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(
        sink.messages[0].text,
        "Project database packed successfully\n\n1 index entries named no whole record and were left out.");
    EXPECT_EQ(Tags().size(), 2u);
}

TEST_F(MaintenanceTest, RebuildRestoresEveryLiveTagInRecordFileOrder) {
    Store({"A", "B", "C", "D"}, {"B"});
    Store({"B"});  // B again: its old record is marked deleted, the new one is last
    const auto tags = Tags();
    fs::remove(paths_.Index());

    RecordingMessageSink sink;
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    sink.messages.clear();
    const RebuildReport r = RebuildIndex(db, sink);
    EXPECT_TRUE(r.rebuilt);
    EXPECT_EQ(r.tags, 4u);
    EXPECT_EQ(r.deleted_records, 1u);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "INDEX REBUILD UTILITY");
    EXPECT_EQ(sink.messages[0].text,
              "Project database reindexed successfully\n\n1 records of deleted tags were left out.");
    // Record-file order: A at 0, C, D, then the new B at the end; one entry for B.
    const auto rebuilt = Tags();
    ASSERT_EQ(rebuilt.size(), 4u);
    EXPECT_EQ(rebuilt[0].first, "A");
    EXPECT_EQ(rebuilt[1].first, "C");
    EXPECT_EQ(rebuilt[2].first, "D");
    EXPECT_EQ(rebuilt[3].first, "B");
    for (const auto& [tag, bytes] : tags) {
        const auto it = std::find_if(rebuilt.begin(), rebuilt.end(),
                                     [&name = tag](const auto& t) { return t.first == name; });
        ASSERT_NE(it, rebuilt.end()) << tag;
        EXPECT_EQ(it->second, bytes) << tag;
    }
}

// Records side by side with one tag number get one entry (the first); the same
// tag number further on gets its own. A damaged tag number is left out.
TEST_F(MaintenanceTest, RebuildSkipsRepeatsOfThePreviousRecordAndDamagedNumbers) {
    std::string records;
    for (const char* t : {"X", "X", "Y", "X"}) records += RecordToBytes(StoredTag(t));
    std::string damaged = RecordToBytes(StoredTag("Z"));
    std::fill(damaged.begin() + 4, damaged.begin() + 23, 'Q');  // no terminator within Tag_No
    records += damaged;
    records += "partial";  // an incomplete record at the end is no record
    ASSERT_TRUE(DiskFiles().Replace(paths_.Records(), records));
    RecordingMessageSink sink(MessageAnswer::No);
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    sink.messages.clear();
    const RebuildReport r = RebuildIndex(db, sink);
    EXPECT_TRUE(r.rebuilt);
    EXPECT_EQ(r.unusable_records, 1u);
    ASSERT_EQ(db.Entries().size(), 3u);
    EXPECT_EQ(db.Entries()[0].tag, "X");
    EXPECT_EQ(db.Entries()[0].position, 0);
    EXPECT_EQ(db.Entries()[1].tag, "Y");
    EXPECT_EQ(db.Entries()[1].position, 5600);
    EXPECT_EQ(db.Entries()[2].tag, "X");
    EXPECT_EQ(db.Entries()[2].position, 8400);
}

TEST_F(MaintenanceTest, RebuildWithoutARecordFileGivesError34AndKeepsTheIndex) {
    Store({"A"});
    const std::string idx = ReadFileBytes(paths_.Index(), 1 << 20).value();
    fs::remove(paths_.Records());
    RecordingMessageSink sink(MessageAnswer::No);
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    sink.messages.clear();
    EXPECT_FALSE(RebuildIndex(db, sink).rebuilt);
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrReindex});
    EXPECT_EQ(ReadFileBytes(paths_.Index(), 1 << 20).value(), idx);
}

TEST_F(MaintenanceTest, CancelledPackOrRebuildChangesNothing) {
    Store({"A", "B"}, {"A"});
    const std::string fdb = ReadFileBytes(paths_.Records(), 1 << 20).value();
    const std::string idx = ReadFileBytes(paths_.Index(), 1 << 20).value();
    RecordingMessageSink sink;
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    const auto cancel = [](std::size_t, std::size_t) { return false; };
    EXPECT_TRUE(PackProject(db, sink, cancel).cancelled);
    EXPECT_TRUE(RebuildIndex(db, sink, cancel).cancelled);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(ReadFileBytes(paths_.Records(), 1 << 20).value(), fdb);
    EXPECT_EQ(ReadFileBytes(paths_.Index(), 1 << 20).value(), idx);
    for (const std::string& temp : paths_.Temporaries()) EXPECT_FALSE(fs::exists(temp)) << temp;
}

}  // namespace
}  // namespace quorven
