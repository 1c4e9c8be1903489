#pragma once
// The program's steam table, the 1967 IFC Formulation for Industrial
// Use (IFC-67) in US customary units, with the IAPS 1985 viscosity of water.
//
// Units at every interface: temperatures T_F in degrees F, pressures P_psia in psia,
// specific volumes v in ft3/lb, enthalpies h in Btu/lb, entropies s in Btu/(lb R),
// viscosities in cP, densities in lb/ft3.
//
// A CSteamTable is a working object for one operation: construct it, use it,
// discard it. Each routine keeps its last result in the object (never in static
// storage). A routine whose input is outside its range returns that remembered
// result (0 right after construction), or the special value the table gives it, and
// calls the out-of-range reporter when one is installed. The property sets check
// the range of every routine they use: they either deliver finite values or show
// their numbered message and deliver nothing.

#include <functional>
#include <optional>
#include <string_view>

#include "messages/messages.h"

namespace quorven {

// A saturated or superheated steam state as the steam commands store it in the
// record, each value rounded to the decimals noted beside it.
struct SteamProperties {
    double P_psia = 0.0;          // the pressure given, or the saturation pressure
    double T_F = 0.0;             // the temperature given, or the saturation temperature
    double T_R = 0.0;             // the temperature as stored in the record, deg R
    double density_lb_ft3 = 0.0;  // 5 decimals, at least 4 significant digits
    double viscosity_cP = 0.0;    // 5 decimals
    double k = 0.0;               // isentropic exponent, 4 decimals
};

// Compressed water (`CompressedWater`), not rounded.
struct CompressedWaterProperties {
    double density_lb_ft3 = 0.0;       // at the flowing P, T
    double base_density_lb_ft3 = 0.0;  // at the base Pb, Tb
    double viscosity_cP = 0.0;
    double vapour_pressure_psia = 0.0;  // SatPressure(T)
    double Fp = 1.0;
};

class CSteamTable {
public:
    // Called with the routine's label (for example "VPT2 (PIN,TIN)") and its inputs
    // (in2 = 0 for one-input routines) when an input is out of range or an iteration
    // does not converge. None is installed by default: out-of-range inputs are silent.
    using RangeReporter = std::function<void(std::string_view label, double in1, double in2)>;
    RangeReporter reporter;

    enum class Start { Liquid, Vapour };  // starting volume of VPT3

    // --- Saturation line (K-function) ---
    // Saturation pressure [psia], 32 <= T_F <= 705.47; outside: 0. Keeps dP/dT.
    double SatPressure(double T_F);
    // The same pressure without its slope (SatPressureSlope keeps its value).
    double SatPressureAlone(double T_F);
    // dP/dT [psi/F] at the last in-range SatPressure.
    double SatPressureSlope() const { return dpdt_; }
    // Saturation temperature [F], 0.088589 <= P_psia <= 3208.234758592228; outside: 0.
    // (A lower bound of 0.0088589 psia, sometimes printed, is a misprint: IFC-67 gives
    // 0.088589 psia at 32 deg F, and below it the secant cannot reach the pressure.)
    double SatTemperature(double P_psia);

    // --- Boundary of regions 2 and 3 (L-function) ---
    // Pressure [psia] on the boundary at T_F, 25 <= T_F <= 1600.
    double P23T(double T_F);

    // --- Compressed water ---
    // Specific volume [ft3/lb]: region 1 for T_F <= 662 (0 <= P_psia <= 16000,
    // -200 <= T_F); above 662, VPT3 with the liquid start.
    double VPT1(double P_psia, double T_F);
    // Enthalpy and entropy at the same state as VPT1 (not needed by the sizing: the steam
    // commands of quorven-cli print them).
    double HPT1(double P_psia, double T_F);
    double SPT1(double P_psia, double T_F);

    // --- Region 2 (steam), 0 <= P_psia <= 16000, -200 <= T_F <= 1600 ---
    double VPT2(double P_psia, double T_F);
    double HPT2(double P_psia, double T_F);
    double SPT2(double P_psia, double T_F);

    // --- Region 3 (with the sub-region 4 terms on the liquid side) ---
    // Pressure, enthalpy, entropy from v and T: 0.0207 <= v <= 0.143, 636 < T_F <= 1124.45.
    double COMT3(double v_ft3_lb, double T_F);
    double HVT3(double v_ft3_lb, double T_F);
    double SVT3(double v_ft3_lb, double T_F);
    // Specific volume by iteration on COMT3, 2002.78 <= P_psia <= 16000; outside:
    // the starting volume.
    double VPT3(double P_psia, double T_F, Start start);

    // --- Inverse and wet-steam routines ---
    // Temperature from P and h: 0 <= P_psia <= 16000, 500 <= h <= 1860.
    double TPH(double P_psia, double h_btu_lb);
    // Temperature from P and s: 0 <= P_psia <= 16000, 0.804 <= s <= 3.0.
    double TPS(double P_psia, double s_btu_lbR);
    // Specific volume from P and h (wet or superheated), as TPH.
    double VPH(double P_psia, double h_btu_lb);
    // Specific volume from P and s (wet or superheated), as TPS.
    double VPS(double P_psia, double s_btu_lbR);
    // Entropy from P and h (wet or superheated), 0 <= P_psia <= 16000, -1 <= h <= 1860.
    double SPH(double P_psia, double h_btu_lb);

