#include "project/project_document.h"

#include <cstring>

#include "project/configuration.h"

namespace quorven {

ProjectDocument::ProjectDocument()
    : record(NewTagRecord()),
      settings(DefaultProjectSettings()),
      unit_tables(DefaultUnitTables()),
      baseline(record) {}

ProjectDocument::~ProjectDocument() = default;

bool ProjectDocument::HasUnsavedEdits() const {
    return !tag_saved && std::memcmp(&record, &baseline, sizeof record) != 0;
}

ProjectSettings ProjectDocument::SettingsToWrite() const {
    ProjectSettings s = settings;
    StoreUnitTables(s, unit_tables);
    return s;
}

std::string ProjectDocument::ConfigFile() const {
    return ConfigPath(config_dir);
}

}  // namespace quorven
