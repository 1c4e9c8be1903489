#include "form/meter_pipe_area.h"

#include <cmath>

#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/formats.h"
#include "record/meter_texts.h"
#include "record/misc_util.h"
#include "record/units.h"

namespace quorven {
namespace {

constexpr double kMmPerInch = 25.4;

std::string MaterialText(const CMiscUtil& misc, int32_t index, std::string_view stored) {
    const std::string_view tag = misc.MaterialTag(index);
    return std::string(tag.empty() ? stored : tag);
}

}  // namespace

MeterPipeTexts DescribeMeterPipe(const TagRecord& r) {
    const CMiscUtil misc;
    TagRecord named = r;
    ApplyMeterTexts(named);
    // The integral orifice's style follows its size as the orifice dialog writes it.
    if (named.Meter_Type == Code(MeterType::IntegralOrifice))
        SetText(named.Meter_Style_Text,
                named.Meter_IFOASize == Code(IfoaSize::Quadrant05) ? "QUADRANT" : "SQUARE-EDGED");
    MeterPipeTexts t;
    t.family = GetText(named.Meter);
    t.type = GetText(named.Meter_Type_Text);
    t.style = GetText(named.Meter_Style_Text);
    t.tap = GetText(named.Tap_Style_Text);
    t.element_material = MaterialText(misc, r.Matl_Elem, GetText(r.Elem_Matl));
    t.sizing = misc.SizingParameterText(false, r.Calc_Mode, r.Calc_SizeParam);
    t.standard = misc.StandardText(r.Calc_Std, r.Calc_Mode, r.Meter_Type, r.Meter_IFOAMfr);
    t.pipe_material = MaterialText(misc, r.Matl_Pipe, GetText(r.Pipe_Matl));
    return t;
}

bool IsStainlessSchedule(std::string_view schedule) {
    if (schedule.size() < 2 || schedule.back() != 'S') return false;
    for (const char c : schedule.substr(0, schedule.size() - 1))
        if (c < '0' || c > '9') return false;
    return true;
}

double NominalSizeShown(const TagRecord& r, double inches) {
    const double factor = FactorOf(r, Quantity::PipeSize);
    const double dn = CMiscUtil().NominalSizeMm(inches);
    if (factor > 1.0 && dn != inches) return dn * factor / kMmPerInch;
    return ToUser(r, Quantity::PipeSize, inches);
}

std::string NominalSizeShownText(const TagRecord& r, double inches) {
    return FmtFixed("%.2f", NominalSizeShown(r, inches));
}

std::vector<PipeSizeEntry> NominalSizeChoices(const TagRecord& r) {
    const CMiscUtil misc;
    const auto sizes = IsStainlessSchedule(GetText(r.Pipe_Sched_Text)) ? misc.StainlessNominalSizeTexts()
                                                                       : misc.NominalSizeTexts();
    std::vector<PipeSizeEntry> list;
    list.reserve(sizes.size());
    for (const std::string_view size : sizes) {
        double inches = 0.0;
        if (!ParseFiniteDouble(size, inches)) continue;
        list.push_back({NominalSizeShownText(r, inches), inches});
    }
    return list;
}

bool TakeStandardPipeDiameter(TagRecord& r) {
    const CMiscUtil misc;
    const auto non_std = static_cast<int32_t>(misc.Schedules(r.Matl_Pipe).size()) - 1;
    // The schedule as the form shows it: by its text, else by its position (a new
    // tag holds position 5, "STD", and no text). The record takes the text.
    int32_t at = misc.SchedulePosition(r.Matl_Pipe, GetText(r.Pipe_Sched_Text));
    if (at < 0 && r.Pipe_Sched >= 0 && r.Pipe_Sched <= non_std) {
        at = r.Pipe_Sched;
        SetText(r.Pipe_Sched_Text, misc.ScheduleText(r.Matl_Pipe, at));
    }
    if (at == non_std) return true;
    const double id = misc.PipeInsideDiameter(r.Matl_Pipe, r.Pipe_NomDia, GetText(r.Pipe_Sched_Text));
    if (id > 0.0 && std::isfinite(id)) {
        r.Pipe_IDia = id;
        return true;
    }
    r.Pipe_Sched = non_std;
    SetText(r.Pipe_Sched_Text, misc.ScheduleText(r.Matl_Pipe, non_std));
    return false;
}

}  // namespace quorven
