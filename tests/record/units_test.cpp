#include "record/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "record/cformat.h"
#include "record/custom_units.h"
#include "record/formats.h"

namespace quorven {
namespace {

const UnitTables& T() {
    return DefaultUnitTables();
}

TagRecord Gas() {
    return NewTagRecord();
}  // gas volume, base conditions, SG

TagRecord Liquid() {
    TagRecord r = NewTagRecord();
    r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    r.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidSG);
    return r;
}

TEST(Conversions, FactorListsAgainstHandCalculation) {
    TagRecord r = Gas();
    struct Case {
        Quantity q;
        int index;
        double internal;
        double user;  // hand calculation
        double tol;
    };
    const Case cases[] = {
        // 1 inH2O (68 degF) = 248.641 Pa: 100 inH2O = 24.8641 kPa
        {Quantity::DiffPressure, 7, 100.0, 24.8641, 1e-4},
        // 1 psi = 6.894757 kPa
        {Quantity::AtmPressure, 1, 14.696, 14.696 * 6.894757, 1e-9},
        // 4.026 in = 102.2604 mm
        {Quantity::Bore, 1, 4.026, 102.2604, 1e-9},
        // 10 ft/s = 3.048 m/s
        {Quantity::Velocity, 1, 10.0, 3.048, 1e-12},
        // 1 cP = 0.01 P
        {Quantity::Viscosity, 1, 1.2, 0.012, 1e-15},
        // 32.174 ft/s2 = 9.8066 m/s2
        {Quantity::Gravity, 1, 32.174, 32.174 * 0.3048, 1e-12},
        // 8 in nominal = 203.2 mm
        {Quantity::PipeSize, 1, 8.0, 203.2, 1e-12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.q));
        ASSERT_TRUE(SelectUnit(r, T(), c.q, c.index));
        const double shown = ToUser(r, c.q, c.internal);
        EXPECT_NEAR(shown, c.user, c.tol);
        double back = 0;
        ASSERT_TRUE(FromUser(r, c.q, shown, back));
        EXPECT_NEAR(back, c.internal, 1e-9 * std::fabs(c.internal) + 1e-12);
    }
}

TEST(Conversions, DensityDividesByItsFactor) {
    TagRecord r = Gas();
    // 62.42796 lb/ft3 is 1000 kg/m3 (water near 4 degC), 0.5780 oz/in3 (62.42796 / 108).
    ASSERT_TRUE(SelectUnit(r, T(), Quantity::Density, 2));
    EXPECT_EQ(FmtDensity(ToUser(r, Quantity::Density, 62.42796)), "1000.00");
    EXPECT_EQ(GetText(r.Unit_Dens_Text), "kg/m3");
    ASSERT_TRUE(SelectUnit(r, T(), Quantity::Density, 5));
    EXPECT_EQ(FmtDensity(ToUser(r, Quantity::Density, 62.42796)), "0.5780");
    double internal = 0;
    ASSERT_TRUE(FromUser(r, Quantity::Density, 1.0, internal));
    EXPECT_EQ(internal, 108.0);
}

TEST(Conversions, GaugePressureOffsetsByTheRecordsAtmosphere) {
    TagRecord r = Gas();
    ASSERT_TRUE(SelectUnit(r, T(), Quantity::Pressure, 2));  // kPa-ga
    EXPECT_EQ(r.Unit_PressSys_Set, 0);
    // (100 - 14.696) x 6.894757 = 85.304 x 6.894757 = 588.1503513
    EXPECT_NEAR(ToUser(r, Quantity::Pressure, 100.0), 588.1503513, 1e-6);
    EXPECT_EQ(FmtPressure(ToUser(r, Quantity::Pressure, 100.0)), "588.15");
    double internal = 0;
    ASSERT_TRUE(FromUser(r, Quantity::Pressure, 0.0, internal));
    EXPECT_EQ(internal, 14.696);
    // A pressure never entered shows 0, not minus the atmosphere.
    EXPECT_EQ(ToUser(r, Quantity::Pressure, 0.0), 0.0);
    r.AtmPress = 12.0;  // altitude: the offset follows the record
    EXPECT_NEAR(ToUser(r, Quantity::Pressure, 100.0), 88.0 * 6.894757, 1e-9);

    ASSERT_TRUE(SelectUnit(r, T(), Quantity::Pressure, 3));  // kPa-ab
    EXPECT_EQ(r.Unit_PressSys_Set, 1);
    EXPECT_NEAR(ToUser(r, Quantity::Pressure, 100.0), 689.4757, 1e-9);
    EXPECT_EQ(GetText(r.Unit_Press_Text), "kPa-ab");
}

