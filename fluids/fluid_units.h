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

// Molar gas constant, CODATA 2018 (exact in the 2019 SI).
inline constexpr double kR_J_molK = 8.314462618;
inline constexpr double kR_cm3bar_molK = kR_J_molK * 10.0;  // 83.14462618 cm3 bar/(mol K)

// A mixture vapour pressure that cannot be formed counts as this many psia.
inline constexpr double kMissingVapourPressure_psia = 9999999.0;

}  // namespace quorven::fluid_units
