// The AGA 8 entry on the component list: rows carried over by component, the total,
// ".aga" files (written whole, read only when they are a slot table of AGA 8
// components), and the database step for viscosity and k.

#include "fluids/aga8_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "fluid_fixtures.h"
#include "fluids/gas_properties.h"
#include "messages/messages.h"
#include "record/file_doubles.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

using fluidtest::BuiltDatabase;

constexpr int kErrorMixtureFile = 10;
constexpr int kErrorSaveTotal = 23;
constexpr int kErrorNoDatabase = 24;

int Row(const char* name) {
    return *Aga8RowOfName(name);
}

// A list holding what the gas selection dialog left: propane and n-butane, 50/50.
ComponentList PropaneButane() {
    ComponentList list;
    NullMessageSink quiet;
    EXPECT_EQ(list.AddComponent(BuiltDatabase(), "PROPANE", quiet), AddComponentResult::Added);
    EXPECT_EQ(list.AddComponent(BuiltDatabase(), "n-BUTANE", quiet), AddComponentResult::Added);
    list.SetMolePercent(0, 50.0);
    list.SetMolePercent(1, 50.0);
    return list;
}

TEST(Aga8Entry, OpeningCarriesPercentsOverByComponent) {
    ComponentList list = PropaneButane();
    RecordingMessageSink sink;
    PrepareAga8List(list, BuiltDatabase(), sink);
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_EQ(list.count, 21u);
    for (int r = 0; r < kAga8Rows; ++r) {
        const ComponentEntry& e = list.slots[r];
        SCOPED_TRACE(std::string(Aga8RowTable()[r].db_name));
        EXPECT_EQ(GetText(e.Comp_Name), Aga8RowTable()[r].db_name);
        const PropertyRecord* rec = BuiltDatabase().ByName(Aga8RowTable()[r].db_name);
        ASSERT_NE(rec, nullptr);
        EXPECT_EQ(e.Comp_No, rec->Comp_No);
        EXPECT_EQ(e.Mol_Wt, rec->Mol_Wt);
    }
    // Propane and n-butane stay propane and n-butane (not methane and ethane).
    const auto by_row = Aga8RowPercents(list);
    EXPECT_EQ(by_row[Row("PROPANE")], 50.0);
    EXPECT_EQ(by_row[Row("n-BUTANE")], 50.0);
    EXPECT_EQ(by_row[Row("METHANE")], 0.0);
    EXPECT_EQ(by_row[Row("ETHANE")], 0.0);
    EXPECT_EQ(Aga8Total(list), 100.0);

    // Opening again keeps the composition; a component outside the 21 is dropped.
    PrepareAga8List(list, BuiltDatabase(), sink);
    EXPECT_EQ(Aga8RowPercents(list), by_row);
    ComponentList other;
    NullMessageSink quiet;
    ASSERT_EQ(other.AddComponent(BuiltDatabase(), "BENZENE", quiet), AddComponentResult::Added);
    other.SetMolePercent(0, 100.0);
    PrepareAga8List(other, BuiltDatabase(), sink);
    EXPECT_EQ(Aga8Total(other), 0.0);
}

TEST(Aga8Entry, WithoutTheDatabaseOneErrorAndTheReportsData) {
    ComponentList list = PropaneButane();
    RecordingMessageSink sink;
    PrepareAga8List(list, PropertyDatabase(), sink);
    EXPECT_EQ(sink.Numbers(), std::vector<int>{kErrorNoDatabase});
    EXPECT_EQ(list.slots[0].Comp_No, 0);
    EXPECT_EQ(list.slots[0].Mol_Wt, 16.043);
    EXPECT_STREQ(list.slots[0].Comp_Formula, "CH4");
    EXPECT_EQ(Aga8RowPercents(list)[Row("PROPANE")], 50.0);
}

