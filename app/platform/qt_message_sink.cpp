#include "app/platform/qt_message_sink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

#include "app/platform/qt_text.h"

namespace quorven {
namespace {

// Dialog result identifiers of the classic message box, used as control names.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
    }
    return QMessageBox::Warning;
}

QMessageBox::StandardButton ToQtButton(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok:
            return QMessageBox::Ok;
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

QMessageBox* BuildMessageBox(const Message& message, QWidget* parent) {
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    MessageAnswer fallback = MessageAnswer::Ok;
    switch (message.buttons) {
        case MessageButtons::Ok:
            break;
        case MessageButtons::YesNo:
            buttons = QMessageBox::Yes | QMessageBox::No;
            escape = QMessageBox::No;
            fallback = MessageAnswer::Yes;
            break;
        case MessageButtons::YesNoCancel:
            buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            escape = QMessageBox::Cancel;
            fallback = MessageAnswer::Yes;
            break;
    }
    auto* box = new QMessageBox(ToQtIcon(message.icon), ToQString(message.caption), ToQString(message.text),
                                buttons, parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    for (auto [button, id] : {std::pair{QMessageBox::Ok, kIdOk}, std::pair{QMessageBox::Cancel, kIdCancel},
                              std::pair{QMessageBox::Yes, kIdYes}, std::pair{QMessageBox::No, kIdNo}}) {
        if (QAbstractButton* b = box->button(button)) b->setObjectName(ControlName(id));
    }
    // A default the buttons do not offer falls back to the first button.
    QMessageBox::StandardButton def = ToQtButton(message.default_answer);
    if (box->button(def) == nullptr) def = ToQtButton(fallback);
    box->setDefaultButton(def);
    box->setEscapeButton(escape);
    return box;
}

MessageAnswer QtMessageSink::Show(const Message& message) {
    std::unique_ptr<QMessageBox> box(BuildMessageBox(message, QApplication::activeWindow()));
    switch (box->exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::Ok;
    }
}

}  // namespace quorven
