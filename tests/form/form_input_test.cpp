// The main form's editing rules and result rows, without widgets.

#include "form/form_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "engine/calculate.h"
#include "form/meter_choices.h"
#include "form/result_rows.h"
#include "messages/messages.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {
namespace {

TEST(ReadLeadingNumber, ReadsTheLongestLeadingDecimalNumberOnly) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"12.5abc", 12.5},
        {"abc", 0.0},
        {"  -3e2x", -300.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {".5", 0.5},
        {"-.5e-1", -0.05},
        {"+7", 7.0},
        {".", 0.0},
        {"-", 0.0},
        {"", 0.0},
        {"-0", 0.0},
        // Not numbers here: special values and hexadecimal forms read as 0 ...
        {"inf", 0.0},
        {"-infinity", 0.0},
        {"nan", 0.0},
        {"0x10", 0.0},
        {"0X1p3", 0.0},
        // ... a comma never is a decimal point, whatever the locale ...
        {"1,5", 1.0},
        // ... and a number no double holds is no number (the caller keeps its value).
        {"1e999", std::nullopt},
        {"1e-999", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> v = ReadLeadingNumber(c.text);
        ASSERT_EQ(v.has_value(), c.expected.has_value());
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.expected);
        }
    }
}

TagRecord GasAtBase() {
    TagRecord r = NewTagRecord();
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Pipe_IDia = 4.026;
    return r;
}

TEST(StoreBaseValue, BaseTemperatureChangeKeepsTheSameQuantityOfGas) {
    TagRecord r = GasAtBase();
    ASSERT_EQ(r.Unit_BaseTemp_Set, 0);  // deg F
    r.Flow_Max = 1000.0;
    r.Flow_Norm = 800.0;
    RecordingMessageSink sink;
    ASSERT_TRUE(StoreBaseValue(r, BaseField::BaseTemperature, 32.0, sink));
    // Hand calculation: 1000 x 491.67 / 519.67 = 946.1196...
    EXPECT_NEAR(r.Flow_Max, 946.1196, 1e-4);
    EXPECT_NEAR(r.Flow_Norm, 800.0 * 491.67 / 519.67, 1e-9);
    EXPECT_NEAR(r.Base_Temp, 491.67, 1e-9);
    EXPECT_TRUE(sink.Numbers().empty());
    // A liquid's flow is not rescaled.
    TagRecord liquid = GasAtBase();
    liquid.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    liquid.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    liquid.Flow_Max = 1000.0;
    ASSERT_TRUE(StoreBaseValue(liquid, BaseField::BaseTemperature, 32.0, sink));
    EXPECT_DOUBLE_EQ(liquid.Flow_Max, 1000.0);
}

TEST(StoreBaseValue, BaseAtOrBelowAbsoluteZeroIsRefusedAndTheOldValueKept) {
    struct Case {
        BaseField field;
        double typed;
        int error;
    };
    const Case cases[] = {{BaseField::BasePressure, 0.0, msg::kErrBasePressure},
                          {BaseField::BasePressure, -14.7, msg::kErrBasePressure},
                          {BaseField::BaseTemperature, -459.67, msg::kErrBaseTemperature},
                          {BaseField::BaseTemperature, -500.0, msg::kErrBaseTemperature},
                          // Valid by themselves, but the gas flows at base would become
                          // infinite (found by fuzzing): refused the same way.
                          {BaseField::BaseTemperature, 1e308, msg::kErrBaseTemperature},
                          {BaseField::BasePressure, 1e-305, msg::kErrBasePressure}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TagRecord r = GasAtBase();
        r.Flow_Max = 1000.0;
        r.Flow_Norm = 800.0;
        const TagRecord before = r;
        RecordingMessageSink sink;
        EXPECT_FALSE(StoreBaseValue(r, c.field, c.typed, sink));
        EXPECT_EQ(sink.Numbers(), std::vector<int>{c.error});
        EXPECT_DOUBLE_EQ(r.Base_Press, before.Base_Press);
        EXPECT_DOUBLE_EQ(r.Base_Temp, before.Base_Temp);
        EXPECT_DOUBLE_EQ(r.Flow_Max, 1000.0);
        EXPECT_DOUBLE_EQ(r.Flow_Norm, 800.0);
        // The base dialog's OK follows the same rule.
        TagRecord d = GasAtBase();
        d.Flow_Max = 1000.0;
        d.Flow_Norm = 800.0;
        const TagRecord d_before = d;
        BaseChoice choice;
        choice.base_press = c.field == BaseField::BasePressure ? c.typed : 14.69595;
        choice.base_temp = c.field == BaseField::BaseTemperature ? c.typed : 60.0;
        RecordingMessageSink dialog;
        EXPECT_EQ(ApplyBaseChoice(d, choice, dialog), c.error);
        EXPECT_EQ(std::memcmp(&d, &d_before, sizeof d), 0);
    }
}

