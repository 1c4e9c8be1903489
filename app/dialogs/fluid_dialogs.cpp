#include "app/dialogs/fluid_dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/commands/command_ids.h"
#include "app/platform/id_dialog.h"
#include "app/platform/qt_platform.h"
#include "app/platform/qt_text.h"
#include "fluids/aga8_entry.h"
#include "fluids/aga8_mixture.h"
#include "fluids/component_list.h"
#include "fluids/property_database.h"
#include "form/fluid_commands.h"
#include "form/form_input.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/formats.h"

namespace quorven {
namespace {

using namespace cmd;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kErrorMolePercentTotal = msg::kErrMixTotalBeforeCalculate;
constexpr int kErrorSaveTotal = 23;  // "The total mole percent must equal 100 percent before saving ..."

// Control identifiers of the Fluids dialogs.
constexpr int kIdPressure = 1337, kIdTemperature = 1338, kIdPressureUnit = 1339, kIdTemperatureUnit = 1340;
constexpr int kIdSatValue = 1341, kIdSatUnit = 1342, kIdSatLabel = 1344;
constexpr int kIdTotal = 1311;
constexpr int kIdEquationList = 1333, kIdSelectList = 1250, kIdDeleteComponent = 1332;
constexpr int kIdSaveMix = 1334, kIdGetMix = 1335, kIdClearMix = 1336;
constexpr int kIdAgaFirstPercent = 1707;  // row r: 1706 + r

constexpr int32_t Code(FluidEquation e) {
    return static_cast<int32_t>(e);
}
constexpr int32_t Code(FluidCondition c) {
    return static_cast<int32_t>(c);
}
constexpr int32_t Code(FluidProperty p) {
    return static_cast<int32_t>(p);
}

QDialogButtonBox* AddOkCancel(QDialog* d, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(kIdOk));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(ControlName(kIdCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

QLabel* Label(QWidget* parent, const QString& text, int id = 0) {
    auto* label = new QLabel(text, parent);
    if (id != 0) label->setObjectName(ControlName(id));
    return label;
}

QLineEdit* Edit(QWidget* parent, int id, int width_chars = 12) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlName(id));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * width_chars);
    return edit;
}

QPushButton* Button(QWidget* parent, int id, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(ControlName(id));
    b->setAutoDefault(false);
    return b;
}

// A typed number read as the program reads typed text: the leading number, 0 when the
// text does not begin with one.
double TypedNumber(const QLineEdit* edit) {
    return ReadLeadingNumber(ToUtf8(edit->text().trimmed())).value_or(0.0);
}

// The record's pressure and temperature, rounded as the selection dialog shows them.
double ShownP(const TagRecord& r, double psia, int decimals = -1) {
    const double shown = ShownPressure(r, psia);
    return decimals < 0 ? shown : RoundTo(shown, decimals);
}
double ShownT(const TagRecord& r, double rankine, int decimals = -1) {
    const double shown = ShownTemperature(r, rankine);
    return decimals < 0 ? shown : RoundTo(shown, decimals);
}

// The name of the record's pressure or temperature unit as its list names it (the text
// kept in the record when the list has no such entry).
QString PressureUnitText(const TagRecord& r, const UnitTables& t) {
    const std::string_view name = UnitName(t, UnitList::Pressure, r.Unit_Press_Set);
    return RecordTextToQString(name.empty() ? GetText(r.Unit_Press_Text) : name);
}
QString TemperatureUnitText(const TagRecord& r, const UnitTables& t) {
    const std::string_view name = UnitName(t, UnitList::Temperature, r.Unit_Temp_Set);
    return RecordTextToQString(name.empty() ? GetText(r.Unit_Temp_Text) : name);
}

const PropertyDatabase& DatabaseOf(const FluidSession& s) {
    static const PropertyDatabase absent;
    return s.database ? *s.database : absent;
}

FileLayer& LayerOf(const FluidSession& s) {
    return s.file_layer ? *s.file_layer : DiskFiles();
}

std::optional<std::string> ChooseFile(FluidSession& s, bool save, const char* ext, const char* filter) {
    FileChoice c;
    c.save = save;
    c.title = save ? "Save Mixture" : "Get Mixture";
    c.filter = filter;
    c.default_ext = ext;
    c.initial_name = std::string("*.") + ext;
    if (s.files) return s.files->Choose(c);
    QtFileChooser chooser;
    return chooser.Choose(c);
}

// --- Pressure and temperature ---------------------------------------------------

class CFluidsCalcInputDialog : public QDialog {
public:
    CFluidsCalcInputDialog(const TagRecord& r, const UnitTables& units, double shown_P, double shown_T,
                           MessageSink& sink, QWidget* parent)
        : QDialog(parent), record_(r), sink_(sink) {
        setWindowTitle(QStringLiteral("Fluid Properties - Pressure & Temperature Data"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        auto* grid = new QGridLayout;
        pressure_ = Edit(this, kIdPressure);
        temperature_ = Edit(this, kIdTemperature);
        pressure_->setText(ToQString(PressureEntryText(shown_P)));
        temperature_->setText(ToQString(TemperatureEntryText(shown_T)));
        grid->addWidget(Label(this, QStringLiteral("Pressure")), 0, 0);
        grid->addWidget(pressure_, 0, 1);
        grid->addWidget(Label(this, PressureUnitText(r, units), kIdPressureUnit), 0, 2);
        grid->addWidget(Label(this, QStringLiteral("Temperature")), 1, 0);
        grid->addWidget(temperature_, 1, 1);
        grid->addWidget(Label(this, TemperatureUnitText(r, units), kIdTemperatureUnit), 1, 2);
        layout->addLayout(grid);
        AddOkCancel(this, layout);
    }
    FlowingConditions Result() const { return result_; }

    void accept() override {
        const std::optional<double> P = EnteredPressure(record_, TypedNumber(pressure_), sink_);
        if (!P) {
            pressure_->setFocus();
            pressure_->selectAll();
            return;
        }
        const std::optional<double> T = EnteredTemperature(record_, TypedNumber(temperature_), sink_);
        if (!T) {
            temperature_->setFocus();
            temperature_->selectAll();
            return;
        }
        result_ = {*P, *T};
        QDialog::accept();
    }

private:
    const TagRecord& record_;
    MessageSink& sink_;
    QLineEdit* pressure_;
    QLineEdit* temperature_;
    FlowingConditions result_;
};

// --- Setup dialogs ----------------------------------------------------------------

std::optional<EquationChoice> RunSetupDialog(QWidget* parent, bool gas, const EquationChoice& initial) {
    CIdDialog d(gas ? QStringLiteral("Gas Equation Setup") : QStringLiteral("Liquid Equation Setup"), parent);
    const int volume = gas ? Code(FluidEquation::GasVolume) : Code(FluidEquation::LiquidVolume);
    const int mass = gas ? Code(FluidEquation::GasMass) : Code(FluidEquation::LiquidMass);
    const int base = gas ? Code(FluidCondition::GasBase) : Code(FluidCondition::LiquidBaseTemp);
    const int flowing = gas ? Code(FluidCondition::GasFlowing) : Code(FluidCondition::LiquidFlowingTemp);
    d.AddRadioGroup(QStringLiteral("Flow Units"),
                    {{volume, QStringLiteral("&Volumetric Flows")}, {mass, QStringLiteral("&Mass Flows")}});
    const auto conditions = gas ? d.AddRadioGroup(QStringLiteral("Conditions"),
                                                  {{base, QStringLiteral("&Base Conditions")},
                                                   {flowing, QStringLiteral("&Flowing Conditions")}})
                                : d.AddRadioGroup(QStringLiteral("Flowing Conditions"),
                                                  {{base, QStringLiteral("&Base Temperature")},
                                                   {flowing, QStringLiteral("&Flowing Temperature")}});
    std::vector<int> properties;
    if (gas) {
        properties = {Code(FluidProperty::GasSG), Code(FluidProperty::GasMW),
                      Code(FluidProperty::GasDensity)};
        d.AddRadioGroup(QStringLiteral("Equation Selection"),
                        {{properties[0], QStringLiteral("PVT - &Specific Gravity")},
                         {properties[1], QStringLiteral("PVT - Molecular &Weight")},
                         {properties[2], QStringLiteral("&Density")}});
    } else {
        properties = {Code(FluidProperty::LiquidSG), Code(FluidProperty::LiquidDensity)};
        d.AddRadioGroup(QStringLiteral("Equation Selection"),
                        {{properties[0], QStringLiteral("&Specific Gravity")},
                         {properties[1], QStringLiteral("&Density")}});
    }
    for (int id : {initial.equation, initial.condition, initial.property})
        if (auto* radio = d.Control<QRadioButton>(id)) radio->setChecked(true);
    // Mass flows have no volume conditions: their buttons are disabled.
    auto* mass_radio = d.Control<QRadioButton>(mass);
    const auto follow = [conditions, mass_radio] {
        for (QRadioButton* c : conditions) c->setEnabled(!mass_radio->isChecked());
    };
    QObject::connect(mass_radio, &QRadioButton::toggled, &d, follow);
    follow();
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return EquationChoice{d.CheckedRadio({volume, mass}), d.CheckedRadio({base, flowing}),
                          d.CheckedRadio(properties)};
}

// --- Saturated steam condition --------------------------------------------------

class CSatSteamDialog : public QDialog {
public:
    CSatSteamDialog(const TagRecord& r, const UnitTables& units, bool by_pressure, MessageSink& sink,
                    QWidget* parent)
        : QDialog(parent), record_(r), by_pressure_(by_pressure), sink_(sink) {
        setWindowTitle(QStringLiteral("Saturated Steam Condition"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        auto* row = new QHBoxLayout;
        value_ = Edit(this, kIdSatValue);
        row->addWidget(Label(this, by_pressure ? QStringLiteral("Pressure") : QStringLiteral("Temperature"),
                             kIdSatLabel));
        row->addWidget(value_);
        row->addWidget(Label(this, by_pressure ? PressureUnitText(r, units) : TemperatureUnitText(r, units),
                             kIdSatUnit));
        layout->addLayout(row);
        value_->setText(ToQString(by_pressure ? PressureEntryText(ShownP(r, r.Flow_Press))
                                              : TemperatureEntryText(ShownT(r, r.Flow_Temp))));
        AddOkCancel(this, layout);
    }
    double Result() const { return result_; }

    void accept() override {
        const double typed = TypedNumber(value_);
        const std::optional<double> v =
            by_pressure_ ? EnteredPressure(record_, typed, sink_) : EnteredTemperature(record_, typed, sink_);
        if (!v) {
            value_->setFocus();
            value_->selectAll();
            return;
        }
        result_ = *v;
        QDialog::accept();
    }

private:
    const TagRecord& record_;
    bool by_pressure_;
    MessageSink& sink_;
    QLineEdit* value_;
    double result_ = 0.0;
};

// --- Fluid selection --------------------------------------------------------------

// Identifiers of row r (1..21) of the selection dialog; row 21 has its own set.
int RowNumberId(int r) {
    return r == 21 ? 1733 : 1311 + r;
}
int RowNameId(int r) {
    return r == 21 ? 1730 : 1250 + r;
}
int RowFormulaId(int r) {
    return r == 21 ? 1731 : 1270 + r;
}
int RowMolWtId(int r) {
    return r == 21 ? 1732 : 1290 + r;
}
int RowPercentId(int r) {
    return r == 21 ? 1729 : 1229 + r;
}

class CFluidPropDialog : public QDialog {
public:
    CFluidPropDialog(bool gas, const TagRecord& record, const UnitTables& units, FluidSession& s,
                     MessageSink& sink, QWidget* parent)
        : QDialog(parent), gas_(gas), record_(record), units_(units), session_(s), sink_(sink) {
        setWindowTitle(QStringLiteral("Single Component & Multi-Component Fluid Selection"));
        setModal(true);
        ComponentList& list = (*session_.components);
        // A list left without a first component (or its percent) starts empty.
        if (!(ListSlot(list, 0).Mole_Pct > 0.0) || !(ListSlot(list, 0).Mol_Wt > 0.0)) list.ClearList();

        auto* layout = new QVBoxLayout(this);
        auto* top = new QHBoxLayout;
        auto* left = new QVBoxLayout;
        left->addWidget(Label(this, QStringLiteral("Equation-of-State")));
        equation_ = new QComboBox(this);
        equation_->setObjectName(ControlName(kIdEquationList));
        {
            const QSignalBlocker block(equation_);
            if (gas_) {
                equation_->addItems({QStringLiteral("Redlich Kwong"), QStringLiteral("Soave-Redlich Kwong"),
                                     QStringLiteral("Benedict-Webb-Rubin")});
                // The first entry is selected on opening; the position is remembered on OK.
                equation_->setCurrentIndex(0);
            } else {
                equation_->addItem(QStringLiteral("Hankinson-Brobst-Thomson"));
            }
        }
        left->addWidget(equation_);
        left->addWidget(Label(this, QStringLiteral("Components Select List")));
        select_ = new QListWidget(this);
        select_->setObjectName(ControlName(kIdSelectList));
        select_->setSortingEnabled(true);
        for (const std::string& name : DatabaseOf(session_).ListNames(sink_))
            select_->addItem(RecordTextToQString(name));
        select_->sortItems();
        select_->setMinimumWidth(select_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
        left->addWidget(select_, 1);
        top->addLayout(left);

        auto* rows = new QGridLayout;
        rows->setVerticalSpacing(1);
        const QString captions[] = {QStringLiteral("No."), QStringLiteral("Components"),
                                    QStringLiteral("Formula"), QStringLiteral("Mol. Wt."),
                                    QStringLiteral("Mol. %")};
        for (int c = 0; c < 5; ++c) rows->addWidget(Label(this, captions[c]), 0, c);
        for (int r = 1; r <= 21; ++r) {
            Row& row = rows_[static_cast<std::size_t>(r - 1)];
            row.number = Button(this, RowNumberId(r), QString::number(r));
            row.number->setFixedWidth(row.number->fontMetrics().horizontalAdvance(QStringLiteral("000")) +
                                      12);
            row.name = Edit(this, RowNameId(r), 22);
            row.formula = Edit(this, RowFormulaId(r), 7);
            row.mol_wt = Edit(this, RowMolWtId(r), 8);
            row.percent = Edit(this, RowPercentId(r), 9);
            for (QLineEdit* e : {row.name, row.formula, row.mol_wt}) {
                e->setReadOnly(true);
                e->setFocusPolicy(Qt::NoFocus);
            }
            row.percent->setValidator(new DecimalRangeValidator(0.0, 100.0, row.percent));
            row.percent->installEventFilter(this);
            rows->addWidget(row.number, r, 0);
            rows->addWidget(row.name, r, 1);
            rows->addWidget(row.formula, r, 2);
            rows->addWidget(row.mol_wt, r, 3);
            rows->addWidget(row.percent, r, 4);
            connect(row.number, &QPushButton::clicked, this, [this, r] { SelectRow(r); });
        }
        auto* total_row = new QHBoxLayout;
        total_row->addStretch(1);
        total_row->addWidget(Label(this, QStringLiteral("TOTAL")));
        total_ = Label(this, QString(), kIdTotal);
        total_->setMinimumWidth(total_->fontMetrics().horizontalAdvance(QStringLiteral("100.00000")) + 8);
        total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        total_row->addWidget(total_);
        rows->addLayout(total_row, 22, 0, 1, 5);
        top->addLayout(rows);
        layout->addLayout(top);

        auto* buttons = new QHBoxLayout;
        delete_ = Button(this, kIdDeleteComponent, QStringLiteral("&Delete Component"));
        auto* save = Button(this, kIdSaveMix, QStringLiteral("&Save Mix"));
        auto* get = Button(this, kIdGetMix, QStringLiteral("&Get Mix"));
        auto* clear = Button(this, kIdClearMix, QStringLiteral("&Clear Mix"));
        for (QPushButton* b : {delete_, save, get, clear}) buttons->addWidget(b);
        buttons->addStretch(1);
        layout->addLayout(buttons);
        AddOkCancel(this, layout);

        connect(select_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            Release();
            (*session_.components)
                .AddComponent(DatabaseOf(session_), QStringToRecordText(item->text()), sink_);
            Refresh();
        });
        connect(select_, &QListWidget::currentRowChanged, this, [this] { Release(); });
        connect(equation_, &QComboBox::currentIndexChanged, this, [this] { Release(); });
        connect(delete_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
        connect(save, &QPushButton::clicked, this, [this] { SaveMix(); });
        connect(get, &QPushButton::clicked, this, [this] { GetMix(); });
        connect(clear, &QPushButton::clicked, this, [this] { ClearMix(); });
        delete_->setEnabled(false);
        Refresh();
    }

    std::optional<GasCommandInput> gas_input;
    std::optional<LiquidCommandInput> liquid_input;

    void accept() override {
        Release();
        CommitFocusedBox();
        ComponentList& list = (*session_.components);
        if (list.Occupied() == 1) {
            list.SetMolePercent(0, 100.0);
        } else if (RoundTo(list.Total(), 4) != 100.0) {
            Refresh();
            CError(sink_).Show(kErrorMolePercentTotal);
            return;
        }
        Refresh();
        // The conditions dialog shows the record's pressure to 5 and temperature to 3
        // decimals in display units.
        const std::optional<FlowingConditions> c =
            RunConditionsDialog(this, record_, units_, ShownP(record_, record_.Flow_Press, 5),
                                ShownT(record_, record_.Flow_Temp, 3), sink_);
        if (!c) {
            reject();
            return;
        }
        if (gas_) {
            session_.gas_equation_position = equation_->currentIndex();
            static constexpr GasEquation kCodes[] = {
                GasEquation::RedlichKwong, GasEquation::SoaveRedlichKwong, GasEquation::BenedictWebbRubin};
            GasCommandInput in;
            in.database = session_.database;
            in.components = list;
            in.equation = kCodes[std::clamp(equation_->currentIndex(), 0, 2)];
            in.Pf_psia = c->P_psia;
            in.Tf_R = c->T_R;
            gas_input = in;
        } else {
            LiquidCommandInput in;
            in.database = session_.database;
            in.components = list;
            in.Pf_psia = c->P_psia;
            in.Tf_R = c->T_R;
            liquid_input = in;
        }
        QDialog::accept();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
                Release();
                edit->selectAll();
            }
        } else if (event->type() == QEvent::FocusOut) {
            for (int r = 1; r <= 21; ++r)
                if (rows_[static_cast<std::size_t>(r - 1)].percent == watched) StoreBox(r);
        }
        return QDialog::eventFilter(watched, event);
    }

private:
    struct Row {
        QPushButton* number;
        QLineEdit* name;
        QLineEdit* formula;
        QLineEdit* mol_wt;
        QLineEdit* percent;
    };

    // A row's mole-percent box into its slot, when the slot holds a component.
    void StoreBox(int r) {
        ComponentList& list = (*session_.components);
        if (r - 1 < list.Occupied()) {
            const std::optional<double> v = NumberInEdit(*rows_[static_cast<std::size_t>(r - 1)].percent);
            if (v) list.SetMolePercent(r - 1, *v);
        }
        Refresh();
    }

    void CommitFocusedBox() {
        for (int r = 1; r <= 21; ++r)
            if (rows_[static_cast<std::size_t>(r - 1)].percent->hasFocus()) StoreBox(r);
    }

    void Refresh() {
        ComponentList& list = (*session_.components);
        for (int r = 1; r <= 21; ++r) {
            Row& row = rows_[static_cast<std::size_t>(r - 1)];
            const bool held = r - 1 < list.Occupied();
            const ComponentEntry& e = ListSlot(list, r - 1);
            row.name->setText(held ? RecordTextToQString(GetText(e.Comp_Name)) : QString());
            row.formula->setText(held ? RecordTextToQString(GetText(e.Comp_Formula)) : QString());
            row.mol_wt->setText(held ? ToQString(CFormat("%.4f", {e.Mol_Wt})) : QString());
            row.percent->setText(held ? ToQString(CFormat("%.5f", {e.Mole_Pct})) : QString());
        }
        total_->setText(ToQString(CFormat("%.5f", {list.Total()})));
    }

    void SelectRow(int r) {
        Release();
        if (r - 1 >= (*session_.components).Occupied()) return;
        Row& row = rows_[static_cast<std::size_t>(r - 1)];
        for (QLineEdit* e : {row.name, row.formula, row.mol_wt, row.percent}) e->setEnabled(false);
        selected_ = r;
        delete_->setEnabled(true);
    }

    void Release() {
        if (selected_ > 0) {
            Row& row = rows_[static_cast<std::size_t>(selected_ - 1)];
            for (QLineEdit* e : {row.name, row.formula, row.mol_wt, row.percent}) e->setEnabled(true);
        }
        selected_ = 0;
        delete_->setEnabled(false);
    }

    void DeleteSelected() {
        const int r = selected_;
        Release();
        if (r > 0) (*session_.components).RemoveComponent(r - 1);
        Refresh();
    }

    void SaveMix() {
        Release();
        CommitFocusedBox();
        const std::optional<std::string> path =
            ChooseFile(session_, true, "mix", "Mixture Files (*.mix)|*.mix||");
        if (path) (*session_.components).SaveMixture(*path, sink_, LayerOf(session_));
        Refresh();
    }

    void GetMix() {
        Release();
        const PropertyDatabase& db = DatabaseOf(session_);
        if (!db.Present()) {
            CError(sink_).Show(msg::kErrPropertyDatabase);
            return;
        }
        const std::optional<std::string> path =
            ChooseFile(session_, false, "mix", "Mixture Files (*.mix)|*.mix||");
        if (path) (*session_.components).LoadMixture(*path, db, sink_, LayerOf(session_));
        Refresh();
    }

    void ClearMix() {
        Release();
        Message m;
        m.kind = MessageKind::Warning;
        m.caption = "Clear Mixture Data";
        m.text = "Clear all existing mixture data?";
        m.icon = MessageIcon::Question;
        m.buttons = MessageButtons::YesNo;
        m.default_answer = MessageAnswer::Yes;
        if (sink_.Show(m) == MessageAnswer::Yes) (*session_.components).ClearList();
        Refresh();
    }

    bool gas_;
    const TagRecord& record_;
    const UnitTables& units_;
    FluidSession& session_;
    MessageSink& sink_;
    QComboBox* equation_;
    QListWidget* select_;
    std::array<Row, 21> rows_{};
    QLabel* total_;
    QPushButton* delete_;
    int selected_ = 0;
};

// --- AGA 8 natural gas -----------------------------------------------------------

class CFluidAGA8GasDialog : public QDialog {
public:
    CFluidAGA8GasDialog(const TagRecord& record, const UnitTables& units, FluidSession& s, MessageSink& sink,
                        QWidget* parent)
        : QDialog(parent), record_(record), units_(units), session_(s), sink_(sink) {
        setWindowTitle(QStringLiteral("AGA 8 Natural Gas"));
        setModal(true);
        PrepareAga8List((*session_.components), DatabaseOf(session_), sink_);

        auto* layout = new QVBoxLayout(this);
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(1);
        grid->setHorizontalSpacing(12);
        const QString captions[] = {QStringLiteral("No,"), QStringLiteral("Component"),
                                    QStringLiteral("Formula"), QStringLiteral("Mol. Wt."),
                                    QStringLiteral("Mole Percent")};
        for (int c = 0; c < 5; ++c) grid->addWidget(Label(this, captions[c]), 0, c);
        for (int r = 1; r <= kAga8Rows; ++r) {
            const Aga8Row& row = Aga8RowTable()[r - 1];
            grid->addWidget(Label(this, QString::number(r)), r, 0);
            grid->addWidget(Label(this, ToQString(row.shown_name)), r, 1);
            grid->addWidget(Label(this, ToQString(row.formula)), r, 2);
            auto* mw = Label(this, ToQString(CFormat("%.4f", {aga8::MolarMass(row.aga_number)})));
            mw->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(mw, r, 3);
            QLineEdit* box = Edit(this, kIdAgaFirstPercent + r - 1, 10);
            box->setValidator(new DecimalRangeValidator(0.0, 100.0, box));
            box->setAlignment(Qt::AlignRight);
            box->installEventFilter(this);
            grid->addWidget(box, r, 4);
            boxes_[static_cast<std::size_t>(r - 1)] = box;
        }
        grid->addWidget(Label(this, QStringLiteral("TOTAL")), kAga8Rows + 1, 3, Qt::AlignRight);
        total_ = Label(this, QString(), kIdTotal);
        total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(total_, kAga8Rows + 1, 4);
        layout->addLayout(grid);

        auto* buttons = new QHBoxLayout;
        auto* save = Button(this, kIdSaveMix, QStringLiteral("&Save Mix"));
        auto* get = Button(this, kIdGetMix, QStringLiteral("&Get Mix"));
        auto* clear = Button(this, kIdClearMix, QStringLiteral("&Clear Mix"));
        for (QPushButton* b : {save, get, clear}) buttons->addWidget(b);
        buttons->addStretch(1);
        layout->addLayout(buttons);
        AddOkCancel(this, layout);
        connect(save, &QPushButton::clicked, this, [this] { SaveMix(); });
        connect(get, &QPushButton::clicked, this, [this] { GetMix(); });
        connect(clear, &QPushButton::clicked, this, [this] {
            for (int r = 0; r < kAga8Rows; ++r) ListSlot((*session_.components), r).Mole_Pct = 0.0;
            Refresh();
        });
        Refresh();
    }

    std::optional<Aga8CommandInput> result;

    void accept() override {
        // Every box into its row; a box outside 0 to 100 is pointed out.
        for (int r = 0; r < kAga8Rows; ++r) {
            QLineEdit* box = boxes_[static_cast<std::size_t>(r)];
            const std::optional<double> v = NumberInEdit(*box);
            if (!v) {
                QMessageBox message(QMessageBox::Warning, windowTitle(),
                                    QStringLiteral("Please enter a number from 0 to 100."), QMessageBox::Ok,
                                    this);
                message.button(QMessageBox::Ok)->setObjectName(ControlName(kIdOk));
                message.exec();
                box->setFocus();
                box->selectAll();
                return;
            }
            ListSlot((*session_.components), r).Mole_Pct = *v;
        }
        Refresh();
        if (!Aga8TotalIs100((*session_.components))) {
            CError(sink_).Show(kErrorMolePercentTotal);
            return;
        }
        // The database step: the flowing conditions, then viscosity and k.
        const std::optional<FlowingConditions> c =
            RunConditionsDialog(this, record_, units_, ShownP(record_, record_.Flow_Press),
                                ShownT(record_, record_.Flow_Temp), sink_);
        if (!c) {
            reject();
            return;
        }
        Aga8CommandInput in;
        in.database = session_.database;
        in.percent_by_row = Aga8RowPercents((*session_.components));
        in.Pf_psia = c->P_psia;
        in.Tf_R = c->T_R;
        result = in;
        QDialog::accept();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            if (event->type() == QEvent::FocusIn) {
                box->selectAll();
            } else if (event->type() == QEvent::FocusOut) {
                for (int r = 0; r < kAga8Rows; ++r) {
                    if (boxes_[static_cast<std::size_t>(r)] != box) continue;
                    // A value outside 0 to 100 is not taken: the box shows its row again.
                    if (const std::optional<double> v = NumberInEdit(*box))
                        ListSlot((*session_.components), r).Mole_Pct = *v;
                }
                Refresh();
            }
        }
        return QDialog::eventFilter(watched, event);
    }

private:
    void Refresh() {
        for (int r = 0; r < kAga8Rows; ++r)
            boxes_[static_cast<std::size_t>(r)]->setText(
                ToQString(CFormat("%.5f", {ListSlot((*session_.components), r).Mole_Pct})));
        total_->setText(ToQString(CFormat("%.5f", {Aga8Total((*session_.components))})));
    }

    void SaveMix() {
        for (int r = 0; r < kAga8Rows; ++r)
            if (const std::optional<double> v = NumberInEdit(*boxes_[static_cast<std::size_t>(r)]))
                ListSlot((*session_.components), r).Mole_Pct = *v;
        if (!Aga8TotalIs100((*session_.components))) {
            CError(sink_).Show(kErrorSaveTotal);
        } else if (const std::optional<std::string> path =
                       ChooseFile(session_, true, "aga", "Mixture Files (*.aga)|*.aga||")) {
            SaveAga8Mixture(*path, (*session_.components), sink_, LayerOf(session_));
        }
        Refresh();
    }

    void GetMix() {
        if (const std::optional<std::string> path =
                ChooseFile(session_, false, "aga", "Mixture Files (*.aga)|*.aga||"))
            LoadAga8Mixture(*path, (*session_.components), sink_, LayerOf(session_));
        Refresh();
    }

    const TagRecord& record_;
    const UnitTables& units_;
    FluidSession& session_;
    MessageSink& sink_;
    std::array<QLineEdit*, kAga8Rows> boxes_{};
    QLabel* total_;
};

}  // namespace

FluidSession::FluidSession() : components(std::make_unique<ComponentList>()) {}
FluidSession::~FluidSession() = default;

std::vector<SessionComponent> SessionComponents(const FluidSession& session) {
    std::vector<SessionComponent> out;
    const ComponentList& list = *session.components;
    for (int i = 0; i < list.Occupied(); ++i)
        out.push_back({Cp1252ToUtf8(GetText(ListSlot(list, i).Comp_Name)), ListSlot(list, i).Mole_Pct});
    return out;
}

bool AddSessionComponent(FluidSession& session, std::string_view name, double mole_pct, MessageSink& sink) {
    ComponentList& list = *session.components;
    if (list.AddComponent(DatabaseOf(session), Utf8ToCp1252(name), sink) != AddComponentResult::Added)
        return false;
    return list.SetMolePercent(list.Occupied() - 1, mole_pct);
}

// --- Dialog entry points ----------------------------------------------------------

std::optional<FlowingConditions> RunConditionsDialog(QWidget* parent, const TagRecord& r,
                                                     const UnitTables& units, double shown_P, double shown_T,
                                                     MessageSink& sink) {
    CFluidsCalcInputDialog d(r, units, shown_P, shown_T, sink, parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.Result();
}

std::optional<EquationChoice> RunGasSetupDialog(QWidget* parent, const EquationChoice& initial) {
    return RunSetupDialog(parent, true, initial);
}

std::optional<EquationChoice> RunLiquidSetupDialog(QWidget* parent, const EquationChoice& initial) {
    return RunSetupDialog(parent, false, initial);
}

std::optional<double> RunSatSteamDialog(QWidget* parent, const TagRecord& r, const UnitTables& units,
                                        bool by_pressure, MessageSink& sink) {
    CSatSteamDialog d(r, units, by_pressure, sink, parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.Result();
}

std::optional<GasCommandInput> RunGasSelectionDialog(QWidget* parent, const TagRecord& r,
                                                     const UnitTables& units, FluidSession& session,
                                                     MessageSink& sink) {
    CFluidPropDialog d(true, r, units, session, sink, parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.gas_input;
}

std::optional<LiquidCommandInput> RunLiquidSelectionDialog(QWidget* parent, const TagRecord& r,
                                                           const UnitTables& units, FluidSession& session,
                                                           MessageSink& sink) {
    CFluidPropDialog d(false, r, units, session, sink, parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.liquid_input;
}

std::optional<Aga8CommandInput> RunAga8Dialog(QWidget* parent, const TagRecord& r, const UnitTables& units,
                                              FluidSession& session, MessageSink& sink) {
    CFluidAGA8GasDialog d(r, units, session, sink, parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.result;
}

// --- The commands -------------------------------------------------------------------

bool IsFluidCommand(int command) {
    switch (command) {
        case kFluidAga8:
        case kFluidGasesCalc:
        case kFluidLiquidsCalc:
        case kSatSteamPressure:
        case kSatSteamTemperature:
        case kSuperheatedSteam:
        case kCompressedWater:
        case kGasSetup:
        case kLiquidSetup:
            return true;
        default:
            return false;
    }
}

namespace {

// The equation setup dialogs as the commands' source of the equation choice.
class SetupDialogChoice final : public EquationChoiceSource {
public:
    explicit SetupDialogChoice(QWidget* parent) : parent_(parent) {}
    std::optional<EquationChoice> Choose(bool gas, const EquationChoice& initial) override {
        return gas ? RunGasSetupDialog(parent_, initial) : RunLiquidSetupDialog(parent_, initial);
    }

private:
    QWidget* parent_;
};

}  // namespace

bool RunFluidCommand(QWidget* parent, int command, TagRecord& record, UnitDefaults& remembered,
                     const UnitTables& units, FluidSession& session, MessageSink& sink) {
    // The commands change the document only when they store; a cancelled dialog or a
    // refused computation leaves it as it was.
    FluidDocument doc{record, remembered};
    SetupDialogChoice setup(parent);
    FluidCommandStatus status = FluidCommandStatus::Cancelled;
    const auto shown_P = [&] { return ShownPressure(doc.record, doc.record.Flow_Press); };
    const auto shown_T = [&] { return ShownTemperature(doc.record, doc.record.Flow_Temp); };
    switch (command) {
        case kFluidGasesCalc:
            if (const auto in = RunGasSelectionDialog(parent, doc.record, units, session, sink))
                status = OnGasesAndVapors(doc, units, *in, setup, sink).status;
            break;
        case kFluidLiquidsCalc:
            if (const auto in = RunLiquidSelectionDialog(parent, doc.record, units, session, sink))
                status = OnLiquids(doc, units, *in, setup, sink).status;
            break;
        case kFluidAga8:
            if (const auto in = RunAga8Dialog(parent, doc.record, units, session, sink))
                status = OnAgaNaturalGas(doc, units, *in, setup, sink).status;
            break;
        case kSatSteamPressure:
        case kSatSteamTemperature: {
            const bool by_pressure = command == kSatSteamPressure;
            const std::optional<double> v = RunSatSteamDialog(parent, doc.record, units, by_pressure, sink);
            if (!v) break;
            SteamCommandInput in;
            in.kind = by_pressure ? SteamCommand::SaturatedAtPressure : SteamCommand::SaturatedAtTemperature;
            (by_pressure ? in.P_psia : in.T_R) = *v;
            status = OnSteam(doc, units, in, sink).status;
            break;
        }
        case kSuperheatedSteam:
            if (const auto c = RunConditionsDialog(parent, doc.record, units, shown_P(), shown_T(), sink))
                status = OnSteam(doc, units, {SteamCommand::Superheated, c->P_psia, c->T_R}, sink).status;
            break;
        case kCompressedWater:
            if (const auto c = RunConditionsDialog(parent, doc.record, units, shown_P(), shown_T(), sink))
                status = OnCompressedWater(doc, units, {c->P_psia, c->T_R}, setup, sink).status;
            break;
        case kGasSetup:
            status = OnGasSetup(doc, units, setup, sink);
            break;
        case kLiquidSetup:
            status = OnLiquidSetup(doc, units, setup, sink);
            break;
        default:
            break;
    }
    if (status != FluidCommandStatus::Stored) return false;
    record = doc.record;
    remembered = doc.remembered;
    return true;
}

}  // namespace quorven
