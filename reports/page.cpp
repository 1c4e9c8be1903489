#include "reports/page.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace quorven {
namespace {

constexpr std::size_t kFaceChars = 40;

// Rounded a * b / c, as the font height of a point size is computed for a device.
int MulDiv(int a, int b, int c) {
    if (c == 0) return 0;
    const long long n = static_cast<long long>(a) * b;
    const long long half = (c > 0 ? c : -c) / 2;
    const long long q = (n >= 0 ? n + half : n - half) / c;
    return static_cast<int>(q);
}

// A position in inches to units. Values not greater than 0, and values that are
// not finite, give 0; the product is truncated. A tiny allowance keeps 0.15 x 600
// at 90 where the binary value of 0.15 falls just short.
int InchesToUnits(double inches, int dpi) {
    if (!(inches > 0.0)) return 0;
    const double u = inches * dpi + 1e-7;
    if (!(u < 1e9)) return 1000000000;
    return static_cast<int>(u);
}

double UnitsToInches(int units, int dpi) {
    if (units <= 0 || dpi <= 0) return 0.0;
    return static_cast<double>(units) / dpi;
}

Brush BrushOf(int fill) {
    if (fill & FillStyle::Gray) return Brush::Gray;
    if (fill & FillStyle::LightGray) return Brush::LightGray;
    if (fill & FillStyle::DarkGray) return Brush::DarkGray;
    if (fill & FillStyle::Black) return Brush::Black;
    return Brush::Hollow;
}

PenDash LinePenOf(int pen) {
    if (pen & PenStyle::Dash) return PenDash::Dash;
    if (pen & PenStyle::Dot) return PenDash::Dot;
    if (pen & PenStyle::DashDot) return PenDash::DashDot;
    if (pen & PenStyle::DashDotDot) return PenDash::DashDotDot;
    return PenDash::Solid;
}

PenDash BoxPenOf(int pen) {
    if (pen & PenStyle::Dash) return PenDash::Dash;
    if (pen & PenStyle::Dot) return PenDash::Dot;
    return PenDash::Solid;
}

}  // namespace

// ---- CPrinter ---------------------------------------------------------------

FontSpec CPrinter::FontOf(const PrintState& s) {
    FontSpec f;
    f.face = s.font_face;
    const int dpi = s.device ? s.device->DotsPerInchY() : 600;
    f.pixel_height = std::abs(MulDiv(s.font_size, dpi, 72));
    f.bold = (s.text_style & TextStyle::Bold) != 0;
    f.italic = (s.text_style & TextStyle::Italic) != 0;
    f.underline = (s.text_style & TextStyle::Underline) != 0;
    f.strike_out = (s.text_style & TextStyle::StrikeOut) != 0;
    return f;
}

unsigned CPrinter::FlagsOf(int style) {
    unsigned flags = TextFlag::kLeft;
    if (style & TextStyle::AlignCenter)
        flags = TextFlag::kCenter;
    else if (style & TextStyle::AlignRight)
        flags = TextFlag::kRight;
    if (style & TextStyle::VCenter) flags |= TextFlag::kVCenter;
    if (style & TextStyle::ExpandTabs) flags |= TextFlag::kExpandTabs;
    if (style & TextStyle::NoClip) flags |= TextFlag::kNoClip;
    if (style & TextStyle::SingleLine) flags |= TextFlag::kSingleLine;
    return flags;
}

int CPrinter::MeasureText(PrintState& s, double factor) const {
    if (!s.device) return 0;
    const std::string_view text = s.text.empty() ? std::string_view(" ") : std::string_view(s.text);
    DeviceRect rect{s.left, s.top, s.right, s.bottom};
    const DeviceRect measured = s.device->MeasureText(text, FontOf(s), rect, FlagsOf(s.text_style));
    s.last_height = measured.bottom - measured.top;
    s.last_right = measured.right;
    s.last_rect = measured;
    return static_cast<int>(s.font_size * factor);
}

