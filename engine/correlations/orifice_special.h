#pragma once
// Discharge coefficients of the non-concentric and special orifice plates:
// segmental, eccentric, quadrant-edged, conic-entrance, small-bore (honed meter
// runs) and integral orifices. b diameter ratio [-], Rd pipe Reynolds number [-],
// D_in pipe inside diameter [in]. Each returns C [-].

#include <cstdint>

namespace quorven {

// Miller, Flow Measurement Engineering Handbook, 3rd ed., segmental orifice,
// flange taps, D <= 4 in.
double SegmentalC_MillerFlangeSmall(double b);
// Same source, vena contracta taps, D <= 4 in.
double SegmentalC_MillerVenaContractaSmall(double b);
// Same source, either tap, D > 4 in.
double SegmentalC_MillerLarge(double b);

// Miller, Flow Measurement Engineering Handbook, 3rd ed., eccentric orifice:
// C = A(b) / Rd^0.75 + B(b), coefficients by tap style (1 to 4) and D <= 4 in or
// above. Returns 0 for a tap style outside 1 to 4.
double EccentricC_Miller(double b, double Rd, double D_in, int32_t tap_style);

// ISO/TR 15377:2007, eccentric orifice.
double EccentricC_IsoTr15377(double b);

// Miller, Flow Measurement Engineering Handbook, 3rd ed., quadrant-edged orifice.
double QuadrantC_Miller(double b);

// ISO/TR 15377:2007, quarter-circle orifice.
double QuadrantC_IsoTr15377(double b);

// Quadrant-edge radius [in] of a quadrant-edged orifice of bore d [in] and diameter
// ratio b, as sized with the Miller standard (Calc_Std 1764):
// r = d (0.734 / (1 - b^4) - 0.638).
double QuadrantRadius_Miller(double d, double b);
// The same with ISO/TR 15377 (Calc_Std 1765):
// r = d (3.17e-6 e^(16.8 b) + 0.0554 e^(1.016 b) + 0.029).
double QuadrantRadius_IsoTr15377(double d, double b);

// Miller, Flow Measurement Engineering Handbook, 3rd ed., conic-entrance orifice:
// 0.734 over 250 b <= Rd <= 5000 b, else 0.73.
double ConicC_Miller(double b, double Rd);

// ISO/TR 15377:2007, conical-entrance orifice plate: C = 0.734.
double ConicC_IsoTr15377();

// ASME MFC-14M, small-bore orifice in a honed meter run, flange taps.
double SmallBoreC_Mfc14mFlange(double b, double Rd);

// ASME MFC-14M, small-bore orifice in a honed meter run, corner taps, in this
// program's long-standing form (D in inches).
double SmallBoreC_Mfc14mCorner(double b, double Rd, double D_in);

// Integral orifice, manufacturer correlations (Foxboro 1143 with R = sqrt(Rd),
// Rosemount 1144 with R = sqrt(Rd / Beta)), by orifice size code 1145 to 1148.
// Returns 0 for an unknown manufacturer or size.
double IntegralC_Manufacturer(int32_t mfr, int32_t size, double b, double R);

}  // namespace quorven
