#pragma once
// Custom flow units: the name and factor that the custom-unit dialogs build from
// their three choices (quantity, time, prefix).

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "record/units.h"

namespace quorven {

struct CustomFlowUnit {
    std::string name;  // Windows-1252, at most 9 characters (a flow name slot is 10 bytes)
    double factor;     // user units per internal flow unit
};

// Entries of the dialogs' combo boxes, in order.
std::span<const std::string_view> CustomQuantityTexts(FlowKind k);
std::span<const std::string_view> CustomTimeTexts();    // "years", "days", "hours", "minutes", "seconds"
std::span<const std::string_view> CustomPrefixTexts();  // "(none)", "m - milli - Flow / 0.001", ...
std::string_view CustomUnitCaption(FlowKind k);
std::string_view UnitsSetupHeader(FlowKind k);  // "1 scfh =", ...

// Builds the unit for combo positions (quantity, time, prefix); nullopt when a
// position is outside its combo.
std::optional<CustomFlowUnit> BuildCustomFlowUnit(FlowKind k, int quantity, int time, int prefix);

}  // namespace quorven
