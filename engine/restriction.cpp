#include "engine/calculate.h"
#include "record/choice_codes.h"

namespace quorven {

bool CCalculate::RestrictionBore(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    return Fail(interactive);
}

bool CCalculate::RestrictionDp(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    return Fail(interactive);
}

bool CCalculate::RestrictionFlow(TagRecord& r, bool interactive) {
    r.Calc_Status = kStatusNotCalculated;
    return Fail(interactive);
}

}  // namespace quorven
