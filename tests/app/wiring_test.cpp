// The main form and the dialogs together, driven through the frame's commands as
// the menus drive them: what a dialog stores shows on the form at once, the form's
// factor boxes open their dialogs, the form and Calculate use the document's unit
// lists, and the base-condition dialog keeps the quantity of gas.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/commands/command_ids.h"
#include "app/dialogs/factor_dialogs.h"
#include "app/dialogs/unit_dialogs.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/view.h"
#include "form/factor_inputs.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/cformat.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {
namespace {

using testing::Find;
using testing::WhenModalAppears;

constexpr int kOk = 1;
constexpr int kCancel = 2;

void Click(QWidget* dialog, int id) {
    auto* button = Find<QAbstractButton>(dialog, id);
    ASSERT_NE(button, nullptr) << "control " << id;
    button->click();
}

// The program's frame with one project window, messages recorded.
struct Program {
    QTemporaryDir dir;
    Profile profile{dir.filePath(QStringLiteral("profile.ini"))};
    RecordingMessageSink sink;
    CMainFrame frame{profile, sink};
    CChildFrame* child = nullptr;

    Program() {
        child = frame.OpenDocumentWindow();
        frame.resize(1280, 800);
        frame.show();
    }
    CQuorven64Doc& doc() { return child->Document(); }
    TagRecord& record() { return doc().record; }
    QWidget* view() { return &child->View(); }
    QString Text(int id) {
        if (auto* label = Find<QLabel>(view(), id)) return label->text();
        if (auto* edit = Find<QLineEdit>(view(), id)) return edit->text();
        return QStringLiteral("<none>");
    }
    double Number(int id) {
        double v = -1.0;
        return ParseFiniteDouble(Text(id).remove(QLatin1Char(',')).toStdString(), v) ? v : -1.0;
    }
};

TEST(Wiring, F9RunsCalculateFromAnEditAndTheMenuSaysSo) {
    Program p;
    QAction* calculate = p.frame.findChild<QAction*>(QStringLiteral("id%1").arg(cmd::kCalculate));
    ASSERT_NE(calculate, nullptr);
    EXPECT_EQ(calculate->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(calculate->text().endsWith(QStringLiteral("\tF9")));
    // A value typed and not yet committed is stored before the fresh tag's
    // missing rows stop the calculation with Error #3.
    QApplication::setActiveWindow(&p.frame);
    auto* tb = Find<QLineEdit>(p.view(), 1046);
    tb->setFocus();
    tb->selectAll();
    QTest::keyClicks(tb, "32");
    QTest::keyClick(tb, Qt::Key_F9);
    EXPECT_NEAR(p.record().Base_Temp, 491.67, 1e-9);
    EXPECT_EQ(p.sink.Numbers(), std::vector<int>{msg::kErrMissingInput});
}

TEST(Wiring, TheChosenLookIsCheckedAndRecoloursTheForm) {
    Program p;
    auto action = [&p](int id) { return p.frame.findChild<QAction*>(QStringLiteral("id%1").arg(id)); };
    QMenu* office2007 = nullptr;
    for (QMenu* menu : p.frame.findChildren<QMenu*>())
        if (menu->menuAction()->text() == QStringLiteral("Office 200&7")) office2007 = menu;
    ASSERT_NE(office2007, nullptr);
    action(216)->trigger();  // Office 2007 Black
    EXPECT_TRUE(action(216)->isChecked());
    EXPECT_FALSE(action(215)->isChecked());
    EXPECT_EQ(action(216)->actionGroup(), nullptr);  // drawn with a check mark, not a radio dot
    EXPECT_TRUE(office2007->menuAction()->isChecked());
    // Back to Blue: the fluid title takes the form's text colour, not the white of
    // Black kept by a style sheet (seen on screen under Xvfb: the title dark blue again).
    action(215)->trigger();
    auto* title = Find<QLabel>(p.view(), 1000);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->palette().color(QPalette::WindowText), p.view()->palette().color(QPalette::WindowText));
    EXPECT_TRUE(title->styleSheet().isEmpty());
    EXPECT_TRUE(title->font().bold());
    action(205)->trigger();  // Windows 2000: outside the submenu
    EXPECT_FALSE(office2007->menuAction()->isChecked());
    EXPECT_TRUE(action(205)->isChecked());
}

TEST(Wiring, TheFrameFitsTheScreen) {
    Program p;
    CMainFrame fresh{p.profile, p.sink};
    const QSize room = fresh.screen()->availableGeometry().size();
    EXPECT_LE(fresh.width(), room.width());
    EXPECT_LE(fresh.height(), room.height());
}

TEST(Wiring, OrificeAndPipeDialogsShowOnTheFormAtOnce) {
    Program p;
    p.record().Meter_Type = Code(MeterType::AsmeLongRadiusNozzle);  // a nozzle before the orifice dialog
    p.record().Matl_Elem = 13;
    p.doc().NotifyRecordChanged();
    ASSERT_NE(p.Text(1036), QStringLiteral("FLANGE TAPS"));
    WhenModalAppears([](QWidget* d) { Click(d, kOk); });
    p.frame.RunCommand(cmd::kOrificePlate);
    // A concentric orifice with flange taps in 316/316L SS, the first orifice
    // dialog's choices, named by the meter text and material tables.
    EXPECT_EQ(p.Text(1033), QStringLiteral("CONCENTRIC"));
    EXPECT_EQ(p.Text(1036), QStringLiteral("FLANGE TAPS"));
    EXPECT_EQ(p.Text(1035), QStringLiteral("316/316L SS"));
    EXPECT_TRUE(Find<QLabel>(p.view(), 1033)->isVisibleTo(p.view()));

    WhenModalAppears([](QWidget* d) {
        Find<QComboBox>(d, 1169)->setCurrentIndex(10);  // 5 in
        Click(d, kOk);
    });
    p.frame.RunCommand(cmd::kPipeData);
    // ASME B36.10M 5 in schedule 40 (STD): OD 5.563 in, wall 0.258 in -> ID 5.047 in.
    EXPECT_EQ(p.Text(1038), QStringLiteral("5.047"));
    EXPECT_EQ(p.Text(1037), QStringLiteral("5.00"));
}

TEST(Wiring, FactorBoxOpensItsDialogAndCancelRestoresTheBox) {
    Program p;  // a new tag is a gas: the water vapour box is enabled
    p.doc().tag_saved = true;
    auto* box = Find<QCheckBox>(p.view(), 1205);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isEnabled());
    ASSERT_FALSE(box->isChecked());

