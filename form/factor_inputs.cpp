#include "form/factor_inputs.h"

#include <cmath>

#include "engine/factors.h"
#include "record/constants.h"
#include "record/units.h"

namespace quorven {
namespace {

bool InRange(double v, double lo, double hi) {
    return std::isfinite(v) && v >= lo && v <= hi;
}

}  // namespace

ManometerInputs ManometerInputsOf(const TagRecord& r) {
    ManometerInputs in;
    in.include = r.Factor_Manometer == 1;
    in.seal_temp = ToUser(r, Quantity::Temperature, r.Factor_ManoSealTemp);
    in.seal_density = ToUser(r, Quantity::Density, r.Factor_ManoSealRho);
    in.gravity = ToUser(r, Quantity::Gravity, r.Factor_ManoGlocal);
    in.gravity_unit = r.Unit_GLocal_Set;
    return in;
}

bool ApplyManometerInputs(TagRecord& r, const UnitTables& t, const ManometerInputs& in) {
    if (!in.include) {
        r.Factor_Manometer = 0;
        r.Calc_Status = 0;
        return true;
    }
    TagRecord out = r;
    if (!SelectUnit(out, t, Quantity::Gravity, in.gravity_unit)) return false;
    double g = 0;
    double rho = 0;
    double temp = 0;
    if (!FromUser(out, Quantity::Gravity, in.gravity, g) || !(g > 0)) return false;
    if (!FromUser(out, Quantity::Density, in.seal_density, rho) || !(rho >= 0)) return false;
    // A seal fluid temperature must lie above absolute zero.
    if (!FromUser(out, Quantity::Temperature, in.seal_temp, temp) || !(temp > 0)) return false;
    out.Factor_ManoGlocal = g;
    out.Factor_ManoSealRho = rho;
    out.Factor_ManoSealTemp = temp;
    out.Factor_Manometer = 1;
    // The seal fluid must be lighter than mercury, or Fm has no real value.
    const double fm = ManometerFactor(out);
    if (!std::isfinite(fm) || !(fm > 0)) return false;
    out.Calc_Status = 0;
    r = out;
    return true;
}

DrainInputs DrainInputsOf(const TagRecord& r) {
    DrainInputs in;
    const int32_t mode = r.Factor_DrainType;
    in.mode = (mode == kDrainFromList || mode == kDrainManual) ? mode : kDrainNone;
    const int32_t count = static_cast<int32_t>(DrainHoleList().size());
    in.position =
        (r.Factor_Drain_HoleSel >= 0 && r.Factor_Drain_HoleSel < count) ? r.Factor_Drain_HoleSel : 0;
    in.manual_dia = ToUser(r, Quantity::Bore, r.Factor_DrainDia);
    return in;
}

bool ApplyDrainInputs(TagRecord& r, const DrainInputs& in) {
    TagRecord out = r;
    out.Factor_DrainType = in.mode;
    out.Factor_Drain = 0;
    out.Factor_DrainDia = 0;
    if (in.mode == kDrainFromList) {
        const int32_t count = static_cast<int32_t>(DrainHoleList().size());
        if (in.position < 0 || in.position >= count) return false;
        out.Factor_Drain_HoleSel = in.position;
        if (in.position != 0) {
            out.Factor_Drain = 1;
            out.Factor_DrainDia = DrainHoleDiameter(in.position);
        }
    } else if (in.mode == kDrainManual) {
        double dia = 0;
        if (!InRange(in.manual_dia, 0.0, kMaxManualDrainDia)) return false;
        if (!FromUser(out, Quantity::Bore, in.manual_dia, dia)) return false;
        out.Factor_Drain = 1;
        out.Factor_DrainDia = dia;
    } else if (in.mode != kDrainNone) {
        return false;
    }
    out.Calc_Status = 0;
    r = out;
    return true;
}

WaterVapourInputs WaterVapourInputsOf(const TagRecord& r) {
    WaterVapourInputs in;
    in.include = r.Factor_H2OvapIncl == 1;
    const int32_t mode = r.Factor_H2OvapSetup;
    in.mode = (mode == kVapourAtUserTemp || mode == kVapourAtHumidity) ? mode : kVapourAtFlowTemp;
    if (in.mode == kVapourAtUserTemp) {
        const double T = r.Factor_PwvEdit > kRankineOffset ? r.Factor_PwvEdit : r.Flow_Temp;
        in.value = ToUser(r, Quantity::Temperature, T);
    } else if (in.mode == kVapourAtHumidity) {
        in.value = r.Factor_PwvEdit;
    } else {
        in.value = 100.0;
    }
    return in;
}

bool ApplyWaterVapourInputs(TagRecord& r, const WaterVapourInputs& in) {
    TagRecord out = r;
    out.Factor_H2OvapIncl = in.include ? 1 : 0;
    out.Factor_H2OvapSetup = in.mode;
    if (in.mode == kVapourAtFlowTemp) {
        out.Factor_PwvEdit = 100.0;
    } else if (in.mode == kVapourAtUserTemp) {
        double T = 0;
        if (!FromUser(out, Quantity::Temperature, in.value, T) || !(T > 0)) return false;
        out.Factor_PwvEdit = T;
    } else if (in.mode == kVapourAtHumidity) {
        if (!InRange(in.value, 0.0, 100.0)) return false;
        out.Factor_PwvEdit = in.value;
    } else {
        return false;
    }
    out.Calc_Status = 0;
    r = out;
    return true;
}

QualityInputs QualityInputsOf(const TagRecord& r, bool saturated_liquid) {
    QualityInputs in;
    in.include = (saturated_liquid ? r.Factor_SatLiq : r.Factor_VapQual) == 1;
    in.quality = r.Factor_QualX;
    in.density = ToUser(r, Quantity::Density, r.Factor_QualRho);
    return in;
}

bool ApplyQualityInputs(TagRecord& r, bool saturated_liquid, const QualityInputs& in) {
    TagRecord out = r;
    int32_t& flag = saturated_liquid ? out.Factor_SatLiq : out.Factor_VapQual;
    flag = in.include ? 1 : 0;
    if (in.include) {
        const double x = in.quality.value_or(0.0);
        if (!InRange(x, 0.0, 100.0)) return false;
        double rho = 0;
        if (in.density.has_value() && !FromUser(out, Quantity::Density, *in.density, rho)) return false;
        if (!(rho >= 0)) return false;
        // Wet gas always divides by the liquid density, a saturated liquid with a
        // vapour quality by the vapour density.
        if ((!saturated_liquid || x > 0) && !(rho > 0)) return false;
        out.Factor_QualX = x;
        out.Factor_QualRho = rho;
    }
    out.Calc_Status = 0;
    r = out;
    return true;
}

}  // namespace quorven
