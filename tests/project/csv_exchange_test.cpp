#include "project/csv_exchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "record/cformat.h"
#include "record/record_check.h"
#include "record/tag_reset.h"
#include "record/text_codec.h"
#include "record/unit_tables.h"

namespace quorven {
namespace {

// A liquid tag with values in every exported column kind, texts with commas and
// inch signs, a datasheet, and results as a calculation leaves them.
TagRecord FilledTag() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-2001");
    SetText(r.Service, "A, B");
    SetText(r.Line_No, "6\"-CW-1001");
    SetText(r.Date, "Mar 14, 2024");
    SetText(r.Name, "J. Smith");
    SetText(r.Memo, std::string(100, 'm'));
    SetText(r.Fluid, "Cooling water");
    SetText(r.Meter, "ORIFICE PLATE");
    SetText(r.Meter_Type_Text, "CONCENTRIC");
    SetText(r.Tap_Style_Text, "FLANGE TAPS");
    SetText(r.Elem_Matl, "316 SS");
    SetText(r.Pipe_Matl, "CARBON STEEL");
    SetText(r.Pipe_Sched_Text, "40");
    SetText(r.Mfr, "Acme, Inc.");
    SetText(r.Rev_No_4, "D");
    SetText(r.Elem_Matl_DS, "316 SST");
    SetText(r.Meter_Type_DS, "DP XMTR");
    SetText(r.User_Misc, std::string(69, 'z'));
    r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Unit_Flow_Set = 2;
    r.Unit_Press_Set = 3;
    r.Calc_Std = Code(CalcStd::ReaderHarrisGallagher1998);
    r.Calc_Rev = 12;
    r.Unit_Flow = 7.865791e-06;
    r.Flow_Max = 1234.5678901234567;
    r.Flow_Norm = 1000.0;
    r.Flow_Press = 114.69595;
    r.Flow_Temp = 529.67;
    r.Flow_RhoGZ = 62.3;
    r.Dp_Max = 100.0;
    r.Property_Visc = 0.89;
    r.Property_KFp = 1.0;
    r.Beta = 0.51234567890123;
    r.Bore = 3.0812345;
    r.C = 0.6052;
    r.Rd = 123456.789;
    r.Max_Press = 150.0;
    r.Max_Temp = 609.67;
    r.Calc_Status = 1;
    return r;
}

TagRecord BlankBase() {
    TagRecord r = NewTagRecord();
    ResetTagData(r);
    return r;
}

std::string LineOf(const TagRecord& r) {
    std::string line;
    AppendCsvLine(r, line);
    return line;
}

std::vector<std::string> FieldsOfLine(std::string line) {
    EXPECT_TRUE(line.ends_with("\r\n"));
    line.resize(line.size() - 2);
    return SplitCsvFields(line);
}

TEST(CsvColumns, HeaderHas176NamesInTheirThreeGroups) {
    const std::string header = CsvHeaderLine();
    EXPECT_TRUE(
        header.starts_with("Tag_No,Service,Line_No,Date,Name,Memo,Fluid,Meter,Meter_Type,Tap_Style,"));
    EXPECT_TRUE(header.ends_with(",Velocity,Min_Thick,Max_Press,Max_Temp\r\n"));
    const std::span<const CsvColumn> cols = CsvColumns();
    ASSERT_EQ(cols.size(), 176u);
    for (std::size_t i = 0; i < cols.size(); ++i) {
        SCOPED_TRACE(i + 1);
        ASSERT_NE(cols[i].field, nullptr);
        const FieldKind expected = i < 73 ? FieldKind::Text : i < 114 ? FieldKind::Int32 : FieldKind::Double;
        EXPECT_EQ(cols[i].field->kind, expected);
    }
    // The names used twice carry different fields.
    EXPECT_STREQ(cols[8].field->name, "Meter_Type_Text");
    EXPECT_STREQ(cols[35].field->name, "Elem_Matl_DS");
    EXPECT_STREQ(cols[43].field->name, "Pipe_Matl_DS");
    EXPECT_STREQ(cols[48].field->name, "Meter_Type_DS");
    EXPECT_STREQ(cols[99].field->name, "Meter_Type");
    EXPECT_STREQ(cols[105].field->name, "Tap_Style");
    EXPECT_STREQ(cols[109].field->name, "Pipe_Sched");
    EXPECT_TRUE(IsCsvHeader(FieldsOfLine(header)));
}

TEST(CsvExport, CommaInATextIsAMiddleDotAndComesBack) {
    const std::vector<std::string> fields = FieldsOfLine(LineOf(FilledTag()));
    ASSERT_EQ(fields.size(), 176u);
    EXPECT_EQ(fields[1], "A\xB7 B");
    EXPECT_EQ(fields[13], "Acme\xB7 Inc.");
    std::string s = fields[1];
    DecodeText(s);
    EXPECT_EQ(s, "A, B");
}

TEST(CsvExport, DateIsRewrittenDayMonthYear) {
    const struct {
        const char* stored;
        const char* exported;
    } cases[] = {
        {"Jan 1, 2001", "1 Jan 2001"},
        {"Sept 30, 2023", "30 Sept 2023"},
        {"14 Mar 2024", "14 Mar 2024"},  // begins with a digit: as it is
        {"", ""},
        {"yesterday", "yesterday"},              // no shape of month, day and year
        {"January 1, 2001", "January 1, 2001"},  // a month of more than five characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(ExportDateText(c.stored), c.exported);
    }
    EXPECT_EQ(FieldsOfLine(LineOf(FilledTag()))[3], "14 Mar 2024");
}

// Hand check: 7.865791e-06 (Nm3/s per scfh) in fixed notation, no letter.
TEST(CsvExport, DoublesAreFixedNotationAndReadBackExactly) {
    EXPECT_EQ(FormatCsvDouble(7.865791e-06), "0.000007865791");
    EXPECT_EQ(FormatCsvDouble(14.69595), "14.69595");
    EXPECT_EQ(FormatCsvDouble(0.0), "0");
    EXPECT_EQ(FormatCsvDouble(-2.5), "-2.5");
    EXPECT_EQ(FormatCsvDouble(1e22), "10000000000000000000000");

    std::mt19937_64 rng(20240314);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::vector<double> values = {std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(), 0.1, 1.0 / 3.0};
    for (int i = 0; i < 2000; ++i) values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
    for (double v : values) {
        const std::string text = FormatCsvDouble(v);
        EXPECT_EQ(text.find_first_of("eEnN"), std::string::npos) << text;
        double back = 0;
        ASSERT_TRUE(ParseFiniteDouble(text, back)) << text;
        EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
    }
}

TEST(CsvExport, ALeadingQuoteIsWrittenQuotedAndAnInchSignAsItIs) {
    TagRecord r = FilledTag();
    SetText(r.Memo, "\"as built\" 2\" tap");
    const std::string line = LineOf(r);
    EXPECT_NE(line.find(",\"\"\"as built\"\" 2\"\" tap\","), std::string::npos);
    EXPECT_NE(line.find(",6\"-CW-1001,"), std::string::npos);
    const std::vector<std::string> fields = FieldsOfLine(line);
    EXPECT_EQ(fields[5], "\"as built\" 2\" tap");
    EXPECT_EQ(fields[2], "6\"-CW-1001");
}

// Every exported field comes back as it was: texts byte for byte, integers, and
// doubles to the last bit (they are written with round-trip precision).
TEST(CsvImport, ExportedLineReadsBackFieldForField) {
    const TagRecord original = FilledTag();
    TagRecord back = BlankBase();
    std::string problem;
    ASSERT_TRUE(ParseCsvTag(FieldsOfLine(LineOf(original)), back, problem)) << problem;
    for (const CsvColumn& c : CsvColumns()) {
        SCOPED_TRACE(c.field->name);
        switch (c.field->kind) {
            case FieldKind::Text:
                if (std::strcmp(c.field->name, "Date") == 0)
                    EXPECT_EQ(GetTextField(back, *c.field), "14 Mar 2024");
                else
                    EXPECT_EQ(GetTextField(back, *c.field), GetTextField(original, *c.field));
                break;
            case FieldKind::Int32:
                EXPECT_EQ(GetInt(back, *c.field), GetInt(original, *c.field));
                break;
            case FieldKind::Double: {
                const double a = GetDouble(back, *c.field);
                const double b = GetDouble(original, *c.field);
                EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << a << " " << b;
                break;
            }
            case FieldKind::Bytes:
                break;
        }
    }
    EXPECT_EQ(back.Calc_Status, 0);
    EXPECT_TRUE(CheckRecord(back).empty());
}

TEST(CsvImport, EmptyFieldsKeepTheBlankValuesAndExponentsAreRead) {
    std::vector<std::string> fields = FieldsOfLine(LineOf(FilledTag()));
    fields[1] = "";                // Service: stays blank
    fields[110] = "";              // Calc_Mode: stays as in the blank record
    fields[114] = "7.865791E-06";  // Unit_Flow as a spreadsheet writes it
    fields[125] = "";              // Flow_Max: an empty double is 0
    fields[128] = " 5.2967e+02 ";  // Flow_Temp with blanks around it
    fields[175] = "0";             // Max_Temp 0 leaves the cleared value
    TagRecord r = BlankBase();
    std::string problem;
    ASSERT_TRUE(ParseCsvTag(fields, r, problem)) << problem;
    EXPECT_STREQ(r.Service, "");
    EXPECT_EQ(r.Calc_Mode, Code(CalcMode::Meter));
    EXPECT_EQ(r.Unit_Flow, 7.865791e-06);
    EXPECT_EQ(r.Flow_Max, 0.0);
    EXPECT_EQ(r.Flow_Temp, 529.67);
    EXPECT_EQ(r.Max_Temp, 0.0);
}

TEST(CsvImport, BadLinesAreRefusedWithTheReason) {
    const std::vector<std::string> good = FieldsOfLine(LineOf(FilledTag()));
    const struct {
        const char* name;
        std::size_t column;  // 0-based; 999 drops the last field, 998 adds one
        const char* value;
        const char* problem;
    } cases[] = {
        {"too few fields", 999, "", "175 fields, 176 expected"},
        {"too many fields", 998, "", "177 fields, 176 expected"},
        {"no tag number", 0, "", "no tag number"},
        {"tag number of 19 characters", 0, "T234567890123456789", "Tag_No is longer than 18 characters"},
        {"memo of 101 characters", 5, "", "Memo is longer than 100 characters"},
        {"calculation mode not a choice", 110, "3", "Calc_Mode 3 is not one of its values"},
        {"meter type not a choice", 99, "1127", "Meter_Type 1127 is not one of its values"},
        {"pipe material past its table", 107, "45", "Matl_Pipe 45 is not one of its values"},
        {"flow unit past its list", 73, "40", "Unit_Flow_Set 40 is not one of its values"},
        {"integer with a fraction", 113, "1.5", "Calc_Rev \"1.5\" is not a whole number"},
        {"integer out of range", 113, "99999999999", "Calc_Rev \"99999999999\" is not a whole number"},
        {"text in a double", 125, "12abc", "Flow_Max \"12abc\" is not a number"},
        {"infinite double", 125, "1e999", "Flow_Max \"1e999\" is not a number"},
        {"nan", 125, "nan", "Flow_Max \"nan\" is not a number"},
        {"liquid equation with a gas condition", 89, "1354",
         "Fluid_Condition 1354 does not go with Fluid_Equation 1345"},
        {"stainless pipe with a carbon steel schedule", 107, "2",
         "Pipe_Sched 10 is past the stainless steel schedules"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> fields = good;
        if (c.column == 999) {
            fields.pop_back();
        } else if (c.column == 998) {
            fields.push_back("");
        } else if (std::strcmp(c.name, "memo of 101 characters") == 0) {
            fields[c.column] = std::string(101, 'm');
        } else {
            fields[c.column] = c.value;
        }
        if (std::strcmp(c.name, "stainless pipe with a carbon steel schedule") == 0) fields[109] = "10";
        TagRecord r = BlankBase();
        std::string problem;
        EXPECT_FALSE(ParseCsvTag(fields, r, problem));
        EXPECT_TRUE(problem.starts_with(c.problem)) << problem;
    }
}

TEST(CsvSplitter, RecordsEndAtLineEndsOutsideQuotedFields) {
    CsvRecordSplitter s;
    const std::string input =
        "\xEF\xBB\xBFhead,er\r\n"
        "a,\"b, with comma\",c\r\n"
        "4\" pipe,\"two\nlines\",x\n"
        "\n"
        "last,no,end";
    // Fed one byte at a time: records do not depend on where the pieces break.
    for (char c : input) s.Feed(std::string_view(&c, 1));
    s.Finish();
    std::vector<CsvRecordSplitter::Record> got;
    CsvRecordSplitter::Record r;
    while (s.Next(r)) got.push_back(r);
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].text, "\xEF\xBB\xBFhead,er");
    EXPECT_EQ(got[1].text, "a,\"b, with comma\",c");
    EXPECT_EQ(got[1].line, 2u);
    EXPECT_EQ(got[2].text, "4\" pipe,\"two\nlines\",x");
    EXPECT_EQ(got[2].line, 3u);
    EXPECT_EQ(got[3].text, "");
    EXPECT_EQ(got[3].line, 5u);
    EXPECT_EQ(got[4].text, "last,no,end");
    EXPECT_EQ(got[4].line, 6u);

