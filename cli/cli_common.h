#pragma once
// Shared pieces of quorven-cli's commands.

#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>

#include "messages/messages.h"
#include "record/record_fields.h"
#include "record/tag_record.h"

namespace CLI {
class App;
}

namespace quorven::cli {

// A command group adds its subcommands to the application and stores, in
// `action`, what to run when one of them is chosen. The action returns the exit status.
struct CommandContext {
    std::function<int()> action;
};

// Prints each message to stderr as "Error #N: text" / "Warning #N: text", one line
// each, and keeps them for --json output.
class CliMessageSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& m) override;
    nlohmann::json Json() const;  // ["Error #N: text", ...]
    bool quiet = false;           // keep, but do not print (for --json runs)
    std::vector<std::string> lines;
};

std::string MessageLine(const Message& m);

// Shortest text that reads back as the same double.
std::string NumberText(double v);

// A field's value for printing (texts as UTF-8, reserved bytes as hex) and as JSON.
std::string FieldValueText(const TagRecord& r, const FieldInfo& f);
nlohmann::json FieldValueJson(const TagRecord& r, const FieldInfo& f);
nlohmann::json RecordJson(const TagRecord& r);

void RegisterTagCommands(CLI::App& app, CommandContext& ctx);
void RegisterMessageCommands(CLI::App& app, CommandContext& ctx);
void RegisterCoefficientCommands(CLI::App& app, CommandContext& ctx);
void RegisterUnitsCommands(CLI::App& app, CommandContext& ctx);
void RegisterCalcCommands(CLI::App& app, CommandContext& ctx);
void RegisterSteamCommands(CLI::App& app, CommandContext& ctx);
void RegisterUncertaintyCommands(CLI::App& app, CommandContext& ctx);
void RegisterProjectCommands(CLI::App& app, CommandContext& ctx);
void RegisterBatchCommands(CLI::App& app, CommandContext& ctx);
void RegisterChartCommands(CLI::App& app, CommandContext& ctx);
// Only in builds with the Qt report renderer (QUORVEN_CLI_PRINT).
void RegisterPrintCommands(CLI::App& app, CommandContext& ctx);

}  // namespace quorven::cli
