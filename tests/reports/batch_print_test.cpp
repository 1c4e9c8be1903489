// Batch printing without windows: the tag list and the choice of tags, the pages
// of a batch job read into their own records and numbered by position, and the
// tag index.

#include "reports/batch_print.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "record/cformat.h"
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
