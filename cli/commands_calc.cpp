// quorven-cli calc FILE [--out OUT] [--json]: size the tag's meter for the
// parameter Calc_SizeParam asks for (bore, differential or flow), as a batch
// run does: no message boxes, no limit checks, every message printed.

#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "engine/calculate.h"
#include "project/tag_file.h"
#include "record/choice_codes.h"
#include "record/text_codec.h"

namespace quorven::cli {
namespace {

struct CalcOptions {
    std::string file;
    std::string out;
    bool json = false;
};

// The results a sizing writes, in the order an engineer reads them.
constexpr const char* kResultFields[] = {
    "Calc_Status", "Flow_Norm", "Flow_Max", "Dp_Norm", "Dp_Max", "Bore",    "Beta",  "SegHs",    "SegDc",
    "C",           "Y",         "Sm",       "Rd",      "Fa_Meter", "Fa_Pipe", "Fdh", "Fwv",      "Fx",
    "Fm",          "Factor_Pwv", "Dp_Loss",
};

int Finish(const CalcOptions& o, const TagRecord& r, const CliMessageSink& sink, bool ok) {
    if (o.json) {
        nlohmann::json j = RecordJson(r);
        j["messages"] = sink.Json();
        j["ok"] = ok;
        std::cout << j.dump(2) << '\n';
    } else {
        std::cout << (ok ? "Calculated." : "Not calculated.") << '\n';
        for (const char* name : kResultFields) {
            const FieldInfo* f = FindField(name);
            if (f) std::cout << f->name << " = " << FieldValueText(r, *f) << '\n';
        }
    }
    return ok ? 0 : 1;
}

int Calc(const CalcOptions& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, sink, &repairs)) {
        if (o.json) std::cout << nlohmann::json{{"messages", sink.Json()}, {"ok", false}}.dump(2) << '\n';
        return 1;
    }
    for (const RecordRepair& rep : repairs)
        std::cerr << "Warning: field " << rep.field << " held an invalid value (" << Cp1252ToUtf8(rep.was)
                  << ") and was reset.\n";
    if (r.Calc_Mode != Code(CalcMode::Meter)) {
        std::cerr << "calc: only flow-meter mode (Calc_Mode 1123) is calculated by this command; the tag has "
                  << r.Calc_Mode << ".\n";
        return Finish(o, r, sink, false);
    }

    CCalculate calc(sink);  // no project is open: the default project
    constexpr bool kInteractive = false;
    bool ok = false;
    switch (r.Calc_SizeParam) {
        case Code(SizeParam::Bore): ok = calc.SizeBore(r, kInteractive); break;
        case Code(SizeParam::Dp): ok = calc.SizeDp(r, kInteractive); break;
        case Code(SizeParam::Flow): ok = calc.SizeFlow(r, kInteractive); break;
        default: break;
    }
    if (!ok && sink.lines.empty() && !o.json)
        std::cerr << "calc: the data entered will not iterate to a valid solution.\n";
    if (!o.out.empty()) {
        if (!ok) {
            std::cerr << "calc: nothing was written to " << o.out << ": the tag was not calculated.\n";
        } else if (!WriteTagFile(o.out, r, sink)) {
            ok = false;
        }
    }
    return Finish(o, r, sink, ok);
}

}  // namespace

void RegisterCalcCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<CalcOptions>();
    CLI::App* calc = app.add_subcommand(
        "calc", "Size the tag's meter for the parameter it asks for (bore, differential or flow).");
    calc->add_option("FILE", opts->file, "tag file to calculate")->required();
    calc->add_option("--out", opts->out, "write the calculated tag here");
    calc->add_flag("--json", opts->json, "the whole record by field name, with messages and ok");
    calc->callback([&ctx, opts] { ctx.action = [opts] { return Calc(*opts); }; });
}

}  // namespace quorven::cli
