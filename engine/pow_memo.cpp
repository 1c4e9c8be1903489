#include "engine/pow_memo.h"

namespace quorven {
namespace pow_memo {

thread_local constinit Memory memory;

double PowMiss(Entry& e, double x, double n) {
    const double v = std::pow(x, n);
    e = {std::bit_cast<uint64_t>(x), std::bit_cast<uint64_t>(n), v, memory.generation};
    return v;
}

double ExpMiss(Entry& e, double x) {
    const double v = std::exp(x);
    e = {std::bit_cast<uint64_t>(x), 0, v, memory.generation};
    return v;
}

}  // namespace pow_memo

PowMemoScope::PowMemoScope() : outer_generation_(pow_memo::memory.generation) {
    // A generation never handed out before: the table is empty for this scope.
    pow_memo::memory.generation = ++pow_memo::memory.last_generation;
}

PowMemoScope::~PowMemoScope() {
    // The outer scope's entries may have been replaced meanwhile; those that
    // remain stay valid, being exact. Outside every scope the generation is 0.
    pow_memo::memory.generation = outer_generation_;
}

}  // namespace quorven
