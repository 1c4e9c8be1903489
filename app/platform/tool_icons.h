#pragma once
// Pictures of the tool-bar commands that the widget style has none for: a printer,
// a page under a magnifier, two pages, a clipboard and a calculator.

#include <QIcon>

namespace quorven {

enum class ToolPicture { Print, Preview, Copy, Paste, Calculate };

QIcon ToolIcon(ToolPicture picture);

}  // namespace quorven
