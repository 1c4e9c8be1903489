// The Fluids commands as the desktop and quorven-cli run them: each computes, asks for the
// equation choice and stores everything, or leaves the tag and the remembered choices
// byte for byte as they were (a refused state, a cancelled choice, a choice of the other
// fluid kind).

#include "form/fluid_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "record/choice_codes.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace {

using namespace quorven;

const PropertyDatabase& Db() {
    static const PropertyDatabase db = PropertyDatabase::Open(QUORVEN_PROPERTY_DAF);
    return db;
}

const EquationChoice kGasVolumeBaseSg{Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
                                      Code(FluidProperty::GasSG)};
const EquationChoice kGasMassDensity{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                                     Code(FluidProperty::GasDensity)};
const EquationChoice kLiquidVolumeSg{Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                                     Code(FluidProperty::LiquidSG)};

// A gas tag with flows, at 14.73 psia and 60 F base.
FluidDocument GasDocument() {
    FluidDocument d{NewTagRecord(), DefaultUnitDefaults()};
    StoreChoice(d.record, kGasVolumeBaseSg);
    d.record.Base_Press = 14.73;
    d.record.Base_Temp = 519.67;
    d.record.Flow_Press = 514.7;
    d.record.Flow_Temp = 559.67;
    d.record.Property_MwDenVp = 0.6;
    d.record.Base_RhoGZ = 0.998;
    d.record.Flow_RhoGZ = 0.92;
    d.record.Flow_Max = 500000.0;
    d.record.Flow_Norm = 400000.0;
    d.record.Calc_Status = 1;
    SetText(d.record.Fluid, "OLD GAS");
    return d;
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

bool Same(const FluidDocument& a, const FluidDocument& b) {
    return std::memcmp(&a.record, &b.record, sizeof a.record) == 0 &&
           std::memcmp(&a.remembered, &b.remembered, sizeof a.remembered) == 0;
}

// Records what was asked and answers as told.
class AskedChoice final : public EquationChoiceSource {
public:
    explicit AskedChoice(std::optional<EquationChoice> answer) : answer_(answer) {}
    std::optional<EquationChoice> Choose(bool gas, const EquationChoice& initial) override {
        asked.push_back({gas, initial});
        return answer_;
    }
    std::vector<std::pair<bool, EquationChoice>> asked;

private:
    std::optional<EquationChoice> answer_;
};

GasCommandInput GasInput(const char* name, double Pf, double Tf_R) {
    GasCommandInput in;
    in.database = &Db();
    in.components = Components({{name, 100}});
    in.equation = GasEquation::SoaveRedlichKwong;
    in.Pf_psia = Pf;
    in.Tf_R = Tf_R;
    return in;
}

TEST(FluidCommands, GasesAndVaporsStoreWhatTheGasComputationGivesWithTheChoiceAskedAfterIt) {
    FluidDocument doc = GasDocument();
    AskedChoice choice(kGasMassDensity);
    RecordingMessageSink sink;
    const GasCommandInput in = GasInput("METHANE", 614.7, 539.67);
    const GasCommandResult r = OnGasesAndVapors(doc, DefaultUnitTables(), in, choice, sink);
    ASSERT_EQ(r.status, FluidCommandStatus::Stored);
    EXPECT_TRUE(sink.messages.empty());
    // Asked once, for a gas, with the remembered gas choice checked.
    ASSERT_EQ(choice.asked.size(), 1u);
    EXPECT_TRUE(choice.asked[0].first);
    EXPECT_EQ(choice.asked[0].second, RememberedGasChoice(DefaultUnitDefaults()));

    // What the storing step makes of the computed set on the old document.
    FluidDocument expected = GasDocument();
    NullMessageSink none;
    const GasResult g = GasProperties(Db(), in.components, in.equation, 614.7, 539.67, 14.73, 519.67, none);
    ASSERT_TRUE(g.Ok);
    ApplyGasProperties(expected.record, expected.remembered, DefaultUnitTables(),
                       {614.7, 539.67, g.Zb, g.Zf, g.MW, g.Visc, g.K, g.FluidName}, kGasMassDensity, none);
    EXPECT_TRUE(Same(doc, expected));
    EXPECT_EQ(r.properties.Zf, g.Zf);
    EXPECT_STREQ(doc.record.Fluid, "SRK-METHANE");
    EXPECT_EQ(ChoiceOf(doc.record), kGasMassDensity);
    EXPECT_EQ(RememberedGasChoice(doc.remembered), kGasMassDensity);
    // Base volume flows become mass flows with the base density P MW / (10.73151 Zb T).
    EXPECT_DOUBLE_EQ(doc.record.Flow_Max, 500000.0 * 14.73 * g.MW / 10.73151 / g.Zb / 519.67);
    EXPECT_EQ(doc.record.Calc_Status, 0);
}

// Each command refused (a numbered error, no question asked), cancelled at its choice, or
// given a choice of the other fluid kind: nothing changes.
TEST(FluidCommands, RefusedOrCancelledCommandsChangeNothing) {
    using Run = std::function<FluidCommandStatus(FluidDocument&, EquationChoiceSource&, MessageSink&)>;
    const auto gas = [](double Pf, double Tf_R, const char* name) -> Run {
        return [=](FluidDocument& d, EquationChoiceSource& c, MessageSink& s) {
            return OnGasesAndVapors(d, DefaultUnitTables(), GasInput(name, Pf, Tf_R), c, s).status;
        };
    };
    const auto liquid = [](double Pf, double Tf_R, const char* name) -> Run {
        return [=](FluidDocument& d, EquationChoiceSource& c, MessageSink& s) {
            LiquidCommandInput in;
            in.database = &Db();
            in.components = Components({{name, 100}});
            in.Pf_psia = Pf;
            in.Tf_R = Tf_R;
            return OnLiquids(d, DefaultUnitTables(), in, c, s).status;
        };
    };
    const auto aga = [](double Pf, double Tf_R) -> Run {
        return [=](FluidDocument& d, EquationChoiceSource& c, MessageSink& s) {
            Aga8CommandInput in;
            in.database = &Db();
            in.percent_by_row[0] = 100.0;  // methane
            in.Pf_psia = Pf;
            in.Tf_R = Tf_R;
            return OnAgaNaturalGas(d, DefaultUnitTables(), in, c, s).status;
        };
    };
    const auto water = [](double P, double T_R) -> Run {
        return [=](FluidDocument& d, EquationChoiceSource& c, MessageSink& s) {
            return OnCompressedWater(d, DefaultUnitTables(), {P, T_R}, c, s).status;
        };
    };
    const auto steam = [](SteamCommand kind, double P, double T_R) -> Run {
        return [=](FluidDocument& d, EquationChoiceSource&, MessageSink& s) {
            return OnSteam(d, DefaultUnitTables(), {kind, P, T_R}, s).status;
        };
    };
    struct Case {
        const char* what;
        Run run;
        bool gas;                  // the kind of choice the command asks for
        std::vector<int> refused;  // the errors of a refused state; empty: the state is good
    };
    const Case cases[] = {
        {"n-hexane as gas at 100 psia, 60 F: liquid",
         gas(100, 519.67, "n-HEXANE"),
         true,
         {msg::kErrLiquidState}},
        {"methane gas at 0 psia", gas(0, 519.67, "METHANE"), true, {msg::kErrFlowingPressure}},
        {"methane gas, cancelled", gas(614.7, 539.67, "METHANE"), true, {}},
        {"propane as liquid at 50 psia, 60 F: vapour",
         liquid(50, 519.67, "PROPANE"),
         false,
         {msg::kErrVapourState}},
        {"toluene liquid, cancelled", liquid(100, 529.67, "TOLUENE"), false, {}},
        {"AGA 8 at 0 psia", aga(0, 519.67), true, {msg::kErrFlowingPressure}},
        {"AGA 8 dense methane", aga(15000, 209.67), true, {msg::kErrLiquidState}},
        {"AGA 8, cancelled", aga(614.7, 519.67), true, {}},
        {"compressed water above saturation: vapour", water(10, 759.67), false, {msg::kErrVapourState}},
        {"compressed water, cancelled", water(500, 659.67), false, {}},
        {"superheated steam below saturation",
         steam(SteamCommand::Superheated, 100, 759.67),
         true,
         {msg::kErrLiquidState}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::optional<EquationChoice>& answer :
             {std::optional<EquationChoice>{},
              std::optional<EquationChoice>{c.gas ? kLiquidVolumeSg : kGasMassDensity}}) {
            FluidDocument doc = GasDocument();
            const FluidDocument before = doc;
            AskedChoice choice(answer);
            RecordingMessageSink sink;
            const FluidCommandStatus status = c.run(doc, choice, sink);
            EXPECT_TRUE(Same(doc, before));
            if (c.refused.empty()) {
                EXPECT_EQ(status, FluidCommandStatus::Cancelled);
                ASSERT_EQ(choice.asked.size(), 1u);
                EXPECT_EQ(choice.asked[0].first, c.gas);
            } else {
                EXPECT_EQ(status, FluidCommandStatus::Refused);
                EXPECT_EQ(sink.Numbers(), c.refused);
                EXPECT_TRUE(choice.asked.empty());  // nothing asked after an error
            }
        }
    }
}

TEST(FluidCommands, AgaNaturalGasRefusesBaseAndFlowingConditionsNotAboveZero) {
    struct Case {
        const char* what;
        double Pb, Tb, Pf, Tf;
        int error;
    };
    const Case cases[] = {
        {"base pressure 0", 0.0, 519.67, 600.0, 529.67, msg::kErrBasePressure},
        {"base temperature 0", 14.73, 0.0, 600.0, 529.67, msg::kErrBaseTemperature},
        {"flowing pressure below 0", 14.73, 519.67, -1.0, 529.67, msg::kErrFlowingPressure},
        {"flowing temperature 0", 14.73, 519.67, 600.0, 0.0, msg::kErrFlowingTemperature},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FluidDocument doc = GasDocument();
        doc.record.Base_Press = c.Pb;
        doc.record.Base_Temp = c.Tb;
        const FluidDocument before = doc;
        Aga8CommandInput in;
        in.database = &Db();
        in.percent_by_row[0] = 100.0;
        in.Pf_psia = c.Pf;
        in.Tf_R = c.Tf;
        FixedEquationChoice choice(kGasMassDensity);
        RecordingMessageSink sink;
        EXPECT_EQ(OnAgaNaturalGas(doc, DefaultUnitTables(), in, choice, sink).status,
                  FluidCommandStatus::Refused);
        EXPECT_EQ(sink.Numbers(), std::vector<int>{c.error});
        EXPECT_TRUE(Same(doc, before));
    }
}

TEST(FluidCommands, SetupOfTheOtherKindAsksFirstAndACancelledChoiceUndoesTheAnswer) {
    FluidDocument liquid{NewTagRecord(), DefaultUnitDefaults()};
    StoreChoice(liquid.record, kLiquidVolumeSg);
    SetText(liquid.record.Tag_No, "FT-1");
    liquid.record.Flow_Max = 50.0;

    // Yes, then the choice cancelled: the reset is not kept.
    FluidDocument doc = liquid;
    RecordingMessageSink yes(MessageAnswer::Yes);
    FixedEquationChoice cancelled(std::nullopt);
    EXPECT_EQ(OnGasSetup(doc, DefaultUnitTables(), cancelled, yes), FluidCommandStatus::Cancelled);
    ASSERT_EQ(yes.messages.size(), 1u);
    EXPECT_EQ(yes.messages[0].text, GasSetupQuestion().text);
    EXPECT_TRUE(Same(doc, liquid));

    // Yes: reset as Clear Calc does; No: the liquid data stay under the gas choice.
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        doc = liquid;
        RecordingMessageSink sink(answer);
        FixedEquationChoice choice(kGasMassDensity);
        EXPECT_EQ(OnGasSetup(doc, DefaultUnitTables(), choice, sink), FluidCommandStatus::Stored);
        EXPECT_STREQ(doc.record.Tag_No, answer == MessageAnswer::Yes ? "" : "FT-1");
        EXPECT_EQ(ChoiceOf(doc.record), kGasMassDensity);
        EXPECT_EQ(RememberedGasChoice(doc.remembered), kGasMassDensity);
    }

    // A gas tag's liquid setup asks the other question; its own kind asks nothing.
    doc = GasDocument();
    RecordingMessageSink no(MessageAnswer::No);
    FixedEquationChoice to_liquid(kLiquidVolumeSg);
    EXPECT_EQ(OnLiquidSetup(doc, DefaultUnitTables(), to_liquid, no), FluidCommandStatus::Stored);
    ASSERT_EQ(no.messages.size(), 1u);
    EXPECT_EQ(no.messages[0].text, LiquidSetupQuestion().text);
    EXPECT_EQ(doc.record.Property_KFp, 1.0);
    RecordingMessageSink quiet;
    EXPECT_EQ(OnLiquidSetup(doc, DefaultUnitTables(), to_liquid, quiet), FluidCommandStatus::Stored);
    EXPECT_TRUE(quiet.messages.empty());
}

}  // namespace
