// The rows of the AGA 8 entry: each AGA component once, the names the dialog and the
// command line accept, and percents carried to the calculation by component.

#include "fluids/aga8_mixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fluids/aga8_detail.h"
#include "record/cformat.h"

namespace {

using namespace quorven;

TEST(Aga8Rows, EachComponentOnceWithItsShownMolecularWeight) {
    // The dialog's column "Mol. Wt.": the report's molar mass with four decimals.
    const char* shown_mw[kAga8Rows] = {"16.0430", "30.0700", "44.0970",  "58.1230",  "58.1230",  "72.1500",
                                       "72.1500", "86.1770", "100.2040", "114.2310", "128.2580", "142.2850",
                                       "44.0100", "28.0135", "34.0820",  "4.0026",   "18.0153",  "31.9988",
                                       "39.9480", "2.0159",  "28.0100"};
    std::set<int> numbers;
    for (int r = 0; r < kAga8Rows; ++r) {
        const Aga8Row& row = Aga8RowTable()[r];
        SCOPED_TRACE(std::string(row.db_name));
        numbers.insert(row.aga_number);
        EXPECT_EQ(CFormat("%.4f", {aga8::MolarMass(row.aga_number)}), shown_mw[r]);
    }
    EXPECT_EQ(numbers.size(), 21u);
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 21);
    EXPECT_EQ(Aga8RowTable()[16].db_name, "WATER (steam & vapor only)");
    EXPECT_EQ(Aga8RowTable()[16].shown_name, "WATER");
}

TEST(Aga8Rows, NamesIgnoringCaseDatabaseOrShown) {
    EXPECT_EQ(Aga8RowOfName("methane"), 0);
    EXPECT_EQ(Aga8RowOfName("n-BUTANE"), 4);
    EXPECT_EQ(Aga8RowOfName("N-Butane"), 4);
    EXPECT_EQ(Aga8RowOfName("water"), 16);
    EXPECT_EQ(Aga8RowOfName("Water (Steam & Vapor Only)"), 16);
    EXPECT_EQ(Aga8RowOfName("carbon dioxide"), 12);
    EXPECT_FALSE(Aga8RowOfName("BENZENE"));
    EXPECT_FALSE(Aga8RowOfName("METHAN"));
    EXPECT_FALSE(Aga8RowOfName(""));
}

TEST(Aga8Rows, OxygenAndArgonRowsReachOxygenAndArgon) {
    std::array<double, kAga8Rows> by_row{};
    by_row[*Aga8RowOfName("OXYGEN")] = 1.5;
    by_row[*Aga8RowOfName("ARGON")] = 2.5;
    by_row[0] = 96.0;
    const auto by_aga = PercentByAgaNumber(by_row);
    EXPECT_EQ(by_aga[static_cast<int>(aga8::Component::Oxygen) - 1], 1.5);
    EXPECT_EQ(by_aga[static_cast<int>(aga8::Component::Argon) - 1], 2.5);
    EXPECT_EQ(by_aga[static_cast<int>(aga8::Component::Methane) - 1], 96.0);
    double sum = 0.0;
    for (double p : by_aga) sum += p;
    EXPECT_EQ(sum, 100.0);
}

}  // namespace
