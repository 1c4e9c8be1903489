#pragma once
// printf-style formatting that never depends on the process locale (the desktop
// program runs under the user's locale, where printf may write a decimal comma).
// Supports %[-+ 0#][width][.precision] with f, e, E, g, G, d, i, s and %%.
// Missing arguments format as 0 or ""; the output has no length limit.

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace quorven {

using FormatArg = std::variant<double, long long, std::string_view>;

std::string CFormat(std::string_view format, std::initializer_list<FormatArg> args);

// Locale-free reading of a decimal number: the whole text must be a finite number.
bool ParseFiniteDouble(std::string_view text, double& out);

}  // namespace quorven
