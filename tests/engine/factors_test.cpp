// Correction factors: thermal expansion, differential reference, manometer,
// drain hole, water vapour and two-phase factors.

#include "engine/factors.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fluids/steam_ifc67.h"
#include "tests/engine/hand_calc.h"

namespace quorven {
namespace {

constexpr double F(double deg_F) {
    return deg_F + 459.67;
}

struct FaCase {
    const char* source;
    int elem, pipe;
    double T_R;
    double fa_meter, fa_pipe, tol;
};

TEST(ThermalExpansion, MaterialsAndColumns) {
    // Hand calculations (python) of 1 + alpha (T - 68 deg F) from the material
    // tables, or the material's own Fa formula.
    const FaCase cases[] = {
        {"carbon steel at 68 F: no expansion, exactly", 13, 13, F(68), 1.0, 1.0, 0.0},
        {"316 SS at 200 F, the 9.6e-6 column", 6, 6, F(200), 1.0012672, 1.0012672, 1e-12},
        {"304 SS at 0 F uses the column below 70 F", 4, 4, F(0), 0.9994968, 0.9994968, 1e-12},
        {"carbon steel at 400 F, upper polynomial", 13, 13, F(400), 1.0022616265368811, 1.0022616265368811,
         1e-12},
        {"carbon steel at -20 F, lower polynomial", 13, 13, F(-20), 0.9994825428249696, 0.9994825428249696,
         1e-12},
        {"Alloy 20 pipe forces the upper column on the 316 SS element at 50 F", 6, 14, F(50), 0.9998272,
         0.999852418045273, 1e-12},
        {"17-4 PH at 300 F", 41, 41, F(300), 1.00139415296, 1.00139415296, 1e-12},
        {"duplex at 200 F (low range) and 600 F (high range)", 42, 42, F(200), 1.000841881114191,
         1.000841881114191, 1e-12},
        {"duplex at 600 F", 42, 42, F(600), 1.0041536065787073, 1.0041536065787073, 1e-12},
        {"PVC and CPVC at 168 F", 43, 44, F(168), 1.0028, 1.0037, 1e-12},
    };
    for (const FaCase& c : cases) {
        SCOPED_TRACE(c.source);
        TagRecord r = NewTagRecord();
        r.Matl_Elem = c.elem;
        r.Matl_Pipe = c.pipe;
        r.Flow_Temp = c.T_R;
        RecordingMessageSink sink;
        ThermalExpansion(r, sink);
        EXPECT_NEAR(r.Fa_Meter, c.fa_meter, c.tol);
        EXPECT_NEAR(r.Fa_Pipe, c.fa_pipe, c.tol);
        EXPECT_TRUE(sink.Numbers().empty());
    }
}

TEST(ThermalExpansion, FactorsThatAreNotPositiveBecomeOneWithWarnings) {
    struct Case {
        const char* what;
        int elem, pipe;
        double T_R;
        std::vector<int> warnings;
    };
    const Case cases[] = {
        {"absurd temperature drives both factors negative",
         13,
         6,
         -1e6,
         {-msg::kWarnElementExpansionLimits, -msg::kWarnPipeExpansionLimits}},
        {"unknown element material", 0, 13, F(100), {-msg::kWarnElementExpansionLimits}},
        {"unknown pipe material", 13, 45, F(100), {-msg::kWarnPipeExpansionLimits}},
        {"temperature not a number",
         13,
         13,
         std::nan(""),
         {-msg::kWarnElementExpansionLimits, -msg::kWarnPipeExpansionLimits}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TagRecord r = NewTagRecord();
        r.Matl_Elem = c.elem;
        r.Matl_Pipe = c.pipe;
        r.Flow_Temp = c.T_R;
        RecordingMessageSink sink;
        ThermalExpansion(r, sink);
        EXPECT_EQ(sink.Numbers(), c.warnings);
        EXPECT_TRUE(std::isfinite(r.Fa_Meter) && r.Fa_Meter > 0.0);
        EXPECT_TRUE(std::isfinite(r.Fa_Pipe) && r.Fa_Pipe > 0.0);
        if (c.warnings.front() == -msg::kWarnElementExpansionLimits) {
            EXPECT_EQ(r.Fa_Meter, 1.0);
        }
    }
}

TEST(DpReferenceFactor, WaterDensityRatio) {
    EXPECT_EQ(DpReferenceFactor(527.67), 1.0);  // the new-record value matches the stored 1.0
    // Hand calculation with Kell's (1975) water density: rho(60 F) / rho(68 F),
    // rho(85 F) / rho(68 F); the engine's polynomial agrees within 3 g/m3.
    EXPECT_NEAR(DpReferenceFactor(F(60)), 1.0008113820600968, 3e-6);
    EXPECT_NEAR(DpReferenceFactor(F(85)), 0.997605215405962, 3e-6);
}

TEST(ManometerFactor, MercuryExpandsAboutOneTenThousandthPerDegreeF) {
    TagRecord r = NewTagRecord();
    EXPECT_EQ(ManometerFactor(r), 1.0);
    r.Factor_Manometer = 1;
    r.Factor_ManoSealRho = 62.0;
    r.Factor_ManoSealTemp = F(100);
    r.Factor_ManoGlocal = 32.17405;
    // Hand calculation: mercury 846.324 lb/ft3 at 60 F with the volumetric
    // expansion 1.81e-4 per deg C (handbook value) gives 842.93 lb/ft3 at 100 F;
    // Fm = sqrt(1 - 62 / 842.93). A coefficient ten times too small misses by 1.4e-4.
    EXPECT_NEAR(ManometerFactor(r), 0.9625213474545659, 2e-5);
    r.Factor_ManoSealTemp = F(60);
    r.Factor_ManoGlocal = 32.0;
    EXPECT_NEAR(ManometerFactor(r), 0.9600670103853997, 1e-12);  // sqrt((1 - 62/846.324) 32/32.17405)
}

TEST(DrainHoleFactor, ListAndFactor) {
    EXPECT_EQ(DrainHoleList().size(), 15u);
    EXPECT_EQ(DrainHoleDiameter(0), 0.0);
    EXPECT_EQ(DrainHoleDiameter(2), 0.125);
    EXPECT_EQ(DrainHoleDiameter(14), 0.5);
    EXPECT_EQ(DrainHoleDiameter(15), 0.0);
    EXPECT_EQ(DrainHoleDiameter(-1), 0.0);
    EXPECT_STREQ(DrainHoleList()[4].text,
                 "3/16 in. (4.76 mm) dia. for 5.001 - 6.000 in. (127.03 - 152.4 mm mm) bores");

    TagRecord r = NewTagRecord();
    r.Pipe_IDia = 4.026;
    r.Beta = 0.5;
    r.Factor_DrainDia = 0.125;
    EXPECT_EQ(DrainHoleFactor(r), 1.0);  // not included
    r.Factor_Drain = 1;
    // Hand calculation: 1 + sqrt(1 - 0.5^4) (0.125 / (4.026 x 0.5))^2.
    EXPECT_NEAR(DrainHoleFactor(r), 1.0037335168390367, 1e-12);
    r.Beta = 0.0;
    EXPECT_EQ(DrainHoleFactor(r), 1.0);
}

TEST(WaterVapourFactor, ThreeModesAndTheStoredValue) {
    const SatPressureFn psat = [](double T_F) { return CSteamTable().SatPressure(T_F); };
    TagRecord r = NewTagRecord();
    r.Flow_Press = 100.0;
    r.Flow_Temp = F(60);
    r.Factor_H2OvapIncl = 1;
    r.Factor_H2OvapSetup = Code(H2OvapSetup::RelHumidity);
    r.Factor_PwvEdit = 50.0;
    // Published: saturation pressure of water at 60 F, 0.2563 psia (ASME steam
    // tables); 50 % relative humidity.
    EXPECT_NEAR(WaterVapourFactor(r, psat), 1.0 - 0.5 * 0.2563 / 100.0, 1e-6);
    EXPECT_NEAR(r.Factor_Pwv, 0.5 * 0.2563, 1e-4);

    r.Factor_H2OvapSetup = Code(H2OvapSetup::UserTemp);
    r.Factor_PwvEdit = F(212);  // published: 14.696 psia at 212 F
    EXPECT_NEAR(WaterVapourFactor(r, psat), 1.0 - 14.696 / 100.0, 2e-5);

    r.Factor_H2OvapSetup = Code(H2OvapSetup::FlowingTemp);
    r.Flow_Temp = F(212);
    EXPECT_NEAR(WaterVapourFactor(r, psat), 1.0 - 14.696 / 100.0, 2e-5);

    r.Factor_H2OvapSetup = 0;  // any other mode: the stored partial pressure
    r.Factor_Pwv = 2.0;
    EXPECT_DOUBLE_EQ(WaterVapourFactor(r, psat), 0.98);

    r.Factor_H2OvapSetup = Code(H2OvapSetup::FlowingTemp);
    r.Factor_H2OvapIncl = 0;  // not included: 1, but the pressure is still kept
    EXPECT_EQ(WaterVapourFactor(r, psat), 1.0);
    EXPECT_NEAR(r.Factor_Pwv, 14.696, 2e-3);

    r.Factor_H2OvapIncl = 1;
    r.Factor_Pwv = 1.0;
    const SatPressureFn broken = [](double) { return std::nan(""); };
    EXPECT_DOUBLE_EQ(WaterVapourFactor(r, broken), 0.99);  // falls back to the stored value
    EXPECT_EQ(r.Factor_Pwv, 1.0);
}

TEST(TwoPhaseFactor, WetGasUsesTheFlowingDensity) {
    TagRecord r = NewTagRecord();
    test::SetFluid(r, Code(FluidEquation::GasMass), Code(FluidCondition::GasBase),
                   Code(FluidProperty::GasSG));  // SG 0.65, Zf 0.95 at 300 psia, 68 F
    r.Flow_Temp = 527.67;
    r.Factor_VapQual = 1;
    r.Factor_QualX = 95.0;
    r.Factor_QualRho = 62.0;  // liquid density
    // Hand calculation: rho_g = P MW / (Z R T) = 1.04984 lb/ft3;
    // Fx = 1 / (1.26 (1 - x) sqrt(rho_g / rho_l) + x) (Murdock).
    EXPECT_NEAR(TwoPhaseFactor(r), 1.0436256936368313, 2e-6);
    r.Fluid_Property = Code(FluidProperty::GasDensity);
    r.Flow_RhoGZ = 1.04984;
    EXPECT_NEAR(TwoPhaseFactor(r), 1.0436256936368313, 2e-6);
}

TEST(TwoPhaseFactor, SaturatedLiquidTakesSgByThePropertyInput) {
    TagRecord r = NewTagRecord();
    test::SetFluid(r, Code(FluidEquation::LiquidVolume), Code(FluidCondition::LiquidFlowingTemp),
                   Code(FluidProperty::LiquidSG));  // SG 0.88
    r.Factor_SatLiq = 1;
    r.Factor_QualX = 2.0;
    r.Factor_QualRho = 0.5;
    // Hand calculation: rho_l = 0.88 x 62.37359, homogeneous rho_m, r = rho_l / rho_m,
    // Fx = 0.94 + 0.2 r - 0.01 r^2.
    EXPECT_NEAR(TwoPhaseFactor(r), 1.4742688722029504, 1e-12);
    r.Factor_QualX = 0.0;
    r.Beta = 0.5;
    EXPECT_DOUBLE_EQ(TwoPhaseFactor(r), 0.968 + 0.112 * 0.5);  // bubble-point liquid
    r.Factor_SatLiq = 0;
    EXPECT_EQ(TwoPhaseFactor(r), 1.0);
}

}  // namespace
}  // namespace quorven