int CPrinter::OutputText(PrintState& s, double factor) const {
    if (!s.device) return 0;
    PageRenderer& d = *s.device;
    const std::string_view text = s.text.empty() ? std::string_view(" ") : std::string_view(s.text);
    const FontSpec font = FontOf(s);
    const unsigned flags = FlagsOf(s.text_style);
    DeviceRect rect{s.left, s.top, s.right, s.bottom};
    if (rect.right == 0 && rect.bottom == 0) rect = d.MeasureText(text, font, rect, flags);
    const bool boxed = (s.text_style & TextStyle::Boxed) != 0;
    uint32_t color = s.text_color;
    if (boxed && (s.fill_style & (FillStyle::DarkGray | FillStyle::Black))) color = kWhite;
    if (boxed) d.DrawBox(rect, 1, PenDash::Solid, BrushOf(s.fill_style));
    d.DrawText(text, font, rect, flags, color);
    const DeviceRect measured = d.MeasureText(text, font, rect, flags);
    s.last_height = measured.bottom - measured.top;
    s.last_right = measured.right;
    s.last_rect = measured;
    if (s.max_char_width) *s.max_char_width = d.MaxCharWidth(font);
    return static_cast<int>(s.font_size * factor);
}

void CPrinter::OutputLine(const PrintState& s, int pen_width) const {
    if (!s.device) return;
    s.device->DrawLine(s.left, s.top, s.right, s.bottom, pen_width, LinePenOf(s.pen_style));
}

void CPrinter::OutputBox(const PrintState& s, int pen_width) const {
    if (!s.device) return;
    s.device->DrawBox({s.left, s.top, s.right, s.bottom}, pen_width, BoxPenOf(s.pen_style),
                      BrushOf(s.fill_style));
}

// ---- CPrintRegion -------------------------------------------------------------

bool CPrintRegion::Create(CPage* owner, int top_units, int left_units, int right_units, int bottom_units) {
    if (!owner) return false;
    const PrintState& s = owner->state_;
    if (top_units < 0 || left_units < 0 || right_units > s.page_width || bottom_units > s.page_height)
        return false;
    page = owner;
    top = top_units;
    left = left_units;
    right = std::min(right_units, s.right);
    bottom = std::min(bottom_units, s.bottom);
    inner_left = left + 1;
    inner_top = top + 1;
    return true;
}

void CPrintRegion::DrawTitle(std::string_view text, int size, int style, int fill) {
    if (!page) return;
    CPage& p = *page;
    p.Save();
    PrintState& s = p.state_;
    s.left = left;
    s.top = top;
    s.right = right;
    s.bottom = bottom;
    s.text = text;
    if (size > 0) s.font_size = size;
    int band_bottom = 0;
    if (style & TextStyle::Boxed) {
        s.text_style = style;
        p.printer_.MeasureText(s, 1.0);
        band_bottom = s.last_rect.bottom;
    } else {
        band_bottom = top + p.RowsOf(2.0 * s.font_size / 72.0);
    }
    s.bottom = band_bottom;
    s.text_style = style;
    s.fill_style = fill;
    p.printer_.OutputText(s, 1.0);
    inner_top = band_bottom + 1;
    p.Restore();
}

void CPrintRegion::DrawFrame() {
    if (!page) return;
    CPage& p = *page;
    p.Save();
    p.state_.left = left;
    p.state_.top = top;
    p.state_.right = right;
    p.state_.bottom = bottom;
    p.printer_.OutputBox(p.state_, 1);
    p.Restore();
}

// ---- CPage ----------------------------------------------------------------------

CPage::CPage(const DeviceRect& printable, PageRenderer& device) : device_(device) {
    dpi_x_ = std::max(device.DotsPerInchX(), 1);
    dpi_y_ = std::max(device.DotsPerInchY(), 1);
    page_width_in_ = static_cast<double>(printable.right) / dpi_x_;
    page_height_in_ = static_cast<double>(printable.bottom) / dpi_y_;
    state_.device = &device;
    state_.page_width = std::max(printable.right - printable.left, 0);
    state_.page_height = std::max(printable.bottom - printable.top, 0);
    state_.left = printable.left;
    state_.top = printable.top;
    state_.right = printable.right;
    state_.bottom = printable.bottom;
    state_.max_char_width = &max_char_width_;
}

