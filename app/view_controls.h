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

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace quorven {

// One data row of the form: label, edit and unit box.
struct FormRowControls {
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;
    QComboBox* unit = nullptr;
    RowKind kind = RowKind::None;
};

namespace form_view {

// The quantities of the base-condition rows "Pb", "Tb", "dP Ref @" and "Patm".
inline constexpr Quantity kBaseQuantities[] = {Quantity::BasePressure, Quantity::BaseTemperature,
                                               Quantity::DpRefTemperature, Quantity::AtmPressure};

QLineEdit* HeaderEdit(int id, int max_length, QWidget* parent);
QLabel* Static(int id, const QString& text, QWidget* parent);
// The names of the list of q, in list order.
QStringList UnitNames(const TagRecord& r, const UnitTables& t, Quantity q);
// Shows or hides a row's controls and rewrites them from the record.
void ShowRow(FormRowControls& c, const FormRow& row, const TagRecord& r, const UnitTables& t);

}  // namespace form_view
}  // namespace quorven
