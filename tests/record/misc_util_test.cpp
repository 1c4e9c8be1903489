#include "record/misc_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace quorven {
namespace {

constexpr int32_t kCarbonSteel = 13;
constexpr int32_t k316 = 6;

struct PipeCase {
    int32_t material;
    double nominal;
    const char* schedule;
    double od;    // outside diameter [in], ASME B36.10M-2004 / B36.19M-2004 Table 1
    double wall;  // nominal wall [in], same tables
};

// Inside diameter = OD - 2 x wall (hand calculation from the published dimensions).
const PipeCase kPublishedPipes[] = {
    {kCarbonSteel, 0.5, "40", 0.840, 0.109},
    {kCarbonSteel, 0.5, "XXS", 0.840, 0.294},
    {kCarbonSteel, 1, "80", 1.315, 0.179},
    {kCarbonSteel, 2, "160", 2.375, 0.344},
    {kCarbonSteel, 3, "40", 3.500, 0.216},
    {kCarbonSteel, 4, "40", 4.500, 0.237},
    {kCarbonSteel, 4, "120", 4.500, 0.438},
    {kCarbonSteel, 5, "120", 5.563, 0.500},
    {kCarbonSteel, 6, "80", 6.625, 0.432},
    {kCarbonSteel, 8, "20", 8.625, 0.250},
    {kCarbonSteel, 8, "XXS", 8.625, 0.875},
    {kCarbonSteel, 10, "60", 10.750, 0.500},
    {kCarbonSteel, 12, "STD", 12.750, 0.375},
    {kCarbonSteel, 12, "40", 12.750, 0.406},
    {kCarbonSteel, 16, "160", 16.0, 1.594},
    {kCarbonSteel, 20, "40", 20.0, 0.594},
    {kCarbonSteel, 22, "10", 22.0, 0.250},
    {kCarbonSteel, 22, "30", 22.0, 0.500},
    {kCarbonSteel, 22, "XS", 22.0, 0.500},
    {kCarbonSteel, 22, "160", 22.0, 2.125},
    {kCarbonSteel, 24, "40", 24.0, 0.688},
    {kCarbonSteel, 30, "30", 30.0, 0.625},
    {kCarbonSteel, 36, "40", 36.0, 0.750},
    {kCarbonSteel, 48, "STD", 48.0, 0.375},
    {k316, 0.75, "10S", 1.050, 0.083},
    {k316, 2, "5S", 2.375, 0.065},
    {k316, 4, "40S", 4.500, 0.237},
    {k316, 10, "10S", 10.750, 0.165},
    {k316, 12, "80S", 12.750, 0.500},
    {k316, 22, "10S", 22.0, 0.218},
    {k316, 24, "5S", 24.0, 0.218},
    {k316, 30, "10S", 30.0, 0.312},
    {41, 6, "80S", 6.625, 0.432},
    {42, 8, "40S", 8.625, 0.322},
};

TEST(PipeInsideDiameter, MatchesPublishedDimensions) {
    const CMiscUtil mu;
    for (const PipeCase& c : kPublishedPipes) {
        SCOPED_TRACE(std::to_string(c.material) + " " + std::to_string(c.nominal) + " " + c.schedule);
        EXPECT_NEAR(mu.PipeInsideDiameter(c.material, c.nominal, c.schedule), c.od - 2 * c.wall, 5e-4);
    }
}

TEST(PipeInsideDiameter, NoStandardPipeGivesZero) {
    const CMiscUtil mu;
    struct Case {
        int32_t material;
        double nominal;
        const char* schedule;
    };
    const Case cases[] = {
        {k316, 26, "10S"},  // stainless rows stop at 30 and have no 26
        {k316, 36, "5S"},
        {kCarbonSteel, 26, "STD"},     // no table entry
        {kCarbonSteel, 22, "40"},      // B36.10M lists no schedule 40 for NPS 22
        {kCarbonSteel, 4, "NON-STD"},  // entered by hand
        {kCarbonSteel, 4, "40S"},      // a stainless schedule for carbon steel
        {k316, 4, "40"},               // a carbon steel schedule for stainless
        {kCarbonSteel, 0.9, "40"},     // between rows
        {kCarbonSteel, 50, "STD"},
        {kCarbonSteel, std::nan(""), "40"},
        {k316, 22, "40S"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.material) + " " + std::to_string(c.nominal) + " " + c.schedule);
        EXPECT_EQ(mu.PipeInsideDiameter(c.material, c.nominal, c.schedule), 0.0);
    }
    EXPECT_EQ(mu.PipeInsideDiameter(kCarbonSteel, 26, "XS"), 25.0);
    EXPECT_EQ(mu.PipeInsideDiameter(kCarbonSteel, 3.95, "40"), 4.026);  // within the 4 in window
}

