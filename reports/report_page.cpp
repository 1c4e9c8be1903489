#include "reports/report_page.h"

#include <algorithm>
#include <cmath>
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
