#pragma once
// The report commands of the desktop: Print, Print Preview and Export to PDF of a
// report job (the calculation sheet of the current tag), and the Page Setup and
// printer font dialogs whose values every report uses. Pages come from the report
// library; this file only runs Qt's print, preview and file jobs around them.

#include <string>

#include "messages/messages.h"
#include "messages/platform.h"
#include "project/project_settings.h"
#include "record/tag_record.h"
#include "reports/print_job.h"

class QPrinter;
class QWidget;

namespace quorven {

// What a job prints besides its kind: the current tag and the project settings
// (company and customer texts, page settings, unit lists), the program's folder
// (the logo) and version.
struct ReportSource {
    const TagRecord* record = nullptr;
    const ProjectSettings* settings = nullptr;
    std::string program_dir;
    std::string version_text;
    // Batch jobs: reads each page's tag from the project into a record of its own.
    TagReader read;
    // The document name of the job; the current tag's number when empty.
    std::string title;
};

// What became of a job on its device.
struct PaintOutcome {
    bool started = false;  // the device took the job (a printer or file that cannot be opened does not)
    bool all_fit = true;   // every page's settings fitted the paper
};

// The job's pages on a printer, preview or PDF device: every page from the job
// state alone.
PaintOutcome PaintReportJob(QPrinter& printer, const PrintJob& job, const ReportSource& src);

// Print: the print dialog on a printer set up for reports (600 dpi, the tag number
// as the document name), then the pages. False when cancelled or when the printer
// did not take the job (which is said).
bool PrintReport(QWidget* parent, const PrintJob& job, const ReportSource& src, MessageSink& sink);

// Print Preview: the preview window of the job, modal.
void PreviewReport(QWidget* parent, const PrintJob& job, const ReportSource& src, MessageSink& sink);

// Export to PDF: asks for the file ("TAG.pdf" offered) and writes the job's pages
// into it, whole or not at all. Returns the file written, or "" when cancelled or
// failed (the failure is shown).
std::string ExportReportPdf(const PrintJob& job, const ReportSource& src, FileChooser& chooser,
                            MessageSink& sink);

// Says, once per job, that the page settings do not fit the paper.
void ShowPageDoesNotFit(MessageSink& sink);

// "Page Settings": top margin, left margin, right margin and line spacing, each
// checked against its range on OK; on OK the values are stored (the bottom edge
// follows the top margin). Returns whether they were stored.
bool RunPageSetupDialog(QWidget* parent, ProjectSettings& s);

// The printer font: the font dialog on the stored face and size; on OK the face,
// the whole point size and the font record are stored. Returns whether they were.
bool RunPrinterFontDialog(QWidget* parent, ProjectSettings& s);

}  // namespace quorven
