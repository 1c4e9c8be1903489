#pragma once
// Report pages onto Qt's paged devices: the page loop of a print, print preview or
// PDF job, and PDF files written safely.

#include <functional>
#include <memory>
#include <string>

#include "reports/page.h"

class QGuiApplication;
class QPainter;
class QPagedPaintDevice;

namespace quorven {

class FileLayer;

// Reports are painted at this resolution on every device, so page arithmetic is
// the same for the printer, the preview and PDF files.
inline constexpr int kReportDpi = 600;

// Draws page `index` (0-based) of a job on `page`; returns false when the page
// settings did not fit the paper.
using ReportPageFn = std::function<bool(int index, CPage& page)>;

// Plays `count` pages onto the painter's paged device, one CPage each on the
// printable area, with a new sheet between them. Returns false when any page
// said that the page settings did not fit.
bool PaintReportPages(QPainter& painter, QPagedPaintDevice& device, int count, const ReportPageFn& page);

struct PdfJob {
    std::string path;            // the file to write
    std::string title;           // document title in the PDF
    bool letter = false;         // US Letter instead of A4
    FileLayer* files = nullptr;  // where the file is written; the disk when null
};

struct PdfResult {
    bool written = false;  // the file holds the pages
    bool all_fit = true;   // every page's settings fitted the paper
    std::string error;     // why nothing was written
};

// Renders the pages at 600 dpi into a PDF in memory and writes it through a
// temporary file renamed over `job.path`, so an earlier file stays whole when
// anything fails. At least one page.
PdfResult WriteReportPdf(const PdfJob& job, int count, const ReportPageFn& page);

// Qt lays out text only inside an application object. A command-line program
// makes one with this, on the offscreen platform (no display needed), and keeps
// it while it prints. Does nothing when an application object exists.
class HeadlessReportApp {
public:
    HeadlessReportApp();
    ~HeadlessReportApp();
    HeadlessReportApp(const HeadlessReportApp&) = delete;
    HeadlessReportApp& operator=(const HeadlessReportApp&) = delete;

private:
    int argc_ = 1;
    char name_[12] = "quorven-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace quorven
