#pragma once
// The meter system uncertainty set-up, apart from any widget: what the dialog
// shows for a record and what OK writes back.
//
// Uncert_Bore and Uncert_Pipe are stored as lengths in inches (tolerance mode,
// Uncert_BoreMode 0; both are shown in the bore unit) or as fractions (percent
// mode, Uncert_BoreMode 1; shown x 100 with "%"). A stored value keeps its
// number when the mode is switched; only its display changes.

#include <array>
#include <cstdint>

#include "record/tag_record.h"

namespace quorven {

// The nine percentages, in the order of their edits.
inline constexpr int kAccuPercentCount = 9;

struct AccuInputs {
    bool include = true;
    bool straight_run = false;
    bool percent_mode = false;  // Uncert_BoreMode 1
    double bore = 0;            // shown bore accuracy or tolerance
    double pipe = 0;            // shown pipe I.D. accuracy or tolerance
    std::array<double, kAccuPercentCount> percent{};
};

// Field of percentage i: Uncert_MeterXmtr, Uncert_RecvXmtr, Uncert_Press,
// Uncert_Temp, Uncert_LiqBaseDens, Uncert_LiqFlowDens, Uncert_LiqFp,
// Uncert_GasSG, Uncert_GasFlowDens.
double TagRecord::*AccuPercentField(int i);

// What the dialog shows for r. `choices` supplies the three Yes/No choices
// (a click re-initialises the edits from the stored values under the new
// choices, as the dialog did on opening).
AccuInputs AccuInputsOf(const TagRecord& r);
AccuInputs AccuInputsOf(const TagRecord& r, bool include, bool straight_run, bool percent_mode);

// OK: writes the three choices, Uncert_Bore, Uncert_Pipe and the nine
// percentages. Every value must be finite and not negative; otherwise returns
// false and the record is untouched. Calc_Status is left as it is: the meter
// uncertainty changes at the next Calculate.
bool ApplyAccuInputs(TagRecord& r, const AccuInputs& in);

}  // namespace quorven
