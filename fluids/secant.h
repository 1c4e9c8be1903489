#pragma once
// The bounded secant iteration of the gas routines.

#include <cmath>

namespace quorven {

enum class SolveStatus { Converged, NoConvergence };

struct SecantResult {
    double value = 0.0;
    SolveStatus status = SolveStatus::NoConvergence;
    int rounds = 0;
};

inline constexpr int kSecantRounds = 199;

// A root of f between lo and hi by the secant method: the working points start at lo
// (previous) and hi (current); a step that leaves [lo, hi] is put back on the
// bound it crossed, and a second step past a bound the current point already sits on
// ends the search. Converged when |f(current)| <= tolerance. NoConvergence when the
// bounds are left twice, the two residuals are equal (the step would divide by
// zero), a residual is not finite, or 199 rounds pass without convergence.
template <class F>
SecantResult SolveSecant(F&& f, double tolerance, double lo, double hi) {
    double p = lo, c = hi;
    for (int round = 1; round <= kSecantRounds; ++round) {
        const double fp = f(p), fc = f(c);
        if (!std::isfinite(fp) || !std::isfinite(fc)) return {c, SolveStatus::NoConvergence, round};
        if (!(fc > tolerance || fc < -tolerance)) return {c, SolveStatus::Converged, round};
        if (fc == fp) return {c, SolveStatus::NoConvergence, round};
        double n = c - (c - p) / (fc - fp) * fc;
        if (n > hi) {
            if (c == hi) return {c, SolveStatus::NoConvergence, round};
            n = hi;
        } else if (n < lo) {
            if (c == lo) return {c, SolveStatus::NoConvergence, round};
            n = lo;
        }
        p = c;
        c = n;
    }
    return {c, SolveStatus::NoConvergence, kSecantRounds};
}

}  // namespace quorven
