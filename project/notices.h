#pragma once
// Messages of the project commands that are not numbered: notices of what was
// found or done, and the questions the commands ask.

#include <string>

#include "messages/messages.h"

namespace quorven {

inline void ShowNotice(MessageSink& sink, std::string caption, std::string text,
                       MessageIcon icon = MessageIcon::Exclamation) {
    Message m;
    m.caption = std::move(caption);
    m.text = std::move(text);
    m.icon = icon;
    sink.Show(m);
}

// A Yes/No question, No the default; true for Yes.
inline bool AskYesNo(MessageSink& sink, std::string caption, std::string text,
                     MessageIcon icon = MessageIcon::Exclamation) {
    Message m;
    m.caption = std::move(caption);
    m.text = std::move(text);
    m.icon = icon;
    m.buttons = MessageButtons::YesNo;
    m.default_answer = MessageAnswer::No;
    return sink.Show(m) == MessageAnswer::Yes;
}

}  // namespace quorven
