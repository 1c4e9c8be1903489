#include "project/maintenance.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "messages/messages.h"
#include "project/notices.h"
#include "record/cformat.h"

namespace quorven {
namespace {

constexpr std::size_t kRecordsPerStep = 1024;

bool Continue(const ProgressFn& progress, std::size_t done, std::size_t total) {
    return !progress || progress(done, total);
}

// The tag number of a stored record: the text before its terminator, or nothing
// when the field holds no terminator (no index key can be that long).
bool TagOfRecord(std::string_view record, std::string& tag) {
    const char* field = record.data() + offsetof(TagRecord, Tag_No);
    const void* end = std::memchr(field, '\0', sizeof(TagRecord::Tag_No));
    if (!end) return false;
    tag.assign(field, static_cast<const char*>(end));
    return tag.size() <= kTagNoMax;
}

}  // namespace

PackReport PackProject(CDatabase& db, MessageSink& sink, const ProgressFn& progress) {
    PackReport report;
    db.Sync(sink);
    FileLayer& files = db.Files();
    const ProjectPaths& paths = db.Paths();
    const std::optional<FileStamp> fdb = files.Stat(paths.Records());
    if (!fdb) {
        CError(sink).Show(msg::kErrPackRecords);
        return report;
    }
    if (!db.IndexPresent()) {
        CError(sink).Show(msg::kErrPackIndex);
        return report;
    }
    report.old_size = fdb->size;
    const std::string& new_records = paths.PackRecordsTemp();
    const std::string& new_index = paths.PackIndexTemp();
    if (!files.Replace(new_records, "")) {
        CError(sink).Show(msg::kErrPackTempFile);
        return report;
    }
    auto fail = [&](int error) {
        (void)files.Remove(new_records);
        (void)files.Remove(new_index);
        if (error) CError(sink).Show(error);
        return report;
    };

    // Every entry that names a whole record keeps its key, in index order, with
    // the position its record gets in the new file.
    const std::vector<IndexEntry>& entries = db.Entries();
    std::string index_bytes;
    RunWriter writer(files, new_records);
    std::vector<int64_t> positions;
    std::vector<std::string> records;
    std::vector<char> read_ok;
    uint64_t written = 0;
    for (std::size_t from = 0; from < entries.size(); from += kRecordsPerStep) {
        if (!Continue(progress, from, entries.size())) {
            report.cancelled = true;
            return fail(0);
        }
        const std::size_t to = std::min(entries.size(), from + kRecordsPerStep);
        positions.clear();
        for (std::size_t i = from; i < to; ++i)
            positions.push_back(entries[i].state == EntryState::Valid ? entries[i].position : -1);
        ReadAtPositions(files, paths.Records(), positions, kRecordSize, records, read_ok);
        for (std::size_t k = 0; k < positions.size(); ++k) {
            if (!read_ok[k]) {
                // Only an entry that names no whole record of the file is left out;
                // a record that is there but cannot be read stops the pack, or the
                // packed project would lose that tag.
                const int64_t at = positions[k];
                if (at >= 0 && static_cast<uint64_t>(at) + kRecordSize <= fdb->size)
                    return fail(msg::kErrPackRecords);
                ++report.dropped_entries;
                continue;
            }
            if (written + kRecordSize > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
                return fail(msg::kErrPackFailed);
            index_bytes += IndexEntryBytes(entries[from + k].tag, static_cast<int32_t>(written));
            if (!writer.Put(written, records[k])) return fail(msg::kErrPackFailed);
            written += kRecordSize;
            ++report.tags;
        }
    }
    if (!writer.Flush() || !files.Sync(new_records) || !files.Replace(new_index, index_bytes))
        return fail(msg::kErrPackFailed);
    // The new files are checked before they count: one record per entry, each
    // entry at its record.
    const std::optional<FileStamp> made_records = files.Stat(new_records);
    const std::optional<FileStamp> made_index = files.Stat(new_index);
    const ParsedIndex check = ParseIndex(index_bytes, written);
    bool sound = made_records && made_records->size == written && made_index &&
                 made_index->size == index_bytes.size() && check.entries.size() == report.tags &&
                 check.bad_entries == 0;
    for (std::size_t i = 0; sound && i < check.entries.size(); ++i)
        sound = check.entries[i].position == static_cast<int32_t>(i * kRecordSize);
    if (!sound) return fail(msg::kErrPackFailed);
    if (!db.CommitNewFiles(new_records, new_index, sink)) {
        CError(sink).Show(msg::kErrPackFailed);
        return report;
    }
    report.packed = true;
    report.new_size = written;
    std::string text = "Project database packed successfully";
    if (report.dropped_entries > 0)
        text += CFormat("\n\n%d index entries named no whole record and were left out.",
                        {static_cast<long long>(report.dropped_entries)});
    ShowNotice(sink, "PACK UTILITY", text, MessageIcon::Information);
    return report;
}

RebuildReport RebuildIndex(CDatabase& db, MessageSink& sink, const ProgressFn& progress) {
    RebuildReport report;
    db.Sync(sink);
    FileLayer& files = db.Files();
    const ProjectPaths& paths = db.Paths();
    const std::optional<FileStamp> fdb = files.Stat(paths.Records());
    if (!fdb) {
        CError(sink).Show(msg::kErrReindex);
        return report;
    }
    // Whole records only; positions an index entry can hold only.
    const uint64_t usable = std::min<uint64_t>(
        fdb->size - fdb->size % kRecordSize,
        static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) / kRecordSize * kRecordSize);
    const std::size_t count = static_cast<std::size_t>(usable / kRecordSize);
    std::string index_bytes;
    std::string previous;  // the tag number of the record read just before
    std::string tag;
    std::string chunk;
    for (uint64_t at = 0; at < usable;) {
        if (!Continue(progress, static_cast<std::size_t>(at / kRecordSize), count)) {
            report.cancelled = true;
            return report;
        }
        const auto n =
            static_cast<std::size_t>(std::min<uint64_t>(kRecordsPerStep * kRecordSize, usable - at));
        if (!files.ReadAt(paths.Records(), at, n, chunk)) {
            CError(sink).Show(msg::kErrReindex);
            return report;
        }
        for (std::size_t off = 0; off < n; off += kRecordSize) {
            const std::string_view record(chunk.data() + off, kRecordSize);
            if (!TagOfRecord(record, tag)) {
                ++report.unusable_records;
                previous.clear();
                continue;
            }
            if (tag.empty()) {
                ++report.deleted_records;
            } else if (tag != previous) {
                index_bytes += IndexEntryBytes(tag, static_cast<int32_t>(at + off));
                ++report.tags;
            }
            previous = tag;
        }
        at += n;
    }
    if (!files.Replace(paths.Index(), index_bytes)) {
        CError(sink).Show(msg::kErrReindex);
        return report;
    }
    db.Sync(sink);
    report.rebuilt = true;
    std::string text = "Project database reindexed successfully";
    if (report.deleted_records > 0)
        text += CFormat("\n\n%d records of deleted tags were left out.",
                        {static_cast<long long>(report.deleted_records)});
    if (report.unusable_records > 0)
        text += CFormat("\n\n%d records had no usable tag number and were left out.",
                        {static_cast<long long>(report.unusable_records)});
    ShowNotice(sink, "INDEX REBUILD UTILITY", text, MessageIcon::Information);
    return report;
}

}  // namespace quorven
