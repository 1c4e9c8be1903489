#pragma once
// Batch calculation: every tag of a project recalculated with its input data
// checked first, each tag's data and calculation errors written to the status
// file, every calculated tag stored back. This part works on records in memory;
// the project files are read and written by the batch run over the database.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// The calculation of one tag, as the Calculate command does it without message
// boxes: true when the tag was calculated and may be stored. Messages go to the
// sink. It is called from several threads at once, each with its own record and
// sink, so it must keep no state of its own.
using BatchCalculateFn = std::function<bool(TagRecord&, MessageSink&)>;

struct BatchSettings {
    // A project other than the default "Project" marks its records as of the
    // current format (Rec_Version4 = 1).
    std::string project_name;
    // The answer to "Do you want to Increment the revision number for each
    // calculation?": every tag read gets Calc_Rev + 1 (stored only with the tag).
    bool increment_revision = false;
    BatchCalculateFn calculate;
    // Threads that calculate at once (at least 1).
    unsigned threads = 1;
};

enum class BatchOutcome {
    Calculated,     // data complete, calculated: stored
    DataErrors,     // data check failed: not calculated, not stored
    NotCalculated,  // the calculation failed: not stored
    Unreadable,     // the stored record could not be read: skipped
};

struct BatchTagResult {
    BatchOutcome outcome = BatchOutcome::Unreadable;
    std::string status;                 // the tag's part of the status file ("\n" line ends)
    std::vector<std::string> messages;  // "Error #N: text" / "Warning #N: text" of its calculation
};

// One tag read from the project: revision, data check, calculation. The record
// holds what is to be stored when the outcome is Calculated.
BatchTagResult BatchOneTag(TagRecord& r, const BatchSettings& s);

// BatchOneTag for each tag whose `readable` flag is set, spread over s.threads
// threads; results[i] belongs to tags[i]. A tag that is not readable gets the
// Unreadable block with the tag number given in `tag_numbers`.
void BatchTags(std::span<TagRecord> tags, std::span<const char> readable,
               std::span<const std::string> tag_numbers, std::span<BatchTagResult> results,
               const BatchSettings& s);

}  // namespace quorven
