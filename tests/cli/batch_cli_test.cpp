// quorven-cli clear-calc, batch, export, import, pack and rebuild-index run as a
// user runs them.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;

class BatchCliTest : public quorven::clitest::CliFixture {
protected:
    nlohmann::json Show(const char* name) {
        return nlohmann::json::parse(Cli("tag show --json " + Tag(name)).out);
    }
};

TEST_F(BatchCliTest, ClearCalcBlanksTheTagAndItsDatasheetAndKeepsTheUnits) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    const CliRun set = Cli("tag set " + Tag("a.tag") +
                           " Tag_No=FE-1 Service=Steam Flow_Max=1000 Bore=2 Meter_Type=1690 Spec_No=S-1"
                           " Max_Press=300 Unit_Press_Set=3 Calc_Status=1 Uncert_Pipe=0.01");
    ASSERT_EQ(set.status, 0) << set.err;
    const CliRun clear = Cli("clear-calc " + Tag("a.tag"));
    ASSERT_EQ(clear.status, 0) << clear.err;
    const nlohmann::json t = Show("a.tag");
    EXPECT_EQ(t["Tag_No"], "");
    EXPECT_EQ(t["Service"], "");
    EXPECT_EQ(t["Flow_Max"], 0.0);
    EXPECT_EQ(t["Bore"], 0.0);
    EXPECT_EQ(t["Meter_Type"], 1128);
    EXPECT_EQ(t["Calc_Status"], 0);
    EXPECT_EQ(t["Spec_No"], "");
    EXPECT_EQ(t["Max_Press"], 0.0);
    EXPECT_EQ(t["Pipe_Sched_Text"], "STD");
    EXPECT_EQ(t["Unit_Press_Set"], 3);
    EXPECT_EQ(t["Uncert_Pipe"], 0.01);

    const CliRun missing = Cli("clear-calc " + Tag("none.tag"));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("Error #49"), std::string::npos) << missing.err;
}

}  // namespace
