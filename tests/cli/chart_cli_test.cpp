// quorven-cli chart, run as a user runs it: the chart's flows are the flows that
// `calc` finds in flow mode at the same differentials, and the tag file is not
// written.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;

// Natural gas (SG 0.6) by volume at base conditions through a flange-tapped
// concentric orifice in a 4.026 in line: 250 000 scfh at 100 inH2O.
const char* const kGasOrifice =
    "Tag_No=FE-101 Calc_Mode=1123 Calc_SizeParam=1120 Meter_Type=1128 Fluid_Equation=1352 "
    "Fluid_Condition=1354 Fluid_Property=1356 Unit_Flow_Set=1 Unit_Flow=1 Property_MwDenVp=0.6 "
    "Base_RhoGZ=0.998 Flow_RhoGZ=0.97 Flow_Press=264.7 Flow_Temp=539.67 Property_Visc=0.011 "
    "Property_KFp=1.3 Pipe_IDia=4.026 Flow_Max=250000 Flow_Norm=200000 Dp_Max=100";

class ChartCliTest : public quorven::clitest::CliFixture {
protected:
    void MakeTag(const char* name, const std::string& assignments) {
        ASSERT_EQ(Cli("tag new " + Tag(name)).status, 0);
        const CliRun set = Cli("tag set " + Tag(name) + " " + assignments);
        ASSERT_EQ(set.status, 0) << set.err;
    }
    // The CSV rows after the header, split at commas.
    static std::vector<std::vector<std::string>> Rows(const std::string& csv, std::string& header) {
        std::istringstream in(csv);
        std::getline(in, header);
        std::vector<std::vector<std::string>> rows;
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> cells;
            std::istringstream l(line);
            for (std::string c; std::getline(l, c, ',');) cells.push_back(c);
            if (!line.empty() && line.back() == ',') cells.emplace_back();
            rows.push_back(cells);
        }
        return rows;
    }
};

TEST_F(ChartCliTest, FlowsAgreeWithCalcInFlowModeAndTheTagIsNotWritten) {
    MakeTag("fe.tag", kGasOrifice);
    ASSERT_EQ(Cli("calc " + Tag("fe.tag") + " --out " + Tag("fe.tag")).status, 0);
    const std::string before = Bytes("fe.tag");

    const CliRun run = Cli("chart " + Tag("fe.tag") + " --csv");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Bytes("fe.tag"), before);
    std::string header;
    const auto rows = Rows(run.out, header);
    EXPECT_EQ(header, R"x("Percent","dP (in WC)","Flow (scfh)","dP (inH2O)","Flow (scfh)")x");
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[99][0], "100");

    for (int p : {25, 50, 100}) {
        SCOPED_TRACE(p);
        const std::string name = "at" + std::to_string(p) + ".tag";
        // The sized tag with the flow as the sizing parameter at p % of 100 inH2O.
        ASSERT_TRUE(std::filesystem::copy_file(dir_ / "fe.tag", dir_ / name,
                                               std::filesystem::copy_options::overwrite_existing));
        const std::string dp = std::to_string(p);
        ASSERT_EQ(Cli("tag set " + Tag(name.c_str()) + " Calc_SizeParam=1122 Dp_Max=" + dp + " Dp_Norm=" + dp)
                      .status,
                  0);
        const CliRun calc = Cli("calc --json " + Tag(name.c_str()));
        ASSERT_EQ(calc.status, 0) << calc.err;
        const double flow = nlohmann::json::parse(calc.out)["Flow_Norm"].get<double>();
        const auto& row = rows[static_cast<std::size_t>(p - 1)];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(std::stod(row[3]), p * 1.0);
        EXPECT_NEAR(std::stod(row[4]) / flow, 1.0, 1e-12);
        EXPECT_NEAR(std::stod(row[2]) / flow, 1.0, 1e-12);  // scfh shown as scfh
    }
}

TEST_F(ChartCliTest, CriticalDropDeviceGetsNoChartButAClearMessage) {
    MakeTag("fo.tag",
            "Calc_Mode=1124 Calc_SizeParam=1122 Meter_Type=1374 Pipe_IDia=4.026 Bore=0.5 Flow_Temp=527.67 "
            "Flow_Press=100 Fluid_Equation=1353 Fluid_Condition=1355 Fluid_Property=1357 "
            "Property_MwDenVp=28.9625 Property_KFp=1.4 Property_Visc=0.018 Dp_Max=100");
    const CliRun run = Cli("chart " + Tag("fo.tag") + " --csv");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("No flow calibration chart for a critical-drop device"), std::string::npos)
        << run.err;
}

TEST_F(ChartCliTest, JsonMarksPointsWithoutASolution) {
    // A gas restriction at 50 psia that is to lose 40 psi: the high losses are sonic.
    MakeTag("ro.tag",
            "Calc_Mode=1125 Calc_SizeParam=1122 Meter_Type=1360 C=0.6 Pipe_IDia=4.026 Bore=2 "
            "Flow_Temp=527.67 Flow_Press=50 Fluid_Equation=1353 Fluid_Condition=1355 Fluid_Property=1357 "
            "Property_MwDenVp=18.83 Property_KFp=1.3 Property_Visc=0.011 Flow_RhoGZ=0.95 Flow_Max=4000 "
            "Flow_Norm=4000 Dp_Max=1109.19068");
    const CliRun run = Cli("chart --json " + Tag("ro.tag"));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["relation"], "restriction");
    ASSERT_EQ(j["points"].size(), 100u);
    EXPECT_TRUE(j["points"][0]["flow"].is_number());
    EXPECT_TRUE(j["points"][99]["flow"].is_null());
    EXPECT_EQ(j["points"][99]["error"], quorven::msg::kErrSonicFlow);
    EXPECT_NE(run.err.find("points have no flow solution"), std::string::npos);
}

}  // namespace
