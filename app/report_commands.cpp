#include "app/report_commands.h"

#include <QFontDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include "app/platform/id_dialog.h"
#include "app/platform/qt_text.h"
#include "record/cformat.h"
#include "record/file_io.h"
#include "record/text_codec.h"
#include "reports/qt/qt_page_renderer.h"
#include "reports/qt/report_output.h"

namespace quorven {
namespace {

// Control identifiers of the Page Settings dialog.
constexpr int kIdTopMargin = 1661;
constexpr int kIdLeftMargin = 1662;
constexpr int kIdRightMargin = 1663;
constexpr int kIdLineSpacing = 1664;

ReportContext ContextOf(const ReportSource& src) {
    return MakeReportContext(src.settings ? *src.settings : DefaultProjectSettings(), src.version_text,
                             src.program_dir);
}

std::string TagNumber(const ReportSource& src) {
    if (!src.title.empty()) return src.title;
    return src.record ? Cp1252ToUtf8(GetText(src.record->Tag_No)) : std::string();
}

void PrepareReportPrinter(QPrinter& printer, const ReportSource& src) {
    // Page arithmetic at one resolution on every device; the printer's own
    // resolution would give the logo and the rules another size.
    printer.setResolution(kReportDpi);
    printer.setDocName(ToQString(TagNumber(src)));
}

// An edit of the dialog with the unit "Inch" after it.
void AddInchUnit(CIdDialog& dialog, QLineEdit* edit) {
    auto* form = dialog.findChild<QFormLayout*>();
    int row = -1;
    QFormLayout::ItemRole role{};
    if (!form || (form->getWidgetPosition(edit, &row, &role), row < 0)) return;
    QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole);
    QWidget* label_widget = label ? label->widget() : nullptr;
    const QFormLayout::TakeRowResult taken = form->takeRow(row);
    delete taken.fieldItem;  // the layout item only; the edit is moved below
    auto* field = new QWidget(&dialog);
    auto* line = new QHBoxLayout(field);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(edit);
    line->addWidget(new QLabel(QStringLiteral("Inch"), field));
    if (taken.labelItem) delete taken.labelItem;
    form->insertRow(row, label_widget, field);
}

}  // namespace

PaintOutcome PaintReportJob(QPrinter& printer, const PrintJob& job, const ReportSource& src) {
    PaintOutcome out;
    QPainter painter;
    if (!src.record || !painter.begin(&printer)) return out;
    out.started = true;
    const ReportContext ctx = ContextOf(src);
    int first = 0;
    int last = JobPageCount(job) - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(last, printer.toPage() - 1);
    }
    out.all_fit = PaintReportPages(painter, printer, last - first + 1, [&](int i, CPage& page) {
        return PrintJobPage(page, job, first + i, *src.record, src.read, ctx);
    });
    painter.end();
    return out;
}

void ShowPageDoesNotFit(MessageSink& sink) {
    Message m;
    m.kind = MessageKind::Warning;
    m.number = 0;
    m.caption = "Page Setup";
    m.text = kPageDoesNotFitText;
    m.icon = MessageIcon::Exclamation;
    sink.Show(m);
}

bool PrintReport(QWidget* parent, const PrintJob& job, const ReportSource& src, MessageSink& sink) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareReportPrinter(printer, src);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, std::max(JobPageCount(job), 1));
    if (dialog.exec() != QDialog::Accepted) return false;
    PrepareReportPrinter(printer, src);  // the dialog may have chosen another printer
    const PaintOutcome out = PaintReportJob(printer, job, src);
    if (!out.started) {
        // A printer that is gone or a file that cannot be written: nothing was
        // printed, and the user must know it.
        Message m;
        m.kind = MessageKind::Error;
        m.caption = "Print";
        m.text = "The report could not be printed: the printer did not accept the job.";
        m.icon = MessageIcon::Stop;
        sink.Show(m);
        return false;
    }
    if (!out.all_fit) ShowPageDoesNotFit(sink);
    return true;
}

