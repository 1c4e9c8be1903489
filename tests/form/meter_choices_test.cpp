#include "form/meter_choices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "record/tag_record.h"

namespace quorven {
namespace {

const CMiscUtil kMisc;

TEST(OrificeChoiceTest, FirstDialogGivesConcentricRhg1998FlangeTaps316Ss) {
    const MeterDialogMemory memory;  // as at program start
    TagRecord r = NewTagRecord();
    r.Calc_Mode = Code(CalcMode::Meter);
    r.Calc_Status = 1;
    OrificeChoice c;
    c.plate_type = memory.plate_type;
    c.calc_std = memory.plate_std;
    c.tap_position = memory.tap_position[PlateTypeIndex(memory.plate_type)];
    c.material = kMisc.MaterialFromListPosition(memory.plate_material_position[0]);
    ApplyOrificeChoice(r, c, kMisc);
    EXPECT_EQ(r.Meter_Type, Code(MeterType::ConcentricOrifice));
    EXPECT_EQ(r.Calc_Std, Code(CalcStd::ReaderHarrisGallagher1998));
    EXPECT_EQ(r.Tap_Style, 1);
    EXPECT_EQ(r.Matl_Elem, 6);
    EXPECT_EQ(std::string(kMisc.MaterialName(0, r.Matl_Elem)).rfind("316/316L SS", 0), 0u);
    EXPECT_DOUBLE_EQ(r.DpRefTemp, 527.67);  // 68 deg F + 459.67 (hand calculation)
    EXPECT_EQ(r.Calc_Status, 0);
    EXPECT_EQ(std::string(GetText(r.Tap_Style_Text)), "FLANGE TAPS");
}

TEST(OrificeChoiceTest, TapListsFollowPlateTypeStandardAndMode) {
    struct Row {
        int32_t type, std, mode;
        std::size_t count;
        const char* last;
    };
    const Row rows[] = {
        {Code(MeterType::ConcentricOrifice), Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::Meter),
         3, "Radius Taps - D & D/2"},
        {Code(MeterType::ConcentricOrifice), Code(CalcStd::Buckingham1985), Code(CalcMode::Meter), 4,
         "Pipe Taps - 2-1/2D & 8D"},
        {Code(MeterType::ConcentricOrifice), Code(CalcStd::ReaderHarris1992), Code(CalcMode::Meter), 2,
         "Corner Taps"},
        {Code(MeterType::ConcentricOrifice), Code(CalcStd::ReaderHarris2012), Code(CalcMode::Meter), 2,
         "Corner Taps"},
        {Code(MeterType::SegmentalOrifice), Code(CalcStd::Miller3rd), Code(CalcMode::Meter), 2,
         "Vena Contracta Taps"},
        {Code(MeterType::EccentricOrifice), Code(CalcStd::Miller3rd), Code(CalcMode::Meter), 4,
         "Vena Contracta Taps @ Side (90 Deg)"},
        {Code(MeterType::EccentricOrifice), Code(CalcStd::IsoTr15377), Code(CalcMode::Meter), 1,
         "Corner Taps"},
        {Code(MeterType::QuadrantOrifice), Code(CalcStd::IsoTr15377), Code(CalcMode::Meter), 1,
         "Corner Taps"},
        {Code(MeterType::IntegralOrifice), 0, Code(CalcMode::Meter), 1, "Corner Taps"},
        {Code(MeterType::SegmentalOrifice), Code(CalcStd::Miller3rd), Code(CalcMode::Restriction), 4,
         "Pipe Taps - 2-1/2D & 8D"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.type << " " << row.std << " " << row.mode);
        const auto list = OrificeTapList(row.type, row.std, row.mode);
        ASSERT_EQ(list.size(), row.count);
        EXPECT_EQ(list.back(), row.last);
    }
    EXPECT_EQ(OrificeStandardsEnabled(Code(MeterType::ConcentricOrifice), Code(CalcMode::Restriction)),
              std::vector<int32_t>{Code(CalcStd::Buckingham1985)});
}

TEST(OrificeChoiceTest, RemembersTapBeyondShorterListAsFirst) {
    TagRecord r = NewTagRecord();
    OrificeChoice c;
    c.calc_std = Code(CalcStd::ReaderHarris1992);  // two taps only
    c.tap_position = 2;                            // radius taps, remembered from another standard
    ApplyOrificeChoice(r, c, kMisc);
    EXPECT_EQ(r.Tap_Style, 1);
    EXPECT_DOUBLE_EQ(r.DpRefTemp, 519.67);  // 60 deg F + 459.67 (hand calculation)
}

TEST(OrificeChoiceTest, IntegralOrificeStoresScheduleEightyOfThePipingGroup) {
    // ASME B36.19M / B36.10M: 1-1/2 in schedule 80S and 80 both have OD 1.900 in and
    // wall 0.200 in, so ID 1.500 in; 1/2 in schedule 80: OD 0.840, wall 0.147, ID 0.546 in.
    struct Row {
        int32_t material;
        int32_t size;
        int32_t sched;
        const char* text;
        double nominal, idia;
    };
    const Row rows[] = {
        {6, Code(IfoaSize::Square15), 3, "80S", 1.5, 1.500},
        {1, Code(IfoaSize::Square15), 7, "80", 1.5, 1.500},
        {6, Code(IfoaSize::Quadrant05), 3, "80S", 0.5, 0.546},
    };
    ASSERT_FALSE(kMisc.IsStainless(1));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TagRecord r = NewTagRecord();
        OrificeChoice c;
        c.plate_type = Code(MeterType::IntegralOrifice);
        c.ifoa_pipe_material = row.material;
        c.ifoa_size = row.size;
        c.ifoa_mfr = Code(IfoaMfr::FisherRosemount);
        ApplyOrificeChoice(r, c, kMisc);
        EXPECT_EQ(r.Calc_Std, Code(CalcStd::Stolz));
        EXPECT_EQ(r.Tap_Style, 1);
        EXPECT_EQ(r.Matl_Pipe, row.material);
        EXPECT_EQ(r.Meter_IFOAPipeMatl, row.material);
        EXPECT_EQ(r.Meter_Style, 8);
        EXPECT_EQ(r.Pipe_Sched, row.sched);
        EXPECT_EQ(std::string(GetText(r.Pipe_Sched_Text)), row.text);
        EXPECT_DOUBLE_EQ(r.Pipe_NomDia, row.nominal);
        EXPECT_NEAR(r.Pipe_IDia, row.idia, 5e-4);
        EXPECT_EQ(std::string(GetText(r.Meter_Style_Text)),
                  row.size == Code(IfoaSize::Quadrant05) ? "QUADRANT" : "SQUARE-EDGED");
    }
}

