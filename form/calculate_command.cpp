#include "form/calculate_command.h"

#include <cmath>

#include "engine/noise.h"
#include "engine/plate_thickness.h"
#include "engine/uncertainty.h"
#include "record/choice_codes.h"
#include "record/units.h"

namespace quorven {
namespace {

// Inches of water (at 68 deg F) per psi, as the choked differential is stored.
constexpr double kInH2OPerPsiChoked = 27.729767;
// Inches of water per psi for the pressure recovered downstream of the element.
constexpr double kInH2OPerPsiRecovery = 27.7297667677;
// ft3/s per unit flow over (pi/4) for a diameter in inches: 144 / 3600 / (pi/4)
// (cubic feet per hour or pounds per hour through d^2 square inches).
constexpr double kVelocityPerFt3h = 0.050929582;
// Universal gas constant [psia ft3 / (lbmol deg R)].
constexpr double kGasConstant = 10.73151;
// Molecular weight of air, for a gas given by its specific gravity (AGA 8 / GPA 2145).
constexpr double kAirMolecularWeight = 28.9625;

constexpr int kErrorMissingInput = 3;
constexpr int kErrorNoPipe = 4;
constexpr int kErrorNormalAboveMax = 5;
constexpr int kErrorBoreAbovePipe = 11;
constexpr int kErrorNoCoefficient = 33;

bool IsLiquid(int32_t fluid_equation) {
    return fluid_equation <= 1351;
}

bool IsCustomMeter(int32_t meter_type) {
    return meter_type >= 1360 && meter_type <= 1363;
}

bool TakesPlateThicknessText(int32_t meter_type) {
    return (meter_type >= 1128 && meter_type <= 1133) || meter_type == 1360 || meter_type == 1373 ||
           meter_type == 1374;
}

double FiniteOr(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

// Gas densities at flowing and base conditions [lb/ft3] from the record's fluid data.
struct GasDensities {
    double flowing = 0;
    double base = 0;
};

GasDensities GasDensitiesOf(const TagRecord& r) {
    GasDensities d;
    if (r.Fluid_Property == Code(FluidProperty::GasDensity)) {
        d.flowing = r.Flow_RhoGZ;
        d.base = r.Base_RhoGZ;
        return d;
    }
    const double mw = r.Fluid_Property == Code(FluidProperty::GasMW)
                          ? r.Property_MwDenVp
                          : kAirMolecularWeight * r.Property_MwDenVp;
    // Ideal-gas law with compressibility: rho = P MW / (Z R T).
    if (r.Flow_RhoGZ > 0.0) d.flowing = r.Flow_Press * mw / (kGasConstant * r.Flow_RhoGZ * r.Flow_Temp);
    double zb = 0.0;
    if (r.Base_RhoGZ > 0.0 && r.Base_RhoGZ <= 1.2) {
        zb = r.Base_RhoGZ;
    } else if (r.Flow_RhoGZ > 0.0) {
        zb = 1.0;  // no plausible base compressibility entered: ideal at base
    }
    if (zb > 0.0) d.base = r.Base_Press * mw / (kGasConstant * zb * r.Base_Temp);
    return d;
}

// The sizing the dispatch table calls for; nullopt when the mode runs none.
std::optional<bool> RunSizing(TagRecord& r, CCalculate& calc, bool interactive) {
    const int32_t p = r.Calc_SizeParam;
    const bool liquid = IsLiquid(r.Fluid_Equation);
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
        const double downstream = IsLiquid(r.Fluid_Equation) ? r.Property_MwDenVp : critical_pressure;
        const double dp = (r.Flow_Press - downstream) * kInH2OPerPsiChoked;
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

double ThroatVelocity(const TagRecord& r, double d) {
    if (!(d > 0.0) || !std::isfinite(d)) return 0.0;
    double v = 0.0;
    if (r.Fluid_Equation == Code(FluidEquation::GasVolume)) {
        const GasDensities rho = GasDensitiesOf(r);
        if (r.Fluid_Condition == Code(FluidCondition::GasBase)) {
            v = rho.flowing > 0.0 ? r.Flow_Norm * rho.base / rho.flowing * kVelocityPerFt3h / (d * d) : 0.0;
        } else if (r.Fluid_Condition == Code(FluidCondition::GasFlowing)) {
            v = r.Flow_Norm * kVelocityPerFt3h / (d * d);
        }
    } else if (r.Fluid_Equation == Code(FluidEquation::GasMass)) {
        const GasDensities rho = GasDensitiesOf(r);
        v = rho.flowing > 0.0 ? r.Flow_Norm / rho.flowing * kVelocityPerFt3h / (d * d) : 0.0;
    } else {
        v = LiquidThroatVelocity(r, d, kWaterSpecificVolume60F);
    }
    return FiniteOr(v, 0.0);
}

std::vector<int> CheckFlashing(TagRecord& r, MessageSink& sink) {
    std::vector<int> shown;
    // Liquid density [lb/ft3]: a specific gravity over the specific volume of water at 60 deg F.
    double rho = 0.0;
    if (r.Fluid_Property == Code(FluidProperty::LiquidDensity)) rho = r.Flow_RhoGZ;
    if (r.Fluid_Property == Code(FluidProperty::LiquidSG)) rho = r.Flow_RhoGZ / kWaterSpecificVolume60F;
    const double w = VenaContractaCoefficient(r.Meter_Type);
    const double d_vc = std::sqrt(std::max(r.C, 0.0)) * r.Bore * w;
    // Velocities at normal flow (stored) and at maximum flow (for the maximum case).
    r.Velocity_Vc = ThroatVelocity(r, d_vc);
    r.Velocity_Pipe = ThroatVelocity(r, r.Pipe_IDia);
    TagRecord at_max = r;
    at_max.Flow_Norm = r.Flow_Max;
    const double vvc_max = ThroatVelocity(at_max, d_vc);
    const double vp_max = ThroatVelocity(at_max, r.Pipe_IDia);
    const double g2 = 2.0 * r.Factor_ManoGlocal;
    if (!(rho > 0.0) || !(g2 > 0.0)) return shown;
    // Bernoulli between the pipe and the vena contracta, heads in feet of liquid.
    const double A = r.Flow_Press * 144.0 / rho;
    const double pvc_max = rho * (vp_max * vp_max / g2 + A - vvc_max * vvc_max / g2) / 144.0;
    const double pvc_norm =
        rho * (r.Velocity_Pipe * r.Velocity_Pipe / g2 + A - r.Velocity_Vc * r.Velocity_Vc / g2) / 144.0;
    const double p2_max = r.Flow_Press - r.Dp_Max / kInH2OPerPsiRecovery * r.Dp_Loss / 100.0;
    const double p2_norm = r.Flow_Press - r.Dp_Norm / kInH2OPerPsiRecovery * r.Dp_Loss / 100.0;
    const double pv = r.Property_MwDenVp;
    CWarning warning(sink);
    auto show = [&](int n) {
        warning.Show(n);
        shown.push_back(n);
    };
    if (std::isfinite(pvc_max) && std::isfinite(p2_max)) {
        if (pvc_max < pv && pv < p2_max) {
            show(30);
        } else if (pv > p2_max) {
            show(31);
        }
    }
    if (r.Calc_Mode == Code(CalcMode::Meter) && std::isfinite(pvc_norm) && std::isfinite(p2_norm)) {
        if (pvc_norm < pv && pv < p2_norm) {
            show(32);
        } else if (pv > p2_norm) {
            show(33);
        }
    }
    return shown;
}

InputCheckResult CheckCalculateInputs(const TagRecord& r, MessageSink& sink) {
    InputCheckResult out;
    CError error(sink);
    // Only the flow-meter form has a normal-flow row; the restriction overwrites
    // Flow_Norm and the critical-drop form never shows it.
    const bool norm_above_max = r.Calc_Mode == Code(CalcMode::Meter) &&
                                r.Calc_SizeParam != Code(SizeParam::Flow) && r.Flow_Norm > r.Flow_Max;
    if (norm_above_max) error.Show(kErrorNormalAboveMax);

    const FluidRows fluid = FluidDataRows(r);
    for (int i = 0; i < kFluidRowCount; ++i) {
        const FormRow& row = fluid[static_cast<std::size_t>(i)];
        if (row.kind == RowKind::None || !row.required) continue;
        const std::optional<double> v = RowCheckValue(r, row.kind);
        if (!v || !(*v > 0.0)) out.missing.push_back({false, i + 1, row.label});
    }
    const SizingRows sizing = SizingDataRows(r);
    for (int i = 0; i < kSizingRowCount; ++i) {
        const FormRow& row = sizing[static_cast<std::size_t>(i)];
        if (row.kind == RowKind::None || !row.required) continue;
        if (i == 0 && norm_above_max) continue;
        const std::optional<double> v = RowCheckValue(r, row.kind);
        if (!v || !(*v > 0.0)) out.missing.push_back({true, i + 1, row.label});
    }

    const bool restriction_bore_too_big = r.Calc_Mode == Code(CalcMode::Restriction) &&
                                          r.Calc_SizeParam != Code(SizeParam::Bore) && r.Bore > r.Pipe_IDia;
    if (!(r.Pipe_IDia > 0.0)) {
        out.error = kErrorNoPipe;
    } else if (restriction_bore_too_big) {
        out.error = kErrorBoreAbovePipe;
    } else if (!out.missing.empty()) {
        out.error = kErrorMissingInput;
    } else if (norm_above_max) {
        out.ok = false;
        out.error = kErrorNormalAboveMax;
        return out;  // already shown
    } else if (IsCustomMeter(r.Meter_Type) && r.C == 0.0) {
        out.error = kErrorNoCoefficient;
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

    if (r.Fluid_Equation < Code(FluidEquation::GasVolume) && r.Property_KFp == 0.0) {
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
        ModeSteps(r, calc, sink, in.interactive);
    }
    if (result.sizing_ran && *sized && r.Sm > 0.0 && r.Sm < 1.0) {
        result.follow_ons = true;
        (void)StoreMeterUncertainty(r);
        const bool liquid = r.Fluid_Equation == Code(FluidEquation::LiquidVolume) ||
                            r.Fluid_Equation == Code(FluidEquation::LiquidMass);
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
