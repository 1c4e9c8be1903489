// The IAPWS-IF97 steam table in US customary units: the conversions against the release's
// verification values converted by hand, the property sets of the steam commands with their
// numbered messages, and a sweep that compares IAPWS-IF97 with the IFC-67 table over their
// common range and states the largest differences.

#include "fluids/steam_if97.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "fluids/if97.h"
#include "fluids/steam_ifc67.h"
#include "messages/messages.h"

namespace {

namespace if97 = quorven::if97;
namespace sif97 = quorven::steam_if97;
namespace msg = quorven::msg;
using quorven::CSteamTable;
using quorven::RecordingMessageSink;

// Exact unit definitions, independent of the code under test.
constexpr double kPaPerPsi = 6894.757293168361;
constexpr double kKgM3PerLbFt3 = 16.01846337396014;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
double FOfK(double T_K) {
    return T_K * 1.8 - 459.67;
}

TEST(SteamIf97Units, ReleaseValuesConvertedByHand) {
    // R7-97(2012) Table 15, T = 700 K, p = 30 MPa (region 2), in US units by hand:
    // v = 0.542946619e-2 m3/kg, h = 0.263149474e4 kJ/kg, s = 0.517540298e1 kJ/(kg K),
    // cp = 0.103505092e2 kJ/(kg K), w = 0.480386523e3 m/s.
    const double P = 30e6 / kPaPerPsi, T = FOfK(700);
    const auto st = sif97::StatePT(P, T);
    ASSERT_TRUE(st);
    EXPECT_EQ(st->region, 2);
    EXPECT_EQ(st->P_psia, P);
    EXPECT_NEAR(st->rho_lb_ft3, 1.0 / 0.542946619e-2 / kKgM3PerLbFt3, 1e-8 * st->rho_lb_ft3);
    EXPECT_NEAR(st->v_ft3_lb * st->rho_lb_ft3, 1.0, 1e-15);
    EXPECT_NEAR(st->h_btu_lb, 0.263149474e4 / 2.326, 5e-6 / 2.326);
    EXPECT_NEAR(st->s_btu_lbR, 0.517540298e1 / 4.1868, 5e-9 / 4.1868);
    EXPECT_NEAR(st->cp_btu_lbR, 0.103505092e2 / 4.1868, 5e-8 / 4.1868);
    EXPECT_NEAR(st->w_ft_s, 0.480386523e3 / 0.3048, 5e-7 / 0.3048);
    EXPECT_NEAR(st->k, 480.386523 * 480.386523 / 0.542946619e-2 / 30e6, 1e-8);
    // R7-97(2012) Tables 35 and 36 in psia and deg F.
    EXPECT_NEAR(*sif97::SatPressure(FOfK(500)), 0.263889776e7 / kPaPerPsi, 5e-3 / kPaPerPsi * 1e3);
    EXPECT_NEAR(*sif97::SatTemperature(1e6 / kPaPerPsi), FOfK(0.453035632e3), 5e-7 * 1.8);
    // The normal boiling point: ps(212 deg F) = 14.70 psia (0.101418 MPa by eq. (30)).
    EXPECT_NEAR(*sif97::SatPressure(212.0), 14.7096, 5e-4);
    EXPECT_FALSE(sif97::SatPressure(31.9));
    EXPECT_FALSE(sif97::SatPressure(705.11));
    EXPECT_FALSE(sif97::SatTemperature(0.088));
    EXPECT_FALSE(sif97::SatTemperature(3200.2));
    EXPECT_FALSE(sif97::StatePT(kNaN, 300));
}

TEST(SteamIf97Sets, SaturatedSteamIsTheSaturatedVapourRoundedAsStored) {
    RecordingMessageSink sink;
    const auto s = sif97::SaturatedSteamAtPressure(100.0, sink);
    ASSERT_TRUE(s);
    EXPECT_TRUE(sink.Numbers().empty());
    // Independent: Ts by eq. (31), the vapour by eq. (15) at (p, Ts), kappa = rho w^2 / p.
    const double p = 100.0 * kPaPerPsi / 1e6, Ts = *if97::SatTemperature(p);
    const if97::Props g = if97::Region2(p, Ts);
    EXPECT_EQ(s->P_psia, 100.0);
    EXPECT_DOUBLE_EQ(s->T_F, std::floor(FOfK(Ts) * 1e4 + 0.5) / 1e4);  // 327.8165 deg F
    EXPECT_DOUBLE_EQ(s->T_R, std::floor(s->T_F * 1e3 + 0.5) / 1e3 + 459.67);
    EXPECT_DOUBLE_EQ(s->density_lb_ft3, std::floor(g.rho_kg_m3 / kKgM3PerLbFt3 * 1e5 + 0.5) / 1e5);
    EXPECT_DOUBLE_EQ(s->k, std::floor(g.rho_kg_m3 * g.w_m_s * g.w_m_s / (p * 1e6) * 1e4 + 0.5) / 1e4);
    EXPECT_DOUBLE_EQ(s->viscosity_cP, std::floor(if97::Viscosity(Ts, g.rho_kg_m3) * 1e3 * 1e5 + 0.5) / 1e5);

    // By temperature: the same state.
    const auto t = sif97::SaturatedSteamAtTemperature(s->T_F, sink);
    ASSERT_TRUE(t);
    EXPECT_NEAR(t->P_psia, 100.0, 1e-4);
    EXPECT_NEAR(t->density_lb_ft3, s->density_lb_ft3, 2e-5);

    // Above 623.15 K (662.0 deg F) the saturated vapour comes from region 3, vapour side: its
    // density lies below the critical density (20.1 lb/ft3) and reproduces ps(T).
    const auto hot = sif97::SaturatedSteamAtTemperature(690.0, sink);
    ASSERT_TRUE(hot);
    EXPECT_LT(hot->density_lb_ft3, 322.0 / kKgM3PerLbFt3);
    const double T690 = (690.0 + 459.67) / 1.8;
    EXPECT_NEAR(if97::Region3Pressure(hot->density_lb_ft3 * kKgM3PerLbFt3, T690).p_MPa,
                *if97::SatPressure(T690), 1e-4);
    EXPECT_TRUE(sink.Numbers().empty());
}

TEST(SteamIf97Sets, OutsideTheirStatesShowTheirMessagesAndDeliverNothing) {
    struct Case {
        const char* what;
        double P, T;
        int error;
    };
    const Case steam[] = {
        {"liquid: below the saturation temperature", 100, 300, msg::kErrLiquidState},
        {"colder than 32 deg F", 0.05, 31, msg::kErrLiquidState},
        {"hotter than 2273.15 K", 100, 3633, msg::kErrLiquidState},
        {"above 50 MPa in region 5", 7300, 2000, msg::kErrLiquidState},
        {"pressure 0", 0, 500, msg::kErrLiquidState},
        {"pressure negative", -5, 500, msg::kErrLiquidState},
        {"pressure not a number", kNaN, 500, msg::kErrLiquidState},
    };
    for (const Case& c : steam) {
        RecordingMessageSink sink;
        EXPECT_FALSE(sif97::SuperheatedSteam(c.P, c.T, sink)) << c.what;
        EXPECT_EQ(sink.Numbers(), std::vector<int>{c.error}) << c.what;
    }
    const Case water[] = {
        {"vapour: above the saturation temperature", 14.7, 250, msg::kErrVapourState},
        {"above the critical temperature", 5000, 706, msg::kErrVapourState},
        {"colder than 32 deg F", 100, 31, msg::kErrVapourState},
        {"above 100 MPa", 14600, 300, msg::kErrVapourState},
        {"temperature not a number", 100, kNaN, msg::kErrVapourState},
    };
    for (const Case& c : water) {
        RecordingMessageSink sink;
        EXPECT_FALSE(sif97::CompressedWater(c.P, c.T, 14.696, 60, sink)) << c.what;
        EXPECT_EQ(sink.Numbers(), std::vector<int>{c.error}) << c.what;
    }
    for (double P : {0.08, 3200.2, -1.0, kNaN}) {
        RecordingMessageSink sink;
        EXPECT_FALSE(sif97::SaturatedSteamAtPressure(P, sink)) << P;
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrLiquidState}) << P;
    }
    for (double T : {31.9, 705.2, kNaN}) {
        RecordingMessageSink sink;
        EXPECT_FALSE(sif97::SaturatedSteamAtTemperature(T, sink)) << T;
        EXPECT_EQ(sink.Numbers(), std::vector<int>{msg::kErrLiquidState}) << T;
    }
}

