// The datasheet on the recording renderer: which lines, labels and values it
// prints for each meter family and fluid case, its numbering, the title block and
// the logo.
#include "reports/print_spec.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "form/datasheet_entry.h"
#include "project/project_settings.h"
#include "record/choice_codes.h"
#include "record/datasheet.h"
#include "record/formats.h"
#include "record/meter_texts.h"
#include "record/units.h"
#include "reports/print_job.h"
#include "reports/recording_renderer.h"
#include "reports/report_page.h"

namespace quorven {
namespace {

constexpr DeviceRect kA4{0, 0, 4792, 6851};

// A calculated gas tag through a concentric orifice: the results are plausible
// values set by hand; the datasheet prints what the record holds.
TagRecord GasOrificeTag() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-101");
    SetText(r.Service, "Fuel gas to heater H-101");
    SetText(r.Fluid, "NATURAL GAS");
    ApplyMeterTexts(r);
    r.Calc_Status = kStatusCalculated;
    r.Property_MwDenVp = 0.6;
    r.Base_RhoGZ = 0.998;
    r.Flow_RhoGZ = 0.97;
    r.Flow_Press = 264.7;
    r.Flow_Temp = 539.67;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    r.Flow_Max = 250000;
    r.Flow_Norm = 200000;
    r.Dp_Max = 100;
    r.Beta = 0.55;
    r.Bore = 2.2143;
    r.SegHs = 1.2;
    SelectFlowUnit(r, DefaultUnitTables(), 1);  // scfh
    return r;
}

class Datasheet : public ::testing::Test {
protected:
    std::vector<std::string> Print(const TagRecord& r, SheetNumbering n = {}) {
        dev_ = RecordingRenderer();
        CPage page(kA4, dev_);
        PrintDatasheet(page, r, ctx_, n);
        return dev_.TextLines();
    }
    // The printed line holding `cells` (" | "-joined), or "".
    static std::string LineWith(const std::vector<std::string>& lines, const std::string& cells) {
        for (const std::string& l : lines)
            if (l.find(cells) != std::string::npos) return l;
        return {};
    }
    // The printed number of the line whose label is `label`, or 0.
    static int NumberOf(const std::vector<std::string>& lines, const std::string& label) {
        for (const std::string& l : lines) {
            const std::size_t at = l.find(" | " + label + " | ");
            if (at == std::string::npos && !l.ends_with(" | " + label)) continue;
            const std::string head = l.substr(0, l.find(" | " + label));
            const std::size_t bar = head.rfind(" | ");
            return std::stoi(bar == std::string::npos ? head : head.substr(bar + 3));
        }
        return 0;
    }

