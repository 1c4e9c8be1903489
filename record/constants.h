#pragma once
// Physical constants and conversion factors of the calculations, each defined
// once. A factor that is exact by definition is written from its definition;
// where a formula prints its own digits, the constant keeps those digits and its
// name says which formula it belongs to.

namespace quorven {

// Degrees Rankine at 0 deg F, and Rankine degrees per kelvin (exact).
inline constexpr double kRankineOffset = 459.67;
inline constexpr double kRankinePerKelvin = 1.8;

// Molar mass of air [lb/lbmol]: a gas specific gravity is MW / 28.9625
// (GPA 2145 / AGA Report No. 8 value).
inline constexpr double kAirMolarMass = 28.9625;
// Universal gas constant [psia ft3 / (lbmol deg R)], as the flow-equation
// constants were derived with it: rho = P MW / (Z R T).
inline constexpr double kGasConstant = 10.73151;

// Inches of water per psi. The differential is stored in inches of water at
// 68 deg F; the program's formulas print the factor with different digits, and
// each keeps its own so that no result moves:
// - the sizing and restriction solvers, the expansion factor, the plate thickness,
//   the choked differential stored by Calculate and the calculation sheet's
//   pressure notes: 27.729767;
inline constexpr double kInH2OPerPsi = 27.729767;
// - the flow-equation constants (358.9268 ... in the sizing factor) and the liquid
//   choked differential inside it: 27.72976;
inline constexpr double kInH2OPerPsiFlowEquation = 27.72976;
// - the outlet-noise estimators: 27.7298;
inline constexpr double kInH2OPerPsiNoise = 27.7298;
// - the recovered downstream pressure of the flashing check and the noise: 27.7297667677.
inline constexpr double kInH2OPerPsiRecovery = 27.7297667677;

}  // namespace quorven
