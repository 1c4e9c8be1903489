#include "project/batch_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "project/project_fixture.h"
#include "record/record_io.h"

namespace quorven {
namespace {

using testing::StoredTag;
using testing::TempDirTest;
namespace fs = std::filesystem;

// A tag whose data passes the check: gas, volume flows at base conditions, SG.
TagRecord CompleteTag(const std::string& tag, double flow) {
    TagRecord r = StoredTag(tag, flow);
    r.Dp_Max = 100.0;
    r.Flow_Press = 300.0;
    r.Flow_Temp = 519.67;
    r.Flow_RhoGZ = 0.95;
    r.Base_RhoGZ = 0.998;
    r.Property_MwDenVp = 0.6;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    r.Calc_Rev = 2;
    return r;
}

// Stand-in calculation: the bore is a tenth of the maximum flow's square root;
// a flow above 1e6 does not iterate.
bool FakeCalculation(TagRecord& r, MessageSink& sink) {
    if (r.Flow_Max > 1e6) {
        CError(sink).Show(msg::kErrNoSolution);
        r.Calc_Status = 0;
        return false;
    }
    r.Bore = std::sqrt(r.Flow_Max) / 10.0;
    r.Calc_Status = 1;
    SetText(r.Date, "10 Dec 2026");
    return true;
}

class BatchRunTest : public TempDirTest {
protected:
    void MakeProject(const std::string& name, const std::vector<TagRecord>& tags) {
        paths_ = ProjectPathsOf(Path(name + ".fil"));
        RecordingMessageSink sink;
        ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), paths_, DefaultProjectSettings(), sink));
        CDatabase db(DiskFiles(), paths_);
        db.Open(sink);
        for (const TagRecord& r : tags)
            ASSERT_EQ(db.WriteTag(r, WriteMode::Replace, sink), WriteOutcome::Saved);
    }
    BatchRunReport Run(MessageAnswer increment, RecordingMessageSink& sink, ProgressFn progress = {}) {
        CDatabase db(DiskFiles(), paths_);
        db.Open(sink);
        sink.messages.clear();
        // The continue question is answered Yes; the revision question as asked.
        struct Answers final : MessageSink {
            RecordingMessageSink& rec;
            MessageAnswer increment;
            Answers(RecordingMessageSink& r, MessageAnswer i) : rec(r), increment(i) {}
            MessageAnswer Show(const Message& m) override {
                (void)rec.Show(m);
                if (m.caption == "Batch Calculation Warning") return MessageAnswer::Yes;
                if (m.caption == "Batch Calculation - Increment Revision") return increment;
                return m.default_answer;
            }
        } answers(sink, increment);
        BatchRunOptions o;
        o.settings.calculate = FakeCalculation;
        o.settings.threads = 2;
        o.progress = std::move(progress);
        return RunBatchCalculation(db, o, answers);
    }
    TagRecord Read(const std::string& tag) {
        RecordingMessageSink sink;
        CDatabase db(DiskFiles(), paths_);
        db.Open(sink);
        TagRecord r{};
        EXPECT_TRUE(db.ReadTag(tag, r, sink)) << tag;
        return r;
    }
    std::string Status() { return ReadFileBytes(paths_.BatchStatus(), 1 << 20).value_or("<none>"); }
    std::vector<std::string> Captions(const RecordingMessageSink& sink) {
        std::vector<std::string> out;
        for (const Message& m : sink.messages) out.push_back(m.caption);
        return out;
    }
    ProjectPaths paths_;
};

