#pragma once
// CPrintSpec: the instrument datasheet, the page a flow element is ordered by. A numbered form of about forty
// lines in framed blocks (service, fluid, element, taps, pipe and meter run, meter, options, notes) under a
// title block with a revision table. It prints the calculated record beside the datasheet texts entered on
// the datasheet pages, and never changes the record.

#include <string>

#include "record/tag_record.h"
#include "reports/page.h"
#include "reports/report_page.h"

namespace quorven {

class CPrintSpec {
public:
    // Draws into `region` of `page`, which BeginReportPage set up.
    CPrintSpec(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
               SheetNumbering numbering = {});

    // The title block and every block below it; returns the region row where the
    // form ends.
    double Print();

    // Each block starts at the region row where the previous one ended (inches)
    // and returns the row where it ends.
    double TitleBlock(double row);
    double ServiceBlock(double row);
    double FluidBlock(double row);
    double ElementBlock(double row);
    double TapsBlock(double row);
    double PipeBlock(double row);
    double MeterBlock(double row);
    double OptionsBlock(double row);
    double NotesBlock(double row);

    // "Datasheet for %s": the element title of the record.
    static std::string ElementTitle(const TagRecord& r);
    // The sheet text of the title block.
    static std::string SheetText(const TagRecord& r, const SheetNumbering& n);

private:
    struct Value {
        std::string label;
        std::string text;
    };
    double Text(double row, double column, std::string_view text, int style, int size);
    double Text(double row, double column, std::string_view text);
    // A numbered line: number, first label and value, and an optional second label
    // and value with their two short rules.
    double Line(double row, const Value& first, const Value* second = nullptr);
    double Line(double row, const Value& first, const Value& second) { return Line(row, first, &second); }
    // A line whose label is the user's own (free label and value).
    double UserLine(double row, std::string_view label, std::string_view value);
    // Opens a block: its title at the first line. Closes it: the frame and the
    // column rules from `top` to `bottom`.
    void CloseBlock(double top, double bottom, bool columns = true);
    void HRule(double row, double from, double to, int width);
    void VRule(double column, double top, double bottom, int width);

    CPage& page_;
    CPrintRegion& region_;
    const TagRecord& r_;
    const ReportContext& ctx_;
    SheetNumbering numbering_;
    double m_;         // the middle column: (right edge - left margin) / 2
    double w_;         // the width: right edge - left margin
    int line_no_ = 1;  // the next line number; numbers run through the form
    double block_top_ = 0.0;
    std::string block_title_;
    std::string block_title2_;  // a second title row ("Meter Run")
};

// The whole datasheet on one page: the report font and region, the datasheet's
// logo, then CPrintSpec::Print. When the form would run past the bottom of the
// region with the page settings' font size and line spacing, it is laid out with
// a line spacing of 1, then with a font up to 3 points smaller, so that every line
// is printed. `fits` says whether the page settings fit the paper.
void PrintDatasheet(CPage& page, const TagRecord& r, const ReportContext& ctx, SheetNumbering numbering = {},
                    bool* fits = nullptr);

// The datasheet's logo: "logo.bmp" in the program directory, 700/600 in wide with
// the height in proportion, its top-left corner 0.8 in right of and below the
// printable area's top-left corner, scaled by the page's own resolution. Returns
// whether a logo was drawn.
bool DrawDatasheetLogo(CPage& page, const std::filesystem::path& program_dir);

}  // namespace quorven
