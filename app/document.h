#pragma once
// The document of one project window: the current tag record and the document
// fields outside it. The project settings block joins it with the project files.

#include <QObject>
#include <QString>
#include <string>

#include "form/meter_choices.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

class CQuorven64Doc : public QObject {
    Q_OBJECT
public:
    explicit CQuorven64Doc(QObject* parent = nullptr);

    TagRecord record;
    UnitTables unit_tables = DefaultUnitTables();        // the document's unit lists
    UnitDefaults unit_defaults = DefaultUnitDefaults();  // the remembered gas and liquid equation choices
    bool project_open = false;                           // ProjectOpen
    bool tag_saved = false;                              // TagSaved: the record equals its stored copy
    CritDropMemory last_critdrop;                        // the last critical-drop meter type and material
    std::string program_dir;                             // ProgramDir
    std::string project_dir;                             // ProjectDir
    std::string project_name;                            // ProjectName
    std::string version_text;                            // "4.4.0"
    std::string date_text;                               // "10 Dec 2026"
    QString title;  // the window's title: "Std Screen" or the project file name

    // First update of a new window: version and date texts (the date also into the
    // record's Date), the program directory and the title "Std Screen".
    void FirstUpdate(const std::string& program_directory);

    // Whoever changes the record says so; the frame then re-evaluates its commands
    // and status panes and the form redraws.
    void NotifyRecordChanged() { emit recordChanged(); }

signals:
    void recordChanged();
};

}  // namespace quorven
