#pragma once
// Qt implementations of the file chooser and the busy cursor (app/commands/platform.h).

#include "app/commands/platform.h"

class QFileDialog;
class QWidget;

namespace quorven {

class QtFileChooser final : public FileChooser {
public:
    std::optional<std::string> Choose(const FileChoice& choice) override;
};

// The chooser a choice is shown in (not yet shown): Qt's own dialog, so it looks
// and behaves the same on every desktop; a save chooser confirms overwriting.
QFileDialog* BuildFileDialog(const FileChoice& choice, QWidget* parent);

class QtBusyIndicator final : public BusyIndicator {
public:
    ~QtBusyIndicator() override;
    void Begin() override;
    void End() override;

private:
    int depth_ = 0;
};

}  // namespace quorven
