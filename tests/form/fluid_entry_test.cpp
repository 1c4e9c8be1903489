// The Fluids commands as functions of the record: the property-input and flow conversions
// of a changed equation choice, and what each command stores.
//
// Expected values are hand calculations of the printed formulas: gas density
// rho = P MW / (10.73151 Z T) [lb/ft3], MW = SG x 28.9625; liquid mass flow
// lb/h = bbl/d x 500.2296054 / 34.28571429 x SG.

#include "form/fluid_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "fluids/aga8_detail.h"
#include "fluids/steam_ifc67.h"
#include "messages/messages.h"
#include "record/choice_codes.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace {

using namespace quorven;

constexpr int kWarningFlowsNotConverted = -36;  // warnings are negative in Numbers()

const UnitTables& T() {
    return DefaultUnitTables();
}

// A natural-gas tag: SG 0.6, Zb 0.998 at 14.73 psia and 60 F, Zf 0.92 at 500 psia and 100 F.
TagRecord GasTag(EquationChoice c = {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
                                     Code(FluidProperty::GasSG)}) {
    TagRecord r = NewTagRecord();
    StoreChoice(r, c);
    r.Base_Press = 14.73;
    r.Base_Temp = 519.67;
    r.Flow_Press = 500.0;
    r.Flow_Temp = 559.67;
    r.Property_MwDenVp = 0.6;
    r.Base_RhoGZ = 0.998;
    r.Flow_RhoGZ = 0.92;
    r.Flow_Max = 1000.0;
    r.Flow_Norm = 500.0;
    return r;
}

constexpr double kMW = 0.6 * 28.9625;
const double kRhoB = 14.73 * kMW / 10.73151 / 0.998 / 519.67;  // hand calc: 0.0460... lb/ft3
const double kRhoF = 500.0 * kMW / 10.73151 / 0.92 / 559.67;

TEST(ApplyGasChoiceChange, ConvertsFlowsBetweenKindsAndStoresTheNewPropertyInput) {
    struct Case {
        const char* what;
        EquationChoice from, to;
        double flow_factor;
    };
    const Case cases[] = {
        {"base volume to mass: times base density",
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
         {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
         kRhoB},
        {"flowing volume to mass: times flowing density",
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG)},
         {Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG)},
         kRhoF},
        {"mass to base volume",
         {Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG)},
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
         1.0 / kRhoB},
        {"mass to flowing volume",
         {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG)},
         1.0 / kRhoF},
        {"base to flowing volume",
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasSG)},
         kRhoB / kRhoF},
        {"flowing to base volume",
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW)},
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
         kRhoF / kRhoB},
        {"mass stays mass whatever the condition",
         {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
         {Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW)},
         1.0},
        {"same kind",
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
         {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)},
         1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TagRecord r = GasTag(c.to);
        RecordingMessageSink sink;
        ApplyGasChoiceChange(r, c.from, sink);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_NEAR(r.Flow_Max / (1000.0 * c.flow_factor), 1.0, 1e-14);
        EXPECT_NEAR(r.Flow_Norm / (500.0 * c.flow_factor), 1.0, 1e-14);
        switch (c.to.property) {
            case Code(FluidProperty::GasSG):  // gravity and compressibilities kept
                EXPECT_EQ(r.Property_MwDenVp, 0.6);
                EXPECT_EQ(r.Base_RhoGZ, 0.998);
                EXPECT_EQ(r.Flow_RhoGZ, 0.92);
                break;
            case Code(FluidProperty::GasMW):
                EXPECT_DOUBLE_EQ(r.Property_MwDenVp, kMW);
                EXPECT_EQ(r.Base_RhoGZ, 0.998);
                EXPECT_EQ(r.Flow_RhoGZ, 0.92);
                break;
            case Code(FluidProperty::GasDensity):
                EXPECT_DOUBLE_EQ(r.Property_MwDenVp, kMW);
                EXPECT_DOUBLE_EQ(r.Base_RhoGZ, kRhoB);
                EXPECT_DOUBLE_EQ(r.Flow_RhoGZ, kRhoF);
                break;
        }
    }
}

