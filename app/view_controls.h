#pragma once
// Shared pieces of the main form's areas: named controls, the unit list and
// selection of each row, and the display text of a row's value.

#include <QString>
#include <QStringList>
#include <optional>

#include "form/form_rows.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace quorven {

struct FormRowControls;

namespace form_view {

// The quantities of the base-condition rows "Pb", "Tb", "dP Ref @" and "Patm".
inline constexpr Quantity kBaseQuantities[] = {Quantity::BasePressure, Quantity::BaseTemperature,
                                               Quantity::DpRefTemperature, Quantity::AtmPressure};

QLineEdit* HeaderEdit(int id, int max_length, QWidget* parent);
QLabel* Static(int id, const QString& text, QWidget* parent);
// The unit list a row's box selects from; none for ratios.
std::optional<Quantity> QuantityOf(RowKind k);
// The record's selection in the list of q; -1 where the form has no box for q.
int32_t SelectionOf(const TagRecord& r, Quantity q);
// The names of the list of q, in list order.
QStringList UnitNames(const TagRecord& r, const UnitTables& t, Quantity q);
// Display text of a row's value, in the row's format.
QString RowText(const TagRecord& r, RowKind k);
// Shows or hides a row's controls and rewrites them from the record.
void ShowRow(FormRowControls& c, const FormRow& row, const TagRecord& r, const UnitTables& t);

}  // namespace form_view
}  // namespace quorven
