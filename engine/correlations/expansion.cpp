#include "engine/correlations/expansion.h"

#include <cmath>

#include "engine/pow_memo.h"

namespace quorven {
namespace {

double Pow(double x, double n) {
    return PowThroughMemo(x, n);
}

}  // namespace

// ISO 5167-2:2003, eq. (5).
double ExpansionY_Iso5167_2(double b, double tau, double k) {
    return 1.0 - (0.351 + 0.256 * Pow(b, 4) + 0.93 * Pow(b, 8)) * (1.0 - Pow(tau, 1.0 / k));
}

// AGA Report No. 3 Part 1 (2012), upstream-tap expansion factor.
double ExpansionY_Aga3_2012(double b, double tau, double k) {
    return 1.0 - (0.3625 + 0.1027 * Pow(b, 4) + 1.132 * Pow(b, 8)) * (1.0 - Pow(tau, 1.0 / k));
}

// AGA Report No. 3 (1985), Y1.
double ExpansionY_Aga3_1985(double b, double x1, double k) {
    return 1.0 - (0.41 + 0.35 * Pow(b, 4)) * x1 / k;
}

// AGA Report No. 3 (1985), pipe taps, Y1.
double ExpansionY_Aga3_1985PipeTaps(double b, double x1, double k) {
    return 1.0 - (0.333 + 1.145 * (Pow(b, 2) + 0.7 * Pow(b, 5) + 12.0 * Pow(b, 13))) * x1 / k;
}

// Miller, 3rd ed., segmental orifice, Y1.
double ExpansionY_MillerSegmental(double b, double x1, double k) {
    return 1.0 - (0.6439 - 2.506 * b + 7.05 * b * b - 8.003 * Pow(b, 3) + 3.468 * Pow(b, 4)) * x1 / k;
}

// Miller, 3rd ed., eccentric orifice, Y1.
double ExpansionY_MillerEccentric(double b, double x1, double k) {
    return 1.0 - (0.1926 + 0.574 * b + 0.9675 * b * b - 4.24 * Pow(b, 3) + 3.62 * Pow(b, 4)) * x1 / k;
}

// ISO 5167-4:2003 expansibility of venturi tubes (same form in ISO 5167-3 and -6).
double ExpansionY_Isentropic(double b, double tau, double k) {
    return ExpansionY_Isentropic(b, IsentropicTerms(tau, k));
}

IsentropicPressureTerms IsentropicTerms(double tau, double k) {
    IsentropicPressureTerms p;
    p.tau = tau;
    p.t2k = Pow(tau, 2.0 / k);
    const double e = (k - 1.0) / k;
    const double ln_tau = std::log(tau);
    // k/(k-1) (1 - tau^e) = -(expm1(e ln tau)) / e, which is -ln(tau) at e = 0.
    p.g = (e == 0.0) ? -ln_tau : -std::expm1(e * ln_tau) / e;
    return p;
}

double ExpansionY_Isentropic(double b, const IsentropicPressureTerms& p) {
    const double b4 = Pow(b, 4);
    // (1 - tau) is the differential's share of p1; at tau = 1 (no differential) Y = 1.
    if (p.tau == 1.0) return 1.0;
    return std::sqrt(p.t2k * (1.0 - b4) / (1.0 - b4 * p.t2k) * p.g / (1.0 - p.tau));
}

// AGA Report No. 3 Part 1 (2012), downstream-tap expansion factor.
double ExpansionY_DownstreamTap(double Y1, double p1, double p2) {
    return Y1 * std::sqrt(p1 / p2);
}

// Murdock wet-gas differential.
double WetGasDifferential_Murdock(double hw, double x, double rho_ratio) {
    const double f = 1.0 + 1.26 * ((1.0 - x) / x) * std::sqrt(rho_ratio);
    return hw / (f * f);
}

}  // namespace quorven
