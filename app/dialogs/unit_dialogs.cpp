#include "app/dialogs/unit_dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string>

#include "app/platform/id_dialog.h"
#include "app/platform/qt_text.h"
#include "record/cformat.h"

namespace quorven {
namespace {

QStringList Texts(std::span<const std::string_view> texts) {
    QStringList out;
    for (std::string_view t : texts) out << RecordTextToQString(t);
    return out;
}

bool IsMass(FlowKind k) {
    return k == FlowKind::GasMass || k == FlowKind::LiquidMass;
}

}  // namespace

std::optional<CustomFlowUnit> ExecCustomUnitDialog(QWidget* parent, FlowKind k) {
    CIdDialog d(RecordTextToQString(CustomUnitCaption(k)), parent);
    const bool gas_volume = k == FlowKind::GasBase || k == FlowKind::GasFlowing;
    auto* quantity =
        d.AddCombo(kIdCustomQuantity, IsMass(k) ? QStringLiteral("Unit Mass") : QStringLiteral("Unit Volume"),
                   Texts(CustomQuantityTexts(k)));
    auto* time = d.AddCombo(kIdCustomTime, QStringLiteral("Unit Time:"), Texts(CustomTimeTexts()));
    auto* prefix = d.AddCombo(kIdCustomPrefix,
                              IsMass(k)    ? QStringLiteral("Mass Units Prefix")
                              : gas_volume ? QStringLiteral("Volumetric Units Prefix")
                                           : QStringLiteral("Volume Units Prefix"),
                              Texts(CustomPrefixTexts()));
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return BuildCustomFlowUnit(k, quantity->currentIndex(), time->currentIndex(), prefix->currentIndex());
}

bool ExecUnitsArraySetup(QWidget* parent, FlowKind k, UnitTables& t, TagRecord& r) {
    const UnitList list = FlowListOf(k);
    const int rows = ShapeOf(list).entries;
    CIdDialog d(QStringLiteral("Units Array Setup"), parent);
    auto* grid_host = new QWidget(&d);
    auto* grid = new QGridLayout(grid_host);
    grid->setContentsMargins(0, 0, 0, 0);
    // The rows go between the dialog's form and its buttons.
    if (auto* top = qobject_cast<QVBoxLayout*>(d.layout())) top->insertWidget(1, grid_host);
    const QString header = RecordTextToQString(UnitsSetupHeader(k));
    // Working copy: names and factors of the rows until OK.
    UnitTables work = t;
    for (int i = 0; i < rows; ++i) {
        auto* label = new QLabel(header, grid_host);
        auto* factor = new QLineEdit(grid_host);
        factor->setObjectName(ControlName(kIdUnitFactorFirst + i));
        factor->setReadOnly(true);
        factor->setText(ToQString(CFormat("%.7g", {UnitFactor(work, list, i)})));
        auto* name = new QLineEdit(grid_host);
        name->setObjectName(ControlName(kIdUnitNameFirst + i));
        name->setMaxLength(ShapeOf(list).name_width - 1);
        name->setText(RecordTextToQString(UnitName(work, list, i)));
        auto* set = new QPushButton(QStringLiteral("Set Unit %1").arg(i + 1), grid_host);
        set->setObjectName(ControlName(kIdUnitSetFirst + i));
        set->setAutoDefault(false);
        grid->addWidget(label, i, 0);
        grid->addWidget(factor, i, 1);
        grid->addWidget(name, i, 2);
        grid->addWidget(set, i, 3);
        QObject::connect(set, &QPushButton::clicked, &d, [&d, &work, list, k, i, factor, name] {
            const std::optional<CustomFlowUnit> unit = ExecCustomUnitDialog(&d, k);
            if (!unit || !SetUnitEntry(work, list, i, unit->name, unit->factor)) return;
            factor->setText(ToQString(CFormat("%.7g", {UnitFactor(work, list, i)})));
            name->setText(RecordTextToQString(UnitName(work, list, i)));
        });
    }
    if (d.exec() != QDialog::Accepted) return false;
    // The names as edited; an empty name keeps the entry's stored name.
    for (int i = 0; i < rows; ++i) {
        auto* name = d.findChild<QLineEdit*>(ControlName(kIdUnitNameFirst + i));
        const std::string text = QStringToRecordText(name->text().trimmed());
        if (!text.empty()) SetUnitEntry(work, list, i, text, UnitFactor(work, list, i));
    }
    t = work;
    RefreshFlowFactorAfterListEdit(r, t, k);
    return true;
}

}  // namespace quorven
