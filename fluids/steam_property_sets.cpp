// Viscosity, isentropic exponent and the property sets of the steam table.
// The property sets check every routine they use: a state they cannot evaluate
// shows Error #18 (steam) or #19 (compressed water) and delivers nothing.

#include <algorithm>
#include <cmath>
#include <utility>

#include "fluids/iaps1985_viscosity.h"
#include "fluids/steam_ifc67.h"
#include "fluids/steam_rounding.h"
#include "record/constants.h"

namespace quorven {
namespace {

constexpr double kTc_F = 705.47;
constexpr double kPc_psia = 3208.234758592228;
constexpr double kSatPMin_psia = 0.088589;  // see CSteamTable::SatTemperature
// lb/ft3 to kg/m3: 0.45359237 kg / (0.3048 m)^3, exact by definition of the units.
constexpr double kKgM3PerLbFt3 = 0.45359237 / (0.3048 * 0.3048 * 0.3048);
constexpr double kCpPerPaS = 1000.0;

using steam_rounding::RoundDensity;
using steam_rounding::RoundHalfUp;

bool Positive(double x) {
    return std::isfinite(x) && x > 0.0;
}

}  // namespace

// --- Viscosity and isentropic exponent ---

std::optional<double> CSteamTable::TrySteamViscosity(double P_psia, double T_F, char kind) {
    std::optional<State> st;
    if (kind == 'W')
        st = TryWaterState("SteamViscosity VPT1 (PIN,TIN)", P_psia, T_F);
    else if (kind == 'S')
        st = SteamState(P_psia, T_F);
    else
        Report("SteamViscosity kind (PIN,TIN)", P_psia, T_F);
    if (!st || !Positive(st->v_ft3_lb)) return std::nullopt;
    const double rho_kg_m3 = kKgM3PerLbFt3 / st->v_ft3_lb;
    const double T_K = (T_F + kRankineOffset) / 1.8;
    const double mu_cP = iaps1985::WaterViscosity(T_K, rho_kg_m3) * kCpPerPaS;
    if (!Positive(mu_cP)) return std::nullopt;
    return mu_cP;
}

double CSteamTable::SteamViscosity(double P_psia, double T_F, char kind) {
    const std::optional<double> mu = TrySteamViscosity(P_psia, T_F, kind);
    if (mu) mu_ = *mu;
    return mu_;
}

// Along the isentrope through (P, T) from P to P2 = 1.05 P,
// k = ln(P/P2) / ln(v2/v1), with the state at P2 found from its entropy. Where
// that state lies beyond the table (above 1600 deg F, or above 16000 psia) the
// step is taken the other way, to P2 = P / 1.05, so that every state of the
// stated range has an exponent; the same formula holds for either side.
std::optional<double> CSteamTable::TrySteamIsentropicExponent(double P_psia, double T_F) {
    const std::optional<State> st = SteamState(P_psia, T_F);
    if (!st) return std::nullopt;
    double P2 = 1.05 * P_psia;
    // s1 = SPH(P, h1) and v1 = VPH(P, h1) come from the same wet-or-superheated
    // evaluation; VPH's range (the narrower of the two) is checked first.
    if (!(st->h_btu_lb >= 500.0 && st->h_btu_lb <= 1860.0)) {
        Report("SteamIsentropicExponent VPH (PIN,HIN)", P_psia, st->h_btu_lb);
        return std::nullopt;
    }
    const std::optional<WetResult> state1 = TryWet(P_psia, st->h_btu_lb, true);
    if (!state1) return std::nullopt;
    const double v1 = state1->v_ft3_lb;
    std::optional<double> v2;
    {
        // The step up is the usual one; its failure at the edge is no fault.
        const RangeReporter quiet = std::exchange(reporter, nullptr);
        v2 = TryVPS(P2, state1->s_btu_lbR);
        reporter = quiet;
    }
    if (!v2) {
        P2 = P_psia / 1.05;
        v2 = TryVPS(P2, state1->s_btu_lbR);
    }
    if (!v2) return std::nullopt;
    if (!Positive(v1) || !Positive(*v2) || *v2 == v1) return std::nullopt;
    const double k = std::log(P_psia / P2) / std::log(*v2 / v1);
    if (!Positive(k)) return std::nullopt;
    return k;
}

double CSteamTable::SteamIsentropicExponent(double P_psia, double T_F) {
    const std::optional<double> k = TrySteamIsentropicExponent(P_psia, T_F);
    if (k) k_ = *k;
    return k_;
}

// --- Property sets ---

CSteamTable CSteamTable::Fresh() const {
    CSteamTable t;
    t.reporter = reporter;
    return t;
}

double CSteamTable::ReferenceWaterDensity() {
    CSteamTable t;
    return 1.0 / t.VPT1(14.7, 60.0);
}

// Density, viscosity and exponent of steam at (P, T), rounded; nothing when a routine fails.
std::optional<SteamProperties> CSteamTable::SaturatedSet(double P_psia, double T_F, MessageSink& sink) {
    const std::optional<State> st = SteamState(P_psia, T_F);
    const std::optional<double> mu = TrySteamViscosity(P_psia, T_F, 'S');
    const std::optional<double> k = TrySteamIsentropicExponent(P_psia, T_F);
    if (!st || !mu || !k) {
        CError(sink).Show(msg::kErrLiquidState);
        return std::nullopt;
    }
    SteamProperties p;
    p.P_psia = P_psia;
    p.T_F = T_F;
    p.T_R = T_F + kRankineOffset;
    p.density_lb_ft3 = RoundDensity(1.0 / st->v_ft3_lb);
    p.viscosity_cP = RoundHalfUp(*mu, 5);
    p.k = RoundHalfUp(*k, 4);
    return p;
}

std::optional<SteamProperties> CSteamTable::SaturatedSteamAtPressure(double P_psia, MessageSink& sink) const {
    CSteamTable t = Fresh();
    const std::optional<double> Ts =
        (P_psia >= kSatPMin_psia && P_psia <= kPc_psia) ? t.TrySatTemperature(P_psia) : std::nullopt;
    if (!Ts) {
        CError(sink).Show(msg::kErrLiquidState);
        return std::nullopt;
    }
    std::optional<SteamProperties> p = t.SaturatedSet(P_psia, RoundHalfUp(*Ts, 4), sink);
    // The record takes the saturation temperature rounded to 3 decimals, in deg R.
    if (p) p->T_R = RoundHalfUp(p->T_F, 3) + kRankineOffset;
    return p;
}

std::optional<SteamProperties> CSteamTable::SaturatedSteamAtTemperature(double T_F, MessageSink& sink) const {
    CSteamTable t = Fresh();
    const std::optional<double> P =
        (T_F >= 32.0 && T_F <= kTc_F) ? t.TrySatPressure(T_F, nullptr) : std::nullopt;
    if (!P) {
        CError(sink).Show(msg::kErrLiquidState);
        return std::nullopt;
    }
    std::optional<SteamProperties> p = t.SaturatedSet(*P, T_F, sink);
    if (p) p->T_R = RoundHalfUp(p->T_F, 3) + kRankineOffset;
    return p;
}

std::optional<SteamProperties> CSteamTable::SuperheatedSteam(double P_psia, double T_F,
                                                             MessageSink& sink) const {
    CSteamTable t = Fresh();
    // Accepted when P <= Psat(T) (32 to 705.47 deg F) or T is above 705.47;
    // a non-positive pressure has no steam state either.
    bool accepted = false;
    if (P_psia > 0.0 && T_F > kTc_F) {
        accepted = true;
    } else if (P_psia > 0.0 && T_F >= 32.0 && T_F <= kTc_F) {
        const std::optional<double> Psat = t.TrySatPressure(T_F, nullptr);
        accepted = Psat && P_psia <= *Psat;
    }
    if (!accepted) {
        CError(sink).Show(msg::kErrLiquidState);
        return std::nullopt;
    }
    return t.SaturatedSet(P_psia, T_F, sink);
}

std::optional<CompressedWaterProperties> CSteamTable::CompressedWater(double P_psia, double T_F,
                                                                      double Pb_psia, double Tb_F,
                                                                      MessageSink& sink) const {
    CSteamTable t = Fresh();
    const std::optional<double> Psat =
        (T_F >= 32.0 && T_F <= kTc_F) ? t.TrySatPressure(T_F, nullptr) : std::nullopt;
    std::optional<State> flowing, base;
    std::optional<double> mu;
    if (Psat && P_psia >= *Psat) {
        flowing = t.TryWaterState("CompressedWater VPT1 (PIN,TIN)", P_psia, T_F);
        base = t.TryWaterState("CompressedWater VPT1 (PBIN,TBIN)", Pb_psia, Tb_F);
        mu = t.TrySteamViscosity(P_psia, T_F, 'W');
    }
    if (!flowing || !base || !mu) {
        CError(sink).Show(msg::kErrVapourState);
        return std::nullopt;
    }
    CompressedWaterProperties w;
    w.density_lb_ft3 = 1.0 / flowing->v_ft3_lb;
    w.base_density_lb_ft3 = 1.0 / base->v_ft3_lb;
    w.viscosity_cP = *mu;
    w.vapour_pressure_psia = *Psat;
    w.Fp = 1.0;
    return w;
}

}  // namespace quorven
