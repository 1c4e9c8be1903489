// quorven-cli run as a user runs it: a child process, its output and exit status.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "record/choice_codes.h"
#include "record/file_io.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::CalcStd;
using quorven::Code;
using quorven::MeterType;

using quorven::clitest::CliRun;
using quorven::clitest::Quote;

namespace fs = std::filesystem;

class CliTest : public quorven::clitest::CliFixture {
protected:
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
    EXPECT_EQ(j["Calc_Std"], Code(CalcStd::ReaderHarrisGallagher1998));
    EXPECT_EQ(j["Pad565"], "000000");
    EXPECT_EQ(j.size(), 231u);

    const CliRun plain = Cli("tag show " + Tag("a.tag"));
    EXPECT_NE(plain.out.find("Base_Press = 14.69595\n"), std::string::npos);
}

TEST_F(CliTest, SetThenShowReturnsWhatWasSet) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    const CliRun set =
        Cli("tag set " + Tag("a.tag") +
            " Tag_No=FE-101 'Service=Fuel gas to H-101 \u00B0' Flow_Max=1.25e5 Meter_Type=1150 Beta=0.5");
    ASSERT_EQ(set.status, 0) << set.err;
    const auto j = nlohmann::json::parse(Cli("tag show --json " + Tag("a.tag")).out);
    EXPECT_EQ(j["Tag_No"], "FE-101");
    EXPECT_EQ(j["Service"], "Fuel gas to H-101 \u00B0");
    EXPECT_EQ(j["Flow_Max"], 125000.0);
    EXPECT_EQ(j["Meter_Type"], Code(MeterType::AsmeLongRadiusNozzle));
    EXPECT_EQ(j["Beta"], 0.5);
    EXPECT_EQ(Bytes("a.tag")[23 + 18], '\xB0');  // stored as Windows-1252
}

// A text longer than its field is refused as import refuses it, not cut: two tag
// numbers cut to the same 18 characters would be one tag in a project.
TEST_F(CliTest, LongTextIsRefusedAndNothingWritten) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    const CliRun set = Cli("tag set " + Tag("a.tag") + " Tag_No=ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_NE(set.status, 0);
    EXPECT_NE(set.err.find("at most 18 characters"), std::string::npos) << set.err;
    const auto j = nlohmann::json::parse(Cli("tag show --json " + Tag("a.tag")).out);
    EXPECT_EQ(j["Tag_No"], "");
    ASSERT_EQ(Cli("tag set " + Tag("a.tag") + " Tag_No=ABCDEFGHIJKLMNOPQR").status, 0);  // 18 fit
}

