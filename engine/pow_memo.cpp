#include "engine/pow_memo.h"

#include <bit>
#include <cstdint>

namespace quorven {
namespace {

// A direct-mapped table per thread; an entry counts only in the generation of
// the scope that wrote it.
constexpr unsigned kEntries = 256;

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
    bool active = false;
};

thread_local Memory memory;

unsigned Slot(uint64_t x, uint64_t n) {
    // Fibonacci hashing of both arguments' bits.
    const uint64_t h = (x ^ (n * 0x9E3779B97F4A7C15ull)) * 0x9E3779B97F4A7C15ull;
    return static_cast<unsigned>(h >> 56);  // 256 slots
}

}  // namespace

PowMemoScope::PowMemoScope() : outer_active_(memory.active), outer_generation_(memory.generation) {
    memory.active = true;
    // A generation never handed out before: the table is empty for this scope.
    memory.generation = ++memory.last_generation;
}

PowMemoScope::~PowMemoScope() {
    memory.active = outer_active_;
    // The outer scope's entries may have been replaced meanwhile; those that
    // remain stay valid, being exact.
    memory.generation = outer_generation_;
}

double MemoPow(double x, double n) {
    if (!memory.active) return std::pow(x, n);
    const uint64_t xb = std::bit_cast<uint64_t>(x);
    const uint64_t nb = std::bit_cast<uint64_t>(n);
    Entry& e = memory.pow[Slot(xb, nb)];
    if (e.generation == memory.generation && e.x == xb && e.n == nb) return e.value;
    const double v = std::pow(x, n);
    e = {xb, nb, v, memory.generation};
    return v;
}

double MemoExp(double x) {
    if (!memory.active) return std::exp(x);
    const uint64_t xb = std::bit_cast<uint64_t>(x);
    Entry& e = memory.exp[Slot(xb, 0)];
    if (e.generation == memory.generation && e.x == xb) return e.value;
    const double v = std::exp(x);
    e = {xb, 0, v, memory.generation};
    return v;
}

}  // namespace quorven
