// The flow equation's pieces: segment geometry, Sm and beta, critical pressure,
// permanent loss, start values and the process-side sizing factor.

#include "engine/flow_equation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/engine/hand_calc.h"

namespace quorven {
namespace {

TEST(SegmentBeta, PlaneGeometry) {
    // A half circle is half the area: beta = sqrt(1/2).
    EXPECT_NEAR(SegmentBeta(1.0, 2.0), std::sqrt(0.5), 1e-15);
    // Hand calculation: h = 0.25, area ratio (acos(0.5) - 2 x 0.5 x sqrt(0.1875)) / pi.
    EXPECT_NEAR(SegmentBeta(1.0, 4.0),
                std::sqrt((std::numbers::pi / 3.0 - std::sqrt(0.1875)) / std::numbers::pi), 1e-15);
    for (double H : {0.0, -1.0, 2.0, 3.0, std::nan("")}) EXPECT_EQ(SegmentBeta(H, 2.0), 0.0) << H;
}

TEST(SegmentHeight, ConvergesInsideTheCircleFromAnyStart) {
    struct Case {
        double beta, H1, H2;
    };
    const Case cases[] = {
        {0.5, 2.0, 1.0},     {0.3, 0.5, 0.25},  {0.9, 3.5, 1.75},
        {0.7071, 8.0, 4.0},  // start outside
        {0.05, 0.01, 0.005}, {0.98, 3.9, 1.95}, {0.5, -1.0, std::nan("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.beta);
        const SegmentSolve s = SolveSegmentHeight(c.beta, 4.0, c.H1, c.H2, 1e-6);
        ASSERT_EQ(s.status, SolveStatus::Converged);
        EXPECT_GT(s.H, 0.0);
        EXPECT_LT(s.H, 4.0);
        EXPECT_NEAR(SegmentBeta(s.H, 4.0), c.beta, 1e-6);
        EXPECT_LE(s.rounds, 250);
    }
    for (double beta : {0.0, 1.0, -0.5, std::nan("")})
        EXPECT_EQ(SolveSegmentHeight(beta, 4.0, 2.0, 1.0, 1e-6).status, SolveStatus::BadInput);
    EXPECT_EQ(SolveSegmentHeight(0.5, 0.0, 2.0, 1.0, 1e-6).status, SolveStatus::BadInput);
}

TEST(SmAndBeta, AreInverses) {
    for (double beta : {0.1, 0.35, 0.5, 0.75, 0.95}) {
        SCOPED_TRACE(beta);
        const double Sm = SmOfBeta(0.6, beta);
        // Hand calculation: Sm = K b^2 / sqrt(1 - b^4).
        EXPECT_NEAR(Sm, 0.6 * beta * beta / std::sqrt(1 - std::pow(beta, 4)), 1e-15);
        EXPECT_NEAR(BetaOfSm(0.6, Sm), beta, 1e-12);
    }
    EXPECT_EQ(SmOfBeta(0.6, 1.0), 0.0);
    EXPECT_EQ(SmOfBeta(0.6, std::nan("")), 0.0);
    EXPECT_EQ(BetaOfSm(0.6, 0.0), 0.0);
    EXPECT_EQ(BetaOfSm(0.6, std::nan("")), 0.0);
}

TEST(CriticalPressure, GasOnlyAndAboveOne) {
    TagRecord r = NewTagRecord();
    test::SetFluid(r, Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
                   Code(FluidProperty::GasSG));
    r.Flow_Press = 100.0;
    r.Property_KFp = 1.4;
    r.Beta = 0.5;
    double E = 0.0;
    // Hand calculation: E = 1 + b^4 (2/2.4)^6 x 1.4/2; Pc = E (2/2.4)^3.5 x 100.
    EXPECT_NEAR(CriticalPressureOf(r, &E), 53.60220596719557, 1e-10);
    EXPECT_NEAR(E, 1.0146517864797668, 1e-13);
    r.Property_KFp = 1.0;
    EXPECT_EQ(CriticalPressureOf(r, nullptr), 0.0);

    // A liquid has no critical pressure, whatever its Fp.
    test::SetFluid(r, Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
                   Code(FluidProperty::LiquidDensity));
    for (double Fp : {0.9, 1.0, 1.02, 1.5, 3.0}) {
        r.Property_KFp = Fp;
        EXPECT_EQ(CriticalPressureOf(r, nullptr), 0.0) << Fp;
    }
}

// The shortcut of IsChoked never changes the answer of the full critical pressure: over the
// exponents from just above 1 to far beyond any gas, betas up to 0.99 and downstream
// pressures on both sides of the bound.
TEST(CriticalPressure, ChokedTestAgreesWithTheCriticalPressure) {
    TagRecord r = NewTagRecord();
    test::SetFluid(r, Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                   Code(FluidProperty::GasMW));
    r.Flow_Press = 250.0;
    int choked = 0, cases = 0;
    for (double k : {1.0 + 1e-15, 1.0 + 1e-9, 1.0009, 1.001, 1.0011, 1.01, 1.1, 1.3, 1.4, 1.67, 2.0, 5.0,
                     40.0, 1e3, 1e6, 1e12}) {
        r.Property_KFp = k;
        for (double beta : {0.0, 0.2, 0.5, 0.75, 0.9, 0.99}) {
            r.Beta = beta;
            const double Pc = CriticalPressureOf(r, nullptr);
            // The bound the shortcut relies on, for k from 1.001.
            if (k >= 1.001) {
                EXPECT_LT(Pc, (1.0 + std::pow(beta, 4)) * 0.6066 * r.Flow_Press) << k << " " << beta;
            }
            for (double ratio = 0.0; ratio <= 1.0; ratio += 1.0 / 512) {
                const double p2 = ratio * r.Flow_Press;
                ++cases;
                choked += IsChoked(r, p2);
                ASSERT_EQ(IsChoked(r, p2), Pc > p2) << k << " " << beta << " " << p2;
            }
        }
    }
    EXPECT_GT(choked, cases / 4);  // both answers are tried
}

TEST(PermanentLoss, ByMeterType) {
    struct Case {
        const char* what;
        int32_t type, tap, exit, diffuser;
        double expected;
    };
    // Hand calculations at beta 0.5, C 0.6, Fa 1.
    const Case cases[] = {
        {"orifice, flange taps: ISO 5167-2 jet momentum form", Code(MeterType::ConcentricOrifice), 1,
         Code(VenturiExit::Deg15), 0, 73.44653129237533},
        {"orifice, pipe taps", Code(MeterType::ConcentricOrifice), 4, Code(VenturiExit::Deg15), 0, 100.0},
        {"custom orifice", Code(MeterType::CustomOrifice), 1, Code(VenturiExit::Deg15), 0, 73.44653129237533},
        {"venturi nozzle", Code(MeterType::VenturiNozzle), 1, Code(VenturiExit::Deg15), 0,
         100.0 * (1 + 0.007 - 2.06 * 0.25 + 1.18 * 0.125)},
        {"venturi nozzle with diffuser", Code(MeterType::VenturiNozzle), 1, Code(VenturiExit::Deg15), 1,
         30.0 * (1 + 0.007 - 2.06 * 0.25 + 1.18 * 0.125)},
        {"venturi 15 degree exit", Code(MeterType::VenturiMachined), 1, Code(VenturiExit::Deg15), 0,
         100.0 * (0.436 - 0.43 + 0.59 * 0.25)},
        {"venturi 7 degree exit", Code(MeterType::CustomVenturi), 1, Code(VenturiExit::Deg7), 0,
         100.0 * (0.218 - 0.21 + 0.38 * 0.25)},
        {"ISO wedge", Code(MeterType::WedgeIso5167_6), 1, Code(VenturiExit::Deg15), 0,
         100.0 * (1.09 - 0.395)},
        {"critical nozzle: none", Code(MeterType::CriticalCylindricalNozzle), 1, Code(VenturiExit::Deg15), 0,
         100.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TagRecord r = NewTagRecord();
        r.Meter_Type = c.type;
        r.Tap_Style = c.tap;
        r.Meter_VenturiExit = c.exit;
        r.Meter_Diffuser = c.diffuser;
        r.Beta = 0.5;
        r.C = 0.6;
        EXPECT_NEAR(PermanentLoss(r), c.expected, 1e-10);
    }
    TagRecord r = NewTagRecord();
    r.Meter_Type = Code(MeterType::VenturiMachined);
    r.Beta = std::nan("");
    EXPECT_EQ(PermanentLoss(r), 100.0);
}

TEST(InitialBeta, StartsInsideTheRange) {
    TagRecord r = NewTagRecord();
    r.Sm = 0.2;
    r.Rd = 1e5;
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    const double a = 0.6 / 0.2 + 0.06;  // flange taps below Rd 200000
    EXPECT_DOUBLE_EQ(InitialBeta(r), std::pow(1 + a * a, -0.25));
    r.Meter_Type = Code(MeterType::WedgeIso5167_6);
    EXPECT_EQ(InitialBeta(r), 0.5);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Sm = 0.0;
    EXPECT_EQ(InitialBeta(r), 0.5);  // no start from a division by zero
}

TEST(SizingFactor, EveryFluidInputAgainstTheTextbookEquation) {
    // Evaluate Sm at a known beta, then the flow of the textbook equation through
    // that beta must equal the flow whose process Sm equals the meter Sm.
    const int32_t combos[][3] = {
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG)},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidDensity)},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG)},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity)},
        {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG)},
        {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasDensity)},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
    };
    for (const auto& c : combos) {
        SCOPED_TRACE(testing::Message() << c[0] << "/" << c[1] << "/" << c[2]);
        TagRecord r = test::CustomLiquidTag();
        test::SetFluid(r, c[0], c[1], c[2]);
        r.Calc_SizeParam = Code(SizeParam::Flow);  // flow: the factor at Q = 1/Sm gives 1/Q
        r.Bore = 2.0;
        r.Beta = r.Bore / r.Pipe_IDia;
        r.Y = r.Fx = r.Fdh = r.Fwv = r.Fm = 1.0;
        r.Dp_Norm = 64.0;
        r.Sm = SmOfBeta(r.C, r.Beta);
        const double Q = 1.0 / SizingFactor(r);
        EXPECT_EQ(r.Flow_Norm, 1.0 / r.Sm);
        r.Flow_Norm = Q;
        EXPECT_NEAR(Q / test::TextbookFlow(r), 1.0, 3e-5);
        // The Reynolds number of a liquid by flowing volume takes the entered
        // density without Fp (the Reynolds number only steers C).
        const double fp =
            c[0] == Code(FluidEquation::LiquidVolume) && c[1] == Code(FluidCondition::LiquidFlowingTemp)
                ? r.Property_KFp
                : 1.0;
        EXPECT_NEAR(PipeReynolds(r, Q) * fp / test::TextbookPipeReynolds(r), 1.0, 5e-5);
    }
}

