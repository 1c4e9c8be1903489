// The calculation the batch runs on every tag: the Calculate command's path
// without message boxes, on the mixed tags of the project fixtures.

#include "form/batch_calculate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/project/mixed_tags.h"

namespace quorven {
namespace {

TEST(CalculateForBatch, EveryMixedTagCalculatesWithoutAMessageBox) {
    CalculateInputs in;
    in.date_text = "10 Dec 2026";
    in.user_name = "Batch";
    for (std::size_t i = 0; i < 14; ++i) {
        SCOPED_TRACE(i);
        TagRecord r = test::MixedTag(i);
        RecordingMessageSink sink;
        EXPECT_TRUE(CalculateForBatch(r, in, sink));
        EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().text;
        EXPECT_EQ(r.Calc_Status, 1);
        EXPECT_STREQ(r.Date, "10 Dec 2026");
        EXPECT_TRUE(r.Bore > 0.0 && r.Bore < r.Pipe_IDia) << r.Bore;
        EXPECT_TRUE(std::isfinite(r.Flow_Max) && r.Flow_Max > 0.0);
    }
}

// The restriction orifice is prepared as the Calculate command prepares it.
TEST(CalculateForBatch, RestrictionTakesTheNormalFlowFromTheMaximum) {
    CalculateInputs in;
    TagRecord r = test::MixedTag(4);
    r.Flow_Norm = 1.0;
    RecordingMessageSink sink;
    ASSERT_TRUE(CalculateForBatch(r, in, sink));
    EXPECT_EQ(r.Flow_Norm, r.Flow_Max);
    EXPECT_EQ(r.PctRange, 100.0);
}

TEST(CalculateForBatch, AFailedSizingIsNotCalculated) {
    CalculateInputs in;
    TagRecord r = test::MixedTag(0);
    r.Flow_Max = r.Flow_Norm = 1e12;  // far beyond what a 4 in orifice passes at 100 inH2O
    RecordingMessageSink sink;
    EXPECT_FALSE(CalculateForBatch(r, in, sink));
    EXPECT_EQ(r.Calc_Status, 0);
    EXPECT_FALSE(sink.messages.empty());
}

}  // namespace
}  // namespace quorven
