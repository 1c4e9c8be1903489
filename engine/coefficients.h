#pragma once
// Discharge coefficient and expansion factor of the record's meter, evaluated at
// the record's Beta, Rd, Dp_Norm, Flow_Press and Property_KFp. The solvers call
// these inside their iterations. They write nothing into the record except the
// API 2530 (1985) terms Qrad_K0, K and E_Ftp (and the quadrant radius).

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// C of the meter; 0 means the meter has no coefficient here, and the sizing fails.
double DischargeCoefficient(TagRecord& r, MessageSink& sink, bool interactive);

// Y of the meter for a gas or vapour (1 for a liquid).
double ExpansionFactor(TagRecord& r, MessageSink& sink, bool interactive);

// C of the manufacturer wedge meters (types 1692 to 1697); 0 when none.
double WedgeCoefficient(TagRecord& r, MessageSink& sink, bool interactive);

}  // namespace quorven
