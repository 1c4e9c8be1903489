#pragma once
// Values and unit names as the reports print them. A value that is not finite (an
// uncalculated or partial tag divided by a zero) prints as a dash, never as "inf"
// or "nan".

#include <string>
#include <string_view>

#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

inline constexpr const char* kNoValue = "-";

// printf-style format of one number (locale-free); a dash when v is not finite.
std::string Num(std::string_view format, double v);
// A display format (FmtFlow, FmtShort...) of one number; a dash when not finite.
std::string Num(std::string (*fmt)(double), double v);
// "value unit", or the dash alone.
std::string WithUnit(const std::string& value, std::string_view unit);

// The name of the record's unit for q: the project's list entry at the record's
// selection, as the main form shows it; the record's stored text when the
// selection lies outside the list.
std::string UnitNameOf(const TagRecord& r, const UnitTables& t, Quantity q);

// The flow symbol of the record's flow kind: Q (volume at base conditions), q
// (volume at flowing conditions) or W (mass and every other combination).
char FlowSymbol(const TagRecord& r);
// The tap subscript: '1' for an upstream tap, '2' otherwise.
char TapDigit(const TagRecord& r);

// Temperature names of the sheet's own labels ("degF", "degR", "degC", "degK").
std::string_view SheetTemperatureName(int32_t index);

}  // namespace quorven
