#pragma once
// The page layer every report draws through. A CPage owns one printed page: it
// holds the current print state (rectangle, font, styles) and a stack of saved
// states, and its CPrinter turns the current state into device output. Reports
// place text by rows and columns in inches from the top-left corner of a
// CPrintRegion; each text call returns the row below what it printed, so a report
// is a chain of calls in which each line starts where the previous one ended.
// Lines and boxes are placed in inches on the page.
//
// Page units are device units (dots) of the printable area, origin at its top-left
// corner. Overloads that take inches take doubles; those that take device units
// take `Dots`, so the two cannot be mixed up by a literal.

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "record/cformat.h"
#include "reports/page_renderer.h"

namespace quorven {

// A length or position in device units.
struct Dots {
    int v = 0;
};

// Text style bits.
namespace TextStyle {
inline constexpr int Bold = 0x1;
inline constexpr int Italic = 0x2;
inline constexpr int Underline = 0x4;
inline constexpr int StrikeOut = 0x8;
inline constexpr int Boxed = 0x10;        // a box with the fill style's brush around the text
inline constexpr int AlignLeft = 0x20;    // the default when neither of the next two is set
inline constexpr int AlignRight = 0x40;   // within the rectangle
inline constexpr int AlignCenter = 0x80;  // wins over AlignRight
inline constexpr int ExpandTabs = 0x100;
inline constexpr int SingleLine = 0x200;  // one line; otherwise words wrap within the rectangle
inline constexpr int NoClip = 0x400;      // otherwise output is clipped to the rectangle
inline constexpr int VCenter = 0x800;
inline constexpr int Default = NoClip | AlignLeft;
}  // namespace TextStyle

// Fill style bits, tested in this order; none of them is the hollow brush.
namespace FillStyle {
inline constexpr int Hollow = 0x0;
inline constexpr int Gray = 0x1;
inline constexpr int LightGray = 0x2;
inline constexpr int DarkGray = 0x4;
inline constexpr int Black = 0x8;
}  // namespace FillStyle

// Pen style bits, tested in this order; none of them is the solid pen. Boxes know
// only Dash and Dot.
namespace PenStyle {
inline constexpr int Solid = 0x0;
inline constexpr int Dot = 0x1;
inline constexpr int Dash = 0x2;
inline constexpr int DashDot = 0x10;
inline constexpr int DashDotDot = 0x20;
}  // namespace PenStyle

// A style, fill or pen argument that leaves the current one unchanged.
inline constexpr int kKeepStyle = 0xFFFF;

// The widest formatted text of one call; longer output is cut.
inline constexpr std::size_t kPrintBufferChars = 5119;

struct PrintState {
    PageRenderer* device = nullptr;
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom are also the text limits
    int font_size = 10;                            // points
    std::string text;
    int text_style = TextStyle::Default;
    int fill_style = FillStyle::Hollow;
    int pen_style = PenStyle::Solid;
    std::string font_face = "Times New Roman";
    int page_width = 0;   // units
    int page_height = 0;  // units
    int last_right = 0;
    int last_height = 10;
    DeviceRect last_rect;
    int* max_char_width = nullptr;  // the page's text metrics
    uint32_t text_color = kBlack;
};

// Stateless output of a PrintState.
class CPrinter {
public:
    // Measures the state's text in its rectangle without drawing; updates the last
    // right, height and rectangle. Returns truncate(font size x factor).
    int MeasureText(PrintState& s, double factor) const;
    // Draws the state's text (an empty text as one space); updates the last right,
    // height and rectangle and the text metrics. Returns truncate(font size x factor).
    int OutputText(PrintState& s, double factor) const;
    // A straight line from (left, top) to (right, bottom).
    void OutputLine(const PrintState& s, int pen_width) const;
    // The closed outline of the rectangle, filled with the fill style's brush.
    void OutputBox(const PrintState& s, int pen_width) const;

    static FontSpec FontOf(const PrintState& s);
    static unsigned FlagsOf(int text_style);
};

class CPage;

// A rectangle of a page, owned by the page that created it. Rows and columns given
// to region operations are measured from (inner top, inner left); text uses the
// region's right and bottom edges as its limits.
class CPrintRegion {
public:
    int inner_top = 0;
    int inner_left = 0;
    int top = 0, left = 0, right = 0, bottom = 0;
    CPage* page = nullptr;

