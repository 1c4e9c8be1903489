// quorven-cli calc run as a user runs it, on tags made with tag new and tag set.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "record/file_io.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;
using quorven::clitest::Quote;

namespace fs = std::filesystem;

class CliCalcTest : public quorven::clitest::CliFixture {
protected:
    nlohmann::json Show(const char* name) {
        return nlohmann::json::parse(Cli("tag show --json " + Tag(name)).out);
    }

    // A calibrated orifice (C 0.6) in a 4.026 in pipe, 55000 lb/h of a liquid of
    // 55 lb/ft3 (Fp 1.02) at 68 F, 64 of 100 inH2O.
    void MakeCustomLiquidTag(const char* name) {
        ASSERT_EQ(Cli("tag new " + Tag(name)).status, 0);
        const CliRun set = Cli("tag set " + Tag(name) +
                               " Tag_No=FE-201 Meter_Type=1360 C=0.6 Fluid_Equation=1346 Fluid_Condition=1348"
                               " Fluid_Property=1350 Flow_RhoGZ=55 Property_KFp=1.02 Property_Visc=2"
                               " Flow_Press=100 Flow_Temp=527.67 Flow_Max=68750 Flow_Norm=55000 Dp_Max=100");
        ASSERT_EQ(set.status, 0) << set.err;
    }
};

TEST_F(CliCalcTest, SizesACustomMeterTagAndWritesIt) {
    MakeCustomLiquidTag("a.tag");
    const CliRun calc = Cli("calc " + Tag("a.tag") + " --out " + Tag("b.tag"));
    ASSERT_EQ(calc.status, 0) << calc.err;
    EXPECT_TRUE(calc.err.empty()) << calc.err;
    // The results as the form shows them: label, value in the display unit, unit.
    EXPECT_EQ(calc.out.rfind("FE-201\n", 0), 0u) << calc.out;
    EXPECT_NE(calc.out.find("\nCalculated.\n"), std::string::npos) << calc.out;
    EXPECT_TRUE(std::regex_search(calc.out, std::regex("\n  Bore = +2\\.0303 in\n"))) << calc.out;
    EXPECT_EQ(calc.out.find("e+"), std::string::npos);  // no raw record fields

    const auto b = Show("b.tag");
    // Hand calculation (python, textbook equation W = 3600 C (pi/4) d^2
    // sqrt(2 gc dp rho) / sqrt(1 - b^4)): bore 2.0302872 in.
    EXPECT_NEAR(b["Bore"].get<double>(), 2.0302872496, 5e-5);
    EXPECT_EQ(b["Calc_Status"], 1);
    EXPECT_EQ(b["Tag_No"], "FE-201");
    EXPECT_EQ(Show("a.tag")["Calc_Status"], 0);  // the input tag is not touched

    // Flow from that bore gives the flow back.
    ASSERT_EQ(Cli("tag set " + Tag("b.tag") + " Calc_SizeParam=1122 Flow_Norm=0 Flow_Max=0").status, 0);
    const CliRun flow = Cli("calc --json " + Tag("b.tag"));
    ASSERT_EQ(flow.status, 0) << flow.err;
    const auto j = nlohmann::json::parse(flow.out);
    EXPECT_EQ(j["ok"], true);
    EXPECT_EQ(j["messages"], nlohmann::json::array());
    EXPECT_NEAR(j["Flow_Norm"].get<double>(), 55000.0, 55000.0 * 1e-9);
    EXPECT_NEAR(j["Flow_Max"].get<double>(), 68750.0, 68750.0 * 1e-9);
    EXPECT_EQ(j.size(), 231u + 2u);  // every field, the messages and ok
}

TEST_F(CliCalcTest, QuadrantOrificeRadiusComesFromTheSizing) {
    // Before, only the form's result display computed the radius: the calculation
    // sheet note of a tag sized here read "RADIUS OF QUADRANT = 0.00000 in".
    MakeCustomLiquidTag("q.tag");
    ASSERT_EQ(Cli("tag set " + Tag("q.tag") + " Meter_Type=1131 Calc_Std=1764 Tap_Style=1 C=0 Elem_Thick=0.0")
                  .status,
              0);
    const CliRun calc = Cli("calc --json --suppress-warnings " + Tag("q.tag"));
    ASSERT_EQ(calc.status, 0) << calc.err;
    const auto j = nlohmann::json::parse(calc.out);
    const double d = j["Bore"].get<double>(), b = j["Beta"].get<double>();
    ASSERT_GT(b, 0.0);
    // Hand calculation of the radius the standard prints: r = d (0.734 / (1 - b^4) - 0.638).
    const double r = d * (0.734 / (1.0 - b * b * b * b) - 0.638);
    EXPECT_GT(r, 0.0);
    EXPECT_NEAR(j["Qrad_K0"].get<double>(), r, 1e-12);
    char note[64];
    std::snprintf(note, sizeof note, "RADIUS OF QUADRANT = %.5f in", r);
    EXPECT_NE(j["User_Notes_1"].get<std::string>().find(note), std::string::npos) << j["User_Notes_1"];
}

