#include "app/project_utility_commands.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>
#include <limits>

#include "app/commands/command_ids.h"
#include "form/batch_calculate.h"
#include "messages/messages.h"
#include "project/impo_expo.h"
#include "project/maintenance.h"
#include "project/notices.h"
#include "record/record_io.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

using namespace cmd;

int g_show_delay_ms = 400;

// The import's replacement question, asked with the "Tag Data Overwrite Warning!"
// dialog.
class DialogQuestions final : public ImportQuestions {
public:
    DialogQuestions(ProjectDialogs& dialogs, ProgressWindow& progress)
        : dialogs_(dialogs), progress_(progress) {}
    OverwriteAnswer ConfirmReplace(std::string_view tag_no) override {
        progress_.Hide();
        return dialogs_.TagDataOverwrite(tag_no);
    }

private:
    ProjectDialogs& dialogs_;
    ProgressWindow& progress_;
};

bool HasDatabase(const CQuorven64Doc& doc) {
    return doc.project_open && doc.database != nullptr;
}

// After a command that rewrote stored tags: a current tag that is stored and has no
// unsaved edits is read again, so the window shows what the project now holds.
// True when the record changed.
bool RereadSavedTag(CQuorven64Doc& doc) {
    const std::string tag(GetText(doc.record.Tag_No));
    if (!HasDatabase(doc) || !doc.tag_saved || doc.HasUnsavedEdits() || tag.empty()) return false;
    RecordingMessageSink quiet;
    doc.database->Sync(quiet);
    if (doc.database->FindTag(tag) < 0) return false;
    const std::string before = RecordToBytes(doc.record);
    if (!LoadStoredTag(doc, tag, quiet)) return false;
    return RecordToBytes(doc.record) != before;
}

void RunBatchCalc(QWidget* parent, CQuorven64Doc& doc, CommandUi& ui) {
    const std::string before = RecordToBytes(doc.record);
    ProgressWindow progress(parent, QStringLiteral("Batch Calculation"),
                            QStringLiteral("Calculating the tags"), QStringLiteral("tags"));
    if (BatchCalcCommand(doc, progress.Sink(ui.sink), progress.Fn()).cancelled)
        ShowNotice(ui.sink, "Batch Calculation Message",
                   "Batch calculation aborted!\n\nNo tag of the project was changed.",
                   MessageIcon::Information);
    if (RecordToBytes(doc.record) != before) {
        doc.NotifyRecordChanged();
        doc.MarkBaseline();
    }
}

void RunClearCalc(CQuorven64Doc& doc, MessageSink& sink) {
    // The notice comes up over the blanked form.
    (void)ClearCalcCommand(doc, sink, [&doc] {
        doc.NotifyRecordChanged();
        doc.MarkBaseline();
    });
}

void RunExport(QWidget* parent, CQuorven64Doc& doc, CommandUi& ui) {
    // Without a project there is no index to read or write: no file is asked for.
    if (!HasDatabase(doc)) {
        CError(ui.sink).Show(msg::kErrProjectIndex);
        return;
    }
    FileChoice choice;
    choice.save = true;
    choice.title = "Export Project File";
    choice.filter = "Export Files (*.csv) | *.csv||";
    choice.default_ext = "csv";
    choice.initial_name =
        doc.project_dir + (doc.project_name.empty() ? std::string("*") : doc.project_name) + ".csv";
    const std::optional<std::string> path = ui.chooser.Choose(choice);
    if (!path) return;
    ProgressWindow progress(parent, QStringLiteral("ASCII File Export"), QStringLiteral("Exporting the tags"),
                            QStringLiteral("tags"));
    (void)CImpoExpo::ExportProject(*doc.database, *path, progress.Sink(ui.sink), progress.Fn());
}

void RunImport(QWidget* parent, CQuorven64Doc& doc, CommandUi& ui) {
    // Without a project there is no index to read or write: no file is asked for.
    if (!HasDatabase(doc)) {
        CError(ui.sink).Show(msg::kErrProjectIndex);
        return;
    }
    FileChoice choice;
    choice.title = "Import Project File";
    choice.filter =
        "Import Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|Ascii Files (*.asc)|*.asc|All Files (*.*)|*.*||";
    choice.initial_name = doc.project_dir;
    const std::optional<std::string> path = ui.chooser.Choose(choice);
    if (!path) return;
    ProgressWindow progress(parent, QStringLiteral("ASCII File Import"), QStringLiteral("Importing the file"),
                            QStringLiteral("KiB"));
    DialogQuestions questions(ui.dialogs, progress);
    const ImportReport r = CImpoExpo::ImportFile(*doc.database, *path, doc.record, doc.unit_tables, questions,
                                                 progress.Sink(ui.sink), progress.Fn());
    if (r.saved && RereadSavedTag(doc)) doc.NotifyRecordChanged();
}

