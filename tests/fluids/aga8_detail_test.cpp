// CFluidAGA8NaturalGas: the tables against the published data, the report's verification
// output and NIST's 21-component check point, the density solver, refused inputs.

#include "fluids/aga8_detail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

using quorven::Aga8Results;
using quorven::CFluidAGA8NaturalGas;
namespace aga8 = quorven::aga8;

// One CSV file of tests/data/aga8 as rows of fields (quoted fields may hold commas).
std::vector<std::vector<std::string>> ReadCsv(const std::string& name) {
    std::ifstream in(std::string(QUORVEN_TEST_DATA) + "/aga8/" + name);
    EXPECT_TRUE(in) << name;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i) {
            const char ch = line[i];
            if (ch == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    fields.back() += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else if (ch == ',' && !quoted) {
                fields.emplace_back();
            } else {
                fields.back() += ch;
            }
        }
        rows.push_back(fields);
    }
    return rows;
}

double Num(const std::string& s) {
    return std::stod(s);
}

TEST(Aga8Tables, EqualThePublishedTablesDigitForDigit) {
    const auto comps = ReadCsv("aga8_1994_components.csv");
    ASSERT_EQ(comps.size(), 21u);
    for (const auto& r : comps) {
        SCOPED_TRACE(r[1]);
        const int i = std::stoi(r[0]);
        const aga8::ComponentParameters& p = aga8::ComponentTable()[i - 1];
        EXPECT_EQ(p.M, Num(r[2]));
        EXPECT_EQ(p.E, Num(r[3]));
        EXPECT_EQ(p.K, Num(r[4]));
        EXPECT_EQ(p.G, Num(r[5]));
        EXPECT_EQ(p.Q, Num(r[6]));
        EXPECT_EQ(p.F, Num(r[7]));
        EXPECT_EQ(p.S, Num(r[8]));
        EXPECT_EQ(p.W, Num(r[9]));
        EXPECT_EQ(aga8::MolarMass(i), p.M);
    }

    const auto pairs = ReadCsv("aga8_1994_binary.csv");
    ASSERT_EQ(pairs.size(), aga8::BinaryTable().size());
    for (size_t k = 0; k < pairs.size(); ++k) {
        const auto& r = pairs[k];
        SCOPED_TRACE(r[2] + " - " + r[3]);
        const aga8::BinaryParameters& p = aga8::BinaryTable()[k];
        EXPECT_EQ(p.i, std::stoi(r[0]));
        EXPECT_EQ(p.j, std::stoi(r[1]));
        EXPECT_EQ(p.E, Num(r[4]));
        EXPECT_EQ(p.U, Num(r[5]));
        EXPECT_EQ(p.K, Num(r[6]));
        EXPECT_EQ(p.G, Num(r[7]));
    }

    const auto eos = ReadCsv("aga8_1994_eos.csv");
    ASSERT_EQ(eos.size(), 58u);
    for (const auto& r : eos) {
        SCOPED_TRACE("n = " + r[0]);
        const aga8::EosTerm& t = aga8::EosTable()[std::stoi(r[0]) - 1];
        EXPECT_EQ(t.a, Num(r[1]));
        EXPECT_EQ(t.b, std::stoi(r[2]));
        EXPECT_EQ(t.c, std::stoi(r[3]));
        EXPECT_EQ(t.k, std::stoi(r[4]));
        EXPECT_EQ(t.u, Num(r[5]));
        EXPECT_EQ(t.g, std::stoi(r[6]));
        EXPECT_EQ(t.q, std::stoi(r[7]));
        EXPECT_EQ(t.f, std::stoi(r[8]));
        EXPECT_EQ(t.s, std::stoi(r[9]));
        EXPECT_EQ(t.w, std::stoi(r[10]));
    }
    EXPECT_EQ(aga8::MolarMass(0), 0.0);
    EXPECT_EQ(aga8::MolarMass(22), 0.0);
}

// The check cases of aga8_checkvalues.csv: inputs and expected values by quantity.
struct CheckCase {
    std::string name;
    std::vector<int> numbers;
    std::vector<double> fractions;
    std::map<std::string, double> q;
};

std::vector<CheckCase> CheckCases() {
    std::vector<CheckCase> cases;
    for (const auto& r : ReadCsv("aga8_checkvalues.csv")) {
        if (cases.empty() || cases.back().name != r[1]) cases.push_back({r[1], {}, {}, {}});
        CheckCase& c = cases.back();
        if (r[2].rfind("x_", 0) == 0) {
            const double x = Num(r[3]);
            if (x > 0.0) {
                c.numbers.push_back(std::stoi(r[2].substr(2)));
                c.fractions.push_back(x);
            }
        } else {
            c.q[r[2]] = Num(r[3]);
        }
    }
    return cases;
}

