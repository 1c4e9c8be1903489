#include "cli/cli_common.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "record/text_codec.h"

namespace quorven::cli {

std::string MessageLine(const Message& m) {
    std::string text = m.text;
    for (char& c : text)
        if (c == '\n') c = ' ';
    // A notice that is not one of the numbered messages goes under its caption.
    if (m.number == 0) return m.caption + ": " + text;
    const char* kind = m.kind == MessageKind::Error ? "Error #" : "Warning #";
    return kind + std::to_string(m.number) + ": " + text;
}

MessageAnswer CliMessageSink::Show(const Message& m) {
    lines.push_back(MessageLine(m));
    if (!quiet) std::cerr << lines.back() << '\n';
    return m.default_answer;
}

nlohmann::json CliMessageSink::Json() const {
    return lines;
}

std::string NumberText(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string FieldValueText(const TagRecord& r, const FieldInfo& f) {
    switch (f.kind) {
        case FieldKind::Text:
            return Cp1252ToUtf8(GetTextField(r, f));
        case FieldKind::Int32:
            return std::to_string(GetInt(r, f));
        case FieldKind::Double:
            return NumberText(GetDouble(r, f));
        case FieldKind::Bytes: {
            std::string hex;
            const auto* p = reinterpret_cast<const unsigned char*>(&r) + f.offset;
            char b[3];
            for (std::size_t i = 0; i < f.width; ++i) {
                std::snprintf(b, sizeof b, "%02x", p[i]);
                hex += b;
            }
            return hex;
        }
    }
    return {};
}

nlohmann::json FieldValueJson(const TagRecord& r, const FieldInfo& f) {
    switch (f.kind) {
        case FieldKind::Int32:
            return GetInt(r, f);
        case FieldKind::Double: {
            const double v = GetDouble(r, f);
            if (!std::isfinite(v)) return nullptr;
            return v;
        }
        default:
            return FieldValueText(r, f);
    }
}

nlohmann::json RecordJson(const TagRecord& r) {
    nlohmann::json j = nlohmann::json::object();
    for (const FieldInfo& f : RecordFields()) j[f.name] = FieldValueJson(r, f);
    return j;
}

}  // namespace quorven::cli
