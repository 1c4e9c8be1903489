#include "app/platform/form_controls.h"

#include <QComboBox>
#include <QEvent>
#include <QSignalBlocker>
#include <QWidget>

namespace quorven {

FocusOutCommit::FocusOutCommit(QWidget* control, std::function<void()> commit)
    : QObject(control), commit_(std::move(commit)) {
    control->installEventFilter(this);
}

bool FocusOutCommit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !running_ && commit_) {
        running_ = true;
        commit_();
        running_ = false;
    }
    return QObject::eventFilter(watched, event);
}

void FillCombo(QComboBox& combo, const QStringList& items, int selected) {
    const QSignalBlocker block(&combo);
    combo.clear();
    combo.addItems(items);
    combo.setCurrentIndex(selected >= 0 && selected < items.size() ? selected : -1);
}

}  // namespace quorven
