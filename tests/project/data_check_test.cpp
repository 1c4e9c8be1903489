#include "project/data_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "project/batch_status.h"

namespace quorven {
namespace {

// A gas tag (volume flows at base conditions, SG input) with every value given.
TagRecord CompleteGasTag() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-101");
    SetText(r.Service, "Fuel gas");
    SetText(r.Line_No, "4\"-FG-001");
    r.Flow_Max = 250000.0;
    r.Flow_Norm = 200000.0;
    r.Dp_Max = 100.0;
    r.Dp_Norm = 64.0;
    r.Bore = 2.0;
    r.Flow_Press = 300.0;
    r.Flow_Temp = 519.67;
    r.Flow_RhoGZ = 0.95;
    r.Base_RhoGZ = 0.998;
    r.Property_MwDenVp = 0.6;
    r.Property_Visc = 0.011;
    r.Property_KFp = 1.3;
    return r;
}

using Lines = std::vector<std::string_view>;

struct CheckCase {
    const char* name;
    std::function<void(TagRecord&)> change;
    Lines lines;
};

TEST(DataCheck, LinesFollowTheSizingAndFluidTablesInOrder) {
    const CheckCase cases[] = {
        {"complete gas tag", [](TagRecord&) {}, {}},
        {"bore, meter: no maximum flow",
         [](TagRecord& r) { r.Flow_Max = 0; },
         {"\t\tNo maximum flow, Qm or Wm, given.\n"}},
        {"bore, meter: maximum below normal",
         [](TagRecord& r) { r.Flow_Max = 1000; },
         {"\t\tMaximum flow is less than normal flow.  Must correct data and recalculate!\n"}},
        {"bore, meter: no normal flow, no dP (two blanks before given)",
         [](TagRecord& r) { r.Flow_Norm = r.Dp_Max = 0; },
         {"\t\tNo normal flow, Qn or Wn, given.\n", "\t\tNo maximum differential pressure, dPm,  given.\n"}},
        {"bore, critical drop: only the maximum flow",
         [](TagRecord& r) {
             r.Calc_Mode = Code(CalcMode::CriticalDrop);
             r.Flow_Max = r.Flow_Norm = r.Dp_Max = 0;
         },
         {"\t\tNo maximum flow, Qm or Wm, given.\n"}},
        {"dP, meter",
         [](TagRecord& r) {
             r.Calc_SizeParam = Code(SizeParam::Dp);
             r.Flow_Max = r.Flow_Norm = r.Bore = 0;
         },
         {"\t\tNo maximum flow, Qm or Wm, given.\n", "\t\tNo normal flow, Qn or Wn, given.\n",
          "\t\tNo meter bore diameter, d, given.\n"}},
        {"dP, restriction: no sizing checks",
         [](TagRecord& r) {
             r.Calc_SizeParam = Code(SizeParam::Dp);
             r.Calc_Mode = Code(CalcMode::Restriction);
             r.Flow_Max = r.Bore = 0;
         },
         {}},
        {"flow, meter (one blank before given)",
         [](TagRecord& r) {
             r.Calc_SizeParam = Code(SizeParam::Flow);
             r.Bore = r.Dp_Max = r.Dp_Norm = 0;
         },
         {"\t\tNo meter bore diameter, d, given.\n", "\t\tNo maximum differential pressure, dPm, given.\n",
          "\t\tNo normal differential pressure, dPn, given.\n"}},
        {"flow, critical drop",
         [](TagRecord& r) {
             r.Calc_SizeParam = Code(SizeParam::Flow);
             r.Calc_Mode = Code(CalcMode::CriticalDrop);
             r.Bore = r.Dp_Max = 0;
         },
         {"\t\tNo meter bore diameter, d, given.\n"}},
        {"gas SG at base conditions: every fluid value missing",
         [](TagRecord& r) {
             r.Property_MwDenVp = r.Base_RhoGZ = r.Flow_RhoGZ = r.Flow_Press = r.Flow_Temp = 0;
             r.Property_Visc = r.Property_KFp = 0;
         },
         {"\t\tNo gas molecular weight, Mw, given.\n", "\t\tNo base condition compressibility, Zb, given.\n",
          "\t\tNo flowing condition compressibility, Zf, given.\n", "\t\tNo flowing pressure, Pf, given.\n",
          "\t\tNo flowing temperature, Tf, given.\n", "\t\tNo viscosity, U, given.\n",
          "\t\tNo isentropic exponent, k, given.\n"}},
        {"gas densities at base conditions",
         [](TagRecord& r) {
             r.Fluid_Property = Code(FluidProperty::GasDensity);
             r.Base_RhoGZ = r.Flow_RhoGZ = r.Flow_Temp = r.Property_Visc = 0;
         },
         {"\t\tNo base condition gas density, Db, given.\n",
          "\t\tNo flowing condition gas density, Df, given.\n", "\t\tNo flowing temperature, Tf,  given.\n",
          "\t\tNo viscosity given.\n"}},
        {"gas densities at flowing conditions: base density not needed",
         [](TagRecord& r) {
             r.Fluid_Condition = Code(FluidCondition::GasFlowing);
             r.Fluid_Property = Code(FluidProperty::GasDensity);
             r.Base_RhoGZ = r.Flow_RhoGZ = 0;
         },
         {"\t\tNo flowing density, Df, given.\n"}},
        {"vapour by mass with quality",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::GasMass);
             r.Factor_VapQual = 1;
             r.Property_MwDenVp = r.Base_RhoGZ = r.Factor_QualX = 0;
         },
         {"\t\tNo vapor molecular weight, Mw, given.\n", "\t\tNo liquid phase density, D liq, given.\n",
          "\t\tNo two phase quality, x, given.\n"}},
        {"vapour by mass, flowing condition: no fluid checks",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::GasMass);
             r.Fluid_Condition = Code(FluidCondition::GasFlowing);
             r.Property_MwDenVp = r.Flow_Press = 0;
         },
         {}},
        {"liquid volume at base temperature, SG",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
             r.Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
             r.Fluid_Property = Code(FluidProperty::LiquidSG);
             r.Base_RhoGZ = r.Flow_RhoGZ = r.Property_Visc = 0;
             r.Property_KFp = 0;  // a liquid's Fp is not checked
         },
         {"\t\tNo base condition specific gravity, Gb, given.\n",
          "\t\tNo flowing condition specific gravity, Gf, given.\n", "\t\tNo viscosity, U, given.\n"}},
        {"liquid volume at flowing temperature, density",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::LiquidVolume);
             r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
             r.Fluid_Property = Code(FluidProperty::LiquidDensity);
             r.Flow_RhoGZ = 0;
         },
         {"\t\tNo flowing condition density, Df, given.\n"}},
        {"liquid mass, SG",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::LiquidMass);
             r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
             r.Fluid_Property = Code(FluidProperty::LiquidSG);
             r.Flow_RhoGZ = 0;
         },
         {"\t\tNo flowing condition specific gravity, Gf, given.\n"}},
        {"liquid critical drop: vapour pressure at or above the flowing pressure",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::LiquidMass);
             r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
             r.Fluid_Property = Code(FluidProperty::LiquidDensity);
             r.Calc_Mode = Code(CalcMode::CriticalDrop);
             r.Property_MwDenVp = 300.0;
         },
         {"\t\tLiquid vapor pressure is greater than the upstream static pressure.\n"}},
        {"liquid critical drop: no vapour pressure",
         [](TagRecord& r) {
             r.Fluid_Equation = Code(FluidEquation::LiquidMass);
             r.Fluid_Condition = Code(FluidCondition::LiquidFlowingTemp);
             r.Fluid_Property = Code(FluidProperty::LiquidDensity);
             r.Calc_Mode = Code(CalcMode::CriticalDrop);
             r.Property_MwDenVp = 0;
         },
         {"\t\tNo liquid vapor pressure, Pv, given.\n"}},
        {"no pipe diameter, after the fluid lines",
         [](TagRecord& r) {
             r.Pipe_IDia = 0;
             r.Property_KFp = 0;
         },
         {"\t\tNo isentropic exponent, k, given.\n", "\t\tNo inside pipe diameter given.\n"}},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        TagRecord r = CompleteGasTag();
        c.change(r);
        EXPECT_EQ(DataCheckLines(r), c.lines);
    }
}

