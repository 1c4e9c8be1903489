// The Fluids commands run both ways for the same inputs: as the desktop dialogs run them
// (the command's function of form/fluid_commands.h, in this process, with the choice the
// setup dialog would return) and as `quorven-cli fluid ...` (a child process, on a tag
// file). The tag files they leave must be the same bytes.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fluids/aga8_mixture.h"
#include "fluids/property_database.h"
#include "form/fluid_commands.h"
#include "messages/messages.h"
#include "project/tag_file.h"
#include "record/choice_codes.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"
#include "tests/cli/cli_runner.h"

namespace {

using namespace quorven;
using clitest::CliRun;

const PropertyDatabase& Db() {
    static const PropertyDatabase db = PropertyDatabase::Open(QUORVEN_PROPERTY_DAF);
    return db;
}

constexpr double F(double deg_F) {
    return deg_F + 459.67;  // as the command line reads a temperature
}

ComponentList Components(std::initializer_list<std::pair<const char*, double>> parts) {
    ComponentList list;
    NullMessageSink none;
    for (const auto& [name, pct] : parts) {
        EXPECT_EQ(list.AddComponent(Db(), name, none), AddComponentResult::Added) << name;
        list.SetMolePercent(list.Occupied() - 1, pct);
    }
    list.Total();
    return list;
}

// A gas orifice tag with flows in scfh, and its liquid sister in bbl/d.
TagRecord GasTag() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-1");
    r.Flow_Max = 500000.0;
    r.Flow_Norm = 400000.0;
    r.Flow_Press = 314.7;
    r.Flow_Temp = F(80.0);
    r.Property_MwDenVp = 0.65;
    r.Base_RhoGZ = 0.998;
    r.Flow_RhoGZ = 0.95;
    return r;
}
TagRecord LiquidTag() {
    TagRecord r = GasTag();
    StoreChoice(r, {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                    Code(FluidProperty::LiquidSG)});
    SelectFlowUnitOfKind(r, DefaultUnitTables());
    r.Flow_Max = 2000.0;
    r.Flow_Norm = 1500.0;
    r.Base_RhoGZ = 0.87;
    r.Flow_RhoGZ = 0.86;
    r.Property_MwDenVp = 1.2;
    return r;
}

const EquationChoice kGasMassDensity{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                                     Code(FluidProperty::GasDensity)};
const EquationChoice kGasFlowingMw{Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
                                   Code(FluidProperty::GasMW)};
const EquationChoice kLiquidMassDensity{Code(FluidEquation::LiquidMass),
                                        Code(FluidCondition::LiquidFlowingTemp),
                                        Code(FluidProperty::LiquidDensity)};
const EquationChoice kLiquidVolumeDensity{Code(FluidEquation::LiquidVolume),
                                          Code(FluidCondition::LiquidBaseTemp),
                                          Code(FluidProperty::LiquidDensity)};

using Run = std::function<FluidCommandStatus(FluidDocument&, MessageSink&)>;

// The dialog route: the choice the setup dialog returns, or the tag's own choice when the
// command line is given no options (the dialog opens with the remembered one, here the tag's).
std::optional<EquationChoice> Own(const FluidDocument& d, bool gas) {
    return gas ? RememberedGasChoice(d.remembered) : RememberedLiquidChoice(d.remembered);
}

struct Case {
    const char* what;
    TagRecord start;
    std::string args;  // `quorven-cli fluid ARGS`; TAG stands for the tag file
    Run run;
};

