#include "reports/print_calc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "project/project_settings.h"
#include "record/choice_codes.h"
#include "record/units.h"
#include "reports/recording_renderer.h"
#include "reports/report_page.h"

namespace quorven {
namespace {

constexpr DeviceRect kA4{0, 0, 4792, 6851};

// A calculated gas tag: natural gas by volume at base conditions through a
// concentric orifice with flange taps in a 4 in line. The results are plausible
// values set by hand: the sheet prints what the record holds.
TagRecord CalculatedGasTag() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-101");
    SetText(r.Service, "Fuel gas to heater H-101");
    SetText(r.Fluid, "NATURAL GAS");
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
    r.Dp_Norm = 64;
    r.Sm = 0.2;
    r.Rd = 1.2e6;
    r.C = 0.6035;
    r.Y = 0.9921;
    r.Beta = 0.55;
    r.Bore = 2.2143;
    r.Dp_Loss = 70.1;
    r.Velocity = 80.0;
    r.MeterUncert = 0.6;
    SelectFlowUnit(r, DefaultUnitTables(), 1);  // scfh
    return r;
}

class Sheet : public ::testing::Test {
protected:
    std::vector<std::string> Print(const TagRecord& r, SheetNumbering n = {}) {
        dev_ = RecordingRenderer();
        CPage page(kA4, dev_);
        PrintCalcSheet(page, r, ctx_, n);
        return dev_.TextLines();
    }
    // The line that holds `text` as one of its cells, or "".
    std::string LineWith(const std::vector<std::string>& lines, const std::string& text) const {
        for (const std::string& l : lines)
            if (l == text || l.starts_with(text + " | ") || l.ends_with(" | " + text) ||
                l.find(" | " + text + " | ") != std::string::npos)
                return l;
        return {};
    }
    std::vector<std::string> Notes(const TagRecord& r) const { return CalcSheetNotes(r, ctx_.units); }

