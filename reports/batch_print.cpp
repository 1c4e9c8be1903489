#include "reports/batch_print.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "project/project_commands.h"
#include "record/text_codec.h"
#include "record/units.h"

namespace quorven {

std::vector<std::string> ProjectTagNumbers(const CDatabase& db) {
    std::vector<std::string> tags;
    std::unordered_set<std::string> seen;
    for (const IndexEntry& e : db.Entries()) {
        if (e.state != EntryState::Valid || e.tag.empty()) continue;
        if (seen.insert(e.tag).second) tags.push_back(e.tag);
    }
    return tags;
}

void SortTagNumbers(std::vector<std::string>& tags) {
    // std::string compares its characters as unsigned char.
    std::sort(tags.begin(), tags.end());
}

BatchSelection::BatchSelection(std::vector<std::string> index_order, bool sorted)
    : index_order_(std::move(index_order)), sorted_(sorted) {
    Fill();
}

void BatchSelection::Fill() {
    available_ = index_order_;
    if (sorted_) SortTagNumbers(available_);
    selected_ = available_;
}

bool BatchSelection::IsSelected(const std::string& tag) const {
    return std::find(selected_.begin(), selected_.end(), tag) != selected_.end();
}

int BatchSelection::Select(std::vector<int> available_rows) {
    std::sort(available_rows.begin(), available_rows.end());
    available_rows.erase(std::unique(available_rows.begin(), available_rows.end()), available_rows.end());
    int caret = -1;
    for (int row : available_rows) {
        const int appended = ActivateAvailable(row);
        if (appended >= 0) caret = appended;
    }
    return caret;
}

void BatchSelection::Deselect(std::vector<int> selected_rows) {
    std::sort(selected_rows.begin(), selected_rows.end());
    selected_rows.erase(std::unique(selected_rows.begin(), selected_rows.end()), selected_rows.end());
    for (auto it = selected_rows.rbegin(); it != selected_rows.rend(); ++it) ActivateSelected(*it);
}

void BatchSelection::SelectAll() {
    selected_ = available_;
}

void BatchSelection::DeselectAll() {
    selected_.clear();
}

int BatchSelection::ActivateAvailable(int row) {
    if (row < 0 || row >= Total()) return -1;
    const std::string& tag = available_[static_cast<std::size_t>(row)];
    if (IsSelected(tag)) return -1;
    selected_.push_back(tag);
    return SelectedCount() - 1;
}

void BatchSelection::ActivateSelected(int row) {
    if (row < 0 || row >= SelectedCount()) return;
    selected_.erase(selected_.begin() + row);
}

void BatchSelection::SetSorted(bool sorted, std::optional<std::vector<std::string>> reread) {
    sorted_ = sorted;
    if (reread) index_order_ = std::move(*reread);
    Fill();
}

std::vector<BatchEntry> BatchSelection::Entries() const {
    std::unordered_map<std::string_view, int> position;
    for (std::size_t i = 0; i < available_.size(); ++i)
        position.emplace(available_[i], static_cast<int>(i) + 1);
    std::vector<BatchEntry> out;
    out.reserve(selected_.size());
    for (const std::string& tag : selected_) out.push_back({tag, position[tag]});
    return out;
}

std::vector<BatchEntry> BatchSelection::AllEntries() const {
    std::vector<BatchEntry> out;
    out.reserve(available_.size());
    for (std::size_t i = 0; i < available_.size(); ++i)
        out.push_back({available_[i], static_cast<int>(i) + 1});
    return out;
}

std::optional<std::vector<std::string>> BatchTagsOf(ProjectDocument& doc, MessageSink& sink) {
    if (!doc.project_open || !doc.database) {
        CError(sink).Show(msg::kErrProjectIndex);
        return std::nullopt;
    }
    doc.database->Sync(sink);
    if (!doc.database->IndexPresent()) {
        CError(sink).Show(msg::kErrProjectIndex);
        return std::nullopt;
    }
    return ProjectTagNumbers(*doc.database);
}

Message UnsavedBatchTagQuestion(std::string_view tag) {
    Message m;
    m.kind = MessageKind::Warning;
    m.caption = "Batch Print";
    m.text = "Tag " + Cp1252ToUtf8(tag) +
             " has changes that are not saved.\nThe batch prints the tags as they are stored in the "
             "project.\n\nSave the changes first?";
    m.icon = MessageIcon::Question;
    m.buttons = MessageButtons::YesNoCancel;
    m.default_answer = MessageAnswer::Yes;
    m.system_modal = false;
    return m;
}

bool MayPrintStoredTags(ProjectDocument& doc, const std::vector<BatchEntry>& entries, MessageSink& sink) {
    if (!doc.HasUnsavedEdits()) return true;
    const std::string current(GetText(doc.record.Tag_No));
    const bool in_batch =
        std::any_of(entries.begin(), entries.end(), [&](const BatchEntry& e) { return e.tag == current; });
    if (!in_batch) return true;
    switch (sink.Show(UnsavedBatchTagQuestion(current))) {
        case MessageAnswer::Yes:
            if (!SaveTag(doc, sink)) return false;
            doc.MarkBaseline();
            return true;
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

TagReader ProjectTagReader(ProjectDocument& doc, MessageSink& sink) {
    auto said = std::make_shared<std::set<std::string>>();
    return [&doc, &sink, said](const std::string& tag, TagRecord& out) {
        if (!doc.database) return false;
        NullMessageSink quiet;
        const bool first = said->insert(tag).second;
        TagRecord r = NewTagRecord();
        if (!doc.database->ReadTag(tag, r, first ? sink : quiet)) return false;
        ReapplyFlowUnit(r, doc.unit_tables);
        out = r;
        return true;
    };
}

std::optional<PrintJob> BatchJobOf(ReportType kind, const BatchSelection& selection, std::string run_date) {
    if (selection.Total() == 0) return std::nullopt;
    std::vector<BatchEntry> entries = selection.Entries();
    if (entries.empty()) return std::nullopt;
    return BatchReportJob(kind, std::move(entries), selection.Total(), selection.numbered,
                          std::move(run_date));
}

}  // namespace quorven
