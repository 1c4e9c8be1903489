#include "form/calculate_command.h"

#include <cmath>
#include <optional>

#include "engine/noise.h"
#include "engine/plate_thickness.h"
#include "engine/uncertainty.h"
#include "engine/velocity.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/units.h"

namespace quorven {
namespace {

// The custom meters that the input check asks a coefficient of (the engine asks
// it of the custom throat tap nozzle and the custom wedge itself).
bool NeedsCoefficientCheck(int32_t meter_type) {
    return IsCustomDirectMeter(meter_type) && meter_type != Code(MeterType::CustomThroatTapNozzle);
}

// Orifice plates except the conic entrance, the custom orifice and the critical-drop orifices.
bool TakesPlateThicknessText(int32_t meter_type) {
    return (IsOrificePlate(meter_type) && meter_type != Code(MeterType::ConicOrifice)) ||
           meter_type == Code(MeterType::CustomOrifice) ||
           meter_type == Code(MeterType::CriticalSquareEdgedOrifice) ||
           meter_type == Code(MeterType::CriticalThickOrifice);
}

// The sizing the dispatch table calls for; nullopt when the mode runs none.
std::optional<bool> RunSizing(TagRecord& r, CCalculate& calc, bool interactive) {
    const int32_t p = r.Calc_SizeParam;
    const bool liquid = IsLiquid(r);
    switch (r.Calc_Mode) {
        case Code(CalcMode::Meter):
            if (p == Code(SizeParam::Bore)) return calc.SizeBore(r, interactive);
            if (p == Code(SizeParam::Dp)) return calc.SizeDp(r, interactive);
            if (p == Code(SizeParam::Flow)) return calc.SizeFlow(r, interactive);
            return std::nullopt;
        case Code(CalcMode::CriticalDrop):
            if (p == Code(SizeParam::Bore))
                return liquid ? calc.SizeBore(r, interactive) : calc.SizeCriticalGas(r, interactive);
            if (p == Code(SizeParam::Flow))
                return liquid ? calc.SizeFlow(r, interactive) : calc.SizeCriticalGas(r, interactive);
            return std::nullopt;  // differential: the choked differential is computed below
        case Code(CalcMode::Restriction):
            r.Flow_Norm = r.Flow_Max;
            r.PctRange = 100.0;
            r.Dp_Loss = 100.0;
            if (p == Code(SizeParam::Bore)) return calc.RestrictionBore(r, interactive);
            if (p == Code(SizeParam::Dp)) return calc.RestrictionDp(r, interactive);
            if (p == Code(SizeParam::Flow)) return calc.RestrictionFlow(r, interactive);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

// The steps of each mode after its sizing.
void ModeSteps(TagRecord& r, CCalculate& calc, MessageSink& sink, bool interactive) {
    if (r.Calc_Mode == Code(CalcMode::Meter)) {
        r.Velocity = ThroatVelocity(r, r.Bore);
        return;
    }
    double critical_pressure = 0.0;
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        if (r.Meter_Type == Code(MeterType::CriticalSquareEdgedOrifice)) r.Min_Thick = MinPlateThickness(r);
        if (r.Meter_Type == Code(MeterType::CriticalThickOrifice)) r.Min_Thick = r.Bore;
        critical_pressure = calc.CriticalPressure(r);
        // A choked liquid flashes at its vapour pressure: the differential is the
        // one the sizing used, Flow_Press - Pv (a liquid has no gas critical pressure).
        const double downstream = IsLiquid(r) ? r.Property_MwDenVp : critical_pressure;
        const double dp = (r.Flow_Press - downstream) * kInH2OPerPsi;
        if (std::isfinite(dp)) r.Dp_Max = dp;
        if (!std::isfinite(critical_pressure)) critical_pressure = 0.0;
    } else if (r.Calc_Mode == Code(CalcMode::Restriction)) {
        if (r.Meter_Type == Code(MeterType::ConcentricOrifice)) r.Min_Thick = MinPlateThickness(r);
    } else {
        return;
    }
    (void)OutletNoise(r, critical_pressure, sink, interactive);
}

}  // namespace

namespace {

// Only the flow-meter form has a normal-flow row; the restriction overwrites
// Flow_Norm and the critical-drop form never shows it.
bool NormalAboveMaximum(const TagRecord& r) {
    return r.Calc_Mode == Code(CalcMode::Meter) && r.Calc_SizeParam != Code(SizeParam::Flow) &&
           r.Flow_Norm > r.Flow_Max;
}

// Every required row needs a value above zero: zero is an empty row; a value below
// zero (absolute pressures and temperatures are checked in psia and deg R) or not
// finite was typed but is impossible.
void CheckRow(std::vector<MissingRow>& out, bool sizing, int index, const FormRow& row, const TagRecord& r) {
    if (row.kind == RowKind::None || !row.required) return;
    const std::optional<double> v = RowCheckValue(r, row.kind);
    if (v && *v > 0.0 && std::isfinite(*v)) return;
    const bool invalid = v && (!std::isfinite(*v) || *v < 0.0);
    out.push_back({sizing, index + 1, row.label, invalid});
}

}  // namespace

std::vector<MissingRow> MissingInputs(const TagRecord& r) {
    std::vector<MissingRow> out;
    const FluidRows fluid = FluidDataRows(r);
    for (int i = 0; i < kFluidRowCount; ++i) CheckRow(out, false, i, fluid[static_cast<std::size_t>(i)], r);
    const SizingRows sizing = SizingDataRows(r);
    const bool norm_above_max = NormalAboveMaximum(r);
    for (int i = 0; i < kSizingRowCount; ++i) {
        if (i == 0 && norm_above_max) continue;  // Error #5 speaks for it
        CheckRow(out, true, i, sizing[static_cast<std::size_t>(i)], r);
    }
    return out;
}

InputCheckResult CheckCalculateInputs(const TagRecord& r, MessageSink& sink) {
    InputCheckResult out;
    CError error(sink);
    const bool norm_above_max = NormalAboveMaximum(r);
    if (norm_above_max) error.Show(msg::kErrNormalAboveMaxFlow);
    out.missing = MissingInputs(r);

    const bool restriction_bore_too_big = r.Calc_Mode == Code(CalcMode::Restriction) &&
                                          r.Calc_SizeParam != Code(SizeParam::Bore) && r.Bore > r.Pipe_IDia;
    if (!(r.Pipe_IDia > 0.0)) {
        out.error = msg::kErrNoPipeDiameter;
    } else if (restriction_bore_too_big) {
        out.error = msg::kErrBoreAbovePipe;
    } else if (!out.missing.empty()) {
        out.error = msg::kErrMissingInput;
    } else if (norm_above_max) {
        out.ok = false;
        out.error = msg::kErrNormalAboveMaxFlow;
        return out;  // already shown
    } else if (NeedsCoefficientCheck(r.Meter_Type) && r.C == 0.0) {
        out.error = msg::kErrNoCoefficient;
    } else {
        out.ok = true;
        return out;
    }
    error.Show(out.error);
    return out;
}

CalculateResult OnCalculate(TagRecord& r, const CalculateInputs& in, MessageSink& sink) {
    CalculateResult result;
    RefreshUnitFactors(r, in.unit_tables ? *in.unit_tables : DefaultUnitTables());

    if (IsLiquid(r) && r.Property_KFp == 0.0) {
        r.Property_KFp = 1.0;
        result.fp_set_to_one = true;
        const bool base_sg_layout = r.Fluid_Equation == Code(FluidEquation::LiquidVolume) &&
                                    r.Fluid_Condition == Code(FluidCondition::LiquidBaseTemp);
        result.fp_row = base_sg_layout ? 6 : 5;
    }

    result.check = CheckCalculateInputs(r, sink);
    if (!result.check.ok) return result;

    CCalculate calc(sink, in.context);
    const std::optional<bool> sized = RunSizing(r, calc, in.interactive);
    result.sizing_ran = sized.has_value();
    result.mark_unsaved = result.sizing_ran || r.Calc_Mode == Code(CalcMode::CriticalDrop);
    // A failed sizing leaves the record as the engine stopped it: no mode steps,
    // no follow-ons on values that belong to no solution.
    const bool mode_steps = sized.value_or(r.Calc_Mode == Code(CalcMode::CriticalDrop));
    if (mode_steps) {
        result.sized = true;
        StoreDerivedResults(r);
        ModeSteps(r, calc, sink, in.interactive);
    }
    if (result.sizing_ran && *sized && r.Sm > 0.0 && r.Sm < 1.0) {
        result.follow_ons = true;
        (void)StoreMeterUncertainty(r);
        const bool liquid = IsLiquid(r);
        if (liquid && (r.Calc_Mode == Code(CalcMode::Meter) || r.Calc_Mode == Code(CalcMode::Restriction))) {
            result.flashing_warnings = CheckFlashing(r, sink);
        }
    }

    SetText(r.Date, in.date_text);
    SetText(r.Name, in.user_name);
    if (TakesPlateThicknessText(r.Meter_Type) && GetText(r.Elem_Thick).starts_with("0.0")) {
        (void)PlateThicknessText(r, sink, in.unit_tables ? *in.unit_tables : DefaultUnitTables());
    }
    return result;
}

}  // namespace quorven
