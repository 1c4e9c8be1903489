#include "engine/noise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "messages/messages.h"
#include "record/choice_codes.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInH2OPerPsi = 27.7298;

TEST(PipeOutsideDiameter, FollowsAsmeB36_10M) {
    struct Row {
        double nominal, outside;
    };
    // ASME B36.10M, Table 1 (published outside diameters); from NPS 14 on OD = NPS.
    const Row rows[] = {{0.125, 0.405}, {0.5, 0.84},   {1.0, 1.315}, {3.5, 4.0},   {4.0, 4.5},
                        {5.0, 5.563},   {12.0, 12.75}, {14.0, 14.0}, {22.0, 22.0}, {46.0, 46.0},
                        {60.0, 60.0},   {3.9999, 4.5}, {7.0, 0.0},   {0.0, 0.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nominal);
        EXPECT_EQ(PipeOutsideDiameter(row.nominal), row.outside);
    }
    // Published standard walls (ASME B36.10M): 4 in STD 0.237, 8 in Sch 40 0.322,
    // 22 in STD 0.375 (a size the short table of outside diameters left without one).
    EXPECT_NEAR(PipeWallThickness(4.0, 4.026), 0.237, 1e-12);
    EXPECT_NEAR(PipeWallThickness(8.0, 7.981), 0.322, 1e-12);
    EXPECT_NEAR(PipeWallThickness(22.0, 21.25), 0.375, 1e-12);
    EXPECT_LE(PipeWallThickness(7.0, 7.0), 0.0);
}

TEST(VenaContractaCoefficient, OneTableWithACoefficientForEveryType) {
    struct Row {
        MeterType type;
        double w;
    };
    const Row rows[] = {
        {MeterType::ConcentricOrifice, 0.98},
        {MeterType::ConicOrifice, 0.98},
        {MeterType::CustomOrifice, 0.98},
        {MeterType::CriticalSquareEdgedOrifice, 0.98},
        {MeterType::AsmeLongRadiusNozzle, 0.99},
        {MeterType::CustomThroatTapNozzle, 0.99},
        {MeterType::CriticalToroidalNozzle, 0.99},
        {MeterType::VenturiMachined, 1.0},
        {MeterType::VenturiPtc195, 1.0},
        {MeterType::CriticalVenturi, 1.0},
        {MeterType::CustomWedge, 1.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Code(row.type));
        EXPECT_EQ(VenaContractaCoefficient(Code(row.type)), row.w);
    }
    for (int32_t code : MeterTypeCodes()) {
        SCOPED_TRACE(code);
        EXPECT_GT(VenaContractaCoefficient(code), 0.9);
    }
    EXPECT_EQ(VenaContractaCoefficient(0), 1.0);
}

TEST(ChokedLiquidDp, FollowsIsa75AndRefusesAVapourPressureAtOrAboveUpstream) {
    TagRecord r = NewTagRecord();
    r.Flow_Press = 100;
    r.Property_MwDenVp = 10;
    RecordingMessageSink sink;
    // Hand calculation: FF = 0.96 - 0.28 sqrt(10/3208); 0.98^2 (100 - FF x 10).
    const std::optional<double> dp = ChokedLiquidDp(r, 0.98, sink, true);
    ASSERT_TRUE(dp.has_value());
    EXPECT_NEAR(*dp, 86.9702988216139, 1e-10);
    EXPECT_TRUE(sink.Numbers().empty());

    for (double Pv : {100.0, 150.0, -1.0, kNaN}) {
        SCOPED_TRACE(Pv);
        r.Property_MwDenVp = Pv;
        RecordingMessageSink errors;
        EXPECT_FALSE(ChokedLiquidDp(r, 0.98, errors, true).has_value());
        EXPECT_EQ(errors.Numbers(), std::vector<int>{msg::kErrVapourPressureNotBelowUpstream});
        RecordingMessageSink batch;
        EXPECT_FALSE(ChokedLiquidDp(r, 0.98, batch, false).has_value());
        EXPECT_TRUE(batch.Numbers().empty());
    }
}

