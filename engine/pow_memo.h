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

#include <bit>
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
    uint64_t outer_generation_;
};

namespace pow_memo {

// A direct-mapped table per thread; an entry counts only in the generation of
// the scope that wrote it. The look-up is inline: the hits cost a few
// instructions, a miss calls the function and fills the entry.
inline constexpr unsigned kEntries = 256;

struct Entry {
    uint64_t x = 0;
    uint64_t n = 0;
    double value = 0.0;
    uint64_t generation = 0;
};

struct Memory {
    Entry pow[kEntries];
    Entry exp[kEntries];
    uint64_t generation = 0;       // the open scope's; 0 outside every scope
    uint64_t last_generation = 0;  // the newest handed out
};

// Constant-initialised (defined in pow_memo.cpp), so no call guards its first use.
extern thread_local constinit Memory memory;

inline unsigned Slot(uint64_t x, uint64_t n) {
    // Fibonacci hashing of both arguments' bits.
    const uint64_t h = (x ^ (n * 0x9E3779B97F4A7C15ull)) * 0x9E3779B97F4A7C15ull;
    return static_cast<unsigned>(h >> 56);  // 256 slots
}

double PowMiss(Entry& e, double x, double n);
double ExpMiss(Entry& e, double x);

}  // namespace pow_memo

// std::pow(x, n) and std::exp(x), from the memory when the open scope has
// evaluated them before (outside every scope generation is 0 and nothing is kept).
inline double MemoPow(double x, double n) {
    pow_memo::Memory& m = pow_memo::memory;
    if (m.generation == 0) return std::pow(x, n);
    const uint64_t xb = std::bit_cast<uint64_t>(x);
    const uint64_t nb = std::bit_cast<uint64_t>(n);
    pow_memo::Entry& e = m.pow[pow_memo::Slot(xb, nb)];
    if (e.generation == m.generation && e.x == xb && e.n == nb) return e.value;
    return pow_memo::PowMiss(e, x, n);
}

inline double MemoExp(double x) {
    pow_memo::Memory& m = pow_memo::memory;
    if (m.generation == 0) return std::exp(x);
    const uint64_t xb = std::bit_cast<uint64_t>(x);
    pow_memo::Entry& e = m.exp[pow_memo::Slot(xb, 0)];
    if (e.generation == m.generation && e.x == xb) return e.value;
    return pow_memo::ExpMiss(e, x);
}

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
