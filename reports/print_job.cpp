#include "reports/print_job.h"

#include "reports/print_calc.h"
#include "reports/print_spec.h"

namespace quorven {

namespace {
constexpr int kIndexTagsPerPage = 50;
}

PrintJob SingleReportJob(ReportType kind) {
    PrintJob job;
    job.ReportKind = kind;
    job.NumberPages = 0;
    job.TotalTags = 1;
    job.SelectedCount = 1;
    return job;
}

int JobPageCount(const PrintJob& job) {
    if (job.ReportKind == ReportType::TagIndex)
        return (job.IndexTagCount + kIndexTagsPerPage - 1) / kIndexTagsPerPage;
    return job.SelectedCount;
}

bool PrintReportPage(CPage& page, const PrintJob& job, int page_index, const TagRecord& current,
                     const ReportContext& ctx) {
    bool fits = true;
    switch (job.ReportKind) {
        case ReportType::CalcSheet: {
            // A single sheet is not numbered.
            SheetNumbering n;
            n.numbered = job.NumberPages != 0;
            n.sheet_no = page_index + 1;
            n.sheet_count = job.TotalTags;
            PrintCalcSheet(page, current, ctx, n, &fits);
            break;
        }
        case ReportType::Datasheet: {
            // A single datasheet is not numbered: its sheet text is the user's own.
            SheetNumbering n;
            n.numbered = job.NumberPages != 0;
            n.sheet_no = page_index + 1;
            n.sheet_count = job.TotalTags;
            PrintDatasheet(page, current, ctx, n, &fits);
            break;
        }
        default:
            break;
    }
    return fits;
}

}  // namespace quorven
