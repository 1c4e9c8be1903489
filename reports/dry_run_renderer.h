#pragma once
// A renderer that measures text on another device and draws nothing: a report
// laid out on it learns where its lines end on that device without a mark on the
// page.

#include <algorithm>
#include <vector>

#include "reports/page_renderer.h"

namespace quorven {

class DryRunRenderer final : public PageRenderer {
public:
    explicit DryRunRenderer(PageRenderer& device) : device_(device) {}

    int DotsPerInchX() const override { return device_.DotsPerInchX(); }
    int DotsPerInchY() const override { return device_.DotsPerInchY(); }
    DeviceRect MeasureText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                           unsigned flags) override {
        return device_.MeasureText(text, font, rect, flags);
    }
    // Keeps where the text's glyphs would be, so that a layout can be checked before
    // it is drawn.
    void DrawText(std::string_view text, const FontSpec& font, const DeviceRect& rect, unsigned flags,
                  uint32_t) override {
        DeviceRect ink = device_.MeasureText(text, font, rect, flags);
        const int width = ink.right - ink.left;
        if (flags & TextFlag::kCenter)
            ink.left = rect.left + (rect.right - rect.left - width) / 2;
        else if (flags & TextFlag::kRight)
            ink.left = rect.right - width;
        ink.right = ink.left + width;
        if (!(flags & TextFlag::kNoClip) && rect.right > rect.left)
            ink.right = std::min(ink.right, rect.right);
        texts_.push_back(ink);
    }
    int MaxCharWidth(const FontSpec& font) override { return device_.MaxCharWidth(font); }
    void DrawLine(int, int, int, int, int, PenDash) override {}
    void DrawBox(const DeviceRect&, int, PenDash, Brush) override {}
    bool ImageSize(const std::string&, int&, int&) override { return false; }
    bool DrawImage(const std::string&, const DeviceRect&) override { return false; }

    // Whether two of the texts drawn so far would overlap on the page.
    bool TextsOverlap() const {
        for (std::size_t i = 0; i < texts_.size(); ++i)
            for (std::size_t j = i + 1; j < texts_.size(); ++j) {
                const DeviceRect& a = texts_[i];
                const DeviceRect& b = texts_[j];
                if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) return true;
            }
        return false;
    }
    // The lowest edge of the texts drawn so far (device units); 0 when none was.
    int LowestText() const {
        int lowest = 0;
        for (const DeviceRect& t : texts_) lowest = std::max(lowest, t.bottom);
        return lowest;
    }

private:
    PageRenderer& device_;
    std::vector<DeviceRect> texts_;
};

}  // namespace quorven
