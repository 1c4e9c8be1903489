#include "reports/page.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "project/project_settings.h"
#include "reports/recording_renderer.h"
#include "reports/report_page.h"

namespace quorven {
namespace {

// An A4 printable area at 600 dots per inch, as the PDF device gives it.
constexpr DeviceRect kA4{0, 0, 4792, 6851};

// The recording renderer's line of a 9 pt font at 600 dpi: 9 x 600 / 72 = 75 dots
// em, 1.2 em per line.
constexpr int k9ptEm = 75;
constexpr int k9ptLine = 90;

TEST(PageUnits, InchesToUnitsTruncateAndClampAtZero) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    EXPECT_EQ(page.RowsOf(0.15), 90);  // 0.15 is stored a hair below 0.15
    EXPECT_EQ(page.ColumnsOf(1.0 / 3.0), 200);
    EXPECT_EQ(page.RowsOf(-0.5), 0);
    EXPECT_EQ(page.RowsOf(0.0), 0);
    EXPECT_DOUBLE_EQ(page.InchesOfRows(300), 0.5);
    EXPECT_DOUBLE_EQ(page.InchesOfColumns(-3), 0.0);
    EXPECT_NEAR(page.PageWidthInches(), 7.9867, 1e-4);
    EXPECT_NEAR(page.PageHeightInches(), 11.4183, 1e-4);
}

class RegionPrint : public ::testing::Test {
protected:
    RecordingRenderer dev;
    CPage page{kA4, dev};
    CPrintRegion* region = page.CreateRegion(0.75, 0.75, 9.75, 7.75);
};

TEST_F(RegionPrint, RegionSitsInsideTheMarginsWithItsInnerCorner) {
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->top, 450);
    EXPECT_EQ(region->left, 450);
    EXPECT_EQ(region->bottom, 5850);
    EXPECT_EQ(region->right, 4650);
    EXPECT_EQ(region->inner_top, 451);
    EXPECT_EQ(region->inner_left, 451);
}

TEST_F(RegionPrint, EachLineAdvancesByItsMeasuredHeightPlusTheLineSpacing) {
    // Line spacing 1.1 with 9 pt: the measured line plus truncate(0.1 x 75).
    page.SetLineSpacing(1.1);
    double row = page.Print(*region, 0.0, 0.15, TextStyle::SingleLine, 9, "%s", {"first"});
    EXPECT_DOUBLE_EQ(row, (k9ptLine + 7) / 600.0);
    const double second = page.Print(*region, row, 0.15, TextStyle::SingleLine, 9, "second");
    EXPECT_DOUBLE_EQ(second, 2 * (k9ptLine + 7) / 600.0);
    const RecordedOp op = *dev.FindText("second");
    EXPECT_EQ(op.rect.top, region->inner_top + k9ptLine + 7);
    EXPECT_EQ(op.rect.left, region->inner_left + 90);
    EXPECT_EQ(op.font.pixel_height, k9ptEm);

    // Line spacing at or below 1 adds nothing.
    page.SetLineSpacing(0.8);
    EXPECT_DOUBLE_EQ(page.Print(*region, 0.0, 0.15, TextStyle::SingleLine, 9, "x"), k9ptLine / 600.0);
    // Factors not above 0 are ignored.
    EXPECT_DOUBLE_EQ(page.SetLineSpacing(0.0), 0.8);
    EXPECT_DOUBLE_EQ(page.SetLineSpacing(-1.0), 0.8);
}

TEST_F(RegionPrint, EmptyTextIsOneSpaceAndNegativeRowIsTheFirstRow) {
    const double row = page.Print(*region, -2.0, 0.0, TextStyle::SingleLine, 9, "");
    EXPECT_DOUBLE_EQ(row, k9ptLine / 600.0);
    ASSERT_EQ(dev.Texts().size(), 1u);
    EXPECT_EQ(dev.Texts()[0].text, " ");
    EXPECT_EQ(dev.Texts()[0].rect.top, region->inner_top);
}

