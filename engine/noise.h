#pragma once
// Sound pressure level downstream of a critical-drop device or a pressure-drop
// restriction orifice, in dBA, for the Calculate command. Two estimators: a
// hydrodynamic one for liquids (with flashing and cavitation) and an aerodynamic one
// for gases and vapours built on the valve sizing equations of ANSI/ISA-75.01.01
// (IEC 60534-2-1). Both have a floor of 30 dBA.

#include <cstdint>
#include <optional>

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// Specific volume of water at 14.7 psia and 60 deg F [ft3/lb]: 1 / 999.01 kg/m3
// (IAPWS-95 density at 15.556 deg C, 101.325 kPa), 16.018463 ft3/lb per m3/kg.
inline constexpr double kWaterSpecificVolume60F = 0.016034;

// Critical pressure of water [psia], IAPWS (22.064 MPa), as the liquid critical
// pressure ratio factor uses it.
inline constexpr double kWaterCriticalPressurePsia = 3208.0;

// Outside diameter of steel pipe by nominal size [in], ASME B36.10M; from 14 in on
// the outside diameter is the nominal size. 0 for a size below 14 in that is not a
// standard nominal size (matched within 0.001 in).
double PipeOutsideDiameter(double nominal);

// Wall thickness [in] from the nominal size and the inside diameter [in]; not
// positive when the pipe has no known outside diameter or the inside diameter is too large.
double PipeWallThickness(double nominal, double inside);

// Ratio of the vena contracta diameter to sqrt(C) x bore, by meter type: 0.98 for
// orifice plates, 0.99 for nozzles, 1.0 for venturis, flow tubes and wedges. Every
// type has a coefficient (1.0 where none is listed), so it never divides by zero.
// The flashing and cavitation check of the Calculate command uses the same table.
double VenaContractaCoefficient(int32_t meter_type);

// ANSI/ISA-75.01.01 (IEC 60534-2-1), liquid critical pressure ratio factor:
// FF = 0.96 - 0.28 sqrt(Pv / Pc). Pv, Pc [psia].
double LiquidCriticalPressureRatioFactor(double Pv, double Pc);

// ANSI/ISA-75.01.01 (IEC 60534-2-1), choked liquid differential [psi]:
// w^2 (`Flow_Press` - FF `Property_MwDenVp`), w the recovery (vena contracta)
// coefficient. When the vapour pressure is not below the flowing pressure (or is
// negative or not a number) there is no choked differential: Error #13, nothing returned.
std::optional<double> ChokedLiquidDp(const TagRecord& r, double w, MessageSink& sink, bool interactive);

// Mean velocity [ft/s] of a liquid at `Flow_Norm` through a circle of diameter d
// [in]; 0 for a gas or an unknown fluid condition. `water_v60` [ft3/lb] turns a
// specific gravity into a density.
double LiquidThroatVelocity(const TagRecord& r, double d, double water_v60);

// Acoustic efficiency of the aerodynamic estimator at A = 0.84 C and pressure ratio
// r = P1 / P2: the curves for A = 0.6 to 1.0 in r, interpolated on A; 1e-10 outside
// 0.2 <= A <= 1.0 and wherever the curves give no positive value.
double AcousticEfficiency(double A, double r);

// Liquid outlet noise [dBA] of a critical-drop or restriction tag. Writes
// `Velocity_Vc`, `Velocity_Pipe` and `Outlet_Noise`. A flashing liquid gives 90 dBA.
// When the record does not allow a finite level (no bore, no wall thickness, no
// density...), Error #1, `Outlet_Noise` = 0 and nothing is returned; nothing
// infinite or NaN is ever stored.
std::optional<double> LiquidOutletNoise(TagRecord& r, MessageSink& sink, bool interactive,
                                        double water_v60 = kWaterSpecificVolume60F);

// Gas or vapour outlet noise [dBA]. `critical_pressure` [psia] is the choked
// downstream pressure of the device (`CriticalPressure` of the record), used in
// critical-drop mode. Writes `Outlet_Noise`; failures as for the liquid.
std::optional<double> GasOutletNoise(TagRecord& r, double critical_pressure, MessageSink& sink,
                                     bool interactive);

// The estimator of the tag's fluid: `LiquidOutletNoise` for fluid equations 1345 and
// 1346, `GasOutletNoise` for every other. Calculate runs it after sizing a
// critical-drop device or a restriction orifice (not in batch runs).
std::optional<double> OutletNoise(TagRecord& r, double critical_pressure, MessageSink& sink,
                                  bool interactive);

}  // namespace quorven