    EXPECT_EQ(SplitCsvFields(got[1].text), (std::vector<std::string>{"a", "b, with comma", "c"}));
    EXPECT_EQ(SplitCsvFields(got[2].text), (std::vector<std::string>{"4\" pipe", "two\nlines", "x"}));
    EXPECT_EQ(SplitCsvFields("\"say \"\"hi\"\"\",,"), (std::vector<std::string>{"say \"hi\"", "", ""}));
    std::vector<std::string> header;
    std::string problem;
    ASSERT_TRUE(CsvRecordFields(got[0].text, true, true, header, problem));
    EXPECT_EQ(header, (std::vector<std::string>{"head", "er"}));
}

TEST(CsvSplitter, AnUnclosedQuoteCannotSwallowTheFile) {
    CsvRecordSplitter s;
    s.Feed("ok,1\n\"never closed,");
    s.Feed(std::string(CsvRecordSplitter::kMaxRecordBytes, 'x'));
    s.Feed("\nafter,2\n");
    s.Finish();
    CsvRecordSplitter::Record r;
    ASSERT_TRUE(s.Next(r));
    EXPECT_EQ(r.text, "ok,1");
    ASSERT_TRUE(s.Next(r));
    EXPECT_TRUE(r.oversized);
    EXPECT_EQ(r.line, 2u);
    ASSERT_TRUE(s.Next(r));
    EXPECT_EQ(r.text, "after,2");
    EXPECT_FALSE(s.Next(r));
}

