// Batch printing without windows: the tag list and the choice of tags, the pages
// of a batch job read into their own records and numbered by position, and the
// tag index.

#include "reports/batch_print.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "project/project_commands.h"
#include "record/cformat.h"
#include "record/file_io.h"
#include "report_fixtures.h"
#include "reports/print_index.h"
#include "reports/print_job.h"
#include "reports/recording_renderer.h"

namespace quorven {
namespace {

constexpr DeviceRect kA4{0, 0, 4792, 6851};

TEST(BatchSelection, SortsByteWiseAndSelectsEachTagOnce) {
    BatchSelection sel({"B-2", "A-10", "a-1", "A-9"}, true);
    EXPECT_EQ(sel.Available(),
              (std::vector<std::string>{"A-10", "A-9", "B-2", "a-1"}));  // bytes, not numbers
    EXPECT_EQ(sel.Selected(), sel.Available());                          // opens with every tag selected
    EXPECT_EQ(sel.Total(), 4);
    EXPECT_TRUE(sel.numbered);

    sel.DeselectAll();
    EXPECT_EQ(sel.SelectedCount(), 0);
    EXPECT_EQ(sel.Select({2, 0, 2}), 1);  // in list order, each once; the caret on the last
    EXPECT_EQ(sel.Selected(), (std::vector<std::string>{"A-10", "B-2"}));
    EXPECT_EQ(sel.Select({0}), -1);  // already there
    EXPECT_EQ(sel.ActivateAvailable(1), 2);
    EXPECT_EQ(sel.Entries(), (std::vector<BatchEntry>{{"A-10", 1}, {"B-2", 3}, {"A-9", 2}}));
    sel.Deselect({0, 2});
    EXPECT_EQ(sel.Selected(), (std::vector<std::string>{"B-2"}));
    sel.ActivateSelected(5);  // outside the list: nothing
    sel.ActivateSelected(0);
    EXPECT_EQ(sel.SelectedCount(), 0);
    sel.SelectAll();
    EXPECT_EQ(sel.SelectedCount(), 4);

    // Unsorted: the index order; the selection starts again with every tag.
    sel.DeselectAll();
    sel.SetSorted(false, std::nullopt);
    EXPECT_EQ(sel.Available(), (std::vector<std::string>{"B-2", "A-10", "a-1", "A-9"}));
    EXPECT_EQ(sel.SelectedCount(), 4);
    sel.SetSorted(true, std::vector<std::string>{"Z-1", "Y-1"});  // the index read anew
    EXPECT_EQ(sel.Available(), (std::vector<std::string>{"Y-1", "Z-1"}));
}

TEST(BatchSelection, APrefixTagIsItsOwnTagWithItsOwnPosition) {
    BatchSelection sel({"FT-101", "FT-101A", "FT-102"}, true);
    sel.DeselectAll();
    sel.ActivateAvailable(1);  // FT-101A first, then FT-101
    sel.ActivateAvailable(0);
    EXPECT_EQ(sel.Entries(), (std::vector<BatchEntry>{{"FT-101A", 2}, {"FT-101", 1}}));
}

// A project of tags in memory, read through the job's reader; counts the reads.
struct FakeProject {
    std::map<std::string, TagRecord> tags;
    int reads = 0;
    TagReader Reader() {
        return [this](const std::string& tag, TagRecord& out) {
            ++reads;
            const auto it = tags.find(tag);
            if (it == tags.end()) return false;
            out = it->second;
            return true;
        };
    }
    void Add(const std::string& tag, const std::string& service) {
        TagRecord r = NewTagRecord();
        SetText(r.Tag_No, tag);
        SetText(r.Service, service);
        r.Bore = 1.5;
        r.Pipe_IDia = 4.026;
        r.Calc_Rev = 3;
        tags[tag] = r;
    }
};

class BatchJob : public ::testing::Test {
protected:
    std::vector<std::string> Page(const PrintJob& job, int index, const TagRecord& current) {
        dev_ = RecordingRenderer();
        CPage page(kA4, dev_);
        EXPECT_TRUE(PrintJobPage(page, job, index, current, project_.Reader(), ctx_));
        return dev_.TextLines();
    }
    ReportContext ctx_ = MakeReportContext(testing_reports::FixtureSettings(), "4.4.0", {});
    FakeProject project_;
    RecordingRenderer dev_;
};

TEST_F(BatchJob, SheetsCarryTheTagsPositionOfAllTagsAndTheCurrentTagStays) {
    std::vector<std::string> names;
    for (int i = 1; i <= 10; ++i) {
        names.push_back(CFormat("FE-%03d", {static_cast<long long>(i)}));
        project_.Add(names.back(), "Service " + std::to_string(i));
    }
    BatchSelection sel(names, true);
    sel.DeselectAll();
    sel.ActivateAvailable(2);  // the third tag of ten only
    TagRecord current = NewTagRecord();
    SetText(current.Tag_No, "EDITED");
    const TagRecord before = current;

    for (ReportType kind :
         {ReportType::BatchCalcSheets, ReportType::BatchCalibrationCharts, ReportType::BatchUncertainty}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const PrintJob job = BatchReportJob(kind, sel.Entries(), sel.Total(), true);
        ASSERT_EQ(JobPageCount(job), 1);
        Page(job, 0, current);
        EXPECT_TRUE(dev_.FindText("FE-003"));
        EXPECT_TRUE(dev_.FindText("Sht:   3 of 10  Chk: _____"));
        EXPECT_FALSE(dev_.FindText("EDITED"));
        EXPECT_EQ(std::memcmp(&before, &current, sizeof current), 0);

        const PrintJob plain = BatchReportJob(kind, sel.Entries(), sel.Total(), false);
        Page(plain, 0, current);
        EXPECT_TRUE(dev_.FindText("Sht: ___ of ___ Chk: _____"));
    }
    // A page past the end draws nothing; no tag selected, no page.
    PrintJob none = BatchReportJob(ReportType::BatchCalcSheets, {}, 10, true);
    EXPECT_EQ(JobPageCount(none), 0);
    EXPECT_TRUE(Page(none, 0, current).empty());
}

TEST_F(BatchJob, ATagThatCannotBeReadGetsAPageThatSaysSo) {
    project_.Add("FE-001", "Present");
    const PrintJob job = BatchReportJob(ReportType::BatchCalcSheets, {{"FE-001", 1}, {"FE-002", 2}}, 2, true);
    TagRecord current = NewTagRecord();
    SetText(current.Tag_No, "CURRENT");
    SetText(current.Service, "Must not appear");
    Page(job, 1, current);
    EXPECT_TRUE(dev_.FindText("Tag FE-002 cannot be read from the project: no sheet is printed for it."));
    EXPECT_TRUE(dev_.FindText("Sht:   2 of 2   Chk: _____"));
    EXPECT_FALSE(dev_.FindText("Must not appear"));
    // Pages are made from the job alone: a preview may ask in any order, twice.
    const std::vector<std::string> second = Page(job, 1, current);
    Page(job, 0, current);
    EXPECT_EQ(Page(job, 1, current), second);
}

TEST_F(BatchJob, TagIndexOfFiftyTagsAPageListsEachByPosition) {
    std::vector<std::string> names;
    for (int i = 1; i <= 120; ++i) {
        names.push_back(CFormat("T-%03d", {static_cast<long long>(i)}));
        project_.Add(names.back(), i == 7 ? "100% recycle %s %d" : "Service");
    }
    BatchSelection sel(names, true);
    PrintJob job = BatchReportJob(ReportType::TagIndex, sel.Entries(), sel.Total(), true, "10 Dec 2026");
    ASSERT_EQ(JobPageCount(job), 3);

    std::vector<std::string> lines = Page(job, 0, NewTagRecord());
    EXPECT_TRUE(dev_.FindText("Sht: 1 of 3"));
    EXPECT_TRUE(dev_.FindText("Run Date: 10 Dec 2026"));
    EXPECT_TRUE(dev_.FindText("Client:  Caledonia Energy"));
    EXPECT_TRUE(dev_.FindText("100% recycle %s %d"));  // a user text is printed, not interpreted
    EXPECT_EQ(project_.reads, 50);
    const auto row = [&](const std::string& tag) {
        for (const std::string& l : lines)
            if (l.starts_with(tag + " | ")) return l;
        return std::string();
    };
    // Tag, service, line, P&ID and calc number (empty), sheet, revision, the three
    // datasheet references (empty), bore and pipe.
    EXPECT_EQ(row("T-050"), "T-050 | Service |   |   |   | 50 | 3 |   |   |   | 1.5000 in | 4.026 in");

    lines = Page(job, 2, NewTagRecord());
    EXPECT_TRUE(dev_.FindText("Sht: 3 of 3"));
    int rows = 0;
    for (const std::string& l : lines) rows += l.starts_with("T-") ? 1 : 0;
    EXPECT_EQ(rows, 20);
    EXPECT_EQ(row("T-120"), "T-120 | Service |   |   |   | 120 | 3 |   |   |   | 1.5000 in | 4.026 in");

    // A partial selection lists exactly the chosen tags, once each, by position.
    sel.DeselectAll();
    sel.ActivateAvailable(99);
    sel.ActivateAvailable(4);
    job = BatchReportJob(ReportType::TagIndex, sel.Entries(), sel.Total(), true, "10 Dec 2026");
    ASSERT_EQ(JobPageCount(job), 1);
    lines = Page(job, 0, NewTagRecord());
    std::vector<std::string> listed;
    for (const std::string& l : lines)
        if (l.starts_with("T-")) listed.push_back(l.substr(0, 5));
    EXPECT_EQ(listed, (std::vector<std::string>{"T-005", "T-100"}));
    EXPECT_EQ(row("T-100"), "T-100 | Service |   |   |   | 100 | 3 |   |   |   | 1.5000 in | 4.026 in");

    // Exactly 50 tags: one page.
    EXPECT_EQ(IndexPageCount(50), 1);
    EXPECT_EQ(IndexPageCount(0), 0);
}

}  // namespace
}  // namespace quorven

