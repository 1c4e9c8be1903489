#include "app/dialogs/accu_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <limits>

#include "app/platform/id_dialog.h"
#include "app/platform/qt_text.h"
#include "form/accu_inputs.h"
#include "record/cformat.h"

namespace quorven {
namespace {

constexpr double kMaxEntry = 1e6;

const char* const kPercentLabels[kAccuPercentCount] = {
    "Meter transducer accuracy (% full scale):",
    "Receiver transducer accuracy (% full scale):",
    "Flowing pressure uncertainty:",
    "Flowing temperature uncertainty:",
    "Liquid base gravity/density uncertainty:",
    "Liquid flow gravity/density uncertainty:",
    "Liquid compressibility (Fp) uncertainty:",
    "Gas/vapor specific gravity/Mw uncertainty:",
    "Gas/vapor flow compressibility/density uncertainty:",
};

class CAccuDialog final : public CIdDialog {
public:
    CAccuDialog(const TagRecord& r, QWidget* parent)
        : CIdDialog(QStringLiteral("Meter System Uncertainty Calculation Setup"), parent), record_(r) {
        Pair(QStringLiteral("Include uncertainty in calculation?"), kIdAccuInclYes, QStringLiteral("&Yes"),
             kIdAccuInclNo, QStringLiteral("&No"));
        Pair(QStringLiteral("Include 0.5% added uncertainty for reduced straight run:"), kIdAccuStraightYes,
             QStringLiteral("Yes"), kIdAccuStraightNo, QStringLiteral("No"));
        Pair(QStringLiteral("Meter/pipe bore accuracy mode?"), kIdAccuPercent, QStringLiteral("&Percent"),
             kIdAccuTolerance, QStringLiteral("&Tolerance"));
        EditRow(kIdAccuBore, kIdAccuBoreLabel, kIdAccuBoreUnit, QStringLiteral("Meter bore accuracy:"));
        EditRow(kIdAccuPipe, kIdAccuPipeLabel, kIdAccuPipeUnit, QStringLiteral("Pipe I.D. accuracy:"));
        for (int i = 0; i < kAccuPercentCount; ++i) {
            EditRow(kIdAccuFirstPercent + i, 0, 0, QString::fromLatin1(kPercentLabels[i]));
        }
        Initialise(AccuInputsOf(r));
        for (int id : {kIdAccuInclYes, kIdAccuInclNo, kIdAccuStraightYes, kIdAccuStraightNo, kIdAccuPercent,
                       kIdAccuTolerance}) {
            connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this] {
                // A click records its choice and fills the edits again from the stored values.
                Initialise(AccuInputsOf(record_, Checked(kIdAccuInclYes), Checked(kIdAccuStraightYes),
                                        Checked(kIdAccuPercent)));
            });
        }
    }

    // The values of the dialog; NaN for an edit that holds no number.
    AccuInputs Inputs() const {
        AccuInputs in;
        in.include = Checked(kIdAccuInclYes);
        in.straight_run = Checked(kIdAccuStraightYes);
        in.percent_mode = Checked(kIdAccuPercent);
        in.bore = Value(kIdAccuBore);
        in.pipe = Value(kIdAccuPipe);
        for (int i = 0; i < kAccuPercentCount; ++i) {
            in.percent[static_cast<std::size_t>(i)] = Value(kIdAccuFirstPercent + i);
        }
        return in;
    }

    void accept() override {
        // Not included: the edits are disabled and keep the stored values.
        AccuInputs in = Inputs();
        if (!in.include) {
            const AccuInputs stored = AccuInputsOf(record_, false, in.straight_run, in.percent_mode);
            in.bore = stored.bore;
            in.pipe = stored.pipe;
            in.percent = stored.percent;
        }
        TagRecord out = record_;
        if (in.include) {
            for (QLineEdit* edit : findChildren<QLineEdit*>()) {
                if (!NumberInEdit(*edit).has_value()) {
                    QMessageBox::warning(this, windowTitle(), QStringLiteral("Enter a number."));
                    edit->setFocus();
                    edit->selectAll();
                    return;
                }
            }
        }
        if (!ApplyAccuInputs(out, in)) {
            QMessageBox::warning(this, windowTitle(), QStringLiteral("Enter a number."));
            return;
        }
        result_ = out;
        QDialog::accept();
    }