TEST_F(RegionPrint, IsolatedPrintLeavesTheStateAsItWas) {
    page.SetFontSize(12);
    const PrintState before = page.State();
    page.Print(*region, 1.0, 1.0, TextStyle::Bold | TextStyle::AlignCenter, 20, "big");
    const PrintState& after = page.State();
    EXPECT_EQ(after.font_size, before.font_size);
    EXPECT_EQ(after.text_style, before.text_style);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.text, before.text);
    EXPECT_EQ(page.SavedStates(), 0);

    // Size 0 and style 0xFFFF take the page's current size and style.
    page.Print(*region, 2.0, 1.0, kKeepStyle, 0, "kept");
    const RecordedOp op = *dev.FindText("kept");
    EXPECT_EQ(op.font.pixel_height, 100);  // 12 pt at 600 dpi
    EXPECT_EQ(op.flags, TextFlag::kNoClip | TextFlag::kLeft);
}

TEST_F(RegionPrint, TextRightOfTheRegionOrBelowItIsDroppedAndTheRowStays) {
    page.SetLineSpacing(1.0);
    EXPECT_DOUBLE_EQ(page.Print(*region, 1.0, 7.5, TextStyle::SingleLine, 9, "right"), 1.0);
    EXPECT_DOUBLE_EQ(page.Print(*region, 9.5, 0.0, TextStyle::SingleLine, 9, "below"), 9.5);
    EXPECT_TRUE(dev.Texts().empty());
}

TEST_F(RegionPrint, UserTextIsNeverAFormat) {
    page.Print(*region, 0.0, 0.0, TextStyle::SingleLine, 9, "%s", {"100% %s %n %d"});
    EXPECT_TRUE(dev.FindText("100% %s %n %d"));
    // One call prints at most 5119 characters.
    page.Print(*region, 1.0, 0.0, TextStyle::SingleLine, 9, "%s", {std::string(6000, 'a')});
    EXPECT_EQ(dev.Texts().back().text.size(), kPrintBufferChars);
}

TEST(PageLimits, BottomLimitResetKeepsTheRightLimit) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    EXPECT_DOUBLE_EQ(page.SetRightLimit(7.0), 4792 / 600.0);
    EXPECT_DOUBLE_EQ(page.SetBottomLimit(9.0), 6851 / 600.0);
    EXPECT_DOUBLE_EQ(page.SetBottomLimit(-1.0), 9.0);
    EXPECT_EQ(page.State().bottom, 6851);
    EXPECT_EQ(page.State().right, 4200);
    EXPECT_DOUBLE_EQ(page.SetRightLimit(0.0), 7.0);  // 0 only reads
    EXPECT_EQ(page.SetRightLimit(Dots{-1}), 4200);
    EXPECT_EQ(page.State().right, 4792);
    // A region is limited to the limits in force when it is made.
    page.SetBottomLimit(Dots{3000});
    CPrintRegion* r = page.CreateRegion(1.0, 1.0, 9.0, 7.0);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->bottom, 3000);
}

TEST(PageRegions, ARegionOffThePrintableAreaIsRefused) {
    RecordingRenderer dev;
    CPage page({0, 0, 4792, 5700}, dev);  // printable height 9.5 in
    EXPECT_EQ(page.CreateRegion(0.75, 0.75, 9.75, 7.75), nullptr);
    EXPECT_EQ(page.CreateRegion(0.75, 0.75, 9.0, 8.0), nullptr);  // right edge of 8 in on A4
    EXPECT_EQ(page.CreateRegion(Dots{-1}, Dots{0}, Dots{100}, Dots{100}), nullptr);
    EXPECT_NE(page.CreateRegion(0.75, 0.75, 9.0, 7.75), nullptr);
}

