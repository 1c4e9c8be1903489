// quorven-cli run as a user runs it: a child process, its output and exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "record/file_io.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               (std::string("quorven-cli-") + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const std::string& args) {
        const std::string err_path = (dir_ / "stderr.txt").string();
        const std::string cmd = std::string(QUORVEN_CLI) + " " + args + " 2>" + Quote(err_path);
        CliRun run{};
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) return {-1, "", "popen failed"};
        std::array<char, 4096> buf;
        std::size_t n;
        while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) run.out.append(buf.data(), n);
        const int raw = pclose(p);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.err = quorven::ReadFileBytes(err_path, 1 << 20).value_or("");
        return run;
    }
    std::string Tag(const char* name) const { return Quote((dir_ / name).string()); }
    std::string Bytes(const char* name) const {
        return quorven::ReadFileBytes((dir_ / name).string(), 1 << 20).value_or("");
    }
    fs::path dir_;
};

TEST_F(CliTest, NewTagHoldsTheNewDocumentValues) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    const std::string b = Bytes("a.tag");
    ASSERT_EQ(b.size(), 2800u);
    double base_press;
    std::memcpy(&base_press, b.data() + 928, 8);
    EXPECT_EQ(base_press, 14.69595);
    EXPECT_STREQ(b.data() + 100, "Jan 1, 2001");

    const CliRun show = Cli("tag show --json " + Tag("a.tag"));
    ASSERT_EQ(show.status, 0) << show.err;
    const auto j = nlohmann::json::parse(show.out);
    EXPECT_EQ(j["DpRefTemp"], 527.67);
    EXPECT_EQ(j["Unit_Dens_Text"], "lb/ft3");
    EXPECT_EQ(j["Calc_Std"], 1703);
    EXPECT_EQ(j["Pad565"], "000000");
    EXPECT_EQ(j.size(), 231u);

    const CliRun plain = Cli("tag show " + Tag("a.tag"));
    EXPECT_NE(plain.out.find("Base_Press = 14.69595\n"), std::string::npos);
}

TEST_F(CliTest, SetThenShowReturnsWhatWasSet) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    const CliRun set = Cli("tag set " + Tag("a.tag") +
                        " Tag_No=FE-101 'Service=Fuel gas to H-101 \u00B0' Flow_Max=1.25e5 Meter_Type=1150 Beta=0.5");
    ASSERT_EQ(set.status, 0) << set.err;
    const auto j = nlohmann::json::parse(Cli("tag show --json " + Tag("a.tag")).out);
    EXPECT_EQ(j["Tag_No"], "FE-101");
    EXPECT_EQ(j["Service"], "Fuel gas to H-101 \u00B0");
    EXPECT_EQ(j["Flow_Max"], 125000.0);
    EXPECT_EQ(j["Meter_Type"], 1150);
    EXPECT_EQ(j["Beta"], 0.5);
    EXPECT_EQ(Bytes("a.tag")[23 + 18], '\xB0');  // stored as Windows-1252
}

TEST_F(CliTest, LongTextIsCutWithAWarning) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    const CliRun set = Cli("tag set " + Tag("a.tag") + " Tag_No=ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(set.status, 0);
    EXPECT_NE(set.err.find("at most 18 characters"), std::string::npos);
    const auto j = nlohmann::json::parse(Cli("tag show --json " + Tag("a.tag")).out);
    EXPECT_EQ(j["Tag_No"], "ABCDEFGHIJKLMNOPQR");
}

TEST_F(CliTest, BadInputToSetLeavesTheFileByteIdentical) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    ASSERT_EQ(Cli("tag set " + Tag("a.tag") + " Tag_No=KEEP").status, 0);
    const std::string before = Bytes("a.tag");
    const char* bad[] = {
        "No_Such_Field=1", "Flow_Max=abc",     "Flow_Max=nan",      "Flow_Max=inf",
        "Flow_Max=1e999",  "Meter_Type=1127",  "Calc_Mode=1",       "Fluid_Equation=1.5",
        "Tap_Style=9",     "Rec_Reserved=00",  "NoEqualsSign",      "Flow_Max=",
    };
    for (const char* b : bad) {
        SCOPED_TRACE(b);
        // The good assignment before the bad one must not be written either.
        const CliRun r = Cli("tag set " + Tag("a.tag") + " Flow_Max=5 " + Quote(b));
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find("Nothing was written"), std::string::npos) << r.err;
        EXPECT_EQ(Bytes("a.tag"), before);
    }
}

TEST_F(CliTest, UnreadableTagFilesGiveError49) {
    std::ofstream((dir_ / "short.tag").string(), std::ios::binary) << std::string(2799, 'x');
    for (const char* cmd : {"tag show ", "tag set "}) {
        const CliRun r = Cli(std::string(cmd) + Tag("short.tag") + (cmd[4] == 's' && cmd[5] == 'e' ? " Beta=1" : ""));
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Error #49: Error occurred while attempting to read tag file."), std::string::npos);
    }
    EXPECT_EQ(Bytes("short.tag").size(), 2799u);
    const CliRun missing = Cli("tag show " + Tag("missing.tag"));
    EXPECT_EQ(missing.status, 1);
}

TEST_F(CliTest, UnwritableTargetGivesError48) {
    const CliRun r = Cli("tag new " + Quote((dir_ / "no" / "dir" / "x.tag").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error #48: "), std::string::npos);
}

TEST_F(CliTest, MessagesAsTheProgramShowsThem) {
    const CliRun w = Cli("message warning 4 0.8 0.2 0.75");
    ASSERT_EQ(w.status, 0);
    EXPECT_EQ(w.out,
              "Warning #4\nRecommended beta range is:\n0.200 <= \u00DF <= 0.750\nCalculated \u00DF is 0.80000\n"
              "Flow coefficient accuracy shall diminish!\nConsult with your manufacturer!\n");
    const CliRun e = Cli("message error 201 --json");
    ASSERT_EQ(e.status, 0);
    EXPECT_EQ(nlohmann::json::parse(e.out)["caption"], "Error #200");
    const CliRun unknown = Cli("message error 39");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.out.empty());
}

TEST_F(CliTest, UsageErrorsExitNonZero) {
    EXPECT_NE(Cli("").status, 0);
    EXPECT_NE(Cli("frobnicate").status, 0);
    EXPECT_NE(Cli("tag show").status, 0);
    EXPECT_NE(Cli("message warning notanumber").status, 0);
    EXPECT_EQ(Cli("--help").status, 0);
}

}  // namespace
