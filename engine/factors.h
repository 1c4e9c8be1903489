#pragma once
// Correction factors of the flow equation besides C and Y: manometer Fm,
// drain/vent hole Fdh, water vapour Fwv, two-phase Fx, the thermal expansion
// factors Fa of element and pipe, and the differential reference factor Fd.
// Each is a small function of the record in internal units.

#include <functional>
#include <span>

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// Manometer factor Fm (mercury manometer with a seal fluid over the mercury):
// 1 unless Factor_Manometer is 1. May be non-finite for impossible inputs; the
// solvers refuse a factor that is not positive and finite.
double ManometerFactor(const TagRecord& r);

// Drain/vent hole factor Fdh for the record's Beta: 1 unless Factor_Drain is 1.
double DrainHoleFactor(const TagRecord& r);

// The standard drain/vent hole list: position 0 is "no hole".
struct DrainHole {
    double diameter_in;
    const char* text;  // Windows-1252 list text
};
std::span<const DrainHole> DrainHoleList();
// Diameter [in] of list position `position`; 0 outside the list.
double DrainHoleDiameter(int position);

// Saturation pressure of water [psia] at a temperature [deg F] (the steam tables).
using SatPressureFn = std::function<double(double T_F)>;

// Water vapour partial pressure [psia] by Factor_H2OvapSetup; `computed` tells
// whether it came from the steam tables (modes 1211 to 1213) or is the stored
// Factor_Pwv.
double WaterVapourPressure(const TagRecord& r, const SatPressureFn& psat, bool* computed);

// Water vapour factor Fwv; stores the computed partial pressure into Factor_Pwv
// (finite values only).
double WaterVapourFactor(TagRecord& r, const SatPressureFn& psat);

// Flowing density [lb/ft3] of a gas from the record's property input: Flow_RhoGZ
// for density input, the ideal-gas density with Zf otherwise; 0 when it has none.
double GasFlowingDensity(const TagRecord& r);

// Two-phase factor Fx: wet gas (vapour quality) or saturated liquid; 1 otherwise.
// Not checked: the solvers refuse an Fx that is not positive (Error #50).
double TwoPhaseFactor(const TagRecord& r);

// Linear thermal expansion coefficient [1/deg F] of material 1 to 40 at t [deg F],
// from the column below 70 deg F or the one at and above it.
double ExpansionCoefficient(int material, double t_F, bool upper_column);

// Thermal expansion factor of material 1 to 44 at T [deg R] relative to 68 deg F;
// `upper_column` as for ExpansionCoefficient. 0 for an unknown material.
double ThermalExpansionFactor(int material, double T_R, bool upper_column);

// Fa_Meter and Fa_Pipe from Matl_Elem, Matl_Pipe and Flow_Temp. A factor that is
// not positive (or not finite) becomes 1 with Warning #17 (element) or #18 (pipe).
void ThermalExpansion(TagRecord& r, MessageSink& sink);

// Density of pure water at one atmosphere [lb/ft3] at T [deg R]: fifth-degree
// polynomial in deg C giving kg/m3, converted with 16.018463 kg/m3 per lb/ft3.
double WaterDensity(double T_R);
// Differential reference factor: density of water at DpRefTemp over its density at
// 68 deg F (527.67 deg R). Exactly 1 at 527.67.
double DpReferenceFactor(double DpRefTemp_R);

}  // namespace quorven
