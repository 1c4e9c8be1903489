#pragma once
// What one project window holds, without its window: the current tag record, the
// project's settings and unit lists, the document fields outside the record and,
// while a project is open, its database.

#include <memory>
#include <string>

#include "project/database.h"
#include "project/project_settings.h"
#include "record/file_io.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

namespace quorven {

struct ProjectDocument {
    ProjectDocument();
    virtual ~ProjectDocument();
    ProjectDocument(const ProjectDocument&) = delete;
    ProjectDocument& operator=(const ProjectDocument&) = delete;

    TagRecord record;
    ProjectSettings settings;   // company and customer data, page layout, unit defaults
    UnitTables unit_tables;     // the unit lists in use (kept in `settings` when written)
    bool project_open = false;  // ProjectOpen
    bool tag_saved = false;     // TagSaved: the record equals its stored copy
    std::string program_dir;    // ProgramDir
    std::string config_dir;     // where quorven.cfg is kept; empty: no configuration file
    std::string project_dir;    // ProjectDir, ending with '/'
    std::string project_name;   // ProjectName
    std::string version_text;   // "4.4.0"
    std::string date_text;      // "10 Dec 2026"
    FileLayer* files = &DiskFiles();
    std::unique_ptr<CDatabase> database;  // the open project's tags

    // The record as it was last started, read or stored: edits since then are
    // unsaved work, and commands that would discard it ask first.
    TagRecord baseline;
    void MarkBaseline() { baseline = record; }
    bool HasUnsavedEdits() const;

    // The settings as they are written: the unit lists in use stored in the block.
    ProjectSettings SettingsToWrite() const;
    std::string ConfigFile() const;
    std::string SettingsFile() const { return project_dir + project_name + ".fil"; }
};

}  // namespace quorven
