#pragma once
// Record texts are single-byte Windows-1252; the rest of the program speaks UTF-8.
// This is the one place that converts between them.

#include <optional>
#include <string>
#include <string_view>

namespace quorven {

std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters with no Windows-1252 form, and malformed UTF-8 bytes, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// The same conversion for text that is to be stored: nothing when a character has
// no Windows-1252 form or the bytes are not UTF-8, so "Ω-1" is refused rather than
// stored as "?-1".
std::optional<std::string> Utf8ToCp1252Exact(std::string_view utf8);

}  // namespace quorven
