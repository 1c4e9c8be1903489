#include "app/document.h"

#include "app/commands/shell_texts.h"

namespace quorven {

CQuorven64Doc::CQuorven64Doc(QObject* parent) : QObject(parent), record(NewTagRecord()) {}

void CQuorven64Doc::FirstUpdate(const std::string& program_directory) {
    version_text = VersionText(record);
    date_text = TodayDateText();
    SetText(record.Date, date_text);
    program_dir = program_directory;
    project_dir = program_directory.empty() || program_directory.back() == '/' ? program_directory
                                                                               : program_directory + "/";
    project_name.clear();
    title = QStringLiteral("Std Screen");
    NotifyRecordChanged();
}

}  // namespace quorven
