// What the three datasheet pages show and store, without widgets.
#include "form/datasheet_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "record/choice_codes.h"
#include "record/formats.h"
#include "record/units.h"

namespace quorven {
namespace {

// A calculated gas tag: natural gas at base conditions with specific gravity
// input, concentric orifice with flange taps in 4 in schedule 40 pipe.
TagRecord GasOrificeTag() {
    TagRecord r = NewTagRecord();
    SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, 1);  // psia
    SelectFlowUnit(r, DefaultUnitTables(), 1);                  // scfh
    SetText(r.Tag_No, "FE-101");
    SetText(r.Service, "FUEL GAS TO HEATER");
    SetText(r.Fluid, "NATURAL GAS");
    SetText(r.Meter, "ORIFICE PLATE");
    SetText(r.Tap_Style_Text, "FLANGE TAPS");
    SetText(r.Pipe_Sched_Text, "40");
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Fluid_Property = Code(FluidProperty::GasSG);
    r.Flow_Max = 250000.0;
    r.Flow_Norm = 200000.0;
    r.Flow_Press = 114.696;
    r.Flow_Temp = 519.67;
    r.Base_RhoGZ = 0.9981;
    r.Flow_RhoGZ = 0.9850;
    r.Property_KFp = 1.31;
    r.Property_MwDenVp = 0.6;
    r.Property_Visc = 0.0108;
    r.Dp_Max = 100.0;
    r.Beta = 0.52131;
    r.Bore = 2.0988;
    r.Calc_Status = kStatusCalculated;
    return r;
}

std::vector<std::string> Labels(const DsPage& page) {
    std::vector<std::string> out;
    for (const DsGroup& g : page.groups)
        for (const DsRow& row : g.rows) {
            if (!row.caption.empty()) out.push_back(row.caption);
            for (const DsItem& item : row.items)
                if (!item.label.empty()) out.push_back(item.label);
        }
    return out;
}
bool Has(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}
// The row of a page with this line number.
const DsRow& RowNo(const DsPage& page, int number) {
    for (const DsGroup& g : page.groups)
        for (const DsRow& row : g.rows)
            if (row.number == number) return row;
    static const DsRow kNone;
    ADD_FAILURE() << "no row " << number;
    return kNone;
}

TEST(DatasheetPage1, StateWordAndDensityRowsFollowTheFluidCase) {
    struct Case {
        const char* name;
        FluidEquation equation;
        int32_t condition;
        int32_t property;
        const char* state;
        std::vector<std::string> present, absent;
    };
    const Case cases[] = {
        {"gas volume at base, SG",
         FluidEquation::GasVolume,
         Code(FluidCondition::GasBase),
         Code(FluidProperty::GasSG),
         "GAS",
         {"BASE Z", "FLOW Z", "K (Cp/Cv)", "SPEC GRAV"},
         {"MOL. WT."}},
        {"gas at flowing conditions hides the base row",
         FluidEquation::GasVolume,
         Code(FluidCondition::GasFlowing),
         Code(FluidProperty::GasMW),
         "GAS",
         {"FLOW Z", "MOL. WT."},
         {"BASE Z", "SPEC GRAV"}},
        {"vapour mass with density",
         FluidEquation::GasMass,
         Code(FluidCondition::GasFlowing),
         Code(FluidProperty::GasDensity),
         "VAPOR",
         {"FLOW DENS", "K (Cp/Cv)"},
         {"BASE DENS", "MOL. WT.", "SPEC GRAV"}},
        {"liquid mass with SG: the single flowing row",
         FluidEquation::LiquidMass,
         Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG),
         "LIQUID",
         {"FLOW SG", "LIQUID COMPRESS, Fp:"},
         {"BASE SG", "K (Cp/Cv)"}},
        {"liquid mass with density",
         FluidEquation::LiquidMass,
         Code(FluidCondition::LiquidFlowingTemp),
         Code(FluidProperty::LiquidDensity),
         "LIQUID",
         {"FLOW DENS"},
         {"BASE DENS"}},
        {"liquid volume at base temperature",
         FluidEquation::LiquidVolume,
         Code(FluidCondition::LiquidBaseTemp),
         Code(FluidProperty::LiquidSG),
         "LIQUID",
         {"BASE SG", "FLOW SG"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TagRecord r = GasOrificeTag();
        r.Fluid_Equation = Code(c.equation);
        r.Fluid_Condition = c.condition;
        r.Fluid_Property = c.property;
        const DsPage page = DatasheetPage1(r, DefaultProjectSettings(), DefaultUnitTables());
        EXPECT_EQ(page.caption, "Datasheet - Part 1 of 3");
        EXPECT_EQ(RowNo(page, 5).items.at(1).text, c.state);
        const auto labels = Labels(page);
        for (const std::string& s : c.present) EXPECT_TRUE(Has(labels, s)) << s;
        for (const std::string& s : c.absent) EXPECT_FALSE(Has(labels, s)) << s;
    }
}

TEST(DatasheetPage1, ShowsTheProjectTextsAndValuesInDisplayUnits) {
    ProjectSettings s = DefaultProjectSettings();
    SetText(s.Company_Name, "Hollis Engineering");
    SetText(s.JobPO_No, "J-2231");
    TagRecord r = GasOrificeTag();
    SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, 2);  // kPa-ga
    const DsPage page = DatasheetPage1(r, s, DefaultUnitTables());
    EXPECT_EQ(page.groups[0].rows[0].items[0].text, "Hollis Engineering");
    EXPECT_EQ(page.groups[0].rows[4].items[0].text, "J-2231");
    EXPECT_EQ(RowNo(page, 1).items[0].text, "FE-101");
    // Hand calculation: 250000 scfh at factor 1; (114.696 - 14.696) psi x 6.894757 = 689.476 kPa-ga.
    EXPECT_EQ(RowNo(page, 6).items[0].text, "250000.00 scfh");
    EXPECT_EQ(RowNo(page, 7).items[1].text, "689.476 kPa-ga");
    // 519.67 deg R is 60 deg F.
    EXPECT_EQ(RowNo(page, 8).items[1].text, "60.00 deg F");
    // A stored maximum pressure of 0 shows 0 in a gauge unit, not minus one atmosphere.
    EXPECT_EQ(FindDsItem(page, ds::kMaxPress)->text, "0.0000");
    EXPECT_EQ(FindDsItem(page, ds::kMaxPress)->unit, "kPa-ga");
}

TEST(DatasheetPage1, ValuesThatAreNotFiniteShowADash) {
    TagRecord r = GasOrificeTag();
    r.Flow_Max = std::numeric_limits<double>::infinity();
    r.Flow_RhoGZ = std::numeric_limits<double>::quiet_NaN();
    const DsPage page = DatasheetPage1(r, DefaultProjectSettings(), DefaultUnitTables());
    EXPECT_EQ(RowNo(page, 6).items[0].text, "-");
    EXPECT_EQ(RowNo(page, 11).items.back().text, "-");
}

TEST(DatasheetPage1, MaximumPressureInAGaugeUnitIsStoredAbsolute) {
    struct Case {
        int32_t unit;  // Pressure list index
        const char* typed;
        double psia;  // hand calculation
    };
    const Case cases[] = {
        {0, "150", 150.0 + 14.696},               // psig
        {1, "150", 150.0},                        // psia
        {2, "1000", 1000.0 / 6.894757 + 14.696},  // kPa-ga
        {7, "10.5", 10.5 / 0.06894757},           // bar-ab
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        TagRecord r = GasOrificeTag();
        SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, c.unit);
        const DsPage page = DatasheetPage1(r, DefaultProjectSettings(), DefaultUnitTables());
        ASSERT_EQ(StoreDatasheetPage(r, page, {{ds::kMaxPress, c.typed}}), 0);
        EXPECT_NEAR(r.Max_Press, c.psia, 1e-9);
    }
}

