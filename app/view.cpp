#include "app/view.h"

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
#include "app/form/form_input.h"
#include "app/form/result_rows.h"
#include "app/platform/form_controls.h"
#include "app/platform/qt_message_sink.h"
#include "app/platform/qt_text.h"
#include "engine/calculation_driver.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/misc_util.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {
namespace {

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

// The quantities of the base-condition rows "Pb", "Tb", "dP Ref @" and "Patm".
constexpr Quantity kBaseQuantities[] = {Quantity::BasePressure, Quantity::BaseTemperature,
                                        Quantity::DpRefTemperature, Quantity::AtmPressure};

// The unit list a row's box selects from; none for ratios.
std::optional<Quantity> QuantityOf(RowKind k) {
    switch (k) {
        case RowKind::BaseDensity:
        case RowKind::FlowDensity: return Quantity::Density;
        case RowKind::FlowPressure: return Quantity::Pressure;
        case RowKind::FlowTemperature: return Quantity::Temperature;
        case RowKind::Viscosity: return Quantity::Viscosity;
        case RowKind::VapourPressure: return Quantity::AtmPressure;
        case RowKind::MaxFlow:
        case RowKind::NormalFlow:
        case RowKind::SingleFlow: return Quantity::Flow;
        case RowKind::DpMax:
        case RowKind::DpNormal:
        case RowKind::DpSingle: return Quantity::DiffPressure;
        case RowKind::Bore: return Quantity::Bore;
        default: return std::nullopt;
    }
}

int32_t SelectionOf(const TagRecord& r, Quantity q) {
    switch (q) {
        case Quantity::Flow: return r.Unit_Flow_Set;
        case Quantity::Pressure: return r.Unit_Press_Set;
        case Quantity::AtmPressure: return r.Unit_AtmPress_Set;
        case Quantity::BasePressure: return r.Unit_BasePress_Set;
        case Quantity::BaseTemperature: return r.Unit_BaseTemp_Set;
        case Quantity::DpRefTemperature: return r.Unit_DpRefTemp_Set;
        case Quantity::DiffPressure: return r.Unit_DpPress_Set;
        case Quantity::Temperature: return r.Unit_Temp_Set;
        case Quantity::Density: return r.Unit_Dens_Set;
        case Quantity::Viscosity: return r.Unit_Visc_Set;
        case Quantity::Bore: return r.Unit_Bore_Set;
        case Quantity::Velocity: return r.Unit_Velocity_Set;
        default: return -1;
    }
}

QStringList UnitNames(const TagRecord& r, const UnitTables& t, Quantity q) {
    QStringList names;
    const std::optional<UnitList> list = ListOf(r, q);
    if (!list) return names;
    for (int32_t i = 0; IsUnitIndex(*list, i); ++i)
        names << RecordTextToQString(UnitName(t, *list, i));
    return names;
}

// Display text of a row's value, in the row's format.
QString RowText(const TagRecord& r, RowKind k) {
    const std::optional<double> v = RowDisplayValue(r, k);
    if (!v) return {};
    switch (k) {
        case RowKind::GasGravity: return ToQString(CFormat("%.5f", {*v}));
        case RowKind::MolecularWeight: return ToQString(CFormat("%.4f", {*v}));
        case RowKind::FlowPressure:
        case RowKind::VapourPressure: return ToQString(FmtPressure(*v));
        case RowKind::FlowTemperature: return ToQString(FmtTemperature(*v));
        case RowKind::Viscosity: return ToQString(FmtViscosity(*v));
        case RowKind::LiquidFp:
        case RowKind::IsentropicK: return ToQString(CFormat("%.4f", {*v}));
        case RowKind::MaxFlow:
        case RowKind::NormalFlow:
        case RowKind::SingleFlow: return ToQString(FmtFlow(*v));
        case RowKind::DpMax:
        case RowKind::DpNormal:
        case RowKind::DpSingle: return ToQString(FmtDiffPressure(*v));
        case RowKind::Bore:
        case RowKind::HOverD: return ToQString(CFormat("%.4f", {*v}));
        default: return ToQString(FmtDensity(*v));
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

}  // namespace

QLineEdit* CQuorven64View::NumberEdit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlName(id));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(24);
    return edit;
}