CPage::~CPage() = default;

void CPage::Save() {
    // Deeper nesting than any operation uses: counted, so saves and restores stay paired.
    if (stack_index_ + 1 >= kSavedStates) {
        ++unsaved_;
        return;
    }
    ++stack_index_;
    saved_[static_cast<std::size_t>(stack_index_)] = state_;
}

void CPage::Restore() {
    if (unsaved_ > 0) {
        --unsaved_;
        return;
    }
    if (stack_index_ < 0) return;
    state_ = saved_[static_cast<std::size_t>(stack_index_)];
    --stack_index_;
}

std::string CPage::Format(std::string_view format, std::initializer_list<FormatArg> args) const {
    std::string out = CFormat(format, args);
    if (out.size() > kPrintBufferChars) out.resize(kPrintBufferChars);
    return out;
}

int CPage::RowsOf(double inches) const {
    return InchesToUnits(inches, dpi_y_);
}
int CPage::ColumnsOf(double inches) const {
    return InchesToUnits(inches, dpi_x_);
}
double CPage::InchesOfRows(int units) const {
    return UnitsToInches(units, dpi_y_);
}
double CPage::InchesOfColumns(int units) const {
    return UnitsToInches(units, dpi_x_);
}

int CPage::SpacingExtra() const {
    if (!(line_spacing_ > 1.0)) return 0;
    const int height = RowsOf(state_.font_size / 72.0);
    return static_cast<int>((line_spacing_ - 1.0) * height);
}

int CPage::PrintAtColumn(std::string_view text, int column, int style, int size) {
    if (column > state_.right || state_.top > state_.bottom) return state_.top;
    state_.text = text;
    if (size > 0) state_.font_size = size;
    if (style != kKeepStyle) state_.text_style = style;
    state_.left = column == -1 ? state_.last_right : column;
    printer_.OutputText(state_, line_spacing_);
    last_column_ = state_.last_right;
    return state_.last_rect.bottom;
}

int CPage::PrintRegionUnits(CPrintRegion& region, int row, int column, int style, int size,
                            std::string_view text) {
    Save();
    state_.top = row + region.inner_top;
    state_.left = region.inner_left;
    state_.right = region.right;
    state_.bottom = region.bottom;
    int next = PrintAtColumn(text, column + region.inner_left, style, size);
    next += SpacingExtra();
    Restore();
    return std::max(next - region.inner_top, 0);
}

double CPage::Print(CPrintRegion& region, double row, double column, int style, int size,
                    std::string_view format, std::initializer_list<FormatArg> args) {
    const int next =
        PrintRegionUnits(region, RowsOf(row), ColumnsOf(column), style, size, Format(format, args));
    return InchesOfRows(next);
}

int CPage::Print(CPrintRegion& region, Dots row, Dots column, int style, int size, std::string_view format,
                 std::initializer_list<FormatArg> args) {
    return PrintRegionUnits(region, row.v, column.v, style, size, Format(format, args));
}

int CPage::PrintAbsolute(int row, int column, int style, int size, std::string_view text) {
    state_.top = row;
    return PrintAtColumn(text, column, style, size) + SpacingExtra();
}

double CPage::Print(double row, double column, std::string_view format,
                    std::initializer_list<FormatArg> args) {
    return InchesOfRows(PrintAbsolute(RowsOf(row), ColumnsOf(column), kKeepStyle, 0, Format(format, args)));
}

int CPage::Print(Dots row, Dots column, std::string_view format, std::initializer_list<FormatArg> args) {
    return PrintAbsolute(row.v, column.v, kKeepStyle, 0, Format(format, args));
}

double CPage::Print(double row, double column, int style, int size, std::string_view format,
                    std::initializer_list<FormatArg> args) {
    return InchesOfRows(PrintAbsolute(RowsOf(row), ColumnsOf(column), style, size, Format(format, args)));
}

int CPage::Print(Dots row, Dots column, int style, int size, std::string_view format,
                 std::initializer_list<FormatArg> args) {
    return PrintAbsolute(row.v, column.v, style, size, Format(format, args));
}

