#pragma once
// The reset of the calculation part of a tag (Clear Calc, the fluid commands, pack,
// index rebuild and export): identification texts and every input and result go back
// to a new tag's values; unit selections, factors and texts, the fluid equation choice,
// the datasheet texts and the uncertainty setup are kept.

#include "record/tag_record.h"

namespace quorven {

void ResetTagData(TagRecord& r);

// Clear Calc on the record: the reset, then the datasheet texts and maxima
// emptied. The form's refresh and the document's saved flag are the caller's.
void ClearCalc(TagRecord& r);

}  // namespace quorven
