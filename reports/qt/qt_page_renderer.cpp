#include "reports/qt/qt_page_renderer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstddef>

#include "record/text_codec.h"

namespace quorven {
namespace {

QString FromCp1252(std::string_view text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

int QtFlags(unsigned flags) {
    int f = 0;
    if (flags & TextFlag::kCenter)
        f |= Qt::AlignHCenter;
    else if (flags & TextFlag::kRight)
        f |= Qt::AlignRight;
    else
        f |= Qt::AlignLeft;
    f |= (flags & TextFlag::kVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
    if (flags & TextFlag::kExpandTabs) f |= Qt::TextExpandTabs;
    if (flags & TextFlag::kNoClip) f |= Qt::TextDontClip;
    f |= (flags & TextFlag::kSingleLine) ? Qt::TextSingleLine : Qt::TextWordWrap;
    return f;
}

QRect ToQRect(const DeviceRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QColor BrushColor(Brush b) {
    switch (b) {
        case Brush::Gray:
            return QColor(128, 128, 128);
        case Brush::LightGray:
            return QColor(192, 192, 192);
        case Brush::DarkGray:
            return QColor(64, 64, 64);
        case Brush::Black:
            return QColor(0, 0, 0);
        case Brush::Hollow:
            break;
    }
    return QColor();
}

// A black pen of `width` dots. Dashes are set out explicitly in inches (Qt scales
// a pattern by the pen width, which at 600 dpi would close the gaps).
QPen ReportPen(int width, PenDash dash, int dpi) {
    QPen pen(Qt::black);
    pen.setWidth(std::max(width, 1));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (dash == PenDash::Solid) return pen;
    const double w = std::max(width, 1);
    const double dash_len = 0.05 * dpi / w;
    const double dot_len = 0.01 * dpi / w;
    const double gap = 0.025 * dpi / w;
    QList<qreal> pattern;
    switch (dash) {
        case PenDash::Dash:
            pattern = {dash_len, gap};
            break;
        case PenDash::Dot:
            pattern = {dot_len, gap};
            break;
        case PenDash::DashDot:
            pattern = {dash_len, gap, dot_len, gap};
            break;
        case PenDash::DashDotDot:
            pattern = {dash_len, gap, dot_len, gap, dot_len, gap};
            break;
        case PenDash::Solid:
            break;
    }
    pen.setDashPattern(pattern);
    return pen;
}

}  // namespace

QString ReportFontFamily(std::string_view face) {
    std::string key(face);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    struct Pin {
        const char* face;
        const char* family;
    };
    constexpr Pin kPins[] = {
        {"times roman", "Liberation Serif"},  {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},        {"tms rmn", "Liberation Serif"},
        {"arial", "Liberation Sans"},         {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"}, {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
    };
    for (const Pin& p : kPins)
        if (key == p.face) return QString::fromLatin1(p.family);
    const QString own = FromCp1252(face);
    if (!own.isEmpty() && QFontDatabase::hasFamily(own)) return own;
    return QStringLiteral("Liberation Serif");
}

QFont ReportFont(const FontSpec& wanted) {
    QFont f(ReportFontFamily(wanted.face));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(wanted.pixel_height, 1));
    f.setBold(wanted.bold);
    f.setItalic(wanted.italic);
    f.setUnderline(wanted.underline);
    f.setStrikeOut(wanted.strike_out);
    return f;
}

QtPageRenderer::QtPageRenderer(QPainter& painter, int dpi_x, int dpi_y)
    : painter_(painter), dpi_x_(dpi_x), dpi_y_(dpi_y) {}

const QFont& QtPageRenderer::FontOf(const FontSpec& font) {
    std::string key = font.face;
    key += '|';
    key += std::to_string(font.pixel_height);
    key += font.bold ? 'b' : '-';
    key += font.italic ? 'i' : '-';
    key += font.underline ? 'u' : '-';
    key += font.strike_out ? 's' : '-';
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(key, ReportFont(font)).first;
    return it->second;
}

DeviceRect QtPageRenderer::MeasureText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                                       unsigned flags) {
    const QFontMetrics fm(FontOf(font), painter_.device());
    const int width = std::max(rect.right - rect.left, 1);
    const int align_free = QtFlags(flags) & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter);
    const QRect br = fm.boundingRect(QRect(rect.left, rect.top, width, 1 << 24), align_free | Qt::AlignLeft,
                                     FromCp1252(text));
    DeviceRect out = rect;
    out.right = rect.left + br.width();
    out.bottom = rect.top + br.height();
    return out;
}

void QtPageRenderer::DrawText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                              unsigned flags, uint32_t color) {
    painter_.setFont(FontOf(font));
    painter_.setPen(QColor::fromRgb(color));
    painter_.drawText(ToQRect(rect), QtFlags(flags), FromCp1252(text));
}

int QtPageRenderer::MaxCharWidth(const FontSpec& font) {
    return QFontMetrics(FontOf(font), painter_.device()).maxWidth();
}

void QtPageRenderer::DrawLine(int x1, int y1, int x2, int y2, int pen_width, PenDash dash) {
    painter_.setPen(ReportPen(pen_width, dash, dpi_x_));
    painter_.drawLine(x1, y1, x2, y2);
}

void QtPageRenderer::DrawBox(const DeviceRect& rect, int pen_width, PenDash dash, Brush fill) {
    painter_.setPen(ReportPen(pen_width, dash, dpi_x_));
    if (fill == Brush::Hollow)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(BrushColor(fill));
    const QPoint corners[] = {
        {rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}};
    painter_.drawPolygon(corners, 4);
    painter_.setBrush(Qt::NoBrush);
}

const QImage* QtPageRenderer::ImageOf(const std::string& path) {
    auto it = images_.find(path);
    if (it == images_.end()) it = images_.emplace(path, QImage(QString::fromStdString(path))).first;
    return it->second.isNull() ? nullptr : &it->second;
}

bool QtPageRenderer::ImageSize(const std::string& path, int& width, int& height) {
    const QImage* image = ImageOf(path);
    if (!image) return false;
    width = image->width();
    height = image->height();
    return true;
}

bool QtPageRenderer::DrawImage(const std::string& path, const DeviceRect& target) {
    const QImage* image = ImageOf(path);
    if (!image) return false;
    painter_.drawImage(ToQRect(target), *image);
    return true;
}

}  // namespace quorven
