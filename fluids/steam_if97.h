#pragma once
// The steam table by IAPWS-IF97 (fluids/if97.h) in the program's US customary units, beside
// the IFC-67 table of CSteamTable: temperatures in degrees F, pressures in psia, densities in
// lb/ft3, enthalpies in Btu/lb, entropies and heat capacities in Btu/(lb R), speeds in ft/s,
// viscosities in cP. The property sets deliver what the steam commands store, as
// CSteamTable's do, or show Error #18 (steam) or #19 (compressed water) and deliver nothing.

#include <optional>

#include "fluids/fluid_units.h"
#include "fluids/steam_ifc67.h"
#include "messages/messages.h"

namespace quorven::steam_if97 {

// Ends of the saturation line in US units: 273.15 K and ps(273.15 K) = 611.212677 Pa, and the
// critical point 647.096 K, 22.064 MPa.
inline constexpr double kSatTMin_F = 32.0;
inline constexpr double kSatPMin_psia = 611.212677 / fluid_units::kPaPerPsi;  // 0.088649
inline constexpr double kTc_F = 647.096 * 1.8 - 459.67;                       // 705.1028
inline constexpr double kPc_psia = 22.064e6 / fluid_units::kPaPerPsi;         // 3200.1126
// The formulation's range: 273.15 K (32 deg F) to 2273.15 K, to 100 MPa up to 1073.15 K and
// to 50 MPa above.
inline constexpr double kTMax_F = 2273.15 * 1.8 - 459.67;  // 3632

// One (P, T) state.
struct State {
    int region = 0;  // IAPWS-IF97 region: 1, 2, 3 or 5
    double P_psia = 0.0, T_F = 0.0;
    double v_ft3_lb = 0.0, rho_lb_ft3 = 0.0;
    double h_btu_lb = 0.0, s_btu_lbR = 0.0, cp_btu_lbR = 0.0;
    double w_ft_s = 0.0;
    double k = 0.0;  // isentropic exponent -(v/P)(dP/dv)_s
    double mu_cP = 0.0;
};

// The state the formulation assigns to (P, T); nothing outside its range.
std::optional<State> StatePT(double P_psia, double T_F);
// Saturation pressure [psia] at T_F (32 to 705.1028 deg F) and saturation temperature [F] at
// P_psia (0.088649 to the critical 3200.1126 psia); nothing outside.
std::optional<double> SatPressure(double T_F);
std::optional<double> SatTemperature(double P_psia);

// The property sets of the steam commands, with the IFC-67 sets' rounding and messages:
// saturated steam at a pressure or a temperature (Error #18 off the saturation line's range),
// superheated steam (Error #18 when liquid or outside the formulation), compressed water
// (Error #19 when vapour or T outside 32 to 705.1028 deg F). The isentropic exponent is the
// formulation's own, rho w^2 / P.
std::optional<SteamProperties> SaturatedSteamAtPressure(double P_psia, MessageSink& sink);
std::optional<SteamProperties> SaturatedSteamAtTemperature(double T_F, MessageSink& sink);
std::optional<SteamProperties> SuperheatedSteam(double P_psia, double T_F, MessageSink& sink);
std::optional<CompressedWaterProperties> CompressedWater(double P_psia, double T_F, double Pb_psia,
                                                         double Tb_F, MessageSink& sink);

}  // namespace quorven::steam_if97