    const TagRecord& Result() const { return result_; }

private:
    bool Checked(int id) const {
        auto* radio = Control<QRadioButton>(id);
        return radio != nullptr && radio->isChecked();
    }
    double Value(int id) const {
        auto* edit = Control<QLineEdit>(id);
        const std::optional<double> v = edit != nullptr ? NumberInEdit(*edit) : std::nullopt;
        return v.value_or(std::numeric_limits<double>::quiet_NaN());
    }
    void Pair(const QString& title, int yes, const QString& yes_text, int no, const QString& no_text) {
        AddRadioGroup(title, {{yes, yes_text}, {no, no_text}});
    }
    // An edit with its own label and, for the bore and pipe, a unit label; the
    // percentages are followed by a fixed "%".
    void EditRow(int id, int label_id, int unit_id, const QString& label) {
        QLineEdit* edit = AddNumericEdit(id, label, 0, kMaxEntry);
        auto* form = findChild<QFormLayout*>();
        if (form == nullptr) return;
        int row = -1;
        QFormLayout::ItemRole role{};
        form->getWidgetPosition(edit, &row, &role);
        if (row < 0) return;
        if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole); item && item->widget()) {
            if (label_id != 0) item->widget()->setObjectName(ControlName(label_id));
        }
        form->removeWidget(edit);
        auto* field = new QWidget(this);
        auto* box = new QHBoxLayout(field);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(edit);
        auto* unit = new QLabel(QStringLiteral("%"), field);
        unit->setMinimumWidth(40);
        if (unit_id != 0) unit->setObjectName(ControlName(unit_id));
        box->addWidget(unit);
        form->setWidget(row, QFormLayout::FieldRole, field);
    }
    void Initialise(const AccuInputs& in) {
        Control<QRadioButton>(in.include ? kIdAccuInclYes : kIdAccuInclNo)->setChecked(true);
        Control<QRadioButton>(in.straight_run ? kIdAccuStraightYes : kIdAccuStraightNo)->setChecked(true);
        Control<QRadioButton>(in.percent_mode ? kIdAccuPercent : kIdAccuTolerance)->setChecked(true);
        auto set = [this](int id, double v) {
            Control<QLineEdit>(id)->setText(ToQString(CFormat("%.10g", {v})));
        };
        set(kIdAccuBore, in.bore);
        set(kIdAccuPipe, in.pipe);
        for (int i = 0; i < kAccuPercentCount; ++i) {
            set(kIdAccuFirstPercent + i, in.percent[static_cast<std::size_t>(i)]);
        }
        for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->setEnabled(in.include);
        for (QLabel* label : findChildren<QLabel*>()) {
            if (label->buddy() != nullptr || label->objectName().startsWith(QStringLiteral("id13"))) {
                label->setEnabled(in.include);
            }
        }
        Control<QRadioButton>(kIdAccuPercent)->setEnabled(in.include);
        Control<QRadioButton>(kIdAccuTolerance)->setEnabled(in.include);
        Control<QLabel>(kIdAccuBoreLabel)
            ->setText(in.percent_mode ? QStringLiteral("Meter bore accuracy:")
                                      : QStringLiteral("Meter bore tolerance:"));
        Control<QLabel>(kIdAccuPipeLabel)
            ->setText(in.percent_mode ? QStringLiteral("Pipe I.D. accuracy:")
                                      : QStringLiteral("Pipe I.D. tolerance:"));
        const QString unit =
            in.percent_mode ? QStringLiteral("%") : RecordTextToQString(GetText(record_.Unit_Bore_Text));
        Control<QLabel>(kIdAccuBoreUnit)->setText(unit);
        Control<QLabel>(kIdAccuPipeUnit)->setText(unit);
    }

    TagRecord record_;
    TagRecord result_{};
};

}  // namespace

bool ExecAccuDialog(QWidget* parent, TagRecord& r) {
    CAccuDialog d(r, parent);
    if (d.exec() != QDialog::Accepted) return false;
    r = d.Result();
    return true;
}

}  // namespace quorven
