// The "Calculation Results" area of the main form, its unit boxes and the Calculate
// command.

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

namespace {
constexpr int kVelocityValueId = 1675;  // the velocity row's value control
}  // namespace

QGroupBox* CQuorven64View::BuildResultArea() {
    auto* box = new QGroupBox(QStringLiteral("Calculation Results"), this);
    auto* grid = new QGridLayout(box);
    result_grid_ = grid;
    int row = 0;
    for (ResultRowControls& c : result_rows_) {
        c.label = new QLabel(box);
        c.value = new QLabel(box);
        c.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        c.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        c.unit = new QLabel(box);
        grid->addWidget(c.label, row, 0);
        grid->addWidget(c.value, row, 1);
        grid->addWidget(c.unit, row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);
    // The result-unit box stands in the unit place of the sized quantity's row, the
    // velocity unit box in that of the velocity row (placed by each refresh). The
    // unit column is as wide as the longest unit name a list holds (fifteen
    // characters), so no box is cut.
    result_unit_ = new QComboBox(box);
    result_unit_->setObjectName(ControlName(1056));
    velocity_unit_ = new QComboBox(box);
    velocity_unit_->setObjectName(ControlName(1674));
    for (QComboBox* combo : {result_unit_, velocity_unit_}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(kMaxUnitNameWidth - 1);
        combo->hide();
    }
    grid->setColumnMinimumWidth(2, result_unit_->sizeHint().width());
    // Values stay beside their labels on a wide screen: the spare width goes right.
    grid->setColumnStretch(3, 1);
    connect(result_unit_, &QComboBox::activated, this, [this](int index) {
        TagRecord& r = doc_.record;
        switch (r.Calc_SizeParam) {
            case Code(SizeParam::Flow):
                SelectFlowUnit(r, doc_.unit_tables, index);
                break;
            case Code(SizeParam::Dp):
                SelectUnit(r, doc_.unit_tables, Quantity::DiffPressure, index);
                break;
            default:
                SelectUnit(r, doc_.unit_tables, Quantity::Bore, index);
                break;
        }
        doc_.NotifyRecordChanged();
    });
    connect(velocity_unit_, &QComboBox::activated, this, [this](int index) {
        SelectUnit(doc_.record, doc_.unit_tables, Quantity::Velocity, index);
        doc_.NotifyRecordChanged();
    });
    return box;
}

void CQuorven64View::RefreshResults() {
    const ResultView view = BuildResultView(doc_.record, doc_.unit_tables);
    int result_unit_row = -1;
    int velocity_row = -1;
    for (std::size_t i = 0; i < result_rows_.size(); ++i) {
        ResultRowControls& c = result_rows_[i];
        const bool shown = i < view.lines.size();
        c.label->setVisible(shown);
        c.value->setVisible(shown);
        if (!shown) {
            c.unit->setVisible(false);
            c.value->setObjectName({});
            continue;
        }
        const ResultLine& line = view.lines[i];
        c.label->setText(ToQString(line.label));
        c.value->setObjectName(ControlName(line.value_id));
        c.value->setText(ToQString(line.value));
        c.unit->setText(RecordTextToQString(line.unit));
        bool boxed = false;
        if (view.unit_box != ResultUnitBox::None && line.value_id == view.main_value_id) {
            result_unit_row = static_cast<int>(i);
            boxed = true;
        }
        if (view.velocity_box && line.value_id == kVelocityValueId) {
            velocity_row = static_cast<int>(i);
            boxed = true;
        }
        c.unit->setVisible(!boxed);
    }
    const TagRecord& r = doc_.record;
    switch (view.unit_box) {
        case ResultUnitBox::Flow:
            FillCombo(*result_unit_, UnitNames(r, doc_.unit_tables, Quantity::Flow), r.Unit_Flow_Set);
            break;
        case ResultUnitBox::DiffPressure:
            FillCombo(*result_unit_, UnitNames(r, doc_.unit_tables, Quantity::DiffPressure),
                      r.Unit_DpPress_Set);
            break;
        case ResultUnitBox::Bore:
            FillCombo(*result_unit_, UnitNames(r, doc_.unit_tables, Quantity::Bore), r.Unit_Bore_Set);
            break;
        case ResultUnitBox::None:
            FillCombo(*result_unit_, {}, -1);
            break;
    }
    FillCombo(*velocity_unit_, UnitNames(r, doc_.unit_tables, Quantity::Velocity), r.Unit_Velocity_Set);
    // Each box moves to its row (or hides with it).
    for (auto [combo, at] :
         {std::pair{result_unit_, result_unit_row}, std::pair{velocity_unit_, velocity_row}}) {
        result_grid_->removeWidget(combo);
        if (at >= 0) result_grid_->addWidget(combo, at, 2);
        combo->setVisible(at >= 0);
    }
}

void CQuorven64View::Calculate() {
    // A pending edit is committed first: the button takes the focus when clicked,
    // but a key press of the command does not. The focus stays in this window (on
    // the form itself), so a dialog closing later cannot hand it to another window.
    if (focusWidget() != nullptr) setFocus(Qt::OtherFocusReason);
    CalculateInputs in;
    // A document without its first update has no date text: the tag keeps its own.
    in.unit_tables = &doc_.unit_tables;  // the lists of the Units Array Setup, custom units included
    in.date_text = doc_.date_text.empty() ? std::string(GetText(doc_.record.Date)) : doc_.date_text;
    const CalculateResult result = OnCalculate(doc_.record, in, Sink());
    if (result.mark_unsaved) doc_.tag_saved = false;
    doc_.NotifyRecordChanged();
    flagged_ = result.check.missing;
    ShowFlaggedRows();
}

// The rows Error #3 named stay marked until each is filled in with a possible value
// (any refresh re-checks them): yellow for an empty row, red for an impossible one,
// with a tip that says which.
void CQuorven64View::ShowFlaggedRows() {
    const std::vector<MissingRow> now = MissingInputs(doc_.record);
    std::vector<MissingRow> still;
    for (const MissingRow& m : flagged_) {
        const auto it = std::find_if(now.begin(), now.end(), [&m](const MissingRow& n) {
            return n.sizing == m.sizing && n.row == m.row && n.label == m.label;
        });
        if (it != now.end()) still.push_back(*it);
    }
    flagged_ = std::move(still);
    for (const MissingRow& m : flagged_) {
        const auto i = static_cast<std::size_t>(m.row - 1);
        QLineEdit* edit = nullptr;
        if (m.sizing && i < sizing_rows_.size()) edit = sizing_rows_[i].edit;
        if (!m.sizing && i < fluid_rows_.size()) edit = fluid_rows_[i].edit;
        if (edit == nullptr) continue;
        edit->setStyleSheet(m.invalid ? QStringLiteral("background: #ffc4c4")
                                      : QStringLiteral("background: #fff2a8"));
        edit->setToolTip(
            m.invalid ? QStringLiteral("Invalid: %1 must be greater than zero.").arg(ToQString(m.label))
                      : QStringLiteral("Missing: enter %1.").arg(ToQString(m.label)));
    }
}

}  // namespace quorven