// What a spreadsheet saves back: UTF-8, the middle dot as two bytes, texts in
// quotes, numbers with exponents. The UTF-8 line reads as Windows-1252 text.
TEST(CsvImport, LineSavedBackFromASpreadsheetReads) {
    std::vector<std::string> fields = FieldsOfLine(LineOf(FilledTag()));
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string f = Cp1252ToUtf8(fields[i]);  // the middle dots become two bytes
        if (i == 6) f = "Caf\xC3\xA9 water";      // an e acute in UTF-8
        if (i < 73) {                             // every text quoted, its quotes doubled
            std::string q = "\"";
            for (char c : f) q += c == '"' ? std::string("\"\"") : std::string(1, c);
            f = q + "\"";
        }
        if (i == 125) f = "1.2345678901234567E+03";  // Flow_Max with an exponent
        line += f;
        line += i + 1 < fields.size() ? "," : "";
    }
    CsvEncodingScan scan;
    scan.Feed(line);
    ASSERT_TRUE(scan.Utf8());
    std::vector<std::string> read;
    std::string problem;
    ASSERT_TRUE(CsvRecordFields(line, false, true, read, problem)) << problem;
    ASSERT_EQ(read.size(), 176u);
    TagRecord r = BlankBase();
    ASSERT_TRUE(ParseCsvTag(read, r, problem)) << problem;
    EXPECT_STREQ(r.Service, "A, B");
    EXPECT_STREQ(r.Fluid, "Caf\xE9 water");
    EXPECT_STREQ(r.Mfr, "Acme, Inc.");
    EXPECT_STREQ(r.Line_No, "6\"-CW-1001");
    EXPECT_EQ(r.Flow_Max, 1234.5678901234567);
}

