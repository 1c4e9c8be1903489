// The three solutions on whole tags: custom meters end to end for every fluid
// input, round trips, the standard iterations driven by stand-in coefficients,
// and every failure with its numbered message.

#include "engine/calculate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/coefficients.h"
#include "record/record_fields.h"
#include "tests/engine/hand_calc.h"

namespace quorven {
namespace {

using test::CustomLiquidTag;
using test::SetFluid;
using test::TextbookFlow;

constexpr int32_t kCombos[][3] = {
    {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp), Code(FluidProperty::LiquidSG)},
    {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
     Code(FluidProperty::LiquidDensity)},
    {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
     Code(FluidProperty::LiquidSG)},
    {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
     Code(FluidProperty::LiquidDensity)},
    {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp), Code(FluidProperty::LiquidSG)},
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

// A stand-in expansion factor with the shape of the orifice form (Buckingham):
// Y = 1 - (0.41 + 0.35 b^4) x / k, x = hw / (27.73 Pf), so that Y follows both
// beta and the differential as the real correlations do.
double StandInY(TagRecord& r, MessageSink&, bool) {
    const double b = r.Beta;
    const double x = r.Dp_Norm / (27.73 * r.Flow_Press);
    return 1.0 - (0.41 + 0.35 * b * b * b * b) * x / r.Property_KFp;
}

CalcContext StandIns() {
    CalcContext c;
    c.expansion_factor = StandInY;
    c.discharge_coefficient = [](TagRecord& r, MessageSink&, bool) { return 0.6 + 0.02 * r.Beta; };
    c.sat_pressure = [](double) { return 0.2563; };
    // The validity limits are tested on their own; here the solvers alone.
    c.check_limits = [](TagRecord&, MessageSink&) { return true; };
    return c;
}

std::vector<const FieldInfo*> DoubleFields() {
    std::vector<const FieldInfo*> out;
    for (const FieldInfo& f : RecordFields())
        if (f.kind == FieldKind::Double) out.push_back(&f);
    return out;
}

TEST(CustomMeter, SizesEveryFluidEquationAndPropertyInputAndRoundTrips) {
    // Hand calculation (python, textbook equation with Kell's water densities):
    // the bores of the liquid rows; gases are checked by the textbook equation
    // with the Y the solution used.
    const double liquid_bores[] = {2.1002430098, 2.0969538756, 2.0976477063,
                                   2.0986873030, 2.0313032725, 2.0302872496};
    int row = 0;
    for (const auto& c : kCombos) {
        SCOPED_TRACE(testing::Message() << c[0] << "/" << c[1] << "/" << c[2]);
        TagRecord r = CustomLiquidTag();
        SetFluid(r, c[0], c[1], c[2]);
        const double Q = r.Flow_Norm, Qmax = r.Flow_Max;
        RecordingMessageSink sink;
        CCalculate calc(sink, StandIns());
        ASSERT_TRUE(calc.SizeBore(r, true));
        EXPECT_TRUE(sink.Numbers().empty());
        EXPECT_EQ(r.Calc_Status, 1);
        EXPECT_DOUBLE_EQ(r.Dp_Norm, 64.0);
        EXPECT_NEAR(TextbookFlow(r) / Q, 1.0, 3e-5);
        const double fp =
            c[0] == Code(FluidEquation::LiquidVolume) && c[1] == Code(FluidCondition::LiquidFlowingTemp)
                ? r.Property_KFp
                : 1.0;  // see SizingFactor tests
        EXPECT_NEAR(r.Rd * fp / test::TextbookPipeReynolds(r), 1.0, 5e-5);
        if (c[0] < Code(FluidEquation::GasVolume)) {
            EXPECT_NEAR(r.Bore / liquid_bores[row++], 1.0, 2e-5);
            EXPECT_EQ(r.Y, 1.0);
        } else {
            EXPECT_LT(r.Y, 1.0);
        }

        TagRecord f = r;  // flow from that bore gives the flow back
        f.Calc_SizeParam = Code(SizeParam::Flow);
        f.Flow_Norm = f.Flow_Max = 0.0;
        f.Dp_Norm = 64.0;
        ASSERT_TRUE(calc.SizeFlow(f, true));
        EXPECT_NEAR(f.Flow_Norm / Q, 1.0, 1e-9);
        EXPECT_NEAR(f.Flow_Max / Qmax, 1.0, 1e-9);
        EXPECT_EQ(f.Calc_Status, 1);

        TagRecord d = r;  // and the differential from that bore the differential
        d.Calc_SizeParam = Code(SizeParam::Dp);
        d.Dp_Norm = d.Dp_Max = 0.0;
        ASSERT_TRUE(calc.SizeDp(d, true));
        EXPECT_NEAR(d.Dp_Norm, 64.0, 64.0 * 1e-9);
        EXPECT_NEAR(d.Dp_Max, 100.0, 100.0 * 1e-9);
        EXPECT_TRUE(sink.Numbers().empty());
    }
}

TEST(CustomMeter, BoreIsGivenAt68FAndTheFactorsEnterTheFlow) {
    TagRecord r = CustomLiquidTag();
    r.Flow_Temp = 400.0 + 459.67;
    r.DpRefFact = 0.995;
    r.Factor_Drain = 1;
    r.Factor_DrainDia = 0.125;
    r.Factor_SatLiq = 1;  // bubble-point liquid: Fx follows beta
    RecordingMessageSink sink;
    CCalculate calc(sink, StandIns());
    ASSERT_TRUE(calc.SizeBore(r, false));
    EXPECT_GT(r.Fa_Meter, 1.003);
    EXPECT_GT(r.Fdh, 1.0);
    const double beta_flowing = r.Beta * r.Fa_Meter / r.Fa_Pipe;
    EXPECT_NEAR(r.Fx, 0.968 + 0.112 * beta_flowing, 1e-6);
    EXPECT_NEAR(TextbookFlow(r) / r.Flow_Norm, 1.0, 3e-5);  // textbook flow through the hot bore
    TagRecord f = r;
    f.Calc_SizeParam = Code(SizeParam::Flow);
    ASSERT_TRUE(calc.SizeFlow(f, false));
    EXPECT_NEAR(f.Flow_Norm / r.Flow_Norm, 1.0, 1e-6);
}

TEST(CustomMeter, WithoutCoefficientIsRefusedWithError33) {
    for (int32_t type :
         {Code(MeterType::CustomOrifice), Code(MeterType::CustomFlowTube), Code(MeterType::CustomWedge)}) {
        for (double C : {0.0, -0.6, std::nan("")}) {
            for (int32_t param : {Code(SizeParam::Bore), Code(SizeParam::Dp), Code(SizeParam::Flow)}) {
                SCOPED_TRACE(testing::Message() << type << " C " << C << " param " << param);
                TagRecord r = CustomLiquidTag();
                r.Meter_Type = type;
                r.C = C;
                r.Calc_SizeParam = param;
                r.Bore = 2.0;
                r.SegHs = 2.0;
                r.Calc_Status = 1;
                const TagRecord before = r;
                RecordingMessageSink sink;
                CCalculate calc(sink, StandIns());
                const bool ok = param == Code(SizeParam::Bore) ? calc.SizeBore(r, true)
                                : param == Code(SizeParam::Dp) ? calc.SizeDp(r, true)
                                                               : calc.SizeFlow(r, true);
                EXPECT_FALSE(ok);
                EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrNoCoefficient});
                EXPECT_EQ(r.Calc_Status, 0);
                EXPECT_EQ(r.Bore, before.Bore);
                EXPECT_EQ(r.Flow_Norm, before.Flow_Norm);
                EXPECT_EQ(r.Dp_Norm, before.Dp_Norm);
            }
        }
    }
}