// Pack and rebuild leave the current tag as it is: it may hold the user's unsaved
// work, and the stored tags keep their numbers.
void RunPack(QWidget* parent, CQuorven64Doc& doc, CommandUi& ui) {
    if (!HasDatabase(doc)) {
        CError(ui.sink).Show(msg::kErrPackRecords);
        return;
    }
    ProgressWindow progress(parent, QStringLiteral("PACK UTILITY"), QStringLiteral("Packing the project"),
                            QStringLiteral("tags"));
    if (PackProject(*doc.database, progress.Sink(ui.sink), progress.Fn()).cancelled)
        ShowNotice(ui.sink, "PACK UTILITY", "Packing aborted!\n\nThe project was not changed.",
                   MessageIcon::Information);
}

void RunRebuild(QWidget* parent, CQuorven64Doc& doc, CommandUi& ui) {
    if (!HasDatabase(doc)) {
        CError(ui.sink).Show(msg::kErrReindex);
        return;
    }
    ProgressWindow progress(parent, QStringLiteral("INDEX REBUILD UTILITY"),
                            QStringLiteral("Reading the record file"), QStringLiteral("records"));
    if (RebuildIndex(*doc.database, progress.Sink(ui.sink), progress.Fn()).cancelled)
        ShowNotice(ui.sink, "INDEX REBUILD UTILITY", "Index rebuild aborted!\n\nThe index was not changed.",
                   MessageIcon::Information);
}

}  // namespace

class ProgressWindow::HidingSink final : public MessageSink {
public:
    HidingSink(ProgressWindow& window, MessageSink& inner) : window_(window), inner_(inner) {}
    MessageAnswer Show(const Message& m) override {
        window_.Hide();
        return inner_.Show(m);
    }

private:
    ProgressWindow& window_;
    MessageSink& inner_;
};

ProgressWindow::ProgressWindow(QWidget* parent, QString title, QString what, QString unit)
    : dialog_(std::make_unique<QProgressDialog>(parent)), what_(std::move(what)), unit_(std::move(unit)) {
    dialog_->setWindowTitle(title);
    dialog_->setObjectName(QStringLiteral("progress"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setCancelButtonText(QStringLiteral("Cancel"));
    // Step alone shows the window, never the dialog's own timer: that would put it
    // up behind a closing message or over a question.
    dialog_->setMinimumDuration(std::numeric_limits<int>::max());
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(360);
    dialog_->setRange(0, 1000);
    dialog_->setValue(0);
    dialog_->setLabelText(what_ + QStringLiteral("..."));
    dialog_->hide();
    clock_.start();
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::Hide() {
    dialog_->hide();
}

MessageSink& ProgressWindow::Sink(MessageSink& inner) {
    sink_ = std::make_unique<HidingSink>(*this, inner);
    return *sink_;
}

void ProgressWindow::SetShowDelay(int milliseconds) {
    g_show_delay_ms = std::max(0, milliseconds);
}

ProgressFn ProgressWindow::Fn() {
    return [this](std::size_t done, std::size_t total) { return Step(done, total); };
}

bool ProgressWindow::Step(std::size_t done, std::size_t total) {
    if (dialog_->wasCanceled()) return false;
    done = std::min(done, total);
    const int value =
        total == 0 ? 0 : static_cast<int>((1000.0 * static_cast<double>(done)) / static_cast<double>(total));
    if (done >= total) {
        dialog_->hide();
        return true;
    }
    // Shown once the run has gone on longer than the delay; while it is up, the
    // application-modal window takes the Cancel click and nothing else.
    if (!dialog_->isVisible() && clock_.elapsed() >= g_show_delay_ms) dialog_->show();
    dialog_->setLabelText(QStringLiteral("%1: %2 of %3 %4")
                              .arg(what_)
                              .arg(QString::number(static_cast<qulonglong>(done)),
                                   QString::number(static_cast<qulonglong>(total)), unit_));
    dialog_->setValue(value);
    if (dialog_->isVisible()) QApplication::processEvents();
    return !dialog_->wasCanceled();
}

bool IsProjectUtilityCommand(int id) {
    return id == kBatchCalc || id == kClearCalc || id == kExportAscii || id == kImportAscii ||
           id == kPackProject || id == kRebuildIndex;
}

void RunProjectUtilityCommand(QWidget* parent, int id, CQuorven64Doc& doc, CommandUi& ui) {
    switch (id) {
        case kBatchCalc:
            RunBatchCalc(parent, doc, ui);
            break;
        case kClearCalc:
            RunClearCalc(doc, ui.sink);
            break;
        case kExportAscii:
            RunExport(parent, doc, ui);
            break;
        case kImportAscii:
            RunImport(parent, doc, ui);
            break;
        case kPackProject:
            RunPack(parent, doc, ui);
            break;
        case kRebuildIndex:
            RunRebuild(parent, doc, ui);
            break;
        default:
            break;
    }
}

}  // namespace quorven
