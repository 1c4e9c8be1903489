#pragma once
// The page layer's device on Qt: a QPainter on a QPdfWriter, a QPrinter or a
// print preview. Report faces are pinned to installed fonts so that a page is the
// same on every machine: the Windows faces the settings name ("Times Roman",
// "Times New Roman", "Arial", "Courier New") are drawn with the metric-compatible
// Liberation fonts.

#include <QFont>
#include <QImage>
#include <QString>
#include <map>
#include <string>
#include <string_view>

#include "reports/page_renderer.h"

class QPainter;

namespace quorven {

// The installed family a report face is drawn with: the Liberation family for the
// common Windows faces, the face itself when it is installed, Liberation Serif
// otherwise.
QString ReportFontFamily(std::string_view face);
QFont ReportFont(const FontSpec& font);

class QtPageRenderer final : public PageRenderer {
public:
    // Paints with `painter`, whose device has the given resolution; device
    // coordinates (0, 0) are the top-left corner of the printable area.
    QtPageRenderer(QPainter& painter, int dpi_x, int dpi_y);

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

private:
    const QFont& FontOf(const FontSpec& font);
    const QImage* ImageOf(const std::string& path);

    QPainter& painter_;
    int dpi_x_;
    int dpi_y_;
    // Fonts and images are made once per job: a batch prints the same few fonts
    // and the same logo on every page.
    std::map<std::string, QFont> fonts_;
    std::map<std::string, QImage> images_;
};

}  // namespace quorven
