#pragma once
// The record's fields by name, for the command line, CSV exchange and tests.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "record/tag_record.h"

namespace quorven {

enum class FieldKind { Bytes, Text, Int32, Double };

struct FieldInfo {
    const char* name;
    std::size_t offset;
    std::size_t width;
    FieldKind kind;
};

// Every field in record order, padding and reserved bytes included.
std::span<const FieldInfo> RecordFields();
const FieldInfo* FindField(std::string_view name);

int32_t GetInt(const TagRecord& r, const FieldInfo& f);
double GetDouble(const TagRecord& r, const FieldInfo& f);
std::string_view GetTextField(const TagRecord& r, const FieldInfo& f);
void SetInt(TagRecord& r, const FieldInfo& f, int32_t value);
void SetDouble(TagRecord& r, const FieldInfo& f, double value);
bool SetTextField(TagRecord& r, const FieldInfo& f, std::string_view value);

}  // namespace quorven