TEST(ApplyGasChoiceChange, AZeroDensityKeepsTheFlowsAndWarns) {
    TagRecord r = GasTag(
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)});
    r.Base_RhoGZ = 0.0;  // Zb not determined (liquid at base)
    RecordingMessageSink sink;
    ApplyGasChoiceChange(
        r, {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)}, sink);
    EXPECT_EQ(sink.Numbers(), std::vector<int>{kWarningFlowsNotConverted});
    EXPECT_EQ(r.Flow_Max, 1000.0);
    EXPECT_EQ(r.Flow_Norm, 500.0);
    EXPECT_EQ(r.Base_RhoGZ, 0.0);  // density input: rho_b 0
    EXPECT_DOUBLE_EQ(r.Flow_RhoGZ, kRhoF);

    // No flows to convert: nothing to warn about.
    TagRecord empty =
        GasTag({Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)});
    empty.Base_RhoGZ = 0.0;
    empty.Flow_Max = empty.Flow_Norm = 0.0;
    RecordingMessageSink quiet;
    ApplyGasChoiceChange(
        empty, {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
        quiet);
    EXPECT_TRUE(quiet.messages.empty());
}

TEST(ApplyGasSetupChange, RewritesStoredValuesForTheNewPropertyInput) {
    // Gravity to density and back to gravity: the same numbers.
    TagRecord r = GasTag(
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)});
    RecordingMessageSink sink;
    ApplyGasSetupChange(
        r, {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)}, sink);
    EXPECT_DOUBLE_EQ(r.Property_MwDenVp, kMW);
    EXPECT_DOUBLE_EQ(r.Base_RhoGZ, kRhoB);
    EXPECT_DOUBLE_EQ(r.Flow_RhoGZ, kRhoF);
    EXPECT_EQ(r.Flow_Max, 1000.0);
    StoreChoice(r,
                {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)});
    ApplyGasSetupChange(
        r, {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
        sink);
    EXPECT_NEAR(r.Property_MwDenVp, 0.6, 1e-15);
    EXPECT_NEAR(r.Base_RhoGZ, 0.998, 1e-15);
    EXPECT_NEAR(r.Flow_RhoGZ, 0.92, 1e-15);
    EXPECT_TRUE(sink.messages.empty());

    // Density input that holds a gravity (2 or below): read as SG, MW = SG x 28.9625.
    TagRecord sg =
        GasTag({Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)});
    sg.Base_RhoGZ = kRhoB;
    sg.Flow_RhoGZ = kRhoF;
    ApplyGasSetupChange(
        sg, {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
        sink);
    EXPECT_DOUBLE_EQ(sg.Property_MwDenVp, kMW);
    EXPECT_NEAR(sg.Base_RhoGZ, 0.998, 1e-15);
    EXPECT_NEAR(sg.Flow_RhoGZ, 0.92, 1e-15);

    // Molecular weight to gravity with a missing Zb: Zb counts as 1.
    TagRecord mw =
        GasTag({Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)});
    mw.Property_MwDenVp = kMW;
    mw.Base_RhoGZ = 0.0;
    ApplyGasSetupChange(
        mw, {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)},
        sink);
    EXPECT_DOUBLE_EQ(mw.Property_MwDenVp, 0.6);
    EXPECT_EQ(mw.Base_RhoGZ, 1.0);

    // A Zb above 1.2 beside a flowing Z is taken as 1; with it the base-to-mass flows.
    TagRecord high =
        GasTag({Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)});
    high.Base_RhoGZ = 1.5;
    ApplyGasSetupChange(
        high, {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)},
        sink);
    EXPECT_EQ(high.Base_RhoGZ, 1.0);
    EXPECT_DOUBLE_EQ(high.Flow_Max, 1000.0 * 14.73 * kMW / 10.73151 / 1.0 / 519.67);
}

