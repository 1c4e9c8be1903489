#include "fluids/property_database.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "fluids/fluid_messages.h"
#include "record/file_io.h"

namespace quorven {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string FindPropertyFile(const std::string& program_dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = program_dir.empty() ? fs::path(".") : fs::path(program_dir);
    for (const char* name : {kPropertyFileName, kPropertyFileShownName}) {
        const fs::path p = dir / name;
        if (fs::is_regular_file(p, ec)) return p.string();
    }
    fs::directory_iterator it(dir, ec);
    if (ec) return {};
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        if (EqualsIgnoringAsciiCase(name, kPropertyFileName) && it->is_regular_file(ec))
            return it->path().string();
    }
    return {};
}

PropertyDatabase PropertyDatabase::Open(const std::string& path) {
    if (path.empty()) return {};
    const std::optional<std::string> bytes = ReadFileBytes(path, kPropertyFileMaxBytes);
    if (!bytes) {
        PropertyDatabase absent;
        absent.path_ = path;
        return absent;
    }
    return FromBytes(*bytes, path);
}

PropertyDatabase PropertyDatabase::OpenInDirectory(const std::string& program_dir) {
    return Open(FindPropertyFile(program_dir));
}

PropertyDatabase PropertyDatabase::FromBytes(std::string_view bytes, std::string path) {
    PropertyDatabase db;
    db.present_ = true;
    db.path_ = std::move(path);
    const std::size_t count = std::min(bytes.size(), kPropertyFileMaxBytes) / kPropertyRecordBytes;
    db.records_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        PropertyRecord& r = db.records_[i];
        PropertyRecordFromBytes(bytes.substr(i * kPropertyRecordBytes, kPropertyRecordBytes), r);
        ClearNonFiniteFields(r);
        db.by_number_.try_emplace(r.Comp_No, i);
        db.by_name_.try_emplace(std::string(CompName(r)), i);
    }
    return db;
}

const PropertyRecord* PropertyDatabase::ByNumber(int32_t comp_no) const {
    const auto it = by_number_.find(comp_no);
    return it == by_number_.end() ? nullptr : &records_[it->second];
}

const PropertyRecord* PropertyDatabase::ByName(std::string_view name) const {
    const auto it = by_name_.find(std::string(name));
    return it == by_name_.end() ? nullptr : &records_[it->second];
}

const PropertyRecord* PropertyDatabase::ByNameIgnoringCase(std::string_view name) const {
    if (const PropertyRecord* exact = ByName(name)) return exact;
    for (const PropertyRecord& r : records_)
        if (EqualsIgnoringAsciiCase(CompName(r), name)) return &r;
    return nullptr;
}

bool PropertyDatabase::FindRecordByNumber(int32_t comp_no, PropertyRecord& record, MessageSink& sink) const {
    if (!present_) {
        CError(sink).Show(fluid_msg::kErrorNoDatabase);
        return false;
    }
    const PropertyRecord* r = ByNumber(comp_no);
    if (r) record = *r;
    return r != nullptr;
}

bool PropertyDatabase::FindRecordByName(std::string_view name, PropertyRecord& record,
                                        MessageSink& sink) const {
    if (!present_) {
        CError(sink).Show(fluid_msg::kErrorNoDatabase);
        return false;
    }
    const PropertyRecord* r = ByName(name);
    if (r) record = *r;
    return r != nullptr;
}

std::vector<std::string> PropertyDatabase::ListNames() const {
    std::vector<std::string> names;
    for (int32_t n = 1;; ++n) {
        const PropertyRecord* r = ByNumber(n);
        if (!r) break;
        names.emplace_back(CompName(*r));
    }
    return names;
}

std::vector<std::string> PropertyDatabase::ListNames(MessageSink& sink) const {
    if (!present_) {
        CError(sink).Show(fluid_msg::kErrorNoDatabase);
        return {};
    }
    return ListNames();
}

}  // namespace quorven
