#pragma once
// What the Fluids commands put into the tag record, as functions of the record: the
// conversions of stored properties and flows when the flow kind or the property input
// changes, and what each command stores once its properties are computed and its
// equation choice is known. The commands themselves (form/fluid_commands.h) call these.
//
// Record units: psia, degrees Rankine, lb/ft3, cP; flows in standard or actual ft3/h,
// lb/h or US barrels per day according to the fluid equation.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fluids/aga8_detail.h"
#include "fluids/steam_ifc67.h"
#include "messages/messages.h"
#include "record/constants.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

// kAirMolarMass (gas gravity = MW / 28.9625) is the program's, in record/constants.h; gas
// densities and compressibilities follow record/gas_law.h.
// Molecular weight the steam commands store for water [g/mol].
inline constexpr double kSteamMolarMass = 18.0125;
// Liquid flows: lb/h of water per US gal/min (8.337 lb/gal x 60 min/h) and US barrels per
// day per US gal/min (1440 / 42): lb/h = bbl/d x 500.2296054 / 34.28571429 x SG.
inline constexpr double kLbPerHourPerGpmWater = 500.2296054;
inline constexpr double kBblPerDayPerGpm = 34.28571429;

// The three equation choices of a tag: flow units, conditions, property input.
struct EquationChoice {
    int32_t equation = 0;
    int32_t condition = 0;
    int32_t property = 0;
    bool operator==(const EquationChoice&) const = default;
};

EquationChoice ChoiceOf(const TagRecord& r);
void StoreChoice(TagRecord& r, const EquationChoice& c);
// A choice whose three codes all belong to the gas (liquid) groups.
bool IsGasChoice(const EquationChoice& c);
bool IsLiquidChoice(const EquationChoice& c);
EquationChoice RememberedGasChoice(const UnitDefaults& d);
EquationChoice RememberedLiquidChoice(const UnitDefaults& d);
// Stores a gas choice as the remembered gas choice, a liquid one as the liquid choice.
void RememberChoice(UnitDefaults& d, const EquationChoice& c);

// The choice the record's stored values and flows are expressed in before a gas (liquid)
// command: the record's own when it is a gas (liquid) choice, else the remembered one.
EquationChoice PreviousGasChoice(const TagRecord& r, const UnitDefaults& d);
EquationChoice PreviousLiquidChoice(const TagRecord& r, const UnitDefaults& d);

// --- Conversions (the record already holds the new choices) ---

// After a gas computation: Property_MwDenVp holds a specific gravity and the RhoGZ fields
// compressibilities. Converts Flow_Max and Flow_Norm from the previous flow kind to the
// new one and stores the property input the new choice asks for (1356 SG and Z, 1357 MW
// and Z, 1358 MW and the base and flowing densities). Warning #36, flows unchanged, when a
// density the conversion needs is 0.
void ApplyGasChoiceChange(TagRecord& r, const EquationChoice& previous, MessageSink& sink);

// Gas equation setup: the stored values, read by the previous property input, rewritten
// for the new one, and the flows converted as above.
void ApplyGasSetupChange(TagRecord& r, const EquationChoice& previous, MessageSink& sink);

// Liquid equation setup: gravities or densities rewritten for the new property input
// (rho_w: reference water density [lb/ft3]) and the flows converted between barrels per
// day at base or flowing temperature and lb/h. Warning #36, flows unchanged, when a gravity
// the conversion needs is 0.
void ApplyLiquidChoiceChange(TagRecord& r, const EquationChoice& previous, double rho_w, MessageSink& sink);

// --- What each command stores when its dialogs are confirmed ---

// Command "Gases & Vapors..." (computed from database components).
struct GasPropertySet {
    double Pf_psia = 0.0, Tf_R = 0.0;  // the conditions entered
    double Zb = 0.0, Zf = 0.0, MW = 0.0, visc_cP = 0.0, k = 0.0;
    std::string fluid_name;
};
void ApplyGasProperties(TagRecord& r, UnitDefaults& d, const UnitTables& t, const GasPropertySet& g,
                        const EquationChoice& chosen, MessageSink& sink);

