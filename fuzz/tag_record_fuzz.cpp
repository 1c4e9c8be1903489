// A tag record from outside bytes (".tag" files, project records): whatever the
// bytes, reading and checking never crashes, and a record that passed the check
// holds only finite numbers and terminated texts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "record/record_check.h"
#include "record/record_io.h"
#include "record/tag_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorven::TagRecord r{};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!quorven::RecordFromBytes(bytes, r)) {
        // Any length but a record's is refused; the rest of the run checks the
        // input padded or cut to a whole record, so every input reaches the check.
        std::string whole(bytes.substr(0, sizeof(quorven::TagRecord)));
        whole.resize(sizeof(quorven::TagRecord), '\0');
        if (!quorven::RecordFromBytes(whole, r)) std::abort();
    }
    quorven::CheckRecord(r);
    // A second check finds nothing left to repair.
    if (!quorven::CheckRecord(r).empty()) std::abort();
    return 0;
}