TEST(DatasheetPage1, NumberBoxesKeepUnchangedValuesClearEmptyOnesAndRefuseText) {
    TagRecord r = GasOrificeTag();
    SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, 2);  // kPa-ga: display rounds
    r.Max_Press = 123.456789;
    r.Max_Temp = 760.123456;
    const DsPage page = DatasheetPage1(r, DefaultProjectSettings(), DefaultUnitTables());
    const std::string shown_press = FindDsItem(page, ds::kMaxPress)->text;
    const std::string shown_temp = FindDsItem(page, ds::kMaxTemp)->text;
    EXPECT_EQ(shown_temp, "300.45");  // 760.123456 deg R - 459.67 = 300.453456 deg F
    TagRecord stored = r;
    ASSERT_EQ(StoreDatasheetPage(stored, page, {{ds::kMaxPress, shown_press}, {ds::kMaxTemp, shown_temp}}),
              0);
    EXPECT_EQ(stored.Max_Press, 123.456789);  // not the rounded display value
    EXPECT_EQ(stored.Max_Temp, 760.123456);

    ASSERT_EQ(StoreDatasheetPage(stored, page, {{ds::kMaxPress, "  "}, {ds::kMaxTemp, "100"}}), 0);
    EXPECT_EQ(stored.Max_Press, 0.0);
    EXPECT_NEAR(stored.Max_Temp, 559.67, 1e-9);

    TagRecord refused = r;
    SetText(refused.Spec_No, "old");
    EXPECT_EQ(StoreDatasheetPage(refused, page, {{ds::kSpecNo, "new"}, {ds::kMaxTemp, "hot"}}), ds::kMaxTemp);
    EXPECT_EQ(GetText(refused.Spec_No), "old");  // nothing of the page was stored
    EXPECT_EQ(StoreDatasheetPage(refused, page, {{ds::kMaxPress, "1e400"}}), ds::kMaxPress);
    EXPECT_EQ(refused.Max_Press, 123.456789);
}