    ReportContext ctx_ = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    RecordingRenderer dev_;
};

TEST(DatasheetTitle, ElementTitleByModeAndMeterType) {
    struct Case {
        int32_t type;
        CalcMode mode;
        const char* title;
    };
    const Case cases[] = {
        {Code(MeterType::SegmentalOrifice), CalcMode::Meter, "Orifice Plate"},
        {Code(MeterType::VenturiNozzle), CalcMode::Meter, "Flow Nozzle"},
        {Code(MeterType::VenturiRoughCast), CalcMode::Meter, "VENTURI"},
        {Code(MeterType::ProprietaryMeter2), CalcMode::Meter, "Flow Tube"},
        {Code(MeterType::CustomVenturi), CalcMode::Meter, "Calibrated Venturi"},
        {Code(MeterType::WedgeAbb1630L), CalcMode::Meter, "Wedge Meter"},
        {Code(MeterType::WedgeAbb1336L), CalcMode::Meter, "Integral Wedge Meter"},
        // The five types without a title of their own take their family text.
        {Code(MeterType::CustomThroatTapNozzle), CalcMode::Meter, "FLOW NOZZLE"},
        {Code(MeterType::WedgeMiller), CalcMode::Meter, "WEDGE METER"},
        {Code(MeterType::CustomWedge), CalcMode::Meter, "CALIBRATED WEDGE METER"},
        {Code(MeterType::VenturiPtc195), CalcMode::Meter, "VENTURI"},
        {Code(MeterType::CriticalVenturi), CalcMode::Meter, "CRITICAL DROP VENTURI"},
        {Code(MeterType::CriticalVenturi), CalcMode::CriticalDrop, "Critical Drop Orifice"},
        {Code(MeterType::ConcentricOrifice), CalcMode::Restriction, "Restriction Orifice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TagRecord r = NewTagRecord();
        r.Meter_Type = c.type;
        r.Calc_Mode = Code(c.mode);
        EXPECT_EQ(CPrintSpec::ElementTitle(r), c.title);
    }
}

TEST(DatasheetTitle, SheetText) {
    TagRecord r = NewTagRecord();
    EXPECT_EQ(CPrintSpec::SheetText(r, {}), "Sht:  ___ of ___");
    SetText(r.Sht_No, "2");
    SetText(r.Sht_Of, "7");
    EXPECT_EQ(CPrintSpec::SheetText(r, {}), "Sht:  2   of   7");
    // A numbered batch: the number left-aligned, the count right-aligned, three places each.
    EXPECT_EQ(CPrintSpec::SheetText(r, {true, 3, 12}), "Sht:  3   of  12");
}

TEST_F(Datasheet, TitleBlockAndServiceBlock) {
    SetText(ctx_.settings.Company_Name, "Northwind Process Engineering Ltd.");
    SetText(ctx_.settings.Client, "Caledonia Energy");
    SetText(ctx_.settings.JobPO_No, "J-2026-117");
    TagRecord r = GasOrificeTag();
    SetText(r.Rev_No_1, "A");
    SetText(r.Rev_By_1, "JRS");
    SetText(r.Rev_Date_1, "10/15/26");
    SetText(r.Spec_No, "IS-4410");
    SetText(r.Rev_No, "B");
    SetText(r.Spec_Date, "12/01/26");
    SetText(r.By, "JRS");
    SetText(r.Chk, "MKO");
    SetText(r.Pid_No, "P&ID-100");
    const auto lines = Print(r);
    // Empty revision cells print as one blank each.
    EXPECT_EQ(lines.at(0), "Northwind Process Engineering Ltd. | No | By | Date | Job#:  J-2026-117");
    EXPECT_EQ(lines.at(1), "Datasheet for Orifice Plate | A | JRS | 10/15/26 | Spec/Req#:   IS-4410");
    EXPECT_EQ(lines.at(2), "Client: Caledonia Energy |   |   |   | Sht:  ___ of ___");
    EXPECT_EQ(lines.at(3), "Project:   |   |   |   | Rev: B   Date:  12/01/26");
    EXPECT_EQ(lines.at(4), "Location:   |   |   |   | By:  JRS  Chk: MKO");
    EXPECT_EQ(lines.at(5), "Service |  1 | Tag Number | FE-101");
    EXPECT_NE(LineWith(lines, " 4 | P&ID/Flowsheet Number | P&ID-100"), "");
}

TEST_F(Datasheet, FluidBlockOfAGasAtBaseConditionsWithGaugePressures) {
    TagRecord r = GasOrificeTag();
    SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, 0);  // psig
    r.Max_Press = 314.696;                                      // 300 psig
    r.Max_Temp = 609.67;                                        // 150 deg F
    const auto lines = Print(r);
    EXPECT_NE(LineWith(lines, "Fluid |  5 | Fluid | State | NATURAL GAS | Gas"), "");
    EXPECT_NE(LineWith(lines, " 6 | Max Flow | Norm Flow | " + FmtFlow(250000) + " scfh | " +
                                  FmtFlow(200000) + " scfh"),
              "");
    // Hand calculation: 314.696 - 14.696 = 300 psig; 264.7 - 14.696 = 250.004 psig.
    EXPECT_NE(LineWith(lines, " 7 | Max Press | Norm Press | " + FmtPressure(300.0) + " psig | " +
                                  FmtPressure(250.004) + " psig"),
              "");
    EXPECT_NE(LineWith(lines, " 8 | Max Temp | Norm Temp | 150.00 deg F | 80.00 deg F"), "");
    EXPECT_NE(LineWith(lines, "11 | Base Comp | Flowing Comp | 0.9980 | 0.9700"), "");
    EXPECT_NE(LineWith(lines, "12 | Viscosity | k (Cp/Cv) | "), "");
    EXPECT_NE(LineWith(lines, "13 | Spec. Grav., Gg | 0.600"), "");
}

// Clear Datasheet and an empty box store a maximum as 0: "not given". It prints
// as an empty value, in an absolute and a gauge unit alike, and the line keeps its
// number and its second value.
TEST_F(Datasheet, MaximaNotGivenPrintEmpty) {
    for (int press_unit : {0, 1}) {  // psig, psia
        TagRecord r = GasOrificeTag();
        SelectUnit(r, DefaultUnitTables(), Quantity::Pressure, press_unit);
        SetText(r.Spec_No, "IS-1");
        r.Max_Press = 314.696;
        r.Max_Temp = 609.67;
        ClearDatasheet(r);
        const auto lines = Print(r);
        const std::string unit = press_unit == 0 ? " psig" : " psia";
        const double norm = press_unit == 0 ? 250.004 : 264.7;
        // The cells of a printed line, each without its surrounding blanks.
        auto cells = [&lines](const std::string& start) {
            std::vector<std::string> out;
            std::string line = LineWith(lines, start);
            for (std::size_t at = 0; at != std::string::npos;) {
                const std::size_t bar = line.find(" | ", at);
                std::string cell = line.substr(at, bar == std::string::npos ? std::string::npos : bar - at);
                const std::size_t a = cell.find_first_not_of(' ');
                out.push_back(a == std::string::npos ? std::string()
                                                     : cell.substr(a, cell.find_last_not_of(' ') - a + 1));
                at = bar == std::string::npos ? bar : bar + 3;
            }
            return out;
        };
        EXPECT_EQ(cells(" 7 | Max Press"),
                  (std::vector<std::string>{"7", "Max Press", "Norm Press", "", FmtPressure(norm) + unit}));
        EXPECT_EQ(cells(" 8 | Max Temp"),
                  (std::vector<std::string>{"8", "Max Temp", "Norm Temp", "", "80.00 deg F"}));
    }
}

TEST_F(Datasheet, BasePressureIsShownInItsOwnUnit) {
    TagRecord r = GasOrificeTag();
    SelectUnit(r, DefaultUnitTables(), Quantity::BasePressure, 3);  // bar-ab
    SelectUnit(r, DefaultUnitTables(), Quantity::AtmPressure, 0);   // psia
    const auto lines = Print(r);
    // Hand calculation: 14.69595 psia x 0.06894757 bar/psi = 1.01325 bar.
    EXPECT_NE(LineWith(lines, " 9 | Base Press | Atm Press | " + FmtBasePressure(14.69595 * 0.06894757) +
                                  " bar-ab | " + FmtAtmPressure(14.696) + " psia"),
              "");
}

TEST_F(Datasheet, GasAtFlowingConditionsWithMolecularWeightPrintsKAndMwToThreeDecimals) {
    TagRecord r = GasOrificeTag();
    r.Fluid_Condition = Code(FluidCondition::GasFlowing);
    r.Fluid_Property = Code(FluidProperty::GasMW);
    r.Property_MwDenVp = 28.0134;  // nitrogen
    const auto lines = Print(r);
    EXPECT_NE(LineWith(lines, "11 | Flowing Compressibility | 0.9700"), "");
    EXPECT_NE(LineWith(lines, "12 | Viscosity | k (Cp/Cv) | "), "");
    EXPECT_NE(LineWith(lines, "13 | Mol. Wt., Mw | 28.013"), "");
}

TEST_F(Datasheet, LiquidCasesPrintTheirDensityAndVapourPressureLines) {
    TagRecord r = GasOrificeTag();
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Flow_RhoGZ = 62.2;
    r.Property_KFp = 1.0;
    r.Property_MwDenVp = 0.95;
    auto lines = Print(r);
    EXPECT_NE(LineWith(lines, "| Liquid"), "");
    EXPECT_NE(LineWith(lines, "11 | Flowing Density | " + FmtDensity(62.2) + " lb/ft3"), "");
    EXPECT_NE(LineWith(lines, "12 | Viscosity | Liq Compress, Fp | "), "");
    EXPECT_NE(LineWith(lines, "13 | Liq Vapor Press | " + FmtAtmPressure(0.95) + " psia"), "");
    r.Factor_SatLiq = 1;
    r.Factor_QualX = 5;
    lines = Print(r);
    EXPECT_NE(LineWith(lines, "11 | Quality | Flowing Density | 5.00 | "), "");
    r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    r.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidSG);
    r.Base_RhoGZ = 1.0;
    r.Flow_RhoGZ = 0.995;
    lines = Print(r);
    EXPECT_NE(LineWith(lines, "11 | Base Spec Grav | Flow Spec Grav | 1.0000 | 0.9950"), "");
}