TEST(ChokedLiquid, VapourPressureAtOrAboveThePressureGivesError13) {
    for (bool interactive : {true, false}) {
        for (double pv : {100.0, 150.0}) {
            TagRecord r = CustomLiquidTag();
            r.Calc_Mode = Code(CalcMode::CriticalDrop);
            r.Property_MwDenVp = pv;  // Flow_Press is 100
            r.Dp_Norm = 3.0;
            RecordingMessageSink sink;
            EXPECT_FALSE(CCalculate(sink, StandIns()).SizeBore(r, interactive));
            EXPECT_EQ(sink.Numbers(),
                      interactive
                          ? std::vector<int>({msg::kErrVapourPressureNotBelowUpstream, msg::kErrNoSolution})
                          : std::vector<int>({msg::kErrVapourPressureNotBelowUpstream}));
            EXPECT_EQ(r.Dp_Norm, 3.0);
            EXPECT_EQ(r.Calc_Status, 0);
        }
    }
    TagRecord r = CustomLiquidTag();
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    r.Property_MwDenVp = 10.0;
    RecordingMessageSink sink;
    ASSERT_TRUE(CCalculate(sink, StandIns()).SizeBore(r, true));
    EXPECT_NEAR(r.Dp_Norm, 90.0 * 27.72976, 1e-9);  // choked differential
    EXPECT_EQ(r.Flow_Norm, r.Flow_Max);
    EXPECT_NEAR(TextbookFlow(r) / r.Flow_Norm, 1.0, 3e-5);

    TagRecord f = r;  // the choked flow through that bore
    f.Calc_SizeParam = Code(SizeParam::Flow);
    f.Flow_Norm = f.Flow_Max = 0.0;
    ASSERT_TRUE(CCalculate(sink, StandIns()).SizeFlow(f, true));
    EXPECT_NEAR(f.Flow_Norm / r.Flow_Norm, 1.0, 1e-9);
    EXPECT_EQ(f.Flow_Max, f.Flow_Norm);
    EXPECT_TRUE(sink.Numbers().empty());
}

