#include "reports/print_job.h"

#include <algorithm>

#include "reports/print_calc.h"
#include "reports/print_calib.h"
#include "reports/print_index.h"
#include "reports/print_spec.h"
#include "reports/print_uncert.h"

namespace quorven {

PrintJob SingleReportJob(ReportType kind) {
    PrintJob job;
    job.ReportKind = kind;
    job.NumberPages = 0;
    job.TotalTags = 1;
    job.SelectedCount = 1;
    return job;
}

PrintJob BatchReportJob(ReportType kind, std::vector<BatchEntry> selected, int total_tags, bool numbered,
                        std::string run_date) {
    PrintJob job;
    job.ReportKind = kind;
    job.NumberPages = numbered ? 1 : 0;
    job.TotalTags = total_tags;
    job.RunDate = std::move(run_date);
    if (kind == ReportType::TagIndex) {
        std::stable_sort(selected.begin(), selected.end(),
                         [](const BatchEntry& a, const BatchEntry& b) { return a.position < b.position; });
        job.IndexTagCount = static_cast<int>(selected.size());
    } else {
        job.SelectedCount = static_cast<int>(selected.size());
    }
    job.BatchTagList = std::move(selected);
    return job;
}

int JobPageCount(const PrintJob& job) {
    if (job.ReportKind == ReportType::TagIndex) return IndexPageCount(job.IndexTagCount);
    return job.SelectedCount;
}

bool IsBatchReport(ReportType kind) {
    return static_cast<int32_t>(kind) >= static_cast<int32_t>(ReportType::BatchCalcSheets);
}

namespace {

// The report of one kind for one tag.
bool PrintOne(CPage& page, ReportType kind, const TagRecord& r, const ReportContext& ctx, SheetNumbering n) {
    bool fits = true;
    switch (kind) {
        case ReportType::CalcSheet:
        case ReportType::BatchCalcSheets:
            PrintCalcSheet(page, r, ctx, n, &fits);
            break;
        case ReportType::Datasheet:
        case ReportType::BatchDatasheets:
            PrintDatasheet(page, r, ctx, n, &fits);
            break;
        case ReportType::CalibrationChart:
        case ReportType::BatchCalibrationCharts:
            PrintCalibChart(page, r, ctx, n, &fits);
            break;
        case ReportType::Uncertainty:
        case ReportType::BatchUncertainty:
            PrintUncertReport(page, r, ctx, n, &fits);
            break;
        default:
            break;
    }
    return fits;
}

}  // namespace

bool PrintJobPage(CPage& page, const PrintJob& job, int page_index, const TagRecord& current,
                  const TagReader& read, const ReportContext& ctx) {
    if (page_index < 0 || page_index >= JobPageCount(job)) return true;
    if (job.ReportKind == ReportType::TagIndex) {
        bool fits = true;
        PrintIndexPage(page, job, page_index + 1, read, ctx, &fits);
        return fits;
    }
    if (!IsBatchReport(job.ReportKind)) return PrintOne(page, job.ReportKind, current, ctx, {});

    if (static_cast<std::size_t>(page_index) >= job.BatchTagList.size()) return true;
    const BatchEntry& entry = job.BatchTagList[static_cast<std::size_t>(page_index)];
    SheetNumbering n;
    n.numbered = job.NumberPages != 0;
    n.sheet_no = entry.position;
    n.sheet_count = job.TotalTags;
    TagRecord r = NewTagRecord();
    if (!read || !read(entry.tag, r)) {
        bool fits = true;
        PrintUnreadableTag(page, entry.tag, ctx, n, &fits);
        return fits;
    }
    return PrintOne(page, job.ReportKind, r, ctx, n);
}

bool PrintReportPage(CPage& page, const PrintJob& job, int page_index, const TagRecord& current,
                     const ReportContext& ctx) {
    return PrintJobPage(page, job, page_index, current, TagReader(), ctx);
}

}  // namespace quorven
