#include "project/tag_clipboard.h"

#include <cstddef>
#include <cstring>

namespace quorven {
namespace {

// The carried fields as byte ranges of the record [begin, end).
struct Range {
    std::size_t begin;
    std::size_t end;
};

#define QV_FROM(first) offsetof(TagRecord, first)
#define QV_TO(last) (offsetof(TagRecord, last) + sizeof(TagRecord::last))

const Range kCarried[] = {
    {QV_FROM(Tag_No), QV_TO(Name)},                     // tag number, service, line, date, name
    {QV_FROM(Unit_Flow_Text), QV_TO(Pipe_Sched_Text)},  // unit texts, fluid, meter and pipe texts
    {QV_FROM(Calc_Status), QV_TO(Unit_PressSys_Set)},   // 22 values
    {QV_FROM(Fluid_Equation), QV_TO(Calc_Rev)},         // 26 values
    {QV_FROM(Unit_Flow), QV_TO(Unit_Visc)},             // 7 factors
    {QV_FROM(Unit_Bore), QV_TO(SystemUncert)},          // 49 doubles
    {QV_FROM(Spec_No), QV_TO(Rev_No_3)},                // datasheet, without revision row 4
    {QV_FROM(Rev_By_1), QV_TO(Rev_By_3)},
    {QV_FROM(Rev_Date_1), QV_TO(Rev_Date_3)},
    {QV_FROM(Sht_No), QV_TO(User_Misc)},
    {QV_FROM(Max_Press), QV_TO(Max_Press)},
};

#undef QV_FROM
#undef QV_TO

}  // namespace

void CopyTag(const TagRecord& r, TagClipboard& clipboard) {
    clipboard.copy = r;
    clipboard.full = true;
}

bool PasteTag(TagClipboard& clipboard, TagRecord& target) {
    if (!clipboard.full) return false;
    const auto* from = reinterpret_cast<const unsigned char*>(&clipboard.copy);
    auto* to = reinterpret_cast<unsigned char*>(&target);
    for (const Range& range : kCarried)
        std::memcpy(to + range.begin, from + range.begin, range.end - range.begin);
    target.Calc_Status = 0;
    target.Velocity = 0.0;
    target.Min_Thick = 0.0;
    target.Velocity_Pipe = 0.0;
    target.Velocity_Vc = 0.0;
    target.Outlet_Noise = 0.0;
    clipboard.full = false;
    return true;
}

}  // namespace quorven
