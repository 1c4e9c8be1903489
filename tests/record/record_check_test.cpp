#include "record/record_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "record/record_io.h"

namespace quorven {
namespace {

TEST(CheckRecord, SoundRecordIsLeftAlone) {
    TagRecord r = NewTagRecord();
    const std::string before = RecordToBytes(r);
    EXPECT_TRUE(CheckRecord(r).empty());
    EXPECT_EQ(RecordToBytes(r), before);
}

TEST(CheckRecord, BadCodesIndexesAndNumbersAreResetAndReported) {
    TagRecord r = NewTagRecord();
    r.Meter_Type = 9999;
    r.Calc_Std = 0;
    r.Tap_Style = 5;
    r.Matl_Elem = 45;
    r.Pipe_Sched = -1;
    r.Unit_Temp_Set = 4;
    r.Fluid_Equation = 1351;  // between the liquid and the gas codes: no equation
    r.Calc_Status = 2;
    r.Calc_Rev = 7;     // any non-negative revision is fine
    r.Meter_Style = 8;  // style codes are not checked here
    r.Flow_Max = std::numeric_limits<double>::quiet_NaN();
    r.Pipe_IDia = std::numeric_limits<double>::infinity();
    const auto repairs = CheckRecord(r);
    EXPECT_EQ(repairs.size(), 10u);
    EXPECT_EQ(r.Meter_Type, Code(MeterType::ConcentricOrifice));
    EXPECT_EQ(r.Calc_Std, Code(CalcStd::ReaderHarrisGallagher1998));
    EXPECT_EQ(r.Tap_Style, 1);
    EXPECT_EQ(r.Matl_Elem, 6);
    EXPECT_EQ(r.Pipe_Sched, 5);
    EXPECT_EQ(r.Unit_Temp_Set, 0);
    EXPECT_EQ(r.Fluid_Equation, Code(FluidEquation::GasVolume));
    EXPECT_EQ(r.Calc_Status, 0);
    EXPECT_EQ(r.Calc_Rev, 7);
    EXPECT_EQ(r.Meter_Style, 8);
    EXPECT_EQ(r.Flow_Max, 0.0);
    EXPECT_EQ(r.Pipe_IDia, 4.026);
    EXPECT_EQ(repairs[0].field, "Calc_Status");
}

TEST(CheckRecord, UnitIndexesStayWithinTheirLists) {
    struct Case {
        const char* field;
        int32_t TagRecord::*member;
        int32_t last;   // last index of the field's list
        int32_t reset;  // new-document value
    };
    const Case cases[] = {
        {"Unit_GasBaseFlow_Set", &TagRecord::Unit_GasBaseFlow_Set, 11, 1},
        {"Unit_LiqBaseFlow_Set", &TagRecord::Unit_LiqBaseFlow_Set, 11, 0},
        {"Unit_Flow_Set", &TagRecord::Unit_Flow_Set, 11, 1},  // new tag: scfh, the gas-at-base selection
        {"Unit_Press_Set", &TagRecord::Unit_Press_Set, 11, 0},
        {"Unit_AtmPress_Set", &TagRecord::Unit_AtmPress_Set, 11, 0},
        {"Unit_DpPress_Set", &TagRecord::Unit_DpPress_Set, 11, 0},
        {"Unit_Dens_Set", &TagRecord::Unit_Dens_Set, 11, 0},
        {"Unit_DpRefTemp_Set", &TagRecord::Unit_DpRefTemp_Set, 3, 0},
        {"Unit_Velocity_Set", &TagRecord::Unit_Velocity_Set, 3, 0},
        {"Unit_GLocal_Set", &TagRecord::Unit_GLocal_Set, 1, 0},
        {"Unit_Bore_Set", &TagRecord::Unit_Bore_Set, 2, 0},
        {"Unit_Pipe_Set", &TagRecord::Unit_Pipe_Set, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_TRUE(IsValidIntValue(c.field, c.last));
        EXPECT_FALSE(IsValidIntValue(c.field, c.last + 1));
        EXPECT_FALSE(IsValidIntValue(c.field, -1));
        TagRecord r = NewTagRecord();
        r.*c.member = c.last;
        EXPECT_TRUE(CheckRecord(r).empty());
        r.*c.member = c.last + 1;
        const auto repairs = CheckRecord(r);
        ASSERT_EQ(repairs.size(), 1u);
        EXPECT_EQ(repairs[0].field, c.field);
        EXPECT_EQ(r.*c.member, c.reset);
    }
}

TEST(CheckRecord, PipeScheduleFollowsTheMaterialsList) {
    TagRecord r = NewTagRecord();  // carbon steel: 15 schedules, 14 is "NON-STD"
    r.Pipe_Sched = 14;
    EXPECT_TRUE(CheckRecord(r).empty());
    r.Pipe_Sched = 15;
    EXPECT_EQ(CheckRecord(r).size(), 1u);
    EXPECT_EQ(r.Pipe_Sched, 5);

    r.Matl_Pipe = 6;  // 316 stainless: 5 schedules, 4 is "NON-STD"
    r.Pipe_Sched = 4;
    EXPECT_TRUE(CheckRecord(r).empty());
    r.Pipe_Sched = 5;  // past the stainless list: the hand-entered diameter is kept
    r.Pipe_IDia = 3.5;
    ASSERT_EQ(CheckRecord(r).size(), 1u);
    EXPECT_EQ(r.Pipe_Sched, 4);
    EXPECT_EQ(r.Pipe_IDia, 3.5);
}

TEST(CheckRecord, UnterminatedTextsAreTerminatedWithinTheirWidth) {
    TagRecord r = NewTagRecord();
    std::memset(r.Tag_No, 'X', sizeof r.Tag_No);
    std::memset(r.Service, 'Y', sizeof r.Service);
    const auto repairs = CheckRecord(r);
    ASSERT_EQ(repairs.size(), 2u);
    EXPECT_EQ(repairs[0].field, "Tag_No");
    EXPECT_EQ(GetText(r.Tag_No), std::string(18, 'X'));
    EXPECT_EQ(GetText(r.Service), std::string(50, 'Y'));
}

// The condition and property input follow the equation's kind: each is one of its
// own codes, yet no flow equation takes a gas with a liquid's condition (nor the
// reverse). One of the other kind becomes the first choice of the equation's kind.
TEST(CheckRecord, FluidConditionAndPropertyBelongToTheEquationsKind) {
    struct Case {
        const char* name;
        int32_t equation, condition, property;  // as stored
        int32_t condition_after, property_after;
        std::vector<std::string> repaired;  // "field was: reason"
    };
    const Case cases[] = {
        {"gas volume, liquid condition and density",
         1352,
         1348,
         1350,
         1354,
         1356,
         {"Fluid_Condition 1348 does not go with Fluid_Equation 1352",
          "Fluid_Property 1350 does not go with Fluid_Equation 1352"}},
        {"liquid mass, gas flowing condition",
         1346,
         1355,
         1350,
         1347,
         1350,
         {"Fluid_Condition 1355 does not go with Fluid_Equation 1346"}},
        {"gas mass with a gas density", 1353, 1355, 1358, 1355, 1358, {}},
        {"liquid volume at base with its gravity", 1345, 1347, 1349, 1347, 1349, {}},
        // A code of no list is reset once, to the equation's kind.
        {"liquid volume, condition of no list",
         1345,
         9999,
         1349,
         1347,
         1349,
         {"Fluid_Condition 9999 is not one of its values"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TagRecord r = NewTagRecord();
        r.Fluid_Equation = c.equation;
        r.Fluid_Condition = c.condition;
        r.Fluid_Property = c.property;
        const TagRecord before = r;
        std::vector<std::string> said;
        for (const RecordRepair& p : RecordProblems(r)) said.push_back(RepairText(p));
        EXPECT_EQ(said, c.repaired);
        EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);  // RecordProblems changes nothing
        EXPECT_EQ(CheckRecord(r).size(), c.repaired.size());
        EXPECT_EQ(r.Fluid_Equation, c.equation);
        EXPECT_EQ(r.Fluid_Condition, c.condition_after);
        EXPECT_EQ(r.Fluid_Property, c.property_after);
        EXPECT_TRUE(CheckRecord(r).empty());
    }
}

TEST(CheckRecord, ChoiceRules) {
    EXPECT_TRUE(IsValidIntValue("Fluid_Property", Code(FluidProperty::GasDensity)));
    EXPECT_FALSE(IsValidIntValue("Fluid_Property", 1351));
    EXPECT_TRUE(IsValidIntValue("Meter_Type", Code(MeterType::ProprietaryMeter2)));
    EXPECT_FALSE(IsValidIntValue("Factor_Drain", 2));
    EXPECT_TRUE(IsValidIntValue("Rec_Reserved3", -12345));  // no rule
}

}  // namespace
}  // namespace quorven
