// Speed of the three solutions on one tag: a calibrated orifice on a liquid
// (direct solution), a calibrated wedge (five passes of the iterated bore
// solution) and a gas concentric orifice with the library's correlations.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

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

constexpr int32_t kBore = Code(SizeParam::Bore);
constexpr int32_t kDp = Code(SizeParam::Dp);
constexpr int32_t kFlow = Code(SizeParam::Flow);

void BM_CustomLiquidBore(benchmark::State& s) {
    Run(s, CustomLiquid(), kBore, Code(MeterType::CustomOrifice));
}
void BM_CustomLiquidDp(benchmark::State& s) {
    Run(s, CustomLiquid(), kDp, Code(MeterType::CustomOrifice));
}
void BM_CustomLiquidFlow(benchmark::State& s) {
    Run(s, CustomLiquid(), kFlow, Code(MeterType::CustomOrifice));
}
void BM_CalibratedWedgeLiquidBore(benchmark::State& s) {
    Run(s, CustomLiquid(), kBore, Code(MeterType::CustomWedge));
}
void BM_CalibratedWedgeLiquidDp(benchmark::State& s) {
    Run(s, CustomLiquid(), kDp, Code(MeterType::CustomWedge));
}
void BM_CalibratedWedgeLiquidFlow(benchmark::State& s) {
    Run(s, CustomLiquid(), kFlow, Code(MeterType::CustomWedge));
}
void BM_GasOrificeBore(benchmark::State& s) {
    Run(s, GasOrifice(), kBore, Code(MeterType::ConcentricOrifice));
}

// The three solutions of one gas meter, each timed alone: the bore for the
// record's flows and differential; the flow at the normal differential and the
// differential at the normal flow for the bore that sizing found.
TagRecord SizedForFlowAndDp(TagRecord tag) {
    NullMessageSink sink;
    CCalculate calc(sink);
    TagRecord sized = tag;
    if (!calc.SizeBore(sized, false)) return tag;
    tag.Bore = sized.Bore;
    tag.SegHs = sized.SegHs;      // the wedges' geometry
    tag.Dp_Norm = sized.Dp_Norm;  // the normal differential, (Q / Qmax)^2 hmax
    return tag;
}

void RunSolutions(benchmark::State& s, const TagRecord& tag, int32_t param) {
    Run(s, param == kBore ? tag : SizedForFlowAndDp(tag), param, tag.Meter_Type);
}

// Concentric orifice, flange taps, Reader-Harris/Gallagher (1998) equation of
// ISO 5167-2:2003, clause 5.3.2.1.
TagRecord GasOrificeRhg1998FlangeTaps() {
    TagRecord tag = GasOrifice();
    tag.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    tag.Tap_Style = 1;
    return tag;
}
// ISA 1932 nozzle, ISO 5167-3:2022 clause 5.1.6.2.
TagRecord GasIsaNozzle() {
    TagRecord tag = GasOrifice();
    tag.Meter_Type = Code(MeterType::IsaNozzle);
    tag.Calc_Std = Code(CalcStd::NozzleIso5167_3_2022);
    return tag;
}
// Classical venturi tube with a machined convergent, ISO 5167-4:2022 clause 5.5.3.
TagRecord GasMachinedVenturi() {
    TagRecord tag = GasOrifice();
    tag.Meter_Type = Code(MeterType::VenturiMachined);
    tag.Calc_Std = Code(CalcStd::VenturiIso5167_4_2022);
    return tag;
}

void BM_GasOrificeBoreRhg1998FlangeTaps(benchmark::State& s) {
    RunSolutions(s, GasOrificeRhg1998FlangeTaps(), kBore);
}
void BM_GasOrificeFlowRhg1998FlangeTaps(benchmark::State& s) {
    RunSolutions(s, GasOrificeRhg1998FlangeTaps(), kFlow);
}
void BM_GasOrificeDpRhg1998FlangeTaps(benchmark::State& s) {
    RunSolutions(s, GasOrificeRhg1998FlangeTaps(), kDp);
}
void BM_GasIsaNozzleBore(benchmark::State& s) {
    RunSolutions(s, GasIsaNozzle(), kBore);
}
void BM_GasIsaNozzleFlow(benchmark::State& s) {
    RunSolutions(s, GasIsaNozzle(), kFlow);
}
void BM_GasIsaNozzleDp(benchmark::State& s) {
    RunSolutions(s, GasIsaNozzle(), kDp);
}
void BM_GasVenturiBore(benchmark::State& s) {
    RunSolutions(s, GasMachinedVenturi(), kBore);
}
void BM_GasVenturiFlow(benchmark::State& s) {
    RunSolutions(s, GasMachinedVenturi(), kFlow);
}
void BM_GasVenturiDp(benchmark::State& s) {
    RunSolutions(s, GasMachinedVenturi(), kDp);
}

// The watch list: the low-Reynolds liquid orifice and one gas case of each meter family,
// each sized for the bore, the flow and the differential, so that the slowest case is
// seen and not only the median of the cases above.
//   BM_Watch/<case>/bore|flow|dp
TagRecord LowReynoldsWaterOrifice() {
    // Water at 100 psia and 68 deg F (62.3 lb/ft3, 1 cP) through a concentric orifice with
    // flange taps in a 2.067 in pipe: 15 000 lb/h at 50 inH2O, pipe Reynolds number 4.6e4.
    TagRecord r = quorven::NewTagRecord();
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Flow_RhoGZ = 62.3;
    r.Property_KFp = 1.0;
    r.Property_Visc = 1.0;
    r.Flow_Press = 100.0;
    r.Flow_Temp = 527.67;
    r.Pipe_NomDia = 2.0;
    r.Pipe_IDia = 2.067;
    r.Flow_Max = 15000.0;
    r.Flow_Norm = 15000.0;
    r.Dp_Max = 50.0;
    r.Dp_Norm = 50.0;
    r.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    r.Tap_Style = 1;
    return r;
}