TEST(StoreRowValue, RowRulesAndTheirMessages) {
    RecordingMessageSink sink;
    TagRecord r = GasAtBase();
    r.Calc_Status = 1;
    // A bore of 5 in for a 4.026 in pipe: Error #11 and no bore.
    r.Unit_Bore_Set = 0;
    ASSERT_TRUE(StoreRowValue(r, RowKind::Bore, 5.0, sink));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrBoreAbovePipe});
    EXPECT_DOUBLE_EQ(r.Bore, 0.0);
    EXPECT_EQ(r.Calc_Status, 0);
    // Fp of 0 is 1.
    ASSERT_TRUE(StoreRowValue(r, RowKind::LiquidFp, 0.0, sink));
    EXPECT_DOUBLE_EQ(r.Property_KFp, 1.0);
    // H/D of 1 or more: Warning #20, SegHs unchanged; 0.4 gives 0.4 x ID.
    r.SegHs = 1.0;
    EXPECT_FALSE(StoreRowValue(r, RowKind::HOverD, 1.2, sink));
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrBoreAbovePipe, -msg::kWarnHOverDNotBelowOne}));
    EXPECT_DOUBLE_EQ(r.SegHs, 1.0);
    ASSERT_TRUE(StoreRowValue(r, RowKind::HOverD, 0.4, sink));
    EXPECT_DOUBLE_EQ(r.SegHs, 0.4 * 4.026);
    // A maximum flow below the normal flow pulls the normal flow down with it.
    r.Flow_Norm = 900.0;
    ASSERT_TRUE(StoreRowValue(r, RowKind::MaxFlow, ToUser(r, Quantity::Flow, 500.0), sink));
    EXPECT_NEAR(r.Flow_Max, 500.0, 1e-9);
    EXPECT_NEAR(r.Flow_Norm, 500.0, 1e-9);
    // A normal differential above the maximum is the maximum.
    r.Dp_Max = 100.0;
    ASSERT_TRUE(StoreRowValue(r, RowKind::DpNormal, ToUser(r, Quantity::DiffPressure, 150.0), sink));
    EXPECT_NEAR(r.Dp_Norm, 100.0, 1e-9);
    // Nothing stored is ever NaN or infinite.
    EXPECT_FALSE(StoreRowValue(r, RowKind::FlowPressure, std::nan(""), sink));
    EXPECT_FALSE(StoreRowValue(r, RowKind::FlowPressure, INFINITY, sink));
    EXPECT_TRUE(std::isfinite(r.Flow_Press));
}

TEST(StoreRowValue, FlowOnAFreshFormIsStoredInTheUnitTheBoxShows) {
    // The flow box shows the list entry at Unit_Flow_Set; a typed flow is that many
    // of that unit, whose factor (units per internal unit) is the list's.
    TagRecord r = NewTagRecord();
    const UnitTables& t = DefaultUnitTables();
    const int32_t shown = UnitSelection(r, Quantity::Flow);
    const UnitList list = FlowListOf(*FlowKindOf(r));
    EXPECT_EQ(GetText(r.Unit_Flow_Text), UnitName(t, list, shown));
    EXPECT_EQ(FlowSelection(r, *FlowKindOf(r)), shown);
    RecordingMessageSink sink;
    ASSERT_TRUE(StoreRowValue(r, RowKind::MaxFlow, 250000.0, sink));
    EXPECT_DOUBLE_EQ(r.Flow_Max, 250000.0 / UnitFactor(t, list, shown));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(StoreRowValue, TextThatIsNoNumberIsZeroGaugeOrAbsolute) {
    // "abc" in "Pf1" stores 0 psia in absolute units, atmospheric pressure in gauge units.
    for (const int index : {0, 1}) {  // psig, psia
        SCOPED_TRACE(index);
        TagRecord r = GasAtBase();
        ASSERT_TRUE(SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, index));
        r.Unit_PressSys_Set = index % 2;
        const std::optional<double> typed = ReadLeadingNumber("abc");
        ASSERT_TRUE(typed);
        RecordingMessageSink sink;
        ASSERT_TRUE(StoreRowValue(r, RowKind::FlowPressure, *typed, sink));
        EXPECT_NEAR(r.Flow_Press, index == 0 ? r.AtmPress : 0.0, 1e-9);
    }
}

const ResultLine* Line(const ResultView& v, int id) {
    for (const ResultLine& l : v.lines)
        if (l.value_id == id) return &l;
    return nullptr;
}