TEST_F(CliCalcTest, RefusedSizingPrintsItsMessageAndWritesNothing) {
    MakeCustomLiquidTag("a.tag");
    ASSERT_EQ(Cli("tag set " + Tag("a.tag") + " C=0").status, 0);
    ASSERT_EQ(Cli("tag new " + Tag("old.tag")).status, 0);
    const std::string old_bytes = Bytes("old.tag");

    const CliRun calc = Cli("calc " + Tag("a.tag") + " --out " + Tag("old.tag"));
    EXPECT_EQ(calc.status, 1);
    EXPECT_NE(calc.err.find(
                  "Error #33: You have not entered the discharge coefficient for this orifice calculation."),
              std::string::npos)
        << calc.err;
    EXPECT_NE(calc.err.find("nothing was written"), std::string::npos);
    EXPECT_NE(calc.out.find("\nNot calculated.\n"), std::string::npos) << calc.out;
    EXPECT_EQ(calc.out.find("Calculation Results"), std::string::npos);
    EXPECT_EQ(Bytes("old.tag"), old_bytes);

    const auto j = nlohmann::json::parse(Cli("calc --json " + Tag("a.tag")).out);
    EXPECT_EQ(j["ok"], false);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0].get<std::string>().rfind("Error #33: ", 0), 0u);
    EXPECT_EQ(j["Calc_Status"], 0);
}

