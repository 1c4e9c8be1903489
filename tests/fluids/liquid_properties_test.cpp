// The liquid correlations and the liquid computation: published and independently
// computed values, the numbered messages in their order, and errors that store nothing.

#include "fluids/liquid_properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "fluids/steam_ifc67.h"
#include "tests/fluids/fluid_fixtures.h"

namespace {

using namespace quorven;
using quorven::fluidtest::BuiltDatabase;
using quorven::fluidtest::MakeDatabase;

// The liquid computation converts with the factors its method prints.
constexpr double kBarPerPsiLucas = 0.06894757;

double F_to_R(double F) {
    return F + 459.67;
}

ComponentList ListOf(const PropertyDatabase& db,
                     std::initializer_list<std::pair<const char*, double>> parts) {
    ComponentList list;
    NullMessageSink none;
    for (const auto& [name, pct] : parts) {
        EXPECT_EQ(list.AddComponent(db, name, none), AddComponentResult::Added) << name;
        list.SetMolePercent(static_cast<int>(list.count) - 1, pct);
    }
    return list;
}

PropertyRecord Like(int32_t no, const char* name, const char* like) {
    PropertyRecord r = *BuiltDatabase().ByName(like);
    std::memset(r.Comp_Name, 0, sizeof r.Comp_Name);
    std::strncpy(r.Comp_Name, name, sizeof r.Comp_Name - 1);
    r.Comp_No = no;
    return r;
}

// ---------------------------------------------------------------- correlations

TEST(LiquidDensity, PublishedExamplesOfTheCorrelation) {
    // API Technical Data Book example, propane at 30 deg F (272.04 K), as reproduced in
    // the documentation of the chemicals library (C. Bell, COSTALD): Tc 369.83333 K,
    // V* 0.20008161 L/mol, omega_SRK 0.1532, M 44.097 -> 530.30 kg/m3.
    const double Vs = CostaldSaturatedVolume(200.08161, 0.1532, 272.03889 / 369.83333);
    EXPECT_NEAR(44.097 / Vs * 1000.0, 530.30, 0.005);
    // DIPPR Procedure 4C example, diethyl ether at 303 K and 980 bar (Thomson, Brobst
    // and Hankinson 1982), as reproduced there: Vs 105.047 cm3/mol, Psat 0.858579 bar,
    // Tc 466.7 K, Pc 36.4 bar, omega 0.281 -> 92.8748 cm3/mol.
    EXPECT_NEAR(ThomsonCompressedVolume(105.047, 980.0, 0.858579, 36.4, 0.281, 303.0 / 466.7), 92.8748,
                0.00005);
}

TEST(LiquidDensity, MixtureMatchesAnIndependentEvaluation) {
    // Independent evaluation (Python) of the Hankinson-Thomson mixing rules, the
    // generalized vapour pressure and the Tait correction: 40 % propane, 60 % n-butane
    // at 300 K and 20 bar.
    const double x[] = {0.4, 0.6}, Pc[] = {42.48, 37.96}, Tc[] = {369.83, 425.12}, w[] = {0.1532, 0.2008},
                 Vstar[] = {0.2001, 0.2544};
    const int32_t cls[] = {1, 1};
    const HbtVolumeResult v = HbtVolume(x, Pc, Tc, w, Vstar, cls, 20.0, 300.0);
    ASSERT_TRUE(v.volume.ok());
    EXPECT_NEAR(v.Vs, 96.60823138, 1e-7);
    EXPECT_NEAR(v.volume.value, 95.98308272, 1e-7);
    EXPECT_NEAR(v.Tr, 0.74317493, 1e-8);
    EXPECT_FALSE(v.extrapolated);

    // The compressed-liquid ratio stops at 5: propane reaches it before 1000 bar.
    const double x1[] = {1.0};
    const int32_t c1[] = {1};
    const auto at = [&](double P) {
        return HbtVolume(x1, {Pc, 1}, {Tc, 1}, {w, 1}, {Vstar, 1}, c1, P, 300.0).volume.value;
    };
    EXPECT_NEAR(at(1000.0), 76.83377295, 1e-7);
    EXPECT_EQ(at(1000.0), at(5000.0));
    EXPECT_LT(at(1000.0), at(500.0));

    // Missing data and the reduced-temperature range.
    const int32_t none[] = {0};
    EXPECT_EQ(HbtVolume(x1, {Pc, 1}, {Tc, 1}, {w, 1}, {Vstar, 1}, none, 20.0, 300.0).volume.status,
              PropStatus::MissingData);
    EXPECT_EQ(HbtVolume(x1, {Pc, 1}, {Tc, 1}, {w, 1}, {Vstar, 1}, c1, 0.0, 300.0).volume.status,
              PropStatus::MissingData);
    const HbtVolumeResult hot = HbtVolume(x1, {Pc, 1}, {Tc, 1}, {w, 1}, {Vstar, 1}, c1, 100.0, 375.0);
    EXPECT_TRUE(hot.extrapolated);
    EXPECT_EQ(hot.volume.value, 0.0);  // above its critical temperature: no liquid volume
}

TEST(LiquidViscosity, LucasPressureCorrectionOfThePublishedExample) {
    // Reid, Prausnitz and Poling, The Properties of Gases and Liquids, 4th ed. (1987),
    // chapter 9, the Lucas example (as reproduced in the chemicals library's
    // documentation): methylcyclohexane at 300 K and 500 bar, Tc 572.2 K, Pc 34.7 bar,
    // omega 0.236, 0.68 cP at saturation -> 1.07 cP.
    EXPECT_NEAR(LucasPressureCorrection(0.68, 500.0 / 34.7, 300.0 / 572.2, 0.236), 1.07, 0.005);
    // Below its own vapour pressure a liquid takes no correction.
    EXPECT_EQ(LucasPressureCorrection(0.68, -0.5, 300.0 / 572.2, 0.236), 0.68);
}

TEST(LiquidViscosity, SaturatedEquationsAndTheMixture) {
    // Hand calculations of the four forms.
    EXPECT_DOUBLE_EQ(SaturatedLiquidViscosity(1, 950.69, -2.6785, 0, 0, 300.0),
                     950.69 * std::pow(300.0, -2.6785));
    EXPECT_DOUBLE_EQ(SaturatedLiquidViscosity(2, -4.0, 1000.0, 0, 0, 300.0), std::exp(-4.0 + 1000.0 / 300.0));
    EXPECT_DOUBLE_EQ(SaturatedLiquidViscosity(3, -4.0, 1000.0, 0.001, -1e-6, 300.0),
                     std::exp(-4.0 + 1000.0 / 300.0 + 0.3 - 0.09));
    EXPECT_DOUBLE_EQ(SaturatedLiquidViscosity(4, 1200.0, 350.0, 0, 0, 300.0),
                     std::exp(1200.0 * (1.0 / 300.0 - 1.0 / 350.0)));
    EXPECT_EQ(SaturatedLiquidViscosity(9, 1, 1, 1, 1, 300.0), 0.0);

    // The mixture: sum x mu_i, each corrected to P.
    const double x[] = {0.25, 0.75}, A[] = {-4.0, -3.0}, B[] = {1000.0, 900.0}, C0[] = {0, 0}, D0[] = {0, 0},
                 Pvp[] = {5.0, 2.0}, Pc[] = {30.0, 40.0}, Tr[] = {0.6, 0.55}, w[] = {0.3, 0.25};
    const int32_t eqn[] = {2, 2};
    const double P = 50.0, T = 300.0;
    double expected = 0.0;
    for (int i = 0; i < 2; ++i)
        expected += x[i] * LucasPressureCorrection(std::exp(A[i] + B[i] / T),
                                                   (P - Pvp[i] * kBarPerPsiLucas) / Pc[i], Tr[i], w[i]);
    const PropValue mu = LiquidViscosity(x, eqn, A, B, C0, D0, Pvp, Pc, Tr, w, P, T);
    ASSERT_TRUE(mu.ok());
    EXPECT_NEAR(mu.value, expected, 1e-12);
    const double no_vp[] = {5.0, 0.0};
    EXPECT_FALSE(LiquidViscosity(x, eqn, A, B, C0, D0, no_vp, Pc, Tr, w, P, T).ok());
    const int32_t no_eqn[] = {2, 0};
    EXPECT_FALSE(LiquidViscosity(x, no_eqn, A, B, C0, D0, Pvp, Pc, Tr, w, P, T).ok());
}

// ---------------------------------------------------------------- LiquidProperties

TEST(LiquidProperties, HydrocarbonLiquidsAgainstPublishedGravities) {
    // GPA Standard 2145: relative density 60/60 deg F of n-pentane 0.6311, n-hexane
    // 0.6640, n-heptane 0.6882 (COSTALD is good to about 0.5 %); n-hexane's viscosity
    // at 60 deg F about 0.33 cP (Viswanath and Natarajan 1989: 0.326 cP at 15.6 deg C).
    const PropertyDatabase& db = BuiltDatabase();
    RecordingMessageSink sink;
    const LiquidResult hexane =
        LiquidProperties(db, ListOf(db, {{"n-HEXANE", 100}}), 14.696, F_to_R(60), F_to_R(60), sink);
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_TRUE(hexane.Ok);
    EXPECT_NEAR(hexane.SGf, 0.6640, 0.6640 * 0.005);
    EXPECT_EQ(hexane.SGb, hexane.SGf);  // base temperature = flowing temperature
    EXPECT_NEAR(hexane.Visc, 0.326, 0.326 * 0.03);
    EXPECT_EQ(hexane.FluidName, "n-HEXANE");
    EXPECT_EQ(hexane.Fp, 1.0);
    EXPECT_GT(hexane.VPf_psia, 1.5);  // about 1.9 psia at 60 deg F
    EXPECT_LT(hexane.VPf_psia, 2.3);

    // An equimolar C5-C6-C7 mixture; hand calculation from the GPA gravities with
    // ideal volumes: SG = sum x M / sum (x M / SG).
    const double M[] = {72.1488, 86.1754, 100.2019}, SG[] = {0.6311, 0.6640, 0.6882};
    double mass = 0.0, volume = 0.0;
    for (int i = 0; i < 3; ++i) {
        mass += M[i] / 3.0;
        volume += M[i] / 3.0 / SG[i];
    }
    const ComponentList mix =
        ListOf(db, {{"n-PENTANE", 100.0 / 3}, {"n-HEXANE", 100.0 / 3}, {"n-HEPTANE", 100.0 / 3}});
    const LiquidResult m = LiquidProperties(db, mix, 50.0, F_to_R(60), F_to_R(60), sink);
    ASSERT_TRUE(m.Ok);
    EXPECT_NEAR(m.SGf / (mass / volume), 1.0, 0.005);
    EXPECT_EQ(m.FluidName, "LIQUID MIX");
    // 120 deg F flowing, 60 deg F base: the base gravity is the larger.
    const LiquidResult warm = LiquidProperties(db, mix, 50.0, F_to_R(120), F_to_R(60), sink);
    ASSERT_TRUE(warm.Ok);
    EXPECT_NEAR(warm.SGb, m.SGf, 1e-12);
    EXPECT_LT(warm.SGf, warm.SGb);
    EXPECT_LT(warm.Visc, m.Visc);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(LiquidProperties, MessagesInTheirOrderAndWhatEachLeaves) {
    const PropertyDatabase& db = BuiltDatabase();
    struct Case {
        const char* what;
        ComponentList list;
        double Pf, Tf_F, Tb_F;
        std::vector<int> messages;
        bool ok, base_sg, visc;
    };
    // Propane boils at -44 deg F; its vapour pressure is 107 psia at 60 deg F, 550 psia
    // at 200 deg F; its critical temperature is 206 deg F.
    const Case cases[] = {
        {"vapour flowing",
         ListOf(db, {{"PROPANE", 100}}),
         50,
         60,
         60,
         {msg::kErrVapourState},
         false,
         false,
         false},
        {"vapour at base",
         ListOf(db, {{"PROPANE", 100}}),
         200,
         60,
         200,
         {-msg::kWarnVapourAtBase},
         true,
         false,
         true},
        // Tr = 0.95 exactly (351.3385 K): Warning #25 and still a density.
        {"Tr 0.95",
         ListOf(db, {{"PROPANE", 100}}),
         1000,
         351.3385 * 1.8 - 459.67,
         60,
         {-msg::kWarnLiquidDensityExtrapolated},
         true,
         true,
         true},
        // n-hexane at -250 deg F: Tr below 0.25, Warning #25 then Error #21.
        {"Tr 0.24",
         ListOf(db, {{"n-HEXANE", 100}}),
         100,
         -250,
         60,
         {-msg::kWarnLiquidDensityExtrapolated, msg::kErrVapourStateOnly},
         false,
         false,
         false},
        // The vapour-only water record has no liquid data.
        {"vapour-only record",
         ListOf(db, {{"WATER (steam & vapor only)", 100}}),
         100,
         60,
         60,
         {msg::kErrVapourStateOnly},
         false,
         false,
         false},
        // Methane is above its critical temperature: it adds 0 to the vapour pressure and
        // the viscosity routine refuses it.
        {"supercritical part",
         ListOf(db, {{"METHANE", 10}, {"n-DECANE", 90}}),
         500,
         60,
         60,
         {msg::kErrNoViscosityData},
         true,
         true,
         false},
        {"mole percents 90",
         ListOf(db, {{"n-HEXANE", 90}}),
         100,
         60,
         60,
         {msg::kErrMixTotalBeforeCalculate},
         false,
         false,
         false},
        {"zero flowing pressure",
         ListOf(db, {{"n-HEXANE", 100}}),
         0,
         60,
         60,
         {msg::kErrFlowingPressure},
         false,
         false,
         false},
        {"flowing temperature below absolute zero",
         ListOf(db, {{"n-HEXANE", 100}}),
         100,
         -500,
         60,
         {msg::kErrFlowingTemperature},
         false,
         false,
         false},
        {"base temperature below absolute zero",
         ListOf(db, {{"n-HEXANE", 100}}),
         100,
         60,
         -500,
         {msg::kErrBaseTemperature},
         false,
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingMessageSink sink;
        const LiquidResult l = LiquidProperties(db, c.list, c.Pf, F_to_R(c.Tf_F), F_to_R(c.Tb_F), sink);
        EXPECT_EQ(sink.Numbers(), c.messages);
        EXPECT_EQ(l.Ok, c.ok);
        EXPECT_EQ(l.SGb > 0.0, c.base_sg);
        EXPECT_EQ(l.Visc > 0.0, c.visc);
        EXPECT_EQ(l.SGf > 0.0, c.ok);
        if (!c.ok) {
            EXPECT_EQ(l.FluidName, "");
            EXPECT_EQ(l.VPf_psia, 0.0);
        }
    }
}

TEST(LiquidProperties, MissingDataEndsOrZeroesAsDocumented) {
    PropertyRecord no_visc = Like(1, "NO VISCOSITY", "n-HEXANE");
    no_visc.LiqVisc_Eqn = 0;
    PropertyRecord no_vp = Like(2, "NO VAPOUR PRESSURE", "n-HEXANE");
    no_vp.Vp_A = no_vp.Vp_B = no_vp.Vp_C = no_vp.Vp_D = 0.0;
    PropertyRecord long_name = Like(3, "A-LIQUID-WITH-A-NAME-OF-FORTY-CHARACTERS", "n-HEXANE");
    // A corrupt record (found by fuzzing): a density that underflows to 0 is no density.
    PropertyRecord absurd = Like(4, "ABSURD", "n-HEXANE");
    absurd.Mol_Wt = 5e-317;
    absurd.Hbt_Vstar = 1.5e47;
    PropertyRecord no_pc = Like(5, "NO PC", "n-HEXANE");
    no_pc.Crit_Press = 0.0;
    const PropertyDatabase db = MakeDatabase({no_visc, no_vp, long_name, absurd, no_pc});
    {
        RecordingMessageSink sink;
        const LiquidResult l = LiquidProperties(db, ListOf(db, {{"ABSURD", 100}}), 100, 520, 520, sink);
        EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrVapourStateOnly}));
        EXPECT_FALSE(l.Ok);
    }
    {
        RecordingMessageSink sink;
        const LiquidResult l = LiquidProperties(db, ListOf(db, {{"NO VISCOSITY", 100}}), 100, 520, 520, sink);
        EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrNoViscosityData}));
        EXPECT_TRUE(l.Ok);
        EXPECT_EQ(l.Visc, 0.0);
        EXPECT_GT(l.SGf, 0.6);
    }
    {
        // Its vapour-pressure equation fails at base and flowing temperature (Error #30
        // each): the generalised vapour pressure of its Tc, Pc and acentric factor decides
        // the phase instead, and the liquid is computed.
        RecordingMessageSink sink;
        const LiquidResult l =
            LiquidProperties(db, ListOf(db, {{"NO VAPOUR PRESSURE", 100}}), 100, 520, 520, sink);
        EXPECT_EQ(sink.Numbers(),
                  (std::vector<int>{msg::kErrNoVapourPressureData, msg::kErrNoVapourPressureData}));
        EXPECT_TRUE(l.Ok);
        EXPECT_GT(l.SGf, 0.6);
        const double T = 520.0 / 1.8;
        EXPECT_NEAR(
            l.VPf_psia,
            no_vp.Crit_Press * ThomsonReducedVaporPressure(T / no_vp.Crit_Temp, no_vp.Acentric) * 14.50377439,
            1e-9);
    }
    {
        // Without a critical pressure not even that can be formed: the mixture vapour
        // pressure is 0 and the computation ends (Error #27).
        RecordingMessageSink sink;
        const LiquidResult l = LiquidProperties(db, ListOf(db, {{"NO PC", 100}}), 100, 520, 520, sink);
        EXPECT_EQ(sink.Numbers(),
                  (std::vector<int>{msg::kErrNoVapourPressureData, msg::kErrNoVapourPressureData,
                                    msg::kErrPropertyDataIncomplete}));
        EXPECT_FALSE(l.Ok);
        EXPECT_EQ(l.SGf, 0.0);
    }
    {
        NullMessageSink none;
        const LiquidResult l = LiquidProperties(
            db, ListOf(db, {{"A-LIQUID-WITH-A-NAME-OF-FORTY-CHARACTERS", 100}}), 100, 520, 520, none);
        EXPECT_EQ(l.FluidName, "A-LIQUID-WITH-A-NAME-OF-FORTY-CHAR");
    }
    {
        ComponentList stale = ListOf(db, {{"NO VISCOSITY", 100}});
        stale.slots[0].Comp_No = 2;  // now another component's number
        RecordingMessageSink sink;
        EXPECT_FALSE(LiquidProperties(db, stale, 100, 520, 520, sink).Ok);
        EXPECT_FALSE(LiquidProperties(PropertyDatabase{}, stale, 100, 520, 520, sink).Ok);
        EXPECT_EQ(sink.Numbers(),
                  (std::vector<int>{msg::kErrMixTotalBeforeCalculate, msg::kErrPropertyDatabase}));
    }
}

TEST(LiquidProperties, GravitiesReferToWaterAt60F) {
    // SG = rho / rho_w with rho_w the steam table's water at 14.7 psia and 60 deg F.
    const PropertyDatabase& db = BuiltDatabase();
    NullMessageSink none;
    const LiquidResult l =
        LiquidProperties(db, ListOf(db, {{"BENZENE", 100}}), 14.696, F_to_R(60), F_to_R(60), none);
    ASSERT_TRUE(l.Ok);
    EXPECT_NEAR(l.SGf, l.rho_f_lb_ft3 / CSteamTable::ReferenceWaterDensity(), 1e-12);
    // Benzene, relative density 60/60 deg F 0.8844 (GPA 2145).
    EXPECT_NEAR(l.SGf, 0.8844, 0.8844 * 0.005);
}

}  // namespace
