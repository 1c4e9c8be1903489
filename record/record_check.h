#pragma once
// A record read from any file is never trusted. CheckRecord terminates every text
// within its width and resets every choice code, table index, flag and number that
// is out of range (or not finite) to its new-document value, so nothing downstream
// uses a stored value as a subscript or computes with NaN.

#include <string>
#include <vector>

#include "record/tag_record.h"

namespace quorven {

struct RecordRepair {
    std::string field;
    std::string was;  // the stored value as text
};

// Repairs the record in place; returns what was repaired (empty for a sound record).
std::vector<RecordRepair> CheckRecord(TagRecord& r);

// Whether a value may be stored in the named 32-bit field (choice codes, flags,
// indexes). Fields without a rule accept any value.
bool IsValidIntValue(const char* field, int32_t value);

}  // namespace quorven
