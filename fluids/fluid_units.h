#pragma once
// Unit factors and constants of the fluid property routines, each derived once from
// its definition.

namespace quorven::fluid_units {

// 1 psi = 0.45359237 kg x 9.80665 m/s2 / (0.0254 m)^2 (exact).
inline constexpr double kPaPerPsi = 0.45359237 * 9.80665 / (0.0254 * 0.0254);
inline constexpr double kBarPerPsi = kPaPerPsi / 1e5;
inline constexpr double kPsiPerBar = 1.0 / kBarPerPsi;  // 14.5037738
inline constexpr double kRankinePerKelvin = 1.8;
inline constexpr double kRankineAtZeroF = 459.67;

// 1 lb/ft3 = 0.45359237 kg / (0.3048 m)^3; 1 g/cm3 = 1000 kg/m3.
inline constexpr double kKgM3PerLbFt3 = 0.45359237 / (0.3048 * 0.3048 * 0.3048);
inline constexpr double kLbFt3PerGCm3 = 1000.0 / kKgM3PerLbFt3;  // 62.4279606

// Molar gas constant, CODATA 2018 (exact in the 2019 SI). The gas computation's densities
// use it: the 83.14694359 cm3 bar/(mol K) its method prints is no published value of R
// (2.8e-5 above this one) and is not taken over.
inline constexpr double kR_J_molK = 8.314462618;
inline constexpr double kR_cm3bar_molK = kR_J_molK * 10.0;  // 83.14462618 cm3 bar/(mol K)

// The gas and liquid computations of the Fluids commands convert with the factors their
// method prints, so that their results agree with its worked figures to the printed digits:
// 14.50377439 psi per bar (the definitions give 14.503773773, 4e-8 apart), 62.427961 lb/ft3
// per g/cm3 (the definitions give 62.42796058), and bar per psi 0.06894757 in the Lucas
// pressure correction of the liquid viscosity.
inline constexpr double kPsiPerBarFluids = 14.50377439;
inline constexpr double kLbFt3PerGCm3Fluids = 62.427961;
inline constexpr double kBarPerPsiLucas = 0.06894757;

// The ideal-gas isentropic exponent of the gas computation, in the method's units: the
// molar heat capacity Cm [Btu/(lbmol R)] = Cp [J/(g K)] x 0.9478169 [Btu/kJ] / 2.2047
// [lb/kg] / 1.8 x MW, and k = Cm / (Cm - 1.986 [Btu/(lbmol R)]). Together these make a
// gas constant of 8.31528 J/(mol K), 1e-4 above CODATA's: k differs from Cp / (Cp - R) in
// the fifth digit, and the method's figures are kept.
inline constexpr double kBtuPerKjIsentropic = 0.9478169;
inline constexpr double kLbPerKgIsentropic = 2.2047;
inline constexpr double kR_Btu_lbmolR_Isentropic = 1.986;

// A mixture vapour pressure that cannot be formed counts as this many psia.
inline constexpr double kMissingVapourPressure_psia = 9999999.0;

}  // namespace quorven::fluid_units
