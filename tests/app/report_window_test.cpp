// The calculation sheet from the main frame's menu: Print Preview, Export to PDF,
// Page Setup and the printer font, on a project window's calculated tag.

#include <gtest/gtest.h>

#include <QAction>
#include <QFontDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "app/application.h"
#include "app/commands/command_ids.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "desktop_fixture.h"
#include "project/configuration.h"
#include "project/project_fixture.h"
#include "qt_test_support.h"
#include "record/file_io.h"

namespace quorven {
namespace {

using testing::FakeChooser;
using testing::FakeDialogs;
using testing::Find;
using testing::StoredTag;
using testing::WhenModalAppears;

// A started program with a project window showing a calculated tag.
struct Desktop : testing::StartedDesktop<RecordingMessageSink> {
    Desktop() {
        chooser.answers.push_back(Path("Plant.fil"));
        Frame().RunCommand(cmd::kNewProject);
        Doc().record = StoredTag("FE-101");
        SetText(Doc().settings.Company_Name, "Northwind Process Engineering Ltd.");
        Doc().NotifyRecordChanged();
    }
};

std::string PdfText(const std::string& path) {
    std::string out;
    FILE* p = popen(("pdftotext -layout '" + path + "' -").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

TEST(ReportWindow, CalcSheetCommandsFollowTheTagAndExportWritesItsSheet) {
    Desktop d;
    for (int id : {cmd::kPrintCalcSheet, cmd::kPreviewCalcSheet, cmd::kExportCalcSheetPdf})
        EXPECT_TRUE(d.Frame().Action(id)->isEnabled()) << id;
    // A tag that was not calculated has no sheet to print.
    d.Doc().record.Calc_Status = kStatusNotCalculated;
    d.Doc().NotifyRecordChanged();
    for (int id : {cmd::kPrintCalcSheet, cmd::kPreviewCalcSheet, cmd::kExportCalcSheetPdf})
        EXPECT_FALSE(d.Frame().Action(id)->isEnabled()) << id;
    d.Doc().record.Calc_Status = kStatusCalculated;
    d.Doc().NotifyRecordChanged();

    d.chooser.answers.push_back(d.Path("FE-101.pdf"));
    d.Frame().Action(cmd::kExportCalcSheetPdf)->trigger();
    ASSERT_FALSE(d.chooser.asked.empty());
    EXPECT_EQ(d.chooser.asked.back().initial_name, "FE-101.pdf");
    const std::string text = PdfText(d.Path("FE-101.pdf"));
    EXPECT_NE(text.find("FE-101"), std::string::npos) << text;
    EXPECT_NE(text.find("Northwind Process Engineering Ltd."), std::string::npos);
    EXPECT_TRUE(d.sink.messages.empty());
}

TEST(ReportWindow, PrintPreviewOpensFromTheMenu) {
    Desktop d;
    int pages = -1;
    WhenModalAppears(
        [&pages](QWidget* w) {
            pages = w->findChild<QPrintPreviewWidget*>()->pageCount();
            if (!qEnvironmentVariableIsEmpty("QUORVEN_SCREENSHOT_DIR"))
                w->grab().save(
                    QDir(qEnvironmentVariable("QUORVEN_SCREENSHOT_DIR")).filePath("frame-preview.png"));
            qobject_cast<QDialog*>(w)->reject();
        },
        [](QWidget* w) { return qobject_cast<QPrintPreviewDialog*>(w) != nullptr; });
    d.Frame().Action(cmd::kPreviewCalcSheet)->trigger();
    EXPECT_EQ(pages, 1);
}

TEST(ReportWindow, DatasheetCommandsPrintPreviewAndExportTheDatasheet) {
    Desktop d;
    SetText(d.Doc().record.Spec_No, "IS-4410");
    for (int id : {cmd::kPrintDatasheet, cmd::kPreviewDatasheet, cmd::kExportDatasheetPdf})
        EXPECT_TRUE(d.Frame().Action(id)->isEnabled()) << id;
    d.Doc().record.Calc_Status = kStatusNotCalculated;
    d.Doc().NotifyRecordChanged();
    for (int id : {cmd::kPrintDatasheet, cmd::kPreviewDatasheet, cmd::kExportDatasheetPdf})
        EXPECT_FALSE(d.Frame().Action(id)->isEnabled()) << id;
    d.Doc().record.Calc_Status = kStatusCalculated;
    d.Doc().NotifyRecordChanged();

    int pages = -1;
    WhenModalAppears(
        [&pages](QWidget* w) {
            pages = w->findChild<QPrintPreviewWidget*>()->pageCount();
            qobject_cast<QDialog*>(w)->reject();
        },
        [](QWidget* w) { return qobject_cast<QPrintPreviewDialog*>(w) != nullptr; });
    d.Frame().Action(cmd::kPreviewDatasheet)->trigger();
    EXPECT_EQ(pages, 1);

    d.chooser.answers.push_back(d.Path("FE-101-ds.pdf"));
    d.Frame().Action(cmd::kExportDatasheetPdf)->trigger();
    const std::string text = PdfText(d.Path("FE-101-ds.pdf"));
    EXPECT_NE(text.find("Datasheet for"), std::string::npos) << text;
    EXPECT_NE(text.find("IS-4410"), std::string::npos);
    EXPECT_NE(text.find("Northwind Process Engineering Ltd."), std::string::npos);
    EXPECT_TRUE(d.sink.messages.empty());
}

TEST(ReportWindow, PageSetupAndPrinterFontAreKeptInTheConfiguration) {
    Desktop d;
    ASSERT_TRUE(d.Frame().Action(cmd::kPageSetup)->isEnabled());
    WhenModalAppears([](QWidget* dialog) {
        Find<QLineEdit>(dialog, 1661)->setText("0.5");
        Find<QLineEdit>(dialog, 1663)->setText("7.5");
        qobject_cast<QDialog*>(dialog)->accept();
    });
    d.Frame().Action(cmd::kPageSetup)->trigger();
    WhenModalAppears([](QWidget* w) {
        auto* dialog = qobject_cast<QFontDialog*>(w);
        dialog->setCurrentFont(QFont("Liberation Sans", 10));
        dialog->accept();
    });
    d.Frame().Action(cmd::kPrinterFont)->trigger();
    EXPECT_EQ(d.Doc().settings.Margin_Top, 0.5);
    EXPECT_EQ(d.Doc().settings.Margin_Bottom, 9.5);

    ProjectSettings saved = DefaultProjectSettings();
    ASSERT_EQ(ReadConfig(DiskFiles(), ConfigPath(d.dir.path().toStdString()), saved, d.sink),
              SettingsRead::Read);
    EXPECT_EQ(saved.Margin_Top, 0.5);
    EXPECT_EQ(saved.Margin_Right, 7.5);
    EXPECT_EQ(GetText(saved.Printer_FaceName), "Liberation Sans");
    EXPECT_EQ(saved.Printer_FontSize, 10);
    EXPECT_TRUE(d.sink.messages.empty());
}

}  // namespace
}  // namespace quorven
