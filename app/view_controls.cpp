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

#include "app/commands/command_ids.h"
#include "app/dialogs/factor_dialogs.h"
#include "app/document.h"
#include "app/platform/form_controls.h"
#include "app/platform/qt_message_sink.h"
#include "app/platform/qt_text.h"
#include "app/view.h"
#include "form/calculate_command.h"
#include "form/form_input.h"
#include "form/result_rows.h"
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
    return edit;
}

QLabel* Static(int id, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(ControlName(id));
    return label;
}

// The unit list a row's box selects from; none for ratios.
std::optional<Quantity> QuantityOf(RowKind k) {
    switch (k) {
        case RowKind::BaseDensity:
        case RowKind::FlowDensity:
            return Quantity::Density;
        case RowKind::FlowPressure:
            return Quantity::Pressure;
        case RowKind::FlowTemperature:
            return Quantity::Temperature;
        case RowKind::Viscosity:
            return Quantity::Viscosity;
        case RowKind::VapourPressure:
            return Quantity::AtmPressure;
        case RowKind::MaxFlow:
        case RowKind::NormalFlow:
        case RowKind::SingleFlow:
            return Quantity::Flow;
        case RowKind::DpMax:
        case RowKind::DpNormal:
        case RowKind::DpSingle:
            return Quantity::DiffPressure;
        case RowKind::Bore:
            return Quantity::Bore;
        default:
            return std::nullopt;
    }
}

int32_t SelectionOf(const TagRecord& r, Quantity q) {
    switch (q) {
        case Quantity::Flow:
            return r.Unit_Flow_Set;
        case Quantity::Pressure:
            return r.Unit_Press_Set;
        case Quantity::AtmPressure:
            return r.Unit_AtmPress_Set;
        case Quantity::BasePressure:
            return r.Unit_BasePress_Set;
        case Quantity::BaseTemperature:
            return r.Unit_BaseTemp_Set;
        case Quantity::DpRefTemperature:
            return r.Unit_DpRefTemp_Set;
        case Quantity::DiffPressure:
            return r.Unit_DpPress_Set;
        case Quantity::Temperature:
            return r.Unit_Temp_Set;
        case Quantity::Density:
            return r.Unit_Dens_Set;
        case Quantity::Viscosity:
            return r.Unit_Visc_Set;
        case Quantity::Bore:
            return r.Unit_Bore_Set;
        case Quantity::Velocity:
            return r.Unit_Velocity_Set;
        default:
            return -1;
    }
}

QStringList UnitNames(const TagRecord& r, const UnitTables& t, Quantity q) {
    QStringList names;
    const std::optional<UnitList> list = ListOf(r, q);
    if (!list) return names;
    for (int32_t i = 0; IsUnitIndex(*list, i); ++i) names << RecordTextToQString(UnitName(t, *list, i));
    return names;
}

// Display text of a row's value, in the row's format.
QString RowText(const TagRecord& r, RowKind k) {
    const std::optional<double> v = RowDisplayValue(r, k);
    if (!v) return {};
    switch (k) {
        case RowKind::GasGravity:
            return ToQString(CFormat("%.5f", {*v}));
        case RowKind::MolecularWeight:
            return ToQString(CFormat("%.4f", {*v}));
        case RowKind::FlowPressure:
        case RowKind::VapourPressure:
            return ToQString(FmtPressure(*v));
        case RowKind::FlowTemperature:
            return ToQString(FmtTemperature(*v));
        case RowKind::Viscosity:
            return ToQString(FmtViscosity(*v));
        case RowKind::LiquidFp:
        case RowKind::IsentropicK:
            return ToQString(CFormat("%.4f", {*v}));
        case RowKind::MaxFlow:
        case RowKind::NormalFlow:
        case RowKind::SingleFlow:
            return ToQString(FmtFlow(*v));
        case RowKind::DpMax:
        case RowKind::DpNormal:
        case RowKind::DpSingle:
            return ToQString(FmtDiffPressure(*v));
        case RowKind::Bore:
        case RowKind::HOverD:
            return ToQString(CFormat("%.4f", {*v}));
        default:
            return ToQString(FmtDensity(*v));
    }
}

void ShowRow(FormRowControls& c, const FormRow& row, const TagRecord& r, const UnitTables& t) {
    c.kind = row.kind;
    const bool shown = row.kind != RowKind::None;
    c.label->setVisible(shown);
    c.edit->setVisible(shown);
    const std::optional<Quantity> q = QuantityOf(row.kind);
    c.unit->setVisible(shown && q.has_value());
    if (!shown) return;
    c.label->setText(ToQString(row.label));
    c.edit->setText(RowText(r, row.kind));
    c.edit->setStyleSheet({});
    if (q) FillCombo(*c.unit, UnitNames(r, t, *q), SelectionOf(r, *q));
}

}  // namespace quorven::form_view
