// quorven-cli fluid ...: the component database, the gas and liquid computations
// and single correlations, run as a user runs them.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "record/file_io.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;
using quorven::clitest::Quote;
namespace fs = std::filesystem;

class FluidCli : public quorven::clitest::CliFixture {};

TEST_F(FluidCli, ListsTheDatabaseAndShowsOneRecordByFieldName) {
    const CliRun list = Cli("fluid list --json");
    ASSERT_EQ(list.status, 0) << list.err;
    const auto rows = nlohmann::json::parse(list.out);
    ASSERT_GE(rows.size(), 200u);
    EXPECT_EQ(rows[0]["Comp_Name"], "METHANE");
    EXPECT_EQ(rows[0]["Comp_No"], 1);
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]["Comp_No"], static_cast<int>(i + 1));

    const CliRun plain = Cli("fluid list");
    EXPECT_NE(plain.out.find("   1  METHANE "), std::string::npos);

    const CliRun comp = Cli("fluid component 'Carbon Dioxide' --json");  // case is ignored
    ASSERT_EQ(comp.status, 0) << comp.err;
    const auto j = nlohmann::json::parse(comp.out);
    EXPECT_EQ(j["Comp_Name"], "CARBON DIOXIDE");
    EXPECT_EQ(j["Comp_Formula"], "CO2");
    EXPECT_EQ(j["Crit_Temp"], 304.21);   // ChemSep 8.32
    EXPECT_EQ(j["Hbt_Vstar"], 0.09384);  // COSTALD table
    EXPECT_EQ(j["Kij_SRK"].size(), 8u);
    EXPECT_EQ(j.size(), 29u);

    const CliRun unknown = Cli("fluid component UNOBTAINIUM");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("\"UNOBTAINIUM\" is not in PROPERTY.DAF"), std::string::npos);
}

TEST_F(FluidCli, WithoutItsDatabaseTheProgramSaysSo) {
    // The program looks for PROPERTY.DAF beside itself: a link to it in an empty directory.
    const fs::path exe = dir_ / "quorven-cli";
    std::error_code ec;
    fs::create_hard_link(QUORVEN_CLI, exe, ec);
    if (ec) fs::copy_file(QUORVEN_CLI, exe, ec);
    ASSERT_FALSE(ec) << ec.message();
    const fs::path err = dir_ / "err.txt";
    const int raw =
        std::system((Quote(exe.string()) + " fluid list >/dev/null 2>" + Quote(err.string())).c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1);
    const std::string text = quorven::ReadFileBytes(err.string(), 1 << 16).value_or("");
    EXPECT_NE(text.find("Error #24: The properties database file \"PROPERTY.DAF\" is not present."),
              std::string::npos)
        << text;
}

constexpr const char* kGulfCoast =
    " --comp methane=96.5222 --comp nitrogen=0.2595 --comp 'carbon dioxide=0.5956' --comp ethane=1.8186"
    " --comp propane=0.4596 --comp isobutane=0.0977 --comp n-butane=0.1007 --comp isopentane=0.0473"
    " --comp n-pentane=0.0324 --comp n-hexane=0.0664";

