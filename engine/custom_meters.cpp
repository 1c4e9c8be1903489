// Custom meters with the user's coefficient (types 1359 to 1363): with C fixed
// the flow equation has a direct solution, without iteration, limit checks or
// sonic test.

#include <cmath>

#include "engine/calculate.h"
#include "record/choice_codes.h"

namespace quorven {
namespace {

// BetaFromSm is applied at least this many times, Fdh (and for a gas Y, for a
// bubble-point liquid Fx) following the beta, and then until beta settles.
constexpr int kCustomBetaRounds = 4;
constexpr int kCustomBetaMaxRounds = 200;
constexpr double kCustomBetaTolerance = 1e-12;
// Differential of a gas: rounds and relative tolerance of Y and hw settling.
constexpr int kCustomDpRounds = 50;
constexpr double kCustomDpTolerance = 1e-10;

bool IsPositiveFinite(double v) {
    return v > 0.0 && std::isfinite(v);
}

}  // namespace

bool CCalculate::SizeBoreCustom(TagRecord& r, bool interactive) {
    if (!Start(r, interactive)) return false;
    // The solution must not depend on what an earlier calculation left behind:
    // Y, Fdh and the bubble-point Fx are evaluated at the beta of this solution.
    r.Sm = r.Rd = r.Y = r.Beta = r.Bore = 0.0;
    if (!UpdateFaFwvFm(r, sink_)) return Fail(interactive);
    if (!UpdateFx(r)) return Fail(interactive);
    if (!ChokedDpOk(r, interactive)) return false;
    const double Sm = SizingFactor(r);
    if (!IsPositiveFinite(Sm)) {
        CError(sink_).Show(msg::kErrNoSolutionForData);
        return Fail(interactive);
    }
    r.Sm = Sm;
    r.Rd = PipeReynolds(r, r.Flow_Norm);
    const double D = r.Pipe_IDia;
    bool settled = false;
    for (int i = 0; i < kCustomBetaMaxRounds && !settled; ++i) {
        r.Bore = D * r.Beta;
        if (!UpdateY(r, interactive)) return Fail(interactive);
        if (r.Factor_SatLiq == 1 && r.Factor_QualX == 0.0 && !UpdateFx(r)) return Fail(interactive);
        const double beta = BetaFromSm(r);
        if (!(beta > 0.0 && beta < 1.0)) return Fail(interactive);
        settled = i + 1 >= kCustomBetaRounds && std::fabs(beta - r.Beta) <= kCustomBetaTolerance;
        r.Beta = beta;
    }
    if (!settled) return Fail(interactive);
    const double beta_ref = r.Beta * r.Fa_Pipe / r.Fa_Meter;  // at 68 deg F
    if (!(beta_ref > 0.0 && beta_ref < 1.0)) return Fail(interactive);
    r.Beta = beta_ref;
    r.Bore = D * r.Beta;
    r.Dp_Loss = PermanentLoss(r);
    StoreDerivedResults(r);
    r.Calc_Status = kStatusCalculated;
    if (!context_.default_project) r.Rec_Version4 = 1;
    return true;
}

bool CCalculate::SizeFlowOrDpCustom(TagRecord& r, bool interactive, bool for_flow) {
    if (!Start(r, interactive)) return false;
    if (!UpdateFaFwvFm(r, sink_)) return Fail(interactive);
    if (!BetaFromGeometry(r)) return Fail(interactive);
    // After the beta: the bubble-point Fx depends on it.
    if (!UpdateFx(r)) return Fail(interactive);
    if (!ChokedDpOk(r, interactive)) return false;
    const bool critical = r.Calc_Mode == Code(CalcMode::CriticalDrop);

    // The process factor at Q = 1/Sm is 1/Q; at hw = Sm^2 it is sqrt(hw).
    // For a gas sized for the differential, Y depends on the differential it
    // produces: repeat until the differential settles (one round for a liquid).
    double hw_prev = 0.0;
    bool settled = false;
    for (int i = 0; i < kCustomDpRounds && !settled; ++i) {
        if (!UpdateY(r, interactive)) return Fail(interactive);
        const double Sm = SmFromBeta(r);
        if (!IsPositiveFinite(Sm)) {
            CError(sink_).Show(msg::kErrNoSolutionForData);
            return Fail(interactive);
        }
        r.Sm = Sm;
        const double sf = SizingFactor(r);
        if (!IsPositiveFinite(sf)) return Fail(interactive);
        if (for_flow) {
            const double Q = 1.0 / sf;
            if (!IsPositiveFinite(Q)) return Fail(interactive);
            r.Flow_Norm = Q;
            settled = true;
        } else {
            const double hw = sf * sf;
            if (!IsPositiveFinite(hw)) return Fail(interactive);
            r.Dp_Norm = hw;
            settled = IsLiquid(r) || std::fabs(hw - hw_prev) <= kCustomDpTolerance * hw;
            hw_prev = hw;
        }
    }
    if (!settled) return Fail(interactive);
    if (for_flow) {
        const double Qmax = critical ? r.Flow_Norm : std::sqrt(r.Dp_Max / r.Dp_Norm) * r.Flow_Norm;
        if (!std::isfinite(Qmax)) return Fail(interactive);
        r.Flow_Max = Qmax;
    } else {
        const double q = r.Flow_Max / r.Flow_Norm;
        const double hmax = q * q * r.Dp_Norm;
        if (!std::isfinite(hmax)) return Fail(interactive);
        r.Dp_Max = hmax;
    }
    r.Rd = PipeReynolds(r, r.Flow_Norm);
    r.Dp_Loss = PermanentLoss(r);
    r.Beta = r.Bore / r.Pipe_IDia;
    StoreDerivedResults(r);
    r.Calc_Status = kStatusCalculated;
    if (!context_.default_project) r.Rec_Version4 = 1;
    return true;
}

}  // namespace quorven
