#include "engine/correlations/nozzle.h"

#include <cmath>

#include "engine/pow_memo.h"

namespace quorven {

// ASME MFC-3M-1989: 0.9975 - 6.53 sqrt(b / Rd).
double NozzleC_AsmeLongRadius(double b, double Rd) {
    return 0.9975 - 6.53 * std::sqrt(b) / std::sqrt(Rd);
}

// ISO 5167-3:2003, long radius nozzle: 0.9965 - 0.00653 b^0.5 (10^6 / Rd)^0.5.
double NozzleC_Iso5167_3_LongRadius(double b, double Rd) {
    return 0.9965 - 0.00653 * std::sqrt(b) * std::sqrt(1e6 / Rd);
}

// ISO 5167-3:2003, ISA 1932 nozzle: 0.9900 - 0.2262 b^4.1 - (0.00175 b^2 - 0.0033 b^4.15)(10^6 / Rd)^1.15.
double NozzleC_Iso5167_3_Isa1932(double b, double Rd) {
    return 0.99 - 0.2262 * PowThroughMemo(b, 4.1) +
           (0.0033 * PowThroughMemo(b, 4.15) - 0.00175 * b * b) * PowThroughMemo(1e6 / Rd, 1.15);
}

// ISO 5167-3:2003, venturi nozzle.
double NozzleC_Iso5167_3_VenturiNozzle(double b) {
    return 0.9858 - 0.196 * PowThroughMemo(b, 4.5);
}

// ASME PTC 6-1996, throat-tap nozzle calibration curve.
double NozzleC_Ptc6(double Rb) {
    if (Rb < 361239.0) return 1.0054;
    // At and above 10^8 the curve is held at its value there, 1.000766444.
    if (Rb >= 1e8) return 1.000766444;
    return 1.0054 - 0.185 * PowThroughMemo(Rb, -0.2) * PowThroughMemo(1.0 - 361239.0 / Rb, 0.8);
}

// ASME PTC 19.5-2004: wall-tap long-radius nozzle, PTC 6 curve offset by -0.0054.
double NozzleC_Ptc195(double Rb) {
    return NozzleC_Ptc6(Rb) - 0.0054;
}

// ASME MFC-3M, throat-tap nozzle, N = 1 - 400000 / Rd.
double NozzleC_AsmeThroatTap(double b, double Rd, bool* above_range) {
    if (above_range) *above_range = false;
    const double N = 1.0 - 400000.0 / Rd;
    if (Rd >= 800000.0 && Rd < 3000000.0)
        return 1.009 - 0.255 * PowThroughMemo(N, 0.8) / PowThroughMemo(Rd, 0.2);
    const double Rb = Rd / b;
    // N must be positive for the curve; below Rd = 400000 the fixed 1.0 holds.
    if (Rb >= 3000000.0 && Rb < 2e7 && N > 0.0)
        return 0.9823 - 0.255 * PowThroughMemo(N, 0.8) / PowThroughMemo(Rd, 0.2) + 0.0018 * std::log(Rd);
    if (above_range && Rb >= 2e7) *above_range = true;
    return 1.0;
}

}  // namespace quorven