TEST(ResultView, ShowsWhatTheEngineStored) {
    TagRecord r = GasAtBase();
    r.Fluid_Equation = Code(FluidEquation::LiquidVolume);  // liquid
    r.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    r.Rd = 123456.0;
    r.Beta = 0.5;
    r.Uncert_Incl = 1;
    r.MeterUncert = 0.6;
    r.Uncert_StraightRun = 1;
    // Throat-tap nozzle: the stored bore Reynolds number once, not divided by beta.
    r.Meter_Type = Code(MeterType::AsmeThroatTapNozzle);
    ResultView v = BuildResultView(r);
    ASSERT_NE(Line(v, 1084), nullptr);
    EXPECT_EQ(Line(v, 1084)->label, "Bore Rd @ Oper =");
    EXPECT_EQ(Line(v, 1084)->value, "123456");
    EXPECT_EQ(Line(v, 1088), nullptr);        // a liquid has no gas expansion row
    EXPECT_EQ(Line(v, 1089)->value, "1.10");  // 0.6 + 0.5 straight-run allowance
    EXPECT_DOUBLE_EQ(r.Rd, 123456.0);         // not recomputed

    // Quadrant orifice, Calc_Std 1764, beta 0.5, bore 1.000 in: the sizing stores the
    // edge radius, hand calculation 1.000 x (0.734 / 0.9375 - 0.638) = 0.144933 in;
    // the display shows what is stored and never writes the record.
    r.Meter_Type = Code(MeterType::QuadrantOrifice);
    r.Calc_Std = Code(CalcStd::Miller3rd);
    r.Bore = 1.0;
    r.Unit_Bore_Set = 0;
    r.Unit_Bore = 1.0;
    r.Qrad_K0 = 0.0;
    v = BuildResultView(r);
    EXPECT_EQ(Line(v, 1098)->value, "0.0000");
    StoreDerivedResults(r);
    EXPECT_NEAR(r.Qrad_K0, 0.144933, 1e-6);
    const TagRecord before = r;
    v = BuildResultView(r);
    EXPECT_EQ(Line(v, 1098)->label, "Quad r =");
    EXPECT_EQ(Line(v, 1098)->value, "0.1449");
    EXPECT_EQ(std::memcmp(&before, &r, sizeof r), 0);

    // A restriction sized for flow shows 100 % range and loss whatever is stored.
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Calc_Mode = Code(CalcMode::Restriction);
    r.Calc_SizeParam = Code(SizeParam::Flow);
    r.Dp_Loss = 42.0;
    r.PctRange = 10.0;
    v = BuildResultView(r);
    EXPECT_EQ(Line(v, 1101)->value, "100.00");
    EXPECT_EQ(Line(v, 1102)->value, "100.00");
    EXPECT_EQ(Line(v, 1089), nullptr);  // no uncertainty row outside flow-meter mode
    EXPECT_NE(Line(v, 1759), nullptr);  // outlet noise shown
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(ResultView, UnitsAreTheNamesOfTheRecordsSelections) {
    TagRecord r = NewTagRecord();
    r.Calc_SizeParam = Code(SizeParam::Bore);
    ASSERT_TRUE(SelectUnit(r, DefaultUnitTables(), Quantity::DiffPressure, 0));
    const ResultView v = BuildResultView(r);
    const std::string dp_name(UnitName(DefaultUnitTables(), UnitList::DiffPressure, 0));
    ASSERT_FALSE(dp_name.empty());
    bool found = false;
    for (const ResultLine& l : v.lines) {
        if (l.value_id == 1097) {
            EXPECT_EQ(l.unit, dp_name);
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

TEST(NominalSizeFromTyped, EveryListedSizeIsFoundInEveryUnit) {
    // DN beside NPS as ASME B36.10M lists them: 1/2 = DN 15 ... 22 = DN 550,
    // 26 = DN 650, 28 = DN 700, 32 = DN 800, 48 = DN 1200 (ISO 6708 DN 32 and 65 for
    // 1 1/4 and 2 1/2; the program's own table lists 30 and 60, tested too).
    struct Case {
        double nps, dn;
    };
    const Case cases[] = {{0.5, 15}, {1.25, 32}, {2.5, 65}, {4, 100},  {8, 200},  {12, 300}, {1.25, 30},
                          {2.5, 60}, {22, 550},  {26, 650}, {28, 700}, {32, 800}, {48, 1200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nps);
        for (int unit : {0, 1, 2}) {  // in, mm, cm
            TagRecord r = NewTagRecord();
            ASSERT_TRUE(SelectUnit(r, DefaultUnitTables(), Quantity::PipeSize, unit));
            const double typed = unit == 0 ? c.nps : unit == 1 ? c.dn : c.dn / 10.0;
            EXPECT_DOUBLE_EQ(NominalSizeFromTyped(r, typed), c.nps) << "unit " << unit;
        }
    }
}

}  // namespace
}  // namespace quorven