TEST_F(BatchRunTest, CalculatedTagsAreStoredAndEveryTagIsInTheStatusFile) {
    TagRecord missing = CompleteTag("B-2", 500.0);
    missing.Flow_Max = 0;
    MakeProject("Plant", {CompleteTag("A-1", 400.0), missing, CompleteTag("C-3", 2e6)});
    const std::string b_before = RecordToBytes(Read("B-2"));
    const std::string c_before = RecordToBytes(Read("C-3"));

    RecordingMessageSink sink;
    const BatchRunReport r = Run(MessageAnswer::Yes, sink);
    EXPECT_TRUE(r.saved);
    EXPECT_TRUE(r.status_written);
    EXPECT_EQ(r.tags, 3u);
    EXPECT_EQ(r.calculated, 1u);
    EXPECT_EQ(r.data_errors, 1u);
    EXPECT_EQ(r.not_calculated, 1u);
    EXPECT_EQ(Captions(sink),
              (std::vector<std::string>{"Batch Calculation Warning", "Batch Calculation - Increment Revision",
                                        "Batch Calculation Message"}));
    EXPECT_EQ(
        sink.messages.back().text,
        "Batch calculation for project complete!\n\n3 tags: 1 calculated and saved, 1 with data errors, 1 "
        "not calculated, 0 that could not be read.\nThe status file is Plant.txt.");

    const TagRecord a = Read("A-1");
    EXPECT_EQ(a.Bore, 2.0);
    EXPECT_EQ(a.Calc_Rev, 3);  // raised and stored with the calculated tag
    EXPECT_EQ(a.Rec_Version4, 1);
    EXPECT_EQ(RecordToBytes(Read("B-2")), b_before);  // data errors: not stored, revision not stored
    EXPECT_EQ(RecordToBytes(Read("C-3")), c_before);  // not calculated: not stored

    EXPECT_EQ(Status(),
              "\r\n\r\n\r\nQuorven batch calculation status file for project Plant.\r\n"
              "Tag No.:   A-1\r\nService:   Service of A-1\r\nLine No.:  L-A-1\r\n\r\n\tDATA ERRORS:\r\n"
              "\t\tNo errors!\r\n\tCALCULATION ERRORS:\r\n\t\tNo errors!\r\n\r\n"
              "Tag No.:   B-2\r\nService:   Service of B-2\r\nLine No.:  L-B-2\r\n\r\n\tDATA ERRORS:\r\n"
              "\t\tNo maximum flow, Qm or Wm, given.\r\n\r\n"
              "Tag No.:   C-3\r\nService:   Service of C-3\r\nLine No.:  L-C-3\r\n\r\n\tDATA ERRORS:\r\n"
              "\t\tNo errors!\r\n\tCALCULATION ERRORS:\r\n\t\tCalculation would not iterate to a valid "
              "solution!\r\n\t\tCheck sizing data.\r\n\r\n");
    for (const std::string& temp : paths_.Temporaries()) EXPECT_FALSE(fs::exists(temp)) << temp;
}

TEST_F(BatchRunTest, TheDefaultProjectKeepsTheFormatMarkerAndNoMeansNoIncrement) {
    TagRecord t = CompleteTag("A-1", 400.0);
    t.Rec_Version4 = 0;
    MakeProject("Project", {t});
    RecordingMessageSink sink;
    EXPECT_TRUE(Run(MessageAnswer::No, sink).saved);
    const TagRecord a = Read("A-1");
    EXPECT_EQ(a.Rec_Version4, 0);
    EXPECT_EQ(a.Calc_Rev, 2);
    EXPECT_EQ(a.Bore, 2.0);
}

TEST_F(BatchRunTest, EmptyProjectOrNoIndexStopsBeforeAnyStatusFile) {
    MakeProject("Plant", {});
    RecordingMessageSink sink;
    EXPECT_FALSE(Run(MessageAnswer::Yes, sink).started);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].caption, "Aborting");
    EXPECT_EQ(sink.messages[0].text, "This project database is empty -> aborting");
    EXPECT_EQ(sink.messages[1].caption, "Batch Calculation Message");
    EXPECT_EQ(sink.messages[1].text, "Batch calculation aborted!");
    EXPECT_FALSE(fs::exists(paths_.BatchStatus()));

    fs::remove(paths_.Index());
    RecordingMessageSink sink2(MessageAnswer::No);
    EXPECT_FALSE(Run(MessageAnswer::Yes, sink2).started);
    EXPECT_EQ(sink2.Numbers(), std::vector<int>{msg::kErrProjectIndex});
}

