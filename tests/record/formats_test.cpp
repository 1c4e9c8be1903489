#include "record/formats.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "record/units.h"

namespace quorven {
namespace {

using Fmt = std::string (*)(double);

struct FormatCase {
    const char* name;
    Fmt fmt;
    double value;
    const char* expected;  // what C printf writes with the format of that magnitude
};

// Each threshold from both sides, and a negative value (which takes the last format).
const FormatCase kCases[] = {
    {"FmtFlow", FmtFlow, 10000.0, "10000.0"},
    {"FmtFlow", FmtFlow, 9999.99, "9999.99"},
    {"FmtFlow", FmtFlow, 1000.0, "1000.00"},
    {"FmtFlow", FmtFlow, 999.9, "999.900"},
    {"FmtFlow", FmtFlow, 100.0, "100.000"},
    {"FmtFlow", FmtFlow, 99.99, "99.9900"},
    {"FmtFlow", FmtFlow, 10.0, "10.0000"},
    {"FmtFlow", FmtFlow, 9.5, "9.50000"},
    {"FmtFlow", FmtFlow, -12345.0, "-12345.00000"},
    {"FmtPressure", FmtPressure, 1000.0, "1000.0"},
    {"FmtPressure", FmtPressure, 999.99, "999.99"},
    {"FmtPressure", FmtPressure, 100.0, "100.00"},
    {"FmtPressure", FmtPressure, 99.9, "99.9000"},
    {"FmtPressure", FmtPressure, -5.0, "-5.0000"},
    {"FmtAtmPressure", FmtAtmPressure, 1000.0, "1000.0"},
    {"FmtAtmPressure", FmtAtmPressure, 999.9, "999.90"},
    {"FmtAtmPressure", FmtAtmPressure, 100.0, "100.00"},
    {"FmtAtmPressure", FmtAtmPressure, 14.696, "14.696"},
    {"FmtAtmPressure", FmtAtmPressure, 10.0, "10.000"},
    {"FmtAtmPressure", FmtAtmPressure, 9.9, "9.9000"},
    {"FmtAtmPressure", FmtAtmPressure, 1.0, "1.0000"},
    {"FmtAtmPressure", FmtAtmPressure, 0.99, "0.99000"},
    {"FmtBasePressure", FmtBasePressure, 1000.0, "1000.000"},
    {"FmtBasePressure", FmtBasePressure, 999.0, "999.0000"},
    {"FmtBasePressure", FmtBasePressure, 100.0, "100.0000"},
    {"FmtBasePressure", FmtBasePressure, 14.69595, "14.69595"},
    {"FmtBasePressure", FmtBasePressure, 10.0, "10.00000"},
    {"FmtBasePressure", FmtBasePressure, 1.01325, "1.013250"},
    {"FmtBasePressure", FmtBasePressure, 1.0, "1.000000"},
    {"FmtBasePressure", FmtBasePressure, 0.5, "0.50000"},
    {"FmtDiffPressure", FmtDiffPressure, 100.0, "100.000"},
    {"FmtDiffPressure", FmtDiffPressure, 99.5, "99.5000"},
    {"FmtDiffPressure", FmtDiffPressure, 10.0, "10.0000"},
    {"FmtDiffPressure", FmtDiffPressure, 9.5, "9.50000"},
    {"FmtDiffPressure", FmtDiffPressure, 1.0, "1.00000"},
    {"FmtDiffPressure", FmtDiffPressure, 0.5, "0.500000"},
    {"FmtSixPlaces", FmtSixPlaces, 9999.9, "9999.9"},
    {"FmtSixPlaces", FmtSixPlaces, 9999.8, "9999.80"},
    {"FmtSixPlaces", FmtSixPlaces, 999.9, "999.90"},
    {"FmtSixPlaces", FmtSixPlaces, 999.8, "999.800"},
    {"FmtSixPlaces", FmtSixPlaces, 99.99, "99.990"},
    {"FmtSixPlaces", FmtSixPlaces, 99.98, "99.9800"},
    {"FmtSixPlaces", FmtSixPlaces, 9.99, "9.9900"},
    {"FmtSixPlaces", FmtSixPlaces, 9.98, "9.98000"},
    {"FmtSixPlaces", FmtSixPlaces, 0.999, "0.99900"},
    {"FmtSixPlaces", FmtSixPlaces, 0.998, "0.998000"},
    {"FmtSixPlaces", FmtSixPlaces, 1234567890123.0, "1234567890123.0"},  // 15 characters: fixed
    {"FmtSixPlaces", FmtSixPlaces, 12345678901234.0, "1.23456789e+13"},  // 16 would not fit
    {"FmtSixPlaces", FmtSixPlaces, -123456789.0, "-1.23456789e+08"},
    {"FmtDensity", FmtDensity, 100.0, "100.00"},
    {"FmtDensity", FmtDensity, 99.9, "99.900"},
    {"FmtDensity", FmtDensity, 10.0, "10.000"},
    {"FmtDensity", FmtDensity, 9.9, "9.9000"},
    {"FmtDensity", FmtDensity, 0.1, "0.1000"},
    {"FmtDensity", FmtDensity, 0.0765, "7.6500e-02"},
    {"FmtDensity", FmtDensity, -1.0, "-1.0000e+00"},
    {"FmtViscosity", FmtViscosity, 100.0, "100.000"},
    {"FmtViscosity", FmtViscosity, 99.0, "99.0000"},
    {"FmtViscosity", FmtViscosity, 10.0, "10.0000"},
    {"FmtViscosity", FmtViscosity, 9.0, "9.00000"},
    {"FmtViscosity", FmtViscosity, 0.01, "0.01000"},
    {"FmtViscosity", FmtViscosity, 0.0099, "9.9000e-03"},
    {"FmtShort", FmtShort, 100.0, "100.000"},
    {"FmtShort", FmtShort, 99.9, "99.9000"},
    {"FmtTemperature", FmtTemperature, 59.999, "60.00"},
};

void CheckAll() {
    for (const FormatCase& c : kCases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.expected);
        EXPECT_EQ(c.fmt(c.value), c.expected);
    }
}

TEST(Formats, ThresholdsFromBothSides) {
    CheckAll();
}

// A huge or tiny value never becomes a string of hundreds of digits (which an edit
// would cut into a wrong number): every format keeps to 15 characters and reads
// back as the value to the digits shown.
TEST(Formats, NoFormatLongerThanFifteenAndTheTextReadsBack) {
    struct Named {
        const char* name;
        std::string (*fmt)(double);
    };
    const Named formats[] = {{"FmtFlow", FmtFlow},
                             {"FmtPressure", FmtPressure},
                             {"FmtAtmPressure", FmtAtmPressure},
                             {"FmtBasePressure", FmtBasePressure},
                             {"FmtDiffPressure", FmtDiffPressure},
                             {"FmtSixPlaces", FmtSixPlaces},
                             {"FmtDensity", FmtDensity},
                             {"FmtViscosity", FmtViscosity},
                             {"FmtShort", FmtShort},
                             {"FmtTemperature", FmtTemperature}};
    for (const Named& f : formats) {
        for (double v : {1e300, -1e300, 1e-300, -9.87654321e-5, 123456789012345.0, -1e20}) {
            SCOPED_TRACE(std::string(f.name) + " " + std::to_string(v));
            const std::string text = f.fmt(v);
            EXPECT_LE(text.size(), 15u) << text;
            const double back = std::strtod(text.c_str(), nullptr);
            EXPECT_NEAR(back, v, std::abs(v) * 1e-6 + 1e-4) << text;
        }
    }
    // Hand-written: the exponent form keeps as many digits as fit.
    EXPECT_EQ(FmtFlow(1e300), "1.00000000e+300");
    EXPECT_EQ(FmtTemperature(-1e300), "-1.0000000e+300");
    EXPECT_EQ(FmtFixed("%.5f", 123456789.0), "123456789.00000");  // 15 characters: fixed
}

TEST(Formats, SameUnderADecimalCommaLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    const bool switched = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "de_DE.utf8") ||
                          std::setlocale(LC_ALL, "fr_FR.UTF-8");
    CheckAll();
    TagRecord r = NewTagRecord();
    EXPECT_EQ(FmtLengthWithUnit(4.026, r, DefaultUnitTables()), "4.0260 in");
    std::setlocale(LC_ALL, saved.c_str());
    if (!switched) GTEST_SKIP() << "no decimal-comma locale installed; checked under the C locale only";
}

