// quorven-cli chart FILE [--csv | --json]: the flow calibration chart of a tag as
// stored, the flow at every whole percent of the maximum differential, computed
// without changing the file. Values in the tag's display units, and in internal
// units beside them.

#include <CLI/CLI.hpp>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "engine/calibration_chart.h"
#include "project/tag_file.h"
#include "record/text_codec.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven::cli {
namespace {

struct ChartOptions {
    std::string file;
    bool csv = false;
    bool json = false;
};

// The internal flow unit of the tag's flow kind.
std::string InternalFlowUnit(const TagRecord& r) {
    const std::optional<FlowKind> k = FlowKindOf(r);
    if (!k) return "internal";
    switch (*k) {
        case FlowKind::GasBase:
            return "scfh";
        case FlowKind::GasFlowing:
            return "acfh";
        case FlowKind::GasMass:
        case FlowKind::LiquidMass:
            return "lb/h";
        case FlowKind::LiquidBase:
        case FlowKind::LiquidFlowing:
            return "bbl/d";
    }
    return "internal";
}

// The name of the tag's unit as the main form shows it: the default list's entry
// at the tag's selection, or the tag's stored text when the selection is outside it.
std::string UnitText(const TagRecord& r, Quantity q, int32_t selection, std::string_view stored) {
    const std::optional<UnitList> list = ListOf(r, q);
    if (list && IsUnitIndex(*list, selection))
        return Cp1252ToUtf8(UnitName(DefaultUnitTables(), *list, selection));
    return Cp1252ToUtf8(stored);
}

// A CSV field, quoted, with inner quotes doubled.
std::string CsvField(const std::string& s) {
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

int Chart(const ChartOptions& o) {
    CliMessageSink sink;
    TagRecord r = NewTagRecord();
    std::vector<RecordRepair> repairs;
    if (!ReadTagFile(o.file, r, sink, &repairs)) return 1;
    for (const RecordRepair& rep : repairs)
        std::cerr << "Warning: field " << rep.field << " held an invalid value (" << Cp1252ToUtf8(rep.was)
                  << ") and was reset.\n";

    const CalibrationChart chart = ComputeCalibrationChart(r);
    // Display conversions use the factors of the units the tag selects, as the
    // Calculate command refreshes them (the file is not written).
    RefreshUnitFactors(r, DefaultUnitTables());
    if (!chart.HasChart()) {
        std::cerr << ChartStatusText(chart.status) << '\n';
        return 1;
    }
    const std::string dp_unit =
        UnitText(r, Quantity::DiffPressure, r.Unit_DpPress_Set, GetText(r.Unit_Dpress_Text));
    const std::string flow_unit = UnitText(r, Quantity::Flow, r.Unit_Flow_Set, GetText(r.Unit_Flow_Text));
    const std::string internal_flow = InternalFlowUnit(r);
    const bool restriction = chart.status == ChartStatus::RestrictionFlow;
    int failed = 0;

    if (o.json) {
        nlohmann::json points = nlohmann::json::array();
        for (const ChartPoint& p : chart.points) {
            nlohmann::json j = {{"percent", p.percent},
                                {"dp", ToUser(r, Quantity::DiffPressure, p.dp)},
                                {"dp_internal", p.dp}};
            j["flow"] = p.flow ? nlohmann::json(ToUser(r, Quantity::Flow, *p.flow)) : nlohmann::json(nullptr);
            j["flow_internal"] = p.flow ? nlohmann::json(*p.flow) : nlohmann::json(nullptr);
            if (p.error != 0) j["error"] = p.error;
            failed += p.flow ? 0 : 1;
            points.push_back(j);
        }
        nlohmann::json out = {{"relation", restriction ? "restriction" : "meter"},
                              {"dp_unit", dp_unit},
                              {"flow_unit", flow_unit},
                              {"flow_internal_unit", internal_flow},
                              {"points", points}};
        std::cout << out.dump(2) << '\n';
    } else if (o.csv) {
        std::cout << CsvField("Percent") << ',' << CsvField("dP (" + dp_unit + ")") << ','
                  << CsvField("Flow (" + flow_unit + ")") << ',' << CsvField("dP (inH2O)") << ','
                  << CsvField("Flow (" + internal_flow + ")") << '\n';
        for (const ChartPoint& p : chart.points) {
            std::cout << p.percent << ',' << NumberText(ToUser(r, Quantity::DiffPressure, p.dp)) << ','
                      << (p.flow ? NumberText(ToUser(r, Quantity::Flow, *p.flow)) : "") << ','
                      << NumberText(p.dp) << ',' << (p.flow ? NumberText(*p.flow) : "") << '\n';
            failed += p.flow ? 0 : 1;
        }
    } else {
        if (restriction) std::cout << "Restriction orifice: dP is the permanent pressure loss.\n";
        std::cout << std::setw(4) << "%"
                  << "  " << std::setw(16) << ("dP (" + dp_unit + ")") << "  " << std::setw(18)
                  << ("Flow (" + flow_unit + ")") << '\n';
        for (const ChartPoint& p : chart.points) {
            std::cout << std::setw(4) << p.percent << "  " << std::setw(16)
                      << NumberText(ToUser(r, Quantity::DiffPressure, p.dp)) << "  " << std::setw(18)
                      << (p.flow ? NumberText(ToUser(r, Quantity::Flow, *p.flow))
                                 : "no solution (Error #" + std::to_string(p.error) + ")")
                      << '\n';
            failed += p.flow ? 0 : 1;
        }
    }
    if (failed > 0)
        std::cerr << failed << " of " << chart.points.size() << " points have no flow solution.\n";
    return 0;
}

}  // namespace

void RegisterChartCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<ChartOptions>();
    CLI::App* chart = app.add_subcommand(
        "chart",
        "Flow calibration chart of a tag as stored: the flow at every whole percent of the maximum "
        "differential (a restriction orifice: of its permanent loss).");
    chart->add_option("FILE", opts->file, "tag file to read")->required();
    auto* csv = chart->add_flag("--csv", opts->csv, "comma-separated values with a header row");
    chart->add_flag("--json", opts->json, "one JSON object")->excludes(csv);
    chart->callback([&ctx, opts] { ctx.action = [opts] { return Chart(*opts); }; });
}

}  // namespace quorven::cli
