// Index bytes and journal bytes from outside: parsing never crashes, every entry
// marked valid names a whole record inside the record file, and a journal that is
// taken names only files of the project's own directory.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "project/project_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    if (size < 4) return 0;
    uint32_t record_size = 0;
    std::memcpy(&record_size, data, sizeof record_size);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 4, size - 4);
    const ParsedIndex p = ParseIndex(bytes, record_size);
    if (p.entries.size() != bytes.size() / kIndexEntrySize || p.tail_bytes != bytes.size() % kIndexEntrySize)
        std::abort();
    for (const IndexEntry& e : p.entries) {
        if (e.state != EntryState::Valid) continue;
        if (e.position < 0 || e.position % static_cast<int32_t>(kRecordSize) != 0 ||
            static_cast<uint64_t>(e.position) + kRecordSize > record_size || e.tag.size() > kTagNoMax)
            std::abort();
    }
    if (const auto j = ParseJournal(bytes)) {
        for (const auto& [from, to] : j->renames)
            if (from.find('/') != std::string::npos || to.find('/') != std::string::npos || from == ".." ||
                to == "..")
                std::abort();
        if (j->kind == Journal::Kind::RestoreRecord && j->old_record.size() != kRecordSize) std::abort();
    }
    return 0;
}
