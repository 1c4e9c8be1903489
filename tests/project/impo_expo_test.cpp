#include "project/impo_expo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "project/csv_exchange.h"
#include "project/project_fixture.h"
#include "record/file_io.h"
#include "record/record_fields.h"
#include "record/record_io.h"
#include "record/tag_reset.h"
#include "tests/project/mixed_tags.h"

namespace quorven {
namespace {

using testing::TempDirTest;
namespace fs = std::filesystem;

class ScriptedQuestions final : public ImportQuestions {
public:
    OverwriteAnswer ConfirmReplace(std::string_view tag) override {
        asked.emplace_back(tag);
        if (answers.empty()) return OverwriteAnswer::No;
        const OverwriteAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<OverwriteAnswer> answers;
    std::vector<std::string> asked;
};

class ImpoExpoTest : public TempDirTest {
protected:
    ProjectPaths MakeProject(const std::string& name, const std::vector<TagRecord>& tags) {
        const ProjectPaths paths = ProjectPathsOf(Path(name + ".fil"));
        RecordingMessageSink sink;
        EXPECT_TRUE(CDatabase::CreateProject(DiskFiles(), paths, DefaultProjectSettings(), sink));
        CDatabase db(DiskFiles(), paths);
        db.Open(sink);
        for (const TagRecord& r : tags)
            EXPECT_EQ(db.WriteTag(r, WriteMode::Replace, sink), WriteOutcome::Saved);
        return paths;
    }
    std::vector<TagRecord> Stored(const ProjectPaths& paths) {
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), paths);
        db.Open(sink);
        std::vector<TagRecord> out;
        for (const IndexEntry& e : db.Entries()) {
            TagRecord r{};
            EXPECT_TRUE(db.ReadTag(e.tag, r, sink));
            out.push_back(r);
        }
        return out;
    }
    ExportReport Export(const ProjectPaths& paths, const std::string& csv, RecordingMessageSink& sink) {
        CDatabase db(DiskFiles(), paths);
        db.Open(sink);
        return CImpoExpo::ExportProject(db, csv, sink);
    }
    ImportReport Import(const ProjectPaths& paths, const std::string& csv, ScriptedQuestions& q,
                        RecordingMessageSink& sink) {
        CDatabase db(DiskFiles(), paths);
        db.Open(sink);
        return CImpoExpo::ImportFile(db, csv, NewTagRecord(), DefaultUnitTables(), q, sink);
    }
    void WriteText(const std::string& path, const std::string& text) {
        ASSERT_TRUE(DiskFiles().Replace(path, text));
    }
};

std::vector<TagRecord> SomeTags(std::size_t n) {
    std::vector<TagRecord> tags;
    for (std::size_t i = 0; i < n; ++i) {
        TagRecord r = test::MixedTag(i);
        r.Beta = 0.1 + 1.0 / static_cast<double>(i + 3);  // a result with every digit in use
        SetText(r.Mfr, "Maker, Inc.");
        SetText(r.Date, "Mar 14, 2024");
        // An empty text reads back as the cleared value, which for the schedule is "STD".
        SetText(r.Pipe_Sched_Text, "40");
        r.Calc_Status = 1;
        tags.push_back(r);
    }
    return tags;
}

// The demo project's export, and the same file opened in LibreOffice Calc and saved
// again (tests/data/csv/README.md): both imported into empty projects give the same
// tags, texts and codes exactly, doubles to the 15 significant digits Calc writes.
// Calc writes no exponents and LF line ends; the third case is Calc's file with CRLF
// and the two tiny values in exponent notation, as other spreadsheets save them.
TEST_F(ImpoExpoTest, AFileSavedBackFromASpreadsheetImportsAsTheExportDid) {
    const std::string data = std::string(QUORVEN_TEST_DATA) + "/csv/";
    const std::string calc = ReadFileBytes(data + "demo_libreoffice.csv", 1 << 20).value_or("");
    ASSERT_NE(calc.find(",0.0000000015,"), std::string::npos);
    std::string exponents = calc;
    for (std::size_t at = 0; (at = exponents.find('\n', at)) != std::string::npos; at += 2)
        exponents.insert(at, "\r");
    for (auto [from, to] :
         {std::pair{"0.0000000015", "1.5E-09"}, std::pair{"0.000000123456789", "1.23456789E-07"}})
        exponents.replace(exponents.find(from), std::string_view(from).size(), to);
    WriteText(Path("exponents.csv"), exponents);

    ScriptedQuestions q;
    RecordingMessageSink sink;
    const ProjectPaths reference = MakeProject("Reference", {});
    ASSERT_EQ(Import(reference, data + "demo_export.csv", q, sink).added, 13u);
    const std::vector<TagRecord> want = Stored(reference);
    for (const std::string& file : {data + "demo_libreoffice.csv", Path("exponents.csv")}) {
        SCOPED_TRACE(file);
        const ProjectPaths paths = MakeProject("P" + std::to_string(file.size()), {});
        const ImportReport r = Import(paths, file, q, sink);
        EXPECT_EQ(r.added, 13u);
        EXPECT_EQ(r.refused, 0u) << (r.problems.empty() ? "" : r.problems[0]);
        const std::vector<TagRecord> got = Stored(paths);
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            for (const CsvColumn& c : CsvColumns()) {
                const FieldInfo& f = *c.field;
                SCOPED_TRACE(std::string(GetText(want[i].Tag_No)) + " " + f.name);
                if (f.kind == FieldKind::Double) {
                    const double a = GetDouble(want[i], f);
                    EXPECT_NEAR(GetDouble(got[i], f), a, 5e-15 * std::max(1.0, std::abs(a)));
                } else if (f.kind == FieldKind::Int32) {
                    EXPECT_EQ(GetInt(got[i], f), GetInt(want[i], f));
                } else {
                    EXPECT_EQ(GetTextField(got[i], f), GetTextField(want[i], f));
                }
            }
        }
        EXPECT_EQ(GetText(got.back().Service), "Wet gas, sour; to flare");
        EXPECT_EQ(GetText(got.back().Line_No), "6\"-FG-1100");
        EXPECT_EQ(GetText(got.back().Memo), "He said \"check, then size\"");
        EXPECT_EQ(got.back().Dp_Loss, 1.5e-9);
    }
}

