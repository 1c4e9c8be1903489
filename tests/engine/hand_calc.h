#pragma once
// Independent hand calculation for the engine tests: the textbook
// differential-pressure meter equation in lbm-ft-s units with first-principles
// constants (not the engine's sizing-factor constants), and small tag builders.

#include "record/tag_record.h"

namespace quorven::test {

// Water at 68 deg F (Kell 1975: 998.2041 kg/m3) under standard gravity over 1 in,
// in psi: the inch of water of the differential.
inline constexpr double kPsiPerInH2O = 998.2041 * 9.80665 * 0.0254 / 6894.757293168;
// Water at 60 deg F (Kell 1975: 999.0140 kg/m3), lb/ft3, for specific gravities.
inline constexpr double kWater60F = 999.0140 / 16.018463;
// Molar gas constant (CODATA 2018) in psia ft3 / (lbmol R).
inline constexpr double kGasR = 8.314462618 * 453.59237 / 1.8 / (4.4482216152605 * 0.3048) / 144.0;
inline constexpr double kFt3PerBbl = 42.0 * 0.133680556;

// Flowing density [lb/ft3] the meter sees (liquids times Fp).
double FlowingDensity(const TagRecord& r);
// Base density [lb/ft3] of a base-condition flow.
double BaseDensity(const TagRecord& r);
// Mass flow [lb/h] through the record's Bore (at 68 deg F, expanded by Fa_Meter)
// in the pipe (Pipe_IDia x Fa_Pipe) with the record's C, Y, Fdh, Fwv, Fm and the
// differential Dp_Norm x DpRefFact:
// W = 3600 C Y (pi/4) d^2 sqrt(2 gc dp rho) / sqrt(1 - b^4).
double TextbookMassFlow(const TagRecord& r);
// The same flow in the record's internal flow unit.
double TextbookFlow(const TagRecord& r);
// Pipe Reynolds number 4 W / (pi D mu) for the record's Flow_Norm.
double TextbookPipeReynolds(const TagRecord& r);

// A custom orifice (1360, C = 0.6) in a 4.026 in pipe at 68 deg F, sized for
// the bore at 80 % of maximum flow (hw 64 of 100 inH2O), liquid mass by density.
TagRecord CustomLiquidTag();
// Air-like gas (MW 28.9625, k 1.4, Z 1) at 100 psia and 68 deg F, lb/h by MW, through a
// thick critical-drop plate (1374) with a 0.5 in bore in a 4.026 in line, sized for flow.
TagRecord CriticalGasTag();
// The fluid choices of the record set to (equation, condition, property) with
// property values for that input and a sizing flow giving beta near 0.5.
void SetFluid(TagRecord& r, int32_t equation, int32_t condition, int32_t property);

}  // namespace quorven::test
