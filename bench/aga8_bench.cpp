// AGA 8 Detail Characterization Method: one compressibility factor at a flowing state
// for the 21-component gas of NIST's check point (50 MPa, 400 K), the state the
// reference implementations publish.

#include <benchmark/benchmark.h>

#include <array>

#include "fluids/aga8_detail.h"

namespace {

using quorven::CFluidAGA8NaturalGas;

constexpr int kNumbers[21] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
// Mole fractions by AGA number (NIST AGA8CODE check gas, re-indexed to the 1994 order).
constexpr std::array<double, 21> kX = {0.77824, 0.02,    0.06,    0.08,    0.03,    0.0001, 0.0025,
                                       0.004,   0.002,   0.005,   0.0015,  0.003,   0.0005, 0.00165,
                                       0.00215, 0.00088, 0.00024, 0.00015, 0.00009, 0.007,  0.001};

// Everything one Z costs from nothing: composition terms, density by bracketing and Brent,
// Z at the density found.
void BM_Aga8_Z_FromComposition(benchmark::State& state) {
    for (auto _ : state) {
        CFluidAGA8NaturalGas gas;
        gas.SetComposition(kX);
        const double d = gas.Density(50.0, 400.0).value_or(0.0);
        benchmark::DoNotOptimize(gas.Z(d, 400.0));
    }
}
BENCHMARK(BM_Aga8_Z_FromComposition);

// The state alone: composition prepared, a temperature different from the last one each
// time (so the temperature terms are recomputed), density and Z.
void BM_Aga8_Z_State(benchmark::State& state) {
    CFluidAGA8NaturalGas gas;
    gas.SetComposition(kX);
    double T = 400.0;
    for (auto _ : state) {
        T = T == 400.0 ? 400.0 + 1e-9 : 400.0;
        const double d = gas.Density(50.0, T).value_or(0.0);
        benchmark::DoNotOptimize(gas.Z(d, T));
    }
}
BENCHMARK(BM_Aga8_Z_State);

// What the AGA Natural Gas command runs: MW, Zb and Db at the base, Zf and Df flowing.
void BM_Aga8_Compute(benchmark::State& state) {
    for (auto _ : state) {
        CFluidAGA8NaturalGas gas;
        benchmark::DoNotOptimize(gas.Compute(kNumbers, kX, 50.0, 400.0));
    }
}
BENCHMARK(BM_Aga8_Compute);

}  // namespace
