// quorven-cli calc on a few meter pairs, each tag made with tag new and tag
// set as a user makes it: the bore sized, then the flow and the differential
// from that bore. The CLI's bore is the engine's bore for the same record.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "engine/calculate.h"
#include "record/cformat.h"
#include "record/file_io.h"
#include "record/record_fields.h"
#include "tests/cli/cli_runner.h"

namespace {

using quorven::clitest::CliRun;
using quorven::clitest::Quote;

namespace fs = std::filesystem;

// Gas: 150000 scfh (base 14.69595 psia, 60 F) of SG 0.65, k 1.3, 0.011 cP at
// 300 psia and 68 F, Z 0.95. Liquid: 55000 lb/h of 55 lb/ft3, 2 cP at 68 F.
// Both in a 4.026 in line at 64 of 100 inH2O.
const char* const kGas =
    " Fluid_Equation=1352 Fluid_Condition=1354 Fluid_Property=1356 Property_MwDenVp=0.65 Property_KFp=1.3"
    " Property_Visc=0.011 Flow_Press=300 Flow_Temp=527.67 Base_Press=14.69595 Base_Temp=519.67"
    " Flow_RhoGZ=0.95 Base_RhoGZ=0.998 Flow_Max=187500 Flow_Norm=150000";
const char* const kLiquid =
    " Fluid_Equation=1346 Fluid_Condition=1348 Fluid_Property=1350 Flow_RhoGZ=55 Property_KFp=1.02"
    " Property_Visc=2 Flow_Press=100 Flow_Temp=527.67 Flow_Max=68750 Flow_Norm=55000";

struct CliPair {
    const char* name;
    const char* meter;  // NAME=VALUE of the meter
    bool gas;
    // A wedge's bore solution is a fixed five passes ending in its wedge
    // height solved to 1e-6 in: it round-trips to a few parts in a million.
    double round_trip = 1e-6;
};

const CliPair kCliPairs[] = {
    {"RHG 1998 flange-tap orifice, gas", " Meter_Type=1128 Calc_Std=1703 Tap_Style=1", true},
    {"AGA 3 (1992) corner-tap orifice, liquid", " Meter_Type=1128 Calc_Std=1138 Tap_Style=2", false},
    {"ISA 1932 nozzle, liquid", " Meter_Type=1152 Calc_Std=1751 Tap_Style=1", false},
    {"machined-inlet venturi, gas", " Meter_Type=1156 Calc_Std=1704 Tap_Style=1", true},
    {"ISO 5167-6 wedge, gas", " Meter_Type=1690 Calc_Std=1703 Tap_Style=1", true, 5e-6},
};

class CliPairsTest : public quorven::clitest::CliFixture {
protected:
};

// The record tag new and tag set make, built here field by field.
quorven::TagRecord RecordOf(const std::string& assignments) {
    quorven::TagRecord r = quorven::NewTagRecord();
    std::istringstream in(assignments);
    std::string a;
    while (in >> a) {
        const auto eq = a.find('=');
        const quorven::FieldInfo* f = quorven::FindField(a.substr(0, eq));
        double v = 0.0;
        if (!f || !quorven::ParseFiniteDouble(a.substr(eq + 1), v)) {
            ADD_FAILURE() << a;
            continue;
        }
        if (f->kind == quorven::FieldKind::Double) {
            quorven::SetDouble(r, *f, v);
        } else {
            quorven::SetInt(r, *f, static_cast<int32_t>(v));
        }
    }
    return r;
}

TEST_F(CliPairsTest, SizesTheBoreAndGivesBackTheFlowAndTheDifferential) {
    for (const CliPair& p : kCliPairs) {
        SCOPED_TRACE(p.name);
        const std::string fields =
            std::string(" Pipe_IDia=4.026 Pipe_NomDia=4 Dp_Max=100") + p.meter + (p.gas ? kGas : kLiquid);
        const double Q = p.gas ? 150000.0 : 55000.0;
        ASSERT_EQ(Cli("tag new " + Tag("a.tag")).status, 0);
        const CliRun set = Cli("tag set " + Tag("a.tag") + fields);
        ASSERT_EQ(set.status, 0) << set.err;

        const CliRun bore = Cli("calc --json " + Tag("a.tag") + " --out " + Tag("b.tag"));
        ASSERT_EQ(bore.status, 0) << bore.err << bore.out;
        const auto jb = nlohmann::json::parse(bore.out);
        EXPECT_EQ(jb["ok"], true);
        const double d = jb["Bore"].get<double>();
        EXPECT_GT(d, 0.1 * 4.026);
        EXPECT_LT(d, 0.9 * 4.026);
        // The engine on the same record, as a batch run sizes it.
        quorven::TagRecord r = RecordOf(fields);
        quorven::NullMessageSink sink;
        quorven::CCalculate calc(sink);
        ASSERT_TRUE(calc.SizeBore(r, false));
        EXPECT_NEAR(d, r.Bore, 1e-9 * r.Bore);

        ASSERT_EQ(Cli("tag set " + Tag("b.tag") + " Calc_SizeParam=1122 Flow_Norm=0 Flow_Max=0").status, 0);
        const CliRun flow = Cli("calc --json " + Tag("b.tag"));
        ASSERT_EQ(flow.status, 0) << flow.err << flow.out;
        const auto jf = nlohmann::json::parse(flow.out);
        EXPECT_EQ(jf["ok"], true);
        EXPECT_NEAR(jf["Flow_Norm"].get<double>() / Q, 1.0, p.round_trip);
        EXPECT_NEAR(jf["Flow_Max"].get<double>() / (1.25 * Q), 1.0, p.round_trip);

        ASSERT_EQ(Cli("tag set " + Tag("b.tag") + " Calc_SizeParam=1121 Dp_Norm=0 Flow_Norm=" +
                      quorven::CFormat("%.17g", {Q}) + " Flow_Max=" + quorven::CFormat("%.17g", {1.25 * Q}))
                      .status,
                  0);
        const CliRun dp = Cli("calc --json " + Tag("b.tag"));
        ASSERT_EQ(dp.status, 0) << dp.err << dp.out;
        const auto jd = nlohmann::json::parse(dp.out);
        EXPECT_EQ(jd["ok"], true);
        EXPECT_NEAR(jd["Dp_Norm"].get<double>() / 64.0, 1.0, p.round_trip);
    }
}

}  // namespace