struct FamilyCase {
    const char* name;
    MeterType type;
    std::vector<std::string> lines;  // the element lines from 14, label | value
    int taps;                        // the number of the "Type Taps" line
};

TEST_F(Datasheet, ElementLinesOfEveryFamilyWithRunningNumbers) {
    const FamilyCase cases[] = {
        {"orifice",
         MeterType::ConcentricOrifice,
         {"14 | Orifice Type | ORIFICE PLATE", "15 | Orifice Material | 316 SS",
          "16 | Plate Thickness | 1/8 in", "17 | Drain/Vent Hole Diameter | None", "18 | Standard | ",
          "19 | Beta, d/D | Bore | 0.55000 | ", "20 | Manufacturer | Maker", "21 | Model Number | M-1"},
         22},
        {"segmental",
         MeterType::SegmentalOrifice,
         {"17 | Segment Height | Segment Diameter | 1.2000 in | "},
         22},
        {"nozzle: its end connection is printed",
         MeterType::IsaNozzle,
         {"14 | Nozzle Type | FLOW NOZZLE", "15 | Nozzle Material | 316 SS",
          "16 | Nozzle Construction | Forged", "17 | End Connection | 300# RF"},
         22},
        {"calibrated nozzle",
         MeterType::CustomWallTapNozzle,
         {"14 | Element Type | Calibrated Flow Nozzle", "16 | Nozzle Construction | CALIBRATED FLOW NOZZLE",
          "17 | End Connection | 300# RF"},
         22},
        {"venturi",
         MeterType::VenturiMachined,
         {"14 | Element Type | VENTURI - 15 DEG EXIT", "15 | End Connection & Rating | 300# RF",
          "16 | Construction | Forged", "17 | Body Material | Throat Material | CS | 316 SS",
          "18 | Exit Cone | SHORT FORM - 15 DEG EXIT CONE"},
         23},
        {"calibrated venturi",
         MeterType::CustomVenturi,
         {"14 | Element Type | Calibrated Venturi", "16 | Body Material | Throat Material | CS | 316 SS",
          "17 | Exit Cone | CALIBRATED VENTURI"},
         22},
        {"tube",
         MeterType::LoLoss,
         {"14 | Element Type | FLOW TUBE", "15 | Construction | Forged", "17 | Tube Liner | PTFE"},
         22},
        {"calibrated tube: its end connection is printed",
         MeterType::CustomFlowTube,
         {"15 | Construction | CALIBRATED FLOW TUBE", "17 | End Connection | 300# RF"},
         22},
        {"Miller wedge: its rows are printed",
         MeterType::WedgeMiller,
         {"14 | Element Type | WEDGE METER", "15 | Element Material | 316 SS",
          "16 | H/D Ratio | Wedge Height | 0.2981 | 1.2000 in", "17 | End Connection | 300# RF",
          "18 | Standard | R.W. Miller"},
         22},
        {"ISO wedge", MeterType::WedgeIso5167_6, {"18 | Standard | ISO 5167-6 (2019)"}, 22},
        {"calibrated wedge: the closing lines alone",
         MeterType::CustomWedge,
         {"14 | Standard | ", "15 | Beta, d/D | Bore | ", "16 | Manufacturer | Maker"},
         18},
    };
    for (const FamilyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TagRecord r = GasOrificeTag();
        r.Meter_Type = Code(c.type);
        ApplyMeterTexts(r);
        r.Pipe_IDia = 4.026;
        SetText(r.Elem_Matl_DS, "316 SS");
        SetText(r.Elem_Thick, "1/8 in");
        SetText(r.Elem_Construct, "Forged");
        SetText(r.Elem_End_Conn, "300# RF");
        SetText(r.Elem_Body, "CS");
        SetText(r.User_Line1_1, "Tube Liner");
        SetText(r.User_Line1_2, "PTFE");
        SetText(r.Mfr, "Maker");
        SetText(r.Model, "M-1");
        const auto lines = Print(r);
        for (const std::string& l : c.lines) EXPECT_NE(LineWith(lines, l), "") << l;
        EXPECT_EQ(NumberOf(lines, "Type Taps"), c.taps);
        const bool titled = DatasheetFamilyOf(Code(c.type)) != DatasheetFamily::None;
        EXPECT_EQ(LineWith(lines, "Element | 14 | ").empty(), !titled);
    }
}

