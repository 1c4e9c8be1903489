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
// a typed value is read, converted and stored. With OnReturn, Return and Enter also
// commit, the focus staying in the control with its text selected (the main form);
// otherwise Return alone does not commit (a dialog's Return presses its default
// button, which takes the focus and so commits). A commit that shows a message box
// takes the focus away again; that second focus-out, while the first commit still
// runs, is ignored.
class FocusOutCommit final : public QObject {
    Q_OBJECT
public:
    enum class Keys { FocusOnly, OnReturn };
    FocusOutCommit(QWidget* control, std::function<void()> commit, Keys keys = Keys::FocusOnly);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run();

    std::function<void()> commit_;
    Keys keys_;
    bool running_ = false;
};

// A mouse click into `edit` while it has no focus selects its whole text, as Tab
// does, so that typing replaces the value; a read-only edit only takes the focus.
// `edit` may also be an editable drop-down: a click into its edit does the same.
class SelectAllOnClick final : public QObject {
    Q_OBJECT
public:
    explicit SelectAllOnClick(QWidget* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool focus_by_click_ = false;
};

// Replaces the entries of `combo` and selects `selected` (none when out of range),
// with its signals blocked so no handler runs for the program's own filling.
void FillCombo(QComboBox& combo, const QStringList& items, int selected);

}  // namespace quorven
