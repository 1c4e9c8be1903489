#include "record/cformat.h"

#include <gtest/gtest.h>

#include <clocale>

namespace quorven {
namespace {

struct FormatCase {
    const char* format;
    double value;
    const char* expected;  // as C printf prints it in the "C" locale
};

constexpr FormatCase kCases[] = {
    {"%5.3f", 1.5, "1.500"},          {"%5.3f", 0.25, "0.250"},         {"%8.3f", -2.0, "  -2.000"},
    {"%.0f", 12345.6, "12346"},       {"%.2f", 0.005, "0.01"},          {"%.6e", 0.00876, "8.760000e-03"},
    {"%.6e", 1.0e20, "1.000000e+20"}, {"%-6.1f|", 2.0, "2.0   |"},      {"%06.2f", -1.5, "-01.50"},
    {"%g", 0.0001, "0.0001"},         {"%g", 1234567.0, "1.23457e+06"}, {"%.3g", 0.5, "0.5"},
    {"%+.1f", 3.0, "+3.0"},           {"100%%", 0.0, "100%"},
};

TEST(CFormat, MatchesCPrintf) {
    for (const FormatCase& c : kCases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(CFormat(c.format, {c.value}), c.expected);
    }
    EXPECT_EQ(CFormat("%d of %s", {3LL, std::string_view("four")}), "3 of four");
    EXPECT_EQ(CFormat("%.2f and %.2f", {1.0}), "1.00 and 0.00");  // missing argument
}

TEST(CFormat, HugeValuesDoNotOverflow) {
    EXPECT_EQ(CFormat("%.0f", {1e300}).size(), 301u);
}

TEST(CFormat, IndependentOfTheProcessLocale) {
    // Where a decimal-comma locale is installed, printf would write "1,500".
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    const bool switched =
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(CFormat("%5.3f", {1.5}), "1.500");
    double v = 0;
    EXPECT_TRUE(ParseFiniteDouble("2.5", v));
    EXPECT_EQ(v, 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) GTEST_SKIP() << "no decimal-comma locale installed; checked under the C locale only";
}

TEST(ParseFiniteDouble, RefusesAnythingButAFiniteDecimal) {
    double v = 7;
    for (const char* bad : {"", "abc", "1.5x", "nan", "inf", "-inf", "1e999", "0x10", "1,5"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseFiniteDouble(bad, v));
        EXPECT_EQ(v, 7);
    }
    EXPECT_TRUE(ParseFiniteDouble(" -1.25e2 ", v));
    EXPECT_EQ(v, -125.0);
    EXPECT_TRUE(ParseFiniteDouble("+3", v));
    EXPECT_EQ(v, 3.0);
}

}  // namespace
}  // namespace quorven