TEST_F(FluidCli, GasPrintsWhatTheGasComputationGives) {
    // AGA Report No. 8 (1994) Table A.3-1, row 1: Z = 0.897619 at 65 deg F and 750 psia by
    // the DETAIL method; SRK agrees within 0.5 %.
    const CliRun run =
        Cli(std::string("fluid gas --eos srk --pf 750 --tf 65 --pb 14.73 --tb 60 --json") + kGulfCoast);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    for (const char* key :
         {"Zf", "Zb", "MW", "SG", "rho_f_lb_ft3", "rho_b_lb_ft3", "mu_cP", "k", "fluid", "messages", "ok"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_NEAR(j["Zf"].get<double>() / 0.897619, 1.0, 0.005);
    EXPECT_NEAR(j["SG"].get<double>(), j["MW"].get<double>() / 28.9625, 1e-12);
    EXPECT_EQ(j["fluid"], "SRK-GAS/VAPOR");
    EXPECT_EQ(j["ok"], true);
    EXPECT_TRUE(j["messages"].empty());

    // Mole fractions in place of percents, in another order: the same gas.
    const CliRun fractions =
        Cli("fluid gas --eos srk --pf 750 --tf 65 --pb 14.73 --tb 60 --json --comp n-hexane=0.000664"
            " --comp n-pentane=0.000324 --comp isopentane=0.000473 --comp n-butane=0.001007 --comp "
            "isobutane=0.000977"
            " --comp propane=0.004596 --comp ethane=0.018186 --comp 'Carbon Dioxide=0.005956' --comp "
            "nitrogen=0.002595"
            " --comp METHANE=0.965222");
    ASSERT_EQ(fractions.status, 0) << fractions.err;
    EXPECT_NEAR(nlohmann::json::parse(fractions.out)["Zf"].get<double>(), j["Zf"].get<double>(), 1e-12);
}

TEST_F(FluidCli, GasRefusesWhatItCannotCompute) {
    const struct {
        const char* args;
        const char* err;
    } cases[] = {
        {"--eos pr --comp methane --pf 100 --tf 60 --pb 14.7 --tb 60", "--eos must be rk, srk or bwr"},
        {"--eos srk --comp methane --tf 60 --pb 14.7 --tb 60", "--pf is required without --tag"},
        {"--eos srk --comp methane --pf abc --tf 60 --pb 14.7 --tb 60", "--pf needs a finite decimal number"},
        {"--eos srk --comp methane=1 --comp methane=2 --pf 100 --tf 60 --pb 14.7 --tb 60", "Error #25"},
        {"--eos srk --comp methane --comp ethane --pf 100 --tf 60 --pb 14.7 --tb 60", "needs its amount"},
        {"--eos srk --comp kryptonite=5 --pf 100 --tf 60 --pb 14.7 --tb 60", "is not in PROPERTY.DAF"},
        {"--eos srk --comp methane=0 --pf 100 --tf 60 --pb 14.7 --tb 60", "must add up to more than 0"},
        {"--eos srk --comp n-hexane --pf 100 --tf 60 --pb 14.7 --tb 60", "Error #18"},
        {"--eos srk --comp methane --pf -5 --tf 60 --pb 14.7 --tb 60", "Error #51"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun run = Cli(std::string("fluid gas ") + c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
}

TEST_F(FluidCli, GasResultsGoIntoTheTagAndAnErrorLeavesItAlone) {
    ASSERT_EQ(Cli("tag new " + Tag("g.tag")).status, 0);
    // A gas tag with density input (1358): MW and densities are stored.
    ASSERT_EQ(
        Cli("tag set " + Tag("g.tag") +
            " Fluid_Equation=1352 Fluid_Condition=1354 Fluid_Property=1358 Flow_Press=514.7 Flow_Temp=559.67")
            .status,
        0);
    const CliRun run = Cli("fluid gas --eos srk --comp methane --tag " + Tag("g.tag") + " --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto g = nlohmann::json::parse(run.out);
    const auto t = nlohmann::json::parse(Cli("tag show --json " + Tag("g.tag")).out);
    EXPECT_EQ(t["Fluid"], "SRK-METHANE");
    EXPECT_EQ(t["Flow_Press"], 514.7);  // the tag's own conditions
    EXPECT_EQ(t["Flow_Temp"], 559.67);
    EXPECT_EQ(t["Property_MwDenVp"], g["MW"]);
    // The stored densities use the Fluids commands' R = 10.73151 psia ft3/(lb-mol R),
    // the printed ones R = 8.314462618 J/(mol K) (10.731577): 6e-6 apart.
    EXPECT_NEAR(t["Flow_RhoGZ"].get<double>() / g["rho_f_lb_ft3"].get<double>(), 1.0, 1e-5);
    EXPECT_NEAR(t["Base_RhoGZ"].get<double>() / g["rho_b_lb_ft3"].get<double>(), 1.0, 1e-5);
    EXPECT_EQ(t["Property_Visc"], g["mu_cP"]);
    EXPECT_EQ(t["Property_KFp"], g["k"]);
    EXPECT_EQ(t["Calc_Status"], 0);

    // Specific-gravity input (1356): SG and Z; the options replace the tag's conditions.
    ASSERT_EQ(Cli("tag set " + Tag("g.tag") + " Fluid_Property=1356").status, 0);
    ASSERT_EQ(Cli("fluid gas --eos bwr --comp methane --pf 1000 --tf 100 --tag " + Tag("g.tag")).status, 0);
    const auto s = nlohmann::json::parse(Cli("tag show --json " + Tag("g.tag")).out);
    EXPECT_EQ(s["Flow_Press"], 1000.0);
    EXPECT_NEAR(s["Flow_Temp"].get<double>(), 559.67, 1e-9);
    EXPECT_NEAR(s["Property_MwDenVp"].get<double>(), 16.04246 / 28.9625, 1e-12);
    EXPECT_GT(s["Flow_RhoGZ"].get<double>(), 0.8);
    EXPECT_LT(s["Flow_RhoGZ"].get<double>(), 1.0);

    // Liquid at flowing conditions: Error #18 and the file byte for byte as it was.
    const std::string before = Bytes("g.tag");
    const CliRun liquid = Cli("fluid gas --eos srk --comp n-hexane --pf 100 --tf 60 --tag " + Tag("g.tag"));
    EXPECT_EQ(liquid.status, 1);
    EXPECT_NE(liquid.err.find("Error #18"), std::string::npos);
    EXPECT_EQ(Bytes("g.tag"), before);
    // A liquid tag is not a gas tag.
    ASSERT_EQ(Cli("tag set " + Tag("g.tag") + " Fluid_Equation=1345 Fluid_Condition=1347 Fluid_Property=1349")
                  .status,
              0);
    const std::string liquid_tag = Bytes("g.tag");
    EXPECT_EQ(Cli("fluid gas --eos srk --comp methane --tag " + Tag("g.tag")).status, 1);
    EXPECT_EQ(Bytes("g.tag"), liquid_tag);
}

TEST_F(FluidCli, LiquidPrintsWhatTheLiquidComputationGivesAndStoresIt) {
    // n-hexane at 60 deg F: relative density 0.6640 (GPA 2145); COSTALD within 0.5 %.
    const CliRun run = Cli("fluid liquid --comp n-HEXANE --pf 14.696 --tf 60 --tb 60 --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    for (const char* key :
         {"SG_base", "SG_flowing", "rho_f_lb_ft3", "mu_cP", "Pvp_psia", "fluid", "messages", "ok"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_NEAR(j["SG_flowing"].get<double>(), 0.6640, 0.0034);
    EXPECT_EQ(j["fluid"], "n-HEXANE");

    ASSERT_EQ(Cli("tag new " + Tag("l.tag")).status, 0);
    ASSERT_EQ(Cli("tag set " + Tag("l.tag") +
                  " Fluid_Equation=1345 Fluid_Condition=1347 Fluid_Property=1350 Flow_Press=114.696 "
                  "Flow_Temp=559.67")
                  .status,
              0);
    const CliRun stored =
        Cli("fluid liquid --comp benzene=1 --comp toluene=1 --tb 60 --json --tag " + Tag("l.tag"));
    ASSERT_EQ(stored.status, 0) << stored.err;
    const auto l = nlohmann::json::parse(stored.out);
    const auto t = nlohmann::json::parse(Cli("tag show --json " + Tag("l.tag")).out);
    EXPECT_EQ(t["Fluid"], "LIQUID MIX");
    EXPECT_EQ(t["Flow_Press"], 114.696);
    EXPECT_NEAR(t["Base_Temp"].get<double>(), 519.67, 1e-9);
    // Density input (1350): the gravities times the reference water density.
    EXPECT_NEAR(t["Flow_RhoGZ"].get<double>(), l["rho_f_lb_ft3"].get<double>(), 1e-9);
    EXPECT_EQ(t["Property_MwDenVp"], l["Pvp_psia"]);
    EXPECT_EQ(t["Property_Visc"], l["mu_cP"]);
    EXPECT_EQ(t["Property_KFp"], 1.0);

    // Vapour at flowing conditions: Error #19, the tag untouched.
    const std::string before = Bytes("l.tag");
    const CliRun vapour = Cli("fluid liquid --comp propane --pf 50 --tf 60 --tb 60 --tag " + Tag("l.tag"));
    EXPECT_EQ(vapour.status, 1);
    EXPECT_NE(vapour.err.find("Error #19"), std::string::npos);
    EXPECT_EQ(Bytes("l.tag"), before);
    EXPECT_EQ(
        Cli("fluid liquid --comp 'water (steam & vapor only)' --pf 50 --tf 60 --tb 60 --tag " + Tag("l.tag"))
            .status,
        1);  // Error #21: vapour-only data
    EXPECT_EQ(Bytes("l.tag"), before);
}

TEST_F(FluidCli, EvalGivesOneCorrelationAtATime) {
    const struct {
        const char* args;
        const char* key;
        double expected, tol;
        const char* source;
    } cases[] = {
        {"vp --eqn 3 --tc 425.12 --pc 37.96 --a 9.2 --b 2100 --c -30 --t 300", "Pvp_bar", 4.146324264, 1e-8,
         "hand calculation exp(9.2 - 2100/270)"},
        {"cubic --eos srk --comp methane --t 288.70556 --p 1.01325", "Z", 0.9980, 0.0005,
         "GPA 2145: methane at 60 deg F, 1 atm"},
        {"dpr --tpr 1.5 --ppr 2", "Z", 0.8206630, 1e-6, "independent solution of the DPR equation"},
        {"hbt --comp propane=0.4 --comp n-butane=0.6 --t 300 --p 20", "V_cm3_mol", 95.98308, 1e-4,
         "independent evaluation (database Tc, Pc, V*, omega)"},
        {"lucas --comp methylcyclohexane --t 300 --p 500 --mu-sat 0.68", "mu_cP", 1.07, 0.005,
         "Reid, Prausnitz, Poling (1987), Lucas example, with the database's constants"},
        {"chung --comp ammonia --t 520 --rho 0.353340", "mu_cP", 0.0449, 0.0005,
         "Chung dense ammonia, 520 K and 600 bar (database constants; 448.7 uP with the book's)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const CliRun run = Cli(std::string("fluid eval ") + c.args + " --json");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NEAR(nlohmann::json::parse(run.out)[c.key].get<double>(), c.expected, c.tol);
    }
    const CliRun hbt = Cli("fluid eval hbt --comp propane --t 300 --p 20 --json");
    const auto h = nlohmann::json::parse(hbt.out);
    EXPECT_NEAR(h["rho_g_cm3"].get<double>(), 44.09562 / h["V_cm3_mol"].get<double>(), 1e-12);
    EXPECT_GT(h["V_cm3_mol"].get<double>(), 0.0);
    EXPECT_LT(h["V_cm3_mol"].get<double>(), h["Vsat_cm3_mol"].get<double>());

    EXPECT_EQ(Cli("fluid eval vp --eqn 3 --tc 425 --pc 38 --a 9 --b 2100 --c -30 --t 500").status,
              1);  // T > Tc
    EXPECT_EQ(Cli("fluid eval vp --eqn 2 --tc 425 --pc 38 --a 9 --b 2100 --c -30 --t 300").status, 1);
    EXPECT_EQ(Cli("fluid eval hbt --comp 'water (steam & vapor only)' --t 300 --p 20").status, 1);
    EXPECT_EQ(Cli("fluid eval dpr --tpr 0 --ppr 2").status, 1);
}

}  // namespace
