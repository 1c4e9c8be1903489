#include "engine/uncertainty.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "record/choice_codes.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kFlangeTaps = 1;
constexpr int32_t kPipeTaps = 4;

struct UcCase {
    const char* source;
    MeterType type;
    int32_t tap_style;
    int32_t calc_std;
    double beta, D, Rd, seg_hs;
    double expected;
};

// Hand calculations of the published coefficient uncertainties (ISO 5167-2:2003
// 5.3.3.1 for the orifice rows, ISO 5167-3:2003 for the nozzles), both sides of
// each edge; tolerances are rounding only.
constexpr UcCase kUcCases[] = {
    {"orifice beta 0.8: beta itself, no small-pipe or Re addition", MeterType::ConcentricOrifice, kFlangeTaps,
     0, 0.8, 2.0, 5000, 0, 0.8},
    {"orifice beta 0.5 D 2.0 Rd 5000: 0.5 + 0.9 x 0.25 x 0.8, no Re addition", MeterType::ConcentricOrifice,
     kFlangeTaps, 0, 0.5, 2.0, 5000, 0, 0.68},
    {"orifice beta 0.7 D 3 Rd 8000: 1.667 x 0.7 - 0.5 + 0.5", MeterType::ConcentricOrifice, kFlangeTaps, 0,
     0.7, 3.0, 8000, 0, 1.1669},
    {"orifice beta 0.7 Rd 10000: no Re addition at 10000", MeterType::ConcentricOrifice, kFlangeTaps, 0, 0.7,
     3.0, 10000, 0, 0.6669},
    {"orifice beta 0.5001 Rd 5000: Re addition above 0.5", MeterType::ConcentricOrifice, kFlangeTaps, 0,
     0.5001, 4.0, 5000, 0, 1.0},
    {"orifice beta 0.15: 0.7 - beta", MeterType::ConcentricOrifice, kFlangeTaps, 0, 0.15, 4.0, 1e5, 0, 0.55},
    {"orifice beta 0.0999: below the range, 0", MeterType::ConcentricOrifice, kFlangeTaps, 0, 0.0999, 4.0,
     1e5, 0, 0.0},
    {"orifice beta 0.75: 1.667 x 0.75 - 0.5", MeterType::ConcentricOrifice, kFlangeTaps, 0, 0.75, 4.0, 1e5, 0,
     0.75025},
    {"orifice D 2.8: no small-pipe addition", MeterType::ConcentricOrifice, kFlangeTaps, 0, 0.5, 2.8, 1e5, 0,
     0.5},
    {"orifice D 2.79: 0.5 + 0.9 x 0.25 x 0.01", MeterType::ConcentricOrifice, kFlangeTaps, 0, 0.5, 2.79, 1e5,
     0, 0.50225},
    {"custom orifice follows the concentric rows", MeterType::CustomOrifice, kFlangeTaps, 0, 0.4, 4.0, 1e5, 0,
     0.5},
    {"pipe taps beta 0.505", MeterType::ConcentricOrifice, kPipeTaps, 0, 0.505, 4.0, 1e5, 0, 0.8},
    {"pipe taps beta 0.51", MeterType::ConcentricOrifice, kPipeTaps, 0, 0.51, 4.0, 1e5, 0, 1.6},
    {"pipe taps beta 0.19", MeterType::ConcentricOrifice, kPipeTaps, 0, 0.19, 4.0, 1e5, 0, 0.0},
    {"eccentric in a 4.000 in pipe", MeterType::EccentricOrifice, kFlangeTaps, 0, 0.5, 4.0, 1e5, 0, 2.0},
    {"eccentric in a 4.026 in pipe", MeterType::EccentricOrifice, kFlangeTaps, 0, 0.5, 4.026, 1e5, 0, 1.5},
    {"long radius PTC 19.5 beta 0.75", MeterType::AsmeLongRadiusNozzle, 0, Code(CalcStd::NozzlePtc195), 0.75,
     4.0, 1e5, 0, 1.5},
    {"long radius PTC 19.5 beta 0.7", MeterType::AsmeLongRadiusNozzle, 0, Code(CalcStd::NozzlePtc195), 0.7,
     4.0, 1e5, 0, 1.0},
    {"long radius PTC 19.5 beta 0.15", MeterType::AsmeLongRadiusNozzle, 0, Code(CalcStd::NozzlePtc195), 0.15,
     4.0, 1e5, 0, 0.0},
    {"long radius MFC-3M beta 0.85", MeterType::AsmeLongRadiusNozzle, 0, Code(CalcStd::NozzleAsmeMfc3M1989),
     0.85, 4.0, 1e5, 0, 0.0},
    {"long radius MFC-3M beta 0.8", MeterType::AsmeLongRadiusNozzle, 0, Code(CalcStd::NozzleAsmeMfc3M1989),
     0.8, 4.0, 1e5, 0, 2.0},
    {"ISA nozzle beta 0.6", MeterType::IsaNozzle, 0, 0, 0.6, 4.0, 1e5, 0, 0.8},
    {"ISA nozzle beta 0.7: 2 x 0.7 - 0.4", MeterType::IsaNozzle, 0, 0, 0.7, 4.0, 1e5, 0, 1.0},
    {"venturi nozzle beta 0.5: 1.2 + 1.5 x 0.0625", MeterType::VenturiNozzle, 0, 0, 0.5, 4.0, 1e5, 0,
     1.29375},
    {"machined venturi Rd 1e6", MeterType::VenturiMachined, 0, 0, 0.5, 4.0, 1e6, 0, 1.0},
    {"machined venturi Rd just above 1e6", MeterType::VenturiMachined, 0, 0, 0.5, 4.0, 1.000001e6, 0, 1.8},
    {"PTC 19.5 venturi", MeterType::VenturiPtc195, 0, 0, 0.5, 4.0, 1e5, 0, 0.7},
    {"1684 at beta 0.5: 20.821/4 - 20.109/2 + 4.9086", MeterType::ProprietaryMeter1, 0, 0, 0.5, 4.0, 1e5, 0,
     0.05935},
    {"generic wedge H/D 0.3", MeterType::WedgeMiller, 0, 0, 0.5, 4.0, 1e5, 1.2, 2.0},
    {"generic wedge H/D 0.325", MeterType::WedgeMiller, 0, 0, 0.5, 4.0, 1e5, 1.3, 3.0},
    {"custom wedge", MeterType::CustomWedge, 0, 0, 0.5, 4.0, 1e5, 0, 4.0},
    {"integral wedge", MeterType::WedgeAbb1336L, 0, 0, 0.5, 1.0, 1e5, 0, 3.0},
    {"critical-flow nozzle has no row", MeterType::CriticalCylindricalNozzle, 0, 0, 0.5, 4.0, 1e5, 0, 0.0},
};

