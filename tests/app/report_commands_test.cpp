// The desktop's report commands: Page Setup and the printer font, Print Preview,
// Print and Export to PDF of the calculation sheet, offscreen.

#include "app/report_commands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstring>

#include "qt_test_support.h"
#include "record/file_io.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

TagRecord CalculatedTag() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-101");
    r.Calc_Status = kStatusCalculated;
    r.Flow_Max = 250000;
    r.Flow_Norm = 200000;
    r.Beta = 0.55;
    r.Bore = 2.2;
    return r;
}

class FixedChooser final : public FileChooser {
public:
    std::optional<std::string> answer;
    FileChoice asked;
    std::optional<std::string> Choose(const FileChoice& choice) override {
        asked = choice;
        return answer;
    }
};

TEST(PageSetupDialog, StoresTheFourValuesOnOkAndRefusesOutOfRange) {
    ProjectSettings s = DefaultProjectSettings();
    WhenModalAppears([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Page Settings");
        EXPECT_EQ(Find<QLineEdit>(dialog, 1661)->text(), "0.75");
        EXPECT_EQ(Find<QLineEdit>(dialog, 1664)->text(), "1.1");
        int inch = 0;
        for (const QLabel* l : dialog->findChildren<QLabel*>()) inch += l->text() == "Inch";
        EXPECT_EQ(inch, 3);  // after the three margins
        Find<QLineEdit>(dialog, 1661)->setText("0.5");
        Find<QLineEdit>(dialog, 1662)->setText("1");
        Find<QLineEdit>(dialog, 1663)->setText("8.5");  // beyond 8 in: refused on OK
        Find<QLineEdit>(dialog, 1664)->setText("1.2");
        WhenModalAppears(
            [dialog](QWidget* box) {
                EXPECT_NE(qobject_cast<QMessageBox*>(box)->text().indexOf("6.5 to 8"), -1);
                qobject_cast<QDialog*>(box)->accept();
                Find<QLineEdit>(dialog, 1663)->setText("7.5");
                qobject_cast<QDialog*>(dialog)->accept();
            },
            [](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; });
        qobject_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(RunPageSetupDialog(nullptr, s));
    EXPECT_EQ(s.Margin_Top, 0.5);
    EXPECT_EQ(s.Margin_Bottom, 9.5);
    EXPECT_EQ(s.Margin_Left, 1.0);
    EXPECT_EQ(s.Margin_Right, 7.5);
    EXPECT_EQ(s.Line_Spacing, 1.2);

    const ProjectSettings before = s;
    WhenModalAppears([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    EXPECT_FALSE(RunPageSetupDialog(nullptr, s));
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
}

TEST(PrinterFontDialog, StoresTheChosenFaceAndWholePointSize) {
    ProjectSettings s = DefaultProjectSettings();
    WhenModalAppears([](QWidget* w) {
        auto* dialog = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->currentFont().family(),
                  "Liberation Serif");  // "Times Roman" as the sheet prints it
        EXPECT_EQ(dialog->currentFont().pointSize(), 9);
        dialog->setCurrentFont(QFont("Liberation Sans", 11));
        dialog->accept();
    });
    ASSERT_TRUE(RunPrinterFontDialog(nullptr, s));
    EXPECT_EQ(GetText(s.Printer_FaceName), "Liberation Sans");
    EXPECT_EQ(s.Printer_FontSize, 11);

    WhenModalAppears([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(RunPrinterFontDialog(nullptr, s));
    EXPECT_EQ(s.Printer_FontSize, 11);
}

TEST(PrintPreview, OpensOnTheSheetOfTheCurrentTag) {
    const TagRecord r = CalculatedTag();
    const ProjectSettings s = DefaultProjectSettings();
    // A logo in the program's folder and no printer on this machine: the logo is
    // drawn at the preview's own resolution and no message interrupts the job.
    QTemporaryDir program;
    QImage logo(400, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(program.filePath("logo.bmp"), "BMP"));
    const ReportSource src{&r, &s, program.path().toStdString(), "4.4.0", {}, {}};
    RecordingMessageSink sink;
    int pages = -1;
    WhenModalAppears([&pages](QWidget* w) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->windowTitle(), "Print Preview - FE-101");
        auto* view = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(view, nullptr);
        pages = view->pageCount();
        // A look at it: QUORVEN_SCREENSHOT_DIR=... keeps the window as a PNG.
        if (!qEnvironmentVariableIsEmpty("QUORVEN_SCREENSHOT_DIR"))
            preview->grab().save(
                QDir(qEnvironmentVariable("QUORVEN_SCREENSHOT_DIR")).filePath("preview.png"));
        preview->reject();
    });
    PreviewReport(nullptr, SingleReportJob(ReportType::CalcSheet), src, sink);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(PrintPreview, PageSettingsWiderThanThePaperAreSaidOnce) {
    const TagRecord r = CalculatedTag();
    ProjectSettings s = DefaultProjectSettings();
    s.Margin_Right = 8.0;  // wider than A4's printable width
    const ReportSource src{&r, &s, "", "4.4.0", {}, {}};
    RecordingMessageSink sink;
    WhenModalAppears([](QWidget* w) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
        ASSERT_NE(preview, nullptr);
        preview->findChild<QPrintPreviewWidget*>()->updatePreview();  // paints again
        preview->reject();
    });
    PreviewReport(nullptr, SingleReportJob(ReportType::CalcSheet), src, sink);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Page Setup");
}

TEST(PrintCommand, CancelPrintsNothingAndAPrinterGetsThePage) {
    const TagRecord r = CalculatedTag();
    const ProjectSettings s = DefaultProjectSettings();
    const ReportSource src{&r, &s, "", "4.4.0", {}, {}};
    RecordingMessageSink sink;
    WhenModalAppears([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); },
                     [](QWidget* w) { return qobject_cast<QPrintDialog*>(w) != nullptr; });
    EXPECT_FALSE(PrintReport(nullptr, SingleReportJob(ReportType::CalcSheet), src, sink));

    // A printer printing to a file gets the sheet at 600 dpi.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    printer.setResolution(600);
    const PaintOutcome printed = PaintReportJob(printer, SingleReportJob(ReportType::CalcSheet), src);
    EXPECT_TRUE(printed.started);
    EXPECT_TRUE(printed.all_fit);
    EXPECT_TRUE(
        ReadFileBytes(dir.filePath("printed.pdf").toStdString(), 1 << 22).value_or("").starts_with("%PDF"));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(PrintCommand, APrinterThatDoesNotTakeTheJobIsSaidNotSucceeded) {
    const TagRecord r = CalculatedTag();
    const ProjectSettings s = DefaultProjectSettings();
    const ReportSource src{&r, &s, "", "4.4.0", {}, {}};
    QTemporaryDir dir;
    const QString missing = dir.filePath("no-such-folder/printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(missing);
    EXPECT_FALSE(PaintReportJob(printer, SingleReportJob(ReportType::CalcSheet), src).started);

    // The same from the print dialog: OK on a file that cannot be written.
    RecordingMessageSink sink;
    WhenModalAppears(
        [&missing](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(missing);
            dialog->done(QDialog::Accepted);
        },
        [](QWidget* w) { return qobject_cast<QPrintDialog*>(w) != nullptr; });
    EXPECT_FALSE(PrintReport(nullptr, SingleReportJob(ReportType::CalcSheet), src, sink));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Print");
    EXPECT_EQ(sink.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(ExportPdf, WritesTheSheetWhereTheUserChoseOrNothingWhenCancelled) {
    const TagRecord r = CalculatedTag();
    const ProjectSettings s = DefaultProjectSettings();
    const ReportSource src{&r, &s, "", "4.4.0", {}, {}};
    RecordingMessageSink sink;
    QTemporaryDir dir;
    FixedChooser chooser;
    chooser.answer = dir.filePath("FE-101.pdf").toStdString();
    EXPECT_EQ(ExportReportPdf(SingleReportJob(ReportType::CalcSheet), src, chooser, sink), *chooser.answer);
    EXPECT_TRUE(chooser.asked.save);
    EXPECT_EQ(chooser.asked.initial_name, "FE-101.pdf");
    EXPECT_EQ(chooser.asked.default_ext, "pdf");
    EXPECT_TRUE(ReadFileBytes(*chooser.answer, 1 << 22).value_or("").starts_with("%PDF-"));
    EXPECT_TRUE(sink.messages.empty());

    chooser.answer.reset();
    EXPECT_EQ(ExportReportPdf(SingleReportJob(ReportType::CalcSheet), src, chooser, sink), "");
    // A folder that is not there: the error is said, nothing is written.
    chooser.answer = dir.filePath("missing/FE-101.pdf").toStdString();
    EXPECT_EQ(ExportReportPdf(SingleReportJob(ReportType::CalcSheet), src, chooser, sink), "");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Export to PDF");
}

}  // namespace
}  // namespace quorven
