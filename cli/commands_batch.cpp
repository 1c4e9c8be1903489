// quorven-cli clear-calc, batch, export, import, pack and rebuild-index: Clear Calc
// on a tag file, and the whole-project commands. Questions the desktop asks are
// answered by options (--increment-revision, --replace); the others with their
// default. Progress goes to stderr when it is a terminal.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <ctime>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "form/batch_calculate.h"
#include "project/impo_expo.h"
#include "project/maintenance.h"
#include "project/project_commands.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/tag_reset.h"
#include "record/text_codec.h"

namespace quorven::cli {
namespace {

struct BatchOptions {
    std::string project;
    std::string file;
    std::string csv;
    std::string replace = "none";
    std::string date;
    bool increment = false;
    bool json = false;
};

constexpr std::string_view kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Today as the program's date texts are written: "10 Dec 2026".
std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return {};
    return CFormat("%d %3s %4d", {static_cast<long long>(local.tm_mday), kMonths[local.tm_mon],
                                  static_cast<long long>(local.tm_year + 1900)});
}

// Answers the batch's two questions: continue (Yes) and the revision (as asked).
class BatchAnswers final : public MessageSink {
public:
    BatchAnswers(CliMessageSink& inner, bool increment) : inner_(inner), increment_(increment) {}
    MessageAnswer Show(const Message& m) override {
        if (m.caption == "Batch Calculation Warning") return MessageAnswer::Yes;
        if (m.caption == "Batch Calculation - Increment Revision")
            return increment_ ? MessageAnswer::Yes : MessageAnswer::No;
        return inner_.Show(m);
    }

private:
    CliMessageSink& inner_;
    bool increment_;
};

class CliQuestions final : public ImportQuestions {
public:
    explicit CliQuestions(bool replace) : replace_(replace) {}
    OverwriteAnswer ConfirmReplace(std::string_view) override {
        return replace_ ? OverwriteAnswer::All : OverwriteAnswer::No;
    }

private:
    bool replace_;
};

// "what: done/total" on one line of a terminal, refreshed in place.
ProgressFn TerminalProgress(std::string what) {
    if (!::isatty(STDERR_FILENO)) return {};
    return [what = std::move(what)](std::size_t done, std::size_t total) {
        std::cerr << '\r' << what << ": " << done << " / " << total << (done >= total ? "\n" : "")
                  << std::flush;
        return true;
    };
}

// The project a command names, opened as the desktop opens it (its settings and
// unit lists, whatever an interrupted change left finished or undone).
bool Open(const std::string& arg, ProjectDocument& doc, CliMessageSink& sink) {
    std::filesystem::path p(arg);
    if (p.extension() != ".fil") p += ".fil";
    doc.date_text = TodayText();
    if (!DiskFiles().Stat(p.string())) {
        std::cerr << "project: " << p.string() << " does not exist.\n";
        return false;
    }
    return OpenProject(doc, p.string(), sink);
}

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

int Batch(const BatchOptions& o) {
    CliMessageSink sink;
    sink.quiet = o.json;
    ProjectDocument doc;
    if (!Open(o.project, doc, sink)) return 1;
    if (!o.date.empty()) doc.date_text = Utf8ToCp1252(o.date);
    BatchAnswers answers(sink, o.increment);
    nlohmann::json tags = nlohmann::json::array();
    auto on_tag = [&](std::string_view tag, const BatchTagResult& r) {
        if (!o.json) return;
        tags.push_back({{"tag", Cp1252ToUtf8(tag)},
                        {"ok", r.outcome == BatchOutcome::Calculated},
                        {"messages", r.messages}});
    };
    const BatchRunReport r = BatchCalcCommand(doc, answers, TerminalProgress("Batch calculation"), on_tag);
    if (o.json) {
        // Nothing counts as calculated when the project could not be written.
        if (!r.saved)
            for (auto& t : tags) t["ok"] = false;
        nlohmann::json j = {
            {"project", Cp1252ToUtf8(doc.project_name)},
            {"saved", r.saved},
            {"tags", tags},
            {"calculated", r.calculated},
            {"data_errors", r.data_errors},
            {"not_calculated", r.not_calculated},
            {"unreadable", r.unreadable},
            {"status_file", r.status_written ? doc.project_dir + doc.project_name + ".txt" : ""},
            {"messages", sink.Json()}};
        std::cout << j.dump(2) << '\n';
    }
    return r.saved ? 0 : 1;
}

int Export(const BatchOptions& o) {
    CliMessageSink sink;
    ProjectDocument doc;
    if (!Open(o.project, doc, sink)) return 1;
    return CImpoExpo::ExportProject(*doc.database, o.csv, sink, TerminalProgress("Export")).written ? 0 : 1;
}

int Import(const BatchOptions& o) {
    CliMessageSink sink;
    ProjectDocument doc;
    if (!Open(o.project, doc, sink)) return 1;
    CliQuestions questions(o.replace == "all");
    const ImportReport r = CImpoExpo::ImportFile(*doc.database, o.csv, doc.record, doc.unit_tables, questions,
                                                 sink, TerminalProgress("Import (KiB)"));
    return r.header && r.refused == 0 && (r.saved || r.added + r.replaced == 0) ? 0 : 1;
}

int Pack(const BatchOptions& o) {
    CliMessageSink sink;
    ProjectDocument doc;
    if (!Open(o.project, doc, sink)) return 1;
    return PackProject(*doc.database, sink, TerminalProgress("Pack")).packed ? 0 : 1;
}

int Rebuild(const BatchOptions& o) {
    CliMessageSink sink;
    ProjectDocument doc;
    if (!Open(o.project, doc, sink)) return 1;
    return RebuildIndex(*doc.database, sink, TerminalProgress("Rebuild index")).rebuilt ? 0 : 1;
}

}  // namespace