TEST(ApplyLiquidChoiceChange, GravitiesDensitiesAndFlows) {
    constexpr double rho_w = 62.3663;  // a reference water density for the arithmetic
    constexpr double k = 500.2296054 / 34.28571429;
    struct Case {
        const char* what;
        EquationChoice from, to;
        double base_field, flow_field;  // stored before
        double base_after, flow_after;
        double flow_factor;
    };
    const Case cases[] = {
        {"SG to density",
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidSG)},
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidDensity)},
         0.8,
         0.78,
         0.8 * rho_w,
         0.78 * rho_w,
         1.0},
        {"density 62.3 to SG: about 1",
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidDensity)},
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidSG)},
         62.3,
         62.3,
         62.3 / rho_w,
         62.3 / rho_w,
         1.0},
        {"base-temperature volume to mass",
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidSG)},
         {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidSG)},
         0.8,
         0.78,
         0.8,
         0.78,
         k * 0.8},
        {"flowing-temperature volume to mass (density input)",
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
          Code(FluidProperty::LiquidDensity)},
         {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
          Code(FluidProperty::LiquidDensity)},
         0.8 * rho_w,
         0.78 * rho_w,
         0.8 * rho_w,
         0.78 * rho_w,
         k * 0.78},
        {"mass to flowing-temperature volume",
         {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidSG)},
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
          Code(FluidProperty::LiquidSG)},
         0.8,
         0.78,
         0.8,
         0.78,
         1.0 / (k * 0.78)},
        {"flowing to base temperature: SGf / SGb",
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
          Code(FluidProperty::LiquidSG)},
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidSG)},
         0.8,
         0.78,
         0.8,
         0.78,
         0.78 / 0.8},
        {"old density tag holding a gravity",
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
          Code(FluidProperty::LiquidDensity)},
         {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
          Code(FluidProperty::LiquidDensity)},
         0.8,
         0.78,
         0.8,
         0.78,
         0.78 / 0.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TagRecord r = NewTagRecord();
        StoreChoice(r, c.to);
        r.Base_RhoGZ = c.base_field;
        r.Flow_RhoGZ = c.flow_field;
        r.Flow_Max = 100.0;
        r.Flow_Norm = 80.0;
        RecordingMessageSink sink;
        ApplyLiquidChoiceChange(r, c.from, rho_w, sink);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_DOUBLE_EQ(r.Base_RhoGZ, c.base_after);
        EXPECT_DOUBLE_EQ(r.Flow_RhoGZ, c.flow_after);
        EXPECT_NEAR(r.Flow_Max / (100.0 * c.flow_factor), 1.0, 1e-14);
        EXPECT_NEAR(r.Flow_Norm / (80.0 * c.flow_factor), 1.0, 1e-14);
    }

    // A gravity of 0 that a conversion needs: the flows stay, with the warning.
    for (const EquationChoice& to :
         {EquationChoice{Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp),
                         Code(FluidProperty::LiquidSG)},
          EquationChoice{Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
                         Code(FluidProperty::LiquidSG)}}) {
        TagRecord r = NewTagRecord();
        StoreChoice(r, to);
        r.Base_RhoGZ = 0.0;
        r.Flow_RhoGZ = 0.78;
        r.Flow_Max = 100.0;
        RecordingMessageSink sink;
        ApplyLiquidChoiceChange(r,
                                {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                                 Code(FluidProperty::LiquidSG)},
                                rho_w, sink);
        EXPECT_EQ(sink.Numbers(), std::vector<int>{kWarningFlowsNotConverted});
        EXPECT_EQ(r.Flow_Max, 100.0);
    }
}

TEST(PreviousChoice, TheRecordsOwnChoiceOfTheSameKindElseTheRemembered) {
    UnitDefaults d = DefaultUnitDefaults();
    RememberChoice(
        d, {Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasDensity)});
    RememberChoice(d, {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
                       Code(FluidProperty::LiquidDensity)});
    EXPECT_EQ(RememberedGasChoice(d),
              (EquationChoice{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                              Code(FluidProperty::GasDensity)}));
    EXPECT_EQ(RememberedLiquidChoice(d),
              (EquationChoice{Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
                              Code(FluidProperty::LiquidDensity)}));
    TagRecord gas =
        GasTag({Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasMW)});
    EXPECT_EQ(PreviousGasChoice(gas, d),
              (EquationChoice{Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase),
                              Code(FluidProperty::GasMW)}));
    EXPECT_EQ(PreviousLiquidChoice(gas, d),
              (EquationChoice{Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
                              Code(FluidProperty::LiquidDensity)}));
    RememberChoice(d, {Code(FluidEquation::GasVolume), Code(FluidCondition::LiquidBaseTemp),
                       Code(FluidProperty::GasSG)});  // mixed codes: neither kind, remembered nothing
    EXPECT_EQ(RememberedGasChoice(d),
              (EquationChoice{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                              Code(FluidProperty::GasDensity)}));
}

