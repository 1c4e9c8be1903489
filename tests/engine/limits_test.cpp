// CheckLimits: the limit warnings of a sized meter, their order, the "PRINT NOTICE"
// question and the voided critical-drop calculation, through the recording sink.

#include "engine/limits.h"

#include <gtest/gtest.h>

#include "record/choice_codes.h"

namespace quorven {
namespace {

using Numbers = std::vector<int>;

// A liquid concentric orifice, flange taps, RHG, sized and inside every limit:
// 4.026 in line, beta 0.5, bore 2.013 in, Rd 10^5, dP reference 68 deg F.
TagRecord SizedOrifice() {
    TagRecord r = NewTagRecord();
    r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    r.Tap_Style = 1;
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    r.Beta = 0.5;
    r.Bore = 2.013;
    r.Rd = 1e5;
    r.DpRefTemp = 527.67;
    r.Fdh = 1.0;
    r.Calc_Status = kStatusCalculated;
    return r;
}

Numbers Check(TagRecord& r, MessageAnswer answer = MessageAnswer::No, bool interactive = true) {
    RecordingMessageSink sink(answer);
    CheckLimits(r, sink, interactive);
    return sink.Numbers();
}

TEST(CheckLimits, NoWarningAsksNothingAndKeepsStatus) {
    TagRecord r = SizedOrifice();
    EXPECT_EQ(Check(r), Numbers{});
    EXPECT_EQ(r.Calc_Status, kStatusCalculated);
}

TEST(CheckLimits, SmallPipeLimitDependsOnTheStandard) {
    // 1.8 in line: below ISO's 50 mm for RHG, above AGA 3 (1992)'s 1.687 in.
    TagRecord r = SizedOrifice();
    r.Pipe_IDia = 1.8;
    r.Bore = 0.9;
    RecordingMessageSink sink;
    CheckLimits(r, sink, true);
    ASSERT_EQ(sink.Numbers(), (Numbers{-msg::kWarnPipeBelowMinimum, 0}));
    EXPECT_NE(sink.messages[0].text.find("is 1.969 in."), std::string::npos);
    EXPECT_EQ(sink.messages[1].caption, "PRINT NOTICE");
    EXPECT_EQ(sink.messages[1].text, "Do you want to suppress all warnings\nfor this calculation?");
    EXPECT_EQ(sink.messages[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(sink.messages[1].default_answer, MessageAnswer::No);
    EXPECT_EQ(sink.messages[1].icon, MessageIcon::Question);

    r.Calc_Std = Code(CalcStd::ReaderHarris1992);
    r.DpRefTemp = 519.67;  // AGA 3 differential reference 60 deg F
    EXPECT_EQ(Check(r), Numbers{});
}

TEST(CheckLimits, DpReferenceTemperatureByStandard) {
    struct Case {
        CalcStd std_code;
        double DpRefTemp;
        Numbers expected;
    };
    const Case cases[] = {
        {CalcStd::Stolz, 519.67, {-16, 0}},
        {CalcStd::OrificePtc195, 527.674, {}},  // rounds to 527.67
        {CalcStd::ReaderHarrisGallagher1998, 527.676, {-16, 0}},
        {CalcStd::Buckingham1985, 527.67, {-15, 0}},
        {CalcStd::ReaderHarris1992, 519.67, {}},
        {CalcStd::ReaderHarris2012, 400.0, {}},  // not checked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Code(c.std_code));
        TagRecord r = SizedOrifice();
        r.Calc_Std = Code(c.std_code);
        r.DpRefTemp = c.DpRefTemp;
        EXPECT_EQ(Check(r), c.expected);
    }
}

TEST(CheckLimits, QuestionAnswerSetsTheStatus) {
    TagRecord yes = SizedOrifice();
    yes.Beta = 0.8;
    EXPECT_EQ(Check(yes, MessageAnswer::Yes), (Numbers{-msg::kWarnBetaRange, 0}));
    EXPECT_EQ(yes.Calc_Status, kStatusWarningsSuppressed);
    TagRecord no = SizedOrifice();
    no.Beta = 0.8;
    EXPECT_EQ(Check(no, MessageAnswer::No), (Numbers{-msg::kWarnBetaRange, 0}));
    EXPECT_EQ(no.Calc_Status, kStatusCalculated);
}

TEST(CheckLimits, WarningsComeInTheirFixedOrder) {
    TagRecord r = SizedOrifice();
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.DpRefTemp = 519.67;  // not 68 deg F for ISO -> #16
    r.Fdh = 1.03;          // -> #13, and with a bore below 1 in -> #19
    r.Flow_Press = 50.0;
    r.Dp_Max = 60.0;    // dP/Pf above 1 inH2O per psia -> #1
    r.Pipe_IDia = 0.7;  // -> #34 (bore), #2 (pipe)
    r.Bore = 0.42;
    r.Beta = 0.6;
    r.Rd = 3000.0;  // -> #6 against the flange-tap minimum 5000
    EXPECT_EQ(Check(r), (Numbers{-msg::kWarnDpReferenceTemperature68F, -msg::kWarnDrainHoleFactorAboveMaximum,
                                 -msg::kWarnBoreBelowOneInch, -msg::kWarnDpOverPressureRatio,
                                 -msg::kWarnBoreBelow12_5mm, -msg::kWarnPipeBelowMinimum,
                                 -msg::kWarnPipeReynoldsBelowMinimum, 0}));
}

TEST(CheckLimits, FlangeTapMinimumReynoldsNumberIsTheLargerOfBothIsoMinima) {
    // ISO 5167-2:2003: Rd >= 5000 and Rd >= 170 b^2 D [mm]. In a 10.02 in line at b 0.75
    // the second is 170 x 0.5625 x 254.508 = 24337.3 (hand calculation).
    TagRecord r = SizedOrifice();
    r.Pipe_IDia = 10.02;
    r.Beta = 0.75;
    r.Bore = 7.515;
    r.Rd = 20000.0;
    RecordingMessageSink sink;
    CheckLimits(r, sink, true);
    ASSERT_EQ(sink.Numbers(), (Numbers{-msg::kWarnPipeReynoldsBelowMinimum, 0}));
    EXPECT_NE(sink.messages[0].text.find("is 24337."), std::string::npos) << sink.messages[0].text;
    r.Rd = 24400.0;
    EXPECT_EQ(Check(r), Numbers{});
    // In a small line the fixed 5000 is the larger: 170 x 0.09 x 52.5 = 803.
    TagRecord s = SizedOrifice();
    s.Pipe_IDia = 2.067;
    s.Beta = 0.3;
    s.Bore = 0.62;
    s.Rd = 4999.0;
    EXPECT_EQ(Check(s), (Numbers{-msg::kWarnPipeReynoldsBelowMinimum, 0}));
    s.Rd = 5000.0;
    EXPECT_EQ(Check(s), Numbers{});
}

TEST(CheckLimits, CornerAndPipeTapReynoldsLimits) {
    TagRecord r = SizedOrifice();
    r.Tap_Style = 2;
    r.Beta = 0.6;
    r.Rd = 5700.0;  // 16000 x 0.36 = 5760 above b 0.56
    EXPECT_EQ(Check(r), (Numbers{-msg::kWarnPipeReynoldsBelowMinimum, 0}));
    r.Beta = 0.56;  // 5000 at and below 0.56
    EXPECT_EQ(Check(r), Numbers{});
    TagRecord p = SizedOrifice();
    p.Tap_Style = 4;
    p.Rd = 2e7;
    p.Pipe_IDia = 36.0;
    p.Bore = 18.0;
    EXPECT_EQ(Check(p), (Numbers{-msg::kWarnPipeAboveMaximum, -msg::kWarnPipeReynoldsAboveMaximum, 0}));
}

TEST(CheckLimits, MeterRowsAndTheirOwnWarnings) {
    struct Case {
        const char* what;
        MeterType type;
        CalcStd std_code;
        double D, beta, bore, Rd;
        Numbers expected;
    };
    const Case cases[] = {
        {"quadrant ISO/TR 15377, small pipe",
         MeterType::QuadrantOrifice,
         CalcStd::IsoTr15377,
         1.2,
         0.4,
         0.48,
         2e4,
         {-26, 0}},
        {"venturi nozzle: bore, bore Reynolds number",
         MeterType::VenturiNozzle,
         CalcStd::AsmeMfc14M,
         3.0,
         0.5,
         1.5,
         1e5,
         {-35, -9, 0}},
        {"venturi nozzle above its maximum",
         MeterType::VenturiNozzle,
         CalcStd::AsmeMfc14M,
         4.026,
         0.5,
         2.013,
         3e6,
         {-10, 0}},
        {"long radius nozzle above 630 mm: no beta check",
         MeterType::AsmeLongRadiusNozzle,
         CalcStd::NozzleRhg1998,
         26.0,
         0.9,
         23.4,
         1e6,
         {-3, 0}},
        {"long radius nozzle, beta",
         MeterType::AsmeLongRadiusNozzle,
         CalcStd::NozzleRhg1998,
         10.0,
         0.9,
         9.0,
         1e6,
         {-4, 0}},
        {"throat tap nozzle: no Reynolds check",
         MeterType::AsmeThroatTapNozzle,
         CalcStd::NozzlePtc6,
         10.0,
         0.45,
         4.5,
         1.0,
         {}},
        {"integral orifice, Foxboro",
         MeterType::IntegralOrifice,
         CalcStd::AsmeMfc14M,
         0.5,
         0.5,
         0.25,
         2000.0,
         {-22, 0}},
        {"machined venturi below its minimum",
         MeterType::VenturiMachined,
         CalcStd::VenturiIso5167_4_2022,
         4.026,
         0.5,
         2.013,
         150000.0,
         {-6, 0}},
        {"eccentric, other standard: no limits",
         MeterType::EccentricOrifice,
         CalcStd::AsmeMfc14M,
         1.0,
         0.95,
         0.95,
         1.0,
         {}},
        {"custom meter: no limits", MeterType::CustomOrifice, CalcStd::AsmeMfc14M, 1.0, 0.95, 0.95, 1.0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TagRecord r = SizedOrifice();
        r.Meter_Type = Code(c.type);
        r.Calc_Std = Code(c.std_code);
        r.Pipe_IDia = c.D;
        r.Beta = c.beta;
        r.Bore = c.bore;
        r.Rd = c.Rd;
        r.DpRefTemp = 600.0;  // checked only for the orifice standards, none of them here
        if (c.type == MeterType::IntegralOrifice) r.Meter_IFOAMfr = Code(IfoaMfr::SiebeFoxboro);
        EXPECT_EQ(Check(r), c.expected);
    }
}

TEST(CheckLimits, SmallBoreAgainstItsNominalSizes) {
    TagRecord r = SizedOrifice();
    r.Meter_Type = Code(MeterType::SmallBoreOrifice);
    r.Calc_Std = Code(CalcStd::AsmeMfc14M);
    r.Pipe_IDia = 1.939;
    r.Pipe_NomDia = 2.0;
    r.Bore = 0.97;
    RecordingMessageSink sink;
    CheckLimits(r, sink, true);
    ASSERT_EQ(sink.Numbers(), (Numbers{-msg::kWarnPipeAboveMaximum, 0}));
    EXPECT_NE(sink.messages[0].text.find("is 1.50 in."), std::string::npos);
}

TEST(CheckLimits, CriticalDropDevices) {
    TagRecord r = SizedOrifice();
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    r.Meter_Type = Code(MeterType::CriticalCylindricalNozzle);
    r.Calc_Std = Code(CalcStd::NozzleAsmeMfc3M1989);
    r.Beta = 0.3;
    r.Rd = 5000.0;
    EXPECT_EQ(Check(r), (Numbers{-msg::kWarnBetaAboveMaximum, -msg::kWarnPipeReynoldsBelowMinimum, 0}));
    r.Rd = 3e7;
    EXPECT_EQ(Check(r), (Numbers{-msg::kWarnBetaAboveMaximum, -msg::kWarnPipeReynoldsAboveMaximum, 0}));
    r.Meter_Type = Code(MeterType::CriticalThickOrifice);
    r.Beta = 0.5;
    r.Rd = 99999.0;
    // Only the critical limits apply in this mode (no pipe or orifice checks).
    r.Pipe_IDia = 0.5;
    EXPECT_EQ(Check(r), (Numbers{-msg::kWarnBetaAboveMaximum, -msg::kWarnPipeReynoldsBelowMinimum, 0}));
}

TEST(CheckLimits, VoidedCriticalDropCalculationNeedsCalculatingAgain) {
    TagRecord r = SizedOrifice();
    r.Calc_Mode = Code(CalcMode::CriticalDrop);
    r.Meter_Type = Code(MeterType::CriticalSquareEdgedOrifice);
    r.Calc_SizeParam = Code(SizeParam::Bore);
    r.Beta = 0.95;
    r.Bore = 3.8247;
    r.Fdh = 1.03;
    RecordingMessageSink sink(MessageAnswer::Yes);
    EXPECT_FALSE(CheckLimits(r, sink, true));
    // Earlier warnings stand; the void ends the check, and no suppression is offered.
    EXPECT_EQ(sink.Numbers(),
              (Numbers{-msg::kWarnDrainHoleFactorAboveMaximum, msg::kErrCriticalDropBoreAbovePipe}));
    EXPECT_EQ(r.Calc_Status, kStatusNotCalculated);
    EXPECT_EQ(r.Beta, 0.0);
    EXPECT_EQ(r.Bore, 0.0);

    // Sized for flow, the bore is the user's: it stays.
    TagRecord f = SizedOrifice();
    f.Calc_Mode = Code(CalcMode::CriticalDrop);
    f.Meter_Type = Code(MeterType::CriticalSquareEdgedOrifice);
    f.Calc_SizeParam = Code(SizeParam::Flow);
    f.Beta = 0.95;
    f.Bore = 3.8247;
    NullMessageSink quiet;
    EXPECT_FALSE(CheckLimits(f, quiet, false));  // voided in batch runs too, silently
    EXPECT_EQ(f.Calc_Status, kStatusNotCalculated);
    EXPECT_EQ(f.Bore, 3.8247);
    EXPECT_EQ(f.Beta, 0.95);
}

TEST(CheckLimits, BatchRunsShowAndAskNothing) {
    TagRecord r = SizedOrifice();
    r.Beta = 0.8;
    r.DpRefTemp = 500.0;
    EXPECT_EQ(Check(r, MessageAnswer::Yes, false), Numbers{});
    EXPECT_EQ(r.Calc_Status, kStatusCalculated);
}

}  // namespace
}  // namespace quorven
