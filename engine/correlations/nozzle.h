#pragma once
// Discharge coefficients of flow nozzles. b diameter ratio [-], Rd pipe Reynolds
// number [-] (bore Reynolds number where named Rb). Each returns C [-]; 0 means
// the correlation gives no coefficient at that point.

namespace quorven {

// ASME MFC-3M-1989 / ISO 5167-1:1991, ASME long-radius nozzle.
double NozzleC_AsmeLongRadius(double b, double Rd);

// ISO 5167-1:1991/Amd 1:1998 (Reader-Harris/Gallagher 1998) and
// ISO 5167-3:2003 and :2022, long radius nozzle, 0.9965 - 0.00653 b^0.5 (10^6/Rd)^0.5.
double NozzleC_Iso5167_3_LongRadius(double b, double Rd);

// ISO 5167-3:2003 and :2022, ISA 1932 nozzle.
double NozzleC_Iso5167_3_Isa1932(double b, double Rd);

// ISO 5167-3:2003 and :2022, venturi nozzle, 0.9858 - 0.196 b^4.5.
double NozzleC_Iso5167_3_VenturiNozzle(double b);

// ASME PTC 6-1996, throat-tap nozzle: C = 1.0054 - 0.185 Rb^-0.2 (1 - 361239/Rb)^0.8,
// Rb bore Reynolds number; 1.0054 below Rb = 361239.
double NozzleC_Ptc6(double Rb);

// ASME PTC 19.5-2004, long-radius nozzle with wall taps: the PTC 6 curve less 0.0054.
double NozzleC_Ptc195(double Rb);

// ASME MFC-3M, ASME throat-tap nozzle (Rd bore-based as the program computes it).
// Returns 1.0 outside the two bands of the correlation; `above_range` is set when
// Rd / b reaches 2 x 10^7.
double NozzleC_AsmeThroatTap(double b, double Rd, bool* above_range);

}  // namespace quorven
