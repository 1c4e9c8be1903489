#pragma once
// The dimensionless equations of the 1967 IFC Formulation for Industrial Use
// (IFC-67), sub-regions 1 to 4, the K-function and the L-function, in the reduced
// variables of the formulation: theta = T/T_c, beta = p/p_c, chi = v/v_c with
// T_c = 647.3 K, p_c = 22.12 MPa, v_c = 0.00317 m3/kg. Enthalpy epsilon = h/(p_c v_c),
// entropy sigma = s T_c/(p_c v_c). CSteamTable puts the program's units around them.
//
// These functions check no range; callers do. A result outside the formulation's
// domain may be non-finite, and callers test for that.

namespace quorven::ifc67 {

// K-function: reduced saturation pressure beta_K(theta) and d(ln beta_K)/d(theta).
double BetaK(double theta, double& dlnbeta_dtheta);
// The same beta_K without its derivative (half the powers), to the last bit.
double BetaK(double theta);

// L-function: reduced pressure on the boundary of sub-regions 2 and 3.
double BetaL(double theta);

struct GibbsState {
    double chi;      // reduced specific volume, d(zeta)/d(beta)
    double epsilon;  // reduced enthalpy, zeta + theta sigma
    double sigma;    // reduced entropy, -d(zeta)/d(theta)
};

// Sub-region 1 (compressed water, theta <= theta_1).
GibbsState Region1(double beta, double theta);

// Sub-region 2 (steam). epsilon stays finite at beta = 0 (ideal-gas limit).
GibbsState Region2(double beta, double theta);

struct HelmholtzState {
    double beta;     // reduced pressure, -d(psi)/d(chi)
    double epsilon;  // reduced enthalpy, psi + theta sigma + chi beta
    double sigma;    // reduced entropy, -d(psi)/d(theta)
};

// Sub-region 3, with the sub-region 4 terms added on the liquid side (theta < 1 and chi < 1).
HelmholtzState Region3(double chi, double theta);

// theta_1 = 623.15 K / 647.3 K, the boundary temperature of sub-regions 1 and 3/4.
inline constexpr double kTheta1 = 9.626911787E-01;
// I1 = R T_c / (p_c v_c).
inline constexpr double kI1 = 4.260321148;

}  // namespace quorven::ifc67