TEST(Conversions, TemperatureScales) {
    struct Case {
        int index;
        double rankine;
        double user;  // hand calculation: F = R - 459.67, C = (R - 491.67) x 5/9, K = R x 5/9
    };
    const Case cases[] = {
        {0, 671.67, 212.0}, {1, 671.67, 671.67}, {2, 671.67, 100.0},  {3, 671.67, 373.15},
        {0, 419.67, -40.0}, {2, 419.67, -40.0},  {3, 491.67, 273.15}, {2, 491.67, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + " " + std::to_string(c.rankine));
        EXPECT_NEAR(TemperatureToUser(c.index, c.rankine), c.user, 1e-9);
        EXPECT_NEAR(TemperatureFromUser(c.index, c.user), c.rankine, 1e-9);
    }
    // 0 deg R is a value never entered: it shows as 0 in every scale.
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(FmtTemperature(TemperatureToUser(i, 0.0)), "0.00");
    }
    TagRecord r = Gas();
    ASSERT_TRUE(SelectUnit(r, T(), Quantity::Temperature, 2));
    EXPECT_EQ(GetText(r.Unit_Temp_Text), "deg C");
    r.Unit_BaseTemp_Set = 3;
    EXPECT_NEAR(ToUser(r, Quantity::Temperature, 519.67), 15.5555555556, 1e-9);
    EXPECT_NEAR(ToUser(r, Quantity::BaseTemperature, 519.67), 288.7055555556, 1e-9);
    EXPECT_NEAR(ToUser(r, Quantity::DpRefTemperature, 527.67), 68.0, 1e-9);  // deg F
}

TEST(Conversions, BadInputNeverYieldsNaNOrInfinity) {
    TagRecord r = Gas();
    double internal = 7.0;
    EXPECT_FALSE(FromUser(r, Quantity::DiffPressure, std::nan(""), internal));
    EXPECT_FALSE(FromUser(r, Quantity::DiffPressure, HUGE_VAL, internal));
    ASSERT_TRUE(SelectUnit(r, T(), Quantity::DiffPressure, 8));          // MPa-d, factor 2.5e-4
    EXPECT_FALSE(FromUser(r, Quantity::DiffPressure, 1e308, internal));  // overflows
    EXPECT_EQ(internal, 7.0);
    // A damaged or unset factor (Unit_Glocal is 0 in a new record) falls back to the
    // list's factor at the record's selection instead of dividing by zero.
    r.Unit_Glocal = 0.0;
    r.Unit_GLocal_Set = 1;
    ASSERT_TRUE(FromUser(r, Quantity::Gravity, 9.80665, internal));
    EXPECT_NEAR(internal, 32.17405, 1e-5);
    r.Unit_Dens = std::nan("");
    EXPECT_EQ(ToUser(r, Quantity::Density, 5.0), 5.0);
}

TEST(FlowUnits, KindOfRecordAndSelection) {
    struct Case {
        int32_t eq, cond, prop;
        int kind;  // 0: none
    };
    const Case cases[] = {
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG), 1},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity), 1},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW), 2},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG), 3},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG), 4},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity), 5},
        {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp), Code(FluidProperty::LiquidSG),
         6},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::LiquidSG), 0},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp), Code(FluidProperty::GasSG),
         0},
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.eq) + "/" + std::to_string(c.cond) + "/" + std::to_string(c.prop));
        TagRecord r = NewTagRecord();
        r.Fluid_Equation = c.eq;
        r.Fluid_Condition = c.cond;
        r.Fluid_Property = c.prop;
        const std::optional<FlowKind> k = FlowKindOf(r);
        EXPECT_EQ(k ? static_cast<int>(*k) : 0, c.kind);
        const TagRecord before = r;
        const bool selected = SelectFlowUnit(r, T(), 4);
        EXPECT_EQ(selected, c.kind != 0);
        if (!selected) {
            EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);  // nothing changes
            continue;
        }
        EXPECT_EQ(r.Unit_Flow_Set, 4);
        EXPECT_EQ(FlowSelection(r, *k), 4);
        EXPECT_EQ(GetText(r.Unit_Flow_Text), UnitName(T(), FlowListOf(*k), 4));
        EXPECT_EQ(r.Unit_Flow, UnitFactor(T(), FlowListOf(*k), 4));
    }
}