    // --- Transport and derived properties ---
    // Dynamic viscosity [cP], IAPS 1985: kind 'W' water (volume from VPT1), 'S' steam
    // (volume from the vapour-side region choice).
    double SteamViscosity(double P_psia, double T_F, char kind);
    // Isentropic exponent of steam at P and T (ln(P/P2) / ln(v2/v1), P2 = 1.05 P).
    double SteamIsentropicExponent(double P_psia, double T_F);

    // --- Property sets (each on a freshly initialised object with this reporter) ---
    // Specific volume of water at 14.7 psia and 60 deg F, inverted [lb/ft3].
    static double ReferenceWaterDensity();
    // Error #18 when P_psia is outside 0.088589 to 3208.234758592228 or a property fails.
    std::optional<SteamProperties> SaturatedSteamAtPressure(double P_psia, MessageSink& sink) const;
    // Error #18 when T_F is outside 32 to 705.47 or a property fails.
    std::optional<SteamProperties> SaturatedSteamAtTemperature(double T_F, MessageSink& sink) const;
    // Error #18 when the state is liquid (P above the saturation pressure at or below
    // 705.47 deg F) or out of range.
    std::optional<SteamProperties> SuperheatedSteam(double P_psia, double T_F, MessageSink& sink) const;
    // Error #19 when the state is vapour (P below the saturation pressure) or T_F is
    // outside 32 to 705.47, or a property (flowing or base) is out of range.
    std::optional<CompressedWaterProperties> CompressedWater(double P_psia, double T_F, double Pb_psia,
                                                             double Tb_F, MessageSink& sink) const;

    // A steam state by the vapour-side region choice of the steam table (region 2 up to the
    // L-function from 462 deg F on, region 3 with the vapour start above it), or a
    // compressed-water state (region 1, or region 3 with the liquid start above 662
    // deg F). `region` is the IFC-67 sub-region used (1 to 4). Nothing when a routine
    // is out of range or a result is not finite.
    struct State {
        double v_ft3_lb = 0.0;
        double h_btu_lb = 0.0;
        double s_btu_lbR = 0.0;
        int region = 0;
    };
    std::optional<State> SteamState(double P_psia, double T_F);
    std::optional<State> WaterState(double P_psia, double T_F);

private:
    void Report(std::string_view label, double in1, double in2 = 0.0) const;
    std::optional<double> TrySatPressure(double T_F, double* dpdt);
    std::optional<double> TrySatTemperature(double P_psia);
    std::optional<double> TryP23T(double T_F);
    std::optional<State> TryRegion1(std::string_view label, double P_psia, double T_F);
    std::optional<State> TryRegion2(std::string_view label, double P_psia, double T_F);
    struct State3 {
        double P_psia, h_btu_lb, s_btu_lbR;
        int region;
    };
    std::optional<State3> TryRegion3(std::string_view label, double v_ft3_lb, double T_F);
    double StartVolume3(double P_psia, double T_F, Start start) const;
    std::optional<double> TryVPT3(double P_psia, double T_F, Start start);
    std::optional<State> TryWaterState(std::string_view label, double P_psia, double T_F);
    std::optional<State> TryVapourState(double P_psia, double T_F);
    std::optional<double> BracketVPT3(double P_psia, double T_F, Start start);
    // The iteration of TPH (entropy = false) and TPS (true) from T_lo up to 1600 deg F;
    // slope_blend > 0 averages the first slope with it.
    std::optional<double> InvertT(double P_psia, double target, bool entropy, double T_lo,
                                  double slope_blend);
    double LowestSearchT(double P_psia);
    std::optional<double> TryTPH(double P_psia, double h_btu_lb);
    std::optional<double> TryTPS(double P_psia, double s_btu_lbR);
    // Wet or superheated state at P with h (by_h) or s given: its volume and entropy.
    struct WetResult {
        double v_ft3_lb, s_btu_lbR;
    };
    std::optional<WetResult> TryWet(double P_psia, double value, bool by_h);
    std::optional<double> TryVPH(double P_psia, double h_btu_lb);
    std::optional<double> TryVPS(double P_psia, double s_btu_lbR);
    std::optional<double> TrySPH(double P_psia, double h_btu_lb);
    std::optional<double> TrySteamViscosity(double P_psia, double T_F, char kind);
    std::optional<double> TrySteamIsentropicExponent(double P_psia, double T_F);
    std::optional<SteamProperties> SaturatedSet(double P_psia, double T_F, MessageSink& sink);
    CSteamTable Fresh() const;

    // Remembered last results, 0 after construction.
    double psat_ = 0.0;  // saturation pressure
    double dpdt_ = 0.0;  // its temperature derivative
    double p23_ = 0.0;   // boundary pressure
    double p3_ = 0.0;    // region 3 pressure
    double v_ = 0.0;     // specific volume
    double h_ = 0.0;     // enthalpy
    double s_ = 0.0;     // entropy
    double t_ = 0.0;     // temperature (TPH, TPS)
    double mu_ = 0.0;    // viscosity
    double k_ = 0.0;     // isentropic exponent
};

}  // namespace quorven
