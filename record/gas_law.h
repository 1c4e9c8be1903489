#pragma once
// The derived quantities of a gas that every part of the program computes the same way:
// its density from pressure, molecular weight, compressibility and temperature by the
// real-gas law rho = P MW / (Z R T) with R = 10.73151 psia ft3/(lbmol R)
// (record/constants.h), the compressibility a density stands for, and a volume at one
// condition as the volume of the same mass at another.
//
// Each returns 0 when an input it needs is not a positive finite number, or when the
// result is not finite: a missing datum, never NaN or infinity in a record.

namespace quorven {

// rho [lb/ft3] = P [psia] MW [lb/lbmol] / (Z R T [deg R]).
double GasDensity(double P_psia, double MW, double Z, double T_R);

// Z = P MW / (rho R T), the compressibility of a gas of density rho [lb/ft3].
double GasCompressibility(double P_psia, double MW, double rho_lb_ft3, double T_R);

// The volume (or volume flow) of the same mass at another density: V rho_from / rho_to.
// For a gas, base and flowing volumes convert by their densities (a base volume flow is
// the flowing one times rho_f / rho_b); a mass flow counts as a volume of density 1.
double ConvertedVolume(double volume, double rho_from, double rho_to);

}  // namespace quorven