TEST(NominalSizes, SnapAndMetricSize) {
    const CMiscUtil mu;
    struct Snap {
        double in, out;
    };
    const Snap snaps[] = {
        {0.72, 0.75}, {0.9, 0.9}, {0.7, 0.7}, {0.7000001, 0.75}, {0.6999999, 0.5}, {1.3, 1.25},
        {3.9, 4.0},   {4.1, 4.1}, {36.9, 36}, {47.5, 48},        {22.0, 22.0},  // no 22 in window in the snap
                                                                                // list
    };
    for (const Snap& s : snaps) {
        SCOPED_TRACE(s.in);
        EXPECT_EQ(mu.SnapNominalSize(s.in), s.out);
    }
    struct Dn {
        double in, mm;
    };
    const Dn dns[] = {{0.125, 3}, {1.25, 30}, {2.5, 60},  {3.5, 90},  {8, 200}, {10, 250},
                      {12, 300},  {46, 1150}, {48, 1200}, {4.1, 4.1}, {9, 9}};
    for (const Dn& d : dns) {
        SCOPED_TRACE(d.in);
        EXPECT_EQ(mu.NominalSizeMm(d.in), d.mm);
    }
    EXPECT_EQ(mu.NominalSizeTexts().size(), 33u);
    EXPECT_EQ(mu.NominalSizeText(0), "0.50");
    EXPECT_EQ(mu.NominalSizeText(32), "48.00");
    EXPECT_EQ(mu.NominalSizeText(33), "");
}

TEST(Materials, NamesGroupsAndSortedOrder) {
    const CMiscUtil mu;
    EXPECT_EQ(mu.MaterialName(0, 41),
              "17-4 PH SS (70 to 600\xB0"
              "F)");
    EXPECT_EQ(mu.MaterialName(2, 41),
              "17-4 pH (21 to 316\xB0"
              "C)");
    EXPECT_EQ(mu.MaterialName(1, 13),
              "Carbon Steel (-50 to 1400\xB0"
              "F)");
    EXPECT_EQ(mu.MaterialName(3, 13),
              "Carbon Steel (-45 to 760\xB0"
              "C)");
    EXPECT_EQ(mu.MaterialTag(23), "ICONEL X ANNEALED");
    EXPECT_EQ(mu.MaterialTag(44), "CPVC");
    EXPECT_EQ(mu.MaterialTag(0), "");
    EXPECT_EQ(mu.MaterialTag(45), "");
    // The sorted order is a permutation of 1..44.
    std::set<int32_t> seen;
    for (int32_t p = 0; p < 44; ++p) seen.insert(mu.MaterialFromListPosition(p));
    EXPECT_EQ(seen.size(), 44u);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), 44);
    EXPECT_EQ(mu.MaterialFromListPosition(1), 41);
    EXPECT_EQ(mu.MaterialFromListPosition(17), 44);
    EXPECT_EQ(mu.MaterialFromListPosition(44), 0);
    for (int32_t m = 1; m <= 44; ++m) {
        SCOPED_TRACE(m);
        const bool stainless = (m >= 2 && m <= 9) || m == 41 || m == 42;
        EXPECT_EQ(mu.IsStainless(m), stainless);
        EXPECT_EQ(mu.Schedules(m).size(), stainless ? 5u : 15u);
        EXPECT_EQ(mu.Schedules(m).back(), "NON-STD");
    }
    EXPECT_EQ(mu.ScheduleText(kCarbonSteel, 5), "STD");
    EXPECT_EQ(mu.ScheduleText(k316, 2), "40S");
    EXPECT_EQ(mu.ScheduleText(k316, 5), "");
    EXPECT_EQ(mu.SchedulePosition(kCarbonSteel, "XXS"), 13);
}

