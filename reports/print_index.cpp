#include "reports/print_index.h"

#include <algorithm>
#include <array>

#include "record/cformat.h"
#include "record/units.h"
#include "reports/print_calc.h"
#include "reports/sheet_values.h"

namespace quorven {
namespace {

constexpr int kSectionRule = 2;  // device units
constexpr int kRowRule = 1;
constexpr double kLabelColumn = 0.15;
constexpr double kRightLabelColumn = 4.0;

struct IndexColumn {
    const char* heading;
    double column;  // inches right of the left margin
};
// The twelve columns; each text is cut at the rule that ends its column.
constexpr std::array<IndexColumn, 12> kColumns = {{
    {"Tag", 0.1},
    {"Service", 0.95},
    {"Line No", 2.25},
    {"P&ID No", 3.05},
    {"Calc No", 3.6},
    {"Sht", 4.25},
    {"Rev", 4.5},
    {"Spec No", 4.7},
    {"Sht", 5.3},
    {"Rev", 5.6},
    {"Orifice Bore", 5.9},
    {"Pipe I.D.", 6.5},
}};
// The rules between the columns, inches right of the left margin.
constexpr std::array<double, 11> kColumnRules = {0.9,  2.2,  3.0,  3.55, 4.2, 4.45,
                                                 4.65, 5.25, 5.55, 5.85, 6.45};
// A column's text stops this far short of the rule after it.
constexpr double kColumnGap = 0.02;

}  // namespace

int IndexPageCount(int tags) {
    if (tags <= 0) return 0;
    return (tags + kIndexTagsPerPage - 1) / kIndexTagsPerPage;
}

CPrintIndex::CPrintIndex(CPage& page, CPrintRegion& region, const PrintJob& job, int page_no,
                         const TagReader& read, const ReportContext& ctx)
    : page_(page), region_(region), job_(job), page_no_(page_no), read_(read), ctx_(ctx) {}

double CPrintIndex::Text(double row, double column, std::string_view text, int style, int size) {
    return page_.Print(region_, row, column, style, size, "%s", {text});
}

void CPrintIndex::Rule(double row, int width) {
    const PageSettings& p = ctx_.page;
    page_.DrawLine(p.top + row, p.left, p.top + row, p.right, width, PenStyle::Solid);
}

double CPrintIndex::Header() {
    const ProjectSettings& s = ctx_.settings;
    const int size = ctx_.page.font_size;
    constexpr int kCompany = TextStyle::Bold | TextStyle::AlignCenter;
    double row = Text(0.0, 0.01, GetText(s.Company_Name), kCompany, size);
    row = Text(row, 0.01, GetText(s.Company_Address), kCompany, size);
    row = Text(row, 0.01, GetText(s.Company_Phone), kCompany, size);
    Rule(row + 0.02, kSectionRule);
    row = Text(row + 0.04, 0.0, CFormat("Quorven %s for Windows 32-bit Platform", {ctx_.version_text}),
               TextStyle::AlignCenter, size);
    Rule(row + 0.05, kSectionRule);
    row += 0.07;
    constexpr int kStyle = TextStyle::SingleLine;
    auto pair = [&](const std::string& left, const std::string& right) {
        row = std::max(Text(row, kLabelColumn, left, kStyle, size),
                       Text(row, kRightLabelColumn, right, kStyle, size));
    };
    pair(CFormat("Client:  %s", {GetText(s.Client)}), CFormat("J.O./P.O. No.:  %s", {GetText(s.JobPO_No)}));
    pair(CFormat("Project: %s", {GetText(s.Project)}), CFormat("Run Date: %s", {job_.RunDate}));
    pair(CFormat("Location: %s", {GetText(s.Location)}),
         CFormat("Sht: %d of %d", {static_cast<long long>(page_no_),
                                   static_cast<long long>(IndexPageCount(job_.IndexTagCount))}));
    return row + 0.05;
}

void CPrintIndex::Print() {
    const PageSettings& p = ctx_.page;
    const int size = p.font_size - 4;
    const double r0 = Header();
    Rule(r0, kSectionRule);

    // One region per column, over the whole height, so that a text stops at its rule.
    std::array<CPrintRegion*, kColumns.size()> columns{};
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        const double end = i + 1 < kColumns.size() ? kColumnRules[i] : p.right - p.left;
        columns[i] = page_.CreateRegion(
            Dots{region_.top}, Dots{region_.inner_left + page_.ColumnsOf(kColumns[i].column)},
            Dots{region_.bottom},
            Dots{std::min(region_.right, region_.inner_left + page_.ColumnsOf(end - kColumnGap))});
    }
    auto cell = [&](std::size_t i, double row, std::string_view text) {
        if (!columns[i]) return row;
        return page_.Print(*columns[i], row, 0.0, TextStyle::SingleLine, size, "%s", {text});
    };