// The venturi's datasheet page has no construction box: an empty construction
// text gives way to the inlet of the chosen venturi type.
TEST_F(Datasheet, VenturiWithoutAConstructionTextNamesItsInlet) {
    const std::pair<MeterType, const char*> cases[] = {{MeterType::VenturiMachined, "MACHINED INLET"},
                                                       {MeterType::VenturiRoughCast, "ROUGH CAST INLET"},
                                                       {MeterType::VenturiWeldedSheet, "WELDED SHEET INLET"}};
    for (const auto& [type, inlet] : cases) {
        TagRecord r = GasOrificeTag();
        r.Meter_Type = Code(type);
        ApplyMeterTexts(r);
        EXPECT_EQ(LineWith(Print(r), "16 | Construction"), std::string("16 | Construction | ") + inlet);
        SetText(r.Elem_Construct, "CAST INLET, MACHINED THROAT");
        EXPECT_EQ(LineWith(Print(r), "16 | Construction"), "16 | Construction | CAST INLET, MACHINED THROAT");
    }
}

TEST_F(Datasheet, VenturiWithTheSevenDegreeConePrintsTheLongForm) {
    TagRecord r = GasOrificeTag();
    r.Meter_Type = Code(MeterType::VenturiRoughCast);
    r.Meter_VenturiExit = Code(VenturiExit::Deg7);
    ApplyMeterTexts(r);
    EXPECT_NE(LineWith(Print(r), "18 | Exit Cone | LONG FORM - 7 DEG EXIT CONE"), "");
}

