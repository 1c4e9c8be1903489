// The Calculate command without its window: input check, dispatch, mode steps
// and follow-ons on tags built from the hand-calculation fixtures; the velocities
// and the flashing check of the engine that the command runs.

#include "form/calculate_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "form/meter_choices.h"
#include "hand_calc.h"

namespace quorven {
namespace {

using test::CriticalGasTag;

CalculateInputs Inputs() {
    CalculateInputs in;
    in.date_text = "10-Dec-2026";
    in.user_name = "J. Engineer";
    in.context.check_limits = [](TagRecord&, MessageSink&) { return true; };
    return in;
}

// A critical-drop run stores the choked differential in Dp_Max; switching the tag
// back to flow-meter (or restriction) mode gives back the maximum differential the
// user had typed, and never passes the choked one off as the user's.
TEST(CalcSetupAfterCriticalDrop, TheUsersMaximumDifferentialComesBack) {
    TagRecord r = CriticalGasTag();
    SetText(r.Tag_No, "FO-7");
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Flow_Max = r.Flow_Norm = 1500.0;
    r.Dp_Max = 100.0;
    CritDropMemory crit;
    ApplyCalcSetup(r, Code(SizeParam::Flow), Code(CalcMode::CriticalDrop), crit);
    ASSERT_EQ(r.Meter_Type, Code(MeterType::CriticalThickOrifice));
    RecordingMessageSink sink;
    ASSERT_TRUE(OnCalculate(r, Inputs(), sink).sized) << ::testing::PrintToString(sink.Numbers());
    ASSERT_GT(r.Dp_Max, 1000.0);  // the choked differential, about (100 - 52.8) psi
    const TagRecord critical = r;

    for (int32_t mode : {Code(CalcMode::Meter), Code(CalcMode::Restriction)}) {
        SCOPED_TRACE(mode);
        TagRecord back = critical;
        CritDropMemory kept = crit;
        ApplyCalcSetup(back, Code(SizeParam::Bore), mode, kept);
        EXPECT_EQ(back.Dp_Max, 100.0);
        EXPECT_EQ(kept.meter_dp_max, 0.0);  // used once
    }

    // No value kept for this tag (it was read in critical-drop mode, or the
    // memory is another tag's): the row is empty, and Calculate names it missing.
    CritDropMemory fresh;
    CritDropMemory other = crit;
    other.meter_dp_tag_no = "FO-8";
    for (CritDropMemory* memory : {&fresh, &other}) {
        TagRecord back = critical;
        ApplyCalcSetup(back, Code(SizeParam::Bore), Code(CalcMode::Meter), *memory);
        EXPECT_EQ(back.Dp_Max, 0.0);
        RecordingMessageSink check_sink;
        const InputCheckResult check = CheckCalculateInputs(back, check_sink);
        EXPECT_EQ(check.error, msg::kErrMissingInput);
        ASSERT_FALSE(check.missing.empty());
        EXPECT_TRUE(check.missing.front().sizing);
    }
}

TEST(CalculateInputCheck, ErrorsComeInTheirOrderAndStopEverything) {
    struct Case {
        const char* what;
        void (*edit)(TagRecord&);
        std::vector<int> numbers;
        std::size_t missing;
    };
    const Case cases[] = {
        {"normal flow above maximum",
         [](TagRecord& r) { r.Flow_Norm = r.Flow_Max * 1.1; },
         {msg::kErrNormalAboveMaxFlow},
         0},
        {"no pipe diameter, rows missing too",
         [](TagRecord& r) {
             r.Pipe_IDia = 0;
             r.Flow_RhoGZ = 0;
             r.Property_Visc = 0;
         },
         {msg::kErrNoPipeDiameter},
         2},
        {"missing density and differential",
         [](TagRecord& r) {
             r.Flow_RhoGZ = 0;
             r.Dp_Max = -1;
         },
         {msg::kErrMissingInput},
         2},
        {"normal flow above maximum and a row missing",
         [](TagRecord& r) {
             r.Flow_Norm = r.Flow_Max * 1.1;
             r.Flow_Temp = 0;
         },
         {msg::kErrNormalAboveMaxFlow, msg::kErrMissingInput},
         1},
        {"custom meter without coefficient", [](TagRecord& r) { r.C = 0; }, {msg::kErrNoCoefficient}, 0},
        {"restriction bore above the pipe",
         [](TagRecord& r) {
             r.Calc_Mode = Code(CalcMode::Restriction);
             r.Calc_SizeParam = Code(SizeParam::Dp);
             r.Bore = 5.0;
         },
         {msg::kErrBoreAbovePipe},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TagRecord r = test::CustomLiquidTag();
        r.Flow_Norm = r.Flow_Max * 0.8;
        c.edit(r);
        const TagRecord before = r;
        RecordingMessageSink sink;
        const CalculateResult res = OnCalculate(r, Inputs(), sink);
        EXPECT_FALSE(res.check.ok);
        EXPECT_EQ(sink.Numbers(), c.numbers);
        EXPECT_EQ(res.check.missing.size(), c.missing);
        EXPECT_FALSE(res.sizing_ran);
        // Nothing calculated, nothing dated.
        EXPECT_EQ(r.Bore, before.Bore);
        EXPECT_EQ(r.Calc_Status, 0);
        EXPECT_EQ(r.Flow_Norm, before.Flow_Norm);
        EXPECT_EQ(GetText(r.Date), GetText(before.Date));
    }
}

TEST(CalculateInputCheck, MissingRowsAreNamedAsTheFormLabelsThem) {
    TagRecord r = test::CustomLiquidTag();
    r.Flow_Norm = r.Flow_Max * 0.8;
    r.Tap_Loc = Code(TapLoc::Downstream);  // downstream taps: "Df2"
    r.Flow_RhoGZ = 0;
    r.Property_MwDenVp = 0;  // no vapour pressure: not missing
    r.Dp_Max = 0;
    RecordingMessageSink sink;
    const InputCheckResult check = CheckCalculateInputs(r, sink);
    ASSERT_EQ(check.missing.size(), 2u);
    EXPECT_FALSE(check.missing[0].sizing);
    EXPECT_EQ(check.missing[0].row, 1);
    EXPECT_EQ(check.missing[0].label, "Df2");
    EXPECT_TRUE(check.missing[1].sizing);
    EXPECT_EQ(check.missing[1].row, 3);
    EXPECT_EQ(check.missing[1].label, "dPm");
}

TEST(CalculateInputCheck, GaugePressureOfZeroIsAtmosphericNotMissing) {
    TagRecord r = test::CustomLiquidTag();
    r.Flow_Norm = r.Flow_Max * 0.8;
    r.Unit_PressSys_Set = 1;  // gauge display: 14.7 psia shows as about 0
    r.Flow_Press = r.AtmPress > 0 ? r.AtmPress : 14.696;
    RecordingMessageSink sink;
    EXPECT_TRUE(CheckCalculateInputs(r, sink).ok);
    EXPECT_TRUE(sink.Numbers().empty());
}

TEST(Calculate, LiquidWithoutFpIsCalculatedWithOne) {
    for (int32_t condition :
         {Code(FluidCondition::LiquidBaseTemp), Code(FluidCondition::LiquidFlowingTemp)}) {
        SCOPED_TRACE(condition);
        TagRecord r = test::CustomLiquidTag();
        test::SetFluid(r, Code(FluidEquation::LiquidVolume), condition, Code(FluidProperty::LiquidSG));
        r.Flow_Norm = r.Flow_Max * 0.8;
        r.Property_KFp = 0.0;
        RecordingMessageSink sink;
        const CalculateResult res = OnCalculate(r, Inputs(), sink);
        EXPECT_TRUE(res.fp_set_to_one);
        EXPECT_EQ(res.fp_row, condition == Code(FluidCondition::LiquidBaseTemp) ? 6 : 5);
        EXPECT_EQ(FluidDataRows(r)[static_cast<std::size_t>(res.fp_row - 1)].label, "Fp");
        EXPECT_EQ(r.Property_KFp, 1.0);
        ASSERT_TRUE(res.sized);
        EXPECT_EQ(r.Calc_Status, 1);
        // Hand check: the textbook flow through the sized bore with Fp 1.
        EXPECT_NEAR(test::TextbookFlow(r) / r.Flow_Norm, 1.0, 1e-4);
    }
}

TEST(Calculate, EveryDispatchRowRunsItsSizing) {
    struct Case {
        int32_t mode, param;
        bool gas;
        bool sizing_ran;
    };
    const Case cases[] = {
        {Code(CalcMode::Meter), Code(SizeParam::Bore), false, true},
        {Code(CalcMode::Meter), Code(SizeParam::Dp), false, true},
        {Code(CalcMode::Meter), Code(SizeParam::Flow), false, true},
        {Code(CalcMode::CriticalDrop), Code(SizeParam::Bore), true, true},
        {Code(CalcMode::CriticalDrop), Code(SizeParam::Flow), true, true},
        {Code(CalcMode::CriticalDrop), Code(SizeParam::Dp), true, false},
        {Code(CalcMode::CriticalDrop), Code(SizeParam::Bore), false, true},
        {Code(CalcMode::CriticalDrop), Code(SizeParam::Flow), false, true},
        {Code(CalcMode::CriticalDrop), Code(SizeParam::Dp), false, false},
        {Code(CalcMode::Restriction), Code(SizeParam::Bore), false, true},
        {Code(CalcMode::Restriction), Code(SizeParam::Dp), false, true},
        {Code(CalcMode::Restriction), Code(SizeParam::Flow), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mode << " " << c.param << (c.gas ? " gas" : " liquid"));
        TagRecord r;
        if (c.gas) {
            r = CriticalGasTag();
            r.Flow_Max = r.Flow_Norm = 1500.0;
        } else {
            r = test::CustomLiquidTag();
            r.Calc_Mode = c.mode;
            r.Flow_Norm = r.Flow_Max * 0.8;
            if (c.mode == Code(CalcMode::CriticalDrop))
                r.Meter_Type = Code(MeterType::CriticalSquareEdgedOrifice);  // critical-drop orifice
        }
        r.Calc_SizeParam = c.param;
        if (c.param != Code(SizeParam::Bore)) r.Bore = 2.0;
        if (c.param == Code(SizeParam::Flow)) r.Dp_Norm = 64.0;
        RecordingMessageSink sink;
        const CalculateResult res = OnCalculate(r, Inputs(), sink);
        ASSERT_TRUE(res.check.ok) << ::testing::PrintToString(sink.Numbers());
        EXPECT_EQ(res.sizing_ran, c.sizing_ran);
        EXPECT_TRUE(res.sized) << ::testing::PrintToString(sink.Numbers());
        EXPECT_TRUE(res.mark_unsaved);
        EXPECT_EQ(GetText(r.Date), "10-Dec-2026");
        EXPECT_EQ(GetText(r.Name), "J. Engineer");
        if (c.mode == Code(CalcMode::Restriction)) {
            // The restriction works at one flow with its whole differential lost.
            EXPECT_EQ(r.Flow_Norm, r.Flow_Max);
            EXPECT_EQ(r.PctRange, 100.0);
        }
        if (c.mode == Code(CalcMode::CriticalDrop) && c.gas && c.sizing_ran) {
            EXPECT_TRUE(res.sized) << ::testing::PrintToString(sink.Numbers());
            EXPECT_EQ(r.Min_Thick, r.Bore);  // the thick plate is as thick as its bore
        }
        if (c.mode == Code(CalcMode::CriticalDrop) && res.sized) {
            // The choked differential: down to the critical pressure for a gas
            // (hand calculation: (2/(k+1))^(k/(k-1)) = 0.528282 for k 1.4, times the
            // approach term E), down to the vapour pressure for a liquid.
            if (c.gas) {
                const double b4 = std::pow(r.Beta, 4.0);
                const double E = 1.0 + b4 * std::pow(2.0 / 2.4, 2.4 / 0.4) * 1.4 / 2.0;
                EXPECT_NEAR(r.Dp_Max, (100.0 - 100.0 * 0.5282817877 * E) * 27.729767, 1e-6);
            } else {
                EXPECT_NEAR(r.Dp_Max, (100.0 - 5.0) * 27.729767, 1e-9);
            }
        }
        if (c.mode == Code(CalcMode::Meter)) {
            ASSERT_TRUE(res.sized);
            EXPECT_EQ(r.Calc_Status, 1);
            EXPECT_NEAR(r.Velocity, ThroatVelocity(r, r.Bore), 1e-12);
            EXPECT_GT(r.Velocity, 0.0);
        }
    }
}

TEST(Calculate, RestrictionOverwritesNormalFlowWithMaximum) {
    TagRecord r = test::CustomLiquidTag();
    r.Calc_Mode = Code(CalcMode::Restriction);
    r.Flow_Norm = r.Flow_Max * 0.5;
    r.PctRange = 50.0;
    r.Dp_Loss = 40.0;
    RecordingMessageSink sink;
    const CalculateResult res = OnCalculate(r, Inputs(), sink);
    ASSERT_TRUE(res.sized) << ::testing::PrintToString(sink.Numbers());
    EXPECT_EQ(r.Flow_Norm, r.Flow_Max);
    EXPECT_EQ(r.PctRange, 100.0);
}

TEST(Calculate, FailedSizingSkipsModeStepsAndFollowOns) {
    TagRecord r = test::CustomLiquidTag();
    r.Meter_Type = Code(MeterType::CustomWedge);  // far more flow than the line can carry
    r.Flow_Max = 2e7;
    r.Flow_Norm = 1.6e7;
    r.C = 0.6;
    r.Velocity = 7.0;
    r.Velocity_Vc = 7.0;
    RecordingMessageSink sink;
    const CalculateResult res = OnCalculate(r, Inputs(), sink);
    EXPECT_TRUE(res.sizing_ran);
    EXPECT_FALSE(res.sized);
    EXPECT_FALSE(res.follow_ons);
    EXPECT_EQ(r.Velocity, 7.0);
    EXPECT_EQ(r.Velocity_Vc, 7.0);
    EXPECT_EQ(r.Calc_Status, 0);
}

TEST(ThroatVelocity, HandCalculatedAndNeverDividesByZero) {
    // Gas at flowing conditions: 10000 acfh through 2 in: 10000/3600 / (pi/4 (2/12)^2).
    TagRecord g = NewTagRecord();
    g.Fluid_Equation = Code(FluidEquation::GasVolume);
    g.Fluid_Condition = Code(FluidCondition::GasFlowing);
    g.Fluid_Property = Code(FluidProperty::GasDensity);
    g.Flow_Norm = 10000.0;
    const double hand = 10000.0 / 3600.0 / (std::numbers::pi / 4.0 * (2.0 / 12.0) * (2.0 / 12.0));
    EXPECT_NEAR(ThroatVelocity(g, 2.0) / hand, 1.0, 1e-7);
    // Gas by MW at base: the actual volume is Q rho_b / rho_f = Q Pb Tf / (P Tb) with Z = 1.
    g.Fluid_Condition = Code(FluidCondition::GasBase);
    g.Fluid_Property = Code(FluidProperty::GasMW);
    g.Property_MwDenVp = 16.043;
    g.Flow_Press = 114.69595;
    g.Flow_Temp = 519.67;
    g.Flow_RhoGZ = 1.0;
    g.Base_RhoGZ = 1.0;
    g.Base_Press = 14.69595;
    g.Base_Temp = 519.67;
    EXPECT_NEAR(ThroatVelocity(g, 2.0) / (hand * 14.69595 / 114.69595), 1.0, 1e-7);
    for (double d : {0.0, -1.0, std::nan("")}) {
        SCOPED_TRACE(d);
        EXPECT_EQ(ThroatVelocity(g, d), 0.0);
    }
    g.Flow_RhoGZ = 0.0;  // no flowing Z: no density, no velocity
    EXPECT_EQ(ThroatVelocity(g, 2.0), 0.0);
}

// Independent hand calculation of the check's pressures for a liquid mass flow
// by density: v = W / (3600 rho A), Bernoulli P_vc = P + rho (vp^2 - vvc^2) / (2 g) / 144,
// recovered P2 = P - dp x loss.
struct FlashPressures {
    double pvc_max, pvc_norm, p2_max, p2_norm;
};
FlashPressures HandFlash(const TagRecord& r) {
    const double rho = r.Flow_RhoGZ;
    auto v = [&](double W, double d_in) {
        return W / 3600.0 / rho / (std::numbers::pi / 4.0 * d_in * d_in / 144.0);
    };
    const double dvc = std::sqrt(r.C) * r.Bore * 0.98;
    const double g2 = 2.0 * r.Factor_ManoGlocal;
    auto pvc = [&](double W) {
        const double vp = v(W, r.Pipe_IDia), vv = v(W, dvc);
        return r.Flow_Press + rho * (vp * vp - vv * vv) / g2 / 144.0;
    };
    const double psi_per_inh2o = 1.0 / 27.7297667677;
    return {pvc(r.Flow_Max), pvc(r.Flow_Norm), r.Flow_Press - r.Dp_Max * psi_per_inh2o * r.Dp_Loss / 100.0,
            r.Flow_Press - r.Dp_Norm * psi_per_inh2o * r.Dp_Loss / 100.0};
}

TEST(FlashingCheck, WarningsOnBothSidesOfEachBoundary) {
    TagRecord sized = test::CustomLiquidTag();
    sized.Flow_Norm = sized.Flow_Max * 0.8;
    sized.Property_MwDenVp = 0.0;
    RecordingMessageSink setup;
    ASSERT_TRUE(OnCalculate(sized, Inputs(), setup).follow_ons);
    const FlashPressures p = HandFlash(sized);
    // The order the bands below assume.
    ASSERT_LT(p.pvc_max, p.pvc_norm);
    ASSERT_LT(p.pvc_norm, p.p2_max);
    ASSERT_LT(p.p2_max, p.p2_norm);
    const double e = 1e-3;
    struct Case {
        const char* band;
        double pv;
        std::vector<int> meter;        // flow meter: maximum and normal flow
        std::vector<int> restriction;  // maximum flow only
    };
    const Case cases[] = {
        {"below the vena contracta at maximum", p.pvc_max - e, {}, {}},
        {"just above the vena contracta at maximum", p.pvc_max + e, {-30}, {-30}},
        {"just below the vena contracta at normal", p.pvc_norm - e, {-30}, {-30}},
        {"just above the vena contracta at normal", p.pvc_norm + e, {-30, -32}, {-30}},
        {"just below the recovered pressure at maximum", p.p2_max - e, {-30, -32}, {-30}},
        {"just above the recovered pressure at maximum", p.p2_max + e, {-31, -32}, {-31}},
        {"just below the recovered pressure at normal", p.p2_norm - e, {-31, -32}, {-31}},
        {"just above the recovered pressure at normal", p.p2_norm + e, {-31, -33}, {-31}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.band);
        for (int32_t mode : {Code(CalcMode::Meter), Code(CalcMode::Restriction)}) {
            TagRecord r = sized;
            r.Calc_Mode = mode;
            r.Property_MwDenVp = c.pv;
            RecordingMessageSink sink;
            CheckFlashing(r, sink);
            EXPECT_EQ(sink.Numbers(), mode == Code(CalcMode::Meter) ? c.meter : c.restriction) << mode;
        }
    }
}

TEST(FormRows, LabelsPerFluidChoiceAndMode) {
    struct Case {
        int32_t eq, cond, prop, mode, tap;
        const char* title;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {Code(FluidEquation::LiquidVolume),
         Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG),
         Code(CalcMode::Meter),
         Code(TapLoc::Upstream),
         "Liq Vol-SG@Base",
         {"Gb", "Gf1", "Pf1", "Tf1", "u", "Fp", "Pv"}},
        {Code(FluidEquation::LiquidVolume),
         Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity),
         Code(CalcMode::Meter),
         Code(TapLoc::Downstream),
         "Liq Vol-Density@Flowing",
         {"Df2", "Pf2", "Tf2", "u", "Fp", "Pv"}},
        {Code(FluidEquation::LiquidMass),
         Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG),
         Code(CalcMode::Meter),
         Code(TapLoc::Upstream),
         "Liq Mass-SG",
         {"Gf1", "Pf1", "Tf1", "u", "Fp", "Pv"}},
        {Code(FluidEquation::GasVolume),
         Code(FluidCondition::GasBase),
         Code(FluidProperty::GasSG),
         Code(CalcMode::Meter),
         Code(TapLoc::Upstream),
         "Gas Vol-PVT@Base",
         {"Gg", "Zb", "Zf1", "Pf1", "Tf1", "u", "Cp/Cv, K"}},
        {Code(FluidEquation::GasVolume),
         Code(FluidCondition::GasFlowing),
         Code(FluidProperty::GasMW),
         Code(CalcMode::Meter),
         Code(TapLoc::Upstream),
         "Gas Vol-PVT@Flow",
         {"Mw", "Zf1", "Pf1", "Tf1", "u", "Cp/Cv, K"}},
        {Code(FluidEquation::GasVolume),
         Code(FluidCondition::GasBase),
         Code(FluidProperty::GasDensity),
         Code(CalcMode::Meter),
         Code(TapLoc::Upstream),
         "Gas Vol-Density@Base",
         {"Db", "Df1", "Pf1", "Tf1", "u", "Cp/Cv, K"}},
        {Code(FluidEquation::GasVolume),
         Code(FluidCondition::GasBase),
         Code(FluidProperty::GasDensity),
         Code(CalcMode::CriticalDrop),
         Code(TapLoc::Upstream),
         "Gas Vol-Density@Base",
         {"Db", "Df1", "Pf1", "Tf1", "u", "Cp/Cv, K", "Mw"}},
        {Code(FluidEquation::GasMass),
         Code(FluidCondition::GasFlowing),
         Code(FluidProperty::GasDensity),
         Code(CalcMode::CriticalDrop),
         Code(TapLoc::Upstream),
         "Vapor Mass-Density",
         {"Df1", "Pf1", "Tf1", "u", "Cp/Cv, K", "Mw"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.title << " mode " << c.mode);
        TagRecord r = NewTagRecord();
        r.Fluid_Equation = c.eq;
        r.Fluid_Condition = c.cond;
        r.Fluid_Property = c.prop;
        r.Calc_Mode = c.mode;
        r.Tap_Loc = c.tap;
        EXPECT_EQ(FluidEquationTitle(r), c.title);
        const FluidRows rows = FluidDataRows(r);
        std::vector<std::string> labels;
        for (const FormRow& row : rows)
            if (row.kind != RowKind::None) labels.push_back(row.label);
        EXPECT_EQ(labels, c.labels);
    }
}

TEST(FormRows, SizingRowsPerModeAndParameter) {
    struct Case {
        int32_t mode, param, meter;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {Code(CalcMode::Meter),
         Code(SizeParam::Bore),
         Code(MeterType::ConcentricOrifice),
         {"Wm", "Wn", "dPm"}},
        {Code(CalcMode::Meter),
         Code(SizeParam::Dp),
         Code(MeterType::ConcentricOrifice),
         {"Wm", "Wn", "Bore"}},
        {Code(CalcMode::Meter),
         Code(SizeParam::Flow),
         Code(MeterType::ConcentricOrifice),
         {"Bore", "dPm", "dPn"}},
        {Code(CalcMode::Meter),
         Code(SizeParam::Flow),
         Code(MeterType::WedgeIso5167_6),
         {"H/D", "dPm", "dPn"}},
        {Code(CalcMode::CriticalDrop),
         Code(SizeParam::Bore),
         Code(MeterType::CriticalSquareEdgedOrifice),
         {"W"}},
        {Code(CalcMode::CriticalDrop),
         Code(SizeParam::Dp),
         Code(MeterType::CriticalSquareEdgedOrifice),
         {"W"}},
        {Code(CalcMode::CriticalDrop),
         Code(SizeParam::Flow),
         Code(MeterType::CriticalSquareEdgedOrifice),
         {"Bore"}},
        {Code(CalcMode::Restriction), Code(SizeParam::Bore), Code(MeterType::ConcentricOrifice), {"W", "dP"}},
        {Code(CalcMode::Restriction), Code(SizeParam::Dp), Code(MeterType::ConcentricOrifice), {"W", "Bore"}},
        {Code(CalcMode::Restriction),
         Code(SizeParam::Flow),
         Code(MeterType::ConcentricOrifice),
         {"Bore", "dP"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mode << " " << c.param << " " << c.meter);
        TagRecord r = test::CustomLiquidTag();  // liquid mass: "W"
        r.Calc_Mode = c.mode;
        r.Calc_SizeParam = c.param;
        r.Meter_Type = c.meter;
        std::vector<std::string> labels;
        for (const FormRow& row : SizingDataRows(r))
            if (row.kind != RowKind::None) labels.push_back(row.label);
        EXPECT_EQ(labels, c.labels);
    }
}

}  // namespace
}  // namespace quorven
