#include "project/project_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "record/tag_record.h"

namespace quorven {
namespace {

template <typename T>
T At(const std::string& bytes, std::size_t offset) {
    T v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

TEST(ProjectSettings, DefaultBlockHoldsEachRegionAtItsOffset) {
    const std::string b = SettingsToBytes(DefaultProjectSettings());
    ASSERT_EQ(b.size(), 3352u);
    EXPECT_STREQ(b.data() + 101, "Enter Company Name");
    EXPECT_STREQ(b.data() + 152, "Enter Company Address");
    EXPECT_STREQ(b.data() + 203, "Enter Company Phone");
    EXPECT_STREQ(b.data() + 405, "scfd");  // GasBaseVolFlow[0]
    EXPECT_STREQ(b.data() + 405 + 10, "scfh");
    EXPECT_STREQ(b.data() + 525 + 11 * 10, "l/m");  // GasFlowingVolFlow[11]
    EXPECT_STREQ(b.data() + 765, "USBBL/d");
    EXPECT_STREQ(b.data() + 885, "USbbl/d");
    EXPECT_STREQ(b.data() + 1125 + 2 * 12, "kPa-ga");
    EXPECT_STREQ(b.data() + 1413 + 4 * 12,
                 "mm Hg(0\xB0"
                 "C)");
    EXPECT_STREQ(b.data() + 1557 + 9 * 16, "oz-av/gal-US");
    EXPECT_STREQ(b.data() + 1893 + 4, "mm");  // BoreLength[1]
    EXPECT_STREQ(b.data() + 1917 + 3 * 7, "k/h");
    EXPECT_STREQ(b.data() + 1945 + 7, "m/s\xB2");
    EXPECT_STREQ(b.data() + 1959 + 3 * 7, "deg K");
    EXPECT_EQ(b[1987], '\0');
    const int32_t defaults[26] = {1,
                                  1,
                                  1,
                                  0,
                                  0,
                                  1,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  Code(FluidEquation::GasVolume),
                                  Code(FluidCondition::GasBase),
                                  Code(FluidProperty::GasSG),
                                  Code(FluidEquation::LiquidVolume),
                                  Code(FluidCondition::LiquidBaseTemp),
                                  Code(FluidProperty::LiquidSG)};
    for (int i = 0; i < 26; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(At<int32_t>(b, 1988 + 4 * static_cast<std::size_t>(i)), defaults[i]);
    }
    EXPECT_STREQ(b.data() + 2092, "Times Roman");
    EXPECT_EQ(At<int32_t>(b, 2136), 9);
    EXPECT_EQ(At<double>(b, 2144), 0.75);
    EXPECT_EQ(At<double>(b, 2152), 9.75);
    EXPECT_EQ(At<double>(b, 2160), 0.75);
    EXPECT_EQ(At<double>(b, 2168), 7.75);
    EXPECT_EQ(At<double>(b, 2176), 1.1);
    EXPECT_EQ(At<double>(b, 2184), 24.0);                  // scfd
    EXPECT_EQ(At<double>(b, 2280 + 8 * 8), 28316.85);      // cc/h
    EXPECT_EQ(At<double>(b, 2472 + 11 * 8), 0.1104078);    // L/m
    EXPECT_EQ(At<double>(b, 2760 + 2 * 8), 6.894757);      // kPa-ga
    EXPECT_EQ(At<double>(b, 2952 + 4 * 8), 1.86496);       // mm Hg
    EXPECT_EQ(At<double>(b, 3048 + 5 * 8), 108.0);         // oz-av/in3
    EXPECT_EQ(At<double>(b, 3144 + 8 * 8), 1.019716e-05);  // gmf-s/cm2
    EXPECT_EQ(At<double>(b, 3240 + 3 * 8), 1.09728);       // k/h
    EXPECT_EQ(At<double>(b, 3272 + 8), 0.3048);            // m/s2
    EXPECT_EQ(At<double>(b, 3288 + 8), 25.4);              // BoreLength mm
    EXPECT_EQ(At<double>(b, 3288 + 24), 0.0);              // unused fourth slot
    EXPECT_EQ(At<double>(b, 3320 + 16), 2.54);             // PipeSizeLength cm
    EXPECT_EQ(At<double>(b, 3320 + 24), 0.0);
    // Everything not named is zero: the block has no stray bytes.
    EXPECT_EQ(std::string(b.data() + 60, 41), std::string(41, '\0'));
    EXPECT_EQ(std::string(b.data() + 2133, 3), std::string(3, '\0'));
    EXPECT_EQ(std::string(b.data() + 2140, 4), std::string(4, '\0'));
}

TEST(ProjectSettings, WholeUnitRegionHoldsTheDefaultLists) {
    struct Region {
        UnitList list;
        std::size_t names, factors;  // byte offsets in the block; factors 0: none
    };
    const Region regions[] = {
        {UnitList::GasBaseVolFlow, 405, 2184},
        {UnitList::GasFlowingVolFlow, 525, 2280},
        {UnitList::GasMassFlow, 645, 2376},
        {UnitList::LiquidBaseVolFlow, 765, 2472},
        {UnitList::LiquidFlowingVolFlow, 885, 2568},
        {UnitList::LiquidMassFlow, 1005, 2664},
        {UnitList::Pressure, 1125, 2760},
        {UnitList::AbsPressure, 1269, 2856},
        {UnitList::DiffPressure, 1413, 2952},
        {UnitList::Density, 1557, 3048},
        {UnitList::Viscosity, 1749, 3144},
        {UnitList::BoreLength, 1893, 3288},
        {UnitList::PipeSizeLength, 1905, 3320},
        {UnitList::Speed, 1917, 3240},
        {UnitList::Acceleration, 1945, 3272},
        {UnitList::Temperature, 1959, 0},
    };
    const std::string b = SettingsToBytes(DefaultProjectSettings());
    const UnitTables& t = DefaultUnitTables();
    for (const Region& g : regions) {
        const UnitListShape shape = ShapeOf(g.list);
        for (int i = 0; i < shape.entries; ++i) {
            SCOPED_TRACE(std::string(UnitListName(g.list)) + " " + std::to_string(i));
            const std::size_t at = g.names + static_cast<std::size_t>(i * shape.name_width);
            const std::string slot(b.data() + at, static_cast<std::size_t>(shape.name_width));
            const std::string_view name = UnitName(t, g.list, i);
            EXPECT_EQ(slot.substr(0, name.size()), name);
            EXPECT_EQ(slot.substr(name.size()), std::string(slot.size() - name.size(), '\0'));
            if (g.factors) {
                EXPECT_EQ(At<double>(b, g.factors + 8 * static_cast<std::size_t>(i)),
                          UnitFactor(t, g.list, i));
            }
        }
    }
}

TEST(ProjectSettings, RoundTripIsByteExact) {
    ProjectSettings s = DefaultProjectSettings();
    std::memset(s.Reserved, 'R', sizeof s.Reserved - 1);  // kept as found
    std::memcpy(s.Printer_LogFont, "\x01\x02\x03\xFF", 4);
    SetText(s.Client, "Client \xE9");
    UnitTables t = UnitTablesOf(s);
    ASSERT_TRUE(SetUnitEntry(t, UnitList::GasBaseVolFlow, 11, "MM scfy", 0.00876));
    StoreUnitTables(s, t);
    s.Defaults.Unit_Press_Set = 3;
    const std::string bytes = SettingsToBytes(s);

    ProjectSettings back = DefaultProjectSettings();
    std::vector<std::string> repairs;
    ASSERT_TRUE(SettingsFromBytes(bytes, back, &repairs));
    EXPECT_TRUE(repairs.empty());
    EXPECT_EQ(SettingsToBytes(back), bytes);
    const UnitTables bt = UnitTablesOf(back);
    EXPECT_EQ(UnitName(bt, UnitList::GasBaseVolFlow, 11), "MM scfy");
    EXPECT_EQ(UnitFactor(bt, UnitList::GasBaseVolFlow, 11), 0.00876);
    EXPECT_EQ(back.Defaults.Unit_Press_Set, 3);
}

TEST(ProjectSettings, WrongSizeIsRefusedAndLeavesTheBlockAlone) {
    ProjectSettings s = DefaultProjectSettings();
    SetText(s.Client, "kept");
    const std::string good = SettingsToBytes(DefaultProjectSettings());
    for (std::size_t n : {std::size_t{0}, std::size_t{3351}, std::size_t{3353}}) {
        SCOPED_TRACE(n);
        std::string bytes = good;
        bytes.resize(n, '\0');
        EXPECT_FALSE(SettingsFromBytes(bytes, s));
        EXPECT_EQ(GetText(s.Client), "kept");
    }
}

TEST(ProjectSettings, DamagedFileIsRepairedNeverTrusted) {
    std::string bytes = SettingsToBytes(DefaultProjectSettings());
    const double nan = std::nan("");
    const double zero = 0.0;
    std::memcpy(&bytes[2952 + 4 * 8], &nan, 8);   // DiffPressure mm Hg factor
    std::memcpy(&bytes[2184 + 1 * 8], &zero, 8);  // scfh factor: would divide by zero
    std::memset(&bytes[101], 'X', 51);            // company name without terminator
    std::memset(&bytes[1125], 'P', 12);           // Pressure[0] name without terminator
    const int32_t bad_index = 99;
    std::memcpy(&bytes[1988 + 4 * 17], &bad_index, 4);  // Unit_Bore_Set default
    ProjectSettings s;
    std::vector<std::string> repairs;
    ASSERT_TRUE(SettingsFromBytes(bytes, s, &repairs));
    EXPECT_EQ(repairs.size(), 5u);
    const UnitTables t = UnitTablesOf(s);
    EXPECT_EQ(UnitFactor(t, UnitList::DiffPressure, 4), 1.86496);
    EXPECT_EQ(UnitFactor(t, UnitList::GasBaseVolFlow, 1), 1.0);
    EXPECT_EQ(GetText(s.Company_Name).size(), 50u);
    EXPECT_EQ(UnitName(t, UnitList::Pressure, 0), "PPPPPPPPPPP");
    EXPECT_EQ(s.Defaults.Unit_Bore_Set, 0);
}

TEST(ProjectSettings, SettingsSaveRestoresNonFlowListsAndOptionallyFlowLists) {
    ProjectSettings s = DefaultProjectSettings();
    UnitTables t = UnitTablesOf(s);
    ASSERT_TRUE(SetUnitEntry(t, UnitList::GasMassFlow, 0, "k lb/d", 0.024));
    ASSERT_TRUE(SetUnitEntry(t, UnitList::Density, 0, "odd", 2.0));
    StoreUnitTables(s, t);
    s.Defaults.Unit_Dens_Set = 4;

    RestoreDefaultUnits(s, false);
    t = UnitTablesOf(s);
    EXPECT_EQ(UnitName(t, UnitList::GasMassFlow, 0), "k lb/d");  // custom flow unit kept
    EXPECT_EQ(UnitName(t, UnitList::Density, 0), "lb/ft3");
    EXPECT_EQ(UnitFactor(t, UnitList::Density, 0), 1.0);
    EXPECT_EQ(s.Defaults.Unit_Dens_Set, 0);

    RestoreDefaultUnits(s, true);
    EXPECT_EQ(SettingsToBytes(s), SettingsToBytes(DefaultProjectSettings()));
}

}  // namespace
}  // namespace quorven
