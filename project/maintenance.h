#pragma once
// Project maintenance: packing the record file down to the records the index
// refers to, and rebuilding the index from the record file alone. Both write
// their new files under temporary names, check them, and put them in place only
// when they are complete (pack: the record and index files together), so the
// project is always either as it was or as it has become.

#include <cstddef>
#include <cstdint>

#include "messages/messages.h"
#include "project/bulk_files.h"
#include "project/database.h"

namespace quorven {

struct PackReport {
    bool packed = false;
    bool cancelled = false;
    std::size_t tags = 0;                 // records kept, one per index entry
    std::size_t dropped_entries = 0;      // entries that named no whole record: left out
    uint64_t old_size = 0, new_size = 0;  // of the record file
};

// Pack Project Database. Errors #101 (no index), #103 (no record file), #102 (the
// new files cannot be created), #104 (writing or putting them in place failed);
// on success "Project database packed successfully" (title "PACK UTILITY").
PackReport PackProject(CDatabase& db, MessageSink& sink, const ProgressFn& progress = {});

struct RebuildReport {
    bool rebuilt = false;
    bool cancelled = false;
    std::size_t tags = 0;              // entries written
    std::size_t deleted_records = 0;   // records of deleted tags (no tag number): left out
    std::size_t unusable_records = 0;  // tag numbers no index entry can hold: left out
};

// Rebuild Project Index: one entry for each record of the record file, in file
// order, except records of deleted tags and a record whose tag number equals the
// one of the record just before it. Error #34 when the record file cannot be read
// or the index cannot be written; on success "Project database reindexed
// successfully" (title "INDEX REBUILD UTILITY").
RebuildReport RebuildIndex(CDatabase& db, MessageSink& sink, const ProgressFn& progress = {});

}  // namespace quorven
