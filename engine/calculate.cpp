#include "engine/calculate.h"

#include <cmath>
#include <optional>

#include "engine/coefficients.h"
#include "engine/correlations/orifice_special.h"
#include "engine/limits.h"
#include "engine/pow_memo.h"
#include "fluids/steam_ifc67.h"
#include "record/choice_codes.h"
#include "record/constants.h"

namespace quorven {
namespace {

constexpr int kMaxRounds = 200;
constexpr double kBetaTolerance = 1e-6;
constexpr double kSmTolerance = 1e-6;
constexpr double kSegmentTolerance = 1e-6;
// Upper bound of Sm while sizing for flow or differential.
constexpr double kSmLimitFlowDp = 1.1;
// Wedge meters repeat the whole bore solution this many times.
constexpr int kWedgePasses = 5;
// The segmental orifice's segment circle is 0.98 D.
constexpr double kSegmentCircleRatio = 0.98;
// Inches of water per psi (water at 68 deg F) of the sonic test.

bool IsFinite(double v) {
    return std::isfinite(v);
}
bool IsPositiveFinite(double v) {
    return v > 0.0 && IsFinite(v);
}

}  // namespace

CCalculate::CCalculate(MessageSink& sink) : sink_(sink) {
    UseSteamTableWhenEmpty();
}

CCalculate::CCalculate(MessageSink& sink, CalcContext context) : sink_(sink), context_(std::move(context)) {
    UseSteamTableWhenEmpty();
}

// Empty coefficient hooks stay empty: the library's correlations are then called
// directly, without a std::function in every round.
void CCalculate::UseSteamTableWhenEmpty() {
    if (!context_.sat_pressure)
        context_.sat_pressure = [](double T_F) {
            CSteamTable steam;
            return steam.SatPressureAlone(T_F);
        };
}

double CCalculate::CriticalPressure(TagRecord& r) const {
    return CriticalPressureOf(r, &r.E_Ftp);
}

SegmentSolve CCalculate::SegmentHeight(TagRecord& r, double tolerance, double first, double second) const {
    const SegmentSolve s = SolveSegmentHeight(r.Beta, r.SegDc, first, second, tolerance);
    if (s.status == SolveStatus::Converged) r.SegHs = s.H;
    return s;
}

double CCalculate::WaterVapourFactor(TagRecord& r) const {
    return quorven::WaterVapourFactor(r, context_.sat_pressure);
}

bool CCalculate::Fail(bool interactive) {
    if (interactive) CError(sink_).Show(msg::kErrNoSolution);
    return false;
}

// Common start of every sizing: not calculated, a missing Fp or k counts as 1,
// a meter carrying the user's coefficient must have one, and there must be a pipe.
bool CCalculate::Start(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    if (r.Property_KFp == 0.0) r.Property_KFp = 1.0;
    if (IsCustomMeter(r.Meter_Type) && !IsPositiveFinite(r.C)) {
        CError(sink_).Show(msg::kErrNoCoefficient);
        return false;
    }
    if (!IsPositiveFinite(r.Pipe_IDia)) return Fail(interactive);
    return true;
}

// The choked liquid differential (Flow_Press - vapour pressure) must be positive.
bool CCalculate::ChokedDpOk(const TagRecord& r, bool interactive) {
    if (r.Calc_Mode != Code(CalcMode::CriticalDrop) || ChokedLiquidDpValid(r)) return true;
    CError(sink_).Show(msg::kErrVapourPressureNotBelowUpstream);
    return Fail(interactive);
}

bool CCalculate::UpdateFx(TagRecord& r) {
    const double fx = TwoPhaseFactor(r);
    if (IsPositiveFinite(fx)) {
        r.Fx = fx;
        return true;
    }
    // A two-phase factor that is not positive has no meaning: the sizing stops.
    if (IsFinite(fx)) r.Fx = fx;
    CError(sink_).Show(msg::kErrSaturatedLiquidFactor);
    return false;
}

bool CCalculate::UpdateFaFwvFm(TagRecord& r, MessageSink& warnings) {
    ThermalExpansion(r, warnings);
    const double fwv = WaterVapourFactor(r);
    const double fm = ManometerFactor(r);
    if (IsFinite(fwv)) r.Fwv = fwv;
    if (IsFinite(fm)) r.Fm = fm;
    return IsPositiveFinite(fwv) && IsPositiveFinite(fm);
}

bool CCalculate::UpdateY(TagRecord& r, bool interactive, std::optional<PreparedExpansion>* kept) {
    double y = 0.0;
    if (IsLiquid(r)) {
        y = 1.0;
    } else if (context_.expansion_factor) {
        y = context_.expansion_factor(r, sink_, interactive);
    } else if (kept) {
        // A bore solution's differential stays put while beta moves: the parts of Y
        // that follow the differential are taken in its first round.
        if (!*kept) *kept = PrepareExpansionFactor(r, sink_, interactive);
        y = ExpansionFactorAt(**kept, r);
    } else {
        y = ExpansionFactor(r, sink_, interactive);
    }
    if (!IsPositiveFinite(y)) return false;
    r.Y = y;
    return true;
}

double CCalculate::Coefficient(TagRecord& r, bool interactive, bool flow_or_dp) {
    const int32_t t = r.Meter_Type;
    if (IsCustomMeter(t)) return r.C;
    if (IsAbbWedge(t)) {
        // The ABB wedge coefficients are fits in the wedge's H/D: the bore
        // solution takes the segment height of the round's beta first.
        if (!flow_or_dp) {
            r.SegDc = r.Pipe_IDia;
            const double H1 = r.Pipe_IDia * r.Beta;
            if (SegmentHeight(r, kSegmentTolerance, H1, H1 / 2.0).status != SolveStatus::Converged)
                return 0.0;
        }
        return context_.wedge_coefficient ? context_.wedge_coefficient(r, sink_, interactive)
                                          : WedgeCoefficient(r, sink_, interactive);
    }
    return context_.discharge_coefficient ? context_.discharge_coefficient(r, sink_, interactive)
                                          : DischargeCoefficient(r, sink_, interactive);
}

// Beta at flowing temperature from the bore (or, for the wedges, from the
// segment height) of the record.
bool CCalculate::BetaFromGeometry(TagRecord& r) {
    const double D = r.Pipe_IDia;
    if (!IsPositiveFinite(D)) return false;
    if (IsWedgeMeter(r.Meter_Type)) {
        r.SegDc = D;
        const double beta = SegmentBeta(r.SegHs, D);
        if (!(beta > 0.0 && beta < 1.0)) return false;
        r.Beta = beta;
        r.Bore = beta * D;
        return true;
    }
    const double beta = r.Fa_Meter * r.Bore / (r.Fa_Pipe * D);
    if (!(beta > 0.0 && beta < 1.0)) return false;
    r.Beta = beta;
    return true;
}

// Flow and dP solutions end here: the segmental orifice's beta and segment
// height refer to its 0.98 D segment circle; all others' beta to D.
bool CCalculate::SegmentalEnd(TagRecord& r) {
    if (r.Meter_Type == Code(MeterType::SegmentalOrifice)) {
        r.SegDc = kSegmentCircleRatio * r.Pipe_IDia;
        r.Beta = r.Bore / r.SegDc;
        const double H1 = r.Pipe_IDia * r.Beta;
        return SegmentHeight(r, kSegmentTolerance, H1, H1 / 2.0).status == SolveStatus::Converged;
    }
    r.Beta = r.Bore / r.Pipe_IDia;
    return true;
}

// The differential brings the downstream pressure below the choked pressure:
// the flow is sonic. The results stand; E_Ftp is left to the coefficient.
void CCalculate::SonicTest(const TagRecord& r) {
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop) || r.Calc_Mode == Code(CalcMode::Restriction)) return;
    if (IsChoked(r, r.Flow_Press - r.Dp_Norm / kInH2OPerPsi))
        CError(sink_).Show(msg::kErrIndeterminateMaximum);
}