TEST(FlowUnits, FlowConvertsWithTheSelectedFactor) {
    TagRecord r = Gas();
    ASSERT_TRUE(SelectFlowUnit(r, T(), 5));  // Nm3/h
    EXPECT_EQ(GetText(r.Unit_Flow_Text), "Nm3/h");
    // 1000 scfh x 0.028316846592 m3/ft3 = 28.3168 m3/h
    EXPECT_NEAR(ToUser(r, Quantity::Flow, 1000.0), 28.31685, 1e-9);
    TagRecord before = r;
    EXPECT_FALSE(SelectFlowUnit(r, T(), 12));  // outside the list
    EXPECT_FALSE(SelectFlowUnit(r, T(), -1));
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
}

TEST(FlowUnits, ListEditRefreshesOnlyTheRecordsOwnKind) {
    UnitTables t = DefaultUnitTables();
    ASSERT_TRUE(SetUnitEntry(t, UnitList::GasBaseVolFlow, 1, "k scfh", 0.001));
    TagRecord liquid = Liquid();
    ASSERT_TRUE(SelectFlowUnit(liquid, T(), 2));
    RefreshFlowFactorAfterListEdit(liquid, t, FlowKind::GasBase);
    EXPECT_EQ(liquid.Unit_Flow, 42.0);  // unchanged

    TagRecord gas = Gas();
    ASSERT_TRUE(SelectFlowUnit(gas, T(), 1));
    RefreshFlowFactorAfterListEdit(gas, t, FlowKind::GasBase);
    EXPECT_EQ(gas.Unit_Flow, 0.001);
    EXPECT_EQ(GetText(gas.Unit_Flow_Text), "scfh");  // the text is left as it was
}

TEST(Selection, LiquidAtmosphericUnitFollowsTheFlowingPressureFamily) {
    const char* expected[12] = {"psia",   "psia",   "kPa-ab",  "kPa-ab",  "MPa-ab",    "MPa-ab",
                                "bar-ab", "bar-ab", "mbar-ab", "mbar-ab", "kg/cm2-ab", "kg/cm2-ab"};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        TagRecord r = Liquid();
        ASSERT_TRUE(SelectUnit(r, T(), Quantity::Pressure, i));
        EXPECT_TRUE(PairLiquidAtmPressure(r, T()));
        EXPECT_EQ(r.Unit_AtmPress_Set, i / 2);
        EXPECT_EQ(GetText(r.Unit_AtmPress_Text), expected[i]);
        EXPECT_EQ(r.Unit_AtmPress, UnitFactor(T(), UnitList::AbsPressure, i / 2));
    }
    TagRecord gas = Gas();
    gas.Unit_Press_Set = 3;
    EXPECT_FALSE(PairLiquidAtmPressure(gas, T()));
    EXPECT_EQ(gas.Unit_AtmPress_Set, 0);
}

TEST(Selection, OutOfRangeIndexChangesNothing) {
    TagRecord r = Gas();
    const TagRecord before = r;
    EXPECT_FALSE(SelectUnit(r, T(), Quantity::Bore, 3));
    EXPECT_FALSE(SelectUnit(r, T(), Quantity::Temperature, 4));
    EXPECT_FALSE(SelectUnit(r, T(), Quantity::Gravity, 2));
    EXPECT_FALSE(SelectUnit(r, T(), Quantity::Flow, 1));
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
}

TEST(Selection, RefreshUnitFactorsTakesTheListsAtTheSelections) {
    UnitTables t = DefaultUnitTables();
    TagRecord r = Gas();
    r.Unit_DpPress_Set = 6;  // Pa-d
    r.Unit_Bore_Set = 1;     // mm
    r.Unit_GLocal_Set = 1;   // m/s2
    r.Unit_Dens_Set = 99;    // damaged: its factor stays as stored
    RefreshUnitFactors(r, t);
    EXPECT_EQ(r.Unit_Dpress, 248.6411);
    EXPECT_EQ(r.Unit_Bore, 25.4);
    EXPECT_EQ(r.Unit_Glocal, 0.3048);
    EXPECT_EQ(r.Unit_Dens, 1.0);
}

