#pragma once
// Conversions between internal units (psia, inH2O, deg R, lb/ft3, cP, ft/s, ft/s2,
// in, scfh / acfh / lb/h / bbl/d) and the user units a tag has selected, and the
// selection of units into a tag record.

#include <cstdint>
#include <optional>

#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

// Quantities a user reads and types.
enum class Quantity {
    Flow,              // the current flow kind, Unit_Flow
    Pressure,          // flowing pressure: Pressure list, gauge or absolute
    BasePressure,      // AbsPressure list, Unit_BasePress
    AtmPressure,       // atmospheric and vapour pressure: AbsPressure, Unit_AtmPress
    DiffPressure,      // Unit_Dpress
    Temperature,       // flowing temperature, Unit_Temp_Set
    BaseTemperature,   // Unit_BaseTemp_Set
    DpRefTemperature,  // Unit_DpRefTemp_Set
    Density,           // Unit_Dens (lb/ft3 per user unit)
    Viscosity,         // Unit_Visc
    Velocity,          // Unit_Velo
    Gravity,           // local gravity, Unit_Glocal
    Bore,              // bore and pipe inside diameter, Unit_Bore
    PipeSize,          // nominal pipe size, Unit_Pipe
};

// The list a quantity selects from (Flow: the list of the record's flow kind).
std::optional<UnitList> ListOf(const TagRecord& r, Quantity q);

// --- Pure conversions -------------------------------------------------------
// Factor lists: user = internal x factor.
double ScaleToUser(double internal, double factor);
// Density: user = internal / factor.
double DensityToUser(double lb_ft3, double factor);
double DensityFromUser(double typed, double factor);
// Gauge pressure [psia in, user gauge units out]: (P - Patm) x factor; an internal
// pressure of exactly 0 (never entered) shows as 0.
double GaugePressureToUser(double psia, double factor, double atm_psia);
double GaugePressureFromUser(double typed, double factor, double atm_psia);
// Temperature by Temperature-list index (0 deg F, 1 deg R, 2 deg C, 3 deg K); an
// internal 0 deg R (never entered) shows as 0 in every scale. An index outside the
// list is read as deg F, the default selection.
double TemperatureToUser(int32_t index, double rankine);
double TemperatureFromUser(int32_t index, double typed);

// --- Record conversions -----------------------------------------------------
// The record's factor for q; a stored factor that is not finite and positive
// (damaged or never set) is replaced by the default list's factor at the record's
// selection, so a conversion never divides by zero.
double FactorOf(const TagRecord& r, Quantity q);

// Internal value as the user sees it in the record's selected unit.
double ToUser(const TagRecord& r, Quantity q, double internal);

// Typed value in the record's unit to internal units. Returns false, leaving
// internal untouched, when typed or the result is not finite.
bool FromUser(const TagRecord& r, Quantity q, double typed, double& internal);

// --- Flow kinds and unit selection -----------------------------------------
enum class FlowKind : int {
    GasBase = 1,
    GasFlowing = 2,
    GasMass = 3,
    LiquidBase = 4,
    LiquidFlowing = 5,
    LiquidMass = 6,
};

UnitList FlowListOf(FlowKind k);
// The flow kind of a record from Fluid_Equation, Fluid_Condition and
// Fluid_Property; nullopt when no row of the flow-kind table matches.
std::optional<FlowKind> FlowKindOf(const TagRecord& r);
// The record's per-kind selection field.
int32_t& FlowSelection(TagRecord& r, FlowKind k);
int32_t FlowSelection(const TagRecord& r, FlowKind k);

// Chooses flow unit `index` of the record's flow kind: stores it in Unit_Flow_Set
// and the kind's selection field, copies the name into Unit_Flow_Text and the
// factor into Unit_Flow. Returns false, changing nothing, when the record has no
// flow kind or the index is outside the list.
bool SelectFlowUnit(TagRecord& r, const UnitTables& t, int32_t index);

// Chooses a unit of any other quantity: the index into the selection field, the
// list factor into the factor field, the name into the text field where the
// quantity has one. A Pressure unit also sets Unit_PressSys_Set to index mod 2
// (even gauge, odd absolute). Returns false, changing nothing, for an index
// outside the list (and for Quantity::Flow, which SelectFlowUnit handles).
bool SelectUnit(TagRecord& r, const UnitTables& t, Quantity q, int32_t index);

// Liquids (Fluid_Equation 1345, 1346): the atmospheric and vapour pressure unit
// is the absolute member of the flowing-pressure family, AbsPressure index
// Unit_Press_Set / 2. Returns whether the record is a liquid (and was paired).
bool PairLiquidAtmPressure(TagRecord& r, const UnitTables& t);

// After a flow list of kind k was edited: when the record's flow kind is k,
// Unit_Flow follows the edited list at the record's selection (Unit_Flow_Text is
// left as it is).
void RefreshFlowFactorAfterListEdit(TagRecord& r, const UnitTables& t, FlowKind k);

// A record read from a file, or retrieved from the project, takes the current flow
// list again, so that the unit it shows is the unit it computes in: the flow unit is
// selected anew with the record's Unit_Flow_Set (all other factors stay as stored).
// When that index is outside the list, the kind's own selection is taken, then the
// first unit. Returns false, changing nothing, for a record without a flow kind.
bool ReapplyFlowUnit(TagRecord& r, const UnitTables& t);

// After the flow kind changed (another fluid equation, condition or property): the
// flow unit becomes the kind's own stored selection (the first unit when that is
// outside the list). Returns false, changing nothing, without a flow kind.
bool SelectFlowUnitOfKind(TagRecord& r, const UnitTables& t);

// The settings save keeps the current record's unit selections (the six per-kind
// flow selections, the thirteen others and Unit_PressSys_Set) as the defaults.
void StoreSelections(UnitDefaults& d, const TagRecord& r);

// Reading a tag remembers its equation choice as the gas choice (Fluid_Equation
// 1352, 1353) or the liquid choice (1345, 1346); other codes change nothing.
void RememberFluidEquation(UnitDefaults& d, const TagRecord& r);

// What Calculate does before it reads the form: every non-flow factor is taken
// again from the lists at the record's selections (selections outside their lists
// leave their factor as stored).
void RefreshUnitFactors(TagRecord& r, const UnitTables& t);

}  // namespace quorven
