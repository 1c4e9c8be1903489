// The main form driven as a user drives it: typing, tabbing, unit boxes and the
// Calculate button, with the results read back from the result controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "app/document.h"
#include "app/view.h"
#include "form/form_input.h"
#include "messages/messages.h"
#include "qt_test_support.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {
namespace {

using testing::Find;

// A project window with its form shown, messages recorded.
struct Form {
    RecordingMessageSink sink;
    CChildFrame frame;
    Form() {
        frame.View().SetMessageSink(&sink);
        frame.resize(1280, 760);
        frame.show();
        QApplication::setActiveWindow(&frame);
    }
    TagRecord& record() { return frame.Document().record; }
    QWidget* view() { return &frame.View(); }
    void Refresh() { frame.Document().NotifyRecordChanged(); }
    // Types `text` into the control and moves on with Tab (the commit point).
    void Type(int id, const QString& text) {
        auto* edit = Find<QLineEdit>(view(), id);
        ASSERT_NE(edit, nullptr) << id;
        ASSERT_TRUE(edit->isVisible()) << id;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    }
    QString Text(int id) {
        auto* label = Find<QLabel>(view(), id);
        if (label != nullptr) return label->text();
        auto* edit = Find<QLineEdit>(view(), id);
        return edit != nullptr ? edit->text() : QString("<none>");
    }
};

// A custom liquid meter (C given, so no coefficient correlation) on a 4.026 in pipe.
void CustomLiquid(TagRecord& r) {
    r.Meter_Type = Code(MeterType::CustomOrifice);
    r.C = 0.6;
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Calc_SizeParam = Code(SizeParam::Bore);
    r.Pipe_IDia = 4.026;
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);  // liquid mass, density
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.DpRefFact = 1.0;
    r.Property_KFp = 1.0;
}

bool AllFinite(const TagRecord& r) {
    const double v[] = {
        r.Flow_Press,       r.Flow_Temp,  r.Flow_RhoGZ, r.Base_RhoGZ, r.Property_Visc, r.Property_KFp,
        r.Property_MwDenVp, r.Flow_Max,   r.Flow_Norm,  r.Dp_Max,     r.Dp_Norm,       r.Bore,
        r.Pipe_IDia,        r.Base_Press, r.Base_Temp,  r.AtmPress,   r.DpRefTemp,     r.SegHs};
    for (double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

TEST(MainForm, EachFluidLayoutShowsItsRowsAndTypedValuesReachTheRecord) {
    struct Case {
        int equation, condition, property;
        const char* title;
        const char* first_label;
        int rows;
    };
    const Case cases[] = {
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG), "Liq Vol-SG@Base", "Gb", 7},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG), "Liq Vol-SG@Flowing", "Gf1", 6},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidDensity), "Liq Vol-Density@Base", "Db", 7},
        {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity), "Liq Vol-Density@Flowing", "Df1", 6},
        {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidSG), "Liq Mass-SG", "Gf1", 6},
        {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity), "Liq Mass-Density", "Df1", 6},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG),
         "Gas Vol-PVT@Base", "Gg", 7},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW),
         "Gas Vol-PVT@Flow", "Mw", 6},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity),
         "Gas Vol-Density@Base", "Db", 6},
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasDensity),
         "Gas Vol-Density@Flow", "Df1", 5},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG),
         "Vapor Mass-PVT@Flow", "Gg", 6},
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasDensity),
         "Vapor Mass-Density", "Df1", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Form f;
        f.record().Fluid_Equation = c.equation;
        f.record().Fluid_Condition = c.condition;
        f.record().Fluid_Property = c.property;
        f.Refresh();
        EXPECT_EQ(f.Text(1000), c.title);
        EXPECT_EQ(f.Text(1009), c.first_label);
        int shown = 0;
        for (int i = 0; i < 7; ++i) shown += Find<QLineEdit>(f.view(), 1002 + i)->isVisible() ? 1 : 0;
        EXPECT_EQ(shown, c.rows);
        // Typing into every shown row, tabbing on, never stores NaN; junk reads as 0.
        for (int i = 0; i < 7; ++i) {
            if (!Find<QLineEdit>(f.view(), 1002 + i)->isVisible()) continue;
            f.Type(1002 + i, i % 2 == 0 ? "12.5" : "nan");
            EXPECT_TRUE(AllFinite(f.record()));
        }
        EXPECT_EQ(f.record().Calc_Status, 0);
    }
}

