// Calculation sheets rendered by Qt into PDF files, read back with poppler: the text
// of each fixture against its golden file, each page against its reference image,
// the fonts the faces are pinned to, and where every line lands on the page.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFontInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "form/result_rows.h"
#include "record/choice_codes.h"
#include "record/file_io.h"
#include "record/text_codec.h"
#include "report_fixtures.h"
#include "reports/print_calc.h"
#include "reports/qt/qt_page_renderer.h"
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

class Rendered : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quorven-render-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The fixture's sheet as a one-page PDF; its path.
    std::string Render(const std::string& name) {
        TagRecord r;
        std::string error;
        EXPECT_TRUE(LoadFixture(name, r, error)) << error;
        return Render(name, r);
    }
    std::string Render(const std::string& name, const TagRecord& r) {
        const std::string path = (dir_ / (name + ".pdf")).string();
        const PdfResult res = WriteReportPdf({path, name, false}, 1, [&](int, CPage& page) {
            bool fits = true;
            PrintCalcSheet(page, r, ctx_, {}, &fits);
            return fits;
        });
        EXPECT_TRUE(res.written) << res.error;
        EXPECT_TRUE(res.all_fit);
        return path;
    }

    ReportContext ctx_ = MakeReportContext(FixtureSettings(), "4.4.0", {});
    fs::path dir_;
};

TEST(ReportFonts, WindowsFacesArePinnedToTheInstalledLiberationFonts) {
    struct Case {
        const char* face;
        const char* family;
    };
    constexpr Case kCases[] = {
        {"Times Roman", "Liberation Serif"},     {"Times New Roman", "Liberation Serif"},
        {"TIMES NEW ROMAN", "Liberation Serif"}, {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},      {"No Such Face 123", "Liberation Serif"},
        {"DejaVu Sans", "DejaVu Sans"},  // an installed face is drawn as itself
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.face);
        EXPECT_EQ(ReportFontFamily(c.face).toStdString(), c.family);
        // The substitution holds on this machine: the font Qt resolves is that family.
        FontSpec spec;
        spec.face = c.face;
        spec.pixel_height = 75;
        EXPECT_EQ(QFontInfo(ReportFont(spec)).family().toStdString(), c.family);
    }
}

