// Compressibility of a gas mixture from the Redlich-Kwong and Soave-Redlich-Kwong
// cubic equations of state, and from the Dranchuk-Purvis-Robinson fit of the
// Standing-Katz chart.

#include <algorithm>
#include <cmath>
#include <vector>

#include "fluids/gas_correlations.h"
#include "fluids/secant.h"

namespace quorven {
namespace {

// Redlich and Kwong, Chem. Rev. 44 (1949) 233; Soave, Chem. Eng. Sci. 27 (1972) 1197.
constexpr double kOmegaA = 0.42748;
constexpr double kOmegaB = 0.08664;

bool HasZero(std::span<const double> v) {
    for (double d : v)
        if (d == 0.0) return true;
    return false;
}

bool AllPositiveFinite(std::span<const double> v) {
    for (double d : v)
        if (!(d > 0.0 && std::isfinite(d))) return false;
    return true;
}

// The first position of an interaction vector that holds exactly 1.0 (the group the
// component belongs to), kKijPositions when none does.
std::size_t GroupPosition(const KijVector& k) {
    for (std::size_t p = 0; p < kKijPositions; ++p)
        if (k[p] == 1.0) return p;
    return kKijPositions;
}

// The general cubic in Z with u = 1, w = 0 (RK and SRK):
// Z^3 - (1 + B - uB) Z^2 + (A + wB^2 - uB - uB^2) Z - AB - wB^2 - wB^3.
double CubicResidual(double Z, double A, double B) {
    constexpr double u = 1.0, w = 0.0;
    return Z * Z * Z - (1.0 + B - u * B) * Z * Z + (A + w * B * B - u * B - u * B * B) * Z - A * B -
           w * B * B - w * B * B * B;
}

}  // namespace

double MixEosA(std::span<const double> x, GasEquation code, std::span<const double> omega,
               std::span<const double> Pc, std::span<const double> Tc, std::span<const KijVector> kij,
               double T) {
    const std::size_t n = x.size();
    std::vector<double> a(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        if (T == 0.0 || Tc[i] == 0.0 || Pc[i] == 0.0) continue;
        if (code == GasEquation::SoaveRedlichKwong) {
            const double m = 0.48 + 1.574 * omega[i] - 0.176 * omega[i] * omega[i];
            const double root = 1.0 + m * (1.0 - std::sqrt(T / Tc[i]));
            const double alpha = root * root;
            a[i] = kOmegaA * Tc[i] * Tc[i] * alpha / Pc[i];
        } else {
            a[i] = kOmegaA * std::pow(Tc[i], 2.5) / (Pc[i] * std::sqrt(T));
        }
    }
    // sum x_i x_j (a_i a_j)^0.5 (1 - k_ij), the roots taken once per component. The
    // first position where either vector holds 1.0 is the earlier of the two
    // components' own group positions.
    std::vector<std::size_t> group(n, kKijPositions);
    if (kij.size() == n)
        for (std::size_t i = 0; i < n; ++i) group[i] = GroupPosition(kij[i]);
    for (double& ai : a) ai = std::sqrt(ai);
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t p = std::min(group[i], group[j]);
            const double k = i == j || p == kKijPositions ? 0.0 : kij[i][p] * kij[j][p];
            sum += x[i] * x[j] * a[i] * a[j] * (1.0 - k);
        }
    return sum;
}

