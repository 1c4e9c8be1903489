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
enum class MessageIcon { Exclamation, Information, Question };
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

// The error numbers by name; the texts are in the table of messages.cpp.
namespace err {
inline constexpr int kNoSolution = 1;
inline constexpr int kSmallBorePipeSize = 2;
inline constexpr int kMissingInput = 3;
inline constexpr int kNoPipeDiameter = 4;
inline constexpr int kNormalAboveMaxFlow = 5;
inline constexpr int kVapourQualityRange = 6;
inline constexpr int kLiquidQualityRange = 7;
inline constexpr int kBasePressure = 8;
inline constexpr int kBaseTemperature = 9;
inline constexpr int kMixtureFileOpen = 10;
inline constexpr int kBoreAbovePipe = 11;
inline constexpr int kMixtureComponentMissing = 12;
inline constexpr int kVapourPressureNotBelowUpstream = 13;
inline constexpr int kAbbWedge1615LSize = 14;
inline constexpr int kAbbWedge1610L1630LSize = 15;
inline constexpr int kAbbIntegralWedgeSize = 16;
inline constexpr int kCorruptDataFile = 17;
inline constexpr int kLiquidState = 18;
inline constexpr int kVapourState = 19;
inline constexpr int kNoSolutionForData = 20;
inline constexpr int kVapourStateOnly = 21;
inline constexpr int kIndeterminateMaximum = 22;
inline constexpr int kMixTotalBeforeSave = 23;
inline constexpr int kPropertyDatabase = 24;
inline constexpr int kComponentSelectedAlready = 25;
inline constexpr int kMixTotalBeforeCalculate = 26;
inline constexpr int kCriticalDropBoreAbovePipe = 31;
inline constexpr int kNoProjectOpen = 32;
inline constexpr int kNoCoefficient = 33;
inline constexpr int kReindex = 34;
inline constexpr int kIndexMissing = 35;
inline constexpr int kBatchCheckFileOpen = 36;
inline constexpr int kDpAboveAllowableDrop = 37;
inline constexpr int kSonicFlow = 38;
inline constexpr int kProjectDatabaseOpen = 40;
inline constexpr int kProjectIndexMissing = 41;
inline constexpr int kProjectDatabaseNotFound = 42;
inline constexpr int kProjectRecord = 43;
inline constexpr int kProjectIndex = 44;
inline constexpr int kBatchCheckFileCreate = 45;
inline constexpr int kExportFileCreate = 46;
inline constexpr int kProjectOpenOrCreate = 47;
inline constexpr int kTagFileCreate = 48;
inline constexpr int kTagFileRead = 49;
inline constexpr int kSaturatedLiquidFactor = 50;
inline constexpr int kFlowingPressure = 51;
inline constexpr int kFlowingTemperature = 52;
inline constexpr int kOutOfMemory = 201;
}  // namespace err

// The warning numbers by name; the texts are in the table of messages.cpp.
namespace warn {
inline constexpr int kDpOverPressureRatio = 1;
inline constexpr int kPipeBelowMinimum = 2;
inline constexpr int kPipeAboveMaximum = 3;
inline constexpr int kBetaRange = 4;
inline constexpr int kSaveWithoutTagNumber = 5;
inline constexpr int kPipeReynoldsBelowMinimum = 6;
inline constexpr int kPipeReynoldsAboveMaximum = 7;
inline constexpr int kPipeReynoldsSuggestQuadrant = 8;
inline constexpr int kBoreReynoldsBelowMinimum = 9;
inline constexpr int kBoreReynoldsAboveMaximum = 10;
inline constexpr int kIsentropicExponentNotAboveOne = 11;
inline constexpr int kBetaAboveMaximum = 12;
inline constexpr int kDrainHoleFactorAboveMaximum = 13;
inline constexpr int kDpReferenceUnits = 14;
inline constexpr int kDpReferenceTemperature60F = 15;
inline constexpr int kDpReferenceTemperature68F = 16;
inline constexpr int kElementExpansionLimits = 17;
inline constexpr int kPipeExpansionLimits = 18;
inline constexpr int kBoreBelowOneInch = 19;
inline constexpr int kHOverDNotBelowOne = 20;
inline constexpr int kTagNumberExists = 21;
inline constexpr int kBoreReynoldsBelowMeterMinimum = 22;
inline constexpr int kQuadrantDataOutOfFit = 23;
inline constexpr int kPipeAbove36Inches = 24;
inline constexpr int kLiquidDensityExtrapolated = 25;
inline constexpr int kFlangeTapsPipeBelow1_5Inches = 26;
inline constexpr int kDownstreamBelowVacuum = 27;
inline constexpr int kLiquidAtBase = 28;
inline constexpr int kVapourAtBase = 29;
inline constexpr int kCavitatingAtMaximum = 30;
inline constexpr int kFlashingAtMaximum = 31;
inline constexpr int kCavitatingAtNormal = 32;
inline constexpr int kFlashingAtNormal = 33;
inline constexpr int kBoreBelow12_5mm = 34;
inline constexpr int kBoreBelow50mm = 35;
inline constexpr int kFlowsNotConverted = 36;
}  // namespace warn

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