TEST(CalcSetupTest, ModesAdjustTheMeter) {
    // Restriction mode: concentric plate, pipe taps, Buckingham standard, drain cleared.
    TagRecord r = NewTagRecord();
    r.Meter_Type = Code(MeterType::AsmeLongRadiusNozzle);
    r.Factor_Drain = 1;
    r.Calc_Status = 1;
    CritDropMemory crit;  // the thick orifice, material 6
    ApplyCalcSetup(r, Code(SizeParam::Bore), Code(CalcMode::Restriction), crit);
    EXPECT_EQ(r.Meter_Type, Code(MeterType::ConcentricOrifice));
    EXPECT_EQ(r.Tap_Style, 4);
    EXPECT_EQ(r.Calc_Std, Code(CalcStd::Buckingham1985));
    EXPECT_DOUBLE_EQ(r.DpRefTemp, 519.67);
    EXPECT_EQ(r.Factor_Drain, 0);
    EXPECT_EQ(r.Calc_Status, 0);

    // Critical-drop mode: no dP sizing; the last critical-drop device is taken.
    TagRecord c = NewTagRecord();
    c.Meter_Type = Code(MeterType::ConcentricOrifice);
    c.Factor_Drain = 1;
    CritDropMemory nozzle;
    nozzle.type = Code(MeterType::CriticalCylindricalNozzle);
    nozzle.material = 12;
    ApplyCalcSetup(c, Code(SizeParam::Dp), Code(CalcMode::CriticalDrop), nozzle);
    EXPECT_EQ(c.Calc_SizeParam, Code(SizeParam::Bore));
    EXPECT_EQ(c.Meter_Type, Code(MeterType::CriticalCylindricalNozzle));
    EXPECT_EQ(c.Matl_Elem, 12);
    EXPECT_EQ(c.Factor_Drain, 0);

    // A venturi keeps its type in critical-drop mode; a thick plate turns concentric in meter mode.
    TagRecord v = NewTagRecord();
    v.Meter_Type = Code(MeterType::VenturiRoughCast);
    ApplyCalcSetup(v, Code(SizeParam::Bore), Code(CalcMode::CriticalDrop), crit);
    EXPECT_EQ(v.Meter_Type, Code(MeterType::VenturiRoughCast));
    ApplyCalcSetup(v, Code(SizeParam::Flow), Code(CalcMode::Meter), crit);
    EXPECT_EQ(v.Meter_Type, Code(MeterType::VenturiRoughCast));
    TagRecord t = NewTagRecord();
    t.Meter_Type = Code(MeterType::CriticalThickOrifice);
    ApplyCalcSetup(t, Code(SizeParam::Flow), Code(CalcMode::Meter), crit);
    EXPECT_EQ(t.Meter_Type, Code(MeterType::ConcentricOrifice));
    EXPECT_EQ(t.Calc_SizeParam, Code(SizeParam::Flow));
}

