#pragma once
// CPrintCalib: the flow calibration chart, one page: the first sections of the
// calculation sheet, the sizing conditions, the flow at every whole percent of the
// maximum differential in 25 rows of four columns, a plot of flow against
// differential, a note on the square-root relationship and the signature block.
// The points are solved on copies of the tag (engine/calibration_chart.h); the
// record itself is never changed. A critical-drop device, whose choked flow does
// not follow the differential, gets the page without a chart and says why.

#include "engine/calibration_chart.h"
#include "record/tag_record.h"
#include "reports/page.h"
#include "reports/report_page.h"

namespace quorven {

class CPrintCalib {
public:
    // Draws into `region` of `page`, which BeginReportPage set up. `plot_height`
    // [in] is the height of the plot below the note; 0 leaves it out.
    CPrintCalib(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
                SheetNumbering numbering, const CalibrationChart& chart, double plot_height = 0.0);

    // The whole page; returns the region row where the sheet text ended.
    double Print();

    // The pieces, each from the region row where the previous one ended.
    double SizingConditions(double row);
    double ChartTable(double row);  // title, headings, the 25 rows (or why there is none)
    double Note(double row);
    double Plot(double row);
    double Signature(double row);

private:
    double Text(double row, double column, int size, std::string_view text, int style);
    void Rule(double row, int width);

    CPage& page_;
    CPrintRegion& region_;
    const TagRecord& r_;
    const ReportContext& ctx_;
    SheetNumbering numbering_;
    const CalibrationChart& chart_;
    double plot_height_;
    double q_;  // a quarter of the report's width
};

// The chart of `r` on one page: BeginReportPage, the chart computed, then
// CPrintCalib with a plot as tall as the page leaves room for. `fits` says whether
// the page settings fit the paper.
void PrintCalibChart(CPage& page, const TagRecord& r, const ReportContext& ctx, SheetNumbering numbering = {},
                     bool* fits = nullptr);

// The same with a chart already computed for `r`.
void PrintCalibChart(CPage& page, const TagRecord& r, const CalibrationChart& chart, const ReportContext& ctx,
                     SheetNumbering numbering = {}, bool* fits = nullptr);

}  // namespace quorven
