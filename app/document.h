#pragma once
// The document of one project window: the Qt-free project document (the current
// tag record, the settings and unit lists, the document fields outside the record
// and the open project's database) with the window's title and the signal that
// tells the frame and the form that the record changed.

#include <QObject>
#include <QString>
#include <string>

#include "form/meter_choices.h"
#include "messages/messages.h"
#include "project/project_document.h"

namespace quorven {

class CQuorven64Doc : public QObject, public ProjectDocument {
    Q_OBJECT
public:
    explicit CQuorven64Doc(QObject* parent = nullptr);

    CritDropMemory last_critdrop;  // the last critical-drop meter type and material
    QString title;                 // the window's title: "Std Screen" or the project file name

    // First update of a new window: version and date texts (the date also into the
    // record's Date), the program directory, the configuration (read, or written
    // when there is none; skipped while `configuration_dir` is empty) and the
    // title "Std Screen".
    void FirstUpdate(const std::string& program_directory, const std::string& configuration_dir = {},
                     MessageSink* sink = nullptr);

    // Whoever changes the record says so; the frame then re-evaluates its commands
    // and status panes and the form redraws.
    void NotifyRecordChanged() { emit recordChanged(); }

signals:
    void recordChanged();
};

}  // namespace quorven
