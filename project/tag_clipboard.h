#pragma once
// The internal tag clipboard: the fields one tag passes to another by Copy Tag and
// Paste Tag, kept for the program run and shared by every window (not the system
// clipboard). A copy is pasted once.

#include "record/tag_record.h"

namespace quorven {

struct TagClipboard {
    bool full = false;
    TagRecord copy{};  // only the carried fields are read back
};

// Copy Tag: the current record into the clipboard.
void CopyTag(const TagRecord& r, TagClipboard& clipboard);

// Paste Tag: the carried fields into `target` (the calc memo, the reserved and
// version fields, the fourth datasheet revision row, Max_Temp and the uncertainty
// set-up stay the target's). The pasted tag is one that must be calculated: its
// status is cleared, and the results the clipboard does not carry (velocities,
// plate thickness, outlet noise) are cleared with it rather than left from the
// target's own calculation. Empties the clipboard; false when it was empty.
bool PasteTag(TagClipboard& clipboard, TagRecord& target);

}  // namespace quorven
