#include "app/splash_wnd.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "app/commands/shell_texts.h"
#include "app/platform/qt_text.h"

namespace quorven {

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(Picture()) {
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.size());
    if (const QScreen* screen = QApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &QWidget::close);
    timer_.start(kShowMilliseconds);
    // A key or a click anywhere in the program closes the splash, as on the splash itself.
    qApp->installEventFilter(this);
    show();
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
}

QPixmap CSplashWnd::Picture() {
    QPixmap pixmap(480, 280);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, pixmap.height());
    sky.setColorAt(0.0, QColor(0x15, 0x42, 0x8B));
    sky.setColorAt(1.0, QColor(0x5B, 0x8F, 0xD0));
    p.fillRect(pixmap.rect(), sky);
    // An orifice plate between two flanges, seen in section.
    p.setPen(QPen(QColor(0xDF, 0xE9, 0xF5), 3));
    p.drawLine(40, 190, 200, 190);
    p.drawLine(40, 250, 200, 250);
    p.drawLine(240, 190, 440, 190);
    p.drawLine(240, 250, 440, 250);
    p.fillRect(216, 170, 8, 32, QColor(0xFF, 0xE2, 0x94));
    p.fillRect(216, 238, 8, 32, QColor(0xFF, 0xE2, 0x94));
    p.setPen(Qt::white);
    QFont title = p.font();
    title.setPointSize(34);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 30, pixmap.width(), 60), Qt::AlignCenter, QStringLiteral("Quorven"));
    QFont body = p.font();
    body.setPointSize(11);
    body.setBold(false);
    p.setFont(body);
    p.drawText(QRect(0, 92, pixmap.width(), 24), Qt::AlignCenter,
               QStringLiteral("Differential-pressure flow element sizing"));
    p.drawText(QRect(0, 118, pixmap.width(), 24), Qt::AlignCenter,
               QStringLiteral("Version ") + ToQString(VersionText(NewTagRecord())));
    p.setPen(QColor(0xDF, 0xE9, 0xF5));
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            timer_.stop();
            close();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quorven
