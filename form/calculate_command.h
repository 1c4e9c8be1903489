#pragma once
// The Calculate command without its window: refresh of the unit factors, the input
// check, the sizing dispatched by calculation mode, sizing parameter and fluid, the
// steps of each mode (velocity, plate thickness, choked differential, outlet
// noise) and the follow-on calculations (meter uncertainty, liquid flashing and
// cavitation check), the date and user name and the plate thickness text. The main
// form and quorven-cli both call OnCalculate on the document's record.

#include <string>
#include <vector>

#include "engine/calculate.h"
#include "engine/velocity.h"
#include "form/form_rows.h"
#include "messages/messages.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

struct CalculateInputs {
    // The project's unit lists, from which the record's factors are refreshed;
    // the program's default lists when null.
    const UnitTables* unit_tables = nullptr;
    std::string date_text;  // the document's date text, copied into Date (15 bytes)
    std::string user_name;  // the company data user name, copied into Name (26 bytes)
    // Engine hooks; `context.default_project` says whether the open project is the
    // default "Project".
    CalcContext context;
    // Message boxes and limit checks (the Calculate command); false for callers
    // that must not be interrupted.
    bool interactive = true;
};

// A row the input check found missing or invalid: 1-based row number and its label.
struct MissingRow {
    bool sizing = false;  // a sizing-data row (else a fluid-data row)
    int row = 0;          // 1 to 7 (fluid) or 1 to 3 (sizing)
    std::string label;
    // A value was given but cannot be: below zero (a negative Z, a temperature below
    // absolute zero, a negative absolute pressure) or not finite. Otherwise the row is
    // empty (zero).
    bool invalid = false;
};

struct InputCheckResult {
    bool ok = false;
    int error = 0;  // the error that stopped the check (4, 11, 3, 5 or 33); 0 when ok
    std::vector<MissingRow> missing;
};

// The required rows of the form that are empty or hold an impossible value, without
// any message: the rows the input check reports with Error #3.
std::vector<MissingRow> MissingInputs(const TagRecord& r);

// The input check of the Calculate command on the record as the form shows it.
// Shows Error #5 (normal flow above maximum, flow-meter mode), then decides in the
// order #4 (no pipe diameter), #11 (restriction bore above the pipe diameter),
// #3 (missing rows), #5, #33 (custom meter without a coefficient).
InputCheckResult CheckCalculateInputs(const TagRecord& r, MessageSink& sink);

struct CalculateResult {
    InputCheckResult check;
    bool fp_set_to_one = false;          // a liquid's Fp of 0 was replaced by 1.0
    int fp_row = 0;                      // the fluid-data row (1-based) that shows Fp then
    bool sizing_ran = false;             // a sizing operation was called
    bool sized = false;                  // it succeeded (critical drop dP: the mode steps ran)
    bool follow_ons = false;             // 0 < Sm < 1: meter uncertainty and flashing check ran
    bool mark_unsaved = false;           // the record changed: the document is no longer saved
    std::vector<int> flashing_warnings;  // 30 to 33, as shown
};

// The Calculate command on the record. When the input check fails nothing but the
// unit factors and a liquid's Fp is changed; the caller shows `check.missing`.
CalculateResult OnCalculate(TagRecord& r, const CalculateInputs& in, MessageSink& sink);

}  // namespace quorven
