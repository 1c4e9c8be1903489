#pragma once
// The published correlations under the liquid computation, as functions of plain
// doubles: K, bar (absolute), cm3/mol, cP.

#include <cstdint>
#include <span>

#include "fluids/gas_correlations.h"

namespace quorven {

// Hankinson and Thomson, AIChE J. 25 (1979) 653, eqs 14-16: saturated liquid volume
// [units of V*] of a fluid of characteristic volume V* and SRK acentric factor omega
// at the reduced temperature Tr, 0.25 < Tr < 1 (0 outside).
double CostaldSaturatedVolume(double Vstar, double omega, double Tr);

// Thomson, Brobst and Hankinson, AIChE J. 28 (1982) 671, eqs 3-4 with the
// generalized vapour pressure of eqs 13-15: the reduced vapour pressure Pvp/Pc of a
// fluid of acentric factor omega at the reduced temperature Tr.
double ThomsonReducedVaporPressure(double Tr, double omega);

// Thomson, Brobst and Hankinson (1982), eqs 1-2 (Tait form): compressed-liquid volume
// from the saturated volume Vs at P, with the fluid's pseudo-critical pressure Pc,
// vapour pressure Pvp [bar], omega and Tr < 1. The ratio (B + P)/(B + Pvp) is held at
// 5 at most (and is 5 when B + Pvp is not positive). 0 when the ratio is not positive.
double ThomsonCompressedVolume(double Vs, double P, double Pvp, double Pc, double omega, double Tr);

struct HbtVolumeResult {
    PropValue volume;  // cm3/mol of the compressed liquid; MissingData, or 0 (Ok) outside 0.25 < Tr < 1
    double Vs = 0.0;   // saturated volume, cm3/mol
    double Tr = 0.0;   // mixture reduced temperature T / Tcm
    bool extrapolated = false;  // Tr <= 0.25 or Tr >= 0.95: Warning #25
};

// The liquid density correlation offered as "Hankinson-Brobst-Thomson": COSTALD
// saturated volume of the mixture (Hankinson-Thomson mixing rules, eqs 17-19 of the
// 1979 paper), its generalized vapour pressure and the Tait compressed-liquid
// correction. P in bar, T in K; Tc*, omega* and V* [L/mol] are the records' Hbt_Tc,
// Hbt_Omega and Hbt_Vstar, Pc their Crit_Press and cls their LiqVol_Class.
// MissingData when P or T is not above 0, the list is empty, or a component has x,
// Pc, Tc*, omega*, V* or class 0.
HbtVolumeResult HbtVolume(std::span<const double> x, std::span<const double> Pc, std::span<const double> Tc,
                          std::span<const double> omega, std::span<const double> Vstar,
                          std::span<const int32_t> cls, double P, double T);

// Saturated-liquid viscosity [cP] of one component at T [K] by LiqVisc_Eqn: 1 A T^B,
// 2 exp(A + B/T), 3 exp(A + B/T + C T + D T^2), 4 exp(A (1/T - 1/B)); 0 otherwise.
double SaturatedLiquidViscosity(int32_t eqn, double A, double B, double C, double D, double T);

// Lucas, Chem. Ing. Tech. 53 (1981) 959, as given by Reid, Prausnitz and Poling, The
// Properties of Gases and Liquids, 4th ed. (1987), eq 9-12.1: the liquid viscosity at
// a pressure dPr = (P - Pvp)/Pc above saturation, from the saturated value. A
// negative dPr (the liquid at or below its own vapour pressure) takes no correction.
double LucasPressureCorrection(double mu_sat, double dPr, double Tr, double omega);

// The mixture liquid viscosity [cP] sum x_i mu_i, each component's saturated value
// corrected to P [bar] by Lucas. Pvp per component in psia (its own vapour pressure at
// T), Tr = T / Tc per component. MissingData when P or T is not above 0, the list is
// empty, or a component has x, eqn, all four coefficients, Pvp, Pc, Tr or omega 0.
PropValue LiquidViscosity(std::span<const double> x, std::span<const int32_t> eqn, std::span<const double> A,
                          std::span<const double> B, std::span<const double> C, std::span<const double> D,
                          std::span<const double> Pvp_psia, std::span<const double> Pc,
                          std::span<const double> Tr, std::span<const double> omega, double P, double T);

}  // namespace quorven
