#pragma once
// How the steam commands round what they store in the record, shared by the IFC-67 and the
// IAPWS-IF97 property sets.

#include <algorithm>
#include <cmath>

namespace quorven::steam_rounding {

// Half-up rounding to `decimals` places, as the program stores its property results.
inline double RoundHalfUp(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::floor(x * scale + 0.5) / scale;
}

// A density stored in the record: 5 decimals, but never fewer than 4 significant
// digits, so the thin steam of a few thousandths of a psia keeps its value and no
// density of 0 reaches a division. Densities of 0.01 lb/ft3 and more are unchanged.
inline double RoundDensity(double rho) {
    if (!(rho > 0.0) || !std::isfinite(rho)) return rho;
    const int decimals = std::max(5, 3 - static_cast<int>(std::floor(std::log10(rho))));
    return RoundHalfUp(rho, decimals);
}

}  // namespace quorven::steam_rounding