    // Cancel: the box shows the record's flag again and nothing changed.
    const TagRecord before = p.record();
    bool seen = false;
    WhenModalAppears([&](QWidget* d) {
        seen = Find<QAbstractButton>(d, kIdVapourYes) != nullptr;
        Click(d, kIdVapourYes);
        Click(d, kCancel);
    });
    box->click();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(std::memcmp(&before, &p.record(), sizeof before), 0);
    EXPECT_TRUE(p.doc().tag_saved);

    // OK with "Yes": the flag is set, the box checked, the tag needs saving.
    WhenModalAppears([](QWidget* d) {
        Click(d, kIdVapourYes);
        Click(d, kOk);
    });
    box->click();
    EXPECT_EQ(p.record().Factor_H2OvapIncl, 1);
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(p.doc().tag_saved);
    EXPECT_TRUE(p.frame.Action(cmd::kFactorWaterVapor)->isChecked());

    // Clicking the checked box opens the dialog again; Cancel leaves it checked.
    WhenModalAppears([](QWidget* d) { Click(d, kCancel); });
    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(p.record().Factor_H2OvapIncl, 1);
}

// Replaces entry 2 ("scfm") of the gas base-volume list with the custom unit
// "MM scfy" through the Units Array Setup and its custom-unit dialog.
void DefineMmScfy(CMainFrame& frame) {
    WhenModalAppears([](QWidget* d) {
        WhenModalAppears(
            [](QWidget* custom) {
                Find<QComboBox>(custom, kIdCustomQuantity)->setCurrentIndex(0);  // scf
                Find<QComboBox>(custom, kIdCustomTime)->setCurrentIndex(0);      // per year
                Find<QComboBox>(custom, kIdCustomPrefix)->setCurrentIndex(9);    // MM
                Click(custom, kOk);
            },
            [d](QWidget* w) { return w != d; });
        Click(d, kIdUnitSetFirst + 2);
        Click(d, kOk);
    });
    frame.RunCommand(cmd::kFlowUnits1 + static_cast<int>(FlowKind::GasBase) - 1);
}

