#include "app/dialogs/project_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/id_dialog.h"
#include "app/platform/qt_text.h"

namespace quorven {
namespace {

// A text edit filled from a Windows-1252 text; read back the same way.
QLineEdit* TextEdit(CIdDialog& d, int id, const QString& label, int max_length, const std::string& value) {
    QLineEdit* edit = d.AddEdit(id, label, max_length);
    edit->setText(RecordTextToQString(value));
    return edit;
}

std::string TextOf(const QLineEdit* edit) {
    return QStringToRecordText(edit->text());
}

}  // namespace

bool QtProjectDialogs::ProjectInformation(CustomerTexts& texts) {
    CIdDialog d(QStringLiteral("Project Information"), parent_);
    d.setObjectName(ControlName(103));
    QLineEdit* client = TextEdit(d, 1743, QStringLiteral("Client:"), 30, texts.client);
    QLineEdit* project = TextEdit(d, 1744, QStringLiteral("Project:"), 30, texts.project);
    QLineEdit* location = TextEdit(d, 1745, QStringLiteral("Location:"), 30, texts.location);
    QLineEdit* job = TextEdit(d, 1746, QStringLiteral("Job or Project Number"), 15, texts.jobpo_no);
    QLineEdit* calc = TextEdit(d, 1747, QStringLiteral("Calc or Sales Order Number:"), 15, texts.calcso_no);
    QLineEdit* user = TextEdit(d, 1748, QStringLiteral("User Name"), 25, texts.user_name);
    client->setFocus();
    if (d.exec() != QDialog::Accepted) return false;
    texts = {TextOf(client), TextOf(project), TextOf(location), TextOf(job), TextOf(calc), TextOf(user)};
    return true;
}

bool QtProjectDialogs::ConfirmProjectDelete(const CustomerTexts& texts) {
    CIdDialog d(QStringLiteral("Confirm Project Database Delete"), parent_);
    d.setObjectName(ControlName(104));
    d.AddStatic(0, QStringLiteral("Delete this project with all its tags?"));
    d.AddStaticRow(1584, QStringLiteral("Client:"), RecordTextToQString(texts.client));
    d.AddStaticRow(1585, QStringLiteral("Project:"), RecordTextToQString(texts.project));
    d.AddStaticRow(1586, QStringLiteral("Location:"), RecordTextToQString(texts.location));
    d.AddStaticRow(1587, QStringLiteral("JO/PO No.:"), RecordTextToQString(texts.jobpo_no));
    d.AddStaticRow(1588, QStringLiteral("Calc No.:"), RecordTextToQString(texts.calcso_no));
    return d.exec() == QDialog::Accepted;
}

std::optional<std::string> QtProjectDialogs::SelectTag(TagBrowser& browser) {
    CIdDialog d(QStringLiteral("Project Tag Selection"), parent_);
    d.setObjectName(ControlName(106));
    QLineEdit* typed = d.AddEdit(1583, QStringLiteral("Tag No.:"), static_cast<int>(kTagNoMax));
    QStringList items;
    for (const std::string& t : browser.Tags()) items << RecordTextToQString(t);
    QListWidget* list = d.AddList(1578, QStringLiteral("Tags:"), items);
    QLineEdit* service = d.AddEdit(1580, QStringLiteral("Service:"), 50);
    QLineEdit* line = d.AddEdit(1581, QStringLiteral("Line No.:"), 25);
    QLineEdit* pid = d.AddEdit(1582, QStringLiteral("P&&ID No.:"), 15);
    for (QLineEdit* e : {service, line, pid}) e->setReadOnly(true);
    d.AddStaticRow(1579, QStringLiteral("Total Tags:"), QString::number(browser.Count()));

    // Typing finds the first tag that begins with the text; nothing is read.
    bool typing = false;
    QObject::connect(typed, &QLineEdit::textEdited, &d, [&](const QString& text) {
        typing = true;
        list->setCurrentRow(browser.FindPrefix(QStringToRecordText(text)));
        typing = false;
    });
    // Highlighting a tag shows its service, line and P&ID numbers from the project;
    // the current tag of the window is not touched.
    QObject::connect(list, &QListWidget::currentRowChanged, &d, [&](int row) {
        if (typing || row < 0) return;
        const std::string& tag = browser.Tags()[static_cast<std::size_t>(row)];
        typed->setText(RecordTextToQString(tag));
        const TagBrowser::Details details = browser.Read(tag);
        service->setText(RecordTextToQString(details.service));
        line->setText(RecordTextToQString(details.line_no));
        pid->setText(RecordTextToQString(details.pid_no));
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    typed->setFocus();
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    const int row = list->currentRow();
    if (row < 0) return std::nullopt;
    return browser.Tags()[static_cast<std::size_t>(row)];
}

bool QtProjectDialogs::CompanyData(CompanyTexts& texts) {
    CIdDialog d(QStringLiteral("Company Data"), parent_);
    d.setObjectName(ControlName(345));
    QLineEdit* name = TextEdit(d, 1180, QStringLiteral("Company Name:"), 50, texts.name);
    QLineEdit* address = TextEdit(d, 1181, QStringLiteral("Address:"), 50, texts.address);
    QLineEdit* phone = TextEdit(d, 1182, QStringLiteral("Phone No.:"), 50, texts.phone);
    QLineEdit* user = TextEdit(d, 1183, QStringLiteral("User Name:"), 25, texts.user_name);
    name->setFocus();
    if (d.exec() != QDialog::Accepted) return false;
    texts = {TextOf(name), TextOf(address), TextOf(phone), TextOf(user)};
    return true;
}

bool QtProjectDialogs::CustomerData(CustomerTexts& texts) {
    CIdDialog d(QStringLiteral("Customer Data"), parent_);
    d.setObjectName(ControlName(346));
    QLineEdit* client = TextEdit(d, 1174, QStringLiteral("Client:"), 30, texts.client);
    QLineEdit* project = TextEdit(d, 1175, QStringLiteral("Project:"), 30, texts.project);
    QLineEdit* location = TextEdit(d, 1176, QStringLiteral("Location:"), 30, texts.location);
    QLineEdit* job = TextEdit(d, 1173, QStringLiteral("JO/PO No.:"), 15, texts.jobpo_no);
    QLineEdit* calc = TextEdit(d, 1177, QStringLiteral("Calc or Sales Order No."), 15, texts.calcso_no);
    client->setFocus();
    if (d.exec() != QDialog::Accepted) return false;
    texts.client = TextOf(client);
    texts.project = TextOf(project);
    texts.location = TextOf(location);
    texts.jobpo_no = TextOf(job);
    texts.calcso_no = TextOf(calc);
    return true;
}

OverwriteAnswer QtProjectDialogs::TagDataOverwrite(std::string_view tag) {
    QDialog d(parent_);
    d.setObjectName(ControlName(105));
    d.setWindowTitle(QStringLiteral("Tag Data Overwrite Warning!"));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QStringLiteral("The tag number"), &d));
    auto* number = new QLabel(RecordTextToQString(tag), &d);
    number->setObjectName(ControlName(1654));
    number->setStyleSheet(QStringLiteral("font-weight: bold"));
    layout->addWidget(number);
    layout->addWidget(new QLabel(QStringLiteral("already exists in the"), &d));
    layout->addWidget(
        new QLabel(QStringLiteral("project database. Do you want to replace the current data"), &d));
    layout->addWidget(new QLabel(QStringLiteral("with imported data?"), &d));
    auto* buttons = new QDialogButtonBox(&d);
    const struct {
        const char* text;
        const char* name;
        OverwriteAnswer answer;
    } kButtons[] = {{"&Yes", "id6", OverwriteAnswer::Yes},
                    {"&No", "id7", OverwriteAnswer::No},
                    {"&All", "idAll", OverwriteAnswer::All},
                    {"&Cancel", "id2", OverwriteAnswer::Cancel}};
    for (const auto& b : kButtons) {
        auto* button = buttons->addButton(QString::fromLatin1(b.text), QDialogButtonBox::ActionRole);
        button->setObjectName(QString::fromLatin1(b.name));
        const int code = static_cast<int>(b.answer);
        QObject::connect(button, &QPushButton::clicked, &d, [&d, code] { d.done(code); });
    }
    layout->addWidget(buttons);
    // An import shows the wait cursor; the question gets the arrow while it is open.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = d.exec();
    if (busy) QApplication::restoreOverrideCursor();
    // Closing the window without a button is Cancel.
    return result >= 1 && result <= 4 ? static_cast<OverwriteAnswer>(result) : OverwriteAnswer::Cancel;
}

}  // namespace quorven