TEST(Formats, LengthWithUnit) {
    TagRecord r = NewTagRecord();
    const UnitTables& t = DefaultUnitTables();
    struct Case {
        int index;
        const char* expected;  // 4.026 in = 102.2604 mm = 10.22604 cm
    };
    const Case cases[] = {{0, "4.0260 in"}, {1, "102 mm"}, {2, "10.2 cm"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        ASSERT_TRUE(SelectUnit(r, t, Quantity::Bore, c.index));
        EXPECT_EQ(FmtLengthWithUnit(4.026, r, t), c.expected);
    }
}

TEST(RoundTo, TwoDecimalsAndTheLargeValueLimit) {
    struct Case {
        double x;
        int n;
        double expected;
    };
    const Case cases[] = {
        {527.674999, 2, 527.67},
        {527.675001, 2, 527.68},
        {527.67, 2, 527.67},
        {19999998.996, 2, 19999999.0},
        {19999999.0, 2, 19999999.0},  // not below the limit: unchanged
        {123456789.123, 2, 123456789.123},
        {1.5, 0, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_DOUBLE_EQ(RoundTo(c.x, c.n), c.expected);
    }
    EXPECT_EQ(RoundTo(-1e308, 2), -1e308);  // no infinity from the scaling
}

}  // namespace
}  // namespace quorven
