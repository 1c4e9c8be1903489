#include "reports/qt/report_output.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <cstdlib>

#include "record/file_io.h"
#include "reports/qt/qt_page_renderer.h"

namespace quorven {

bool PaintReportPages(QPainter& painter, QPagedPaintDevice& device, int count, const ReportPageFn& page) {
    bool all_fit = true;
    const int dpi_x = device.logicalDpiX();
    const int dpi_y = device.logicalDpiY();
    QtPageRenderer renderer(painter, dpi_x, dpi_y);
    for (int i = 0; i < count; ++i) {
        if (i > 0) device.newPage();
        CPage p({0, 0, device.width(), device.height()}, renderer);
        if (!page(i, p)) all_fit = false;
    }
    return all_fit;
}

PdfResult WriteReportPdf(const PdfJob& job, int count, const ReportPageFn& page) {
    PdfResult result;
    if (count < 1) {
        result.error = "there is no page to print";
        return result;
    }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kReportDpi);
        writer.setPageSize(QPageSize(job.letter ? QPageSize::Letter : QPageSize::A4));
        writer.setCreator(QStringLiteral("Quorven"));
        writer.setTitle(QString::fromStdString(job.title));
        QPainter painter;
        if (!painter.begin(&writer)) {
            result.error = "the PDF could not be started";
            return result;
        }
        result.all_fit = PaintReportPages(painter, writer, count, page);
        painter.end();
    }
    if (!(job.files ? *job.files : DiskFiles())
             .Replace(job.path,
                      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        result.error = "cannot write " + job.path;
        return result;
    }
    result.written = true;
    return result;
}

namespace {

// Qt's notes about its own set-up (no runtime directory, fonts scanned) are not
// the user's business on a command line; its errors are.
void CommandLineQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

HeadlessReportApp::HeadlessReportApp() {
    if (QCoreApplication::instance()) return;
    // A command line never needs a display: text is laid out on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(CommandLineQtMessages);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

HeadlessReportApp::~HeadlessReportApp() = default;

}  // namespace quorven