TEST(SteamIf97Sets, CompressedWaterAndTheEdgesOfSuperheat) {
    RecordingMessageSink sink;
    const auto w = sif97::CompressedWater(1000, 300, 14.696, 60, sink);
    ASSERT_TRUE(w);
    const double T = (300 + 459.67) / 1.8, p = 1000 * kPaPerPsi / 1e6;
    EXPECT_DOUBLE_EQ(w->density_lb_ft3, if97::Region1(p, T).rho_kg_m3 / kKgM3PerLbFt3);
    EXPECT_DOUBLE_EQ(w->base_density_lb_ft3,
                     if97::Region1(14.696 * kPaPerPsi / 1e6, (60 + 459.67) / 1.8).rho_kg_m3 / kKgM3PerLbFt3);
    EXPECT_NEAR(w->base_density_lb_ft3, 62.37, 0.01);  // water at 60 deg F
    EXPECT_DOUBLE_EQ(w->vapour_pressure_psia, *if97::SatPressure(T) * 1e6 / kPaPerPsi);
    EXPECT_EQ(w->Fp, 1.0);
    // Above 662 deg F compressed water comes from region 3, liquid side.
    const auto hot = sif97::CompressedWater(5000, 680, 14.696, 60, sink);
    ASSERT_TRUE(hot);
    EXPECT_GT(hot->density_lb_ft3, 322.0 / kKgM3PerLbFt3);
    // Superheated steam exactly at the saturation pressure is the saturated vapour; above the
    // critical temperature any pressure of the range is accepted.
    const double Ps = *sif97::SatPressure(400.0);
    const auto at_sat = sif97::SuperheatedSteam(Ps, 400.0, sink);
    const auto sat = sif97::SaturatedSteamAtTemperature(400.0, sink);
    ASSERT_TRUE(at_sat && sat);
    EXPECT_EQ(at_sat->density_lb_ft3, sat->density_lb_ft3);
    EXPECT_TRUE(sif97::SuperheatedSteam(12000, 750, sink));
    EXPECT_TRUE(sink.Numbers().empty());
}

