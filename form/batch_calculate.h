#pragma once
// The Calculate command as the batch calculation runs it on every tag of a
// project: the same unit refresh, input check, dispatch, mode steps and follow-on
// calculations, with the message boxes and the limit checks left out; and the
// Batch Calc command on a project document.

#include <functional>
#include <string_view>

#include "form/calculate_command.h"
#include "messages/messages.h"
#include "project/batch_run.h"
#include "project/project_document.h"
#include "record/tag_record.h"

namespace quorven {

// True when the tag was calculated (the sizing, or for a critical-drop
// differential the choked differential, succeeded). `in.interactive` is ignored.
bool CalculateForBatch(TagRecord& r, const CalculateInputs& in, MessageSink& sink);

// The batch's calculation for the document's project: its unit lists, the
// document's date text, the company data user name, and the default-project rule
// for the record format marker. The document must outlive the function.
BatchCalculateFn BatchCalculationOf(const ProjectDocument& doc);

// Batch Calc (command 32816) on the document's open project, on as many threads
// as the machine has cores (at most four). The current tag is not touched, except
// that a tag without unsaved edits that the batch stored anew is read again.
BatchRunReport BatchCalcCommand(ProjectDocument& doc, MessageSink& sink, const ProgressFn& progress = {},
                                std::function<void(std::string_view, const BatchTagResult&)> on_tag = {});

}  // namespace quorven
