#pragma once
// Powers for the correlations, and a memory of the powers and exponentials
// that one sizing evaluates.
//
// Small integer and half-integer exponents are written out as products and a
// square root: b^4, b^8 and b^3.5 are taken in every round of a sizing, and a
// product costs a fraction of a std::pow. Each product rounds once more than
// std::pow does: a few units in the last place (1e-16 relative), far below
// every digit the program shows, prints or exports.
//
// The other exponents go through the memory. The iterations of the bore, flow
// and differential solutions take the same beta, pressure-ratio and
// Reynolds-number powers round after round: MemoPow and MemoExp return exactly
// what std::pow and std::exp return for the same arguments (the memory is
// looked up by the arguments' bits), so the memory itself moves no result.
//
// A PowMemoScope opens the memory for the sizing that creates it; outside any
// scope the functions call std::pow and std::exp directly. Each scope starts
// empty, so one sizing never draws on another's powers.

#include <cmath>
#include <cstdint>

namespace quorven {

class PowMemoScope {
public:
    PowMemoScope();
    ~PowMemoScope();
    PowMemoScope(const PowMemoScope&) = delete;
    PowMemoScope& operator=(const PowMemoScope&) = delete;

private:
    bool outer_active_;
    uint64_t outer_generation_;
};

double MemoPow(double x, double n);
double MemoExp(double x);

// x^n for the correlations. The exponents an optimising build writes out
// itself (pow(x, 2.0) as x * x, pow(x, -1.0) as 1 / x, 1.0 and 0.0) keep the
// compiler's own evaluation, so that every build gives the same digits; the
// small integer and half-integer ones are products; the rest go through the
// memory.
inline double PowThroughMemo(double x, double n) {
    if (n == 2.0) return std::pow(x, 2.0);
    if (n == -1.0) return std::pow(x, -1.0);
    if (n == 1.0) return std::pow(x, 1.0);
    if (n == 0.0) return std::pow(x, 0.0);
    if (n == 3.0) return x * x * x;
    if (n == 4.0) {
        const double x2 = x * x;
        return x2 * x2;
    }
    if (n == 8.0) {
        const double x2 = x * x;
        const double x4 = x2 * x2;
        return x4 * x4;
    }
    if (x > 0.0) {  // std::pow for the rest: NaN below zero, +inf at -inf, +0 at -0
        if (n == 1.5) return x * std::sqrt(x);
        if (n == 2.5) return x * x * std::sqrt(x);
        if (n == 3.5) return x * x * x * std::sqrt(x);
    }
    return MemoPow(x, n);
}

}  // namespace quorven
