#include "record/datasheet.h"

#include <cstddef>
#include <cstring>

namespace quorven {
namespace {

// The datasheet texts are one contiguous run of the record, Spec_No through
// User_Misc; Rec_Reserved7 after it is not part of it.
constexpr std::size_t kTextsBegin = offsetof(TagRecord, Spec_No);
constexpr std::size_t kTextsEnd = offsetof(TagRecord, User_Misc) + sizeof(TagRecord::User_Misc);
static_assert(kTextsEnd == offsetof(TagRecord, Rec_Reserved7));

}  // namespace

void ClearDatasheet(TagRecord& r) {
    // Every byte of each text is zeroed, not only its first, so a cleared
    // record is byte-identical however long the old texts were.
    std::memset(reinterpret_cast<unsigned char*>(&r) + kTextsBegin, 0, kTextsEnd - kTextsBegin);
    r.Max_Press = 0.0;
    r.Max_Temp = 0.0;
}

}  // namespace quorven
