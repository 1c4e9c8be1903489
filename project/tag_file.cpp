#include "project/tag_file.h"

#include "messages/messages.h"
#include "record/record_io.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

bool WriteTagFile(const std::string& path, const TagRecord& r, MessageSink& sink, FileLayer& files) {
    if (!files.Replace(path, RecordToBytes(r))) {
        CError(sink).Show(msg::kErrTagFileWrite);
        return false;
    }
    return true;
}

bool ReadTagFile(const std::string& path, TagRecord& current, MessageSink& sink,
                 std::vector<RecordRepair>* repairs, FileLayer& files) {
    // Read-only: a tag file marked read-only is still a good source.
    const auto bytes = files.ReadAll(path, sizeof(TagRecord));
    TagRecord read;
    if (!bytes || !RecordFromBytes(*bytes, read)) {
        CError(sink).Show(msg::kErrTagFileRead);
        return false;
    }
    std::vector<RecordRepair> fixed = CheckRecord(read);
    (void)ReapplyFlowUnit(read, DefaultUnitTables());
    current = read;
    if (repairs) *repairs = std::move(fixed);
    return true;
}

}  // namespace quorven
