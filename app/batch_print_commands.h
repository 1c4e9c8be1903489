#pragma once
// The ten batch print and preview commands, and the single calibration chart and
// uncertainty report commands, of the desktop: the "Batch Print Setup" dialog,
// then a print, preview or PDF job of the chosen tags, each read from the project
// into a record of its own. The document's current tag is never replaced.

#include <optional>

#include "app/document.h"
#include "messages/messages.h"
#include "messages/platform.h"
#include "reports/print_job.h"

class QWidget;

namespace quorven {

enum class ReportOutput { Print, Preview, Pdf };

struct ReportCommand {
    ReportType kind;
    ReportOutput output;
};

// The report command of a menu command id (the ten batch commands and the single
// calibration chart and uncertainty commands), or nothing.
std::optional<ReportCommand> ReportCommandOf(int id);

// A batch command: the dialog, the question about unsaved edits of a batch tag,
// and the job (OK: the command's print or preview; "Export PDF...": a PDF file).
void RunBatchPrint(QWidget* parent, ReportType kind, ReportOutput output, CQuorven64Doc& doc,
                   MessageSink& sink, FileChooser& chooser);

// A single report of the current tag.
void RunSingleReport(QWidget* parent, ReportType kind, ReportOutput output, CQuorven64Doc& doc,
                     MessageSink& sink, FileChooser& chooser);

}  // namespace quorven
