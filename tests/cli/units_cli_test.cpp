// quorven-cli convert and pipe, run as a user runs them: a child process.

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

namespace fs = std::filesystem;

CliRun Cli(const std::string& args, const std::string& env = "") {
    const fs::path err_path =
        fs::temp_directory_path() / ("quorven-units-cli-" + std::to_string(::getpid()) + ".err");
    return quorven::clitest::RunCli(args, err_path.string(), env);
}

TEST(ConvertCommand, PrintsInTheQuantitysDisplayFormat) {
    struct Case {
        const char* args;
        const char* out;  // hand calculation, shown with the quantity's format
    };
    const Case cases[] = {
        // (100 - 14.696) x 6.894757 = 588.1504 kPa-ga
        {"convert pressure 100 psia kPa-ga", "588.15\n"},
        // (100 - 12) x 6.894757 = 606.7386
        {"convert pressure 100 psia kPa-ga --atm 12", "606.74\n"},
        // 0 psig is the atmosphere, 14.696 psia
        {"convert pressure 0 psig psia", "14.6960\n"},
        {"convert pressure 1 bar-ab bar-ga", "-0.0133\n"},  // 1 - 1.013253 bar
        {"convert temperature -40 'deg C' 'deg F'", "-40.00\n"},
        {"convert temperature 100 'deg C' 'deg K'", "373.15\n"},
        // 100 inH2O(68 degF) = 24864.1 Pa = 186.496 mmHg(0 degC)
        {"convert dp 100 'in WC' 'mm Hg(0\u00B0C)'", "186.496\n"},
        // 1000 kg/m3 = 62.42796 lb/ft3
        {"convert density 1000 kg/m3 lb/ft3", "62.428\n"},
        {"convert length 4.026 in mm", "102.260\n"},
        // 1000 bbl/d = 6624.471 L/h = 110.4078 L/min
        {"convert liquid-flowing 1000 USbbl/d l/m", "110.408\n"},
        {"convert gas-base 1 sm3/h scfh", "35.3147\n"},  // 1 / 0.02831685
        {"convert gas-mass 1 kg/s lb/h", "7936.64\n"},   // 3600 / 0.45359237
        {"convert acceleration 9.80665 'm/s\u00B2' 'ft/s\u00B2'", "32.1740\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(ConvertCommand, SameUnderADecimalCommaLocale) {
    // Where no such locale is installed the program runs in "C" and this repeats the
    // plain check; the output must not change either way.
    const std::string env = "LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 ";
    EXPECT_EQ(Cli("convert pressure 100 psia kPa-ga", env).out, "588.15\n");
    EXPECT_EQ(Cli("convert temperature 20.5 'deg C' 'deg F'", env).out, "68.90\n");
    EXPECT_EQ(Cli("pipe 3.5 40", env).out, "3.548\n");
    EXPECT_EQ(Cli("convert pressure 1,5 psia psig", env).status, 1);
}

TEST(ConvertCommand, JsonCarriesTheFullValue) {
    const CliRun r = Cli("convert viscosity 1 cPoise Pa-s --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["result"], 0.001);
    EXPECT_EQ(j["text"], "1.0000e-03");
    EXPECT_EQ(j["internal_unit"], "cPoise");
}

TEST(ConvertCommand, UnknownNamesAndBadNumbersAreRefusedWithTheValidNames) {
    struct Case {
        const char* args;
        const char* err;
    };
    const Case cases[] = {
        {"convert pressur 1 psia psig", "Valid quantities: pressure, abs-pressure, dp,"},
        {"convert pressure 1 psia kPa", "Valid units: \"psig\", \"psia\", \"kPa-ga\""},
        {"convert temperature 1 degC 'deg F'", "\"deg F\", \"deg R\", \"deg C\", \"deg K\""},
        {"convert pressure abc psia psig", "VALUE must be a finite decimal number"},
        {"convert pressure 1e999 psia psig", "VALUE must be a finite decimal number"},
        {"convert pressure nan psia psig", "VALUE must be a finite decimal number"},
        {"convert pressure 1 psig psia --atm inf", "--atm must be"},
        {"convert dp 1e308 'in WC' Pa-d", "out of the range of numbers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST(PipeCommand, InsideDiameterOfStandardPipe) {
    struct Case {
        const char* args;
        const char* out;  // ASME B36.10M / B36.19M: OD - 2 x wall
        int status;
    };
    const Case cases[] = {
        {"pipe 4 40", "4.026\n", 0},  // 4.500 - 2 x 0.237
        {"pipe 4.00 STD", "4.026\n", 0},
        {"pipe 22 30", "21\n", 0},                  // 22.000 - 2 x 0.500
        {"pipe 2 10S --material 6", "2.157\n", 0},  // 2.375 - 2 x 0.109
        {"pipe 26 XS", "25\n", 0},
        {"pipe 26 STD", "0\n", 0},
        {"pipe 36 10S --material 4", "0\n", 0},
        {"pipe 4 NON-STD", "0\n", 0},
        {"pipe 4 40S", "", 1},  // not a carbon steel schedule
        {"pipe 4 40 --material 45", "", 1},
        {"pipe 4 40 --material 0", "", 1},
        {"pipe four 40", "", 1},
        {"pipe -4 40", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        if (std::string(c.out) == "0\n") {
            EXPECT_NE(r.err.find("entered by hand"), std::string::npos);
        }
    }
    const CliRun j = Cli("pipe 8 80 --json");
    ASSERT_EQ(j.status, 0);
    const auto v = nlohmann::json::parse(j.out);
    EXPECT_EQ(v["inside_diameter_in"], 7.625);  // 8.625 - 2 x 0.500
    EXPECT_EQ(v["standard"], "ASME B36.10M");
    EXPECT_EQ(v["material_name"], "CARBON STEEL");
}

}  // namespace