// The sizing stands: status 1, then (interactive only) the validity limit checks,
// which may suppress further warnings (status 20) or void a critical-drop result.
void StoreDerivedResults(TagRecord& r) {
    if (r.Flow_Max > 0.0) {
        const double pct = r.Flow_Norm / r.Flow_Max * 100.0;
        if (IsFinite(pct)) r.PctRange = pct;
    }
    const double b = r.Beta;
    if (r.Meter_Type == Code(MeterType::QuadrantOrifice) && b > 0.0 && b < 1.0) {
        double radius = r.Qrad_K0;
        if (r.Calc_Std == Code(CalcStd::Miller3rd)) radius = QuadrantRadius_Miller(r.Bore, b);
        if (r.Calc_Std == Code(CalcStd::IsoTr15377)) radius = QuadrantRadius_IsoTr15377(r.Bore, b);
        if (IsFinite(radius)) r.Qrad_K0 = radius;
    }
}

bool CCalculate::Succeed(TagRecord& r, bool interactive) {
    StoreDerivedResults(r);
    if (r.Calc_Status != kStatusWarningsSuppressed) r.Calc_Status = kStatusCalculated;
    if (!context_.default_project) r.Rec_Version4 = 1;
    if (!interactive) return true;
    return context_.check_limits ? context_.check_limits(r, sink_) : CheckLimits(r, sink_, true);
}