namespace quorven {
namespace {

namespace fs = std::filesystem;

// A project on disk with three tags, opened in a document whose current tag is FE-2.
class BatchCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorven-batch-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const ProjectPaths paths{dir_.string() + "/", "plant"};
        NullMessageSink quiet;
        ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), paths, DefaultProjectSettings(), quiet));
        CDatabase db(DiskFiles(), paths);
        db.Open(quiet);
        for (const char* tag : {"FE-3", "FE-1", "FE-2"}) {
            TagRecord r = NewTagRecord();
            SetText(r.Tag_No, tag);
            SetText(r.Service, std::string("Stored ") + tag);
            r.Rec_Version4 = 1;
            ASSERT_EQ(db.WriteTag(r, WriteMode::Replace, quiet), WriteOutcome::Saved);
        }
        ASSERT_TRUE(OpenProject(doc_, paths.Settings(), quiet));
        ASSERT_TRUE(doc_.database->ReadTag("FE-2", doc_.record, quiet));
        doc_.tag_saved = true;
        doc_.MarkBaseline();
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    ProjectDocument doc_;
};

TEST_F(BatchCommand, TagsOfTheOpenProjectOrError44) {
    RecordingMessageSink sink;
    const std::optional<std::vector<std::string>> tags = BatchTagsOf(doc_, sink);
    ASSERT_TRUE(tags);
    EXPECT_EQ(*tags, (std::vector<std::string>{"FE-3", "FE-1", "FE-2"}));  // index order
    EXPECT_TRUE(sink.Numbers().empty());

    fs::remove(dir_ / "plant.idx");
    EXPECT_FALSE(BatchTagsOf(doc_, sink));
    ProjectDocument closed;
    EXPECT_FALSE(BatchTagsOf(closed, sink));
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrProjectIndex, msg::kErrProjectIndex}));
}