TEST(PageRegions, ReportPageThatDoesNotFitIsCutToThePaperAndSaysSo) {
    ProjectSettings s = DefaultProjectSettings();
    s.Margin_Right = 8.0;  // allowed by Page Setup, wider than A4's printable 7.99 in
    const ReportContext ctx = MakeReportContext(s, "4.4.0", {});
    RecordingRenderer dev;
    CPage page(kA4, dev);
    bool fits = true;
    CPrintRegion& region = BeginReportPage(page, ctx, &fits);
    EXPECT_FALSE(fits);
    EXPECT_EQ(region.right, 4792);
    EXPECT_EQ(region.bottom, 5850);
    // Landscape paper: the 9.75 in bottom edge is cut too.
    RecordingRenderer wide;
    CPage landscape({0, 0, 6851, 4792}, wide);
    CPrintRegion& cut =
        BeginReportPage(landscape, MakeReportContext(DefaultProjectSettings(), "", {}), &fits);
    EXPECT_FALSE(fits);
    EXPECT_EQ(cut.bottom, 4792);
    // Dropped below the paper; the row advances by the line spacing only, reckoned on
    // the page's 10 pt since nothing was printed: 0.1 x 83 dots.
    EXPECT_DOUBLE_EQ(landscape.Print(cut, 8.5, 0.0, TextStyle::SingleLine, 9, "off the paper"),
                     (5100 + 8) / 600.0);
    EXPECT_TRUE(wide.Texts().empty());
}

TEST(PageOutput, BoxedTextOnADarkFillIsWhiteOverItsBox) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    CPrintRegion* region = page.CreateRegion(1.0, 1.0, 9.0, 7.0);
    ASSERT_NE(region, nullptr);
    region->DrawTitle("Title", 10, TextStyle::Boxed | TextStyle::AlignCenter, FillStyle::DarkGray);
    ASSERT_EQ(dev.ops.size(), 2u);
    EXPECT_EQ(dev.ops[0].kind, RecordedOp::Kind::Box);
    EXPECT_EQ(dev.ops[0].fill, Brush::DarkGray);
    EXPECT_EQ(dev.ops[1].kind, RecordedOp::Kind::Text);
    EXPECT_EQ(dev.ops[1].color, kWhite);
    // The inner top moves below the measured band: one 10 pt line (83 em, 99 high).
    EXPECT_EQ(region->inner_top, 600 + 99 + 1);
    EXPECT_EQ(page.SavedStates(), 0);
}

TEST(PageOutput, PenStylesOfLinesAndBoxes) {
    struct Case {
        int pen;
        PenDash line;
        PenDash box;
    };
    constexpr Case kCases[] = {
        {PenStyle::Solid, PenDash::Solid, PenDash::Solid},
        {PenStyle::Dash, PenDash::Dash, PenDash::Dash},
        {PenStyle::Dot, PenDash::Dot, PenDash::Dot},
        {PenStyle::Dash | PenStyle::Dot, PenDash::Dash, PenDash::Dash},  // Dash is tested first
        {PenStyle::DashDot, PenDash::DashDot, PenDash::Solid},           // boxes know Dash and Dot only
        {PenStyle::DashDotDot, PenDash::DashDotDot, PenDash::Solid},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pen);
        RecordingRenderer dev;
        CPage page(kA4, dev);
        page.DrawLine(1.0, 0.75, 1.0, 7.75, 2, c.pen);
        page.DrawBox(0.75, 0.75, 9.75, 7.75, 2, FillStyle::Hollow, c.pen);
        ASSERT_EQ(dev.ops.size(), 2u);
        EXPECT_EQ(dev.ops[0].rect, (DeviceRect{450, 600, 4650, 600}));
        EXPECT_EQ(dev.ops[0].dash, c.line);
        EXPECT_EQ(dev.ops[1].dash, c.box);
        EXPECT_EQ(dev.ops[1].fill, Brush::Hollow);
        EXPECT_EQ(page.State().pen_style, PenStyle::Solid);  // isolated
    }
}

