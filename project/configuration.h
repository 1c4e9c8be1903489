#pragma once
// The configuration file ("quorven.cfg" beside the program, or in the per-user
// configuration directory when the program directory cannot be written): one
// 3352-byte settings block, the defaults of every new document and of projects
// whose own settings file is missing or damaged. It is replaced whole at every
// change of these settings.

#include <string>

#include "messages/messages.h"
#include "project/project_settings.h"
#include "record/file_io.h"
#include "record/tag_record.h"

namespace quorven {

inline constexpr const char* kConfigFileName = "quorven.cfg";

// dir + "/quorven.cfg".
std::string ConfigPath(const std::string& dir);

enum class SettingsRead {
    Read,     // exactly 3352 bytes, checked and taken
    Missing,  // no such file
    Refused,  // cannot be read, or not 3352 bytes long: the settings are unchanged
};

// A settings block from a file (a project's ".fil" or the configuration file). What
// the check repaired is returned in `repairs`.
SettingsRead ReadSettingsFile(FileLayer& files, const std::string& path, ProjectSettings& s,
                              std::vector<std::string>* repairs = nullptr);

// The configuration into `s`. A file that cannot be read or has the wrong length
// gives Error #1001 and leaves `s` as it was (the file too, until the next change of
// the settings replaces it).
SettingsRead ReadConfig(FileLayer& files, const std::string& path, ProjectSettings& s, MessageSink& sink);

// Replaces the configuration with `s`. Failure: Error #1002, or #1003 when the file
// there is damaged and stays so.
bool WriteConfig(FileLayer& files, const std::string& path, const ProjectSettings& s, MessageSink& sink);

// The default unit selections of the settings applied to a record: the six
// per-kind flow selections, the thirteen others and the pressure system, each
// unit's factor and name from the settings' lists, and the flow unit of the
// record's flow kind from its per-kind selection.
void ApplyUnitDefaults(TagRecord& r, const ProjectSettings& s);

}  // namespace quorven
