// The batch print commands on the desktop: the dialog, the question about an
// unsaved batch tag, a preview and a PDF of the chosen tags, the current tag left
// exactly as it was; Error #44 without a project; the chart of a critical-drop tag.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>

#include "app/application.h"
#include "app/commands/command_ids.h"
#include "app/dialogs/batch_dialog.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "desktop_fixture.h"
#include "engine/calibration_chart.h"
#include "project/project_fixture.h"
#include "qt_test_support.h"
#include "record/choice_codes.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

// A started program with a project of three saved tags; the current tag is T-2,
// edited and not saved. Questions left unanswered are cancelled.
struct Desktop : testing::StartedDesktop<testing::ScriptedSink> {
    Desktop() {
        sink.when_empty = MessageAnswer::Cancel;
        chooser.answers.push_back(Path("Plant.fil"));
        Frame().RunCommand(cmd::kNewProject);
        for (const char* tag : {"T-3", "T-1", "T-2"}) {
            Doc().record = testing::StoredTag(tag);
            Doc().tag_saved = false;
            Doc().NotifyRecordChanged();
            Frame().RunCommand(cmd::kSaveTag);
        }
        SetText(Doc().record.Service, "Edited, not saved");
        Doc().tag_saved = false;
        Doc().NotifyRecordChanged();
    }
};

bool IsBatchDialog(QWidget* w) {
    return w->objectName() == "id315";
}

TEST(BatchPrintWindow, PreviewOfEveryTagAsksAboutTheEditedTagAndLeavesItAsItWas) {
    Desktop d;
    ASSERT_TRUE(d.sink.messages.empty());
    const TagRecord before = d.Doc().record;
    d.sink.answers.push_back(MessageAnswer::No);  // print the stored T-2
    bool previewed = false;
    int pages = 0;
    WhenModalAppears(
        [&](QWidget* dialog) {
            EXPECT_EQ(Find<QListWidget>(dialog, kIdBatchSelected)->count(), 3);
            WhenModalAppears(
                [&](QWidget* preview) {
                    previewed = true;
                    if (auto* p = qobject_cast<QPrintPreviewDialog*>(preview))
                        pages = p->findChild<QPrintPreviewWidget*>()->pageCount();
                    qobject_cast<QDialog*>(preview)->reject();
                },
                [](QWidget* w) { return w->objectName() == "printPreview"; });
            Find<QAbstractButton>(dialog, 1)->click();
        },
        IsBatchDialog);
    d.Frame().RunCommand(cmd::kBatchPreviewCalcSheets);
    EXPECT_TRUE(previewed);
    EXPECT_EQ(pages, 3);
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(std::memcmp(&before, &d.Doc().record, sizeof before), 0);
    EXPECT_TRUE(d.Doc().HasUnsavedEdits());
}

TEST(BatchPrintWindow, PdfOfOneTagIsNumberedByItsPlaceInTheProject) {
    Desktop d;
    d.chooser.answers.push_back(d.Path("batch.pdf"));
    WhenModalAppears(
        [&](QWidget* dialog) {
            Find<QAbstractButton>(dialog, kIdBatchDeselectAll)->click();
            Find<QListWidget>(dialog, kIdBatchAvailable)->item(2)->setSelected(true);  // T-3
            Find<QAbstractButton>(dialog, kIdBatchSelect)->click();
            Find<QAbstractButton>(dialog, kIdBatchPdf)->click();
        },
        IsBatchDialog);
    d.Frame().RunCommand(cmd::kBatchPrintUncertainty);
    EXPECT_TRUE(d.sink.messages.empty());   // T-2 is not in the batch: no question
    ASSERT_EQ(d.chooser.asked.size(), 2u);  // the project's file, then the PDF
    EXPECT_EQ(d.chooser.asked[1].initial_name, "Plant Uncertainty Calcs.pdf");
    std::string text;
    if (FILE* p = popen(("pdftotext -layout '" + d.Path("batch.pdf") + "' -").c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
        pclose(p);
    }
    EXPECT_NE(text.find("T-3"), std::string::npos) << text;
    EXPECT_NE(text.find("Sht: 3 of 3"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1);
}

TEST(BatchPrintWindow, ChartAndUncertaintyOfTheCurrentTagToPdf) {
    Desktop d;
    d.Doc().record.Calc_Status = kStatusCalculated;
    d.Doc().record.Dp_Max = 100.0;  // a chart needs a maximum differential
    d.Doc().NotifyRecordChanged();
    const TagRecord before = d.Doc().record;
    ASSERT_TRUE(d.Frame().Action(cmd::kExportCalibrationPdf)->isEnabled());
    d.chooser.answers.push_back(d.Path("chart.pdf"));
    d.chooser.answers.push_back(d.Path("uncertainty.pdf"));
    d.Frame().RunCommand(cmd::kExportCalibrationPdf);
    d.Frame().RunCommand(cmd::kExportUncertaintyPdf);
    EXPECT_EQ(d.chooser.asked.back().initial_name, "T-2.pdf");
    for (const char* name : {"chart.pdf", "uncertainty.pdf"}) {
        std::string text;
        if (FILE* p = popen(("pdftotext -layout '" + d.Path(name) + "' -").c_str(), "r")) {
            char buf[4096];
            for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
            pclose(p);
        }
        EXPECT_NE(text.find("Edited, not saved"), std::string::npos) << name;  // the current tag as it is
        EXPECT_NE(text.find(std::string(name) == "chart.pdf" ? "Flow Calibration Chart"
                                                             : "Calculated Meter Uncertainty"),
                  std::string::npos)
            << text;
    }
    EXPECT_EQ(std::memcmp(&before, &d.Doc().record, sizeof before), 0);
}

TEST(BatchPrintWindow, NoProjectGivesError44AndACriticalDropTagNoChart) {
    Desktop d;
    d.sink.messages.clear();
    d.Doc().project_open = false;
    d.Frame().RunCommand(cmd::kBatchPrintTagIndex);
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].number, msg::kErrProjectIndex);

    d.sink.messages.clear();
    d.Doc().project_open = true;
    d.Doc().record.Calc_Mode = Code(CalcMode::CriticalDrop);
    d.Doc().record.Calc_Status = kStatusCalculated;
    d.Doc().NotifyRecordChanged();
    d.Frame().RunCommand(cmd::kPreviewCalibration);
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].text, ChartStatusText(ChartStatus::CriticalDrop));
}

}  // namespace
}  // namespace quorven