// Export, then import into an empty project: every exported column comes back as
// it was (doubles to the bit: they are written with round-trip precision).
TEST_F(ImpoExpoTest, ExportThenImportGivesTheSameRecordsFieldForField) {
    const std::vector<TagRecord> tags = SomeTags(9);
    const ProjectPaths from = MakeProject("From", tags);
    RecordingMessageSink sink;
    const ExportReport ex = Export(from, Path("all.csv"), sink);
    EXPECT_TRUE(ex.written);
    EXPECT_EQ(ex.tags, 9u);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "ASCII File Export Message");
    EXPECT_EQ(sink.messages[0].text,
              "Project ASCII file export complete!\n\n9 tags were written to all.csv.");

    const ProjectPaths to = MakeProject("To", {});
    ScriptedQuestions q;
    RecordingMessageSink sink2;
    const ImportReport im = Import(to, Path("all.csv"), q, sink2);
    EXPECT_TRUE(im.saved);
    EXPECT_EQ(im.added, 9u);
    EXPECT_TRUE(q.asked.empty());
    ASSERT_EQ(sink2.messages.size(), 1u);
    EXPECT_EQ(sink2.messages[0].text,
              "Project ASCII file import is done.\n\n9 tags added, 0 replaced, 0 not replaced.");

    const std::vector<TagRecord> back = Stored(to);
    ASSERT_EQ(back.size(), tags.size());
    for (std::size_t i = 0; i < tags.size(); ++i) {
        SCOPED_TRACE(tags[i].Tag_No);
        for (const CsvColumn& c : CsvColumns()) {
            const FieldInfo& f = *c.field;
            SCOPED_TRACE(f.name);
            if (f.kind == FieldKind::Text && std::strcmp(f.name, "Date") != 0) {
                EXPECT_EQ(GetTextField(back[i], f), GetTextField(tags[i], f));
            }
            if (f.kind == FieldKind::Int32) {
                EXPECT_EQ(GetInt(back[i], f), GetInt(tags[i], f));
            }
            if (f.kind == FieldKind::Double) {
                const double a = GetDouble(back[i], f);
                const double b = GetDouble(tags[i], f);
                EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << a << " " << b;
            }
        }
        EXPECT_STREQ(back[i].Date, "14 Mar 2024");
        EXPECT_EQ(back[i].Calc_Status, 0);  // to be calculated in this project
        EXPECT_EQ(back[i].Rec_Version4, 1);
    }
}

