#pragma once
// Expansion factors (expansibility) Y for a compressible fluid. Every form here is
// referred to the upstream tap: tau = p2 / p1 [-], x1 = dp / p1 [-] (both pressures
// absolute, same unit), k isentropic exponent [-], b diameter ratio [-]. A meter
// whose static pressure is taken at the downstream tap converts with
// ExpansionY_DownstreamTap.

#include "record/constants.h"

namespace quorven {

// ISO 5167-2:2003, 5.3.2.2, eq. (5): orifice expansibility
// 1 - (0.351 + 0.256 b^4 + 0.93 b^8)(1 - tau^(1/k)).
double ExpansionY_Iso5167_2(double b, double tau, double k);

// AGA Report No. 3 Part 1 (2012): 1 - (0.3625 + 0.1027 b^4 + 1.132 b^8)(1 - tau^(1/k)).
double ExpansionY_Aga3_2012(double b, double tau, double k);

// AGA Report No. 3 (1985) / API 2530, flange and corner taps: 1 - (0.41 + 0.35 b^4) x1 / k.
double ExpansionY_Aga3_1985(double b, double x1, double k);

// AGA Report No. 3 (1985) / API 2530, pipe taps: 1 - (0.333 + 1.145 (b^2 + 0.7 b^5 + 12 b^13)) x1 / k.
double ExpansionY_Aga3_1985PipeTaps(double b, double x1, double k);

// Miller, Flow Measurement Engineering Handbook, 3rd ed., segmental orifice:
// 1 - (0.6439 - 2.506 b + 7.05 b^2 - 8.003 b^3 + 3.468 b^4) x1 / k.
double ExpansionY_MillerSegmental(double b, double x1, double k);

// Miller, Flow Measurement Engineering Handbook, 3rd ed., eccentric orifice:
// 1 - (0.1926 + 0.574 b + 0.9675 b^2 - 4.24 b^3 + 3.62 b^4) x1 / k.
double ExpansionY_MillerEccentric(double b, double x1, double k);

// ISO 5167-3:2003 and ISO 5167-4:2003 (eq. for epsilon), ISO 5167-6:2019 alike:
// isentropic expansibility of nozzles, venturi tubes and wedges,
// Y^2 = k tau^(2/k) / (k - 1) (1 - b^4) / (1 - b^4 tau^(2/k)) (1 - tau^((k-1)/k)) / (1 - tau).
// At k = 1 the group k/(k - 1)(1 - tau^((k-1)/k)) takes its limit -ln(tau); it is
// evaluated through expm1 so that k near 1 loses no digits.
double ExpansionY_Isentropic(double b, double tau, double k);

// The parts of the isentropic expansibility that do not depend on b: tau, tau^(2/k) and
// the group k/(k - 1)(1 - tau^((k-1)/k)). A bore solution, whose differential stays
// put while b moves, takes them once; ExpansionY_Isentropic(b, IsentropicTerms(tau, k))
// is ExpansionY_Isentropic(b, tau, k) to the bit.
struct IsentropicPressureTerms {
    double tau = 1.0;
    double t2k = 1.0;  // tau^(2/k)
    double g = 0.0;    // k/(k - 1)(1 - tau^((k-1)/k))
};
IsentropicPressureTerms IsentropicTerms(double tau, double k);
double ExpansionY_Isentropic(double b, const IsentropicPressureTerms& p);

// AGA Report No. 3 Part 1 (2012), Y2 = Y1 sqrt(Pf1 / Pf2) (compressibility ratio taken
// as 1); ISO 5167-1:2003 likewise refers epsilon to the upstream density, so the factor
// applied with the downstream density is epsilon1 sqrt(rho1 / rho2).
double ExpansionY_DownstreamTap(double Y1, double p1, double p2);

// Murdock's wet-gas correction (two-phase orifice flow, 1.26 factor): the gas-phase
// differential hw / (1 + 1.26 ((1 - x) / x) sqrt(rho_g / rho_l))^2, x mass quality [-].
double WetGasDifferential_Murdock(double hw, double x, double rho_ratio);

}  // namespace quorven
