// quorven-cli uncertainty and noise, run as a user runs them: a child process.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "record/file_io.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;
using quorven::clitest::Quote;

namespace fs = std::filesystem;

class UncertaintyCliTest : public quorven::clitest::CliFixture {
protected:
    // A new tag with the given fields set.
    void MakeTag(const char* name, const std::string& assignments) {
        ASSERT_EQ(Cli("tag new " + Tag(name)).status, 0);
        const CliRun set = Cli("tag set " + Tag(name) + " " + assignments);
        ASSERT_EQ(set.status, 0) << set.err;
    }
};

// Orifice, flange taps, beta 0.6 in 4.026 in pipe, gas at 100 psia.
const char* const kGasMeter =
    "Calc_Mode=1123 Meter_Type=1128 Tap_Style=1 Fluid_Equation=1352 Fluid_Condition=1354 "
    "Pipe_IDia=4.026 Bore=2.4156 Beta=0.6 Rd=1e6 Dp_Max=100 Dp_Norm=50 Flow_Press=100 "
    "AtmPress=14.696 Uncert_Incl=1 Uncert_StraightRun=1 Uncert_Bore=0.0007 Uncert_Pipe=0.004 "
    "Uncert_MeterXmtr=0.2 Uncert_RecvXmtr=0.2 Uncert_Press=0.2 Uncert_Temp=0.25 "
    "Uncert_GasFlowDens=0.1 Uncert_GasSG=0.1";

TEST_F(UncertaintyCliTest, PrintsTheMeterAndSystemUncertaintyOfTheStoredTag) {
    MakeTag("a.tag", kGasMeter);
    const std::string before = Bytes("a.tag");
    const CliRun run = Cli("uncertainty --json " + Tag("a.tag"));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    // Independent hand calculation (python3 of the root sum of squares): primary
    // element U_C 0.5, pipe and bore terms; system adds transducers, U_Y 0.072,
    // pressure, temperature, gravity and compressibility.
    EXPECT_NEAR(j["MeterUncert"].get<double>(), 0.5052812249110611, 1e-12);
    EXPECT_NEAR(j["MeterUncertShown"].get<double>(), 1.0052812249110611, 1e-12);
    EXPECT_NEAR(j["SystemUncert"].get<double>(), 0.6091946456163435, 1e-12);
    EXPECT_NEAR(j["ExpansionUncertainty"].get<double>(), 0.072, 1e-12);
    EXPECT_EQ(Bytes("a.tag"), before);  // nothing written
}

TEST_F(UncertaintyCliTest, NoiseOfALiquidRestrictionAndItsFailure) {
    MakeTag("l.tag",
            "Calc_Mode=1125 Meter_Type=1128 Fluid_Equation=1345 Fluid_Condition=1348 "
            "Fluid_Property=1350 Flow_RhoGZ=62.3 Flow_Max=30000 Flow_Norm=30000 Flow_Press=200 "
            "Property_MwDenVp=100 Bore=2 C=0.62 Pipe_NomDia=4 Pipe_IDia=4.026 Dp_Max=4159.47 "
            "Dp_Norm=4159.47 Dp_Loss=50 Factor_ManoGlocal=32.17405");
    CliRun run = Cli("noise --json " + Tag("l.tag"));
    ASSERT_EQ(run.status, 0) << run.err;
    auto j = nlohmann::json::parse(run.out);
    // Independent hand calculation of the cavitating liquid estimator.
    EXPECT_NEAR(j["Outlet_Noise"].get<double>(), 94.56148695506597, 1e-9);

    ASSERT_EQ(Cli("tag set " + Tag("l.tag") + " Bore=0").status, 0);
    const std::string before = Bytes("l.tag");
    run = Cli("noise --json " + Tag("l.tag"));
    EXPECT_EQ(run.status, 1);
    j = nlohmann::json::parse(run.out);
    EXPECT_TRUE(j["Outlet_Noise"].is_null());
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0].get<std::string>().rfind("Error #1:", 0), 0u);
    EXPECT_EQ(Bytes("l.tag"), before);
}

TEST_F(UncertaintyCliTest, NoiseRefusesAFlowMeterTagAndAMissingFile) {
    MakeTag("a.tag", kGasMeter);
    CliRun run = Cli("noise " + Tag("a.tag"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("critical-drop"), std::string::npos);
    run = Cli("noise " + Tag("missing.tag"));
    EXPECT_EQ(run.status, 1);
    run = Cli("uncertainty " + Tag("missing.tag"));
    EXPECT_EQ(run.status, 1);
}

}  // namespace
