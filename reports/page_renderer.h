#pragma once
// The device a report page is drawn on. Coordinates are device units (dots) with
// the origin at the top-left corner of the printable area. The page layer
// (reports/page.h) reaches the device only through these operations: the desktop
// program and the command line play them onto a QPainter (reports/qt/), tests
// record them (reports/recording_renderer.h).
//
// Texts are Windows-1252 bytes, as the tag record and the project settings hold
// them.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorven {

struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

// A font as the page asks for it. `face` is the name the user chose ("Times Roman");
// the renderer decides which installed face stands for it. `pixel_height` is the
// character height (em) in device units.
struct FontSpec {
    std::string face;
    int pixel_height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    bool operator==(const FontSpec&) const = default;
};

// How a text is laid out in its rectangle.
namespace TextFlag {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kExpandTabs = 0x8;
inline constexpr unsigned kNoClip = 0x10;
inline constexpr unsigned kSingleLine = 0x20;  // otherwise words wrap at the rectangle's width
}  // namespace TextFlag

enum class Brush { Hollow, Gray, LightGray, DarkGray, Black };
enum class PenDash { Solid, Dash, Dot, DashDot, DashDotDot };

// Colours as 0xRRGGBB.
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kWhite = 0xFFFFFF;

class PageRenderer {
public:
    virtual ~PageRenderer() = default;

    virtual int DotsPerInchX() const = 0;
    virtual int DotsPerInchY() const = 0;

    // The rectangle the text takes when laid out from the top-left corner of
    // `rect` with `flags`: left and top stay, right is left plus the widest line,
    // bottom is top plus the height of all lines. Without kSingleLine the words
    // wrap at the width of `rect`.
    virtual DeviceRect MeasureText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                                   unsigned flags) = 0;
    virtual void DrawText(std::string_view text, const FontSpec& font, const DeviceRect& rect, unsigned flags,
                          uint32_t color) = 0;
    // The widest character of the font, device units.
    virtual int MaxCharWidth(const FontSpec& font) = 0;

    virtual void DrawLine(int x1, int y1, int x2, int y2, int pen_width, PenDash dash) = 0;
    // A closed outline of the rectangle, filled with the brush.
    virtual void DrawBox(const DeviceRect& rect, int pen_width, PenDash dash, Brush fill) = 0;

    // An image file (BMP, PNG): its size in pixels; false when it cannot be read.
    virtual bool ImageSize(const std::string& path, int& width, int& height) = 0;
    // Stretches the whole image into `target`; false when it cannot be read.
    virtual bool DrawImage(const std::string& path, const DeviceRect& target) = 0;
};

}  // namespace quorven
