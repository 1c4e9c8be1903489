#pragma once
// The files of a project and their formats below the record level: the paths that
// share one directory and one name, the 24-byte index entries, and the journal
// that lets an interrupted change be finished or undone at the next open.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorven {

inline constexpr std::size_t kRecordSize = 2800;
inline constexpr std::size_t kIndexEntrySize = 24;
inline constexpr std::size_t kIndexKeySize = 20;  // tag number and its terminator, zero-padded
inline constexpr std::size_t kTagNoMax = 18;      // characters of a tag number

// "DIR/NAME" + extension. `dir` is empty or ends with '/'.
struct ProjectPaths {
    std::string dir;
    std::string name;

    std::string With(std::string_view ext) const { return dir + name + std::string(ext); }
    std::string Settings() const { return With(".fil"); }
    std::string Records() const { return With(".fdb"); }
    std::string Index() const { return With(".idx"); }
    std::string UpgradeTemp() const { return With(".tmp"); }  // new record file while upgrading
    std::string SwapTemp() const { return With(".$$$"); }     // new index while upgrading
    std::string Journal() const { return With(".jnl"); }      // an unfinished change, see Journal
    // New files written beside the project's before they replace them.
    std::string PackRecordsTemp() const { return With(".fdb-pack"); }      // record file, packed
    std::string PackIndexTemp() const { return With(".idx-pack"); }        // its index
    std::string BatchRecordsTemp() const { return With(".fdb-batch"); }    // record file, recalculated
    std::string ImportRecordsTemp() const { return With(".fdb-import"); }  // record file with imported tags
    std::string ImportIndexTemp() const { return With(".idx-import"); }    // its index
    std::string BatchStatus() const { return With(".txt"); }            // the batch calculation status file
    std::string BatchStatusTemp() const { return With(".txt-batch"); }  // the status file being written
    // Every temporary name above: one left at open belongs to a change that never
    // counted (or, listed in a journal, that the journal completes).
    std::vector<std::string> Temporaries() const {
        return {UpgradeTemp(),      SwapTemp(),          PackRecordsTemp(), PackIndexTemp(),
                BatchRecordsTemp(), ImportRecordsTemp(), ImportIndexTemp(), BatchStatusTemp()};
    }
};

// The paths of the project whose settings file is `settings_path` ("DIR/NAME.fil";
// the extension, whatever it is, is dropped).
ProjectPaths ProjectPathsOf(const std::string& settings_path);

// --- Index entries ------------------------------------------------------------
enum class EntryState {
    Valid,
    KeyTooLong,   // no terminator within 19 bytes: no record's tag number can match it
    BadPosition,  // negative or not a multiple of 2800
    PastEnd,      // the record would reach past the end of the record file
};

struct IndexEntry {
    std::string tag;  // the key up to its terminator
    int32_t position = 0;
    EntryState state = EntryState::Valid;
};

struct ParsedIndex {
    std::vector<IndexEntry> entries;  // every whole entry, in file order
    std::size_t bad_entries = 0;      // entries not Valid
    std::size_t tail_bytes = 0;       // bytes after the last whole entry
    int64_t max_valid_position = -1;  // highest position of a valid entry
};

// Reads index bytes against the length of the record file they point into.
ParsedIndex ParseIndex(std::string_view bytes, uint64_t record_file_size);

// One entry: the tag number NUL-terminated and zero-padded to 20 bytes, then the
// int32 position, little-endian.
std::string IndexEntryBytes(std::string_view tag, int32_t position);

// The raw key of entry i of index bytes, up to its terminator.
std::string_view EntryKey(std::string_view index_bytes, std::size_t i);

// --- Journal ------------------------------------------------------------------
// A journal beside the project files (NAME.jnl) says how to end a change that was
// interrupted: either put back one record as it was before it was overwritten, or
// complete a set of renames that replace the record and index files together.
struct Journal {
    enum class Kind { RestoreRecord, Renames };
    Kind kind = Kind::RestoreRecord;
    uint64_t position = 0;   // RestoreRecord: where the record lies
    std::string old_record;  // RestoreRecord: its 2800 bytes before the change
    std::vector<std::pair<std::string, std::string>> renames;  // Renames: file names in the project directory
};

std::string JournalBytes(const Journal& j);
// A journal read from disk; nothing when it is incomplete or damaged, or names a
// file outside the project directory.
std::optional<Journal> ParseJournal(std::string_view bytes);

}  // namespace quorven
