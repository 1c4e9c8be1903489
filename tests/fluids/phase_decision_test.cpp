// No gas answer for a liquid: every component of the shipped database decides its phase,
// and the gas computation refuses a liquid state (Error #18, nothing to take over) while
// the liquid computation refuses a vapour (Error #19). The 29 components that came without
// a vapour-pressure equation are checked at states on either side of published
// saturation points.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fluids/gas_correlations.h"
#include "fluids/gas_properties.h"
#include "fluids/liquid_properties.h"
#include "fluids/property_database.h"
#include "messages/messages.h"
#include "tests/fluids/fluid_fixtures.h"

namespace {

using namespace quorven;
using quorven::fluidtest::BuiltDatabase;

constexpr double kPsiPerBar = 14.50377439;  // as the gas computation converts
constexpr double kPsiPerAtm = 14.69595;

ComponentList One(const PropertyDatabase& db, const std::string& name) {
    ComponentList list;
    NullMessageSink none;
    EXPECT_EQ(list.AddComponent(db, name, none), AddComponentResult::Added) << name;
    list.SetMolePercent(0, 100.0);
    list.Total();
    return list;
}

bool Has(const std::vector<int>& numbers, int n) {
    return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

// Each of the 29 at a temperature whose saturation pressure is published: the normal
// boiling point (1 atm; CRC Handbook of Chemistry and Physics and the Merck Index, rounded
// to 0.1 K) or, for the refrigerants, 25 deg C (saturation tables of the refrigerants'
// reference equations of state). A state at 1.5 times that pressure is liquid, one at a
// third less a vapour, whatever the few percent the program's vapour pressure misses by.
struct Saturation {
    const char* name;
    double T_K;
    double Psat_psia;
};
constexpr Saturation kWithoutEquationBefore[] = {
    {"1-DODECENE", 486.9, kPsiPerAtm},
    {"CYCLOPENTADIENE", 314.6, kPsiPerAtm},
    {"alpha-METHYLSTYRENE", 438.5, kPsiPerAtm},
    {"TETRALIN", 480.7, kPsiPerAtm},
    {"2-ETHYLHEXANOL", 457.8, kPsiPerAtm},
    {"BENZYL ALCOHOL", 478.5, kPsiPerAtm},
    {"PROPYLENE GLYCOL", 461.4, kPsiPerAtm},
    {"2-METHOXYETHANOL", 397.6, kPsiPerAtm},
    {"2-ETHOXYETHANOL", 408.2, kPsiPerAtm},
    {"2-BUTOXYETHANOL", 444.2, kPsiPerAtm},
    {"MESITYL OXIDE", 402.6, kPsiPerAtm},
    {"ACETOPHENONE", 475.2, kPsiPerAtm},
    {"ACROLEIN", 325.8, kPsiPerAtm},
    {"METHYL ACRYLATE", 353.4, kPsiPerAtm},
    {"ETHYL ACRYLATE", 372.7, kPsiPerAtm},
    {"n-BUTYL ACRYLATE", 418.2, kPsiPerAtm},
    {"FORMIC ACID", 373.9, kPsiPerAtm},
    {"N-METHYL-2-PYRROLIDONE", 475.2, kPsiPerAtm},
    {"METHYL BROMIDE", 276.7, kPsiPerAtm},
    {"1,1,1-TRICHLOROETHANE", 347.2, kPsiPerAtm},
    {"VINYLIDENE CHLORIDE", 304.8, kPsiPerAtm},
    {"EPICHLOROHYDRIN", 391.1, kPsiPerAtm},
    {"R-218 OCTAFLUOROPROPANE", 298.15, 8.73 * kPsiPerBar},
    {"R-227ea HEPTAFLUOROPROPANE", 298.15, 4.56 * kPsiPerBar},
    {"R-236fa HEXAFLUOROPROPANE", 298.15, 2.72 * kPsiPerBar},
    {"R-245fa PENTAFLUOROPROPANE", 298.15, 1.495 * kPsiPerBar},
    {"R-C318 OCTAFLUOROCYCLOBUTANE", 298.15, 3.11 * kPsiPerBar},
    {"R-1234yf TETRAFLUOROPROPENE", 298.15, 6.83 * kPsiPerBar},
    {"R-1234ze(E) TETRAFLUOROPROPENE", 298.15, 4.99 * kPsiPerBar},
};

TEST(PhaseDecision, TheComponentsWithoutAnEquationBeforeAreLiquidAboveAndVapourBelowSaturation) {
    const PropertyDatabase& db = BuiltDatabase();
    EXPECT_EQ(std::size(kWithoutEquationBefore), 29u);
    for (const Saturation& s : kWithoutEquationBefore) {
        SCOPED_TRACE(s.name);
        const ComponentList list = One(db, s.name);
        const double T_R = s.T_K * 1.8;
        RecordingMessageSink liquid_sink;
        const GasResult liquid = GasProperties(db, list, GasEquation::SoaveRedlichKwong, 1.5 * s.Psat_psia,
                                               T_R, 14.73, 519.67, liquid_sink);
        EXPECT_FALSE(liquid.Ok);
        EXPECT_EQ(liquid.Zf, 0.0);
        EXPECT_TRUE(Has(liquid_sink.Numbers(), msg::kErrLiquidState));
        RecordingMessageSink vapour_sink;
        const GasResult vapour = GasProperties(db, list, GasEquation::SoaveRedlichKwong, s.Psat_psia / 1.5,
                                               T_R, 14.73, 519.67, vapour_sink);
        EXPECT_TRUE(vapour.Ok);
        EXPECT_GT(vapour.Zf, 0.5);
        EXPECT_LT(vapour.Zf, 1.0);
        EXPECT_FALSE(Has(vapour_sink.Numbers(), msg::kErrNoVapourPressureData));
    }
}

TEST(PhaseDecision, TheStatesTheGasComputationOnceAnsweredAreRefused) {
    // Acrolein at 50 psia and 70 deg F (its vapour pressure there about 4 psia), R-1234yf at
    // 100 and 200 psia at 70 deg F (about 88 psia): all liquid.
    const PropertyDatabase& db = BuiltDatabase();
    const struct {
        const char* name;
        GasEquation eq;
        double Pf;
    } cases[] = {
        {"ACROLEIN", GasEquation::SoaveRedlichKwong, 50.0},
        {"R-1234yf TETRAFLUOROPROPENE", GasEquation::SoaveRedlichKwong, 100.0},
        {"R-1234yf TETRAFLUOROPROPENE", GasEquation::BenedictWebbRubin, 200.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessageSink sink;
        const GasResult g = GasProperties(db, One(db, c.name), c.eq, c.Pf, 529.67, 14.73, 519.67, sink);
        EXPECT_FALSE(g.Ok);
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrLiquidState});
    }
}

TEST(PhaseDecision, WithoutACriticalPressureThereIsNoPhaseAndNoGasAnswer) {
    // A user's database record without Pc and without an equation below its Tc: the
    // phase cannot be decided, the gas computation ends with Error #27 (it counted such a
    // component a vapour before).
    PropertyRecord r = *BuiltDatabase().ByName("n-HEXANE");
    r.Vp_Eqn = 0;
    r.Crit_Press = 0.0;
    const PropertyDatabase db = fluidtest::MakeDatabase({r});
    RecordingMessageSink sink;
    const GasResult g = GasProperties(db, One(db, "n-HEXANE"), GasEquation::BenedictWebbRubin, 20.0, 579.67,
                                      14.73, 519.67, sink);
    EXPECT_FALSE(g.Ok);
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrPropertyDataIncomplete});
}

