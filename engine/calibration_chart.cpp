#include "engine/calibration_chart.h"

#include <cmath>

#include "record/choice_codes.h"

namespace quorven {
namespace {

// Keeps the number of the first error a solution raises and shows nothing.
class FirstErrorSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& m) override {
        if (m.kind == MessageKind::Error && first == 0) first = m.number;
        return m.default_answer;
    }
    int first = 0;
};

}  // namespace

CalibrationChart ComputeCalibrationChart(const TagRecord& r, const CalcContext& context) {
    CalibrationChart chart;
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        chart.status = ChartStatus::CriticalDrop;
        return chart;
    }
    if (!(r.Dp_Max > 0.0 && std::isfinite(r.Dp_Max))) {
        chart.status = ChartStatus::NoDifferential;
        return chart;
    }
    const bool restriction = r.Calc_Mode == Code(CalcMode::Restriction);
    chart.status = restriction ? ChartStatus::RestrictionFlow : ChartStatus::MeterFlow;

    const double step = r.Dp_Max / kChartPoints;
    chart.points.reserve(kChartPoints);
    for (int p = 1; p <= kChartPoints; ++p) {
        ChartPoint point;
        point.percent = p;
        point.dp = p * step;
        // Every point starts from the tag as stored, so that a point is the flow
        // the Calculate command gives for the tag at that differential, whatever
        // the points before it did.
        TagRecord work = r;
        work.Calc_SizeParam = Code(SizeParam::Flow);
        work.Dp_Max = point.dp;
        work.Dp_Norm = point.dp;
        FirstErrorSink sink;
        CCalculate calc(sink, context);
        bool ok = false;
        if (restriction) {
            work.Flow_Norm = work.Flow_Max;
            ok = calc.RestrictionFlow(work, false);
        } else {
            ok = calc.SizeFlow(work, false);
        }
        if (ok && work.Flow_Norm > 0.0 && std::isfinite(work.Flow_Norm)) {
            point.flow = work.Flow_Norm;
        } else {
            // A solution that failed without a message of its own is Error #1's
            // "will not iterate to a valid solution".
            point.error = sink.first != 0 ? sink.first : msg::kErrNoSolution;
        }
        chart.points.push_back(point);
    }
    return chart;
}

const char* ChartStatusText(ChartStatus status) {
    switch (status) {
        case ChartStatus::CriticalDrop:
            return "No flow calibration chart for a critical-drop device: its flow is choked and does not "
                   "follow the differential pressure.";
        case ChartStatus::NoDifferential:
            return "No flow calibration chart: the tag has no maximum differential pressure.";
        default:
            return "";
    }
}

}  // namespace quorven