    // Refused when the rectangle leaves the page; otherwise limited to the page's
    // right and bottom limits.
    bool Create(CPage* owner, int top_units, int left_units, int right_units, int bottom_units);
    // A title band across the top of the region; the inner top moves below it.
    void DrawTitle(std::string_view text, int size, int style, int fill);
    void DrawFrame();
};

class CPage {
public:
    // `printable` is the printable rectangle of the page in device units, in
    // practice (0, 0, width, height).
    CPage(const DeviceRect& printable, PageRenderer& device);
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;
    ~CPage();

    // 1. Prints at `column` (units; -1: the last right edge) on the current state's
    // top row. Nothing is drawn when the column lies right of the right limit or the
    // top below the bottom limit. Returns the next row (units, absolute).
    int PrintAtColumn(std::string_view text, int column, int style, int size);

    // 3, 4: into a region, isolated; the row returned is relative to the region.
    double Print(CPrintRegion& region, double row, double column, int style, int size,
                 std::string_view format, std::initializer_list<FormatArg> args = {});
    int Print(CPrintRegion& region, Dots row, Dots column, int style, int size, std::string_view format,
              std::initializer_list<FormatArg> args = {});
    // 5, 6: absolute, with the current style and size.
    double Print(double row, double column, std::string_view format,
                 std::initializer_list<FormatArg> args = {});
    int Print(Dots row, Dots column, std::string_view format, std::initializer_list<FormatArg> args = {});
    // 8, 10: absolute.
    double Print(double row, double column, int style, int size, std::string_view format,
                 std::initializer_list<FormatArg> args = {});
    int Print(Dots row, Dots column, int style, int size, std::string_view format,
              std::initializer_list<FormatArg> args = {});
    // 7, 9: absolute; `column` becomes the last right edge.
    double PrintContinued(double row, double& column, int style, int size, std::string_view format,
                          std::initializer_list<FormatArg> args = {});
    int PrintContinued(Dots row, Dots& column, int style, int size, std::string_view format,
                       std::initializer_list<FormatArg> args = {});

    // 11 to 14, isolated: a text in a rectangle (region or page).
    void PrintInRect(CPrintRegion& region, double top, double left, double bottom, double right, int style,
                     int size, std::string_view text);
    void PrintInRect(CPrintRegion& region, Dots top, Dots left, Dots bottom, Dots right, int style, int size,
                     std::string_view text);
    void PrintInRect(double top, double left, double bottom, double right, int style, int size,
                     std::string_view text);
    void PrintInRect(Dots top, Dots left, Dots bottom, Dots right, int style, int size,
                     std::string_view text);

    // 15: factors not greater than 0 are ignored. Returns the previous factor.
    double SetLineSpacing(double factor);
    // 16: returns the previous face; an empty name only reads. Names are cut to 40
    // characters.
    std::string SetFontFace(std::string_view face);
    // 17: the last right edge, optionally plus the widest character.
    double GetLastColumn(bool inches, bool plus_widest_char) const;
    // 18, 19: return the previous value.
    uint32_t SetTextColor(uint32_t color);
    int SetFontSize(int points);
    // 20 to 23: 0 reads, -1 resets to the page width (height); returns the previous limit.
    double SetRightLimit(double inches);
    int SetRightLimit(Dots units);
    double SetBottomLimit(double inches);
    int SetBottomLimit(Dots units);

    // 24 to 31, isolated. Lines run from (left, top) to (right, bottom). Region
    // variants add the region's inner top and left and keep to its right and bottom.
    void DrawLine(CPrintRegion& region, double top, double left, double bottom, double right, int width,
                  int pen_style);
    void DrawLine(CPrintRegion& region, Dots top, Dots left, Dots bottom, Dots right, int width,
                  int pen_style);
    void DrawLine(double top, double left, double bottom, double right, int width, int pen_style);
    void DrawLine(Dots top, Dots left, Dots bottom, Dots right, int width, int pen_style);
    void DrawBox(CPrintRegion& region, double top, double left, double bottom, double right, int width,
                 int fill_style, int pen_style);
    void DrawBox(CPrintRegion& region, Dots top, Dots left, Dots bottom, Dots right, int width,
                 int fill_style, int pen_style);
    void DrawBox(double top, double left, double bottom, double right, int width, int fill_style,
                 int pen_style);
    void DrawBox(Dots top, Dots left, Dots bottom, Dots right, int width, int fill_style, int pen_style);

