#include "record/record_io.h"

#include <cstring>

namespace quorven {

std::string RecordToBytes(const TagRecord& r) {
    const char* p = reinterpret_cast<const char*>(&r);
    std::string out;
    out.reserve(sizeof r);
    out.append(p, kRecordPiece1);
    out.append(p + kRecordPiece1, kRecordPiece2);
    out.append(p + kRecordPiece1 + kRecordPiece2, kRecordPiece3);
    return out;
}

bool RecordFromBytes(std::string_view bytes, TagRecord& r) {
    if (bytes.size() != sizeof(TagRecord)) return false;
    char* p = reinterpret_cast<char*>(&r);
    std::memcpy(p, bytes.data(), kRecordPiece1);
    std::memcpy(p + kRecordPiece1, bytes.data() + kRecordPiece1, kRecordPiece2);
    std::memcpy(p + kRecordPiece1 + kRecordPiece2, bytes.data() + kRecordPiece1 + kRecordPiece2,
                kRecordPiece3);
    return true;
}

}  // namespace quorven
