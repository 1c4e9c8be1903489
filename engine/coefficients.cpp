#include "engine/coefficients.h"

namespace quorven {

// The correlations of the standard meters are not in yet: no coefficient, so a
// sizing of a standard meter fails honestly. Custom meters carry their own C.
double DischargeCoefficient(TagRecord&, MessageSink&, bool) { return 0.0; }

double ExpansionFactor(TagRecord& r, MessageSink&, bool) { (void)r;
    return 1.0; }

double WedgeCoefficient(TagRecord&, MessageSink&, bool) { return 0.0; }

}  // namespace quorven
