#pragma once
// The Calculate command as the batch calculation runs it on every tag of a
// project: the same unit refresh, input check, dispatch, mode steps and follow-on
// calculations, with the message boxes and the limit checks left out.

#include "form/calculate_command.h"
#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// True when the tag was calculated (the sizing, or for a critical-drop
// differential the choked differential, succeeded). `in.interactive` is ignored.
bool CalculateForBatch(TagRecord& r, const CalculateInputs& in, MessageSink& sink);

}  // namespace quorven
