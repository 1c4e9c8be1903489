#pragma once
// Driving modal dialogs and message boxes from a test: a timer polls for the
// modal widget and hands it to the test's code, which clicks or types.

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace quorven::testing {

// Calls `drive` with the first active modal widget that `accept` agrees to, once;
// gives up after about five seconds so a missing dialog fails the test instead
// of hanging it.
inline void WhenModalAppears(
    std::function<void(QWidget*)> drive,
    std::function<bool(QWidget*)> accept = [](QWidget*) { return true; }) {
    auto* timer = new QTimer;
    auto rounds = std::make_shared<int>(0);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, rounds, drive, accept] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && accept(modal)) {
            timer->stop();
            timer->deleteLater();
            drive(modal);
            return;
        }
        if (++*rounds > 250) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

template <typename T>
T* Find(QWidget* parent, int id) {
    return parent->findChild<T*>(QStringLiteral("id%1").arg(id));
}

}  // namespace quorven::testing