// A record stored before the check knew the rule (a gas equation with a liquid's
// condition and density) is exported as every read of the project sees it, and
// the notice says so: import then reads every line the export wrote.
TEST_F(ImpoExpoTest, ExportWritesWhatTheRecordCheckKeepsSoImportReadsEveryLine) {
    std::vector<TagRecord> tags = SomeTags(2);
    tags[1].Fluid_Equation = Code(FluidEquation::GasVolume);
    tags[1].Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    tags[1].Fluid_Property = Code(FluidProperty::LiquidDensity);
    const ProjectPaths from = MakeProject("From", tags);
    RecordingMessageSink sink;
    const ExportReport ex = Export(from, Path("all.csv"), sink);
    EXPECT_EQ(ex.tags, 2u);
    EXPECT_EQ(ex.repaired, 1u);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].text.find("1 tags held values the record check resets; they were written with "
                                         "the reset values."),
              std::string::npos)
        << sink.messages[0].text;

    const ProjectPaths to = MakeProject("To", {});
    ScriptedQuestions q;
    RecordingMessageSink sink2;
    const ImportReport im = Import(to, Path("all.csv"), q, sink2);
    EXPECT_EQ(im.added, 2u);
    EXPECT_EQ(im.refused, 0u);
    const std::vector<TagRecord> back = Stored(to);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].Fluid_Condition, Code(FluidCondition::GasBase));
    EXPECT_EQ(back[1].Fluid_Property, Code(FluidProperty::GasSG));
}

// Windows-1252 text that happens to be valid UTF-8: "CAFÉ, HOT" is exported as the
// bytes C9 B7 for "É" and the encoded comma, which UTF-8 reads as U+0277. With a
// line of the same file that is not UTF-8 (60°F), the file is read as written.
TEST_F(ImpoExpoTest, AnExportedLineThatLooksLikeUtf8ReadsBackAsWritten) {
    std::vector<TagRecord> tags = SomeTags(2);
    SetText(tags[0].Service, "CAF\xC9, HOT");
    SetText(tags[0].Mfr, "Maker Inc.");  // no other comma: the line is valid UTF-8
    SetText(tags[1].Service,
            "60\xB0"
            "F");
    const ProjectPaths from = MakeProject("From", tags);
    RecordingMessageSink sink;
    ASSERT_TRUE(Export(from, Path("all.csv"), sink).written);
    const ProjectPaths to = MakeProject("To", {});
    ScriptedQuestions q;
    const ImportReport im = Import(to, Path("all.csv"), q, sink);
    EXPECT_EQ(im.refused, 0u) << (im.problems.empty() ? "" : im.problems[0]);
    const std::vector<TagRecord> back = Stored(to);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_STREQ(back[0].Service, "CAF\xC9, HOT");
    EXPECT_STREQ(back[1].Service,
                 "60\xB0"
                 "F");
}

// A file whose first tag is stored already: the question names it; All replaces
// it and every later duplicate without asking; a later import asks again.
TEST_F(ImpoExpoTest, ReplacementQuestionWithAllAndItIsForgottenAfterwards) {
    const std::vector<TagRecord> tags = SomeTags(4);
    const ProjectPaths from = MakeProject("From", tags);
    RecordingMessageSink sink;
    ASSERT_TRUE(Export(from, Path("all.csv"), sink).written);

    std::vector<TagRecord> old = {tags[0], tags[2]};
    old[0].Flow_Max = 1.0;
    old[1].Flow_Max = 2.0;
    const ProjectPaths to = MakeProject("To", old);
    ScriptedQuestions q;
    q.answers = {OverwriteAnswer::All};
    RecordingMessageSink sink2;
    const ImportReport im = Import(to, Path("all.csv"), q, sink2);
    EXPECT_EQ(q.asked, std::vector<std::string>{"FE-100000"});
    EXPECT_EQ(im.added, 2u);
    EXPECT_EQ(im.replaced, 2u);
    const std::vector<TagRecord> back = Stored(to);
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[0].Flow_Max, tags[0].Flow_Max);  // replaced in place: index order kept
    EXPECT_EQ(back[1].Flow_Max, tags[2].Flow_Max);
    EXPECT_STREQ(back[2].Tag_No, "FE-100001");  // new tags follow

    ScriptedQuestions again;  // All was for that import only
    RecordingMessageSink sink3;
    const ImportReport im2 = Import(to, Path("all.csv"), again, sink3);
    EXPECT_EQ(again.asked.size(), 4u);
    EXPECT_EQ(im2.not_replaced, 4u);
    EXPECT_FALSE(im2.saved);
    EXPECT_EQ(sink3.messages.back().text,
              "No tag was imported.\n\n0 tags added, 0 replaced, 4 not replaced.");
}

