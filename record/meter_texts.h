#pragma once
// The family, type and tap-style texts written into the record when a meter is
// chosen. Texts are Windows-1252, as the record holds them.

#include <cstdint>
#include <string>
#include <string_view>

#include "record/tag_record.h"

namespace quorven {

struct MeterTypeTexts {
    int32_t code;
    const char* family;  // written into Meter
    const char* type;    // written into Meter_Type_Text; "" where the user gives it (custom meters)
};

// The texts of a meter type, or nullptr for a code that is no meter type.
const MeterTypeTexts* FindMeterType(int32_t meter_type);

// The family text with the suffixes for nozzle diffusers and venturi exit cones.
std::string MeterFamilyText(int32_t meter_type, int32_t diffuser, int32_t venturi_exit);

// The tap-style text of a meter type, standard and tap style (1 to 4). Empty for
// custom meters (the user's own text) and for a tap style the type does not offer.
std::string_view TapStyleText(int32_t meter_type, int32_t calc_std, int32_t tap_style);

// How many tap styles the meter type offers in its dialog list (0: one fixed text).
int TapStyleCount(int32_t meter_type, int32_t calc_std);

// Writes Meter, Meter_Type_Text and Tap_Style_Text from the record's choices. For
// custom meters the type and tap texts are the user's and are left alone.
void ApplyMeterTexts(TagRecord& r);

}  // namespace quorven
