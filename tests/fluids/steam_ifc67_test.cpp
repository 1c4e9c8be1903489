// CSteamTable against the IFC-67 check values of shared/data/coefficients/checkvalues.csv
// and the edge cases of Part 3.5.

#include <gtest/gtest.h>

#include <cmath>

#include "fluids/steam_ifc67.h"

namespace {

using quorven::CSteamTable;

constexpr double kPaPerPsi = 6894.757293168361;  // 0.45359237 kg * 9.80665 m/s2 / (0.0254 m)^2
constexpr double kKgM3PerLbFt3 = 16.01846337396014;  // 0.45359237 / 0.3048^3
double FOfK(double T_K) { return T_K * 1.8 - 459.67; }

struct SatCase {
    const char* source;
    double T_K, p_Pa, rel_tol;
};
constexpr SatCase kSatCases[] = {
    // checkvalues.csv, waiwera/PyTOUGH regression values printed to 8-9 digits
    {"IFC67-sat-1", 300.0, 0.35323426e4, 5e-8},
    {"IFC67-sat-2", 500.0, 0.263961572e7, 5e-9},
    {"IFC67-sat-3", 600.0, 0.123493902e8, 5e-9},
    // checkvalues.csv, computed independently from the CSV tables, 11 digits
    {"IFC67-K-373.15", 373.15, 1.0132526197E+05, 5e-11},
    {"IFC67-K-473.15", 473.15, 1.5548802447E+06, 5e-11},
    {"IFC67-K-573.15", 573.15, 8.5926919979E+06, 5e-11},
    {"IFC67-K-647.0", 647.0, 2.2041236763E+07, 5e-11},
};

TEST(SatPressure, MatchesCheckValues) {
    for (const SatCase& c : kSatCases) {
        SCOPED_TRACE(c.source);
        CSteamTable st;
        const double p_Pa = st.SatPressure(FOfK(c.T_K)) * kPaPerPsi;
        EXPECT_NEAR(p_Pa / c.p_Pa, 1.0, c.rel_tol);
    }
}

TEST(SatPressure, ProgramConstantAt662F) {
    // checkvalues.csv IFC67-sat-662F: the program's constant 2398.216986225646 psia, 13 digits
    CSteamTable st;
    EXPECT_NEAR(st.SatPressure(662.0), 2398.216986225646, 2398.2 * 5e-13);
}

TEST(SatPressure, AtTheNormalBoilingPoint) {
    // Part 3.5 edge case: SatPressure(212) close to 14.696 psia
    CSteamTable st;
    EXPECT_NEAR(st.SatPressure(212.0), 14.696, 0.0005);
}

TEST(SatPressure, RangeEdges) {
    CSteamTable st;
    EXPECT_GT(st.SatPressure(32.0), 0.0);
    EXPECT_EQ(st.SatPressure(31.999), 0.0);
    EXPECT_GT(st.SatPressure(705.47), 3208.0);
    EXPECT_EQ(st.SatPressure(705.4701), 0.0);
    EXPECT_EQ(st.SatPressure(std::nan("")), 0.0);
}

TEST(SatPressure, SlopeMatchesDifference) {
    CSteamTable st;
    const double h = 1e-3;
    const double dp = (st.SatPressure(300.0 + h) - st.SatPressure(300.0 - h)) / (2 * h);
    st.SatPressure(300.0);
    EXPECT_NEAR(st.SatPressureSlope() / dp, 1.0, 1e-7);
}

struct VCase {
    const char* source;
    double T_K, p_Pa, rho_kg_m3, rel_tol;
};
constexpr VCase kRegion1Cases[] = {
    // checkvalues.csv, waiwera/PyTOUGH regression densities of sub-region 1 (17 digits)
    {"IFC67-sub1-1", 300.0, 3.e6, 997.95721560998174, 1e-11},
    {"IFC67-sub1-2", 300.0, 80.e6, 1029.7256888266911, 1e-11},
    {"IFC67-sub1-3", 500.0, 3.e6, 831.84196191567298, 1e-11},
};

TEST(VPT1, MatchesCheckValues) {
    for (const VCase& c : kRegion1Cases) {
        SCOPED_TRACE(c.source);
        CSteamTable st;
        const double v = st.VPT1(c.p_Pa / kPaPerPsi, FOfK(c.T_K));
        EXPECT_NEAR((kKgM3PerLbFt3 / v) / c.rho_kg_m3, 1.0, c.rel_tol);
    }
}

TEST(VPT1, ReferenceWaterAt14_7psiaAnd60F) {
    // Part 3.5 edge case: water at 14.7 psia and 60 deg F about 62.37 lb/ft3
    CSteamTable st;
    EXPECT_NEAR(1.0 / st.VPT1(14.7, 60.0), 62.37, 0.005);
}

}  // namespace