TEST(DischargeCoefUncertainty, MatchesHandCalculations) {
    TagRecord r = NewTagRecord();
    for (const UcCase& c : kUcCases) {
        SCOPED_TRACE(c.source);
        r.Calc_Std = c.calc_std;
        r.SegHs = c.seg_hs;
        EXPECT_NEAR(DischargeCoefUncertainty(r, c.D, Code(c.type), c.tap_style, c.beta, c.Rd), c.expected,
                    1e-9);
    }
}

struct UyCase {
    const char* source;
    MeterType type;
    int32_t tap_style;
    double hnor, P, beta, expected;
};

// Hand calculations: 4, 8 and 2 dP/p1 percent and (4 + 100 beta^8) dP/p1 percent,
// dP/p1 = hnor / 27.73 / P, as the constants 0.144, 0.3, 0.072 and 3.61 print them.
constexpr UyCase kUyCases[] = {
    {"orifice flange taps 0.144 x 100/50", MeterType::ConcentricOrifice, kFlangeTaps, 100, 50, 0.6, 0.288},
    {"orifice pipe taps 0.3 x 100/50", MeterType::ConcentricOrifice, kPipeTaps, 100, 50, 0.6, 0.6},
    {"eccentric 0.3 x 2", MeterType::EccentricOrifice, kFlangeTaps, 100, 50, 0.6, 0.6},
    {"ISA nozzle 0.072 x 2", MeterType::IsaNozzle, 0, 100, 50, 0.6, 0.144},
    {"machined venturi (3.61 x 0.6^8 + 0.144) x 2", MeterType::VenturiMachined, 0, 100, 50, 0.6,
     0.4092682752},
    {"PTC 19.5 venturi takes the venturi term", MeterType::VenturiPtc195, 0, 100, 50, 0.6, 0.4092682752},
    {"custom wedge takes the wedge term", MeterType::CustomWedge, 0, 100, 50, 0.6, 0.6},
    {"no pressure: 0", MeterType::ConcentricOrifice, kFlangeTaps, 100, 0, 0.6, 0.0},
    {"negative pressure: 0", MeterType::ConcentricOrifice, kFlangeTaps, 100, -5, 0.6, 0.0},
    {"NaN pressure: 0", MeterType::ConcentricOrifice, kFlangeTaps, 100, kNaN, 0.6, 0.0},
    {"critical-flow nozzle has no row", MeterType::CriticalToroidalNozzle, 0, 100, 50, 0.6, 0.0},
};