// An entry that names no whole record is skipped and reported; a tag number that
// two entries hold is calculated once.
TEST_F(BatchRunTest, UnreadableTagIsReportedAndARepeatedEntryCalculatedOnce) {
    MakeProject("Plant", {CompleteTag("A-1", 400.0), CompleteTag("B-2", 900.0)});
    std::string idx = ReadFileBytes(paths_.Index(), 1 << 20).value();
    idx += IndexEntryBytes("A-1", 2800) + IndexEntryBytes("GONE", 5600 * 10);
    ASSERT_TRUE(DiskFiles().Replace(paths_.Index(), idx));
    RecordingMessageSink sink;
    const BatchRunReport r = Run(MessageAnswer::Yes, sink);
    EXPECT_TRUE(r.saved);
    EXPECT_EQ(r.tags, 3u);
    EXPECT_EQ(r.unreadable, 1u);
    EXPECT_EQ(Read("A-1").Calc_Rev, 3);
    EXPECT_EQ(Read("B-2").Calc_Rev, 3);
    EXPECT_TRUE(Status().ends_with(
        "Tag No.:   GONE\r\n\r\n\tRECORD ERRORS:\r\n\t\tThe stored record of this tag cannot be read.  Tag "
        "skipped!\r\n\r\n"));
}

// The new record file is the old one with the calculated records in their
// places: index entries out of file order and bytes that no entry names (here a
// whole record after the last indexed one) come through unchanged.
TEST_F(BatchRunTest, RecordsOutOfIndexOrderAndUnnamedBytesKeepTheirPlaces) {
    MakeProject("Plant", {CompleteTag("A-1", 400.0), CompleteTag("B-2", 900.0), CompleteTag("C-3", 1600.0)});
    const std::string idx =
        IndexEntryBytes("C-3", 5600) + IndexEntryBytes("A-1", 0) + IndexEntryBytes("B-2", 2800);
    ASSERT_TRUE(DiskFiles().Replace(paths_.Index(), idx));
    const std::string unnamed(2800, '\x5A');
    ASSERT_TRUE(DiskFiles().WriteAt(paths_.Records(), 3 * 2800, unnamed));

    RecordingMessageSink sink;
    const BatchRunReport r = Run(MessageAnswer::No, sink);
    EXPECT_TRUE(r.saved);
    EXPECT_EQ(r.calculated, 3u);
    // Hand values: the stand-in bore is sqrt(Flow_Max) / 10.
    EXPECT_EQ(Read("A-1").Bore, 2.0);
    EXPECT_EQ(Read("B-2").Bore, 3.0);
    EXPECT_EQ(Read("C-3").Bore, 4.0);
    const std::string fdb = ReadFileBytes(paths_.Records(), 1 << 20).value();
    ASSERT_EQ(fdb.size(), 4u * 2800u);
    EXPECT_EQ(fdb.substr(3 * 2800), unnamed);
}

TEST_F(BatchRunTest, CancelLeavesEveryTagAsItWasAndTheStatusFileSaysSo) {
    MakeProject("Plant", {CompleteTag("A-1", 400.0)});
    const std::string fdb = ReadFileBytes(paths_.Records(), 1 << 20).value();
    RecordingMessageSink sink;
    const BatchRunReport r = Run(MessageAnswer::Yes, sink, [](std::size_t, std::size_t) { return false; });
    EXPECT_TRUE(r.cancelled);
    EXPECT_FALSE(r.saved);
    EXPECT_EQ(ReadFileBytes(paths_.Records(), 1 << 20).value(), fdb);
    EXPECT_EQ(Status(),
              "\r\n\r\n\r\nQuorven batch calculation status file for project Plant.\r\n"
              "\tBATCH CALCULATION NOT SAVED:\r\n\t\tThe batch calculation was cancelled.\r\n"
              "\t\tNo tag of the project was changed.\r\n");
    for (const std::string& temp : paths_.Temporaries()) EXPECT_FALSE(fs::exists(temp)) << temp;
}

TEST_F(BatchRunTest, AnsweringNoChangesNothing) {
    MakeProject("Plant", {CompleteTag("A-1", 400.0)});
    const std::string fdb = ReadFileBytes(paths_.Records(), 1 << 20).value();
    RecordingMessageSink sink(MessageAnswer::No);
    CDatabase db(DiskFiles(), paths_);
    db.Open(sink);
    BatchRunOptions o;
    o.settings.calculate = FakeCalculation;
    EXPECT_FALSE(RunBatchCalculation(db, o, sink).started);
    EXPECT_EQ(ReadFileBytes(paths_.Records(), 1 << 20).value(), fdb);
    EXPECT_FALSE(fs::exists(paths_.BatchStatus()));
    EXPECT_FALSE(fs::exists(paths_.BatchStatusTemp()));
}

}  // namespace
}  // namespace quorven