double CPage::PrintContinued(double row, double& column, int style, int size, std::string_view format,
                             std::initializer_list<FormatArg> args) {
    const int next = PrintAbsolute(RowsOf(row), ColumnsOf(column), style, size, Format(format, args));
    column = GetLastColumn(true, false);
    return InchesOfRows(next);
}

int CPage::PrintContinued(Dots row, Dots& column, int style, int size, std::string_view format,
                          std::initializer_list<FormatArg> args) {
    const int next = PrintAbsolute(row.v, column.v, style, size, Format(format, args));
    column.v = last_column_;
    return next;
}

void CPage::PrintInRectUnits(int top, int left, int bottom, int right, int style, int size,
                             std::string_view text) {
    Save();
    state_.top = top;
    state_.left = left;
    state_.bottom = bottom;
    state_.right = right;
    state_.text = text;
    if (size > 0) state_.font_size = size;
    if (style != kKeepStyle) state_.text_style = style;
    printer_.OutputText(state_, line_spacing_);
    last_column_ = state_.last_right;
    Restore();
}

void CPage::PrintInRect(CPrintRegion& region, double top, double left, double bottom, double right, int style,
                        int size, std::string_view text) {
    PrintInRect(region, Dots{RowsOf(top)}, Dots{ColumnsOf(left)}, Dots{RowsOf(bottom)},
                Dots{ColumnsOf(right)}, style, size, text);
}

void CPage::PrintInRect(CPrintRegion& region, Dots top, Dots left, Dots bottom, Dots right, int style,
                        int size, std::string_view text) {
    PrintInRectUnits(std::min(top.v + region.inner_top, region.bottom),
                     std::min(left.v + region.inner_left, region.right),
                     std::min(bottom.v + region.inner_top, region.bottom),
                     std::min(right.v + region.inner_left, region.right), style, size, text);
}

void CPage::PrintInRect(double top, double left, double bottom, double right, int style, int size,
                        std::string_view text) {
    PrintInRectUnits(RowsOf(top), ColumnsOf(left), RowsOf(bottom), ColumnsOf(right), style, size, text);
}

void CPage::PrintInRect(Dots top, Dots left, Dots bottom, Dots right, int style, int size,
                        std::string_view text) {
    PrintInRectUnits(top.v, left.v, bottom.v, right.v, style, size, text);
}

double CPage::SetLineSpacing(double factor) {
    const double previous = line_spacing_;
    if (factor > 0.0 && std::isfinite(factor)) line_spacing_ = factor;
    return previous;
}

std::string CPage::SetFontFace(std::string_view face) {
    std::string previous = state_.font_face;
    if (!face.empty()) state_.font_face = std::string(face.substr(0, kFaceChars));
    return previous;
}

double CPage::GetLastColumn(bool inches, bool plus_widest_char) const {
    const int units = last_column_ + (plus_widest_char ? max_char_width_ : 0);
    return inches ? InchesOfColumns(units) : static_cast<double>(units);
}

uint32_t CPage::SetTextColor(uint32_t color) {
    const uint32_t previous = state_.text_color;
    state_.text_color = color;
    return previous;
}

int CPage::SetFontSize(int points) {
    const int previous = state_.font_size;
    if (points > 0) state_.font_size = points;
    return previous;
}

int CPage::SetRightLimit(Dots units) {
    const int previous = state_.right;
    if (units.v == -1)
        state_.right = state_.page_width;
    else if (units.v > 0)
        state_.right = units.v;
    return previous;
}

double CPage::SetRightLimit(double inches) {
    int units = 0;
    if (inches == -1.0)
        units = -1;
    else if (inches > 0.0)
        units = std::max(ColumnsOf(inches), 1);
    return InchesOfColumns(SetRightLimit(Dots{units}));
}

int CPage::SetBottomLimit(Dots units) {
    const int previous = state_.bottom;
    if (units.v == -1)
        state_.bottom = state_.page_height;
    else if (units.v > 0)
        state_.bottom = units.v;
    return previous;
}

double CPage::SetBottomLimit(double inches) {
    int units = 0;
    if (inches == -1.0)
        units = -1;
    else if (inches > 0.0)
        units = std::max(RowsOf(inches), 1);
    return InchesOfRows(SetBottomLimit(Dots{units}));
}