void PreviewReport(QWidget* parent, const PrintJob& job, const ReportSource& src, MessageSink& sink) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareReportPrinter(printer, src);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("printPreview"));
    preview.setWindowTitle(ToQString("Print Preview - " + TagNumber(src)));
    // Room for a whole page at a readable size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        preview.resize(screen->availableSize() * 8 / 10);
    bool said = false;
    // The preview paints every page in one call, and again after each change of
    // the page layout: each time from the job state alone.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
        p->setResolution(kReportDpi);
        if (!PaintReportJob(*p, job, src).all_fit && !said) {
            said = true;
            ShowPageDoesNotFit(sink);
        }
    });
    preview.exec();
}

std::string ExportReportPdf(const PrintJob& job, const ReportSource& src, FileChooser& chooser,
                            MessageSink& sink) {
    FileChoice choice;
    choice.save = true;
    choice.title = "Export to PDF";
    choice.filter = "PDF Files (*.pdf)|*.pdf||";
    choice.default_ext = "pdf";
    const std::string tag = TagNumber(src);
    choice.initial_name = (tag.empty() ? std::string("report") : tag) + ".pdf";
    const std::optional<std::string> path = chooser.Choose(choice);
    if (!path || !src.record) return {};
    const ReportContext ctx = ContextOf(src);
    PdfJob pdf;
    pdf.path = *path;
    pdf.title = tag;
    const PdfResult res = WriteReportPdf(pdf, std::max(JobPageCount(job), 1), [&](int i, CPage& page) {
        return PrintJobPage(page, job, i, *src.record, src.read, ctx);
    });
    if (!res.written) {
        Message m;
        m.kind = MessageKind::Error;
        m.caption = "Export to PDF";
        m.text = "The PDF file could not be written: " + res.error + ".";
        sink.Show(m);
        return {};
    }
    if (!res.all_fit) ShowPageDoesNotFit(sink);
    return *path;
}

bool RunPageSetupDialog(QWidget* parent, ProjectSettings& s) {
    using L = PageSetupLimits;
    CIdDialog dialog(QStringLiteral("Page Settings"), parent);
    dialog.setObjectName(QStringLiteral("id316"));
    auto number = [](double v) { return ToQString(CFormat("%g", {v})); };
    QLineEdit* top =
        dialog.AddNumericEdit(kIdTopMargin, QStringLiteral("Top Margin"), L::kTopMin, L::kTopMax);
    QLineEdit* left =
        dialog.AddNumericEdit(kIdLeftMargin, QStringLiteral("Left Margin"), L::kLeftMin, L::kLeftMax);
    QLineEdit* right =
        dialog.AddNumericEdit(kIdRightMargin, QStringLiteral("Right Margin"), L::kRightMin, L::kRightMax);
    QLineEdit* spacing =
        dialog.AddNumericEdit(kIdLineSpacing, QStringLiteral("Line Spacing"), L::kSpacingMin, L::kSpacingMax);
    for (QLineEdit* e : {top, left, right}) AddInchUnit(dialog, e);
    top->setText(number(s.Margin_Top));
    left->setText(number(s.Margin_Left));
    right->setText(number(s.Margin_Right));
    spacing->setText(number(s.Line_Spacing));
    if (dialog.exec() != QDialog::Accepted) return false;
    const auto t = NumberInEdit(*top);
    const auto l = NumberInEdit(*left);
    const auto r = NumberInEdit(*right);
    const auto sp = NumberInEdit(*spacing);
    if (!t || !l || !r || !sp) return false;
    return SetPageSetup(s, *t, *l, *r, *sp);
}

bool RunPrinterFontDialog(QWidget* parent, ProjectSettings& s) {
    const std::string face(GetText(s.Printer_FaceName));
    QFont initial(ReportFontFamily(face));
    initial.setPointSize(s.Printer_FontSize >= 1 && s.Printer_FontSize <= 72 ? s.Printer_FontSize : 9);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Set Printer Font"));
    if (!ok) return false;
    const int points = chosen.pointSize() > 0 ? chosen.pointSize() : static_cast<int>(chosen.pointSizeF());
    return SetPrinterFont(s, Utf8ToCp1252(chosen.family().toStdString()), points, chosen.bold(),
                          chosen.italic());
}

}  // namespace quorven
