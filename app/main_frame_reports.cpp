// The main frame's report commands of the calculation sheet: Print, Print Preview
// and Export to PDF of the current tag's sheet, and Page Setup and the printer
// font, whose values every report uses and which are kept in the configuration.

#include <QMdiArea>

#include "app/commands/command_ids.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/report_commands.h"
#include "project/configuration.h"
#include "project/project_commands.h"

namespace quorven {

using namespace cmd;

bool CMainFrame::RunReportCommand(int id) {
    if (id != kPrintCalcSheet && id != kPreviewCalcSheet && id != kExportCalcSheetPdf && id != kPageSetup &&
        id != kPrinterFont)
        return false;
    CQuorven64Doc* doc = ActiveDocument();
    if (id == kPageSetup || id == kPrinterFont) {
        // Without a window the configuration's settings are changed.
        ProjectDocument scratch;
        scratch.config_dir = config_dir_;
        if (doc == nullptr) LoadConfiguration(scratch, sink_);
        ProjectDocument& target = doc != nullptr ? static_cast<ProjectDocument&>(*doc) : scratch;
        const bool stored = id == kPageSetup ? RunPageSetupDialog(this, target.settings)
                                             : RunPrinterFontDialog(this, target.settings);
        if (stored) (void)SaveConfiguration(target, sink_);
        UpdateCommands();
        return true;
    }
    if (doc == nullptr) return true;
    CommitPendingEdit();
    // The lists in use name the units, as the form shows them.
    const ProjectSettings settings = doc->SettingsToWrite();
    ReportSource src;
    src.record = &doc->record;
    src.settings = &settings;
    src.program_dir = doc->program_dir;
    src.version_text = doc->version_text;
    const PrintJob job = SingleReportJob(ReportType::CalcSheet);
    if (id == kPrintCalcSheet) PrintReport(this, job, src, sink_);
    if (id == kPreviewCalcSheet) PreviewReport(this, job, src, sink_);
    if (id == kExportCalcSheetPdf) ExportReportPdf(job, src, *chooser_, sink_);
    UpdateCommands();
    return true;
}

}  // namespace quorven
