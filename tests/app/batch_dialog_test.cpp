// "Batch Print Setup": the lists and counts it opens with, the buttons and
// double-clicks, "Sort Tags" with an index that cannot be read again, and what OK
// and Cancel hand back.
#include "app/dialogs/batch_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>

#include "qt_test_support.h"

namespace quorven {
namespace {

using testing::Find;

QStringList Items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

TEST(BatchDialog, OpensSortedWithEveryTagSelectedAndBothOptionsSet) {
    RecordingMessageSink sink;
    CBatchDialog dialog({"B-2", "A-10", "A-9"}, nullptr, sink);
    EXPECT_EQ(dialog.windowTitle(), "Batch Print Setup");
    EXPECT_EQ(Items(Find<QListWidget>(&dialog, kIdBatchAvailable)), QStringList({"A-10", "A-9", "B-2"}));
    EXPECT_EQ(Items(Find<QListWidget>(&dialog, kIdBatchSelected)), QStringList({"A-10", "A-9", "B-2"}));
    EXPECT_TRUE(Find<QCheckBox>(&dialog, kIdBatchSort)->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(&dialog, kIdBatchNumber)->isChecked());
    EXPECT_EQ(Find<QLabel>(&dialog, kIdBatchAvailableCount)->text(), "3");
    EXPECT_EQ(Find<QLabel>(&dialog, kIdBatchSelectedCount)->text(), "3");
}

TEST(BatchDialog, ButtonsAndDoubleClicksMoveTagsAndCountThem) {
    RecordingMessageSink sink;
    CBatchDialog dialog({"FT-101", "FT-101A", "FT-102"}, nullptr, sink);
    auto* available = Find<QListWidget>(&dialog, kIdBatchAvailable);
    auto* selected = Find<QListWidget>(&dialog, kIdBatchSelected);
    auto* count = Find<QLabel>(&dialog, kIdBatchSelectedCount);
    Find<QAbstractButton>(&dialog, kIdBatchDeselectAll)->click();
    EXPECT_EQ(selected->count(), 0);
    EXPECT_EQ(count->text(), "0");

    // FT-101A then FT-101: both go over, each once, FT-101 not mistaken for a prefix.
    available->item(1)->setSelected(true);
    Find<QAbstractButton>(&dialog, kIdBatchSelect)->click();
    available->item(0)->setSelected(true);
    available->item(1)->setSelected(true);  // already selected: not again
    Find<QAbstractButton>(&dialog, kIdBatchSelect)->click();
    EXPECT_EQ(Items(selected), QStringList({"FT-101A", "FT-101"}));
    EXPECT_EQ(count->text(), "2");
    EXPECT_TRUE(available->selectedItems().isEmpty());

    emit available->itemDoubleClicked(available->item(2));
    EXPECT_EQ(Items(selected), QStringList({"FT-101A", "FT-101", "FT-102"}));
    emit selected->itemDoubleClicked(selected->item(0));
    EXPECT_EQ(Items(selected), QStringList({"FT-101", "FT-102"}));
    selected->item(1)->setSelected(true);
    Find<QAbstractButton>(&dialog, kIdBatchDeselect)->click();
    EXPECT_EQ(Items(selected), QStringList({"FT-101"}));
    EXPECT_EQ(count->text(), "1");

    Find<QCheckBox>(&dialog, kIdBatchNumber)->setChecked(false);
    Find<QAbstractButton>(&dialog, 1)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.Selection().numbered);
    EXPECT_EQ(dialog.Selection().Entries(), (std::vector<BatchEntry>{{"FT-101", 1}}));

    Find<QAbstractButton>(&dialog, kIdBatchSelectAll)->click();
    EXPECT_EQ(selected->count(), 3);
}

TEST(BatchDialog, SortReadsTheIndexAgainOrSaysItCannot) {
    RecordingMessageSink sink;
    bool readable = true;
    CBatchDialog dialog(
        {"B-2", "A-10"},
        [&]() -> std::optional<std::vector<std::string>> {
            if (!readable) return std::nullopt;
            return std::vector<std::string>{"C-3", "B-2", "A-10"};
        },
        sink);
    auto* sort = Find<QCheckBox>(&dialog, kIdBatchSort);
    auto* available = Find<QListWidget>(&dialog, kIdBatchAvailable);
    sort->click();  // off: the index read anew, in its order
    EXPECT_FALSE(sort->isChecked());
    EXPECT_EQ(Items(available), QStringList({"C-3", "B-2", "A-10"}));
    EXPECT_EQ(Find<QLabel>(&dialog, kIdBatchSelectedCount)->text(), "3");
    readable = false;
    sort->click();  // on, but the index cannot be read: Error #43, the tags held, sorted
    EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrDatabaseWrite});
    EXPECT_EQ(Items(available), QStringList({"A-10", "B-2", "C-3"}));
    EXPECT_EQ(Find<QLabel>(&dialog, kIdBatchAvailableCount)->text(), "3");
}

TEST(BatchDialog, CancelHandsBackNothingOkAndPdfTheSelection) {
    RecordingMessageSink sink;
    testing::WhenModalAppears([](QWidget* w) { Find<QAbstractButton>(w, 2)->click(); });
    EXPECT_FALSE(ExecBatchDialog(nullptr, {"A-1"}, nullptr, sink).has_value());
    testing::WhenModalAppears([](QWidget* w) { Find<QAbstractButton>(w, 1)->click(); });
    const std::optional<BatchChoice> ok = ExecBatchDialog(nullptr, {"A-1"}, nullptr, sink);
    ASSERT_TRUE(ok.has_value());
    EXPECT_EQ(ok->selection.Entries(), (std::vector<BatchEntry>{{"A-1", 1}}));
    EXPECT_FALSE(ok->pdf);
    testing::WhenModalAppears([](QWidget* w) { Find<QAbstractButton>(w, kIdBatchPdf)->click(); });
    const std::optional<BatchChoice> pdf = ExecBatchDialog(nullptr, {"A-1"}, nullptr, sink);
    ASSERT_TRUE(pdf.has_value());
    EXPECT_TRUE(pdf->pdf);
}

}  // namespace
}  // namespace quorven