TEST(MeterChoiceTest, WedgeGoesToDpAndNozzleStandardsFollowType) {
    TagRecord w = NewTagRecord();
    w.Calc_SizeParam = Code(SizeParam::Bore);
    ApplyWedgeChoice(w, Code(MeterType::WedgeAbb1615L), 6, 1);
    EXPECT_EQ(w.Calc_SizeParam, Code(SizeParam::Dp));
    EXPECT_EQ(w.Meter_Type, Code(MeterType::WedgeAbb1615L));
    EXPECT_EQ(w.Matl_Pipe, 1);

    TagRecord n = NewTagRecord();
    ApplyNozzleChoice(n, Code(MeterType::AsmeLongRadiusNozzle), 6, 1,
                      Code(CalcStd::NozzlePtc6));  // 1753 is a throat-tap standard only
    EXPECT_EQ(n.Calc_Std, Code(CalcStd::NozzleRhg1998));
    EXPECT_EQ(n.Meter_Diffuser, 0);  // only throat-tap nozzles have the diffuser
    ApplyNozzleChoice(n, Code(MeterType::AsmeThroatTapNozzle), 6, 1, Code(CalcStd::NozzlePtc6));
    EXPECT_EQ(n.Calc_Std, Code(CalcStd::NozzlePtc6));
    EXPECT_EQ(n.Meter_Diffuser, 1);

    TagRecord v = NewTagRecord();
    ApplyVenturiChoice(v, 0, 6, Code(VenturiExit::Deg7), Code(CalcStd::VenturiIso5167_4_2022));
    EXPECT_EQ(v.Meter_Type, Code(MeterType::VenturiPtc195));
    EXPECT_EQ(v.Calc_Std, Code(CalcStd::VenturiPtc195));
    EXPECT_EQ(v.Meter_VenturiExit, Code(VenturiExit::Deg7));
}

TEST(MeterChoiceTest, CustomMeterTextsNeverOverflowAndBadCoefficientKeepsC) {
    TagRecord r = NewTagRecord();
    r.C = 0.61;
    char guard = r.Meter_Style_Text[sizeof r.Meter_Style_Text - 1];
    ApplyCustomMeterChoice(r, Code(MeterType::CustomVenturi), 6, std::string(80, 'S'), std::string(80, 'T'),
                           std::nan(""));
    EXPECT_EQ(GetText(r.Meter_Style_Text).size(), 34u);
    EXPECT_EQ(GetText(r.Tap_Style_Text).size(), 24u);
    EXPECT_EQ(r.Meter_Style_Text[sizeof r.Meter_Style_Text - 1], guard);
    EXPECT_DOUBLE_EQ(r.C, 0.61);
    ApplyCustomMeterChoice(r, Code(MeterType::CustomVenturi), 6, "MY VENTURI", "D/2", 0.985);
    EXPECT_DOUBLE_EQ(r.C, 0.985);
    EXPECT_EQ(r.Meter_Type, Code(MeterType::CustomVenturi));
}

