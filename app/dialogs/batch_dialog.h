#pragma once
// "Batch Print Setup" (CBatchDialog): the tags of a batch print, chosen from the
// project's tag list into the selected list, with the "Sort Tags" and "Number
// Pages" options. The choice itself is the widget-free BatchSelection
// (reports/batch_print.h); this dialog shows it and passes the clicks on.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "reports/batch_print.h"

class QCheckBox;
class QLabel;
class QListWidget;

namespace quorven {

inline constexpr int kIdBatchAvailable = 1407;
inline constexpr int kIdBatchSelected = 1408;
inline constexpr int kIdBatchSelect = 1409;
inline constexpr int kIdBatchDeselect = 1410;
inline constexpr int kIdBatchSort = 1411;
inline constexpr int kIdBatchSelectAll = 1412;
inline constexpr int kIdBatchDeselectAll = 1413;
inline constexpr int kIdBatchNumber = 1414;
inline constexpr int kIdBatchSelectedCount = 1415;
inline constexpr int kIdBatchAvailableCount = 1416;
// "Export &PDF...": OK, with the batch written to a PDF file instead.
inline constexpr int kIdBatchPdf = 1417;

// Reads the project's index again ("Sort Tags"); empty when it cannot be read.
using TagListReader = std::function<std::optional<std::vector<std::string>>()>;

class CBatchDialog final : public QDialog {
    Q_OBJECT
public:
    // `tags`: the project's tags in index order (Windows-1252). A failed re-read
    // shows Error #43 through `sink` and keeps the tags held.
    CBatchDialog(std::vector<std::string> tags, TagListReader reread, MessageSink& sink,
                 QWidget* parent = nullptr);

    const BatchSelection& Selection() const { return selection_; }
    // The dialog ended with "Export PDF..." rather than OK.
    bool PdfChosen() const { return pdf_; }

private:
    void Select();
    void Deselect();
    void SelectAll();
    void DeselectAll();
    void ToggleSort();
    void Refill();
    void ShowCounts();

    BatchSelection selection_;
    TagListReader reread_;
    MessageSink& sink_;
    QListWidget* available_;
    QListWidget* selected_;
    QCheckBox* sort_;
    QCheckBox* number_;
    QLabel* available_count_;
    QLabel* selected_count_;
    bool pdf_ = false;
};

struct BatchChoice {
    BatchSelection selection;
    bool pdf = false;  // "Export PDF..." rather than OK
};

// Shows the dialog; on OK or "Export PDF..." returns the selection (with the
// "Number Pages" choice), on Cancel nothing.
std::optional<BatchChoice> ExecBatchDialog(QWidget* parent, std::vector<std::string> tags,
                                           TagListReader reread, MessageSink& sink);

}  // namespace quorven
