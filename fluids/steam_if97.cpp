// IAPWS-IF97 states and the steam commands' property sets in US customary units. The
// conversions are exact by the definitions of the units: 1 psi = 6894.757293168361 Pa,
// 1 lb/ft3 = 16.01846337396014 kg/m3, 1 Btu(IT)/lb = 2.326 kJ/kg, 1 Btu(IT)/(lb R) =
// 4.1868 kJ/(kg K), 1 ft = 0.3048 m, 1 cP = 1e-3 Pa s, T[K] = (T[F] + 459.67) / 1.8.

#include "fluids/steam_if97.h"

#include <cmath>

#include "fluids/fluid_units.h"
#include "fluids/if97.h"
#include "fluids/steam_rounding.h"
#include "record/constants.h"

namespace quorven::steam_if97 {
namespace {

using steam_rounding::RoundDensity;
using steam_rounding::RoundHalfUp;

constexpr double kMPaPerPsi = fluid_units::kPaPerPsi / 1e6;
constexpr double kKgM3PerLbFt3 = fluid_units::kKgM3PerLbFt3;
constexpr double kKJkgPerBtuLb = 2.326;
constexpr double kKJkgKPerBtuLbR = 4.1868;
constexpr double kMPerFt = 0.3048;
constexpr double kCpPerPaS = 1000.0;

double Kelvin(double T_F) {
    return (T_F + kRankineOffset) / kRankinePerKelvin;
}
double Fahrenheit(double T_K) {
    return T_K * kRankinePerKelvin - kRankineOffset;
}

State ToUs(const if97::State& st) {
    const if97::Props& o = st.props;
    State u;
    u.region = st.region;
    u.P_psia = o.p_MPa / kMPaPerPsi;
    u.T_F = Fahrenheit(o.T_K);
    u.rho_lb_ft3 = o.rho_kg_m3 / kKgM3PerLbFt3;
    u.v_ft3_lb = 1.0 / u.rho_lb_ft3;
    u.h_btu_lb = o.h_kJ_kg / kKJkgPerBtuLb;
    u.s_btu_lbR = o.s_kJ_kgK / kKJkgKPerBtuLbR;
    u.cp_btu_lbR = o.cp_kJ_kgK / kKJkgKPerBtuLbR;
    u.w_ft_s = o.w_m_s / kMPerFt;
    u.k = st.kappa;
    u.mu_cP = st.mu_Pa_s * kCpPerPaS;
    return u;
}

// What the steam commands store of a steam state; P and T as the caller reports them.
SteamProperties SteamSet(const if97::State& st, double P_psia, double T_F) {
    const State u = ToUs(st);
    SteamProperties p;
    p.P_psia = P_psia;
    p.T_F = T_F;
    p.T_R = RoundHalfUp(T_F, 3) + kRankineOffset;
    p.density_lb_ft3 = RoundDensity(u.rho_lb_ft3);
    p.viscosity_cP = RoundHalfUp(u.mu_cP, 5);
    p.k = RoundHalfUp(u.k, 4);
    return p;
}

bool Positive(double x) {
    return std::isfinite(x) && x > 0.0;
}

}  // namespace

std::optional<State> StatePT(double P_psia, double T_F) {
    const std::optional<if97::State> st = if97::StatePT(P_psia * kMPaPerPsi, Kelvin(T_F));
    if (!st) return std::nullopt;
    State u = ToUs(*st);
    u.P_psia = P_psia;  // as given, not its round trip through MPa
    u.T_F = T_F;
    return u;
}

std::optional<double> SatPressure(double T_F) {
    const std::optional<double> p = if97::SatPressure(Kelvin(T_F));
    if (!p) return std::nullopt;
    return *p / kMPaPerPsi;
}

std::optional<double> SatTemperature(double P_psia) {
    const std::optional<double> T = if97::SatTemperature(P_psia * kMPaPerPsi);
    if (!T) return std::nullopt;
    return Fahrenheit(*T);
}

std::optional<SteamProperties> SaturatedSteamAtPressure(double P_psia, MessageSink& sink) {
    const std::optional<double> Ts_K = if97::SatTemperature(P_psia * kMPaPerPsi);
    const std::optional<if97::State> st =
        Ts_K ? if97::SaturatedState(*Ts_K, if97::Side::Vapour) : std::nullopt;
    if (!st) {
        CError(sink).Show(msg::kErrLiquidState);
        return std::nullopt;
    }
    // The record takes the saturation temperature rounded to 4 decimals, then to 3 in deg R.
    return SteamSet(*st, P_psia, RoundHalfUp(Fahrenheit(*Ts_K), 4));
}

std::optional<SteamProperties> SaturatedSteamAtTemperature(double T_F, MessageSink& sink) {
    const std::optional<if97::State> st = if97::SaturatedState(Kelvin(T_F), if97::Side::Vapour);
    if (!st) {
        CError(sink).Show(msg::kErrLiquidState);
        return std::nullopt;
    }
    return SteamSet(*st, st->props.p_MPa / kMPaPerPsi, T_F);
}

std::optional<SteamProperties> SuperheatedSteam(double P_psia, double T_F, MessageSink& sink) {
    const double p = P_psia * kMPaPerPsi, T = Kelvin(T_F);
    std::optional<if97::State> st;
    const std::optional<double> ps = if97::SatPressure(T);
    if (ps && p == *ps)
        st = if97::SaturatedState(T, if97::Side::Vapour);
    else if (!ps || p < *ps)
        st = if97::StatePT(p, T);  // nothing below 32 deg F, above the range or for p <= 0
    if (!st) {
        CError(sink).Show(msg::kErrLiquidState);
        return std::nullopt;
    }
    return SteamSet(*st, P_psia, T_F);
}

std::optional<CompressedWaterProperties> CompressedWater(double P_psia, double T_F, double Pb_psia,
                                                         double Tb_F, MessageSink& sink) {
    const double p = P_psia * kMPaPerPsi, T = Kelvin(T_F);
    const double pb = Pb_psia * kMPaPerPsi, Tb = Kelvin(Tb_F);
    const std::optional<double> ps = if97::SatPressure(T);
    std::optional<if97::State> flowing;
    if (ps && p >= *ps) flowing = if97::StatePT(p, T);
    // The base state is read as water, as the IFC-67 table reads it with its region 1
    // equation: by eq. (7) up to 623.15 K, which the release says is reasonable also for
    // the metastable liquid just beyond the saturation line; above, a liquid state only.
    std::optional<double> base_rho;
    if (Tb >= if97::kTmin_K && Tb <= if97::kT13_K && pb > 0 && pb <= if97::kPmax_MPa) {
        base_rho = if97::Region1(pb, Tb).rho_kg_m3;
    } else if (const std::optional<if97::State> b = if97::StatePT(pb, Tb);
               b && b->props.rho_kg_m3 > if97::kRhoc_kg_m3) {
        base_rho = b->props.rho_kg_m3;
    }
    if (!flowing || !base_rho || !Positive(*base_rho)) {
        CError(sink).Show(msg::kErrVapourState);
        return std::nullopt;
    }
    const State u = ToUs(*flowing);
    CompressedWaterProperties w;
    w.density_lb_ft3 = u.rho_lb_ft3;
    w.base_density_lb_ft3 = *base_rho / kKgM3PerLbFt3;
    w.viscosity_cP = u.mu_cP;
    w.vapour_pressure_psia = *ps / kMPaPerPsi;
    w.Fp = 1.0;
    return w;
}

}  // namespace quorven::steam_if97
