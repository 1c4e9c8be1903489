// The "Meter/Pipe Data" area of the main form: meter texts, nominal size, schedule and
// inside diameter.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QVariant>
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
#include "form/meter_pipe_area.h"
#include "form/result_rows.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/meter_texts.h"
#include "record/misc_util.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

using namespace form_view;

QGroupBox* CQuorven64View::BuildMeterPipeArea() {
    auto* box = new QGroupBox(QStringLiteral("Meter/Pipe Data"), this);
    auto* grid = new QGridLayout(box);
    // The meter family first, in bold (what is being sized), then the meter type,
    // style, tap style, element material and sizing parameter.
    meter_family_ = Static(0, {}, box);
    meter_family_->setObjectName(QStringLiteral("meterFamily"));
    QFont bold = meter_family_->font();
    bold.setBold(true);
    meter_family_->setFont(bold);
    grid->addWidget(meter_family_, 0, 0, 1, 3);
    static constexpr int kIds[] = {1033, 1034, 1036, 1035, 1039};
    for (std::size_t i = 0; i < meter_texts_.size(); ++i) {
        meter_texts_[i] = Static(kIds[i], {}, box);
        grid->addWidget(meter_texts_[i], static_cast<int>(i) + 1, 0, 1, 3);
    }
    standard_caption_ = Static(1044, QStringLiteral("Standard:"), box);
    standard_ = Static(1041, {}, box);
    standard_->setWordWrap(true);
    grid->addWidget(standard_caption_, 6, 0);
    grid->addWidget(standard_, 6, 1, 1, 2);
    grid->addWidget(Static(1735, QStringLiteral("Pipe Material:"), box), 7, 0);
    pipe_material_ = Static(0, {}, box);
    pipe_material_->setObjectName(QStringLiteral("pipeMaterial"));
    grid->addWidget(pipe_material_, 7, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Nominal Pipe Size"), box), 8, 0);
    // A drop-down of the standard sizes that also takes a typed size. Its edit
    // carries the control's name too, so that it is found as the size edit.
    pipe_nominal_box_ = new QComboBox(box);
    pipe_nominal_box_->setObjectName(ControlName(1037));
    pipe_nominal_box_->setEditable(true);
    pipe_nominal_box_->setInsertPolicy(QComboBox::NoInsert);  // a typed size is no new entry
    // No completion: it would turn a typed "35" (mm) into the listed "350.00".
    pipe_nominal_box_->setCompleter(nullptr);
    pipe_nominal_box_->setMaxVisibleItems(12);
    pipe_nominal_ = pipe_nominal_box_->lineEdit();
    pipe_nominal_->setObjectName(ControlName(1037));
    pipe_nominal_->setAlignment(Qt::AlignRight);
    pipe_nominal_->setMaxLength(24);
    new SelectAllOnClick(pipe_nominal_box_);
    {
        // As wide as the other number edits of the form.
        const QLineEdit* like = pipe_nominal_;
        const int digit = like->fontMetrics().horizontalAdvance(QLatin1Char('8'));
        pipe_nominal_box_->setMinimumWidth(12 * digit + 40);
        pipe_nominal_box_->setMaximumWidth(18 * digit + 40);
    }
    pipe_nominal_unit_ = new QComboBox(box);
    pipe_nominal_unit_->setObjectName(ControlName(1042));
    grid->addWidget(pipe_nominal_box_, 8, 1);
    grid->addWidget(pipe_nominal_unit_, 8, 2);
    // The unit boxes redraw the stored size and diameter in the unit chosen.
    connect(pipe_nominal_unit_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && SelectUnit(doc_.record, doc_.unit_tables, Quantity::PipeSize, index))
            doc_.NotifyRecordChanged();
    });
    // A size chosen from the list is stored as the listed size itself.
    connect(pipe_nominal_box_, &QComboBox::activated, this, [this](int index) {
        const QVariant size = pipe_nominal_box_->itemData(index);
        if (index < 0 || !size.isValid()) return;
        StoreNominalSize(size.toDouble());
    });
    new FocusOutCommit(
        pipe_nominal_box_,
        [this] {
            if (!Typed(pipe_nominal_)) return;
            const std::optional<double> v = ReadLeadingNumber(ToUtf8(pipe_nominal_->text()));
            const double nominal = v ? NominalSizeFromTyped(doc_.record, *v) : 0.0;
            if (nominal > 0.0 && std::isfinite(nominal))
                StoreNominalSize(nominal);
            else
                doc_.NotifyRecordChanged();  // no size: the stored one is shown again
        },
        FocusOutCommit::Keys::OnReturn);
    grid->addWidget(new QLabel(QStringLiteral("Pipe I.D."), box), 9, 0);
    pipe_id_ = NumberEdit(1038, box);
    pipe_id_unit_ = new QComboBox(box);
    pipe_id_unit_->setObjectName(ControlName(1043));
    grid->addWidget(pipe_id_, 9, 1);
    grid->addWidget(pipe_id_unit_, 9, 2);
    connect(pipe_id_unit_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && SelectUnit(doc_.record, doc_.unit_tables, Quantity::Bore, index))
            doc_.NotifyRecordChanged();
    });
    new FocusOutCommit(
        pipe_id_,
        [this] {
            if (!Typed(pipe_id_)) return;
            const std::optional<double> v = ReadLeadingNumber(ToUtf8(pipe_id_->text()));
            double inches = 0.0;
            if (v && FromUser(doc_.record, Quantity::Bore, *v, inches) && inches >= 0.0) {
                doc_.record.Pipe_IDia = inches;
                doc_.record.Calc_Status = 0;
            }
            Changed(true);
        },
        FocusOutCommit::Keys::OnReturn);
    grid->addWidget(new QLabel(QStringLiteral("Schedule"), box), 10, 0);
    pipe_sched_ = new QComboBox(box);
    pipe_sched_->setObjectName(ControlName(1040));
    grid->addWidget(pipe_sched_, 10, 1);
    connect(pipe_sched_, &QComboBox::activated, this, &CQuorven64View::ChooseSchedule);
    grid->setColumnStretch(1, 1);
    return box;
}

