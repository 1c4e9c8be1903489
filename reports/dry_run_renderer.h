#pragma once
// A renderer that measures text on another device and draws nothing: a report
// laid out on it learns where its lines end on that device without a mark on the
// page.

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
    void DrawText(std::string_view, const FontSpec&, const DeviceRect&, unsigned, uint32_t) override {}
    int MaxCharWidth(const FontSpec& font) override { return device_.MaxCharWidth(font); }
    void DrawLine(int, int, int, int, int, PenDash) override {}
    void DrawBox(const DeviceRect&, int, PenDash, Brush) override {}
    bool ImageSize(const std::string&, int&, int&) override { return false; }
    bool DrawImage(const std::string&, const DeviceRect&) override { return false; }

private:
    PageRenderer& device_;
};

}  // namespace quorven
