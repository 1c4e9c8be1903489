#include "app/platform/qt_platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>

#include "app/commands/shell_texts.h"
#include "app/platform/qt_text.h"

namespace quorven {

QFileDialog* BuildFileDialog(const FileChoice& choice, QWidget* parent) {
    auto* dialog = new QFileDialog(parent, ToQString(choice.title));
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    const QString filter = ToQString(ChooserFilterText(choice.filter));
    if (!filter.isEmpty()) dialog->setNameFilter(filter);
    if (!choice.default_ext.empty()) dialog->setDefaultSuffix(ToQString(choice.default_ext));
    if (!choice.initial_name.empty()) {
        const QFileInfo initial(ToQString(choice.initial_name));
        if (initial.isAbsolute()) dialog->setDirectory(initial.absolutePath());
        dialog->selectFile(initial.fileName());
    }
    return dialog;
}

std::optional<std::string> QtFileChooser::Choose(const FileChoice& choice) {
    std::unique_ptr<QFileDialog> dialog(BuildFileDialog(choice, QApplication::activeWindow()));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return WithDefaultExtension(ToUtf8(dialog->selectedFiles().constFirst()), choice.default_ext);
}

QtBusyIndicator::~QtBusyIndicator() {
    while (depth_ > 0) End();
}

void QtBusyIndicator::Begin() {
    ++depth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtBusyIndicator::End() {
    if (depth_ == 0) return;
    --depth_;
    QApplication::restoreOverrideCursor();
}

}  // namespace quorven