TEST_F(Rendered, PdfEmbedsTheLiberationSerifFaces) {
    const std::string fonts = Shell("pdffonts '" + Render("gas-volume") + "'");
    EXPECT_NE(fonts.find("LiberationSerif-Bold"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("LiberationSerif "), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find("DejaVu"), std::string::npos) << fonts;
}

TEST_F(Rendered, TextOfEveryFixtureMatchesItsGoldenFile) {
    for (const char* name : kFixtures) {
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

TEST_F(Rendered, EveryFixturePageMatchesItsReferenceImage) {
    for (const char* name : kFixtures) {
        SCOPED_TRACE(name);
        const std::string pdf = Render(name);
        const std::string prefix = (dir_ / name).string();
        Shell("pdftoppm -r 100 -gray -png -singlefile '" + pdf + "' '" + prefix + "'");
        const QImage page(QString::fromStdString(prefix + ".png"));
        ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) wrote no image";
        EXPECT_EQ(page.width(), 827);  // A4 at 100 dpi
        EXPECT_EQ(page.height(), 1170);
        const std::string reference_path = FixturePath(std::string(name) + ".png");
        if (UpdateReferences())
            fs::copy_file(prefix + ".png", reference_path, fs::copy_options::overwrite_existing);
        const QImage reference(QString::fromStdString(reference_path));
        ASSERT_FALSE(reference.isNull()) << reference_path;
        // The same fonts and poppler give the same pixels; a line moved by a row or a
        // changed digit is well above this share.
        EXPECT_LT(DifferingShare(page, reference), 0.001);
    }
}

// Forwards to the Qt renderer and keeps where each text landed, measured on the page.
class WatchingRenderer final : public PageRenderer {
public:
    explicit WatchingRenderer(PageRenderer& device) : device_(device) {}
    int DotsPerInchX() const override { return device_.DotsPerInchX(); }
    int DotsPerInchY() const override { return device_.DotsPerInchY(); }
    DeviceRect MeasureText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                           unsigned flags) override {
        return device_.MeasureText(text, font, rect, flags);
    }
    void DrawText(std::string_view text, const FontSpec& font, const DeviceRect& rect, unsigned flags,
                  uint32_t color) override {
        DeviceRect ink = device_.MeasureText(text, font, rect, flags);
        if (flags & TextFlag::kCenter) {  // centred in its rectangle
            const int w = ink.right - ink.left;
            ink.left = rect.left + (rect.right - rect.left - w) / 2;
            ink.right = ink.left + w;
        }
        texts.push_back({std::string(text), ink, rect});
        device_.DrawText(text, font, rect, flags, color);
    }
    int MaxCharWidth(const FontSpec& font) override { return device_.MaxCharWidth(font); }
    void DrawLine(int x1, int y1, int x2, int y2, int w, PenDash d) override {
        lines.push_back({x1, y1, x2, y2});
        device_.DrawLine(x1, y1, x2, y2, w, d);
    }
    void DrawBox(const DeviceRect& r, int w, PenDash d, Brush b) override {
        boxes.push_back(r);
        device_.DrawBox(r, w, d, b);
    }
    bool ImageSize(const std::string& p, int& w, int& h) override { return device_.ImageSize(p, w, h); }
    bool DrawImage(const std::string& p, const DeviceRect& t) override { return device_.DrawImage(p, t); }

    struct Text {
        std::string text;
        DeviceRect ink;   // where the glyphs are
        DeviceRect rect;  // the rectangle the page gave
    };
    std::vector<Text> texts;
    std::vector<DeviceRect> lines;
    std::vector<DeviceRect> boxes;

private:
    PageRenderer& device_;
};

TEST_F(Rendered, NoLineRunsOffThePageOverlapsAnotherOrReachesTheFooter) {
    // A long sheet too: a wedge with every factor and several warnings.
    std::vector<TagRecord> records;
    for (const char* name : kFixtures) {
        TagRecord r;
        std::string error;
        ASSERT_TRUE(LoadFixture(name, r, error)) << error;
        records.push_back(r);
    }
    TagRecord busy = records[6];
    busy.Factor_Manometer = busy.Factor_Drain = busy.Factor_H2OvapIncl = busy.Factor_SatLiq = 1;
    busy.Fdh = 1.05;
    busy.Pipe_IDia = 1.0;
    SetText(busy.Memo, "Every factor on, and the warnings of a small line.");
    SetText(busy.Service, "A service description that uses every one of its fifty");
    records.push_back(busy);

    // The default font, and larger and wider ones the printer font dialog allows:
    // the sheet makes its font smaller until the labels keep clear of their values.
    struct Font {
        const char* face;
        int points;
    };
    for (const Font font : {Font{"Times Roman", 9}, Font{"Times Roman", 14}, Font{"Arial", 12}}) {
        for (const TagRecord& r : records) {
            SCOPED_TRACE(GetText(r.Tag_No));
            SCOPED_TRACE(std::string(font.face) + " " + std::to_string(font.points));
            ProjectSettings s = FixtureSettings();
            SetText(s.Printer_FaceName, font.face);
            s.Printer_FontSize = font.points;
            ctx_ = MakeReportContext(s, "4.4.0", {});
            std::vector<WatchingRenderer::Text> texts;
            DeviceRect frame;
            DeviceRect footer_rule;
            const PdfResult res =
                WriteReportPdf({(dir_ / "page.pdf").string(), "", false}, 1, [&](int, CPage& page) {
                    WatchingRenderer watch(page.Device());
                    CPage watched({0, 0, page.State().page_width, page.State().page_height}, watch);
                    bool fits = true;
                    PrintCalcSheet(watched, r, ctx_, {}, &fits);
                    texts = watch.texts;
                    frame = watch.boxes.back();
                    footer_rule = watch.lines.at(watch.lines.size() - 1);
                    return fits;
                });
            ASSERT_TRUE(res.written);
            ASSERT_FALSE(texts.empty());
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const auto& t = texts[i];
                SCOPED_TRACE(Cp1252ToUtf8(t.text));
                EXPECT_GE(t.ink.left, frame.left);
                EXPECT_LE(std::min(t.ink.right, t.rect.right), frame.right);  // clipped at its rectangle
                EXPECT_GE(t.ink.top, frame.top);
                EXPECT_LE(t.ink.bottom, frame.bottom);
                const bool footer = t.ink.top > footer_rule.top;
                if (!footer) {
                    EXPECT_LE(t.ink.bottom, footer_rule.top);
                }
                for (std::size_t j = i + 1; j < texts.size(); ++j) {
                    const auto& u = texts[j];
                    const int right_i = std::min(t.ink.right, t.rect.right);
                    const int right_j = std::min(u.ink.right, u.rect.right);
                    const bool apart = right_i <= u.ink.left || right_j <= t.ink.left ||
                                       t.ink.bottom <= u.ink.top || u.ink.bottom <= t.ink.top;
                    EXPECT_TRUE(apart) << "overlaps " << Cp1252ToUtf8(u.text);
                }
            }
        }
    }
}

