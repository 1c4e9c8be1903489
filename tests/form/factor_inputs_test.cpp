// What the correction-factor dialogs write on OK, without widgets.
#include "form/factor_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/factors.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool SameBytes(const TagRecord& a, const TagRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TagRecord Meter() {
    TagRecord r = NewTagRecord();
    r.Calc_Status = 1;
    r.Beta = 0.5;
    r.Pipe_IDia = 4.026;
    r.Fa_Meter = 1.0;
    r.Fa_Pipe = 1.0;
    r.Flow_Temp = 519.67;  // 60 deg F
    r.Flow_Press = 100.0;
    r.Flow_RhoGZ = 50.0;  // flowing density, lb/ft3
    return r;
}

TEST(DrainInputs, ListNoneAndManualModes) {
    const UnitTables& t = DefaultUnitTables();
    struct Case {
        const char* what;
        DrainInputs in;
        bool bore_mm;
        int32_t drain, sel;
        double dia_in;
    };
    // Diameters: the standard drain/vent hole list (3/16 in at position 4);
    // hand calculation: 3 mm / 25.4 mm/in = 0.1181102 in.
    const Case kCases[] = {
        {"list position 0 clears the factor", {kDrainFromList, 0, 0}, false, 0, 0, 0.0},
        {"list position 4 is 3/16 in", {kDrainFromList, 4, 0}, false, 1, 4, 0.1875},
        {"list position 14 is 1/2 in", {kDrainFromList, 14, 0}, false, 1, 14, 0.5},
        {"none", {kDrainNone, 4, 0}, false, 0, 2, 0.0},
        {"manual 3 mm", {kDrainManual, 0, 3.0}, true, 1, 2, 3.0 / 25.4},
        {"manual 0.25 in", {kDrainManual, 0, 0.25}, false, 1, 2, 0.25},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        TagRecord r = Meter();
        r.Factor_Drain = 1;
        r.Factor_Drain_HoleSel = 2;
        r.Factor_DrainDia = 0.125;
        if (c.bore_mm) {
            ASSERT_TRUE(SelectUnit(r, t, Quantity::Bore, FindUnit(t, UnitList::BoreLength, "mm")));
        }
        ASSERT_TRUE(ApplyDrainInputs(r, c.in));
        EXPECT_EQ(r.Factor_DrainType, c.in.mode);
        EXPECT_EQ(r.Factor_Drain, c.drain);
        EXPECT_EQ(r.Factor_Drain_HoleSel, c.sel);
        EXPECT_NEAR(r.Factor_DrainDia, c.dia_in, 1e-12);
        EXPECT_EQ(r.Calc_Status, 0);
        if (c.drain == 0) {
            EXPECT_EQ(DrainHoleFactor(r), 1.0);
        } else {
            EXPECT_GT(DrainHoleFactor(r), 1.0);
        }
    }
}

TEST(DrainInputs, RefusedInputsLeaveTheRecordIntact) {
    const DrainInputs kBad[] = {
        {kDrainManual, 0, 100.5},  // above the 100 (bore unit) limit
        {kDrainManual, 0, -1.0},
        {kDrainManual, 0, kNaN},
        {kDrainManual, 0, std::numeric_limits<double>::infinity()},
        {kDrainFromList, 15, 0},  // past the list
        {kDrainFromList, -1, 0},
        {1188, 0, 0},  // not a mode
    };
    for (const DrainInputs& in : kBad) {
        SCOPED_TRACE(in.mode * 1000 + in.position);
        TagRecord r = Meter();
        const TagRecord before = r;
        EXPECT_FALSE(ApplyDrainInputs(r, in));
        EXPECT_TRUE(SameBytes(r, before));
    }
}

TEST(ManometerInputs, ConvertsToInternalUnitsAndKeepsTheGravityUnit) {
    const UnitTables& t = DefaultUnitTables();
    TagRecord r = Meter();
    ManometerInputs in;
    in.include = true;
    in.seal_temp = 60.0;      // deg F (the new record's temperature unit)
    in.seal_density = 62.37;  // lb/ft3
    in.gravity = 9.80665;     // m/s2, standard gravity
    in.gravity_unit = FindUnit(t, UnitList::Acceleration, "m/s\xB2");
    ASSERT_GE(in.gravity_unit, 0);
    ASSERT_TRUE(ApplyManometerInputs(r, t, in));
    EXPECT_EQ(r.Factor_Manometer, 1);
    EXPECT_EQ(r.Unit_GLocal_Set, in.gravity_unit);
    // Hand calculation: 9.80665 / 0.3048 = 32.174049 ft/s2.
    EXPECT_NEAR(r.Factor_ManoGlocal, 32.174049, 1e-6);
    EXPECT_NEAR(r.Factor_ManoSealTemp, 519.67, 1e-9);
    EXPECT_DOUBLE_EQ(r.Factor_ManoSealRho, 62.37);
    EXPECT_EQ(r.Calc_Status, 0);
    // Hand calculation: sqrt(1 - 62.37 / 846.324) x sqrt(32.174049 / 32.17405) = 0.962447.
    EXPECT_NEAR(ManometerFactor(r), 0.962447, 2e-6);
    // Reopening shows what was typed.
    const ManometerInputs shown = ManometerInputsOf(r);
    EXPECT_NEAR(shown.gravity, 9.80665, 1e-9);
    EXPECT_NEAR(shown.seal_temp, 60.0, 1e-9);
}