    // 32 to 35, isolated: a square box of `box_points` with its text beside it
    // (after the text when `box_after_text`). A ticked box is filled with the fill
    // style, or crossed when the fill style is hollow.
    void PrintCheckBox(CPrintRegion& region, std::string_view text, bool ticked, double row, double column,
                       int box_points, bool box_after_text, int pen_width, int fill_style, int style);
    void PrintCheckBox(CPrintRegion& region, std::string_view text, bool ticked, Dots row, Dots column,
                       int box_points, bool box_after_text, int pen_width, int fill_style, int style);
    void PrintCheckBox(std::string_view text, bool ticked, double row, double column, int box_points,
                       bool box_after_text, int pen_width, int fill_style, int style);
    void PrintCheckBox(std::string_view text, bool ticked, Dots row, Dots column, int box_points,
                       bool box_after_text, int pen_width, int fill_style, int style);

    // 37, 38: a region of the page, or null when the rectangle leaves the page.
    CPrintRegion* CreateRegion(Dots top, Dots left, Dots bottom, Dots right);
    CPrintRegion* CreateRegion(double top, double left, double bottom, double right);

    // 39, 40, isolated: an image file stretched into the rectangle.
    bool PrintBitmap(double top, double left, double bottom, double right, const std::string& path);
    bool PrintBitmap(Dots top, Dots left, Dots bottom, Dots right, const std::string& path);

    // Conversions between inches and units; values not greater than 0 give 0.
    int RowsOf(double inches) const;
    int ColumnsOf(double inches) const;
    double InchesOfRows(int units) const;
    double InchesOfColumns(int units) const;

    int DotsPerInchX() const { return dpi_x_; }
    int DotsPerInchY() const { return dpi_y_; }
    double PageWidthInches() const { return page_width_in_; }
    double PageHeightInches() const { return page_height_in_; }
    double LineSpacing() const { return line_spacing_; }
    const PrintState& State() const { return state_; }
    int SavedStates() const { return stack_index_ + 1; }
    PageRenderer& Device() { return device_; }

private:
    friend class CPrintRegion;
    void Save();
    void Restore();
    std::string Format(std::string_view format, std::initializer_list<FormatArg> args) const;
    // Line spacing: the extra rows a factor above 1 adds below a line of the current size.
    int SpacingExtra() const;
    int PrintRegionUnits(CPrintRegion& region, int row, int column, int style, int size,
                         std::string_view text);
    int PrintAbsolute(int row, int column, int style, int size, std::string_view text);
    void PrintInRectUnits(int top, int left, int bottom, int right, int style, int size,
                          std::string_view text);
    void LineUnits(int top, int left, int bottom, int right, int width, int pen_style);
    void BoxUnits(int top, int left, int bottom, int right, int width, int fill_style, int pen_style);
    void CheckBoxUnits(std::string_view text, bool ticked, int row, int column, int box_points,
                       bool box_after_text, int pen_width, int fill_style, int style);

    CPrinter printer_;
    PrintState state_;
    static constexpr int kSavedStates = 10;
    std::array<PrintState, kSavedStates> saved_{};
    int stack_index_ = -1;
    int unsaved_ = 0;
    int dpi_x_ = 600;
    int dpi_y_ = 600;
    int last_column_ = 0;
    int max_char_width_ = 0;
    double line_spacing_ = 1.0;
    double page_width_in_ = 0.0;
    double page_height_in_ = 0.0;
    std::vector<std::unique_ptr<CPrintRegion>> regions_;
    PageRenderer& device_;
};

// The logo that heads every report page: "logo.bmp" in the program directory,
// 5/12 in high, centred 4.21 in from the left of the printable area and 1/15 in
// below its top, scaled by the page's own resolution. A missing or unreadable file
// draws nothing. Returns whether a logo was drawn.
bool DrawLogo(CPage& page, const std::filesystem::path& program_dir);

}  // namespace quorven
