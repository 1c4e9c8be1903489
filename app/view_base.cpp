// The "Base Conditions" area of the main form: base pressure and temperature, dP
// reference temperature, atmospheric pressure and their unit boxes.

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
#include "app/view_controls.h"
#include "form/calculate_command.h"
#include "form/form_input.h"
#include "form/result_rows.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/misc_util.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

using namespace form_view;

QGroupBox* CQuorven64View::BuildBaseArea() {
    auto* box = new QGroupBox(QStringLiteral("Base Conditions"), this);
    auto* grid = new QGridLayout(box);
    tap_loc_ = Static(1049, {}, box);
    grid->addWidget(tap_loc_, 0, 0, 1, 3);
    static constexpr const char* kLabels[] = {"Pb", "Tb", "dP Ref @", "Patm"};
    static constexpr BaseField kFields[] = {BaseField::BasePressure, BaseField::BaseTemperature,
                                            BaseField::DpRefTemperature, BaseField::AtmPressure};
    for (std::size_t i = 0; i < base_edits_.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid->addWidget(new QLabel(QString::fromLatin1(kLabels[i]), box), row, 0);
        base_edits_[i] = NumberEdit(1045 + static_cast<int>(i), box);
        base_units_[i] = new QComboBox(box);
        base_units_[i]->setObjectName(ControlName(1050 + static_cast<int>(i)));
        grid->addWidget(base_edits_[i], row, 1);
        grid->addWidget(base_units_[i], row, 2);
        QLineEdit* edit = base_edits_[i];
        const BaseField field = kFields[i];
        new FocusOutCommit(
            edit,
            [this, edit, field] {
                if (!Typed(edit)) return;
                const std::optional<double> v = ReadLeadingNumber(ToUtf8(edit->text()));
                const bool stored = v && StoreBaseValue(doc_.record, field, *v, Sink());
                Changed(stored);
                if (!stored && (field == BaseField::BasePressure || field == BaseField::BaseTemperature))
                    edit->setFocus();
            },
            FocusOutCommit::Keys::OnReturn);
        // Choosing a unit sets the quantity's selection, factor and text; the value
        // stays as stored and is redrawn in the new unit.
        const Quantity q = kBaseQuantities[i];
        connect(base_units_[i], &QComboBox::activated, this, [this, q](int index) {
            if (index >= 0 && SelectUnit(doc_.record, doc_.unit_tables, q, index)) doc_.NotifyRecordChanged();
        });
    }
    grid->setColumnStretch(1, 1);
    return box;
}

void CQuorven64View::RefreshBaseConditions() {
    const TagRecord& r = doc_.record;
    tap_loc_->setText(r.Tap_Loc == Code(TapLoc::Downstream) ? QStringLiteral("DOWNSTREAM")
                                                            : QStringLiteral("UPSTREAM"));
    const TagRecord& c = r;
    base_edits_[0]->setText(ToQString(FmtBasePressure(ToUser(c, Quantity::BasePressure, r.Base_Press))));
    base_edits_[1]->setText(ToQString(FmtTemperature(ToUser(c, Quantity::BaseTemperature, r.Base_Temp))));
    base_edits_[2]->setText(ToQString(FmtTemperature(ToUser(c, Quantity::DpRefTemperature, r.DpRefTemp))));
    base_edits_[3]->setText(ToQString(FmtAtmPressure(ToUser(c, Quantity::AtmPressure, r.AtmPress))));
    for (std::size_t i = 0; i < base_units_.size(); ++i)
        FillCombo(*base_units_[i], UnitNames(r, doc_.unit_tables, kBaseQuantities[i]),
                  UnitSelection(r, kBaseQuantities[i]));
}

}  // namespace quorven
