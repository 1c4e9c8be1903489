#include "record/text_codec.h"

#include <cstdint>

namespace quorven {
namespace {

// Windows-1252 0x80-0x9F: the code points that differ from Latin-1 (0 = unassigned).
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c && c != 0) return static_cast<char>(0x80 + i);
    return '?';
}

// UTF-8 to Windows-1252; '?' for what has no form there. True when nothing was
// replaced.
bool Convert(std::string_view in, std::string& out) {
    bool exact = true;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        const auto b = static_cast<unsigned char>(in[i]);
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            out += '?';
            exact = false;
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(extra) < in.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cb = static_cast<unsigned char>(in[i + k]);
            if ((cb & 0xC0) != 0x80) ok = false;
            c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out += '?';
            exact = false;
            ++i;
            continue;
        }
        // An overlong form hides a character behind another's bytes.
        constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
        if (c < kShortest[extra]) exact = false;
        const char b1252 = ToCp1252(c);
        if (b1252 == '?' && c != '?') exact = false;
        out += b1252;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return exact;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    for (const char ch : in) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0) {
            const char32_t c = kHigh[b - 0x80];
            AppendUtf8(out, c ? c : 0xFFFD);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view in) {
    std::string out;
    (void)Convert(in, out);
    return out;
}

std::optional<std::string> Utf8ToCp1252Exact(std::string_view in) {
    std::string out;
    if (!Convert(in, out)) return std::nullopt;
    return out;
}

}  // namespace quorven
