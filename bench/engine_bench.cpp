// Speed of the three solutions on one tag: a calibrated orifice on a liquid
// (direct solution), a calibrated wedge (five passes of the iterated bore
// solution) and a gas concentric orifice with the library's correlations.

#include <benchmark/benchmark.h>

#include "engine/calculate.h"
#include "record/choice_codes.h"

namespace {

using namespace quorven;  // the choice-code enums and Code()
using quorven::CCalculate;
using quorven::NullMessageSink;
using quorven::TagRecord;

TagRecord CustomLiquid() {
    TagRecord r = quorven::NewTagRecord();
    r.Meter_Type = Code(MeterType::CustomOrifice);
    r.C = 0.6;
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Flow_RhoGZ = 55.0;
    r.Property_KFp = 1.02;
    r.Property_Visc = 2.0;
    r.Flow_Press = 100.0;
    r.Flow_Temp = 527.67;
    r.Pipe_IDia = 4.026;
    r.Flow_Max = 68750.0;
    r.Flow_Norm = 55000.0;
    r.Dp_Max = 100.0;
    r.Dp_Norm = 64.0;
    r.Bore = 2.0303;
    r.SegHs = 1.6;
    return r;
}

TagRecord GasOrifice() {
    TagRecord r = quorven::NewTagRecord();  // concentric orifice, flange taps, ISO 5167-2
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Fluid_Property = Code(FluidProperty::GasSG);
    r.Property_MwDenVp = 0.65;
    r.Property_KFp = 1.3;
    r.Property_Visc = 0.011;
    r.Flow_Press = 300.0;
    r.Flow_Temp = 527.67;
    r.Flow_RhoGZ = 0.95;
    r.Base_RhoGZ = 0.998;
    r.Pipe_IDia = 4.026;
    r.Flow_Max = 187500.0;
    r.Flow_Norm = 150000.0;
    r.Dp_Max = 100.0;
    return r;
}

void Run(benchmark::State& state, TagRecord tag, int32_t param, int32_t type) {
    tag.Meter_Type = type;
    tag.Calc_SizeParam = param;
    NullMessageSink sink;
    for (auto _ : state) {
        TagRecord r = tag;
        CCalculate calc(sink);
        const bool ok = param == Code(SizeParam::Bore) ? calc.SizeBore(r, false)
                        : param == Code(SizeParam::Dp) ? calc.SizeDp(r, false)
                                                       : calc.SizeFlow(r, false);
        if (!ok) {
            state.SkipWithError("the sizing did not succeed (no coefficient for this meter yet?)");
            break;
        }
        benchmark::DoNotOptimize(r.Beta);
    }
}

void BM_CustomLiquidBore(benchmark::State& s) {
    Run(s, CustomLiquid(), 1120, 1360);
}
void BM_CustomLiquidDp(benchmark::State& s) {
    Run(s, CustomLiquid(), 1121, 1360);
}
void BM_CustomLiquidFlow(benchmark::State& s) {
    Run(s, CustomLiquid(), 1122, 1360);
}
void BM_CalibratedWedgeLiquidBore(benchmark::State& s) {
    Run(s, CustomLiquid(), 1120, 1762);
}
void BM_CalibratedWedgeLiquidDp(benchmark::State& s) {
    Run(s, CustomLiquid(), 1121, 1762);
}
void BM_CalibratedWedgeLiquidFlow(benchmark::State& s) {
    Run(s, CustomLiquid(), 1122, 1762);
}
void BM_GasOrificeBore(benchmark::State& s) {
    Run(s, GasOrifice(), 1120, 1128);
}

// One bore sizing of a gas concentric orifice with flange taps on the
// Reader-Harris/Gallagher (1998) equation of ISO 5167-2:2003, clause 5.3.2.1.
void BM_GasOrificeBoreRhg1998FlangeTaps(benchmark::State& s) {
    TagRecord tag = GasOrifice();
    tag.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    tag.Tap_Style = 1;
    Run(s, tag, 1120, 1128);
}

BENCHMARK(BM_CustomLiquidBore);
BENCHMARK(BM_CustomLiquidDp);
BENCHMARK(BM_CustomLiquidFlow);
BENCHMARK(BM_CalibratedWedgeLiquidBore);
BENCHMARK(BM_CalibratedWedgeLiquidDp);
BENCHMARK(BM_CalibratedWedgeLiquidFlow);
BENCHMARK(BM_GasOrificeBore);
BENCHMARK(BM_GasOrificeBoreRhg1998FlangeTaps);

}  // namespace
