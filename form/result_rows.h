#pragma once
// The "Calculation Results" rows of the main form without widgets: which rows a
// record shows, with label, value text and unit text. Values are the ones the
// engine stored (Rd as the sizing used it, not recomputed here).

#include <string>
#include <vector>

#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

struct ResultLine {
    int value_id = 0;  // identifier of the value control (1083 ...)
    std::string label;
    std::string value;
    std::string unit;
};

// What the result-unit box of the main result row selects from.
enum class ResultUnitBox { None, Flow, DiffPressure, Bore };

struct ResultView {
    std::vector<ResultLine> lines;  // visible rows, top to bottom
    int main_value_id = 0;          // the row that carries the result-unit box (1096)
    ResultUnitBox unit_box = ResultUnitBox::None;
    bool velocity_box = false;  // the velocity row carries the velocity unit box
};

// The rows for `r`, drawn from the values the engine stored (PctRange and the
// quadrant edge radius included); the record is never written. Unit names come
// from `t`, the document's unit lists.
ResultView BuildResultView(const TagRecord& r, const UnitTables& t = DefaultUnitTables());

}  // namespace quorven
