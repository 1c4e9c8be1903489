#include "app/dialogs/factor_dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <functional>
#include <limits>
#include <optional>

#include "app/commands/command_ids.h"
#include "app/platform/id_dialog.h"
#include "app/platform/qt_text.h"
#include "engine/factors.h"
#include "form/factor_inputs.h"
#include "record/cformat.h"

namespace quorven {
namespace {

// The record keeps no text for its temperature unit: the name comes from the list.
QString TemperatureUnitText(const TagRecord& r) {
    return RecordTextToQString(UnitName(DefaultUnitTables(), UnitList::Temperature, r.Unit_Temp_Set));
}

// A factor dialog refuses OK while its values give no usable record (the Apply
// function said no), so the user keeps what was typed and can correct it.
class CFactorDialog final : public CIdDialog {
public:
    using CIdDialog::CIdDialog;
    std::function<bool()> apply;

    void accept() override {
        if (apply && !apply()) {
            QMessageBox::warning(this, windowTitle(),
                                 QStringLiteral("These values give no usable correction factor. "
                                                "Please check them."));
            return;
        }
        CIdDialog::accept();
    }
};

QString Number(double v) {
    return ToQString(CFormat("%.10g", {v}));
}

double Value(const CIdDialog& d, int id) {
    auto* edit = d.Control<QLineEdit>(id);
    const std::optional<double> v = edit != nullptr ? NumberInEdit(*edit) : std::nullopt;
    return v.value_or(std::numeric_limits<double>::quiet_NaN());
}

// Blank means "not given"; anything else that is not a number is NaN (refused).
std::optional<double> OptionalValue(const CIdDialog& d, int id) {
    auto* edit = d.Control<QLineEdit>(id);
    if (edit == nullptr || edit->text().trimmed().isEmpty()) return std::nullopt;
    return Value(d, id);
}

template <std::size_t N>
QString UnitText(const char (&field)[N]) {
    return RecordTextToQString(GetText(field));
}

// Yes/No pair: the edits follow the choice.
void AddYesNo(CFactorDialog& d, int yes, int no, bool include, std::vector<int> edits) {
    auto radios = d.AddRadioGroup(QStringLiteral("Include this factor"),
                                  {{yes, QStringLiteral("&Yes")}, {no, QStringLiteral("&No")}});
    radios[include ? 0 : 1]->setChecked(true);
    QObject::connect(radios[0], &QRadioButton::toggled, &d, [&d, edits](bool on) {
        for (int id : edits) {
            if (auto* w = d.Control<QWidget>(id)) w->setEnabled(on);
        }
    });
}

void EnableEdits(CFactorDialog& d, bool on, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (auto* w = d.Control<QWidget>(id)) w->setEnabled(on);
    }
}

bool Finish(CFactorDialog& d, TagRecord& r, const TagRecord& pending) {
    if (d.exec() != QDialog::Accepted) return false;
    r = pending;
    return true;
}

}  // namespace

bool ExecManometerDialog(QWidget* parent, TagRecord& r, const UnitTables& t) {
    CFactorDialog d(QStringLiteral("Manometer Correction Factor"), parent);
    const ManometerInputs in = ManometerInputsOf(r);
    AddYesNo(d, kIdManoYes, kIdManoNo, in.include,
             {kIdManoSealTemp, kIdManoSealDensity, kIdManoGravity, kIdManoGravityUnit});
    d.AddNumericEdit(kIdManoSealTemp,
                     QStringLiteral("Seal fluid temperature (%1):").arg(TemperatureUnitText(r)), -1e4, 1e4)
        ->setText(Number(in.seal_temp));
    d.AddNumericEdit(kIdManoSealDensity,
                     QStringLiteral("Seal fluid density (%1):").arg(UnitText(r.Unit_Dens_Text)), 0, 1e6)
        ->setText(Number(in.seal_density));
    d.AddNumericEdit(kIdManoGravity, QStringLiteral("Local gravity:"), 0, 1e6)->setText(Number(in.gravity));
    QStringList units;
    for (int32_t i = 0; IsUnitIndex(UnitList::Acceleration, i); ++i) {
        units << RecordTextToQString(UnitName(t, UnitList::Acceleration, i));
    }
    auto* unit_box = d.AddCombo(kIdManoGravityUnit, QStringLiteral("Gravity unit:"), units);
    if (in.gravity_unit >= 0 && in.gravity_unit < units.size()) unit_box->setCurrentIndex(in.gravity_unit);
    EnableEdits(d, in.include, {kIdManoSealTemp, kIdManoSealDensity, kIdManoGravity, kIdManoGravityUnit});
    TagRecord pending = r;
    d.apply = [&] {
        ManometerInputs out;
        out.include = d.CheckedRadio({kIdManoYes, kIdManoNo}) == kIdManoYes;
        out.seal_temp = Value(d, kIdManoSealTemp);
        out.seal_density = Value(d, kIdManoSealDensity);
        out.gravity = Value(d, kIdManoGravity);
        out.gravity_unit = static_cast<int32_t>(unit_box->currentIndex());
        pending = r;
        return ApplyManometerInputs(pending, t, out);
    };
    return Finish(d, r, pending);
}

