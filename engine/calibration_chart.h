#pragma once
// The flow calibration chart of a tag: the flow at every whole percent of the
// maximum differential, each point a flow solution of the sizing engine (so the
// discharge coefficient follows the Reynolds number and the expansion factor the
// differential, rather than a pure square-root law). The points are solved on
// copies of the record; the tag itself is never changed.

#include <optional>
#include <vector>

#include "engine/calculate.h"
#include "record/tag_record.h"

namespace quorven {

inline constexpr int kChartPoints = 100;

// Which flow relation the chart follows, or why the tag has no chart.
enum class ChartStatus {
    MeterFlow,        // a flow meter: the flow solution at each differential
    RestrictionFlow,  // a restriction orifice: the differential is the permanent loss
    CriticalDrop,     // choked flow does not follow the differential: no chart
    NoDifferential,   // the maximum differential is not a positive number: no chart
};

struct ChartPoint {
    int percent = 0;             // 1 to 100
    double dp = 0.0;             // differential [inH2O]; a restriction's permanent loss
    std::optional<double> flow;  // internal flow unit; empty where the solution failed
    int error = 0;               // the first error the failed solution raised, else 0
};

struct CalibrationChart {
    ChartStatus status = ChartStatus::NoDifferential;
    std::vector<ChartPoint> points;  // kChartPoints points, or none without a chart
    bool HasChart() const { return !points.empty(); }
};

// The chart of `r`: point p (1 to 100) at the differential p x (Dp_Max / 100),
// solved on a fresh copy of `r` with the differential sizing parameter set to the
// flow and both Dp_Max and Dp_Norm at the point's differential (for a restriction
// orifice, Dp_Max is the permanent loss and RestrictionFlow finds the meter
// differential). No message is shown. `context` as for CCalculate.
CalibrationChart ComputeCalibrationChart(const TagRecord& r, const CalcContext& context = {});

// Why a tag has no chart, as the program says it; empty for a chart.
const char* ChartStatusText(ChartStatus status);

}  // namespace quorven
