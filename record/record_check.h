#pragma once
// A record read from any file is never trusted. CheckRecord terminates every text
// within its width and resets every choice code, table index, flag and number that
// is out of range (or not finite) to its new-document value, so nothing downstream
// uses a stored value as a subscript or computes with NaN. It also resets what is
// in range on its own but not with the record's other values: a fluid condition or
// property input of the other kind than the fluid equation, a stainless steel
// schedule past its list.
//
// The same check decides what may be stored or exchanged: `tag set`, `project
// put` and import refuse a record it would change, and export writes records as
// it leaves them, so what one writes the others read back unchanged.

#include <string>
#include <vector>

#include "record/tag_record.h"

namespace quorven {

struct RecordRepair {
    std::string field;
    std::string was;  // the stored value as text
    // Why it was reset when the value is one of the field's own ("does not go with
    // Fluid_Equation 1352"); empty: not one of the field's values at all.
    std::string reason = {};
};

// Repairs the record in place; returns what was repaired (empty for a sound record).
std::vector<RecordRepair> CheckRecord(TagRecord& r);

// What CheckRecord would repair, the record left as it is: empty when the record
// may be stored and exchanged as it stands.
std::vector<RecordRepair> RecordProblems(const TagRecord& r);

// "Fluid_Condition 1348 does not go with Fluid_Equation 1352", "Meter_Type 9999 is
// not one of its values" (UTF-8).
std::string RepairText(const RecordRepair& repair);

// Whether a value may be stored in the named 32-bit field (choice codes, flags,
// indexes). Fields without a rule accept any value.
bool IsValidIntValue(const char* field, int32_t value);

}  // namespace quorven
