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

// The message numbers by name: errors (kErr...) and warnings (kWarn...) of the
// tables in messages.cpp. Code raises and tests compare them by these names.
namespace msg {
inline constexpr int kErrNoSolution = 1;
inline constexpr int kErrSmallBorePipeSize = 2;
inline constexpr int kErrMissingInput = 3;
inline constexpr int kErrNoPipeDiameter = 4;
inline constexpr int kErrNormalAboveMaxFlow = 5;
inline constexpr int kErrVapourQualityRange = 6;
inline constexpr int kErrLiquidQualityRange = 7;
inline constexpr int kErrBasePressure = 8;
inline constexpr int kErrBaseTemperature = 9;
inline constexpr int kErrMixtureFileOpen = 10;
inline constexpr int kErrBoreAbovePipe = 11;
inline constexpr int kErrMixtureComponentMissing = 12;
inline constexpr int kErrVapourPressureNotBelowUpstream = 13;
inline constexpr int kErrAbbWedge1615LSize = 14;
inline constexpr int kErrAbbWedge1610L1630LSize = 15;
inline constexpr int kErrAbbIntegralWedgeSize = 16;
inline constexpr int kErrCorruptDataFile = 17;
inline constexpr int kErrLiquidState = 18;
inline constexpr int kErrVapourState = 19;
inline constexpr int kErrNoSolutionForData = 20;
inline constexpr int kErrVapourStateOnly = 21;
inline constexpr int kErrIndeterminateMaximum = 22;
inline constexpr int kErrMixTotalBeforeSave = 23;
inline constexpr int kErrPropertyDatabase = 24;
inline constexpr int kErrComponentSelectedAlready = 25;
inline constexpr int kErrMixTotalBeforeCalculate = 26;
inline constexpr int kErrPropertyDataIncomplete = 27;
inline constexpr int kErrNoViscosityData = 28;
inline constexpr int kErrNoSpecificHeatRatioData = 29;
inline constexpr int kErrNoVapourPressureData = 30;
inline constexpr int kErrCriticalDropBoreAbovePipe = 31;
inline constexpr int kErrNoProjectOpen = 32;
inline constexpr int kErrNoCoefficient = 33;
inline constexpr int kErrReindex = 34;
inline constexpr int kErrIndexMissing = 35;
inline constexpr int kErrBatchCheckFileOpen = 36;
inline constexpr int kErrDpAboveAllowableDrop = 37;
inline constexpr int kErrSonicFlow = 38;
inline constexpr int kErrDatabaseOpen = 40;
inline constexpr int kErrIndexCorrupt = 41;
inline constexpr int kErrDatabaseMissing = 42;
inline constexpr int kErrDatabaseWrite = 43;
inline constexpr int kErrProjectIndex = 44;
inline constexpr int kErrBatchCheckFileCreate = 45;
inline constexpr int kErrExportFileCreate = 46;
inline constexpr int kErrProjectCreate = 47;
inline constexpr int kErrTagFileWrite = 48;
inline constexpr int kErrTagFileRead = 49;
inline constexpr int kErrSaturatedLiquidFactor = 50;
inline constexpr int kErrFlowingPressure = 51;
inline constexpr int kErrFlowingTemperature = 52;
inline constexpr int kErrPackIndex = 101;
inline constexpr int kErrPackTempFile = 102;
inline constexpr int kErrPackRecords = 103;
inline constexpr int kErrPackFailed = 104;
inline constexpr int kErrNotImportFile = 105;
inline constexpr int kErrOutOfMemory = 201;
inline constexpr int kErrConfigRead = 1001;
inline constexpr int kErrConfigWrite = 1002;
inline constexpr int kErrConfigCorrupt = 1003;
inline constexpr int kErrTextNotStorable = 1004;

inline constexpr int kWarnDpOverPressureRatio = 1;
inline constexpr int kWarnPipeBelowMinimum = 2;
inline constexpr int kWarnPipeAboveMaximum = 3;
inline constexpr int kWarnBetaRange = 4;
inline constexpr int kWarnNoTagNumber = 5;
inline constexpr int kWarnPipeReynoldsBelowMinimum = 6;
inline constexpr int kWarnPipeReynoldsAboveMaximum = 7;
inline constexpr int kWarnPipeReynoldsSuggestQuadrant = 8;
inline constexpr int kWarnBoreReynoldsBelowMinimum = 9;
inline constexpr int kWarnBoreReynoldsAboveMaximum = 10;
inline constexpr int kWarnIsentropicExponentNotAboveOne = 11;
inline constexpr int kWarnBetaAboveMaximum = 12;
inline constexpr int kWarnDrainHoleFactorAboveMaximum = 13;
inline constexpr int kWarnDpReferenceUnits = 14;
inline constexpr int kWarnDpReferenceTemperature60F = 15;
inline constexpr int kWarnDpReferenceTemperature68F = 16;
inline constexpr int kWarnElementExpansionLimits = 17;
inline constexpr int kWarnPipeExpansionLimits = 18;
inline constexpr int kWarnBoreBelowOneInch = 19;
inline constexpr int kWarnHOverDNotBelowOne = 20;
inline constexpr int kWarnReplaceTag = 21;
inline constexpr int kWarnBoreReynoldsBelowMeterMinimum = 22;
inline constexpr int kWarnQuadrantDataOutOfFit = 23;
inline constexpr int kWarnPipeAbove36Inches = 24;
inline constexpr int kWarnLiquidDensityExtrapolated = 25;
inline constexpr int kWarnFlangeTapsPipeBelow1_5Inches = 26;
inline constexpr int kWarnDownstreamBelowVacuum = 27;
inline constexpr int kWarnLiquidAtBase = 28;
inline constexpr int kWarnVapourAtBase = 29;
inline constexpr int kWarnCavitatingAtMaximum = 30;
inline constexpr int kWarnFlashingAtMaximum = 31;
inline constexpr int kWarnCavitatingAtNormal = 32;
inline constexpr int kWarnFlashingAtNormal = 33;
inline constexpr int kWarnBoreBelow12_5mm = 34;
inline constexpr int kWarnBoreBelow50mm = 35;
inline constexpr int kWarnFlowsNotConverted = 36;
inline constexpr int kWarnDeleteReserved = 100;
}  // namespace msg

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