TEST(PipeSizeTest, EverySizeShowsAndStoresInEveryUnit) {
    // Each listed size must give back its own nominal size, whatever the size unit.
    struct Unit {
        const char* text;
        double factor;
    };
    const Unit units[] = {{"in", 1.0}, {"mm", 25.4}, {"cm", 2.54}};
    for (int32_t material : {1, 6}) {
        for (const Unit& u : units) {
            SCOPED_TRACE(testing::Message() << material << " " << u.text);
            const auto list = PipeSizeList(material, u.text, u.factor, kMisc);
            EXPECT_EQ(list.size(), kMisc.IsStainless(material) ? 24u : 33u);
            for (const PipeSizeEntry& e : list) {
                double inches = 0;
                ASSERT_TRUE(NominalSizeFromText(e.text, material, u.text, u.factor, kMisc, inches)) << e.text;
                EXPECT_DOUBLE_EQ(inches, e.inches) << e.text;
            }
        }
    }
}

TEST(PipeSizeTest, ShownTextsAndTypedSizes) {
    // 4 in is DN 100 (ISO 6708 / ASME B36.10M): "100" in mm, "10.0" in cm, not 4 / 2.54.
    const auto mm = PipeSizeList(1, "mm", 25.4, kMisc);
    const auto cm = PipeSizeList(1, "cm", 2.54, kMisc);
    const auto in = PipeSizeList(1, "in", 1.0, kMisc);
    EXPECT_EQ(in[9].text, "4.00");
    EXPECT_EQ(mm[9].text, "100");
    EXPECT_EQ(cm[9].text, "10.0");
    struct Row {
        const char* text;
        const char* unit;
        double factor;
        bool ok;
        double inches;
    };
    const Row rows[] = {
        {"101.6", "mm", 25.4, true, 4.0},  // 4 x 25.4 typed as an exact conversion, snapped
        {"10.16", "cm", 2.54, true, 4.0}, {"6", "in", 1.0, true, 6.0}, {"abc", "in", 1.0, false, 0},
        {"-4", "in", 1.0, false, 0},      {"0", "mm", 25.4, false, 0}, {"1e400", "in", 1.0, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        double inches = -1;
        EXPECT_EQ(NominalSizeFromText(row.text, 1, row.unit, row.factor, kMisc, inches), row.ok);
        if (row.ok) {
            EXPECT_DOUBLE_EQ(inches, row.inches);
        }
    }
}

TEST(PipeChoiceTest, StainlessTableDiameterExceptNonStdAndMaterialChangeEmptiesDatasheetText) {
    TagRecord r = NewTagRecord();
    SetText(r.Pipe_Matl_DS, "A106 GR B");
    PipeChoice c;
    c.material = 6;
    c.sched_position = 2;  // "40S"
    c.nominal_in = 4.0;
    c.idia_in = 3.9;  // the table wins for a standard stainless schedule
    ApplyPipeChoice(r, c, kMisc);
    EXPECT_EQ(std::string(GetText(r.Pipe_Sched_Text)), "40S");
    EXPECT_NEAR(r.Pipe_IDia, 4.026, 5e-4);  // ASME B36.19M: 4 in 40S, OD 4.500, wall 0.237
    EXPECT_EQ(GetText(r.Pipe_Matl_DS).size(), 0u);

    c.sched_position = NonStdSchedulePosition(6, kMisc);
    c.idia_in = 3.9;
    ApplyPipeChoice(r, c, kMisc);
    EXPECT_EQ(std::string(GetText(r.Pipe_Sched_Text)), "NON-STD");
    EXPECT_DOUBLE_EQ(r.Pipe_IDia, 3.9);  // typed diameter kept
}

}  // namespace
}  // namespace quorven
