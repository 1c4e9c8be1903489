#pragma once
// Small hand-made property databases for the fluid tests, and the one the build made.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fluids/property_database.h"
#include "fluids/property_record.h"

namespace quorven::fluidtest {

inline PropertyRecord MakeRecord(int32_t no, const char* name, const char* formula = "X", double mw = 16.0) {
    PropertyRecord r{};
    std::strncpy(r.Comp_Name, name, sizeof r.Comp_Name - 1);
    std::strncpy(r.Comp_Formula, formula, sizeof r.Comp_Formula - 1);
    r.Comp_No = no;
    r.Mol_Wt = mw;
    return r;
}

inline std::string Bytes(const std::vector<PropertyRecord>& records) {
    std::string out;
    for (const PropertyRecord& r : records) out += PropertyRecordToBytes(r);
    return out;
}

inline PropertyDatabase MakeDatabase(const std::vector<PropertyRecord>& records) {
    return PropertyDatabase::FromBytes(Bytes(records), "test");
}

// The PROPERTY.DAF this build made from resources/components/components.csv.
inline const PropertyDatabase& BuiltDatabase() {
    static const PropertyDatabase db = PropertyDatabase::Open(QUORVEN_PROPERTY_DAF);
    return db;
}

// A fresh directory per test and process.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() / ("quorven-fluids-" + std::to_string(::getpid()) +
                                                         "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

}  // namespace quorven::fluidtest
