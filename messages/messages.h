#pragma once
// The numbered errors and warnings: the program's whole vocabulary of failures
// and cautions. CError and CWarning format a message and hand it to a sink: the
// desktop program installs message boxes, tests a recording sink, batch runs and
// the command line their own.

#include <string>
#include <vector>

namespace quorven {

enum class MessageKind { Error, Warning };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { Exclamation, Information, Question, Stop };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct Message {
    MessageKind kind = MessageKind::Error;
    int number = 0;
    std::string caption;  // UTF-8
    std::string text;     // UTF-8, '\n' for line breaks
    MessageIcon icon = MessageIcon::Exclamation;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer default_answer = MessageAnswer::Ok;
    bool system_modal = true;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer Show(const Message& message) = 0;
};

// Shows nothing and answers with the default button.
class NullMessageSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& m) override { return m.default_answer; }
};

// Keeps every message; answers with `answer` where the message asks a question.
class RecordingMessageSink final : public MessageSink {
public:
    explicit RecordingMessageSink(MessageAnswer answer = MessageAnswer::No) : answer_(answer) {}
    MessageAnswer Show(const Message& m) override {
        messages.push_back(m);
        return m.buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer_;
    }
    // "Error #N" / "Warning #N" numbers in order, errors positive, warnings negative.
    std::vector<int> Numbers() const;
    std::vector<Message> messages;

private:
    MessageAnswer answer_;
};

// The message as it would be shown, or nothing (number 0) for an unknown number.
Message ErrorMessage(int number);
Message WarningMessage(int number, double value, double limit1, double limit2);

class CError {
public:
    explicit CError(MessageSink& sink) : sink_(sink) {}
    // Shows error `number`; an unknown number shows nothing. Returns the answer as int.
    int Show(int number);

private:
    MessageSink& sink_;
};

class CWarning {
public:
    explicit CWarning(MessageSink& sink) : sink_(sink) {}
    // Shows warning `number` with its format arguments. Returns 0, except for
    // Warning #21, which returns 1 when the user answers Yes.
    int Show(int number, double value = 0.0, double limit1 = 0.0, double limit2 = 0.0);

private:
    MessageSink& sink_;
};

}  // namespace quorven