TEST(StandardMeter, GasOrificeSizedIntoSonicFlowStillGetsABore) {
    TagRecord r = CustomLiquidTag();
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    SetFluid(r, Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG));
    r.Flow_Press = 30.0;
    r.Property_KFp = 1.4;
    r.Dp_Max = 625.0;  // hw 400 inH2O = 14.42 psi; critical pressure about 0.53 x 30 psia
    r.Flow_Max = 60000.0;
    r.Flow_Norm = 0.8 * r.Flow_Max;
    RecordingMessageSink sink;
    ASSERT_TRUE(CCalculate(sink, StandIns()).SizeBore(r, true));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrIndeterminateMaximum});
    EXPECT_GT(r.Bore, 0.0);
    EXPECT_EQ(r.Calc_Status, 1);
    EXPECT_NEAR(TextbookFlow(r) / r.Flow_Norm, 1.0, 3e-5);
}

TEST(StandardMeter, WithoutCoefficientFailsAndSaysSoOnlyWhenInteractive) {
    for (bool interactive : {true, false}) {
        TagRecord r = CustomLiquidTag();
        r.Meter_Type = Code(MeterType::ConcentricOrifice);
        r.C = 0.0;
        RecordingMessageSink sink;
        CCalculate calc(sink);  // the library's coefficients
        CalcContext none;
        none.discharge_coefficient = [](TagRecord&, MessageSink&, bool) { return 0.0; };
        CCalculate no_coefficient(sink, none);
        EXPECT_FALSE(no_coefficient.SizeBore(r, interactive));
        EXPECT_EQ(r.Calc_Status, 0);
        r.Calc_SizeParam = Code(SizeParam::Flow);
        r.Bore = 2.0;
        EXPECT_FALSE(no_coefficient.SizeFlow(r, interactive));
        r.Calc_SizeParam = Code(SizeParam::Dp);
        EXPECT_FALSE(no_coefficient.SizeDp(r, interactive));
        EXPECT_EQ(sink.Numbers(), interactive ? std::vector<int>({msg::kErrNoSolution, msg::kErrNoSolution,
                                                                  msg::kErrNoSolution})
                                              : std::vector<int>{});
        EXPECT_EQ(r.Calc_Status, 0);
    }
}

TEST(StandardMeter, SizeFlowStartsFromCoefficient075) {
    TagRecord r = CustomLiquidTag();
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.C = 0.0;
    r.Calc_SizeParam = Code(SizeParam::Flow);
    r.Bore = 2.0;
    r.Dp_Norm = 64.0;
    double first_seen = -1.0;
    CalcContext c = StandIns();
    c.discharge_coefficient = [&first_seen](TagRecord& rec, MessageSink&, bool) {
        if (first_seen < 0.0) first_seen = rec.C;
        return 0.6;
    };
    RecordingMessageSink sink;
    ASSERT_TRUE(CCalculate(sink, c).SizeFlow(r, false));
    EXPECT_EQ(first_seen, 0.75);
    EXPECT_EQ(r.C, 0.6);
    EXPECT_NEAR(TextbookFlow(r) / r.Flow_Norm, 1.0, 3e-5);
}

