#pragma once
// Batch printing without its window: the project's tag list, the choice of tags in
// the "Batch Print Setup" dialog and the batch it hands to the print job. Every
// tag is listed once; a tag's position (its sheet number) is its place in the list
// of all the project's tags, sorted or in the order the index holds them, so a
// later batch of other tags continues the same numbering.

#include <optional>
#include <string>
#include <vector>

#include "project/database.h"
#include "project/project_document.h"
#include "reports/print_job.h"

namespace quorven {

// The tag numbers of the project's index, each once, in the order of the index.
std::vector<std::string> ProjectTagNumbers(const CDatabase& db);

// Byte order of the tag numbers, as unsigned characters: case-sensitive, a number
// that is a prefix of another first (A-10 before A-9 before B-2).
void SortTagNumbers(std::vector<std::string>& tags);

class BatchSelection {
public:
    // Opens with every tag available and selected, sorted when `sorted`.
    explicit BatchSelection(std::vector<std::string> index_order, bool sorted = true);

    const std::vector<std::string>& Available() const { return available_; }
    const std::vector<std::string>& Selected() const { return selected_; }
    int Total() const { return static_cast<int>(available_.size()); }
    int SelectedCount() const { return static_cast<int>(selected_.size()); }
    bool Sorted() const { return sorted_; }
    bool numbered = true;  // "&Number Pages"

    // "Select Tags >": the available rows (any order) appended in list order,
    // each unless the selected list holds that tag already. Returns the row of the
    // last one appended in the selected list, or -1.
    int Select(std::vector<int> available_rows);
    // "< Deselect Tags": the selected rows taken out.
    void Deselect(std::vector<int> selected_rows);
    void SelectAll();    // "Select All >>"
    void DeselectAll();  // "<< Deselect All"
    // Double-clicks: a tag of the available list selected (unless it is already),
    // a tag of the selected list taken out. Rows outside the lists do nothing.
    int ActivateAvailable(int row);
    void ActivateSelected(int row);
    // "&Sort Tags": the list again from `reread` (the index read anew), or from the
    // tags held when it could not be read, sorted or in index order; every tag is
    // selected again.
    void SetSorted(bool sorted, std::optional<std::vector<std::string>> reread);

    // OK: the selected tags in the order chosen, each with its position.
    std::vector<BatchEntry> Entries() const;
    // Every available tag with its position (the whole project).
    std::vector<BatchEntry> AllEntries() const;

private:
    void Fill();
    bool IsSelected(const std::string& tag) const;

    std::vector<std::string> index_order_;
    std::vector<std::string> available_;
    std::vector<std::string> selected_;
    bool sorted_ = true;
};

// --- The batch commands around the dialog ----------------------------------------

// The project's tags for the dialog: Error #44, and nothing, when no project is
// open or its index cannot be read.
std::optional<std::vector<std::string>> BatchTagsOf(ProjectDocument& doc, MessageSink& sink);

// A batch prints the tags as the project stores them and never replaces the
// current tag. When the current tag is one of the batch and has edits not yet
// saved, the user is asked first: Yes saves the tag (the batch stops when that
// fails), No prints the stored tag, Cancel prints nothing. True when the batch may
// go on.
bool MayPrintStoredTags(ProjectDocument& doc, const std::vector<BatchEntry>& entries, MessageSink& sink);

// The question MayPrintStoredTags asks.
Message UnsavedBatchTagQuestion(std::string_view tag);

// Reads a tag of the project as Retrieve Tag would: checked, with the project's
// flow unit list. A tag that cannot be read says so through `sink` once per job.
TagReader ProjectTagReader(ProjectDocument& doc, MessageSink& sink);

// The job the command starts after the dialog's OK: nothing when the project has
// no tags, or (every kind but the tag index) when no tag is selected.
std::optional<PrintJob> BatchJobOf(ReportType kind, const BatchSelection& selection, std::string run_date);

}  // namespace quorven
