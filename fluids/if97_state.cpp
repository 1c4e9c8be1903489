// IAPWS-IF97 states from pressure and temperature: the choice of region (R7-97(2012),
// section 2 and Fig. 1), the density of region 3 by iterating its basic equation, the
// isentropic exponent and the IAPWS 2008 viscosity.

#include <algorithm>
#include <cmath>

#include "fluids/if97.h"

namespace quorven::if97 {
namespace {

// IAPWS R12-08 Table 1: coefficients H_i of the viscosity in the dilute-gas limit, eq. (11).
constexpr double kH0[4] = {1.67752, 2.20462, 0.6366564, -0.241605};
// IAPWS R12-08 Table 2: coefficients H_ij of the residual contribution, eq. (12); row i
// (powers of 1/Tbar - 1), column j (powers of rhobar - 1).
constexpr double kH1[6][7] = {
    {5.20094e-1, 2.22531e-1, -2.81378e-1, 1.61913e-1, -3.25372e-2, 0.0, 0.0},
    {8.50895e-2, 9.99115e-1, -9.06851e-1, 2.57399e-1, 0.0, 0.0, 0.0},
    {-1.08374, 1.88797, -7.72479e-1, 0.0, 0.0, 0.0, 0.0},
    {-2.89555e-1, 1.26613, -4.89837e-1, 0.0, 6.98452e-2, 0.0, -4.35673e-3},
    {0.0, 0.0, -2.57040e-1, 0.0, 0.0, 8.72102e-3, 0.0},
    {0.0, 1.20573e-1, 0.0, 0.0, 0.0, 0.0, -5.93264e-4},
};
// R12-08 reference constants: T* = 647.096 K, rho* = 322 kg/m3, mu* = 1e-6 Pa s.
constexpr double kMuStar_Pa_s = 1e-6;

// Region 3 density search. Region 3 spans about 110 to 760 kg/m3 (the vapour side of the
// saturation line at 623.15 K to 100 MPa on the liquid side). Eq. (28) keeps a rising
// pressure up to about 850 kg/m3 and turns over above it, so the liquid-side search starts
// at 800 kg/m3, where the pressure exceeds 100 MPa over the whole region; 50 kg/m3 lies
// below the lowest vapour density of the region.
constexpr double kRho3Low_kg_m3 = 50.0;
constexpr double kRho3High_kg_m3 = 800.0;
constexpr int kRho3MaxRounds = 100;

// A density between lo and hi (p(lo) < p < p(hi), p rising on [lo, hi]) by Newton steps that
// fall back to bisection whenever a step would leave the bracket.
std::optional<double> SolveBracketed(double p_MPa, double T_K, double lo, double hi, double rho) {
    for (int round = 0; round < kRho3MaxRounds; ++round) {
        const PressureSlope ps = Region3Pressure(rho, T_K);
        const double r = ps.p_MPa - p_MPa;
        if (!std::isfinite(r)) return std::nullopt;
        if (r < 0)
            lo = rho;
        else
            hi = rho;
        double next = rho - r / ps.dp_drho;
        if (!(ps.dp_drho > 0) || !(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::abs(next - rho) <= 1e-13 * rho || hi - lo <= 1e-13 * hi) return next;
        rho = next;
    }
    return std::nullopt;
}

// Newton steps from one end of a saturation side towards the saturation line: from the
// dense end the liquid branch of eq. (28) is convex, from the dilute end the vapour branch is
// concave, so the steps approach the root from one side without crossing it. Nothing when a
// step crosses the root or meets a falling pressure (the caller then searches step by step).
std::optional<double> OneSidedNewton(double p_MPa, double T_K, double rho, bool from_above) {
    for (int round = 0; round < kRho3MaxRounds; ++round) {
        const PressureSlope ps = Region3Pressure(rho, T_K);
        const double r = ps.p_MPa - p_MPa;
        if (!(ps.dp_drho > 0) || (from_above ? r < 0 : r > 0)) return std::nullopt;
        const double next = rho - r / ps.dp_drho;
        if (std::abs(next - rho) <= 1e-13 * rho) return next;
        rho = next;
    }
    return std::nullopt;
}

// The saturation side searched step by step from its outer end: the first step whose
// pressure passes p brackets the density. When the pressure stops rising first, the branch
// ends (the spinodal) within that step: the end is found by bisection on the slope, and the
// branch has a density at p only when the pressure there passes p.
std::optional<double> SideByWalk(double p_MPa, double T_K, bool liquid) {
    constexpr int kSteps = 40;
    const double step = (kRho3High_kg_m3 - kRho3Low_kg_m3) / kSteps;
    const auto passes = [&](double p) { return liquid ? p <= p_MPa : p >= p_MPa; };
    const auto solve = [&](double inner, double outer) {
        return liquid ? SolveBracketed(p_MPa, T_K, inner, outer, outer)
                      : SolveBracketed(p_MPa, T_K, outer, inner, outer);
    };
    double prev = liquid ? kRho3High_kg_m3 : kRho3Low_kg_m3;
    for (int i = 1; i <= kSteps; ++i) {
        const double rho = liquid ? kRho3High_kg_m3 - i * step : kRho3Low_kg_m3 + i * step;
        const PressureSlope s = Region3Pressure(rho, T_K);
        if (!(s.dp_drho > 0)) {
            double rising = prev, falling = rho;
            for (int k = 0; k < 60 && std::abs(falling - rising) > 1e-12 * rho; ++k) {
                const double mid = 0.5 * (rising + falling);
                (Region3Pressure(mid, T_K).dp_drho > 0 ? rising : falling) = mid;
            }
            if (!passes(Region3Pressure(rising, T_K).p_MPa)) return std::nullopt;
            return solve(rising, prev);
        }
        if (passes(s.p_MPa)) return solve(rho, prev);
        prev = rho;
    }
    return std::nullopt;
}

}  // namespace

double Viscosity(double T_K, double rho_kg_m3) {
    const double Tb = T_K / kTc_K, rb = rho_kg_m3 / kRhoc_kg_m3;
    const double mu0 =
        100.0 * std::sqrt(Tb) / (kH0[0] + kH0[1] / Tb + kH0[2] / (Tb * Tb) + kH0[3] / (Tb * Tb * Tb));
    const double x = 1.0 / Tb - 1.0, y = rb - 1.0;
    double sum = 0.0, xi = 1.0;
    for (const auto& row : kH1) {
        double inner = 0.0, yj = 1.0;
        for (double h : row) {
            inner += h * yj;
            yj *= y;
        }
        sum += xi * inner;
        xi *= x;
    }
    const double mu1 = std::exp(rb * sum);
    return kMuStar_Pa_s * mu0 * mu1;
}

namespace {

std::optional<double> Region3DensityOnSide(double p_MPa, double T_K, std::optional<bool> liquid_side) {
    if (!(p_MPa > 0 && std::isfinite(p_MPa) && T_K > 0 && std::isfinite(T_K))) return std::nullopt;
    if (!(Region3Pressure(kRho3Low_kg_m3, T_K).p_MPa < p_MPa &&
          Region3Pressure(kRho3High_kg_m3, T_K).p_MPa > p_MPa))
        return std::nullopt;
    const std::optional<double> ps = SatPressure(T_K);
    if (!ps) {
        // Above the critical temperature the pressure rises with density all the way: one
        // bracket, starting from the ideal-gas density.
        const double ideal = p_MPa * 1e3 / (kR * T_K);
        return SolveBracketed(p_MPa, T_K, kRho3Low_kg_m3, kRho3High_kg_m3,
                              std::clamp(ideal, kRho3Low_kg_m3, kRho3High_kg_m3));
    }
    const bool liquid = liquid_side.value_or(p_MPa >= *ps);
    if (const auto rho = OneSidedNewton(p_MPa, T_K, liquid ? kRho3High_kg_m3 : kRho3Low_kg_m3, liquid))
        return rho;
    if (const auto rho = SideByWalk(p_MPa, T_K, liquid)) return rho;
    // Within about 1 kPa and 0.1 K of the critical point the saturation equation and the
    // loop of eq. (28) disagree slightly, and a state just on one side of ps(T) may have no
    // density on that branch of eq. (28); the other branch then gives the density.
    return SideByWalk(p_MPa, T_K, !liquid);
}

// Properties, exponent and viscosity of a state whose Props are known; nothing when one of
// them is not finite.
std::optional<State> Complete(int region, const Props& o) {
    State st;
    st.region = region;
    st.props = o;
    // kappa = -(v/p)(dp/dv)_s = rho w^2 / p.
    st.kappa = o.rho_kg_m3 * o.w_m_s * o.w_m_s / (o.p_MPa * 1e6);
    st.mu_Pa_s = Viscosity(o.T_K, o.rho_kg_m3);
    for (double x : {o.v_m3_kg, o.h_kJ_kg, o.s_kJ_kgK, o.cp_kJ_kgK, o.w_m_s, st.kappa, st.mu_Pa_s})
        if (!std::isfinite(x)) return std::nullopt;
    return st;
}

std::optional<State> Region3State(double p_MPa, double T_K, std::optional<bool> liquid_side) {
    const std::optional<double> rho = Region3DensityOnSide(p_MPa, T_K, liquid_side);
    if (!rho) return std::nullopt;
    Props o = Region3(*rho, T_K);
    o.p_MPa = p_MPa;  // the pressure asked for, not its echo from eq. (28)
    return Complete(3, o);
}

}  // namespace

std::optional<double> Region3Density(double p_MPa, double T_K) {
    return Region3DensityOnSide(p_MPa, T_K, std::nullopt);
}

int RegionPT(double p_MPa, double T_K) {
    if (!(p_MPa > 0 && std::isfinite(p_MPa) && T_K >= kTmin_K && T_K <= kTmax_K)) return 0;
    if (T_K > kT25_K) return p_MPa <= kPmax5_MPa ? 5 : 0;
    if (p_MPa > kPmax_MPa) return 0;
    if (T_K <= kT13_K) {
        const std::optional<double> ps = SatPressure(T_K);
        return ps && p_MPa >= *ps ? 1 : 2;
    }
    if (T_K <= kTB23max_K && p_MPa > B23Pressure(T_K)) return 3;
    return 2;
}

std::optional<State> StatePT(double p_MPa, double T_K) {
    switch (RegionPT(p_MPa, T_K)) {
        case 1:
            return Complete(1, Region1(p_MPa, T_K));
        case 2:
            return Complete(2, Region2(p_MPa, T_K));
        case 3:
            return Region3State(p_MPa, T_K, std::nullopt);
        case 5:
            return Complete(5, Region5(p_MPa, T_K));
        default:
            return std::nullopt;
    }
}

std::optional<State> SaturatedState(double T_K, Side side) {
    const std::optional<double> ps = SatPressure(T_K);
    if (!ps) return std::nullopt;
    if (T_K <= kT13_K)
        return side == Side::Liquid ? Complete(1, Region1(*ps, T_K)) : Complete(2, Region2(*ps, T_K));
    return Region3State(*ps, T_K, side == Side::Liquid);
}

}  // namespace quorven::if97
