#pragma once
// The differential-pressure flow equation in sizing-factor form (R. W. Miller,
// Flow Measurement Engineering Handbook, 3rd ed., 1996: all geometry and
// coefficients in one dimensionless Sm, the process side in the same number) and
// the record-level helpers the solvers build on. Internal units throughout:
// psia, inH2O, deg R, in, lb/ft3, cP; flows in the internal flow unit of the
// fluid equation.

#include <cmath>

#include "record/tag_record.h"

namespace quorven {

// Status of an inner solve.
enum class SolveStatus { Converged, NotConverged, BadInput };

struct SegmentSolve {
    double H = 0.0;  // segment height [in]
    SolveStatus status = SolveStatus::BadInput;
    int rounds = 0;
};

// ---- Pure functions of plain doubles -------------------------------------

// Beta of a circular segment of height H in a circle of diameter Dc: the square
// root of the ratio of the segment area to the circle area (plane geometry).
// H [in], Dc [in]; 0 outside 0 < H < Dc.
double SegmentBeta(double H, double Dc);

// The segment height whose SegmentBeta is `beta`: secant method from H1 and H2
// (the usual start values), kept inside (0, Dc), with a bisection fallback so a
// search that does not converge still ends. Converged when |beta - beta(H)| <= tol.
SegmentSolve SolveSegmentHeight(double beta, double Dc, double H1, double H2, double tol);

// Sm = K x beta^2 / sqrt(1 - beta^4), K = product of C, Y and the correction
// factors. 0 when beta is outside (0, 1) or the result is not finite.
double SmOfBeta(double K, double beta);

// The inverse: beta = (1 + (K / Sm)^2)^(-1/4). 0 when Sm <= 0 or not finite.
double BetaOfSm(double K, double Sm);

// ---- Record-level helpers (read and, where stated, write the record) -----

// A quotient (a q b c) / d of one varying quantity q, multiplied in that order: every
// row of the process sizing factor (q = Q) and of the pipe Reynolds number (q = the
// flow) has this shape, a, b, c (1 where the row has fewer factors) and d coming from
// the record. A flow solution takes them once and each round's flow costs a few
// operations; the record-level functions evaluate the same terms the same way, so both
// give the same bits.
struct FlowQuotient {
    double a = 1.0, b = 1.0, c = 1.0, d = 1.0;
    bool known = false;  // a fluid input the equation knows
    double At(double q) const { return a * q * b * c / d; }
};

// The process sizing factor's row of the fluid input: Sm = (a Q b c) / (d sqrt(e hw e1
// e2) d1 d2), products taken left to right (1 where the row has fewer factors).
struct SizingFactorRow {
    double a = 1.0, b = 1.0, c = 1.0;
    double d = 1.0, e = 1.0, e1 = 1.0, e2 = 1.0, d1 = 1.0, d2 = 1.0;
    bool known = false;  // a fluid input the equation knows
    double Denominator(double hw) const { return d * std::sqrt(e * hw * e1 * e2) * d1 * d2; }
    double At(double Q, double hw) const { return a * Q * b * c / Denominator(hw); }
    // The row at one differential, as a quotient in Q.
    FlowQuotient AtDifferential(double hw) const { return {a, b, c, Denominator(hw), known}; }
};
SizingFactorRow SizingFactorTerms(const TagRecord& r);

// SizingFactor of a flow solution of a meter (Calc_SizeParam 1122, Calc_Mode 1123),
// with SizingFactorTerms(r).AtDifferential(r.Dp_Norm): sets Flow_Norm = 1 / Sm and
// returns the factor there, as SizingFactor does.
double SizingFactorForFlow(TagRecord& r, const FlowQuotient& terms);
// SizingFactor of a differential solution of a meter (Calc_SizeParam 1121, Calc_Mode
// 1123): sets Dp_Norm = Sm^2 and returns the factor there, as SizingFactor does.
double SizingFactorForDp(TagRecord& r, const SizingFactorRow& row);

// The pipe Reynolds number's terms: the row of the fluid input for the record's
// diameter and viscosity, and the vapour quality that scales a wet flow.
struct ReynoldsTerms {
    FlowQuotient f;
    bool quality = false;
    double quality_share = 1.0;
};
ReynoldsTerms PipeReynoldsTerms(const TagRecord& r);
double PipeReynoldsAt(const ReynoldsTerms& t, double q);

// Sm from the record's Beta for a coefficient and expansion factor:
// SmOfBeta(Fdh F Fwv Fm C Y, Beta). SmFromBetaTerms recomputes and stores Fdh as
// SmFromBeta does; SmAt(SmFromBetaTerms(r), r.C, r.Y) is SmFromBeta(r).
struct SmTerms {
    double factors = 0.0;  // Fdh F Fwv Fm
    double b2 = 0.0;       // Beta^2
    double root = 1.0;     // sqrt(1 - Beta^4)
    bool beta_ok = false;  // 0 < Beta < 1
};
SmTerms SmFromBetaTerms(TagRecord& r);
inline double SmAt(const SmTerms& t, double C, double Y) {
    // SmOfBeta(K, Beta) with K = Fdh F Fwv Fm C Y.
    if (!t.beta_ok) return 0.0;
    const double Sm = t.factors * C * Y * t.b2 / t.root;
    return std::isfinite(Sm) ? Sm : 0.0;
}

// The process-side sizing factor. Prepares the unknown first (Flow_Norm or
// Dp_Norm, see the source) and returns Sm of the operating data; 0 for any fluid
// combination it does not know or a value that is not finite. Never stores a
// non-finite value. A liquid choked differential with Property_MwDenVp >= Flow_Press
// has no value: the function leaves Dp_Norm alone and returns 0 (the solvers
// report Error #13 before they get here).
double SizingFactor(TagRecord& r);

// Whether the liquid choked differential (Flow_Press - vapour pressure) exists.
bool ChokedLiquidDpValid(const TagRecord& r);

// Pipe Reynolds number for flow q (internal flow unit); 0 when q <= 0 or not finite.
double PipeReynolds(const TagRecord& r, double q);

// Start value of beta for the bore iteration.
double InitialBeta(const TagRecord& r);

// The combined correction factor F (Fx, or 1/Fx for a saturated liquid).
double TwoPhaseMultiplier(const TagRecord& r);

// Beta from the record's Sm; recomputes Fdh for the record's current Beta and
// stores it. Returns 0 when there is no finite beta.
double BetaFromSm(TagRecord& r);

// Sm from the record's Beta; recomputes and stores Fdh. 0 when not finite.
double SmFromBeta(TagRecord& r);

// Choked downstream pressure [psia] of a gas; 0 for every liquid and for k <= 1.
// `e_ftp` receives the approach-velocity term E.
double CriticalPressureOf(const TagRecord& r, double* e_ftp);

// Whether a gas at downstream pressure p2 [psia] flows choked: CriticalPressureOf(r) > p2,
// the two powers of the critical pressure left out where a bound on it already says no.
bool IsChoked(const TagRecord& r, double p2);

// Permanent pressure loss, percent of the differential.
double PermanentLoss(const TagRecord& r);

}  // namespace quorven
