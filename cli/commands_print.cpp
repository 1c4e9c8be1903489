// quorven-cli print calc|datasheet (T.tag | P.fil TAG...) --pdf OUT.pdf:
// calculation sheets or datasheets as PDF, one page per tag, without a display. Company and project texts,
// page settings and unit lists come from a project settings block (--settings, or the project's own); without
// one, from the settings of a new document.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "project/configuration.h"
#include "project/database.h"
#include "project/project_files.h"
#include "project/project_settings.h"
#include "project/tag_file.h"
#include "record/cformat.h"
#include "record/file_io.h"
#include "record/text_codec.h"
#include "record/units.h"
#include "reports/print_calc.h"
#include "reports/print_spec.h"
#include "reports/qt/report_output.h"
#include "reports/report_page.h"

namespace quorven::cli {
namespace {

enum class PrintedReport { CalcSheet, Datasheet };

struct PrintOptions {
    PrintedReport report = PrintedReport::CalcSheet;
    std::string file;
    std::vector<std::string> tags;
    std::string pdf;
    std::string settings;
    bool letter = false;
    bool numbered = false;
};

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

int PrintReports(const PrintOptions& o) {
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
        if (o.report == PrintedReport::Datasheet)
            PrintDatasheet(page, r, ctx, n, &fits);
        else
            PrintCalcSheet(page, r, ctx, n, &fits);
        return fits;
    });
    if (!res.written) {
        std::cerr << "print: nothing was written: " << res.error << ".\n";
        return 1;
    }
    if (!res.all_fit) std::cerr << "Warning: " << kPageDoesNotFitText << '\n';
    const char* what = o.report == PrintedReport::Datasheet ? (count == 1 ? " datasheet" : " datasheets")
                       : count == 1                         ? " calculation sheet"
                                                            : " calculation sheets";
    std::cout << "Printed " << count << what << " to " << o.pdf << ".\n";
    return 0;
}

}  // namespace

void RegisterPrintCommands(CLI::App& app, CommandContext& ctx) {
    CLI::App* print = app.add_subcommand("print", "Print reports to PDF without a display.");
    print->require_subcommand(1);
    auto add = [&ctx, print](const char* name, const char* help, PrintedReport report) {
        auto opts = std::make_shared<PrintOptions>();
        opts->report = report;
        CLI::App* cmd = print->add_subcommand(name, help);
        cmd->add_option("FILE", opts->file,
                        "a tag file (T.tag), or a project file (P.fil) followed by tag numbers")
            ->required();
        cmd->add_option("TAG", opts->tags, "tag numbers of the project to print");
        cmd->add_option("--pdf", opts->pdf, "the PDF file to write")->required();
        cmd->add_option("--settings", opts->settings,
                        "project settings file (.fil) with the company data, page settings and units");
        cmd->add_flag("--letter", opts->letter, "US Letter paper instead of A4");
        cmd->add_flag("--numbered", opts->numbered, "number the sheets (Sht: n of N)");
        cmd->callback([&ctx, opts] { ctx.action = [opts] { return PrintReports(*opts); }; });
    };
    add("calc", "Calculation sheets, one page per tag.", PrintedReport::CalcSheet);
    add("datasheet", "Instrument datasheets, one page per tag.", PrintedReport::Datasheet);
}

}  // namespace quorven::cli
