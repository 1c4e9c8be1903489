#pragma once
// CDatabase: the tags of one project, a record file (NAME.fdb, 2800-byte records
// one after the other) and an index file (NAME.idx, 24-byte entries in the order
// they were appended). The index is read once when the project opens and kept in
// memory with a map from tag number to record position, so finding a tag never
// scans; it is read again only when the files changed under it.
//
// Every change leaves the project in its old or its new state, whatever step it
// is interrupted at:
// - a new tag: the record is written and synced first (at the end of the file or
//   over a dead record), then its index entry is appended; until the entry is on
//   the disk the record is a dead one;
// - a replaced tag: the record as it was goes to a journal (NAME.jnl) first; the
//   journal is removed once the new record is on the disk, and a journal found at
//   the next open puts the old record back;
// - a removed tag: the index is replaced whole;
// - new record and index files (upgrade, pack, rebuild): both are written under
//   temporary names and a journal lists the renames, which the next open completes.
// Opening finds what an interrupted change left behind, finishes or undoes it and
// says so.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "messages/messages.h"
#include "project/project_files.h"
#include "project/project_settings.h"
#include "record/file_io.h"
#include "record/record_check.h"
#include "record/tag_record.h"

namespace quorven {

// How WriteTag treats a tag number that is already stored.
enum class WriteMode {
    Ask = 1,      // Warning #21 asks before replacing
    Replace = 5,  // replaced without asking
    Batch = 6,    // replaced without asking (batch calculation)
};

enum class WriteOutcome { Saved, Declined, Failed };

// What opening found.
struct OpenFindings {
    bool index_missing = false;
    std::size_t bad_entries = 0;
    std::size_t index_tail = 0;          // bytes of an incomplete last index entry
    std::size_t record_tail = 0;         // bytes of an incomplete last record
    std::vector<std::string> recovered;  // interrupted changes finished or undone, one sentence each
};

class CDatabase {
public:
    CDatabase(FileLayer& files, ProjectPaths paths);

    const ProjectPaths& Paths() const { return paths_; }
    FileLayer& Files() { return files_; }

    // Finishes or undoes an interrupted change, reads the index and builds the
    // map. Every finding is reported through `sink`; an incomplete last index
    // entry or record is cut off when the user agrees.
    OpenFindings Open(MessageSink& sink);

    // Reads the files again when they changed since they were last read, after
    // finishing or undoing an interrupted change. Every operation below that
    // touches the files starts with it.
    void Sync(MessageSink& sink);

    // Whether the index file exists (after the last Open or Sync).
    bool IndexPresent() const { return index_present_; }
    // Every whole index entry in file order, bad ones marked.
    const std::vector<IndexEntry>& Entries() const { return index_.entries; }
    std::size_t BadEntries() const { return index_.bad_entries; }
    uint64_t RecordFileSize() const { return record_stamp_.size; }

    // The position of the first valid entry with this tag number (compared byte
    // for byte, case-sensitive), or -1. Looks at the map only.
    int64_t FindTag(std::string_view tag) const;

    // Reads a stored record into `out` and checks it (CheckRecord); `out` is
    // untouched on failure. A tag that is not stored gives false and no message.
    bool ReadTag(std::string_view tag, TagRecord& out, MessageSink& sink,
                 std::vector<RecordRepair>* repairs = nullptr);
    // The record at a position (Error #17 when no whole record lies there).
    bool ReadRecordAt(int64_t position, TagRecord& out, MessageSink& sink,
                      std::vector<RecordRepair>* repairs = nullptr);

    // Stores the record under its tag number: over its stored copy when the tag
    // exists (asking first in WriteMode::Ask), else as a new tag. Saved only when
    // the record and its entry are on the disk; on failure the error is shown and
    // the project is as it was.
    WriteOutcome WriteTag(const TagRecord& r, WriteMode mode, MessageSink& sink);

    // Removes every index entry with this tag number (the record stays in the file
    // as a dead one until the project is packed). False, with the error shown, when
    // the index cannot be replaced; the index is then as it was.
    bool RemoveTag(std::string_view tag, MessageSink& sink);

    // Replaces the record and the index file together by complete files written
    // beside them (new_records, new_index: paths in the project directory). Once a
    // journal listing both renames is on the disk the change counts as made: a later
    // open completes it. On failure before that, nothing changed.
    bool CommitNewFiles(const std::string& new_records, const std::string& new_index, MessageSink& sink);

    // The one-time upgrade of records of the previous format (Rec_Version4 not 1),
    // done only when every stored record is of that format and the user agrees:
    // pipe schedules move up by one for the materials whose schedule list gained
    // an entry, every record is marked as upgraded, and the new record and index
    // files replace the old ones together. Returns whether the files were upgraded.
    bool UpgradeIfNeeded(MessageSink& sink);

    // Creates the three files of a new project: the empty record and index files
    // first, the settings file last. Refuses (false, nothing written) when a
    // project of that name already holds tags or has a settings file. On a failed
    // write reports Error #47 and removes what it created.
    static bool CreateProject(FileLayer& files, const ProjectPaths& paths, const ProjectSettings& settings,
                              MessageSink& sink);

private:
    bool Recover(MessageSink& sink, std::vector<std::string>* recovered);
    void Load();
    bool Refresh();  // re-stat both files; true when they still match what was read
    WriteOutcome WriteNew(const TagRecord& r, std::string_view bytes, MessageSink& sink);
    WriteOutcome WriteOver(int64_t position, std::string_view bytes, MessageSink& sink);
    bool Fail(MessageSink& sink, int error);

    FileLayer& files_;
    ProjectPaths paths_;
    bool index_present_ = false;
    std::string index_bytes_;
    ParsedIndex index_;
    // Transparent hashing: a lookup by string_view makes no string.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, int32_t, KeyHash, std::equal_to<>> map_;
    FileStamp index_stamp_{};
    FileStamp record_stamp_{};
    bool record_present_ = false;
};

}  // namespace quorven
