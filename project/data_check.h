#pragma once
// The batch calculation's check of a tag's input data: whether every value the
// sizing and the fluid equation need is given, as lines for the status file.

#include <string>
#include <string_view>
#include <vector>

#include "record/tag_record.h"

namespace quorven {

// The lines of the failed checks, in the order of the checks: the sizing data
// (by sizing parameter and calculation mode), the fluid data (by fluid equation,
// volume condition and property input), the pipe inside diameter. Each line is
// "\t\t" + text + "\n". Empty when the tag may be calculated. A value counts as
// missing when it is exactly 0.
std::vector<std::string_view> DataCheckLines(const TagRecord& r);

// Appends the data-check block of the record to `out` ("\n" line ends): tag
// number, service and line number, the heading "DATA ERRORS:", the failed checks
// and an empty line, or "No errors!". Returns true when the check passed.
bool DataCheck(const TagRecord& r, std::string& out);

}  // namespace quorven
