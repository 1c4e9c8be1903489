#pragma once
// Tag files ("*.tag"): exactly one 2800-byte record, no header. The file carries
// its own unit factors and texts, so it can be read into any project.

#include <string>
#include <vector>

#include "messages/messages.h"
#include "record/file_io.h"
#include "record/record_check.h"
#include "record/tag_record.h"

namespace quorven {

// Writes the record to `path` through a temporary file renamed over it, so an
// earlier file stays whole when the write fails. Failure: Error #48, false.
bool WriteTagFile(const std::string& path, const TagRecord& r, MessageSink& sink,
                  FileLayer& files = DiskFiles());

// Reads a tag file into `current`. A file that cannot be opened or is not exactly
// 2800 bytes gives Error #49 and leaves `current` unchanged. A file that reads is
// checked (CheckRecord) before it replaces `current`; what was repaired is
// returned in `repairs`.
bool ReadTagFile(const std::string& path, TagRecord& current, MessageSink& sink,
                 std::vector<RecordRepair>* repairs = nullptr, FileLayer& files = DiskFiles());

}  // namespace quorven