void CPage::LineUnits(int top, int left, int bottom, int right, int width, int pen_style) {
    Save();
    state_.top = top;
    state_.left = left;
    state_.bottom = bottom;
    state_.right = right;
    if (pen_style != kKeepStyle) state_.pen_style = pen_style;
    printer_.OutputLine(state_, width);
    Restore();
}

void CPage::BoxUnits(int top, int left, int bottom, int right, int width, int fill_style, int pen_style) {
    Save();
    state_.top = top;
    state_.left = left;
    state_.bottom = bottom;
    state_.right = right;
    if (fill_style != kKeepStyle) state_.fill_style = fill_style;
    if (pen_style != kKeepStyle) state_.pen_style = pen_style;
    printer_.OutputBox(state_, width);
    Restore();
}

void CPage::DrawLine(CPrintRegion& region, double top, double left, double bottom, double right, int width,
                     int pen_style) {
    DrawLine(region, Dots{RowsOf(top)}, Dots{ColumnsOf(left)}, Dots{RowsOf(bottom)}, Dots{ColumnsOf(right)},
             width, pen_style);
}

void CPage::DrawLine(CPrintRegion& region, Dots top, Dots left, Dots bottom, Dots right, int width,
                     int pen_style) {
    LineUnits(std::min(top.v + region.inner_top, region.bottom),
              std::min(left.v + region.inner_left, region.right),
              std::min(bottom.v + region.inner_top, region.bottom),
              std::min(right.v + region.inner_left, region.right), width, pen_style);
}

void CPage::DrawLine(double top, double left, double bottom, double right, int width, int pen_style) {
    LineUnits(RowsOf(top), ColumnsOf(left), RowsOf(bottom), ColumnsOf(right), width, pen_style);
}

void CPage::DrawLine(Dots top, Dots left, Dots bottom, Dots right, int width, int pen_style) {
    LineUnits(top.v, left.v, bottom.v, right.v, width, pen_style);
}

void CPage::DrawBox(CPrintRegion& region, double top, double left, double bottom, double right, int width,
                    int fill_style, int pen_style) {
    DrawBox(region, Dots{RowsOf(top)}, Dots{ColumnsOf(left)}, Dots{RowsOf(bottom)}, Dots{ColumnsOf(right)},
            width, fill_style, pen_style);
}

void CPage::DrawBox(CPrintRegion& region, Dots top, Dots left, Dots bottom, Dots right, int width,
                    int fill_style, int pen_style) {
    BoxUnits(std::min(top.v + region.inner_top, region.bottom),
             std::min(left.v + region.inner_left, region.right),
             std::min(bottom.v + region.inner_top, region.bottom),
             std::min(right.v + region.inner_left, region.right), width, fill_style, pen_style);
}

void CPage::DrawBox(double top, double left, double bottom, double right, int width, int fill_style,
                    int pen_style) {
    BoxUnits(RowsOf(top), ColumnsOf(left), RowsOf(bottom), ColumnsOf(right), width, fill_style, pen_style);
}

void CPage::DrawBox(Dots top, Dots left, Dots bottom, Dots right, int width, int fill_style, int pen_style) {
    BoxUnits(top.v, left.v, bottom.v, right.v, width, fill_style, pen_style);
}

void CPage::CheckBoxUnits(std::string_view text, bool ticked, int row, int column, int box_points,
                          bool box_after_text, int pen_width, int fill_style, int style) {
    Save();
    const int side_x = ColumnsOf(box_points / 72.0);
    const int side_y = RowsOf(box_points / 72.0);
    int box_left = column;
    if (box_after_text) {
        PrintAbsolute(row, column, style, 0, text);
        box_left = static_cast<int>(GetLastColumn(false, true));
    } else {
        PrintAbsolute(row, column + 2 * side_x, style, 0, text);
    }
    const int right = box_left + side_x;
    const int bottom = row + side_y;
    BoxUnits(row, box_left, bottom, right, pen_width, FillStyle::Hollow, PenStyle::Solid);
    if (ticked) {
        if (fill_style != FillStyle::Hollow) {
            BoxUnits(row, box_left, bottom, right, pen_width, fill_style, PenStyle::Solid);
        } else {
            LineUnits(row, box_left, bottom, right, pen_width, PenStyle::Solid);
            LineUnits(bottom, box_left, row, right, pen_width, PenStyle::Solid);
        }
    }
    Restore();
}

