#pragma once
// Whole-file reads and safe replacement of files. No function throws.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorven {

// The file's bytes, or nothing when it cannot be opened or is longer than max_bytes.
std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t max_bytes);

// Writes a temporary file beside `path`, flushes it to disk and renames it over
// `path`. On any failure the temporary file is removed, an earlier file at `path`
// is left whole, and false is returned.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace quorven