TEST_F(Rendered, SheetShowsTheResultsAsTheFormShowsThem) {
    // Rows the form formats as the sheet does; the others (Beta Calc, API 2530 K,
    // K0, Ef, the segment height, the choked pressure ratio and the two-phase
    // factor at two places) are not on the sheet in the same form. A restriction's
    // sheet has no meter differential and no loss row (its dP is the loss), and a
    // segmental orifice's sheet names the segment, not a bore.
    const std::vector<std::string> kOther = {
        "Beta Calc @", "K =", "K0 =", "Ef =", "Hs =", "Choked Press Ratio, Ftp =", "Fx =", "Fsat ="};
    for (const char* name : kFixtures) {
        SCOPED_TRACE(name);
        TagRecord r;
        std::string error;
        ASSERT_TRUE(LoadFixture(name, r, error)) << error;
        const std::string text = Shell("pdftotext -layout '" + Render(name) + "' -");
        TagRecord shown = r;
        const ResultView view = BuildResultView(shown, ctx_.units);
        for (const ResultLine& line : view.lines) {
            if (std::find(kOther.begin(), kOther.end(), line.label) != kOther.end()) continue;
            if (r.Meter_Type == Code(MeterType::WedgeIso5167_6) && line.label.starts_with("Beta"))
                continue;  // "%.4f" on the sheet
            if (r.Calc_Mode == Code(CalcMode::Restriction) &&
                (line.label == "dPn =" || line.label == "Permanent dP Loss ="))
                continue;
            if (r.Meter_Type == Code(MeterType::SegmentalOrifice) && line.label == "Bore =") continue;
            SCOPED_TRACE(line.label);
            EXPECT_NE(text.find(" " + line.value), std::string::npos) << line.value;
        }
    }
}

