#pragma once
// Shared pieces of the `fluid` command group, for every file that adds subcommands
// to it (fluid list/component/gas/liquid/eval in commands_fluid.cpp; others add
// theirs from files of their own through the registration hook below).

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "fluids/component_list.h"
#include "fluids/property_database.h"

namespace CLI {
class App;
}

namespace quorven::cli {

// Adds `quorven-cli fluid` with list, component, gas, liquid and eval, and returns
// the group so that other files can add their own subcommands to it:
//     CLI::App& fluid = RegisterFluidCommands(app, ctx);
//     RegisterAga8FluidCommands(fluid, ctx);   // for example, from its own file
CLI::App& RegisterFluidCommands(CLI::App& app, CommandContext& ctx);

// Adds `fluid aga8`, `fluid steam saturated|superheated` and `fluid water` to the group
// (commands_fluid_entry.cpp).
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

}  // namespace quorven::cli