void CPage::PrintCheckBox(CPrintRegion& region, std::string_view text, bool ticked, double row, double column,
                          int box_points, bool box_after_text, int pen_width, int fill_style, int style) {
    PrintCheckBox(region, text, ticked, Dots{RowsOf(row)}, Dots{ColumnsOf(column)}, box_points,
                  box_after_text, pen_width, fill_style, style);
}

void CPage::PrintCheckBox(CPrintRegion& region, std::string_view text, bool ticked, Dots row, Dots column,
                          int box_points, bool box_after_text, int pen_width, int fill_style, int style) {
    Save();
    state_.right = region.right;
    state_.bottom = region.bottom;
    CheckBoxUnits(text, ticked, row.v + region.inner_top, column.v + region.inner_left, box_points,
                  box_after_text, pen_width, fill_style, style);
    Restore();
}

void CPage::PrintCheckBox(std::string_view text, bool ticked, double row, double column, int box_points,
                          bool box_after_text, int pen_width, int fill_style, int style) {
    CheckBoxUnits(text, ticked, RowsOf(row), ColumnsOf(column), box_points, box_after_text, pen_width,
                  fill_style, style);
}

void CPage::PrintCheckBox(std::string_view text, bool ticked, Dots row, Dots column, int box_points,
                          bool box_after_text, int pen_width, int fill_style, int style) {
    CheckBoxUnits(text, ticked, row.v, column.v, box_points, box_after_text, pen_width, fill_style, style);
}

CPrintRegion* CPage::CreateRegion(Dots top, Dots left, Dots bottom, Dots right) {
    auto region = std::make_unique<CPrintRegion>();
    if (!region->Create(this, top.v, left.v, right.v, bottom.v)) return nullptr;
    regions_.push_back(std::move(region));
    return regions_.back().get();
}

CPrintRegion* CPage::CreateRegion(double top, double left, double bottom, double right) {
    return CreateRegion(Dots{RowsOf(top)}, Dots{ColumnsOf(left)}, Dots{RowsOf(bottom)},
                        Dots{ColumnsOf(right)});
}

bool CPage::PrintBitmap(double top, double left, double bottom, double right, const std::string& path) {
    return PrintBitmap(Dots{RowsOf(top)}, Dots{ColumnsOf(left)}, Dots{RowsOf(bottom)}, Dots{ColumnsOf(right)},
                       path);
}

bool CPage::PrintBitmap(Dots top, Dots left, Dots bottom, Dots right, const std::string& path) {
    if (right.v <= left.v || bottom.v <= top.v) return false;
    return device_.DrawImage(path, {left.v, top.v, right.v, bottom.v});
}

bool DrawLogo(CPage& page, const std::filesystem::path& program_dir) {
    if (program_dir.empty()) return false;
    const std::string path = (program_dir / "logo.bmp").string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    int width = 0;
    int height = 0;
    if (!page.Device().ImageSize(path, width, height) || width <= 0 || height <= 0) return false;
    // Placement at 600 dots per inch: 250 dots high, centred 2525 dots from the left,
    // 40 dots down; scaled by the resolution of the page's own device.
    const double S = page.DotsPerInchX() / 600.0;
    const int dest_height = static_cast<int>(height * S * 250 / height);
    const int dest_width = static_cast<int>(width * S * 250 / height);
    const int left = -(dest_width / 2) + static_cast<int>(4150 * S) / 2 + static_cast<int>(450 * S);
    const int top = static_cast<int>(40 * page.DotsPerInchY() / 600.0);
    if (dest_width <= 0 || dest_height <= 0) return false;
    return page.PrintBitmap(Dots{top}, Dots{left}, Dots{top + dest_height}, Dots{left + dest_width}, path);
}

}  // namespace quorven
