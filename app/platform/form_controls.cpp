#include "app/platform/form_controls.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QWidget>

namespace quorven {

FocusOutCommit::FocusOutCommit(QWidget* control, std::function<void()> commit, Keys keys)
    : QObject(control), commit_(std::move(commit)), keys_(keys) {
    control->installEventFilter(this);
}

void FocusOutCommit::Run() {
    if (running_ || !commit_) return;
    running_ = true;
    commit_();
    running_ = false;
}

bool FocusOutCommit::eventFilter(QObject* watched, QEvent* event) {
    // A drop-down that opens its own list has not been left: its typed text is
    // read when the focus really goes, or replaced by the entry chosen.
    if (event->type() == QEvent::FocusOut &&
        !(qobject_cast<QComboBox*>(watched) != nullptr &&
          static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason))
        Run();
    if (event->type() == QEvent::KeyPress && keys_ == Keys::OnReturn) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The commit may refresh the form (rewriting this text) or show a message.
            const QPointer<QObject> alive(watched);
            Run();
            if (auto* edit = qobject_cast<QLineEdit*>(alive.data()); edit != nullptr && edit->hasFocus())
                edit->selectAll();
            if (auto* combo = qobject_cast<QComboBox*>(alive.data());
                combo != nullptr && combo->hasFocus() && combo->lineEdit() != nullptr)
                combo->lineEdit()->selectAll();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

SelectAllOnClick::SelectAllOnClick(QWidget* edit) : QObject(edit) {
    edit->installEventFilter(this);
    // An editable drop-down takes the focus itself and hands the clicks to its edit.
    if (auto* combo = qobject_cast<QComboBox*>(edit); combo != nullptr && combo->lineEdit() != nullptr)
        combo->lineEdit()->installEventFilter(this);
}

bool SelectAllOnClick::eventFilter(QObject* watched, QEvent* event) {
    // The application gives the focus before the press reaches the edit; the press
    // that brought the focus is then taken here: left to the edit it would place
    // the cursor and drop the selection.
    if (event->type() == QEvent::FocusIn)
        focus_by_click_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
    if (event->type() == QEvent::FocusOut) focus_by_click_ = false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit != nullptr && event->type() == QEvent::MouseButtonPress && focus_by_click_) {
        focus_by_click_ = false;
        if (!edit->isReadOnly()) edit->selectAll();
        return true;
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
