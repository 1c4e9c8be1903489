#pragma once
// Orifice plate thickness: the minimum thickness that carries the differential
// across the plate, the next standard stock thickness, and the datasheet text.

#include "messages/messages.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

// Allowable stress [psi] of element material 1 to 44 at T [deg R]; 0 for any
// other material.
double AllowableStress(int32_t material, double T_R);

// Minimum plate thickness [in] for the record's Dp_Max, Beta, Pipe_IDia,
// Matl_Elem and Flow_Temp; 0 when it cannot be computed (never NaN or infinity).
double MinPlateThickness(const TagRecord& r);

// The smallest standard plate thickness [in] not below t; 0 above 3 in (and for
// a t that is not a number).
double StandardThickness(double t);

// Composes the datasheet thickness text Elem_Thick (and, for a quadrant
// orifice, the note User_Notes_1) in the record's bore unit. Warning #24 for a
// line above 36 in. Returns false when no thickness could be given (the text
// then reads zero, which marks it for composing again).
bool PlateThicknessText(TagRecord& r, MessageSink& sink, const UnitTables& tables);
// The same with the program's default unit tables.
bool PlateThicknessText(TagRecord& r, MessageSink& sink);

}  // namespace quorven