TEST(GasesAndVapors, StoresTheComputedSetWithTheChosenEquation) {
    TagRecord r =
        GasTag({Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)});
    UnitDefaults d = DefaultUnitDefaults();
    r.Calc_Status = 1;
    GasPropertySet g;
    g.Pf_psia = 300.0;
    g.Tf_R = 539.67;
    g.Zb = 0.9979;
    g.Zf = 0.95;
    g.MW = 16.043;
    g.visc_cP = 0.0112;
    g.k = 1.31;
    g.fluid_name = "SRK-METHANE";
    RecordingMessageSink sink;
    ApplyGasProperties(
        r, d, T(), g,
        {Code(FluidEquation::GasMass), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)}, sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_STREQ(r.Fluid, "SRK-METHANE");
    EXPECT_EQ(ChoiceOf(r), (EquationChoice{Code(FluidEquation::GasMass), Code(FluidCondition::GasBase),
                                           Code(FluidProperty::GasDensity)}));
    EXPECT_EQ(RememberedGasChoice(d),
              (EquationChoice{Code(FluidEquation::GasMass), Code(FluidCondition::GasBase),
                              Code(FluidProperty::GasDensity)}));
    EXPECT_EQ(r.Flow_Press, 300.0);
    EXPECT_EQ(r.Flow_Temp, 539.67);
    const double rho_b = 14.73 * 16.043 / 10.73151 / 0.9979 / 519.67;
    const double rho_f = 300.0 * 16.043 / 10.73151 / 0.95 / 539.67;
    EXPECT_DOUBLE_EQ(r.Property_MwDenVp, 16.043);
    EXPECT_DOUBLE_EQ(r.Base_RhoGZ, rho_b);
    EXPECT_DOUBLE_EQ(r.Flow_RhoGZ, rho_f);
    EXPECT_EQ(r.Property_Visc, 0.0112);
    EXPECT_EQ(r.Property_KFp, 1.31);
    // Base volume flows of the new gas become mass flows with its base density.
    EXPECT_DOUBLE_EQ(r.Flow_Max, 1000.0 * rho_b);
    EXPECT_EQ(r.Calc_Status, 0);
    // The flow unit of the new kind: the record's gas mass-flow selection.
    EXPECT_EQ(r.Unit_Flow_Set, r.Unit_GasMassFlow_Set);
    EXPECT_EQ(GetText(r.Unit_Flow_Text), UnitName(T(), UnitList::GasMassFlow, r.Unit_GasMassFlow_Set));
}

TEST(Liquids, StoresGravitiesOrDensitiesAndKeepsTheFlowNumbers) {
    constexpr double rho_w = 62.3663;
    for (int32_t property : {Code(FluidProperty::LiquidSG), Code(FluidProperty::LiquidDensity)}) {
        SCOPED_TRACE(property);
        TagRecord r = GasTag();
        UnitDefaults d = DefaultUnitDefaults();
        LiquidPropertySet l;
        l.Pf_psia = 100.0;
        l.Tf_R = 529.67;
        l.SGb = 0.88;
        l.SGf = 0.87;
        l.VPf_psia = 1.5;
        l.visc_cP = 0.6;
        l.fluid_name = "TOLUENE";
        ApplyLiquidProperties(
            r, d, T(), l,
            {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp), property}, rho_w);
        EXPECT_STREQ(r.Fluid, "TOLUENE");
        EXPECT_EQ(ChoiceOf(r), (EquationChoice{Code(FluidEquation::LiquidMass),
                                               Code(FluidCondition::LiquidFlowingTemp), property}));
        EXPECT_EQ(RememberedLiquidChoice(d),
                  (EquationChoice{Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidFlowingTemp),
                                  property}));
        EXPECT_EQ(r.Base_RhoGZ, property == Code(FluidProperty::LiquidSG) ? 0.88 : 0.88 * rho_w);
        EXPECT_EQ(r.Flow_RhoGZ, property == Code(FluidProperty::LiquidSG) ? 0.87 : 0.87 * rho_w);
        EXPECT_EQ(r.Property_MwDenVp, 1.5);
        EXPECT_EQ(r.Property_KFp, 1.0);
        EXPECT_EQ(r.Flow_Max, 1000.0);
        EXPECT_EQ(r.Unit_Flow_Set, r.Unit_LiqMassFlow_Set);
    }
}

