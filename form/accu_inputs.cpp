#include "form/accu_inputs.h"

#include <cmath>

#include "record/units.h"

namespace quorven {
namespace {

constexpr double TagRecord::*kPercentFields[kAccuPercentCount] = {
    &TagRecord::Uncert_MeterXmtr, &TagRecord::Uncert_RecvXmtr,    &TagRecord::Uncert_Press,
    &TagRecord::Uncert_Temp,      &TagRecord::Uncert_LiqBaseDens, &TagRecord::Uncert_LiqFlowDens,
    &TagRecord::Uncert_LiqFp,     &TagRecord::Uncert_GasSG,       &TagRecord::Uncert_GasFlowDens,
};

bool Usable(double v) {
    return std::isfinite(v) && v >= 0;
}

}  // namespace

double TagRecord::*AccuPercentField(int i) {
    return (i >= 0 && i < kAccuPercentCount) ? kPercentFields[i] : nullptr;
}

AccuInputs AccuInputsOf(const TagRecord& r) {
    return AccuInputsOf(r, r.Uncert_Incl == 1, r.Uncert_StraightRun == 1, r.Uncert_BoreMode == 1);
}

AccuInputs AccuInputsOf(const TagRecord& r, bool include, bool straight_run, bool percent_mode) {
    AccuInputs in;
    in.include = include;
    in.straight_run = straight_run;
    in.percent_mode = percent_mode;
    const double scale = percent_mode ? 100.0 : FactorOf(r, Quantity::Bore);
    in.bore = r.Uncert_Bore * scale;
    in.pipe = r.Uncert_Pipe * scale;
    for (int i = 0; i < kAccuPercentCount; ++i)
        in.percent[static_cast<std::size_t>(i)] = r.*kPercentFields[i];
    return in;
}

bool ApplyAccuInputs(TagRecord& r, const AccuInputs& in) {
    if (!Usable(in.bore) || !Usable(in.pipe)) return false;
    for (double p : in.percent) {
        if (!Usable(p)) return false;
    }
    const double scale = in.percent_mode ? 100.0 : FactorOf(r, Quantity::Bore);
    const double bore = in.bore / scale;
    const double pipe = in.pipe / scale;
    if (!Usable(bore) || !Usable(pipe)) return false;
    r.Uncert_Incl = in.include ? 1 : 0;
    r.Uncert_StraightRun = in.straight_run ? 1 : 0;
    r.Uncert_BoreMode = in.percent_mode ? 1 : 0;
    r.Uncert_Bore = bore;
    r.Uncert_Pipe = pipe;
    for (int i = 0; i < kAccuPercentCount; ++i)
        r.*kPercentFields[i] = in.percent[static_cast<std::size_t>(i)];
    return true;
}

}  // namespace quorven
