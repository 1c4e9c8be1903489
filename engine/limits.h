#pragma once
// Validity limits of a sized meter: after a successful sizing the result is held
// against the range of validity of the meter type and its coefficient standard,
// and every limit exceeded is warned about. The warnings never change the result.

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// Shows the limit warnings in their fixed order (interactive only), then, when one
// was shown, asks "PRINT NOTICE" whether to suppress them: Yes sets Calc_Status 20.
// Call it last, after the solver has set Calc_Status 1.
//
// A critical-drop device sized to a beta above 0.9 is voided: Error #31 (shown only
// interactively), Calc_Status 0, and the sized Beta and Bore cleared when the bore
// was the result; an entered bore is kept. Returns false for a voided calculation.
bool CheckLimits(TagRecord& r, MessageSink& sink, bool interactive);

}  // namespace quorven