std::vector<Case> Cases() {
    const auto gas = [](ComponentList list, GasEquation eq, double Pf, double Tf_R,
                        std::optional<EquationChoice> choice) -> Run {
        return [=](FluidDocument& d, MessageSink& s) {
            GasCommandInput in;
            in.database = &Db();
            in.components = list;
            in.equation = eq;
            in.Pf_psia = Pf;
            in.Tf_R = Tf_R;
            FixedEquationChoice c(choice ? choice : Own(d, true));
            return OnGasesAndVapors(d, DefaultUnitTables(), in, c, s).status;
        };
    };
    const auto liquid = [](ComponentList list, double Pf, double Tf_R,
                           std::optional<EquationChoice> choice) -> Run {
        return [=](FluidDocument& d, MessageSink& s) {
            LiquidCommandInput in;
            in.database = &Db();
            in.components = list;
            in.Pf_psia = Pf;
            in.Tf_R = Tf_R;
            FixedEquationChoice c(choice ? choice : Own(d, false));
            return OnLiquids(d, DefaultUnitTables(), in, c, s).status;
        };
    };
    const auto aga = [](std::optional<EquationChoice> choice) -> Run {
        return [=](FluidDocument& d, MessageSink& s) {
            Aga8CommandInput in;
            in.database = &Db();
            in.percent_by_row[0] = 90.0;  // METHANE
            in.percent_by_row[1] = 5.0;   // ETHANE
            in.percent_by_row[2] = 2.0;   // PROPANE
            in.percent_by_row[12] = 1.0;  // CARBON DIOXIDE
            in.percent_by_row[13] = 2.0;  // NITROGEN
            in.Pf_psia = 600.0;
            in.Tf_R = F(60.0);
            FixedEquationChoice c(choice ? choice : Own(d, true));
            return OnAgaNaturalGas(d, DefaultUnitTables(), in, c, s).status;
        };
    };
    const auto steam = [](SteamCommand kind, double P, double T_R) -> Run {
        return [=](FluidDocument& d, MessageSink& s) {
            return OnSteam(d, DefaultUnitTables(), {kind, P, T_R}, s).status;
        };
    };
    const auto water = [](std::optional<EquationChoice> choice) -> Run {
        return [=](FluidDocument& d, MessageSink& s) {
            FixedEquationChoice c(choice ? choice : Own(d, false));
            return OnCompressedWater(d, DefaultUnitTables(), {500.0, F(200.0)}, c, s).status;
        };
    };
    const auto setup = [](bool gas_setup, EquationChoice choice, MessageAnswer answer) -> Run {
        return [=](FluidDocument& d, MessageSink&) {
            FixedEquationChoice c(choice);
            RecordingMessageSink answered(answer);  // the setup question answered as --yes / --no do
            return gas_setup ? OnGasSetup(d, DefaultUnitTables(), c, answered)
                             : OnLiquidSetup(d, DefaultUnitTables(), c, answered);
        };
    };
    const std::string natural_gas =
        "--comp methane=90 --comp ethane=5 --comp propane=2 --comp 'carbon dioxide=1' --comp nitrogen=2";
    return {
        {"gas mixture, SRK, the tag's own choice", GasTag(),
         "gas --eos srk --comp METHANE=95 --comp ETHANE=5 --pf 750 --tf 65 --tag TAG",
         gas(Components({{"METHANE", 95}, {"ETHANE", 5}}), GasEquation::SoaveRedlichKwong, 750, F(65), {})},
        {"one component, BWR, mass flows with density input", GasTag(),
         "gas --eos bwr --comp propane --pf 50 --tf 100 --flows mass --at flowing --input density --tag TAG",
         gas(Components({{"PROPANE", 100}}), GasEquation::BenedictWebbRubin, 50, F(100), kGasMassDensity)},
        {"liquid mixture, density input", LiquidTag(),
         "liquid --comp benzene=60 --comp toluene=40 --pf 100 --tf 80 --input density --tag TAG",
         liquid(Components({{"BENZENE", 60}, {"TOLUENE", 40}}), 100, F(80), kLiquidVolumeDensity)},
        {"liquid to mass flows", LiquidTag(),
         "liquid --comp n-hexane --pf 50 --tf 60 --flows mass --at flowing --input density --tag TAG",
         liquid(Components({{"n-HEXANE", 100}}), 50, F(60), kLiquidMassDensity)},
        {"AGA 8, the tag's own choice", GasTag(), "aga8 " + natural_gas + " --pf 600 --tf 60 --tag TAG",
         aga({})},
        {"AGA 8, flowing volume with MW input", GasTag(),
         "aga8 " + natural_gas + " --pf 600 --tf 60 --at flowing --input mw --tag TAG", aga(kGasFlowingMw)},
        {"saturated steam at a pressure", GasTag(), "steam saturated --p 100 --tag TAG",
         steam(SteamCommand::SaturatedAtPressure, 100, 0)},
        {"saturated steam at a temperature", GasTag(), "steam saturated --t 350 --tag TAG",
         steam(SteamCommand::SaturatedAtTemperature, 0, F(350))},
        {"superheated steam", GasTag(), "steam superheated --p 150 --t 500 --tag TAG",
         steam(SteamCommand::Superheated, 150, F(500))},
        {"compressed water into a liquid tag", LiquidTag(), "water --p 500 --t 200 --input density --tag TAG",
         water(kLiquidVolumeDensity)},
        {"gas setup to mass flows with density input", GasTag(),
         "setup gas TAG --equation mass --condition flowing --property density",
         setup(true, kGasMassDensity, MessageAnswer::No)},
        {"liquid setup to density input", LiquidTag(), "setup liquid TAG --property density",
         setup(false, kLiquidVolumeDensity, MessageAnswer::No)},
        {"gas setup of a liquid tag, its data deleted", LiquidTag(),
         "setup gas TAG --equation mass --condition flowing --property density --yes",
         setup(true, kGasMassDensity, MessageAnswer::Yes)},
        {"liquid setup of a gas tag, its data kept", GasTag(),
         "setup liquid TAG --equation mass --condition flowing --property density --no",
         setup(false, kLiquidMassDensity, MessageAnswer::No)},
    };
}

class FluidCommandsBothWays : public clitest::CliFixture {};

TEST_F(FluidCommandsBothWays, TheDialogsFunctionAndTheCommandLineStoreTheSameBytes) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const std::string path = (dir_ / "cli.tag").string();
        NullMessageSink none;
        ASSERT_TRUE(WriteTagFile(path, c.start, none));
        std::string args = c.args;
        args.replace(args.find("TAG"), 3, Tag("cli.tag"));
        const CliRun run = Cli("fluid " + args);
        ASSERT_EQ(run.status, 0) << run.err;

        FluidDocument doc{c.start, DefaultUnitDefaults()};
        RememberFluidEquation(doc.remembered, doc.record);
        RecordingMessageSink sink;
        ASSERT_EQ(c.run(doc, sink), FluidCommandStatus::Stored);
        ASSERT_TRUE(WriteTagFile((dir_ / "dialog.tag").string(), doc.record, none));
        EXPECT_EQ(Bytes("cli.tag"), Bytes("dialog.tag"));
        EXPECT_NE(std::memcmp(&doc.record, &c.start, sizeof doc.record), 0);  // the command stored
    }
}

}  // namespace
