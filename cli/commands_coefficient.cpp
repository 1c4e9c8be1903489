// quorven-cli coefficient FILE [--beta B] [--rd RD] [--json]: the discharge
// coefficient and expansion factor of a tag as stored, at an optional beta and
// pipe Reynolds number. The tag file is only read.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "engine/coefficients.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/record_check.h"
#include "record/text_codec.h"

namespace quorven::cli {
namespace {

struct CoefficientOptions {
    std::string file;
    std::string beta;
    std::string rd;
    bool json = false;
};

bool UsesApi2530(const TagRecord& r) {
    return r.Meter_Type == Code(MeterType::ConcentricOrifice) && r.Calc_Std == Code(CalcStd::Buckingham1985);
}

// Reads an override; false (with a sentence on stderr) when the text is no finite number.
bool ParseOverride(const std::string& text, const char* option, std::optional<double>& out) {
    if (text.empty()) return true;
    double v = 0.0;
    if (!ParseFiniteDouble(text, v)) {
        std::cerr << option << " needs a finite decimal number, got \"" << text << "\".\n";
        return false;
    }
    out = v;
    return true;
}

int Coefficient(const CoefficientOptions& o) {
    std::optional<double> beta;
    std::optional<double> rd;
    if (!ParseOverride(o.beta, "--beta", beta) || !ParseOverride(o.rd, "--rd", rd)) return 2;
    CliMessageSink sink;
    sink.quiet = o.json;
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, sink, &repairs)) {
        if (o.json) std::cout << nlohmann::json{{"messages", sink.Json()}}.dump(2) << '\n';
        return 1;
    }
    // A field the file held out of range was reset before the evaluation: say which.
    for (const RecordRepair& rep : repairs)
        std::cerr << "Warning: field " << rep.field << " held an invalid value (" << Cp1252ToUtf8(rep.was)
                  << ") and was reset.\n";
    if (beta) r.Beta = *beta;
    if (rd) r.Rd = *rd;

    const double C = IsAbbWedge(r.Meter_Type) ?  // the manufacturer wedges, as the solvers do
                         WedgeCoefficient(r, sink, true)
                                              : DischargeCoefficient(r, sink, true);
    const double Y = ExpansionFactor(r, sink, true);
    const bool api = UsesApi2530(r) && C > 0.0;

    if (o.json) {
        nlohmann::json j = {{"C", C}, {"Y", Y}, {"Ko", nullptr}, {"Ke", nullptr}, {"E", nullptr}};
        if (api) {
            j["Ko"] = r.Qrad_K0;
            j["Ke"] = r.K;
            j["E"] = r.E_Ftp;
        }
        j["messages"] = sink.Json();
        std::cout << j.dump(2) << '\n';
        return 0;
    }
    std::cout << "C = " << NumberText(C) << (C == 0.0 ? "  (no coefficient for this meter here)" : "")
              << '\n';
    std::cout << "Y = " << NumberText(Y) << (Y == 0.0 ? "  (no expansion factor here)" : "") << '\n';
    if (api) {
        std::cout << "Ko = " << NumberText(r.Qrad_K0) << '\n';
        std::cout << "Ke = " << NumberText(r.K) << '\n';
        std::cout << "E = " << NumberText(r.E_Ftp) << '\n';
    }
    return 0;
}

}  // namespace

void RegisterCoefficientCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<CoefficientOptions>();
    CLI::App* cmd = app.add_subcommand(
        "coefficient",
        "Discharge coefficient C and expansion factor Y of a tag (API 2530 1985: also Ko, Ke, E).");
    cmd->add_option("FILE", opts->file, "tag file to read")->required();
    cmd->add_option("--beta", opts->beta, "diameter ratio to use instead of the stored Beta");
    cmd->add_option("--rd", opts->rd, "pipe Reynolds number to use instead of the stored Rd");
    cmd->add_flag("--json", opts->json, "one JSON object with keys C, Y, Ko, Ke, E, messages");
    cmd->callback([&ctx, opts] { ctx.action = [opts] { return Coefficient(*opts); }; });
}

}  // namespace quorven::cli