TEST(AcousticEfficiency, InterpolatesTheCurvesOnA) {
    // Independent hand calculation (python3 of the printed polynomials and bands).
    struct Row {
        const char* source;
        double A, r, G;
    };
    const Row rows[] = {
        {"A 0.5: extrapolated from the 0.6 and 0.7 curves, r <= 1.5", 0.5, 1.2, 5.909047679978491e-05},
        {"A 0.5, r > 1.5", 0.5, 2.0, 0.0013071597932799994},
        {"A 0.75 between the 0.7 and 0.8 curves", 0.75, 3.0, 0.0019051487960649997},
        {"A 1.0 is the 1.0 curve", 1.0, 2.5, 0.0008543144277343752},
        {"r 1.5 exactly takes the first set", 0.65, 1.5, 0.00030989765624994664},
        {"A above 1", 1.0001, 2.5, 1e-10},
        {"A below 0.2", 0.19, 2.5, 1e-10},
        {"A NaN", kNaN, 2.5, 1e-10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        EXPECT_NEAR(AcousticEfficiency(row.A, row.r), row.G, 1e-15 + 1e-10 * row.G);
    }
    // The two sets differ at r = 1.5, so the row above tells them apart: the
    // second set's 0.6 curve there is 0.000385501, the first's 0.000379760.
    EXPECT_NEAR(AcousticEfficiency(0.6, 1.5), 0.0003797596874999809, 1e-12);
}

// A water restriction orifice: 30000 bbl/d at flowing temperature through a 2 in bore
// (C 0.62) in 4 in standard pipe, 200 psia, 150 psi differential, half of it lost.
TagRecord LiquidRestriction() {
    TagRecord r = NewTagRecord();
    r.Calc_Mode = Code(CalcMode::Restriction);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Flow_RhoGZ = 62.3;
    r.Flow_Max = r.Flow_Norm = 30000;
    r.Flow_Press = 200;
    r.Property_MwDenVp = 10;
    r.Bore = 2.0;
    r.C = 0.62;
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    r.Dp_Max = r.Dp_Norm = 150 * kInH2OPerPsi;
    r.Dp_Loss = 50;
    r.Factor_ManoGlocal = 32.17405;
    return r;
}

TEST(LiquidOutletNoise, StatesAndLevelsMatchHandCalculations) {
    // Independent hand calculation (python3 of the printed estimator): vena contracta
    // velocity 150.0700 ft/s, pipe velocity 22.0521 ft/s, Pvc 51.851 psia, P2 125.0 psia.
    struct Row {
        const char* source;
        double Pv, dp_max_psi, dp_norm_psi;
        double level;
    };
    const Row rows[] = {
        {"neither: Pv below the vena contracta pressure", 10, 150, 150, 86.23027367862979},
        {"cavitating, excess 46.37 psi adds 5 log10", 100, 150, 150, 94.56148695506597},
        {"cavitating, excess negative adds nothing", 60, 100, 100, 82.70844849751616},
        {"flashing: Pv above P2", 130, 150, 150, 90.0},
        {"below the floor: 30", 10, 0.01, 0.01, 30.0},
        {"no differential: the floor", 10, 0.0, 0.0, 30.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        TagRecord r = LiquidRestriction();
        r.Property_MwDenVp = row.Pv;
        r.Dp_Max = row.dp_max_psi * kInH2OPerPsi;
        r.Dp_Norm = row.dp_norm_psi * kInH2OPerPsi;
        RecordingMessageSink sink;
        const std::optional<double> L = LiquidOutletNoise(r, sink, true);
        ASSERT_TRUE(L.has_value());
        EXPECT_NEAR(*L, row.level, 1e-9);
        EXPECT_EQ(r.Outlet_Noise, *L);
        EXPECT_NEAR(r.Velocity_Vc, 150.0700236460615, 1e-9);
        EXPECT_NEAR(r.Velocity_Pipe, 22.05211466747809, 1e-9);
        EXPECT_TRUE(sink.Numbers().empty());
    }
}

TEST(LiquidOutletNoise, SpecificGravityGivesTheSameLevelAsItsDensity) {
    TagRecord by_density = LiquidRestriction();
    by_density.Flow_RhoGZ = 1.0 / kWaterSpecificVolume60F;
    TagRecord by_sg = LiquidRestriction();
    by_sg.Fluid_Property = Code(FluidProperty::LiquidSG);
    by_sg.Flow_RhoGZ = 1.0;
    NullMessageSink sink;
    EXPECT_NEAR(*LiquidOutletNoise(by_sg, sink, true), *LiquidOutletNoise(by_density, sink, true), 1e-9);
}

TEST(LiquidOutletNoise, CriticalDropTypesAndUnlistedPipeSizesStayFinite) {
    // A critical-flow nozzle used to get a vena contracta coefficient of 0 and an
    // infinite velocity; now 0.99 (hand calculation: 147.0536 ft/s, same level).
    TagRecord nozzle = LiquidRestriction();
    nozzle.Calc_Mode = Code(CalcMode::CriticalDrop);
    nozzle.Meter_Type = Code(MeterType::CriticalCylindricalNozzle);
    RecordingMessageSink sink;
    ASSERT_TRUE(LiquidOutletNoise(nozzle, sink, true).has_value());
    EXPECT_NEAR(nozzle.Velocity_Vc, 147.05361770194614, 1e-9);
    EXPECT_NEAR(nozzle.Outlet_Noise, 86.23027367862979, 1e-9);

    // 22 in pipe, 0.375 in wall: hand calculation 80.2518 dBA.
    TagRecord big = LiquidRestriction();
    big.Pipe_NomDia = 22.0;
    big.Pipe_IDia = 21.25;
    ASSERT_TRUE(LiquidOutletNoise(big, sink, true).has_value());
    EXPECT_NEAR(big.Outlet_Noise, 80.25178602710135, 1e-9);
    EXPECT_TRUE(sink.Numbers().empty());
}

TEST(LiquidOutletNoise, DataWithNoFiniteLevelGivesError1AndStoresNothingInfinite) {
    struct Row {
        const char* source;
        void (*change)(TagRecord&);
    };
    const Row rows[] = {
        {"no bore", [](TagRecord& r) { r.Bore = 0; }},
        {"no coefficient", [](TagRecord& r) { r.C = 0; }},
        {"no density", [](TagRecord& r) { r.Flow_RhoGZ = 0; }},
        {"no local gravity", [](TagRecord& r) { r.Factor_ManoGlocal = 0; }},
        {"pipe size with no outside diameter", [](TagRecord& r) { r.Pipe_NomDia = 7.0; }},
        {"inside diameter above the outside", [](TagRecord& r) { r.Pipe_IDia = 4.6; }},
        {"NaN differential", [](TagRecord& r) { r.Dp_Norm = kNaN; }},
        {"negative differential", [](TagRecord& r) { r.Dp_Norm = -5; }},
        {"NaN vapour pressure", [](TagRecord& r) { r.Property_MwDenVp = kNaN; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        TagRecord r = LiquidRestriction();
        r.Outlet_Noise = 55.0;
        row.change(r);
        RecordingMessageSink sink;
        EXPECT_FALSE(LiquidOutletNoise(r, sink, true).has_value());
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrNoSolution});
        EXPECT_EQ(r.Outlet_Noise, 0.0);
        EXPECT_TRUE(std::isfinite(r.Velocity_Vc));
        EXPECT_TRUE(std::isfinite(r.Velocity_Pipe));
        RecordingMessageSink batch;
        EXPECT_FALSE(LiquidOutletNoise(r, batch, false).has_value());
        EXPECT_TRUE(batch.Numbers().empty());
    }
}

// A natural-gas restriction orifice: 10000 lb/h of M 16.04 at 200 psia, 560 R, Z 0.98,
// k 1.3, 100 psi differential, C 0.6, in 4 in standard pipe.
TagRecord GasRestriction() {
    TagRecord r = NewTagRecord();
    r.Calc_Mode = Code(CalcMode::Restriction);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.Fluid_Condition = Code(FluidCondition::GasFlowing);
    r.Fluid_Property = Code(FluidProperty::GasMW);
    r.Property_MwDenVp = 16.04;
    r.Property_KFp = 1.3;
    r.Flow_Press = 200;
    r.Flow_Temp = 560;
    r.Flow_RhoGZ = 0.98;
    r.Flow_Max = r.Flow_Norm = 10000;
    r.C = 0.6;
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    r.Dp_Max = r.Dp_Norm = 100 * kInH2OPerPsi;
    return r;
}

TEST(GasOutletNoise, LevelsMatchHandCalculations) {
    // Independent hand calculation (python3 of the printed estimator): rho_f 0.544703
    // lb/ft3; at x 0.5 the valve coefficient is choked (Y = 2/3, Cv 39.2676).
    struct Row {
        const char* source;
        void (*change)(TagRecord&);
        double critical_pressure;
        double level;
    };
    const Row rows[] = {
        {"restriction, A 0.504 extrapolated below 0.6", [](TagRecord&) {}, 0.0, 99.91730254678501},
        {"critical drop: dP = Pf - Pc, x = Pc / Pf",
         [](TagRecord& r) { r.Calc_Mode = Code(CalcMode::CriticalDrop); }, 110.0, 98.47715973670086},
        {"restriction, C 0.9 (A 0.756)", [](TagRecord& r) { r.C = 0.9; }, 0.0, 98.13796192322714},
        {"C above 1/0.84: G 1e-10, below the floor", [](TagRecord& r) { r.C = 1.2; }, 0.0, 30.0},
        {"tiny flow: below the floor", [](TagRecord& r) { r.Flow_Max = 1e-3; }, 0.0, 30.0},
        {"no flow: the floor", [](TagRecord& r) { r.Flow_Max = 0; }, 0.0, 30.0},
        {"density input, volume at base conditions: W = Q x Base_RhoGZ",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::GasVolume);
             r.Fluid_Condition = Code(FluidCondition::GasBase);
             r.Fluid_Property = Code(FluidProperty::GasDensity);
             r.Base_RhoGZ = 0.05;
             r.Flow_RhoGZ = 0.6;
             r.Flow_Max = 200000;
         },
         0.0, 99.70734340645008},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        TagRecord r = GasRestriction();
        row.change(r);
        RecordingMessageSink sink;
        const std::optional<double> L = GasOutletNoise(r, row.critical_pressure, sink, true);
        ASSERT_TRUE(L.has_value());
        EXPECT_NEAR(*L, row.level, 1e-9);
        EXPECT_EQ(r.Outlet_Noise, *L);
        EXPECT_TRUE(sink.Numbers().empty());
    }
}

