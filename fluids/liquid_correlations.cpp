// Liquid density (COSTALD with the Tait-type compressed-liquid correction) and
// liquid viscosity (saturated-liquid equations with the Lucas pressure correction).

#include "fluids/liquid_correlations.h"

#include <cmath>

#include "fluids/fluid_units.h"

namespace quorven {
namespace {

bool HasZero(std::span<const double> v) {
    for (double d : v)
        if (d == 0.0) return true;
    return false;
}

}  // namespace

double CostaldSaturatedVolume(double Vstar, double omega, double Tr) {
    if (!(Tr > 0.25 && Tr < 1.0)) return 0.0;
    const double t = 1.0 - Tr;
    const double V0 = 1.0 - 1.52816 * std::cbrt(t) + 1.43907 * std::pow(t, 2.0 / 3.0) - 0.81446 * t +
                      0.190454 * std::pow(t, 4.0 / 3.0);
    const double Vd =
        (-0.296123 + 0.386914 * Tr - 0.0427258 * Tr * Tr - 0.0480645 * Tr * Tr * Tr) / (Tr - 1.00001);
    return Vstar * V0 * (1.0 - omega * Vd);
}

double ThomsonReducedVaporPressure(double Tr, double omega) {
    const double log_tr = std::log10(Tr);
    const double a = 35.0 - 36.0 / Tr - 96.736 * log_tr + std::pow(Tr, 6);
    const double b = log_tr + 0.03721754 * a;
    return std::pow(10.0, 5.8031817 * log_tr + 0.07608141 * a + omega * 4.86601 * b);
}

double ThomsonCompressedVolume(double Vs, double P, double Pvp, double Pc, double omega, double Tr) {
    const double t = 1.0 - Tr;
    const double e = std::exp(4.79594 + 0.250047 * omega + 1.14188 * omega * omega);
    const double B = Pc * (-1.0 - 9.070217 * std::cbrt(t) + 62.45326 * std::pow(t, 2.0 / 3.0) - 135.1102 * t +
                           e * std::pow(t, 4.0 / 3.0));
    const double C = 0.0861488 + 0.0344483 * omega;
    double ratio = B + Pvp > 0.0 ? (B + P) / (B + Pvp) : 5.0;
    if (ratio > 5.0) ratio = 5.0;
    if (!(ratio > 0.0)) return 0.0;
    return Vs * (1.0 - C * std::log(ratio));
}

HbtVolumeResult HbtVolume(std::span<const double> x, std::span<const double> Pc, std::span<const double> Tc,
                          std::span<const double> omega, std::span<const double> Vstar,
                          std::span<const int32_t> cls, double P, double T) {
    HbtVolumeResult out;
    if (x.empty() || !(P > 0.0 && T > 0.0 && std::isfinite(P) && std::isfinite(T))) return out;
    if (HasZero(x) || HasZero(Pc) || HasZero(Tc) || HasZero(omega) || HasZero(Vstar)) return out;
    for (int32_t c : cls)
        if (c == 0) return out;
    const std::size_t n = x.size();
    // Hankinson and Thomson (1979), eqs 17-19.
    double s1 = 0.0, s23 = 0.0, s13 = 0.0, wm = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double v = Vstar[i] * 1000.0;  // L/mol -> cm3/mol
        s1 += x[i] * v;
        s23 += x[i] * std::pow(v, 2.0 / 3.0);
        s13 += x[i] * std::cbrt(v);
        wm += x[i] * omega[i];
    }
    const double Vm = (s1 + 3.0 * s23 * s13) / 4.0;
    double tcv = 0.0;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            tcv += x[i] * x[j] * std::sqrt(Vstar[i] * 1000.0 * Tc[i] * Vstar[j] * 1000.0 * Tc[j]);
    const double Tcm = tcv / Vm;
    // Thomson, Brobst and Hankinson (1982), eq 12, with R = 83.144 cm3 bar/(mol K).
    const double Pcm = (0.291 - 0.080 * wm) * 83.144 * Tcm / Vm;
    const double Tr = T / Tcm;
    if (!(std::isfinite(Tr) && Tr > 0.0)) return out;
    out.Tr = Tr;
    out.extrapolated = Tr <= 0.25 || Tr >= 0.95;
    if (!(Tr > 0.25 && Tr < 1.0)) {
        out.volume = {0.0, PropStatus::Ok};  // outside the correlation's range: no volume
        return out;
    }
    const double Pvp = Pcm * ThomsonReducedVaporPressure(Tr, wm);
    out.Vs = CostaldSaturatedVolume(Vm, wm, Tr);
    const double V = ThomsonCompressedVolume(out.Vs, P, Pvp, Pcm, wm, Tr);
    out.volume = {std::isfinite(V) && V > 0.0 ? V : 0.0, PropStatus::Ok};
    return out;
}

double SaturatedLiquidViscosity(int32_t eqn, double A, double B, double C, double D, double T) {
    switch (static_cast<LiqViscEquation>(eqn)) {
        case LiqViscEquation::Power:
            return A * std::pow(T, B);
        case LiqViscEquation::Andrade:
            return std::exp(A + B / T);
        case LiqViscEquation::ExtendedAndrade:
            return std::exp(A + B / T + C * T + D * T * T);
        case LiqViscEquation::Exponential:
            return B != 0.0 ? std::exp(A * (1.0 / T - 1.0 / B)) : 0.0;
        default:
            return 0.0;
    }
}

double LucasPressureCorrection(double mu_sat, double dPr, double Tr, double omega) {
    if (dPr < 0.0) dPr = 0.0;
    const double Ae = 0.9991 - 0.0004674 / (1.0523 * std::pow(Tr, -0.03877) - 1.0513);
    const double De = 0.3257 / std::pow(1.0039 - std::pow(Tr, 2.573), 0.2906) - 0.2086;
    const double Ce = -0.07921 + 2.1616 * Tr - 13.404 * std::pow(Tr, 2) + 44.1706 * std::pow(Tr, 3) -
                      84.8291 * std::pow(Tr, 4) + 96.1209 * std::pow(Tr, 5) - 59.8127 * std::pow(Tr, 6) +
                      15.6719 * std::pow(Tr, 7);
    return mu_sat * (1.0 + De * std::pow(dPr / 2.118, Ae)) / (1.0 + Ce * omega * dPr);
}

PropValue LiquidViscosity(std::span<const double> x, std::span<const int32_t> eqn, std::span<const double> A,
                          std::span<const double> B, std::span<const double> C, std::span<const double> D,
                          std::span<const double> Pvp_psia, std::span<const double> Pc,
                          std::span<const double> Tr, std::span<const double> omega, double P, double T) {
    if (x.empty() || !(P > 0.0 && T > 0.0 && std::isfinite(P) && std::isfinite(T))) return {};
    if (HasZero(x) || HasZero(Pvp_psia) || HasZero(Pc) || HasZero(Tr) || HasZero(omega)) return {};
    double mu = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (eqn[i] == 0 || (A[i] == 0.0 && B[i] == 0.0 && C[i] == 0.0 && D[i] == 0.0)) return {};
        const double mu_sat = SaturatedLiquidViscosity(eqn[i], A[i], B[i], C[i], D[i], T);
        const double dPr = (P - Pvp_psia[i] * fluid_units::kBarPerPsiLucas) / Pc[i];
        const double mu_i = LucasPressureCorrection(mu_sat, dPr, Tr[i], omega[i]);
        if (!(std::isfinite(mu_i) && mu_i > 0.0)) return {};
        mu += x[i] * mu_i;
    }
    return {mu, PropStatus::Ok};
}

}  // namespace quorven
