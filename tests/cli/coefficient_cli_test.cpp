// quorven-cli coefficient, run as a child process on tag files made by quorven-cli tag.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "record/file_io.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;
using quorven::clitest::Quote;

namespace fs = std::filesystem;

class CoefficientCliTest : public quorven::clitest::CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        tag_ = Quote((dir_ / "t.tag").string());
        // A gas orifice tag: beta 0.5 in a 4.026 in line, Rd 10^5, 100 psia, 100 inH2O, k 1.3.
        EXPECT_EQ(Cli("tag new " + tag_).status, 0);
        EXPECT_EQ(Cli("tag set " + tag_ +
                      " Fluid_Equation=1353 Beta=0.5 Rd=100000 Flow_Press=100 Dp_Norm=100 Property_KFp=1.3")
                      .status,
                  0);
    }

    std::string tag_;
};

TEST_F(CoefficientCliTest, ReaderHarrisGallagherTagPrintsCAndY) {
    const CliRun r = Cli("coefficient " + tag_);
    ASSERT_EQ(r.status, 0) << r.err;
    // hand calculations: ISO 5167-2:2003 eq. (4) flange taps and eq. (5) at tau = 1 - 100/2772.9767
    EXPECT_EQ(r.out, "C = 0.6062040998500354\nY = 0.9896751243087937\n");
}

TEST_F(CoefficientCliTest, Api2530JsonCarriesKoKeAndEAtTheOverrides) {
    ASSERT_EQ(Cli("tag set " + tag_ + " Calc_Std=1139").status, 0);
    const std::string before = quorven::ReadFileBytes((dir_ / "t.tag").string(), 4096).value_or("");
    const CliRun r = Cli("coefficient " + tag_ + " --beta 0.6 --rd 2e5 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    // hand calculation of the AGA 3 (1985) flange-tap equations at b 0.6, Rd 2 x 10^5, D 4.026 in
    EXPECT_NEAR(j["C"].get<double>(), 0.6073274878136578, 1e-12);
    EXPECT_NEAR(j["Ko"].get<double>(), 0.648965899467355, 1e-12);
    EXPECT_NEAR(j["Ke"].get<double>(), 0.6509737804887286, 1e-12);
    EXPECT_NEAR(j["E"].get<double>(), 1031.3233319971973, 1e-9);
    EXPECT_TRUE(j["messages"].empty());
    // The tag file is only read.
    EXPECT_EQ(quorven::ReadFileBytes((dir_ / "t.tag").string(), 4096).value_or(""), before);
    // Without API 2530 the K terms are null.
    ASSERT_EQ(Cli("tag set " + tag_ + " Calc_Std=1703").status, 0);
    const auto k = nlohmann::json::parse(Cli("coefficient --json " + tag_).out);
    EXPECT_TRUE(k["Ko"].is_null());
    EXPECT_TRUE(k["Ke"].is_null());
    EXPECT_TRUE(k["E"].is_null());
}

TEST_F(CoefficientCliTest, MessagesAndNoCoefficient) {
    ASSERT_EQ(Cli("tag set " + tag_ + " Meter_Type=1157 Calc_Std=1704").status, 0);
    const CliRun r = Cli("coefficient --json --rd 1000 " + tag_);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["C"], 0.0);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0].get<std::string>().rfind(
                  "Warning #6: Minimum pipe Reynolds number for meter is 200000.", 0),
              0u);
    const CliRun plain = Cli("coefficient --rd 1e6 " + tag_);
    EXPECT_EQ(plain.out.substr(0, 10), "C = 0.984\n");  // ISO 5167-4:2003 as-cast constant
}

TEST_F(CoefficientCliTest, BadArgumentsAndFiles) {
    for (const char* bad : {"--beta abc", "--beta nan", "--rd inf", "--rd 1e999", "--beta"}) {
        SCOPED_TRACE(bad);
        const CliRun r = Cli("coefficient " + tag_ + " " + bad);
        EXPECT_NE(r.status, 0);
        EXPECT_TRUE(r.out.empty());
    }
    const CliRun missing = Cli("coefficient " + Quote((dir_ / "none.tag").string()));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Error #49: "), std::string::npos);
}

}  // namespace