TEST(DatasheetPage1, TextsAreCutToTheirBoxesAndRevisionRowsStoreInTheirFields) {
    TagRecord r = GasOrificeTag();
    const DsPage page = DatasheetPage1(r, DefaultProjectSettings(), DefaultUnitTables());
    ASSERT_EQ(StoreDatasheetPage(r, page,
                                 {{ds::kSpecNo, "IS-4410-0001-XYZ"},
                                  {ds::kRevNo1 + 3, "D"},
                                  {ds::kRevBy[3], "JKL"},
                                  {ds::kRevDate[3], "12/31/26"},
                                  {ds::kPidNo, "P&ID-100-A"}}),
              0);
    EXPECT_EQ(GetText(r.Spec_No), "IS-4410-000");  // 11 characters
    EXPECT_EQ(GetText(r.Rev_No_4), "D");
    EXPECT_EQ(GetText(r.Rev_By_4), "JKL");
    EXPECT_EQ(GetText(r.Rev_Date_4), "12/31/26");
    EXPECT_EQ(GetText(r.Pid_No), "P&ID-100-A");
}

struct FamilyCase {
    MeterType type;
    std::vector<std::string> captions;  // rows 14 to 17
    std::vector<const char*> stored;    // fields the element rows store
};

TEST(DatasheetPage2, ElementRowsFollowTheMeterFamily) {
    const FamilyCase cases[] = {
        {MeterType::ConcentricOrifice,
         {"ORIFICE TYPE", "ORIFICE MATERIAL", "PLATE THICKNESS", "DRAIN/VENT HOLE DIA"},
         {"Elem_Matl_DS", "Elem_Thick"}},
        {MeterType::CriticalThickOrifice,
         {"ORIFICE TYPE", "ORIFICE MATERIAL", "PLATE THICKNESS", "DRAIN/VENT HOLE DIA"},
         {"Elem_Matl_DS", "Elem_Thick"}},
        {MeterType::IsaNozzle,
         {"NOZZLE TYPE", "NOZZLE MATERIAL", "NOZZLE CONSTRUCTION", "END CONNECTION"},
         {"Elem_Matl_DS", "Elem_Construct", "Elem_End_Conn"}},
        {MeterType::CustomWallTapNozzle,
         {"NOZZLE TYPE", "NOZZLE MATERIAL", "NOZZLE CONSTRUCTION", "END CONNECTION"},
         {"Elem_Matl_DS", "Elem_End_Conn"}},
        {MeterType::VenturiRoughCast,
         {"ELEMENT TYPE", "END CONNECT && RATING", "BODY MATL", "EXIT CONE"},
         {"Elem_End_Conn", "Elem_Body", "Elem_Matl_DS"}},
        {MeterType::Uvt,
         {"ELEMENT TYPE", "CONSTRUCTION", "BODY MATL", ""},
         {"Elem_Construct", "Elem_Body", "Elem_Matl_DS", "User_Line1_1", "User_Line1_2"}},
        {MeterType::CustomFlowTube,
         {"ELEMENT TYPE", "CONSTRUCTION", "BODY MATL", "END CONNECTION"},
         {"Elem_Body", "Elem_Matl_DS", "Elem_End_Conn"}},
        {MeterType::WedgeMiller,
         {"ELEMENT TYPE", "ELEMENT MATERIAL", "H/D RATIO", "END CONNECTION"},
         {"Elem_Matl_DS", "Elem_End_Conn"}},
        {MeterType::CustomWedge, {}, {}},
        {MeterType::VenturiPtc195, {}, {}},
    };
    for (const FamilyCase& c : cases) {
        SCOPED_TRACE(Code(c.type));
        TagRecord r = GasOrificeTag();
        r.Meter_Type = Code(c.type);
        const DsPage page = DatasheetPage2(r, DefaultUnitTables());
        const DsGroup& element = page.groups.at(0);
        std::vector<std::string> captions;
        std::vector<std::string> fields;
        for (const DsRow& row : element.rows) {
            if (row.number < 14 || row.number > 17) continue;
            captions.push_back(row.caption);
            for (const DsItem& item : row.items)
                if (item.kind != DsKind::Static && item.id != ds::kPlateThickFree)
                    fields.push_back(item.field);
        }
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(fields, std::vector<std::string>(c.stored.begin(), c.stored.end()));
        EXPECT_EQ(element.rows.at(captions.size()).number, 18);  // the common rows follow
    }
}

