#pragma once
// Interfaces through which the program's commands reach the desktop: file
// choosers and the busy cursor. The desktop program implements them with Qt
// (app/platform), tests with fakes. Message boxes go through MessageSink
// (messages/messages.h).

#include <optional>
#include <string>

namespace quorven {

struct FileChoice {
    bool save = false;         // a save chooser asks before overwriting an existing file
    std::string title;         // caption of the chooser
    std::string filter;        // "Project Files (*.fil)|*.fil||": pairs of text and patterns
    std::string default_ext;   // "fil": appended to a name typed without extension
    std::string initial_name;  // file name or path shown first
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The full path chosen, or nothing when the user cancels.
    virtual std::optional<std::string> Choose(const FileChoice& choice) = 0;
};

class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void Begin() = 0;  // show the wait cursor (nested calls count)
    virtual void End() = 0;
};

// The wait cursor for the life of a scope.
class BusyScope {
public:
    explicit BusyScope(BusyIndicator& busy) : busy_(busy) { busy_.Begin(); }
    ~BusyScope() { busy_.End(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyIndicator& busy_;
};

}  // namespace quorven