TEST(StandardMeter, GasOrificeRoundTripsThroughTheIterations) {
    for (const auto& c : kCombos) {
        if (c[0] < Code(FluidEquation::GasVolume)) continue;
        SCOPED_TRACE(testing::Message() << c[0] << "/" << c[1] << "/" << c[2]);
        TagRecord r = CustomLiquidTag();
        r.Meter_Type = Code(MeterType::ConcentricOrifice);
        SetFluid(r, c[0], c[1], c[2]);
        const double Q = r.Flow_Norm;
        RecordingMessageSink sink;
        CCalculate calc(sink, StandIns());
        ASSERT_TRUE(calc.SizeBore(r, true));
        EXPECT_NEAR(TextbookFlow(r) / Q, 1.0, 3e-5);  // C and Y of the last round
        TagRecord f = r;
        f.Calc_SizeParam = Code(SizeParam::Flow);
        f.Flow_Norm = 0.0;
        ASSERT_TRUE(calc.SizeFlow(f, true));
        EXPECT_NEAR(f.Flow_Norm / Q, 1.0, 2e-6);
        TagRecord d = r;
        d.Calc_SizeParam = Code(SizeParam::Dp);
        d.Dp_Norm = 0.0;
        ASSERT_TRUE(calc.SizeDp(d, true));
        EXPECT_NEAR(d.Dp_Norm / 64.0, 1.0, 4e-6);
        EXPECT_TRUE(sink.Numbers().empty());
    }
}