TEST(MainForm, TypedValuesAreConvertedAndRedrawnInTheChosenUnit) {
    Form f;
    f.record().Fluid_Equation = Code(FluidEquation::GasVolume);
    f.record().Fluid_Condition = Code(FluidCondition::GasBase);
    f.record().Fluid_Property = Code(FluidProperty::GasSG);
    f.Refresh();
    // Row 4 is "Pf1"; choose psia (index 1) and type 100.
    ASSERT_EQ(f.Text(1012), "Pf1");
    auto* unit = Find<QComboBox>(f.view(), 1019);
    ASSERT_NE(unit, nullptr);
    unit->setCurrentIndex(1);
    emit unit->activated(1);
    f.Type(1005, "100");
    EXPECT_NEAR(f.record().Flow_Press, 100.0, 1e-9);
    // kPa-ab (index 3): the same pressure shows as 689.48 (100 x 6.894757).
    unit->setCurrentIndex(3);
    emit unit->activated(3);
    EXPECT_TRUE(f.Text(1005).startsWith("689.4"));
    EXPECT_NEAR(f.record().Flow_Press, 100.0, 1e-9);
    // Downstream taps relabel the row without touching its value.
    f.record().Tap_Loc = Code(TapLoc::Downstream);
    f.Refresh();
    EXPECT_EQ(f.Text(1012), "Pf2");
    EXPECT_NEAR(f.record().Flow_Press, 100.0, 1e-9);
}

TEST(MainForm, BaseTemperatureRescalesGasFlowAndRefusesAbsoluteZero) {
    Form f;
    f.record().Fluid_Equation = Code(FluidEquation::GasVolume);
    f.record().Fluid_Condition = Code(FluidCondition::GasBase);
    f.record().Flow_Max = 1000.0;
    f.record().Flow_Norm = 1000.0;
    f.Refresh();
    f.Type(1046, "32");
    // Hand calculation: 1000 x 491.67 / 519.67 = 946.12
    EXPECT_NEAR(f.record().Flow_Max, 946.12, 0.005);
    f.Type(1046, "-500");
    EXPECT_EQ(f.sink.Numbers(), std::vector<int>{msg::kErrBaseTemperature});
    EXPECT_NEAR(f.record().Base_Temp, 491.67, 1e-9);
    EXPECT_EQ(f.Text(1046), "32.00");
}

TEST(MainForm, MissingRowsAreHighlightedAndReportedWithError3) {
    Form f;
    CustomLiquid(f.record());
    f.Refresh();
    QTest::mouseClick(f.frame.View().CalculateButton(), Qt::LeftButton);
    ASSERT_FALSE(f.sink.Numbers().empty());
    EXPECT_EQ(f.sink.Numbers().back(), msg::kErrMissingInput);
    EXPECT_FALSE(Find<QLineEdit>(f.view(), 1024)->styleSheet().isEmpty());  // "Wm" row missing
    EXPECT_TRUE(AllFinite(f.record()));
}

