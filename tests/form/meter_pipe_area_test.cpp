// The main form's meter texts and nominal size rules without widgets.

#include "form/meter_pipe_area.h"

#include <gtest/gtest.h>

#include "record/choice_codes.h"
#include "record/tag_record.h"
#include "record/units.h"

namespace quorven {
namespace {

TEST(MeterPipeArea, StainlessSchedulesAreANumberFollowedByS) {
    for (const char* s : {"5S", "10S", "20S", "30S", "40S", "80S"}) EXPECT_TRUE(IsStainlessSchedule(s)) << s;
    for (const char* s : {"", "S", "XS", "XXS", "STD", "40", "NON-STD", "S40", "4 0S"})
        EXPECT_FALSE(IsStainlessSchedule(s)) << s;
}

TEST(MeterPipeArea, SizeListFollowsScheduleAndUnit) {
    TagRecord r = NewTagRecord();
    SetText(r.Pipe_Sched_Text, "40S");
    std::vector<PipeSizeEntry> list = NominalSizeChoices(r);
    ASSERT_EQ(list.size(), 24u);
    EXPECT_DOUBLE_EQ(list.back().inches, 30.0);
    ASSERT_TRUE(SelectUnit(r, DefaultUnitTables(), Quantity::PipeSize, 2));  // cm
    SetText(r.Pipe_Sched_Text, "XS");
    list = NominalSizeChoices(r);
    ASSERT_EQ(list.size(), 33u);
    // DN beside NPS (ASME B36.10M): NPS 1/2 = DN 15, NPS 48 = DN 1200, shown in cm.
    EXPECT_EQ(list.front().text, "1.50");
    EXPECT_EQ(list.back().text, "120.00");
    EXPECT_DOUBLE_EQ(list.back().inches, 48.0);
}

TEST(MeterPipeArea, ANewTagsScheduleIsTakenFromItsPosition) {
    TagRecord r = NewTagRecord();  // position 5 ("STD"), no schedule text
    r.Pipe_NomDia = 3.0;
    EXPECT_TRUE(TakeStandardPipeDiameter(r));
    EXPECT_DOUBLE_EQ(r.Pipe_IDia, 3.068);  // ASME B36.10M NPS 3 STD: 3.500 - 2 x 0.216 (hand)
    EXPECT_EQ(std::string(GetText(r.Pipe_Sched_Text)), "STD");
}

TEST(MeterPipeArea, TextsComeFromTheCodesAndTheUsersOwnTexts) {
    TagRecord r = NewTagRecord();
    r.Meter_Type = Code(MeterType::IntegralOrifice);
    r.Meter_IFOASize = Code(IfoaSize::Square10);
    MeterPipeTexts t = DescribeMeterPipe(r);
    EXPECT_EQ(t.style, "SQUARE-EDGED");
    EXPECT_EQ(t.tap, "CORNER TAPS");
    EXPECT_EQ(t.pipe_material, "CARBON STEEL");
    EXPECT_EQ(std::string(GetText(r.Meter_Style_Text)), "");  // the record is left alone

    r.Meter_Type = Code(MeterType::CustomOrifice);
    SetText(r.Meter_Style_Text, "RESTRICTION PLATE");
    SetText(r.Tap_Style_Text, "PIPE TAPS");
    t = DescribeMeterPipe(r);
    EXPECT_EQ(t.family, "CALIBRATED ORIFICE PLATE");
    EXPECT_EQ(t.style, "RESTRICTION PLATE");
    EXPECT_EQ(t.tap, "PIPE TAPS");
}

}  // namespace
}  // namespace quorven