TagRecord GasMeter(MeterType type, CalcStd standard) {
    TagRecord r = GasOrifice();
    r.Meter_Type = Code(type);
    r.Calc_Std = Code(standard);
    return r;
}

struct WatchCase {
    const char* name;
    TagRecord tag;
};

std::vector<WatchCase> WatchCases() {
    TagRecord small_bore = GasMeter(MeterType::SmallBoreOrifice, CalcStd::AsmeMfc14M);
    small_bore.Pipe_NomDia = 1.0;
    small_bore.Pipe_IDia = 1.049;
    small_bore.Flow_Max = 12500.0;
    small_bore.Flow_Norm = 10000.0;
    TagRecord integral = GasMeter(MeterType::IntegralOrifice, CalcStd::Miller3rd);
    integral.Meter_IFOASize = Code(IfoaSize::Square10);
    integral.Pipe_NomDia = 0.5;
    integral.Pipe_IDia = 0.622;
    integral.Flow_Max = 1250.0;
    integral.Flow_Norm = 1000.0;
    TagRecord abb_wedge = GasMeter(MeterType::WedgeAbb1610L, CalcStd::Miller3rd);
    TagRecord custom = GasMeter(MeterType::CustomOrifice, CalcStd::Miller3rd);
    custom.C = 0.6;  // the coefficient the user enters
    return {
        {"WaterOrificeLowRe", LowReynoldsWaterOrifice()},
        {"GasOrificeRhg1998", GasOrificeRhg1998FlangeTaps()},
        {"GasOrificeAga3_1985", GasMeter(MeterType::ConcentricOrifice, CalcStd::Buckingham1985)},
        {"GasOrificeStolz", GasMeter(MeterType::ConcentricOrifice, CalcStd::Stolz)},
        {"GasSegmentalOrifice", GasMeter(MeterType::SegmentalOrifice, CalcStd::Miller3rd)},
        {"GasEccentricOrifice", GasMeter(MeterType::EccentricOrifice, CalcStd::Miller3rd)},
        {"GasQuadrantOrifice", GasMeter(MeterType::QuadrantOrifice, CalcStd::Miller3rd)},
        {"GasSmallBoreOrifice", small_bore},
        {"GasIntegralOrifice", integral},
        {"GasConicOrifice", GasMeter(MeterType::ConicOrifice, CalcStd::Miller3rd)},
        {"GasLongRadiusNozzle", GasMeter(MeterType::AsmeLongRadiusNozzle, CalcStd::NozzleIso5167_3_2022)},
        {"GasThroatTapNozzle", GasMeter(MeterType::AsmeThroatTapNozzle, CalcStd::NozzlePtc6)},
        {"GasIsaNozzle", GasIsaNozzle()},
        {"GasVenturiNozzle", GasMeter(MeterType::VenturiNozzle, CalcStd::NozzleIso5167_3_2022)},
        {"GasVenturiMachined", GasMachinedVenturi()},
        {"GasVenturiPtc195", GasMeter(MeterType::VenturiPtc195, CalcStd::VenturiPtc195)},
        {"GasUvtFlowTube", GasMeter(MeterType::Uvt, CalcStd::Miller3rd)},
        {"GasLoLossFlowTube", GasMeter(MeterType::LoLoss, CalcStd::Miller3rd)},
        {"GasWedgeIso5167_6", GasMeter(MeterType::WedgeIso5167_6, CalcStd::Miller3rd)},
        {"GasWedgeAbb1610L", abb_wedge},
        {"GasCustomOrifice", custom},
    };
}

[[maybe_unused]] const bool kWatchRegistered = [] {
    for (const WatchCase& c : WatchCases()) {
        for (const auto& [solve, param] : {std::pair{"bore", kBore}, {"flow", kFlow}, {"dp", kDp}}) {
            const TagRecord tag = c.tag;
            benchmark::RegisterBenchmark(
                (std::string("BM_Watch/") + c.name + "/" + solve).c_str(),
                [tag, param = param](benchmark::State& s) { RunSolutions(s, tag, param); });
        }
    }
    return true;
}();

BENCHMARK(BM_CustomLiquidBore);
BENCHMARK(BM_CustomLiquidDp);
BENCHMARK(BM_CustomLiquidFlow);
BENCHMARK(BM_CalibratedWedgeLiquidBore);
BENCHMARK(BM_CalibratedWedgeLiquidDp);
BENCHMARK(BM_CalibratedWedgeLiquidFlow);
BENCHMARK(BM_GasOrificeBore);
BENCHMARK(BM_GasOrificeBoreRhg1998FlangeTaps);
BENCHMARK(BM_GasOrificeFlowRhg1998FlangeTaps);
BENCHMARK(BM_GasOrificeDpRhg1998FlangeTaps);
BENCHMARK(BM_GasIsaNozzleBore);
BENCHMARK(BM_GasIsaNozzleFlow);
BENCHMARK(BM_GasIsaNozzleDp);
BENCHMARK(BM_GasVenturiBore);
BENCHMARK(BM_GasVenturiFlow);
BENCHMARK(BM_GasVenturiDp);

}  // namespace