TEST(GasOutletNoise, DataWithNoFiniteLevelGivesError1AndStoresNothingInfinite) {
    struct Row {
        const char* source;
        void (*change)(TagRecord&);
        double critical_pressure;
    };
    const Row rows[] = {
        {"no compressibility", [](TagRecord& r) { r.Flow_RhoGZ = 0; }, 0.0},
        {"no flowing pressure", [](TagRecord& r) { r.Flow_Press = 0; }, 0.0},
        {"no coefficient", [](TagRecord& r) { r.C = 0; }, 0.0},
        {"pipe size with no outside diameter", [](TagRecord& r) { r.Pipe_NomDia = 9.0; }, 0.0},
        {"differential to absolute zero", [](TagRecord& r) { r.Dp_Max = 200 * kInH2OPerPsi; }, 0.0},
        {"critical pressure NaN", [](TagRecord& r) { r.Calc_Mode = Code(CalcMode::CriticalDrop); }, kNaN},
        {"critical pressure 0 (k not above 1)",
         [](TagRecord& r) { r.Calc_Mode = Code(CalcMode::CriticalDrop); }, 0.0},
        {"critical pressure above the flowing pressure",
         [](TagRecord& r) { r.Calc_Mode = Code(CalcMode::CriticalDrop); }, 250.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        TagRecord r = GasRestriction();
        r.Outlet_Noise = 55.0;
        row.change(r);
        RecordingMessageSink sink;
        EXPECT_FALSE(GasOutletNoise(r, row.critical_pressure, sink, true).has_value());
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrNoSolution});
        EXPECT_EQ(r.Outlet_Noise, 0.0);
    }
}