// A nominal size, chosen or typed [in]: the standard inside diameter of the size
// and schedule is taken, or the user is asked for one.
void CQuorven64View::StoreNominalSize(double inches) {
    doc_.record.Pipe_NomDia = inches;
    const bool found = TakeStandardPipeDiameter(doc_.record);
    Changed(true);
    if (!found) AskForInsideDiameter();
}

void CQuorven64View::AskForInsideDiameter() {
    Message m;
    m.kind = MessageKind::Warning;
    m.caption = "WARNING";
    m.text = "No standard pipe I.D. exists for given pipe size and schedule. Please specify pipe I.D.";
    m.icon = MessageIcon::Exclamation;
    Sink().Show(m);
    pipe_id_->setFocus();
    pipe_id_->selectAll();
}

void CQuorven64View::ChooseSchedule(int position) {
    TagRecord& r = doc_.record;
    const CMiscUtil misc;
    if (position < 0 || position >= static_cast<int>(misc.Schedules(r.Matl_Pipe).size())) return;
    r.Pipe_Sched = position;
    SetText(r.Pipe_Sched_Text, misc.ScheduleText(r.Matl_Pipe, position));
    const bool found = TakeStandardPipeDiameter(r);
    Changed(true);
    if (!found) AskForInsideDiameter();
}

void CQuorven64View::RefreshMeterPipe() {
    const TagRecord& r = doc_.record;
    const MeterPipeTexts texts = DescribeMeterPipe(r);
    meter_family_->setText(RecordTextToQString(texts.family));
    meter_family_->setVisible(!texts.family.empty());
    const std::string* lines[] = {&texts.type, &texts.style, &texts.tap, &texts.element_material,
                                  &texts.sizing};
    for (std::size_t i = 0; i < meter_texts_.size(); ++i) {
        meter_texts_[i]->setText(RecordTextToQString(*lines[i]));
        meter_texts_[i]->setVisible(!lines[i]->empty());  // no blank lines
    }
    standard_->setText(RecordTextToQString(texts.standard));
    standard_caption_->setVisible(!texts.standard.empty());
    standard_->setVisible(!texts.standard.empty());
    pipe_material_->setText(RecordTextToQString(texts.pipe_material));
    // The standard sizes of the schedule in the pipe size unit; a size of the list
    // is selected, any other shows as its number.
    const std::vector<PipeSizeEntry> sizes = NominalSizeChoices(r);
    QStringList size_texts;
    int size_at = -1;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        size_texts << ToQString(sizes[i].text);
        if (sizes[i].inches == r.Pipe_NomDia) size_at = static_cast<int>(i);
    }
    FillCombo(*pipe_nominal_box_, size_texts, size_at);
    {
        const QSignalBlocker block(pipe_nominal_box_);
        for (std::size_t i = 0; i < sizes.size(); ++i)
            pipe_nominal_box_->setItemData(static_cast<int>(i), sizes[i].inches);
        pipe_nominal_box_->setEditText(ToQString(NominalSizeShownText(r, r.Pipe_NomDia)));
    }
    FillCombo(*pipe_nominal_unit_, UnitNames(r, doc_.unit_tables, Quantity::PipeSize),
              UnitSelection(r, Quantity::PipeSize));
    const CMiscUtil misc;
    QStringList schedules;
    for (std::string_view text : misc.Schedules(r.Matl_Pipe)) schedules << RecordTextToQString(text);
    // The schedule is shown by its text; a stored position is the fall-back.
    int at = misc.SchedulePosition(r.Matl_Pipe, GetText(r.Pipe_Sched_Text));
    if (at < 0 && r.Pipe_Sched >= 0 && r.Pipe_Sched < schedules.size()) at = r.Pipe_Sched;
    FillCombo(*pipe_sched_, schedules, at);
    pipe_id_->setText(ToQString(FmtFixed("%.3f", ToUser(r, Quantity::Bore, r.Pipe_IDia))));
    FillCombo(*pipe_id_unit_, UnitNames(r, doc_.unit_tables, Quantity::Bore),
              UnitSelection(r, Quantity::Bore));
}

}  // namespace quorven
