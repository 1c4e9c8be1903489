#pragma once
// Orifice plate thickness: the minimum thickness that carries the differential
// across the plate, the next standard stock thickness, and the datasheet text.

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// Minimum plate thickness [in] for the record's Dp_Max, Beta, Pipe_IDia and
// element material; 0 when it cannot be computed (never NaN or infinity).
double MinPlateThickness(const TagRecord& r);

// The smallest standard plate thickness [in] not below t; 0 above 3 in.
double StandardThickness(double t);

// Composes the datasheet thickness text Elem_Thick (and, for a quadrant
// orifice, the note User_Notes_1). Warning #24 for a line above 36 in.
// Returns false (and leaves the text empty) when no thickness can be given.
bool PlateThicknessText(TagRecord& r, MessageSink& sink);

}  // namespace quorven
