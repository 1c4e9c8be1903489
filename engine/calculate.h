#pragma once
// CCalculate: the sizing engine of one command. It sizes the bore, the
// differential or the flow of a differential-pressure meter on the record in
// internal units, writing each result (and the intermediate values of every
// round) into the record. It keeps no state between calls: construct it for a
// command, use it, discard it.

#include <functional>
#include <optional>

#include "engine/coefficients.h"
#include "engine/factors.h"
#include "engine/flow_equation.h"
#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// A coefficient of the record's meter: C or Y (record, sink, interactive).
using CoefficientFn = std::function<double(TagRecord&, MessageSink&, bool)>;

struct CalcContext {
    // The open project is the default project "Project"; otherwise a successful
    // sizing marks the record as of the current format (Rec_Version4 = 1).
    bool default_project = true;
    // Validity limit checks, run after a successful interactive sizing; they may
    // set Calc_Status to 20, or void the result (false). CheckLimits when empty.
    std::function<bool(TagRecord&, MessageSink&)> check_limits;
    // Saturation pressure of water [psia] at T [deg F]; the IFC-67 steam table
    // when empty. Tests install their own.
    SatPressureFn sat_pressure;
    // The coefficient correlations (engine/coefficients.h) when empty; tests
    // install simple stand-ins to drive the standard-meter solutions.
    CoefficientFn discharge_coefficient;
    CoefficientFn expansion_factor;
    CoefficientFn wedge_coefficient;
};

// The results derived from a solution that the form and the reports show, stored
// on the sizing path so that drawing never computes: PctRange, the normal flow as
// percent of the maximum (when Flow_Max > 0 and the ratio is finite), and for a
// quadrant-edged orifice sized by Calc_Std 1764 or 1765 its edge radius in Qrad_K0
// (any other standard keeps the stored value: API 2530 (1985) stores Ko there).
void StoreDerivedResults(TagRecord& r);

class CCalculate {
public:
    // Without a context: the library's correlations, steam table and limit checks
    // (a batch builds one for every tag, so this one builds no context to move).
    explicit CCalculate(MessageSink& sink);
    CCalculate(MessageSink& sink, CalcContext context);

    // The three solutions. `interactive` (the Calculate command) shows Error #1 on
    // a failed solution and runs the limit checks; without it (batch, charts) they
    // are left out. Errors #13, #20, #22, #33 and #50 are raised either way.
    // Return true on success, with Calc_Status 1 (or 20 from the limit checks);
    // on failure Calc_Status is 0 and the record holds the last round's values.
    bool SizeBore(TagRecord& r, bool interactive);
    bool SizeDp(TagRecord& r, bool interactive);
    bool SizeFlow(TagRecord& r, bool interactive);

    // Critical-drop device for a gas or vapour (Calc_Mode 1124): sizes the bore
    // (Calc_SizeParam 1120) or the choked flow (1122). C* goes to Y, the
    // approach term to E_Ftp. Status 0 and Error #1 when no finite result.
    bool SizeCriticalGas(TagRecord& r, bool interactive);
    // Restriction orifice (Calc_Mode 1125); Dp_Max holds the required permanent
    // pressure loss, Dp_Norm receives the meter differential that produces it.
    bool RestrictionBore(TagRecord& r, bool interactive);
    bool RestrictionDp(TagRecord& r, bool interactive);
    bool RestrictionFlow(TagRecord& r, bool interactive);

    // The flow-equation pieces on the record (see engine/flow_equation.h).
    double SizingFactor(TagRecord& r) const { return quorven::SizingFactor(r); }
    double PipeReynolds(const TagRecord& r, double q) const { return quorven::PipeReynolds(r, q); }
    double InitialBeta(const TagRecord& r) const { return quorven::InitialBeta(r); }
    double BetaFromSm(TagRecord& r) const { return quorven::BetaFromSm(r); }
    double SmFromBeta(TagRecord& r) const { return quorven::SmFromBeta(r); }
    double PermanentLoss(const TagRecord& r) const { return quorven::PermanentLoss(r); }
    // Choked downstream pressure [psia]; stores the approach term E in E_Ftp.
    double CriticalPressure(TagRecord& r) const;
    // Segment height for the record's Beta in a circle of SegDc, from the start
    // values `first` and `second`; stores SegHs when it converges.
    SegmentSolve SegmentHeight(TagRecord& r, double tolerance, double first, double second) const;

    // The correction factors of the record, as the solvers compute them.
    double WaterVapourFactor(TagRecord& r) const;

private:
    bool SizeBoreStandard(TagRecord& r, bool interactive);
    bool SizeBoreCustom(TagRecord& r, bool interactive);
    bool SizeFlowStandard(TagRecord& r, bool interactive);
    bool SizeDpStandard(TagRecord& r, bool interactive);
    bool SizeFlowOrDpCustom(TagRecord& r, bool interactive, bool for_flow);

    void UseSteamTableWhenEmpty();
    bool Fail(bool interactive);
    bool Start(TagRecord& r, bool interactive);
    bool ChokedDpOk(const TagRecord& r, bool interactive);
    bool UpdateFx(TagRecord& r);
    bool UpdateFaFwvFm(TagRecord& r, MessageSink& warnings);
    bool UpdateY(TagRecord& r, bool interactive, std::optional<PreparedExpansion>* kept = nullptr);
    double Coefficient(TagRecord& r, bool interactive, bool flow_or_dp);
    bool BetaFromGeometry(TagRecord& r);
    bool SegmentalEnd(TagRecord& r);
    void SonicTest(const TagRecord& r);
    bool Succeed(TagRecord& r, bool interactive);

    MessageSink& sink_;
    CalcContext context_;
};

}  // namespace quorven
