// ResetTagData: what Clear Calc and the fluid commands clear, and what they keep.

#include "record/tag_reset.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "record/choice_codes.h"
#include "record/record_check.h"
#include "record/tag_record.h"

namespace {

using quorven::CalcMode;
using quorven::CalcStd;
using quorven::Code;
using quorven::DrainType;
using quorven::FluidCondition;
using quorven::FluidEquation;
using quorven::FluidProperty;
using quorven::H2OvapSetup;
using quorven::IfoaMfr;
using quorven::IfoaSize;
using quorven::MeterType;
using quorven::SizeParam;
using quorven::TapLoc;
using quorven::VenturiExit;

using quorven::TagRecord;

// The doubles of the record from Unit_Flow to the last spare, as byte offsets.
constexpr std::size_t kDoublesFrom = offsetof(TagRecord, Unit_Flow);
constexpr std::size_t kDoublesTo = offsetof(TagRecord, Rec_Spare5) + sizeof(double);

double DoubleAt(const TagRecord& r, std::size_t at) {
    double d;
    std::memcpy(&d, reinterpret_cast<const char*>(&r) + at, sizeof d);
    return d;
}

TEST(ResetTagData, ClearsInputsAndResultsKeepsUnitsChoiceAndDatasheet) {
    TagRecord r = quorven::NewTagRecord();
    // Every byte from Tag_No onward set to something a reset must visibly handle.
    std::memset(&r, 0x41, sizeof r);
    constexpr double kFill = 7.5;
    for (std::size_t at = kDoublesFrom; at < kDoublesTo; at += sizeof(double))
        std::memcpy(reinterpret_cast<char*>(&r) + at, &kFill, sizeof kFill);
    r.Fluid_Equation = Code(FluidEquation::LiquidMass);
    r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
    r.Fluid_Property = Code(FluidProperty::LiquidDensity);
    r.Unit_Press_Set = 3;
    r.Uncert_Incl = 1;
    r.Uncert_Pipe = 0.25;
    const TagRecord before = r;

    quorven::ResetTagData(r);

    for (const char* text :
         {r.Tag_No, r.Service, r.Line_No, r.Date, r.Name, r.Memo, r.Fluid, r.Meter, r.Meter_Type_Text,
          r.Meter_Style_Text, r.Tap_Style_Text, r.Elem_Matl, r.Pipe_Matl})
        EXPECT_STREQ(text, "");
    EXPECT_STREQ(r.Pipe_Sched_Text, "STD");
    EXPECT_EQ(r.Calc_Status, 0);
    for (int32_t f : {r.Factor_Manometer, r.Factor_Drain, r.Factor_Drain_HoleSel, r.Factor_H2OvapIncl,
                      r.Factor_SatLiq, r.Factor_VapQual})
        EXPECT_EQ(f, 0);
    // The two mode choices among the factor flags take their first choice, never 0.
    EXPECT_EQ(r.Factor_DrainType, Code(DrainType::FromList));
    EXPECT_EQ(r.Factor_H2OvapSetup, Code(H2OvapSetup::FlowingTemp));
    EXPECT_EQ(r.Meter_Type, Code(MeterType::ConcentricOrifice));
    EXPECT_EQ(r.Meter_Style, 1);
    EXPECT_EQ(r.Meter_VenturiExit, Code(VenturiExit::Deg15));
    EXPECT_EQ(r.Meter_IFOAMfr, Code(IfoaMfr::SiebeFoxboro));
    EXPECT_EQ(r.Meter_IFOASize, Code(IfoaSize::Quadrant05));
    EXPECT_EQ(r.Meter_IFOAPipeMatl, 13);
    EXPECT_EQ(r.Tap_Style, 1);
    EXPECT_EQ(r.Tap_Loc, Code(TapLoc::Upstream));
    EXPECT_EQ(r.Matl_Pipe, 13);
    EXPECT_EQ(r.Matl_Elem, 6);
    EXPECT_EQ(r.Pipe_Sched, 5);
    EXPECT_EQ(r.Calc_Mode, Code(CalcMode::Meter));
    EXPECT_EQ(r.Calc_Std, Code(CalcStd::ReaderHarrisGallagher1998));
    EXPECT_EQ(r.Calc_SizeParam, Code(SizeParam::Bore));
    EXPECT_EQ(r.Calc_Rev, 0);
    EXPECT_EQ(r.Meter_Diffuser, 0);

    // The doubles from Flow_Max on: a new tag's values, 0 for all the others.
    const struct {
        std::size_t at;
        double value;
    } new_tag_values[] = {
        {offsetof(TagRecord, Base_Press), 14.69595},
        {offsetof(TagRecord, Base_Temp), 519.67},
        {offsetof(TagRecord, Factor_ManoGlocal), 32.17405},
        {offsetof(TagRecord, Pipe_NomDia), 4.0},
        {offsetof(TagRecord, Pipe_IDia), 4.026},
        {offsetof(TagRecord, DpRefTemp), 527.67},
        {offsetof(TagRecord, DpRefFact), 1.0},
        {offsetof(TagRecord, AtmPress), 14.696},
        {offsetof(TagRecord, Fa_Meter), 1.0},
        {offsetof(TagRecord, Fa_Pipe), 1.0},
        {offsetof(TagRecord, Fdh), 1.0},
        {offsetof(TagRecord, Fwv), 1.0},
        {offsetof(TagRecord, Fx), 1.0},
        {offsetof(TagRecord, Fm), 1.0},
    };
    for (std::size_t at = offsetof(TagRecord, Flow_Max); at < kDoublesTo; at += sizeof(double)) {
        double expected = 0.0;
        for (const auto& k : new_tag_values)
            if (k.at == at) expected = k.value;
        EXPECT_EQ(DoubleAt(r, at), expected) << "double at offset " << at;
    }

    // Kept: unit selections, factors and texts, the equation choice, datasheet, uncertainty setup.
    EXPECT_EQ(r.Fluid_Equation, Code(FluidEquation::LiquidMass));
    EXPECT_EQ(r.Fluid_Condition, Code(FluidCondition::LiquidFlowingTemp));
    EXPECT_EQ(r.Fluid_Property, Code(FluidProperty::LiquidDensity));
    EXPECT_EQ(r.Unit_Press_Set, 3);
    EXPECT_EQ(r.Unit_Flow, 7.5);
    EXPECT_EQ(std::memcmp(r.Unit_Flow_Text, before.Unit_Flow_Text, sizeof r.Unit_Flow_Text), 0);
    EXPECT_EQ(std::memcmp(r.Spec_No, before.Spec_No,
                          offsetof(TagRecord, Rec_Reserved7) - offsetof(TagRecord, Spec_No)),
              0);
    EXPECT_EQ(r.Uncert_Incl, 1);
    EXPECT_EQ(r.Uncert_Pipe, 0.25);
}

// A reset of a sound record is a sound record: nothing for the record check to repair.
TEST(ResetTagData, LeavesNothingForTheRecordCheck) {
    TagRecord r = quorven::NewTagRecord();
    r.Factor_DrainType = Code(DrainType::Manual);
    r.Factor_H2OvapSetup = Code(H2OvapSetup::RelHumidity);
    r.Meter_Type = Code(MeterType::WedgeIso5167_6);
    quorven::ResetTagData(r);
    EXPECT_TRUE(quorven::CheckRecord(r).empty());
}

}  // namespace