    ReportContext ctx_ = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    RecordingRenderer dev_;
};

TEST_F(Sheet, GasVolumeAtBaseWithGravityPrintsItsFluidLinesWithTheTapSubscript) {
    TagRecord r = CalculatedGasTag();
    std::vector<std::string> lines = Print(r);
    const char* kExpected[] = {
        "Specific Gravity, Gg: | 0.6000",           "Compressibility (Base), Zb: | 0.99800",
        "Compressibility (Flowing), Zf1: | 0.9700", "Pressure (Flowing), Pf1: | 250.00 psig",
        "Temperature (Flowing), Tf1: | 80.0 deg F", "Viscosity, U: | 0.01100 cPoise",
        "Specific Heat Ratio (Cp/Cv), K: | 1.3000", "State-Units-Equation-Condition: | GAS-VOLUME-PVT-BASE",
    };
    for (const char* e : kExpected) EXPECT_NE(LineWith(lines, e), "") << e;
    EXPECT_EQ(LineWith(lines, "Molecular Weight, Mw:"), "");

    r.Tap_Loc = Code(TapLoc::Downstream);
    lines = Print(r);
    EXPECT_NE(LineWith(lines, "Compressibility (Flowing), Zf2: | 0.9700"), "");
    EXPECT_NE(LineWith(lines, "Expansion Factor, Y2: | 0.992100"), "");
    EXPECT_NE(LineWith(lines, "Tap Loc: | DOWNSTREAM"), "");
}

TEST_F(Sheet, SectionsComeInOrderInsideTheFrame) {
    const std::vector<std::string> lines = Print(CalculatedGasTag());
    const char* kTitles[] = {"Enter Company Name", "Quorven 4.4.0 for Windows 32-bit Platform",
                             "Service Data",       "Calculation Method & Base Conditions",
                             "Meter/Pipe Data",    "Sizing Data",
                             "Fluid Data",         "Calculated Results"};
    std::size_t at = 0;
    for (const char* t : kTitles) {
        const auto it = std::find(lines.begin() + static_cast<std::ptrdiff_t>(at), lines.end(), t);
        ASSERT_NE(it, lines.end()) << t;
        at = static_cast<std::size_t>(it - lines.begin());
    }
    // The last two lines are the footer, the frame box is the last operation.
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Calc Number:  __________________ | Sht: ___ of ___ Chk: _____");
    EXPECT_EQ(lines.back(), "By:  | Rev:  0  Date:  Jan 1, 2001");
    const RecordedOp& frame = dev_.ops.back();
    EXPECT_EQ(frame.kind, RecordedOp::Kind::Box);
    EXPECT_EQ(frame.rect, (DeviceRect{450, 450, 4650, 5850}));
    // Every text lies inside the frame and above the bottom edge.
    for (const RecordedOp& op : dev_.Texts()) {
        EXPECT_GE(op.rect.top, 450) << op.text;
        EXPECT_LE(op.rect.top + 90, 5850) << op.text;
    }
}

TEST_F(Sheet, ALongSheetIsSetTighterAndKeepsEveryLineAboveTheFooter) {
    // A wedge meter with every factor on and many warnings: more lines than 9 pt at
    // 1.1 spacing holds above the footer on this renderer.
    TagRecord r = CalculatedGasTag();
    r.Meter_Type = Code(MeterType::WedgeIso5167_6);
    r.Factor_Manometer = r.Factor_Drain = r.Factor_H2OvapIncl = r.Factor_VapQual = 1;
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.Fdh = 1.05;
    r.Bore = 0.5;
    r.Dp_Max = 400.0;
    r.Flow_Press = 200.0;
    SetText(r.Memo, "memo");
    const std::vector<std::string> notes = Notes(r);
    ASSERT_GE(notes.size(), 3u);
    const std::vector<std::string> lines = Print(r);
    for (const std::string& note : notes) EXPECT_NE(LineWith(lines, note), "") << note;
    EXPECT_NE(LineWith(lines, "Calc Memo: | memo"), "");
    const int footer_rule = 5550;  // 9.25 in
    int last_body_bottom = 0;
    for (const RecordedOp& op : dev_.Texts()) {
        if (op.rect.top >= footer_rule) continue;  // the footer's own lines
        last_body_bottom = std::max(last_body_bottom, op.rect.top + op.font.pixel_height * 6 / 5);
        EXPECT_LT(op.font.pixel_height, 75) << op.text;  // smaller than 9 pt
    }
    EXPECT_LE(last_body_bottom, footer_rule);
}

TEST_F(Sheet, MethodSectionGivesTheBasePressureItsOwnUnit) {
    TagRecord r = CalculatedGasTag();
    ASSERT_TRUE(SelectUnit(r, ctx_.units, Quantity::BasePressure, 1));     // kPa-ab
    ASSERT_TRUE(SelectUnit(r, ctx_.units, Quantity::BaseTemperature, 2));  // deg C
    const std::vector<std::string> lines = Print(r);
    EXPECT_NE(LineWith(lines, "Base Press, Pb: | 101.3250 kPa-ab | Base Temp, Tb: | 15.56 deg C"), "");
    EXPECT_NE(LineWith(lines, "Atm Press, Patm: | 14.696 psia | Tap Loc: | UPSTREAM"), "");
    EXPECT_NE(
        LineWith(lines, "Sizing Parameter: | FLOWMETER BORE | C-Std: | ASME MFC-3Ma(2007)/ISO 5167(2022)"),
        "")
        << LineWith(lines, "Sizing Parameter:");
}

TEST_F(Sheet, NominalPipeSizeInMillimetresIsTheDnNumber) {
    struct Case {
        int32_t unit;
        const char* text;
    };
    constexpr Case kCases[] = {{0, "4.00 in"}, {1, "100.00 mm"}, {2, "10.00 cm"}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        TagRecord r = CalculatedGasTag();
        r.Pipe_NomDia = 4.0;
        ASSERT_TRUE(SelectUnit(r, ctx_.units, Quantity::PipeSize, c.unit));
        const std::string line = LineWith(Print(r), "Nom Pipe Size:");
        EXPECT_EQ(line, std::string("Nom Pipe Size: | ") + c.text + " | Pipe Matl: | CARBON STEEL");
    }
}

// A new tag holds its schedule as a position only (5, "STD" of the carbon-steel
// list); the sheet names it as the form's schedule box does. A stored text wins.
TEST_F(Sheet, ScheduleIsNamedAsTheFormShowsIt) {
    TagRecord r = CalculatedGasTag();
    ASSERT_EQ(GetText(r.Pipe_Sched_Text), "");
    ASSERT_EQ(r.Pipe_Sched, 5);
    EXPECT_EQ(LineWith(Print(r), "Pipe Sched:"), "Pipe I.D., D(ref): | 4.026 in | Pipe Sched: | STD");
    SetText(r.Pipe_Sched_Text, "80");
    EXPECT_EQ(LineWith(Print(r), "Pipe Sched:"), "Pipe I.D., D(ref): | 4.026 in | Pipe Sched: | 80");
}

TEST_F(Sheet, LiquidMassWithDensityUsesMassFlowSymbols) {
    TagRecord r = CalculatedGasTag();
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Flow_RhoGZ = 62.3;
    r.Property_MwDenVp = 0.5;
    r.Property_KFp = 1.0;
    ASSERT_TRUE(SelectFlowUnit(r, ctx_.units, 1));  // lb/h
    const std::vector<std::string> lines = Print(r);
    EXPECT_NE(LineWith(lines, "Maximum Flow, Wm: | 250000.0 lb/h"), "");
    EXPECT_NE(LineWith(lines, "Normal Flow, Wn: | 200000.0 lb/h"), "");
    EXPECT_NE(LineWith(lines, "State-Units-Equation-Condition: | LIQUID-MASS-DENSITY-FLOWING"), "");
    EXPECT_NE(LineWith(lines, "Density (Flowing), Df1: | 62.300 lb/ft3"), "");
    EXPECT_NE(LineWith(lines, "Liquid Vapor Pressure, Pv: | 0.5000 psia"), "");
    EXPECT_NE(LineWith(lines, "Liquid Compressibility, Fp: | 1.0000"), "");
    EXPECT_EQ(LineWith(lines, "Expansion Factor, Y1: | 0.992100"), "");  // no gas expansion for a liquid
}

TEST_F(Sheet, ThroatTapNozzlePrintsItsBoreReynoldsNumberAsStored) {
    TagRecord r = CalculatedGasTag();
    r.Meter_Type = Code(MeterType::AsmeThroatTapNozzle);
    r.Rd = 2.0e6;  // stored bore-based by the engine
    const std::vector<std::string> lines = Print(r);
    EXPECT_NE(LineWith(lines, "Bore Reynolds Number @ Normal Flow, Rd: | 2000000"), "");
    EXPECT_EQ(LineWith(lines, "Pipe Reynolds Number @ Normal Flow, RD: | 2000000"), "");
}

TEST_F(Sheet, DivisionsOfAnUncalculatedTagPrintADash) {
    TagRecord r = NewTagRecord();
    r.Meter_Type = Code(MeterType::WedgeIso5167_6);
    r.Pipe_IDia = 0.0;
    const std::vector<std::string> lines = Print(r);
    EXPECT_NE(LineWith(lines, "Pipe Reynolds Number @ Maximum Flow, RD: | -"), "");
    EXPECT_NE(LineWith(lines, "H/D Ratio, H/D: | -"), "");
    for (const std::string& l : lines) {
        EXPECT_EQ(l.find("inf"), std::string::npos) << l;
        EXPECT_EQ(l.find("nan"), std::string::npos) << l;
    }
    // The only warning says why.
    EXPECT_EQ(Notes(r),
              std::vector<std::string>{"1. Sizing parameter has not been calculated. Calculation void!"});
    EXPECT_NE(LineWith(lines, "1. Sizing parameter has not been calculated. Calculation void!"), "");
}

// Branches of the meter and results sections that no fixture sheet reaches, each
// with the lines the sheet must print for it (texts and formats as the sheet's
// layout gives them; values set by hand in the record).
TEST_F(Sheet, MeterBranchesPrintTheirOwnLines) {
    struct Case {
        const char* name;
        void (*set)(TagRecord&);
        std::vector<std::string> lines;  // cells of a printed line: label | value
        std::vector<std::string> absent;
    };
    const Case kCases[] = {
        {"integral orifice, Foxboro, quadrant",
         [](TagRecord& r) {
             r.Meter_Type = Code(MeterType::IntegralOrifice);
             r.Meter_IFOAMfr = Code(IfoaMfr::SiebeFoxboro);
             r.Meter_IFOASize = Code(IfoaSize::Quadrant05);
         },
         {"Meter Type: | FOXBORO IFOA", "Meter Style: | QUADRANT"},
         {}},
        {"integral orifice, Fisher-Rosemount, square edge",
         [](TagRecord& r) {
             r.Meter_Type = Code(MeterType::IntegralOrifice);
             r.Meter_IFOAMfr = Code(IfoaMfr::FisherRosemount);
             r.Meter_IFOASize = Code(IfoaSize::Square10);
         },
         {"Meter Type: | FISHER-ROSEMOUNT 1195", "Meter Style: | SQUARE-EDGED"},
         {}},
        {"custom meter: the record's own style and tap texts",
         [](TagRecord& r) {
             r.Meter_Type = Code(MeterType::CustomOrifice);
             SetText(r.Meter_Style_Text, "TWIN-HOLE PLATE");
             SetText(r.Tap_Style_Text, "D AND D/2");
         },
         {"Meter Style: | TWIN-HOLE PLATE | Tap Style: | D AND D/2"},
         {}},
        {"quadrant-edged orifice sized for its bore",
         [](TagRecord& r) {
             r.Meter_Type = Code(MeterType::QuadrantOrifice);
             r.Qrad_K0 = 0.25;
         },
         {"Radius of Quadrant, r: | 0.2500 in"},
         {}},
        {"quadrant-edged orifice sized for its flow: no radius",
         [](TagRecord& r) {
             r.Meter_Type = Code(MeterType::QuadrantOrifice);
             r.Calc_SizeParam = Code(SizeParam::Flow);
             r.Qrad_K0 = 0.25;
         },
         {},
         {"Radius of Quadrant, r:"}},
        {"water vapour correction",
         [](TagRecord& r) {
             r.Factor_H2OvapIncl = 1;
             r.Fwv = 0.998;
         },
         {"Water Vapor Correction, Fwv: | 0.998000"},
         {}},
        {"critical drop through a thick orifice (gas: thickness one bore)",
         [](TagRecord& r) {
             r.Calc_Mode = Code(CalcMode::CriticalDrop);
             r.Meter_Type = Code(MeterType::CriticalThickOrifice);
             r.Bore = 0.5;
             r.Outlet_Noise = 85.25;
         },
         {"Tap Style: | NONE", "Minimum thick orifice plate thickness: | 0.5000 in",
          "Critical Flow Function, Ycr: | 0.992100", "Orifice Noise @ 1 m downstream: | 85.2 dBA"},
         {"Sizing Factor, Sm:", "Expansion Factor, Y1:"}},
        {"critical drop sized for its flow: beta, bore, then the flow",
         [](TagRecord& r) {
             r.Calc_Mode = Code(CalcMode::CriticalDrop);
             r.Calc_SizeParam = Code(SizeParam::Flow);
             r.Meter_Type = Code(MeterType::CriticalSquareEdgedOrifice);
             r.Min_Thick = 0.125;
         },
         {"Minimum plate thickness for dP: | 0.1250 in", "Flow, Q: | 250000.0 scfh"},
         {}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        TagRecord r = CalculatedGasTag();
        c.set(r);
        const std::vector<std::string> lines = Print(r);
        for (const std::string& l : c.lines) EXPECT_NE(LineWith(lines, l), "") << l;
        for (const std::string& a : c.absent) EXPECT_EQ(LineWith(lines, a), "") << a;
    }
}

TEST_F(Sheet, UserTextsArePrintedAsTheyAreNeverAsFormats) {
    TagRecord r = CalculatedGasTag();
    SetText(r.Service, "50% %s %n %d");
    SetText(r.Memo, "check %x at 100%");
    ProjectSettings s = DefaultProjectSettings();
    SetText(s.Company_Name, "ACME %s%s%s");
    SetText(s.CalcSO_No, "CN-%d");
    ctx_ = MakeReportContext(s, "4.4.0", {});
    const std::vector<std::string> lines = Print(r);
    EXPECT_NE(LineWith(lines, "50% %s %n %d"), "");
    EXPECT_NE(LineWith(lines, "Calc Memo: | check %x at 100%"), "");
    EXPECT_NE(LineWith(lines, "ACME %s%s%s"), "");
    EXPECT_NE(LineWith(lines, "Calc Number:  CN-%d"), "");
}

TEST_F(Sheet, MemoStandsAtTheLeftMarginPlusHalfAnInchInTheRegion) {
    TagRecord r = CalculatedGasTag();
    SetText(r.Memo, "Memo text");
    for (double left : {0.75, 1.25}) {
        SCOPED_TRACE(left);
        ProjectSettings s = DefaultProjectSettings();
        s.Margin_Left = left;
        ctx_ = MakeReportContext(s, "4.4.0", {});
        Print(r);
        const auto op = dev_.FindText("Memo text");
        ASSERT_TRUE(op);
        EXPECT_EQ(op->rect.left, static_cast<int>(left * 600) + 1 + static_cast<int>((left + 0.5) * 600));
    }
}

TEST_F(Sheet, FooterNumbersBatchSheetsAndUnderlinesAMissingCalcNumber) {
    EXPECT_EQ(CPrintCalc::CalcNumberText(DefaultProjectSettings(), true),
              "Calc Number:  " + std::string(17, '_'));
    EXPECT_EQ(CPrintCalc::CalcNumberText(DefaultProjectSettings(), false),
              "Calc Number:  " + std::string(18, '_'));
    EXPECT_EQ(CPrintCalc::SheetText({}), "Sht: ___ of ___ Chk: _____");
    EXPECT_EQ(CPrintCalc::SheetText({true, 3, 12}), "Sht:   3 of 12  Chk: _____");
    const std::vector<std::string> lines = Print(CalculatedGasTag(), {true, 3, 12});
    EXPECT_EQ(lines[lines.size() - 2], "Calc Number:  _________________ | Sht:   3 of 12  Chk: _____");
}

TEST_F(Sheet, SuppressedWarningsLeaveTheWarningsSectionOut) {
    TagRecord r = CalculatedGasTag();
    r.Fdh = 1.05;
    ASSERT_FALSE(Notes(r).empty());
    r.Calc_Status = kStatusWarningsSuppressed;
    const std::vector<std::string> lines = Print(r);
    EXPECT_EQ(LineWith(lines, "Warnings"), "");
    EXPECT_EQ(LineWith(lines, "Consult with your manufacturer regarding following warnings!"), "");
}

TEST_F(Sheet, NoWarningsNoHeading) {
    const TagRecord r = CalculatedGasTag();
    ASSERT_TRUE(Notes(r).empty());
    EXPECT_EQ(LineWith(Print(r), "Warnings"), "");
}

TEST(CalcSheetNotes, VentDrainFactorLimitIsExclusive) {
    TagRecord r = CalculatedGasTag();
    const UnitTables& t = DefaultUnitTables();
    r.Fdh = 1.02;
    EXPECT_TRUE(CalcSheetNotes(r, t).empty());
    r.Fdh = 1.0201;
    EXPECT_EQ(CalcSheetNotes(r, t),
              std::vector<std::string>{"1. Exceeded maximum vent/drain hole factor of 1.02."});
    // Below a 1 in bore the holes are not recommended either, in the bore unit.
    r.Bore = 0.9;
    ASSERT_TRUE(SelectUnit(r, t, Quantity::Bore, 1));
    const std::vector<std::string> notes = CalcSheetNotes(r, t);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1], "2. Vent/drain holes not recommended for bores < 25.4 mm!");
}

