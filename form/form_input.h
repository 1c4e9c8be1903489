#pragma once
// The main form's editing rules without widgets: how typed text reads as a number
// and how a value typed into a row is stored in the tag record. The Qt form calls
// these on focus-out; tests call them directly.

#include <optional>
#include <string_view>

#include "form/form_rows.h"
#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// The longest leading decimal number of `text` (after blanks): sign, digits, one
// point, an exponent only when digits follow it. Text that does not start with a
// number reads as 0. "inf", "nan" and hexadecimal forms are not numbers here
// ("0x10" reads as 0); the reading never depends on the process locale. A number
// too large for a double gives nullopt: the caller keeps what was stored.
std::optional<double> ReadLeadingNumber(std::string_view text);

// Stores `typed` (in the record's display unit) into the field of a fluid-data or
// sizing-data row. Reports Error #11 (bore above the pipe inside diameter) and
// Warning #20 (H/D of 1 or more) through `sink`. Returns true when the record's
// engineering input changed (the tag then needs calculating: Calc_Status = 0).
bool StoreRowValue(TagRecord& r, RowKind kind, double typed, MessageSink& sink);

// Base-condition and atmospheric pressure edits of the form.
enum class BaseField { BasePressure, BaseTemperature, DpRefTemperature, AtmPressure };

// Stores a base-condition edit. "Pb" or "Tb" at or below absolute zero report
// Error #8 or #9 and keep the old value. A valid "Pb" or "Tb" change for a gas
// volume at base conditions rescales Flow_Max and Flow_Norm to the same quantity
// of gas (RescaledBaseFlows); one whose rescaled flows would not be finite is
// refused the same way. Returns true when the record changed.
bool StoreBaseValue(TagRecord& r, BaseField field, double typed, MessageSink& sink);

// The gas volume flows at base conditions of `r` for a new base pressure and
// temperature [psia, deg R]: the same quantity of ideal gas, Q2 = Q1 x (Pb1 / Pb2) x
// (Tb2 / Tb1); other fluids keep their flows. False when a rescaled flow would not
// be finite: the edit that asks for it is refused.
bool RescaledBaseFlows(const TagRecord& r, double new_pb, double new_tb, double& flow_max, double& flow_norm);

// Nominal pipe size [in] for a size typed in the record's pipe-size unit. Inches
// snap to the nominal-size windows; millimetres and centimetres are matched to the
// DN of each listed size (DN 550, 650, 700 ... included), so every listed size is
// found in every unit. A size near no listed one is kept as converted.
double NominalSizeFromTyped(const TagRecord& r, double typed);

}  // namespace quorven
