#pragma once
// What every report page shares: the page settings and project texts it prints
// with, and the way each page begins (report font face, line spacing, the report
// region inside the margins, the logo).

#include <filesystem>
#include <string>

#include "project/project_settings.h"
#include "record/unit_tables.h"
#include "reports/page.h"

namespace quorven {

// The page settings of the project, made safe to lay out with: a face, a font size
// of 1 to 72 points, finite margins and a line spacing above 0.
struct PageSettings {
    std::string font_face = "Times Roman";
    int font_size = 9;     // points
    double top = 0.75;     // top margin, in
    double bottom = 9.75;  // bottom edge of the report: top margin + 9 in
    double left = 0.75;    // left margin, in
    double right = 7.75;   // right edge, in from the left of the printable area
    double line_spacing = 1.1;
    // The column at which the reports start their right-hand labels.
    double Middle() const { return (right - left) / 2.0; }
};

PageSettings PageSettingsOf(const ProjectSettings& s);

// Everything a report reads besides the tag record.
struct ReportContext {
    ProjectSettings settings = DefaultProjectSettings();  // company and project texts, unit lists
    UnitTables units = DefaultUnitTables();               // the unit lists of `settings`
    PageSettings page;                                    // the page settings of `settings`
    std::string version_text;                             // "4.4.0"
    std::filesystem::path program_dir;                    // where logo.bmp is looked for; empty: no logo
};

ReportContext MakeReportContext(const ProjectSettings& settings, std::string version_text,
                                std::filesystem::path program_dir);

// How a batch numbers its sheets; a single sheet is not numbered.
struct SheetNumbering {
    bool numbered = false;
    int sheet_no = 0;
    int sheet_count = 0;
};

// The first steps of every report page: SetFontFace, SetLineSpacing and the report
// region from the margins, then the logo. A region the paper cannot hold (a right
// edge beyond a narrow paper's printable width) is cut to the printable area, so
// the report draws what fits; `fits` then says false. Never null.
CPrintRegion& BeginReportPage(CPage& page, const ReportContext& ctx, bool* fits = nullptr);

// Page Setup: the four values the dialog edits, each checked against its range.
struct PageSetupLimits {
    static constexpr double kTopMin = 0.25, kTopMax = 0.75;    // top margin, in
    static constexpr double kLeftMin = 0.5, kLeftMax = 1.5;    // left margin, in
    static constexpr double kRightMin = 6.5, kRightMax = 8.0;  // right edge, in
    static constexpr double kSpacingMin = 0.8, kSpacingMax = 1.5;
};

// Stores the page setup: the bottom edge becomes top margin + 9 in. Returns false,
// changing nothing, when a value is outside its range or not a number.
bool SetPageSetup(ProjectSettings& s, double top, double left, double right, double line_spacing);

// Stores the printer font chosen in the font dialog: the face (cut to 40
// characters) and the whole point size go to the report font, and the full
// description to the font record (Windows LOGFONT layout: height in 96 dpi
// pixels, weight, italic, face). A size outside 1 to 72 points changes nothing
// and returns false.
bool SetPrinterFont(ProjectSettings& s, std::string_view face, int points, bool bold, bool italic);

// The program's message when the page settings do not fit the paper.
inline constexpr const char* kPageDoesNotFitText =
    "The page settings do not fit the paper: the report is cut to the printable area. "
    "Choose smaller margins in Page Setup or a larger paper.";

}  // namespace quorven
