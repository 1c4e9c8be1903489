// Pressure-drop restriction orifices: a plate that is to lose a given pressure
// permanently. Dp_Max holds the required permanent loss; the meter differential
// Dp_Norm that produces it follows from the permanent loss as a fraction of the
// differential (ISO 5167-2:2003, 5.4.1, through PermanentLoss), and the
// ordinary bore, flow and differential solutions do the rest.

#include <cmath>

#include "engine/calculate.h"
#include "record/choice_codes.h"
#include "record/constants.h"

namespace quorven {
namespace {

// Inches of water (68 deg F) per psi.
// The bore iteration stops after this many rounds...
constexpr int kRestrictionRounds = 50;
// ...or when the differential changes by less than this, relative to itself.
constexpr double kDpTolerance = 1e-9;
// A differential that still moves more than this after the last round is no result.
constexpr double kDpAcceptable = 1e-6;

bool PositiveFinite(double v) {
    return v > 0.0 && std::isfinite(v);
}

// The meter differential [inH2O] whose permanent loss is `loss_in` at L percent.
double DifferentialForLoss(double loss_in, double L) {
    return loss_in / (L / 100.0);
}

// Sonic conditions: the choked downstream pressure lies above the downstream
// pressure the differential gives (a gas only; a liquid's is 0).
bool Sonic(const CCalculate& calc, TagRecord& r, double dp) {
    return calc.CriticalPressure(r) > r.Flow_Press - dp / kInH2OPerPsi;
}

}  // namespace

bool CCalculate::RestrictionBore(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    if (!PositiveFinite(r.Dp_Max)) return Fail(interactive);
    const bool gas = !IsLiquid(r);
    r.Dp_Norm = r.Dp_Max * 1.00001;
    r.Beta = 0.5;
    double previous = 0.0, change = 0.0;
    for (int round = 0; round < kRestrictionRounds; ++round) {
        if (gas && Sonic(*this, r, r.Dp_Norm)) {
            CError(sink_).Show(msg::kErrSonicFlow);
            r.Calc_Status = kStatusNotCalculated;
            return false;
        }
        if (!SizeBore(r, false)) {
            r.Calc_Status = kStatusNotCalculated;
            return Fail(interactive);
        }
        const double dp = DifferentialForLoss(r.Dp_Max, PermanentLoss(r));
        if (!PositiveFinite(dp)) {
            r.Calc_Status = kStatusNotCalculated;
            return Fail(interactive);
        }
        r.Dp_Norm = dp;
        change = std::fabs(dp - previous);
        previous = dp;
        if (change < kDpTolerance * dp) break;
    }
    if (!(change < kDpAcceptable * r.Dp_Norm)) {
        r.Calc_Status = kStatusNotCalculated;
        return Fail(interactive);
    }
    if (r.Flow_Press - r.Dp_Max / kInH2OPerPsi < 0.0) CWarning(sink_).Show(msg::kWarnDownstreamBelowVacuum);
    return true;
}

bool CCalculate::RestrictionFlow(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    const double required = r.Dp_Max;
    const double D = r.Pipe_IDia;
    if (!PositiveFinite(required) || !PositiveFinite(D) || !PositiveFinite(r.Bore) || !(r.Bore < D))
        return Fail(interactive);
    // Liquid and gas alike: the differential that loses the required pressure
    // at this bore, never a differential left in the record by earlier work.
    r.Beta = r.Bore / D;
    const double dp = DifferentialForLoss(required, PermanentLoss(r));
    if (!PositiveFinite(dp)) return Fail(interactive);
    r.Dp_Max = r.Dp_Norm = dp;
    bool ok = true;
    if (!IsLiquid(r) && Sonic(*this, r, dp)) {
        CError(sink_).Show(msg::kErrSonicFlow);
        ok = false;
    } else {
        ok = SizeFlow(r, false);
        if (!ok) Fail(interactive);
    }
    r.Dp_Max = required;
    if (!ok) {
        r.Calc_Status = kStatusNotCalculated;
        return false;
    }
    if (r.Flow_Press - r.Dp_Max / kInH2OPerPsi < 0.0) CWarning(sink_).Show(msg::kWarnDownstreamBelowVacuum);
    return true;
}

bool CCalculate::RestrictionDp(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    const double D = r.Pipe_IDia;
    if (!PositiveFinite(D) || !PositiveFinite(r.Bore) || !(r.Bore < D)) return Fail(interactive);
    r.Beta = r.Bore / D;
    if (!SizeDp(r, false)) {
        r.Calc_Status = kStatusNotCalculated;
        return Fail(interactive);
    }
    const double loss = PermanentLoss(r) * r.Dp_Norm / 100.0;
    if (!PositiveFinite(loss)) {
        r.Calc_Status = kStatusNotCalculated;
        return Fail(interactive);
    }
    r.Dp_Max = r.Dp_Norm = loss;
    if (!IsLiquid(r) && Sonic(*this, r, r.Dp_Max)) {
        CError(sink_).Show(msg::kErrSonicFlow);
        r.Calc_Status = kStatusNotCalculated;
        r.Dp_Max = r.Dp_Norm = 0.0;
        return false;
    }
    return true;
}

}  // namespace quorven
