#pragma once
// A renderer that keeps every drawing operation instead of drawing it, with simple
// fixed font metrics, so report pages are tested without a printer or Qt.
//
// Metrics: every character is 0.5 em wide (0.55 em bold), a line is 1.2 em high,
// words wrap at spaces. Pages laid out on this renderer are therefore not the
// printed pages to the dot, but rows and columns follow the same rules.

#include <optional>
#include <string>
#include <vector>

#include "reports/page_renderer.h"

namespace quorven {

struct RecordedOp {
    enum class Kind { Text, Line, Box, Image };
    Kind kind = Kind::Text;
    DeviceRect rect;   // text and box rectangle; a line from (left, top) to (right, bottom)
    std::string text;  // text, or the image path
    FontSpec font;
    unsigned flags = 0;
    uint32_t color = kBlack;
    int pen_width = 0;
    PenDash dash = PenDash::Solid;
    Brush fill = Brush::Hollow;
};

class RecordingRenderer final : public PageRenderer {
public:
    explicit RecordingRenderer(int dpi_x = 600, int dpi_y = 600) : dpi_x_(dpi_x), dpi_y_(dpi_y) {}

    int DotsPerInchX() const override { return dpi_x_; }
    int DotsPerInchY() const override { return dpi_y_; }
    DeviceRect MeasureText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                           unsigned flags) override;
    void DrawText(std::string_view text, const FontSpec& font, const DeviceRect& rect, unsigned flags,
                  uint32_t color) override;
    int MaxCharWidth(const FontSpec& font) override;
    void DrawLine(int x1, int y1, int x2, int y2, int pen_width, PenDash dash) override;
    void DrawBox(const DeviceRect& rect, int pen_width, PenDash dash, Brush fill) override;
    bool ImageSize(const std::string& path, int& width, int& height) override;
    bool DrawImage(const std::string& path, const DeviceRect& target) override;

    // Images the renderer pretends to read: path -> size in pixels.
    struct FakeImage {
        std::string path;
        int width = 0;
        int height = 0;
    };
    std::vector<FakeImage> images;

    std::vector<RecordedOp> ops;

    // The text operations only, in drawing order.
    std::vector<RecordedOp> Texts() const;
    // The first text operation whose text equals `text`.
    std::optional<RecordedOp> FindText(std::string_view text) const;
    // The texts as lines: operations whose tops are equal form one line, joined
    // left to right with " | ", lines top to bottom.
    std::vector<std::string> TextLines() const;

private:
    int dpi_x_;
    int dpi_y_;
};

}  // namespace quorven
