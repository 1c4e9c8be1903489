#pragma once
// Discharge coefficient and expansion factor of the record's meter, evaluated at
// the record's Beta, Rd, Dp_Norm, Flow_Press and Property_KFp. The solvers call
// these inside their iterations. They write nothing into the record except the
// API 2530 (1985) terms Qrad_K0, K and E_Ftp, and the throat-tap nozzle's C.

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// C of the meter; 0 means the meter has no coefficient here, and the sizing fails.
double DischargeCoefficient(TagRecord& r, MessageSink& sink, bool interactive);

// Y of the meter for a gas or vapour (1 for a liquid). 0 means no expansion factor
// can be given (no pressure, a differential beyond the static pressure, an
// isentropic exponent below 1, a form the standard lacks); the sizing then fails.
// Never writes Dp_Norm: the wedge meters' fixed 50 inH2O is used locally.
double ExpansionFactor(TagRecord& r, MessageSink& sink, bool interactive);

// C of the manufacturer wedge meters (types 1692 to 1697); 0 when none.
double WedgeCoefficient(TagRecord& r, MessageSink& sink, bool interactive);

// The concentric-orifice equations DischargeCoefficient picks by standard; each
// returns C (0 when the tap style or inputs give none).
// API 2530 / AGA 3 (1985), standard 1139; stores Qrad_K0 (Ko), E_Ftp (E) and K (Ke).
double Api2530Coefficient(TagRecord& r);
// Reader-Harris/Gallagher 1992 as printed in AGA 3 (1992, 2012), standards 1138 and 1777.
double ReaderHarris1992(const TagRecord& r);
// Reader-Harris/Gallagher 1998, ISO 5167-2:2003, standard 1703.
double ReaderHarrisGallagher(const TagRecord& r);

}  // namespace quorven
