// quorven-cli uncertainty|noise FILE: the meter uncertainty and the outlet noise of
// a tag as stored, computed without changing the file.

#include <CLI/CLI.hpp>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_common.h"
#include "engine/noise.h"
#include "engine/uncertainty.h"
#include "project/tag_file.h"
#include "record/choice_codes.h"
#include "record/constants.h"
#include "record/text_codec.h"

namespace quorven::cli {
namespace {

struct ComputeOptions {
    std::string file;
    bool json = false;
};

// Inches of water per psi, as the critical-drop driver stores Dp_Max.

using Values = std::vector<std::pair<std::string, std::optional<double>>>;

std::optional<double> Finite(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

bool ReadTag(const std::string& file, TagRecord& r, CliMessageSink& sink) {
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(file, r, sink, &repairs)) return false;
    for (const RecordRepair& rep : repairs)
        std::cerr << "Warning: field " << rep.field << " held an invalid value (" << Cp1252ToUtf8(rep.was)
                  << ") and was reset.\n";
    return true;
}

// "Name = value" lines, or one JSON object; a value that cannot be computed is
// "not computable" / null.
void Print(const Values& values, const ComputeOptions& o, const CliMessageSink& sink) {
    if (o.json) {
        nlohmann::json j = nlohmann::json::object();
        for (const auto& [name, v] : values) j[name] = v ? nlohmann::json(*v) : nlohmann::json(nullptr);
        j["messages"] = sink.Json();
        std::cout << j.dump(2) << '\n';
        return;
    }
    for (const auto& [name, v] : values)
        std::cout << name << " = " << (v ? NumberText(*v) : "not computable") << '\n';
}

int Uncertainty(const ComputeOptions& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    TagRecord r = NewTagRecord();
    if (!ReadTag(o.file, r, sink)) return 1;
    const std::optional<double> meter = MeterUncertainty(r, MeterOnlyInputs(r));
    const std::optional<double> system = SystemUncertainty(r);
    const bool gas = !IsLiquid(r);
    std::optional<double> shown = meter;
    if (shown && r.Uncert_StraightRun == 1) *shown += 0.5;
    const Values values = {
        {"DischargeCoefUncertainty",
         Finite(DischargeCoefUncertainty(r, r.Pipe_IDia, r.Meter_Type, r.Tap_Style, r.Beta, r.Rd))},
        {"ExpansionUncertainty",
         gas ? Finite(ExpansionUncertainty(r.Dp_Norm, r.Flow_Press, r.Beta, r.Meter_Type, r.Tap_Style))
             : std::nullopt},
        {"PipeSensitivity", Finite(PipeSensitivity(r.Beta))},
        {"BoreSensitivity", Finite(BoreSensitivity(r.Beta))},
        {"PipeUncertainty", PipeUncertaintyPercent(r)},
        {"BoreUncertainty", BoreUncertaintyPercent(r)},
        {"MeterUncert", meter},
        {"MeterUncertShown", shown},
        {"SystemUncert", system},
    };
    Print(values, o, sink);
    if (!o.json && !MeterUncertaintyApplies(r))
        std::cout << "(Calculate does not store MeterUncert for this tag: not included, not a flow meter, "
                     "or a meter type without a coefficient uncertainty.)\n";
    return meter && system ? 0 : 1;
}

int Noise(const ComputeOptions& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    TagRecord r = NewTagRecord();
    if (!ReadTag(o.file, r, sink)) return 1;
    if (r.Calc_Mode != Code(CalcMode::CriticalDrop) && r.Calc_Mode != Code(CalcMode::Restriction)) {
        std::cerr << "Outlet noise is computed for critical-drop (Calc_Mode 1124) and restriction "
                     "(1125) tags only.\n";
        return 1;
    }
    // After a critical-drop sizing Calculate stores Dp_Max = (Pf - Pc) x 27.729767, so
    // the stored tag carries its choked downstream pressure.
    const double critical_pressure = r.Flow_Press - r.Dp_Max / kInH2OPerPsi;
    const std::optional<double> level = OutletNoise(r, critical_pressure, sink, true);
    Values values = {{"Outlet_Noise", level}};
    if (IsLiquid(r)) {
        values.emplace_back("Velocity_Vc", r.Velocity_Vc);
        values.emplace_back("Velocity_Pipe", r.Velocity_Pipe);
    }
    Print(values, o, sink);
    return level ? 0 : 1;
}

}  // namespace

void RegisterUncertaintyCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<ComputeOptions>();

    CLI::App* unc = app.add_subcommand(
        "uncertainty", "Meter (primary element) and meter system uncertainty of a tag, percent.");
    unc->add_option("FILE", opts->file, "tag file to read")->required();
    unc->add_flag("--json", opts->json, "one JSON object");
    unc->callback([&ctx, opts] { ctx.action = [opts] { return Uncertainty(*opts); }; });

    CLI::App* noise =
        app.add_subcommand("noise", "Outlet noise (dBA) of a critical-drop or restriction tag as stored.");
    noise->add_option("FILE", opts->file, "tag file to read")->required();
    noise->add_flag("--json", opts->json, "one JSON object");
    noise->callback([&ctx, opts] { ctx.action = [opts] { return Noise(*opts); }; });
}

}  // namespace quorven::cli