// Natural gas at 100 psig and 60 deg F through a concentric orifice in a 4.026 in
// pipe, 60,000 scfh at 100 inH2O.
void GasOrifice(TagRecord& r) {
    r.Pipe_IDia = 4.026;
    r.Property_MwDenVp = 0.6;
    r.Base_RhoGZ = 1.0;
    r.Flow_RhoGZ = 0.98;
    r.Flow_Press = 114.696;
    r.Flow_Temp = 519.67;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    r.Flow_Max = 60000.0;
    r.Flow_Norm = 48000.0;
    r.Dp_Max = 100.0;
}

TEST(Wiring, DrainFactorSwitchedOnAtTheFormShowsInTheResults) {
    Program p;
    WhenModalAppears([](QWidget* d) { Click(d, kOk); });
    p.frame.RunCommand(cmd::kOrificePlate);
    GasOrifice(p.record());
    p.doc().NotifyRecordChanged();
    auto* box = Find<QCheckBox>(p.view(), 1185);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isEnabled());
    WhenModalAppears([](QWidget* d) {
        Click(d, kDrainFromList);
        Find<QListWidget>(d, kIdDrainList)->setCurrentRow(1);  // 3/32 in
        Click(d, kOk);
    });
    box->click();
    ASSERT_EQ(p.record().Factor_Drain, 1);
    p.frame.RunCommand(cmd::kCalculate);
    const TagRecord& r = p.record();
    ASSERT_NE(r.Calc_Status, 0) << ::testing::PrintToString(p.sink.Numbers());
    // Drain hole factor (R. W. Miller, Flow Measurement Engineering Handbook, 3rd ed.):
    // Fdh = 1 + sqrt(1 - b^4) x (ddh / (D x Fa_pipe x b))^2 with b = beta x Fa_meter;
    // for beta near 0.36 a 3/32 in hole in a 4.026 in pipe gives about 1.004.
    const double b = r.Beta * r.Fa_Meter;
    const double ratio = 0.09375 / (4.026 * r.Fa_Pipe * b);
    EXPECT_NEAR(r.Fdh, 1.0 + std::sqrt(1.0 - std::pow(b, 4)) * ratio * ratio, 1e-6);
    EXPECT_GT(r.Fdh, 1.001);
    EXPECT_LT(r.Fdh, 1.02);
    EXPECT_EQ(p.Text(1091).toStdString(), CFormat("%.6f", {r.Fdh}));
    EXPECT_EQ(p.Text(1092), QStringLiteral("0.0938"));  // 3/32 in = 0.09375 in
}