// Each sizing keeps the powers it evaluates for its own later rounds.
bool CCalculate::SizeBore(TagRecord& r, bool interactive) {
    const PowMemoScope powers;
    return IsCustomDirectMeter(r.Meter_Type) ? SizeBoreCustom(r, interactive)
                                             : SizeBoreStandard(r, interactive);
}

bool CCalculate::SizeFlow(TagRecord& r, bool interactive) {
    const PowMemoScope powers;
    return IsCustomDirectMeter(r.Meter_Type) ? SizeFlowOrDpCustom(r, interactive, true)
                                             : SizeFlowStandard(r, interactive);
}

bool CCalculate::SizeDp(TagRecord& r, bool interactive) {
    const PowMemoScope powers;
    return IsCustomDirectMeter(r.Meter_Type) ? SizeFlowOrDpCustom(r, interactive, false)
                                             : SizeDpStandard(r, interactive);
}

bool CCalculate::SizeBoreStandard(TagRecord& r, bool interactive) {
    const int passes = IsWedgeMeter(r.Meter_Type) ? kWedgePasses : 1;
    const double D = r.Pipe_IDia;
    NullMessageSink repeat_sink;
    if (!Start(r, interactive)) return false;
    for (int pass = 0; pass < passes; ++pass) {
        // Each pass starts clean.
        r.Calc_Status = kStatusNotCalculated;
        r.Sm = r.Rd = r.Y = r.Beta = r.Bore = 0.0;
        // Warnings of the factors are shown once, not once per pass.
        if (!UpdateFx(r)) return Fail(interactive);
        if (!UpdateFaFwvFm(r, pass == 0 ? sink_ : repeat_sink)) return Fail(interactive);
        if (!ChokedDpOk(r, interactive)) return false;

        const double Sm = SizingFactor(r);
        if (!(Sm > 0.0 && Sm < 1.0)) {
            CError(sink_).Show(msg::kErrNoSolutionForData);
            return Fail(interactive);
        }
        r.Sm = Sm;
        r.Rd = PipeReynolds(r, r.Flow_Norm);
        r.Beta = InitialBeta(r);

        // At least one round per pass, so every pass leaves its own C, Y and
        // bore (a pass whose start beta happened to equal the previous pass's
        // last beta would otherwise keep a zero bore).
        std::optional<PreparedExpansion> expansion;
        int rounds = 0;
        double beta_prev = 1.0;
        do {
            if (++rounds > kMaxRounds) return Fail(interactive);
            beta_prev = r.Beta;
            r.Bore = D * beta_prev;
            // The ASME throat-tap nozzle's Reynolds number is taken on the bore
            // (ASME PTC 6 throat-tap nozzle): it follows the bore of each round.
            // PipeReynolds expands the bore at 68 deg F, so it is given that bore.
            if (r.Meter_Type == Code(MeterType::AsmeThroatTapNozzle)) {
                r.Bore = D * beta_prev * r.Fa_Pipe / r.Fa_Meter;
                r.Rd = PipeReynolds(r, r.Flow_Norm);
                r.Bore = D * beta_prev;
            }
            if (!UpdateY(r, interactive, &expansion)) return Fail(interactive);
            const double C = Coefficient(r, interactive, false);
            if (IsFinite(C)) r.C = C;
            if (!IsPositiveFinite(C)) return Fail(interactive);
            if (r.Factor_SatLiq == 1 && r.Factor_QualX == 0.0 && !UpdateFx(r)) return Fail(interactive);
            const double beta = BetaFromSm(r);
            if (!(beta > 0.0 && beta < 1.0)) return Fail(interactive);
            r.Beta = beta;
            if (beta_prev > 0.99) return Fail(interactive);
        } while (!(std::fabs(beta_prev - r.Beta) <= kBetaTolerance));

        if (r.Meter_Type == Code(MeterType::SegmentalOrifice)) {
            r.SegDc = kSegmentCircleRatio * D;
            r.Beta = r.Beta / kSegmentCircleRatio;
            const double H1 = D * r.Beta;
            if (SegmentHeight(r, kSegmentTolerance, H1, H1 / 2.0).status != SolveStatus::Converged)
                return Fail(interactive);
        } else if (IsWedgeMeter(r.Meter_Type)) {
            r.SegDc = D;
            if (SegmentHeight(r, kSegmentTolerance, r.Bore, r.Bore / 2.0).status != SolveStatus::Converged)
                return Fail(interactive);
        } else {
            // Bore and beta at the reference temperature of 68 deg F.
            r.Beta = r.Beta * r.Fa_Pipe / r.Fa_Meter;
            r.Bore = D * r.Beta;
        }
        r.Dp_Loss = PermanentLoss(r);
        r.Sm = r.Sm / r.Fwv;
        // A wedge's five passes give one sonic warning, not five.
        if (pass == 0) SonicTest(r);
    }
    if (!Succeed(r, interactive)) return false;
    return true;
}

