#pragma once
// The commands of the Fluids menu without their dialogs, as the Calculate command is:
// each takes the tag, the remembered equation choices and what its dialogs gathered
// (composition, conditions, the equation of state), computes the fluid's properties
// and stores them with the equation choice asked for once they are known. The desktop
// dialogs and `quorven-cli fluid` gather the input and show the results; what reaches
// the tag is decided here, so both give the same bytes.
//
// A command stores everything or nothing: on a numbered error, or when the choice is
// cancelled, the record and the remembered choices are left byte for byte as they were.
//
// Conditions are in psia and degrees Rankine. An input is a struct so that a further
// choice (another formulation of a property) can be added as one more field.

#include <array>
#include <optional>

#include "fluids/aga8_detail.h"
#include "fluids/aga8_mixture.h"
#include "fluids/component_list.h"
#include "fluids/gas_properties.h"
#include "fluids/liquid_properties.h"
#include "fluids/property_database.h"
#include "fluids/steam_ifc67.h"
#include "form/fluid_entry.h"
#include "messages/messages.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

// What a Fluids command changes: the tag and the remembered gas and liquid equation
// choices (kept with the project settings).
struct FluidDocument {
    TagRecord record;
    UnitDefaults remembered;
};

// Where a command asks for the equation choice once the properties are known: the Gas or
// Liquid Equation Setup dialog on the desktop, opened with `initial` checked; the options
// of the command line. Nothing: cancelled.
class EquationChoiceSource {
public:
    virtual ~EquationChoiceSource() = default;
    virtual std::optional<EquationChoice> Choose(bool gas, const EquationChoice& initial) = 0;
};

// Always the same answer.
class FixedEquationChoice final : public EquationChoiceSource {
public:
    explicit FixedEquationChoice(std::optional<EquationChoice> choice) : choice_(choice) {}
    std::optional<EquationChoice> Choose(bool, const EquationChoice&) override { return choice_; }

private:
    std::optional<EquationChoice> choice_;
};

enum class FluidCommandStatus {
    Stored,     // the record holds the new fluid data
    Cancelled,  // the choice was not given: nothing changed, nothing shown
    Refused,    // a numbered error was shown: nothing changed
};

// --- "Gases & Vapors..." ---------------------------------------------------------

struct GasCommandInput {
    const PropertyDatabase* database = nullptr;  // null: none (Error #24)
    ComponentList components;
    GasEquation equation = GasEquation::RedlichKwong;
    double Pf_psia = 0.0, Tf_R = 0.0;  // the flowing conditions entered
    // Base conditions that replace the tag's (stored with the results); the tag's own
    // when not given.
    std::optional<double> Pb_psia, Tb_R;
};
struct GasCommandResult {
    FluidCommandStatus status = FluidCommandStatus::Refused;
    GasResult properties;
};
// The gas computation at the entered flowing and the tag's base conditions, then the gas
// choice (initial: the remembered gas choice), then the results stored with it: the
// fluid's name, the conditions, Zb, Zf, the gravity (or molecular weight or densities by
// the property input), viscosity and k, the flows converted to the chosen flow kind.
GasCommandResult OnGasesAndVapors(FluidDocument& doc, const UnitTables& tables, const GasCommandInput& in,
                                  EquationChoiceSource& choices, MessageSink& sink);

// --- "Liquids..." -----------------------------------------------------------------

struct LiquidCommandInput {
    const PropertyDatabase* database = nullptr;
    ComponentList components;
    double Pf_psia = 0.0, Tf_R = 0.0;
    std::optional<double> Pb_psia, Tb_R;  // as for gases; the gravities are at the flowing pressure
};
struct LiquidCommandResult {
    FluidCommandStatus status = FluidCommandStatus::Refused;
    LiquidResult properties;
};
// The liquid computation (Hankinson-Brobst-Thomson), then the liquid choice, then the
// gravities or densities, vapour pressure, viscosity and Fp stored; the flows keep their
// numbers.
LiquidCommandResult OnLiquids(FluidDocument& doc, const UnitTables& tables, const LiquidCommandInput& in,
                              EquationChoiceSource& choices, MessageSink& sink);

// --- "AGA Natural Gas..." -------------------------------------------------------------

struct Aga8CommandInput {
    const PropertyDatabase* database = nullptr;      // for the viscosity and k of the gas
    std::array<double, kAga8Rows> percent_by_row{};  // mole percents in the dialog's row order
    double Pf_psia = 0.0, Tf_R = 0.0;
};
struct Aga8CommandResult {
    FluidCommandStatus status = FluidCommandStatus::Refused;
    Aga8Results z;  // MW, Zb and Db at the tag's base, Zf and Df at the flowing conditions
    double visc_cP = 0.0, k = 0.0;
};
// AGA Report No. 8 (1994) Detail method for Z at the tag's base and the flowing
// conditions, the viscosity and k from the component database (Redlich-Kwong), then the
// gas choice, then all stored. Error #8, #9, #51 or #52 for a base or flowing condition
// not above zero, #18 when no gas density reproduces the pressure; a failure of the
// database step leaves the viscosity or k 0 with its message and the command goes on.
Aga8CommandResult OnAgaNaturalGas(FluidDocument& doc, const UnitTables& tables, const Aga8CommandInput& in,
                                  EquationChoiceSource& choices, MessageSink& sink);

// --- The steam commands -----------------------------------------------------------------

struct SteamCommandInput {
    SteamCommand kind = SteamCommand::SaturatedAtPressure;
    double P_psia = 0.0;  // the pressure (at pressure, superheated)
    double T_R = 0.0;     // the temperature (at temperature, superheated)
};
struct SteamCommandResult {
    FluidCommandStatus status = FluidCommandStatus::Refused;
    SteamProperties properties;
};
// The IFC-67 property set (Error #18 for a state that is not steam), stored as mass flows
// at flowing conditions with density input; no choice is asked.
SteamCommandResult OnSteam(FluidDocument& doc, const UnitTables& tables, const SteamCommandInput& in,
                           MessageSink& sink);

struct WaterCommandInput {
    double P_psia = 0.0, T_R = 0.0;
};
struct WaterCommandResult {
    FluidCommandStatus status = FluidCommandStatus::Refused;
    CompressedWaterProperties properties;  // the base density at the tag's base conditions
};
// "Compressed Water...": the IFC-67 set (Error #19 for a state that is not liquid), then
// the liquid choice, then the gravities or densities stored.
WaterCommandResult OnCompressedWater(FluidDocument& doc, const UnitTables& tables,
                                     const WaterCommandInput& in, EquationChoiceSource& choices,
                                     MessageSink& sink);

// --- The two setup commands ---------------------------------------------------------------

// "Gases & Vapors..." and "Liquids..." of the equation setup: for a tag of the other
// fluid kind the question (GasSetupQuestion, LiquidSetupQuestion) goes to `sink` first and
// Yes resets the tag as Clear Calc does; then the choice (initial: the remembered one),
// and the stored values and flows are rewritten for it.
FluidCommandStatus OnGasSetup(FluidDocument& doc, const UnitTables& tables, EquationChoiceSource& choices,
                              MessageSink& sink);
FluidCommandStatus OnLiquidSetup(FluidDocument& doc, const UnitTables& tables, EquationChoiceSource& choices,
                                 MessageSink& sink);

}  // namespace quorven
