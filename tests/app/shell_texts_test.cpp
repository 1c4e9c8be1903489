#include "app/commands/shell_texts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace quorven {
namespace {

TEST(DateText, DayThreeLetterEnglishMonthYear) {
    // "%d %3s %4d" worked by hand.
    struct Case {
        int y, m, d;
        const char* text;
    };
    const Case kCases[] = {
        {2026, 12, 10, "10 Dec 2026"}, {2001, 1, 1, "1 Jan 2001"}, {1999, 5, 31, "31 May 1999"},
        {2024, 2, 29, "29 Feb 2024"},  {2026, 0, 10, ""},          {2026, 13, 10, ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DateText(c.y, c.m, c.d), c.text);
    }
    // Today's text fits the record's 15-byte Date field.
    const std::string today = TodayDateText();
    EXPECT_GE(today.size(), 10u);
    EXPECT_LT(today.size(), sizeof(TagRecord{}.Date));
}

TEST(VersionText, FromTheRecordReleaseFields) {
    TagRecord r = NewTagRecord();
    EXPECT_EQ(VersionText(r), "4.4.0");  // release 4, 4, 0 of a new record
    r.Rel_Build = 12;
    EXPECT_EQ(VersionText(r), "4.4.12");
    EXPECT_EQ(ProgramNameAndVersion(), "Quorven 4.4.0");
}

TEST(StartupPath, RelativeNamesFollowTheStartingDirectory) {
    struct Case {
        const char* arg;
        const char* start;
        const char* resolved;
    };
    const Case kCases[] = {
        {"plant.fil", "/home/eng/work", "/home/eng/work/plant.fil"},
        {"jobs/plant.fil", "/home/eng/work", "/home/eng/work/jobs/plant.fil"},
        {"\"My Plant.fil\"", "/home/eng/work", "/home/eng/work/My Plant.fil"},
        {"../plant.fil", "/home/eng/work", "/home/eng/plant.fil"},
        {"/data/p/plant.fil", "/home/eng/work", "/data/p/plant.fil"},
        {"\"\"", "/home/eng/work", ""},
        {"", "/home/eng/work", ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.arg);
        EXPECT_EQ(ResolveStartupPath(c.arg, c.start).string(), c.resolved);
    }
}

TEST(RecentFiles, NewestFirstNoRepeatsAtMostFour) {
    std::vector<std::string> list;
    for (const char* name : {"/a.fil", "/b.fil", "/c.fil", "/d.fil"}) list = AddRecentFile(list, name);
    EXPECT_EQ(list, (std::vector<std::string>{"/d.fil", "/c.fil", "/b.fil", "/a.fil"}));
    list = AddRecentFile(list, "/b.fil");  // reopened: moves to the top
    EXPECT_EQ(list, (std::vector<std::string>{"/b.fil", "/d.fil", "/c.fil", "/a.fil"}));
    list = AddRecentFile(list, "/e.fil");  // a fifth pushes the oldest out
    EXPECT_EQ(list, (std::vector<std::string>{"/e.fil", "/b.fil", "/d.fil", "/c.fil"}));
    // A damaged profile: blanks, repeats and too many names.
    EXPECT_EQ(CleanRecentFiles({"", "/x", "/x", "/y", "", "/z", "/w", "/v"}),
              (std::vector<std::string>{"/x", "/y", "/z", "/w"}));
}

TEST(ChooserFilter, PipeListBecomesQtFilter) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case kCases[] = {
        {"Project Files (*.fil)|*.fil||", "Project Files (*.fil)"},
        {"ASCII Files (*.csv;*.txt;*.asc)|*.csv;*.txt;*.asc|All Files (*.*)|*.*||",
         "ASCII Files (*.csv *.txt *.asc);;All Files (*.*)"},
        {"Tag Files|*.tag||", "Tag Files (*.tag)"},
        {"", ""},
        {"broken", ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ChooserFilterText(c.in), c.out);
    }
    EXPECT_EQ(WithDefaultExtension("/p/plant", "fil"), "/p/plant.fil");
    EXPECT_EQ(WithDefaultExtension("/p/plant.fil", "fil"), "/p/plant.fil");
    EXPECT_EQ(WithDefaultExtension("/p/plant.v2/x", "tag"), "/p/plant.v2/x.tag");
}

TEST(UserData, ReadOnlyProgramDirectorySendsDataToTheUserDirectory) {
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path() / ("quorven-userdata-" + std::to_string(getpid()));
    fs::create_directories(base / "prog");
    fs::create_directories(base / "user");
    EXPECT_EQ(UserDataDirectory(base / "prog", base / "user"), base / "prog");
    EXPECT_EQ(UserDataDirectory(base / "missing", base / "user"), base / "user");
    EXPECT_TRUE(fs::is_empty(base / "prog"));  // the probe leaves nothing behind
    fs::permissions(base / "prog", fs::perms::owner_read | fs::perms::owner_exec);
    if (IsDirectoryWritable(base / "prog")) {
        fs::permissions(base / "prog", fs::perms::owner_all);
        fs::remove_all(base);
        GTEST_SKIP() << "running as a user who may write anywhere";
    }
    EXPECT_EQ(UserDataDirectory(base / "prog", base / "user"), base / "user");
    fs::permissions(base / "prog", fs::perms::owner_all);
    fs::remove_all(base);
}

}  // namespace
}  // namespace quorven
