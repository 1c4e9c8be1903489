#pragma once
// The splash window of start-up: a borderless picture in the middle of the
// screen for five seconds, closed at once by any key or mouse button.

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace quorven {

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 5000;

    // Shows itself; deletes itself when it closes.
    explicit CSplashWnd(QWidget* parent = nullptr);
    ~CSplashWnd() override;

    // The picture shown, drawn by the program (name, purpose, version).
    static QPixmap Picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap picture_;
    QTimer timer_;
};

}  // namespace quorven
