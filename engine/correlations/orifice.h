#pragma once
// Discharge coefficients of the square-edged concentric orifice plate: the Stolz,
// Reader-Harris/Gallagher (1992 and 1998) and Buckingham/Bean (API 2530, 1985)
// equations. Plain doubles: b diameter ratio [-], Rd pipe Reynolds number [-],
// D_in pipe inside diameter [in]. Each returns C [-]; none checks its range of
// validity (the caller and the limit checks do).

namespace quorven {

// ISO 5167:1980 (Stolz 1978), the terms common to every tapping arrangement.
double OrificeC_StolzBase(double b, double Rd);

// ISO 5167:1980 (Stolz), corner taps (L1 = L2' = 0).
double OrificeC_StolzCorner(double b, double Rd);

// ISO 5167:1980 (Stolz), flange taps, L1 = L2' = 1 in / D; below D = 2.3 in the
// standard's fixed 0.039 replaces 0.09 L1.
double OrificeC_StolzFlange(double b, double Rd, double D_in);

// ISO 5167:1980 (Stolz), flange taps with the 0.039 term (L1 >= 0.4333).
double OrificeC_StolzFlangeSmallPipe(double b, double Rd, double D_in);

// ISO 5167:1980 (Stolz), D and D/2 taps (L1 = 1, L2' = 0.47).
double OrificeC_StolzRadius(double b, double Rd);

// R. W. Miller, Flow Measurement Engineering Handbook, 3rd ed. (1996), ch. 9:
// orifice with pipe taps (2.5 D upstream, 8 D downstream).
double OrificeC_MillerPipeTaps(double b, double Rd);

// AGA Report No. 3 Part 1 (1992; reaffirmed 2012) / API MPMS 14.3.1, the
// Reader-Harris/Gallagher 1992 equation with its Reynolds-number terms.
// L1 = L2 = 1 in / D for flange taps, 0 for corner taps.
double OrificeC_ReaderHarris1992(double b, double Rd, double D_in, double L1, double L2);

// ISO 5167-2:2003, 5.3.2.1, eq. (4): Reader-Harris/Gallagher (1998), with the
// small-pipe term for D < 71.12 mm. L1 = L2' = 25.4 mm / D (flange), 1 and 0.47
// (D and D/2), 0 (corner).
double OrificeC_ReaderHarrisGallagher(double b, double Rd, double D_in, double L1, double L2p);

// The API 2530 / AGA Report No. 3 (1985) flow coefficient terms: Ko (K at infinite
// Reynolds number), E (the Reynolds-number term) and Ke (K at Rd); C = sqrt(1 - b^4) Ke.
struct Api2530Terms {
    double Ko = 0.0;
    double E = 0.0;
    double Ke = 0.0;
    double C = 0.0;
};

// AGA Report No. 3 (1985) / API 2530, flange taps: Buckingham/Bean Ke equation.
Api2530Terms OrificeK_Api2530Flange(double b, double Rd, double D_in);

// AGA Report No. 3 (1985) / API 2530, pipe taps (2.5 D and 8 D).
Api2530Terms OrificeK_Api2530PipeTaps(double b, double Rd, double D_in);

// Buckingham/Bean form (ASME Fluid Meters, 6th ed., 1971), corner taps, as used
// with API 2530 (1985): K0 and E with Ke = (1000 E / sqrt(Rd) + 1) K0.
Api2530Terms OrificeK_AsmeCorner(double b, double Rd);

// Buckingham/Bean form (ASME Fluid Meters, 6th ed., 1971), D and D/2 taps, as
// used with API 2530 (1985); same Ke form.
Api2530Terms OrificeK_AsmeRadius(double b, double Rd, double D_in);

}  // namespace quorven
