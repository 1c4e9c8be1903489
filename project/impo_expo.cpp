#include "project/impo_expo.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>
#include <unordered_map>

#include "messages/messages.h"
#include "project/csv_exchange.h"
#include "project/notices.h"
#include "record/cformat.h"
#include "record/datasheet.h"
#include "record/record_check.h"
#include "record/record_io.h"
#include "record/tag_reset.h"
#include "record/text_codec.h"

namespace quorven {
namespace {

constexpr std::size_t kTagsPerStep = 1024;
constexpr std::size_t kReadBytes = std::size_t{1} << 20;
constexpr const char* kExportCaption = "ASCII File Export Message";
constexpr const char* kImportCaption = "ASCII File Import Message";

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// A file the user made read-only is not replaced behind their back.
bool MarkedReadOnly(const std::string& path) {
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(st)) return false;
    using std::filesystem::perms;
    return (st.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) ==
           perms::none;
}

long long Count(std::size_t n) {
    return static_cast<long long>(n);
}

}  // namespace

ExportReport CImpoExpo::ExportProject(CDatabase& db, const std::string& path, MessageSink& sink,
                                      const ProgressFn& progress) {
    ExportReport report;
    db.Sync(sink);
    if (!db.IndexPresent()) {
        CError(sink).Show(msg::kErrProjectIndex);
        return report;
    }
    FileLayer& files = db.Files();
    const std::string temp = ReplacementTempPath(path);
    if (MarkedReadOnly(path) || !files.Replace(temp, CsvHeaderLine())) {
        CError(sink).Show(msg::kErrExportFileCreate);
        return report;
    }
    uint64_t size = files.Stat(temp).value_or(FileStamp{}).size;
    auto fail = [&] {
        (void)files.Remove(temp);
        CError(sink).Show(msg::kErrExportFileCreate);
        report.tags = 0;
        return report;
    };

    std::vector<std::string> tags;
    std::vector<int64_t> positions;
    for (const IndexEntry& e : db.Entries()) {
        if (e.state != EntryState::Valid) {
            ++report.unreadable;
        } else if (db.FindTag(e.tag) == e.position) {
            positions.push_back(e.position);
        }
    }
    std::vector<std::string> bytes;
    std::vector<char> ok;
    std::string lines;
    for (std::size_t from = 0; from < positions.size(); from += kTagsPerStep) {
        if (progress && !progress(from, positions.size())) {
            (void)files.Remove(temp);
            report.cancelled = true;
            report.tags = 0;
            ShowNotice(sink, kExportCaption, "The export was cancelled; no file was written.",
                       MessageIcon::Information);
            return report;
        }
        const std::size_t to = std::min(positions.size(), from + kTagsPerStep);
        ReadAtPositions(files, db.Paths().Records(),
                        std::span<const int64_t>(positions).subspan(from, to - from), kRecordSize, bytes, ok);
        lines.clear();
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            TagRecord r;
            if (!ok[k] || !RecordFromBytes(bytes[k], r)) {
                ++report.unreadable;
                continue;
            }
            // Written as every read of the project sees it, so import reads it back.
            if (!CheckRecord(r).empty()) ++report.repaired;
            AppendCsvLine(r, lines);
            ++report.tags;
        }
        if (!files.WriteAtNoSync(temp, size, lines)) return fail();
        size += lines.size();
    }
    if (!files.Sync(temp) || !files.Rename(temp, path)) return fail();
    report.written = true;
    std::string text = "Project ASCII file export complete!\n\n" +
                       CFormat("%d tags were written to %s.", {Count(report.tags), FileNameOf(path)});
    if (report.unreadable > 0)
        text += CFormat("\n%d tags could not be read and were left out.", {Count(report.unreadable)});
    if (report.repaired > 0)
        text += CFormat(
            "\n%d tags held values the record check resets; they were written with the reset "
            "values.",
            {Count(report.repaired)});
    ShowNotice(sink, kExportCaption, text, MessageIcon::Information);
    return report;
}

namespace {

// The import's new record and index files: a copy of the project's record file
// with replaced tags written over their records and new tags after the last one,
// and the index with the new tags' entries appended.
class ImportWriter {
public:
    explicit ImportWriter(CDatabase& db)
        : db_(db), files_(db.Files()), paths_(db.Paths()), writer_(files_, paths_.ImportRecordsTemp()) {}