bool CCalculate::SizeFlowStandard(TagRecord& r, bool interactive) {
    if (!IsCustomMeter(r.Meter_Type) && r.C == 0.0) r.C = 0.75;  // start value
    if (!Start(r, interactive)) return false;
    if (!UpdateFaFwvFm(r, sink_)) return Fail(interactive);
    if (!BetaFromGeometry(r)) return Fail(interactive);
    if (!UpdateFx(r)) return Fail(interactive);
    if (!UpdateY(r, interactive)) return Fail(interactive);
    if (!ChokedDpOk(r, interactive)) return false;
    // What stays put through the rounds (the differential, the fluid, the pipe,
    // beta, Y and the factors) is taken once: a round then costs its coefficient
    // and a few operations, with the very numbers of SizingFactor, PipeReynolds
    // and SmFromBeta.
    const SmTerms sm_of_c = SmFromBetaTerms(r);
    r.Sm = SmAt(sm_of_c, r.C, r.Y);
    const bool meter_flow = r.Calc_Mode == Code(CalcMode::Meter) && r.Calc_SizeParam == Code(SizeParam::Flow);
    const FlowQuotient process = SizingFactorTerms(r).AtDifferential(r.Dp_Norm);
    const ReynoldsTerms reynolds = PipeReynoldsTerms(r);

    // One round: the flow at the current Sm, its Reynolds number, the
    // coefficient there and the Sm that follows.
    const auto round = [&]() {
        // evaluated at Q = 1/Sm: gives 1/Q
        const double sf = meter_flow ? SizingFactorForFlow(r, process) : SizingFactor(r);
        const double Q = 1.0 / sf;
        if (!IsPositiveFinite(sf) || !IsPositiveFinite(Q)) return false;
        r.Flow_Norm = Q;
        r.Rd = PipeReynoldsAt(reynolds, Q);
        const double C = Coefficient(r, interactive, true);
        if (IsFinite(C)) r.C = C;
        if (!IsPositiveFinite(C)) return false;
        r.Sm = SmAt(sm_of_c, r.C, r.Y);
        return true;
    };

    bool converged = false;
    bool repeats = false;  // the last round ended on the Sm it started from, to the bit
    for (int i = 0; i < kMaxRounds && !converged; ++i) {
        if (!(r.Sm > 0.0 && r.Sm < kSmLimitFlowDp)) {
            CError(sink_).Show(msg::kErrNoSolutionForData);
            return Fail(interactive);
        }
        const double Sm_prev = r.Sm;
        if (!round()) return Fail(interactive);
        converged = std::fabs(Sm_prev - r.Sm) <= kSmTolerance;
        repeats = Sm_prev == r.Sm;
    }
    if (!converged) return Fail(interactive);

    r.Dp_Loss = PermanentLoss(r);
    // The closing round evaluates Q, Rd, C and Sm once more. After a round that
    // repeated itself it would store the very same values; a batch (which shows
    // no warning of the coefficient) leaves it out.
    if (!(repeats && !interactive) && !round()) return Fail(interactive);
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        r.Flow_Max = r.Flow_Norm;
    } else {
        const double Qmax = std::sqrt(r.Dp_Max / r.Dp_Norm) * r.Flow_Norm;
        if (!IsFinite(Qmax)) return Fail(interactive);
        r.Flow_Max = Qmax;
        SonicTest(r);
    }
    if (!SegmentalEnd(r)) return Fail(interactive);
    return Succeed(r, interactive);
}

