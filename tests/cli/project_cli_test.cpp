// quorven-cli project ...: projects made, filled, read and removed from the command line.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;
namespace fs = std::filesystem;

// A tag file's bytes as the project stores them: with the current-format marker
// (int32 1 at offset 772).
std::string Stored(std::string bytes) {
    const int32_t one = 1;
    if (bytes.size() >= 776) std::memcpy(bytes.data() + 772, &one, sizeof one);
    return bytes;
}

class ProjectCliTest : public quorven::clitest::CliFixture {
protected:
    std::string P() const { return Tag("Plant.fil"); }
    void MakeTag(const char* file, const std::string& fields) {
        ASSERT_EQ(Cli("tag new " + Tag(file)).status, 0);
        const CliRun set = Cli("tag set " + Tag(file) + " " + fields);
        ASSERT_EQ(set.status, 0) << set.err;
    }
};

TEST_F(ProjectCliTest, NewPutListGetRoundTrip) {
    const CliRun created = Cli("project new " + Tag("Plant"));
    ASSERT_EQ(created.status, 0) << created.err;
    for (const char* f : {"Plant.fil", "Plant.fdb", "Plant.idx"}) EXPECT_TRUE(fs::exists(dir_ / f)) << f;
    EXPECT_EQ(fs::file_size(dir_ / "Plant.fil"), 3352u);

    MakeTag("a.tag", "Tag_No=FE-101 'Service=Fuel gas' Calc_Status=1");
    MakeTag("b.tag", "Tag_No=FT-202 'Service=Cooling water'");
    ASSERT_EQ(Cli("project put " + P() + " " + Tag("a.tag")).status, 0);
    ASSERT_EQ(Cli("project put " + P() + " " + Tag("b.tag")).status, 0);
    EXPECT_EQ(fs::file_size(dir_ / "Plant.fdb"), 5600u);
    EXPECT_EQ(fs::file_size(dir_ / "Plant.idx"), 48u);

    const CliRun list = Cli("project list " + P());
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "FE-101\tFuel gas\tcalculated\nFT-202\tCooling water\tnot calculated\n");
    const CliRun json = Cli("project list --json " + P());
    const auto j = nlohmann::json::parse(json.out);
    ASSERT_EQ(j["tags"].size(), 2u);
    EXPECT_EQ(j["tags"][1]["position"], 2800);
    EXPECT_EQ(j["ok"], true);

    ASSERT_EQ(Cli("project get " + P() + " FT-202 --out " + Tag("back.tag")).status, 0);
    EXPECT_EQ(Bytes("back.tag"), Stored(Bytes("b.tag")));
    EXPECT_NE(Bytes("b.tag"), Stored(Bytes("b.tag")));  // the tag file had no marker
    const CliRun missing = Cli("project get " + P() + " NOPE --out " + Tag("x.tag"));
    EXPECT_NE(missing.status, 0);
    EXPECT_FALSE(fs::exists(dir_ / "x.tag"));
}

TEST_F(ProjectCliTest, PutRefusesAStoredTagUnlessToldToReplace) {
    ASSERT_EQ(Cli("project new " + Tag("Plant")).status, 0);
    MakeTag("a.tag", "Tag_No=FE-101 Flow_Max=100");
    ASSERT_EQ(Cli("project put " + P() + " " + Tag("a.tag")).status, 0);
    MakeTag("a2.tag", "Tag_No=FE-101 Flow_Max=200");
    const CliRun refused = Cli("project put " + P() + " " + Tag("a2.tag"));
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("--replace"), std::string::npos);
    ASSERT_EQ(Cli("project put " + P() + " " + Tag("a2.tag") + " --replace").status, 0);
    ASSERT_EQ(Cli("project get " + P() + " FE-101 --out " + Tag("back.tag")).status, 0);
    EXPECT_EQ(Bytes("back.tag"), Stored(Bytes("a2.tag")));
    EXPECT_EQ(fs::file_size(dir_ / "Plant.fdb"), 2800u);  // replaced in place
}

// A tag file whose record the check would change (written by another program: a
// gas equation with a liquid's condition) is refused as tag set and import refuse
// such values; nothing is stored.
TEST_F(ProjectCliTest, PutRefusesATagFileTheRecordCheckWouldChange) {
    ASSERT_EQ(Cli("project new " + Tag("Plant")).status, 0);
    MakeTag("a.tag", "Tag_No=FE-101");
    std::string bytes = Bytes("a.tag");
    const int32_t liquid_flowing = 1348;
    std::memcpy(bytes.data() + 660, &liquid_flowing, sizeof liquid_flowing);  // Fluid_Condition
    std::ofstream(dir_ / "a.tag", std::ios::binary) << bytes;
    const CliRun put = Cli("project put " + P() + " " + Tag("a.tag"));
    EXPECT_NE(put.status, 0);
    EXPECT_NE(put.err.find("Fluid_Condition 1348 does not go with Fluid_Equation 1352"), std::string::npos)
        << put.err;
    EXPECT_NE(put.err.find("Error #49"), std::string::npos);
    EXPECT_EQ(fs::file_size(dir_ / "Plant.fdb"), 0u);
    EXPECT_EQ(fs::file_size(dir_ / "Plant.idx"), 0u);
}

