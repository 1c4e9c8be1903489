// Datasheets rendered by Qt into PDF and read back with poppler: the text of each
// datasheet fixture against its golden file, one page against its reference image,
// and every text of every fixture inside the report region.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "record/file_io.h"
#include "report_fixtures.h"
#include "reports/print_spec.h"
#include "reports/qt/qt_page_renderer.h"
#include "reports/qt/report_output.h"
#include "reports/report_page.h"

namespace quorven {
namespace {

namespace fs = std::filesystem;
using namespace testing_reports;

// The datasheet fixtures: an orifice with every datasheet text, a nozzle in metric
// units, a venturi with the 7 degree cone, the Miller wedge and a critical-flow
// nozzle.
constexpr const char* kDatasheetFixtures[] = {"ds-orifice", "ds-nozzle", "ds-venturi", "ds-wedge",
                                              "ds-critical"};
// The one kept as a reference image.
constexpr const char* kReferencePage = "ds-orifice";

// Set QUORVEN_UPDATE_REFERENCES=1 to write the golden texts and the reference image
// anew from what the program renders (then look at every page before committing).
bool UpdateReferences() {
    const char* v = std::getenv("QUORVEN_UPDATE_REFERENCES");
    return v && std::string(v) == "1";
}

std::string Shell(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
    pclose(p);
    return out;
}

class RenderedDatasheet : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorven-ds-render-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Render(const std::string& name) {
        TagRecord r;
        std::string error;
        EXPECT_TRUE(LoadFixture(name, r, error)) << error;
        const std::string path = (dir_ / (name + ".pdf")).string();
        const PdfResult res = WriteReportPdf({path, name, false}, 1, [&](int, CPage& page) {
            bool fits = true;
            PrintDatasheet(page, r, ctx_, {}, &fits);
            return fits;
        });
        EXPECT_TRUE(res.written) << res.error;
        EXPECT_TRUE(res.all_fit);
        return path;
    }

    ReportContext ctx_ = MakeReportContext(FixtureSettings(), "4.4.0", {});
    fs::path dir_;
};

TEST_F(RenderedDatasheet, TextOfEveryFixtureMatchesItsGoldenFile) {
    for (const char* name : kDatasheetFixtures) {
        SCOPED_TRACE(name);
        const std::string text = Shell("pdftotext -layout '" + Render(name) + "' -");
        ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) printed nothing";
        const std::string golden_path = FixturePath(std::string(name) + ".golden.txt");
        if (UpdateReferences()) {
            ASSERT_TRUE(DiskFiles().Replace(golden_path, text));
        }
        const std::string golden = ReadFileBytes(golden_path, 1 << 20).value_or("");
        if (text != golden) {
            const std::string actual =
                (fs::temp_directory_path() / (std::string(name) + ".actual.txt")).string();
            DiskFiles().Replace(actual, text);
            ADD_FAILURE() << "differs from " << golden_path << " (actual kept in " << actual << "):\n"
                          << Shell("diff '" + golden_path + "' '" + actual + "'");
        }
    }
}

// Share of pixels whose grey level differs by more than a quarter of the scale.
double DifferingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    const QImage ga = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage gb = b.convertToFormat(QImage::Format_Grayscale8);
    long long differing = 0;
    for (int y = 0; y < ga.height(); ++y) {
        const uchar* pa = ga.constScanLine(y);
        const uchar* pb = gb.constScanLine(y);
        for (int x = 0; x < ga.width(); ++x)
            if (std::abs(pa[x] - pb[x]) > 64) ++differing;
    }
    return static_cast<double>(differing) / (static_cast<double>(ga.width()) * ga.height());
}

TEST_F(RenderedDatasheet, PageMatchesItsReferenceImage) {
    const std::string pdf = Render(kReferencePage);
    const std::string prefix = (dir_ / kReferencePage).string();
    Shell("pdftoppm -r 100 -gray -png -singlefile '" + pdf + "' '" + prefix + "'");
    const QImage page(QString::fromStdString(prefix + ".png"));
    ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) wrote no image";
    const std::string reference_path = FixturePath(std::string(kReferencePage) + ".png");
    if (UpdateReferences())
        fs::copy_file(prefix + ".png", reference_path, fs::copy_options::overwrite_existing);
    const QImage reference(QString::fromStdString(reference_path));
    ASSERT_FALSE(reference.isNull()) << reference_path;
    EXPECT_LT(DifferingShare(page, reference), 0.001);
}

// Keeps the bottom of every text drawn.
class LowestText final : public PageRenderer {
public:
    explicit LowestText(PageRenderer& device) : device_(device) {}
    int DotsPerInchX() const override { return device_.DotsPerInchX(); }
    int DotsPerInchY() const override { return device_.DotsPerInchY(); }
    DeviceRect MeasureText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                           unsigned flags) override {
        return device_.MeasureText(text, font, rect, flags);
    }
    void DrawText(std::string_view text, const FontSpec& font, const DeviceRect& rect, unsigned flags,
                  uint32_t color) override {
        lowest = std::max(lowest, device_.MeasureText(text, font, rect, flags).bottom);
        ++texts;
        device_.DrawText(text, font, rect, flags, color);
    }
    int MaxCharWidth(const FontSpec& font) override { return device_.MaxCharWidth(font); }
    void DrawLine(int x1, int y1, int x2, int y2, int w, PenDash d) override {
        device_.DrawLine(x1, y1, x2, y2, w, d);
    }
    void DrawBox(const DeviceRect& r, int w, PenDash d, Brush b) override { device_.DrawBox(r, w, d, b); }
    bool ImageSize(const std::string& p, int& w, int& h) override { return device_.ImageSize(p, w, h); }
    bool DrawImage(const std::string& p, const DeviceRect& t) override { return device_.DrawImage(p, t); }
    int lowest = 0;
    int texts = 0;

private:
    PageRenderer& device_;
};

TEST_F(RenderedDatasheet, EveryFormEndsInsideTheReportRegion) {
    for (const char* name : kDatasheetFixtures) {
        SCOPED_TRACE(name);
        TagRecord r;
        std::string error;
        ASSERT_TRUE(LoadFixture(name, r, error)) << error;
        int lowest = 0;
        const PdfResult res =
            WriteReportPdf({(dir_ / "lowest.pdf").string(), name, false}, 1, [&](int, CPage& page) {
                LowestText watch(page.Device());
                CPage watched({0, 0, page.State().page_width, page.State().page_height}, watch);
                PrintDatasheet(watched, r, ctx_);
                lowest = watch.lowest;
                return true;
            });
        ASSERT_TRUE(res.written) << res.error;
        EXPECT_GT(lowest, 0);
        EXPECT_LE(lowest, static_cast<int>(ctx_.page.bottom * kReportDpi));
    }
}

}  // namespace
}  // namespace quorven