// A batch solve leaves out the closing evaluation of the flow solution when the last round
// ended on the Sm it started from (a coefficient that does not follow the Reynolds number),
// and the closing differential likewise: the record must come out the same, to the byte, as
// from the Calculate command, which runs them.
TEST(StandardMeter, BatchLeavesOutARepeatedClosingRoundAndStoresTheSameRecord) {
    struct Case {
        const char* name;
        MeterType type;
        CalcStd standard;
        bool repeats;  // the flow solution's last round repeats itself
    };
    const Case cases[] = {
        {"machined venturi (C fixed)", MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022, true},
        {"orifice (C follows Rd)", MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TagRecord tag = CustomLiquidTag();
        tag.Meter_Type = Code(c.type);
        tag.Calc_Std = Code(c.standard);
        SetFluid(tag, Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
                 Code(FluidProperty::GasSG));
        NullMessageSink quiet;
        ASSERT_TRUE(CCalculate(quiet).SizeBore(tag, false));
        for (int32_t param : {Code(SizeParam::Flow), Code(SizeParam::Dp)}) {
            int evaluations[2] = {0, 0};
            TagRecord solved[2];
            for (bool interactive : {false, true}) {
                CalcContext context;
                context.check_limits = [](TagRecord&, MessageSink&) { return true; };
                int& n = evaluations[interactive];
                context.discharge_coefficient = [&n](TagRecord& r, MessageSink& sink, bool i) {
                    ++n;
                    return DischargeCoefficient(r, sink, i);
                };
                TagRecord r = tag;
                r.Calc_SizeParam = param;
                RecordingMessageSink sink;
                ASSERT_TRUE(param == Code(SizeParam::Flow)
                                ? CCalculate(sink, context).SizeFlow(r, interactive)
                                : CCalculate(sink, context).SizeDp(r, interactive));
                EXPECT_TRUE(sink.Numbers().empty());
                solved[interactive] = r;
            }
            EXPECT_EQ(std::memcmp(&solved[0], &solved[1], sizeof(TagRecord)), 0) << param;
            const bool left_out = param == Code(SizeParam::Flow) && c.repeats;
            EXPECT_EQ(evaluations[1] - evaluations[0], left_out ? 1 : 0) << param;
        }
    }
}

TEST(WedgeMeter, BoreSolutionRunsFivePassesAndEndsOnTheSegment) {
    int psat_calls = 0;
    CalcContext c = StandIns();
    c.sat_pressure = [&psat_calls](double) {
        ++psat_calls;
        return 0.2563;
    };
    TagRecord r = CustomLiquidTag();
    r.Meter_Type = Code(MeterType::CustomWedge);  // calibrated wedge: the user's C, iterated solution
    RecordingMessageSink sink;
    CCalculate calc(sink, c);
    ASSERT_TRUE(calc.SizeBore(r, true));
    EXPECT_EQ(psat_calls, 5);  // the factors are computed once per pass
    EXPECT_EQ(r.SegDc, r.Pipe_IDia);
    EXPECT_NEAR(SegmentBeta(r.SegHs, r.SegDc), r.Beta, 1e-6);
    EXPECT_NEAR(TextbookFlow(r) / r.Flow_Norm, 1.0, 3e-5);

    psat_calls = 0;
    TagRecord custom = CustomLiquidTag();
    ASSERT_TRUE(calc.SizeBore(custom, true));
    EXPECT_EQ(psat_calls, 1);

    TagRecord f = r;  // flow from the wedge height gives the flow back
    f.Calc_SizeParam = Code(SizeParam::Flow);
    f.Bore = 0.0;
    ASSERT_TRUE(calc.SizeFlow(f, true));
    EXPECT_NEAR(f.Flow_Norm / r.Flow_Norm, 1.0, 1e-5);
    EXPECT_TRUE(sink.Numbers().empty());
}

TEST(SegmentalOrifice, EndsWithItsSegmentCircleOf098D) {
    TagRecord r = CustomLiquidTag();
    r.Meter_Type = Code(MeterType::SegmentalOrifice);
    RecordingMessageSink sink;
    CCalculate calc(sink, StandIns());
    ASSERT_TRUE(calc.SizeBore(r, true));
    EXPECT_EQ(r.SegDc, 0.98 * r.Pipe_IDia);
    EXPECT_NEAR(SegmentBeta(r.SegHs, r.SegDc), r.Beta, 1e-6);

    for (int32_t param : {Code(SizeParam::Dp), Code(SizeParam::Flow)}) {
        TagRecord s = r;
        s.Calc_SizeParam = param;
        s.SegDc = 0.0;
        s.SegHs = 0.0;
        ASSERT_TRUE(param == Code(SizeParam::Dp) ? calc.SizeDp(s, true) : calc.SizeFlow(s, true));
        EXPECT_EQ(s.SegDc, 0.98 * s.Pipe_IDia);
        EXPECT_DOUBLE_EQ(s.Beta, s.Bore / s.SegDc);
        EXPECT_NEAR(SegmentBeta(s.SegHs, s.SegDc), s.Beta, 1e-6);
    }
    EXPECT_TRUE(sink.Numbers().empty());
}

TEST(StandardMeter, SonicDifferentialGivesError22AndTheResultStands) {
    TagRecord r = CustomLiquidTag();
    r.Meter_Type = Code(MeterType::CustomWedge);
    SetFluid(r, Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity));
    r.Flow_Press = 30.0;
    r.Dp_Max = 625.0;  // hw 400 inH2O: 14.4 psi down from 30 psia, below the critical 15.8
    r.Flow_Norm = 0.8 * r.Flow_Max;
    r.E_Ftp = 123.0;
    for (bool interactive : {true, false}) {
        TagRecord t = r;
        RecordingMessageSink sink;
        EXPECT_TRUE(CCalculate(sink, StandIns()).SizeBore(t, interactive));
        EXPECT_EQ(sink.Numbers(),
                  std::vector<int>{msg::kErrIndeterminateMaximum});  // once, not once per wedge pass
        EXPECT_EQ(t.Calc_Status, 1);
        EXPECT_EQ(t.E_Ftp, 123.0);  // the sonic test leaves the coefficient's E alone
        // The critical pressure the driver asks for does store its E.
        EXPECT_GT(CCalculate(sink).CriticalPressure(t), 15.0);
        EXPECT_NE(t.E_Ftp, 123.0);
    }
}

TEST(StandardMeter, FlowTooLargeForTheLineGivesError20) {
    for (bool interactive : {true, false}) {
        TagRecord r = CustomLiquidTag();
        r.Meter_Type = Code(MeterType::CustomWedge);
        r.Flow_Max *= 20.0;
        r.Flow_Norm *= 20.0;
        RecordingMessageSink sink;
        EXPECT_FALSE(CCalculate(sink, StandIns()).SizeBore(r, interactive));
        EXPECT_EQ(sink.Numbers(), interactive
                                      ? std::vector<int>({msg::kErrNoSolutionForData, msg::kErrNoSolution})
                                      : std::vector<int>({msg::kErrNoSolutionForData}));
        EXPECT_EQ(r.Calc_Status, 0);
    }
}

