#include "engine/calculate.h"
#include "record/choice_codes.h"

namespace quorven {

bool CCalculate::SizeCriticalGas(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    return Fail(interactive);
}

}  // namespace quorven