TEST_F(Datasheet, MeterAndOptionsBlocksByModeAndMeter) {
    TagRecord r = GasOrificeTag();
    r.DpRefTemp = 527.67;
    SetText(r.Flange_By, "VENDOR");
    SetText(r.Flange_Rate, "300#");
    SetText(r.Flange_Type, "WNRF");
    SetText(r.Flange_Matl, "ASTM A105");
    SetText(r.User_Line3_1, "Range");
    SetText(r.User_Line3_2, "0-100");
    auto lines = Print(r);
    EXPECT_NE(LineWith(lines, "33 | Meter dP Range | 0-" + FmtDiffPressure(100.0) + " in WC @ 68 deg F"), "");
    EXPECT_NE(LineWith(lines, "36 | Range | 0-100"), "");
    EXPECT_NE(LineWith(lines, "Options | 37 | Orifice Flanges By | Rating | VENDOR | 300#"), "");
    EXPECT_NE(LineWith(lines, "38 | Type | Mat'l | WNRF | ASTM A105"), "");
    EXPECT_EQ(NumberOf(lines, "Gaskets"), 41);

    r.Factor_ManoSealRho = 62.3;
    r.Calc_Mode = Code(CalcMode::Restriction);
    lines = Print(r);
    EXPECT_NE(LineWith(lines, "33 | dP Across Orifice | 100.0000 in WC"), "");
    EXPECT_NE(LineWith(lines, "36 | Seal Density @ Meter | " + FmtDensity(62.3) + " lb/ft3"), "");
    EXPECT_NE(LineWith(lines, "37 | Type Orifice Holder | Rating | VENDOR | 300#"), "");

    r.Meter_Type = Code(MeterType::IsaNozzle);
    r.Calc_Mode = Code(CalcMode::Meter);
    lines = Print(r);
    EXPECT_NE(LineWith(lines, "Options | 37 | Straightening Vanes"), "");
    EXPECT_EQ(NumberOf(lines, "Gaskets"), 39);
    EXPECT_EQ(LineWith(lines, "Orifice Flanges By"), "");
}

TEST_F(Datasheet, CriticalDropPrintsTheChokedDownstreamPressure) {
    TagRecord r = GasOrificeTag();
    r.Meter_Type = Code(MeterType::CriticalToroidalNozzle);
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.Property_KFp = 1.4;
    ApplyMeterTexts(r);
    const auto lines = Print(r);
    EXPECT_EQ(lines.at(1).substr(0, 35), "Datasheet for Critical Drop Orifice");
    EXPECT_NE(LineWith(lines, "18 | Standard | CRITICAL DROP SIZING"), "");
    EXPECT_NE(LineWith(lines, "33 | Max Downstream Pressure | "), "");
    EXPECT_EQ(LineWith(lines, "Meter dP Range"), "");
}