// Texts at their longest, in capitals (the widest glyphs): each wraps in its own
// column and is printed whole, never cut at the middle of the sheet or its frame.
TEST_F(Rendered, LongTextsWrapInTheirColumnsAndArePrintedWhole) {
    TagRecord r;
    std::string error;
    ASSERT_TRUE(LoadFixture("gas-volume", r, error)) << error;
    const std::string service = "FUEL GAS SUPPLY TO HEATER H-101 FROM KNOCKOUT DRUM";  // 50, the most
    const std::string memo =
        "SIZED FOR THE WINTER MAXIMUM OF PHASE TWO; NORMAL FLOW IS THE DESIGN CASE. CHECK WITH VENDOR "
        "MEMO EN";                                                   // 100, the most
    const std::string fluid = "NATURAL GAS WITH HYDROGEN SULPHIDE";  // 34, the most
    const std::string client = "CALEDONIA ENERGY UPSTREAM WEST";     // 30, the most
    ASSERT_EQ(service.size(), sizeof r.Service - 1);
    ASSERT_EQ(memo.size(), sizeof r.Memo - 1);
    ASSERT_EQ(fluid.size(), sizeof r.Fluid - 1);
    SetText(r.Service, service);
    SetText(r.Memo, memo);
    SetText(r.Fluid, fluid);
    ProjectSettings s = FixtureSettings();
    ASSERT_EQ(client.size(), sizeof s.Client - 1);
    SetText(s.Client, client);
    ctx_ = MakeReportContext(s, "4.4.0", {});
    const std::string text = Shell("pdftotext -layout '" + Render("gas-volume-long", r) + "' -");
    for (const std::string& whole : {service, memo, fluid, client}) {
        std::size_t from = 0;
        while (from < whole.size()) {
            const std::size_t end = std::min(whole.find(' ', from), whole.size());
            const std::string word = whole.substr(from, end - from);
            EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
            from = end + 1;
        }
    }
    // The service wraps below its first row, and "Line No." follows below it.
    EXPECT_NE(text.find("Serv:            FUEL GAS SUPPLY TO HEATER H-101"), std::string::npos) << text;
    EXPECT_LT(text.find("KNOCKOUT DRUM"), text.find("Line No.:"));
}

// The longest warning on a sheet whose printer font is 12 pt: printed whole, to its
// last word, numbered before the next. A gas at 20 psia with 400 inH2O normal
// differential leaves 20 - 400/27.73 = 5.6 psia downstream, below the critical
// pressure of about half of 20 psia (hand calculation), so the sonic note is
// printed, and 500/20 > 1 gives the ratio note.
TEST_F(Rendered, LongWarningsAreReadToTheirLastWord) {
    TagRecord r;
    std::string error;
    ASSERT_TRUE(LoadFixture("gas-volume", r, error)) << error;
    r.Flow_Press = 20.0;
    r.Dp_Max = 500.0;
    r.Dp_Norm = 400.0;
    ProjectSettings s = FixtureSettings();
    s.Printer_FontSize = 12;
    ctx_ = MakeReportContext(s, "4.4.0", {});
    const std::string text = Shell("pdftotext '" + Render("gas-volume-sonic", r) + "' -");
    EXPECT_NE(text.find("1. Calculation indeterminate due to sonic conditions"), std::string::npos) << text;
    EXPECT_NE(text.find("Calculation not valid."), std::string::npos) << text;
    EXPECT_NE(text.find("2. Exceeded standard ratio limit of dP (in. wc)/P1 (psia) <= 1.0."),
              std::string::npos)
        << text;
}

