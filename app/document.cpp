#include "app/document.h"

#include "app/commands/shell_texts.h"
#include "project/project_commands.h"

namespace quorven {

CQuorven64Doc::CQuorven64Doc(QObject* parent) : QObject(parent) {}

void CQuorven64Doc::FirstUpdate(const std::string& program_directory, const std::string& configuration_dir,
                                MessageSink* sink) {
    version_text = VersionText(record);
    date_text = TodayDateText();
    SetText(record.Date, date_text);
    program_dir = program_directory;
    project_dir = program_directory.empty() || program_directory.back() == '/' ? program_directory
                                                                               : program_directory + "/";
    project_name.clear();
    config_dir = configuration_dir;
    if (!config_dir.empty()) {
        NullMessageSink quiet;
        LoadConfiguration(*this, sink != nullptr ? *sink : quiet);
    }
    title = QStringLiteral("Std Screen");
    NotifyRecordChanged();
    // After the form's first drawing, which may still store a display value.
    MarkBaseline();
}

}  // namespace quorven
