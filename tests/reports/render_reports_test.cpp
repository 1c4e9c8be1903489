// Calibration charts, uncertainty reports and the tag index rendered by Qt into
// PDF files, read back with poppler: the text of fixture tags against golden
// files, one page of each report against its reference image, and no "inf" or
// "nan" on any page.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "record/file_io.h"
#include "report_fixtures.h"
#include "reports/batch_print.h"
#include "reports/print_calib.h"
#include "reports/print_job.h"
#include "reports/print_uncert.h"
#include "reports/qt/report_output.h"
#include "reports/report_page.h"

namespace quorven {
namespace {

namespace fs = std::filesystem;
using namespace testing_reports;

// Set QUORVEN_UPDATE_REFERENCES=1 to write the golden texts and reference images
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

// The fixtures of each report. The chart: a meter, a restriction orifice (its
// permanent loss) and a critical-drop device (no chart); the uncertainty report: a
// gas with every input and a liquid at base temperature in percent mode.
constexpr const char* kChartFixtures[] = {"gas-volume", "restriction", "critical-drop"};
constexpr const char* kUncertFixtures[] = {"gas-uncertainty", "liquid-uncertainty"};
// The fixture project of the tag index.
constexpr const char* kProjectFixtures[] = {
    "gas-volume", "gas-mass",  "liquid-mass",  "steam",           "critical-drop",     "restriction",
    "wedge",      "segmental", "uncalculated", "gas-uncertainty", "liquid-uncertainty"};

class RenderedReports : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorven-render-reports-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        SetText(settings_.CalcSO_No, "CALC-0042");
        SetText(settings_.Location, "Aberdeen");
        ctx_ = MakeReportContext(settings_, "4.4.0", {});
    }
    void TearDown() override { fs::remove_all(dir_); }

    TagRecord Fixture(const std::string& name) {
        TagRecord r;
        std::string error;
        EXPECT_TRUE(LoadFixture(name, r, error)) << error;
        return r;
    }
    // Pages drawn by `page` into a PDF; its path.
    std::string Render(const std::string& name, int count, const ReportPageFn& page) {
        const std::string path = (dir_ / (name + ".pdf")).string();
        const PdfResult res = WriteReportPdf({path, name, false}, count, page);
        EXPECT_TRUE(res.written) << res.error;
        EXPECT_TRUE(res.all_fit);
        return path;
    }
    // The PDF's text against the golden file NAME.golden.txt, with no inf or nan.
    void ExpectGoldenText(const std::string& name, const std::string& pdf) {
        const std::string text = Shell("pdftotext -layout '" + pdf + "' -");
        ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) printed nothing";
        for (const char* bad : {"inf", "nan", "INF", "NAN"})
            EXPECT_EQ(text.find(bad), std::string::npos) << bad;
        const std::string golden_path = FixturePath(name + ".golden.txt");
        if (UpdateReferences()) {
            ASSERT_TRUE(DiskFiles().Replace(golden_path, text));
        }
        const std::string golden = ReadFileBytes(golden_path, 1 << 20).value_or("");
        if (text != golden) {
            const std::string actual = (fs::temp_directory_path() / (name + ".actual.txt")).string();
            DiskFiles().Replace(actual, text);
            ADD_FAILURE() << "differs from " << golden_path << " (actual kept in " << actual << "):\n"
                          << Shell("diff '" + golden_path + "' '" + actual + "'");
        }
    }
    // The first page at 100 dpi against the reference image NAME.png.
    void ExpectReferenceImage(const std::string& name, const std::string& pdf) {
        const std::string prefix = (dir_ / name).string();
        Shell("pdftoppm -r 100 -gray -png -singlefile '" + pdf + "' '" + prefix + "'");
        const QImage page(QString::fromStdString(prefix + ".png"));
        ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) wrote no image";
        const std::string reference_path = FixturePath(name + ".png");
        if (UpdateReferences())
            fs::copy_file(prefix + ".png", reference_path, fs::copy_options::overwrite_existing);
        const QImage reference(QString::fromStdString(reference_path));
        ASSERT_FALSE(reference.isNull()) << reference_path;
        EXPECT_LT(DifferingShare(page, reference), 0.001);
    }

    ProjectSettings settings_ = FixtureSettings();
    ReportContext ctx_;
    fs::path dir_;
};

TEST_F(RenderedReports, CalibrationChartsMatchTheirGoldenTextsAndTheMeterItsImage) {
    for (const char* fixture : kChartFixtures) {
        SCOPED_TRACE(fixture);
        const TagRecord r = Fixture(fixture);
        const std::string name = std::string("chart-") + fixture;
        const std::string pdf = Render(name, 1, [&](int, CPage& page) {
            bool fits = true;
            PrintCalibChart(page, r, ctx_, {}, &fits);
            return fits;
        });
        ExpectGoldenText(name, pdf);
        if (std::string(fixture) == "gas-volume") ExpectReferenceImage(name, pdf);
    }
}

TEST_F(RenderedReports, UncertaintyReportsMatchTheirGoldenTextsAndTheGasItsImage) {
    for (const char* fixture : kUncertFixtures) {
        SCOPED_TRACE(fixture);
        const TagRecord r = Fixture(fixture);
        const std::string name = std::string("uncertainty-") + fixture;
        const std::string pdf = Render(name, 1, [&](int, CPage& page) {
            bool fits = true;
            PrintUncertReport(page, r, ctx_, {}, &fits);
            return fits;
        });
        ExpectGoldenText(name, pdf);
        if (std::string(fixture) == "gas-uncertainty") ExpectReferenceImage(name, pdf);
    }
}

TEST_F(RenderedReports, TagIndexOfTheFixtureProjectMatchesItsGoldenTextAndImage) {
    std::map<std::string, TagRecord> project;
    std::vector<std::string> index_order;
    for (const char* fixture : kProjectFixtures) {
        const TagRecord r = Fixture(fixture);
        const std::string tag(GetText(r.Tag_No));
        if (project.emplace(tag, r).second) index_order.push_back(tag);
    }
    const TagReader read = [&](const std::string& tag, TagRecord& out) {
        const auto it = project.find(tag);
        if (it == project.end()) return false;
        out = it->second;
        return true;
    };
    const BatchSelection sel(index_order, true);
    const PrintJob job =
        BatchReportJob(ReportType::TagIndex, sel.Entries(), sel.Total(), true, "10 Dec 2026");
    ASSERT_EQ(JobPageCount(job), 1);
    const TagRecord current = NewTagRecord();
    const std::string pdf = Render(
        "tag-index", 1, [&](int i, CPage& page) { return PrintJobPage(page, job, i, current, read, ctx_); });
    ExpectGoldenText("tag-index", pdf);
    ExpectReferenceImage("tag-index", pdf);
}

}  // namespace
}  // namespace quorven
