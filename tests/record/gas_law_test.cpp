// The real-gas law and the volume of the same mass at another density, as every part of
// the program uses them.

#include "record/gas_law.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace quorven;

TEST(GasLaw, DensityAndCompressibilityByTheRealGasLaw) {
    // Natural gas of SG 0.6 (MW 17.3775) at 500 psia, 100 deg F, Z 0.92: hand calculation
    // 500 x 17.3775 / (10.73151 x 0.92 x 559.67) = 1.572449 lb/ft3.
    const double rho = GasDensity(500.0, 0.6 * 28.9625, 0.92, 559.67);
    EXPECT_NEAR(rho, 1.572449, 5e-7);
    EXPECT_NEAR(GasCompressibility(500.0, 0.6 * 28.9625, rho, 559.67), 0.92, 1e-14);

    // A missing or impossible datum gives 0, never NaN or infinity.
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double bad : {0.0, -1.0, inf, nan}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(GasDensity(bad, 17.0, 0.9, 520.0), 0.0);
        EXPECT_EQ(GasDensity(500.0, bad, 0.9, 520.0), 0.0);
        EXPECT_EQ(GasDensity(500.0, 17.0, bad, 520.0), 0.0);
        EXPECT_EQ(GasDensity(500.0, 17.0, 0.9, bad), 0.0);
        EXPECT_EQ(GasCompressibility(500.0, 17.0, bad, 520.0), 0.0);
        EXPECT_EQ(ConvertedVolume(100.0, bad, 2.0), 0.0);
        EXPECT_EQ(ConvertedVolume(100.0, 2.0, bad), 0.0);
    }
    EXPECT_EQ(GasDensity(1e308, 1e308, 1.0, 1.0), 0.0);  // overflow
}

TEST(GasLaw, AVolumeConvertsByTheDensities) {
    // 1000 ft3/h at base (0.046 lb/ft3) carry 46 lb/h: 46 / 1.5 = 30.6667 ft3/h at 1.5 lb/ft3.
    EXPECT_NEAR(ConvertedVolume(1000.0, 0.046, 1.5), 30.666667, 5e-7);
    EXPECT_NEAR(ConvertedVolume(ConvertedVolume(1000.0, 0.046, 1.5), 1.5, 0.046), 1000.0, 1e-10);
    EXPECT_EQ(ConvertedVolume(0.0, 0.046, 1.5), 0.0);
    EXPECT_EQ(ConvertedVolume(-5.0, 2.0, 1.0), -10.0);  // a sign is kept (a reverse flow)
}

}  // namespace
