#pragma once
// The record as stored: its 2800 bytes written in three consecutive pieces
// (1344, 1360 and 96 bytes), which together are simply the record in order.

#include <string>
#include <string_view>

#include "record/tag_record.h"

namespace quorven {

std::string RecordToBytes(const TagRecord& r);

// Fills `r` from exactly sizeof(TagRecord) bytes; any other length leaves `r`
// untouched and returns false. The caller checks the result with CheckRecord.
bool RecordFromBytes(std::string_view bytes, TagRecord& r);

}  // namespace quorven
