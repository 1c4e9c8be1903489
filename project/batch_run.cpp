#include "project/batch_run.h"

#include <algorithm>
#include <new>

#include "messages/messages.h"
#include "project/batch_status.h"
#include "project/notices.h"
#include "record/cformat.h"
#include "record/record_check.h"
#include "record/record_io.h"
#include "record/text_codec.h"

namespace quorven {
namespace {

constexpr std::size_t kTagsPerStep = 1024;

constexpr const char* kBatchCaption = "Batch Calculation Message";

void ShowAborted(MessageSink& sink) {
    ShowNotice(sink, kBatchCaption, "Batch calculation aborted!", MessageIcon::Information);
}

bool AskQuestion(MessageSink& sink, const char* caption, const char* text) {
    Message m;
    m.caption = caption;
    m.text = text;
    m.icon = MessageIcon::Question;
    m.buttons = MessageButtons::YesNo;
    m.default_answer = MessageAnswer::Yes;
    return sink.Show(m) == MessageAnswer::Yes;
}

// One tag to process: its index entry's tag number and position (-1 when the
// entry names no whole record).
struct Item {
    std::string tag;
    int64_t position;
};

class Run {
public:
    Run(CDatabase& db, BatchRunOptions& options, MessageSink& sink)
        : db_(db),
          files_(db.Files()),
          paths_(db.Paths()),
          options_(options),
          sink_(sink),
          writer_(files_, paths_.BatchRecordsTemp()) {}

    BatchRunReport Go();

private:
    bool Step(std::span<const Item> items);
    bool Place(uint64_t position, std::string_view bytes);
    bool CopyOld(uint64_t to);
    bool AppendStatus(std::string_view text);
    void Finish();
    void Discard(std::string_view reason);