TEST_F(ProjectCliTest, DeleteTagThenDeleteProjectOnlyWithYes) {
    ASSERT_EQ(Cli("project new " + Tag("Plant")).status, 0);
    MakeTag("a.tag", "Tag_No=FE-101");
    ASSERT_EQ(Cli("project put " + P() + " " + Tag("a.tag")).status, 0);
    ASSERT_EQ(Cli("project delete-tag " + P() + " FE-101").status, 0);
    EXPECT_NE(Cli("project delete-tag " + P() + " FE-101").status, 0);
    EXPECT_EQ(Cli("project list " + P()).out, "");
    EXPECT_NE(Cli("project delete " + P()).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "Plant.fil"));
    ASSERT_EQ(Cli("project delete " + P() + " --yes").status, 0);
    for (const char* f : {"Plant.fil", "Plant.fdb", "Plant.idx"}) EXPECT_FALSE(fs::exists(dir_ / f)) << f;
}

TEST_F(ProjectCliTest, NewRefusesTheReservedNameAndAnExistingProject) {
    EXPECT_NE(Cli("project new " + Tag("PROJECT")).status, 0);
    EXPECT_FALSE(fs::exists(dir_ / "PROJECT.fil"));
    ASSERT_EQ(Cli("project new " + Tag("Plant")).status, 0);
    const CliRun again = Cli("project new " + Tag("Plant"));
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.err.find("already exists"), std::string::npos);
}

TEST_F(ProjectCliTest, SettingsAreShownAndSetAndBadValuesWriteNothing) {
    ASSERT_EQ(Cli("project new " + Tag("Plant")).status, 0);
    const CliRun set =
        Cli("project settings " + P() + " 'Company_Name=Acme Flow' Client=Refinery Unit_Press_Set=3");
    ASSERT_EQ(set.status, 0) << set.err;
    const std::string before = Bytes("Plant.fil");
    EXPECT_NE(Cli("project settings " + P() + " Unit_Press_Set=99").status, 0);
    EXPECT_NE(Cli("project settings " + P() + " Colour=red").status, 0);
    EXPECT_NE(Cli("project settings " + P() + " Client=" + std::string(31, 'x')).status, 0);
    const CliRun omega = Cli("project settings " + P() + " Client=\xCE\xA9-Works");  // capital omega
    EXPECT_NE(omega.status, 0);
    EXPECT_NE(omega.err.find("Error #1004"), std::string::npos) << omega.err;
    EXPECT_EQ(Bytes("Plant.fil"), before);
    const auto j = nlohmann::json::parse(Cli("project info --json " + P()).out);
    EXPECT_EQ(j["settings"]["Company_Name"], "Acme Flow");
    EXPECT_EQ(j["settings"]["Client"], "Refinery");
    EXPECT_EQ(j["settings"]["Unit_Press_Set"], 3);
    EXPECT_EQ(j["tags"], 0);
}

TEST_F(ProjectCliTest, DamagedIndexIsReportedAndNothingChanges) {
    ASSERT_EQ(Cli("project new " + Tag("Plant")).status, 0);
    MakeTag("a.tag", "Tag_No=FE-101");
    ASSERT_EQ(Cli("project put " + P() + " " + Tag("a.tag")).status, 0);
    {
        // An entry that points past the end of the record file.
        std::ofstream idx(dir_ / "Plant.idx", std::ios::binary | std::ios::app);
        std::string entry = "FT-999";
        entry.resize(20, '\0');
        entry += std::string("\x60\x6D\x00\x00", 4);  // 28000
        idx << entry;
    }
    const std::string idx_before = Bytes("Plant.idx");
    const CliRun list = Cli("project list " + P());
    EXPECT_NE(list.status, 0);
    EXPECT_NE(list.err.find("Error #41"), std::string::npos) << list.err;
    EXPECT_EQ(list.out, "FE-101\t\tnot calculated\n");
    MakeTag("b.tag", "Tag_No=FT-202");
    EXPECT_NE(Cli("project put " + P() + " " + Tag("b.tag")).status, 0);
    EXPECT_EQ(Bytes("Plant.idx"), idx_before);
}

TEST_F(ProjectCliTest, TheBundledDemoProjectHoldsADozenCalculatedTags) {
    const CliRun list = Cli("project list --json " + quorven::clitest::Quote(QUORVEN_DEMO_PROJECT));
    ASSERT_EQ(list.status, 0) << list.err;
    const auto j = nlohmann::json::parse(list.out);
    ASSERT_EQ(j["tags"].size(), 12u);
    for (const auto& t : j["tags"]) EXPECT_EQ(t["status"], "calculated") << t["tag"];
    EXPECT_EQ(j["tags"][0]["tag"], "FE-101");
}

}  // namespace
