#pragma once
// CPrintIndex: a page of the tag index, the table of contents of a project's
// printed sheets: 50 tags a page with their service, line, drawing, calculation
// and datasheet references, their bore and pipe diameter, and the sheet number
// each prints under. Each row's tag is read from the project into a record of its
// own; the document's current tag is not touched.

#include <string>

#include "record/tag_record.h"
#include "reports/page.h"
#include "reports/print_job.h"
#include "reports/report_page.h"

namespace quorven {

inline constexpr int kIndexTagsPerPage = 50;

// Pages of an index of `tags` tags: 50 a page, rounded up.
int IndexPageCount(int tags);

class CPrintIndex {
public:
    // Page `page_no` (1-based) of the index of the job's BatchTagList.
    CPrintIndex(CPage& page, CPrintRegion& region, const PrintJob& job, int page_no, const TagReader& read,
                const ReportContext& ctx);
    void Print();

private:
    double Header();
    double Text(double row, double column, std::string_view text, int style, int size);
    void Rule(double row, int width);

    CPage& page_;
    CPrintRegion& region_;
    const PrintJob& job_;
    int page_no_;
    const TagReader& read_;
    const ReportContext& ctx_;
};

// Index page `page_no` (1-based) of the job on one page.
void PrintIndexPage(CPage& page, const PrintJob& job, int page_no, const TagReader& read,
                    const ReportContext& ctx, bool* fits = nullptr);

// The page of a batch tag that could not be read from the project: the header and
// a line that says so, and the footer's sheet text.
void PrintUnreadableTag(CPage& page, const std::string& tag, const ReportContext& ctx,
                        SheetNumbering numbering, bool* fits = nullptr);

}  // namespace quorven
