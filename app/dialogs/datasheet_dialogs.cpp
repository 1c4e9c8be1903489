#include "app/dialogs/datasheet_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/document.h"
#include "app/platform/id_dialog.h"
#include "app/platform/qt_text.h"
#include "record/datasheet.h"

namespace quorven {
namespace {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
// The largest maximum pressure or temperature a box takes, in display units.
constexpr double kLargestMaximum = 1e9;
// A box is at least wide enough to show this many characters of its text, or its
// whole limit when that is shorter: a revision date, a dimension or a body
// material is read whole without scrolling, while the long boxes share the
// row's stretch so each page still fits a 1024 x 768 screen.
constexpr int kCharsShown = 10;

// The width of `chars` capitals in `box`'s font, with its frame. (A list box is
// as wide as its longest entry already.)
int WidthForChars(const QWidget* box, int chars) {
    const QFontMetrics fm(box->font());
    return fm.horizontalAdvance(QString(std::clamp(chars, 1, kCharsShown), QLatin1Char('X'))) + 16;
}

// "Orifice Plate Thickness Selection": true for the automatic selection; the
// manual button and the dialog's cancel action give false.
bool AskAutomaticThickness(QWidget* parent) {
    QDialog d(parent);
    d.setWindowTitle(QStringLiteral("Orifice Plate Thickness Selection"));
    d.setModal(true);
    auto* layout = new QVBoxLayout(&d);
    auto* automatic = new QPushButton(QStringLiteral("&Automatically Select Plate Thickness"), &d);
    automatic->setObjectName(ControlName(ds::kAutoThickness));
    auto* manual = new QPushButton(QStringLiteral("&Manually Select Plate Thickness"), &d);
    manual->setObjectName(ControlName(ds::kManualThickness));
    automatic->setDefault(true);
    layout->addWidget(automatic);
    layout->addWidget(manual);
    QObject::connect(automatic, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(manual, &QPushButton::clicked, &d, &QDialog::reject);
    return d.exec() == QDialog::Accepted;
}

}  // namespace

CDatasheetDialog::CDatasheetDialog(const DsPage& page, TagRecord& work, const UnitTables& units,
                                   MessageSink& sink, QWidget* parent)
    : QDialog(parent), page_(page), work_(work), units_(units), sink_(sink) {
    setWindowTitle(RecordTextToQString(page_.caption));
    setModal(true);
    Build();
}

void CDatasheetDialog::Build() {
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    outer->addLayout(columns);

    auto* buttons = new QDialogButtonBox(this);
    for (std::size_t g = 0; g < page_.groups.size(); ++g) {
        const DsGroup& group = page_.groups[g];
        auto* box = new QGroupBox(RecordTextToQString(group.title), this);
        auto* grid = new QGridLayout(box);
        grid->setColumnStretch(2, 1);
        int line = 0;
        if (!group.title.empty()) grid->addWidget(new QLabel(QStringLiteral("DATA"), box), line++, 2);
        for (const DsRow& row : group.rows) {
            if (row.number > 0) grid->addWidget(new QLabel(QString::number(row.number), box), line, 0);
            auto* caption = new QLabel(RecordTextToQString(row.caption), box);
            grid->addWidget(caption, line, 1);
            auto* items = new QHBoxLayout;
            QWidget* first_control = nullptr;
            for (const DsItem& item : row.items) {
                if (!item.label.empty()) items->addWidget(new QLabel(RecordTextToQString(item.label), box));
                QWidget* control = nullptr;
                switch (item.kind) {
                    case DsKind::Static: {
                        auto* label = new QLabel(RecordTextToQString(item.text), box);
                        label->setTextFormat(Qt::PlainText);
                        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
                        control = label;
                        break;
                    }
                    case DsKind::Text: {
                        auto* edit = new QLineEdit(RecordTextToQString(item.text), box);
                        edit->setMaxLength(item.max_chars);
                        edit->setMinimumWidth(WidthForChars(edit, item.max_chars));
                        control = edit;
                        break;
                    }
                    case DsKind::List: {
                        auto* combo = new QComboBox(box);
                        combo->setEditable(true);
                        combo->setInsertPolicy(QComboBox::NoInsert);
                        {
                            const QSignalBlocker block(combo);
                            for (const std::string& choice : item.choices)
                                combo->addItem(RecordTextToQString(choice));
                            combo->lineEdit()->setMaxLength(item.max_chars);
                            combo->setEditText(RecordTextToQString(item.text));
                        }
                        control = combo;
                        break;
                    }
                    case DsKind::Number: {
                        auto* edit = new QLineEdit(RecordTextToQString(item.text), box);
                        edit->setValidator(
                            new DecimalRangeValidator(-kLargestMaximum, kLargestMaximum, edit));
                        control = edit;
                        break;
                    }
                }
                if (item.id != 0) control->setObjectName(ControlName(item.id));
                items->addWidget(control, item.kind == DsKind::Static ? 0 : 1);
                if (item.kind == DsKind::Number)
                    items->addWidget(new QLabel(RecordTextToQString(item.unit), box));
                if (first_control == nullptr && item.kind != DsKind::Static) first_control = control;
            }
            items->addStretch(0);
            // Captions follow the mnemonic convention: "&&" is a literal '&'. A
            // label shows it so only when it has a buddy.
            if (first_control != nullptr)
                caption->setBuddy(first_control);
            else
                caption->setText(caption->text().replace(QStringLiteral("&&"), QStringLiteral("&")));
            grid->addLayout(items, line, 2);
            ++line;
        }
        (g == 0 ? left : right)->addWidget(box);
        if (!group.button.empty()) {
            auto* button = new QPushButton(RecordTextToQString(group.button), this);
            button->setObjectName(ControlName(group.button_id));
            button->setAutoDefault(false);
            buttons->addButton(button, QDialogButtonBox::ActionRole);
            const int target = group.first_box;
            connect(button, &QPushButton::clicked, this, [this, target] { FocusBox(target); });
        }
    }
    left->addStretch(1);
    right->addStretch(1);

    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(ControlName(kIdOk));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(ControlName(kIdCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDatasheetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDatasheetDialog::reject);
    outer->addWidget(buttons);

    thickness_ = findChild<QLineEdit*>(ControlName(ds::kPlateThick));
    thickness_free_ = findChild<QLineEdit*>(ControlName(ds::kPlateThickFree));
    if (thickness_ != nullptr && thickness_free_ != nullptr) {
        thickness_->installEventFilter(this);
        SetManualThickness(false);
    }
}

void CDatasheetDialog::FocusBox(int id) {
    QWidget* w = findChild<QWidget*>(ControlName(id));
    if (w == nullptr || !w->isEnabled()) return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
}

bool CDatasheetDialog::eventFilter(QObject* watched, QEvent* event) {
    // Entering the thickness box opens the selection. It is opened from the event
    // loop, not from the focus event itself: the modal dialog takes the focus, and
    // a selection opened inside that focus change could be entered again.
    if (watched == thickness_ && event->type() == QEvent::FocusIn && thickness_->isEnabled() && !selecting_) {
        selecting_ = true;
        FocusBox(ds::kMfr);
        QTimer::singleShot(0, this, &CDatasheetDialog::SelectPlateThickness);
    }
    return QDialog::eventFilter(watched, event);
}

void CDatasheetDialog::SelectPlateThickness() {
    if (AskAutomaticThickness(this)) {
        AutoSelectPlateThickness(work_, sink_, units_);
        thickness_->setText(RecordTextToQString(GetText(work_.Elem_Thick)));
        SetManualThickness(false);
    } else {
        thickness_free_->setText(thickness_->text());
        SetManualThickness(true);
        thickness_free_->setFocus(Qt::OtherFocusReason);
    }
    selecting_ = false;
}

void CDatasheetDialog::SetManualThickness(bool manual) {
    manual_thickness_ = manual;
    thickness_->setVisible(!manual);
    thickness_->setEnabled(!manual);
    thickness_free_->setVisible(manual);
    thickness_free_->setEnabled(manual);
}

std::map<int, std::string> CDatasheetDialog::TypedTexts() const {
    std::map<int, std::string> typed;
    for (const DsGroup& g : page_.groups)
        for (const DsRow& row : g.rows)
            for (const DsItem& item : row.items) {
                if (item.kind == DsKind::Static || item.id == 0) continue;
                QWidget* w = findChild<QWidget*>(ControlName(item.id));
                if (w == nullptr || !w->isEnabled()) continue;  // the thickness box not in use
                if (auto* edit = qobject_cast<QLineEdit*>(w))
                    typed[item.id] = QStringToRecordText(edit->text());
                if (auto* combo = qobject_cast<QComboBox*>(w))
                    typed[item.id] = QStringToRecordText(combo->currentText());
            }
    return typed;
}

void CDatasheetDialog::accept() {
    TagRecord check = work_;
    const int refused = StoreDatasheetPage(check, page_, TypedTexts());
    if (refused != 0) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), QStringLiteral("Please enter a number."),
                        QMessageBox::Ok, this);
        box.button(QMessageBox::Ok)->setObjectName(ControlName(kIdOk));
        box.exec();
        FocusBox(refused);
        return;
    }
    QDialog::accept();
}