TEST_F(CliTest, BadInputToSetLeavesTheFileByteIdentical) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    ASSERT_EQ(Cli("tag set " + Tag("a.tag") + " Tag_No=KEEP").status, 0);
    const std::string before = Bytes("a.tag");
    const char* bad[] = {
        "No_Such_Field=1",
        "Flow_Max=abc",
        "Flow_Max=nan",
        "Flow_Max=inf",
        "Flow_Max=1e999",
        "Meter_Type=1127",
        "Calc_Mode=1",
        "Fluid_Equation=1.5",
        "Tap_Style=9",
        "Rec_Reserved=00",
        "NoEqualsSign",
        "Flow_Max=",
        // Values the record check of every later read would reset: a schedule the
        // stainless table does not have, a flow unit outside the list, a flow factor
        // that disagrees with the unit shown.
        "Matl_Pipe=2",
        "Unit_Flow_Set=40",
        "Unit_Flow=24",
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

TEST_F(CliTest, SetKeepsWhatTheRecordCheckKeepsAndTheFlowUnitItShows) {
    ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
    auto show = [&] { return nlohmann::json::parse(Cli("tag show --json " + Tag("a.tag")).out); };
    // A new tag computes in the unit it shows: gas at base, the kind's selection.
    auto j = show();
    EXPECT_EQ(j["Unit_Flow_Set"], j["Unit_GasBaseFlow_Set"]);
    EXPECT_EQ(j["Unit_Flow_Text"], "scfh");
    EXPECT_EQ(j["Unit_Flow"], 1.0);
    // A stainless pipe needs a schedule of its own table, given in the same command.
    const CliRun sched = Cli("tag set " + Tag("a.tag") + " Matl_Pipe=2");
    EXPECT_NE(sched.status, 0);
    EXPECT_NE(sched.err.find("Pipe_Sched"), std::string::npos) << sched.err;
    ASSERT_EQ(Cli("tag set " + Tag("a.tag") + " Matl_Pipe=2 Pipe_Sched=2").status, 0);
    const CliRun read = Cli("tag show " + Tag("a.tag"));
    EXPECT_EQ(read.err, "");  // nothing repaired on the next read
    // Another flow kind takes its own unit; a chosen unit brings its factor.
    ASSERT_EQ(Cli("tag set " + Tag("a.tag") + " Fluid_Equation=1346 Fluid_Condition=1348 Fluid_Property=1350")
                  .status,
              0);
    j = show();
    EXPECT_EQ(j["Unit_Flow_Set"], j["Unit_LiqMassFlow_Set"]);
    EXPECT_EQ(j["Unit_Flow_Text"], "lb/h");
    ASSERT_EQ(Cli("tag set " + Tag("a.tag") + " Unit_Flow_Set=5").status, 0);
    j = show();
    EXPECT_EQ(j["Unit_LiqMassFlow_Set"], 5);
    EXPECT_EQ(j["Unit_Flow_Text"], "kg/h");
    EXPECT_NEAR(j["Unit_Flow"].get<double>(), 0.4535924, 1e-7);  // kg per lb (unit table)
}

TEST_F(CliTest, UnreadableTagFilesGiveError49) {
    std::ofstream((dir_ / "short.tag").string(), std::ios::binary) << std::string(2799, 'x');
    for (const char* cmd : {"tag show ", "tag set "}) {
        const CliRun r =
            Cli(std::string(cmd) + Tag("short.tag") + (cmd[4] == 's' && cmd[5] == 'e' ? " Beta=1" : ""));
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Error #49: Error occurred while attempting to read tag file."),
                  std::string::npos);
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
    EXPECT_EQ(
        w.out,
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

// ---------------------------------------------------------------- steam

TEST_F(CliTest, SteamSaturationLine) {
    const CliRun p = Cli("steam psat 212 --json");
    ASSERT_EQ(p.status, 0) << p.err;
    EXPECT_NEAR(nlohmann::json::parse(p.out)["psat_psia"].get<double>(), 14.696, 0.0005);
    const CliRun p662 = Cli("steam psat 662 --json");
    EXPECT_NEAR(nlohmann::json::parse(p662.out)["psat_psia"].get<double>(), 2398.217, 0.0005);
    const CliRun t = Cli("steam tsat 14.696 --json");
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_NEAR(nlohmann::json::parse(t.out)["tsat_F"].get<double>(), 212.0, 0.001);
    const CliRun text = Cli("steam psat 212");
    EXPECT_EQ(text.out, "Saturation pressure at 212 deg F: 14.695987 psia\n");
}

TEST_F(CliTest, SteamPropsOfWaterAndSteam) {
    const CliRun w = Cli("steam props 14.7 60 --json");
    ASSERT_EQ(w.status, 0) << w.err;
    const auto jw = nlohmann::json::parse(w.out);
    EXPECT_EQ(jw["phase"], "compressed water");
    EXPECT_EQ(jw["region"], 1);
    EXPECT_NEAR(jw["rho_lb_ft3"].get<double>(), 62.37, 0.005);
    EXPECT_NEAR(jw["v_ft3_lb"].get<double>() * jw["rho_lb_ft3"].get<double>(), 1.0, 1e-12);
    EXPECT_TRUE(jw["k"].is_null());
    for (const char* key : {"psat_psia", "tsat_F", "h_btu_lb", "s_btu_lbR", "mu_cP"})
        EXPECT_TRUE(jw[key].is_number()) << key;

    const CliRun s = Cli("steam props 100 500 --json");
    ASSERT_EQ(s.status, 0) << s.err;
    const auto js = nlohmann::json::parse(s.out);
    EXPECT_EQ(js["phase"], "superheated steam");
    EXPECT_EQ(js["region"], 2);
    // 1967 ASME Steam Tables, 100 psia and 500 deg F: v 5.589 ft3/lb, s 1.7085 Btu/(lb R)
    EXPECT_NEAR(js["v_ft3_lb"].get<double>(), 5.589, 0.003);
    EXPECT_NEAR(js["s_btu_lbR"].get<double>(), 1.7085, 0.0005);
    EXPECT_NEAR(js["k"].get<double>(), 1.30, 0.01);
    EXPECT_TRUE(js["tsat_F"].is_number());

    const CliRun text = Cli("steam props 100 500");
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Phase:               superheated steam (IFC-67 region 2)"), std::string::npos);
    EXPECT_NE(text.out.find("Isentropic exponent: 1.29"), std::string::npos);
}

// --model if97: IAPWS-IF97 at full precision. Expected values: IAPWS R7-97(2012) Table 15
// (700 K, 30 MPa), Table 35 (500 K) and Table 36 (1 MPa), converted by hand with 1 psi =
// 6894.757293168361 Pa, 1 lb/ft3 = 16.01846337396014 kg/m3, 1 Btu/lb = 2.326 kJ/kg,
// 1 Btu/(lb R) = 4.1868 kJ/(kg K), 1 ft = 0.3048 m.
TEST_F(CliTest, SteamIf97ModelAtFullPrecision) {
    const CliRun r = Cli("steam props 4351.132131906277 800.33 --model if97 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["model"], "if97");
    EXPECT_EQ(j["region"], 2);
    EXPECT_EQ(j["phase"], "supercritical steam");  // above 705.1 deg F and 3200.1 psia
    EXPECT_TRUE(j["psat_psia"].is_null());
    EXPECT_TRUE(j["tsat_F"].is_null());
    EXPECT_NEAR(j["rho_lb_ft3"].get<double>(), 1 / 0.542946619e-2 / 16.01846337396014, 1e-8);
    EXPECT_NEAR(j["h_btu_lb"].get<double>(), 0.263149474e4 / 2.326, 5e-6 / 2.326);
    EXPECT_NEAR(j["s_btu_lbR"].get<double>(), 0.517540298e1 / 4.1868, 5e-9 / 4.1868);
    EXPECT_NEAR(j["cp_btu_lbR"].get<double>(), 0.103505092e2 / 4.1868, 5e-8 / 4.1868);
    EXPECT_NEAR(j["w_ft_s"].get<double>(), 0.480386523e3 / 0.3048, 5e-7 / 0.3048);
    EXPECT_NEAR(j["k"].get<double>(), 480.386523 * 480.386523 / 0.542946619e-2 / 30e6, 1e-8);
    for (const char* key : {"v_ft3_lb", "mu_cP", "P_psia", "T_F"}) EXPECT_TRUE(j[key].is_number()) << key;

    const CliRun p = Cli("steam psat 440.33 --model if97 --json");  // 500 K
    ASSERT_EQ(p.status, 0) << p.err;
    EXPECT_NEAR(nlohmann::json::parse(p.out)["psat_psia"].get<double>(), 0.263889776e7 / 6894.757293168361,
                5e-3 / 6894.757293168361 * 1e3);
    const CliRun t = Cli("steam tsat 145.03773773020922 --model if97 --json");  // 1 MPa
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_NEAR(nlohmann::json::parse(t.out)["tsat_F"].get<double>(), 0.453035632e3 * 1.8 - 459.67,
                5e-7 * 1.8);

    // Water, and the text form with its formulation named.
    const CliRun w = Cli("steam props 14.7 60 --model if97");
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_NE(w.out.find("Phase:               compressed water (IAPWS-IF97 region 1)"), std::string::npos);
    EXPECT_NE(w.out.find("Density:             62.366"), std::string::npos);
    // Without --model the output is IFC-67's, as before.
    const CliRun d = Cli("steam props 100 500 --json");
    ASSERT_EQ(d.status, 0);
    EXPECT_FALSE(nlohmann::json::parse(d.out).contains("model"));

    struct {
        const char* args;
        const char* message;
    } const bad[] = {
        {"steam props 100 500 --model if98", "if98 not in"},
        {"steam psat 705.2 --model if97", "outside it"},
        {"steam tsat 0.0886 --model if97", "outside it"},
        {"steam tsat 3200.2 --model if97 --json", "outside it"},
        {"steam props 20000 100 --model if97 --json", "Error #19: "},
        {"steam props 7300 2500 --model if97", "Error #18: "},
        {"steam props 0 500 --model if97", "Error #18: "},
        {"steam props nan 500 --model if97", "needs a finite decimal number"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.args);
        const CliRun e = Cli(c.args);
        EXPECT_NE(e.status, 0);
        EXPECT_NE(e.err.find(c.message), std::string::npos) << e.err;
        EXPECT_TRUE(e.out.empty()) << e.out;
    }
}

TEST_F(CliTest, SteamBadInputIsAnErrorAndNeverNaN) {
    struct {
        const char* args;
        const char* message;
    } const cases[] = {
        {"steam psat abc", "needs a finite decimal number"},
        {"steam psat nan", "needs a finite decimal number"},
        {"steam psat inf --json", "needs a finite decimal number"},
        {"steam psat 31.9", "outside it"},
        {"steam psat 705.48 --json", "outside it"},
        {"steam tsat 0.0088589", "outside it"},  // the misprinted bound
        {"steam tsat 3208.3", "outside it"},
        {"steam props 14.7 abc", "needs a finite decimal number"},
        {"steam props 100 300 --json", ""},  // liquid: compressed water, fine (status 0)
        {"steam props 0 500 --json", "Error #18: "},
        {"steam props -5 500", "Error #18: "},
        {"steam props 20000 100 --json", "Error #19: "},
        {"steam props 14.7 2000", "Error #18: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun r = Cli(c.args);
        if (*c.message == 0) {
            EXPECT_EQ(r.status, 0) << r.err;
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_TRUE(r.out.empty()) << r.out;
        }
        EXPECT_EQ(r.out.find("nan"), std::string::npos);
        EXPECT_EQ(r.out.find("inf"), std::string::npos);
    }
}

}  // namespace
