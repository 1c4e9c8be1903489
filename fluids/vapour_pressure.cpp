// Vapour pressure of one component from the equation its record names.

#include <cmath>

#include "fluids/gas_correlations.h"
#include "fluids/liquid_correlations.h"
#include "fluids/secant.h"

namespace quorven {
namespace {

// Wagner, W., Cryogenics 13 (1973) 470, in the "3-6" form used by McGarry (1983):
// ln(P/Pc) = (A tau + B tau^1.5 + C tau^3 + D tau^6) / (1 - tau), tau = 1 - T/Tc.
double Wagner(double Tc, double A, double B, double C, double D, double T, double Pc) {
    const double tau = 1.0 - T / Tc;
    return Pc * std::exp((A * tau + B * std::pow(tau, 1.5) + C * std::pow(tau, 3) + D * std::pow(tau, 6)) /
                         (1.0 - tau));
}

// Antoine: P = exp(A - B / (T + C)), bar and K.
double Antoine(double A, double B, double C, double T) {
    return std::exp(A - B / (T + C));
}

// Frost and Kalkwarf (1953), Thodos: ln P = A - B/T + C ln T + D P / T^2, solved for
// P by secant (residual tolerance 1e-4) in (0.01, 1) bar, both ends multiplied by 10
// while no root is found, up to 1e6 bar.
PropValue FrostKalkwarfThodos(double A, double B, double C, double D, double T) {
    auto residual = [&](double P) { return std::log(P) - (A - B / T + C * std::log(T) + D * P / (T * T)); };
    for (double lo = 0.01, hi = 1.0; hi <= 1e6; lo *= 10.0, hi *= 10.0) {
        const SecantResult r = SolveSecant(residual, 1e-4, lo, hi);
        if (r.status == SolveStatus::Converged) return {r.value, PropStatus::Ok};
    }
    return {0.0, PropStatus::NoConvergence};
}

}  // namespace

PropValue VaporPressure(int32_t eqn, double Tc, double A, double B, double C, double D, double T, double Pc) {
    if (eqn == 0 || T == 0.0 || Pc == 0.0 || Tc == 0.0) return {};
    if (A == 0.0 && B == 0.0 && C == 0.0 && D == 0.0) return {};
    if (!(Tc > T && T > 0.0 && Pc > 0.0)) return {};
    PropValue p;
    switch (static_cast<VpEquation>(eqn)) {
        case VpEquation::Wagner:
            p = {Wagner(Tc, A, B, C, D, T, Pc), PropStatus::Ok};
            break;
        case VpEquation::FrostKalkwarfThodos:
            p = FrostKalkwarfThodos(A, B, C, D, T);
            break;
        case VpEquation::Antoine:
            if (T + C == 0.0) return {};
            p = {Antoine(A, B, C, T), PropStatus::Ok};
            break;
        default:
            return {};  // an equation code the program does not know: no vapour pressure
    }
    if (p.ok() && !(std::isfinite(p.value) && p.value >= 0.0)) return {};
    return p;
}

PhaseVapourPressure ComponentPhaseVapourPressure(const PropertyRecord& r, double T) {
    PhaseVapourPressure out;
    if (!(std::isfinite(T) && T > 0.0 && r.Crit_Temp > T && r.Crit_Press > 0.0)) return out;
    if (r.Vp_Eqn != static_cast<int32_t>(VpEquation::None)) {
        out.bar = VaporPressure(r.Vp_Eqn, r.Crit_Temp, r.Vp_A, r.Vp_B, r.Vp_C, r.Vp_D, T, r.Crit_Press);
        if (out.bar.ok()) return out;
        out.equation_failed = true;
    }
    const double p = r.Crit_Press * ThomsonReducedVaporPressure(T / r.Crit_Temp, r.Acentric);
    out.bar = std::isfinite(p) && p >= 0.0 ? PropValue{p, PropStatus::Ok} : PropValue{};
    return out;
}

}  // namespace quorven