int RunEnterDatasheet(QWidget* parent, CQuorven64Doc& doc, const ProjectSettings& settings,
                      MessageSink& sink) {
    TagRecord work = doc.record;
    int stored = 0;
    for (int part = 1; part <= 3; ++part) {
        if (part == 2) PrepareDatasheetPage2(work, sink, doc.unit_tables);
        const DsPage page = part == 1   ? DatasheetPage1(work, settings, doc.unit_tables)
                            : part == 2 ? DatasheetPage2(work, doc.unit_tables)
                                        : DatasheetPage3(work, doc.unit_tables);
        CDatasheetDialog d(page, work, doc.unit_tables, sink, parent);
        if (d.exec() != QDialog::Accepted) break;
        if (StoreDatasheetPage(work, page, d.TypedTexts()) != 0) break;  // accept() refused it already
        doc.record = work;
        doc.tag_saved = false;
        doc.NotifyRecordChanged();
        ++stored;
    }
    return stored;
}

void RunClearDatasheet(CQuorven64Doc& doc, MessageSink& sink) {
    ClearDatasheet(doc.record);
    doc.tag_saved = false;
    doc.NotifyRecordChanged();
    Message notice;
    notice.caption = kDatasheetClearedCaption;
    notice.text = kDatasheetClearedText;
    notice.icon = MessageIcon::Information;
    sink.Show(notice);
}

}  // namespace quorven
