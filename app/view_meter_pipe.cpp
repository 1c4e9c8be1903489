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
    pipe_nominal_ = NumberEdit(1037, box);
    pipe_nominal_unit_ = new QComboBox(box);
    pipe_nominal_unit_->setObjectName(ControlName(1042));
    grid->addWidget(pipe_nominal_, 8, 1);
    grid->addWidget(pipe_nominal_unit_, 8, 2);
    // The unit boxes redraw the stored size and diameter in the unit chosen.
    connect(pipe_nominal_unit_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && SelectUnit(doc_.record, doc_.unit_tables, Quantity::PipeSize, index))
            doc_.NotifyRecordChanged();
    });
    new FocusOutCommit(
        pipe_nominal_,
        [this] {
            if (!Typed(pipe_nominal_)) return;
            TagRecord& r = doc_.record;
            const std::optional<double> v = ReadLeadingNumber(ToUtf8(pipe_nominal_->text()));
            const double nominal = v ? NominalSizeFromTyped(r, *v) : 0.0;
            bool found = true;
            if (nominal > 0.0 && std::isfinite(nominal)) {
                r.Pipe_NomDia = nominal;
                found = TakeStandardDiameter();
            }
            Changed(true);
            if (!found) AskForInsideDiameter();
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

// A chosen schedule or nominal size takes the standard inside diameter of the pair
// from the pipe tables (ASME B36.10M, B36.19M). "NON-STD" keeps the diameter shown.
// Where the tables have none the schedule becomes "NON-STD", the diameter stays,
// and false is returned: the user is asked for the diameter.
bool CQuorven64View::TakeStandardDiameter() {
    TagRecord& r = doc_.record;
    const CMiscUtil misc;
    const auto non_std = static_cast<int32_t>(misc.Schedules(r.Matl_Pipe).size()) - 1;
    if (misc.SchedulePosition(r.Matl_Pipe, GetText(r.Pipe_Sched_Text)) == non_std) return true;
    const double id = misc.PipeInsideDiameter(r.Matl_Pipe, r.Pipe_NomDia, GetText(r.Pipe_Sched_Text));
    if (id > 0.0 && std::isfinite(id)) {
        r.Pipe_IDia = id;
        return true;
    }
    r.Pipe_Sched = non_std;
    SetText(r.Pipe_Sched_Text, misc.ScheduleText(r.Matl_Pipe, non_std));
    return false;
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
    const bool found = TakeStandardDiameter();
    Changed(true);
    if (!found) AskForInsideDiameter();
}

void CQuorven64View::RefreshMeterPipe() {
    const TagRecord& r = doc_.record;
    // The family as the meter dialogs wrote it; from the meter type when the
    // record has none (a tag of an older version).
    std::string family(GetText(r.Meter));
    if (family.empty()) family = MeterFamilyText(r.Meter_Type, r.Meter_Diffuser, r.Meter_VenturiExit);
    meter_family_->setText(RecordTextToQString(family));
    meter_family_->setVisible(!family.empty());
    meter_texts_[0]->setText(RecordTextToQString(GetText(r.Meter_Type_Text)));
    meter_texts_[1]->setText(RecordTextToQString(GetText(r.Meter_Style_Text)));
    meter_texts_[2]->setText(RecordTextToQString(GetText(r.Tap_Style_Text)));
    // The element material is named from its index, as the reports name it: the
    // meter dialogs store the index, and a stored text may be older than the index.
    const std::string_view material = CMiscUtil().MaterialTag(r.Matl_Elem);
    meter_texts_[3]->setText(RecordTextToQString(material.empty() ? GetText(r.Elem_Matl) : material));
    meter_texts_[4]->setText(
        RecordTextToQString(CMiscUtil().SizingParameterText(false, r.Calc_Mode, r.Calc_SizeParam)));
    for (QLabel* text : meter_texts_) text->setVisible(!text->text().isEmpty());  // no blank lines
    standard_->setText(RecordTextToQString(
        CMiscUtil().StandardText(r.Calc_Std, r.Calc_Mode, r.Meter_Type, r.Meter_IFOAMfr)));
    standard_caption_->setVisible(!standard_->text().isEmpty());
    standard_->setVisible(!standard_->text().isEmpty());
    const std::string_view pipe = CMiscUtil().MaterialTag(r.Matl_Pipe);
    pipe_material_->setText(RecordTextToQString(pipe.empty() ? GetText(r.Pipe_Matl) : pipe));
    // A nominal size shows as its DN in millimetre units (NominalSizeMm), else converted.
    const double factor = FactorOf(r, Quantity::PipeSize);
    double shown = ToUser(r, Quantity::PipeSize, r.Pipe_NomDia);
    const double dn = CMiscUtil().NominalSizeMm(r.Pipe_NomDia);
    if (factor > 1.0 && dn != r.Pipe_NomDia) shown = dn * factor / 25.4;
    pipe_nominal_->setText(ToQString(FmtFixed("%.2f", shown)));
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
