#include "messages/messages.h"

#include <gtest/gtest.h>

namespace quorven {
namespace {

TEST(Messages, ErrorCaptionsTextsAndStyle) {
    RecordingMessageSink sink;
    CError err(sink);
    err.Show(msg::kErrNoSolutionForData);
    err.Show(msg::kErrOutOfMemory);
    err.Show(msg::kErrConfigCorrupt);
    ASSERT_EQ(sink.messages.size(), 3u);
    const Message& m = sink.messages[0];
    EXPECT_EQ(m.caption, "Error #20");
    EXPECT_EQ(m.text,
              "The data entered for flow, dP, or line size does not allow iteration to a valid solution.\n"
              "Decrease flow or increase line size or dP!");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_TRUE(m.system_modal);
    EXPECT_EQ(sink.messages[1].caption, "Error #200");  // 201 keeps its older caption
    EXPECT_EQ(sink.messages[1].text,
              "Insufficient memory for operation.\nClose any other open applications and try again!");
    EXPECT_EQ(sink.messages[2].caption, "Error #1003");
}

TEST(Messages, UnknownNumbersShowNothing) {
    RecordingMessageSink sink;
    for (int n : {0, 39, 53, 200, 999, -1}) EXPECT_EQ(CError(sink).Show(n), 0) << n;
    for (int n : {0, 37, 99, 102}) EXPECT_EQ(CWarning(sink).Show(n, 1, 2, 3), 0) << n;
    EXPECT_TRUE(sink.messages.empty());
}

// Added with the Fluids commands: flowing conditions refused at entry, flows kept when a
// conversion lacks its density.
TEST(Messages, FluidEntryMessages) {
    RecordingMessageSink sink;
    CError(sink).Show(msg::kErrFlowingPressure);
    CError(sink).Show(msg::kErrFlowingTemperature);
    CWarning(sink).Show(msg::kWarnFlowsNotConverted);
    ASSERT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrFlowingPressure, msg::kErrFlowingTemperature,
                                                -msg::kWarnFlowsNotConverted}));
    EXPECT_EQ(sink.messages[0].text,
              "Value for flowing pressure in absolute units must be greater than zero.\n"
              "Please re-enter a valid flowing pressure!");
    EXPECT_EQ(sink.messages[1].text,
              "Value for flowing temperature in absolute units must be greater than zero.\n"
              "Please re-enter a valid flowing temperature!");
    EXPECT_EQ(sink.messages[2].caption, "Warning #36");
}

// The printf formats: limits with three decimals and the value with five.
TEST(Messages, WarningFormatsTakeTheirArguments) {
    struct Case {
        int number;
        double value, limit1, limit2;
        const char* text;
    };
    const Case cases[] = {
        {msg::kWarnBetaRange, 0.8, 0.2, 0.75,
         "Recommended beta range is:\n0.200 <= \u00DF <= 0.750\nCalculated \u00DF is 0.80000\n"
         "Flow coefficient accuracy shall diminish!\nConsult with your manufacturer!"},
        {msg::kWarnPipeBelowMinimum, 0, 1.5, 0,
         "The minimum allowble pipe I.D. for the selected orifice style is 1.500 in.\n"
         "Cannot guarantee accuracy of flow coefficient!\nConsult with your manufacturer!"},
        {msg::kWarnPipeReynoldsBelowMinimum, 99, 10000, 4321.6,
         "Minimum pipe Reynolds number for meter is 10000.\nCalculated Reynolds number is 4322.\n"
         "Cannot guarantee accuracy of flow coefficient!\nConsult with your manufacturer!"},
        {msg::kWarnBetaAboveMaximum, 0, 0.75, 0.812346,
         "Maximum beta for this meter is:  \u00DF = 0.75\nCalculated beta is:  \u00DF = 0.81235\n"
         "Maximum limits have been exceeded.\nUser should proceed with caution!\n"
         "Consult with your manufacturer!"},
        {msg::kWarnDpReferenceTemperature60F, 1, 2, 3,
         "The dP reference temperature for the selected\ndischarge coefficient standard should be "
         "60\u00B0F."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(WarningMessage(c.number, c.value, c.limit1, c.limit2).text, c.text);
    }
}

TEST(Messages, Warning23IsShownWhole) {
    const Message m = WarningMessage(msg::kWarnQuadrantDataOutOfFit, 0, 0, 0);
    EXPECT_EQ(m.caption, "Warning #23");
    EXPECT_EQ(m.text.size(), 241u);
    EXPECT_EQ(m.text.substr(m.text.size() - 53), "Try the 1/2 in. square-edged integral orifice design.");
}

TEST(Messages, Warning21AsksYesNoWithNoAsDefault) {
    RecordingMessageSink yes(MessageAnswer::Yes), no(MessageAnswer::No);
    EXPECT_EQ(CWarning(yes).Show(msg::kWarnReplaceTag), 1);
    EXPECT_EQ(CWarning(no).Show(msg::kWarnReplaceTag), 0);
    EXPECT_EQ(yes.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(yes.messages[0].default_answer, MessageAnswer::No);
    NullMessageSink quiet;  // batch: the default answer
    EXPECT_EQ(CWarning(quiet).Show(msg::kWarnReplaceTag), 0);
    EXPECT_EQ(CWarning(yes).Show(msg::kWarnNoTagNumber), 0);  // other warnings return 0 whatever the answer
}

TEST(Messages, UserRightsWarningsHaveTheirOwnCaption) {
    const Message m = WarningMessage(msg::kWarnDeleteReserved, 0, 0, 0);
    EXPECT_EQ(m.caption, "User Rights Setting");
    EXPECT_FALSE(m.system_modal);
    EXPECT_EQ(WarningMessage(101, 0, 0, 0).caption, "User Rights Setting");
}

TEST(Messages, HugeArgumentsDoNotOverflow) {
    const Message m = WarningMessage(msg::kWarnPipeReynoldsAboveMaximum, 0, 1e300, -1e300);
    EXPECT_NE(m.text.find("Maximum pipe Reynolds number for meter is 1"), std::string::npos);
    EXPECT_GT(m.text.size(), 600u);
}

}  // namespace
}  // namespace quorven
