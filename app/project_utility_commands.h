#pragma once
// The whole-project commands of the desktop: Batch Calc, Clear Calc, Export and
// Import ASCII File, Pack Project Database and Rebuild Project Index. The work is
// done by the Qt-free project code; here are the file choosers, the progress
// window that can cancel a long run (a cancelled run leaves the project as it
// was), and what becomes of the window's current tag.

#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "app/document.h"
#include "messages/messages.h"
#include "project/bulk_files.h"
#include "project/project_commands.h"

class QProgressDialog;
class QWidget;

namespace quorven {

// A progress window for one long run: it shows itself when the run lasts longer
// than the delay, counts "done of total" in `unit`, and its Cancel button makes
// the progress function answer false. Application-modal, so no other command
// runs while it is up.
class ProgressWindow {
public:
    ProgressWindow(QWidget* parent, QString title, QString what, QString unit);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    ProgressFn Fn();
    QProgressDialog& Dialog() { return *dialog_; }
    // Out of the way while a message or question is shown; the next step of a run
    // that goes on shows it again.
    void Hide();
    // The sink to give the run: it hides the window before each message.
    MessageSink& Sink(MessageSink& inner);

    // How long a run goes before its window shows (milliseconds); 0 shows it at
    // the first step. For the whole program run.
    static void SetShowDelay(int milliseconds);

private:
    bool Step(std::size_t done, std::size_t total);

    class HidingSink;
    std::unique_ptr<QProgressDialog> dialog_;
    std::unique_ptr<HidingSink> sink_;
    QElapsedTimer clock_;
    QString what_, unit_;
};

// The command of a menu id among the six; false for any other id. `doc` is the
// active window's document. The form is told when the current tag changed.
bool IsProjectUtilityCommand(int id);
void RunProjectUtilityCommand(QWidget* parent, int id, CQuorven64Doc& doc, CommandUi& ui);

}  // namespace quorven