TEST(ExpansionUncertainty, MatchesHandCalculations) {
    for (const UyCase& c : kUyCases) {
        SCOPED_TRACE(c.source);
        EXPECT_NEAR(ExpansionUncertainty(c.hnor, c.P, c.beta, Code(c.type), c.tap_style), c.expected, 1e-9);
    }
}

TEST(Sensitivities, FollowIso5167_1) {
    // Hand calculation at beta 0.6: b4 = 0.1296.
    EXPECT_NEAR(PipeSensitivity(0.6), 2 * 0.1296 / (0.1296 - 1), 1e-15);
    EXPECT_NEAR(BoreSensitivity(0.6), 2 / (1 - 0.1296), 1e-15);
    // The two sum to 2 for any beta: the flow goes with d^2 at a fixed beta.
    EXPECT_NEAR(PipeSensitivity(0.6) + BoreSensitivity(0.6), 2.0, 1e-14);
}

// Orifice, flange taps, beta 0.6 in a 4.026 in pipe, gas.
UncertaintyInputs GasInputs() {
    UncertaintyInputs in;
    in.u_d = 0.0007;
    in.D = 4.026;
    in.u_D = 0.004;
    in.Rd = 1e6;
    in.hmax = 100;
    in.hnor = 50;
    in.meter_xmtr = 0.2;
    in.recv_xmtr = 0.2;
    in.P = 100;
    in.Patm = 14.696;
    in.u_press = 0.2;
    in.u_temp = 0.25;
    in.u_liq_base_dens = 0.1;
    in.u_liq_flow_dens = 0.1;
    in.u_liq_fp = 0.1;
    in.u_gas_sg = 0.1;
    in.u_gas_flow_dens = 0.1;
    in.meter_type = Code(MeterType::ConcentricOrifice);
    in.tap_style = kFlangeTaps;
    in.fluid_equation = Code(FluidEquation::GasVolume);
    in.fluid_condition = Code(FluidCondition::GasBase);
    in.beta = 0.6;
    in.d = 2.4156;
    return in;
}

TEST(MeterUncertainty, CombinesTheTermsOfEachFluidRow) {
    // Independent hand calculation (python3 of the printed root sum of squares):
    // U_C 0.5, S_D x 0.0993542, S_d x 0.0289783, transducers 0.5 x 2 x 0.2 each; then
    // gas: U_Y 0.072, 0.5 x 0.2, 0.5 x 0.25, 0.5 x 0.1, 0.5 x 0.1;
    // liquid at base: 0.1, 0.5 x 0.1, 0.5 x 0.1; liquid flowing or mass: 0.5 x 0.1 twice.
    struct Row {
        const char* source;
        int32_t equation, condition;
        double P;
        double expected;
    };
    const Row rows[] = {
        {"gas at 100 psia", Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), 100,
         0.6091946456163435},
        {"gas mass, any condition", Code(FluidEquation::GasMass), 0, 100, 0.6091946456163435},
        {"gas near atmospheric: kP = 0.5 x 0.304 / 15.004", Code(FluidEquation::GasVolume),
         Code(FluidCondition::GasFlowing), 15.0, 0.765727250028151},
        {"liquid volume at base temperature", Code(FluidEquation::LiquidVolume),
         Code(FluidCondition::LiquidBaseTemp), 100, 0.5918691715638029},
        {"liquid volume at flowing temperature", Code(FluidEquation::LiquidVolume),
         Code(FluidCondition::LiquidFlowingTemp), 100, 0.5833601942604778},
        {"liquid mass: no base density term", Code(FluidEquation::LiquidMass),
         Code(FluidCondition::LiquidBaseTemp), 100, 0.5833601942604778},
        {"liquid volume, unknown condition: 0", Code(FluidEquation::LiquidVolume),
         Code(FluidCondition::GasBase), 100, 0.0},
    };
    const TagRecord r = NewTagRecord();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        UncertaintyInputs in = GasInputs();
        in.fluid_equation = row.equation;
        in.fluid_condition = row.condition;
        in.P = row.P;
        const std::optional<double> u = MeterUncertainty(r, in);
        ASSERT_TRUE(u.has_value());
        EXPECT_NEAR(*u, row.expected, 1e-12);
    }
}