TEST(Wiring, CustomFlowUnitIsChosenOnTheFormAndUsedByCalculate) {
    Program p;
    WhenModalAppears([](QWidget* d) { Click(d, kOk); });
    p.frame.RunCommand(cmd::kOrificePlate);
    TagRecord& r = p.record();
    ASSERT_EQ(FlowKindOf(r), FlowKind::GasBase);
    GasOrifice(r);
    p.doc().NotifyRecordChanged();
    p.frame.RunCommand(cmd::kCalculate);
    ASSERT_NE(r.Calc_Status, 0) << ::testing::PrintToString(p.sink.Numbers());
    const double bore = r.Bore;
    ASSERT_GT(bore, 1.0);

    DefineMmScfy(p.frame);
    EXPECT_EQ(UnitName(p.doc().unit_tables, UnitList::GasBaseVolFlow, 2), "MM scfy");
    auto* qm_unit = Find<QComboBox>(p.view(), 1030);
    ASSERT_NE(qm_unit, nullptr);
    ASSERT_GT(qm_unit->count(), 2);
    EXPECT_EQ(qm_unit->itemText(2), QStringLiteral("MM scfy"));
    qm_unit->setCurrentIndex(2);
    emit qm_unit->activated(2);
    EXPECT_EQ(std::string(GetText(r.Unit_Flow_Text)), "MM scfy");
    EXPECT_DOUBLE_EQ(r.Unit_Flow, 8.76e-3);
    // Hand calculation: 60,000 scfh x 8760 h per year = 525.6e6 scf per year = 525.6 MM scfy.
    EXPECT_NEAR(p.Number(1024), 525.6, 0.05);

    // Flow sizing at the sized bore gives the same gas back, shown in MM scfy.
    r.Calc_SizeParam = Code(SizeParam::Flow);
    p.doc().NotifyRecordChanged();
    p.frame.RunCommand(cmd::kCalculate);
    ASSERT_NE(r.Calc_Status, 0) << ::testing::PrintToString(p.sink.Numbers());
    EXPECT_DOUBLE_EQ(r.Bore, bore);
    EXPECT_DOUBLE_EQ(r.Unit_Flow, 8.76e-3);  // still the custom entry after Calculate
    EXPECT_NEAR(r.Flow_Max, 60000.0, 60.0);
    EXPECT_NEAR(p.Number(1096), 525.6, 0.6);
    EXPECT_EQ(Find<QComboBox>(p.view(), 1056)->currentText(), QStringLiteral("MM scfy"));
}

TEST(Wiring, BaseDialogRescalesGasVolumeAtBaseConditionsOnly) {
    struct Case {
        const char* name;
        int32_t equation, condition;
        double expected_max;
    };
    // Hand calculation (ideal gas, same quantity): Q2 = Q1 x (Pb1 / Pb2) x (Tb2 / Tb1)
    // = 1000 x (14.69595 / 15) x (491.67 / 519.67) = 926.94 scfh.
    const Case cases[] = {
        {"gas volume at base", Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), 926.94},
        {"gas volume flowing", Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), 1000.0},
        {"liquid mass", Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp), 1000.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        TagRecord& r = p.record();
        r.Fluid_Equation = c.equation;
        r.Fluid_Condition = c.condition;
        r.Flow_Max = 1000.0;
        r.Flow_Norm = 800.0;
        p.doc().NotifyRecordChanged();
        ASSERT_DOUBLE_EQ(r.Base_Press, 14.69595);
        ASSERT_DOUBLE_EQ(r.Base_Temp, 519.67);
        WhenModalAppears([](QWidget* d) {
            Find<QLineEdit>(d, 1115)->setText(QStringLiteral("15"));
            Find<QLineEdit>(d, 1116)->setText(QStringLiteral("32"));
            Click(d, kOk);
        });
        p.frame.RunCommand(cmd::kBase);
        EXPECT_DOUBLE_EQ(r.Base_Press, 15.0);
        EXPECT_NEAR(r.Base_Temp, 491.67, 1e-9);
        EXPECT_NEAR(r.Flow_Max, c.expected_max, 0.005);
        EXPECT_NEAR(r.Flow_Norm, c.expected_max * 0.8, 0.005);
    }
}

TEST(Wiring, BaseDialogCancelOrRefusalKeepsTheFlows) {
    Program p;  // a new tag: gas volume at base conditions
    TagRecord& r = p.record();
    r.Flow_Max = 1000.0;
    r.Flow_Norm = 800.0;
    const TagRecord before = r;
    WhenModalAppears([](QWidget* d) {
        Find<QLineEdit>(d, 1115)->setText(QStringLiteral("15"));
        Find<QLineEdit>(d, 1116)->setText(QStringLiteral("32"));
        Click(d, kCancel);
    });
    p.frame.RunCommand(cmd::kBase);
    EXPECT_EQ(std::memcmp(&before, &r, sizeof before), 0);

    // A refused base temperature is reported through the program's sink, and
    // Cancel then keeps the flows.
    WhenModalAppears([](QWidget* d) {
        Find<QLineEdit>(d, 1116)->setText(QStringLiteral("-500"));  // below absolute zero
        Click(d, kOk);
        EXPECT_TRUE(d->isVisible());
        Click(d, kCancel);
    });
    p.frame.RunCommand(cmd::kBase);
    EXPECT_EQ(p.sink.Numbers(), std::vector<int>{msg::kErrBaseTemperature});
    EXPECT_EQ(std::memcmp(&before, &r, sizeof before), 0);
}