TEST(DatasheetPage2, ReadOnlyRowsAndDefaultsAsThePageOpens) {
    TagRecord r = GasOrificeTag();
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Matl_Elem = 6;
    r.Matl_Pipe = 13;
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    r.Factor_Drain = 1;
    r.Factor_DrainDia = 0.125;
    DsPage page = DatasheetPage2(r, DefaultUnitTables());
    EXPECT_EQ(page.caption, "Datasheet - Part 2 of 3");
    EXPECT_EQ(RowNo(page, 14).items[0].text, "ORIFICE PLATE");
    EXPECT_EQ(RowNo(page, 17).items[0].text, "DRAIN - 0.12500 in");
    EXPECT_EQ(RowNo(page, 18).items[0].text, "ASME MFC-3Ma(2007)/ISO 5167(2022)");
    EXPECT_EQ(RowNo(page, 19).items[0].text, "0.52131");
    EXPECT_EQ(RowNo(page, 19).items[1].text, "2.0988 in");
    EXPECT_EQ(RowNo(page, 22).items[0].text, "FLANGE TAPS");
    EXPECT_EQ(RowNo(page, 24).items[1].text, "UPSTREAM");
    EXPECT_EQ(RowNo(page, 25).items[0].text, "4.00 in SCH. 40");
    EXPECT_EQ(RowNo(page, 28).items[0].text, "4.0260 in");
    // Empty datasheet materials show the materials' datasheet names, and OK stores them.
    const std::string elem = FindDsItem(page, ds::kElemRow15)->text;
    const std::string pipe = FindDsItem(page, ds::kPipeMatl)->text;
    EXPECT_FALSE(elem.empty());
    EXPECT_FALSE(pipe.empty());
    ASSERT_EQ(StoreDatasheetPage(r, page, {{ds::kElemRow15, elem}, {ds::kPipeMatl, pipe}}), 0);
    EXPECT_EQ(GetText(r.Elem_Matl_DS), elem);

    r.Factor_Drain = 1;
    r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    SelectUnit(r, DefaultUnitTables(), Quantity::Bore, 1);  // mm
    SelectUnit(r, DefaultUnitTables(), Quantity::PipeSize, 1);
    page = DatasheetPage2(r, DefaultUnitTables());
    EXPECT_EQ(RowNo(page, 17).items[0].text, "VENT - 3.17500 mm");
    EXPECT_EQ(RowNo(page, 25).items[0].text, "100 mm SCH. 40");
    EXPECT_EQ(RowNo(page, 28).items[0].text, "102.260 mm");  // 102.2604: "%.3f" from 100 up

    // An ABB wedge without a model number offers its style text.
    r.Meter_Type = Code(MeterType::WedgeAbb1615L);
    SetText(r.Meter_Style_Text, "ABB 1615L");
    page = DatasheetPage2(r, DefaultUnitTables());
    EXPECT_EQ(FindDsItem(page, ds::kModel)->text, "ABB 1615L");
    EXPECT_EQ(RowNo(page, 18).items[0].text, "ABB Proprietary");
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    EXPECT_EQ(RowNo(DatasheetPage2(r, DefaultUnitTables()), 18).items[0].text, "CRITICAL DROP SIZING");
}