TEST(Aga8Entry, TotalRoundedHalfUpToFiveDecimals) {
    ComponentList list;
    NullMessageSink quiet;
    PrepareAga8List(list, BuiltDatabase(), quiet);
    struct Case {
        double methane, ethane;
        bool accepted;
    } const cases[] = {
        {90.0, 10.0, true},       {90.0, 9.999996, true},  // 99.999996 rounds to 100.00000
        {90.0, 10.000004, true},                           // 100.000004 rounds to 100.00000
        {90.0, 9.999994, false},                           // 99.999994 rounds to 99.99999
        {90.0, 10.000006, false},                          // 100.000006 rounds to 100.00001
        {0.0, 0.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ethane);
        list.slots[Row("METHANE")].Mole_Pct = c.methane;
        list.slots[Row("ETHANE")].Mole_Pct = c.ethane;
        EXPECT_EQ(Aga8TotalIs100(list), c.accepted);
    }
}

class Aga8Files : public fluidtest::TempDirTest {};

TEST_F(Aga8Files, SaveIs1584BytesAndLoadRestoresAllRows) {
    ComponentList list;
    NullMessageSink quiet;
    PrepareAga8List(list, BuiltDatabase(), quiet);
    for (int r = 0; r < kAga8Rows; ++r) list.slots[r].Mole_Pct = r < 20 ? 4.5 : 10.0;  // 20 x 4.5 + 10
    RecordingMessageSink sink;
    ASSERT_TRUE(SaveAga8Mixture(Path("gas.aga"), list, sink));
    const std::string bytes = ReadFileBytes(Path("gas.aga"), 1 << 20).value_or("");
    EXPECT_EQ(bytes.size(), 1584u);
    EXPECT_EQ(bytes, list.SlotTableBytes());

    ComponentList other;
    PrepareAga8List(other, BuiltDatabase(), quiet);
    ASSERT_TRUE(LoadAga8Mixture(Path("gas.aga"), other, sink));
    EXPECT_EQ(Aga8RowPercents(other), Aga8RowPercents(list));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(Aga8Files, SaveRefusesATotalOtherThan100AndReportsAFailedWrite) {
    ComponentList list;
    NullMessageSink quiet;
    PrepareAga8List(list, BuiltDatabase(), quiet);
    list.slots[0].Mole_Pct = 99.0;
    RecordingMessageSink sink;
    EXPECT_FALSE(SaveAga8Mixture(Path("gas.aga"), list, sink));
    EXPECT_EQ(sink.Numbers(), std::vector<int>{kErrorSaveTotal});
    EXPECT_FALSE(std::filesystem::exists(Path("gas.aga")));

    list.slots[0].Mole_Pct = 100.0;
    MemoryFileLayer memory;
    memory.files["gas.aga"] = "the earlier file";
    FaultyFileLayer failing(memory, 1, FileFault::Fail);
    RecordingMessageSink failed;
    EXPECT_FALSE(SaveAga8Mixture("gas.aga", list, failed, failing));
    EXPECT_EQ(failed.Numbers(), std::vector<int>{kErrorMixtureFile});
    EXPECT_EQ(memory.files["gas.aga"], "the earlier file");
}

TEST_F(Aga8Files, LoadRefusesWhatIsNotASlotTableOfAgaComponents) {
    ComponentList good;
    NullMessageSink quiet;
    PrepareAga8List(good, BuiltDatabase(), quiet);
    good.slots[Row("METHANE")].Mole_Pct = 95.0;
    good.slots[Row("NITROGEN")].Mole_Pct = 5.0;
    const std::string table = good.SlotTableBytes();

    // A mixture of the gas selection dialog in AGA components, in another order, loads.
    ComponentList short_list;
    ASSERT_EQ(short_list.AddComponent(BuiltDatabase(), "NITROGEN", quiet), AddComponentResult::Added);
    ASSERT_EQ(short_list.AddComponent(BuiltDatabase(), "METHANE", quiet), AddComponentResult::Added);
    short_list.SetMolePercent(0, 5.0);
    short_list.SetMolePercent(1, 95.0);
    std::array<double, kAga8Rows> by_row{};
    ASSERT_TRUE(ParseAga8File(short_list.SlotTableBytes(), by_row));
    EXPECT_EQ(by_row[Row("METHANE")], 95.0);
    EXPECT_EQ(by_row[Row("NITROGEN")], 5.0);

    const auto with = [&](auto change) {
        ComponentEntry slots[kComponentSlots];
        std::memcpy(slots, table.data(), table.size());
        change(slots);
        return std::string(reinterpret_cast<const char*>(slots), table.size());
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"one byte short", table.substr(0, table.size() - 1)},
        {"one byte long", table + "x"},
        {"a .mix file (count in front)", std::string(4, '\0') + table},
        {"a component outside AGA 8", with([](ComponentEntry* s) { SetText(s[3].Comp_Name, "BENZENE"); })},
        {"a component twice", with([](ComponentEntry* s) { SetText(s[1].Comp_Name, "METHANE"); })},
        {"a percent above 100", with([](ComponentEntry* s) { s[0].Mole_Pct = 100.5; })},
        {"a negative percent", with([](ComponentEntry* s) { s[2].Mole_Pct = -1.0; })},
        {"a NaN percent",
         with([](ComponentEntry* s) { s[0].Mole_Pct = std::numeric_limits<double>::quiet_NaN(); })},
        {"a name without terminator", with([](ComponentEntry* s) { std::memset(s[4].Comp_Name, 'A', 41); })},
        {"an occupied slot after an empty one", with([](ComponentEntry* s) {
             s[21] = s[0];
             s[0] = {};
         })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(ParseAga8File(c.bytes, by_row));
        MemoryFileLayer memory;
        memory.files["bad.aga"] = c.bytes;
        ComponentList rows = good;
        RecordingMessageSink sink;
        EXPECT_FALSE(LoadAga8Mixture("bad.aga", rows, sink, memory));
        EXPECT_EQ(sink.Numbers(), std::vector<int>{kErrorMixtureFile});
        EXPECT_EQ(Aga8RowPercents(rows), Aga8RowPercents(good));  // the rows keep their percents
    }
    RecordingMessageSink missing;
    ComponentList rows = good;
    EXPECT_FALSE(LoadAga8Mixture(Path("no-such.aga"), rows, missing));
    EXPECT_EQ(missing.Numbers(), std::vector<int>{kErrorMixtureFile});
}

TEST(Aga8Entry, DatabaseStepIsTheRedlichKwongGasComputation) {
    std::array<double, kAga8Rows> by_row{};
    by_row[Row("METHANE")] = 90.0;
    by_row[Row("ETHANE")] = 6.0;
    by_row[Row("NITROGEN")] = 4.0;
    RecordingMessageSink sink;
    const Aga8ViscosityAndExponent v =
        Aga8DatabaseStep(BuiltDatabase(), by_row, 600.0, 519.67, 14.73, 519.67, sink);
    EXPECT_TRUE(sink.messages.empty());
    // The same as the gas computation run on that list (Redlich-Kwong).
    ComponentList list;
    NullMessageSink quiet;
    list.AddComponent(BuiltDatabase(), "METHANE", quiet);
    list.AddComponent(BuiltDatabase(), "ETHANE", quiet);
    list.AddComponent(BuiltDatabase(), "NITROGEN", quiet);
    list.SetMolePercent(0, 90.0);
    list.SetMolePercent(1, 6.0);
    list.SetMolePercent(2, 4.0);
    const GasResult g =
        GasProperties(BuiltDatabase(), list, GasEquation::RedlichKwong, 600.0, 519.67, 14.73, 519.67, quiet);
    ASSERT_TRUE(g.Ok);
    EXPECT_EQ(v.visc_cP, g.Visc);
    EXPECT_EQ(v.k, g.K);
    // Plausibility against independent hand calculations for this gas (MW 17.36) at 600 psia
    // and 60 F: Lee, Gonzalez and Eakin (1966) give 0.0117 cP; ideal-gas Cp of the three
    // components (methane 35.7, ethane 52.5, nitrogen 29.1 J/(mol K)) gives k = 1.30.
    EXPECT_NEAR(v.visc_cP, 0.0115, 0.001);
    EXPECT_NEAR(v.k, 1.30, 0.02);

    RecordingMessageSink absent;
    const Aga8ViscosityAndExponent none =
        Aga8DatabaseStep(PropertyDatabase(), by_row, 600.0, 519.67, 14.73, 519.67, absent);
    EXPECT_EQ(absent.Numbers(), std::vector<int>{kErrorNoDatabase});
    EXPECT_EQ(none.visc_cP, 0.0);
    EXPECT_EQ(none.k, 0.0);
}

}  // namespace
}  // namespace quorven