    bool Started() const { return started_; }
    // Where the stored tag is, in the project or among the tags of this import; -1.
    int64_t Find(const std::string& tag) const {
        const auto it = added_.find(tag);
        return it != added_.end() ? it->second : db_.FindTag(tag);
    }
    bool Write(const TagRecord& r, int64_t replace_at) {
        if (!started_ && !Start()) return false;
        const std::string bytes = RecordToBytes(r);
        if (replace_at >= 0) return writer_.Put(static_cast<uint64_t>(replace_at), bytes);
        if (next_ + kRecordSize > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return false;
        const auto position = static_cast<int32_t>(next_);
        index_ += IndexEntryBytes(GetText(r.Tag_No), position);
        added_.emplace(std::string(GetText(r.Tag_No)), position);
        next_ += kRecordSize;
        return writer_.Put(static_cast<uint64_t>(position), bytes);
    }
    bool Commit(MessageSink& sink) {
        if (!writer_.Flush() || !files_.Sync(paths_.ImportRecordsTemp()) ||
            !files_.Replace(paths_.ImportIndexTemp(), index_)) {
            Discard();
            return false;
        }
        return db_.CommitNewFiles(paths_.ImportRecordsTemp(), paths_.ImportIndexTemp(), sink);
    }
    void Discard() {
        (void)files_.Remove(paths_.ImportRecordsTemp());
        (void)files_.Remove(paths_.ImportIndexTemp());
    }

private:
    bool Start() {
        started_ = true;
        std::optional<std::string> index = files_.ReadAll(paths_.Index(), std::size_t{64} << 20);
        if (!index && db_.IndexPresent()) return false;
        if (!index) index = std::string();  // a project without tags and without an index
        // An incomplete last entry is left out: the new entries follow the whole ones.
        index_ = index->substr(0, index->size() - index->size() % kIndexEntrySize);
        int64_t last = -1;
        for (const IndexEntry& e : db_.Entries())
            if (e.state == EntryState::Valid) last = std::max<int64_t>(last, e.position);
        next_ = last < 0 ? 0 : static_cast<uint64_t>(last) + kRecordSize;
        const uint64_t size = db_.RecordFileSize();
        return CopyFileStart(files_, paths_.Records(), paths_.ImportRecordsTemp(), size - size % kRecordSize);
    }

    CDatabase& db_;
    FileLayer& files_;
    const ProjectPaths& paths_;
    RunWriter writer_;
    bool started_ = false;
    std::string index_;
    uint64_t next_ = 0;
    std::unordered_map<std::string, int64_t> added_;
};

std::string ImportSummary(const ImportReport& r) {
    std::string text = CFormat("%d tags added, %d replaced, %d not replaced.",
                               {Count(r.added), Count(r.replaced), Count(r.not_replaced)});
    if (r.refused > 0) {
        text += CFormat("\n%d lines were refused:", {Count(r.refused)});
        for (const std::string& p : r.problems) text += "\n" + p;
        if (r.refused > r.problems.size())
            text += CFormat("\nand %d more.", {Count(r.refused - r.problems.size())});
    }
    return text;
}

}  // namespace

ImportReport CImpoExpo::ImportFile(CDatabase& db, const std::string& path, const TagRecord& current,
                                   const UnitTables& units, ImportQuestions& questions, MessageSink& sink,
                                   const ProgressFn& progress) {
    ImportReport report;
    db.Sync(sink);
    FileLayer& files = db.Files();
    const std::optional<FileStamp> stamp = files.Stat(path);
    if (!stamp) {
        ShowNotice(sink, kImportCaption,
                   "The file " + FileNameOf(path) + " cannot be read.\nFile Import aborted!");
        return report;
    }
    // Tags are placed after the last stored one: a damaged index could put them
    // over a stored tag.
    if (!db.IndexPresent() && db.RecordFileSize() > 0) {
        CError(sink).Show(msg::kErrIndexMissing);
        return report;
    }
    if (db.BadEntries() > 0) {
        CError(sink).Show(msg::kErrIndexCorrupt);
        return report;
    }

    // One encoding for the whole file, found before any line is read.
    CsvEncodingScan encoding;
    std::string chunk;
    for (uint64_t at = 0; at < stamp->size && !encoding.RuledOut();) {
        const auto n = static_cast<std::size_t>(std::min<uint64_t>(kReadBytes, stamp->size - at));
        if (!files.ReadAt(path, at, n, chunk)) {
            ShowNotice(sink, kImportCaption,
                       "The file " + FileNameOf(path) + " cannot be read.\nFile Import aborted!");
            return report;
        }
        encoding.Feed(chunk);
        at += n;
    }
    const bool utf8 = encoding.Utf8();

    TagRecord base = current;
    ResetTagData(base);
    ClearDatasheet(base);

    ImportWriter writer(db);
    CsvRecordSplitter splitter;
    CsvRecordSplitter::Record rec;
    bool first = true;
    bool all = false;
    bool stop = false;
    bool write_failed = false;
    auto refuse = [&](std::size_t line, const std::string& why) {
        ++report.refused;
        if (report.problems.size() < kProblemsKept)
            report.problems.push_back(CFormat("line %d: ", {Count(line)}) + why);
    };
    for (uint64_t at = 0; !stop && at <= stamp->size;) {
        if (at < stamp->size) {
            const auto n = static_cast<std::size_t>(std::min<uint64_t>(kReadBytes, stamp->size - at));
            if (!files.ReadAt(path, at, n, chunk)) {
                ShowNotice(sink, kImportCaption,
                           "The file " + FileNameOf(path) + " cannot be read.\nFile Import aborted!");
                writer.Discard();
                return ImportReport{};
            }
            splitter.Feed(chunk);
            at += n;
        } else {
            splitter.Finish();
            ++at;
        }
        if (progress && !progress(static_cast<std::size_t>(std::min(at, stamp->size) >> 10),
                                  static_cast<std::size_t>(stamp->size >> 10))) {
            writer.Discard();
            ImportReport aborted;
            aborted.aborted = true;
            ShowNotice(sink, kImportCaption, "The import was cancelled; the project was not changed.",
                       MessageIcon::Information);
            return aborted;
        }
        while (!stop && splitter.Next(rec)) {
            if (first) {
                first = false;
                std::vector<std::string> header;
                std::string problem;
                report.header = !rec.oversized && CsvRecordFields(rec.text, true, utf8, header, problem) &&
                                IsCsvHeader(header);
                if (!report.header) {
                    CError(sink).Show(msg::kErrNotImportFile);
                    return report;
                }
                continue;
            }
            if (!rec.oversized && rec.text.empty()) continue;  // a blank line
            ++report.lines;
            if (rec.oversized) {
                refuse(rec.line, "longer than 1 MB");
                continue;
            }
            TagRecord r = base;
            std::vector<std::string> fields;
            std::string problem;
            if (!CsvRecordFields(rec.text, false, utf8, fields, problem) ||
                !ParseCsvTag(fields, r, problem)) {
                refuse(rec.line, problem);
                continue;
            }
            RefreshUnitTexts(r, units);
            r.Rec_Version4 = 1;
            const std::string tag(GetText(r.Tag_No));
            const int64_t stored = writer.Find(tag);
            if (stored >= 0 && !all) {
                switch (questions.ConfirmReplace(tag)) {
                    case OverwriteAnswer::Yes:
                        break;
                    case OverwriteAnswer::All:
                        all = true;
                        break;
                    case OverwriteAnswer::No:
                        ++report.not_replaced;
                        continue;
                    case OverwriteAnswer::Cancel:
                        report.cancelled = true;
                        stop = true;
                        continue;
                }
            }
            if (!writer.Write(r, stored)) {
                write_failed = true;
                stop = true;
                break;
            }
            ++(stored >= 0 ? report.replaced : report.added);
        }
    }
    if (first) {  // an empty file
        CError(sink).Show(msg::kErrNotImportFile);
        return report;
    }
    if (write_failed || (writer.Started() && !writer.Commit(sink))) {
        writer.Discard();
        CError(sink).Show(msg::kErrDatabaseWrite);
        report.added = report.replaced = 0;
        ShowNotice(sink, kImportCaption,
                   "No tag was imported: the project files could not be written.\n\n" + ImportSummary(report),
                   MessageIcon::Exclamation);
        return report;
    }
    report.saved = writer.Started();
    db.Sync(sink);
    std::string text;
    if (report.cancelled) text = "The import was cancelled; the tags before it were imported.\n\n";
    text += report.added + report.replaced > 0 ? "Project ASCII file import is done.\n\n"
                                               : "No tag was imported.\n\n";
    text += ImportSummary(report);
    ShowNotice(sink, kImportCaption, text, MessageIcon::Information);
    return report;
}

}  // namespace quorven