    double row = r0 + 0.02;
    double end = row;
    for (std::size_t i = 0; i < kColumns.size(); ++i) end = std::max(end, cell(i, row, kColumns[i].heading));
    Rule(end + 0.02, kSectionRule);
    row = end + 0.04;

    const std::string calc_no(GetText(ctx_.settings.CalcSO_No));
    const int first = (page_no_ - 1) * kIndexTagsPerPage;
    const int last = std::min(page_no_ * kIndexTagsPerPage, job_.IndexTagCount);
    double last_rule = row;
    for (int i = first; i < last && static_cast<std::size_t>(i) < job_.BatchTagList.size(); ++i) {
        const BatchEntry& entry = job_.BatchTagList[static_cast<std::size_t>(i)];
        TagRecord r = NewTagRecord();
        const bool read = read_ && read_(entry.tag, r);
        end = cell(0, row, entry.tag);
        end = std::max(end, cell(5, row, CFormat("%d", {static_cast<long long>(entry.position)})));
        if (read) {
            const std::string bore_unit = UnitNameOf(r, ctx_.units, Quantity::Bore);
            end = std::max(end, cell(1, row, GetText(r.Service)));
            end = std::max(end, cell(2, row, GetText(r.Line_No)));
            end = std::max(end, cell(3, row, GetText(r.Pid_No)));
            end = std::max(end, cell(4, row, calc_no));
            end = std::max(end, cell(6, row, CFormat("%d", {static_cast<long long>(r.Calc_Rev)})));
            end = std::max(end, cell(7, row, GetText(r.Spec_No)));
            end = std::max(end, cell(8, row, GetText(r.Sht_No)));
            end = std::max(end, cell(9, row, GetText(r.Rev_No)));
            end = std::max(
                end, cell(10, row, WithUnit(Num("%.4f", ToUser(r, Quantity::Bore, r.Bore)), bore_unit)));
            end = std::max(
                end, cell(11, row, WithUnit(Num("%.3f", ToUser(r, Quantity::Bore, r.Pipe_IDia)), bore_unit)));
        } else {
            end = std::max(end, cell(1, row, "(cannot be read from the project)"));
        }
        last_rule = end + 0.02;
        Rule(last_rule, kRowRule);
        row = last_rule + 0.02;
    }
    const double bottom = std::max(row, last_rule);
    page_.DrawBox(p.top, p.left, p.top + bottom, p.right, kSectionRule, FillStyle::Hollow, PenStyle::Solid);
    for (double rule : kColumnRules)
        page_.DrawLine(p.top + r0, p.left + rule, p.top + bottom, p.left + rule, 1, PenStyle::Solid);
}

void PrintIndexPage(CPage& page, const PrintJob& job, int page_no, const TagReader& read,
                    const ReportContext& ctx, bool* fits) {
    CPrintRegion& region = BeginReportPage(page, ctx, fits);
    CPrintIndex(page, region, job, page_no, read, ctx).Print();
}

void PrintUnreadableTag(CPage& page, const std::string& tag, const ReportContext& ctx,
                        SheetNumbering numbering, bool* fits) {
    CPrintRegion& region = BeginReportPage(page, ctx, fits);
    TagRecord blank = NewTagRecord();
    SetText(blank.Tag_No, tag);
    CPrintCalc sheet(page, region, blank, ctx, numbering);
    double row = sheet.Header(0.0);
    row = sheet.ServiceData(row);
    page.Print(region, row + 0.2, 0.15, TextStyle::SingleLine, ctx.page.font_size,
               "Tag %s cannot be read from the project: no sheet is printed for it.", {tag});
    sheet.Footer();
}

}  // namespace quorven
