// quorven-cli fluid aga8 | steam | water, run as a user runs them: published values,
// the tag they fill as the Fluids commands do, and a tag left byte for byte as it was
// after an error.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "record/choice_codes.h"
#include "record/file_io.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::Code;
using quorven::DiskFiles;
using quorven::FluidCondition;
using quorven::FluidEquation;
using quorven::FluidProperty;

using quorven::clitest::CliRun;

class FluidEntryCli : public quorven::clitest::CliFixture {
protected:
    nlohmann::json Json(const std::string& args) {
        const CliRun run = Cli(args + " --json");
        EXPECT_EQ(run.status, 0) << args << "\n" << run.err;
        return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json{};
    }
    nlohmann::json Fields(const char* tag) { return Json("tag show " + Tag(tag)); }
    // A gas orifice tag to size: 4-inch pipe, flows in scfh, 100 inH2O.
    void NewGasTag(const char* tag) {
        ASSERT_EQ(Cli("tag new " + Tag(tag)).status, 0);
        ASSERT_EQ(
            Cli("tag set " + Tag(tag) + " Tag_No=FE-NG1 Flow_Max=500000 Flow_Norm=400000 Dp_Max=100").status,
            0);
    }
};

// NIST's 21-component check gas (AGA8CODE Detail test) by the names of the AGA rows.
const char* kNistGas =
    "--comp methane=77.824 --comp nitrogen=2 --comp 'carbon dioxide=6' --comp ethane=8 --comp propane=3 "
    "--comp isobutane=0.15 --comp n-butane=0.3 --comp isopentane=0.05 --comp n-pentane=0.165 "
    "--comp n-hexane=0.215 --comp n-heptane=0.088 --comp n-octane=0.024 --comp n-nonane=0.015 "
    "--comp n-decane=0.009 --comp hydrogen=0.4 --comp oxygen=0.5 --comp 'carbon monoxide=0.2' "
    "--comp water=0.01 --comp 'hydrogen sulfide=0.25' --comp helium=0.7 --comp argon=0.1";

TEST_F(FluidEntryCli, Aga8ReproducesNistsCheckPoint) {
    // 50 MPa and 400 K in the command's units: psia = 50e6 / 6894.757 (the AGA 8 program's
    // factor), F = 400 x 1.8 - 459.67.
    const auto j = Json(std::string("fluid aga8 ") + kNistGas + " --pf 7251.887194864156 --tf 260.33");
    ASSERT_TRUE(j["ok"].get<bool>());
    // NIST: Z = 1.173801364147326, D = 12.80792403648801 mol/L, M = 20.54333051 g/mol.
    EXPECT_NEAR(j["Zf"].get<double>() / 1.173801364147326, 1.0, 1e-9);
    EXPECT_NEAR(j["Df_kmol_m3"].get<double>() / 12.80792403648801, 1.0, 1e-9);
    EXPECT_NEAR(j["MW"].get<double>(), 20.54333051, 5e-9);
    EXPECT_GT(j["mu_cP"].get<double>(), 0.0);
    EXPECT_GT(j["k"].get<double>(), 1.0);
    EXPECT_EQ(j["Pb_psia"], 14.73);
    EXPECT_EQ(j["Tb_F"], 60.0);
    EXPECT_TRUE(j["messages"].empty());
}