TEST_F(Rendered, PdfReplacesAnEarlierFileWholeOrLeavesIt) {
    const std::string path = (dir_ / "sheet.pdf").string();
    ASSERT_TRUE(DiskFiles().Replace(path, "earlier"));
    TagRecord r;
    std::string error;
    ASSERT_TRUE(LoadFixture("gas-volume", r, error)) << error;
    auto sheet = [&](int, CPage& page) {
        PrintCalcSheet(page, r, ctx_);
        return true;
    };
    // A folder that does not exist: nothing is written.
    const PdfResult missing = WriteReportPdf({(dir_ / "no" / "such.pdf").string(), "", false}, 1, sheet);
    EXPECT_FALSE(missing.written);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_EQ(ReadFileBytes(path, 100).value_or(""), "earlier");
    // Over the earlier file: a whole PDF, no temporary file left beside it.
    const PdfResult res = WriteReportPdf({path, "FE-101", false}, 1, sheet);
    ASSERT_TRUE(res.written);
    EXPECT_TRUE(ReadFileBytes(path, 1 << 22).value_or("").starts_with("%PDF-"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    // No pages: nothing to write.
    EXPECT_FALSE(WriteReportPdf({path, "", false}, 0, sheet).written);
}

// The logo on real Qt devices: a white 400 x 100 pixel image with a black 100 x 50
// block in its middle. At 600 dpi the logo is 250 dots (5/12 in) high, so the block
// is 125 dots high and 250 wide, centred 2525 dots (4.208 in) from the left of the
// printable area, its top 40 + 62.5 dots down (hand calculation from the placement
// rule). A device of 300 dpi must give the same inches. Only the block may be dark
// above the report frame: no outline around the logo.
TEST_F(Rendered, LogoKeepsItsInchesOnEveryDeviceAndHasNoFrame) {
    QImage logo(400, 100, QImage::Format_RGB32);
    logo.fill(Qt::white);
    for (int y = 25; y < 75; ++y)
        for (int x = 150; x < 250; ++x) logo.setPixel(x, y, qRgb(0, 0, 0));
    ASSERT_TRUE(logo.save(QString::fromStdString((dir_ / "logo.bmp").string()), "BMP"));
    ctx_.program_dir = dir_;
    TagRecord r;
    std::string error;
    ASSERT_TRUE(LoadFixture("gas-volume", r, error)) << error;
    for (int dpi : {600, 300}) {
        SCOPED_TRACE(dpi);
        const std::string pdf = (dir_ / ("logo-" + std::to_string(dpi) + ".pdf")).string();
        {
            QPdfWriter writer(QString::fromStdString(pdf));
            writer.setResolution(dpi);
            writer.setPageSize(QPageSize(QPageSize::A4));
            QPainter painter(&writer);
            PaintReportPages(painter, writer, 1, [&](int, CPage& page) {
                PrintCalcSheet(page, r, ctx_);
                return true;
            });
        }
        const std::string prefix = (dir_ / ("logo-" + std::to_string(dpi))).string();
        Shell("pdftoppm -r 100 -gray -png -singlefile '" + pdf + "' '" + prefix + "'");
        const QImage page =
            QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_Grayscale8);
        ASSERT_FALSE(page.isNull());
        // The printable area starts 0.14 in into the A4 sheet (Qt's default PDF
        // margins) and the report frame at the 0.75 in top margin below it: look above.
        const int frame_top = static_cast<int>((0.14 + 0.75) * 100) - 3;
        int left = page.width(), right = -1, top = frame_top, bottom = -1;
        for (int y = 0; y < frame_top; ++y) {
            const uchar* line = page.constScanLine(y);
            for (int x = 0; x < page.width(); ++x) {
                if (line[x] >= 128) continue;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
        ASSERT_GE(right, 0) << "no logo drawn";
        // Block at 100 dpi: 41.7 px wide, 20.8 px high, centred at 0.14 + 4.208 in,
        // its top at 0.14 in + (40 + 62.5) / 600 in; a pixel either way for poppler.
        EXPECT_NEAR(right - left + 1, 41.7, 2.0);
        EXPECT_NEAR(bottom - top + 1, 20.8, 2.0);
        EXPECT_NEAR((left + right + 1) / 2.0, 14.0 + 420.8, 2.0);
        EXPECT_NEAR(top, 14.0 + 17.1, 2.0);
    }
}

TEST_F(Rendered, PageSettingsWiderThanThePaperAreCutAndSaidOnce) {
    ProjectSettings s = FixtureSettings();
    s.Margin_Right = 8.0;
    ctx_ = MakeReportContext(s, "4.4.0", {});
    TagRecord r;
    std::string error;
    ASSERT_TRUE(LoadFixture("gas-volume", r, error)) << error;
    const PdfResult res = WriteReportPdf({(dir_ / "wide.pdf").string(), "", false}, 3, [&](int, CPage& page) {
        bool fits = true;
        PrintCalcSheet(page, r, ctx_, {}, &fits);
        return fits;
    });
    EXPECT_TRUE(res.written);
    EXPECT_FALSE(res.all_fit);
    const std::string info = Shell("pdfinfo '" + (dir_ / "wide.pdf").string() + "'");
    const std::size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::stoi(info.substr(pages + 6)), 3);
}

}  // namespace
}  // namespace quorven
