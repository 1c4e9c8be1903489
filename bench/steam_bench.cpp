// Steam table: the saturation line and the property sets the Fluids
// commands run. Each iteration builds a fresh CSteamTable, as the program does.

#include <benchmark/benchmark.h>

#include "fluids/steam_ifc67.h"
#include "messages/messages.h"

namespace {

using quorven::CSteamTable;

void BM_SatPressure(benchmark::State& state) {
    double T = 32.0;
    for (auto _ : state) {
        CSteamTable st;
        benchmark::DoNotOptimize(st.SatPressure(T));
        T = T >= 705.0 ? 32.0 : T + 1.0;
    }
}
BENCHMARK(BM_SatPressure);

void BM_SatTemperature(benchmark::State& state) {
    const double P = static_cast<double>(state.range(0)) / 10.0;  // psia
    for (auto _ : state) {
        CSteamTable st;
        benchmark::DoNotOptimize(st.SatTemperature(P));
    }
}
BENCHMARK(BM_SatTemperature)->Arg(1)->Arg(147)->Arg(10000)->Arg(30000);  // 0.1, 14.7, 1000, 3000 psia

void BM_ReferenceWaterDensity(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(CSteamTable::ReferenceWaterDensity());
}
BENCHMARK(BM_ReferenceWaterDensity);

void BM_SaturatedSteamAtPressure(benchmark::State& state) {
    quorven::NullMessageSink sink;
    const CSteamTable st;
    for (auto _ : state) benchmark::DoNotOptimize(st.SaturatedSteamAtPressure(100.0, sink));
}
BENCHMARK(BM_SaturatedSteamAtPressure);

void BM_SuperheatedSteam(benchmark::State& state) {
    quorven::NullMessageSink sink;
    const CSteamTable st;
    const double P = static_cast<double>(state.range(0)), T = static_cast<double>(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(st.SuperheatedSteam(P, T, sink));
}
BENCHMARK(BM_SuperheatedSteam)->Args({100, 500})->Args({5000, 800});  // region 2, region 3

void BM_CompressedWater(benchmark::State& state) {
    quorven::NullMessageSink sink;
    const CSteamTable st;
    for (auto _ : state) benchmark::DoNotOptimize(st.CompressedWater(1000.0, 300.0, 14.696, 60.0, sink));
}
BENCHMARK(BM_CompressedWater);

}  // namespace
