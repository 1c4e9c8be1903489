#include "record/unit_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "record/tag_record.h"

namespace quorven {
namespace {

// Exact definitions (NIST SP 811, 2008, Appendix B) from which every default
// factor is worked out by hand below.
constexpr double kFt = 0.3048;                                // m
constexpr double kFt3 = kFt * kFt * kFt;                      // m3
constexpr double kLb = 0.45359237;                            // kg
constexpr double kPsi = kLb * 9.80665 / (0.0254 * 0.0254);    // Pa, 6894.757
constexpr double kBbl = 42 * 231 * 0.0254 * 0.0254 * 0.0254;  // m3
constexpr double kUkGal = 4.54609e-3;                         // m3
constexpr double kInWc68 = 248.641;                           // Pa, water at 68 degF
constexpr double kInHg60 = 3376.85;                           // Pa, mercury at 60 degF
constexpr double kMmHg0 = 133.322387415;                      // Pa, 1 mm of mercury (13.5951 g/cm3) at 0 degC
constexpr double kKgf = 9.80665;                              // N
constexpr double kLbFt3 = kLb / kFt3;                         // kg/m3 in one lb/ft3

struct FactorCase {
    UnitList list;
    int index;
    const char* name;
    double definition;  // hand calculation from the definitions above
};

// Every entry of the sixteen lists (Temperature has no factors).
const FactorCase kFactorCases[] = {
    {UnitList::GasBaseVolFlow, 0, "scfd", 24},
    {UnitList::GasBaseVolFlow, 1, "scfh", 1},
    {UnitList::GasBaseVolFlow, 2, "scfm", 1.0 / 60},
    {UnitList::GasBaseVolFlow, 3, "scfs", 1.0 / 3600},
    {UnitList::GasBaseVolFlow, 4, "Nm3/d", kFt3 * 24},
    {UnitList::GasBaseVolFlow, 5, "Nm3/h", kFt3},
    {UnitList::GasBaseVolFlow, 6, "Nm3/m", kFt3 / 60},
    {UnitList::GasBaseVolFlow, 7, "Nm3/s", kFt3 / 3600},
    {UnitList::GasBaseVolFlow, 8, "sm3/d", kFt3 * 24},
    {UnitList::GasBaseVolFlow, 9, "sm3/h", kFt3},
    {UnitList::GasBaseVolFlow, 10, "sm3/m", kFt3 / 60},
    {UnitList::GasBaseVolFlow, 11, "sm3/s", kFt3 / 3600},
    {UnitList::GasFlowingVolFlow, 0, "ft3/d", 24},
    {UnitList::GasFlowingVolFlow, 1, "ft3/h", 1},
    {UnitList::GasFlowingVolFlow, 2, "ft3/m", 1.0 / 60},
    {UnitList::GasFlowingVolFlow, 3, "ft3/s", 1.0 / 3600},
    {UnitList::GasFlowingVolFlow, 4, "m3/d", kFt3 * 24},
    {UnitList::GasFlowingVolFlow, 5, "m3/h", kFt3},
    {UnitList::GasFlowingVolFlow, 6, "m3/m", kFt3 / 60},
    {UnitList::GasFlowingVolFlow, 7, "m3/s", kFt3 / 3600},
    {UnitList::GasFlowingVolFlow, 8, "cc/h", kFt3 * 1e6},
    {UnitList::GasFlowingVolFlow, 9, "cc/m", kFt3 * 1e6 / 60},
    {UnitList::GasFlowingVolFlow, 10, "l/h", kFt3 * 1e3},
    {UnitList::GasFlowingVolFlow, 11, "l/m", kFt3 * 1e3 / 60},
    {UnitList::GasMassFlow, 0, "lb/d", 24},
    {UnitList::GasMassFlow, 1, "lb/h", 1},
    {UnitList::GasMassFlow, 2, "lb/m", 1.0 / 60},
    {UnitList::GasMassFlow, 3, "lb/s", 1.0 / 3600},
    {UnitList::GasMassFlow, 4, "kg/d", kLb * 24},
    {UnitList::GasMassFlow, 5, "kg/h", kLb},
    {UnitList::GasMassFlow, 6, "kg/m", kLb / 60},
    {UnitList::GasMassFlow, 7, "kg/s", kLb / 3600},
    {UnitList::GasMassFlow, 8, "tons/d", 24.0 / 2000},
    {UnitList::GasMassFlow, 9, "tons/h", 1.0 / 2000},
    {UnitList::GasMassFlow, 10, "ton-m/d", kLb * 24 / 1000},
    {UnitList::GasMassFlow, 11, "ton-m/h", kLb / 1000},
    {UnitList::LiquidMassFlow, 4, "kg/d", kLb * 24},
    {UnitList::LiquidMassFlow, 10, "ton-m/d", kLb * 24 / 1000},
    {UnitList::LiquidBaseVolFlow, 0, "USBBL/d", 1},
    {UnitList::LiquidBaseVolFlow, 1, "USBBL/h", 1.0 / 24},
    {UnitList::LiquidBaseVolFlow, 2, "USGpd", 42},
    {UnitList::LiquidBaseVolFlow, 3, "USGph", 42.0 / 24},
    {UnitList::LiquidBaseVolFlow, 4, "USGpm", 42.0 / 1440},
    {UnitList::LiquidBaseVolFlow, 5, "IMPGpd", kBbl / kUkGal},
    {UnitList::LiquidBaseVolFlow, 6, "IMPGph", kBbl / kUkGal / 24},
    {UnitList::LiquidBaseVolFlow, 7, "IMPGpm", kBbl / kUkGal / 1440},
    {UnitList::LiquidBaseVolFlow, 8, "M3/d", kBbl},
    {UnitList::LiquidBaseVolFlow, 9, "M3/h", kBbl / 24},
    {UnitList::LiquidBaseVolFlow, 10, "L/h", kBbl * 1000 / 24},
    {UnitList::LiquidBaseVolFlow, 11, "L/m", kBbl * 1000 / 1440},  // 0.1104078, not 0.1104044
    {UnitList::LiquidFlowingVolFlow, 0, "USbbl/d", 1},
    {UnitList::LiquidFlowingVolFlow, 5, "IMPgpd", kBbl / kUkGal},
    {UnitList::LiquidFlowingVolFlow, 9, "m3/h", kBbl / 24},
    {UnitList::LiquidFlowingVolFlow, 11, "l/m", kBbl * 1000 / 1440},
    {UnitList::Pressure, 0, "psig", 1},
    {UnitList::Pressure, 1, "psia", 1},
    {UnitList::Pressure, 2, "kPa-ga", kPsi / 1e3},
    {UnitList::Pressure, 3, "kPa-ab", kPsi / 1e3},
    {UnitList::Pressure, 4, "MPa-ga", kPsi / 1e6},
    {UnitList::Pressure, 5, "MPa-ab", kPsi / 1e6},
    {UnitList::Pressure, 6, "bar-ga", kPsi / 1e5},
    {UnitList::Pressure, 7, "bar-ab", kPsi / 1e5},
    {UnitList::Pressure, 8, "mbar-ga", kPsi / 1e2},
    {UnitList::Pressure, 9, "mbar-ab", kPsi / 1e2},
    {UnitList::Pressure, 10, "kg/cm2-ga", kPsi / (kKgf * 1e4)},
    {UnitList::Pressure, 11, "kg/cm2-ab", kPsi / (kKgf * 1e4)},
    {UnitList::AbsPressure, 0, "psia", 1},
    {UnitList::AbsPressure, 1, "kPa-ab", kPsi / 1e3},
    {UnitList::AbsPressure, 2, "MPa-ab", kPsi / 1e6},
    {UnitList::AbsPressure, 3, "bar-ab", kPsi / 1e5},
    {UnitList::AbsPressure, 4, "mbar-ab", kPsi / 1e2},
    {UnitList::AbsPressure, 5, "kg/cm2-ab", kPsi / (kKgf * 1e4)},
    {UnitList::AbsPressure, 6, "std atm", kPsi / 101325},
    {UnitList::AbsPressure, 7, "dyne/cm2", kPsi * 10},
    {UnitList::AbsPressure, 8, "N/m2", kPsi},
    {UnitList::AbsPressure, 9, "lbf/ft2", 144},
    {UnitList::AbsPressure, 10,
     "in Hg(60\xB0"
     "F)",
     kPsi / kInHg60},
    {UnitList::AbsPressure, 11,
     "mm Hg(0\xB0"
     "C)",
     kPsi / kMmHg0},
    {UnitList::DiffPressure, 0, "in WC", 1},
    {UnitList::DiffPressure, 1, "ft WC", 1.0 / 12},
    {UnitList::DiffPressure, 2, "mm WC", 25.4},
    {UnitList::DiffPressure, 3,
     "in Hg(60\xB0"
     "F)",
     kInWc68 / kInHg60},
    {UnitList::DiffPressure, 4,
     "mm Hg(0\xB0"
     "C)",
     kInWc68 / kMmHg0},  // 1.86496, not 1.86648
    {UnitList::DiffPressure, 5, "psid", kInWc68 / kPsi},
    {UnitList::DiffPressure, 6, "Pa-d", kInWc68},
    {UnitList::DiffPressure, 7, "kPa-d", kInWc68 / 1e3},
    {UnitList::DiffPressure, 8, "MPa-d", kInWc68 / 1e6},
    {UnitList::DiffPressure, 9, "bar-d", kInWc68 / 1e5},
    {UnitList::DiffPressure, 10, "mbar-d", kInWc68 / 1e2},
    {UnitList::DiffPressure, 11, "kg/cm2-d", kInWc68 / (kKgf * 1e4)},
    {UnitList::Density, 0, "lb/ft3", 1},
    {UnitList::Density, 1, "kg/cm3", 1e6 / kLbFt3},
    {UnitList::Density, 2, "kg/m3", 1 / kLbFt3},
    {UnitList::Density, 3, "g/cm3", 1e3 / kLbFt3},
    {UnitList::Density, 4, "g/m3", 1e-3 / kLbFt3},
    {UnitList::Density, 5, "oz-av/in3", 1728.0 / 16},
    {UnitList::Density, 6, "slug/ft3", 9.80665 / kFt},
    {UnitList::Density, 7, "lb/gal-US", 1728.0 / 231},
    {UnitList::Density, 8, "lb/gal-UK", kFt3 / kUkGal},
    {UnitList::Density, 9, "oz-av/gal-US", 1728.0 / 231 / 16},
    {UnitList::Density, 10, "oz-av/gal-UK", kFt3 / kUkGal / 16},
    {UnitList::Density, 11, "grain/gal", 1728.0 / 231 / 7000},
    {UnitList::Viscosity, 0, "cPoise", 1},
    {UnitList::Viscosity, 1, "Poise", 0.01},
    {UnitList::Viscosity, 2, "mPa-s", 1},
    {UnitList::Viscosity, 3, "Pa-s", 1e-3},
    {UnitList::Viscosity, 4, "lbf-s/ft2", 1e-3 * kFt* kFt / (kLb * 9.80665)},
    {UnitList::Viscosity, 5, "lbf-s/in2", 1e-3 * 0.0254 * 0.0254 / (kLb * 9.80665)},
    {UnitList::Viscosity, 6, "lbm/ft-s", 1e-3 * kFt / kLb},
    {UnitList::Viscosity, 7, "lbm/in-s", 1e-3 * 0.0254 / kLb},
    {UnitList::Viscosity, 8, "gmf-s/cm2", 1e-3 / 98.0665},  // 1 gf s/cm2 = 98.0665 Pa s
    {UnitList::Viscosity, 9, "gm/cm-s", 0.01},
    {UnitList::Viscosity, 10, "dyne-s/cm2", 0.01},
    {UnitList::Viscosity, 11, "N-s/m2", 1e-3},
    {UnitList::BoreLength, 0, "in", 1},
    {UnitList::BoreLength, 1, "mm", 25.4},
    {UnitList::BoreLength, 2, "cm", 2.54},
    {UnitList::PipeSizeLength, 1, "mm", 25.4},
    {UnitList::Speed, 0, "ft/s", 1},
    {UnitList::Speed, 1, "m/s", kFt},
    {UnitList::Speed, 2, "mph", 3600.0 / 5280},
    {UnitList::Speed, 3, "k/h", kFt * 3.6},
    {UnitList::Acceleration, 0, "ft/s\xB2", 1},
    {UnitList::Acceleration, 1, "m/s\xB2", kFt},
};

TEST(UnitTables, EveryDefaultFactorMatchesItsDefinition) {
    const UnitTables& t = DefaultUnitTables();
    for (const FactorCase& c : kFactorCases) {
        SCOPED_TRACE(std::string(UnitListName(c.list)) + " " + std::to_string(c.index) + " " + c.name);
        EXPECT_EQ(UnitName(t, c.list, c.index), c.name);
        // The table keeps seven significant digits: 3 parts in 10^6.
        EXPECT_NEAR(UnitFactor(t, c.list, c.index) / c.definition, 1.0, 3e-6);
    }
}

TEST(UnitTables, SisterListsShareTheirFactors) {
    // Liquid mass = gas mass, names and factors; liquid flowing = liquid base factors
    // under lower-case names; pipe size = bore length.
    const UnitTables& t = DefaultUnitTables();
    const char* flowing[12] = {"USbbl/d", "USbbl/h", "USgpd", "USgph", "USgpm", "IMPgpd",
                               "IMPgph",  "IMPgpm",  "m3/d",  "m3/h",  "l/h",   "l/m"};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(UnitName(t, UnitList::LiquidMassFlow, i), UnitName(t, UnitList::GasMassFlow, i));
        EXPECT_EQ(UnitFactor(t, UnitList::LiquidMassFlow, i), UnitFactor(t, UnitList::GasMassFlow, i));
        EXPECT_EQ(UnitName(t, UnitList::LiquidFlowingVolFlow, i), flowing[i]);
        EXPECT_EQ(UnitFactor(t, UnitList::LiquidFlowingVolFlow, i),
                  UnitFactor(t, UnitList::LiquidBaseVolFlow, i));
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(UnitName(t, UnitList::PipeSizeLength, i), UnitName(t, UnitList::BoreLength, i));
        EXPECT_EQ(UnitFactor(t, UnitList::PipeSizeLength, i), UnitFactor(t, UnitList::BoreLength, i));
    }
}

TEST(UnitTables, ListsHaveTheirStoredShapes) {
    const UnitTables& t = DefaultUnitTables();
    struct ShapeCase {
        UnitList list;
        int entries, width, slots;
        const char* last;
    };
    const ShapeCase cases[] = {
        {UnitList::GasBaseVolFlow, 12, 10, 12, "sm3/s"},
        {UnitList::LiquidFlowingVolFlow, 12, 10, 12, "l/m"},
        {UnitList::LiquidMassFlow, 12, 10, 12, "ton-m/h"},
        {UnitList::Pressure, 12, 12, 12, "kg/cm2-ab"},
        {UnitList::Density, 12, 16, 12, "grain/gal"},
        {UnitList::BoreLength, 3, 4, 4, "cm"},
        {UnitList::PipeSizeLength, 3, 4, 4, "cm"},
        {UnitList::Speed, 4, 7, 4, "k/h"},
        {UnitList::Acceleration, 2, 7, 2, "m/s\xB2"},
        {UnitList::Temperature, 4, 7, 0, "deg K"},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(std::string(UnitListName(c.list)));
        const UnitListShape s = ShapeOf(c.list);
        EXPECT_EQ(s.entries, c.entries);
        EXPECT_EQ(s.name_width, c.width);
        EXPECT_EQ(s.factor_slots, c.slots);
        EXPECT_EQ(UnitName(t, c.list, c.entries - 1), c.last);
        EXPECT_FALSE(IsUnitIndex(c.list, c.entries));
        EXPECT_FALSE(IsUnitIndex(c.list, -1));
        EXPECT_EQ(UnitName(t, c.list, c.entries), "");
        EXPECT_EQ(UnitFactor(t, c.list, 1000000), 0.0);
    }
    EXPECT_EQ(UnitName(t, UnitList::Temperature, 2), "deg C");
}

TEST(UnitTables, SetUnitEntryCutsNamesAndRefusesBadFactors) {
    UnitTables t = DefaultUnitTables();
    EXPECT_TRUE(SetUnitEntry(t, UnitList::GasBaseVolFlow, 3, "MMMMMMMMMMMM", 2.5));
    EXPECT_EQ(UnitName(t, UnitList::GasBaseVolFlow, 3), "MMMMMMMMM");  // 10-byte slot
    EXPECT_EQ(UnitFactor(t, UnitList::GasBaseVolFlow, 3), 2.5);
    for (double bad : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
        EXPECT_FALSE(SetUnitEntry(t, UnitList::GasBaseVolFlow, 3, "x", bad));
    }
    EXPECT_FALSE(SetUnitEntry(t, UnitList::GasBaseVolFlow, 12, "x", 1.0));
    EXPECT_EQ(UnitName(t, UnitList::GasBaseVolFlow, 3), "MMMMMMMMM");
    EXPECT_EQ(FindUnit(t, UnitList::AbsPressure, "kPa-ab"), 1);
    EXPECT_EQ(FindUnit(t, UnitList::AbsPressure, "kPa-ga"), -1);
}

TEST(UnitDefaults, DefaultsAndRepairOfOutOfRangeValues) {
    UnitDefaults d = DefaultUnitDefaults();
    EXPECT_EQ(d.Unit_GasBaseFlow_Set, 1);
    EXPECT_EQ(d.Unit_LiqBaseFlow_Set, 0);
    EXPECT_EQ(d.Unit_LiqMassFlow_Set, 1);
    EXPECT_EQ(d.Unit_Press_Set, 0);
    EXPECT_EQ(d.Gas_Fluid_Equation, Code(FluidEquation::GasVolume));
    EXPECT_EQ(d.Liquid_Fluid_Property, Code(FluidProperty::LiquidSG));
    EXPECT_EQ(CheckUnitDefaults(d), 0);
    d.Unit_Bore_Set = 3;  // BoreLength has three entries
    d.Unit_Velocity_Set = -1;
    d.Unit_GasMassFlow_Set = 11;                                   // valid, kept
    d.Gas_Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);  // a liquid code
    EXPECT_EQ(CheckUnitDefaults(d), 3);
    EXPECT_EQ(d.Unit_Bore_Set, 0);
    EXPECT_EQ(d.Unit_Velocity_Set, 0);
    EXPECT_EQ(d.Unit_GasMassFlow_Set, 11);
    EXPECT_EQ(d.Gas_Fluid_Condition, Code(FluidCondition::GasBase));
}

}  // namespace
}  // namespace quorven
