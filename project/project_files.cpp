#include "project/project_files.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>

namespace quorven {
namespace {

constexpr std::string_view kJournalHead = "QUORVEN-JOURNAL 1\n";

int32_t LoadInt32(const char* p) {
    int32_t v = 0;
    std::memcpy(&v, p, sizeof v);  // little-endian, as the platform (checked in tag_record.h)
    return v;
}

// Reads "WORD NUMBER\n" at the front of `rest`.
bool TakeLine(std::string_view& rest, std::string_view& line) {
    const std::size_t nl = rest.find('\n');
    if (nl == std::string_view::npos) return false;
    line = rest.substr(0, nl);
    rest.remove_prefix(nl + 1);
    return true;
}

bool ParseNumber(std::string_view text, uint64_t& out) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && res.ec == std::errc() && res.ptr == text.data() + text.size();
}

// A plain file name: the journal may only touch files beside the project's own.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\t\n\0", 4)) == std::string_view::npos;
}

}  // namespace

ProjectPaths ProjectPathsOf(const std::string& settings_path) {
    const std::filesystem::path p(settings_path);
    ProjectPaths paths;
    paths.dir = p.parent_path().string();
    if (!paths.dir.empty() && paths.dir.back() != '/') paths.dir += '/';
    paths.name = p.stem().string();
    return paths;
}

ParsedIndex ParseIndex(std::string_view bytes, uint64_t record_file_size) {
    ParsedIndex out;
    const std::size_t n = bytes.size() / kIndexEntrySize;
    out.tail_bytes = bytes.size() % kIndexEntrySize;
    out.entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const char* e = bytes.data() + i * kIndexEntrySize;
        IndexEntry entry;
        entry.position = LoadInt32(e + kIndexKeySize);
        const void* nul = std::memchr(e, '\0', kTagNoMax + 1);
        if (nul == nullptr) {
            entry.tag.assign(e, kTagNoMax + 1);
            entry.state = EntryState::KeyTooLong;
        } else {
            entry.tag.assign(e, static_cast<std::size_t>(static_cast<const char*>(nul) - e));
            if (entry.position < 0 || entry.position % static_cast<int32_t>(kRecordSize) != 0)
                entry.state = EntryState::BadPosition;
            else if (static_cast<uint64_t>(entry.position) + kRecordSize > record_file_size)
                entry.state = EntryState::PastEnd;
        }
        if (entry.state == EntryState::Valid) {
            if (entry.position > out.max_valid_position) out.max_valid_position = entry.position;
        } else {
            ++out.bad_entries;
        }
        out.entries.push_back(std::move(entry));
    }
    return out;
}

std::string IndexEntryBytes(std::string_view tag, int32_t position) {
    std::string e(kIndexEntrySize, '\0');
    tag = tag.substr(0, std::min({tag.size(), tag.find('\0'), kTagNoMax}));
    std::memcpy(e.data(), tag.data(), tag.size());
    std::memcpy(e.data() + kIndexKeySize, &position, sizeof position);
    return e;
}

std::string_view EntryKey(std::string_view index_bytes, std::size_t i) {
    const std::string_view key = index_bytes.substr(i * kIndexEntrySize, kIndexKeySize);
    return key.substr(0, std::min(key.find('\0'), key.size()));
}

std::string JournalBytes(const Journal& j) {
    std::string out(kJournalHead);
    if (j.kind == Journal::Kind::RestoreRecord) {
        out += "restore " + std::to_string(j.position) + "\n";
        out += j.old_record;
    } else {
        out += "renames " + std::to_string(j.renames.size()) + "\n";
        for (const auto& [from, to] : j.renames) out += from + "\t" + to + "\n";
    }
    return out;
}

std::optional<Journal> ParseJournal(std::string_view bytes) {
    if (bytes.substr(0, kJournalHead.size()) != kJournalHead) return std::nullopt;
    std::string_view rest = bytes.substr(kJournalHead.size());
    std::string_view line;
    if (!TakeLine(rest, line)) return std::nullopt;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    const std::string_view word = line.substr(0, space);
    uint64_t number = 0;
    if (!ParseNumber(line.substr(space + 1), number)) return std::nullopt;
    Journal j;
    if (word == "restore") {
        if (rest.size() != kRecordSize || number % kRecordSize != 0) return std::nullopt;
        j.kind = Journal::Kind::RestoreRecord;
        j.position = number;
        j.old_record = std::string(rest);
        return j;
    }
    if (word != "renames" || number == 0 || number > 16) return std::nullopt;
    j.kind = Journal::Kind::Renames;
    for (uint64_t i = 0; i < number; ++i) {
        if (!TakeLine(rest, line)) return std::nullopt;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        const std::string_view from = line.substr(0, tab);
        const std::string_view to = line.substr(tab + 1);
        if (!IsPlainName(from) || !IsPlainName(to)) return std::nullopt;
        j.renames.emplace_back(from, to);
    }
    if (!rest.empty()) return std::nullopt;
    return j;
}

}  // namespace quorven