TEST(Wiring, ScheduleBoxTakesTheStandardInsideDiameterOrGoesNonStd) {
    struct Case {
        const char* schedule;
        double expected_id;  // [in]
        bool warned;
    };
    // ASME B36.10M, 4 in pipe (OD 4.500 in): schedule 80 wall 0.337 in -> ID 3.826 in;
    // XXS wall 0.674 in -> ID 3.152 in; the standard lists no 4 in schedule 20, so the
    // diameter shown (4.026 in, STD) stays and the schedule becomes NON-STD.
    const Case cases[] = {{"80", 3.826, false}, {"XXS", 3.152, false}, {"20", 4.026, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.schedule);
        Program p;  // carbon steel, 4 in STD
        p.doc().tag_saved = true;
        auto* box = Find<QComboBox>(p.view(), 1040);
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(box->currentText(), QStringLiteral("STD"));
        const int at = box->findText(QString::fromLatin1(c.schedule));
        ASSERT_GE(at, 0);
        box->setCurrentIndex(at);
        emit box->activated(at);
        EXPECT_NEAR(p.record().Pipe_IDia, c.expected_id, 5e-4);
        EXPECT_EQ(p.Text(1038).toDouble(), p.record().Pipe_IDia);
        const std::string stored(GetText(p.record().Pipe_Sched_Text));
        EXPECT_EQ(stored, c.warned ? "NON-STD" : c.schedule);
        EXPECT_EQ(box->currentText().toStdString(), stored);
        EXPECT_EQ(p.sink.messages.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_EQ(p.sink.messages[0].caption, "WARNING");
        }
        EXPECT_EQ(p.record().Calc_Status, 0);
        EXPECT_FALSE(p.doc().tag_saved);
    }
}

TEST(Wiring, TypedNominalSizeTakesTheDiameterOfTheChosenSchedule) {
    Program p;  // carbon steel, 4 in STD
    QApplication::setActiveWindow(&p.frame);
    auto type = [&p](int id, const QString& text) {
        auto* edit = Find<QLineEdit>(p.view(), id);
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    };
    auto* box = Find<QComboBox>(p.view(), 1040);
    const int xxs = box->findText(QStringLiteral("XXS"));
    box->setCurrentIndex(xxs);
    emit box->activated(xxs);
    // ASME B36.10M 6 in XXS: OD 6.625 in, wall 0.864 in -> ID 4.897 in.
    type(1037, QStringLiteral("6"));
    EXPECT_DOUBLE_EQ(p.record().Pipe_NomDia, 6.0);
    EXPECT_NEAR(p.record().Pipe_IDia, 4.897, 5e-4);
    EXPECT_TRUE(p.sink.messages.empty());
    // The standard lists XXS only up to 12 in: a 24 in pipe keeps the diameter,
    // goes NON-STD and asks for the diameter.
    type(1037, QStringLiteral("24"));
    EXPECT_DOUBLE_EQ(p.record().Pipe_NomDia, 24.0);
    EXPECT_NEAR(p.record().Pipe_IDia, 4.897, 5e-4);
    EXPECT_EQ(std::string(GetText(p.record().Pipe_Sched_Text)), "NON-STD");
    EXPECT_EQ(box->currentText(), QStringLiteral("NON-STD"));
    ASSERT_EQ(p.sink.messages.size(), 1u);
    EXPECT_EQ(p.sink.messages[0].caption, "WARNING");
}

}  // namespace
}  // namespace quorven
