#pragma once
// The batch calculation status file (project name + ".txt"): a plain text report
// with Windows line ends of every tag's data and calculation errors, rebuilt at
// every batch run and kept for the user to read.

#include <string>
#include <string_view>

namespace quorven {

// "\n\n\nQuorven batch calculation status file for project NAME.\n"
std::string StatusHeading(std::string_view project_name);

// The calculation block of a tag that passed the data check: "No errors!" when it
// was calculated (and stored), otherwise the note that it would not iterate.
std::string_view CalculationBlock(bool calculated);

// A tag whose stored record could not be read: its number and the note that it
// was skipped.
std::string UnreadableTagBlock(std::string_view tag_no);

// The closing lines of a run that changed no tag: cancelled by the user, or the
// project files could not be replaced (`reason`, one sentence).
std::string NotSavedBlock(std::string_view reason);

// The text with every "\n" written as "\r\n" (a "\r\n" already there is kept).
std::string WithWindowsLineEnds(std::string_view text);

}  // namespace quorven
