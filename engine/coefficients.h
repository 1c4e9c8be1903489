#pragma once
// Discharge coefficient and expansion factor of the record's meter, evaluated at
// the record's Beta, Rd, Dp_Norm, Flow_Press and Property_KFp. The solvers call
// these inside their iterations. They write nothing into the record except the
// API 2530 (1985) terms Qrad_K0, K and E_Ftp, and the throat-tap nozzle's C.

#include "engine/correlations/expansion.h"
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

// ExpansionFactor in two steps, for a bore solution, whose differential, pressure and
// exponent stay put while beta moves: PrepareExpansionFactor takes everything but beta
// from the record (and shows what ExpansionFactor shows), ExpansionFactorAt evaluates Y
// at the record's Beta (with its Fa_Meter and Fa_Pipe). Together they are
// ExpansionFactor to the bit.
struct PreparedExpansion {
    double fixed = 0.0;  // Y whatever beta (1 for a liquid, 0 for no Y); negative: Y follows beta
    int form = 0;
    bool downstream = false;
    double k = 0.0, p1 = 0.0, p2 = 0.0, tau = 0.0, x1 = 0.0;
    IsentropicPressureTerms isentropic;
};
PreparedExpansion PrepareExpansionFactor(const TagRecord& r, MessageSink& sink, bool interactive);
double ExpansionFactorAt(const PreparedExpansion& e, const TagRecord& r);

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
