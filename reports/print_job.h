#pragma once
// The print job around the report pages: which report a print or preview command
// produces, how many pages the job has, and the page of each kind. Every page is
// made from the job state alone, never from the page before it: a preview asks for
// pages in any order and more than once.

#include <cstdint>
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

// The job state the print and preview commands set.
struct PrintJob {
    ReportType ReportKind = ReportType::CalcSheet;  // which report
    int NumberPages = 0;                            // a batch numbers its sheets
    int SheetNo = 0;                                // the sheet being printed, 1-based
    int SelectedCount = 0;                          // pages of a report job
    int TotalTags = 0;                              // tags of the job
    int IndexTagCount = 0;                          // tags listed in the tag index
    std::vector<std::string> BatchTagList;          // the tags a batch walks
};

// A single report of the current tag: one page, no numbering.
PrintJob SingleReportJob(ReportType kind);

// Pages of the job: the tag index's pages of 50 tags for the tag index, the
// selected count for every other kind.
int JobPageCount(const PrintJob& job);

// Draws page `page_index` (0-based) of a single report of `current`. Returns false
// when the page settings did not fit the paper. Kinds without a report yet draw
// nothing.
bool PrintReportPage(CPage& page, const PrintJob& job, int page_index, const TagRecord& current,
                     const ReportContext& ctx);

}  // namespace quorven
