#pragma once
// Small Qt-free pieces of the program's start-up: the date and version texts, the
// project path named on the command line, the recent-file list and where the
// program keeps its configuration and user data.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "record/tag_record.h"

namespace quorven {

// "10 Dec 2026": day, three-letter English month, four-digit year ("%d %3s %4d"),
// the date text of the document, of the record's Date and of batch runs.
// Month names never follow the user's locale. A month outside 1..12 gives "".
std::string DateText(int year, int month, int day);
// Today's date, local time, as DateText.
std::string TodayDateText();

// "4.4.0": the program version from the record's release fields.
std::string VersionText(const TagRecord& r);
// "Quorven 4.4.0": what `quorven --version` prints.
std::string ProgramNameAndVersion();

// The project file named on the command line: quotes removed and a relative name
// taken relative to the directory the program was started from. Empty when
// nothing is left after removing the quotes.
std::filesystem::path ResolveStartupPath(std::string_view argument, const std::filesystem::path& start_dir);

inline constexpr std::size_t kRecentFileMax = 4;
// Puts `path` first, drops an older copy of it and anything beyond four entries.
std::vector<std::string> AddRecentFile(std::vector<std::string> list, const std::string& path);
// A list read from the profile: empty and repeated names dropped, at most four.
std::vector<std::string> CleanRecentFiles(const std::vector<std::string>& list);

// The configuration file and user data live in the program directory when the
// program may write there, otherwise in the per-user configuration directory.
std::filesystem::path UserDataDirectory(const std::filesystem::path& program_dir,
                                        const std::filesystem::path& per_user_dir);
// True when a file can be created in `dir` (tried with a probe file that is removed).
bool IsDirectoryWritable(const std::filesystem::path& dir);

}  // namespace quorven

namespace quorven {

// A chooser filter in the "Text (*.a;*.b)|*.a;*.b|...||" form the commands pass,
// turned into the ";;"-separated list of "Text (*.a *.b)" that Qt choosers take.
std::string ChooserFilterText(std::string_view pipe_filter);
// `path` with ".ext" appended when its file name has no extension (ext without dot).
std::string WithDefaultExtension(const std::string& path, std::string_view ext);

}  // namespace quorven
