// DischargeCoefficient, ExpansionFactor and WedgeCoefficient on tag records: the
// choice of equation by meter, standard and taps, the record fields they read and
// write, and the numbered messages they raise. Expected values are hand
// calculations (python3 of the printed equation), labelled per case.

#include "engine/coefficients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "record/choice_codes.h"

namespace quorven {
namespace {

constexpr double kHand = 1e-12;

// A gas tag with a 4 in schedule 40 line, beta 0.5, Rd 10^5, 100 psia, 100 inH2O, k 1.3.
TagRecord GasTag(MeterType type, CalcStd std_code, int32_t taps = 1) {
    TagRecord r = NewTagRecord();
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.Meter_Type = Code(type);
    r.Calc_Std = Code(std_code);
    r.Tap_Style = taps;
    r.Tap_Loc = Code(TapLoc::Upstream);
    r.Pipe_NomDia = 4.0;
    r.Pipe_IDia = 4.026;
    r.Beta = 0.5;
    r.Rd = 1e5;
    r.Flow_Press = 100.0;
    r.Dp_Norm = 100.0;
    r.Property_KFp = 1.3;
    return r;
}

double C(TagRecord r, MessageSink& sink, bool interactive = true) {
    return DischargeCoefficient(r, sink, interactive);
}

TEST(DischargeCoefficient, ConcentricOrificeByTapsAndStandard) {
    struct Case {
        const char* source;
        CalcStd std_code;
        int32_t taps;
        double D, expected;
    };
    const Case cases[] = {
        // hand calculation: Stolz flange, 2.0 in takes the 0.039 term, 2.3 in the 0.09/D term
        {"Stolz flange 2.0 in", CalcStd::Stolz, 1, 2.0, 0.6058356378298927},
        {"Stolz flange 2.3 in", CalcStd::Stolz, 1, 2.3, 0.6061190617429361},
        {"PTC 19.5 orifice flange 2.3 in (Stolz)", CalcStd::OrificePtc195, 1, 2.3, 0.6061190617429361},
        // a flange standard not listed takes the 0.039 form at any size
        {"MFC-14M flange 4.026 in", CalcStd::AsmeMfc14M, 1, 4.026, 0.6068955639352082},
        {"Stolz corner", CalcStd::Stolz, 2, 4.026, 0.6053418878298926},
        {"RH 1992 flange", CalcStd::ReaderHarris1992, 1, 4.026, 0.6062491331368738},
        {"AGA 3 2012 flange (RH 1992 form)", CalcStd::ReaderHarris2012, 1, 4.026, 0.6062491331368738},
        // corner taps keep the Reynolds-number terms (L1 = L2 = 0)
        {"RH 1992 corner", CalcStd::ReaderHarris1992, 2, 4.026, 0.6070996047207394},
        // AGA 3 (2012) offers corner taps too: the same equation, the same value
        {"AGA 3 2012 corner", CalcStd::ReaderHarris2012, 2, 4.026, 0.6070996047207394},
        {"RHG flange", CalcStd::ReaderHarrisGallagher1998, 1, 4.026, 0.6062040998500354},
        {"RHG corner", CalcStd::ReaderHarrisGallagher1998, 2, 4.026, 0.6068731632649672},
        {"API 2530 flange", CalcStd::Buckingham1985, 1, 4.026, 0.6053226439829625},
        // combinations without an equation
        {"RH 1992 radius", CalcStd::ReaderHarris1992, 3, 4.026, 0.0},
    };
    RecordingMessageSink sink;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        TagRecord r = GasTag(MeterType::ConcentricOrifice, c.std_code, c.taps);
        r.Pipe_IDia = c.D;
        EXPECT_NEAR(C(r, sink), c.expected, kHand);
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST(DischargeCoefficient, ThermalExpansionEntersBetaAndDiameter) {
    // b = Beta Fa_Meter / Fa_Pipe and D = Pipe_IDia Fa_Pipe for RHG; API 2530 uses
    // b = Beta Fa_Meter. Hand calculations with Fa_Meter 1.002, Fa_Pipe 1.001.
    NullMessageSink sink;
    TagRecord r = GasTag(MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998);
    r.Fa_Meter = 1.002;
    r.Fa_Pipe = 1.001;
    EXPECT_NEAR(C(r, sink), 0.6062270223148296, kHand);
    r.Calc_Std = Code(CalcStd::Buckingham1985);
    EXPECT_NEAR(DischargeCoefficient(r, sink, true), 0.6053602641422042, kHand);
    // API 2530 (1985) leaves its terms in the record.
    EXPECT_NEAR(r.Qrad_K0, 0.6233637589793093, kHand);
    EXPECT_NEAR(r.E_Ftp, 645.8184703660415, 1e-9);
    EXPECT_NEAR(r.K, 0.6253806839241305, kHand);
}

TEST(DischargeCoefficient, BadInputsGiveNoCoefficientAndWriteNothing) {
    NullMessageSink sink;
    struct Case {
        const char* what;
        void (*spoil)(TagRecord&);
    };
    const Case cases[] = {
        {"zero Fa_Pipe", [](TagRecord& r) { r.Fa_Pipe = 0.0; }},
        {"beta above 1", [](TagRecord& r) { r.Beta = 1.2; }},
        {"beta 0", [](TagRecord& r) { r.Beta = 0.0; }},
        {"Rd 0", [](TagRecord& r) { r.Rd = 0.0; }},
        {"Rd NaN", [](TagRecord& r) { r.Rd = std::nan(""); }},
        {"no pipe", [](TagRecord& r) { r.Pipe_IDia = 0.0; }},
    };
    for (CalcStd s : {CalcStd::Buckingham1985, CalcStd::ReaderHarrisGallagher1998, CalcStd::Stolz}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " std " + std::to_string(Code(s)));
            TagRecord r = GasTag(MeterType::ConcentricOrifice, s);
            c.spoil(r);
            const TagRecord before = r;
            EXPECT_EQ(DischargeCoefficient(r, sink, true), 0.0);
            EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
        }
    }
}

TEST(DischargeCoefficient, OtherMetersByTypeAndStandard) {
    struct Case {
        const char* source;
        MeterType type;
        CalcStd std_code;
        double beta, Rd, expected;
    };
    const Case cases[] = {
        // ISO 5167-4:2003 printed constants
        {"machined venturi inside the gap band (Rd 700000)", MeterType::VenturiMachined,
         CalcStd::VenturiIso5167_4_2022, 0.5, 700000.0, 0.995},
        {"machined venturi at 10^6", MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022, 0.5, 1e6,
         0.995},
        {"machined venturi at 2 x 10^6", MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022, 0.5, 2e6,
         1.0},
        {"rough cast venturi", MeterType::VenturiRoughCast, CalcStd::VenturiIso5167_4_2022, 0.5, 1e6, 0.984},
        {"welded venturi, ISO 5167-4", MeterType::VenturiWeldedSheet, CalcStd::VenturiIso5167_4_2022, 0.5,
         1e6, 0.985},
        {"welded venturi, MFC-3M", MeterType::VenturiWeldedSheet, CalcStd::VenturiAsmeMfc3M1989, 0.5, 1e6,
         0.985},
        {"welded venturi, other standard", MeterType::VenturiWeldedSheet, CalcStd::VenturiPtc195, 0.5, 1e6,
         0.0},
        // hand calculations
        {"long radius nozzle, ISO 5167-3:2022", MeterType::AsmeLongRadiusNozzle,
         CalcStd::NozzleIso5167_3_2022, 0.5, 1e6, 0.9918825927188519},
        {"long radius nozzle, RHG 1998", MeterType::AsmeLongRadiusNozzle, CalcStd::NozzleRhg1998, 0.5, 1e6,
         0.9918825927188519},
        {"long radius nozzle, MFC-3M", MeterType::AsmeLongRadiusNozzle, CalcStd::NozzleAsmeMfc3M1989, 0.5,
         1e6, 0.9928825927188519},
        // hand calculation: PTC 6 curve at Rb = 5e5 / 0.5 = 10^6, less 0.0054
        {"long radius nozzle, PTC 19.5", MeterType::AsmeLongRadiusNozzle, CalcStd::NozzlePtc195, 0.5, 5e5,
         0.9972446530444198 - 0.0054},
        {"ISA 1932 nozzle", MeterType::IsaNozzle, CalcStd::NozzleIso5167_3_2022, 0.6, 2e5,
         0.9606557680105773},
        {"venturi nozzle", MeterType::VenturiNozzle, CalcStd::NozzleIso5167_3_2022, 0.6, 2e5,
         0.9661240052465956},
        {"throat tap nozzle, PTC 6 (Rb 10^6)", MeterType::AsmeThroatTapNozzle, CalcStd::NozzlePtc6, 0.5, 5e5,
         0.9972446530444198},
        {"throat tap nozzle, MFC-3M", MeterType::AsmeThroatTapNozzle, CalcStd::NozzleAsmeMfc3M1989, 0.5, 1e6,
         0.9983079450827947},
        {"venturi per PTC 19.5 (PTC 6 curve, Rb 10^6)", MeterType::VenturiPtc195, CalcStd::VenturiPtc195, 0.5,
         5e5, 0.9972446530444198},
        {"conic, Miller, Rd below 250 b", MeterType::ConicOrifice, CalcStd::Miller3rd, 0.2, 49.0, 0.73},
        {"conic, Miller, Rd in band", MeterType::ConicOrifice, CalcStd::Miller3rd, 0.2, 500.0, 0.734},
        {"conic, ISO/TR 15377", MeterType::ConicOrifice, CalcStd::IsoTr15377, 0.2, 49.0, 0.734},
        {"conic, other standard", MeterType::ConicOrifice, CalcStd::Stolz, 0.2, 500.0, 0.0},
        // the 4.026 in line takes the D > 4 in row of the table
        {"eccentric, Miller tap 1, D > 4 in", MeterType::EccentricOrifice, CalcStd::Miller3rd, 0.5, 2e5,
         0.6258484188420229},
        {"eccentric, other standard", MeterType::EccentricOrifice, CalcStd::Stolz, 0.5, 2e5, 0.0},
        {"quadrant, ISO/TR 15377", MeterType::QuadrantOrifice, CalcStd::IsoTr15377, 0.4, 2e5, 0.7812876},
        {"UVT", MeterType::Uvt, CalcStd::Stolz, 0.5, 2e5, 0.9797},
        {"Lo-Loss", MeterType::LoLoss, CalcStd::Stolz, 0.5, 2e5, 0.84625},
        {"ISO 5167-6 wedge", MeterType::WedgeIso5167_6, CalcStd::Stolz, 0.5, 2e5, 0.725},
        {"critical square-edged orifice", MeterType::CriticalSquareEdgedOrifice, CalcStd::Stolz, 0.5, 2e5,
         0.6},
        {"critical thick orifice", MeterType::CriticalThickOrifice, CalcStd::Stolz, 0.5, 2e5, 0.899},
        {"critical venturi", MeterType::CriticalVenturi, CalcStd::Stolz, 0.5, 2e5, 0.985},
        {"ABB wedge through DischargeCoefficient", MeterType::WedgeAbb1630L, CalcStd::Stolz, 0.5, 2e5, 0.0},
        {"proprietary meter 1", MeterType::ProprietaryMeter1, CalcStd::Stolz, 0.5, 2e5, 0.0},
    };
    RecordingMessageSink sink;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        TagRecord r = GasTag(c.type, c.std_code);
        r.Beta = c.beta;
        r.Rd = c.Rd;
        EXPECT_NEAR(C(r, sink), c.expected, kHand);
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST(DischargeCoefficient, CustomMetersKeepTheEnteredCoefficient) {
    NullMessageSink sink;
    for (MeterType t :
         {MeterType::CustomThroatTapNozzle, MeterType::CustomOrifice, MeterType::CustomWallTapNozzle,
          MeterType::CustomVenturi, MeterType::CustomFlowTube, MeterType::CustomWedge}) {
        SCOPED_TRACE(Code(t));
        TagRecord r = GasTag(t, CalcStd::Stolz);
        r.C = 0.8123;
        EXPECT_EQ(C(r, sink), 0.8123);
        r.C = std::nan("");
        EXPECT_EQ(C(r, sink), 0.0);  // a damaged entry is no coefficient, never NaN
    }
}

TEST(DischargeCoefficient, VenturiOutsideItsReynoldsRangeWarnsOnlyInteractively) {
    TagRecord r = GasTag(MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022);
    r.Rd = 15000.0;
    RecordingMessageSink sink;
    EXPECT_EQ(C(r, sink, true), 0.0);
    EXPECT_EQ(sink.Numbers(), std::vector<int>({-msg::kWarnPipeReynoldsBelowMinimum}));
    EXPECT_NE(sink.messages[0].text.find("200000"), std::string::npos);
    EXPECT_NE(sink.messages[0].text.find("15000"), std::string::npos);

    r.Meter_Type = Code(MeterType::VenturiRoughCast);
    r.Rd = 2.5e6;
    EXPECT_EQ(C(r, sink, true), 0.0);
    EXPECT_EQ(sink.Numbers(),
              std::vector<int>({-msg::kWarnPipeReynoldsBelowMinimum, -msg::kWarnPipeReynoldsBelowMinimum}));

    RecordingMessageSink quiet;
    EXPECT_EQ(C(r, quiet, false), 0.0);
    EXPECT_TRUE(quiet.messages.empty());
}

TEST(DischargeCoefficient, FoxboroQuadrantIntegralOrificeTurnsNegative) {
    // Foxboro 1/2 in quadrant-edged at b 0.5, R = sqrt(100) = 10, hand calculation:
    // (-10.72 + 955.75 - 19331.25) / 10 + (1.1126 - 24.7825 + 500.375 - 105.078) = -1467.0
    // -> Warning #23, C 1.0.
    TagRecord r = GasTag(MeterType::IntegralOrifice, CalcStd::Stolz);
    r.Meter_IFOAMfr = Code(IfoaMfr::SiebeFoxboro);
    r.Meter_IFOASize = Code(IfoaSize::Quadrant05);
    r.Beta = 0.5;
    r.Rd = 100.0;
    RecordingMessageSink sink;
    EXPECT_EQ(C(r, sink), 1.0);
    EXPECT_EQ(sink.Numbers(), std::vector<int>({-msg::kWarnQuadrantDataOutOfFit}));
    // Rosemount's 1 in square-edged at beta 0.5 (R = sqrt(Rd / Beta)): hand calculation.
    r.Meter_IFOAMfr = Code(IfoaMfr::FisherRosemount);
    r.Meter_IFOASize = Code(IfoaSize::Square10);
    r.Beta = 0.5;
    r.Rd = 5e4;
    const double b = 0.5, R = std::sqrt(1e5);
    const double expected =
        (1.408031 + 0.6620094 * b - 6.079081 * b * b + 12.17111 * b * b * b + 6.377415 * b * b * b * b) / R +
        (0.595342 - 0.03890471 * b + 0.2588337 * b * b - 0.346828 * b * b * b + 0.07300363 * b * b * b * b);
    EXPECT_NEAR(C(r, sink), expected, kHand);
}

TEST(DischargeCoefficient, ThroatTapNozzleStoresItsCoefficientAndWarnsAboveRange) {
    TagRecord r = GasTag(MeterType::AsmeThroatTapNozzle, CalcStd::NozzleAsmeMfc3M1989);
    r.Beta = 0.5;
    r.Rd = 1e6;
    RecordingMessageSink sink;
    const double c = DischargeCoefficient(r, sink, true);
    EXPECT_EQ(r.C, c);
    // Rd / beta at 2 x 10^7 and above: C stays 1.0 with the bore Reynolds number warning.
    r.Beta = 0.15;
    r.Rd = 3.1e6;
    EXPECT_EQ(DischargeCoefficient(r, sink, true), 1.0);
    EXPECT_EQ(sink.Numbers(), std::vector<int>({-msg::kWarnBoreReynoldsAboveMaximum}));
}

TEST(DischargeCoefficient, SegmentalOrificeBySizeAndTaps) {
    // Miller's segmental forms: up to and including 4 in by tap, above 4 in one form for
    // both taps (hand calculations of the printed polynomials at b 0.5).
    const double b = 0.5, g = 0.0625 / 0.9375;
    const double flange =
        0.6284 + 0.1462 * std::pow(b, 2.1) - 0.8464 * std::pow(b, 8) + 0.2603 * g - 0.2886 * 0.125;
    const double vena =
        0.6261 + 0.1651 * std::pow(b, 2.1) - 0.2879 * std::pow(b, 8) + 0.117 * g - 0.2845 * 0.125;
    const double large =
        0.6276 + 0.0828 * std::pow(b, 2.1) + 0.2739 * std::pow(b, 8) - 0.0934 * g - 0.1132 * 0.125;
    NullMessageSink sink;
    TagRecord r = GasTag(MeterType::SegmentalOrifice, CalcStd::Miller3rd, 1);
    r.Pipe_IDia = 4.0;
    EXPECT_NEAR(C(r, sink), flange, kHand);
    r.Tap_Style = 2;
    EXPECT_NEAR(C(r, sink), vena, kHand);
    r.Pipe_IDia = 4.001;
    EXPECT_NEAR(C(r, sink), large, kHand);
    r.Tap_Style = 1;
    EXPECT_NEAR(C(r, sink), large, kHand);
    r.Tap_Style = 3;  // no third tap on a segmental plate
    EXPECT_EQ(C(r, sink), 0.0);
}

TEST(DischargeCoefficient, SmallBoreOnlyInItsPipeSizes) {
    NullMessageSink sink;
    TagRecord r = GasTag(MeterType::SmallBoreOrifice, CalcStd::AsmeMfc14M);
    r.Pipe_IDia = 1.049;
    r.Rd = 2e4;
    for (double nominal : {0.5, 1.0, 1.5}) {
        SCOPED_TRACE(nominal);
        r.Pipe_NomDia = nominal;
        EXPECT_NEAR(C(r, sink), 0.617861037111698, kHand);  // hand calculation, flange taps
    }
    for (double nominal : {0.49, 1.51, 2.0}) {
        SCOPED_TRACE(nominal);
        r.Pipe_NomDia = nominal;
        EXPECT_EQ(C(r, sink), 0.0);
    }
}

TEST(WedgeCoefficient, SizeFaultsShowTheirErrors) {
    struct Case {
        MeterType type;
        double nominal;
        int error;  // 0: a coefficient
    };
    const Case cases[] = {
        {MeterType::WedgeAbb1615L, 3.0, msg::kErrAbbWedge1615LSize},
        {MeterType::WedgeAbb1615L, 2.0, 0},
        {MeterType::WedgeAbb1610L, 5.0, msg::kErrAbbWedge1610L1630LSize},
        {MeterType::WedgeAbb1630L, 0.75, msg::kErrAbbWedge1610L1630LSize},
        {MeterType::WedgeAbb1630L, 24.0, 0},
        {MeterType::WedgeAbb1336L, 0.5, msg::kErrAbbIntegralWedgeSize},
        {MeterType::WedgeAbb1337L, 1.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(Code(c.type)) + " at " + std::to_string(c.nominal));
        TagRecord r = GasTag(c.type, CalcStd::Stolz);
        r.Pipe_NomDia = c.nominal;
        r.SegHs = 0.3 * r.Pipe_IDia;
        RecordingMessageSink sink;
        const double w = WedgeCoefficient(r, sink, true);
        if (c.error == 0) {
            EXPECT_GT(w, 0.0);
            EXPECT_TRUE(sink.messages.empty());
        } else {
            EXPECT_EQ(w, 0.0);
            EXPECT_EQ(sink.Numbers(), std::vector<int>({c.error}));
            RecordingMessageSink quiet;
            EXPECT_EQ(WedgeCoefficient(r, quiet, false), 0.0);
            EXPECT_TRUE(quiet.messages.empty());
        }
    }
}

double Y(TagRecord r, MessageSink& sink, bool interactive = true) {
    return ExpansionFactor(r, sink, interactive);
}

TEST(ExpansionFactor, FormsByMeterAndStandard) {
    struct Case {
        const char* source;
        MeterType type;
        CalcStd std_code;
        int32_t taps;
        double expected;
    };
    // 100 psia, 100 inH2O upstream: tau = 1 - 100 / (27.729767 x 100), x1 = 1 - tau.
    const double x1 = 100.0 / 27.729767 / 100.0;
    const double k = 1.3, b4 = 0.0625, b = 0.5;
    const Case cases[] = {
        // hand calculation (python3 of ISO 5167-2 eq. (5))
        {"RHG orifice: ISO form", MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998, 1,
         0.9896751243087937},
        {"API 2530 orifice: AGA 3 1985 form", MeterType::ConcentricOrifice, CalcStd::Buckingham1985, 1,
         1 - (0.41 + 0.35 * b4) * x1 / k},
        {"pipe taps", MeterType::ConcentricOrifice, CalcStd::Stolz, 4,
         1 - (0.333 + 1.145 * (0.25 + 0.7 * std::pow(b, 5) + 12 * std::pow(b, 13))) * x1 / k},
        {"segmental", MeterType::SegmentalOrifice, CalcStd::Miller3rd, 1,
         1 - (0.6439 - 2.506 * b + 7.05 * b * b - 8.003 * b * b * b + 3.468 * b4) * x1 / k},
        {"eccentric, Miller", MeterType::EccentricOrifice, CalcStd::Miller3rd, 1,
         1 - (0.1926 + 0.574 * b + 0.9675 * b * b - 4.24 * b * b * b + 3.62 * b4) * x1 / k},
        {"eccentric, ISO/TR 15377: ISO form", MeterType::EccentricOrifice, CalcStd::IsoTr15377, 1,
         0.9896751243087937},
        {"eccentric, other standard: none", MeterType::EccentricOrifice, CalcStd::Stolz, 1, 0.0},
        {"quadrant, other standard: none", MeterType::QuadrantOrifice, CalcStd::Stolz, 1, 0.0},
        {"conic, other standard: none", MeterType::ConicOrifice, CalcStd::Stolz, 1, 0.0},
        {"custom wedge: AGA 3 1985 form at the record's dP", MeterType::CustomWedge, CalcStd::Stolz, 1,
         1 - (0.41 + 0.35 * b4) * x1 / k},
    };
    RecordingMessageSink sink;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_NEAR(Y(GasTag(c.type, c.std_code, c.taps), sink), c.expected, kHand);
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ExpansionFactor, NozzleFormAtTheWedgeReferenceDifferential) {
    // ISO 5167-6 wedge at 50 inH2O and beta 0.6 (hand calculation of the isentropic form).
    TagRecord r = GasTag(MeterType::WedgeIso5167_6, CalcStd::Stolz);
    r.Beta = 0.6;
    r.Dp_Norm = 180.0;
    RecordingMessageSink sink;
    EXPECT_NEAR(ExpansionFactor(r, sink, true), 0.9875234764756459, kHand);
    // The user's differential stays as entered, for the rest of the sizing too.
    EXPECT_EQ(r.Dp_Norm, 180.0);
}

TEST(ExpansionFactor, IsentropicExponentAtOrBelowOne) {
    // Venturi at tau 0.9 (1 - 10 psi / 100 psia = 277.29767 inH2O), beta 0.6.
    TagRecord r = GasTag(MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022);
    r.Beta = 0.6;
    r.Dp_Norm = 277.29767;
    RecordingMessageSink sink;
    for (double k : {1.0, 0.0}) {  // k = 1, and k not given (stored 0, counts as 1)
        SCOPED_TRACE(k);
        r.Property_KFp = k;
        // hand calculation: the k -> 1 limit of the printed form, 0.911010859346062
        EXPECT_NEAR(ExpansionFactor(r, sink, true), 0.911010859346062, 1e-11);
    }
    EXPECT_TRUE(sink.messages.empty());
    r.Property_KFp = 0.95;
    EXPECT_EQ(ExpansionFactor(r, sink, true), 0.0);
    EXPECT_EQ(sink.Numbers(), std::vector<int>({-msg::kWarnIsentropicExponentNotAboveOne}));
    RecordingMessageSink quiet;
    EXPECT_EQ(ExpansionFactor(r, quiet, false), 0.0);
    EXPECT_TRUE(quiet.messages.empty());
    // An orifice form has no k/(k - 1): a real-gas exponent below 1 is evaluated.
    TagRecord o = GasTag(MeterType::ConcentricOrifice, CalcStd::Buckingham1985);
    o.Property_KFp = 0.95;
    EXPECT_GT(ExpansionFactor(o, quiet, true), 0.9);
}

TEST(ExpansionFactor, DownstreamTapsUseTheStandardsRelation) {
    // Static pressure 100 psia at the downstream tap, 10 psi differential: p1 = 110.
    struct Case {
        const char* source;
        MeterType type;
        CalcStd std_code;
        double expected;
    };
    const double k = 1.3, b4 = 0.0625, x2 = 0.1;
    const Case cases[] = {
        // hand calculation: ISO 5167-2 eq. (5) at tau = 100/110, times sqrt(110/100)
        {"ISO 5167-2", MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998, 1.0213290750136874},
        // hand calculation: AGA 3 2012 Y1 at tau = 100/110, Y2 = Y1 sqrt(110/100)
        {"AGA 3 2012", MeterType::ConcentricOrifice, CalcStd::ReaderHarris2012, 1.0211283100766915},
        // AGA 3 (1985) printed Y2 = sqrt(1 + x2) - (0.41 + 0.35 b^4) x2 / (k sqrt(1 + x2))
        {"AGA 3 1985", MeterType::ConcentricOrifice, CalcStd::Buckingham1985,
         std::sqrt(1 + x2) - (0.41 + 0.35 * b4) * x2 / (k * std::sqrt(1 + x2))},
        // hand calculation: isentropic form at t = 1/(1 + x), times sqrt(1 + x)
        {"venturi", MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022, 0.9880357333468706},
    };
    RecordingMessageSink sink;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        TagRecord r = GasTag(c.type, c.std_code);
        r.Tap_Loc = Code(TapLoc::Downstream);
        r.Dp_Norm = 277.29767;
        EXPECT_NEAR(Y(r, sink), c.expected, 1e-11);
    }
}

TEST(ExpansionFactor, ConicIsoTr15377TakesTheMeanOfOrificeAndNozzleForms) {
    TagRecord r = GasTag(MeterType::ConicOrifice, CalcStd::IsoTr15377);
    r.Beta = 0.2;
    r.Dp_Norm = 277.29767;
    NullMessageSink sink;
    EXPECT_NEAR(ExpansionFactor(r, sink, true), 0.9566748419264091, 1e-11);  // hand calculation
}

TEST(ExpansionFactor, LiquidsDegenerateAndImpossibleStates) {
    NullMessageSink sink;
    TagRecord liquid = GasTag(MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998);
    liquid.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    EXPECT_EQ(Y(liquid, sink), 1.0);

    // No differential: the customary 100 inH2O.
    TagRecord r = GasTag(MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998);
    const double at100 = Y(r, sink);
    r.Dp_Norm = 0.0;
    EXPECT_EQ(Y(r, sink), at100);
    r.Dp_Norm = -5.0;
    EXPECT_EQ(Y(r, sink), at100);

    struct Case {
        const char* what;
        void (*spoil)(TagRecord&);
    };
    const Case cases[] = {
        {"no static pressure", [](TagRecord& t) { t.Flow_Press = 0.0; }},
        {"NaN static pressure", [](TagRecord& t) { t.Flow_Press = std::nan(""); }},
        {"differential beyond the upstream pressure", [](TagRecord& t) { t.Dp_Norm = 27.729767 * 120.0; }},
        {"beta above 1", [](TagRecord& t) { t.Beta = 1.5; }},
        {"zero Fa_Pipe", [](TagRecord& t) { t.Fa_Pipe = 0.0; }},
    };
    for (MeterType t : {MeterType::ConcentricOrifice, MeterType::VenturiMachined}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " type " + std::to_string(Code(t)));
            TagRecord bad = GasTag(t, CalcStd::ReaderHarrisGallagher1998);
            c.spoil(bad);
            EXPECT_EQ(Y(bad, sink), 0.0);
        }
    }
}

