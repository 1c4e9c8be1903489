#include "engine/velocity.h"

#include <algorithm>
#include <cmath>

#include "engine/noise.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/gas_law.h"

namespace quorven {
namespace {

// ft3/s per unit flow over (pi/4) for a diameter in inches: 144 / 3600 / (pi/4)
// (cubic feet per hour or pounds per hour through d^2 square inches).
constexpr double kVelocityPerFt3h = 0.050929582;

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
    const double mw = r.Fluid_Property == Code(FluidProperty::GasMW) ? r.Property_MwDenVp
                                                                     : kAirMolarMass * r.Property_MwDenVp;
    d.flowing = GasDensity(r.Flow_Press, mw, r.Flow_RhoGZ, r.Flow_Temp);
    double zb = 0.0;
    if (r.Base_RhoGZ > 0.0 && r.Base_RhoGZ <= 1.2) {
        zb = r.Base_RhoGZ;
    } else if (r.Flow_RhoGZ > 0.0) {
        zb = 1.0;  // no plausible base compressibility entered: ideal at base
    }
    d.base = GasDensity(r.Base_Press, mw, zb, r.Base_Temp);
    return d;
}

}  // namespace

double ThroatVelocity(const TagRecord& r, double d) {
    if (!(d > 0.0) || !std::isfinite(d)) return 0.0;
    double v = 0.0;
    if (r.Fluid_Equation == Code(FluidEquation::GasVolume)) {
        const GasDensities rho = GasDensitiesOf(r);
        if (r.Fluid_Condition == Code(FluidCondition::GasBase)) {
            v = ConvertedVolume(r.Flow_Norm, rho.base, rho.flowing) * kVelocityPerFt3h / (d * d);
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
            show(msg::kWarnCavitatingAtMaximum);
        } else if (pv > p2_max) {
            show(msg::kWarnFlashingAtMaximum);
        }
    }
    if (r.Calc_Mode == Code(CalcMode::Meter) && std::isfinite(pvc_norm) && std::isfinite(p2_norm)) {
        if (pvc_norm < pv && pv < p2_norm) {
            show(msg::kWarnCavitatingAtNormal);
        } else if (pv > p2_norm) {
            show(msg::kWarnFlashingAtNormal);
        }
    }
    return shown;
}

}  // namespace quorven
