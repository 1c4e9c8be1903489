// The memory of powers returns, to the last bit, what std::pow and std::exp
// return: signed zeros, infinities and NaN included, and for arguments that
// differ only in their last bit.

#include "engine/pow_memo.h"

#include <gtest/gtest.h>

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
        {b, 4.0},     {std::nextafter(b, 1.0), 4.0},  // one bit apart: two answers
        {b, 8.0},     {b, 3.5},
        {b, 2.0},     {b, -1.0},          // exponents an optimising build writes out itself
        {0.0, -3.0},  {-0.0, -3.0},       // +inf and -inf: a key by value would mix them
        {-0.0, 3.0},  {-8.0, 1.0 / 3.0},  // NaN
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
