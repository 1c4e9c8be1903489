#pragma once
// The datasheet texts of a tag: the texts the user enters to order the flow
// element by (document numbers, revisions, element, taps,
// pipe, meter, options, notes) and the maximum pressure and temperature.

#include "record/tag_record.h"

namespace quorven {

// Empties every datasheet text (Spec_No to User_Misc, the revision table
// included) and sets Max_Press and Max_Temp to 0. The calculation part of the
// record is left as it is; nothing is shown and nothing is saved, so batch
// runs, CSV export and import can call it.
void ClearDatasheet(TagRecord& r);

}  // namespace quorven