TEST(LiquidOutletNoise, CavitationWithNoChokedDifferentialGivesError13) {
    // A negative maximum differential lifts the recovered pressure above the
    // flowing pressure, so a vapour pressure at or above it still reads as cavitating.
    TagRecord r = LiquidRestriction();
    r.Dp_Max = -20 * kInH2OPerPsi;
    r.Property_MwDenVp = 205;
    RecordingMessageSink sink;
    EXPECT_FALSE(LiquidOutletNoise(r, sink, true).has_value());
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrVapourPressureNotBelowUpstream});
    EXPECT_EQ(r.Outlet_Noise, 0.0);
}

TEST(OutletNoise, TakesTheEstimatorOfTheFluid) {
    NullMessageSink sink;
    TagRecord liquid = LiquidRestriction();
    ASSERT_TRUE(OutletNoise(liquid, 0.0, sink, false).has_value());
    EXPECT_NEAR(liquid.Outlet_Noise, 86.23027367862979, 1e-9);  // hand calculation above
    for (FluidEquation e : {FluidEquation::GasMass, FluidEquation::GasVolume}) {
        SCOPED_TRACE(Code(e));
        TagRecord gas = GasRestriction();
        gas.Fluid_Equation = Code(e);
        gas.Fluid_Condition = Code(FluidCondition::GasFlowing);
        if (e == FluidEquation::GasVolume) gas.Flow_Max = 10000 / 0.5447025674450923;  // same lb/h
        ASSERT_TRUE(OutletNoise(gas, 0.0, sink, false).has_value());
        EXPECT_NEAR(gas.Outlet_Noise, 99.91730254678501, 1e-9);  // hand calculation above
    }
}

}  // namespace
}  // namespace quorven