// IAPWS-IF97 against the IFC-67 table over their common range (32 to 1472 deg F, 0.1 to
// 14500 psia), each state on the side of the saturation line IF97 puts it (states within 1 %
// of either formulation's saturation pressure are skipped: they may lie on different sides).
// The formulations differ by design: IF97 represents IAPWS-95 on the ITS-90 temperature
// scale, IFC-67 the data of the 1960s on IPTS-68, and the viscosity moved from IAPS 1985 to
// IAPWS 2008. The largest differences on this grid (21522 states), measured when the test
// was written and bounded a little above:
//   saturation pressure, 32 to 700 deg F:  0.130 % (at 125 deg F)
//   compressed water:                      density 0.27 %, h 1.55 Btu/lb,
//                                          s 0.0014 Btu/(lb R), viscosity 0.53 %
//   steam outside the critical zone:       density 0.41 %, h 3.66 Btu/lb,
//                                          s 0.0031 Btu/(lb R), viscosity 2.7 % (dilute steam
//                                          near 32 deg F, where IAPWS 2008 revised the
//                                          dilute-gas term)
//   critical zone (650 to 900 deg F, 2000 to 8000 psia): density 2.1 %, h 5.6 Btu/lb
TEST(SteamIf97Sweep, AgreesWithIfc67WithinTheKnownDifferences) {
    double sat = 0;
    for (double T = 32; T <= 700; T += 1) {
        CSteamTable ifc;
        sat = std::max(sat, std::abs(ifc.SatPressure(T) / *sif97::SatPressure(T) - 1));
    }
    struct Max {
        double rho = 0, h = 0, s = 0, mu = 0;
    } liquid, steam, critical;
    int compared = 0;
    for (double T = 32; T <= 1472; T += 8) {
        for (double lnP = std::log(0.1); lnP <= std::log(14500.0); lnP += 0.1) {
            const double P = std::exp(lnP);
            const std::optional<double> ps = sif97::SatPressure(T);
            CSteamTable ifc_sat;
            const double ps67 = T <= 705.47 ? ifc_sat.SatPressure(T) : 0.0;
            if ((ps && std::abs(P / *ps - 1) < 0.01) || (ps67 > 0 && std::abs(P / ps67 - 1) < 0.01)) continue;
            const bool is_liquid = ps && P >= *ps;
            const auto b = sif97::StatePT(P, T);
            ASSERT_TRUE(b) << P << " psia, " << T << " deg F";
            CSteamTable ifc;
            const auto a = is_liquid ? ifc.WaterState(P, T) : ifc.SteamState(P, T);
            ASSERT_TRUE(a) << P << " psia, " << T << " deg F";
            const double mu = CSteamTable().SteamViscosity(P, T, is_liquid ? 'W' : 'S');
            const bool near_critical = T >= 650 && T <= 900 && P >= 2000 && P <= 8000;
            Max& m = near_critical ? critical : is_liquid ? liquid : steam;
            m.rho = std::max(m.rho, std::abs(1.0 / a->v_ft3_lb / b->rho_lb_ft3 - 1));
            m.h = std::max(m.h, std::abs(a->h_btu_lb - b->h_btu_lb));
            m.s = std::max(m.s, std::abs(a->s_btu_lbR - b->s_btu_lbR));
            m.mu = std::max(m.mu, std::abs(mu / b->mu_cP - 1));
            ++compared;
        }
    }
    std::printf(
        "IF97 vs IFC-67 over %d states: psat %.3f %%; water rho %.3f %%, h %.2f Btu/lb, s %.4f Btu/(lb R), "
        "mu "
        "%.2f %%; steam rho %.3f %%, h %.2f, s %.4f, mu %.2f %%; critical zone rho %.2f %%, h %.2f\n",
        compared, sat * 100, liquid.rho * 100, liquid.h, liquid.s, liquid.mu * 100, steam.rho * 100, steam.h,
        steam.s, steam.mu * 100, critical.rho * 100, critical.h);
    EXPECT_GT(compared, 10000);
    // Small, but not zero.
    EXPECT_GT(sat, 1e-4);
    EXPECT_LT(sat, 0.0014);
    EXPECT_GT(liquid.rho, 1e-4);
    EXPECT_LT(liquid.rho, 0.0030);
    EXPECT_LT(liquid.h, 1.7);
    EXPECT_LT(liquid.s, 0.0016);
    EXPECT_LT(liquid.mu, 0.0060);
    EXPECT_GT(steam.rho, 1e-4);
    EXPECT_LT(steam.rho, 0.0045);
    EXPECT_LT(steam.h, 4.0);
    EXPECT_LT(steam.s, 0.0035);
    EXPECT_LT(steam.mu, 0.030);
    EXPECT_LT(critical.rho, 0.025);
    EXPECT_LT(critical.h, 6.5);
}

}  // namespace