TEST(MeterUncertainty, LiquidTakesNoPressureTemperatureOrExpansionTerm) {
    const TagRecord r = NewTagRecord();
    UncertaintyInputs in = GasInputs();
    in.fluid_equation = Code(FluidEquation::LiquidMass);
    const double base = *MeterUncertainty(r, in);
    in.u_press = 5.0;
    in.u_temp = 5.0;
    in.u_gas_sg = 5.0;
    in.P = 20.0;
    EXPECT_EQ(*MeterUncertainty(r, in), base);
}

TEST(MeterUncertainty, InputsWithNoFiniteResultGiveNothing) {
    const TagRecord r = NewTagRecord();
    struct Row {
        const char* source;
        void (*change)(UncertaintyInputs&);
    };
    const Row rows[] = {
        {"bore tolerance on a bore of 0", [](UncertaintyInputs& in) { in.d = 0; }},
        {"pipe tolerance on a pipe of 0", [](UncertaintyInputs& in) { in.D = 0; }},
        {"transducer accuracy with no normal differential", [](UncertaintyInputs& in) { in.hnor = 0; }},
        {"beta of 1", [](UncertaintyInputs& in) { in.beta = 1.0; }},
        {"NaN beta", [](UncertaintyInputs& in) { in.beta = kNaN; }},
        {"pressure 14.7 below atmospheric",
         [](UncertaintyInputs& in) {
             in.P = 0;
             in.Patm = 14.7;
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        UncertaintyInputs in = GasInputs();
        row.change(in);
        EXPECT_FALSE(MeterUncertainty(r, in).has_value());
    }
}

TEST(MeterUncertainty, ZeroUncertaintiesNeedNoDiameterOrDifferential) {
    // The primary-element call passes 0 for the transducers; a zero normal
    // differential must not turn 0 x infinity into NaN.
    const TagRecord r = NewTagRecord();
    UncertaintyInputs in = GasInputs();
    in.meter_xmtr = in.recv_xmtr = 0;
    in.hnor = 0;
    in.P = 0;
    in.Patm = 0;
    in.u_press = in.u_temp = in.u_gas_sg = in.u_gas_flow_dens = 0;
    const std::optional<double> u = MeterUncertainty(r, in);
    ASSERT_TRUE(u.has_value());
    EXPECT_NEAR(*u, 0.5052812249110611, 1e-12);  // hand calculation: U_C, pipe and bore terms
}

// A calculated gas tag: the GasInputs meter in a record.
TagRecord CalculatedGasTag() {
    TagRecord r = NewTagRecord();
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Tap_Style = kFlangeTaps;
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Pipe_IDia = 4.026;
    r.Bore = 2.4156;
    r.Beta = 0.6;
    r.Rd = 1e6;
    r.Dp_Max = 100;
    r.Dp_Norm = 50;
    r.Flow_Press = 100;
    r.AtmPress = 14.696;
    r.Sm = 0.4;
    r.Uncert_Incl = 1;
    r.Uncert_BoreMode = 0;
    r.Uncert_Bore = 0.0007;
    r.Uncert_Pipe = 0.004;
    r.Uncert_MeterXmtr = 0.2;
    r.Uncert_RecvXmtr = 0.2;
    r.Uncert_Press = 0.2;
    r.Uncert_Temp = 0.25;
    r.Uncert_GasFlowDens = 0.1;
    r.Uncert_LiqBaseDens = 0.1;
    r.Uncert_LiqFlowDens = 0.1;
    r.Uncert_LiqFp = 0.1;
    r.Uncert_GasSG = 0.1;
    r.MeterUncert = 7.0;
    r.SystemUncert = 9.0;
    return r;
}

TEST(StoreMeterUncertainty, StoresThePrimaryElementTermsOnly) {
    TagRecord r = CalculatedGasTag();
    ASSERT_TRUE(StoreMeterUncertainty(r));
    // Hand calculation: U_C, pipe and bore terms; no expansion term (P passed as 0).
    EXPECT_NEAR(r.MeterUncert, 0.5052812249110611, 1e-12);
    EXPECT_EQ(r.SystemUncert, 9.0);  // carried, never computed
    // The system uncertainty of the same tag has every term, expansion included.
    EXPECT_NEAR(*SystemUncertainty(r), 0.6091946456163435, 1e-12);
}

TEST(StoreMeterUncertainty, PercentModeGivesTheSameUncertaintyAsTheEqualTolerance) {
    TagRecord tolerance = CalculatedGasTag();
    tolerance.Uncert_Bore = 0.024156 * 0.01 * 10;  // 0.1 % of the 2.4156 in bore, in inches
    tolerance.Uncert_Pipe = 4.026 * 0.002;         // 0.2 % of the pipe, in inches
    TagRecord percent = CalculatedGasTag();
    percent.Uncert_BoreMode = 1;
    percent.Uncert_Bore = 0.001;  // the dialog stores 0.1 % as 0.001
    percent.Uncert_Pipe = 0.002;
    ASSERT_TRUE(StoreMeterUncertainty(tolerance));
    ASSERT_TRUE(StoreMeterUncertainty(percent));
    EXPECT_NEAR(percent.MeterUncert, tolerance.MeterUncert, 1e-12);
    // Hand calculation: sqrt(0.5^2 + (S_D 0.2)^2 + (S_d 0.1)^2) at beta 0.6.
    const double SD = 2 * 0.1296 / (0.1296 - 1), Sd = 2 / (1 - 0.1296);
    EXPECT_NEAR(percent.MeterUncert, std::sqrt(0.25 + SD * SD * 0.04 + Sd * Sd * 0.01), 1e-12);
    EXPECT_NEAR(BoreToleranceInches(percent), 0.0024156, 1e-15);
    EXPECT_NEAR(PipeToleranceInches(percent), 0.008052, 1e-15);
    // The single terms a report prints are the ones the combination used.
    for (const TagRecord* r : {&tolerance, &percent}) {
        EXPECT_NEAR(*BoreUncertaintyPercent(*r), 0.1, 1e-12);
        EXPECT_NEAR(*PipeUncertaintyPercent(*r), 0.2, 1e-12);
    }
    tolerance.Bore = 0;
    EXPECT_FALSE(BoreUncertaintyPercent(tolerance).has_value());
    tolerance.Uncert_Bore = 0;
    EXPECT_EQ(BoreUncertaintyPercent(tolerance), 0.0);
}

TEST(StoreMeterUncertainty, KeepsTheFieldWhenItDoesNotApply) {
    struct Row {
        const char* source;
        void (*change)(TagRecord&);
    };
    const Row rows[] = {
        {"Sm 0", [](TagRecord& r) { r.Sm = 0; }},
        {"Sm 1", [](TagRecord& r) { r.Sm = 1; }},
        {"Sm NaN", [](TagRecord& r) { r.Sm = kNaN; }},
        {"not included", [](TagRecord& r) { r.Uncert_Incl = 0; }},
        {"critical-drop mode", [](TagRecord& r) { r.Calc_Mode = Code(CalcMode::CriticalDrop); }},
        {"custom orifice", [](TagRecord& r) { r.Meter_Type = Code(MeterType::CustomOrifice); }},
        {"no bore: no finite result", [](TagRecord& r) { r.Bore = 0; }},
        {"NaN beta: no finite result", [](TagRecord& r) { r.Beta = kNaN; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        TagRecord r = CalculatedGasTag();
        row.change(r);
        EXPECT_FALSE(StoreMeterUncertainty(r));
        EXPECT_EQ(r.MeterUncert, 7.0);
    }
}

TEST(StoreMeterUncertainty, CoversTheVenturiAndWedgeTypesAboveTheCustomMeters) {
    for (MeterType t : {MeterType::VenturiPtc195, MeterType::CustomWedge, MeterType::WedgeIso5167_6,
                        MeterType::WedgeAbb1337L, MeterType::ProprietaryMeter2}) {
        SCOPED_TRACE(Code(t));
        TagRecord r = CalculatedGasTag();
        r.Meter_Type = Code(t);
        EXPECT_TRUE(StoreMeterUncertainty(r));
        EXPECT_TRUE(std::isfinite(r.MeterUncert));
        EXPECT_GT(r.MeterUncert, 0.0);
    }
}

}  // namespace
}  // namespace quorven
