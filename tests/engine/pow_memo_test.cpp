// The memory of powers returns, to the last bit, what std::pow and std::exp
// return: signed zeros, infinities and NaN included, and for arguments that
// differ only in their last bit. The exponents written out as products agree
// with std::pow to a few units in the last place and in every special value.

#include "engine/pow_memo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorven {
namespace {

uint64_t Bits(double v) {
    return std::bit_cast<uint64_t>(v);
}

TEST(PowMemo, EveryAnswerIsStdPowToTheLastBit) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double b = 0.50145871157944355;
    struct Case {
        double x, n;
    };
    const Case cases[] = {
        {b, 0.8},     {std::nextafter(b, 1.0), 0.8},  // one bit apart: two answers
        {b, 1.3},     {b, 0.7},
        {b, 2.0},     {b, -1.0},          // exponents an optimising build writes out itself
        {0.0, -3.0},  {-0.0, -3.0},       // +inf and -inf: a key by value would mix them
        {-0.0, 5.0},  {-8.0, 1.0 / 3.0},  // NaN
        {nan, 0.0},   {inf, -0.5},
        {1e300, 1e3}, {0.86956521739130443, 7.6666666666666652},
    };
    const PowMemoScope scope;
    for (int pass = 0; pass < 2; ++pass) {  // the second pass answers from the memory
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << pass << ": " << c.x << " ^ " << c.n);
            const double want = std::pow(c.x, c.n);
            const double got = PowThroughMemo(c.x, c.n);
            if (std::isnan(want))
                EXPECT_TRUE(std::isnan(got));
            else
                EXPECT_EQ(Bits(got), Bits(want));
            EXPECT_EQ(Bits(MemoExp(-c.n)), Bits(std::exp(-c.n)));
        }
    }
}

// b^3 = b b b, b^4 = (b^2)^2, b^8 = ((b^2)^2)^2, b^(k + 1/2) = b^k sqrt(b):
// at most seven roundings of 2^-53 each (b^8), and std::pow's own half unit,
// stay below 4 machine epsilons of relative error; the special values follow
// IEEE 754 pow.
TEST(PowMemo, WrittenOutPowersAgreeWithStdPow) {
    const double inf = std::numeric_limits<double>::infinity();
    const double eps = std::numeric_limits<double>::epsilon();
    const double exponents[] = {3.0, 4.0, 8.0, 1.5, 2.5, 3.5};
    for (double n : exponents) {
        SCOPED_TRACE(::testing::Message() << "n = " << n);
        double worst = 0.0;
        for (int i = 1; i <= 20000; ++i) {
            const double x = i * (1.0 / 8192.0) + 1e-7 * i;  // (0, 2.5], beta and ratios
            const double want = std::pow(x, n);
            worst = std::max(worst, std::fabs(PowThroughMemo(x, n) - want) / want);
        }
        EXPECT_LT(worst, 4.0 * eps);
        for (double x : {0.0, -0.0, 1.0, inf, std::numeric_limits<double>::quiet_NaN(), -0.5, -inf}) {
            SCOPED_TRACE(::testing::Message() << "x = " << x);
            const double want = std::pow(x, n);
            const double got = PowThroughMemo(x, n);
            if (std::isnan(want))
                EXPECT_TRUE(std::isnan(got));
            else
                EXPECT_EQ(Bits(got), Bits(want));
        }
    }
}

TEST(PowMemo, ScopesNestAndAnswerOutsideToo) {
    const double x = 0.47156655079535525;
    EXPECT_EQ(Bits(MemoPow(x, 0.7)), Bits(std::pow(x, 0.7)));  // no scope open
    {
        const PowMemoScope outer;
        EXPECT_EQ(Bits(MemoPow(x, 0.7)), Bits(std::pow(x, 0.7)));
        {
            const PowMemoScope inner;
            EXPECT_EQ(Bits(MemoPow(x, 0.7)), Bits(std::pow(x, 0.7)));
            EXPECT_EQ(Bits(MemoPow(-0.0, -1.5)), Bits(std::pow(-0.0, -1.5)));
        }
        EXPECT_EQ(Bits(MemoPow(x, 0.7)), Bits(std::pow(x, 0.7)));
        EXPECT_EQ(Bits(MemoPow(0.0, -1.5)), Bits(std::pow(0.0, -1.5)));
    }
    EXPECT_EQ(Bits(MemoPow(x, 0.7)), Bits(std::pow(x, 0.7)));
}

}  // namespace
}  // namespace quorven