constexpr double kLbFt3PerKgM3 = 1.0 / (0.45359237 / (0.3048 * 0.3048 * 0.3048));

TEST(Aga8Detail, NistCheckPointTo1e9) {
    const auto cases = CheckCases();
    const auto it =
        std::find_if(cases.begin(), cases.end(), [](const CheckCase& c) { return c.name == "NIST-1"; });
    ASSERT_NE(it, cases.end());
    ASSERT_EQ(it->numbers.size(), 21u);
    CFluidAGA8NaturalGas gas;
    const double P_MPa = it->q.at("P") / 1000.0, T_K = it->q.at("T");
    const auto r = gas.Compute(it->numbers, it->fractions, P_MPa, T_K);
    ASSERT_TRUE(r);
    // NIST AGA8CODE Detail test: M = 20.54333051 g/mol, D = 12.80792403648801 mol/L,
    // Z = 1.173801364147326 (published digits; 1e-9 relative asked).
    EXPECT_NEAR(r->MW / it->q.at("M"), 1.0, 1e-9);
    EXPECT_NEAR(r->Df / it->q.at("D"), 1.0, 1e-9);
    EXPECT_NEAR(r->Zf / it->q.at("Z"), 1.0, 1e-9);
    EXPECT_NEAR(gas.Pressure(r->Df, T_K) / P_MPa, 1.0, 1e-12);
}

TEST(Aga8Detail, ReportVerificationTableA31) {
    int rows = 0;
    for (const CheckCase& c : CheckCases()) {
        if (c.name.rfind("AGA8-1994", 0) != 0) continue;
        SCOPED_TRACE(c.name);
        ++rows;
        const double T_K = (c.q.at("T") + 459.67) / 1.8;
        const double P_MPa = c.q.at("P") * aga8::kPaPerPsi / 1e6;
        CFluidAGA8NaturalGas gas;
        const auto r = gas.Compute(c.numbers, c.fractions, P_MPa, T_K);
        ASSERT_TRUE(r);
        // Printed to six significant digits: within half a unit of the last one.
        const double rho_lb_ft3 = r->Df * r->MW * kLbFt3PerKgM3;
        EXPECT_NEAR(rho_lb_ft3, c.q.at("D"), 0.5e-5);
        EXPECT_NEAR(r->Zf, c.q.at("Z"), 0.5e-6);
        EXPECT_NEAR(std::sqrt(r->Zb / r->Zf), c.q.at("Fpv"), 0.5e-5);
    }
    EXPECT_EQ(rows, 10);
}

TEST(Aga8Detail, PureMethaneAtTheReportBaseHasZbEqualToZf) {
    CFluidAGA8NaturalGas gas;
    const int numbers[] = {1};
    const double pct[] = {100.0};
    const auto r = gas.Compute(numbers, pct, aga8::kReportBase_MPa, aga8::kReportBase_K);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Zb, r->Zf);
    EXPECT_EQ(r->Db, r->Df);
    // GPA 2145-09: methane at 60 F and 14.696 psia, Z = 0.9980; at 14.73 psia within 1e-4.
    EXPECT_NEAR(r->Zb, 0.9980, 1e-4);
    EXPECT_EQ(r->MW, 16.043);
}

TEST(Aga8Detail, BaseStateFollowsTheGivenBaseConditions) {
    const int numbers[] = {1, 2, 3, 4, 5};
    const double pct[] = {90.0, 2.0, 1.0, 5.0, 2.0};
    CFluidAGA8NaturalGas gas;
    const auto std_base = gas.Compute(numbers, pct, 5.0, 300.0);
    // 14.696 psia and 59 F (the ISO 13443 and API base): a different Zb, the same Zf.
    const auto other =
        gas.Compute(numbers, pct, 5.0, 300.0, 14.696 * aga8::kPaPerPsi / 1e6, (59 + 459.67) / 1.8);
    ASSERT_TRUE(std_base && other);
    EXPECT_EQ(std_base->Zf, other->Zf);
    EXPECT_NE(std_base->Zb, other->Zb);
    EXPECT_NEAR(other->Zb, std_base->Zb, 1e-3);
    // Default base = the report's 14.73 psia and 60 F.
    const auto same = gas.Compute(numbers, pct, 5.0, 300.0, aga8::kReportBase_MPa, aga8::kReportBase_K);
    EXPECT_EQ(same->Zb, std_base->Zb);
}

