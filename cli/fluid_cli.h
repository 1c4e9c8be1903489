#pragma once
// Shared pieces of the `fluid` command group, for every file that adds subcommands
// to it (fluid list/component/gas/liquid in commands_fluid.cpp; aga8, steam, water and
// setup in commands_fluid_entry.cpp; eval in commands_fluid_eval.cpp). The commands that
// store into a tag are those of form/fluid_commands.h; these pieces only gather their
// input from the options and files.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_common.h"
#include "fluids/aga8_mixture.h"
#include "fluids/component_list.h"
#include "fluids/property_database.h"
#include "form/fluid_commands.h"

namespace CLI {
class App;
}

namespace quorven::cli {

// Adds `quorven-cli fluid` with list, component, gas, liquid and eval, and returns
// the group so that other files can add their own subcommands to it:
//     CLI::App& fluid = RegisterFluidCommands(app, ctx);
//     RegisterAga8FluidCommands(fluid, ctx);   // for example, from its own file
CLI::App& RegisterFluidCommands(CLI::App& app, CommandContext& ctx);

// Adds `fluid aga8`, `fluid steam saturated|superheated`, `fluid water` and
// `fluid setup gas|liquid` to the group (commands_fluid_entry.cpp).
void RegisterFluidEntryCommands(CLI::App& fluid, CommandContext& ctx);

// `fluid eval ...`: one published correlation at a time (commands_fluid_eval.cpp).
void RegisterFluidEvalCommands(CLI::App& fluid, CommandContext& ctx);

// The directory of the running program (where PROPERTY.DAF is looked for).
std::string ProgramDirectory();

// The program's property database, read once from its directory.
const PropertyDatabase& ProgramDatabase();

// A component list from "NAME=VALUE" texts: names matched ignoring case, values
// mole fractions or percents normalised to a total of 100 (a single component
// may leave out its value). Prints what is wrong (plain sentences, or the list's
// own numbered messages through `sink`) and returns nothing on any fault.
std::optional<ComponentList> ComponentsFromOptions(const std::vector<std::string>& comps,
                                                   const PropertyDatabase& db, MessageSink& sink);

// --- Equation choice of a command that stores into a tag ---

// --flows volume|mass, --at base|flowing, --input sg|mw|density: empty keeps the part of
// the initial choice.
struct ChoiceOptions {
    std::string flows, at, input;
};
void AddChoiceOptions(CLI::App* command, ChoiceOptions& o, bool gas);
// `initial` with what the options change; nothing (and a sentence on stderr) for an input
// the fluid kind has not (mw for a liquid).
std::optional<EquationChoice> ChosenEquation(const ChoiceOptions& o, const EquationChoice& initial, bool gas);

// The choice a run stores: the one the command would open its setup dialog with (the
// tag's own, or the program's default for a tag of the other kind) with the options'
// changes.
class OptionsChoice final : public EquationChoiceSource {
public:
    explicit OptionsChoice(const ChoiceOptions& o) : o_(o) {}
    std::optional<EquationChoice> Choose(bool gas, const EquationChoice& initial) override {
        return ChosenEquation(o_, initial, gas);
    }

private:
    const ChoiceOptions& o_;
};

// The document a run works on: the tag file at `path`, or a new tag (never written) when
// `path` is empty; its remembered choices are the program's defaults with the tag's own.
std::optional<FluidDocument> ReadFluidDocument(const std::string& path, MessageSink& sink);

// --- Compositions: --comp, --mix FILE.mix, --aga FILE.aga, --save-mix FILE ---

struct CompositionOptions {
    std::vector<std::string> comps;
    std::string mix, aga, save_mix;
};
enum class CompositionKind {
    Components,  // any database component (fluid gas, fluid liquid)
    Aga8Rows,    // the 21 components of the AGA 8 entry (fluid aga8)
};
void AddCompositionOptions(CLI::App* command, CompositionOptions& o, CompositionKind kind);

struct Composition {
    // Database names (Windows-1252) with their mole percents, normalised to a total of 100.
    std::vector<std::pair<std::string, double>> parts;
    double given_total = 0.0;  // what the amounts added up to
    bool normalised = false;   // the total was not 100 by the entry's rule and was made so
};

// The composition of exactly one of --comp, --mix and --aga. Names of --comp are matched
// ignoring case (for AGA 8, also by the row's shown name); a file is read as the dialogs
// read it (Error #10 for a file that is not a whole mixture file, Error #12 for a
// component the database lacks). The amounts are normalised to 100; `normalised` says
// when their total was not 100 as the dialog rounds it (4 decimals for components, 5 for
// the AGA 8 rows; a single component is always 100). Prints what is wrong and returns
// nothing on any fault.
std::optional<Composition> ReadComposition(const CompositionOptions& o, CompositionKind kind,
                                           const PropertyDatabase& db, MessageSink& sink);

// The composition as the component list of the gas and liquid commands.
ComponentList ComponentListOf(const Composition& c, const PropertyDatabase& db, MessageSink& sink);
// The composition as mole percents of the AGA 8 rows (all its parts are AGA 8 components).
std::array<double, kAga8Rows> Aga8RowsOf(const Composition& c);

// --save-mix: writes the composition through a temporary file, as the dialogs' Save Mix
// does: an ".aga" name gets the AGA 8 slot table (every part must be one of its 21
// components), a ".mix" name the mixture file, any other name the format of `kind`.
bool SaveComposition(const std::string& path, const Composition& c, CompositionKind kind,
                     const PropertyDatabase& db, MessageSink& sink);

// The line that says a composition was normalised (empty when it was not).
std::string NormalisedNote(const Composition& c);

}  // namespace quorven::cli
