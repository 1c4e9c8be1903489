#include "record/cformat.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <vector>

namespace quorven {
namespace {

struct Conversion {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = 0;
    int precision = -1;
    char conv = 0;
};

double AsDouble(const FormatArg* a) {
    if (!a) return 0.0;
    if (const double* d = std::get_if<double>(a)) return *d;
    if (const long long* i = std::get_if<long long>(a)) return static_cast<double>(*i);
    return 0.0;
}

long long AsInt(const FormatArg* a) {
    if (!a) return 0;
    if (const long long* i = std::get_if<long long>(a)) return *i;
    if (const double* d = std::get_if<double>(a)) {
        if (!std::isfinite(*d) || std::fabs(*d) > 9.2e18) return 0;
        return static_cast<long long>(*d);
    }
    return 0;
}

std::string FormatDouble(double v, const Conversion& s) {
    if (!std::isfinite(v)) return std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf");
    const int prec = s.precision < 0 ? 6 : s.precision;
    std::chars_format fmt = std::chars_format::fixed;
    if (s.conv == 'e' || s.conv == 'E') fmt = std::chars_format::scientific;
    if (s.conv == 'g' || s.conv == 'G') fmt = std::chars_format::general;
    // Room for the largest fixed value (about 309 digits) and the precision.
    std::vector<char> buf(400 + static_cast<std::size_t>(prec));
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, fmt,
                                   (s.conv == 'g' || s.conv == 'G') && prec == 0 ? 1 : prec);
    if (res.ec != std::errc()) return "?";
    std::string out(buf.data(), res.ptr);
    if (s.conv == 'E' || s.conv == 'G')
        for (char& c : out)
            if (c == 'e') c = 'E';
    if (s.alt && prec == 0 && s.conv == 'f') out += '.';
    return out;
}

std::string Pad(std::string body, const Conversion& s, bool numeric) {
    if (numeric && body.front() != '-') {
        if (s.plus)
            body.insert(body.begin(), '+');
        else if (s.space)
            body.insert(body.begin(), ' ');
    }
    const std::size_t w = static_cast<std::size_t>(s.width);
    if (body.size() >= w) return body;
    const std::size_t fill = w - body.size();
    if (s.left) return body + std::string(fill, ' ');
    if (s.zero && numeric) {
        const std::size_t sign = (body[0] == '-' || body[0] == '+' || body[0] == ' ') ? 1 : 0;
        body.insert(sign, fill, '0');
        return body;
    }
    return std::string(fill, ' ') + body;
}

}  // namespace

std::string CFormat(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    const FormatArg* next = args.begin();
    auto take = [&]() -> const FormatArg* { return next != args.end() ? next++ : nullptr; };
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        Conversion s;
        for (; i < format.size(); ++i) {
            const char f = format[i];
            if (f == '-')
                s.left = true;
            else if (f == '+')
                s.plus = true;
            else if (f == ' ')
                s.space = true;
            else if (f == '0')
                s.zero = true;
            else if (f == '#')
                s.alt = true;
            else
                break;
        }
        while (i < format.size() && format[i] >= '0' && format[i] <= '9' && s.width < 1000)
            s.width = s.width * 10 + (format[i++] - '0');
        if (i < format.size() && format[i] == '.') {
            ++i;
            s.precision = 0;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9' && s.precision < 1000)
                s.precision = s.precision * 10 + (format[i++] - '0');
        }
        while (i < format.size() && (format[i] == 'l' || format[i] == 'h')) ++i;
        if (i >= format.size()) break;
        s.conv = format[i++];
        switch (s.conv) {
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
                out += Pad(FormatDouble(AsDouble(take()), s), s, true);
                break;
            case 'd':
            case 'i':
            case 'u':
                out += Pad(std::to_string(AsInt(take())), s, true);
                break;
            case 's': {
                const FormatArg* a = take();
                std::string_view text;
                if (a)
                    if (const auto* sv = std::get_if<std::string_view>(a)) text = *sv;
                if (s.precision >= 0 && text.size() > static_cast<std::size_t>(s.precision))
                    text = text.substr(0, static_cast<std::size_t>(s.precision));
                out += Pad(std::string(text), s, false);
                break;
            }
            default:
                out += '%';
                out += s.conv;
                break;
        }
    }
    return out;
}

bool ParseFiniteDouble(std::string_view text, double& out) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

}  // namespace quorven