TEST(SizingFactor, UnknownCombinationsAndBadNumbersGiveZero) {
    TagRecord r = test::CustomLiquidTag();
    r.Fluid_Equation = 1351;  // between the liquid and the gas codes: no equation
    EXPECT_EQ(SizingFactor(r), 0.0);
    r = test::CustomLiquidTag();
    const double hw_before = r.Dp_Norm;
    r.Flow_Max = 0.0;  // Q / Qmax has no value: hw keeps what it held
    EXPECT_EQ(SizingFactor(r), 0.0);
    EXPECT_EQ(r.Dp_Norm, hw_before);
    r = test::CustomLiquidTag();
    r.Flow_RhoGZ = -1.0;
    EXPECT_EQ(SizingFactor(r), 0.0);

    // Choked liquid: no differential when the vapour pressure reaches the pressure.
    r = test::CustomLiquidTag();
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    r.Property_MwDenVp = r.Flow_Press;
    r.Dp_Norm = 7.0;
    EXPECT_FALSE(ChokedLiquidDpValid(r));
    EXPECT_EQ(SizingFactor(r), 0.0);
    EXPECT_EQ(r.Dp_Norm, 7.0);
    r.Property_MwDenVp = 10.0;
    EXPECT_GT(SizingFactor(r), 0.0);
    EXPECT_NEAR(r.Dp_Norm, 90.0 * 27.72976, 1e-9);
}

}  // namespace
}  // namespace quorven
