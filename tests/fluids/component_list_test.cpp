// The component list and its mixture files: adding, removing, totals, and mixture
// files written, read back, and refused when short, foreign or corrupt.

#include "fluids/component_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

#include "record/file_doubles.h"
#include "record/file_io.h"
#include "tests/fluids/fluid_fixtures.h"

namespace {

using namespace quorven;
using quorven::fluidtest::MakeDatabase;
using quorven::fluidtest::MakeRecord;

PropertyDatabase ThreeGases() {
    return MakeDatabase({MakeRecord(1, "METHANE", "CH4", 16.043), MakeRecord(2, "ETHANE", "C2H6", 30.07),
                         MakeRecord(3, "A-VERY-LONG-NAME-OF-FORTY-CHARACTERS-123", "C12H26O123", 170.3)});
}

ComponentList Mixture(const PropertyDatabase& db,
                      std::initializer_list<std::pair<const char*, double>> parts) {
    ComponentList list;
    NullMessageSink none;
    for (const auto& [name, pct] : parts) {
        EXPECT_EQ(list.AddComponent(db, name, none), AddComponentResult::Added) << name;
        EXPECT_TRUE(list.SetMolePercent(static_cast<int>(list.count) - 1, pct));
    }
    return list;
}

TEST(ComponentList, AddFillsTheNextSlotFromTheRecord) {
    const PropertyDatabase db = ThreeGases();
    RecordingMessageSink sink;
    ComponentList list;
    EXPECT_EQ(list.AddComponent(db, "ETHANE", sink), AddComponentResult::Added);
    EXPECT_EQ(list.AddComponent(db, "A-VERY-LONG-NAME-OF-FORTY-CHARACTERS-123", sink),
              AddComponentResult::Added);
    EXPECT_EQ(list.count, 2u);
    EXPECT_EQ(list.slots[0].Comp_No, 2);
    EXPECT_STREQ(list.slots[0].Comp_Name, "ETHANE");
    EXPECT_STREQ(list.slots[0].Comp_Formula, "C2H6");
    EXPECT_EQ(list.slots[0].Mol_Wt, 30.07);
    EXPECT_EQ(list.slots[0].Mole_Pct, 0.0);
    EXPECT_EQ(std::strlen(list.slots[1].Comp_Name), 40u);
    EXPECT_STREQ(list.slots[1].Comp_Formula, "C12H26O123");
    EXPECT_EQ(list.AddComponent(db, "BUTANE", sink), AddComponentResult::NotFound);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ComponentList, RefusesDuplicatesAFullListAndAMissingDatabase) {
    const PropertyDatabase db = ThreeGases();
    RecordingMessageSink sink;
    ComponentList list = Mixture(db, {{"METHANE", 100}});
    EXPECT_EQ(list.AddComponent(db, "METHANE", sink), AddComponentResult::Duplicate);
    EXPECT_EQ(list.count, 1u);
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrComponentSelectedAlready}));

    sink.messages.clear();
    list.count = kMaxComponents;
    EXPECT_EQ(list.AddComponent(db, "ETHANE", sink), AddComponentResult::ListFull);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Warning!");
    EXPECT_EQ(sink.messages[0].text, "Maximum number of components reached!");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(list.slots[kMaxComponents].Mol_Wt, 0.0);  // the 22nd slot stays empty

    sink.messages.clear();
    ComponentList empty;
    EXPECT_EQ(empty.AddComponent(PropertyDatabase{}, "METHANE", sink), AddComponentResult::NoDatabase);
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrPropertyDatabase}));
}

