#pragma once
// IAPWS Industrial Formulation 1997 for the Thermodynamic Properties of Water and Steam
// (IAPWS R7-97(2012), "Revised Release on the IAPWS Industrial Formulation 1997", with
// region 5 extended to 50 MPa), and the IAPWS 2008 viscosity of ordinary water
// substance (IAPWS R12-08) in its industrial form.
//
// Units as the releases print them: pressure in MPa, temperature in K, density in kg/m3,
// specific volume in m3/kg, energies in kJ/kg, entropy and heat capacities in kJ/(kg K),
// speed of sound in m/s, viscosity in Pa s. The program's record is in psia and degrees
// Rankine; the steam commands convert at their interface (steam_if97.h).

#include <optional>

namespace quorven::if97 {

// R7-97(2012) eqs. (1) to (4): specific gas constant and critical point.
inline constexpr double kR = 0.461526;  // kJ/(kg K)
inline constexpr double kTc_K = 647.096;
inline constexpr double kPc_MPa = 22.064;
inline constexpr double kRhoc_kg_m3 = 322.0;

// Boundaries of the regions, R7-97(2012) section 2 and Fig. 1.
inline constexpr double kTmin_K = 273.15;
inline constexpr double kT13_K = 623.15;      // regions 1 and 3
inline constexpr double kT25_K = 1073.15;     // regions 2 and 5
inline constexpr double kTmax_K = 2273.15;    // top of region 5
inline constexpr double kPmax_MPa = 100.0;    // regions 1 to 3
inline constexpr double kPmax5_MPa = 50.0;    // region 5 (2007 revision)
inline constexpr double kTB23max_K = 863.15;  // the B23 line meets 100 MPa

// Properties of one state by one basic equation.
struct Props {
    double p_MPa = 0.0;
    double T_K = 0.0;
    double v_m3_kg = 0.0;
    double rho_kg_m3 = 0.0;
    double u_kJ_kg = 0.0;
    double h_kJ_kg = 0.0;
    double s_kJ_kgK = 0.0;
    double cp_kJ_kgK = 0.0;
    double w_m_s = 0.0;
};

// --- Basic equations; no range check: the caller chooses the region ---
// Region 1, eq. (7): compressed water.
Props Region1(double p_MPa, double T_K);
// Region 2, eq. (15): steam.
Props Region2(double p_MPa, double T_K);
// Region 3, eq. (28): from density and temperature (near-critical and supercritical).
Props Region3(double rho_kg_m3, double T_K);
// Region 3 pressure and its density derivative dp/drho [MPa m3/kg] alone, for solvers.
struct PressureSlope {
    double p_MPa, dp_drho;
};
PressureSlope Region3Pressure(double rho_kg_m3, double T_K);
// Region 5, eq. (32): high-temperature steam.
Props Region5(double p_MPa, double T_K);

// Region 4, eqs. (30) and (31): saturation pressure [MPa] for 273.15 <= T <= 647.096 K
// and saturation temperature [K] for 611.213 Pa <= p <= 22.064 MPa; nothing outside.
std::optional<double> SatPressure(double T_K);
std::optional<double> SatTemperature(double p_MPa);
// Lowest pressure of the saturation equation, ps(273.15 K), MPa.
inline constexpr double kPsatMin_MPa = 611.212677e-6;

// Boundary between regions 2 and 3 (the B23 equation), eqs. (5) and (6).
double B23Pressure(double T_K);
double B23Temperature(double p_MPa);

// IAPWS R12-08, eqs. (10), (11), (12) with the critical enhancement mu2 = 1 (the release's
// recommendation for industrial use, section 3). Viscosity [Pa s] at T and density.
double Viscosity(double T_K, double rho_kg_m3);

// A (p, T) state by the region the formulation assigns to it.
struct State {
    int region = 0;  // 1, 2, 3 or 5
    Props props;
    double kappa = 0.0;    // isentropic exponent -(v/p)(dp/dv)_s = rho w^2 / p
    double mu_Pa_s = 0.0;  // viscosity
};
// Region 1 when p >= ps(T) at or below 623.15 K; region 3 above 623.15 K when p is above
// the B23 pressure; region 2 elsewhere up to 1073.15 K; region 5 above it (to 50 MPa).
// Nothing outside 273.15 to 2273.15 K, above the region's highest pressure, for p <= 0, for
// inputs that are not finite, or when region 3 has no density for (p, T).
std::optional<State> StatePT(double p_MPa, double T_K);
// The region StatePT uses (0 outside the formulation's range).
int RegionPT(double p_MPa, double T_K);
// The saturated liquid or vapour at T (273.15 K <= T <= 647.096 K): p = ps(T), region 1 or
// 2 up to 623.15 K, region 3 on the chosen side above it. Nothing outside that range.
enum class Side { Liquid, Vapour };
std::optional<State> SaturatedState(double T_K, Side side);
// Region 3 density [kg/m3] at (p, T): liquid side when T is below the critical temperature
// and p is at or above ps(T), vapour side below ps(T); nothing when the basic equation has
// no stable density on that side.
std::optional<double> Region3Density(double p_MPa, double T_K);

}  // namespace quorven::if97
