// The pipe data and base condition dialogs (declared in meter_dialogs.h).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/commands/command_ids.h"
#include "app/dialogs/dialog_helpers.h"
#include "app/dialogs/meter_dialogs.h"
#include "app/document.h"
#include "app/platform/form_controls.h"
#include "app/platform/id_dialog.h"
#include "app/platform/qt_message_sink.h"
#include "app/platform/qt_text.h"
#include "form/form_input.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {

using namespace dialog_detail;

bool RunPipeDataDialog(QWidget* parent, TagRecord& record) {
    CIdDialog d(QStringLiteral("Pipe Data"), parent);
    const std::string unit_text(GetText(record.Unit_Pipe_Text));
    auto* material = AddMaterialCombo(d, 1167, QStringLiteral("Pipe Material"), record.Unit_Temp_Set,
                                      MaterialPositionOf(record.Matl_Pipe));
    auto* size = d.AddCombo(1169, QStringLiteral("Nominal Size"), {});
    size->setEditable(true);
    d.AddUnitBeside(1171, size, RecordTextToQString(unit_text));
    auto* schedule = d.AddCombo(1170, QStringLiteral("Schedule"), {});
    auto* idia = d.AddNumericEdit(1168, QStringLiteral("Inside Diameter"), 0.0, 1e6);
    d.AddUnitBeside(1172, idia, RecordTextToQString(GetText(record.Unit_Bore_Text)));

    auto fill_lists = [&](int32_t matl, double nominal, int32_t sched) {
        const QSignalBlocker b1(size);
        const QSignalBlocker b2(schedule);
        size->clear();
        int at = -1;
        const auto list = PipeSizeList(matl, unit_text, record.Unit_Pipe, kMisc);
        for (std::size_t i = 0; i < list.size(); ++i) {
            size->addItem(ToQString(list[i].text));
            if (list[i].inches == nominal) at = static_cast<int>(i);
        }
        if (at >= 0)
            size->setCurrentIndex(at);
        else
            size->setEditText(ToQString(CFormat("%.2f", {nominal * record.Unit_Pipe})));
        schedule->clear();
        for (std::string_view s : kMisc.Schedules(matl)) schedule->addItem(RecordTextToQString(s));
        const int32_t count = static_cast<int32_t>(kMisc.Schedules(matl).size());
        if (kMisc.IsStainless(matl) && sched > 4) sched = 2;  // "40S"
        schedule->setCurrentIndex(std::clamp(sched, 0, count - 1));
    };
    auto nominal_shown = [&](double& inches) {
        return NominalSizeFromText(ToUtf8(size->currentText().trimmed()), MaterialOf(material), unit_text,
                                   record.Unit_Pipe, kMisc, inches);
    };
    auto lookup = [&] {
        const int32_t matl = MaterialOf(material);
        if (schedule->currentIndex() == NonStdSchedulePosition(matl, kMisc)) return;
        double inches = 0;
        if (!nominal_shown(inches)) return;
        const double id_in =
            kMisc.PipeInsideDiameter(matl, inches, kMisc.ScheduleText(matl, schedule->currentIndex()));
        if (id_in > 0) {
            idia->setText(ToQString(CFormat("%.3f", {id_in * record.Unit_Bore})));
            return;
        }
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("WARNING"),
            QStringLiteral("No standard pipe I.D. exists for given pipe size and schedule. Please "
                           "specify pipe I.D."),
            QMessageBox::Ok, &d);
        box.setIcon(QMessageBox::Warning);
        box.button(QMessageBox::Ok)->setObjectName(ControlName(1));
        box.exec();
        const QSignalBlocker block(schedule);
        schedule->setCurrentIndex(NonStdSchedulePosition(matl, kMisc));
        idia->setFocus();
        idia->selectAll();
    };
    fill_lists(record.Matl_Pipe, record.Pipe_NomDia, record.Pipe_Sched);
    idia->setText(ToQString(CFormat("%.3f", {record.Pipe_IDia * record.Unit_Bore})));
    QObject::connect(material, &QComboBox::currentIndexChanged, &d, [&] {
        double inches = record.Pipe_NomDia;
        nominal_shown(inches);
        fill_lists(MaterialOf(material), inches, schedule->currentIndex());
        lookup();
    });
    QObject::connect(schedule, &QComboBox::currentIndexChanged, &d, lookup);
    QObject::connect(size, &QComboBox::currentIndexChanged, &d, lookup);
    QObject::connect(size->lineEdit(), &QLineEdit::editingFinished, &d, lookup);
    if (d.exec() != QDialog::Accepted) return false;

    PipeChoice c;
    c.material = MaterialOf(material);
    c.sched_position = schedule->currentIndex();
    c.nominal_in = record.Pipe_NomDia;
    nominal_shown(c.nominal_in);  // a size that is no number keeps the stored one
    c.idia_in = record.Pipe_IDia;
    if (const auto shown = NumberInEdit(*idia); shown && record.Unit_Bore > 0)
        c.idia_in = *shown / record.Unit_Bore;
    TagRecord copy = record;
    ApplyPipeChoice(copy, c, kMisc);
    record = copy;
    return true;
}