    CDatabase& db_;
    FileLayer& files_;
    const ProjectPaths& paths_;
    BatchRunOptions& options_;
    MessageSink& sink_;
    RunWriter writer_;
    BatchRunReport report_;
    uint64_t status_size_ = 0;
    // The new record file is written front to back: bytes below copied_to_ are
    // queued; a gap before the next calculated record takes the old bytes.
    uint64_t record_size_ = 0;
    uint64_t copied_to_ = 0;
    bool copy_failed_ = false;
    std::string chunk_;
    bool status_failed_ = false;
    // Reused between steps.
    std::vector<int64_t> positions_;
    std::vector<std::string> bytes_;
    std::vector<char> read_ok_;
    std::vector<TagRecord> records_;
    std::vector<std::string> numbers_;
    std::vector<BatchTagResult> results_;
    std::vector<std::vector<RecordRepair>> repairs_;
};

bool Run::AppendStatus(std::string_view text) {
    if (status_failed_) return false;
    const std::string bytes = WithWindowsLineEnds(text);
    if (!files_.WriteAtNoSync(paths_.BatchStatusTemp(), status_size_, bytes)) {
        status_failed_ = true;
        CError(sink_).Show(msg::kErrBatchCheckFileOpen);
        return false;
    }
    status_size_ += bytes.size();
    return true;
}

bool Run::Step(std::span<const Item> items) {
    const std::size_t n = items.size();
    positions_.resize(n);
    numbers_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        positions_[i] = items[i].position;
        numbers_[i] = items[i].tag;
    }
    ReadAtPositions(files_, paths_.Records(), positions_, kRecordSize, bytes_, read_ok_);
    records_.resize(n);
    repairs_.assign(n, {});
    for (std::size_t i = 0; i < n; ++i) {
        if (read_ok_[i] && RecordFromBytes(bytes_[i], records_[i])) {
            repairs_[i] = CheckRecord(records_[i]);
        } else {
            read_ok_[i] = 0;
        }
    }
    results_.resize(n);
    BatchTags(records_, read_ok_, numbers_, results_, options_.settings);
    std::string status;
    for (std::size_t i = 0; i < n; ++i) {
        BatchTagResult& res = results_[i];
        for (const RecordRepair& rep : repairs_[i])
            res.messages.insert(
                res.messages.begin(),
                "The stored " + rep.field + " (" + Cp1252ToUtf8(rep.was) + ") was not valid and was reset.");
        switch (res.outcome) {
            case BatchOutcome::Calculated:
                ++report_.calculated;
                if (!Place(static_cast<uint64_t>(positions_[i]), RecordToBytes(records_[i]))) return false;
                break;
            case BatchOutcome::DataErrors:
                ++report_.data_errors;
                break;
            case BatchOutcome::NotCalculated:
                ++report_.not_calculated;
                break;
            case BatchOutcome::Unreadable:
                ++report_.unreadable;
                break;
        }
        ++report_.tags;
        status += res.status;
        if (options_.on_tag) options_.on_tag(items[i].tag, res);
    }
    (void)AppendStatus(status);
    return true;
}

// Each byte of the new record file is written once: the old bytes up to a
// calculated record, then the record. Copying the whole file first and writing
// the records over it cost a second pass over every byte.
bool Run::Place(uint64_t position, std::string_view bytes) {
    if (position > copied_to_ && !CopyOld(position)) return false;
    if (!writer_.Put(position, bytes)) return false;
    copied_to_ = std::max<uint64_t>(copied_to_, position + bytes.size());
    return true;
}

bool Run::CopyOld(uint64_t to) {
    while (copied_to_ < to) {
        const auto n = static_cast<std::size_t>(std::min<uint64_t>(kBulkChunkBytes, to - copied_to_));
        if (!files_.ReadAt(paths_.Records(), copied_to_, n, chunk_)) {
            copy_failed_ = true;
            return false;
        }
        if (!writer_.Put(copied_to_, chunk_)) return false;
        copied_to_ += n;
    }
    return true;
}

void Run::Discard(std::string_view reason) {
    (void)files_.Remove(paths_.BatchRecordsTemp());
    (void)files_.Remove(paths_.BatchStatusTemp());
    // The status file says that nothing was stored, never "No errors!" for a tag
    // that is not in the project.
    const std::string text = WithWindowsLineEnds(StatusHeading(paths_.name) + NotSavedBlock(reason));
    report_.status_written = files_.Replace(paths_.BatchStatus(), text);
}

BatchRunReport Run::Go() {
    db_.Sync(sink_);
    if (!db_.IndexPresent()) {
        CError(sink_).Show(msg::kErrProjectIndex);
        return report_;
    }
    const std::vector<IndexEntry>& entries = db_.Entries();
    if (entries.empty()) {
        ShowNotice(sink_, "Aborting", "This project database is empty -> aborting", MessageIcon::Exclamation);
        ShowAborted(sink_);
        return report_;
    }
    // The status file is written beside its old one and replaces it at the end.
    if (!files_.Replace(paths_.BatchStatusTemp(), WithWindowsLineEnds(StatusHeading(paths_.name)))) {
        CError(sink_).Show(msg::kErrBatchCheckFileCreate);
        ShowAborted(sink_);
        return report_;
    }
    status_size_ = files_.Stat(paths_.BatchStatusTemp()).value_or(FileStamp{}).size;
    if (!AskQuestion(sink_, "Batch Calculation Warning",
                     "This function will batch calculate the sizing parameter\nfor every tag in the current "
                     "project database.\n\nDo you want to continue?")) {
        (void)files_.Remove(paths_.BatchStatusTemp());
        return report_;
    }
    options_.settings.increment_revision =
        AskQuestion(sink_, "Batch Calculation - Increment Revision",
                    "Do you want to Increment the revision number for each calculation?");
    options_.settings.project_name = paths_.name;
    report_.started = true;

    // Each tag once: an entry whose tag number an earlier entry already holds
    // reads that earlier record, so it is not calculated a second time.
    std::vector<Item> items;
    items.reserve(entries.size());
    for (const IndexEntry& e : entries) {
        if (e.state != EntryState::Valid) {
            items.push_back({e.tag, -1});
        } else if (db_.FindTag(e.tag) == e.position) {
            items.push_back({e.tag, e.position});
        }
    }
    record_size_ = db_.RecordFileSize();
    if (!files_.Replace(paths_.BatchRecordsTemp(), "")) {
        CError(sink_).Show(msg::kErrDatabaseWrite);
        Discard("The new record file for the calculation could not be created.");
        ShowAborted(sink_);
        return report_;
    }
    for (std::size_t from = 0; from < items.size(); from += kTagsPerStep) {
        if (options_.progress && !options_.progress(from, items.size())) {
            report_.cancelled = true;
            Discard("The batch calculation was cancelled.");
            return report_;
        }
        const std::size_t to = std::min(items.size(), from + kTagsPerStep);
        if (!Step(std::span<const Item>(items).subspan(from, to - from))) break;
    }
    if (options_.progress) (void)options_.progress(items.size(), items.size());
    Finish();
    return report_;
}

void Run::Finish() {
    const bool written =
        !copy_failed_ && CopyOld(record_size_) && writer_.Flush() && files_.Sync(paths_.BatchRecordsTemp());
    // The recalculated record file takes the old one's place in one step.
    if (!written || !files_.Rename(paths_.BatchRecordsTemp(), paths_.Records())) {
        CError(sink_).Show(msg::kErrDatabaseWrite);
        Discard("The recalculated tags could not be written to the project.");
        db_.Sync(sink_);
        ShowAborted(sink_);
        return;
    }
    report_.saved = true;
    db_.Sync(sink_);
    if (!status_failed_ && files_.Sync(paths_.BatchStatusTemp()) &&
        files_.Rename(paths_.BatchStatusTemp(), paths_.BatchStatus())) {
        report_.status_written = true;
    } else {
        if (!status_failed_) CError(sink_).Show(msg::kErrBatchCheckFileOpen);
        (void)files_.Remove(paths_.BatchStatusTemp());
        (void)files_.Remove(paths_.BatchStatus());  // an old one would tell of another run
    }
    std::string text = CFormat(
        "Batch calculation for project complete!\n\n%d tags: %d calculated and saved, %d with data errors, "
        "%d not calculated, %d that could not be read.",
        {static_cast<long long>(report_.tags), static_cast<long long>(report_.calculated),
         static_cast<long long>(report_.data_errors), static_cast<long long>(report_.not_calculated),
         static_cast<long long>(report_.unreadable)});
    if (report_.status_written) text += "\nThe status file is " + Cp1252ToUtf8(paths_.name) + ".txt.";
    ShowNotice(sink_, kBatchCaption, text, MessageIcon::Information);
}

}  // namespace

BatchRunReport RunBatchCalculation(CDatabase& db, BatchRunOptions options, MessageSink& sink) {
    try {
        Run run(db, options, sink);
        return run.Go();
    } catch (const std::bad_alloc&) {
        (void)db.Files().Remove(db.Paths().BatchRecordsTemp());
        (void)db.Files().Remove(db.Paths().BatchStatusTemp());
        CError(sink).Show(msg::kErrOutOfMemory);
        return {};
    }
}

}  // namespace quorven