TEST(Texts, SizingParameterStandardAndEquation) {
    const CMiscUtil mu;
    EXPECT_EQ(mu.SizingParameterText(true, Code(CalcMode::Meter), Code(SizeParam::Dp)), "FLOWMETER dP");
    EXPECT_EQ(mu.SizingParameterText(false, Code(CalcMode::CriticalDrop), Code(SizeParam::Bore)),
              "CRITICAL DROP CALC FOR BORE");
    EXPECT_EQ(mu.SizingParameterText(false, Code(CalcMode::CriticalDrop), Code(SizeParam::Dp)), "");
    struct Std {
        int32_t std, mode, meter, mfr;
        const char* text;
    };
    const Std stds[] = {
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::Meter), Code(MeterType::ConcentricOrifice),
         Code(IfoaMfr::SiebeFoxboro), "ASME MFC-3Ma(2007)/ISO 5167(2022)"},
        {Code(CalcStd::NozzleAsmeMfc3M1989), Code(CalcMode::Meter), Code(MeterType::AsmeLongRadiusNozzle),
         Code(IfoaMfr::SiebeFoxboro), "ASME MFC-3M (1989 Edition)"},
        {Code(CalcStd::ReaderHarris2012), Code(CalcMode::Meter), Code(MeterType::ConcentricOrifice),
         Code(IfoaMfr::SiebeFoxboro), "API 2530/AGA 3 (2012)"},
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::CriticalDrop),
         Code(MeterType::CriticalCylindricalNozzle), Code(IfoaMfr::SiebeFoxboro),
         "R.W. Miller (3rd Edition)"},
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::Meter), Code(MeterType::IntegralOrifice),
         Code(IfoaMfr::FisherRosemount), "Fisher-Rosemount 1195 Integral"},
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::CriticalDrop),
         Code(MeterType::IntegralOrifice), Code(IfoaMfr::SiebeFoxboro),
         "Foxboro Integral Flow Orifice"},  // meter type has the last word
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::Meter), Code(MeterType::WedgeAbb1630L),
         Code(IfoaMfr::SiebeFoxboro), "ABB Proprietary"},
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::Meter), Code(MeterType::CustomWedge),
         Code(IfoaMfr::SiebeFoxboro), "Calibrated Wedge"},
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::Meter), Code(MeterType::SmallBoreOrifice),
         Code(IfoaMfr::SiebeFoxboro), "ASME MFC-14M (2003) Small Bore"},
        {Code(CalcStd::ReaderHarrisGallagher1998), Code(CalcMode::Meter), Code(MeterType::LoLoss),
         Code(IfoaMfr::SiebeFoxboro), "R.W. Miller, (3rd Edition)"},
        {9999, Code(CalcMode::Meter), Code(MeterType::ConcentricOrifice), Code(IfoaMfr::SiebeFoxboro),
         "before"},  // unknown standard: text unchanged
    };
    for (const Std& s : stds) {
        SCOPED_TRACE(s.text);
        EXPECT_EQ(mu.StandardText(s.std, s.mode, s.meter, s.mfr, "before"), s.text);
    }
    EXPECT_EQ(mu.FluidEquationText(Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
                                   Code(FluidProperty::GasMW)),
              "GAS-VOLUME-PVT-FLOWING");
    EXPECT_EQ(mu.FluidEquationText(Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
                                   Code(FluidProperty::LiquidDensity)),
              "LIQUID-MASS-DENSITY-FLOWING");
    EXPECT_EQ(mu.FluidEquationText(Code(FluidEquation::GasMass), Code(FluidCondition::GasBase),
                                   Code(FluidProperty::GasDensity)),
              "VAPOR-MASS-DENSITY-FLOWING");
    EXPECT_EQ(mu.FluidEquationText(Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
                                   Code(FluidProperty::GasSG), "kept"),
              "kept");
}

}  // namespace
}  // namespace quorven
