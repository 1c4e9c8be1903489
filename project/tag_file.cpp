#include "project/tag_file.h"

#include "record/file_io.h"
#include "record/record_io.h"

namespace quorven {

bool WriteTagFile(const std::string& path, const TagRecord& r, MessageSink& sink) {
    if (!WriteFileAtomically(path, RecordToBytes(r))) {
        CError(sink).Show(err::kTagFileCreate);
        return false;
    }
    return true;
}

bool ReadTagFile(const std::string& path, TagRecord& current, MessageSink& sink,
                 std::vector<RecordRepair>* repairs) {
    // Read-only: a tag file marked read-only is still a good source.
    const auto bytes = ReadFileBytes(path, sizeof(TagRecord));
    TagRecord read;
    if (!bytes || !RecordFromBytes(*bytes, read)) {
        CError(sink).Show(err::kTagFileRead);
        return false;
    }
    std::vector<RecordRepair> fixed = CheckRecord(read);
    current = read;
    if (repairs) *repairs = std::move(fixed);
    return true;
}

}  // namespace quorven
