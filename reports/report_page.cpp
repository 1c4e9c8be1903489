#include "reports/report_page.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "record/tag_record.h"

namespace quorven {
namespace {

double FiniteOr(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

}  // namespace

PageSettings PageSettingsOf(const ProjectSettings& s) {
    PageSettings p;
    const std::string_view face = GetText(s.Printer_FaceName);
    if (!face.empty()) p.font_face = std::string(face);
    if (s.Printer_FontSize >= 1 && s.Printer_FontSize <= 72) p.font_size = s.Printer_FontSize;
    p.top = FiniteOr(s.Margin_Top, p.top);
    p.left = FiniteOr(s.Margin_Left, p.left);
    p.right = FiniteOr(s.Margin_Right, p.right);
    // The report is always 9 in high below the top margin.
    p.bottom = p.top + 9.0;
    if (s.Line_Spacing > 0.0 && std::isfinite(s.Line_Spacing)) p.line_spacing = s.Line_Spacing;
    return p;
}

ReportContext MakeReportContext(const ProjectSettings& settings, std::string version_text,
                                std::filesystem::path program_dir) {
    ReportContext c;
    c.settings = settings;
    c.units = UnitTablesOf(settings);
    c.page = PageSettingsOf(settings);
    c.version_text = std::move(version_text);
    c.program_dir = std::move(program_dir);
    return c;
}

bool SetPageSetup(ProjectSettings& s, double top, double left, double right, double line_spacing) {
    using L = PageSetupLimits;
    auto in = [](double v, double lo, double hi) { return v >= lo && v <= hi; };  // false for NaN
    if (!in(top, L::kTopMin, L::kTopMax) || !in(left, L::kLeftMin, L::kLeftMax) ||
        !in(right, L::kRightMin, L::kRightMax) || !in(line_spacing, L::kSpacingMin, L::kSpacingMax))
        return false;
    s.Margin_Top = top;
    s.Margin_Bottom = top + 9.0;
    s.Margin_Left = left;
    s.Margin_Right = right;
    s.Line_Spacing = line_spacing;
    return true;
}

bool SetPrinterFont(ProjectSettings& s, std::string_view face, int points, bool bold, bool italic) {
    if (points < 1 || points > 72) return false;
    SetText(s.Printer_FaceName, face.substr(0, 40));
    s.Printer_FontSize = points;
    // LOGFONTA: lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight (int32 each),
    // lfItalic, lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision, lfClipPrecision,
    // lfQuality, lfPitchAndFamily (one byte each), lfFaceName[32].
    char* f = s.Printer_LogFont;
    std::memset(f, 0, sizeof s.Printer_LogFont);
    const int32_t height = -(points * 96 + 36) / 72;  // character height at 96 dpi, rounded
    const int32_t weight = bold ? 700 : 400;
    std::memcpy(f + 0, &height, 4);
    std::memcpy(f + 16, &weight, 4);
    f[20] = italic ? 1 : 0;
    const std::string_view name = face.substr(0, 31);
    std::memcpy(f + 28, name.data(), name.size());
    return true;
}

CPrintRegion& BeginReportPage(CPage& page, const ReportContext& ctx, bool* fits) {
    const PageSettings& s = ctx.page;
    page.SetFontFace(s.font_face);
    page.SetLineSpacing(s.line_spacing);
    CPrintRegion* region = page.CreateRegion(s.top, s.left, s.bottom, s.right);
    if (fits) *fits = region != nullptr;
    if (!region) {
        // Cut to the printable area: what fits is drawn, the rest is left off.
        const Dots top{std::max(page.RowsOf(s.top), 0)};
        const Dots left{std::max(page.ColumnsOf(s.left), 0)};
        const Dots bottom{std::min(page.RowsOf(s.bottom), page.State().page_height)};
        const Dots right{std::min(page.ColumnsOf(s.right), page.State().page_width)};
        region = page.CreateRegion(top, left, bottom, right);
    }
    if (!region) region = page.CreateRegion(Dots{0}, Dots{0}, Dots{0}, Dots{0});
    DrawLogo(page, ctx.program_dir);
    return *region;
}

}  // namespace quorven
