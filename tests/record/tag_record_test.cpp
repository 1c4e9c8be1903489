#include "record/tag_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record/meter_texts.h"
#include "record/record_fields.h"
#include "record/record_io.h"

namespace quorven {
namespace {

double DoubleAt(const std::string& bytes, std::size_t offset) {
    double v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}
int32_t IntAt(const std::string& bytes, std::size_t offset) {
    int32_t v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

// The field table must tile the record exactly: every byte belongs to one field.
TEST(TagRecordLayout, FieldsTileTheRecord) {
    std::size_t next = 0;
    for (const FieldInfo& f : RecordFields()) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(f.offset, next);
        next = f.offset + f.width;
    }
    EXPECT_EQ(next, sizeof(TagRecord));
    EXPECT_EQ(RecordFields().size(), 231u);
}

// New-document values read straight from the stored bytes at their file offsets.
TEST(TagRecordLayout, NewDocumentValuesAtTheirOffsets) {
    const std::string b = RecordToBytes(NewTagRecord());
    ASSERT_EQ(b.size(), 2800u);
    EXPECT_EQ(DoubleAt(b, 928), 14.69595);                               // Base_Press
    EXPECT_EQ(DoubleAt(b, 1224), 527.67);                                // DpRefTemp
    EXPECT_EQ(DoubleAt(b, 1240), 14.696);                                // AtmPress
    EXPECT_EQ(DoubleAt(b, 1064), 4.026);                                 // Pipe_IDia
    EXPECT_EQ(DoubleAt(b, 2792), 0.1);                                   // Uncert_GasSG, last field
    EXPECT_EQ(DoubleAt(b, 864), 0.0);                                    // Unit_Glocal starts at 0
    EXPECT_EQ(IntAt(b, 656), Code(FluidEquation::GasVolume));            // Fluid_Equation
    EXPECT_EQ(IntAt(b, 748), Code(CalcStd::ReaderHarrisGallagher1998));  // Calc_Std
    EXPECT_EQ(IntAt(b, 784), 4);                                         // Rel_Major
    EXPECT_EQ(IntAt(b, 2704), 1);                                        // Uncert_Incl
    EXPECT_EQ(std::string(b.data() + 100), "Jan 1, 2001");
    EXPECT_EQ(std::string(b.data() + 319), "lb/ft3");
    EXPECT_EQ(std::string(b.data() + 347), "ft/s");
    EXPECT_EQ(std::string(b.data() + 354), "in");
    EXPECT_EQ(std::string(b.data() + 4), "");
}

TEST(TagRecordIo, RoundTripKeepsEveryByteIncludingReservedAndPadding) {
    // A record of arbitrary bytes, as a file from elsewhere might hold.
    std::string bytes(2800, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    TagRecord r;
    ASSERT_TRUE(RecordFromBytes(bytes, r));
    EXPECT_EQ(RecordToBytes(r), bytes);
    TagRecord copy = r;
    EXPECT_EQ(std::memcmp(&copy, bytes.data(), 2800), 0);
}

TEST(TagRecordIo, WrongLengthLeavesRecordUntouched) {
    TagRecord r = NewTagRecord();
    const std::string before = RecordToBytes(r);
    EXPECT_FALSE(RecordFromBytes(std::string(2799, 'x'), r));
    EXPECT_FALSE(RecordFromBytes(std::string(2801, 'x'), r));
    EXPECT_EQ(RecordToBytes(r), before);
}

TEST(TagRecordText, BoundedCopyAtAndBeyondWidth) {
    struct Case {
        const char* value;
        const char* kept;
        bool whole;
    };
    // Tag_No is 19 bytes wide: at most 18 characters and the terminator.
    const Case cases[] = {
        {"", "", true},
        {"FT-101", "FT-101", true},
        {"123456789012345678", "123456789012345678", true},    // width - 1
        {"1234567890123456789", "123456789012345678", false},  // width
        {"1234567890123456789012345", "123456789012345678", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        TagRecord r = NewTagRecord();
        std::memset(r.Service, 'S', sizeof r.Service);  // neighbour: must not change
        EXPECT_EQ(SetText(r.Tag_No, c.value), c.whole);
        EXPECT_EQ(GetText(r.Tag_No), c.kept);
        for (char ch : r.Service) EXPECT_EQ(ch, 'S');
    }
}

TEST(TagRecordText, BytesAfterTheTerminatorAreKept) {
    TagRecord r = NewTagRecord();
    SetText(r.Fluid, "NATURAL GAS, SWEET");
    SetText(r.Fluid, "AIR");
    EXPECT_EQ(GetText(r.Fluid), "AIR");
    EXPECT_EQ(std::string(r.Fluid + 4, 4), "RAL ");  // old bytes after the new terminator stay
}

TEST(TagRecord, LiquidAndKFpRules) {
    TagRecord r = NewTagRecord();
    r.Fluid_Equation = 1351;  // no equation, but below the gas codes
    EXPECT_TRUE(IsLiquid(r));
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    EXPECT_FALSE(IsLiquid(r));
    r.Property_KFp = 0.0;
    EXPECT_EQ(KFpOrOne(r), 1.0);
    r.Property_KFp = 1.3;
    EXPECT_EQ(KFpOrOne(r), 1.3);
}

TEST(MeterTexts, FamilyTypeAndTapTexts) {
    struct Case {
        int32_t type, std, tap, diffuser, exit;
        const char *meter, *type_text, *tap_text;
    };
    const Case cases[] = {
        {Code(MeterType::ConcentricOrifice), Code(CalcStd::ReaderHarrisGallagher1998), 1, 0,
         Code(VenturiExit::Deg15), "ORIFICE PLATE", "CONCENTRIC", "FLANGE TAPS"},
        {Code(MeterType::ConcentricOrifice), Code(CalcStd::ReaderHarrisGallagher1998), 4, 0,
         Code(VenturiExit::Deg15), "ORIFICE PLATE", "CONCENTRIC", "PIPE TAPS"},
        {Code(MeterType::EccentricOrifice), Code(CalcStd::Miller3rd), 3, 0, Code(VenturiExit::Deg15),
         "ORIFICE PLATE", "ECCENTRIC", "VEN CON TAPS @ TOP"},
        {Code(MeterType::EccentricOrifice), Code(CalcStd::ReaderHarrisGallagher1998), 3, 0,
         Code(VenturiExit::Deg15), "ORIFICE PLATE", "ECCENTRIC", "CORNER TAPS"},
        {Code(MeterType::AsmeLongRadiusNozzle), Code(CalcStd::NozzleAsmeMfc3M1989), 1, 1,
         Code(VenturiExit::Deg15), "FLOW NOZZLE W/OUTL DIFFUSER", "ASME LONG RADIUS", "WALL TAPS"},
        {Code(MeterType::VenturiNozzle), Code(CalcStd::NozzleIso5167_1991), 1, 1, Code(VenturiExit::Deg15),
         "FLOW NOZZLE", "VENTURI (ISA INLET)", "CORNER/THROAT TAPS"},
        {Code(MeterType::VenturiMachined), Code(CalcStd::VenturiAsmeMfc3M1989), 1, 0,
         Code(VenturiExit::Deg15), "VENTURI - 15 DEG EXIT", "MACHINED INLET", "D/2 & THROAT d/2 TAPS"},
        {Code(MeterType::VenturiPtc195), Code(CalcStd::VenturiPtc195), 1, 0, Code(VenturiExit::Deg7),
         "VENTURI - 7 DEG EXIT", "Per ASME PTC 19.5", "D/2 & THROAT d/2 TAPS"},
        {Code(MeterType::Uvt), Code(CalcStd::ReaderHarrisGallagher1998), 1, 0, Code(VenturiExit::Deg15),
         "UNIVERSAL VENTURI TUBE", "UVT\xAE", "MFR STD"},
        {Code(MeterType::WedgeAbb1335L), Code(CalcStd::ReaderHarrisGallagher1998), 1, 0,
         Code(VenturiExit::Deg15), "INTEGRAL WEDGE METER", "ABB 1335L\xAE", "MFR STD"},
        {Code(MeterType::CriticalThickOrifice), Code(CalcStd::ReaderHarrisGallagher1998), 1, 0,
         Code(VenturiExit::Deg15), "CRITICAL DROP ORIFICE", "THICK PLATE", "NONE"},
        {Code(MeterType::CustomThroatTapNozzle), Code(CalcStd::ReaderHarrisGallagher1998), 1, 0,
         Code(VenturiExit::Deg15), "FLOW NOZZLE", "ASME THROAT TAP", "THROAT TAPS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TagRecord r = NewTagRecord();
        r.Meter_Type = c.type;
        r.Calc_Std = c.std;
        r.Tap_Style = c.tap;
        r.Meter_Diffuser = c.diffuser;
        r.Meter_VenturiExit = c.exit;
        ApplyMeterTexts(r);
        EXPECT_EQ(GetText(r.Meter), c.meter);
        EXPECT_EQ(GetText(r.Meter_Type_Text), c.type_text);
        EXPECT_EQ(GetText(r.Tap_Style_Text), c.tap_text);
    }
}

TEST(MeterTexts, CustomMetersKeepTheUsersTexts) {
    TagRecord r = NewTagRecord();
    r.Meter_Type = Code(MeterType::CustomOrifice);
    SetText(r.Meter_Type_Text, "MY PLATE");
    SetText(r.Tap_Style_Text, "MY TAPS");
    ApplyMeterTexts(r);
    EXPECT_EQ(GetText(r.Meter), "CALIBRATED ORIFICE PLATE");
    EXPECT_EQ(GetText(r.Meter_Type_Text), "MY PLATE");
    EXPECT_EQ(GetText(r.Tap_Style_Text), "MY TAPS");
    EXPECT_EQ(TapStyleText(Code(MeterType::ConcentricOrifice), Code(CalcStd::ReaderHarrisGallagher1998), 5),
              "");  // out of the list: no text, no subscript
}

}  // namespace
}  // namespace quorven
