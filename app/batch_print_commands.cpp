#include "app/batch_print_commands.h"

#include "app/commands/command_ids.h"
#include "app/dialogs/batch_dialog.h"
#include "app/report_commands.h"
#include "engine/calibration_chart.h"
#include "record/text_codec.h"
#include "reports/batch_print.h"

namespace quorven {
namespace {

// What the job's document and offered PDF file are called.
std::string ReportName(ReportType kind) {
    switch (kind) {
        case ReportType::BatchCalcSheets:
            return "Calc Sheets";
        case ReportType::BatchDatasheets:
            return "Datasheets";
        case ReportType::BatchCalibrationCharts:
            return "Calibration Charts";
        case ReportType::BatchUncertainty:
            return "Uncertainty Calcs";
        case ReportType::TagIndex:
            return "Tag Index";
        case ReportType::CalibrationChart:
            return "Calibration Chart";
        case ReportType::Uncertainty:
            return "Uncertainty Calc";
        default:
            return "Report";
    }
}

void Run(QWidget* parent, const PrintJob& job, const ReportSource& src, ReportOutput output,
         MessageSink& sink, FileChooser& chooser) {
    switch (output) {
        case ReportOutput::Print:
            PrintReport(parent, job, src, sink);
            break;
        case ReportOutput::Preview:
            PreviewReport(parent, job, src, sink);
            break;
        case ReportOutput::Pdf:
            ExportReportPdf(job, src, chooser, sink);
            break;
    }
}

}  // namespace

std::optional<ReportCommand> ReportCommandOf(int id) {
    using enum ReportType;
    using enum ReportOutput;
    using namespace cmd;
    switch (id) {
        case kPrintDatasheet:
            return ReportCommand{Datasheet, Print};
        case kPreviewDatasheet:
            return ReportCommand{Datasheet, Preview};
        case kExportDatasheetPdf:
            return ReportCommand{Datasheet, Pdf};
        case kPrintCalibration:
            return ReportCommand{CalibrationChart, Print};
        case kPrintUncertainty:
            return ReportCommand{Uncertainty, Print};
        case kPreviewCalibration:
            return ReportCommand{CalibrationChart, Preview};
        case kPreviewUncertainty:
            return ReportCommand{Uncertainty, Preview};
        case kExportCalibrationPdf:
            return ReportCommand{CalibrationChart, Pdf};
        case kExportUncertaintyPdf:
            return ReportCommand{Uncertainty, Pdf};
        case kBatchPrintCalcSheets:
            return ReportCommand{BatchCalcSheets, Print};
        case kBatchPrintDatasheets:
            return ReportCommand{BatchDatasheets, Print};
        case kBatchPrintCalibration:
            return ReportCommand{BatchCalibrationCharts, Print};
        case kBatchPrintUncertainty:
            return ReportCommand{BatchUncertainty, Print};
        case kBatchPrintTagIndex:
            return ReportCommand{TagIndex, Print};
        case kBatchPreviewCalcSheets:
            return ReportCommand{BatchCalcSheets, Preview};
        case kBatchPreviewDatasheets:
            return ReportCommand{BatchDatasheets, Preview};
        case kBatchPreviewCalibration:
            return ReportCommand{BatchCalibrationCharts, Preview};
        case kBatchPreviewUncertainty:
            return ReportCommand{BatchUncertainty, Preview};
        case kBatchPreviewTagIndex:
            return ReportCommand{TagIndex, Preview};
        default:
            return std::nullopt;
    }
}

void RunBatchPrint(QWidget* parent, ReportType kind, ReportOutput output, CQuorven64Doc& doc,
                   MessageSink& sink, FileChooser& chooser) {
    std::optional<std::vector<std::string>> tags = BatchTagsOf(doc, sink);
    if (!tags) return;
    const TagListReader reread = [&doc, &sink]() -> std::optional<std::vector<std::string>> {
        NullMessageSink quiet;  // the dialog says Error #43 itself
        if (!doc.database) return std::nullopt;
        doc.database->Sync(quiet);
        if (!doc.database->IndexPresent()) return std::nullopt;
        return ProjectTagNumbers(*doc.database);
    };
    const std::optional<BatchChoice> choice = ExecBatchDialog(parent, std::move(*tags), reread, sink);
    if (!choice) return;
    const std::optional<PrintJob> job = BatchJobOf(kind, choice->selection, doc.date_text);
    if (!job) return;
    const bool was_saved = !doc.HasUnsavedEdits();
    if (!MayPrintStoredTags(doc, job->BatchTagList, sink)) return;
    if (!was_saved && !doc.HasUnsavedEdits()) doc.NotifyRecordChanged();  // saved on the way

    const ProjectSettings settings = doc.SettingsToWrite();
    ReportSource src;
    src.record = &doc.record;
    src.settings = &settings;
    src.program_dir = doc.program_dir;
    src.version_text = doc.version_text;
    src.read = ProjectTagReader(doc, sink);
    src.title = Cp1252ToUtf8(doc.project_name) + " " + ReportName(kind);
    Run(parent, *job, src, choice->pdf ? ReportOutput::Pdf : output, sink, chooser);
}

void RunSingleReport(QWidget* parent, ReportType kind, ReportOutput output, CQuorven64Doc& doc,
                     MessageSink& sink, FileChooser& chooser) {
    const ProjectSettings settings = doc.SettingsToWrite();
    ReportSource src;
    src.record = &doc.record;
    src.settings = &settings;
    src.program_dir = doc.program_dir;
    src.version_text = doc.version_text;
    if (kind == ReportType::CalibrationChart) {
        const ChartStatus status = ComputeCalibrationChart(doc.record).status;
        if (status == ChartStatus::CriticalDrop || status == ChartStatus::NoDifferential) {
            Message m;
            m.kind = MessageKind::Warning;
            m.caption = "Calibration Chart";
            m.text = ChartStatusText(status);
            m.icon = MessageIcon::Information;
            m.system_modal = false;
            sink.Show(m);
            return;
        }
    }
    Run(parent, SingleReportJob(kind), src, output, sink, chooser);
}

}  // namespace quorven