TEST(TwoPhase, NegativeSaturatedLiquidFactorStopsTheSizingWithError50) {
    TagRecord r = CustomLiquidTag();
    r.Factor_SatLiq = 1;
    r.Factor_QualX = 50.0;
    r.Factor_QualRho = 0.5;  // rho_l / rho_m = 55.5: Fx = 0.94 + 11.1 - 30.8 < 0
    RecordingMessageSink sink;
    EXPECT_FALSE(CCalculate(sink, StandIns()).SizeBore(r, true));
    EXPECT_EQ(sink.Numbers(), std::vector<int>({msg::kErrSaturatedLiquidFactor, msg::kErrNoSolution}));
    EXPECT_LT(r.Fx, 0.0);  // the value is kept for the display
    EXPECT_EQ(r.Calc_Status, 0);
}

TEST(Context, LimitChecksRunOnlyInteractivelyAndProjectsMarkTheRecord) {
    for (bool interactive : {true, false}) {
        for (bool default_project : {true, false}) {
            int checks = 0;
            CalcContext c = StandIns();
            c.default_project = default_project;
            c.check_limits = [&checks](TagRecord& rec, MessageSink&) {
                ++checks;
                rec.Calc_Status = 20;
                return true;
            };
            for (int32_t type : {Code(MeterType::CustomOrifice), Code(MeterType::CustomWedge)}) {
                TagRecord r = CustomLiquidTag();
                r.Meter_Type = type;
                RecordingMessageSink sink;
                ASSERT_TRUE(CCalculate(sink, c).SizeBore(r, interactive));
                EXPECT_EQ(r.Rec_Version4, default_project ? 0 : 1);
                // Custom meters are solved directly, without limit checks.
                const bool checked = interactive && type == Code(MeterType::CustomWedge);
                EXPECT_EQ(r.Calc_Status, checked ? 20 : 1);
            }
            EXPECT_EQ(checks, interactive ? 1 : 0);
        }
    }
}

TEST(BadInput, NothingNonFiniteIsEverStored) {
    // Every number of the record in turn made impossible; every solution on a
    // custom and an iterated meter, liquid and gas. Nothing may crash, and no
    // field but the poisoned one may hold a NaN or an infinity afterwards.
    const double poisons[] = {std::nan(""), HUGE_VAL, -HUGE_VAL, 0.0, -1.0, 1e300, 1e-300};
    const std::vector<const FieldInfo*> fields = DoubleFields();
    int runs = 0;
    for (const FieldInfo* field : fields) {
        for (double poison : poisons) {
            for (int32_t type : {Code(MeterType::CustomOrifice), Code(MeterType::CustomWedge)}) {
                for (int32_t equation : {Code(FluidEquation::LiquidMass), Code(FluidEquation::GasVolume)}) {
                    for (int32_t param :
                         {Code(SizeParam::Bore), Code(SizeParam::Dp), Code(SizeParam::Flow)}) {
                        TagRecord r = CustomLiquidTag();
                        r.Meter_Type = type;
                        SetFluid(r, equation,
                                 equation == Code(FluidEquation::GasVolume)
                                     ? Code(FluidCondition::GasBase)
                                     : Code(FluidCondition::LiquidFlowingTemp),
                                 equation == Code(FluidEquation::GasVolume)
                                     ? Code(FluidProperty::GasSG)
                                     : Code(FluidProperty::LiquidDensity));
                        r.Calc_SizeParam = param;
                        r.Bore = 2.0;
                        r.SegHs = 1.5;
                        r.Dp_Norm = 64.0;
                        SetDouble(r, *field, poison);
                        NullMessageSink sink;
                        CCalculate calc(sink, StandIns());
                        const bool ok = param == Code(SizeParam::Bore) ? calc.SizeBore(r, true)
                                        : param == Code(SizeParam::Dp) ? calc.SizeDp(r, true)
                                                                       : calc.SizeFlow(r, true);
                        ++runs;
                        for (const FieldInfo* g : fields) {
                            if (g == field) continue;
                            const double v = GetDouble(r, *g);
                            ASSERT_TRUE(std::isfinite(v))
                                << g->name << " after " << field->name << " = " << poison << ", meter "
                                << type << ", fluid " << equation << ", param " << param;
                        }
                        if (ok) {
                            ASSERT_EQ(r.Calc_Status, 1);
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(runs, 1000);
}

}  // namespace
}  // namespace quorven
