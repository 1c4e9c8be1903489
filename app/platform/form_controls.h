#pragma once
// Helpers for form controls: the commit of an edit when it loses the focus, and
// filling a combo box without firing its change signals.

#include <QObject>
#include <QStringList>
#include <functional>

class QComboBox;
class QWidget;

namespace quorven {

// Calls `commit` each time `control` loses the keyboard focus: the point at which
// a typed value is read, converted and stored. Return alone does not commit. A
// commit that shows a message box takes the focus away again; that second
// focus-out, while the first commit still runs, is ignored.
class FocusOutCommit final : public QObject {
    Q_OBJECT
public:
    FocusOutCommit(QWidget* control, std::function<void()> commit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> commit_;
    bool running_ = false;
};

// Replaces the entries of `combo` and selects `selected` (none when out of range),
// with its signals blocked so no handler runs for the program's own filling.
void FillCombo(QComboBox& combo, const QStringList& items, int selected);

}  // namespace quorven