CQuorven64View::CQuorven64View(CQuorven64Doc& doc, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      tag_no_(HeaderEdit(1106, 18, this)),
      service_(HeaderEdit(1107, 50, this)),
      line_no_(HeaderEdit(1108, 25, this)),
      rev_(HeaderEdit(1105, 4, this)),
      date_(HeaderEdit(1104, 12, this)),
      memo_(HeaderEdit(1706, 100, this)),
      calculate_(new QPushButton(QStringLiteral("&Calculate"), this)) {
    setObjectName(QStringLiteral("id102"));
    date_->setReadOnly(true);
    date_->setFocusPolicy(Qt::NoFocus);
    auto* header = new QGridLayout;
    header->addWidget(new QLabel(QStringLiteral("Tag No.:"), this), 0, 0);
    header->addWidget(tag_no_, 0, 1);
    header->addWidget(new QLabel(QStringLiteral("Rev"), this), 0, 2);
    header->addWidget(rev_, 0, 3);
    header->addWidget(new QLabel(QStringLiteral("Date"), this), 0, 4);
    header->addWidget(date_, 0, 5);
    header->addWidget(new QLabel(QStringLiteral("Service Description:"), this), 1, 0);
    header->addWidget(service_, 1, 1, 1, 5);
    header->addWidget(new QLabel(QStringLiteral("Line No.:"), this), 2, 0);
    header->addWidget(line_no_, 2, 1, 1, 5);
    header->setColumnStretch(1, 3);
    header->setColumnStretch(5, 1);
    auto text_commit = [this](QLineEdit* edit, char* field, std::size_t size, bool flags) {
        new FocusOutCommit(edit, [this, edit, field, size, flags] {
            if (!Typed(edit)) return;
            const std::string text = QStringToRecordText(edit->text());
            std::size_t n = std::min(text.size(), size - 1);
            std::copy_n(text.data(), n, field);
            std::fill(field + n, field + size, '\0');
            Changed(flags);
        });
    };
    TagRecord& r = doc_.record;
    text_commit(tag_no_, r.Tag_No, sizeof r.Tag_No, true);
    text_commit(service_, r.Service, sizeof r.Service, true);
    text_commit(line_no_, r.Line_No, sizeof r.Line_No, true);
    text_commit(memo_, r.Memo, sizeof r.Memo, false);
    new FocusOutCommit(rev_, [this] {
        if (!Typed(rev_)) return;
        const std::optional<double> v = ReadLeadingNumber(ToUtf8(rev_->text()));
        if (v && *v >= 0.0 && *v < 10000.0) doc_.record.Calc_Rev = static_cast<int32_t>(*v);
        doc_.NotifyRecordChanged();
    });

    auto* left = new QVBoxLayout;
    left->addWidget(BuildFluidArea());
    left->addWidget(BuildSizingArea());
    left->addWidget(BuildFactorArea());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildMeterPipeArea());
    right->addWidget(BuildBaseArea());
    right->addWidget(BuildResultArea(), 1);
    auto* areas = new QHBoxLayout;
    areas->addLayout(left, 1);
    areas->addLayout(right, 1);

    calculate_->setObjectName(ControlName(cmd::kCalculate));
    calculate_->setDefault(false);
    connect(calculate_, &QPushButton::clicked, this, &CQuorven64View::Calculate);
    auto* memo_row = new QHBoxLayout;
    memo_row->addWidget(new QLabel(QStringLiteral("Calc Memo:"), this));
    memo_row->addWidget(memo_, 1);
    memo_row->addWidget(calculate_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(areas, 1);
    layout->addLayout(memo_row);
    // Tab goes down the header, through the fluid and sizing rows (each edit, then
    // its unit box), the factors, the pipe and base conditions, to the memo and
    // the Calculate button.
    std::vector<QWidget*> order = {tag_no_, rev_, service_, line_no_, fluid_};
    for (const FormRowControls& c : fluid_rows_) order.insert(order.end(), {c.edit, c.unit});
    for (const FormRowControls& c : sizing_rows_) order.insert(order.end(), {c.edit, c.unit});
    for (QCheckBox* c : factors_) order.push_back(c);
    order.insert(order.end(), {pipe_nominal_, pipe_id_, pipe_sched_});
    for (std::size_t i = 0; i < base_edits_.size(); ++i)
        order.insert(order.end(), {base_edits_[i], base_units_[i]});
    order.insert(order.end(), {result_unit_, velocity_unit_, memo_, calculate_});
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    connect(&doc_, &CQuorven64Doc::recordChanged, this, &CQuorven64View::RefreshAll);
    RefreshAll();
}

// The edits lose the focus while the widget tree is torn down: their commits,
// which call into this form, go first.
CQuorven64View::~CQuorven64View() {
    const QList<FocusOutCommit*> commits = findChildren<FocusOutCommit*>();
    for (FocusOutCommit* commit : commits) delete commit;
}

QGroupBox* CQuorven64View::BuildFluidArea() {
    auto* box = new QGroupBox(QStringLiteral("Fluid Data"), this);
    auto* grid = new QGridLayout(box);
    fluid_title_ = Static(1000, {}, box);
    fluid_title_->setStyleSheet(QStringLiteral("font-weight: bold"));
    grid->addWidget(fluid_title_, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Fluid"), box), 1, 0);
    fluid_ = HeaderEdit(1001, 15, box);
    grid->addWidget(fluid_, 1, 1, 1, 2);
    new FocusOutCommit(fluid_, [this] {
        if (!Typed(fluid_)) return;
        SetText(doc_.record.Fluid, QStringToRecordText(fluid_->text()));
        Changed(true);
    });
    for (int i = 0; i < kFluidRowCount; ++i) {
        FormRowControls& c = fluid_rows_[static_cast<std::size_t>(i)];
        c.label = Static(1009 + i, {}, box);
        c.edit = NumberEdit(1002 + i, box);
        c.unit = new QComboBox(box);
        c.unit->setObjectName(ControlName(1016 + i));
        grid->addWidget(c.label, i + 2, 0);
        grid->addWidget(c.edit, i + 2, 1);
        grid->addWidget(c.unit, i + 2, 2);
        new FocusOutCommit(c.edit, [this, &c] { CommitRow(c); });
        connect(c.unit, &QComboBox::activated, this, [this, &c](int index) { ChooseRowUnit(c, index); });
    }
    grid->setColumnStretch(1, 1);
    return box;
}

QGroupBox* CQuorven64View::BuildSizingArea() {
    auto* box = new QGroupBox(QStringLiteral("Sizing Data"), this);
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < kSizingRowCount; ++i) {
        FormRowControls& c = sizing_rows_[static_cast<std::size_t>(i)];
        c.label = Static(1027 + i, {}, box);
        c.edit = NumberEdit(1024 + i, box);
        c.unit = new QComboBox(box);
        c.unit->setObjectName(ControlName(1030 + i));
        grid->addWidget(c.label, i, 0);
        grid->addWidget(c.edit, i, 1);
        grid->addWidget(c.unit, i, 2);
        new FocusOutCommit(c.edit, [this, &c] { CommitRow(c); });
        connect(c.unit, &QComboBox::activated, this, [this, &c](int index) { ChooseRowUnit(c, index); });
    }
    grid->setColumnStretch(1, 1);
    return box;
}

QGroupBox* CQuorven64View::BuildFactorArea() {
    auto* box = new QGroupBox(QStringLiteral("Factors"), this);
    auto* layout = new QVBoxLayout(box);
    static constexpr struct {
        int id;
        const char* text;
    } kBoxes[] = {{1195, "Manometer Correction Factor"},
                  {1185, "Drain/Vent Correction Factor"},
                  {1205, "Water Vapor Correction Factor"},
                  {1215, "Saturated Liquid Correction Factor"},
                  {1216, "Vapor Quality Correction Factor"}};
    for (std::size_t i = 0; i < factors_.size(); ++i) {
        auto* check = new QCheckBox(QString::fromLatin1(kBoxes[i].text), box);
        check->setObjectName(ControlName(kBoxes[i].id));
        layout->addWidget(check);
        factors_[i] = check;
        // The box opens the factor's dialog, as the Factors menu does: OK stores the
        // dialog's choice, Cancel shows the record's flag again.
        connect(check, &QCheckBox::clicked, this, [this, i] {
            static constexpr int kCommands[] = {cmd::kFactorManometer, cmd::kFactorDrainVent, cmd::kFactorWaterVapor,
                                                cmd::kFactorSatLiquid, cmd::kFactorVaporQuality};
            if (RunFactorCommand(kCommands[i], this, doc_.record, doc_.unit_tables)) {
                doc_.tag_saved = false;
                doc_.NotifyRecordChanged();
            } else {
                RefreshFactors();
            }
        });
    }
    return box;
}

QGroupBox* CQuorven64View::BuildMeterPipeArea() {
    auto* box = new QGroupBox(QStringLiteral("Meter/Pipe Data"), this);
    auto* grid = new QGridLayout(box);
    static constexpr int kIds[] = {1033, 1034, 1036, 1035, 1039};
    for (std::size_t i = 0; i < meter_texts_.size(); ++i) {
        meter_texts_[i] = Static(kIds[i], {}, box);
        grid->addWidget(meter_texts_[i], static_cast<int>(i), 0, 1, 3);
    }
    grid->addWidget(new QLabel(QStringLiteral("Nominal Pipe Size"), box), 5, 0);
    pipe_nominal_ = NumberEdit(1037, box);
    pipe_nominal_unit_ = Static(1042, {}, box);
    grid->addWidget(pipe_nominal_, 5, 1);
    grid->addWidget(pipe_nominal_unit_, 5, 2);
    new FocusOutCommit(pipe_nominal_, [this] {
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
    });
    grid->addWidget(new QLabel(QStringLiteral("Pipe I.D."), box), 6, 0);
    pipe_id_ = NumberEdit(1038, box);
    pipe_id_unit_ = Static(1043, {}, box);
    grid->addWidget(pipe_id_, 6, 1);
    grid->addWidget(pipe_id_unit_, 6, 2);
    new FocusOutCommit(pipe_id_, [this] {
        if (!Typed(pipe_id_)) return;
        const std::optional<double> v = ReadLeadingNumber(ToUtf8(pipe_id_->text()));
        double inches = 0.0;
        if (v && FromUser(doc_.record, Quantity::Bore, *v, inches) && inches >= 0.0) {
            doc_.record.Pipe_IDia = inches;
            doc_.record.Calc_Status = 0;
        }
        Changed(true);
    });
    grid->addWidget(new QLabel(QStringLiteral("Schedule"), box), 7, 0);
    pipe_sched_ = new QComboBox(box);
    pipe_sched_->setObjectName(ControlName(1040));
    grid->addWidget(pipe_sched_, 7, 1);
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
        new FocusOutCommit(edit, [this, edit, field] {
            if (!Typed(edit)) return;
            const std::optional<double> v = ReadLeadingNumber(ToUtf8(edit->text()));
            const bool stored = v && StoreBaseValue(doc_.record, field, *v, Sink());
            Changed(stored);
            if (!stored && (field == BaseField::BasePressure || field == BaseField::BaseTemperature))
                edit->setFocus();
        });
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

QGroupBox* CQuorven64View::BuildResultArea() {
    auto* box = new QGroupBox(QStringLiteral("Calculation Results"), this);
    auto* grid = new QGridLayout(box);
    int row = 0;
    for (ResultRowControls& c : result_rows_) {
        c.label = new QLabel(box);
        c.value = new QLabel(box);
        c.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        c.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        c.unit = new QLabel(box);
        // Room for the longest unit name a unit list holds (fifteen characters).
        c.unit->setMinimumWidth(c.unit->fontMetrics().horizontalAdvance(QString(kMaxUnitNameWidth - 1, QLatin1Char('x'))));
        grid->addWidget(c.label, row, 0);
        grid->addWidget(c.value, row, 1);
        grid->addWidget(c.unit, row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);
    auto* units = new QHBoxLayout;
    units->addWidget(new QLabel(QStringLiteral("Result unit"), box));
    result_unit_ = new QComboBox(box);
    result_unit_->setObjectName(ControlName(1056));
    result_unit_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    result_unit_->setMinimumContentsLength(kMaxUnitNameWidth - 1);
    units->addWidget(result_unit_);
    units->addSpacing(12);
    units->addWidget(new QLabel(QStringLiteral("Velocity unit"), box));
    velocity_unit_ = new QComboBox(box);
    velocity_unit_->setObjectName(ControlName(1674));
    velocity_unit_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    velocity_unit_->setMinimumContentsLength(kMaxUnitNameWidth - 1);
    units->addWidget(velocity_unit_);
    units->addStretch(1);
    grid->addLayout(units, row + 1, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    connect(result_unit_, &QComboBox::activated, this, [this](int index) {
        TagRecord& r = doc_.record;
        switch (r.Calc_SizeParam) {
            case 1122: SelectFlowUnit(r, doc_.unit_tables, index); break;
            case 1121: SelectUnit(r, doc_.unit_tables, Quantity::DiffPressure, index); break;
            default: SelectUnit(r, doc_.unit_tables, Quantity::Bore, index); break;
        }
        doc_.NotifyRecordChanged();
    });
    connect(velocity_unit_, &QComboBox::activated, this, [this](int index) {
        SelectUnit(doc_.record, doc_.unit_tables, Quantity::Velocity, index);
        doc_.NotifyRecordChanged();
    });
    return box;
}

// An edit is read when the user changed its text since the last refresh, on a
// form that is shown: tabbing through a calculated tag leaves it calculated, and a
// window being closed commits nothing into a frame that is going away.
bool CQuorven64View::Typed(QLineEdit* edit) const {
    return edit->isModified() && isVisible();
}

void CQuorven64View::Changed(bool engineering) {
    if (engineering) {
        doc_.record.Calc_Status = 0;
        doc_.tag_saved = false;
    }
    doc_.NotifyRecordChanged();
}

void CQuorven64View::CommitRow(const FormRowControls& row) {
    if (row.kind == RowKind::None || !Typed(row.edit)) return;
    // "Pv" is typed in the atmospheric pressure unit: a value typed while its box
    // shows another unit would be converted wrongly, so it is stored only when the
    // box shows the record's selection (the refresh then redraws the stored value).
    const bool unit_agrees = row.kind != RowKind::VapourPressure ||
                             row.unit->currentIndex() == doc_.record.Unit_AtmPress_Set;
    const std::optional<double> v = ReadLeadingNumber(ToUtf8(row.edit->text()));
    const bool stored = unit_agrees && v && StoreRowValue(doc_.record, row.kind, *v, Sink());
    Changed(stored);
}

void CQuorven64View::ChooseRowUnit(const FormRowControls& row, int index) {
    const std::optional<Quantity> q = QuantityOf(row.kind);
    if (!q || index < 0) return;
    TagRecord& r = doc_.record;
    if (*q == Quantity::Flow) {
        SelectFlowUnit(r, doc_.unit_tables, index);
    } else {
        SelectUnit(r, doc_.unit_tables, *q, index);
        if (*q == Quantity::Pressure) r.Unit_PressSys_Set = index % 2;
    }
    doc_.NotifyRecordChanged();
}

void CQuorven64View::RefreshAll() {
    RefreshHeader();
    RefreshFluidData();
    RefreshSizingData();
    RefreshFactors();
    RefreshMeterPipe();
    RefreshBaseConditions();
    RefreshResults();
    setWindowTitle(doc_.title);
}

void CQuorven64View::RefreshHeader() {
    const TagRecord& r = doc_.record;
    tag_no_->setText(RecordTextToQString(GetText(r.Tag_No)));
    service_->setText(RecordTextToQString(GetText(r.Service)));
    line_no_->setText(RecordTextToQString(GetText(r.Line_No)));
    rev_->setText(QString::number(r.Calc_Rev));
    date_->setText(RecordTextToQString(GetText(r.Date)));
    memo_->setText(RecordTextToQString(GetText(r.Memo)));
}

void CQuorven64View::RefreshFluidData() {
    const TagRecord& r = doc_.record;
    fluid_title_->setText(ToQString(FluidEquationTitle(r)));
    fluid_->setText(RecordTextToQString(GetText(r.Fluid)));
    const FluidRows rows = FluidDataRows(r);
    for (std::size_t i = 0; i < rows.size(); ++i) ShowRow(fluid_rows_[i], rows[i], r, doc_.unit_tables);
}

void CQuorven64View::RefreshSizingData() {
    const TagRecord& r = doc_.record;
    const SizingRows rows = SizingDataRows(r);
    for (std::size_t i = 0; i < rows.size(); ++i) ShowRow(sizing_rows_[i], rows[i], r, doc_.unit_tables);
}

void CQuorven64View::RefreshFactors() {
    TagRecord& r = doc_.record;
    const bool gas = r.Fluid_Equation >= 1352;
    const bool meter_mode = r.Calc_Mode == 1123;
    const int32_t t = r.Meter_Type;
    const bool no_drain = t == 1129 || t == 1130 || (t >= 1690 && t <= 1697) || t == 1762;
    if (!meter_mode) {
        r.Factor_Manometer = 0;
        r.Factor_Drain_HoleSel = 0;
    }
    if (meter_mode && no_drain) r.Factor_Drain_HoleSel = 0;
    if (gas) {
        r.Factor_SatLiq = 0;
        if (r.Fluid_Equation != 1353) r.Factor_VapQual = 0;
    } else {
        r.Factor_H2OvapIncl = 0;
        r.Factor_VapQual = 0;
    }
    const bool enabled[] = {meter_mode, meter_mode && !no_drain, gas, !gas, gas && r.Fluid_Equation == 1353};
    const int32_t flags[] = {r.Factor_Manometer, r.Factor_Drain, r.Factor_H2OvapIncl, r.Factor_SatLiq,
                             r.Factor_VapQual};
    for (std::size_t i = 0; i < factors_.size(); ++i) {
        factors_[i]->setEnabled(enabled[i]);
        factors_[i]->setChecked(flags[i] == 1);
    }
}

void CQuorven64View::RefreshMeterPipe() {
    const TagRecord& r = doc_.record;
    meter_texts_[0]->setText(RecordTextToQString(GetText(r.Meter_Type_Text)));
    meter_texts_[1]->setText(RecordTextToQString(GetText(r.Meter_Style_Text)));
    meter_texts_[2]->setText(RecordTextToQString(GetText(r.Tap_Style_Text)));
    // The element material is named from its index, as the reports name it: the
    // meter dialogs store the index, and a stored text may be older than the index.
    const std::string_view material = CMiscUtil().MaterialTag(r.Matl_Elem);
    meter_texts_[3]->setText(RecordTextToQString(material.empty() ? GetText(r.Elem_Matl) : material));
    meter_texts_[4]->setText(RecordTextToQString(CMiscUtil().SizingParameterText(false, r.Calc_Mode, r.Calc_SizeParam)));
    for (QLabel* text : meter_texts_) text->setVisible(!text->text().isEmpty());  // no blank lines
    // A nominal size shows as its DN in millimetre units (NominalSizeMm), else converted.
    const double factor = FactorOf(r, Quantity::PipeSize);
    double shown = ToUser(r, Quantity::PipeSize, r.Pipe_NomDia);
    const double dn = CMiscUtil().NominalSizeMm(r.Pipe_NomDia);
    if (factor > 1.0 && dn != r.Pipe_NomDia) shown = dn * factor / 25.4;
    pipe_nominal_->setText(ToQString(CFormat("%.2f", {shown})));
    pipe_nominal_unit_->setText(RecordTextToQString(GetText(r.Unit_Pipe_Text)));
    const CMiscUtil misc;
    QStringList schedules;
    for (std::string_view text : misc.Schedules(r.Matl_Pipe)) schedules << RecordTextToQString(text);
    // The schedule is shown by its text; a stored position is the fall-back.
    int at = misc.SchedulePosition(r.Matl_Pipe, GetText(r.Pipe_Sched_Text));
    if (at < 0 && r.Pipe_Sched >= 0 && r.Pipe_Sched < schedules.size()) at = r.Pipe_Sched;
    FillCombo(*pipe_sched_, schedules, at);
    pipe_id_->setText(ToQString(CFormat("%.3f", {ToUser(r, Quantity::Bore, r.Pipe_IDia)})));
    pipe_id_unit_->setText(RecordTextToQString(GetText(r.Unit_Bore_Text)));
}

void CQuorven64View::RefreshBaseConditions() {
    const TagRecord& r = doc_.record;
    tap_loc_->setText(r.Tap_Loc == 1110 ? QStringLiteral("DOWNSTREAM") : QStringLiteral("UPSTREAM"));
    const TagRecord& c = r;
    base_edits_[0]->setText(ToQString(FmtBasePressure(ToUser(c, Quantity::BasePressure, r.Base_Press))));
    base_edits_[1]->setText(ToQString(FmtTemperature(ToUser(c, Quantity::BaseTemperature, r.Base_Temp))));
    base_edits_[2]->setText(ToQString(FmtTemperature(ToUser(c, Quantity::DpRefTemperature, r.DpRefTemp))));
    base_edits_[3]->setText(ToQString(FmtAtmPressure(ToUser(c, Quantity::AtmPressure, r.AtmPress))));
    for (std::size_t i = 0; i < base_units_.size(); ++i)
        FillCombo(*base_units_[i], UnitNames(r, doc_.unit_tables, kBaseQuantities[i]),
                  SelectionOf(r, kBaseQuantities[i]));
}

void CQuorven64View::RefreshResults() {
    const ResultView view = BuildResultView(doc_.record, doc_.unit_tables);
    for (std::size_t i = 0; i < result_rows_.size(); ++i) {
        ResultRowControls& c = result_rows_[i];
        const bool shown = i < view.lines.size();
        c.label->setVisible(shown);
        c.value->setVisible(shown);
        c.unit->setVisible(shown);
        if (!shown) {
            c.value->setObjectName({});
            continue;
        }
        const ResultLine& line = view.lines[i];
        c.label->setText(ToQString(line.label));
        c.value->setObjectName(ControlName(line.value_id));
        c.value->setText(ToQString(line.value));
        c.unit->setText(RecordTextToQString(line.unit));
    }
    const TagRecord& r = doc_.record;
    switch (view.unit_box) {
        case ResultUnitBox::Flow: FillCombo(*result_unit_, UnitNames(r, doc_.unit_tables, Quantity::Flow), r.Unit_Flow_Set); break;
        case ResultUnitBox::DiffPressure:
            FillCombo(*result_unit_, UnitNames(r, doc_.unit_tables, Quantity::DiffPressure), r.Unit_DpPress_Set);
            break;
        case ResultUnitBox::Bore: FillCombo(*result_unit_, UnitNames(r, doc_.unit_tables, Quantity::Bore), r.Unit_Bore_Set); break;
        case ResultUnitBox::None: FillCombo(*result_unit_, {}, -1); break;
    }
    velocity_unit_->setVisible(view.velocity_box);
    FillCombo(*velocity_unit_, UnitNames(r, doc_.unit_tables, Quantity::Velocity), r.Unit_Velocity_Set);
}

void CQuorven64View::Calculate() {
    // A pending edit is committed first: the button takes the focus when clicked,
    // but a key press of the command does not.
    if (QWidget* focus = focusWidget()) focus->clearFocus();
    CalculateInputs in;
    // A document without its first update has no date text: the tag keeps its own.
    in.unit_tables = &doc_.unit_tables;  // the lists of the Units Array Setup, custom units included
    in.date_text = doc_.date_text.empty() ? std::string(GetText(doc_.record.Date)) : doc_.date_text;
    const CalculateResult result = OnCalculate(doc_.record, in, Sink());
    if (result.mark_unsaved) doc_.tag_saved = false;
    doc_.NotifyRecordChanged();
    for (const MissingRow& m : result.check.missing) {
        const std::size_t i = static_cast<std::size_t>(m.row - 1);
        QLineEdit* edit = nullptr;
        if (m.sizing && i < sizing_rows_.size()) edit = sizing_rows_[i].edit;
        if (!m.sizing && i < fluid_rows_.size()) edit = fluid_rows_[i].edit;
        if (edit != nullptr) edit->setStyleSheet(QStringLiteral("background: #fff2a8"));
    }
}

CChildFrame::CChildFrame(QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::make_unique<CQuorven64Doc>()), view_(new CQuorven64View(*doc_, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    connect(doc_.get(), &CQuorven64Doc::recordChanged, this, [this] { setWindowTitle(doc_->title); });
}

// The view refers to the document: it goes first.
CChildFrame::~CChildFrame() {
    delete view_;
}

}  // namespace quorven