bool ExecDrainVentDialog(QWidget* parent, TagRecord& r) {
    CFactorDialog d(QStringLiteral("Drain/Vent Hole Selection"), parent);
    const DrainInputs in = DrainInputsOf(r);
    auto radios = d.AddRadioGroup(QStringLiteral("Drain/vent hole"),
                                  {{kDrainFromList, QStringLiteral("&Select hole diameter from list")},
                                   {kDrainNone, QStringLiteral("&No drain/vent hole factor")},
                                   {kDrainManual, QStringLiteral("&Manually input hole diameter")}});
    for (auto* radio : radios) {
        if (radio->objectName() == ControlName(in.mode)) radio->setChecked(true);
    }
    QStringList holes;
    for (const DrainHole& h : DrainHoleList()) holes << RecordTextToQString(h.text);
    auto* list = d.AddList(kIdDrainList, QStringLiteral("Hole diameter:"), holes);
    list->setCurrentRow(in.position);
    list->setMinimumWidth(list->sizeHintForColumn(0) + 40);
    d.AddNumericEdit(kIdDrainManualDia, QStringLiteral("Hole diameter (%1):").arg(UnitText(r.Unit_Bore_Text)),
                     0, kMaxManualDrainDia)
        ->setText(Number(in.manual_dia));
    auto follow = [&d, list] {
        const int mode = d.CheckedRadio({kDrainFromList, kDrainNone, kDrainManual});
        list->setEnabled(mode == kDrainFromList);
        EnableEdits(d, mode == kDrainManual, {kIdDrainManualDia});
    };
    for (auto* radio : radios) QObject::connect(radio, &QRadioButton::toggled, &d, follow);
    follow();
    TagRecord pending = r;
    d.apply = [&] {
        DrainInputs out;
        out.mode = d.CheckedRadio({kDrainFromList, kDrainNone, kDrainManual});
        out.position = list->currentRow() < 0 ? 0 : list->currentRow();
        out.manual_dia = Value(d, kIdDrainManualDia);
        pending = r;
        return ApplyDrainInputs(pending, out);
    };
    return Finish(d, r, pending);
}

bool ExecWaterVapourDialog(QWidget* parent, TagRecord& r) {
    CFactorDialog d(QStringLiteral("Water Vapor Correction Factor"), parent);
    const WaterVapourInputs in = WaterVapourInputsOf(r);
    AddYesNo(d, kIdVapourYes, kIdVapourNo, in.include, {});
    auto radios =
        d.AddRadioGroup(QStringLiteral("Water vapor pressure"),
                        {{kVapourAtFlowTemp, QStringLiteral("Calc Water Vapor Pressure@ &Flowing Temp")},
                         {kVapourAtUserTemp, QStringLiteral("Calc Water Vapor Pressure @ &User Temp")},
                         {kVapourAtHumidity, QStringLiteral("Calc Water Vapor Pressure @ %&Rel Humidity")}});
    for (auto* radio : radios) {
        if (radio->objectName() == ControlName(in.mode)) radio->setChecked(true);
    }
    auto* value = d.AddNumericEdit(
        kIdVapourValue,
        QStringLiteral("Temperature (%1) or relative humidity (%):").arg(TemperatureUnitText(r)), -1e4, 1e4);
    value->setText(Number(in.value));
    auto follow = [&d] {
        EnableEdits(
            d, d.CheckedRadio({kVapourAtFlowTemp, kVapourAtUserTemp, kVapourAtHumidity}) != kVapourAtFlowTemp,
            {kIdVapourValue});
    };
    for (auto* radio : radios) QObject::connect(radio, &QRadioButton::toggled, &d, follow);
    follow();
    TagRecord pending = r;
    d.apply = [&] {
        WaterVapourInputs out;
        out.include = d.CheckedRadio({kIdVapourYes, kIdVapourNo}) == kIdVapourYes;
        out.mode = d.CheckedRadio({kVapourAtFlowTemp, kVapourAtUserTemp, kVapourAtHumidity});
        out.value = out.mode == kVapourAtFlowTemp ? 100.0 : Value(d, kIdVapourValue);
        pending = r;
        return ApplyWaterVapourInputs(pending, out);
    };
    return Finish(d, r, pending);
}

