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
#include <string>

#include "engine/calculate.h"
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

}  // namespace

int main() {
    SweepSizings();
    SweepSteam();
    return 0;
}
