#include "app/platform/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorven {
namespace {

constexpr int kSize = 32;
const QColor kOutline(0x40, 0x40, 0x48);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kText(0x80, 0x88, 0x98);

// A sheet with a few lines of text on it.
void Sheet(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(kText, 1.2));
    for (double y = r.top() + 4; y < r.bottom() - 2; y += 3.5)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void Draw(QPainter& p, ToolPicture picture) {
    switch (picture) {
        case ToolPicture::Print:
            Sheet(p, QRectF(9.5, 3.5, 13, 10));
            p.setPen(QPen(kOutline, 1.2));
            p.setBrush(QColor(0xA8, 0xB0, 0xBC));
            p.drawRoundedRect(QRectF(3.5, 12.5, 25, 11), 2, 2);
            p.setBrush(QColor(0x4C, 0xAF, 0x50));
            p.drawEllipse(QPointF(24.5, 16.5), 1.3, 1.3);
            Sheet(p, QRectF(9.5, 19.5, 13, 9));
            break;
        case ToolPicture::Preview: {
            Sheet(p, QRectF(4.5, 2.5, 17, 24));
            p.setPen(QPen(kOutline, 2.2));
            p.setBrush(QColor(0xD8, 0xEC, 0xFF, 0xC0));
            p.drawEllipse(QPointF(19, 19), 6, 6);
            p.setPen(QPen(QColor(0x70, 0x50, 0x30), 3.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(23.5, 23.5), QPointF(29, 29));
            break;
        }
        case ToolPicture::Copy:
            Sheet(p, QRectF(3.5, 3.5, 15, 19));
            Sheet(p, QRectF(12.5, 9.5, 15, 19));
            break;
        case ToolPicture::Paste:
            p.setPen(QPen(kOutline, 1.2));
            p.setBrush(QColor(0xB0, 0x7A, 0x45));
            p.drawRoundedRect(QRectF(5.5, 4.5, 21, 25), 2, 2);
            Sheet(p, QRectF(8.5, 8.5, 15, 18));
            p.setPen(QPen(kOutline, 1.2));
            p.setBrush(QColor(0xC8, 0xCC, 0xD4));
            p.drawRoundedRect(QRectF(11.5, 2.5, 9, 5), 1.5, 1.5);
            break;
        case ToolPicture::Calculate:
            p.setPen(QPen(kOutline, 1.2));
            p.setBrush(QColor(0x50, 0x58, 0x68));
            p.drawRoundedRect(QRectF(6.5, 2.5, 19, 27), 2.5, 2.5);
            p.setBrush(QColor(0xC8, 0xE6, 0xC0));
            p.drawRect(QRectF(9.5, 5.5, 13, 6));
            p.setPen(Qt::NoPen);
            for (int row = 0; row < 3; ++row) {
                for (int col = 0; col < 3; ++col) {
                    p.setBrush(row == 2 && col == 2 ? QColor(0xF0, 0x90, 0x30) : QColor(0xE8, 0xEA, 0xEE));
                    p.drawRect(QRectF(9.5 + col * 4.7, 14.5 + row * 4.7, 3.4, 3.4));
                }
            }
            break;
    }
}

}  // namespace

QIcon ToolIcon(ToolPicture picture) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, picture);
    p.end();
    return QIcon(pixmap);
}

}  // namespace quorven