// Every record of the shipped database at 0.7 Tc: its phase vapour pressure exists and
// lies below Pc; at twice it the gas computation refuses a liquid and the liquid
// computation takes it (or lacks density data, Error #21); at half of it the gas
// computation answers and the liquid computation refuses a vapour.
TEST(PhaseDecision, EveryShippedComponentHasAPhase) {
    const PropertyDatabase& db = BuiltDatabase();
    ASSERT_GT(db.RecordCount(), 250);
    for (const PropertyRecord& r : db.Records()) {
        const std::string name(CompName(r));
        SCOPED_TRACE(name);
        const double T = 0.7 * r.Crit_Temp;
        const PhaseVapourPressure p = ComponentPhaseVapourPressure(r, T);
        ASSERT_TRUE(p.bar.ok());
        EXPECT_FALSE(p.equation_failed);
        EXPECT_GT(p.bar.value, 0.0);
        EXPECT_LT(p.bar.value, r.Crit_Press);
        const double Pvp = p.bar.value * kPsiPerBar, T_R = T * 1.8;
        const ComponentList list = One(db, name);

        RecordingMessageSink gas_liquid, gas_vapour, liquid_liquid, liquid_vapour;
        const GasResult refused =
            GasProperties(db, list, GasEquation::RedlichKwong, 2.0 * Pvp, T_R, Pvp / 2.0, T_R, gas_liquid);
        EXPECT_FALSE(refused.Ok);
        EXPECT_TRUE(Has(gas_liquid.Numbers(), msg::kErrLiquidState));
        const GasResult answered =
            GasProperties(db, list, GasEquation::RedlichKwong, Pvp / 2.0, T_R, Pvp / 2.0, T_R, gas_vapour);
        EXPECT_TRUE(answered.Ok);
        EXPECT_GT(answered.Zf, 0.0);

        const LiquidResult liquid = LiquidProperties(db, list, 2.0 * Pvp, T_R, T_R, liquid_liquid);
        EXPECT_TRUE(liquid.Ok || Has(liquid_liquid.Numbers(), msg::kErrVapourStateOnly));
        EXPECT_FALSE(Has(liquid_liquid.Numbers(), msg::kErrVapourState));
        const LiquidResult vapour = LiquidProperties(db, list, Pvp / 2.0, T_R, T_R, liquid_vapour);
        EXPECT_FALSE(vapour.Ok);
        EXPECT_TRUE(Has(liquid_vapour.Numbers(), msg::kErrVapourState));
    }
}

}  // namespace
