// The gas and liquid computations of the Fluids commands with the database in
// memory: the Gulf Coast gas of AGA Report No. 8 (1994) Table A.3-1 (ten components)
// by Soave-Redlich-Kwong, and an equimolar pentane-hexane-heptane liquid.

#include <benchmark/benchmark.h>

#include "fluids/component_list.h"
#include "fluids/gas_properties.h"
#include "fluids/liquid_properties.h"
#include "fluids/property_database.h"

namespace {

using namespace quorven;

const PropertyDatabase& Database() {
    static const PropertyDatabase db = PropertyDatabase::Open(QUORVEN_PROPERTY_DAF);
    return db;
}

ComponentList ListOf(std::initializer_list<std::pair<const char*, double>> parts) {
    ComponentList list;
    NullMessageSink none;
    for (const auto& [name, pct] : parts) {
        list.AddComponent(Database(), name, none);
        list.SetMolePercent(static_cast<int>(list.count) - 1, pct);
    }
    return list;
}

void BM_GasProperties_GulfCoastGas_SRK(benchmark::State& state) {
    const ComponentList gas = ListOf({{"METHANE", 96.5222},
                                      {"NITROGEN", 0.2595},
                                      {"CARBON DIOXIDE", 0.5956},
                                      {"ETHANE", 1.8186},
                                      {"PROPANE", 0.4596},
                                      {"ISOBUTANE", 0.0977},
                                      {"n-BUTANE", 0.1007},
                                      {"ISOPENTANE", 0.0473},
                                      {"n-PENTANE", 0.0324},
                                      {"n-HEXANE", 0.0664}});
    NullMessageSink none;
    for (auto _ : state) {
        const GasResult g = GasProperties(Database(), gas, GasEquation::SoaveRedlichKwong, 750.0, 524.67,
                                          14.73, 519.67, none);
        benchmark::DoNotOptimize(g.Zf);
    }
}
BENCHMARK(BM_GasProperties_GulfCoastGas_SRK);

void BM_LiquidProperties_ThreeComponents(benchmark::State& state) {
    const ComponentList liquid =
        ListOf({{"n-PENTANE", 100.0 / 3}, {"n-HEXANE", 100.0 / 3}, {"n-HEPTANE", 100.0 / 3}});
    NullMessageSink none;
    for (auto _ : state) {
        const LiquidResult l = LiquidProperties(Database(), liquid, 50.0, 579.67, 519.67, none);
        benchmark::DoNotOptimize(l.SGf);
    }
}
BENCHMARK(BM_LiquidProperties_ThreeComponents);

}  // namespace
