#include "project/database.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <limits>

#include "messages/messages.h"
#include "project/notices.h"
#include "record/cformat.h"
#include "record/record_io.h"
#include "record/text_codec.h"

namespace quorven {
namespace {

// An index of every position a 32-bit entry can hold is under 19 MB.
constexpr std::size_t kMaxIndexBytes = std::size_t{64} << 20;
constexpr std::size_t kMaxJournalBytes = 4096;

// Pipe materials (Matl_Pipe) whose schedule list kept its numbering when the record
// format changed; every other material's list gained an entry at its start.
constexpr int32_t kSchedulesUnchanged[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 41, 42};

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string Shown(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

std::string TagOfRecordBytes(std::string_view bytes) {
    TagRecord r;
    if (!RecordFromBytes(bytes, r)) return {};
    return std::string(GetText(r.Tag_No));
}

}  // namespace

CDatabase::CDatabase(FileLayer& files, ProjectPaths paths) : files_(files), paths_(std::move(paths)) {}

bool CDatabase::Fail(MessageSink& sink, int error) {
    CError(sink).Show(error);
    return false;
}

bool CDatabase::Recover(MessageSink& sink, std::vector<std::string>* recovered) {
    const std::string journal_path = paths_.Journal();
    if (!files_.Stat(journal_path)) return true;
    auto note = [&](const std::string& sentence) {
        if (recovered) recovered->push_back(sentence);
        ShowNotice(sink, "Project Recovery", sentence, MessageIcon::Information);
    };
    const auto bytes = files_.ReadAll(journal_path, kMaxJournalBytes);
    const std::optional<Journal> j = bytes ? ParseJournal(*bytes) : std::nullopt;
    const uint64_t record_size = files_.Stat(paths_.Records()).value_or(FileStamp{}).size;
    if (!j || (j->kind == Journal::Kind::RestoreRecord && j->position + kRecordSize > record_size)) {
        // Not one this program wrote for these files: kept aside, never acted on.
        const std::string aside = journal_path + "-damaged";
        const bool moved = files_.Rename(journal_path, aside);
        note("The journal " + FileName(journal_path) + " of project " + Shown(paths_.name) +
             " does not describe a change of its files and was not used" +
             (moved ? "; it was kept as " + FileName(aside) + "." : "."));
        return moved;
    }
    if (j->kind == Journal::Kind::RestoreRecord) {
        if (!files_.WriteAt(paths_.Records(), j->position, j->old_record) || !files_.Remove(journal_path))
            return false;
        note("Saving tag \"" + Shown(TagOfRecordBytes(j->old_record)) + "\" in project " +
             Shown(paths_.name) + " was interrupted. The tag was put back as it was before that save.");
        return true;
    }
    for (const auto& [from, to] : j->renames) {
        const std::string from_path = paths_.dir + from;
        if (files_.Stat(from_path) && !files_.Rename(from_path, paths_.dir + to)) return false;
    }
    if (!files_.Remove(journal_path)) return false;
    note("Replacing the record and index files of project " + Shown(paths_.name) +
         " was interrupted after the new files were complete. The replacement was completed.");
    return true;
}

void CDatabase::Load() {
    const std::optional<FileStamp> idx = files_.Stat(paths_.Index());
    const std::optional<FileStamp> fdb = files_.Stat(paths_.Records());
    std::optional<std::string> bytes;
    if (idx) bytes = files_.ReadAll(paths_.Index(), kMaxIndexBytes);
    index_present_ = bytes.has_value();
    index_bytes_ = index_present_ ? std::move(*bytes) : std::string();
    index_stamp_ = idx.value_or(FileStamp{});
    record_present_ = fdb.has_value();
    record_stamp_ = fdb.value_or(FileStamp{});
    index_ = ParseIndex(index_bytes_, record_stamp_.size);
    map_.clear();
    map_.reserve(index_.entries.size());
    for (const IndexEntry& e : index_.entries)
        if (e.state == EntryState::Valid) map_.try_emplace(e.tag, e.position);
}

bool CDatabase::Refresh() {
    const std::optional<FileStamp> idx = files_.Stat(paths_.Index());
    const std::optional<FileStamp> fdb = files_.Stat(paths_.Records());
    return idx.has_value() == index_present_ && idx.value_or(FileStamp{}) == index_stamp_ &&
           fdb.has_value() == record_present_ && fdb.value_or(FileStamp{}) == record_stamp_;
}

void CDatabase::Sync(MessageSink& sink) {
    if (files_.Stat(paths_.Journal())) Recover(sink, nullptr);
    if (!Refresh()) Load();
}

OpenFindings CDatabase::Open(MessageSink& sink) {
    OpenFindings found;
    Recover(sink, &found.recovered);
    // What an interrupted replacement or upgrade left behind without a journal: the
    // change never counted, so the files beside them are the project as it was.
    std::vector<std::string> leftovers = paths_.Temporaries();
    for (const std::string& temp : paths_.Temporaries()) leftovers.push_back(ReplacementTempPath(temp));
    for (const std::string& file : {paths_.Index(), paths_.Records(), paths_.Settings(), paths_.Journal()})
        leftovers.push_back(ReplacementTempPath(file));
    for (const std::string& leftover : leftovers) {
        if (files_.Stat(leftover) && files_.Remove(leftover)) {
            found.recovered.push_back(FileName(leftover) + ", left by an interrupted change, was removed.");
            ShowNotice(sink, "Project Recovery",
                       "The file " + FileName(leftover) + ", left by an interrupted change of project " +
                           Shown(paths_.name) + ", was removed. The project is as it was before that change.",
                       MessageIcon::Information);
        }
    }
    Load();
    found.index_missing = !index_present_;
    found.bad_entries = index_.bad_entries;
    found.index_tail = index_.tail_bytes;
    if (index_.bad_entries > 0) {
        CError(sink).Show(msg::kErrIndexCorrupt);
        ShowNotice(
            sink, "Project Index",
            CFormat("%d entries of the index %s name no whole record of the record file.\n"
                    "Those tags cannot be read, and no tag can be saved, until the index is "
                    "rebuilt (File > Utilities > Rebuild Project Index). Nothing was changed.",
                    {static_cast<int>(index_.bad_entries), std::string_view(FileName(paths_.Index()))}));
    }
    if (index_.tail_bytes > 0) {
        const std::string text = CFormat(
            "The index %s ends with %d bytes that are not a whole entry, left by an interrupted save.\n"
            "Every whole entry is intact. Remove the incomplete entry?",
            {std::string_view(FileName(paths_.Index())), static_cast<int>(index_.tail_bytes)});
        if (AskYesNo(sink, "Project Index", text) &&
            files_.Truncate(paths_.Index(), index_bytes_.size() - index_.tail_bytes))
            Load();
    }
    found.record_tail = record_stamp_.size % kRecordSize;
    if (found.record_tail > 0 && index_.bad_entries == 0) {
        const std::string text = CFormat(
            "The record file %s ends with %d bytes that are not a whole record, left by an interrupted "
            "save.\nEvery tag of the project is intact. Remove the incomplete record?",
            {std::string_view(FileName(paths_.Records())), static_cast<int>(found.record_tail)});
        if (AskYesNo(sink, "Project Records", text) &&
            files_.Truncate(paths_.Records(), record_stamp_.size - found.record_tail))
            Load();
    }
    return found;
}

int64_t CDatabase::FindTag(std::string_view tag) const {
    const auto it = map_.find(tag);
    return it == map_.end() ? -1 : it->second;
}

bool CDatabase::ReadTag(std::string_view tag, TagRecord& out, MessageSink& sink,
                        std::vector<RecordRepair>* repairs) {
    Sync(sink);
    if (!index_present_) return Fail(sink, msg::kErrDatabaseOpen);
    const int64_t position = FindTag(tag);
    if (position < 0) return false;
    return ReadRecordAt(position, out, sink, repairs);
}

bool CDatabase::ReadRecordAt(int64_t position, TagRecord& out, MessageSink& sink,
                             std::vector<RecordRepair>* repairs) {
    if (!Refresh()) Load();
    if (!record_present_) return Fail(sink, msg::kErrDatabaseMissing);
    if (position < 0 || position % static_cast<int64_t>(kRecordSize) != 0 ||
        static_cast<uint64_t>(position) + kRecordSize > record_stamp_.size)
        return Fail(sink, msg::kErrCorruptDataFile);
    std::string bytes;
    TagRecord read;
    if (!files_.ReadAt(paths_.Records(), static_cast<uint64_t>(position), kRecordSize, bytes) ||
        !RecordFromBytes(bytes, read))
        return Fail(sink, msg::kErrCorruptDataFile);
    std::vector<RecordRepair> fixed = CheckRecord(read);
    out = read;
    if (repairs) *repairs = std::move(fixed);
    return true;
}

WriteOutcome CDatabase::WriteTag(const TagRecord& r, WriteMode mode, MessageSink& sink) {
    Sync(sink);
    // Records without an index are found again by rebuilding it; a new index
    // would put the next tag over the first of them.
    if (!index_present_ && record_stamp_.size > 0) {
        CError(sink).Show(msg::kErrIndexMissing);
        return WriteOutcome::Failed;
    }
    // A damaged index may point at places a new record would take.
    if (index_.bad_entries > 0) {
        CError(sink).Show(msg::kErrIndexCorrupt);
        return WriteOutcome::Failed;
    }
    const std::string bytes = RecordToBytes(r);
    const int64_t position = FindTag(GetText(r.Tag_No));
    if (position >= 0) {
        if (mode == WriteMode::Ask && CWarning(sink).Show(msg::kWarnReplaceTag) != 1)
            return WriteOutcome::Declined;
        return WriteOver(position, bytes, sink);
    }
    return WriteNew(r, bytes, sink);
}

WriteOutcome CDatabase::WriteNew(const TagRecord& r, std::string_view bytes, MessageSink& sink) {
    // After the last stored record: over a dead record or at the end of the file.
    const int64_t position =
        index_.max_valid_position < 0 ? 0 : index_.max_valid_position + static_cast<int64_t>(kRecordSize);
    if (position + static_cast<int64_t>(kRecordSize) > std::numeric_limits<int32_t>::max()) {
        CError(sink).Show(msg::kErrIndexCorrupt);
        return WriteOutcome::Failed;
    }
    const std::string& fdb = paths_.Records();
    const std::string& idx = paths_.Index();
    const uint64_t old_size = record_stamp_.size;
    const bool grows = static_cast<uint64_t>(position) + kRecordSize > old_size;
    auto undo_growth = [&] {
        if (grows && files_.Stat(fdb)) (void)files_.Truncate(fdb, old_size);
    };
    if (!record_present_ && !files_.Replace(fdb, "")) {
        CError(sink).Show(msg::kErrDatabaseOpen);
        return WriteOutcome::Failed;
    }
    if (!files_.WriteAt(fdb, static_cast<uint64_t>(position), bytes)) {
        undo_growth();
        CError(sink).Show(msg::kErrDatabaseWrite);
        Load();
        return WriteOutcome::Failed;
    }
    if (!index_present_ && !files_.Replace(idx, "")) {
        undo_growth();
        CError(sink).Show(msg::kErrDatabaseOpen);
        Load();
        return WriteOutcome::Failed;
    }
    // An incomplete entry left at the end is written over.
    const uint64_t entry_at = index_.entries.size() * kIndexEntrySize;
    const std::string entry = IndexEntryBytes(GetText(r.Tag_No), static_cast<int32_t>(position));
    if (!files_.WriteAt(idx, entry_at, entry)) {
        if (files_.Stat(idx).value_or(FileStamp{}).size > entry_at) (void)files_.Truncate(idx, entry_at);
        undo_growth();
        CError(sink).Show(msg::kErrDatabaseWrite);
        Load();
        return WriteOutcome::Failed;
    }
    // The saved tag joins the index in memory; nothing else is read again.
    index_bytes_.resize(entry_at);
    index_bytes_ += entry;
    index_.entries.push_back(IndexEntry{std::string(GetText(r.Tag_No)), static_cast<int32_t>(position)});
    index_.tail_bytes = 0;
    index_.max_valid_position = position;
    map_.try_emplace(std::string(GetText(r.Tag_No)), static_cast<int32_t>(position));
    index_present_ = true;
    record_present_ = true;
    index_stamp_ = files_.Stat(idx).value_or(FileStamp{});
    record_stamp_ = files_.Stat(fdb).value_or(FileStamp{});
    return WriteOutcome::Saved;
}

WriteOutcome CDatabase::WriteOver(int64_t position, std::string_view bytes, MessageSink& sink) {
    const std::string& fdb = paths_.Records();
    const std::string& journal = paths_.Journal();
    const auto at = static_cast<uint64_t>(position);
    Journal j;
    j.kind = Journal::Kind::RestoreRecord;
    j.position = at;
    if (!files_.ReadAt(fdb, at, kRecordSize, j.old_record)) {
        CError(sink).Show(msg::kErrDatabaseMissing);
        return WriteOutcome::Failed;
    }
    if (j.old_record == bytes) return WriteOutcome::Saved;
    if (!files_.Replace(journal, JournalBytes(j))) {
        CError(sink).Show(msg::kErrDatabaseWrite);
        return WriteOutcome::Failed;
    }
    if (!files_.WriteAt(fdb, at, bytes) || !files_.Remove(journal)) {
        // Back to the record as it was; should that fail too, the journal stays
        // and the next look at the project puts it back.
        if (files_.WriteAt(fdb, at, j.old_record)) (void)files_.Remove(journal);
        CError(sink).Show(msg::kErrDatabaseWrite);
        return WriteOutcome::Failed;
    }
    record_stamp_ = files_.Stat(fdb).value_or(FileStamp{});
    return WriteOutcome::Saved;
}

bool CDatabase::RemoveTag(std::string_view tag, MessageSink& sink) {
    Sync(sink);
    if (!index_present_) return Fail(sink, msg::kErrDatabaseOpen);
    std::string kept;
    kept.reserve(index_bytes_.size());
    const std::size_t n = index_.entries.size();
    for (std::size_t i = 0; i < n; ++i)
        if (EntryKey(index_bytes_, i) != tag) kept.append(index_bytes_, i * kIndexEntrySize, kIndexEntrySize);
    if (kept.size() == n * kIndexEntrySize) return true;  // not stored: nothing to remove
    std::vector<int32_t> dead;
    for (const IndexEntry& e : index_.entries)
        if (e.state == EntryState::Valid && e.tag == tag) dead.push_back(e.position);
    if (!files_.Replace(paths_.Index(), kept)) return Fail(sink, msg::kErrDatabaseOpen);
    // The dead record loses its tag number, so an index rebuilt from the record
    // file leaves it out (and a tag saved again later has one record, not two). A
    // record another entry still points at keeps it. Should this fail, the tag is
    // deleted all the same; only a rebuild would bring it back.
    Load();
    const std::string blank(sizeof(TagRecord::Tag_No), '\0');
    for (const int32_t position : dead) {
        const bool shared = std::any_of(index_.entries.begin(), index_.entries.end(),
                                        [&](const IndexEntry& e) { return e.position == position; });
        if (!shared)
            (void)files_.WriteAt(paths_.Records(),
                                 static_cast<uint64_t>(position) + offsetof(TagRecord, Tag_No), blank);
    }
    Load();
    return true;
}

bool CDatabase::CommitNewFiles(const std::string& new_records, const std::string& new_index,
                               MessageSink& sink) {
    Journal j;
    j.kind = Journal::Kind::Renames;
    j.renames = {{FileName(new_records), FileName(paths_.Records())},
                 {FileName(new_index), FileName(paths_.Index())}};
    if (!files_.Replace(paths_.Journal(), JournalBytes(j))) {
        (void)files_.Remove(new_records);
        (void)files_.Remove(new_index);
        return Fail(sink, msg::kErrDatabaseWrite);
    }
    // From here the change counts: whatever is not done now the next look completes.
    const bool done = files_.Rename(new_records, paths_.Records()) &&
                      files_.Rename(new_index, paths_.Index()) && files_.Remove(paths_.Journal());
    if (!done) Recover(sink, nullptr);
    Load();
    return true;
}

bool CDatabase::UpgradeIfNeeded(MessageSink& sink) {
    Sync(sink);
    if (!index_present_ || index_.entries.empty() || index_.bad_entries > 0) return false;
    const std::size_t n = index_.entries.size();
    auto read = [&](std::size_t i, TagRecord& r) {
        std::string bytes;
        return files_.ReadAt(paths_.Records(), static_cast<uint64_t>(index_.entries[i].position), kRecordSize,
                             bytes) &&
               RecordFromBytes(bytes, r);
    };
    // One record of the current format marks the project as upgraded: a project of
    // current records is decided by its first, without reading the others.
    TagRecord first;
    if (!read(0, first) || first.Rec_Version4 == 1) return false;
    std::vector<TagRecord> records(n);
    records[0] = first;
    for (std::size_t i = 1; i < n; ++i)
        if (!read(i, records[i]) || records[i].Rec_Version4 == 1) return false;
    Message ask;
    ask.caption = "Database Version Alert";
    ask.text = "This is a Version 3.0 database. Do you want to update database to Version 4?";
    ask.icon = MessageIcon::Exclamation;
    ask.buttons = MessageButtons::YesNo;
    ask.default_answer = MessageAnswer::No;
    if (sink.Show(ask) != MessageAnswer::Yes) return false;

    std::string new_records;
    std::string new_index;
    new_records.reserve(n * kRecordSize);
    new_index.reserve(n * kIndexEntrySize);
    for (std::size_t i = 0; i < n; ++i) {
        TagRecord& r = records[i];
        const bool kept = std::find(std::begin(kSchedulesUnchanged), std::end(kSchedulesUnchanged),
                                    r.Matl_Pipe) != std::end(kSchedulesUnchanged);
        if (!kept && r.Pipe_Sched < std::numeric_limits<int32_t>::max()) ++r.Pipe_Sched;
        r.Rec_Version4 = 1;
        new_records += RecordToBytes(r);
        // The key as stored, with the position the record has in the new file.
        std::string entry = index_bytes_.substr(i * kIndexEntrySize, kIndexEntrySize);
        const auto position = static_cast<int32_t>(i * kRecordSize);
        std::memcpy(entry.data() + kIndexKeySize, &position, sizeof position);
        new_index += entry;
    }
    if (!files_.Replace(paths_.UpgradeTemp(), new_records) || !files_.Replace(paths_.SwapTemp(), new_index)) {
        (void)files_.Remove(paths_.UpgradeTemp());
        (void)files_.Remove(paths_.SwapTemp());
        return Fail(sink, msg::kErrDatabaseOpen);
    }
    return CommitNewFiles(paths_.UpgradeTemp(), paths_.SwapTemp(), sink);
}

bool CDatabase::CreateProject(FileLayer& files, const ProjectPaths& paths, const ProjectSettings& settings,
                              MessageSink& sink) {
    const auto holds = [&](const std::string& p) { return files.Stat(p).value_or(FileStamp{}).size > 0; };
    if (files.Stat(paths.Settings()) || holds(paths.Records()) || holds(paths.Index())) {
        ShowNotice(sink, "New Project",
                   "A project named \"" + Shown(paths.name) + "\" already exists in\n" + Shown(paths.dir) +
                       "\nCreating it anew would delete its settings and tags. Choose another name, or "
                       "delete that project first (File > Project > Delete Project).");
        return false;
    }
    std::vector<std::string> created;
    for (const auto& [path, bytes] : {std::pair<std::string, std::string>{paths.Records(), ""},
                                      {paths.Index(), ""},
                                      {paths.Settings(), SettingsToBytes(settings)}}) {
        if (!files.Replace(path, bytes)) {
            for (const std::string& p : created) (void)files.Remove(p);
            CError(sink).Show(msg::kErrProjectCreate);
            return false;
        }
        created.push_back(path);
    }
    return true;
}

}  // namespace quorven
