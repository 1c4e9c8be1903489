// The routines of the steam table, IFC-67 in US customary units. The
// formulation itself (dimensionless, with its coefficient tables) is in
// ifc67_regions.cpp; this file puts the program's units, ranges and iterations around it.

#include "fluids/steam_ifc67.h"

#include <algorithm>
#include <cmath>

#include "fluids/ifc67_regions.h"
#include "record/constants.h"

namespace quorven {
namespace {

// IFC-67 reducing constants in the program's units:
// p_c = 22.12 MPa, v_c = 0.00317 m3/kg, T_c = 647.3 K.
constexpr double kPc_psia = 3208.234758592228;
constexpr double kVc_ft3_lb = 0.05077852889545364;
constexpr double kTc_R = 1165.14;
constexpr double kTc_F = 705.47;
constexpr double kPcVc_btu_lb = 30.14634565778159;       // p_c v_c
constexpr double kPcVcTc_btu_lbR = 0.02587358228005355;  // p_c v_c / T_c
// ft3 psi to Btu: 144 in2/ft2 / 778.169... ft lbf/Btu.
constexpr double kFt3PsiToBtu = 0.1850497147377472;

// Range limits of the routines.
constexpr double kSatTMin_F = 32.0;
// 0.088589 psia: IFC-67 saturation pressure at 32 deg F; a bound printed as 0.0088589 is a misprint,
// a misprint (see the header).
constexpr double kSatPMin_psia = 0.088589;
constexpr double kPMax_psia = 16000.0;
constexpr double kTMin_F = -200.0;
constexpr double kTMax_F = 1600.0;
constexpr double kT23Min_F = 25.0;
constexpr double kT1Max_F = 662.0;        // 623.15 K, theta_1
constexpr double kVapourSideT_F = 462.0;  // 662 - 200: below it no region 3 on the vapour side
constexpr double kV3Min_ft3_lb = 0.0207;
constexpr double kV3Max_ft3_lb = 0.143;
constexpr double kT3Min_F = 636.0;  // exclusive
constexpr double kT3Max_F = 1124.45;
constexpr double kP3Min_psia = 2002.78;
constexpr double kHMin = 500.0, kHMax = 1860.0, kSphHMin = -1.0;
constexpr double kSMin = 0.804, kSMax = 3.0;
// Entropy at the critical point [Btu/(lb R)]: below it, a state above the critical
// pressure is liquid-like and TPS lets its points go down to 662 deg F.
constexpr double kSCrit = 1.061160140728766;

double Theta(double T_F) {
    return (T_F + kRankineOffset) / kTc_R;
}
double Beta(double P_psia) {
    return P_psia / kPc_psia;
}
bool Finite(double a) {
    return std::isfinite(a);
}
bool Finite(double a, double b, double c) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

double Keep(const std::optional<double>& r, double& memory) {
    if (r) memory = *r;
    return memory;
}

}  // namespace

void CSteamTable::Report(std::string_view label, double in1, double in2) const {
    if (reporter) reporter(label, in1, in2);
}

// --- Saturation line ---

std::optional<double> CSteamTable::TrySatPressure(double T_F, double* dpdt) {
    if (!(T_F >= kSatTMin_F && T_F <= kTc_F)) {
        Report("SatPressure (TIN)", T_F);
        return std::nullopt;
    }
    if (!dpdt) return ifc67::BetaK(Theta(T_F)) * kPc_psia;
    double dln = 0.0;
    const double P = ifc67::BetaK(Theta(T_F), dln) * kPc_psia;
    *dpdt = P * dln / kTc_R;
    return P;
}

double CSteamTable::SatPressure(double T_F) {
    double dpdt = 0.0;
    const std::optional<double> P = TrySatPressure(T_F, &dpdt);
    if (!P) return 0.0;
    dpdt_ = dpdt;
    return psat_ = *P;
}

double CSteamTable::SatPressureAlone(double T_F) {
    const std::optional<double> P = TrySatPressure(T_F, nullptr);
    if (!P) return 0.0;
    return psat_ = *P;
}

// Secant iteration on SatPressure(T) = P from 32 and 705.47 deg F, points
// held within that range, stop at |P - SatPressure(T)| <= 0.0001 psi, 199 rounds.
std::optional<double> CSteamTable::TrySatTemperature(double P_psia) {
    if (!(P_psia >= kSatPMin_psia && P_psia <= kPc_psia)) {
        Report("SatTemperature (PIN)", P_psia);
        return std::nullopt;
    }
    double T0 = kSatTMin_F, T1 = kTc_F;
    double f0 = *TrySatPressure(T0, nullptr) - P_psia;
    if (std::fabs(f0) <= 1e-4) return T0;
    double f1 = *TrySatPressure(T1, nullptr) - P_psia;
    for (int round = 0; round < 199; ++round) {
        if (std::fabs(f1) <= 1e-4) return T1;
        if (f1 == f0) break;
        const double T2 = std::clamp(T1 - f1 * (T1 - T0) / (f1 - f0), kSatTMin_F, kTc_F);
        T0 = T1;
        f0 = f1;
        T1 = T2;
        f1 = *TrySatPressure(T1, nullptr) - P_psia;
    }
    if (std::fabs(f1) <= 1e-4) return T1;
    Report("SatTemperature no convergence (PIN)", P_psia);
    return std::nullopt;
}

double CSteamTable::SatTemperature(double P_psia) {
    return TrySatTemperature(P_psia).value_or(0.0);
}

// --- Boundary of regions 2 and 3 ---

std::optional<double> CSteamTable::TryP23T(double T_F) {
    if (!(T_F >= kT23Min_F && T_F <= kTMax_F)) {
        Report("P23T (TIN)", T_F);
        return std::nullopt;
    }
    return ifc67::BetaL(Theta(T_F)) * kPc_psia;
}

double CSteamTable::P23T(double T_F) {
    return Keep(TryP23T(T_F), p23_);
}

// --- Region 1 and compressed water ---

std::optional<CSteamTable::State> CSteamTable::TryRegion1(std::string_view label, double P_psia, double T_F) {
    if (!(P_psia >= 0.0 && P_psia <= kPMax_psia && T_F >= kTMin_F && T_F <= kT1Max_F)) {
        Report(label, P_psia, T_F);
        return std::nullopt;
    }
    const ifc67::GibbsState g = ifc67::Region1(Beta(P_psia), Theta(T_F));
    State st{g.chi * kVc_ft3_lb, g.epsilon * kPcVc_btu_lb, g.sigma * kPcVcTc_btu_lbR, 1};
    if (!Finite(st.v_ft3_lb, st.h_btu_lb, st.s_btu_lbR) || !(st.v_ft3_lb > 0.0)) {
        Report(label, P_psia, T_F);
        return std::nullopt;
    }
    return st;
}

std::optional<CSteamTable::State> CSteamTable::TryWaterState(std::string_view label, double P_psia,
                                                             double T_F) {
    if (!(T_F > kT1Max_F)) return TryRegion1(label, P_psia, T_F);
    const std::optional<double> v = TryVPT3(P_psia, T_F, Start::Liquid);
    if (!v) return std::nullopt;
    const std::optional<State3> r3 = TryRegion3(label, *v, T_F);
    if (!r3) return std::nullopt;
    return State{*v, r3->h_btu_lb, r3->s_btu_lbR, r3->region};
}

std::optional<CSteamTable::State> CSteamTable::WaterState(double P_psia, double T_F) {
    return TryWaterState("WaterState (PIN,TIN)", P_psia, T_F);
}

double CSteamTable::VPT1(double P_psia, double T_F) {
    if (T_F > kT1Max_F) return VPT3(P_psia, T_F, Start::Liquid);
    const std::optional<State> st = TryRegion1("VPT1 (PIN,TIN)", P_psia, T_F);
    return Keep(st ? std::optional<double>(st->v_ft3_lb) : std::nullopt, v_);
}

double CSteamTable::HPT1(double P_psia, double T_F) {
    const std::optional<State> st = TryWaterState("HPT1 (PIN,TIN)", P_psia, T_F);
    return Keep(st ? std::optional<double>(st->h_btu_lb) : std::nullopt, h_);
}

double CSteamTable::SPT1(double P_psia, double T_F) {
    const std::optional<State> st = TryWaterState("SPT1 (PIN,TIN)", P_psia, T_F);
    return Keep(st ? std::optional<double>(st->s_btu_lbR) : std::nullopt, s_);
}

// --- Region 2 ---

std::optional<CSteamTable::State> CSteamTable::TryRegion2(std::string_view label, double P_psia, double T_F) {
    if (!(P_psia >= 0.0 && P_psia <= kPMax_psia && T_F >= kTMin_F && T_F <= kTMax_F)) {
        Report(label, P_psia, T_F);
        return std::nullopt;
    }
    const ifc67::GibbsState g = ifc67::Region2(Beta(P_psia), Theta(T_F));
    return State{g.chi * kVc_ft3_lb, g.epsilon * kPcVc_btu_lb, g.sigma * kPcVcTc_btu_lbR, 2};
}

// At P = 0 the volume and entropy are infinite (the enthalpy, an ideal-gas value,
// is not): each routine keeps only a finite result.
double CSteamTable::VPT2(double P_psia, double T_F) {
    const std::optional<State> st = TryRegion2("VPT2 (PIN,TIN)", P_psia, T_F);
    if (st && Finite(st->v_ft3_lb) && st->v_ft3_lb > 0.0) v_ = st->v_ft3_lb;
    return v_;
}

double CSteamTable::HPT2(double P_psia, double T_F) {
    const std::optional<State> st = TryRegion2("HPT2 (PIN,TIN)", P_psia, T_F);
    if (st && Finite(st->h_btu_lb)) h_ = st->h_btu_lb;
    return h_;
}

double CSteamTable::SPT2(double P_psia, double T_F) {
    const std::optional<State> st = TryRegion2("SPT2 (PIN,TIN)", P_psia, T_F);
    if (st && Finite(st->s_btu_lbR)) s_ = st->s_btu_lbR;
    return s_;
}

// --- Region 3 ---

std::optional<CSteamTable::State3> CSteamTable::TryRegion3(std::string_view label, double v_ft3_lb,
                                                           double T_F) {
    if (!(v_ft3_lb >= kV3Min_ft3_lb && v_ft3_lb <= kV3Max_ft3_lb && T_F > kT3Min_F && T_F <= kT3Max_F)) {
        Report(label, v_ft3_lb, T_F);
        return std::nullopt;
    }
    const double chi = v_ft3_lb / kVc_ft3_lb;
    const double theta = Theta(T_F);
    const ifc67::HelmholtzState s = ifc67::Region3(chi, theta);
    State3 r{s.beta * kPc_psia, s.epsilon * kPcVc_btu_lb, s.sigma * kPcVcTc_btu_lbR,
             theta < 1.0 && chi < 1.0 ? 4 : 3};
    if (!Finite(r.P_psia, r.h_btu_lb, r.s_btu_lbR)) {
        Report(label, v_ft3_lb, T_F);
        return std::nullopt;
    }
    return r;
}

double CSteamTable::COMT3(double v_ft3_lb, double T_F) {
    const std::optional<State3> r = TryRegion3("COMT3 (VIN,TIN)", v_ft3_lb, T_F);
    return Keep(r ? std::optional<double>(r->P_psia) : std::nullopt, p3_);
}

double CSteamTable::HVT3(double v_ft3_lb, double T_F) {
    const std::optional<State3> r = TryRegion3("HVT3 (VIN,TIN)", v_ft3_lb, T_F);
    return Keep(r ? std::optional<double>(r->h_btu_lb) : std::nullopt, h_);
}

double CSteamTable::SVT3(double v_ft3_lb, double T_F) {
    const std::optional<State3> r = TryRegion3("SVT3 (VIN,TIN)", v_ft3_lb, T_F);
    return Keep(r ? std::optional<double>(r->s_btu_lbR) : std::nullopt, s_);
}

double CSteamTable::StartVolume3(double P_psia, double T_F, Start start) const {
    if (start == Start::Liquid) return (92.8 / P_psia + 0.077) * (T_F - 482.0) / (T_F + 58.0);
    return 0.3 * (T_F + kRankineOffset) / P_psia;
}

// Region 3 volume: a damped step v += v g r / P (the ideal-gas slope
// dP/dv = -P/v scaled by the step factor g), g adapted as the residual behaves.
std::optional<double> CSteamTable::TryVPT3(double P_psia, double T_F, Start start) {
    if (!(P_psia >= kP3Min_psia && P_psia <= kPMax_psia && T_F > kT3Min_F && T_F <= kT3Max_F)) {
        Report("VPT3 (PIN,TIN)", P_psia, T_F);
        return std::nullopt;
    }
    if (P_psia == kPc_psia && T_F == kTc_F) return kVc_ft3_lb;
    double v = StartVolume3(P_psia, T_F, start);
    double g = 0.25;
    double r_prev = 0.0;
    double r = 0.0;
    for (int round = 1; round <= 100; ++round) {
        if (!(v >= kV3Min_ft3_lb)) {  // also catches a NaN volume
            v = kV3Min_ft3_lb;
            g = 1.0;
        } else if (v > kV3Max_ft3_lb) {
            v = kV3Max_ft3_lb;
            g = 1.0;
        }
        const std::optional<State3> s = TryRegion3("VPT3 COMT3 (VIN,TIN)", v, T_F);
        if (!s) return std::nullopt;
        r = s->P_psia - P_psia;
        if (std::fabs(r) < 1e-8) return v;
        if (round >= 2) {
            if ((r < 0.0) != (r_prev < 0.0))
                g *= 0.67;
            else if (std::fabs(r) > 0.3 * std::fabs(r_prev))
                g *= 1.5;
        }
        v += v * g * r / P_psia;
        r_prev = r;
    }
    // The 1e-8 psi of the steam table is near the rounding of COMT3 itself; a volume whose
    // residual is within 1e-12 of P is as good as double arithmetic allows.
    if (std::fabs(r) <= 1e-12 * P_psia && v >= kV3Min_ft3_lb && v <= kV3Max_ft3_lb) return v;
    // Departure from the plain damped step: where the damped step does not settle (steep liquid
    // isotherms near 16000 psia, or a vapour start in a liquid state, as TPS asks for
    // above the critical pressure) the root is bracketed and bisected instead of
    // returning an unconverged volume: the root of the start's side, the smallest
    // volume for the liquid start and the largest for the vapour start.
    const std::optional<double> vb = BracketVPT3(P_psia, T_F, start);
    if (vb) return vb;
    Report("VPT3 no convergence (PIN,TIN)", P_psia, T_F);
    return std::nullopt;
}

std::optional<double> CSteamTable::BracketVPT3(double P_psia, double T_F, Start start) {
    constexpr int kSteps = 96;
    const double ratio = std::pow(kV3Max_ft3_lb / kV3Min_ft3_lb, 1.0 / kSteps);
    const auto r_of = [&](double v) -> std::optional<double> {
        const std::optional<State3> s = TryRegion3("VPT3 COMT3 (VIN,TIN)", v, T_F);
        if (!s) return std::nullopt;
        return s->P_psia - P_psia;
    };
    std::optional<double> lo_v, hi_v;
    double v_prev = kV3Min_ft3_lb;
    std::optional<double> r_prev = r_of(v_prev);
    if (!r_prev) return std::nullopt;
    for (int i = 1; i <= kSteps; ++i) {
        const double v = i == kSteps ? kV3Max_ft3_lb : v_prev * ratio;
        const std::optional<double> r = r_of(v);
        if (!r) return std::nullopt;
        if (*r_prev == 0.0) return v_prev;
        if ((*r_prev > 0.0) != (*r > 0.0)) {
            lo_v = v_prev;
            hi_v = v;
            if (start == Start::Liquid) break;
        }
        v_prev = v;
        r_prev = r;
    }
    if (!lo_v) return std::nullopt;
    double a = *lo_v, b = *hi_v;
    std::optional<double> ra = r_of(a);
    for (int i = 0; i < 200 && ra && b - a > 1e-15 * b; ++i) {
        const double mid = 0.5 * (a + b);
        const std::optional<double> rm = r_of(mid);
        if (!rm) return std::nullopt;
        if (*rm == 0.0) return mid;
        if ((*rm > 0.0) == (*ra > 0.0)) {
            a = mid;
            ra = rm;
        } else {
            b = mid;
        }
    }
    if (!ra) return std::nullopt;
    return 0.5 * (a + b);
}

double CSteamTable::VPT3(double P_psia, double T_F, Start start) {
    const std::optional<double> v = TryVPT3(P_psia, T_F, start);
    if (v) return v_ = *v;
    if (!(P_psia >= kP3Min_psia && P_psia <= kPMax_psia)) {  // the starting volume
        const double v0 = StartVolume3(P_psia, T_F, start);
        if (Finite(v0)) return v0;
    }
    return v_;
}

// --- Vapour-side region choice ---

std::optional<CSteamTable::State> CSteamTable::SteamState(double P_psia, double T_F) {
    double limit = kPMax_psia;
    if (T_F >= kVapourSideT_F) {
        const std::optional<double> p23 = TryP23T(T_F);
        if (!p23) return std::nullopt;
        limit = *p23;
    }
    if (P_psia <= limit) {
        const std::optional<State> st = TryRegion2("SteamState VPT2 (PIN,TIN)", P_psia, T_F);
        if (!st || !Finite(st->v_ft3_lb, st->h_btu_lb, st->s_btu_lbR) || !(st->v_ft3_lb > 0.0))
            return std::nullopt;
        return st;
    }
    const std::optional<double> v = TryVPT3(P_psia, T_F, Start::Vapour);
    if (!v) return std::nullopt;
    const std::optional<State3> r3 = TryRegion3("SteamState HVT3 (VIN,TIN)", *v, T_F);
    if (!r3) return std::nullopt;
    return State{*v, r3->h_btu_lb, r3->s_btu_lbR, r3->region};
}

// --- Temperature from enthalpy or entropy ---
//
// T(k+1) = T(k) + m (x - x(T(k))) with x = h (for entropy the step is
// m (T + 459.67) (s - s(T(k)))), the slope m renewed from the last two points as
// m = (w m + secant) f with (w, f) = (1, 0.5), then (9, 0.1) from round 11 and
// (47.775, 0.02) from round 30; at most 100 rounds.
//
// The first estimate is left to the implementer. The program's fitted polynomials
// are not published; here the estimate comes from bisecting the vapour-side states
// between the lowest temperature of the search and 1600 deg F, then regula falsi in
// the last bracket, and m from that bracket. The points are held within that search range: from the
// saturation temperature at pressures up to the critical one (TPH and TPS serve superheated states; below
// saturation the vapour-side choice would evaluate metastable or liquid states that region 2 and region 3
// with the vapour start do not describe), from 705.47 deg F above it (662 deg F for entropies below the
// critical entropy, as the table has it), and from 25 deg F where the pressure is below the saturation line's
// range.

namespace {

struct SlopeWeights {
    double w, f;
};
SlopeWeights WeightsOfRound(int round) {
    if (round >= 30) return {47.775, 0.02};
    if (round >= 11) return {9.0, 0.1};
    return {1.0, 0.5};
}

}  // namespace

std::optional<double> CSteamTable::InvertT(double P_psia, double target, bool entropy, double T_lo,
                                           double slope_blend) {
    const auto x_of = [&](double T) -> std::optional<double> {
        const std::optional<State> st = SteamState(P_psia, T);
        if (!st) return std::nullopt;
        return entropy ? st->s_btu_lbR : st->h_btu_lb;
    };
    const double tol = entropy ? 0.00004 : 0.04;
    // The step in T for a change dx of the property, with slope m.
    const auto step = [&](double m, double T, double dx) {
        return entropy ? m * (T + kRankineOffset) * dx : m * dx;
    };
    const auto secant = [&](double Ta, double xa, double Tb, double xb) {
        return entropy ? (Tb - Ta) / ((0.5 * (Ta + Tb) + kRankineOffset) * (xb - xa)) : (Tb - Ta) / (xb - xa);
    };

    // First estimate: bisection on [T_lo, 1600] down to a bracket of about 2 deg F.
    double Ta = T_lo, Tb = kTMax_F;
    std::optional<double> xa = x_of(Ta), xb = x_of(Tb);
    if (!xa || !xb || !(*xb > *xa)) return std::nullopt;
    if (target < *xa - tol || target > *xb + tol) return std::nullopt;  // no state in the range
    for (int i = 0; i < 12 && Tb - Ta > 2.0; ++i) {
        const double Tm = 0.5 * (Ta + Tb);
        const std::optional<double> xm = x_of(Tm);
        if (!xm) return std::nullopt;
        if (*xm < target) {
            Ta = Tm;
            xa = xm;
        } else {
            Tb = Tm;
            xb = xm;
        }
    }
    double m = *xb > *xa ? secant(Ta, *xa, Tb, *xb) : 0.0;
    if (slope_blend > 0.0) m = 0.5 * (m + slope_blend);
    // Then regula falsi (Illinois) inside the bracket, so that the first point lies
    // far inside the tolerance and the result does not depend on the iteration's path
    // (the isentropic exponent differentiates these results).
    double T = Ta;
    {
        double fa = *xa - target, fb = *xb - target;
        int side = 0;
        for (int i = 0; i < 30 && fb != fa; ++i) {
            T = std::clamp((Ta * fb - Tb * fa) / (fb - fa), Ta, Tb);
            const std::optional<double> xt = x_of(T);
            if (!xt) return std::nullopt;
            const double ft = *xt - target;
            if (std::fabs(ft) < 1e-6 * tol || Tb - Ta < 1e-9) break;
            if ((ft > 0.0) == (fb > 0.0)) {
                Tb = T;
                fb = ft;
                if (side == -1) fa *= 0.5;
                side = -1;
            } else {
                Ta = T;
                fa = ft;
                if (side == 1) fb *= 0.5;
                side = 1;
            }
        }
    }

    std::optional<double> x = x_of(T);
    if (!x) return std::nullopt;
    for (int round = 1; round <= 100; ++round) {
        if (std::fabs(target - *x) < tol) return T;
        double T_new = T + step(m, T, target - *x);
        if (T_new > kTMax_F) T_new = T + 0.99 * (kTMax_F - T);
        T_new = std::max(T_new, T_lo);
        const std::optional<double> x_new = x_of(T_new);
        if (!x_new) return std::nullopt;
        if (*x_new != *x) {
            const SlopeWeights sw = WeightsOfRound(round);
            m = (sw.w * m + secant(T, *x, T_new, *x_new)) * sw.f;
        }
        T = T_new;
        x = x_new;
    }
    if (std::fabs(target - *x) < tol) return T;
    return std::nullopt;
}

double CSteamTable::LowestSearchT(double P_psia) {
    if (P_psia > kPc_psia) return kTc_F;
    if (P_psia >= kSatPMin_psia) return TrySatTemperature(P_psia).value_or(kT23Min_F);
    return kT23Min_F;
}

std::optional<double> CSteamTable::TryTPH(double P_psia, double h_btu_lb) {
    if (!(P_psia >= 0.0 && P_psia <= kPMax_psia && h_btu_lb >= kHMin && h_btu_lb <= kHMax)) {
        Report("TPH (PIN,HIN)", P_psia, h_btu_lb);
        return std::nullopt;
    }
    const std::optional<double> T = InvertT(P_psia, h_btu_lb, false, LowestSearchT(P_psia), 0.0);
    if (!T) Report("TPH no convergence (PIN,HIN)", P_psia, h_btu_lb);
    return T;
}

double CSteamTable::TPH(double P_psia, double h_btu_lb) {
    return Keep(TryTPH(P_psia, h_btu_lb), t_);
}

std::optional<double> CSteamTable::TryTPS(double P_psia, double s_btu_lbR) {
    if (!(P_psia >= 0.0 && P_psia <= kPMax_psia && s_btu_lbR >= kSMin && s_btu_lbR <= kSMax)) {
        Report("TPS (PIN,SIN)", P_psia, s_btu_lbR);
        return std::nullopt;
    }
    std::optional<double> T;
    if (P_psia > kPc_psia && s_btu_lbR < kSCrit) {
        T = InvertT(P_psia, s_btu_lbR, true, kT1Max_F, 1.0);  // liquid-like: from 662 deg F
    } else {
        T = InvertT(P_psia, s_btu_lbR, true, LowestSearchT(P_psia), 0.0);
        if (!T && P_psia > kPc_psia) T = InvertT(P_psia, s_btu_lbR, true, kT1Max_F, 0.0);
    }
    if (!T) Report("TPS no convergence (PIN,SIN)", P_psia, s_btu_lbR);
    return T;
}

double CSteamTable::TPS(double P_psia, double s_btu_lbR) {
    return Keep(TryTPS(P_psia, s_btu_lbR), t_);
}

// --- Wet states ---
//
// At pressures up to the critical pressure, below the saturated vapour
// (h <= hg or s <= sg) the state is wet and follows from the Clausius-Clapeyron
// relation h_fg = T v_fg dP/dT; otherwise it is superheated (TPH or TPS).

std::optional<CSteamTable::WetResult> CSteamTable::TryWet(double P_psia, double value, bool by_h) {
    if (P_psia <= kPc_psia && P_psia >= kSatPMin_psia) {
        const std::optional<double> Ts = TrySatTemperature(P_psia);
        if (!Ts) return std::nullopt;
        double dpdt = 0.0;
        if (!TrySatPressure(*Ts, &dpdt)) return std::nullopt;
        const std::optional<State> g = SteamState(P_psia, *Ts);
        if (!g) return std::nullopt;
        const double Ts_R = *Ts + kRankineOffset;
        if (by_h && value <= g->h_btu_lb) {
            const double dh = g->h_btu_lb - value;
            return WetResult{g->v_ft3_lb - dh / (Ts_R * dpdt * kFt3PsiToBtu), g->s_btu_lbR - dh / Ts_R};
        }
        if (!by_h && value <= g->s_btu_lbR) {
            const double ds = g->s_btu_lbR - value;
            return WetResult{g->v_ft3_lb - ds / (dpdt * kFt3PsiToBtu), value};
        }
    }
    const std::optional<double> T = by_h ? TryTPH(P_psia, value) : TryTPS(P_psia, value);
    if (!T) return std::nullopt;
    const std::optional<State> st = SteamState(P_psia, *T);
    if (!st) return std::nullopt;
    return WetResult{st->v_ft3_lb, st->s_btu_lbR};
}

std::optional<double> CSteamTable::TryVPH(double P_psia, double h_btu_lb) {
    if (!(P_psia >= 0.0 && P_psia <= kPMax_psia && h_btu_lb >= kHMin && h_btu_lb <= kHMax)) {
        Report("VPH (PIN,HIN)", P_psia, h_btu_lb);
        return std::nullopt;
    }
    const std::optional<WetResult> r = TryWet(P_psia, h_btu_lb, true);
    if (!r || !(r->v_ft3_lb > 0.0)) return std::nullopt;
    return r->v_ft3_lb;
}

std::optional<double> CSteamTable::TryVPS(double P_psia, double s_btu_lbR) {
    if (!(P_psia >= 0.0 && P_psia <= kPMax_psia && s_btu_lbR >= kSMin && s_btu_lbR <= kSMax)) {
        Report("VPS (PIN,SIN)", P_psia, s_btu_lbR);
        return std::nullopt;
    }
    const std::optional<WetResult> r = TryWet(P_psia, s_btu_lbR, false);
    if (!r || !(r->v_ft3_lb > 0.0)) return std::nullopt;
    return r->v_ft3_lb;
}

std::optional<double> CSteamTable::TrySPH(double P_psia, double h_btu_lb) {
    if (!(P_psia >= 0.0 && P_psia <= kPMax_psia && h_btu_lb >= kSphHMin && h_btu_lb <= kHMax)) {
        Report("SPH (PIN,HIN)", P_psia, h_btu_lb);
        return std::nullopt;
    }
    const std::optional<WetResult> r = TryWet(P_psia, h_btu_lb, true);
    if (!r) return std::nullopt;
    return r->s_btu_lbR;
}

double CSteamTable::VPH(double P_psia, double h_btu_lb) {
    return Keep(TryVPH(P_psia, h_btu_lb), v_);
}
double CSteamTable::VPS(double P_psia, double s_btu_lbR) {
    return Keep(TryVPS(P_psia, s_btu_lbR), v_);
}
double CSteamTable::SPH(double P_psia, double h_btu_lb) {
    return Keep(TrySPH(P_psia, h_btu_lb), s_);
}

}  // namespace quorven
