#pragma once
// Batch Calc over a project: every tag in index order read, checked, calculated
// and, when calculated, stored; the status file (project name + ".txt") lists
// each tag's data and calculation errors. The project's record file is rewritten
// under a temporary name and put in place in one step at the end, so a failure,
// a cancel or a crash at any point leaves every tag as it was; the status file
// is put in place with it.

#include <cstddef>
#include <functional>
#include <string_view>

#include "messages/messages.h"
#include "project/batch.h"
#include "project/bulk_files.h"
#include "project/database.h"

namespace quorven {

struct BatchRunOptions {
    // The calculation and the threads to run it on; the project name and the
    // answer to the revision question are filled in by the run.
    BatchSettings settings;
    ProgressFn progress;  // tags done of all; false cancels
    // Each tag's result, in index order (after its record is queued for storing).
    std::function<void(std::string_view tag, const BatchTagResult&)> on_tag;
};

struct BatchRunReport {
    bool started = false;  // the user agreed to run it
    bool saved = false;    // the calculated tags are stored
    bool cancelled = false;
    bool status_written = false;
    std::size_t tags = 0, calculated = 0, data_errors = 0, not_calculated = 0, unreadable = 0;
};

// Batch Calc: Error #44 without an index; "This project database is empty ->
// aborting" for an empty one; Error #45 when the status file cannot be created;
// then the two questions ("Do you want to continue?" and the revision increment)
// through the sink, the run, and "Batch calculation for project complete!" with
// what was done.
BatchRunReport RunBatchCalculation(CDatabase& db, BatchRunOptions options, MessageSink& sink);

}  // namespace quorven
