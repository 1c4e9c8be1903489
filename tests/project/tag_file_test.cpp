#include "project/tag_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "record/file_io.h"
#include "record/record_io.h"

namespace quorven {
namespace {

namespace fs = std::filesystem;

class TagFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorven-tagfile-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(TagFileTest, WriteThenReadKeepsAll2800Bytes) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-101");
    r.Rec_Reserved[2] = 0x5A;  // reserved and padding bytes travel unchanged
    r.Pad565[1] = 0x11;
    r.Flow_Max = 12345.678;
    RecordingMessageSink sink;
    ASSERT_TRUE(WriteTagFile(Path("a.tag"), r, sink));
    EXPECT_EQ(fs::file_size(Path("a.tag")), 2800u);
    TagRecord back = NewTagRecord();
    ASSERT_TRUE(ReadTagFile(Path("a.tag"), back, sink));
    EXPECT_EQ(RecordToBytes(back), RecordToBytes(r));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(fs::exists(Path(".a.tag.quorven-new")));
}

TEST_F(TagFileTest, WrongLengthOrMissingFileGivesError49AndKeepsTheRecord) {
    for (std::size_t size : {0u, 2799u, 2801u}) {
        SCOPED_TRACE(size);
        std::ofstream(Path("bad.tag"), std::ios::binary) << std::string(size, '\x01');
        TagRecord current = NewTagRecord();
        SetText(current.Tag_No, "KEEP");
        const std::string before = RecordToBytes(current);
        RecordingMessageSink sink;
        EXPECT_FALSE(ReadTagFile(Path("bad.tag"), current, sink));
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrTagFileRead});
        EXPECT_EQ(RecordToBytes(current), before);
    }
    RecordingMessageSink sink;
    TagRecord current = NewTagRecord();
    EXPECT_FALSE(ReadTagFile(Path("none.tag"), current, sink));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrTagFileRead});
}

TEST_F(TagFileTest, CorruptCodesAreRepairedAndReported) {
    TagRecord r = NewTagRecord();
    r.Meter_Type = 4242;
    std::ofstream(Path("c.tag"), std::ios::binary) << RecordToBytes(r);
    TagRecord back = NewTagRecord();
    std::vector<RecordRepair> repairs;
    RecordingMessageSink sink;
    ASSERT_TRUE(ReadTagFile(Path("c.tag"), back, sink, &repairs));
    ASSERT_EQ(repairs.size(), 1u);
    EXPECT_EQ(repairs[0].field, "Meter_Type");
    EXPECT_EQ(back.Meter_Type, Code(MeterType::ConcentricOrifice));
}

TEST_F(TagFileTest, AFlowUnitThatDisagreesWithTheUnitShownIsReselected) {
    // Written by an older program: the box shows scfd (Unit_Flow_Set 0) while the
    // factor is that of scfh. Read back, the tag computes in the unit it shows.
    TagRecord r = NewTagRecord();
    r.Unit_Flow_Set = 0;
    r.Unit_Flow = 1.0;
    SetText(r.Unit_Flow_Text, "scfh");
    std::ofstream(Path("old.tag"), std::ios::binary) << RecordToBytes(r);
    TagRecord back = NewTagRecord();
    RecordingMessageSink sink;
    ASSERT_TRUE(ReadTagFile(Path("old.tag"), back, sink));
    EXPECT_EQ(back.Unit_Flow_Set, 0);
    EXPECT_EQ(back.Unit_GasBaseFlow_Set, 0);
    EXPECT_EQ(GetText(back.Unit_Flow_Text), "scfd");
    EXPECT_EQ(back.Unit_Flow, 24.0);  // hours per day: scfd per scfh
}

TEST_F(TagFileTest, FailedWriteGivesError48AndLeavesTheEarlierFileWhole) {
    // The target is a directory: the rename over it fails after the temporary file was written.
    fs::create_directories(Path("taken.tag"));
    std::ofstream(Path("taken.tag") + "/inside", std::ios::binary) << "x";
    RecordingMessageSink sink;
    EXPECT_FALSE(WriteTagFile(Path("taken.tag"), NewTagRecord(), sink));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrTagFileWrite});
    EXPECT_TRUE(fs::is_directory(Path("taken.tag")));
    EXPECT_FALSE(fs::exists(Path(".taken.tag.quorven-new")));

    // A directory that does not exist: nothing can be created.
    RecordingMessageSink sink2;
    EXPECT_FALSE(WriteTagFile(Path("no/such/dir/x.tag"), NewTagRecord(), sink2));
    EXPECT_EQ(sink2.Numbers(), std::vector<int>{msg::kErrTagFileWrite});
}

TEST_F(TagFileTest, ReplacingAFileKeepsNoPartialState) {
    RecordingMessageSink sink;
    TagRecord first = NewTagRecord();
    SetText(first.Tag_No, "FIRST");
    ASSERT_TRUE(WriteTagFile(Path("t.tag"), first, sink));
    TagRecord second = NewTagRecord();
    SetText(second.Tag_No, "SECOND");
    ASSERT_TRUE(WriteTagFile(Path("t.tag"), second, sink));
    const auto bytes = ReadFileBytes(Path("t.tag"), 4096);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, RecordToBytes(second));
}

}  // namespace
}  // namespace quorven