TEST(CalcSheetNotes, SmallPipeAndBetaOfAConcentricOrifice) {
    TagRecord r = CalculatedGasTag();
    r.Pipe_IDia = 1.5;
    r.Beta = 0.05;
    r.Bore = 0.075;
    const std::vector<std::string> notes = CalcSheetNotes(r, DefaultUnitTables());
    ASSERT_GE(notes.size(), 2u);
    EXPECT_EQ(notes[0], "1. Recommended minimum pipe I.D. is 1.969 in. for meter type.");
    EXPECT_EQ(notes[1], "2. Recommended beta range is 0.10 <= beta <= 0.75.");
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[2], "3. Orifice bore diameter is < 12.5mm or 0.492 in. Increass flow or decrease dP.");
}

TEST(CalcSheetNotes, ReferenceTemperatureNoteHasNoNumberButUsesOne) {
    TagRecord r = CalculatedGasTag();
    r.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    r.DpRefTemp = 519.67;
    r.Fdh = 1.05;       // note 1
    r.Pipe_IDia = 1.5;  // note 3, after the unnumbered second
    const std::vector<std::string> notes = CalcSheetNotes(r, DefaultUnitTables());
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0], "1. Exceeded maximum vent/drain hole factor of 1.02.");
    EXPECT_EQ(notes[1],
              "The dP reference temperature for the selected discharge coefficient standard should be 68\xB0"
              "F.");
    EXPECT_EQ(notes[2], "3. Recommended minimum pipe I.D. is 1.969 in. for meter type.");
    // AGA 3 / API 2530 want 60 deg F.
    r.Calc_Std = Code(CalcStd::Buckingham1985);
    EXPECT_EQ(CalcSheetNotes(r, DefaultUnitTables()).size(), 2u);  // 519.67 is 60 deg F
}