TEST(DatasheetPage2, OtherMeterTypesLeaveTheElementFieldsAlone) {
    TagRecord r = GasOrificeTag();
    r.Meter_Type = Code(MeterType::CustomThroatTapNozzle);
    SetText(r.Elem_Matl_DS, "kept");
    const DsPage page = DatasheetPage2(r, DefaultUnitTables());
    // The identifiers of the element boxes do not exist on this page: typed texts
    // for them are not stored.
    ASSERT_EQ(StoreDatasheetPage(r, page, {{ds::kElemRow15, "typed"}, {ds::kMfr, "Daniel"}}), 0);
    EXPECT_EQ(GetText(r.Elem_Matl_DS), "kept");
    EXPECT_EQ(GetText(r.Mfr), "Daniel");
}

TEST(DatasheetPage2, QuadrantPlateComposesItsThicknessAsThePageOpens) {
    TagRecord r = GasOrificeTag();
    r.Meter_Type = Code(MeterType::QuadrantOrifice);
    r.Qrad_K0 = 0.3;
    r.Bore = 2.0;
    SetText(r.Elem_Thick, "0.0000 in");
    RecordingMessageSink sink;
    PrepareDatasheetPage2(r, sink, DefaultUnitTables());
    EXPECT_NE(GetText(r.Elem_Thick).substr(0, 3), "0.0");
    EXPECT_NE(GetText(r.User_Notes_1).find("RADIUS OF QUADRANT"), std::string_view::npos);
    // A thickness already given is kept.
    SetText(r.Elem_Thick, "1/4 in");
    PrepareDatasheetPage2(r, sink, DefaultUnitTables());
    EXPECT_EQ(GetText(r.Elem_Thick), "1/4 in");
    // A concentric plate is composed on the Calculate path, not here.
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    SetText(r.Elem_Thick, "0.0000 in");
    PrepareDatasheetPage2(r, sink, DefaultUnitTables());
    EXPECT_EQ(GetText(r.Elem_Thick), "0.0000 in");
}

