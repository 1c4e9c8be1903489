// The flow calibration chart: the points against hand calculation (flow goes with
// the root of the differential at a constant coefficient), against the engine's
// own flow solution, per calculation mode, and the tag left untouched.

#include "engine/calibration_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "record/choice_codes.h"
#include "tests/engine/hand_calc.h"

namespace quorven {
namespace {

CalcContext NoLimits() {
    CalcContext c;
    c.check_limits = [](TagRecord&, MessageSink&) { return true; };
    return c;
}

// A custom orifice (C 0.6, liquid, so Y 1) with the bore sized for its maximum flow.
TagRecord SizedCustomLiquid() {
    TagRecord r = test::CustomLiquidTag();
    NullMessageSink sink;
    CCalculate calc(sink, NoLimits());
    EXPECT_TRUE(calc.SizeBore(r, false));
    return r;
}

// Natural gas (SG 0.6) at 264.7 psia, 80 deg F, through an ISO 5167 flange-tapped
// orifice in a 4.026 in line: 250 000 scfh at 100 inH2O, sized for the bore.
TagRecord SizedGasOrifice() {
    TagRecord r = NewTagRecord();
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Calc_SizeParam = Code(SizeParam::Bore);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Fluid_Property = Code(FluidProperty::GasSG);
    r.Property_MwDenVp = 0.6;
    r.Base_RhoGZ = 0.998;
    r.Flow_RhoGZ = 0.97;
    r.Flow_Press = 264.7;
    r.Flow_Temp = 539.67;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    r.Pipe_IDia = 4.026;
    r.Flow_Max = 250000.0;
    r.Flow_Norm = 200000.0;
    r.Dp_Max = 100.0;
    NullMessageSink sink;
    CCalculate calc(sink, NoLimits());
    EXPECT_TRUE(calc.SizeBore(r, false));
    return r;
}

TEST(CalibrationChart, ConstantCoefficientFlowGoesWithTheRootOfTheDifferential) {
    const TagRecord r = SizedCustomLiquid();
    const CalibrationChart chart = ComputeCalibrationChart(r, NoLimits());
    ASSERT_EQ(chart.status, ChartStatus::MeterFlow);
    ASSERT_EQ(chart.points.size(), 100u);
    // Hand calculation: with C and Y constant, Q(p) = Q(100 %) x sqrt(p / 100).
    const double q100 = chart.points[99].flow.value();
    for (const ChartPoint& pt : chart.points) {
        SCOPED_TRACE(pt.percent);
        EXPECT_DOUBLE_EQ(pt.dp, pt.percent * (r.Dp_Max / 100.0));
        ASSERT_TRUE(pt.flow.has_value());
        EXPECT_NEAR(*pt.flow / (q100 * std::sqrt(pt.percent / 100.0)), 1.0, 1e-9);
        EXPECT_EQ(pt.error, 0);
    }
    // The maximum flow comes back at 100 %; the textbook equation gives it at 25 %.
    EXPECT_NEAR(q100 / r.Flow_Max, 1.0, 1e-9);
    TagRecord at25 = r;
    at25.Dp_Norm = 25.0;
    EXPECT_NEAR(test::TextbookFlow(at25) / chart.points[24].flow.value(), 1.0, 3e-5);
}

TEST(CalibrationChart, RealOrificePointsAreTheEngineFlowSolutionAndTheTagIsUntouched) {
    const TagRecord r = SizedGasOrifice();
    TagRecord before;
    std::memcpy(&before, &r, sizeof r);
    const CalibrationChart chart = ComputeCalibrationChart(r, NoLimits());
    EXPECT_EQ(std::memcmp(&before, &r, sizeof r), 0);
    ASSERT_EQ(chart.points.size(), 100u);

    for (int p : {1, 25, 50, 64, 100}) {
        SCOPED_TRACE(p);
        TagRecord f = r;
        f.Calc_SizeParam = Code(SizeParam::Flow);
        f.Dp_Max = f.Dp_Norm = p * 1.0;
        RecordingMessageSink sink;
        CCalculate calc(sink, NoLimits());
        ASSERT_TRUE(calc.SizeFlow(f, true));
        EXPECT_EQ(chart.points[p - 1].flow.value(), f.Flow_Norm);
    }
    // The bore was sized for the normal flow at the normal differential (64 % of
    // the maximum): that flow comes back at 64 %. The maximum flow was scaled from
    // it by the square root; the chart's 100 % point, with C at its own Reynolds
    // number and Y at its own differential, is near it but not on it.
    EXPECT_NEAR(chart.points[63].flow.value() / 200000.0, 1.0, 1e-6);
    EXPECT_NEAR(chart.points[99].flow.value() / 250000.0, 1.0, 5e-3);
    EXPECT_GT(std::fabs(chart.points[99].flow.value() / 250000.0 - 1.0), 1e-4);
    // C varies with the Reynolds number and Y with the differential: not a pure
    // root law, yet the flow rises with every point.
    const double k1 = chart.points[0].flow.value() / std::sqrt(1.0);
    const double k100 = chart.points[99].flow.value() / std::sqrt(100.0);
    EXPECT_GT(std::fabs(k1 / k100 - 1.0), 1e-4);
    for (int i = 1; i < 100; ++i) EXPECT_GT(chart.points[i].flow.value(), chart.points[i - 1].flow.value());
}

TEST(CalibrationChart, RestrictionOrificeFollowsItsPermanentLoss) {
    TagRecord r = SizedCustomLiquid();
    r.Calc_Mode = Code(CalcMode::Restriction);
    r.Dp_Max = 100.0;  // the permanent loss to lose
    r.Dp_Norm = 0.0;
    const CalibrationChart chart = ComputeCalibrationChart(r, NoLimits());
    ASSERT_EQ(chart.status, ChartStatus::RestrictionFlow);
    ASSERT_EQ(chart.points.size(), 100u);

    TagRecord full = r;  // the restriction's own flow at the whole loss
    full.Calc_SizeParam = Code(SizeParam::Flow);
    NullMessageSink sink;
    CCalculate calc(sink, NoLimits());
    ASSERT_TRUE(calc.RestrictionFlow(full, false));
    EXPECT_EQ(chart.points[99].flow.value(), full.Flow_Norm);
    // The permanent loss is only part of the meter differential, so the flow is
    // above what the meter passes at a differential equal to the loss.
    const CalibrationChart as_meter = ComputeCalibrationChart(SizedCustomLiquid(), NoLimits());
    EXPECT_GT(chart.points[99].flow.value(), as_meter.points[99].flow.value());
    // Hand calculation: at constant C the loss is a fixed fraction of the
    // differential, so the flow goes with the root of the loss too.
    for (int p : {1, 9, 50, 81}) {
        SCOPED_TRACE(p);
        EXPECT_DOUBLE_EQ(chart.points[p - 1].dp, p * 1.0);
        EXPECT_NEAR(chart.points[p - 1].flow.value() / (full.Flow_Norm * std::sqrt(p / 100.0)), 1.0, 1e-9);
    }
}

TEST(CalibrationChart, FailedPointsAreEmptyAndTheOthersStillComputed) {
    // Steam-like gas at 50 psia through a restriction that is to lose 40 psi: the
    // low losses pass, the high ones are sonic (Error #38).
    TagRecord r = SizedCustomLiquid();
    r.Calc_Mode = Code(CalcMode::Restriction);
    test::SetFluid(r, Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                   Code(FluidProperty::GasMW));
    r.Flow_Press = 50.0;
    r.Flow_Max = r.Flow_Norm = 4000.0;
    r.Dp_Max = 40.0 * 27.729767;
    r.Bore = 2.0;
    const CalibrationChart chart = ComputeCalibrationChart(r, NoLimits());
    ASSERT_EQ(chart.points.size(), 100u);
    EXPECT_TRUE(chart.points[0].flow.has_value());
    EXPECT_FALSE(chart.points[99].flow.has_value());
    EXPECT_EQ(chart.points[99].error, msg::kErrSonicFlow);
    for (const ChartPoint& pt : chart.points) EXPECT_EQ(pt.flow.has_value(), pt.error == 0);
}

TEST(CalibrationChart, CriticalDropAndMissingDifferentialGiveNoChartButAReason) {
    const TagRecord critical = test::CriticalGasTag();
    CalibrationChart chart = ComputeCalibrationChart(critical);
    EXPECT_EQ(chart.status, ChartStatus::CriticalDrop);
    EXPECT_FALSE(chart.HasChart());
    EXPECT_NE(std::string(ChartStatusText(chart.status)).find("critical-drop"), std::string::npos);

    for (double dp :
         {0.0, -5.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(dp);
        TagRecord r = SizedCustomLiquid();
        r.Dp_Max = dp;
        chart = ComputeCalibrationChart(r);
        EXPECT_EQ(chart.status, ChartStatus::NoDifferential);
        EXPECT_FALSE(chart.HasChart());
        EXPECT_STRNE(ChartStatusText(chart.status), "");
    }
}

}  // namespace
}  // namespace quorven
