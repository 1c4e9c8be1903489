// The property database: the record layout, the file the build made from the
// component table, lookups by number and name, and corrupt files.

#include "fluids/property_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "record/file_io.h"
#include "tests/fluids/fluid_fixtures.h"

namespace {

using namespace quorven;
using quorven::fluidtest::BuiltDatabase;
using quorven::fluidtest::Bytes;
using quorven::fluidtest::MakeDatabase;
using quorven::fluidtest::MakeRecord;

constexpr const char* kAga8Names[] = {
    "METHANE",
    "ETHANE",
    "PROPANE",
    "ISOBUTANE",
    "n-BUTANE",
    "ISOPENTANE",
    "n-PENTANE",
    "n-HEXANE",
    "n-HEPTANE",
    "n-OCTANE",
    "n-NONANE",
    "n-DECANE",
    "CARBON DIOXIDE",
    "NITROGEN",
    "HYDROGEN SULFIDE",
    "HELIUM",
    "WATER (steam & vapor only)",
    "OXYGEN",
    "ARGON",
    "HYDROGEN",
    "CARBON MONOXIDE",
};

TEST(BuiltDatabase, HoldsTheAga8NamesAndNumbersEveryRecordInOrder) {
    const PropertyDatabase& db = BuiltDatabase();
    ASSERT_TRUE(db.Present()) << QUORVEN_PROPERTY_DAF;
    const std::string bytes = ReadFileBytes(QUORVEN_PROPERTY_DAF, kPropertyFileMaxBytes).value_or("");
    EXPECT_EQ(bytes.size() % 648, 0u);
    EXPECT_EQ(db.RecordCount(), static_cast<int>(bytes.size() / 648));
    EXPECT_GE(db.RecordCount(), 200);
    EXPECT_LE(db.RecordCount(), 300);
    EXPECT_EQ(static_cast<int>(db.ListNames().size()), db.RecordCount());  // no gap
    for (const char* name : kAga8Names) {
        SCOPED_TRACE(name);
        const PropertyRecord* r = db.ByName(name);
        ASSERT_NE(r, nullptr);
        EXPECT_GT(r->Mol_Wt, 0.0);
        EXPECT_GT(r->Crit_Temp, 0.0);
        EXPECT_NE(r->Acentric, 0.0);
        EXPECT_NE(r->Cp_A, 0.0);
        const double T = 300.0;
        EXPECT_GT(r->Cp_A + T * (r->Cp_B + T * (r->Cp_C + T * r->Cp_D)), 20.0);  // J/(mol K), above 5R/2
        for (double k : r->Kij_SRK) EXPECT_EQ(k, 0.0);
        for (double k : r->Kij_RK) EXPECT_EQ(k, 0.0);
    }
    // The vapour-only water record carries no liquid data.
    const PropertyRecord* water = db.ByName("WATER (steam & vapor only)");
    EXPECT_EQ(water->LiqVol_Class, 0);
    EXPECT_EQ(water->LiqVisc_Eqn, 0);
}

TEST(BuiltDatabase, CarriesTheSourceValues) {
    const PropertyDatabase& db = BuiltDatabase();
    const PropertyRecord* methane = db.ByName("METHANE");
    ASSERT_NE(methane, nullptr);
    EXPECT_EQ(methane->Comp_No, 1);
    EXPECT_EQ(CompFormula(*methane), "CH4");
    // ChemSep 8.32, Methane: 16.04246 kg/kmol, 190.56 K, 4599000 Pa, 0.0986 m3/kmol, 0.011
    EXPECT_EQ(methane->Mol_Wt, 16.04246);
    EXPECT_EQ(methane->Crit_Temp, 190.56);
    EXPECT_EQ(methane->Crit_Press, 45.99);
    EXPECT_EQ(methane->Crit_Vol, 98.6);
    EXPECT_EQ(methane->Acentric, 0.011);
    // McGarry (1983) Wagner coefficients of methane, as printed
    EXPECT_EQ(methane->Vp_Eqn, static_cast<int32_t>(VpEquation::Wagner));
    EXPECT_EQ(methane->Vp_A, -6.00435);
    EXPECT_EQ(methane->Vp_D, -1.22833);
    // Hankinson and Thomson (1979) COSTALD table: V* 9.939e-5 m3/mol, omega_SRK 0.0074
    EXPECT_EQ(methane->Hbt_Vstar, 0.09939);
    EXPECT_EQ(methane->Hbt_Omega, 0.0074);
    EXPECT_EQ(methane->Hbt_Tc, methane->Crit_Temp);
    // CO2 takes the COSTALD table's V* (0.09384 L/mol), not ChemSep's 0.104698.
    EXPECT_EQ(db.ByName("CARBON DIOXIDE")->Hbt_Vstar, 0.09384);
    // The cubic Cp fit gives methane's ideal-gas Cp at 298.15 K: 35.7 J/(mol K)
    // (Poling et al. databank Cpg 35.69).
    const double T = 298.15;
    const double cp = methane->Cp_A + T * (methane->Cp_B + T * (methane->Cp_C + T * methane->Cp_D));
    EXPECT_NEAR(cp, 35.69, 0.2);
}

TEST(PropertyDatabase, LooksUpByNumberAndExactName) {
    const PropertyDatabase db = MakeDatabase({MakeRecord(1, "METHANE"), MakeRecord(2, "ETHANE"),
                                              MakeRecord(3, "ETHANE", "dup"), MakeRecord(5, "PROPANE")});
    ASSERT_TRUE(db.Present());
    EXPECT_EQ(db.RecordCount(), 4);
    EXPECT_EQ(CompName(*db.ByNumber(2)), "ETHANE");
    EXPECT_EQ(db.ByName("ETHANE")->Comp_No, 2);  // two records of one name: the first
    EXPECT_EQ(db.ByName("ethane"), nullptr);     // exact, case-sensitive
    EXPECT_EQ(db.ByNameIgnoringCase("ethane")->Comp_No, 2);
    EXPECT_EQ(db.ByNumber(4), nullptr);
    // Listing asks for 1, 2, 3, ... and stops at the first gap.
    EXPECT_EQ(db.ListNames(), (std::vector<std::string>{"METHANE", "ETHANE", "ETHANE"}));

    RecordingMessageSink sink;
    PropertyRecord r{};
    EXPECT_TRUE(db.FindRecordByName("PROPANE", r, sink));
    EXPECT_EQ(r.Comp_No, 5);
    EXPECT_FALSE(db.FindRecordByNumber(4, r, sink));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(PropertyDatabase, AbsentDatabaseShowsError24OnEveryLookup) {
    const PropertyDatabase db = PropertyDatabase::Open("/nonexistent/property.daf");
    EXPECT_FALSE(db.Present());
    RecordingMessageSink sink;
    PropertyRecord r{};
    EXPECT_FALSE(db.FindRecordByNumber(1, r, sink));
    EXPECT_FALSE(db.FindRecordByName("METHANE", r, sink));
    EXPECT_TRUE(db.ListNames(sink).empty());
    EXPECT_EQ(sink.Numbers(), (std::vector<int>{msg::kErrPropertyDatabase, msg::kErrPropertyDatabase,
                                                msg::kErrPropertyDatabase}));
}

TEST(PropertyDatabase, CorruptBytesNeverReachTheRoutines) {
    PropertyRecord bad = MakeRecord(1, "");
    std::memset(bad.Comp_Name, 'A', sizeof bad.Comp_Name);  // no terminator
    bad.Crit_Temp = std::numeric_limits<double>::quiet_NaN();
    bad.Kij_SRK[3] = std::numeric_limits<double>::infinity();
    bad.Mol_Wt = -std::numeric_limits<double>::infinity();
    std::string bytes = Bytes({bad, MakeRecord(2, "ETHANE")});
    bytes += std::string(100, '\x7f');  // a trailing part-record is ignored
    const PropertyDatabase db = PropertyDatabase::FromBytes(bytes);
    ASSERT_EQ(db.RecordCount(), 2);
    const PropertyRecord* r = db.ByNumber(1);
    EXPECT_EQ(CompName(*r), std::string(41, 'A'));
    EXPECT_EQ(r->Crit_Temp, 0.0);
    EXPECT_EQ(r->Kij_SRK[3], 0.0);
    EXPECT_EQ(r->Mol_Wt, 0.0);
    EXPECT_EQ(PropertyDatabase::FromBytes(std::string(647, 'x')).RecordCount(), 0);
}

class PropertyFile : public quorven::fluidtest::TempDirTest {};

TEST_F(PropertyFile, IsFoundInTheProgramDirectoryWhateverItsCase) {
    EXPECT_EQ(FindPropertyFile(dir_.string()), "");
    std::ofstream(Path("Property.Daf")) << Bytes({MakeRecord(1, "METHANE")});
    EXPECT_EQ(FindPropertyFile(dir_.string()), Path("Property.Daf"));
    std::ofstream(Path("PROPERTY.DAF")) << Bytes({MakeRecord(1, "ETHANE")});
    EXPECT_EQ(FindPropertyFile(dir_.string()), Path("PROPERTY.DAF"));
    const PropertyDatabase db = PropertyDatabase::OpenInDirectory(dir_.string());
    ASSERT_TRUE(db.Present());
    EXPECT_EQ(CompName(*db.ByNumber(1)), "ETHANE");
}

}  // namespace
