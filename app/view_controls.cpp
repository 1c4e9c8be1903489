#include "app/view_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "app/platform/form_controls.h"
#include "app/platform/qt_text.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/misc_util.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven::form_view {

QLineEdit* HeaderEdit(int id, int max_length, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlName(id));
    edit->setMaxLength(max_length);
    new SelectAllOnClick(edit);
    return edit;
}

QLabel* Static(int id, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(ControlName(id));
    return label;
}

QStringList UnitNames(const TagRecord& r, const UnitTables& t, Quantity q) {
    QStringList names;
    const std::optional<UnitList> list = ListOf(r, q);
    if (!list) return names;
    for (int32_t i = 0; IsUnitIndex(*list, i); ++i) names << RecordTextToQString(UnitName(t, *list, i));
    return names;
}

void ShowRow(FormRowControls& c, const FormRow& row, const TagRecord& r, const UnitTables& t) {
    c.kind = row.kind;
    const bool shown = row.kind != RowKind::None;
    c.label->setVisible(shown);
    c.edit->setVisible(shown);
    const std::optional<Quantity> q = RowQuantity(row.kind);
    c.unit->setVisible(shown && q.has_value());
    if (!shown) return;
    c.label->setText(ToQString(row.label));
    c.edit->setText(ToQString(RowValueText(r, row.kind)));
    c.edit->setStyleSheet({});
    c.edit->setToolTip({});
    if (q) FillCombo(*c.unit, UnitNames(r, t, *q), UnitSelection(r, *q));
}

}  // namespace quorven::form_view