TEST(Selection, RetrievedTagFollowsTheCurrentFlowList) {
    TagRecord r = Gas();
    ASSERT_TRUE(SelectFlowUnit(r, T(), 2));  // scfm, factor 0.01666667
    UnitTables t = DefaultUnitTables();
    ASSERT_TRUE(SetUnitEntry(t, UnitList::GasBaseVolFlow, 2, "k scfm", 0.00001666667));
    r.Unit_Press = 6.894757;  // other factors stay as stored
    ASSERT_TRUE(ReapplyFlowUnit(r, t));
    EXPECT_EQ(r.Unit_Flow, 0.00001666667);
    EXPECT_EQ(GetText(r.Unit_Flow_Text), "k scfm");
    EXPECT_EQ(r.Unit_Press, 6.894757);
    // A damaged Unit_Flow_Set takes the kind's own selection, so the unit shown and
    // the factor agree again.
    r.Unit_Flow_Set = 40;
    ASSERT_TRUE(ReapplyFlowUnit(r, t));
    EXPECT_EQ(r.Unit_Flow_Set, 2);
    EXPECT_EQ(r.Unit_Flow, 0.00001666667);
    // A record without a flow kind changes nothing.
    r.Fluid_Equation = 0;
    EXPECT_FALSE(ReapplyFlowUnit(r, t));
}

TEST(Selection, SettingsKeepTheRecordsSelectionsAndEquationChoices) {
    UnitDefaults d = DefaultUnitDefaults();
    TagRecord r = Liquid();
    r.Unit_LiqBaseFlow_Set = 9;
    r.Unit_Press_Set = 3;
    r.Unit_PressSys_Set = 1;
    r.Unit_Pipe_Set = 2;
    r.Unit_Bore_Set = 7;  // damaged: not carried into the settings
    StoreSelections(d, r);
    EXPECT_EQ(d.Unit_LiqBaseFlow_Set, 9);
    EXPECT_EQ(d.Unit_Press_Set, 3);
    EXPECT_EQ(d.Unit_PressSys_Set, 1);
    EXPECT_EQ(d.Unit_Pipe_Set, 2);
    EXPECT_EQ(d.Unit_Bore_Set, 0);

    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    RememberFluidEquation(d, r);
    EXPECT_EQ(d.Liquid_Fluid_Equation, Code(FluidEquation::LiquidMass));
    EXPECT_EQ(d.Liquid_Fluid_Property, Code(FluidProperty::LiquidDensity));
    EXPECT_EQ(d.Gas_Fluid_Equation, Code(FluidEquation::GasVolume));  // the gas choice is untouched
    TagRecord g = Gas();
    g.Fluid_Equation = Code(FluidEquation::GasMass);
    g.Fluid_Condition = Code(FluidCondition::GasFlowing);
    g.Fluid_Property = Code(FluidProperty::GasDensity);
    RememberFluidEquation(d, g);
    EXPECT_EQ(d.Gas_Fluid_Equation, Code(FluidEquation::GasMass));
    EXPECT_EQ(d.Gas_Fluid_Condition, Code(FluidCondition::GasFlowing));
    EXPECT_EQ(d.Liquid_Fluid_Equation, Code(FluidEquation::LiquidMass));
}

// --- Custom flow units ------------------------------------------------------