TEST_F(FluidEntryCli, Aga8BaseConditionsAndRefusedInputs) {
    const auto methane = Json("fluid aga8 --comp METHANE --pf 14.73 --tf 60");
    EXPECT_EQ(methane["Zb"], methane["Zf"]);                 // pure methane at the base state itself
    EXPECT_NEAR(methane["Zb"].get<double>(), 0.9980, 1e-4);  // GPA 2145: 0.9980 at 60 F
    const auto other_base = Json("fluid aga8 --comp METHANE --pf 14.73 --tf 60 --pb 14.696 --tb 59");
    EXPECT_EQ(other_base["Zf"], methane["Zf"]);
    EXPECT_NE(other_base["Zb"], methane["Zb"]);

    struct Case {
        const char* args;
        const char* err;
    } const cases[] = {
        {"--comp methane --pf 0 --tf 60", "Error #51"},
        {"--comp methane --pf 500 --tf -459.67", "Error #52"},
        {"--comp methane --pf 500 --tf 60 --pb 0", "Error #8"},
        {"--comp methane=50 --comp benzene=50 --pf 500 --tf 60",
         "\"benzene\" is not one of the AGA 8 components"},
        {"--comp methane=50 --comp METHANE=50 --pf 500 --tf 60", "given twice"},
        {"--comp methane=150 --pf 500 --tf 60", "from 0 to 100"},
        {"--comp methane --pf 15000 --tf -250", "Error #18"},  // liquid methane
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun run = Cli(std::string("fluid aga8 ") + c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
}

TEST_F(FluidEntryCli, Aga8IntoATagThenCalcSizesWithoutTypingZViscosityOrK) {
    NewGasTag("ng.tag");
    const std::string gas =
        "--comp methane=90 --comp ethane=5 --comp nitrogen=2 --comp 'carbon dioxide=1' --comp propane=2";
    const auto z = Json("fluid aga8 " + gas + " --pf 600 --tf 60 --tag " + Tag("ng.tag"));
    const auto f = Fields("ng.tag");
    EXPECT_EQ(f["Flow_Press"], 600.0);
    EXPECT_EQ(f["Base_RhoGZ"], z["Zb"]);  // at the tag's own base, 14.69595 psia and 60 F
    EXPECT_EQ(z["Pb_psia"], 14.69595);
    EXPECT_EQ(f["Flow_RhoGZ"], z["Zf"]);
    EXPECT_EQ(f["Property_MwDenVp"].get<double>(), z["MW"].get<double>() / 28.9625);
    EXPECT_EQ(f["Property_Visc"], z["mu_cP"]);
    EXPECT_EQ(f["Property_KFp"], z["k"]);
    EXPECT_EQ(f["Fluid_Equation"], Code(FluidEquation::GasVolume));
    EXPECT_EQ(f["Calc_Status"], 0);

    // calc sizes it; the same tag with the same values typed by hand sizes the same bore.
    const auto sized = Json("calc " + Tag("ng.tag"));
    NewGasTag("typed.tag");
    ASSERT_EQ(Cli("tag set " + Tag("typed.tag") + " Flow_Press=600 Flow_Temp=" + f["Flow_Temp"].dump() +
                  " Base_RhoGZ=" + f["Base_RhoGZ"].dump() + " Flow_RhoGZ=" + f["Flow_RhoGZ"].dump() +
                  " Property_MwDenVp=" + f["Property_MwDenVp"].dump() +
                  " Property_Visc=" + f["Property_Visc"].dump() + " Property_KFp=" + f["Property_KFp"].dump())
                  .status,
              0);
    const auto typed = Json("calc " + Tag("typed.tag"));
    ASSERT_TRUE(sized.contains("Bore"));
    EXPECT_GT(sized["Bore"].get<double>(), 0.0);
    EXPECT_EQ(sized["Bore"], typed["Bore"]);

    // Mass flows with density input, chosen on the command line: base flows times rho_b.
    const auto before = Fields("ng.tag");
    Json("fluid aga8 " + gas + " --pf 600 --tf 60 --flows mass --input density --tag " + Tag("ng.tag"));
    const auto mass = Fields("ng.tag");
    EXPECT_EQ(mass["Fluid_Equation"], Code(FluidEquation::GasMass));
    EXPECT_EQ(mass["Fluid_Property"], Code(FluidProperty::GasDensity));
    EXPECT_NEAR(mass["Flow_Max"].get<double>() / (500000.0 * mass["Base_RhoGZ"].get<double>()), 1.0, 1e-12);
    EXPECT_EQ(mass["Unit_Flow_Text"], "lb/h");
    EXPECT_NE(before["Unit_Flow_Text"], mass["Unit_Flow_Text"]);
}

TEST_F(FluidEntryCli, AnErrorLeavesTheTagByteForByte) {
    NewGasTag("t.tag");
    const std::string bytes = Bytes("t.tag");
    for (const char* args :
         {"fluid aga8 --comp methane --pf 0 --tf 60", "fluid aga8 --comp methane --pf 15000 --tf -250",
          "fluid aga8 --comp methane --pf 600 --tf 60 --pb 14.7", "fluid steam superheated --p 100 --t 300",
          "fluid water --p 10 --t 300", "fluid water --p 100 --t 60 --input mw"}) {
        SCOPED_TRACE(args);
        const CliRun run = Cli(std::string(args) + " --tag " + Tag("t.tag"));
        EXPECT_NE(run.status, 0);
        EXPECT_EQ(Bytes("t.tag"), bytes);
    }
}

TEST_F(FluidEntryCli, SteamAndWaterIntoATag) {
    NewGasTag("s.tag");
    const auto sat = Json("fluid steam saturated --p 100 --tag " + Tag("s.tag"));
    // IFC-67: saturation at 100 psia, 327.82 deg F (ASME steam tables 327.81 F).
    EXPECT_NEAR(sat["T_F"].get<double>(), 327.82, 0.01);
    auto f = Fields("s.tag");
    EXPECT_EQ(f["Fluid"], "SATURATED STEAM");
    EXPECT_EQ(f["Fluid_Equation"], Code(FluidEquation::GasMass));
    EXPECT_EQ(f["Fluid_Condition"], Code(FluidCondition::GasFlowing));
    EXPECT_EQ(f["Fluid_Property"], Code(FluidProperty::GasDensity));
    EXPECT_EQ(f["Flow_Temp"], sat["T_R"]);
    EXPECT_EQ(f["Flow_RhoGZ"], sat["rho_lb_ft3"]);
    EXPECT_EQ(f["Property_MwDenVp"], 18.0125);
    EXPECT_EQ(f["Unit_Flow_Text"], "lb/h");

    const auto by_t = Json("fluid steam saturated --t 327.8228");
    EXPECT_NEAR(by_t["P_psia"].get<double>(), 100.0, 1e-3);
    const auto sup = Json("fluid steam superheated --p 100 --t 500 --tag " + Tag("s.tag"));
    EXPECT_EQ(Fields("s.tag")["Fluid"], "SUPERHEATED STEAM");
    EXPECT_EQ(sup["rho_lb_ft3"], Fields("s.tag")["Flow_RhoGZ"]);

    const auto water = Json("fluid water --p 500 --t 200 --input density --tag " + Tag("s.tag"));
    f = Fields("s.tag");
    EXPECT_EQ(f["Fluid"], "WATER");
    EXPECT_EQ(f["Fluid_Equation"], Code(FluidEquation::LiquidVolume));
    EXPECT_EQ(f["Fluid_Property"], Code(FluidProperty::LiquidDensity));
    EXPECT_EQ(f["Flow_RhoGZ"], water["rho_f_lb_ft3"]);
    EXPECT_EQ(f["Base_RhoGZ"], water["rho_b_lb_ft3"]);
    EXPECT_EQ(f["Property_MwDenVp"], water["Pvp_psia"]);
    EXPECT_EQ(f["Property_KFp"], 1.0);
    // Water at 200 F: 60.1 lb/ft3 (ASME steam tables, saturated liquid 60.12 lb/ft3).
    EXPECT_NEAR(water["rho_f_lb_ft3"].get<double>(), 60.2, 0.15);
}

TEST_F(FluidEntryCli, MixtureFilesCarryACompositionFromCommandToCommand) {
    const std::string state = " --pf 500 --tf 60 --pb 14.73 --tb 60 --json";
    const auto typed =
        Json("fluid gas --eos srk --comp methane=90 --comp ethane=10 --save-mix " + Tag("m.mix") + state);
    // A mixture file: the count, then that many copies of the 1584-byte slot table.
    EXPECT_EQ(Bytes("m.mix").size(), 4u + 2u * 1584u);
    EXPECT_EQ(Json("fluid gas --eos srk --mix " + Tag("m.mix") + state)["Zf"], typed["Zf"]);

    const auto aga =
        Json("fluid aga8 --comp methane=90 --comp ethane=10 --pf 500 --tf 60 --save-mix " + Tag("a.aga"));
    EXPECT_EQ(Bytes("a.aga").size(), 1584u);  // the AGA 8 slot table alone
    EXPECT_EQ(Json("fluid aga8 --aga " + Tag("a.aga") + " --pf 500 --tf 60")["Zf"], aga["Zf"]);
    EXPECT_EQ(Json("fluid aga8 --mix " + Tag("m.mix") + " --pf 500 --tf 60")["Zf"], aga["Zf"]);
    // Either file feeds the component computation; a .mix name written by aga8 is a mixture file.
    EXPECT_EQ(Json("fluid gas --eos srk --aga " + Tag("a.aga") + state)["Zf"], typed["Zf"]);
    Json("fluid aga8 --aga " + Tag("a.aga") + " --pf 500 --tf 60 --save-mix " + Tag("b.mix"));
    EXPECT_EQ(Bytes("b.mix"), Bytes("m.mix"));

    ASSERT_TRUE(DiskFiles().Replace((dir_ / "short.mix").string(), Bytes("m.mix").substr(0, 100)));
    struct Case {
        std::string args;
        const char* err;
    } const cases[] = {
        {"fluid gas --eos srk --mix " + Tag("short.mix") + " --pf 500 --tf 60 --pb 14.73 --tb 60",
         "Error #10"},
        {"fluid gas --eos srk --aga " + Tag("m.mix") + " --pf 500 --tf 60 --pb 14.73 --tb 60", "Error #10"},
        {"fluid aga8 --mix " + Tag("x.mix") + " --pf 500 --tf 60", "Error #10"},  // no such file
        {"fluid gas --eos srk --comp benzene --pf 5 --tf 60 --pb 14.73 --tb 60 --save-mix " + Tag("c.aga"),
         "not one of the AGA 8 components"},
        {"fluid gas --eos srk --comp methane --mix " + Tag("m.mix") + state, "excludes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun run = Cli(c.args);
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    EXPECT_EQ(Bytes("c.aga"), "");  // refused: nothing written
}

TEST_F(FluidEntryCli, Aga8SaysWhenItNormalisedTheTotal) {
    const CliRun plain = Cli("fluid aga8 --comp methane=89 --comp ethane=10 --pf 500 --tf 60");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("The mole percents add up to 99.00000, not 100: normalised to 100."),
              std::string::npos)
        << plain.out;
    const auto short_total = Json("fluid aga8 --comp methane=89 --comp ethane=10 --pf 500 --tf 60");
    EXPECT_EQ(short_total["normalised"], true);
    EXPECT_EQ(short_total["total_given"], 99.0);
    const auto fractions = Json("fluid aga8 --comp methane=0.89 --comp ethane=0.1 --pf 500 --tf 60");
    EXPECT_EQ(fractions["normalised"], true);
    EXPECT_NEAR(fractions["Zf"].get<double>(), short_total["Zf"].get<double>(), 1e-12);
    // A total the dialog accepts (100 to 5 decimals) is not reported.
    const CliRun exact = Cli("fluid aga8 --comp methane=89.999999 --comp ethane=10 --pf 500 --tf 60");
    EXPECT_EQ(exact.out.find("normalised"), std::string::npos);
    EXPECT_NE(Cli("fluid aga8 --help").out.find("normalised to 100"), std::string::npos);
}

TEST_F(FluidEntryCli, SetupConvertsTheTagsValuesAndFlows) {
    ASSERT_EQ(Cli("tag new " + Tag("g.tag")).status, 0);
    ASSERT_EQ(Cli("tag set " + Tag("g.tag") +
                  " Flow_Max=500000 Flow_Norm=400000 Base_Press=14.73 Base_Temp=519.67 Flow_Press=514.7 "
                  "Flow_Temp=559.67 Property_MwDenVp=0.6 Base_RhoGZ=0.998 Flow_RhoGZ=0.9")
                  .status,
              0);
    const auto j = Json("fluid setup gas " + Tag("g.tag") + " --equation mass --property density");
    const auto f = Fields("g.tag");
    // Hand calculation: rho_b = 14.73 x (0.6 x 28.9625) / (10.73151 x 0.998 x 519.67) lb/ft3,
    // and base volume flows times rho_b are lb/h.
    const double rho_b = 14.73 * 0.6 * 28.9625 / (10.73151 * 0.998 * 519.67);
    EXPECT_NEAR(f["Base_RhoGZ"].get<double>(), rho_b, 1e-12);
    EXPECT_NEAR(f["Flow_Max"].get<double>(), 500000.0 * rho_b, 1e-7);
    EXPECT_NEAR(f["Property_MwDenVp"].get<double>(), 0.6 * 28.9625, 1e-12);
    EXPECT_EQ(f["Fluid_Equation"], Code(FluidEquation::GasMass));
    EXPECT_EQ(f["Fluid_Property"], Code(FluidProperty::GasDensity));
    EXPECT_EQ(f["Unit_Flow_Text"], "lb/h");
    EXPECT_EQ(j["Flow_Max"], f["Flow_Max"]);

    // The other fluid kind: --yes or --no is needed; without either nothing is written.
    const std::string before = Bytes("g.tag");
    const CliRun ask = Cli("fluid setup liquid " + Tag("g.tag"));
    EXPECT_EQ(ask.status, 1);
    EXPECT_NE(ask.err.find("--yes"), std::string::npos);
    EXPECT_NE(Cli("fluid setup liquid " + Tag("g.tag") + " --property mw --no").status, 0);
    EXPECT_EQ(Bytes("g.tag"), before);
    ASSERT_EQ(Cli("fluid setup liquid " + Tag("g.tag") + " --no").status, 0);
    const auto kept = Fields("g.tag");
    EXPECT_EQ(kept["Fluid_Equation"], Code(FluidEquation::LiquidVolume));
    EXPECT_EQ(kept["Property_KFp"], 1.0);
    EXPECT_EQ(kept["Tag_No"], f["Tag_No"]);
    ASSERT_EQ(Cli("fluid setup gas " + Tag("g.tag") + " --yes").status, 0);
    EXPECT_EQ(Fields("g.tag")["Flow_Max"], 0.0);  // reset as Clear Calc does
}

}  // namespace