// The bore solution prepares Y once for its differential and evaluates it for every
// round's beta: the same number, to the bit, as ExpansionFactor at that beta, for every
// form, both tap locations, a liquid and the states that give no Y.
TEST(ExpansionFactor, PreparedOnceForTheDifferentialGivesTheSameBitsAtEveryBeta) {
    struct Case {
        MeterType type;
        CalcStd std_code;
        int32_t taps;
    };
    const Case cases[] = {
        {MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998, 1},
        {MeterType::ConcentricOrifice, CalcStd::ReaderHarris2012, 1},
        {MeterType::ConcentricOrifice, CalcStd::Buckingham1985, 1},
        {MeterType::ConcentricOrifice, CalcStd::Stolz, 4},
        {MeterType::SegmentalOrifice, CalcStd::Miller3rd, 1},
        {MeterType::EccentricOrifice, CalcStd::Miller3rd, 1},
        {MeterType::EccentricOrifice, CalcStd::Stolz, 1},  // no Y
        {MeterType::ConicOrifice, CalcStd::IsoTr15377, 1},
        {MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022, 1},
        {MeterType::WedgeIso5167_6, CalcStd::Stolz, 1},
    };
    for (const Case& c : cases) {
        for (int32_t tap_loc : {Code(TapLoc::Upstream), Code(TapLoc::Downstream)}) {
            for (double kfp : {1.3, 0.95}) {  // 0.95: the isentropic forms give no Y
                SCOPED_TRACE(testing::Message() << Code(c.type) << " std " << Code(c.std_code) << " loc "
                                                << tap_loc << " k " << kfp);
                TagRecord r = GasTag(c.type, c.std_code, c.taps);
                r.Tap_Loc = tap_loc;
                r.Property_KFp = kfp;
                r.Fa_Meter = 1.0003;
                NullMessageSink sink;
                const PreparedExpansion prepared = PrepareExpansionFactor(r, sink, false);
                for (double beta : {0.2, 0.5, 0.7311, 0.999999, 1.0}) {
                    r.Beta = beta;
                    const double once = ExpansionFactorAt(prepared, r);
                    const double whole = ExpansionFactor(r, sink, false);
                    EXPECT_EQ(std::memcmp(&once, &whole, sizeof once), 0)
                        << beta << ": " << once << " " << whole;
                }
            }
        }
    }
    TagRecord liquid = GasTag(MeterType::VenturiMachined, CalcStd::VenturiIso5167_4_2022);
    liquid.Fluid_Equation = Code(FluidEquation::LiquidMass);
    NullMessageSink sink;
    EXPECT_EQ(ExpansionFactorAt(PrepareExpansionFactor(liquid, sink, false), liquid), 1.0);
}

TEST(ExpansionFactor, WetGasUsesTheGasPhaseDifferential) {
    // Murdock: 100 inH2O at quality 90 % and density ratio 0.04 acts as
    // 100 / (1 + 1.26 x (0.1/0.9) x 0.2)^2 inH2O (hand calculation).
    TagRecord wet = GasTag(MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998);
    wet.Factor_VapQual = 1;
    wet.Factor_QualX = 90.0;
    wet.Flow_RhoGZ = 0.4;
    wet.Base_RhoGZ = 10.0;
    TagRecord dry = GasTag(MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998);
    dry.Dp_Norm = 100.0 / std::pow(1 + 1.26 * (0.1 / 0.9) * 0.2, 2);
    NullMessageSink sink;
    EXPECT_NEAR(Y(wet, sink), Y(dry, sink), 1e-15);
    // A quality of 0 cannot be applied: the plain differential stands.
    wet.Factor_QualX = 0.0;
    EXPECT_EQ(Y(wet, sink),
              Y(GasTag(MeterType::ConcentricOrifice, CalcStd::ReaderHarrisGallagher1998), sink));
}

}  // namespace
}  // namespace quorven
