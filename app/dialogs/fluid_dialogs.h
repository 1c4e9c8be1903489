#pragma once
// The "F&luids" menu: its nine commands and their dialogs. The dialogs gather the
// user's entries and show the results; the computations and what a command stores in
// the tag are the commands of form/fluid_commands.h, which quorven-cli runs too. Cancel,
// or a computation that reports its error, leaves the record as it was.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/fluid_entry.h"
#include "messages/messages.h"
#include "messages/platform.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

class QWidget;

namespace quorven {

class FileLayer;
class PropertyDatabase;
// Defined out of Qt code (form/fluid_commands.h): the component list has a member named
// like a Qt keyword macro.
struct ComponentList;
struct GasCommandInput;
struct LiquidCommandInput;
struct Aga8CommandInput;

// What the Fluids commands keep for the whole program run.
struct FluidSession {
    FluidSession();
    ~FluidSession();
    FluidSession(const FluidSession&) = delete;
    FluidSession& operator=(const FluidSession&) = delete;

    std::unique_ptr<ComponentList> components;   // shared by the selection and the AGA 8 dialogs
    const PropertyDatabase* database = nullptr;  // PROPERTY.DAF, read once; null: none
    int gas_equation_position = 0;    // "Redlich Kwong", "Soave-Redlich Kwong", "Benedict-Webb-Rubin"
    FileChooser* files = nullptr;     // Save Mix and Get Mix; null: the Qt chooser
    FileLayer* file_layer = nullptr;  // where mixtures are read and written; null: the disk
};

// The occupied slots of the session's component list: name (UTF-8) and mole percent.
struct SessionComponent {
    std::string name;
    double mole_pct = 0.0;
};
std::vector<SessionComponent> SessionComponents(const FluidSession& session);
// Adds a database component with its mole percent, as a double click and typing do.
bool AddSessionComponent(FluidSession& session, std::string_view name, double mole_pct, MessageSink& sink);

// "Fluid Properties - Pressure & Temperature Data", pre-filled with the given values
// in the record's display units, named beside the boxes as the unit lists name them. OK gives psia and
// degrees Rankine; a pressure or temperature at or below absolute zero is refused (Error #51, #52) and the
// dialog stays open.
struct FlowingConditions {
    double P_psia = 0.0;
    double T_R = 0.0;
};
std::optional<FlowingConditions> RunConditionsDialog(QWidget* parent, const TagRecord& r,
                                                     const UnitTables& units, double shown_P, double shown_T,
                                                     MessageSink& sink);

// "Gas Equation Setup" and "Liquid Equation Setup", opened with `initial` checked.
std::optional<EquationChoice> RunGasSetupDialog(QWidget* parent, const EquationChoice& initial);
std::optional<EquationChoice> RunLiquidSetupDialog(QWidget* parent, const EquationChoice& initial);

// "Saturated Steam Condition": a pressure (psia) or a temperature (degrees Rankine).
std::optional<double> RunSatSteamDialog(QWidget* parent, const TagRecord& r, const UnitTables& units,
                                        bool by_pressure, MessageSink& sink);

// "Single Component & Multi-Component Fluid Selection" in gas or liquid mode, then the
// conditions dialog: the command's input, or nothing when cancelled.
std::optional<GasCommandInput> RunGasSelectionDialog(QWidget* parent, const TagRecord& r,
                                                     const UnitTables& units, FluidSession& session,
                                                     MessageSink& sink);
std::optional<LiquidCommandInput> RunLiquidSelectionDialog(QWidget* parent, const TagRecord& r,
                                                           const UnitTables& units, FluidSession& session,
                                                           MessageSink& sink);

// "AGA 8 Natural Gas": the 21 rows, then the conditions dialog.
std::optional<Aga8CommandInput> RunAga8Dialog(QWidget* parent, const TagRecord& r, const UnitTables& units,
                                              FluidSession& session, MessageSink& sink);

bool IsFluidCommand(int command);
// Runs one of the nine commands on `record` with the remembered equation choices;
// returns whether the record changed (it then needs calculating and saving).
bool RunFluidCommand(QWidget* parent, int command, TagRecord& record, UnitDefaults& remembered,
                     const UnitTables& units, FluidSession& session, MessageSink& sink);

}  // namespace quorven
