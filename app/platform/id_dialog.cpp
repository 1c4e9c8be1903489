#include "app/platform/id_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/platform/qt_text.h"
#include "record/cformat.h"

namespace quorven {
namespace {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Characters that may appear while a decimal number is typed: digits, sign,
// one '.', an exponent. Anything else is refused at the key press.
bool IsNumberPrefix(const QString& s) {
    int i = 0;
    const int n = static_cast<int>(s.size());
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
    bool digits = false;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        if (!digits) return false;
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) ++i;
    }
    return i == n;
}

}  // namespace

DecimalRangeValidator::DecimalRangeValidator(double min, double max, QObject* parent)
    : QValidator(parent), min_(min), max_(max) {}

QValidator::State DecimalRangeValidator::validate(QString& input, int& /*pos*/) const {
    const QString trimmed = input.trimmed();
    if (!IsNumberPrefix(trimmed)) return Invalid;
    double value = 0.0;
    if (!ParseFiniteDouble(ToUtf8(trimmed), value)) return Intermediate;
    return (value >= min_ && value <= max_) ? Acceptable : Intermediate;
}

std::optional<double> NumberInEdit(const QLineEdit& edit) {
    double value = 0.0;
    if (!ParseFiniteDouble(ToUtf8(edit.text().trimmed()), value)) return std::nullopt;
    if (const auto* v = qobject_cast<const DecimalRangeValidator*>(edit.validator())) {
        if (!(value >= v->Min() && value <= v->Max())) return std::nullopt;
    }
    return value;
}

CIdDialog::CIdDialog(const QString& caption, QWidget* parent)
    : QDialog(parent), layout_(new QVBoxLayout(this)), form_(new QFormLayout) {
    setWindowTitle(caption);
    setModal(true);
    layout_->addLayout(form_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(kIdOk));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(ControlName(kIdCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &CIdDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CIdDialog::reject);
    layout_->addStretch(1);
    layout_->addWidget(buttons);
}

QLabel* CIdDialog::AddStatic(int id, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(ControlName(id));
    form_->addRow(label);
    return label;
}

QLabel* CIdDialog::AddUnitBeside(int id, QWidget* field, const QString& text) {
    auto* unit = new QLabel(text, this);
    unit->setObjectName(ControlName(id));
    int row = -1;
    QFormLayout::ItemRole role = QFormLayout::FieldRole;
    form_->getWidgetPosition(field, &row, &role);
    if (row < 0 || role != QFormLayout::FieldRole) {
        form_->addRow(unit);
        return unit;
    }
    form_->removeWidget(field);
    auto* pair = new QHBoxLayout;
    pair->addWidget(field, 1);
    pair->addWidget(unit);
    form_->setLayout(row, QFormLayout::FieldRole, pair);
    return unit;
}

QLabel* CIdDialog::AddStaticRow(int id, const QString& label, const QString& text) {
    auto* value = new QLabel(text, this);
    value->setObjectName(ControlName(id));
    form_->addRow(label, value);
    return value;
}

QLineEdit* CIdDialog::AddEdit(int id, const QString& label, int max_length) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(ControlName(id));
    edit->setMaxLength(max_length);
    form_->addRow(label, edit);
    return edit;
}

QLineEdit* CIdDialog::AddNumericEdit(int id, const QString& label, double min, double max) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(ControlName(id));
    edit->setValidator(new DecimalRangeValidator(min, max, edit));
    edit->setToolTip(ToQString(CFormat("%g to %g", {min, max})));
    form_->addRow(label, edit);
    return edit;
}

QCheckBox* CIdDialog::AddCheck(int id, const QString& text) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(ControlName(id));
    form_->addRow(box);
    return box;
}

std::vector<QRadioButton*> CIdDialog::AddRadioGroup(const QString& title,
                                                    const std::vector<std::pair<int, QString>>& buttons) {
    auto* box = new QGroupBox(title, this);
    auto* box_layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    std::vector<QRadioButton*> out;
    for (const auto& [id, text] : buttons) {
        auto* radio = new QRadioButton(text, box);
        radio->setObjectName(ControlName(id));
        group->addButton(radio, id);
        box_layout->addWidget(radio);
        out.push_back(radio);
    }
    if (!out.empty()) out.front()->setChecked(true);
    form_->addRow(box);
    return out;
}

QComboBox* CIdDialog::AddCombo(int id, const QString& label, const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(ControlName(id));
    {
        const QSignalBlocker block(combo);
        combo->addItems(items);
    }
    form_->addRow(label, combo);
    return combo;
}

QListWidget* CIdDialog::AddList(int id, const QString& label, const QStringList& items) {
    auto* list = new QListWidget(this);
    list->setObjectName(ControlName(id));
    {
        const QSignalBlocker block(list);
        list->addItems(items);
    }
    form_->addRow(label, list);
    return list;
}

int CIdDialog::CheckedRadio(const std::vector<int>& ids) const {
    for (int id : ids) {
        if (const auto* radio = Control<QRadioButton>(id); radio != nullptr && radio->isChecked()) return id;
    }
    return 0;
}

void CIdDialog::accept() {
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        const auto* range = qobject_cast<const DecimalRangeValidator*>(edit->validator());
        if (range == nullptr || !edit->isEnabled() || NumberInEdit(*edit).has_value()) continue;
        QMessageBox box(
            QMessageBox::Warning, windowTitle(),
            ToQString(CFormat("Please enter a number from %g to %g.", {range->Min(), range->Max()})),
            QMessageBox::Ok, this);
        box.button(QMessageBox::Ok)->setObjectName(ControlName(kIdOk));
        box.exec();
        edit->setFocus();
        edit->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace quorven
