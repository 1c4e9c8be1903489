// IAPWS-IF97: one (p, T) state with every property the steam commands use (v, h, s, cp, w,
// isentropic exponent, viscosity) in region 1, region 2 and region 3. Goals: under 0.5 us
// in regions 1 and 2, under 3 us in region 3, where the density is iterated.

#include <benchmark/benchmark.h>

#include <cstddef>

#include "fluids/if97.h"

namespace {

namespace if97 = quorven::if97;

struct PT {
    double p_MPa, T_K;
};

// A few states per region, visited in turn so that no result is simply reused.
template <std::size_t N>
void RunStates(benchmark::State& state, const PT (&states)[N]) {
    std::size_t i = 0;
    for (auto _ : state) {
        const PT& s = states[i];
        benchmark::DoNotOptimize(if97::StatePT(s.p_MPa, s.T_K));
        i = i + 1 == N ? 0 : i + 1;
    }
}

void BM_If97_Region1(benchmark::State& state) {
    constexpr PT kStates[] = {{3, 300}, {80, 300}, {3, 500}, {10, 400}, {50, 600}};
    RunStates(state, kStates);
}
BENCHMARK(BM_If97_Region1);

void BM_If97_Region2(benchmark::State& state) {
    constexpr PT kStates[] = {{0.0035, 300}, {0.0035, 700}, {30, 700}, {1, 500}, {10, 800}};
    RunStates(state, kStates);
}
BENCHMARK(BM_If97_Region2);

// Liquid side, vapour side and supercritical states of region 3, the near-critical ones too.
void BM_If97_Region3(benchmark::State& state) {
    constexpr PT kStates[] = {{50, 630}, {20, 640}, {17, 626},    {25, 650},
                              {30, 700}, {80, 750}, {22.3, 648.1}};
    RunStates(state, kStates);
}
BENCHMARK(BM_If97_Region3);

}  // namespace
