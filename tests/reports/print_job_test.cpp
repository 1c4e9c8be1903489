#include "reports/print_job.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "project/project_settings.h"
#include "reports/recording_renderer.h"

namespace quorven {
namespace {

TEST(PrintJob, PageCountsOfTheReportKinds) {
    PrintJob job = SingleReportJob(ReportType::CalcSheet);
    EXPECT_EQ(job.TotalTags, 1);
    EXPECT_EQ(job.NumberPages, 0);
    EXPECT_EQ(JobPageCount(job), 1);
    job.ReportKind = ReportType::BatchCalcSheets;
    job.SelectedCount = 7;
    EXPECT_EQ(JobPageCount(job), 7);
    // The tag index holds 50 tags a page, rounded up.
    job.ReportKind = ReportType::TagIndex;
    for (auto [tags, pages] : {std::pair{0, 0}, {1, 1}, {50, 1}, {51, 2}, {100, 2}, {101, 3}}) {
        job.IndexTagCount = tags;
        EXPECT_EQ(JobPageCount(job), pages) << tags;
    }
}

TEST(PrintJob, EachPageIsMadeFromTheJobAlone) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-101");
    const ReportContext ctx = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    const PrintJob job = SingleReportJob(ReportType::CalcSheet);
    // The same page twice (a preview redraws) gives the same drawing.
    RecordingRenderer first, again;
    CPage p1({0, 0, 4792, 6851}, first);
    CPage p2({0, 0, 4792, 6851}, again);
    EXPECT_TRUE(PrintReportPage(p1, job, 0, r, ctx));
    EXPECT_TRUE(PrintReportPage(p2, job, 0, r, ctx));
    EXPECT_EQ(first.TextLines(), again.TextLines());
    EXPECT_TRUE(first.FindText("FE-101"));
    EXPECT_TRUE(first.FindText("Sht: ___ of ___ Chk: _____"));
    // A page beyond the job draws nothing.
    RecordingRenderer none;
    CPage p3({0, 0, 4792, 6851}, none);
    EXPECT_TRUE(PrintReportPage(p3, SingleReportJob(ReportType::CalibrationChart), 1, r, ctx));
    EXPECT_TRUE(none.ops.empty());
}

TEST(PageSetup, StoresInRangeValuesAndTheBottomEdge) {
    ProjectSettings s = DefaultProjectSettings();
    ASSERT_TRUE(SetPageSetup(s, 0.5, 1.0, 8.0, 1.5));
    EXPECT_EQ(s.Margin_Top, 0.5);
    EXPECT_EQ(s.Margin_Bottom, 9.5);
    EXPECT_EQ(s.Margin_Left, 1.0);
    EXPECT_EQ(s.Margin_Right, 8.0);
    EXPECT_EQ(s.Line_Spacing, 1.5);
    struct Case {
        double top, left, right, spacing;
    };
    const Case kRefused[] = {{0.24, 1, 7, 1},   {0.76, 1, 7, 1},      {0.5, 0.49, 7, 1}, {0.5, 1.51, 7, 1},
                             {0.5, 1, 6.49, 1}, {0.5, 1, 8.01, 1},    {0.5, 1, 7, 0.79}, {0.5, 1, 7, 1.51},
                             {NAN, 1, 7, 1},    {0.5, 1, 7, INFINITY}};
    for (const Case& c : kRefused) {
        const ProjectSettings before = s;
        EXPECT_FALSE(SetPageSetup(s, c.top, c.left, c.right, c.spacing));
        EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);
    }
}

TEST(PrinterFont, FaceAndWholePointSizeWithTheFontRecord) {
    ProjectSettings s = DefaultProjectSettings();
    ASSERT_TRUE(SetPrinterFont(s, "Liberation Sans", 10, true, false));
    EXPECT_EQ(GetText(s.Printer_FaceName), "Liberation Sans");
    EXPECT_EQ(s.Printer_FontSize, 10);
    int32_t height = 0;
    int32_t weight = 0;
    std::memcpy(&height, s.Printer_LogFont, 4);
    std::memcpy(&weight, s.Printer_LogFont + 16, 4);
    EXPECT_EQ(height, -13);  // 10 pt at 96 dpi: 13.3 pixels
    EXPECT_EQ(weight, 700);
    EXPECT_EQ(std::string(s.Printer_LogFont + 28), "Liberation Sans");
    // A face longer than 40 characters is cut; sizes outside 1 to 72 are refused.
    ASSERT_TRUE(SetPrinterFont(s, std::string(50, 'F'), 9, false, true));
    EXPECT_EQ(GetText(s.Printer_FaceName), std::string(40, 'F'));
    EXPECT_EQ(s.Printer_LogFont[20], 1);
    EXPECT_FALSE(SetPrinterFont(s, "Arial", 0, false, false));
    EXPECT_FALSE(SetPrinterFont(s, "Arial", 73, false, false));
    EXPECT_EQ(s.Printer_FontSize, 9);
}

}  // namespace
}  // namespace quorven