TEST(DataCheck, BlockTextsAreThoseOfTheStatusFile) {
    TagRecord r = CompleteGasTag();
    std::string block;
    EXPECT_TRUE(DataCheck(r, block));
    EXPECT_EQ(block,
              "Tag No.:   FE-101\nService:   Fuel gas\nLine No.:  4\"-FG-001\n\n\tDATA ERRORS:\n"
              "\t\tNo errors!\n");

    r.Flow_Max = 0;
    block.clear();
    EXPECT_FALSE(DataCheck(r, block));
    EXPECT_EQ(block,
              "Tag No.:   FE-101\nService:   Fuel gas\nLine No.:  4\"-FG-001\n\n\tDATA ERRORS:\n"
              "\t\tNo maximum flow, Qm or Wm, given.\n\n");
}

TEST(BatchStatus, HeadingBlocksAndWindowsLineEnds) {
    EXPECT_EQ(StatusHeading("Plant 7"), "\n\n\nQuorven batch calculation status file for project Plant 7.\n");
    EXPECT_EQ(CalculationBlock(true), "\tCALCULATION ERRORS:\n\t\tNo errors!\n\n");
    EXPECT_EQ(CalculationBlock(false),
              "\tCALCULATION ERRORS:\n\t\tCalculation would not iterate to a valid solution!\n"
              "\t\tCheck sizing data.\n\n");
    EXPECT_EQ(WithWindowsLineEnds("a\nb\r\nc\n\n"), "a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(WithWindowsLineEnds(""), "");
}

}  // namespace
}  // namespace quorven