TEST(ManometerInputs, NoKeepsTheDataAndBadValuesAreRefused) {
    const UnitTables& t = DefaultUnitTables();
    TagRecord r = Meter();
    r.Factor_Manometer = 1;
    r.Factor_ManoSealRho = 62.0;
    ManometerInputs no;
    ASSERT_TRUE(ApplyManometerInputs(r, t, no));
    EXPECT_EQ(r.Factor_Manometer, 0);
    EXPECT_EQ(r.Factor_ManoSealRho, 62.0);

    struct Bad {
        const char* what;
        double temp, rho, g;
        int32_t unit;
    };
    const Bad kBad[] = {
        {"seal fluid heavier than mercury", 60, 900, 32.17, 0},
        {"no gravity", 60, 62, 0, 0},
        {"below absolute zero", -500, 62, 32.17, 0},
        {"NaN density", 60, kNaN, 32.17, 0},
        {"unknown gravity unit", 60, 62, 32.17, 7},
    };
    for (const Bad& b : kBad) {
        SCOPED_TRACE(b.what);
        TagRecord s = Meter();
        const TagRecord before = s;
        EXPECT_FALSE(ApplyManometerInputs(s, t, {true, b.temp, b.rho, b.g, b.unit}));
        EXPECT_TRUE(SameBytes(s, before));
    }
}

TEST(WaterVapourInputs, ModesStoreTheirValue) {
    struct Case {
        const char* what;
        WaterVapourInputs in;
        bool ok;
        double pwv_edit;
    };
    const Case kCases[] = {
        {"flowing temperature stores 100", {true, kVapourAtFlowTemp, 7.0}, true, 100.0},
        {"user temperature 100 deg F is 559.67 deg R", {true, kVapourAtUserTemp, 100.0}, true, 559.67},
        {"50 percent humidity", {true, kVapourAtHumidity, 50.0}, true, 50.0},
        {"humidity above 100 percent", {true, kVapourAtHumidity, 100.5}, false, 0},
        {"negative humidity", {true, kVapourAtHumidity, -1.0}, false, 0},
        {"below absolute zero", {true, kVapourAtUserTemp, -460.0}, false, 0},
        {"not a mode", {true, 1214, 50.0}, false, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        TagRecord r = Meter();
        r.Factor_PwvEdit = 42.0;
        const TagRecord before = r;
        ASSERT_EQ(ApplyWaterVapourInputs(r, c.in), c.ok);
        if (!c.ok) {
            EXPECT_TRUE(SameBytes(r, before));
            continue;
        }
        EXPECT_EQ(r.Factor_H2OvapIncl, 1);
        EXPECT_EQ(r.Factor_H2OvapSetup, c.in.mode);
        EXPECT_NEAR(r.Factor_PwvEdit, c.pwv_edit, 1e-9);
    }
}

TEST(WaterVapourInputs, OpeningReplacesAUserTemperatureAtOrBelowZeroFahrenheit) {
    TagRecord r = Meter();
    r.Flow_Temp = 559.67;  // 100 deg F
    r.Factor_H2OvapSetup = kVapourAtUserTemp;
    r.Factor_PwvEdit = 459.67;  // 0 deg F
    EXPECT_NEAR(WaterVapourInputsOf(r).value, 100.0, 1e-9);
    r.Factor_PwvEdit = 479.67;  // 20 deg F is kept
    EXPECT_NEAR(WaterVapourInputsOf(r).value, 20.0, 1e-9);
}

TEST(QualityInputs, SaturatedLiquidAndVapourQuality) {
    struct Case {
        const char* what;
        bool sat_liq;
        QualityInputs in;
        bool ok;
        double x, rho;
    };
    const Case kCases[] = {
        {"blank values: bubble-point liquid", true, {true, std::nullopt, std::nullopt}, true, 0, 0},
        {"saturated liquid with 5 percent vapour", true, {true, 5.0, 0.5}, true, 5.0, 0.5},
        {"quality without vapour density", true, {true, 5.0, std::nullopt}, false, 0, 0},
        {"wet gas 95 percent", false, {true, 95.0, 62.3}, true, 95.0, 62.3},
        {"wet gas without liquid density", false, {true, 95.0, std::nullopt}, false, 0, 0},
        {"quality above 100", false, {true, 100.1, 62.3}, false, 0, 0},
        {"NaN quality", true, {true, kNaN, 0.5}, false, 0, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        TagRecord r = Meter();
        r.Factor_QualX = 11.0;
        r.Factor_QualRho = 22.0;
        const TagRecord before = r;
        ASSERT_EQ(ApplyQualityInputs(r, c.sat_liq, c.in), c.ok);
        if (!c.ok) {
            EXPECT_TRUE(SameBytes(r, before));
            continue;
        }
        EXPECT_EQ(c.sat_liq ? r.Factor_SatLiq : r.Factor_VapQual, 1);
        EXPECT_EQ(c.sat_liq ? r.Factor_VapQual : r.Factor_SatLiq, 0);
        EXPECT_EQ(r.Factor_QualX, c.x);
        EXPECT_EQ(r.Factor_QualRho, c.rho);
        EXPECT_TRUE(std::isfinite(TwoPhaseFactor(r)));
    }
    // No switches the factor off and keeps its data for next time.
    TagRecord r = Meter();
    r.Factor_VapQual = 1;
    r.Factor_QualX = 95.0;
    ASSERT_TRUE(ApplyQualityInputs(r, false, {false, 3.0, 4.0}));
    EXPECT_EQ(r.Factor_VapQual, 0);
    EXPECT_EQ(r.Factor_QualX, 95.0);
}

}  // namespace
}  // namespace quorven