TEST_F(ImpoExpoTest, YesNoAndCancelAnswers) {
    const std::vector<TagRecord> tags = SomeTags(4);
    const ProjectPaths from = MakeProject("From", tags);
    RecordingMessageSink sink;
    ASSERT_TRUE(Export(from, Path("all.csv"), sink).written);
    std::vector<TagRecord> old = tags;
    for (TagRecord& r : old) r.Flow_Max = 7.0;
    const ProjectPaths to = MakeProject("To", old);
    ScriptedQuestions q;
    q.answers = {OverwriteAnswer::Yes, OverwriteAnswer::No, OverwriteAnswer::Cancel};
    RecordingMessageSink sink2;
    const ImportReport im = Import(to, Path("all.csv"), q, sink2);
    EXPECT_TRUE(im.cancelled);
    EXPECT_TRUE(im.saved);
    EXPECT_EQ(im.replaced, 1u);
    EXPECT_EQ(im.not_replaced, 1u);
    const std::vector<TagRecord> back = Stored(to);
    EXPECT_EQ(back[0].Flow_Max, tags[0].Flow_Max);
    EXPECT_EQ(back[1].Flow_Max, 7.0);
    EXPECT_EQ(back[2].Flow_Max, 7.0);  // the Cancel answer: not written
    EXPECT_EQ(back[3].Flow_Max, 7.0);
    EXPECT_EQ(sink2.messages.back().text,
              "The import was cancelled; the tags before it were imported.\n\nProject ASCII file import is "
              "done.\n\n0 tags added, 1 replaced, 1 not replaced.");
}

TEST_F(ImpoExpoTest, BadLinesAreRefusedAndListedTheRestIsImported) {
    std::string csv = CsvHeaderLine();
    const std::vector<TagRecord> tags = SomeTags(3);
    AppendCsvLine(tags[0], csv);
    std::string bad;
    AppendCsvLine(tags[1], bad);
    csv += bad.substr(0, bad.rfind(',')) + "\r\n";  // one field short
    csv += "\r\n";                                  // a blank line is no tag
    std::string code;
    AppendCsvLine(tags[2], code);
    const std::size_t mode = code.find(",1123,");
    ASSERT_NE(mode, std::string::npos);
    code.replace(mode, 6, ",9999,");
    csv += code;
    WriteText(Path("in.csv"), csv);
    const ProjectPaths to = MakeProject("To", {});
    ScriptedQuestions q;
    RecordingMessageSink sink;
    const ImportReport im = Import(to, Path("in.csv"), q, sink);
    EXPECT_EQ(im.lines, 3u);
    EXPECT_EQ(im.added, 1u);
    EXPECT_EQ(im.refused, 2u);
    EXPECT_EQ(sink.messages.back().text,
              "Project ASCII file import is done.\n\n1 tags added, 0 replaced, 0 not replaced.\n"
              "2 lines were refused:\nline 3: 175 fields, 176 expected\n"
              "line 5: Calc_Mode 9999 is not one of its values");
    EXPECT_EQ(Stored(to).size(), 1u);
}

TEST_F(ImpoExpoTest, AFileWithoutTheColumnNamesIsNotImported) {
    const ProjectPaths to = MakeProject("To", {});
    const std::string fdb = ReadFileBytes(to.Records(), 1 << 20).value();
    for (const std::string& text :
         {std::string(), std::string("Tag,Service\r\nA,B\r\n"), "Tag_No" + CsvHeaderLine().substr(6, 20)}) {
        WriteText(Path("bad.csv"), text);
        ScriptedQuestions q;
        RecordingMessageSink sink;
        const ImportReport im = Import(to, Path("bad.csv"), q, sink);
        EXPECT_FALSE(im.header);
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrNotImportFile});
    }
    EXPECT_EQ(ReadFileBytes(to.Records(), 1 << 20).value(), fdb);
}

TEST_F(ImpoExpoTest, ExportFailuresSayWhatHappened) {
    const ProjectPaths from = MakeProject("From", SomeTags(2));
    // A read-only file is not replaced.
    WriteText(Path("locked.csv"), "keep");
    fs::permissions(Path("locked.csv"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    RecordingMessageSink sink;
    EXPECT_FALSE(Export(from, Path("locked.csv"), sink).written);
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrExportFileCreate});
    EXPECT_EQ(ReadFileBytes(Path("locked.csv"), 100).value(), "keep");
    // No index: Error #44 and no file.
    fs::remove(from.Index());
    RecordingMessageSink sink2(MessageAnswer::No);
    CDatabase db(DiskFiles(), from);
    db.Open(sink2);
    sink2.messages.clear();
    EXPECT_FALSE(CImpoExpo::ExportProject(db, Path("none.csv"), sink2).written);
    EXPECT_EQ(sink2.Numbers(), std::vector<int>{msg::kErrProjectIndex});
    EXPECT_FALSE(fs::exists(Path("none.csv")));
}

}  // namespace
}  // namespace quorven