TEST(PageOutput, RegionLinesKeepInsideTheRegion) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    CPrintRegion* region = page.CreateRegion(1.0, 1.0, 2.0, 3.0);
    ASSERT_NE(region, nullptr);
    page.DrawLine(*region, 0.5, 0.0, 0.5, 5.0, 1, PenStyle::Solid);
    EXPECT_EQ(dev.ops.at(0).rect, (DeviceRect{601, 901, 1800, 901}));
    page.DrawBox(*region, 0.0, 0.0, 4.0, 4.0, 1, FillStyle::Gray, PenStyle::Solid);
    EXPECT_EQ(dev.ops.at(1).rect, (DeviceRect{601, 601, 1800, 1200}));
    EXPECT_EQ(dev.ops.at(1).fill, Brush::Gray);
}

TEST(PageOutput, TickedCheckBoxAfterItsTextIsCrossed) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    page.PrintCheckBox("Vent", true, Dots{600}, Dots{600}, 10, true, 1, FillStyle::Hollow,
                       TextStyle::SingleLine);
    // The text, then the box one widest character right of it, then both diagonals.
    ASSERT_EQ(dev.ops.size(), 4u);
    const int box_left = 600 + 4 * 41 + 83;  // 4 characters of 0.5 em, the widest 1 em (10 pt = 83)
    EXPECT_EQ(dev.ops[1].kind, RecordedOp::Kind::Box);
    EXPECT_EQ(dev.ops[1].rect, (DeviceRect{box_left, 600, box_left + 83, 683}));
    EXPECT_EQ(dev.ops[2].rect, (DeviceRect{box_left, 600, box_left + 83, 683}));
    EXPECT_EQ(dev.ops[3].rect, (DeviceRect{box_left, 683, box_left + 83, 600}));
    EXPECT_EQ(page.SavedStates(), 0);
}

TEST(PageOutput, PrintContinuedReturnsTheLastRightEdge) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    double column = 1.0;
    page.PrintContinued(1.0, column, TextStyle::SingleLine, 9, "%s", {"abcd"});
    EXPECT_DOUBLE_EQ(column, (600 + 4 * 37) / 600.0);  // 9 pt: 37 dots a character
    EXPECT_DOUBLE_EQ(page.GetLastColumn(false, true), 600 + 4 * 37 + k9ptEm);
}

class LogoTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("quorven-logo-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        std::ofstream(dir_ / "logo.bmp") << "BM";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(LogoTest, LogoKeepsItsPhysicalSizeOnEveryResolution) {
    // A 400 x 100 pixel logo: 250 dots high at 600 dpi, centred 2525 dots from the left.
    for (int dpi : {600, 300, 1200}) {
        SCOPED_TRACE(dpi);
        RecordingRenderer dev(dpi, dpi);
        dev.images.push_back({(dir_ / "logo.bmp").string(), 400, 100});
        CPage page({0, 0, 8 * dpi, 11 * dpi}, dev);
        ASSERT_TRUE(DrawLogo(page, dir_));
        const DeviceRect r = dev.ops.at(0).rect;
        EXPECT_EQ(r.bottom - r.top, 250 * dpi / 600);
        EXPECT_EQ(r.right - r.left, 1000 * dpi / 600);
        EXPECT_EQ((r.left + r.right) / 2, 2525 * dpi / 600);
        EXPECT_EQ(r.top, 40 * dpi / 600);
    }
}

TEST_F(LogoTest, MissingOrUnreadableLogoDrawsNothing) {
    RecordingRenderer dev;
    CPage page(kA4, dev);
    EXPECT_FALSE(DrawLogo(page, dir_ / "elsewhere"));
    EXPECT_FALSE(DrawLogo(page, dir_));  // the renderer cannot read it
    EXPECT_FALSE(DrawLogo(page, {}));
    EXPECT_TRUE(dev.ops.empty());
}

}  // namespace
}  // namespace quorven