TEST(AgaNaturalGas, ZAtTheTagsOwnBaseAndFlowingConditions) {
    Aga8Entry e;
    e.percent[0] = 90.0;  // methane
    e.percent[1] = 2.0;   // nitrogen
    e.percent[2] = 1.0;   // carbon dioxide
    e.percent[3] = 5.0;   // ethane
    e.percent[4] = 2.0;   // propane
    e.Pf_psia = 600.0;
    e.Tf_R = 529.67;
    e.visc_cP = 0.0115;
    e.k = 1.30;

    TagRecord b =
        GasTag({Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)});
    b.Base_Press = 14.696;
    b.Base_Temp = 518.67;
    // The method evaluated directly at the tag's conditions.
    const int numbers[] = {1, 2, 3, 4, 5};
    const double pct[] = {90.0, 2.0, 1.0, 5.0, 2.0};
    CFluidAGA8NaturalGas gas;
    const auto direct = gas.Compute(numbers, pct, 600.0 * 6894.757 / 1e6, 529.67 / 1.8,
                                    14.696 * 6894.757 / 1e6, 518.67 / 1.8);
    ASSERT_TRUE(direct);
    const auto z = ComputeAga8(e.percent, e.Pf_psia, e.Tf_R, b.Base_Press, b.Base_Temp);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->Zb, direct->Zb);
    EXPECT_EQ(z->Zf, direct->Zf);
    // Another base: the same Zf, its own Zb.
    const auto other = ComputeAga8(e.percent, e.Pf_psia, e.Tf_R, 14.73, 519.67);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->Zf, z->Zf);
    EXPECT_NE(other->Zb, z->Zb);

    UnitDefaults d = DefaultUnitDefaults();
    RecordingMessageSink sink;
    ApplyAga8NaturalGas(
        b, d, T(), e, *z,
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)}, sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(b.Base_RhoGZ, direct->Zb);
    EXPECT_EQ(b.Flow_RhoGZ, direct->Zf);
    EXPECT_DOUBLE_EQ(b.Property_MwDenVp, direct->MW / 28.9625);
    EXPECT_EQ(b.Flow_Press, 600.0);
    EXPECT_EQ(b.Flow_Temp, 529.67);
    EXPECT_EQ(b.Property_Visc, 0.0115);
    EXPECT_EQ(b.Property_KFp, 1.30);
    EXPECT_EQ(b.Flow_Max, 1000.0);  // same flow kind

    // Density input: the base density with the Zb of the tag's base.
    TagRecord dens = b;
    ApplyAga8NaturalGas(
        dens, d, T(), e, *z,
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasDensity)},
        sink);
    EXPECT_DOUBLE_EQ(dens.Base_RhoGZ, 14.696 * direct->MW / 10.73151 / direct->Zb / 518.67);
    EXPECT_DOUBLE_EQ(dens.Flow_RhoGZ, 600.0 * direct->MW / 10.73151 / direct->Zf / 529.67);
    EXPECT_DOUBLE_EQ(dens.Property_MwDenVp, direct->MW);
}