TEST(MainForm, CustomMeterBoreThenFlowAndDpRoundTripThroughTheForm) {
    Form f;
    CustomLiquid(f.record());
    f.Refresh();
    // Fluid rows of "Liq Mass-Density": Df1, Pf1, Tf1, u, Fp, Pv.
    f.Type(1002, "62.3");
    f.Type(1003, "100");
    f.Type(1004, "60");
    f.Type(1005, "1");
    f.Type(1006, "1");
    f.Type(1007, "0.3");
    // Sizing rows for a bore: Wm, Wn, dPm.
    f.Type(1024, "50000");
    f.Type(1025, "40000");
    f.Type(1026, "100");
    QTest::mouseClick(f.frame.View().CalculateButton(), Qt::LeftButton);
    ASSERT_NE(f.record().Calc_Status, 0) << ::testing::PrintToString(f.sink.Numbers());
    const double bore = f.record().Bore;
    ASSERT_GT(bore, 0.0);
    ASSERT_LT(bore, 4.026);
    EXPECT_EQ(f.Text(1096), QString::fromStdString(FmtShort(bore)));
    EXPECT_EQ(f.Text(1085), "0.600000");  // the custom C, as stored
    // The same bore, sized for flow at the maximum differential, gives back the
    // maximum flow (the flow equation solved both ways).
    f.record().Calc_SizeParam = Code(SizeParam::Flow);
    f.Refresh();
    f.Type(1024, QString::number(bore, 'f', 10));
    f.Type(1025, "100");
    f.Type(1026, "64");
    QTest::mouseClick(f.frame.View().CalculateButton(), Qt::LeftButton);
    ASSERT_NE(f.record().Calc_Status, 0);
    EXPECT_NEAR(ToUser(f.record(), Quantity::Flow, f.record().Flow_Max), 50000.0, 0.5);
    EXPECT_NEAR(ReadLeadingNumber(f.Text(1096).toStdString()).value_or(0), 50000.0, 0.5);
    // And sized for dP at that flow, the differential comes back.
    f.record().Calc_SizeParam = Code(SizeParam::Dp);
    f.Refresh();
    f.Type(1024, "50000");
    f.Type(1025, "40000");
    QTest::mouseClick(f.frame.View().CalculateButton(), Qt::LeftButton);
    ASSERT_NE(f.record().Calc_Status, 0);
    EXPECT_NEAR(ReadLeadingNumber(f.Text(1096).toStdString()).value_or(0), 100.0, 0.01);
    EXPECT_TRUE(AllFinite(f.record()));
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(MainForm, GasOrificeFromAFreshTagSizesItsBoreAndShowsTheEngineValues) {
    Form f;
    f.record().Pipe_IDia = 4.026;
    f.Refresh();
    ASSERT_EQ(f.Text(1000), "Gas Vol-PVT@Base");
    // Gg, Zb, Zf1, Pf1, Tf1, u, K; then Qm, Qn, dPm.
    const char* fluid[] = {"0.6", "1", "0.98", "100", "60", "0.011", "1.3"};
    for (int i = 0; i < 7; ++i) f.Type(1002 + i, fluid[i]);
    // Hand estimate (AGA 3 form, d = 2 in, C = 0.6): about 79,000 scfd at 100 inH2O,
    // so 60,000 scfd asks for a beta near 0.45.
    f.Type(1024, "60000");
    f.Type(1025, "48000");
    f.Type(1026, "100");
    QTest::mouseClick(f.frame.View().CalculateButton(), Qt::LeftButton);
    const TagRecord& r = f.record();
    ASSERT_NE(r.Calc_Status, 0) << ::testing::PrintToString(f.sink.Numbers());
    // A plausible orifice: beta inside the usual range, C near the Stolz value of
    // about 0.60, Y just below 1 for hw/Pf of 100 inH2O over about 115 psia.
    EXPECT_GT(r.Beta, 0.2);
    EXPECT_LT(r.Beta, 0.75);
    EXPECT_NEAR(r.C, 0.60, 0.02);
    EXPECT_GT(r.Y, 0.98);
    EXPECT_LT(r.Y, 1.0);
    // The result controls show the stored values in their formats.
    EXPECT_EQ(f.Text(1085).toStdString(), CFormat("%.6f", {r.C}));
    EXPECT_EQ(f.Text(1088).toStdString(), CFormat("%.6f", {r.Y}));
    EXPECT_EQ(f.Text(1084).toStdString(), CFormat("%.0f", {r.Rd}));
    EXPECT_EQ(f.Text(1095).toStdString(), CFormat("%.5f", {r.Beta}));
    EXPECT_TRUE(AllFinite(r));
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(MainForm, NominalPipeSizeTypedInMillimetresFindsTheListedSize) {
    Form f;
    ASSERT_TRUE(SelectUnit(f.record(), DefaultUnitTables(), Quantity::PipeSize, 1));  // mm
    f.Refresh();
    f.Type(1037, "550");
    EXPECT_DOUBLE_EQ(f.record().Pipe_NomDia, 22.0);  // NPS 22 = DN 550
    EXPECT_EQ(f.Text(1037), "550.00");
    f.Type(1037, "abc");  // no size: the stored one stays
    EXPECT_DOUBLE_EQ(f.record().Pipe_NomDia, 22.0);
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(MainForm, ResultUnitBoxRedrawsTheSizedBoreInTheChosenUnit) {
    Form f;
    f.record().Bore = 2.0;
    f.record().Calc_SizeParam = Code(SizeParam::Bore);
    f.Refresh();
    auto* box = Find<QComboBox>(f.view(), 1056);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->count(), 3);  // in, mm, cm
    box->setCurrentIndex(1);
    emit box->activated(1);
    // 2 in = 50.8 mm (exact by definition of the inch).
    EXPECT_EQ(f.Text(1096).toStdString(), FmtShort(50.8));
    EXPECT_DOUBLE_EQ(f.record().Bore, 2.0);
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(MainForm, TabGoesFromTheHeaderIntoTheFluidRows) {
    Form f;
    f.record().Fluid_Equation = Code(FluidEquation::LiquidVolume);
    f.record().Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    f.record().Fluid_Property = Code(FluidProperty::LiquidSG);
    f.Refresh();
    auto* line = Find<QLineEdit>(f.view(), 1108);
    line->setFocus();
    QApplication::processEvents();
    QTest::keyClick(line, Qt::Key_Tab);  // to "Fluid"
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(f.view(), 1001));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // to the first row, "Gf1"
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(f.view(), 1002));
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(MainForm, BaseConditionUnitBoxesRedrawAndReadTheirRowInTheChosenUnit) {
    struct Case {
        const char* name;
        int edit, box, index;
        const char* unit;   // the name the box shows after the choice
        const char* shown;  // the stored default redrawn in that unit
        const char* typed;
        double TagRecord::*field;
        double stored;  // internal value of `typed`
    };
    const Case cases[] = {
        // Hand calculation: 14.69595 psia x 6.894757 = 101.3250 kPa; 100 kPa / 6.894757 = 14.50377 psia.
        {"Pb", 1045, 1050, 1, "kPa-ab", "101.3250", "100", &TagRecord::Base_Press, 14.503774},
        // Hand calculation: 519.67 degR = 60 degF = (60 - 32) / 1.8 = 15.56 degC; 0 degC = 491.67 degR.
        {"Tb", 1046, 1051, 2, "deg C", "15.56", "0", &TagRecord::Base_Temp, 491.67},
        // Hand calculation: 527.67 degR / 1.8 = 293.15 K; 300 K x 1.8 = 540 degR.
        {"dP Ref @", 1047, 1052, 3, "deg K", "293.15", "300", &TagRecord::DpRefTemp, 540.0},
        // Hand calculation: 14.696 psia x 0.06894757 = 1.0133 bar; 1 bar / 0.06894757 = 14.50377 psia.
        {"Patm", 1048, 1053, 3, "bar-ab", "1.0133", "1", &TagRecord::AtmPress, 14.503774},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form f;
        f.record().Fluid_Equation = Code(FluidEquation::LiquidVolume);  // a liquid: no gas-volume rescale
        f.Refresh();
        auto* box = Find<QComboBox>(f.view(), c.box);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box->isVisible());
        EXPECT_EQ(box->currentIndex(), 0);
        box->setCurrentIndex(c.index);
        emit box->activated(c.index);
        EXPECT_EQ(box->currentIndex(), c.index);
        EXPECT_EQ(box->currentText(), c.unit);
        EXPECT_EQ(f.Text(c.edit), c.shown);
        f.Type(c.edit, c.typed);
        EXPECT_NEAR(f.record().*(c.field), c.stored, 5e-6);
        EXPECT_TRUE(f.sink.Numbers().empty());
        EXPECT_TRUE(AllFinite(f.record()));
    }
}

TEST(MainForm, BaseConditionUnitChoiceSetsSelectionFactorAndText) {
    Form f;
    emit Find<QComboBox>(f.view(), 1050)->activated(1);  // Pb in kPa-ab
    emit Find<QComboBox>(f.view(), 1053)->activated(3);  // Patm in bar-ab
    emit Find<QComboBox>(f.view(), 1051)->activated(2);  // Tb in deg C
    emit Find<QComboBox>(f.view(), 1052)->activated(1);  // dP reference in deg R
    const TagRecord& r = f.record();
    EXPECT_EQ(r.Unit_BasePress_Set, 1);
    EXPECT_DOUBLE_EQ(r.Unit_BasePress, 6.894757);
    EXPECT_EQ(r.Unit_AtmPress_Set, 3);
    EXPECT_DOUBLE_EQ(r.Unit_AtmPress, 0.06894757);
    EXPECT_EQ(GetText(r.Unit_AtmPress_Text), "bar-ab");
    EXPECT_EQ(r.Unit_BaseTemp_Set, 2);
    EXPECT_EQ(r.Unit_DpRefTemp_Set, 1);
    // The values themselves are untouched by a unit choice.
    EXPECT_DOUBLE_EQ(r.Base_Press, 14.69595);
    EXPECT_DOUBLE_EQ(r.AtmPress, 14.696);
    EXPECT_EQ(f.Text(1047), "527.67");
}

TEST(MainForm, VapourPressureIsStoredOnlyWhenItsBoxShowsTheAtmosphericUnit) {
    Form f;
    f.record().Fluid_Equation =
        Code(FluidEquation::LiquidVolume);  // "Liq Vol-SG@Base": "Pv" is the seventh row
    f.record().Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    f.record().Fluid_Property = Code(FluidProperty::LiquidSG);
    f.Refresh();
    ASSERT_EQ(f.Text(1015), "Pv");
    emit Find<QComboBox>(f.view(), 1053)->activated(1);  // Patm in kPa-ab
    auto* pv_box = Find<QComboBox>(f.view(), 1022);
    ASSERT_NE(pv_box, nullptr);
    EXPECT_EQ(pv_box->currentIndex(), 1);
    // Same unit: stored. Hand calculation: 50 kPa / 6.894757 = 7.251887 psia.
    f.Type(1008, "50");
    EXPECT_NEAR(f.record().Property_MwDenVp, 7.251887, 1e-6);
    // The box shows another unit than the record's (psia): the typed value is not
    // stored, and the refresh puts back the stored value and the record's unit.
    f.record().Calc_Status = 1;
    pv_box->setCurrentIndex(0);
    f.Type(1008, "20");
    EXPECT_NEAR(f.record().Property_MwDenVp, 7.251887, 1e-6);
    EXPECT_EQ(f.record().Calc_Status, 1);
    EXPECT_EQ(pv_box->currentIndex(), 1);
    EXPECT_TRUE(f.Text(1008).startsWith("50.0"));
    EXPECT_TRUE(f.sink.Numbers().empty());
}

TEST(MainForm, LiquidAtmosphericUnitFollowsTheFlowingPressureUnit) {
    Form f;
    f.record().Fluid_Equation = Code(FluidEquation::LiquidVolume);
    f.record().Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    f.record().Fluid_Property = Code(FluidProperty::LiquidSG);
    f.Refresh();
    // The flowing-pressure row, wherever the liquid layout puts it (unit box = label id + 7).
    int label = 0;
    for (int id = 1009; id <= 1015; ++id)
        if (f.Text(id).startsWith("Pf")) label = id;
    ASSERT_NE(label, 0);
    auto* unit = Find<QComboBox>(f.view(), label + 7);
    ASSERT_NE(unit, nullptr);
    // kPa-ga (index 2) and kPa-ab (index 3) are both the kPa family: absolute member 3 / 2 = 1.
    for (int index : {2, 3}) {
        unit->setCurrentIndex(index);
        emit unit->activated(index);
        EXPECT_EQ(f.record().Unit_Press_Set, index);
        EXPECT_EQ(f.record().Unit_AtmPress_Set, 1);
    }
}

}  // namespace
}  // namespace quorven
