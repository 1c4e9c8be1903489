#include "engine/correlations/orifice.h"

#include <algorithm>
#include <cmath>

#include "engine/pow_memo.h"

namespace quorven {
namespace {

double Pow(double x, double n) {
    return PowThroughMemo(x, n);
}

// b^4 / (1 - b^4), the velocity-of-approach group of the tapping terms.
double ApproachGroup(double b) {
    return Pow(b, 4) / (1.0 - Pow(b, 4));
}

}  // namespace

// ISO 5167:1980 (Stolz): 0.5959 + 0.0312 b^2.1 - 0.184 b^8 + 91.71 b^2.5 / Rd^0.75.
double OrificeC_StolzBase(double b, double Rd) {
    return 0.5959 + 0.0312 * Pow(b, 2.1) - 0.184 * Pow(b, 8) + 91.71 * Pow(b, 2.5) / Pow(Rd, 0.75);
}

double OrificeC_StolzCorner(double b, double Rd) {
    return OrificeC_StolzBase(b, Rd);
}

// ISO 5167:1980 (Stolz), flange taps: + 0.09 L1 b^4/(1 - b^4) - 0.0337 L2' b^3, L1 = L2' = 1/D.
double OrificeC_StolzFlange(double b, double Rd, double D_in) {
    if (D_in < 2.3) return OrificeC_StolzFlangeSmallPipe(b, Rd, D_in);
    return OrificeC_StolzBase(b, Rd) + 0.09 * Pow(b, 4) / ((1.0 - Pow(b, 4)) * D_in) -
           0.0337 * Pow(b, 3) / D_in;
}

// ISO 5167:1980 (Stolz): for L1 >= 0.4333 the term 0.09 L1 is taken as 0.039.
double OrificeC_StolzFlangeSmallPipe(double b, double Rd, double D_in) {
    return OrificeC_StolzBase(b, Rd) + 0.039 * ApproachGroup(b) - 0.0337 * Pow(b, 3) / D_in;
}

// ISO 5167:1980 (Stolz), D and D/2: 0.039 b^4/(1 - b^4) - 0.0337 x 0.47 b^3.
double OrificeC_StolzRadius(double b, double Rd) {
    return OrificeC_StolzBase(b, Rd) + 0.039 * ApproachGroup(b) - 0.01584 * Pow(b, 3);
}

// Miller, Flow Measurement Engineering Handbook, 3rd ed., pipe taps.
double OrificeC_MillerPipeTaps(double b, double Rd) {
    return 0.5959 + 0.461 * Pow(b, 2.1) + 0.48 * Pow(b, 8) + 0.039 * ApproachGroup(b) +
           91.71 * Pow(b, 2.5) / Pow(Rd, 0.75);
}

// AGA Report No. 3 Part 1 (1992), Reader-Harris/Gallagher: Ci(CT) + tap terms + Reynolds terms.
double OrificeC_ReaderHarris1992(double b, double Rd, double D_in, double L1, double L2) {
    const double A = Pow(19000.0 * b / Rd, 0.8);
    const double M1 = std::max(2.8 - D_in, 0.0);
    const double M2 = 2.0 * L2 / (1.0 - b);
    const double Ci_corner = 0.5961 + 0.0291 * Pow(b, 2) - 0.229 * Pow(b, 8) + 0.003 * (1.0 - b) * M1;
    const double upstream = (0.0433 + 0.0712 * MemoExp(-8.5 * L1) - 0.1145 * MemoExp(-6.0 * L1)) *
                            (1.0 - 0.23 * A) * ApproachGroup(b);
    const double downstream = -0.0116 * (M2 - 0.52 * Pow(M2, 1.3)) * Pow(b, 1.1) * (1.0 - 0.14 * A);
    const double reynolds =
        0.000511 * Pow(1e6 * b / Rd, 0.7) + (0.021 + 0.0049 * A) * Pow(b, 4) * Pow(1e6 / Rd, 0.35);
    return Ci_corner + upstream + downstream + reynolds;
}

// ISO 5167-2:2003, eq. (4), with the term 0.011 (0.75 - b)(2.8 - D/25.4) for D < 71.12 mm.
double OrificeC_ReaderHarrisGallagher(double b, double Rd, double D_in, double L1, double L2p) {
    const double A = Pow(19000.0 * b / Rd, 0.8);
    const double M2 = 2.0 * L2p / (1.0 - b);
    double C = 0.5961 + 0.0261 * Pow(b, 2) - 0.216 * Pow(b, 8) + 0.000521 * Pow(1e6 * b / Rd, 0.7) +
               (0.0188 + 0.0063 * A) * Pow(b, 3.5) * Pow(1e6 / Rd, 0.3) +
               (0.043 + 0.08 * MemoExp(-10.0 * L1) - 0.123 * MemoExp(-7.0 * L1)) * (1.0 - 0.11 * A) *
                   ApproachGroup(b) -
               0.031 * (M2 - 0.8 * Pow(M2, 1.1)) * Pow(b, 1.3);
    if (D_in < 2.8) C += 0.011 * (0.75 - b) * (2.8 - D_in);
    return C;
}

// AGA Report No. 3 (1985): Ke(at Rd = d 10^6/15) by Buckingham/Bean; Ko = Ke/(1 + 15 E/(10^6 d));
// K = Ko (1 + E / (bore Reynolds number)), bore Reynolds number = Rd / b.
Api2530Terms OrificeK_Api2530Flange(double b, double Rd, double D_in) {
    const double d = b * D_in;
    double Ke0 = 0.5993 + 0.007 / D_in + (0.364 + 0.076 / std::sqrt(D_in)) * Pow(b, 4);
    const double t1_arg = 0.07 + 0.5 / D_in - b;
    if (t1_arg > 0.0 && D_in > 0.75) Ke0 += 0.4 * Pow(1.6 - 1.0 / D_in, 5) * Pow(t1_arg, 2.5);
    if (b < 0.5) Ke0 -= (0.009 + 0.034 / D_in) * Pow(0.5 - b, 1.5);
    if (b > 0.7) Ke0 += (65.0 / (D_in * D_in) + 3.0) * Pow(b - 0.7, 2.5);
    const double G = 830.0 - 5000.0 * b + 9000.0 * b * b - 4200.0 * Pow(b, 3) + 530.0 / std::sqrt(D_in);
    Api2530Terms t;
    t.Ko = Ke0 / (1.0 + 0.000015 * G);
    t.E = G * d;
    t.Ke = t.Ko * (1.0 + t.E * b / Rd);
    t.C = std::sqrt(1.0 - Pow(b, 4)) * t.Ke;
    return t;
}

// AGA Report No. 3 (1985): pipe-tap Ke (Buckingham/Bean), Ko and E as for flange taps.
Api2530Terms OrificeK_Api2530PipeTaps(double b, double Rd, double D_in) {
    const double d = b * D_in;
    double Ke0 = 0.5925 + 0.0182 / D_in + (0.44 - 0.06 / D_in) * Pow(b, 2) +
                 (0.935 + 0.225 / D_in) * Pow(b, 5) + 1.35 * Pow(b, 14);
    if (b < 0.25) Ke0 += 1.43 / std::sqrt(D_in) * Pow(0.25 - b, 2.5);
    const double G = 905.0 - 5000.0 * b + 9000.0 * b * b - 4200.0 * Pow(b, 3) + 875.0 / D_in;
    Api2530Terms t;
    t.Ko = Ke0 / (1.0 + 0.000015 * G);
    t.E = G * d;
    t.Ke = t.Ko * (1.0 + t.E * b / Rd);
    t.C = std::sqrt(1.0 - Pow(b, 4)) * t.Ke;
    return t;
}

// Buckingham/Bean corner-tap K0 and E (ASME Fluid Meters, 6th ed., 1971).
Api2530Terms OrificeK_AsmeCorner(double b, double Rd) {
    double K0 = 0.6004 + 0.35 * Pow(b, 4);
    if (b < 0.5) K0 += 0.052 * Pow(0.5 - b, 1.5);
    if (b > 0.7) K0 += 0.62 * (b - 0.7);
    Api2530Terms t;
    t.Ko = K0;
    t.E = (0.002 + 0.026 * Pow(b, 4)) * K0;
    t.Ke = (1000.0 * t.E / std::sqrt(Rd) + 1.0) * K0;
    t.C = std::sqrt(1.0 - Pow(b, 4)) * t.Ke;
    return t;
}

// Buckingham/Bean D and D/2 K0 and E (ASME Fluid Meters, 6th ed., 1971), F = D^-0.25.
Api2530Terms OrificeK_AsmeRadius(double b, double Rd, double D_in) {
    const double d = b * D_in;
    const double F = Pow(D_in, -0.25);
    const double K0 =
        0.6014 - 0.01352 * F +
        (0.376 + 0.07257 * F) * (0.00025 / (d * d + 0.0025 * D_in) + Pow(b, 4) + 1.5 * Pow(b, 16));
    Api2530Terms t;
    t.Ko = K0;
    t.E =
        (0.0002 + 0.0011 / D_in) + (0.0038 + 0.0004 / D_in) * (Pow(b, 2) + (16.5 + 5.0 * D_in) * Pow(b, 16));
    t.Ke = (1000.0 * t.E / std::sqrt(Rd) + 1.0) * K0;
    t.C = std::sqrt(1.0 - Pow(b, 4)) * t.Ke;
    return t;
}

}  // namespace quorven
