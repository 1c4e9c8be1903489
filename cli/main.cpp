// quorven-cli: the headless front end. Each command group lives in its own file
// and registers its subcommands here.

#include <CLI/CLI.hpp>
#include <clocale>
#include <iostream>

#include "cli/cli_common.h"
#include "cli/fluid_cli.h"

int main(int argc, char** argv) {
    CLI::App app{"Quorven: sizing of differential-pressure flow elements, from the command line."};
    app.name("quorven-cli");
    app.require_subcommand(1);
    quorven::cli::CommandContext ctx;
    quorven::cli::RegisterTagCommands(app, ctx);
    quorven::cli::RegisterMessageCommands(app, ctx);
    quorven::cli::RegisterCoefficientCommands(app, ctx);
    quorven::cli::RegisterUnitsCommands(app, ctx);
    quorven::cli::RegisterCalcCommands(app, ctx);
    quorven::cli::RegisterSteamCommands(app, ctx);
    quorven::cli::RegisterUncertaintyCommands(app, ctx);
    CLI::App& fluid = quorven::cli::RegisterFluidCommands(app, ctx);
    quorven::cli::RegisterFluidEntryCommands(fluid, ctx);
    quorven::cli::RegisterProjectCommands(app, ctx);
    quorven::cli::RegisterBatchCommands(app, ctx);
    quorven::cli::RegisterChartCommands(app, ctx);
#ifdef QUORVEN_CLI_PRINT
    quorven::cli::RegisterPrintCommands(app, ctx);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    if (!ctx.action) return 2;
    try {
        return ctx.action();
    } catch (const std::exception& e) {
        std::cerr << "quorven-cli: " << e.what() << '\n';
        return 1;
    }
}