TEST_F(Datasheet, UserTextsArePrintedAsTheyStandAndNothingPrintsInfOrNan) {
    TagRecord r = GasOrificeTag();
    SetText(r.User_Notes_1, "100% of %s and %d %n stay literal");
    SetText(r.Mfr, "%s%s%s%s");
    r.Flow_Max = std::numeric_limits<double>::infinity();
    r.Beta = std::numeric_limits<double>::quiet_NaN();
    r.Pipe_IDia = 0.0;  // H/D of a wedge divides by it
    r.Meter_Type = Code(MeterType::WedgeIso5167_6);
    const auto lines = Print(r);
    EXPECT_NE(LineWith(lines, "Notes: | 100% of %s and %d %n stay literal"), "");
    EXPECT_NE(LineWith(lines, "20 | Manufacturer | %s%s%s%s"), "");
    for (const RecordedOp& t : dev_.Texts()) {
        EXPECT_EQ(t.text.find("inf"), std::string::npos) << t.text;
        EXPECT_EQ(t.text.find("nan"), std::string::npos) << t.text;
    }
    EXPECT_NE(LineWith(lines, " 6 | Max Flow | Norm Flow | - | "), "");
}

TEST_F(Datasheet, UncalculatedTagPrintsTheWholeFormAndTheCaution) {
    TagRecord r = GasOrificeTag();
    auto lines = Print(r);
    EXPECT_EQ(LineWith(lines, "CAUTION:"), "");
    r.Calc_Status = kStatusNotCalculated;
    lines = Print(r);
    EXPECT_EQ(lines.back(), "CAUTION:  Sizing parameter has not been calculated. Datasheet void!");
    EXPECT_EQ(NumberOf(lines, "Model Number"), 21);
}

TEST_F(Datasheet, TheFullestFormFitsItsRegion) {
    TagRecord r = GasOrificeTag();
    r.Calc_Status = kStatusNotCalculated;
    SetText(r.User_Notes_1, "1. note");
    SetText(r.User_Notes_2, "2. note");
    SetText(r.User_Notes_3, "3. note");
    SetText(r.User_Misc, "misc");
    Print(r);
    int lowest = 0;
    for (const RecordedOp& op : dev_.ops) lowest = std::max(lowest, op.rect.bottom);
    // The report region ends 9.75 in down the page.
    EXPECT_LE(lowest, static_cast<int>(9.75 * 600));
    EXPECT_NE(dev_.FindText("CAUTION:  Sizing parameter has not been calculated. Datasheet void!"),
              std::nullopt);
}

TEST_F(Datasheet, TheFormIsFramedAndRuled) {
    Print(GasOrificeTag());
    int frames = 0;
    for (const RecordedOp& op : dev_.ops)
        if (op.kind == RecordedOp::Kind::Box && op.pen_width == 2) ++frames;
    // The title block and the nine blocks below it.
    EXPECT_EQ(frames, 9);
    // The revision table's four vertical rules start at the top margin (0.75 in).
    int table_rules = 0;
    for (const RecordedOp& op : dev_.ops)
        if (op.kind == RecordedOp::Kind::Line && op.rect.top == 450 && op.rect.left == op.rect.right)
            ++table_rules;
    EXPECT_EQ(table_rules, 4);
}

TEST(DatasheetLogo, SizeAndPlaceFollowTheDeviceResolution) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quorven-ds-logo-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "logo.bmp") << "BM";
    for (int dpi : {600, 300}) {
        SCOPED_TRACE(dpi);
        RecordingRenderer dev(dpi, dpi);
        dev.images.push_back({(dir / "logo.bmp").string(), 200, 100});
        CPage page({0, 0, dpi * 8, dpi * 11}, dev);
        ASSERT_TRUE(DrawDatasheetLogo(page, dir));
        const RecordedOp& img = dev.ops.back();
        ASSERT_EQ(img.kind, RecordedOp::Kind::Image);
        const int s = dpi / 300;  // 2 at 600 dpi, 1 at 300
        EXPECT_EQ(img.rect, (DeviceRect{240 * s, 240 * s, 240 * s + 350 * s, 240 * s + 175 * s}));
    }
    RecordingRenderer dev;
    CPage page(kA4, dev);
    EXPECT_FALSE(DrawDatasheetLogo(page, dir / "none"));
    std::filesystem::remove_all(dir);
}

TEST(DatasheetJob, TheSingleDatasheetJobPrintsTheDatasheet) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    const ReportContext ctx = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    EXPECT_TRUE(PrintReportPage(page, SingleReportJob(ReportType::Datasheet), 0, GasOrificeTag(), ctx));
    EXPECT_NE(dev.FindText("Datasheet for Orifice Plate"), std::nullopt);
    EXPECT_NE(dev.FindText("Sht:  ___ of ___"), std::nullopt);
}

}  // namespace
}  // namespace quorven
