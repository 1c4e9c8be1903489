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

// A typical pipeline gas: the Gulf Coast gas of AGA Report No. 8 (1994), Table A.3-1, ten
// of the 21 components.
constexpr std::array<double, 21> kGulfCoast = {
    0.965222, 0.002595, 0.005956, 0.018186, 0.004596, 0, 0, 0, 0, 0, 0.000977,
    0.001007, 0.000473, 0.000324, 0.000664, 0,        0, 0, 0, 0, 0};

// The states of the comparison: a transmission-line state and NIST's check state.
struct State {
    double P_MPa, T_K;
};
constexpr State kStates[] = {{5.0, 300.0}, {50.0, 400.0}};

const std::array<double, 21>& Gas(int64_t which) {
    return which == 0 ? kX : kGulfCoast;
}

// A new composition every call, as a loop over many gases (or a dialog's every edit)
// makes: composition terms, density, Z. Two compositions that differ in the methane
// amount alternate, so nothing of the last call can be reused.
//   BM_Aga8_NewComposition/<gas: 0 NIST's 21 components, 1 Gulf Coast>/<state: 0 5 MPa, 1 50 MPa>
void BM_Aga8_NewComposition(benchmark::State& state) {
    std::array<double, 21> x[2] = {Gas(state.range(0)), Gas(state.range(0))};
    x[1][0] *= 1.000001;
    const State s = kStates[state.range(1)];
    int which = 0;
    for (auto _ : state) {
        CFluidAGA8NaturalGas gas;
        gas.SetComposition(x[which]);
        which ^= 1;
        const double d = gas.Density(s.P_MPa, s.T_K).value_or(0.0);
        benchmark::DoNotOptimize(gas.Z(d, s.T_K));
    }
}
BENCHMARK(BM_Aga8_NewComposition)->ArgsProduct({{0, 1}, {0, 1}});

// The same gas and a new temperature every call (the composition terms are kept).
//   BM_Aga8_NewTemperature/<gas>/<state>
void BM_Aga8_NewTemperature(benchmark::State& state) {
    CFluidAGA8NaturalGas gas;
    gas.SetComposition(Gas(state.range(0)));
    const State s = kStates[state.range(1)];
    double T = s.T_K;
    for (auto _ : state) {
        T = T == s.T_K ? s.T_K + 1e-9 : s.T_K;
        const double d = gas.Density(s.P_MPa, T).value_or(0.0);
        benchmark::DoNotOptimize(gas.Z(d, T));
    }
}
BENCHMARK(BM_Aga8_NewTemperature)->ArgsProduct({{0, 1}, {0, 1}});

// The composition terms alone.
//   BM_Aga8_SetComposition/<gas>
void BM_Aga8_SetComposition(benchmark::State& state) {
    std::array<double, 21> x[2] = {Gas(state.range(0)), Gas(state.range(0))};
    x[1][0] *= 1.000001;
    CFluidAGA8NaturalGas gas;
    int which = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(gas.SetComposition(x[which]));
        which ^= 1;
    }
}
BENCHMARK(BM_Aga8_SetComposition)->Arg(0)->Arg(1);

}  // namespace