TEST(CalcSheetNotes, LimitTablesPrintTheirStatedValues) {
    struct Case {
        const char* source;
        int32_t meter;
        int32_t std_;
        int32_t tap;
        double D, beta, Rd, bore;
        std::vector<std::string> notes;
    };
    const Case kCases[] = {
        {"quadrant, Miller: tests 1 in, prints 4 in",
         Code(MeterType::QuadrantOrifice),
         Code(CalcStd::Miller3rd),
         1,
         0.8,
         0.5,
         1e5,
         0.4,
         {"1. Recommended minimum pipe I.D. is 4.000 in. for meter type."}},
        {"quadrant, ISO/TR 15377: flange taps below 1.5 in",
         Code(MeterType::QuadrantOrifice),
         Code(CalcStd::IsoTr15377),
         1,
         1.2,
         0.245,
         1e5,
         0.4,
         {"1. Flange taps with quadrant profiles are valid for line sizes of 1.5 in (40 mm) or greater! Use "
          "corner "
          "taps instead."}},
        {"quadrant, ISO/TR 15377: beta prints 0.24",
         Code(MeterType::QuadrantOrifice),
         Code(CalcStd::IsoTr15377),
         1,
         2.0,
         0.7,
         1e5,
         1.4,
         {"1. Recommended beta range is 0.24 <= beta <= 0.60."}},
        {"venturi nozzle: beta prints 0.30 and 0.75, small bore",
         Code(MeterType::VenturiNozzle),
         Code(CalcStd::NozzleIso5167_1991),
         1,
         3.0,
         0.8,
         1e6,
         1.5,
         {"1. Recommended beta range is 0.30 <= beta <= 0.75.",
          "2. Recommended bore is 1.5000 < 1.9685 in, recommended minimum bore diameter."}},
        {"rough cast venturi: prints 32 in, both Reynolds notes",
         Code(MeterType::VenturiRoughCast),
         Code(CalcStd::VenturiAsmeMfc3M1989),
         1,
         33.0,
         0.5,
         3e6,
         16.5,
         {"1. Recommended maximum pipe I.D. is 32.000 in. for meter type.",
          "2. Maximum pipe Reynolds number recommended for meter type is 2000000."}},
        {"throat tap nozzle: bore Reynolds number",
         Code(MeterType::AsmeThroatTapNozzle),
         Code(CalcStd::NozzleAsmeMfc3M1989),
         1,
         6.0,
         0.45,
         5e5,
         2.7,
         {"1. Minimum bore Reynolds number recommended for meter type is 800000."}},
        {"segmental",
         Code(MeterType::SegmentalOrifice),
         Code(CalcStd::Miller3rd),
         1,
         16.0,
         0.3,
         1e6,
         4.8,
         {"1. Recommended maximum pipe I.D. is 14.000 in. for meter type.",
          "2. Recommended beta range is 0.35 <= beta <= 0.75."}},
        {"concentric, pipe taps",
         Code(MeterType::ConcentricOrifice),
         Code(CalcStd::ReaderHarrisGallagher1998),
         4,
         37.0,
         0.5,
         1e6,
         18.5,
         {"1. Recommended maximum pipe I.D. is 36.000 in. for meter type."}},
        {"concentric, corner taps: tests 39.37 in, prints 36",
         Code(MeterType::ConcentricOrifice),
         Code(CalcStd::ReaderHarrisGallagher1998),
         2,
         40.0,
         0.5,
         1e6,
         20.0,
         {"1. Recommended maximum pipe I.D. is 36.000 in. for meter type."}},
        {"UVT: no maximum", Code(MeterType::Uvt), Code(CalcStd::Miller3rd), 1, 60.0, 0.5, 1e6, 30.0, {}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.source);
        TagRecord r = CalculatedGasTag();
        r.Meter_Type = c.meter;
        r.Calc_Std = c.std_;
        r.Pipe_IDia = c.D;
        r.Beta = c.beta;
        r.Rd = c.Rd;
        r.Bore = c.bore;
        r.Tap_Style = c.tap;
        EXPECT_EQ(CalcSheetNotes(r, DefaultUnitTables()), c.notes);
    }
}

