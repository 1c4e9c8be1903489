// The calculation sheet from the main frame's menu: Print Preview, Export to PDF,
// Page Setup and the printer font, on a project window's calculated tag.

#include <gtest/gtest.h>

#include <QAction>
#include <QFontDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
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

// Two projects open, the second made from the first one's window under another
// client: the first window's sheets print its own client, and its Save Project
// writes its own customer data back.
TEST(ReportWindow, EachProjectWindowPrintsAndSavesItsOwnCustomerData) {
    testing::StartedDesktop<testing::ScriptedSink> d;
    d.dialogs.information = {"Client One", "Project One", "Site 1", "JO-1", "CS-1", "Engineer"};
    d.chooser.answers.push_back(d.Path("Plant1.fil"));
    d.Frame().RunCommand(cmd::kNewProject);
    QMdiSubWindow* plant1 = d.Frame().Workspace()->activeSubWindow();
    d.dialogs.information = {"Client Two", "Project Two", "Site 2", "JO-2", "CS-2", "Engineer"};
    d.chooser.answers.push_back(d.Path("Plant2.fil"));
    d.Frame().RunCommand(cmd::kNewProject);
    ASSERT_EQ(d.Doc().title, "Plant2.fil");
    EXPECT_EQ(GetText(d.Doc().settings.Client), "Client Two");

    d.Frame().Workspace()->setActiveSubWindow(plant1);
    ASSERT_EQ(d.Doc().title, "Plant1.fil");
    d.Doc().record = StoredTag("FE-101");
    d.Doc().NotifyRecordChanged();
    d.chooser.answers.push_back(d.Path("sheet.pdf"));
    d.Frame().Action(cmd::kExportCalcSheetPdf)->trigger();
    d.chooser.answers.push_back(d.Path("datasheet.pdf"));
    d.Frame().Action(cmd::kExportDatasheetPdf)->trigger();
    for (const char* pdf : {"sheet.pdf", "datasheet.pdf"}) {
        SCOPED_TRACE(pdf);
        const std::string text = PdfText(d.Path(pdf));
        EXPECT_NE(text.find("Client One"), std::string::npos) << text;
        EXPECT_EQ(text.find("Client Two"), std::string::npos);
    }

    d.sink.answers = {MessageAnswer::No, MessageAnswer::Yes};  // custom flow units kept; refresh: Yes
    d.Frame().RunCommand(cmd::kSaveProject);
    ProjectSettings saved = DefaultProjectSettings();
    ASSERT_EQ(ReadSettingsFile(DiskFiles(), d.Path("Plant1.fil"), saved), SettingsRead::Read);
    EXPECT_EQ(GetText(saved.Client), "Client One");
    EXPECT_EQ(GetText(saved.Project), "Project One");
    EXPECT_EQ(d.sink.Captions(),
              (std::vector<std::string>{"Replace Flow Units", "Save Current Project Settings"}));
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
