#pragma once
// Message boxes: the sink of the numbered errors and warnings and of every other
// question the commands ask, shown with QMessageBox, modal to the whole program.

#include "messages/messages.h"

class QMessageBox;
class QWidget;

namespace quorven {

class QtMessageSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& message) override;
};

// The box a message is shown in (not yet shown): caption, icon, buttons with their
// dialog identifiers as objectName (OK "id1", Cancel "id2", Yes "id6", No "id7"),
// the default and escape buttons. Owned by the caller.
QMessageBox* BuildMessageBox(const Message& message, QWidget* parent);

}  // namespace quorven
