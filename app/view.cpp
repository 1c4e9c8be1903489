#include "app/view.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/commands/command_ids.h"
#include "app/document.h"
#include "app/platform/qt_text.h"

namespace quorven {
namespace {

QLineEdit* HeaderEdit(int id, int max_length, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlName(id));
    edit->setMaxLength(max_length);
    edit->setReadOnly(true);  // editing comes with the main form
    return edit;
}

QGroupBox* Area(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    auto* note = new QLabel(QStringLiteral("(to come with the main form)"), box);
    note->setEnabled(false);
    note->setAlignment(Qt::AlignCenter);
    layout->addWidget(note);
    return box;
}

}  // namespace

CQuorven64View::CQuorven64View(CQuorven64Doc& doc, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      tag_no_(HeaderEdit(1106, 18, this)),
      service_(HeaderEdit(1107, 50, this)),
      line_no_(HeaderEdit(1108, 25, this)),
      rev_(HeaderEdit(1105, 4, this)),
      date_(HeaderEdit(1104, 12, this)),
      memo_(HeaderEdit(1706, 100, this)),
      calculate_(new QPushButton(QStringLiteral("Calculate"), this)) {
    setObjectName(QStringLiteral("id102"));
    auto* header = new QGridLayout;
    header->addWidget(new QLabel(QStringLiteral("Tag No.:"), this), 0, 0);
    header->addWidget(tag_no_, 0, 1);
    header->addWidget(new QLabel(QStringLiteral("Rev"), this), 0, 2);
    header->addWidget(rev_, 0, 3);
    header->addWidget(new QLabel(QStringLiteral("Date"), this), 0, 4);
    header->addWidget(date_, 0, 5);
    header->addWidget(new QLabel(QStringLiteral("Service Description:"), this), 1, 0);
    header->addWidget(service_, 1, 1, 1, 5);
    header->addWidget(new QLabel(QStringLiteral("Line No.:"), this), 2, 0);
    header->addWidget(line_no_, 2, 1, 1, 5);
    header->setColumnStretch(1, 3);
    header->setColumnStretch(5, 1);

    auto* areas = new QGridLayout;
    areas->addWidget(Area(QStringLiteral("Fluid Data"), this), 0, 0);
    areas->addWidget(Area(QStringLiteral("Sizing Data"), this), 1, 0);
    areas->addWidget(Area(QStringLiteral("Factors"), this), 2, 0);
    areas->addWidget(Area(QStringLiteral("Meter/Pipe Data"), this), 0, 1);
    areas->addWidget(Area(QStringLiteral("Base Conditions"), this), 1, 1);
    areas->addWidget(Area(QStringLiteral("Calculation Results"), this), 2, 1);

    calculate_->setObjectName(ControlName(cmd::kCalculate));
    calculate_->setEnabled(false);  // the calculation driver is not built yet
    auto* memo_row = new QHBoxLayout;
    memo_row->addWidget(new QLabel(QStringLiteral("Calc Memo:"), this));
    memo_row->addWidget(memo_, 1);
    memo_row->addWidget(calculate_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(areas, 1);
    layout->addLayout(memo_row);
    connect(&doc_, &CQuorven64Doc::recordChanged, this, &CQuorven64View::RefreshAll);
    RefreshAll();
}

void CQuorven64View::RefreshAll() {
    const TagRecord& r = doc_.record;
    tag_no_->setText(RecordTextToQString(GetText(r.Tag_No)));
    service_->setText(RecordTextToQString(GetText(r.Service)));
    line_no_->setText(RecordTextToQString(GetText(r.Line_No)));
    rev_->setText(QString::number(r.Calc_Rev));
    date_->setText(RecordTextToQString(GetText(r.Date)));
    memo_->setText(RecordTextToQString(GetText(r.Memo)));
    setWindowTitle(doc_.title);
}

CChildFrame::CChildFrame(QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::make_unique<CQuorven64Doc>()), view_(new CQuorven64View(*doc_, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    connect(doc_.get(), &CQuorven64Doc::recordChanged, this, [this] { setWindowTitle(doc_->title); });
}

// The view refers to the document: it goes first.
CChildFrame::~CChildFrame() {
    delete view_;
}

}  // namespace quorven
