#pragma once
// A memory of the powers and exponentials that one sizing evaluates. The
// iterations of the bore, flow and differential solutions take the same beta,
// pressure-ratio and Reynolds-number powers round after round, and the
// correlations share beta powers with the expansion factor: std::pow and
// std::exp are most of the time of a solution. MemoPow and MemoExp return
// exactly what std::pow and std::exp return for the same arguments (the
// memory is looked up by the arguments' bits), so no result moves.
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

// std::pow through the memory. The exponents an optimising build writes out
// itself (pow(x, 2.0) as x * x, pow(x, -1.0) as 1 / x, 1.0 and 0.0) keep the
// compiler's own evaluation, so that no build moves a digit.
inline double PowThroughMemo(double x, double n) {
    if (n == 2.0) return std::pow(x, 2.0);
    if (n == -1.0) return std::pow(x, -1.0);
    if (n == 1.0) return std::pow(x, 1.0);
    if (n == 0.0) return std::pow(x, 0.0);
    return MemoPow(x, n);
}

}  // namespace quorven
