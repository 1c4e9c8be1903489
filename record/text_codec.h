#pragma once
// Record texts are single-byte Windows-1252; the rest of the program speaks UTF-8.
// This is the one place that converts between them.

#include <string>
#include <string_view>

namespace quorven {

std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters with no Windows-1252 form, and malformed UTF-8 bytes, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace quorven