bool CCalculate::SizeDpStandard(TagRecord& r, bool interactive) {
    if (!Start(r, interactive)) return false;
    if (!UpdateFaFwvFm(r, sink_)) return Fail(interactive);
    if (!BetaFromGeometry(r)) return Fail(interactive);
    if (!UpdateFx(r)) return Fail(interactive);
    if (!UpdateY(r, interactive)) return Fail(interactive);  // at the differential the record holds
    if (!ChokedDpOk(r, interactive)) return false;
    r.Rd = PipeReynolds(r, r.Flow_Norm);
    const double C = Coefficient(r, interactive, true);
    if (IsFinite(C)) r.C = C;
    if (!IsPositiveFinite(C)) return Fail(interactive);
    // Only Y follows the differential from round to round.
    const SmTerms sm_of_y = SmFromBetaTerms(r);
    r.Sm = SmAt(sm_of_y, r.C, r.Y);

    // The differential at the current Sm: the factor evaluated at hw = Sm^2 is
    // sqrt(hw) of the solution. Its row of the fluid input is taken once.
    const bool meter_dp = r.Calc_Mode == Code(CalcMode::Meter) && r.Calc_SizeParam == Code(SizeParam::Dp);
    const SizingFactorRow process = SizingFactorTerms(r);
    const auto differential = [&]() {
        if (!(r.Sm > 0.0)) return false;
        const double sf = meter_dp ? SizingFactorForDp(r, process) : SizingFactor(r);
        const double hw = sf * sf;
        if (!IsPositiveFinite(hw)) return false;
        r.Dp_Norm = hw;
        return true;
    };
    if (!differential()) {
        CError(sink_).Show(msg::kErrNoSolutionForData);
        return Fail(interactive);
    }

    bool converged = false;
    bool repeats = false;  // the last round ended on the Sm it started from, to the bit
    for (int i = 0; i < kMaxRounds && !converged; ++i) {
        if (!(r.Sm > 0.0 && r.Sm < kSmLimitFlowDp)) {
            CError(sink_).Show(msg::kErrNoSolutionForData);
            return Fail(interactive);
        }
        const double Sm_prev = r.Sm;
        if (!differential()) return Fail(interactive);
        if (!UpdateY(r, interactive)) return Fail(interactive);  // Y at the new differential
        r.Sm = SmAt(sm_of_y, r.C, r.Y);
        converged = std::fabs(r.Sm - Sm_prev) <= kSmTolerance;
        repeats = Sm_prev == r.Sm;
    }
    if (!converged) return Fail(interactive);

    r.Dp_Loss = PermanentLoss(r);
    // The differential at the final Sm: the last round's, when that round ended on
    // the Sm it started from.
    if (!repeats && !differential()) return Fail(interactive);
    const double q = r.Flow_Max / r.Flow_Norm;
    const double hmax = q * q * r.Dp_Norm;
    if (!IsFinite(hmax)) return Fail(interactive);
    r.Dp_Max = hmax;
    r.Beta = r.Bore / r.Pipe_IDia;
    SonicTest(r);
    if (!SegmentalEnd(r)) return Fail(interactive);
    return Succeed(r, interactive);
}

}  // namespace quorven
