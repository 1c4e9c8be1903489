#include "fluids/steam_ifc67.h"

#include <cmath>

namespace quorven {
namespace {

// Reducing constants of IFC-67 (T_c = 647.3 K, p_c = 22.12 MPa, v_c = 0.00317 m3/kg)
// in the program's units (Part 3.5, Data model).
constexpr double kPc_psia = 3208.234758592228;
constexpr double kVc_ft3_lb = 0.05077852889545364;
constexpr double kTc_R = 1165.14;
constexpr double kRankine = 459.67;

// IFC-67 K-function (saturation line), k1..k9.
// Source: 1967 IFC Formulation for Industrial Use; ifc67_saturation_K.csv.
// Valid 273.16 K to T_c (32 to 705.47 deg F).
constexpr double kK[9] = {
    -7.691234564E+00, -2.608023696E+01, -1.681706546E+02, 6.423285504E+01, -1.189646225E+02,
    4.167117320E+00,  2.097506760E+01,  1.0E+09,          6.0E+00,
};

// IFC-67 sub-region 1 (compressed water, T <= 623.15 K), A0..A22 and a1..a12.
// Source: 1967 IFC Formulation for Industrial Use; ifc67_subregion1.csv.
constexpr double kA[23] = {
    6.824687741E+03,  -5.422063673E+02, -2.096666205E+04, 3.941286787E+04,  -6.733277739E+04,
    9.902381028E+04,  -1.093911774E+05, 8.590841667E+04,  -4.511168742E+04, 1.418138926E+04,
    -2.017271113E+03, 7.982692717E+00,  -2.616571843E-02, 1.522411790E-03,  2.284279054E-02,
    2.421647003E+02,  1.269716088E-10,  2.074838328E-07,  2.174020350E-08,  1.105710498E-09,
    1.293441934E+01,  1.308119072E-05,  6.047626338E-14,
};
// a[0] unused so that a[1]..a[12] read as printed.
constexpr double ka[13] = {
    0.0,
    8.438375405E-01, 5.362162162E-04, 1.720000000E+00, 7.342278489E-02, 4.975858870E-02,
    6.537154300E-01, 1.150000000E-06, 1.510800000E-05, 1.418800000E-01, 7.002753165E+00,
    2.995284926E-04, 2.040000000E-01,
};

double ThetaOf(double T_F) { return (T_F + kRankine) / kTc_R; }

// IFC-67 K-function: reduced saturation pressure beta_K(theta) and d(ln beta_K)/d(theta).
void KFunction(double theta, double& beta, double& dlnbeta_dtheta) {
    const double tau = 1.0 - theta;
    double num = 0.0, dnum = 0.0;
    for (int nu = 5; nu >= 1; --nu) {  // sum k_nu tau^nu, Horner
        num = num * tau + kK[nu - 1];
        dnum = dnum * tau + nu * kK[nu - 1];
    }
    num *= tau;
    const double den = 1.0 + kK[5] * tau + kK[6] * tau * tau;
    const double dden = kK[5] + 2.0 * kK[6] * tau;
    const double F = num / den;                             // F(tau)
    const double dF = (dnum * den - num * dden) / (den * den);  // dF/dtau
    const double q = kK[7] * tau * tau + kK[8];
    const double g = tau / q;
    const double dg = (kK[8] - kK[7] * tau * tau) / (q * q);    // dg/dtau
    beta = std::exp(F / theta - g);
    // d/dtheta = -d/dtau
    dlnbeta_dtheta = -F / (theta * theta) - dF / theta + dg;
}

// IFC-67 sub-region 1: reduced volume chi = d(zeta1)/d(beta).
double Chi1(double beta, double theta) {
    const double* A = kA;
    const double* a = ka;
    const double Y = 1.0 - a[1] * theta * theta - a[2] * std::pow(theta, -6);
    const double root = std::sqrt(a[3] * Y * Y - 2.0 * a[4] * theta + 2.0 * a[5] * beta);
    const double Z = Y + root;
    const double t11 = std::pow(theta, 11);
    // d/dbeta of A11 Z^(12/17) [(17/29) Z - (17/12) Y] simplifies to A11 a5 Z^(-5/17).
    return A[11] * a[5] * std::pow(Z, -5.0 / 17.0)
         + A[12] + A[13] * theta + A[14] * theta * theta + A[15] * std::pow(a[6] - theta, 10)
         + A[16] / (a[7] + std::pow(theta, 19))
         - (A[17] + 2.0 * A[18] * beta + 3.0 * A[19] * beta * beta) / (a[8] + t11)
         - A[20] * std::pow(theta, 18) * (a[9] + theta * theta) * (-3.0 * std::pow(a[10] + beta, -4) + a[11])
         + 3.0 * A[21] * (a[12] - theta) * beta * beta
         + 4.0 * A[22] * std::pow(theta, -20) * beta * beta * beta;
}

}  // namespace

double CSteamTable::SatPressure(double T_F) {
    if (!(T_F >= 32.0 && T_F <= 705.47)) return 0.0;
    double beta = 0.0, dln = 0.0;
    KFunction(ThetaOf(T_F), beta, dln);
    psat_ = beta * kPc_psia;
    dpdt_ = psat_ * dln / kTc_R;
    return psat_;
}

double CSteamTable::VPT1(double P_psia, double T_F) {
    if (!(P_psia >= 0.0 && P_psia <= 16000.0 && T_F >= -200.0 && T_F <= 662.0)) return v_;
    const double v = Chi1(P_psia / kPc_psia, ThetaOf(T_F)) * kVc_ft3_lb;
    if (std::isfinite(v) && v > 0.0) v_ = v;
    return v_;
}

}  // namespace quorven
