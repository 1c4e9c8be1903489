// Prints the results of a wide sweep of sizings and steam states, one line per
// case: the results as the form shows them and the stored values to the last
// bit. Run it before and after a change to the engine's arithmetic and compare
// the two outputs (bench/compare_sweeps.py) to see which shown digits and which
// stored bits moved.
//
//   quorven_result_sweep > before.txt

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <utility>

#include "engine/calculate.h"
#include "fluids/aga8_detail.h"
#include "fluids/steam_ifc67.h"
#include "form/result_rows.h"
#include "record/choice_codes.h"

namespace {

using namespace quorven;

constexpr MeterType kMeters[] = {
    MeterType::ConcentricOrifice,
    MeterType::SegmentalOrifice,
    MeterType::EccentricOrifice,
    MeterType::QuadrantOrifice,
    MeterType::SmallBoreOrifice,
    MeterType::IntegralOrifice,
    MeterType::ConicOrifice,
    MeterType::AsmeLongRadiusNozzle,
    MeterType::AsmeThroatTapNozzle,
    MeterType::IsaNozzle,
    MeterType::VenturiNozzle,
    MeterType::VenturiMachined,
    MeterType::VenturiRoughCast,
    MeterType::VenturiWeldedSheet,
    MeterType::VenturiPtc195,
    MeterType::Uvt,
    MeterType::LoLoss,
    MeterType::WedgeIso5167_6,
    MeterType::WedgeMiller,
    MeterType::WedgeAbb1610L,
    MeterType::WedgeAbb1337L,
    MeterType::CustomThroatTapNozzle,
    MeterType::CustomOrifice,
    MeterType::CustomWedge,
};

constexpr CalcStd kStandards[] = {
    CalcStd::Stolz,
    CalcStd::ReaderHarris1992,
    CalcStd::ReaderHarris2012,
    CalcStd::Buckingham1985,
    CalcStd::ReaderHarrisGallagher1998,
    CalcStd::AsmeMfc14M,
    CalcStd::Miller3rd,
    CalcStd::IsoTr15377,
    CalcStd::OrificePtc195,
    CalcStd::NozzleAsmeMfc3M1989,
    CalcStd::NozzleIso5167_1991,
    CalcStd::NozzleRhg1998,
    CalcStd::NozzleIso5167_3_2022,
    CalcStd::NozzlePtc6,
    CalcStd::NozzlePtc195,
    CalcStd::VenturiAsmeMfc3M1989,
    CalcStd::VenturiIso5167_1991,
    CalcStd::VenturiIso5167_4_2022,
    CalcStd::VenturiPtc195,
};

// Gas by specific gravity at base conditions, water vapour at the flowing temperature.
TagRecord GasVolume() {
    TagRecord r = NewTagRecord();
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
    r.Factor_H2OvapSetup = Code(H2OvapSetup::FlowingTemp);
    r.Factor_H2OvapIncl = 1;
    return r;
}

// Gas by molar mass, mass flow, relative humidity.
TagRecord GasMass() {
    TagRecord r = GasVolume();
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.Fluid_Condition = Code(FluidCondition::GasFlowing);
    r.Fluid_Property = Code(FluidProperty::GasMW);
    r.Property_MwDenVp = 28.9;
    r.Property_KFp = 1.4;
    r.Property_Visc = 0.018;
    r.Flow_Press = 45.0;
    r.Flow_Temp = 600.0;
    r.Flow_RhoGZ = 0.999;
    r.Factor_H2OvapSetup = Code(H2OvapSetup::RelHumidity);
    r.Factor_PwvEdit = 60.0;
    return r;
}

TagRecord Liquid() {
    TagRecord r = NewTagRecord();
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Flow_RhoGZ = 55.0;
    r.Property_KFp = 1.02;
    r.Property_Visc = 2.0;
    r.Flow_Press = 100.0;
    r.Flow_Temp = 527.67;
    return r;
}

uint64_t Fnv(const void* p, size_t n) {
    uint64_t h = 1469598103934665603ull;
    const auto* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    return h;
}

void Print(const char* solve, const std::string& id, bool ok, const TagRecord& r) {
    std::string shown;
    if (ok) {
        for (const ResultLine& line : BuildResultView(r).lines)
            shown += line.label + "=" + line.value + " " + line.unit + "|";
    }
    std::printf("%s %s %d | %s # %016" PRIx64 " %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g\n",
                id.c_str(), solve, ok ? 1 : 0, shown.c_str(), Fnv(&r, sizeof r), r.Beta, r.Bore, r.C, r.Y,
                r.Flow_Norm, r.Dp_Norm, r.Rd, r.Factor_Pwv);
}

void SweepSizings() {
    NullMessageSink sink;
    const TagRecord fluids[] = {GasVolume(), GasMass(), Liquid()};
    const double diameters[] = {2.067, 4.026, 11.938};
    const double betas[] = {0.25, 0.45, 0.6, 0.72};
    const double dps[] = {25.0, 100.0};
    char id[160];
    for (MeterType meter : kMeters) {
        for (int s = -1; s < static_cast<int>(std::size(kStandards)); ++s) {
            for (int tap = 1; tap <= 4; ++tap) {
                for (int f = 0; f < 3; ++f) {
                    for (double D : diameters) {
                        for (double beta : betas) {
                            for (double dp : dps) {
                                std::snprintf(id, sizeof id, "m%d s%d t%d f%d D%g b%g dp%g", Code(meter),
                                              s < 0 ? 0 : Code(kStandards[s]), tap, f, D, beta, dp);
                                TagRecord tag = fluids[f];
                                tag.Meter_Type = Code(meter);
                                if (s >= 0) tag.Calc_Std = Code(kStandards[s]);
                                tag.Tap_Style = tap;
                                tag.Pipe_IDia = D;
                                tag.Bore = beta * D;
                                tag.SegHs = beta * D;
                                tag.C = 0.6;
                                tag.Dp_Norm = dp;
                                tag.Dp_Max = 1.5 * dp;
                                tag.Flow_Norm = 1.0;
                                tag.Flow_Max = 1.25;
                                tag.Calc_SizeParam = Code(SizeParam::Flow);
                                TagRecord flow = tag;
                                const bool ok_flow = CCalculate(sink).SizeFlow(flow, false);
                                Print("flow", id, ok_flow, flow);
                                if (!ok_flow) continue;

                                TagRecord bore = tag;
                                bore.Flow_Norm = flow.Flow_Norm;
                                bore.Flow_Max = flow.Flow_Max;
                                bore.Calc_SizeParam = Code(SizeParam::Bore);
                                Print("bore", id, CCalculate(sink).SizeBore(bore, false), bore);

                                TagRecord dpr = tag;
                                dpr.Flow_Norm = 0.8 * flow.Flow_Norm;
                                dpr.Flow_Max = flow.Flow_Max;
                                dpr.Calc_SizeParam = Code(SizeParam::Dp);
                                Print("dp", id, CCalculate(sink).SizeDp(dpr, false), dpr);
                            }
                        }
                    }
                }
            }
        }
    }
}

// Every fluid input of the flow equation (the twelve rows of the sizing factor and of
// the Reynolds number, and the gas-mass rows at base), plain, wet or saturated, with and
// without a drain hole, through four meters whose coefficients take the Reynolds number
// on the pipe or on the bore or not at all.
void SweepFluidInputs() {
    NullMessageSink sink;
    constexpr int32_t kInputs[][3] = {
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG)},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidDensity)},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG)},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity)},
        {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG)},
        {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW)},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasDensity)},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
    };
    constexpr std::pair<MeterType, CalcStd> kMetersOfInputs[] = {
        {MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998},
        {MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022},
        {MeterType::IsaNozzle, CalcStd::NozzleIso5167_3_2022},
        {MeterType::AsmeThroatTapNozzle, CalcStd::NozzlePtc6},
    };
    char id[160];
    for (const auto& [meter, standard] : kMetersOfInputs) {
        for (const auto& input : kInputs) {
            const bool liquid = input[0] < Code(FluidEquation::GasVolume);
            const bool density =
                input[2] == Code(FluidProperty::GasDensity) || input[2] == Code(FluidProperty::LiquidDensity);
            for (int variant = 0; variant < 4; ++variant) {  // plain, wet or saturated, flashing, drain hole
                for (double D : {2.067, 7.981}) {
                    for (double beta : {0.3, 0.55, 0.7}) {
                        for (double dp : {20.0, 150.0}) {
                            std::snprintf(id, sizeof id, "fi m%d e%d c%d p%d v%d D%g b%g dp%g", Code(meter),
                                          input[0], input[1], input[2], variant, D, beta, dp);
                            TagRecord tag = NewTagRecord();
                            tag.Meter_Type = Code(meter);
                            tag.Calc_Std = Code(standard);
                            tag.Fluid_Equation = input[0];
                            tag.Fluid_Condition = input[1];
                            tag.Fluid_Property = input[2];
                            tag.Flow_Temp = 560.0;
                            if (liquid) {
                                tag.Property_KFp = 1.02;
                                tag.Property_Visc = 1.7;
                                tag.Property_MwDenVp = 5.0;
                                tag.Flow_Press = 150.0;
                                tag.Flow_RhoGZ = density ? 53.0 : 0.85;
                                tag.Base_RhoGZ = density ? 54.0 : 0.86;
                                if (variant == 1 || variant == 2) {
                                    tag.Factor_SatLiq = 1;
                                    tag.Factor_QualX = variant == 1 ? 0.0 : 4.0;
                                    tag.Factor_QualRho = 0.6;
                                }
                            } else {
                                tag.Property_KFp = 1.31;
                                tag.Property_Visc = 0.0125;
                                tag.Flow_Press = 450.0;
                                tag.Flow_RhoGZ = density ? 1.7 : 0.93;
                                tag.Base_RhoGZ = density ? 0.047 : 0.997;
                                tag.Property_MwDenVp = input[2] == Code(FluidProperty::GasMW) ? 19.1 : 0.66;
                                if (variant == 1 || variant == 2) {
                                    tag.Factor_VapQual = 1;
                                    tag.Factor_QualX = variant == 1 ? 97.0 : 88.0;
                                    tag.Factor_QualRho = 48.0;
                                }
                            }
                            if (variant == 3) {
                                tag.Factor_Drain = 1;
                                tag.Factor_DrainDia = 0.125;
                            }
                            tag.Pipe_IDia = D;
                            tag.Bore = beta * D;
                            tag.Dp_Norm = dp;
                            tag.Dp_Max = 1.5 * dp;
                            tag.Flow_Norm = 1.0;
                            tag.Flow_Max = 1.25;
                            tag.Calc_SizeParam = Code(SizeParam::Flow);
                            TagRecord flow = tag;
                            const bool ok_flow = CCalculate(sink).SizeFlow(flow, false);
                            Print("flow", id, ok_flow, flow);
                            if (!ok_flow) continue;
                            TagRecord bore = tag;
                            bore.Flow_Norm = flow.Flow_Norm;
                            bore.Flow_Max = flow.Flow_Max;
                            bore.Calc_SizeParam = Code(SizeParam::Bore);
                            Print("bore", id, CCalculate(sink).SizeBore(bore, false), bore);
                            TagRecord dpr = tag;
                            dpr.Flow_Norm = 0.8 * flow.Flow_Norm;
                            dpr.Flow_Max = flow.Flow_Max;
                            dpr.Calc_SizeParam = Code(SizeParam::Dp);
                            Print("dp", id, CCalculate(sink).SizeDp(dpr, false), dpr);
                        }
                    }
                }
            }
        }
    }
}