// A spreadsheet's UTF-8 line with a text that Windows-1252 cannot hold is refused
// and the column named; it is never stored with '?' in place of the character.
TEST(CsvImport, TextWindows1252CannotHoldRefusesTheLine) {
    std::vector<std::string> fields = FieldsOfLine(LineOf(FilledTag()));
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += i == 0 ? std::string("\u03A9-1") : Cp1252ToUtf8(fields[i]);
        line += i + 1 < fields.size() ? "," : "";
    }
    std::vector<std::string> read;
    std::string problem;
    EXPECT_FALSE(CsvRecordFields(line, false, true, read, problem));
    EXPECT_EQ(problem, "Tag_No \"\u03A9-1\" holds a character that Windows-1252 cannot hold");
}

// A file is UTF-8 only when all of it is: characters split between the pieces
// fed count, a lone Windows-1252 letter or an overlong form rules it out.
TEST(CsvImport, TheFileIsReadAsUtf8OnlyWhenAllOfItIs) {
    const struct {
        const char* name;
        std::vector<std::string> pieces;
        bool utf8;
    } cases[] = {
        {"ASCII only", {"Tag_No\r\nFE-1\r\n"}, false},
        {"e acute and a middle dot", {"Caf\xC3\xA9,A\xC2\xB7 B\r\n"}, true},
        {"a character split between pieces", {"Caf\xC3", "\xA9\r\n"}, true},
        {"a byte order mark", {"\xEF\xBB\xBFTag_No\r\n"}, true},
        {"Windows-1252 degree sign",
         {"Caf\xC3\xA9\r\n",
          "60\xB0"
          "F\r\n"},
         false},
        {"cut at the end", {"Caf\xC3"}, false},
        {"overlong slash", {"\xC0\xAF"}, false},
        {"surrogate", {"\xED\xA0\x80"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CsvEncodingScan scan;
        for (const std::string& p : c.pieces) scan.Feed(p);
        EXPECT_EQ(scan.Utf8(), c.utf8);
    }
}

TEST(CsvImport, UnitTextsFollowTheSelections) {
    TagRecord r = BlankBase();
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Fluid_Property = Code(FluidProperty::GasSG);
    r.Unit_Flow_Set = 2;
    r.Unit_Press_Set = 1;
    r.Unit_Flow = 42.0;
    SetText(r.Unit_Press_Text, "stale");
    RefreshUnitTexts(r, DefaultUnitTables());
    const UnitTables& t = DefaultUnitTables();
    EXPECT_EQ(GetText(r.Unit_Flow_Text), UnitName(t, UnitList::GasBaseVolFlow, 2));
    EXPECT_EQ(GetText(r.Unit_Press_Text), UnitName(t, UnitList::Pressure, 1));
    EXPECT_EQ(r.Unit_GasBaseFlow_Set, 2);
    EXPECT_EQ(r.Unit_Flow, 42.0);  // factors are the tag's own
}

}  // namespace
}  // namespace quorven