namespace {

bool ExecQualityDialog(QWidget* parent, TagRecord& r, bool saturated_liquid) {
    const int yes = saturated_liquid ? kIdSatLiqYes : kIdVapQualYes;
    const int no = saturated_liquid ? kIdSatLiqNo : kIdVapQualNo;
    const int quality = saturated_liquid ? kIdSatLiqQuality : kIdVapQualQuality;
    const int density = saturated_liquid ? kIdSatLiqDensity : kIdVapQualDensity;
    CFactorDialog d(
        saturated_liquid ? QStringLiteral("Saturated Liquid Factor") : QStringLiteral("Vapor Quality"),
        parent);
    const QualityInputs in = QualityInputsOf(r, saturated_liquid);
    AddYesNo(d, yes, no, in.include, {quality, density});
    const QString dens_unit = UnitText(r.Unit_Dens_Text);
    // The saturated liquid factor takes blank values (a bubble-point liquid), so its
    // edits are plain and checked by the Apply function.
    QLineEdit* q = saturated_liquid
                       ? d.AddEdit(quality, QStringLiteral("Vapor quality (% by mass):"), 24)
                       : d.AddNumericEdit(quality, QStringLiteral("Vapor quality (% by mass):"), 0, 100);
    QLineEdit* rho =
        saturated_liquid
            ? d.AddEdit(density, QStringLiteral("Vapor density (%1):").arg(dens_unit), 24)
            : d.AddNumericEdit(density, QStringLiteral("Liquid density (%1):").arg(dens_unit), 0, 1e6);
    q->setText(in.quality ? Number(*in.quality) : QString());
    rho->setText(in.density ? Number(*in.density) : QString());
    if (saturated_liquid) {
        d.AddStatic(0, QStringLiteral("Leave both blank for a bubble-point or saturated liquid."));
    }
    EnableEdits(d, in.include, {quality, density});
    TagRecord pending = r;
    d.apply = [&] {
        QualityInputs out;
        out.include = d.CheckedRadio({yes, no}) == yes;
        out.quality = OptionalValue(d, quality);
        out.density = OptionalValue(d, density);
        pending = r;
        return ApplyQualityInputs(pending, saturated_liquid, out);
    };
    return Finish(d, r, pending);
}

}  // namespace

bool ExecSaturatedLiquidDialog(QWidget* parent, TagRecord& r) {
    return ExecQualityDialog(parent, r, true);
}
bool ExecVapourQualityDialog(QWidget* parent, TagRecord& r) {
    return ExecQualityDialog(parent, r, false);
}

bool RunFactorCommand(int command_id, QWidget* parent, TagRecord& r, const UnitTables& t) {
    switch (command_id) {
        case cmd::kFactorManometer:
            return ExecManometerDialog(parent, r, t);
        case cmd::kFactorDrainVent:
            return ExecDrainVentDialog(parent, r);
        case cmd::kFactorWaterVapor:
            return ExecWaterVapourDialog(parent, r);
        case cmd::kFactorSatLiquid:
            return ExecSaturatedLiquidDialog(parent, r);
        case cmd::kFactorVaporQuality:
            return ExecVapourQualityDialog(parent, r);
        default:
            return false;
    }
}

}  // namespace quorven