// Command "Liquids..." (computed from database components). The stored flows keep their
// numbers.
struct LiquidPropertySet {
    double Pf_psia = 0.0, Tf_R = 0.0;
    double SGb = 0.0, SGf = 0.0, VPf_psia = 0.0, visc_cP = 0.0, Fp = 1.0;
    std::string fluid_name;
};
void ApplyLiquidProperties(TagRecord& r, UnitDefaults& d, const UnitTables& t, const LiquidPropertySet& l,
                           const EquationChoice& chosen, double rho_w);

// Command "AGA Natural Gas...": mole percents by AGA number (index 0 = AGA number 1), the
// flowing conditions entered, the viscosity and exponent of the database step.
struct Aga8Entry {
    std::array<double, aga8::kComponentCount> percent{};
    double Pf_psia = 0.0, Tf_R = 0.0;
    double visc_cP = 0.0, k = 0.0;
};
// AGA 8 for a tag: psia and degrees Rankine converted as the report's program does.
// Nothing when no gas density reproduces a pressure.
std::optional<Aga8Results> ComputeAga8(const std::array<double, aga8::kComponentCount>& percent,
                                       double Pf_psia, double Tf_R, double Pb_psia, double Tb_R);
// Stores the entry and the method's Z at the tag's base and the flowing conditions.
void ApplyAga8NaturalGas(TagRecord& r, UnitDefaults& d, const UnitTables& t, const Aga8Entry& e,
                         const Aga8Results& z, const EquationChoice& chosen, MessageSink& sink);

// Commands "Sat Steam @ Pressure...", "Sat Steam @ Temperature..." and "Superheated
// Steam...": mass flows at flowing conditions with density input, the state and its
// properties.
enum class SteamCommand { SaturatedAtPressure, SaturatedAtTemperature, Superheated };
void ApplySteam(TagRecord& r, UnitDefaults& d, const UnitTables& t, const SteamProperties& s,
                SteamCommand kind);

// Command "Compressed Water...": the state entered, its properties and the liquid choice.
// The stored flows keep their numbers.
void ApplyCompressedWater(TagRecord& r, UnitDefaults& d, const UnitTables& t, double Pf_psia, double Tf_R,
                          const CompressedWaterProperties& w, const EquationChoice& chosen, double rho_w);

// The two setup commands. reset_first: the user agreed to delete the data of the other
// fluid kind (the reset of Clear Calc) before the new choice is applied.
void ApplyGasSetup(TagRecord& r, UnitDefaults& d, const UnitTables& t, const EquationChoice& chosen,
                   bool reset_first, MessageSink& sink);
void ApplyLiquidSetup(TagRecord& r, UnitDefaults& d, const UnitTables& t, const EquationChoice& chosen,
                      bool reset_first, double rho_w, MessageSink& sink);

// The questions of the setup commands when the record holds the other fluid kind.
Message GasSetupQuestion();
Message LiquidSetupQuestion();

// --- The pressure and temperature entry of the Fluids dialogs ---

// The record's flowing pressure and temperature in its display units, and their texts:
// pressure "%.1f" from 1000 up, "%.2f" from 100 up, "%.4f" below; temperature "%.2f".
double ShownPressure(const TagRecord& r, double psia);
double ShownTemperature(const TagRecord& r, double rankine);
std::string PressureEntryText(double shown);
std::string TemperatureEntryText(double shown);
// Typed values in the record's display units to psia and degrees Rankine. Error #51 (#52)
// and nothing when the absolute pressure (temperature) is not above zero or not finite.
std::optional<double> EnteredPressure(const TagRecord& r, double typed, MessageSink& sink);
std::optional<double> EnteredTemperature(const TagRecord& r, double typed, MessageSink& sink);

}  // namespace quorven