void RegisterBatchCommands(CLI::App& app, CommandContext& ctx) {
    auto opts = std::make_shared<BatchOptions>();
    auto bind = [&ctx, opts](CLI::App* sub, int (*run)(const BatchOptions&)) {
        sub->callback([&ctx, opts, run] { ctx.action = [opts, run] { return run(*opts); }; });
    };
    CLI::App* clear = app.add_subcommand(
        "clear-calc", "Clear Calc on a tag file: a blank calculation, datasheet emptied, units kept.");
    clear->add_option("FILE", opts->file, "tag file to clear")->required();
    bind(clear, ClearCalcFile);

    CLI::App* batch = app.add_subcommand(
        "batch", "Recalculate every tag of a project; the status file is written beside it (NAME.txt).");
    batch->add_option("PROJECT", opts->project, "project settings file (NAME.fil)")->required();
    batch->add_flag("--increment-revision", opts->increment, "raise each calculated tag's revision number");
    batch->add_option("--date", opts->date, "date text stored in the calculated tags (default: today)");
    batch->add_flag("--json", opts->json, "per tag: tag, ok, messages");
    bind(batch, Batch);

    CLI::App* exp = app.add_subcommand("export", "Write every tag of a project to a comma-separated file.");
    exp->add_option("PROJECT", opts->project, "project settings file (NAME.fil)")->required();
    exp->add_option("CSV", opts->csv, "file to write")->required();
    bind(exp, Export);

    CLI::App* imp = app.add_subcommand("import", "Read tags from a comma-separated file into a project.");
    imp->add_option("PROJECT", opts->project, "project settings file (NAME.fil)")->required();
    imp->add_option("CSV", opts->csv, "file to read")->required();
    imp->add_option("--replace", opts->replace, "tags stored already: replace all, or none (default)")
        ->check(CLI::IsMember({"all", "none"}));
    bind(imp, Import);

    CLI::App* pack =
        app.add_subcommand("pack", "Compact a project's record file to the tags its index holds.");
    pack->add_option("PROJECT", opts->project, "project settings file (NAME.fil)")->required();
    bind(pack, Pack);

    CLI::App* rebuild =
        app.add_subcommand("rebuild-index", "Rebuild a project's index from its record file.");
    rebuild->add_option("PROJECT", opts->project, "project settings file (NAME.fil)")->required();
    bind(rebuild, Rebuild);
}

}  // namespace quorven::cli
