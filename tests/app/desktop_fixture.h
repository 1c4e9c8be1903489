#pragma once
// A started desktop program for tests: its own profile and configuration
// directory in a temporary folder, a message sink the test reads and answers,
// and fake file choosers and project dialogs.

#include <QTemporaryDir>
#include <deque>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/document.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "messages/messages.h"
#include "project/project_fixture.h"

namespace quorven::testing {

// Keeps every message; an OK box is answered Ok, a question with the next
// queued answer, or `when_empty` once the queue is used up.
class ScriptedSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& m) override {
        messages.push_back(m);
        if (m.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return when_empty;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const Message& m : messages) out.push_back(m.caption);
        return out;
    }
    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;
    MessageAnswer when_empty = MessageAnswer::No;
};

template <typename Sink>
struct StartedDesktop {
    QTemporaryDir dir;
    Profile profile{dir.filePath("profile.ini")};
    Sink sink;
    FakeChooser chooser;
    FakeDialogs dialogs;
    CQuorven64App program{profile, sink};

    StartedDesktop() {
        StartupOptions options;
        options.show_splash = false;
        options.config_dir = dir.path().toStdString();
        program.Start(options);
        Frame().UseFileChooser(chooser);
        Frame().UseProjectDialogs(dialogs);
    }
    CMainFrame& Frame() { return *program.Frame(); }
    CQuorven64Doc& Doc() { return *Frame().ActiveDocument(); }
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
};

}  // namespace quorven::testing