TEST(DatasheetPage3, OptionsFollowTheMeterAndTheModeRowTheCalculation) {
    TagRecord r = GasOrificeTag();
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.DpRefTemp = 527.67;
    DsPage page = DatasheetPage3(r, DefaultUnitTables());
    EXPECT_EQ(page.caption, "Datasheet - Part 3 of 3");
    EXPECT_EQ(RowNo(page, 33).caption, "METER dP RANGE");
    EXPECT_EQ(RowNo(page, 33).items[0].text, "0-100.0000 in WC @ 68 deg F");
    EXPECT_EQ(RowNo(page, 37).caption, "ORIFICE FLANGES BY");
    const DsItem* rate = FindDsItem(page, ds::kFlangeRate);
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(rate->kind, DsKind::List);
    EXPECT_EQ(rate->choices.front(), "150#");
    EXPECT_EQ(rate->choices.back(), "2500#");
    EXPECT_EQ(FindDsItem(page, ds::kVanes)->max_chars, 15);
    EXPECT_EQ(FindDsItem(page, ds::kGaskets)->max_chars, 30);
    EXPECT_EQ(FindDsItem(page, ds::kUserLine4Label), nullptr);
    // The lists take typed text too, cut to the box.
    ASSERT_EQ(
        StoreDatasheetPage(r, page, {{ds::kFlangeRate, "300# RF SPECIAL"}, {ds::kStuds, "ASTM A193 GrB7"}}),
        0);
    EXPECT_EQ(GetText(r.Flange_Rate), "300# RF SP");
    EXPECT_EQ(GetText(r.Access_Studs), "ASTM A193 GrB7");

    r.Meter_Type = Code(MeterType::CustomOrifice);  // the calibrated plate has the other layout
    r.Calc_Mode = Code(CalcMode::Restriction);
    page = DatasheetPage3(r, DefaultUnitTables());
    EXPECT_EQ(RowNo(page, 33).caption, "dP ACROSS ORIFICE");
    EXPECT_EQ(RowNo(page, 33).items[0].text, "100.00 in WC");
    EXPECT_EQ(RowNo(page, 37).caption, "STRAIGHTENING VANES");
    EXPECT_EQ(FindDsItem(page, ds::kFlangeBy), nullptr);
    EXPECT_EQ(FindDsItem(page, ds::kVanes)->max_chars, 30);
    EXPECT_EQ(FindDsItem(page, ds::kGaskets)->max_chars, 15);
    EXPECT_NE(FindDsItem(page, ds::kUserLine5Value), nullptr);
    EXPECT_EQ(FindDsItem(page, ds::kMisc)->max_chars, 69);

    // With a seal liquid, line 36 prints the seal density: the page shows it too
    // and offers no free line 3, whose stored texts stay.
    SetText(r.User_Line3_1, "Range");
    r.Factor_ManoSealRho = 62.3;  // water, lb/ft3
    page = DatasheetPage3(r, DefaultUnitTables());
    EXPECT_EQ(RowNo(page, 36).caption, "SEAL DENSITY @ METER");
    EXPECT_EQ(RowNo(page, 36).items[0].text, FmtDensity(62.3) + " lb/ft3");
    EXPECT_EQ(FindDsItem(page, ds::kUserLine3Label), nullptr);
    ASSERT_EQ(StoreDatasheetPage(r, page, {{ds::kUserLine3Label, "typed"}}), 0);
    EXPECT_EQ(GetText(r.User_Line3_1), "Range");
    r.Factor_ManoSealRho = 0.0;
    page = DatasheetPage3(r, DefaultUnitTables());
    EXPECT_NE(FindDsItem(page, ds::kUserLine3Label), nullptr);

    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    page = DatasheetPage3(r, DefaultUnitTables());
    EXPECT_EQ(RowNo(page, 33).caption, "MAX DOWNSTREAM PRESS");
    EXPECT_EQ(RowNo(page, 33).items[0].text.substr(RowNo(page, 33).items[0].text.size() - 5), " psia");
}

TEST(DatasheetTexts, ElementTypeAndFamilies) {
    TagRecord r = GasOrificeTag();
    EXPECT_EQ(ElementTypeText(r), "ORIFICE PLATE");
    SetText(r.Meter_Style_Text, "QUADRANT");
    EXPECT_EQ(ElementTypeText(r), "QUADRANT ORIFICE PLATE");
    r.Meter_Type = Code(MeterType::CriticalThickOrifice);
    EXPECT_EQ(ElementTypeText(r), "THICK ORIFICE PLATE");
    r.Meter_Type = Code(MeterType::CustomFlowTube);
    EXPECT_EQ(ElementTypeText(r), "CALIBRATED FLOW TUBE");
    EXPECT_EQ(ExitConeText(Code(VenturiExit::Deg7)), "LONG FORM - 7 DEG EXIT CONE");
    EXPECT_EQ(ExitConeText(Code(VenturiExit::Deg15)), "SHORT FORM - 15 DEG EXIT CONE");
    EXPECT_TRUE(HasPlateThicknessSelection(Code(MeterType::CustomOrifice)));
    EXPECT_TRUE(HasPlateThicknessSelection(Code(MeterType::CriticalSquareEdgedOrifice)));
    EXPECT_FALSE(HasPlateThicknessSelection(Code(MeterType::IsaNozzle)));
    EXPECT_EQ(DatasheetFamilyOf(Code(MeterType::CriticalVenturi)), DatasheetFamily::None);
}

}  // namespace
}  // namespace quorven