TEST(Steam, SaturatedAtOneHundredPsia) {
    RecordingMessageSink sink;
    const auto s = CSteamTable().SaturatedSteamAtPressure(100.0, sink);
    ASSERT_TRUE(s);
    TagRecord r =
        GasTag({Code(FluidEquation::GasVolume), Code(FluidCondition::GasBase), Code(FluidProperty::GasSG)});
    r.Unit_GasMassFlow_Set = 2;
    UnitDefaults d = DefaultUnitDefaults();
    ApplySteam(r, d, T(), *s, SteamCommand::SaturatedAtPressure);
    EXPECT_STREQ(r.Fluid, "SATURATED STEAM");
    EXPECT_EQ(ChoiceOf(r), (EquationChoice{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                                           Code(FluidProperty::GasDensity)}));
    EXPECT_EQ(RememberedGasChoice(d),
              (EquationChoice{Code(FluidEquation::GasMass), Code(FluidCondition::GasFlowing),
                              Code(FluidProperty::GasDensity)}));
    EXPECT_EQ(r.Flow_Press, 100.0);
    // Saturation temperature at 100 psia, about 327.8 deg F (ASME steam tables 327.81 F).
    EXPECT_NEAR(r.Flow_Temp - 459.67, 327.8, 0.05);
    EXPECT_EQ(r.Flow_Temp, s->T_R);
    EXPECT_EQ(r.Base_RhoGZ, 0.0);
    EXPECT_EQ(r.Flow_RhoGZ, s->density_lb_ft3);
    EXPECT_EQ(r.Property_Visc, s->viscosity_cP);
    EXPECT_EQ(r.Property_KFp, s->k);
    EXPECT_EQ(r.Property_MwDenVp, 18.0125);
    EXPECT_EQ(r.Unit_Flow_Set, 2);
    EXPECT_EQ(GetText(r.Unit_Flow_Text), UnitName(T(), UnitList::GasMassFlow, 2));

    const auto sh = CSteamTable().SuperheatedSteam(100.0, 500.0, sink);
    ASSERT_TRUE(sh);
    ApplySteam(r, d, T(), *sh, SteamCommand::Superheated);
    EXPECT_STREQ(r.Fluid, "SUPERHEATED STEAM");
    EXPECT_DOUBLE_EQ(r.Flow_Temp, 959.67);
}

TEST(CompressedWater, GravitiesOrDensitiesOfWaterAtBaseAndFlowing) {
    constexpr double rho_w = 62.3663;
    CompressedWaterProperties w;
    w.density_lb_ft3 = 57.0;
    w.base_density_lb_ft3 = 62.36;
    w.viscosity_cP = 0.3;
    w.vapour_pressure_psia = 14.7;
    for (int32_t property : {Code(FluidProperty::LiquidSG), Code(FluidProperty::LiquidDensity)}) {
        SCOPED_TRACE(property);
        TagRecord r = GasTag();
        UnitDefaults d = DefaultUnitDefaults();
        ApplyCompressedWater(
            r, d, T(), 500.0, 671.67, w,
            {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp), property}, rho_w);
        EXPECT_STREQ(r.Fluid, "WATER");
        EXPECT_EQ(ChoiceOf(r), (EquationChoice{Code(FluidEquation::LiquidVolume),
                                               Code(FluidCondition::LiquidFlowingTemp), property}));
        EXPECT_EQ(RememberedLiquidChoice(d),
                  (EquationChoice{Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
                                  property}));
        EXPECT_EQ(r.Flow_Press, 500.0);
        EXPECT_EQ(r.Flow_Temp, 671.67);
        EXPECT_EQ(r.Property_KFp, 1.0);
        EXPECT_EQ(r.Property_Visc, 0.3);
        EXPECT_EQ(r.Property_MwDenVp, 14.7);
        EXPECT_DOUBLE_EQ(r.Base_RhoGZ, property == Code(FluidProperty::LiquidSG) ? 62.36 / rho_w : 62.36);
        EXPECT_DOUBLE_EQ(r.Flow_RhoGZ, property == Code(FluidProperty::LiquidSG) ? 57.0 / rho_w : 57.0);
        EXPECT_EQ(r.Flow_Max, 1000.0);
        EXPECT_EQ(r.Unit_Flow_Set, r.Unit_LiqFlowingFlow_Set);
    }
}