TEST_F(CliCalcTest, OtherFailuresExitNonZero) {
    MakeCustomLiquidTag("a.tag");
    const CliRun missing = Cli("calc " + Tag("missing.tag"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Error #49: "), std::string::npos);

    MakeCustomLiquidTag("big.tag");  // far more flow than the line can carry
    ASSERT_EQ(Cli("tag set " + Tag("big.tag") + " Meter_Type=1762 Flow_Max=2e7 Flow_Norm=1.6e7").status, 0);
    const CliRun big = Cli("calc " + Tag("big.tag"));
    EXPECT_EQ(big.status, 1);
    EXPECT_NE(big.err.find("Error #20: "), std::string::npos) << big.err;
}

// The Calculate command's own edge cases, through the command line.
TEST_F(CliCalcTest, InputCheckStopsBeforeAnySizing) {
    struct Case {
        const char* what;
        const char* set;
        const char* first_message;
        std::vector<std::string> missing;
        std::vector<bool> invalid = {};  // per missing row; none when empty
    };
    const Case cases[] = {
        {"normal flow above maximum", " Flow_Norm=70000", "Error #5: ", {}},
        {"no pipe diameter with rows missing",
         " Pipe_IDia=0 Flow_RhoGZ=0 Dp_Max=0",
         "Error #4: ",
         {"Df1", "dPm"}},
        {"rows missing", " Property_Visc=0", "Error #3: ", {"u"}},
        // Below absolute zero, and a negative absolute pressure: given, but impossible.
        {"impossible values",
         " Flow_Press=-5 Flow_Temp=-10 Dp_Max=0",
         "Error #3: ",
         {"Pf1", "Tf1", "dPm"},
         {true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MakeCustomLiquidTag("a.tag");
        ASSERT_EQ(Cli("tag set " + Tag("a.tag") + c.set).status, 0);
        const CliRun run = Cli("calc --json " + Tag("a.tag"));
        EXPECT_EQ(run.status, 1);
        const auto j = nlohmann::json::parse(run.out);
        EXPECT_EQ(j["ok"], false);
        ASSERT_EQ(j["messages"].size(), 1u);
        EXPECT_EQ(j["messages"][0].get<std::string>().rfind(c.first_message, 0), 0u);
        ASSERT_EQ(j["missing_rows"].size(), c.missing.size());
        for (std::size_t i = 0; i < c.missing.size(); ++i) {
            EXPECT_EQ(j["missing_rows"][i]["label"], c.missing[i]);
            EXPECT_EQ(j["missing_rows"][i]["invalid"], !c.invalid.empty() && c.invalid[i]);
        }
        EXPECT_EQ(j["Bore"], 0.0);  // nothing calculated
        EXPECT_EQ(j["Calc_Status"], 0);
    }
    // The text output names the two kinds apart.
    const CliRun text = Cli("calc " + Tag("a.tag"));
    EXPECT_NE(text.out.find("\nMissing inputs: dPm (sizing row 3)\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\nInvalid inputs: Pf1 (fluid row 2) Tf1 (fluid row 3)\n"), std::string::npos)
        << text.out;
}

TEST_F(CliCalcTest, RestrictionLiquidFpAndFollowOns) {
    // Restriction: the normal flow becomes the maximum.
    MakeCustomLiquidTag("r.tag");
    ASSERT_EQ(Cli("tag set " + Tag("r.tag") + " Calc_Mode=1125 Flow_Norm=30000 Matl_Pipe=1").status, 0);
    const CliRun r = Cli("calc --json " + Tag("r.tag"));
    const auto jr = nlohmann::json::parse(r.out);
    EXPECT_EQ(jr["ok"], true) << r.out.substr(0, 0) << jr["messages"];
    EXPECT_EQ(jr["Flow_Norm"], jr["Flow_Max"]);
    EXPECT_EQ(jr["PctRange"], 100.0);
    EXPECT_FALSE(jr.contains("missing_rows"));

    // A liquid with Fp 0 is calculated with 1.0 (and the text output names the follow-on results).
    MakeCustomLiquidTag("f.tag");
    ASSERT_EQ(Cli("tag set " + Tag("f.tag") + " Property_KFp=0").status, 0);
    const CliRun f = Cli("calc " + Tag("f.tag") + " --out " + Tag("g.tag"));
    ASSERT_EQ(f.status, 0) << f.err;
    EXPECT_NE(f.out.find("  Velocity @ Throat = "), std::string::npos) << f.out;
    EXPECT_NE(f.out.find("  Orifice Uncertainty = "), std::string::npos) << f.out;
    const auto g = Show("g.tag");
    EXPECT_EQ(g["Property_KFp"], 1.0);
    // Hand calculation as above with Fp 1 in place of 1.02: the bore grows by (1.02)^(1/4)
    // to first order in beta; checked loosely against the Fp 1.02 bore 2.0302872 in.
    EXPECT_GT(g["Bore"].get<double>(), 2.0302872496);
    EXPECT_LT(g["Bore"].get<double>(), 2.0302872496 * 1.006);
}

TEST_F(CliCalcTest, SuppressQuestionIsAnsweredNoUnlessAsked) {
    // A liquid through a critical-drop orifice at a pipe Reynolds number below the
    // meter's minimum: Warning #6, then the question.
    for (bool suppress : {false, true}) {
        SCOPED_TRACE(suppress);
        MakeCustomLiquidTag("a.tag");
        ASSERT_EQ(
            Cli("tag set " + Tag("a.tag") + " Meter_Type=1373 Calc_Mode=1124 Property_MwDenVp=5").status, 0);
        const CliRun run =
            Cli(std::string("calc --json ") + (suppress ? "--suppress-warnings " : "") + Tag("a.tag"));
        ASSERT_EQ(run.status, 0) << run.out;
        const auto j = nlohmann::json::parse(run.out);
        ASSERT_FALSE(j["messages"].empty());
        EXPECT_EQ(j["messages"][0].get<std::string>().rfind("Warning #6: ", 0), 0u);
        EXPECT_EQ(j["Calc_Status"], suppress ? 20 : 1);
        // The choked liquid differential runs down to the vapour pressure (hand: (100 - 5) x 27.729767).
        EXPECT_NEAR(j["Dp_Max"].get<double>(), 95.0 * 27.729767, 1e-9);
    }
}

TEST_F(CliCalcTest, EveryDemoTagCalculates) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(QUORVEN_DEMO_DIR)) {
        if (entry.path().extension() != ".txt") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++count;
        const std::string text = quorven::ReadFileBytes(entry.path().string(), 1 << 16).value_or("");
        std::string args;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            if (!line.empty() && line[0] != '#') args += " " + Quote(line);
            start = end + 1;
        }
        ASSERT_EQ(Cli("tag new " + Tag("d.tag")).status, 0);
        const CliRun set = Cli("tag set " + Tag("d.tag") + args);
        ASSERT_EQ(set.status, 0) << set.err;
        const CliRun run = Cli("calc --json " + Tag("d.tag"));
        ASSERT_EQ(run.status, 0) << run.out;
        const auto j = nlohmann::json::parse(run.out);
        EXPECT_EQ(j["ok"], true);
        EXPECT_EQ(j["Calc_Status"], 1) << j["messages"];
    }
    EXPECT_EQ(count, 12);
}

}  // namespace
