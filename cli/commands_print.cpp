// quorven-cli print calc|datasheet|chart|uncertainty (T.tag | P.fil TAG...) --pdf
// OUT.pdf: calculation sheets, datasheets, calibration charts or uncertainty reports as PDF, one page
// per tag, without a display; quorven-cli print batch P.fil --report KIND: a
// project's tags (all of them, or those named) as a batch numbered by each tag's
// place in the sorted list of the project's tags, with the tag index. Company and
// project texts, page settings and unit lists come from a project settings block
// (--settings, or the project's own); without one, from the settings of a new
// document.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "engine/calibration_chart.h"
#include "messages/messages.h"
#include "project/configuration.h"
#include "project/database.h"
#include "project/project_files.h"
#include "project/project_settings.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/file_io.h"
#include "record/text_codec.h"
#include "record/units.h"
#include "reports/batch_print.h"
#include "reports/print_calc.h"
#include "reports/print_calib.h"
#include "reports/print_job.h"
#include "reports/print_spec.h"
#include "reports/print_uncert.h"
#include "reports/qt/report_output.h"
#include "reports/report_page.h"

namespace quorven::cli {
namespace {

struct PrintOptions {
    std::string file;
    std::vector<std::string> tags;
    std::string pdf;
    std::string settings;
    bool letter = false;
    bool numbered = false;
    // print batch
    std::string report;
    bool index = false;
    std::string date;
};

// What each single-report command prints and calls its pages.
struct SingleKind {
    ReportType kind;
    const char* one;
    const char* many;
};
constexpr SingleKind kCalcSheets{ReportType::CalcSheet, "calculation sheet", "calculation sheets"};
constexpr SingleKind kDatasheets{ReportType::Datasheet, "datasheet", "datasheets"};
constexpr SingleKind kCharts{ReportType::CalibrationChart, "calibration chart", "calibration charts"};
constexpr SingleKind kUncertainty{ReportType::Uncertainty, "uncertainty report", "uncertainty reports"};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The program's version as the desktop program shows it: the release of a new record.
std::string ProgramVersion() {
    const TagRecord r = NewTagRecord();
    return CFormat("%d.%d.%d", {static_cast<long long>(r.Rel_Major), static_cast<long long>(r.Rel_Minor),
                                static_cast<long long>(r.Rel_Build)});
}

// The program's folder, where the report logo "logo.bmp" is looked for.
std::filesystem::path ProgramDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

bool ReadSettings(const std::string& path, ProjectSettings& s) {
    std::vector<std::string> repairs;
    switch (ReadSettingsFile(DiskFiles(), path, s, &repairs)) {
        case SettingsRead::Read:
            break;
        case SettingsRead::Missing:
            std::cerr << "print: there is no settings file " << path << ".\n";
            return false;
        case SettingsRead::Refused:
            std::cerr << "print: " << path << " is not a project settings file (" << kProjectSettingsSize
                      << " bytes).\n";
            return false;
    }
    for (const std::string& r : repairs) std::cerr << "Warning: settings " << r << '\n';
    return true;
}

void ReportRepairs(const std::vector<RecordRepair>& repairs) {
    for (const RecordRepair& rep : repairs)
        std::cerr << "Warning: field " << rep.field << " held an invalid value (" << Cp1252ToUtf8(rep.was)
                  << ") and was reset.\n";
}

// The named tags of a project, in the order given, each with the project's flow
// unit list as a retrieved tag has it; the project's settings unless --settings
// named others. All or nothing: a tag that is not there prints no sheet at all.
bool ReadProjectTags(const PrintOptions& o, ProjectSettings& settings, std::vector<TagRecord>& records,
                     CliMessageSink& sink) {
    if (o.tags.empty()) {
        std::cerr << "print: name the tags of the project to print.\n";
        return false;
    }
    if (!DiskFiles().Stat(o.file)) {
        std::cerr << "print: " << o.file << " does not exist.\n";
        return false;
    }
    if (o.settings.empty() && !ReadSettings(o.file, settings)) return false;
    CDatabase db(DiskFiles(), ProjectPathsOf(o.file));
    db.Open(sink);
    const UnitTables tables = UnitTablesOf(settings);
    for (const std::string& tag : o.tags) {
        TagRecord r = NewTagRecord();
        std::vector<RecordRepair> repairs;
        const std::string number = Utf8ToCp1252(tag);
        if (!db.ReadTag(number, r, sink, &repairs)) {
            if (db.FindTag(number) < 0) std::cerr << "print: no tag \"" << tag << "\" in the project.\n";
            return false;
        }
        ReportRepairs(repairs);
        ReapplyFlowUnit(r, tables);
        records.push_back(r);
    }
    return true;
}

int PrintSingles(const PrintOptions& o, const SingleKind& what) {
    CliMessageSink sink;
    ProjectSettings settings = DefaultProjectSettings();
    if (!o.settings.empty() && !ReadSettings(o.settings, settings)) return 1;

    std::vector<TagRecord> records;
    const std::string ext = Lower(std::filesystem::path(o.file).extension().string());
    if (ext == ".fil") {
        if (!ReadProjectTags(o, settings, records, sink)) return 1;
    } else {
        if (!o.tags.empty()) {
            std::cerr << "print: tag numbers go with a project file; a tag file holds one tag.\n";
            return 1;
        }
        TagRecord r = NewTagRecord();
        std::vector<RecordRepair> repairs;
        if (!ReadTagFile(o.file, r, sink, &repairs)) return 1;
        ReportRepairs(repairs);
        // As Open Tag File leaves it: the flow unit taken again from the lists at the
        // record's selection, so the flow and its unit name agree.
        ReapplyFlowUnit(r, UnitTablesOf(settings));
        records.push_back(r);
    }

    const ReportContext ctx = MakeReportContext(settings, ProgramVersion(), ProgramDir());
    const HeadlessReportApp qt;
    PdfJob job;
    job.path = o.pdf;
    job.title = Cp1252ToUtf8(GetText(records.front().Tag_No));
    job.letter = o.letter;
    const int count = static_cast<int>(records.size());
    const PdfResult res = WriteReportPdf(job, count, [&](int i, CPage& page) {
        SheetNumbering n;
        n.numbered = o.numbered;
        n.sheet_no = i + 1;
        n.sheet_count = count;
        bool fits = true;
        const TagRecord& r = records[static_cast<std::size_t>(i)];
        switch (what.kind) {
            case ReportType::CalibrationChart:
                PrintCalibChart(page, r, ctx, n, &fits);
                break;
            case ReportType::Uncertainty:
                PrintUncertReport(page, r, ctx, n, &fits);
                break;
            case ReportType::Datasheet:
                PrintDatasheet(page, r, ctx, n, &fits);
                break;
            default:
                PrintCalcSheet(page, r, ctx, n, &fits);
                break;
        }
        return fits;
    });
    if (!res.written) {
        std::cerr << "print: nothing was written: " << res.error << ".\n";
        return 1;
    }
    if (!res.all_fit) std::cerr << "Warning: " << kPageDoesNotFitText << '\n';
    std::cout << "Printed " << count << ' ' << (count == 1 ? what.one : what.many) << " to " << o.pdf
              << ".\n";
    if (what.kind == ReportType::CalibrationChart) {
        for (const TagRecord& r : records) {
            const ChartStatus status = ComputeCalibrationChart(r).status;
            if (status == ChartStatus::CriticalDrop || status == ChartStatus::NoDifferential)
                std::cerr << Cp1252ToUtf8(GetText(r.Tag_No)) << ": " << ChartStatusText(status) << '\n';
        }
    }
    return 0;
}

// Today's date as the desktop program writes it ("10 Dec 2026").
std::string TodayText() {
    constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return {};
    return CFormat("%d %3s %4d", {static_cast<long long>(local.tm_mday), kMonths[local.tm_mon],
                                  static_cast<long long>(local.tm_year + 1900)});
}

// The batch report kinds by their names on the command line.
std::optional<ReportType> BatchKindOf(const std::string& name) {
    if (name == "calc") return ReportType::BatchCalcSheets;
    if (name == "datasheet") return ReportType::BatchDatasheets;
    if (name == "chart") return ReportType::BatchCalibrationCharts;
    if (name == "uncertainty") return ReportType::BatchUncertainty;
    if (name == "index") return ReportType::TagIndex;
    return std::nullopt;
}

// A batch of the project's tags: every tag, or those named, each read from the
// project when its page is drawn (one record in memory at a time), numbered by
// its place in the sorted list of all the project's tags; with --index the tag
// index of the same tags first.
int PrintBatch(const PrintOptions& o) {
    CliMessageSink sink;
    const std::optional<ReportType> kind = BatchKindOf(o.report);
    if (!kind) {
        std::cerr << "print batch: --report is one of calc, datasheet, chart, uncertainty, index.\n";
        return 1;
    }
    if (Lower(std::filesystem::path(o.file).extension().string()) != ".fil" || !DiskFiles().Stat(o.file)) {
        std::cerr << "print batch: " << o.file << " is not a project file (.fil).\n";
        return 1;
    }
    ProjectSettings settings = DefaultProjectSettings();
    if (!ReadSettings(o.settings.empty() ? o.file : o.settings, settings)) return 1;
    CDatabase db(DiskFiles(), ProjectPathsOf(o.file));
    db.Open(sink);
    if (!db.IndexPresent()) {
        CError(sink).Show(msg::kErrProjectIndex);
        return 1;
    }
    BatchSelection selection(ProjectTagNumbers(db), true);
    if (!o.tags.empty()) {
        selection.DeselectAll();
        for (const std::string& tag : o.tags) {
            const std::string number = Utf8ToCp1252(tag);
            const auto& all = selection.Available();
            const auto at = std::find(all.begin(), all.end(), number);
            if (at == all.end()) {
                std::cerr << "print batch: no tag \"" << tag << "\" in the project.\n";
                return 1;
            }
            selection.ActivateAvailable(static_cast<int>(at - all.begin()));
        }
    }
    const std::vector<BatchEntry> entries = selection.Entries();
    if (entries.empty()) {
        std::cerr << "print batch: the project holds no tags.\n";
        return 1;
    }
    const std::string run_date = Utf8ToCp1252(o.date.empty() ? TodayText() : o.date);
    std::vector<PrintJob> jobs;
    if (o.index || *kind == ReportType::TagIndex)
        jobs.push_back(
            BatchReportJob(ReportType::TagIndex, entries, selection.Total(), o.numbered, run_date));
    if (*kind != ReportType::TagIndex)
        jobs.push_back(BatchReportJob(*kind, entries, selection.Total(), o.numbered, run_date));
    int count = 0;
    for (const PrintJob& job : jobs) count += JobPageCount(job);

    const UnitTables tables = UnitTablesOf(settings);
    int unreadable = 0;
    const TagReader read = [&](const std::string& tag, TagRecord& out) {
        std::vector<RecordRepair> repairs;
        TagRecord r = NewTagRecord();
        if (!db.ReadTag(tag, r, sink, &repairs)) {
            ++unreadable;
            return false;
        }
        ReportRepairs(repairs);
        ReapplyFlowUnit(r, tables);
        out = r;
        return true;
    };
    const ReportContext ctx = MakeReportContext(settings, ProgramVersion(), ProgramDir());
    const TagRecord none = NewTagRecord();
    const HeadlessReportApp qt;
    PdfJob pdf;
    pdf.path = o.pdf;
    pdf.title = Cp1252ToUtf8(GetText(settings.Project));
    pdf.letter = o.letter;
    const PdfResult res = WriteReportPdf(pdf, count, [&](int i, CPage& page) {
        for (const PrintJob& job : jobs) {
            if (i < JobPageCount(job)) return PrintJobPage(page, job, i, none, read, ctx);
            i -= JobPageCount(job);
        }
        return true;
    });
    if (!res.written) {
        std::cerr << "print: nothing was written: " << res.error << ".\n";
        return 1;
    }
    if (!res.all_fit) std::cerr << "Warning: " << kPageDoesNotFitText << '\n';
    std::cout << "Printed " << count << (count == 1 ? " page" : " pages") << " (" << entries.size()
              << (entries.size() == 1 ? " tag" : " tags") << " of " << selection.Total() << ") to " << o.pdf
              << ".\n";
    return unreadable == 0 ? 0 : 1;
}

}  // namespace

void RegisterPrintCommands(CLI::App& app, CommandContext& ctx) {
    CLI::App* print = app.add_subcommand("print", "Print reports to PDF without a display.");
    print->require_subcommand(1);
    auto opts = std::make_shared<PrintOptions>();
    struct Command {
        const char* name;
        const char* help;
        const SingleKind* kind;
    };
    static constexpr Command kCommands[] = {
        {"calc", "Calculation sheets, one page per tag.", &kCalcSheets},
        {"datasheet", "Instrument datasheets, one page per tag.", &kDatasheets},
        {"chart", "Flow calibration charts, one page per tag.", &kCharts},
        {"uncertainty", "Meter uncertainty reports, one page per tag.", &kUncertainty},
    };
    for (const Command& c : kCommands) {
        CLI::App* sub = print->add_subcommand(c.name, c.help);
        sub->add_option("FILE", opts->file,
                        "a tag file (T.tag), or a project file (P.fil) followed by tag numbers")
            ->required();
        sub->add_option("TAG", opts->tags, "tag numbers of the project to print");
        sub->add_option("--pdf", opts->pdf, "the PDF file to write")->required();
        sub->add_option("--settings", opts->settings,
                        "project settings file (.fil) with the company data, page settings and units");
        sub->add_flag("--letter", opts->letter, "US Letter paper instead of A4");
        sub->add_flag("--numbered", opts->numbered, "number the sheets (Sht: n of N)");
        const SingleKind* kind = c.kind;
        sub->callback(
            [&ctx, opts, kind] { ctx.action = [opts, kind] { return PrintSingles(*opts, *kind); }; });
    }

    CLI::App* batch = print->add_subcommand("batch",
                                            "A project's tags as one batch: sheets numbered by each tag's "
                                            "place in the project, and the tag index.");
    batch->add_option("FILE", opts->file, "the project file (P.fil)")->required();
    batch->add_option("--report", opts->report, "calc, datasheet, chart, uncertainty, or index alone")
        ->required();
    batch->add_option("--tags", opts->tags,
                      "the tags to print, in this order (all tags, sorted, when left out)");
    batch->add_flag("--numbered", opts->numbered,
                    "number the sheets (Sht: n of N, N the tags of the project)");
    batch->add_flag("--index", opts->index, "the tag index of the same tags before the sheets");
    batch->add_option("--date", opts->date, "the run date the tag index prints (today when left out)");
    batch->add_option("--pdf", opts->pdf, "the PDF file to write")->required();
    batch->add_option("--settings", opts->settings,
                      "project settings file (.fil) with the company data, page settings and units");
    batch->add_flag("--letter", opts->letter, "US Letter paper instead of A4");
    batch->callback([&ctx, opts] { ctx.action = [opts] { return PrintBatch(*opts); }; });
}

}  // namespace quorven::cli
