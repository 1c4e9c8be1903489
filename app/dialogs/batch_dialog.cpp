#include "app/dialogs/batch_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/qt_text.h"

namespace quorven {
namespace {

QString Id(int id) {
    return QStringLiteral("id%1").arg(id);
}

QListWidget* TagList(int id, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(Id(id));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumHeight(220);
    return list;
}

QPushButton* Button(int id, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(Id(id));
    b->setAutoDefault(false);
    return b;
}

// The rows of a list that are selected, in list order.
std::vector<int> SelectedRows(const QListWidget& list) {
    std::vector<int> rows;
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->isSelected()) rows.push_back(i);
    return rows;
}

void Fill(QListWidget& list, const std::vector<std::string>& tags) {
    list.clear();
    for (const std::string& t : tags) list.addItem(RecordTextToQString(t));
}

}  // namespace

CBatchDialog::CBatchDialog(std::vector<std::string> tags, TagListReader reread, MessageSink& sink,
                           QWidget* parent)
    : QDialog(parent), selection_(std::move(tags), true), reread_(std::move(reread)), sink_(sink) {
    setWindowTitle(QStringLiteral("Batch Print Setup"));
    setObjectName(Id(315));

    available_ = TagList(kIdBatchAvailable, this);
    selected_ = TagList(kIdBatchSelected, this);
    auto* select = Button(kIdBatchSelect, QStringLiteral("Select Tags >"), this);
    auto* deselect = Button(kIdBatchDeselect, QStringLiteral("< Deselect Tags"), this);
    auto* select_all = Button(kIdBatchSelectAll, QStringLiteral("Select All >>"), this);
    auto* deselect_all = Button(kIdBatchDeselectAll, QStringLiteral("<< Deselect All"), this);

    auto* buttons_column = new QVBoxLayout;
    buttons_column->addStretch();
    for (QPushButton* b : {select, deselect, select_all, deselect_all}) buttons_column->addWidget(b);
    buttons_column->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Available Tags"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Selected Tags"), this), 0, 2);
    lists->addWidget(available_, 1, 0);
    lists->addLayout(buttons_column, 1, 1);
    lists->addWidget(selected_, 1, 2);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    sort_ = new QCheckBox(QStringLiteral("&Sort Tags"), options);
    sort_->setObjectName(Id(kIdBatchSort));
    number_ = new QCheckBox(QStringLiteral("&Number Pages"), options);
    number_->setObjectName(Id(kIdBatchNumber));
    auto* options_layout = new QVBoxLayout(options);
    options_layout->addWidget(sort_);
    options_layout->addWidget(number_);

    available_count_ = new QLabel(this);
    available_count_->setObjectName(Id(kIdBatchAvailableCount));
    selected_count_ = new QLabel(this);
    selected_count_->setObjectName(Id(kIdBatchSelectedCount));
    auto* counts = new QGridLayout;
    counts->addWidget(available_count_, 0, 0, Qt::AlignHCenter);
    counts->addWidget(selected_count_, 0, 1, Qt::AlignHCenter);
    counts->addWidget(new QLabel(QStringLiteral("Available"), this), 1, 0, Qt::AlignHCenter);
    counts->addWidget(new QLabel(QStringLiteral("Selected"), this), 1, 1, Qt::AlignHCenter);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(Id(1));
    box->button(QDialogButtonBox::Cancel)->setObjectName(Id(2));
    auto* pdf = box->addButton(QStringLiteral("Export &PDF..."), QDialogButtonBox::ActionRole);
    pdf->setObjectName(Id(kIdBatchPdf));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(options);
    bottom->addLayout(counts);
    bottom->addStretch();
    bottom->addWidget(box, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(bottom);

    // The dialog opens with both options set and every tag selected.
    sort_->setChecked(true);
    number_->setChecked(true);
    Refill();

    connect(select, &QPushButton::clicked, this, &CBatchDialog::Select);
    connect(deselect, &QPushButton::clicked, this, &CBatchDialog::Deselect);
    connect(select_all, &QPushButton::clicked, this, &CBatchDialog::SelectAll);
    connect(deselect_all, &QPushButton::clicked, this, &CBatchDialog::DeselectAll);
    connect(sort_, &QCheckBox::clicked, this, &CBatchDialog::ToggleSort);
    connect(available_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = available_->row(item);
        const int appended = selection_.ActivateAvailable(row);
        if (appended >= 0) selected_->addItem(item->text());
        item->setSelected(false);
        ShowCounts();
    });
    connect(selected_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = selected_->row(item);
        selection_.ActivateSelected(row);
        delete selected_->takeItem(row);
        ShowCounts();
    });
    connect(box, &QDialogButtonBox::accepted, this, [this] {
        selection_.numbered = number_->isChecked();
        accept();
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        selection_.numbered = number_->isChecked();
        pdf_ = true;
        accept();
    });
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CBatchDialog::Select() {
    const int caret = selection_.Select(SelectedRows(*available_));
    available_->clearSelection();
    Fill(*selected_, selection_.Selected());
    if (caret >= 0) {
        selected_->setFocus();
        selected_->setCurrentRow(caret, QItemSelectionModel::NoUpdate);
    }
    ShowCounts();
}

void CBatchDialog::Deselect() {
    selection_.Deselect(SelectedRows(*selected_));
    Fill(*selected_, selection_.Selected());
    ShowCounts();
}

void CBatchDialog::SelectAll() {
    selection_.SelectAll();
    Fill(*selected_, selection_.Selected());
    ShowCounts();
}

void CBatchDialog::DeselectAll() {
    selection_.DeselectAll();
    selected_->clear();
    ShowCounts();
}

void CBatchDialog::ToggleSort() {
    std::optional<std::vector<std::string>> tags = reread_ ? reread_() : std::nullopt;
    if (!tags) CError(sink_).Show(msg::kErrDatabaseWrite);
    selection_.SetSorted(sort_->isChecked(), std::move(tags));
    Refill();
}

void CBatchDialog::Refill() {
    Fill(*available_, selection_.Available());
    Fill(*selected_, selection_.Selected());
    ShowCounts();
}

void CBatchDialog::ShowCounts() {
    available_count_->setText(QString::number(selection_.Total()));
    selected_count_->setText(QString::number(selection_.SelectedCount()));
}

std::optional<BatchChoice> ExecBatchDialog(QWidget* parent, std::vector<std::string> tags,
                                           TagListReader reread, MessageSink& sink) {
    CBatchDialog dialog(std::move(tags), std::move(reread), sink, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return BatchChoice{dialog.Selection(), dialog.PdfChosen()};
}

}  // namespace quorven
