#pragma once
// Numbers of the messages (in the tables of messages.cpp) that the project, tag,
// settings and configuration files raise.

namespace quorven::msg {

// Errors
inline constexpr int kErrCorruptDataFile = 17;   // record unreadable at its position
inline constexpr int kErrNoProjectOpen = 32;     // a tag command without an open project
inline constexpr int kErrIndexMissing = 35;      // Retrieve Tag: the index cannot be read
inline constexpr int kErrDatabaseOpen = 40;      // index or record file cannot be opened or created
inline constexpr int kErrIndexCorrupt = 41;      // no position for a write
inline constexpr int kErrDatabaseMissing = 42;   // record file cannot be opened for reading
inline constexpr int kErrDatabaseWrite = 43;     // a record or index write did not complete
inline constexpr int kErrProjectCreate = 47;     // settings, record or index file cannot be created
inline constexpr int kErrTagFileWrite = 48;      // tag file cannot be written
inline constexpr int kErrTagFileRead = 49;       // tag file cannot be read or has the wrong length
inline constexpr int kErrReindex = 34;           // Rebuild Project Index failed
inline constexpr int kErrStatusFileWrite = 36;   // the batch status file cannot be written
inline constexpr int kErrIndexUnreadable = 44;   // batch, export: the index cannot be read
inline constexpr int kErrStatusFileCreate = 45;  // the batch status file cannot be created
inline constexpr int kErrExportCreate = 46;      // the export file cannot be created
inline constexpr int kErrPackIndex = 101;        // Pack: the index cannot be read
inline constexpr int kErrPackTemp = 102;         // Pack: the new record file cannot be created
inline constexpr int kErrPackRecords = 103;      // Pack: the record file cannot be read
inline constexpr int kErrPackFailed = 104;       // Pack: writing or putting in place the new files failed
inline constexpr int kErrNotImportFile = 105;    // Import: the file is not an export of tags
inline constexpr int kErrNoMemory = 201;         // not enough memory for the operation
inline constexpr int kErrConfigRead = 1001;      // configuration file unreadable or damaged
inline constexpr int kErrConfigWrite = 1002;     // configuration file cannot be written
inline constexpr int kErrConfigCorrupt = 1003;   // a damaged configuration file cannot be replaced

// Warnings
inline constexpr int kWarnNoTagNumber = 5;       // Save Tag without a tag number
inline constexpr int kWarnReplaceTag = 21;       // the tag exists: replace it?
inline constexpr int kWarnDeleteReserved = 100;  // Delete Tag without a project index

}  // namespace quorven::msg
