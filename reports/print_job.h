#pragma once
// The print job around the report pages: which report a print or preview command
// produces, how many pages the job has, and the page of each kind. Every page is
// made from the job state alone, never from the page before it: a preview asks for
// pages in any order and more than once.
//
// A batch reads each of its tags from the project into a record of its own: the
// document's current tag, with any edits not yet saved, is never replaced by
// printing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "record/tag_record.h"
#include "reports/page.h"
#include "reports/report_page.h"

namespace quorven {

enum class ReportType : int32_t {
    CalcSheet = 1,
    Datasheet = 2,
    CalibrationChart = 3,
    Uncertainty = 4,
    BatchCalcSheets = 8,
    BatchDatasheets = 9,
    BatchCalibrationCharts = 10,
    BatchUncertainty = 11,
    TagIndex = 12,
};

// One tag of a batch: its number (Windows-1252) and its place in the project's
// list of all tags (1-based), which is the sheet number it prints under.
struct BatchEntry {
    std::string tag;
    int position = 0;
    bool operator==(const BatchEntry&) const = default;
};

// The job state the print and preview commands set.
struct PrintJob {
    ReportType ReportKind = ReportType::CalcSheet;  // which report
    int NumberPages = 0;                            // a batch numbers its sheets
    int SheetNo = 0;                                // the sheet being printed, 1-based
    int SelectedCount = 0;                          // pages of a report job
    int TotalTags = 0;                              // tags of the project: the sheet count
    int IndexTagCount = 0;                          // tags listed in the tag index
    // The tags a batch walks, in the order chosen; for the tag index, the tags it
    // lists, by position.
    std::vector<BatchEntry> BatchTagList;
    std::string RunDate;  // the date the tag index says it was run (Windows-1252)
};

// A single report of the current tag: one page, no numbering.
PrintJob SingleReportJob(ReportType kind);

// A batch of `selected` tags of a project of `total_tags`, or (kind TagIndex) the
// index of them, listed in the order of their positions.
PrintJob BatchReportJob(ReportType kind, std::vector<BatchEntry> selected, int total_tags, bool numbered,
                        std::string run_date = {});

// Pages of the job: the tag index's pages of 50 tags for the tag index, the
// selected count for every other kind.
int JobPageCount(const PrintJob& job);

// Whether the kind prints the tags of a batch (8 to 12).
bool IsBatchReport(ReportType kind);

// Reads the stored tag `tag` of the project into `out`; false (and `out` as it
// was) when it cannot be read.
using TagReader = std::function<bool(const std::string& tag, TagRecord& out)>;

// Draws page `page_index` (0-based) of the job. Single reports print `current`;
// batch pages read their tag through `read` (a tag that cannot be read gets a page
// that says so, never another tag's data). Returns false when the page settings
// did not fit the paper. Kinds without a report yet draw nothing.
bool PrintJobPage(CPage& page, const PrintJob& job, int page_index, const TagRecord& current,
                  const TagReader& read, const ReportContext& ctx);

// A single report's page of `current`.
bool PrintReportPage(CPage& page, const PrintJob& job, int page_index, const TagRecord& current,
                     const ReportContext& ctx);

}  // namespace quorven
