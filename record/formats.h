#pragma once
// Display formats: a printf format chosen by the value's magnitude (thresholds
// compare the value itself, so negative values take the last format). Output never
// depends on the process locale.

#include <string>

#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

// `format` (one fixed-point conversion) applied to v, at most 15 characters: a value
// whose fixed form would be longer (1e300 has 301 digits) is written in "%.*e"
// form with as many digits as fit. Every format below keeps to that width.
std::string FmtFixed(const char* format, double v);

std::string FmtFlow(double v);
std::string FmtPressure(double v);  // flowing and vapour pressure
std::string FmtAtmPressure(double v);
std::string FmtBasePressure(double v);
std::string FmtDiffPressure(double v);
std::string FmtSixPlaces(double v);
std::string FmtDensity(double v);  // also specific gravity and molecular weight
std::string FmtViscosity(double v);
std::string FmtShort(double v);
std::string FmtTemperature(double v);  // "%.2f"
// A length in inches shown in the record's bore unit with its name: "4.0260 in",
// "102 mm", "10.2 cm".
std::string FmtLengthWithUnit(double inches, const TagRecord& r, const UnitTables& t);

// Rounds to n decimals: integer part of (x 10^n + 0.5) / 10^n for x below 19999999;
// larger values (and non-finite ones) are returned unchanged.
double RoundTo(double x, int n);

}  // namespace quorven
