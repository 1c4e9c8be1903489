// Dense-gas viscosity of a mixture by the method of Chung, Ajlan, Lee and Starling
// (1988), and the ideal-gas heat capacity and isentropic exponent.

#include <cmath>
#include <vector>

#include "fluids/fluid_units.h"
#include "fluids/gas_correlations.h"

namespace quorven {
namespace {

// Chung, T.-H., Ajlan, M., Lee, L. L., Starling, K. E., Ind. Eng. Chem. Res. 27
// (1988) 671, Table II: E_i = a_i + b_i omega + c_i mu_r^4 + d_i kappa (kappa = 0 here,
// so the d_i column is not used).
struct ChungCoefficient {
    double a, b, c;
};
constexpr ChungCoefficient kChungE[10] = {
    {6.32402, 50.41190, -51.68010}, {0.12102e-2, -0.11536e-2, -0.62571e-2}, {5.28346, 254.20900, -168.481},
    {6.62263, 38.09570, -8.46414},  {19.74540, 7.63034, -14.35440},         {-1.89992, -12.53670, 4.98529},
    {24.27450, 3.44945, -11.29130}, {0.79716, 1.11764, 0.12348e-1},         {-0.23816, 0.67695e-1, -0.81630},
    {0.68629e-1, 0.34793, 0.59256},
};

// Neufeld, Janzen and Aziz (1972) collision integral Omega(2,2), its first six constants.
double CollisionIntegral(double Tstar) {
    return 1.16145 * std::pow(Tstar, -0.14874) + 0.52487 * std::exp(-0.77320 * Tstar) +
           2.16178 * std::exp(-2.43787 * Tstar);
}

bool HasZero(std::span<const double> v) {
    for (double d : v)
        if (d == 0.0) return true;
    return false;
}

}  // namespace

PropValue ChungViscosity(double T, double rho, std::span<const double> x, std::span<const double> MW,
                         std::span<const double> Tc, std::span<const double> Vc,
                         std::span<const double> omega, std::span<const double> dipole) {
    if (x.empty() || !(T > 0.0 && rho > 0.0 && std::isfinite(T) && std::isfinite(rho))) return {};
    if (HasZero(x) || HasZero(Tc) || HasZero(Vc) || HasZero(omega)) return {};
    const std::size_t n = x.size();
    for (std::size_t i = 0; i < n; ++i)
        if (!(Tc[i] > 0.0 && Vc[i] > 0.0 && MW[i] > 0.0)) return {};

    // Mixing rules, Chung et al. (1988) eqs 23-32 (all pairs, i = j included), with
    // sigma_ij = (0.654481 (Vc_i Vc_j)^(1/3))^0.5 = 0.809 Vc_i^(1/6) Vc_j^(1/6) and
    // eps_ij/k = (Tc_i Tc_j / 1.5858365)^0.5 = Tc_i^0.5 Tc_j^0.5 / 1.2593: the roots are
    // taken once per component.
    std::vector<double> vc6(n), tc2(n), mu2(n);
    for (std::size_t i = 0; i < n; ++i) {
        vc6[i] = std::pow(Vc[i], 1.0 / 6.0);
        tc2[i] = std::sqrt(Tc[i]);
        mu2[i] = dipole[i] * dipole[i];
    }
    const double sqrt_1_5858365 = std::sqrt(1.5858365);
    double s3 = 0.0, e_s3 = 0.0, e_s2_m = 0.0, w_s3 = 0.0, mu4_over_s3 = 0.0, kay_tc = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        kay_tc += x[i] * Tc[i];
        for (std::size_t j = 0; j < n; ++j) {
            const double xx = x[i] * x[j];
            const double sigma = std::sqrt(0.654481) * vc6[i] * vc6[j];
            const double sigma2 = sigma * sigma;
            const double sigma3 = sigma2 * sigma;
            const double eps = tc2[i] * tc2[j] / sqrt_1_5858365;
            const double Mij = i == j ? MW[i] : 2.0 * MW[i] * MW[j] / (MW[i] + MW[j]);
            const double wij = i == j ? omega[i] : (omega[i] + omega[j]) / 2.0;
            s3 += xx * sigma3;
            e_s3 += xx * eps * sigma3;
            e_s2_m += xx * eps * sigma2 * std::sqrt(Mij);
            w_s3 += xx * wij * sigma3;
            mu4_over_s3 += xx * mu2[i] * mu2[j] / sigma3;
        }
    }
    const double sigma_m = std::cbrt(s3);
    const double eps_m = e_s3 / s3;
    const double M_m = std::pow(e_s2_m / (eps_m * sigma_m * sigma_m), 2);
    const double w_m = w_s3 / s3;
    const double mu_m = std::pow(s3 * mu4_over_s3, 0.25);
    const double Vc_m = s3 / (0.809 * 0.809 * 0.809);
    const double Tc_m = 1.2593 * eps_m;
    const double mu_r = 131.3 * mu_m / std::sqrt(Vc_m * Tc_m);
    const double mu_r4 = std::pow(mu_r, 4);
    const double Fc = 1.0 - 0.2756 * w_m + 0.059035 * mu_r4;

    const double Omega = CollisionIntegral(T / eps_m);
    const double T2 = 1.2593 * T / kay_tc;  // Kay's rule for the dense-fluid terms
    const double y = rho * Vc_m / (6.0 * M_m);
    double E[11];
    for (int k = 0; k < 10; ++k) E[k + 1] = kChungE[k].a + kChungE[k].b * w_m + kChungE[k].c * mu_r4;
    const double G1 = (1.0 - 0.5 * y) / std::pow(1.0 - y, 3);
    const double G2 = (E[1] * (1.0 - std::exp(-E[4] * y)) / y + E[2] * G1 * std::exp(E[5] * y) + E[3] * G1) /
                      (E[1] * E[4] + E[2] + E[3]);
    const double eta2 = E[7] * y * y * G2 * std::exp(E[8] + E[9] / T2 + E[10] / (T2 * T2));
    const double eta1 = std::sqrt(T2) / Omega * Fc * (1.0 / G2 + E[6] * y) + eta2;
    const double micropoise = 36.344 * eta1 * std::sqrt(M_m * Tc_m) / std::pow(Vc_m, 2.0 / 3.0);
    const double cP = micropoise / 10000.0;
    if (!(std::isfinite(cP) && cP > 0.0)) return {};
    return {cP, PropStatus::Ok};
}

PropValue IdealGasCp(double sumB, double sumC, double sumD, double MW, double T, double sumA) {
    if (MW == 0.0 || T == 0.0 || sumA == 0.0) return {};
    const double cp = (sumA + sumB * T + sumC * T * T + sumD * T * T * T) / MW;
    if (!std::isfinite(cp)) return {};
    return {cp, PropStatus::Ok};
}

// k = Cp / Cv with Cv = Cp - R for the ideal gas, in molar units and with the constants
// the gas computation's method prints (fluids/fluid_units.h).
PropValue IsentropicExponent(double Cp_J_gK, double MW) {
    using namespace fluid_units;
    const double Cm = Cp_J_gK * kBtuPerKjIsentropic / kLbPerKgIsentropic / kRankinePerKelvin * MW;
    const double Cv = Cm - kR_Btu_lbmolR_Isentropic;
    if (!(Cm > 0.0 && Cv > 0.0 && std::isfinite(Cm))) return {};
    return {Cm / Cv, PropStatus::Ok};
}

}  // namespace quorven
