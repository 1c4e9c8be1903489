#include "app/view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
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
#include "app/view_controls.h"
#include "form/calculate_command.h"
#include "form/form_input.h"
#include "form/result_rows.h"
#include "project/project_commands.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/misc_util.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

using namespace form_view;

QLineEdit* CQuorven64View::NumberEdit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlName(id));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(24);
    new SelectAllOnClick(edit);
    // Wide enough for the longest number a format writes (15 characters); a wider
    // screen gives the room to the areas, not to the edits.
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(18, QLatin1Char('8'))) + 12);
    // A small window scrolls rather than squeeze a value out of sight ("0000e+00").
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('8'))) + 12);
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
      calculate_(new QPushButton(QStringLiteral("Calculate"), this)) {
    setObjectName(QStringLiteral("id102"));
    // The date is shown only. A click still takes the focus (out of the edit typed
    // in before, which commits), so that keys typed next land nowhere; Tab passes it by.
    date_->setReadOnly(true);
    date_->setFocusPolicy(Qt::ClickFocus);
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
        new FocusOutCommit(
            edit,
            [this, edit, field, size, flags] {
                if (!Typed(edit)) return;
                const std::string text = QStringToRecordText(edit->text());
                std::size_t n = std::min(text.size(), size - 1);
                std::copy_n(text.data(), n, field);
                std::fill(field + n, field + size, '\0');
                Changed(flags);
            },
            FocusOutCommit::Keys::OnReturn);
    };
    TagRecord& r = doc_.record;
    text_commit(tag_no_, r.Tag_No, sizeof r.Tag_No, true);
    text_commit(service_, r.Service, sizeof r.Service, true);
    text_commit(line_no_, r.Line_No, sizeof r.Line_No, true);
    text_commit(memo_, r.Memo, sizeof r.Memo, false);
    new FocusOutCommit(
        rev_,
        [this] {
            if (!Typed(rev_)) return;
            const std::optional<double> v = ReadLeadingNumber(ToUtf8(rev_->text()));
            if (v && *v >= 0.0 && *v < 10000.0) doc_.record.Calc_Rev = static_cast<int32_t>(*v);
            doc_.NotifyRecordChanged();
        },
        FocusOutCommit::Keys::OnReturn);

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
    order.insert(order.end(), {pipe_nominal_box_, pipe_nominal_unit_, pipe_id_, pipe_id_unit_, pipe_sched_});
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
    // Bold by its font, not by a style sheet: a style sheet fixes the colours of the
    // look the label was first drawn in, and a change of look must recolour it.
    QFont bold = fluid_title_->font();
    bold.setBold(true);
    fluid_title_->setFont(bold);
    grid->addWidget(fluid_title_, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Fluid"), box), 1, 0);
    fluid_ = HeaderEdit(1001, 15, box);
    grid->addWidget(fluid_, 1, 1, 1, 2);
    new FocusOutCommit(
        fluid_,
        [this] {
            if (!Typed(fluid_)) return;
            SetText(doc_.record.Fluid, QStringToRecordText(fluid_->text()));
            Changed(true);
        },
        FocusOutCommit::Keys::OnReturn);
    for (int i = 0; i < kFluidRowCount; ++i) {
        FormRowControls& c = fluid_rows_[static_cast<std::size_t>(i)];
        c.label = Static(1009 + i, {}, box);
        c.edit = NumberEdit(1002 + i, box);
        c.unit = new QComboBox(box);
        c.unit->setObjectName(ControlName(1016 + i));
        grid->addWidget(c.label, i + 2, 0);
        grid->addWidget(c.edit, i + 2, 1);
        grid->addWidget(c.unit, i + 2, 2);
        new FocusOutCommit(
            c.edit, [this, &c] { CommitRow(c); }, FocusOutCommit::Keys::OnReturn);
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
        new FocusOutCommit(
            c.edit, [this, &c] { CommitRow(c); }, FocusOutCommit::Keys::OnReturn);
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
            static constexpr int kCommands[] = {cmd::kFactorManometer, cmd::kFactorDrainVent,
                                                cmd::kFactorWaterVapor, cmd::kFactorSatLiquid,
                                                cmd::kFactorVaporQuality};
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
    const bool unit_agrees =
        row.kind != RowKind::VapourPressure || row.unit->currentIndex() == doc_.record.Unit_AtmPress_Set;
    const std::optional<double> v = ReadLeadingNumber(ToUtf8(row.edit->text()));
    const bool stored = unit_agrees && v && StoreRowValue(doc_.record, row.kind, *v, Sink());
    Changed(stored);
}

void CQuorven64View::ChooseRowUnit(const FormRowControls& row, int index) {
    const std::optional<Quantity> q = RowQuantity(row.kind);
    if (!q || index < 0) return;
    TagRecord& r = doc_.record;
    if (*q == Quantity::Flow) {
        SelectFlowUnit(r, doc_.unit_tables, index);
    } else {
        SelectUnit(r, doc_.unit_tables, *q, index);
        // A liquid's vapour and atmospheric pressures follow the flowing-pressure family.
        if (*q == Quantity::Pressure) PairLiquidAtmPressure(r, doc_.unit_tables);
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
    ShowFlaggedRows();
}

void CQuorven64View::RefreshSizingData() {
    const TagRecord& r = doc_.record;
    const SizingRows rows = SizingDataRows(r);
    for (std::size_t i = 0; i < rows.size(); ++i) ShowRow(sizing_rows_[i], rows[i], r, doc_.unit_tables);
    ShowFlaggedRows();
}

void CQuorven64View::RefreshFactors() {
    TagRecord& r = doc_.record;
    const bool gas = !IsLiquid(r);
    const bool meter_mode = r.Calc_Mode == Code(CalcMode::Meter);
    const int32_t t = r.Meter_Type;
    const bool no_drain = t == Code(MeterType::SegmentalOrifice) || t == Code(MeterType::EccentricOrifice) ||
                          IsStandardWedge(t) || t == Code(MeterType::CustomWedge);
    if (!meter_mode) {
        r.Factor_Manometer = 0;
        r.Factor_Drain_HoleSel = 0;
    }
    if (meter_mode && no_drain) r.Factor_Drain_HoleSel = 0;
    if (gas) {
        r.Factor_SatLiq = 0;
        if (r.Fluid_Equation != Code(FluidEquation::GasMass)) r.Factor_VapQual = 0;
    } else {
        r.Factor_H2OvapIncl = 0;
        r.Factor_VapQual = 0;
    }
    const bool enabled[] = {meter_mode, meter_mode && !no_drain, gas, !gas,
                            gas && r.Fluid_Equation == Code(FluidEquation::GasMass)};
    const int32_t flags[] = {r.Factor_Manometer, r.Factor_Drain, r.Factor_H2OvapIncl, r.Factor_SatLiq,
                             r.Factor_VapQual};
    for (std::size_t i = 0; i < factors_.size(); ++i) {
        factors_[i]->setEnabled(enabled[i]);
        factors_[i]->setChecked(flags[i] == 1);
    }
}

CChildFrame::CChildFrame(QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::make_unique<CQuorven64Doc>()), view_(new CQuorven64View(*doc_, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The form scrolls inside its window, so every control stays reachable on a small
    // screen and in a cascaded or tiled window.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("formScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(view_);
    setWidget(scroll);
    scroll_ = scroll;
    // A drop-down takes the wheel only once the user has clicked or tabbed into
    // it: scrolling the form over a unit or schedule box must not change the
    // unit or the schedule (and with it the record) unseen.
    for (QComboBox* box : view_->findChildren<QComboBox*>()) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
    }
    connect(doc_.get(), &CQuorven64Doc::recordChanged, this, [this] { setWindowTitle(doc_->title); });
}

void CChildFrame::SetMessageSink(MessageSink* sink) {
    sink_ = sink;
    view_->SetMessageSink(sink);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    QtMessageSink boxes;
    if (!MayDiscardEdits(*doc_, sink_ != nullptr ? *sink_ : boxes)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box != nullptr && !box->hasFocus()) {
            QCoreApplication::sendEvent(scroll_->verticalScrollBar(), event);
            return true;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

// The view refers to the document: it goes first.
CChildFrame::~CChildFrame() {
    delete view_;
}

}  // namespace quorven
