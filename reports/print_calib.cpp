#include "reports/print_calib.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "record/cformat.h"
#include "record/formats.h"
#include "record/units.h"
#include "reports/dry_run_renderer.h"
#include "reports/print_calc.h"
#include "reports/sheet_values.h"

namespace quorven {
namespace {

// Layout, inches in the report region.
constexpr double kLabelColumn = 0.15;
constexpr double kLeftValueColumn = 1.35;
constexpr double kRightValueOffset = 1.05;  // right-hand values: 2q + 1.05
constexpr double kNoteContinuation = 0.525;
constexpr double kRevOffset = 0.5;     // "Rev:": 2q + 0.5
constexpr double kDateOffset = 1.25;   // "Date:": 2q + 1.25
constexpr double kSheetOffset = 2.25;  // the sheet text: q + 2.25
constexpr int kTitlePoints = 10;
constexpr int kSectionRule = 2;  // device units
constexpr int kChartRule = 1;
constexpr int kRows = kChartPoints / 4;
// Space above and below the rule under each chart row; tighter than the
// headings' 0.02 in so that the plot finds room below the table.
constexpr double kRowPad = 0.01;

// The plot: never taller than this, and left out when the page leaves less.
constexpr double kPlotMaxHeight = 3.0;
constexpr double kPlotMinHeight = 1.3;
// Its frame inside the region: room for the flow labels on the left, the
// differential labels and the axis name below.
constexpr double kPlotLeft = 1.0;
constexpr double kPlotRightInset = 0.35;
constexpr double kPlotBelow = 0.34;

// A step of 1, 2, 2.5 or 5 times a power of ten that divides 0..max into at most
// `most` intervals.
double NiceStep(double max, int most) {
    const double raw = max / most;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * power >= raw) return m * power;
    return 10.0 * power;
}

// A tick value with as many decimals as its step needs.
std::string TickText(double v, double step) {
    int decimals = 0;
    if (step < 1.0) decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    if (std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;  // 2.5 x 10^-n
    return CFormat("%." + std::to_string(decimals) + "f", {v});
}

}  // namespace

CPrintCalib::CPrintCalib(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
                         SheetNumbering numbering, const CalibrationChart& chart, double plot_height)
    : page_(page),
      region_(region),
      r_(r),
      ctx_(ctx),
      numbering_(numbering),
      chart_(chart),
      plot_height_(plot_height),
      q_((ctx.page.right - ctx.page.left) / 4.0) {}

double CPrintCalib::Text(double row, double column, int size, std::string_view text, int style) {
    return page_.Print(region_, row, column, style, size, "%s", {text});
}

void CPrintCalib::Rule(double row, int width) {
    const PageSettings& p = ctx_.page;
    page_.DrawLine(p.top + row, p.left, p.top + row, p.right, width, PenStyle::Solid);
}

double CPrintCalib::Print() {
    // The calculation sheet's first sections, as it prints them.
    CPrintCalc sheet(page_, region_, r_, ctx_, numbering_);
    double row = sheet.Header(0.0);
    row = sheet.ServiceData(row);
    row = sheet.MeterPipeData(row);
    row = SizingConditions(row);
    row = ChartTable(row);
    row = Note(row);
    if (plot_height_ > 0.0) row = Plot(row);
    return Signature(row);
}

double CPrintCalib::SizingConditions(double row) {
    const UnitTables& t = ctx_.units;
    const int size = ctx_.page.font_size;
    constexpr int kStyle = TextStyle::SingleLine;
    const double right = 2.0 * q_;
    double next = Text(row, kLabelColumn, size, "Beta, B:", kStyle);
    next = std::max(next, Text(row, kLeftValueColumn, size, Num("%.5f", r_.Beta), kStyle));
    next = std::max(next, Text(row, right, size, "Bore, d(ref):", kStyle));
    const std::string bore =
        WithUnit(Num(FmtShort, ToUser(r_, Quantity::Bore, r_.Bore)), UnitNameOf(r_, t, Quantity::Bore));
    row = std::max(next, Text(row, right + kRightValueOffset, size, bore, kStyle));

    // Gauge or absolute as the tag's pressure unit says; a pressure never entered
    // shows as 0 in either.
    const std::string pressure = WithUnit(Num(FmtPressure, ToUser(r_, Quantity::Pressure, r_.Flow_Press)),
                                          UnitNameOf(r_, t, Quantity::Pressure));
    const std::string temperature = WithUnit(Num("%.2f", ToUser(r_, Quantity::Temperature, r_.Flow_Temp)),
                                             UnitNameOf(r_, t, Quantity::Temperature));
    next = Text(row, kLabelColumn, size, "Oper Press:", kStyle);
    next = std::max(next, Text(row, kLeftValueColumn, size, pressure, kStyle));
    next = std::max(next, Text(row, right, size, "Oper Temp:", kStyle));
    return std::max(next, Text(row, right + kRightValueOffset, size, temperature, kStyle));
}

double CPrintCalib::ChartTable(double row) {
    const PageSettings& p = ctx_.page;
    const int small = p.font_size - 2;
    constexpr int kStyle = TextStyle::SingleLine;
    const double r1 = row + 0.05;
    Rule(r1, kSectionRule);
    const double title_end =
        Text(r1 + 0.02, 0.01, kTitlePoints, "Flow Calibration Chart", TextStyle::AlignCenter) + 0.05;
    Rule(title_end, kSectionRule);
    const double separators_top = title_end;

    if (!chart_.HasChart()) {
        // No table: the reason in its place.
        return Text(title_end + 0.05, kLabelColumn, p.font_size, ChartStatusText(chart_.status),
                    TextStyle::SingleLine);
    }

    const std::string flow_unit = UnitNameOf(r_, ctx_.units, Quantity::Flow);
    const std::string dp_unit = UnitNameOf(r_, ctx_.units, Quantity::DiffPressure);
    double next = title_end + 0.05;
    double end = next;
    for (int i = 0; i < 4; ++i) {
        const double flow_column = i * q_ + 0.1;
        const double dp_column = i * q_ + q_ / 2.0;
        end = std::max(end, page_.Print(region_, next, flow_column, kStyle, small, "Flow (%s)", {flow_unit}));
        end = std::max(end, page_.Print(region_, next, dp_column, kStyle, small,
                                        i < 2 ? "dP (%s)" : "dP (%-6s)", {dp_unit}));
    }
    Rule(end + 0.02, kChartRule);
    next = end + 0.04;

    double last_rule = end + 0.02;
    for (int k = 1; k <= kRows; ++k) {
        end = next;
        for (int i = 0; i < 4; ++i) {
            const ChartPoint& pt = chart_.points[static_cast<std::size_t>(k + i * kRows - 1)];
            const std::string flow = pt.flow ? Num(FmtFlow, ToUser(r_, Quantity::Flow, *pt.flow)) : kNoValue;
            const std::string dp = Num(FmtSixPlaces, ToUser(r_, Quantity::DiffPressure, pt.dp));
            end = std::max(end, page_.Print(region_, next, i * q_ + 0.1, kStyle, small, "%s", {flow}));
            end = std::max(end, page_.Print(region_, next, i * q_ + q_ / 2.0, kStyle, small, "%s", {dp}));
        }
        last_rule = end + kRowPad;
        Rule(last_rule, kChartRule);
        next = last_rule + kRowPad;
    }
    // The column pairs apart, the middle division heavier.
    for (int i = 1; i <= 3; ++i) {
        const double column = p.left + i * q_;
        page_.DrawLine(p.top + separators_top, column, p.top + last_rule, column, i == 2 ? 2 : 1,
                       PenStyle::Solid);
    }
    return next;
}

double CPrintCalib::Note(double row) {
    const int small = ctx_.page.font_size - 2;
    constexpr int kStyle = TextStyle::SingleLine;
    if (!chart_.HasChart()) return row;
    row = Text(row, kLabelColumn, small,
               "NOTE:  The flow calibration data printed above may deviate from general square root "
               "relationship",
               kStyle);
    row =
        Text(row, kNoteContinuation, small,
             "between flow and diffential pressure as it accounts for any effects of Reynolds Number on the",
             kStyle);
    row = Text(row, kNoteContinuation, small,
               "discharge coefficient and/or adiabatic expansion for compressible flows.", kStyle);
    if (chart_.status == ChartStatus::RestrictionFlow)
        row = Text(
            row, kNoteContinuation, small,
            "For this restriction orifice dP is the permanent pressure loss, not the meter differential.",
            kStyle);
    bool failed = false;
    for (const ChartPoint& pt : chart_.points) failed = failed || !pt.flow;
    if (failed)
        row =
            Text(row, kNoteContinuation, small,
                 "A dash marks a differential at which the flow calculation has no valid solution.", kStyle);
    return row;
}

double CPrintCalib::Plot(double row) {
    const PageSettings& p = ctx_.page;
    const int small = p.font_size - 2;
    const double width = p.right - p.left;
    const std::string flow_unit = UnitNameOf(r_, ctx_.units, Quantity::Flow);
    const std::string dp_unit = UnitNameOf(r_, ctx_.units, Quantity::DiffPressure);
    const bool restriction = chart_.status == ChartStatus::RestrictionFlow;

    // The axes in display units, from 0 to a round number above the largest value.
    double flow_max = 0.0;
    for (const ChartPoint& pt : chart_.points)
        if (pt.flow) flow_max = std::max(flow_max, ToUser(r_, Quantity::Flow, *pt.flow));
    const double dp_max = ToUser(r_, Quantity::DiffPressure, chart_.points.back().dp);
    const double end_of_plot = row + plot_height_;
    if (!(flow_max > 0.0 && std::isfinite(flow_max) && dp_max > 0.0 && std::isfinite(dp_max))) return row;
    const double y_step = NiceStep(flow_max, 5);
    const double x_step = NiceStep(dp_max, 10);
    const double y_top = std::ceil(flow_max / y_step - 1e-9) * y_step;
    const double x_right = std::ceil(dp_max / x_step - 1e-9) * x_step;

    const double caption_end =
        Text(row + 0.05, 0.0, small,
             restriction ? "Flow vs. Permanent Pressure Loss" : "Flow vs. Differential Pressure",
             TextStyle::AlignCenter);
    Text(row + 0.05, kLabelColumn, small, CFormat("Flow (%s)", {flow_unit}), TextStyle::SingleLine);
    // The frame in page dots.
    const int top = page_.RowsOf(p.top + caption_end + 0.05);
    const int bottom = page_.RowsOf(p.top + end_of_plot - kPlotBelow);
    const int left = page_.ColumnsOf(p.left + kPlotLeft);
    const int right = page_.ColumnsOf(p.left + width - kPlotRightInset);
    if (bottom - top < page_.RowsOf(0.5)) return row;
    auto x_of = [&](double v) { return left + static_cast<int>(std::lround(v / x_right * (right - left))); };
    auto y_of = [&](double v) { return bottom - static_cast<int>(std::lround(v / y_top * (bottom - top))); };
    const int label_rows = page_.RowsOf(0.08);

    for (double v = 0.0; v <= y_top * (1 + 1e-9); v += y_step) {
        const int y = y_of(v);
        if (v > 0.0 && v < y_top * (1 - 1e-9))
            page_.DrawLine(Dots{y}, Dots{left}, Dots{y}, Dots{right}, 1, PenStyle::Dot);
        page_.PrintInRect(Dots{y - label_rows}, Dots{page_.ColumnsOf(p.left + 0.1)}, Dots{y + label_rows},
                          Dots{left - page_.ColumnsOf(0.06)},
                          TextStyle::AlignRight | TextStyle::SingleLine | TextStyle::VCenter, small,
                          TickText(v, y_step));
    }
    const int half = page_.ColumnsOf(0.4);
    for (double v = 0.0; v <= x_right * (1 + 1e-9); v += x_step) {
        const int x = x_of(v);
        if (v > 0.0 && v < x_right * (1 - 1e-9))
            page_.DrawLine(Dots{top}, Dots{x}, Dots{bottom}, Dots{x}, 1, PenStyle::Dot);
        page_.PrintInRect(Dots{bottom + page_.RowsOf(0.02)}, Dots{x - half},
                          Dots{bottom + page_.RowsOf(0.17)}, Dots{x + half},
                          TextStyle::AlignCenter | TextStyle::SingleLine, small, TickText(v, x_step));
    }
    page_.DrawBox(Dots{top}, Dots{left}, Dots{bottom}, Dots{right}, 2, FillStyle::Hollow, PenStyle::Solid);
    Text(end_of_plot - kPlotBelow + 0.17, 0.0, small,
         CFormat(restriction ? "Permanent Pressure Loss (%s)" : "Differential Pressure, dP (%s)", {dp_unit}),
         TextStyle::AlignCenter);

    // The curve from the origin through every point with a flow; a point without
    // one breaks it.
    const int pen = std::max(2, page_.DotsPerInchX() / 150);
    int x0 = x_of(0.0), y0 = y_of(0.0);
    bool have = true;
    for (const ChartPoint& pt : chart_.points) {
        if (!pt.flow) {
            have = false;
            continue;
        }
        const int x1 = x_of(ToUser(r_, Quantity::DiffPressure, pt.dp));
        const int y1 = y_of(ToUser(r_, Quantity::Flow, *pt.flow));
        if (have) page_.DrawLine(Dots{y0}, Dots{x0}, Dots{y1}, Dots{x1}, pen, PenStyle::Solid);
        x0 = x1, y0 = y1, have = true;
    }
    return end_of_plot;
}

double CPrintCalib::Signature(double row) {
    const PageSettings& p = ctx_.page;
    const double rule = row + 0.05;
    Rule(rule, kSectionRule);
    row = rule + 0.05;
    constexpr int kStyle = TextStyle::SingleLine;
    Text(row, kLabelColumn, p.font_size, CFormat("By: %s", {GetText(r_.Name)}), kStyle);
    Text(row, 2.0 * q_ + kRevOffset, kTitlePoints, CFormat("Rev: %2d", {static_cast<long long>(r_.Calc_Rev)}),
         kStyle);
    row = Text(row, 2.0 * q_ + kDateOffset, kTitlePoints, CFormat("Date: %s", {GetText(r_.Date)}), kStyle);
    const double a = Text(row, kLabelColumn, p.font_size,
                          CPrintCalc::CalcNumberText(ctx_.settings, numbering_.numbered), kStyle);
    const double b = Text(row, q_ + kSheetOffset, p.font_size, CPrintCalc::SheetText(numbering_), kStyle);
    row = std::max(a, b);
    // The frame closes 0.05 in below the sheet text, whatever the top margin.
    page_.DrawBox(p.top, p.left, p.top + row + 0.05, p.right, kSectionRule, FillStyle::Hollow,
                  PenStyle::Solid);
    return row;
}

void PrintCalibChart(CPage& page, const TagRecord& r, const ReportContext& ctx, SheetNumbering numbering,
                     bool* fits) {
    PrintCalibChart(page, r, ComputeCalibrationChart(r), ctx, numbering, fits);
}

void PrintCalibChart(CPage& page, const TagRecord& r, const CalibrationChart& chart, const ReportContext& ctx,
                     SheetNumbering numbering, bool* fits) {
    // The plot takes the room the page leaves below the note, measured on a dry
    // run on the page's own device.
    double plot = 0.0;
    if (chart.HasChart()) {
        DryRunRenderer dry(page.Device());
        CPage trial({0, 0, page.State().page_width, page.State().page_height}, dry);
        CPrintRegion& region = BeginReportPage(trial, ctx);
        const double end = CPrintCalib(trial, region, r, ctx, numbering, chart).Print();
        const double room = (ctx.page.bottom - ctx.page.top) - 0.1 - end;
        if (room >= kPlotMinHeight) plot = std::min(room, kPlotMaxHeight);
    }
    CPrintRegion& region = BeginReportPage(page, ctx, fits);
    CPrintCalib(page, region, r, ctx, numbering, chart, plot).Print();
}

}  // namespace quorven
