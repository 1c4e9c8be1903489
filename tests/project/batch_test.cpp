#include "project/batch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace quorven {
namespace {

TagRecord GasTag(const char* tag) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, tag);
    r.Flow_Max = 250000.0;
    r.Flow_Norm = 200000.0;
    r.Dp_Max = 100.0;
    r.Flow_Press = 300.0;
    r.Flow_Temp = 519.67;
    r.Flow_RhoGZ = 0.95;
    r.Base_RhoGZ = 0.998;
    r.Property_MwDenVp = 0.6;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    r.Calc_Rev = 4;
    return r;
}

// A stand-in calculation: succeeds for bores it can "size" (Flow_Max below 1e6),
// fails with Error #1 otherwise.
BatchSettings Settings(const char* project, bool increment) {
    BatchSettings s;
    s.project_name = project;
    s.increment_revision = increment;
    s.calculate = [](TagRecord& r, MessageSink& sink) {
        if (r.Flow_Max >= 1e6) {
            CError(sink).Show(msg::kErrNoSolution);
            return false;
        }
        r.Bore = 2.0;
        r.Calc_Status = 1;
        return true;
    };
    return s;
}

TEST(BatchOneTag, CalculatedTagIsStoredWithItsRevisionAndFormatMarker) {
    TagRecord r = GasTag("FE-1");
    const BatchTagResult res = BatchOneTag(r, Settings("Plant", true));
    EXPECT_EQ(res.outcome, BatchOutcome::Calculated);
    EXPECT_EQ(r.Calc_Rev, 5);
    EXPECT_EQ(r.Rec_Version4, 1);
    EXPECT_EQ(r.Bore, 2.0);
    EXPECT_EQ(res.status,
              "Tag No.:   FE-1\nService:   \nLine No.:  \n\n\tDATA ERRORS:\n\t\tNo errors!\n"
              "\tCALCULATION ERRORS:\n\t\tNo errors!\n\n");
    EXPECT_TRUE(res.messages.empty());
}

TEST(BatchOneTag, DataErrorsStopTheCalculationButTheRevisionIsCounted) {
    TagRecord r = GasTag("FE-2");
    r.Flow_Max = 0;
    bool called = false;
    BatchSettings s = Settings("Project", true);
    s.calculate = [&called](TagRecord&, MessageSink&) { return called = true; };
    const BatchTagResult res = BatchOneTag(r, s);
    EXPECT_EQ(res.outcome, BatchOutcome::DataErrors);
    EXPECT_FALSE(called);
    EXPECT_EQ(r.Calc_Rev, 5);      // counted on the record read; stored only with a calculated tag
    EXPECT_EQ(r.Rec_Version4, 0);  // the default project keeps the marker
    EXPECT_EQ(res.status,
              "Tag No.:   FE-2\nService:   \nLine No.:  \n\n\tDATA ERRORS:\n"
              "\t\tNo maximum flow, Qm or Wm, given.\n\n");
}

TEST(BatchOneTag, FailedCalculationIsReportedWithItsMessage) {
    TagRecord r = GasTag("FE-3");
    r.Flow_Max = 2e6;
    r.Flow_Norm = 1e6;
    const BatchTagResult res = BatchOneTag(r, Settings("Plant", false));
    EXPECT_EQ(res.outcome, BatchOutcome::NotCalculated);
    EXPECT_EQ(r.Calc_Rev, 4);
    EXPECT_TRUE(
        res.status.ends_with("\tCALCULATION ERRORS:\n\t\tCalculation would not iterate to a valid "
                             "solution!\n\t\tCheck sizing data.\n\n"));
    ASSERT_EQ(res.messages.size(), 1u);
    EXPECT_TRUE(res.messages[0].starts_with("Error #1: The data entered will not iterate"))
        << res.messages[0];
}

// Many tags on two threads give what one thread gives, in the same order.
TEST(BatchTags, TwoThreadsGiveTheResultsOfOneInOrder) {
    std::vector<TagRecord> tags;
    std::vector<std::string> numbers;
    for (int i = 0; i < 101; ++i) {
        numbers.push_back("T-" + std::to_string(i));
        tags.push_back(GasTag(numbers.back().c_str()));
        if (i % 7 == 0) tags.back().Flow_Max = 0;
        if (i % 11 == 0) tags.back().Flow_Max = 3e6;
    }
    std::vector<char> readable(tags.size(), 1);
    readable[50] = 0;
    auto run = [&](unsigned threads) {
        std::vector<TagRecord> copy = tags;
        std::vector<BatchTagResult> results(copy.size());
        BatchSettings s = Settings("Plant", true);
        s.threads = threads;
        BatchTags(copy, readable, numbers, results, s);
        return std::make_pair(copy, results);
    };
    const auto [one_tags, one] = run(1);
    const auto [two_tags, two] = run(2);
    for (std::size_t i = 0; i < tags.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(one[i].outcome, two[i].outcome);
        EXPECT_EQ(one[i].status, two[i].status);
        EXPECT_EQ(one_tags[i].Calc_Rev, two_tags[i].Calc_Rev);
    }
    EXPECT_EQ(two[50].outcome, BatchOutcome::Unreadable);
    EXPECT_EQ(two[50].status,
              "Tag No.:   T-50\n\n\tRECORD ERRORS:\n\t\tThe stored record of this tag cannot be read.  Tag "
              "skipped!\n\n");
    EXPECT_EQ(two[7].outcome, BatchOutcome::DataErrors);
    EXPECT_EQ(two[11].outcome, BatchOutcome::NotCalculated);
    EXPECT_EQ(two[1].outcome, BatchOutcome::Calculated);
}

}  // namespace
}  // namespace quorven
