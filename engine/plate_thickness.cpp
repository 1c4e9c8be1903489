#include "engine/plate_thickness.h"

namespace quorven {

double MinPlateThickness(const TagRecord&) { return 0.0; }

double StandardThickness(double) { return 0.0; }

bool PlateThicknessText(TagRecord& r, MessageSink&) {
    SetText(r.Elem_Thick, "");
    return false;
}

}  // namespace quorven