PropValue CubicZ(std::span<const double> x, GasEquation code, double P, double T, std::span<const double> Pc,
                 std::span<const double> Tc, std::span<const double> omega, std::span<const KijVector> kij) {
    if (code == GasEquation::BenedictWebbRubin) return DprZ(x, Pc, Tc, P, T);
    if (code != GasEquation::SoaveRedlichKwong && code != GasEquation::RedlichKwong) return {};
    if (x.empty() || !(P > 0.0 && T > 0.0 && std::isfinite(P) && std::isfinite(T))) return {};
    if (HasZero(x) || HasZero(omega) || !AllPositiveFinite(Pc) || !AllPositiveFinite(Tc)) return {};
    const double a = MixEosA(x, code, omega, Pc, Tc, kij, T);
    const double A = a * P / (T * T);
    double root_b = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) root_b += x[i] * std::sqrt(kOmegaB * Tc[i] / Pc[i]);
    const double B = root_b * root_b * P / T;
    if (!std::isfinite(A) || !std::isfinite(B)) return {};
    auto f = [A, B](double Z) { return CubicResidual(Z, A, B); };
    // The vapour root first: (0.9, 2.0), then ten lower brackets of 0.1.
    for (int k = 0; k <= 8; ++k) {
        const double lo = (9 - k) / 10.0;
        const double hi = k == 0 ? 2.0 : (10 - k) / 10.0;
        const SecantResult r = SolveSecant(f, 1e-7, lo, hi);
        if (r.status == SolveStatus::Converged && r.value > 0.0) return {r.value, PropStatus::Ok};
    }
    return {0.0, PropStatus::NoConvergence};
}

// Dranchuk, P. M., Purvis, R. A., Robinson, D. B., "Computer calculation of natural
// gas compressibility factors using the Standing and Katz correlation", Institute of
// Petroleum Technical Series IP 74-008 (1974): Z = 0.27 Ppr / (r Tpr), with the
// reduced density r the root of
//   F(r) = A5 A6 r^6 + (A4 Tpr + A5) r^3 + (A1 Tpr + A2 + A3/Tpr^2) r^2 + Tpr r
//          + A7/Tpr^2 r^3 (1 + A8 r^2) exp(-A8 r^2) - 0.27 Ppr,
// the eight constants rounded to four digits as the program has always used them.
PropValue DprZ(std::span<const double> x, std::span<const double> Pc, std::span<const double> Tc, double P,
               double T) {
    if (x.empty() || !(P > 0.0 && T > 0.0 && std::isfinite(P) && std::isfinite(T))) return {};
    if (HasZero(x) || !AllPositiveFinite(Pc) || !AllPositiveFinite(Tc)) return {};
    double Ppc = 0.0, Tpc = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        Ppc += x[i] * Pc[i];
        Tpc += x[i] * Tc[i];
    }
    if (!(Ppc > 0.0 && Tpc > 0.0)) return {};
    const double Ppr = P / Ppc, Tpr = T / Tpc;
    const double a0 = 0.27 * Ppr;
    const double g = 0.5353 * Tpr - 0.6123;
    const double h = 0.3151 * Tpr - 1.0467 - 0.5783 / (Tpr * Tpr);
    const double l = 0.6816 / (Tpr * Tpr);
    constexpr double b = 0.6845;
    constexpr double c6 = 0.06423;
    auto F = [&](double r) {
        const double r2 = r * r, r3 = r2 * r;
        return c6 * r3 * r3 + g * r3 + h * r2 + Tpr * r + l * r3 * (1.0 + b * r2) * std::exp(-b * r2) - a0;
    };
    auto dF = [&](double r) {
        const double r2 = r * r, r4 = r2 * r2;
        return 6.0 * c6 * r4 * r + 3.0 * g * r2 + 2.0 * h * r + Tpr +
               l * std::exp(-b * r2) * (3.0 * r2 + 3.0 * b * r4 - 2.0 * b * b * r4 * r2);
    };
    // Newton from the ideal-gas density; up to 22 steps, converged when a step
    // changes r by less than 1e-6.
    double r = a0 / Tpr;
    for (int step = 0; step < 22; ++step) {
        const double d = dF(r);
        if (!(std::isfinite(d) && d != 0.0)) break;
        const double next = r - F(r) / d;
        if (!std::isfinite(next)) break;
        const bool converged = std::fabs(next - r) < 1e-6;
        r = next;
        if (converged) {
            if (!(r > 0.0)) break;
            const double Z = a0 / (Tpr * r);
            if (!(std::isfinite(Z) && Z > 0.0)) break;
            return {Z, PropStatus::Ok};
        }
    }
    return {0.0, PropStatus::NoConvergence};
}

}  // namespace quorven