TEST(Aga8Detail, PercentsOrFractionsInAnyOrderGiveTheSameGas) {
    const int numbers[] = {1, 4, 5, 2};
    const double pct[] = {85.0, 8.0, 4.0, 3.0};
    const int reordered[] = {5, 2, 1, 4};
    const double fractions[] = {0.04, 0.03, 0.85, 0.08};
    CFluidAGA8NaturalGas a, b;
    const auto ra = a.Compute(numbers, pct, 7.0, 290.0);
    const auto rb = b.Compute(reordered, fractions, 7.0, 290.0);
    ASSERT_TRUE(ra && rb);
    EXPECT_NEAR(ra->Zf / rb->Zf, 1.0, 1e-14);
    EXPECT_NEAR(ra->MW / rb->MW, 1.0, 1e-14);
    // Hand calculation: MW = 0.85 x 16.043 + 0.08 x 30.07 + 0.04 x 44.097 + 0.03 x 28.0135.
    EXPECT_NEAR(ra->MW, 0.85 * 16.043 + 0.08 * 30.07 + 0.04 * 44.097 + 0.03 * 28.0135, 1e-12);
}

TEST(Aga8Detail, DensityReproducesThePressureOverTheRangeOfTheMethod) {
    // Gulf Coast gas of the report; the Detail method's normal range is 0 to 17.5 MPa and
    // 250 to 400 K, its extended range up to 70 MPa and 143 to 676 K.
    const int numbers[] = {1, 2, 3, 4, 5, 11, 12, 13, 14, 15};
    const double x[] = {0.965222, 0.002595, 0.005956, 0.018186, 0.004596,
                        0.000977, 0.001007, 0.000473, 0.000324, 0.000664};
    std::array<double, 21> amounts{};
    for (size_t i = 0; i < std::size(numbers); ++i) amounts[numbers[i] - 1] = x[i];
    CFluidAGA8NaturalGas gas;
    ASSERT_TRUE(gas.SetComposition(amounts));
    for (double T : {200.0, 250.0, 300.0, 400.0, 600.0}) {
        for (double P : {0.001, 0.1, 1.0, 5.0, 17.5, 40.0, 70.0}) {
            SCOPED_TRACE("T = " + std::to_string(T) + " K, P = " + std::to_string(P) + " MPa");
            const auto d = gas.Density(P, T);
            ASSERT_TRUE(d);
            EXPECT_NEAR(gas.Pressure(*d, T) / P, 1.0, 1e-9);
            EXPECT_GT(gas.Z(*d, T), 0.0);
        }
    }
}

TEST(Aga8Detail, RefusesWhatItCannotCompute) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const int one[] = {1};
    const double hundred[] = {100.0};
    struct {
        const char* what;
        std::vector<int> numbers;
        std::vector<double> pct;
        double P, T;
    } const cases[] = {
        {"no component", {}, {}, 1.0, 300.0},
        {"numbers and percents differ in count", {1, 2}, {100.0}, 1.0, 300.0},
        {"AGA number 0", {0}, {100.0}, 1.0, 300.0},
        {"AGA number 22", {22}, {100.0}, 1.0, 300.0},
        {"a number twice", {1, 1}, {50.0, 50.0}, 1.0, 300.0},
        {"negative percent", {1, 2}, {110.0, -10.0}, 1.0, 300.0},
        {"percents add up to 0", {1, 2}, {0.0, 0.0}, 1.0, 300.0},
        {"NaN percent", {1}, {kNaN}, 1.0, 300.0},
        {"infinite percent", {1}, {kInf}, 1.0, 300.0},
        {"zero pressure", {1}, {100.0}, 0.0, 300.0},
        {"negative pressure", {1}, {100.0}, -1.0, 300.0},
        {"NaN pressure", {1}, {100.0}, kNaN, 300.0},
        {"zero temperature", {1}, {100.0}, 1.0, 0.0},
        {"negative temperature", {1}, {100.0}, 1.0, -10.0},
        {"infinite temperature", {1}, {100.0}, 1.0, kInf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFluidAGA8NaturalGas gas;
        EXPECT_FALSE(gas.Compute(c.numbers, c.pct, c.P, c.T));
    }
    CFluidAGA8NaturalGas gas;
    EXPECT_FALSE(gas.Compute(one, hundred, 1.0, 300.0, 0.0, 288.0));  // base pressure 0
    EXPECT_FALSE(gas.Compute(one, hundred, 1.0, 300.0, 0.1, -1.0));   // base temperature below 0
    EXPECT_FALSE(CFluidAGA8NaturalGas().Density(1.0, 300.0));         // no composition yet
}

}  // namespace
