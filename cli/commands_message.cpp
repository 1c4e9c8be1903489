// quorven-cli message error|warning N [VALUE LIMIT1 LIMIT2]: a numbered message as shown.

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_common.h"

namespace quorven::cli {
namespace {

struct MessageOptions {
    int number = 0;
    std::vector<double> args;
    bool json = false;
};

int ShowMessage(bool error, const MessageOptions& o) {
    const auto arg = [&](std::size_t i) { return i < o.args.size() ? o.args[i] : 0.0; };
    const Message m = error ? ErrorMessage(o.number) : WarningMessage(o.number, arg(0), arg(1), arg(2));
    if (m.number == 0) {
        std::cerr << "There is no " << (error ? "error" : "warning") << " number " << o.number << ".\n";
        return 1;
    }
    if (o.json) {
        nlohmann::json j = {{"number", m.number},
                            {"caption", m.caption},
                            {"text", m.text},
                            {"buttons", m.buttons == MessageButtons::YesNo ? "yes-no" : "ok"}};
        std::cout << j.dump(2) << '\n';
    } else {
        std::cout << m.caption << '\n' << m.text << '\n';
    }
    return 0;
}

}  // namespace

void RegisterMessageCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<MessageOptions>();
    CLI::App* msg =
        app.add_subcommand("message", "Show a numbered error or warning as the program shows it.");
    msg->require_subcommand(1);
    for (const bool error : {true, false}) {
        CLI::App* sub = msg->add_subcommand(error ? "error" : "warning", error ? "an error" : "a warning");
        sub->add_option("N", opts->number, "message number")->required();
        if (!error) sub->add_option("VALUE_LIMIT1_LIMIT2", opts->args, "format arguments")->expected(0, 3);
        sub->add_flag("--json", opts->json, "JSON output");
        sub->callback(
            [&ctx, opts, error] { ctx.action = [opts, error] { return ShowMessage(error, *opts); }; });
    }
}

}  // namespace quorven::cli