TEST_F(BatchCommand, UnsavedEditsOfABatchTagAreAskedAboutAndNeverLost) {
    SetText(doc_.record.Service, "Edited, not saved");
    doc_.tag_saved = false;  // as every edit of the form does
    const TagRecord edited = doc_.record;
    const std::vector<BatchEntry> with_current = {{"FE-1", 1}, {"FE-2", 2}};

    // Not in the batch: nothing to ask.
    RecordingMessageSink none(MessageAnswer::Cancel);
    EXPECT_TRUE(MayPrintStoredTags(doc_, {{"FE-1", 1}}, none));
    EXPECT_TRUE(none.messages.empty());

    // Cancel prints nothing; No prints the stored tag; either way the edits stay.
    for (MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No}) {
        RecordingMessageSink sink(answer);
        EXPECT_EQ(MayPrintStoredTags(doc_, with_current, sink), answer == MessageAnswer::No);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_NE(sink.messages[0].text.find("Tag FE-2 has changes that are not saved."), std::string::npos);
        EXPECT_EQ(std::memcmp(&doc_.record, &edited, sizeof edited), 0);
    }
    // The batch reads the stored FE-2, not the edits, into its own record.
    RecordingMessageSink quiet;
    const TagReader read = ProjectTagReader(doc_, quiet);
    TagRecord r = NewTagRecord();
    ASSERT_TRUE(read("FE-2", r));
    EXPECT_EQ(GetText(r.Service), "Stored FE-2");
    EXPECT_EQ(GetText(doc_.record.Service), "Edited, not saved");

    // Yes saves first: then the batch prints the edits.
    RecordingMessageSink yes(MessageAnswer::Yes);
    EXPECT_TRUE(MayPrintStoredTags(doc_, with_current, yes));
    ASSERT_TRUE(read("FE-2", r));
    EXPECT_EQ(GetText(r.Service), "Edited, not saved");
    EXPECT_FALSE(doc_.HasUnsavedEdits());
}

TEST_F(BatchCommand, JobNumbersTheChosenTagsByTheirPlaceInTheProject) {
    RecordingMessageSink sink;
    BatchSelection sel(*BatchTagsOf(doc_, sink), true);
    EXPECT_FALSE(BatchJobOf(ReportType::BatchCalcSheets, BatchSelection({}, true), "").has_value());
    sel.DeselectAll();
    EXPECT_FALSE(BatchJobOf(ReportType::BatchCalcSheets, sel, "").has_value());
    sel.ActivateAvailable(2);
    const std::optional<PrintJob> job = BatchJobOf(ReportType::BatchUncertainty, sel, "10 Dec 2026");
    ASSERT_TRUE(job);
    EXPECT_EQ(job->TotalTags, 3);
    EXPECT_EQ(job->NumberPages, 1);
    EXPECT_EQ(job->BatchTagList, (std::vector<BatchEntry>{{"FE-3", 3}}));
    EXPECT_EQ(JobPageCount(*job), 1);
}

}  // namespace
}  // namespace quorven