TEST(CalcSheetNotes, CriticalDropAndRestrictionNotes) {
    TagRecord r = CalculatedGasTag();
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    r.Meter_Type = Code(MeterType::CriticalToroidalNozzle);
    r.Beta = 0.3;
    r.Rd = 5e4;
    r.Fdh = 1.01;
    r.Bore = 0.5;
    EXPECT_EQ(
        CalcSheetNotes(r, DefaultUnitTables()),
        (std::vector<std::string>{"1. Vent/drain holes not recommended for bores < 1.0 in.",
                                  "2 Recommended max beta for meter type is 0.25.",
                                  "3. Minimum bore Reynolds number recommended for meter type is 100000."}));

    r = CalculatedGasTag();
    r.Calc_Mode = Code(CalcMode::Restriction);
    r.Flow_Press = 20.0;
    r.Dp_Max = 600.0;   // 21.6 psi: below vacuum downstream
    r.Dp_Norm = 300.0;  // 10.8 psi: 9.2 psia downstream, under the choked pressure of about 10.9 psia
    EXPECT_EQ(CalcSheetNotes(r, DefaultUnitTables()),
              (std::vector<std::string>{
                  "1. Downstream pressure is less than absolute 0 vacuum. Calculation is invalid.",
                  "2. Sonic flow conditions exists. Use critical drop equations."}));
}

}  // namespace
}  // namespace quorven