TEST(CustomFlowUnits, BuiltNamesAndFactors) {
    struct Case {
        FlowKind kind;
        int quantity, time, prefix;
        const char* name;
        double factor;  // hand calculation
    };
    const Case cases[] = {
        // 1 scfh = 8760 scf/y = 0.00876 MM scf/y
        {FlowKind::GasBase, 0, 0, 9, "MM scfy", 0.00876},
        // 1 scfh = 0.028316846 Nm3/h x 24 / 1000 = 6.796043e-4 k Nm3/d
        {FlowKind::GasBase, 5, 1, 6, "k Nm3/d", 0.6796043 / 1000},
        {FlowKind::GasFlowing, 1, 3, 0, "m3/m", 0.0004719474},
        // 1 lb/h = 453.5924 g/h = 7.559873 g/min
        {FlowKind::GasMass, 6, 3, 0, "g/m", 7.559873},
        {FlowKind::LiquidMass, 4, 1, 0, "ton-m/d", 0.01088622},
        // 1 bbl/d = 6.624471 L/h = 1.840131e-3 L/s; milli: x 1000
        {FlowKind::LiquidFlowing, 6, 4, 1, "m l/s", 1.840131},
        {FlowKind::LiquidBase, 1, 2, 0, "USGph", 1.75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<CustomFlowUnit> u = BuildCustomFlowUnit(c.kind, c.quantity, c.time, c.prefix);
        ASSERT_TRUE(u);
        EXPECT_EQ(u->name, c.name);
        EXPECT_NEAR(u->factor / c.factor, 1.0, 1e-6);
    }
    // The round trip through "%.6e" keeps exactly seven digits: 8760 stays 8760.
    EXPECT_EQ(BuildCustomFlowUnit(FlowKind::GasBase, 0, 0, 9)->factor, 8760.0 / 1000000.0);
    const double per_min = BuildCustomFlowUnit(FlowKind::GasBase, 0, 3, 0)->factor;
    EXPECT_EQ(CFormat("%.6e", {per_min}), "1.666667e-02");
    EXPECT_EQ(per_min, 0.01666667);
}

TEST(CustomFlowUnits, LongNamesKeepTheirTimeLetter) {
    // "MM USBBL/d" and "MM ton-m/d" are ten characters; the 10-byte slot holds nine.
    struct Case {
        FlowKind kind;
        int quantity, time;
        const char* name;
    };
    const Case cases[] = {
        {FlowKind::LiquidBase, 0, 1, "MMUSBBL/d"},    {FlowKind::LiquidBase, 0, 2, "MMUSBBL/h"},
        {FlowKind::LiquidFlowing, 0, 1, "MMUSbbl/d"}, {FlowKind::GasMass, 4, 1, "MMton-m/d"},
        {FlowKind::LiquidMass, 4, 2, "MMton-m/h"},    {FlowKind::GasBase, 4, 1, "MM Nft3/d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<CustomFlowUnit> u = BuildCustomFlowUnit(c.kind, c.quantity, c.time, 9);
        ASSERT_TRUE(u);
        EXPECT_EQ(u->name, c.name);
        UnitTables t = DefaultUnitTables();
        ASSERT_TRUE(SetUnitEntry(t, FlowListOf(c.kind), 0, u->name, u->factor));
        EXPECT_EQ(UnitName(t, FlowListOf(c.kind), 0), c.name);
    }
    // Every combination fits its slot and ends with its time letter.
    for (int k = 1; k <= 6; ++k) {
        const FlowKind kind = static_cast<FlowKind>(k);
        for (std::size_t q = 0; q < CustomQuantityTexts(kind).size(); ++q)
            for (int t = 0; t < 5; ++t)
                for (int p = 0; p < 10; ++p) {
                    const auto u = BuildCustomFlowUnit(kind, static_cast<int>(q), t, p);
                    ASSERT_TRUE(u);
                    EXPECT_LE(u->name.size(), 9u) << u->name;
                    EXPECT_EQ(u->name.back(), "ydhms"[t]) << u->name;
                    EXPECT_TRUE(std::isfinite(u->factor) && u->factor > 0) << u->name;
                }
    }
}

TEST(CustomFlowUnits, ChoicesOutsideTheirCombosAreRefused) {
    EXPECT_FALSE(BuildCustomFlowUnit(FlowKind::GasFlowing, 3, 0, 0));
    EXPECT_FALSE(BuildCustomFlowUnit(FlowKind::GasBase, 0, 5, 0));
    EXPECT_FALSE(BuildCustomFlowUnit(FlowKind::GasBase, 0, 0, 10));
    EXPECT_FALSE(BuildCustomFlowUnit(FlowKind::GasBase, -1, 0, 0));
    EXPECT_EQ(CustomQuantityTexts(FlowKind::GasMass).size(), 9u);
    EXPECT_EQ(CustomQuantityTexts(FlowKind::LiquidBase)[0], "Barrels Oil");
    EXPECT_EQ(CustomPrefixTexts()[8], "M - thousaands - Flow / 1000");
    EXPECT_EQ(UnitsSetupHeader(FlowKind::LiquidFlowing), "1 USbbl/d =");
    EXPECT_EQ(CustomUnitCaption(FlowKind::GasBase), "Gas/Vapor Volume Units @ Base Conditions");
}

}  // namespace
}  // namespace quorven
