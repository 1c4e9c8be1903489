#include "record/file_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "record/file_doubles.h"

namespace quorven {
namespace {

namespace fs = std::filesystem;

class FileLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorven-files-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    std::string Bytes(const char* name) const {
        return ReadFileBytes(Path(name), 1 << 20).value_or("<missing>");
    }
    fs::path dir_;
    DiskFileLayer disk_;
};

TEST_F(FileLayerTest, ReplaceWritesWholeFilesKeepsPermissionsAndLeavesNoTemporary) {
    ASSERT_TRUE(disk_.Replace(Path("a.fil"), "first"));
    fs::permissions(Path("a.fil"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(disk_.Replace(Path("a.fil"), "second, longer"));
    EXPECT_EQ(Bytes("a.fil"), "second, longer");
    EXPECT_EQ(fs::status(Path("a.fil")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_FALSE(fs::exists(ReplacementTempPath(Path("a.fil"))));
    EXPECT_EQ(ReplacementTempPath("/d/P.idx"), "/d/.P.idx.quorven-new");
}

TEST_F(FileLayerTest, AFileMarkedReadOnlyIsNeverWritten) {
    ASSERT_TRUE(disk_.Replace(Path("ro.fil"), "keep"));
    fs::permissions(Path("ro.fil"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(disk_.Replace(Path("ro.fil"), "changed"));
    EXPECT_FALSE(disk_.WriteAt(Path("ro.fil"), 0, "X"));
    EXPECT_FALSE(disk_.Truncate(Path("ro.fil"), 1));
    EXPECT_EQ(Bytes("ro.fil"), "keep");
}

TEST_F(FileLayerTest, WriteAtChangesInPlaceAndGrowsOnlyAtTheEnd) {
    ASSERT_TRUE(disk_.Replace(Path("r.fdb"), "abcdef"));
    EXPECT_TRUE(disk_.WriteAt(Path("r.fdb"), 2, "XY"));
    EXPECT_TRUE(disk_.WriteAt(Path("r.fdb"), 6, "gh"));
    EXPECT_FALSE(disk_.WriteAt(Path("r.fdb"), 9, "zz"));  // would leave a hole
    EXPECT_FALSE(disk_.WriteAt(Path("none.fdb"), 0, "zz"));
    EXPECT_EQ(Bytes("r.fdb"), "abXYefgh");
    EXPECT_FALSE(fs::exists(Path("none.fdb")));
    EXPECT_TRUE(disk_.Truncate(Path("r.fdb"), 3));
    EXPECT_FALSE(disk_.Truncate(Path("r.fdb"), 4));
    EXPECT_EQ(Bytes("r.fdb"), "abX");

    std::string out;
    EXPECT_TRUE(disk_.ReadAt(Path("r.fdb"), 1, 2, out));
    EXPECT_EQ(out, "bX");
    EXPECT_FALSE(disk_.ReadAt(Path("r.fdb"), 2, 2, out));  // fewer bytes there
    EXPECT_TRUE(disk_.Remove(Path("r.fdb")));
    EXPECT_TRUE(disk_.Remove(Path("r.fdb")));  // gone is gone
    EXPECT_FALSE(disk_.Stat(Path("r.fdb")));
}

TEST(FaultyFileLayer, CountsStepsAndStopsWritingAfterAKill) {
    MemoryFileLayer memory;
    memory.files["f"] = "0123456789";
    FaultyFileLayer faulty(memory, 2, FileFault::Kill);
    EXPECT_TRUE(faulty.WriteAt("f", 0, "AB"));
    EXPECT_FALSE(faulty.WriteAt("f", 2, "CDEF"));  // half of it lands
    EXPECT_FALSE(faulty.Replace("g", "new"));
    EXPECT_FALSE(faulty.Remove("f"));
    EXPECT_EQ(faulty.Steps(), 4);
    EXPECT_EQ(memory.files["f"], "ABCD456789");
    EXPECT_FALSE(memory.files.count("g"));

    MemoryFileLayer m2;
    m2.files["f"] = "0123";
    FaultyFileLayer once(m2, 1, FileFault::Fail);
    EXPECT_FALSE(once.WriteAt("f", 0, "AB"));
    EXPECT_TRUE(once.WriteAt("f", 0, "AB"));
    EXPECT_EQ(m2.files["f"], "AB23");
}

}  // namespace
}  // namespace quorven