TEST(SetupCommands, GasSetupResetsOnlyWhenAskedAndSelectsTheFlowUnit) {
    UnitDefaults d = DefaultUnitDefaults();
    RecordingMessageSink sink;
    TagRecord liquid = NewTagRecord();
    StoreChoice(liquid, {Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidBaseTemp),
                         Code(FluidProperty::LiquidSG)});
    SetText(liquid.Tag_No, "FT-1");
    liquid.Flow_Max = 50.0;
    TagRecord kept = liquid;
    ApplyGasSetup(
        liquid, d, T(),
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW)}, true,
        sink);
    EXPECT_STREQ(liquid.Tag_No, "");
    EXPECT_EQ(liquid.Flow_Max, 0.0);
    EXPECT_EQ(ChoiceOf(liquid),
              (EquationChoice{Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
                              Code(FluidProperty::GasMW)}));
    EXPECT_EQ(liquid.Unit_Flow_Set, liquid.Unit_GasFlowingFlow_Set);
    // Answered No: the liquid data stay and the gas choice is applied to them.
    ApplyGasSetup(
        kept, d, T(),
        {Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW)}, false,
        sink);
    EXPECT_STREQ(kept.Tag_No, "FT-1");
    EXPECT_EQ(ChoiceOf(kept), (EquationChoice{Code(FluidEquation::GasVolume),
                                              Code(FluidCondition::GasFlowing), Code(FluidProperty::GasMW)}));
    EXPECT_EQ(RememberedGasChoice(d),
              (EquationChoice{Code(FluidEquation::GasVolume), Code(FluidCondition::GasFlowing),
                              Code(FluidProperty::GasMW)}));
}

TEST(SetupCommands, LiquidSetupOnAGasTagAnsweredNoKeepsTheGasDataAndSetsFp) {
    UnitDefaults d = DefaultUnitDefaults();
    RecordingMessageSink sink;
    TagRecord r = GasTag();
    r.Property_KFp = 1.3;
    ApplyLiquidSetup(r, d, T(),
                     {Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp),
                      Code(FluidProperty::LiquidSG)},
                     false, 62.3663, sink);
    EXPECT_EQ(ChoiceOf(r),
              (EquationChoice{Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp),
                              Code(FluidProperty::LiquidSG)}));
    EXPECT_EQ(RememberedLiquidChoice(d),
              (EquationChoice{Code(FluidEquation::LiquidMass), Code(FluidCondition::LiquidBaseTemp),
                              Code(FluidProperty::LiquidSG)}));
    EXPECT_EQ(r.Property_MwDenVp, 0.6);  // the gas data stay
    EXPECT_EQ(r.Property_KFp, 1.0);
    EXPECT_EQ(r.Unit_Flow_Set, r.Unit_LiqMassFlow_Set);
    EXPECT_EQ(LiquidSetupQuestion().buttons, MessageButtons::YesNo);
    EXPECT_EQ(LiquidSetupQuestion().default_answer, MessageAnswer::No);
    EXPECT_EQ(GasSetupQuestion().caption, "NOTE");
}

TEST(ConditionsEntry, DisplayTextsAndRefusedAbsoluteZero) {
    EXPECT_EQ(PressureEntryText(1234.56), "1234.6");
    EXPECT_EQ(PressureEntryText(100.0), "100.00");
    EXPECT_EQ(PressureEntryText(99.99999), "100.0000");
    EXPECT_EQ(TemperatureEntryText(60.0), "60.00");

    TagRecord r = NewTagRecord();  // psig (gauge index 0) and deg F
    r.AtmPress = 14.696;
    RecordingMessageSink sink;
    EXPECT_NEAR(*EnteredPressure(r, 100.0, sink), 114.696, 1e-12);
    EXPECT_NEAR(*EnteredTemperature(r, 60.0, sink), 519.67, 1e-12);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(EnteredPressure(r, -14.696, sink));  // 0 psia
    EXPECT_FALSE(EnteredPressure(r, -20.0, sink));
    EXPECT_FALSE(EnteredTemperature(r, -459.67, sink));  // 0 R
    EXPECT_FALSE(EnteredTemperature(r, -500.0, sink));
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrFlowingPressure, msg::kErrFlowingPressure,
                                                msg::kErrFlowingTemperature, msg::kErrFlowingTemperature}));
    r.Flow_Press = 114.696;
    r.Flow_Temp = 519.67;
    EXPECT_NEAR(ShownPressure(r, r.Flow_Press), 100.0, 1e-12);
    EXPECT_NEAR(ShownTemperature(r, r.Flow_Temp), 60.0, 1e-12);
}

}  // namespace