namespace {

// A numeric edit that holds any finite number; the dialog judges the value.
class BaseDialog final : public CIdDialog {
public:
    BaseDialog(QWidget* parent, TagRecord& record, MessageSink& sink)
        : CIdDialog(QStringLiteral("Base Condition Settings"), parent), record_(record), sink_(sink) {}
    void accept() override {
        BaseChoice c;
        c.tap_loc = CheckedRadio({Code(TapLoc::Upstream), Code(TapLoc::Downstream)});
        const auto value = [this](int id) { return NumberInEdit(*Control<QLineEdit>(id)); };
        // A value that is no number is taken as 0 and refused like one.
        c.base_press = value(1115).value_or(0.0);
        c.base_temp = value(1116).value_or(-1e9);
        c.dp_ref_temp = value(1117).value_or(std::nan(""));
        c.atm_press = value(1118).value_or(std::nan(""));
        TagRecord copy = record_;
        const int error = ApplyBaseChoice(copy, c, sink_);
        if (error != 0) {
            QLineEdit* edit = Control<QLineEdit>(error == msg::kErrBasePressure ? 1115 : 1116);
            edit->setFocus();
            edit->selectAll();
            return;
        }
        record_ = copy;
        closing_ = true;
        CIdDialog::accept();
    }
    void reject() override {
        closing_ = true;
        CIdDialog::reject();
    }
    bool Closing() const { return closing_; }

private:
    bool closing_ = false;
    TagRecord& record_;
    MessageSink& sink_;
};

QString UnitLabel(const TagRecord& r, Quantity q, int32_t selection) {
    const auto list = ListOf(r, q);
    if (!list) return {};
    return RecordTextToQString(UnitName(DefaultUnitTables(), *list, selection));
}

}  // namespace

bool RunBaseDialog(QWidget* parent, TagRecord& record, MessageSink& sink) {
    BaseDialog d(parent, record, sink);
    d.AddRadioGroup(QStringLiteral("Pressure Tap Location"),
                    {{1109, "&Upstream Pressure Tap"}, {1110, "&Downstream Pressure Tap"}});
    Check(d, record.Tap_Loc == Code(TapLoc::Downstream) ? Code(TapLoc::Downstream) : Code(TapLoc::Upstream));
    struct Row {
        int edit, label;
        const char* caption;
        Quantity q;
        int32_t selection;
        double internal;
    };
    const Row rows[] = {
        {1115, 1111, "Base Pressure", Quantity::BasePressure, record.Unit_BasePress_Set, record.Base_Press},
        {1116, 1112, "Base Temperature", Quantity::BaseTemperature, record.Unit_BaseTemp_Set,
         record.Base_Temp},
        {1117, 1113, "dP Reference Temperature", Quantity::DpRefTemperature, record.Unit_DpRefTemp_Set,
         record.DpRefTemp},
        {1118, 1114, "Atmospheric Pressure", Quantity::AtmPressure, record.Unit_AtmPress_Set,
         record.AtmPress},
    };
    for (const Row& row : rows) {
        auto* edit = d.AddNumericEdit(row.edit, QString::fromLatin1(row.caption), -1e12, 1e12);
        double shown = ToUser(record, row.q, row.internal);
        if (row.q == Quantity::BasePressure || row.q == Quantity::AtmPressure) shown = RoundTo(shown, 6);
        edit->setText(ToQString(CFormat("%.10g", {shown})));
        d.AddUnitBeside(row.label, edit, UnitLabel(record, row.q, row.selection));
    }
    // Leaving the base pressure or temperature with a value not above zero (absolute)
    // is refused at once and the focus goes back to the edit.
    const auto refuse_on_leave = [&d, &record, &sink](int id, Quantity q, int error) {
        QLineEdit* edit = d.Control<QLineEdit>(id);
        new FocusOutCommit(edit, [&d, &record, &sink, edit, q, error] {
            // Closing, or going to Cancel, is no reason to insist on a value.
            if (!d.isVisible() || d.Closing()) return;
            if (const QWidget* next = QApplication::focusWidget();
                next && next->objectName() == ControlName(2))
                return;
            double internal = 0;
            const auto typed = NumberInEdit(*edit);
            if (typed && FromUser(record, q, *typed, internal) && internal > 0) return;
            CError(sink).Show(error);
            edit->setFocus();
            edit->selectAll();
        });
    };
    refuse_on_leave(1115, Quantity::BasePressure, msg::kErrBasePressure);
    refuse_on_leave(1116, Quantity::BaseTemperature, msg::kErrBaseTemperature);
    return d.exec() == QDialog::Accepted;
}

}  // namespace quorven
