#pragma once
// The flow unit lists: "Units Array Setup" edits the twelve entries of one flow
// list; each row's button opens the custom-unit dialog of the flow kind, which
// builds a name and factor from quantity, time and prefix.

#include <optional>

#include "record/custom_units.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

class QWidget;

namespace quorven {

// Custom-unit dialog controls.
inline constexpr int kIdCustomQuantity = 1400;
inline constexpr int kIdCustomTime = 1401;
inline constexpr int kIdCustomPrefix = 1402;
// "Units Array Setup": row i (0 to 11) has factor edit 1410 + i, name edit
// 1430 + i and button 1450 + i ("Set Unit 1" ...).
inline constexpr int kIdUnitFactorFirst = 1410;
inline constexpr int kIdUnitNameFirst = 1430;
inline constexpr int kIdUnitSetFirst = 1450;

// The custom-unit dialog of flow kind k: the built unit on OK, nothing on Cancel.
std::optional<CustomFlowUnit> ExecCustomUnitDialog(QWidget* parent, FlowKind k);

// "Units Array Setup" for flow kind k. OK writes the twelve names and factors
// into t and, when the record's flow kind is k, refreshes its flow factor;
// Cancel changes nothing. Returns true on OK.
bool ExecUnitsArraySetup(QWidget* parent, FlowKind k, UnitTables& t, TagRecord& r);

}  // namespace quorven
