// quorven-cli clear-calc: the Clear Calc command on a tag file.

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "project/tag_file.h"
#include "record/tag_reset.h"
#include "record/text_codec.h"

namespace quorven::cli {
namespace {

struct BatchOptions {
    std::string file;
};

int ClearCalcFile(const BatchOptions& o) {
    CliMessageSink sink;
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, sink, &repairs)) return 1;
    for (const RecordRepair& rep : repairs)
        std::cerr << "Warning: field " << rep.field << " held an invalid value (" << Cp1252ToUtf8(rep.was)
                  << ") and was reset.\n";
    ClearCalc(r);
    return WriteTagFile(o.file, r, sink) ? 0 : 1;
}

}  // namespace

void RegisterBatchCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<BatchOptions>();
    CLI::App* clear = app.add_subcommand(
        "clear-calc", "Clear Calc on a tag file: a blank calculation, datasheet emptied, units kept.");
    clear->add_option("FILE", opts->file, "tag file to clear")->required();
    clear->callback([&ctx, opts] { ctx.action = [opts] { return ClearCalcFile(*opts); }; });
}

}  // namespace quorven::cli