void SweepSteam() {
    CSteamTable steam;
    for (double T = 32.0; T <= 705.0; T += 0.37) {
        const double p = steam.SatPressure(T);
        std::printf("psat T%.2f | %.6g # %.17g %.17g\n", T, p, p, steam.SatPressureSlope());
    }
    for (double P = 1.0; P <= 5000.0; P *= 1.07) {
        const double Ts = P <= 3208.0 ? steam.SatTemperature(P) : 705.47;
        for (double T = 100.0; T <= 1600.0; T += 7.3) {
            double v = 0.0, h = 0.0, k = 0.0;
            if (T < Ts && T <= 662.0) {
                v = steam.VPT1(P, T);
                h = steam.HPT1(P, T);
            } else if (T > Ts + 1.0) {
                v = steam.VPT2(P, T);
                h = steam.HPT2(P, T);
                k = steam.SteamIsentropicExponent(P, T);
            }
            std::printf("pt P%.4f T%.2f | %.6g %.6g %.6g # %.17g %.17g %.17g\n", P, T, v, h, k, v, h, k);
        }
    }
}

// AGA 8 Detail: molar mass, Zb, Db, Zf and Df of gases from three to 21 components over
// the method's extended range.
void SweepAga8() {
    struct Gas {
        const char* name;
        std::array<double, aga8::kComponentCount> x;  // mole fractions by AGA number
    };
    const Gas gases[] = {
        // NIST's 21-component check gas (AGA8CODE), re-indexed to the 1994 numbering.
        {"nist21",
         {0.77824, 0.02,   0.06,    0.08,    0.03,    0.0001,  0.0025,  0.004,   0.002, 0.005, 0.0015,
          0.003,   0.0005, 0.00165, 0.00215, 0.00088, 0.00024, 0.00015, 0.00009, 0.007, 0.001}},
        // AGA Report No. 8 (1994), Table A.3-1: the Gulf Coast and Amarillo gases.
        {"gulf",
         {0.965222, 0.002595, 0.005956, 0.018186, 0.004596, 0, 0, 0, 0, 0, 0.000977, 0.001007, 0.000473,
          0.000324, 0.000664}},
        {"amarillo",
         {0.906724, 0.031284, 0.004676, 0.045279, 0.00828, 0, 0, 0, 0, 0, 0.001037, 0.001563, 0.000321,
          0.000443, 0.000393}},
        {"methane", {1.0}},
        {"co2_n2", {0.8, 0.1, 0.1}},
        {"sour_wet", {0.85, 0.01, 0.04, 0.03, 0.01, 0.005, 0.05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.005}},
        {"hydrogen",
         {0.7, 0.02, 0.01, 0.02, 0, 0, 0, 0.2, 0.03, 0.01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.005, 0.005}},
    };
    const double pressures_MPa[] = {0.1, 1.0, 5.0, 12.0, 17.5, 35.0, 70.0};
    const double temperatures_K[] = {250.0, 275.0, 300.0, 350.0, 400.0, 500.0};
    for (const Gas& g : gases) {
        int numbers[aga8::kComponentCount];
        double amounts[aga8::kComponentCount];
        size_t n = 0;
        for (int i = 0; i < aga8::kComponentCount; ++i) {
            if (g.x[i] > 0.0) {
                numbers[n] = i + 1;
                amounts[n++] = 100.0 * g.x[i];
            }
        }
        for (double P : pressures_MPa) {
            for (double T : temperatures_K) {
                CFluidAGA8NaturalGas gas;
                const auto r =
                    gas.Compute(std::span<const int>(numbers, n), std::span<const double>(amounts, n), P, T);
                if (!r) {
                    std::printf("aga8 %s P%g T%g 0 | # 0\n", g.name, P, T);
                    continue;
                }
                std::printf("aga8 %s P%g T%g 1 | %.4f %.6f %.6f # 0 %.17g %.17g %.17g %.17g %.17g\n", g.name,
                            P, T, r->MW, r->Zb, r->Zf, r->MW, r->Zb, r->Db, r->Zf, r->Df);
            }
        }
    }
}

}  // namespace

int main() {
    SweepSizings();
    SweepFluidInputs();
    SweepSteam();
    SweepAga8();
    return 0;
}