TEST(ComponentList, RemoveMovesLaterSlotsUpAndTotalSumsOccupiedSlots) {
    const PropertyDatabase db = ThreeGases();
    ComponentList list =
        Mixture(db, {{"METHANE", 80}, {"ETHANE", 15.5}, {"A-VERY-LONG-NAME-OF-FORTY-CHARACTERS-123", 4.5}});
    EXPECT_EQ(list.Total(), 100.0);
    EXPECT_EQ(list.total, 100.0);
    EXPECT_TRUE(list.RemoveComponent(1));
    EXPECT_EQ(list.count, 2u);
    EXPECT_STREQ(list.slots[1].Comp_Name, "A-VERY-LONG-NAME-OF-FORTY-CHARACTERS-123");
    EXPECT_EQ(list.slots[2].Mol_Wt, 0.0);
    EXPECT_STREQ(list.slots[2].Comp_Name, "");
    EXPECT_EQ(list.Total(), 84.5);
    EXPECT_FALSE(list.RemoveComponent(2));
    EXPECT_FALSE(list.RemoveComponent(-1));

    for (double bad :
         {std::numeric_limits<double>::quiet_NaN(), -1.0, 100.5, std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(list.SetMolePercent(0, bad));
    EXPECT_FALSE(list.SetMolePercent(2, 10.0));  // empty slot
    EXPECT_EQ(list.slots[0].Mole_Pct, 80.0);

    list.ClearList();
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.Total(), 0.0);
}

class MixtureFile : public quorven::fluidtest::TempDirTest {};

TEST_F(MixtureFile, SavedAndLoadedBackByName) {
    const PropertyDatabase db = ThreeGases();
    const ComponentList saved =
        Mixture(db, {{"ETHANE", 60}, {"METHANE", 30}, {"A-VERY-LONG-NAME-OF-FORTY-CHARACTERS-123", 10}});
    RecordingMessageSink sink;
    ASSERT_TRUE(saved.SaveMixture(Path("gas.mix"), sink));
    const std::string bytes = ReadFileBytes(Path("gas.mix"), 1 << 20).value();
    EXPECT_EQ(bytes.size(), 4u + 3u * 1584u);  // count, then count copies of the table
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\0\0\0", 4));
    EXPECT_EQ(bytes.substr(4, 1584), bytes.substr(4 + 2 * 1584, 1584));

    // The database renumbered since: numbers are found again by name.
    const PropertyDatabase renumbered =
        MakeDatabase({MakeRecord(7, "A-VERY-LONG-NAME-OF-FORTY-CHARACTERS-123"), MakeRecord(8, "ETHANE"),
                      MakeRecord(9, "METHANE")});
    ComponentList loaded;
    ASSERT_TRUE(loaded.LoadMixture(Path("gas.mix"), renumbered, sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(loaded.count, 3u);
    EXPECT_EQ(loaded.slots[0].Comp_No, 8);
    EXPECT_EQ(loaded.slots[1].Comp_No, 9);
    EXPECT_EQ(loaded.slots[2].Comp_No, 7);
    EXPECT_EQ(loaded.slots[0].Mole_Pct, 60.0);
    EXPECT_EQ(loaded.total, 100.0);

    // An empty list is a 4-byte file and loads as an empty list.
    ASSERT_TRUE(ComponentList{}.SaveMixture(Path("empty.mix"), sink));
    EXPECT_EQ(ReadFileBytes(Path("empty.mix"), 100).value(), std::string(4, '\0'));
    ASSERT_TRUE(loaded.LoadMixture(Path("empty.mix"), db, sink));
    EXPECT_EQ(loaded.count, 0u);
    EXPECT_EQ(loaded.slots[0].Mol_Wt, 0.0);
}

TEST_F(MixtureFile, AComponentMissingFromTheDatabaseLosesItsNumber) {
    const PropertyDatabase db = ThreeGases();
    NullMessageSink none;
    ASSERT_TRUE(Mixture(db, {{"METHANE", 50}, {"ETHANE", 50}}).SaveMixture(Path("gas.mix"), none));
    const PropertyDatabase without_methane =
        MakeDatabase({MakeRecord(1, "ETHANE"), MakeRecord(2, "PROPANE")});
    RecordingMessageSink sink;
    ComponentList loaded;
    ASSERT_TRUE(loaded.LoadMixture(Path("gas.mix"), without_methane, sink));
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.Numbers()[0], msg::kErrMixtureComponentMissing);
    EXPECT_EQ(sink.messages[1].caption, "Missing Component");
    EXPECT_EQ(sink.messages[1].text, "Missing component METHANE from properties database.");
    // The slot keeps its name, but not the stale number 1 (PROPANE's now).
    EXPECT_STREQ(loaded.slots[0].Comp_Name, "METHANE");
    EXPECT_EQ(loaded.slots[0].Comp_No, 0);
    EXPECT_EQ(loaded.slots[1].Comp_No, 1);
}

TEST_F(MixtureFile, ShortForeignOrCorruptFilesAreRefusedAndTheListKept) {
    const PropertyDatabase db = ThreeGases();
    const ComponentList good = Mixture(db, {{"METHANE", 70}, {"ETHANE", 30}});
    const std::string bytes = MixtureFileBytes(good);
    auto with_count = [&](uint32_t n) {
        std::string b = bytes;
        std::memcpy(b.data(), &n, 4);
        return b;
    };
    std::string no_terminator = bytes;
    std::memset(no_terminator.data() + 4 + 15, 'M', 41);
    std::memset(no_terminator.data() + 4 + 1584 + 15, 'M', 41);
    std::string copies_differ = bytes;
    copies_differ[4 + 1584 + 64] ^= 1;
    std::string nan_percent = bytes;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int copy = 0; copy < 2; ++copy) std::memcpy(nan_percent.data() + 4 + copy * 1584 + 64, &nan, 8);
    std::string stray_slot = bytes;
    for (int copy = 0; copy < 2; ++copy) std::memcpy(stray_slot.data() + 4 + copy * 1584 + 2 * 72, "JUNK", 5);
    std::string big(4 + 22 * 1584, '\0');
    std::memcpy(big.data(), "\x16\0\0\0", 4);

    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"three bytes", "\x01\0\0"},
        {"truncated", bytes.substr(0, bytes.size() - 1)},
        {"count above the copies", with_count(3)},
        {"count below the copies", with_count(1)},
        {"count 22", big},
        {"count 0xffffffff", with_count(0xffffffffu)},
        {"name without terminator", no_terminator},
        {"copies differ", copies_differ},
        {"mole percent NaN", nan_percent},
        {"an empty slot holds a name", stray_slot},
        {"foreign bytes", std::string(4 + 2 * 1584, '\xff')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            std::ofstream f(Path("bad.mix"), std::ios::binary);
            f.write(c.bytes.data(), static_cast<std::streamsize>(c.bytes.size()));
        }
        ComponentList list = good;
        RecordingMessageSink sink;
        EXPECT_FALSE(list.LoadMixture(Path("bad.mix"), db, sink));
        EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrMixtureFileOpen}));
        EXPECT_EQ(list.SlotTableBytes(), good.SlotTableBytes());
        EXPECT_EQ(list.count, 2u);
    }

    ComponentList list = good;
    RecordingMessageSink sink;
    EXPECT_FALSE(list.LoadMixture(Path("none.mix"), db, sink));                 // cannot be opened
    EXPECT_FALSE(list.LoadMixture(Path("bad.mix"), PropertyDatabase{}, sink));  // no database
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrMixtureFileOpen, msg::kErrPropertyDatabase}));
    EXPECT_EQ(list.count, 2u);
}

TEST_F(MixtureFile, AFailedSaveIsReportedAndKeepsTheOldFile) {
    const PropertyDatabase db = ThreeGases();
    NullMessageSink none;
    ASSERT_TRUE(Mixture(db, {{"METHANE", 100}}).SaveMixture(Path("gas.mix"), none));
    const std::string before = ReadFileBytes(Path("gas.mix"), 1 << 20).value();
    for (FileFault fault : {FileFault::Fail, FileFault::Short, FileFault::Kill}) {
        SCOPED_TRACE(static_cast<int>(fault));
        FaultyFileLayer faulty(DiskFiles(), 1, fault);
        RecordingMessageSink sink;
        EXPECT_FALSE(Mixture(db, {{"ETHANE", 100}}).SaveMixture(Path("gas.mix"), sink, faulty));
        EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrMixtureFileOpen}));
        EXPECT_EQ(ReadFileBytes(Path("gas.mix"), 1 << 20).value(), before);
    }
    RecordingMessageSink sink;
    EXPECT_FALSE(ComponentList{}.SaveMixture(Path("no/such/dir/gas.mix"), sink));
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrMixtureFileOpen}));
}

}  // namespace
