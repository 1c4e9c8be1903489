// The uncertainty report on the recording renderer: the lines of each fluid
// class, the sensitivities against hand calculation, the diameter terms in
// percent mode, the straight-run addition, and no inf or nan for a tag without
// a normal differential or diameters.

#include "reports/print_uncert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "record/choice_codes.h"
#include "report_fixtures.h"
#include "reports/recording_renderer.h"

namespace quorven {
namespace {

constexpr DeviceRect kA4{0, 0, 4792, 6851};

// An orifice in a 4.026 in line at beta 0.5 with every uncertainty input set.
TagRecord UncertainGas() {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, "FE-300");
    r.Calc_Status = kStatusCalculated;
    r.Meter_Type = Code(MeterType::ConcentricOrifice);
    r.Fluid_Equation = Code(FluidEquation::GasVolume);
    r.Fluid_Condition = Code(FluidCondition::GasBase);
    r.Pipe_IDia = 4.026;
    r.Beta = 0.5;
    r.Bore = 2.013;
    r.Rd = 1e6;
    r.Dp_Max = 100;
    r.Dp_Norm = 64;
    r.Flow_Press = 114.696;
    r.AtmPress = 14.696;
    r.Uncert_Bore = 0.0005;
    r.Uncert_Pipe = 0.004;
    r.Uncert_MeterXmtr = 0.1;
    r.Uncert_RecvXmtr = 0.2;
    r.Uncert_Press = 0.25;
    r.Uncert_Temp = 0.2;
    r.Uncert_GasSG = 0.5;
    r.Uncert_GasFlowDens = 0.3;
    r.Uncert_LiqBaseDens = 0.7;
    r.Uncert_LiqFlowDens = 0.8;
    r.Uncert_LiqFp = 0.9;
    return r;
}

class Uncert : public ::testing::Test {
protected:
    std::vector<std::string> Print(const TagRecord& r, SheetNumbering n = {}) {
        dev_ = RecordingRenderer();
        CPage page(kA4, dev_);
        PrintUncertReport(page, r, ctx_, n);
        return dev_.TextLines();
    }
    // The value printed beside a label, or "" when the label is not on the page.
    std::string Value(const std::vector<std::string>& lines, const std::string& label) const {
        for (const std::string& l : lines)
            if (l.starts_with(label + " | ")) return l.substr(label.size() + 3);
        return {};
    }
    bool Has(const std::vector<std::string>& lines, const std::string& label) const {
        return !Value(lines, label).empty();
    }

    ReportContext ctx_ = MakeReportContext(testing_reports::FixtureSettings(), "4.4.0", {});
    RecordingRenderer dev_;
};

TEST_F(Uncert, GasLinesAndSensitivitiesAgainstHandCalculation) {
    const std::vector<std::string> lines = Print(UncertainGas());
    // beta 0.5: b = 0.0625; pipe 2b / (b - 1) = -0.13333; bore 2 / (1 - b) = 2.13333.
    EXPECT_EQ(Value(lines, "Pipe Diameter Sensitivity:"), "-0.1333");
    EXPECT_EQ(Value(lines, "Bore Diameter Sensitivity:"), "2.1333");
    // Hand: 0.004 / 4.026 = 0.0994 %; 0.0005 / 2.013 = 0.0248 %; 0.1 x 100 / 64 = 0.15625 %.
    EXPECT_EQ(Value(lines, "Pipe Diameter Uncertainty:"), "0.0994 %");
    EXPECT_EQ(Value(lines, "Bore Diameter Uncertainty:"), "0.0248 %");
    EXPECT_EQ(Value(lines, "dP Transducer Uncertainty @ Operating:"), "0.1562 %");  // 0.15625 to even
    EXPECT_EQ(Value(lines, "Receiver Transducer Uncertainty @ Operating:"), "0.3125 %");
    EXPECT_EQ(Value(lines, "Bore Fabrication Tolerance:"), "0.0005 in");
    EXPECT_EQ(Value(lines, "dP Tranducer Accuracy @ Full Scale:"), "0.100 %");
    EXPECT_EQ(Value(lines, "Flowing Pressure Sensitivity:"), "0.5000");
    EXPECT_EQ(Value(lines, "Flowing Pressure Uncertainty:"), "0.2500 %");
    // ISO 5167-2 orifice: U_C 0.5 % at beta 0.5; U_Y 4 dP/p1 %, dP in psi:
    // 4 x (64 / 27.73) / 114.696 = 0.0805 (the engine's 0.144 hw / Pf gives 0.0804).
    EXPECT_EQ(Value(lines, "Discharge Coefficient Uncertainty:"), "0.5000 %");
    EXPECT_EQ(Value(lines, "Expansion Factor (Y) Uncertainty:"), "0.0804 %");
    EXPECT_FALSE(Has(lines, "Liquid Base Spec Grav/Density Uncertainty:"));
    EXPECT_FALSE(Has(lines, "Added uncertainty due to reduced straight run:"));
    // Hand: sqrt(0.5^2 + (0.13333 x 0.0994)^2 + (2.1333 x 0.02484)^2 + (0.5 x 0.15625)^2
    //   + (0.5 x 0.3125)^2 + 0.0804^2 + (0.5 x 0.25)^2 + (0.5 x 0.2)^2 + (0.5 x 0.5)^2 + (0.5 x 0.3)^2)
    const double hand =
        std::sqrt(0.25 + std::pow(0.13333 * 0.099354, 2) + std::pow(2.13333 * 0.024839, 2) +
                  std::pow(0.078125, 2) + std::pow(0.15625, 2) + std::pow(0.144 * 64 / 114.696, 2) +
                  std::pow(0.125, 2) + 0.01 + 0.0625 + 0.0225);
    EXPECT_EQ(Value(lines, "Meter System Uncertainty, [SUM{(U * X)^2}]^0.5:"), CFormat("%.3f %%", {hand}));
    EXPECT_TRUE(dev_.FindText("Sht: ___ of ___ Chk: _____"));
}

TEST_F(Uncert, NearAtmosphericPressureAndTheStraightRun) {
    TagRecord r = UncertainGas();
    r.Flow_Press = r.AtmPress + 0.5;  // hand: 0.5 x 0.5 / (0.5 + 14.7) = 0.01645
    r.Uncert_StraightRun = 1;
    std::vector<std::string> lines = Print(r);
    EXPECT_EQ(Value(lines, "Flowing Pressure Sensitivity:"), "0.0164");
    EXPECT_EQ(Value(lines, "Added uncertainty due to reduced straight run:"), "0.5000 %");
    const std::string with = Value(lines, "Meter System Uncertainty, [SUM{(U * X)^2}]^0.5:");
    r.Uncert_StraightRun = 0;
    lines = Print(r);
    const std::string without = Value(lines, "Meter System Uncertainty, [SUM{(U * X)^2}]^0.5:");
    EXPECT_NEAR(std::stod(with) - std::stod(without), 0.5,
                0.0011);  // raised by exactly 0.5 (printed to 3 places)
    r.Flow_Press = r.AtmPress + 1.0;
    EXPECT_EQ(Value(Print(r), "Flowing Pressure Sensitivity:"), "0.5000");
}

TEST_F(Uncert, LiquidClassesPrintTheirOwnLines) {
    struct Case {
        FluidEquation eq;
        FluidCondition cond;
        bool base, flowing;
    };
    const Case kCases[] = {
        {FluidEquation::LiquidVolume, FluidCondition::LiquidBaseTemp, true, true},
        {FluidEquation::LiquidVolume, FluidCondition::LiquidFlowingTemp, false, true},
        {FluidEquation::LiquidMass, FluidCondition::LiquidFlowingTemp, false, true},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(Code(c.eq) * 10000 + Code(c.cond));
        TagRecord r = UncertainGas();
        r.Fluid_Equation = Code(c.eq);
        r.Fluid_Condition = Code(c.cond);
        const std::vector<std::string> lines = Print(r);
        EXPECT_EQ(Has(lines, "Liquid Base Spec Grav/Density Uncertainty:"), c.base);
        EXPECT_EQ(Value(lines, "Liquid Base Spec Grav/Density Sensitivity:"), c.base ? "-1.0000" : "");
        EXPECT_EQ(Value(lines, "Liquid Flow Spec Grav/Density Uncertainty:"), "0.8000 %");
        EXPECT_EQ(Value(lines, "Liquid Compressibility (Fp) Sensitivity:"), "0.5000");
        EXPECT_FALSE(Has(lines, "Expansion Factor (Y) Uncertainty:"));
        EXPECT_FALSE(Has(lines, "Flowing Pressure Sensitivity:"));
    }
}

TEST_F(Uncert, PercentModePrintsThePercentageItselfAsTheTerm) {
    TagRecord r = UncertainGas();
    r.Uncert_BoreMode = 1;
    r.Uncert_Bore = 0.001;  // 0.1 % of the bore
    r.Uncert_Pipe = 0.0025;
    const std::vector<std::string> lines = Print(r);
    EXPECT_EQ(Value(lines, "Bore Fabrication Tolerance:"), "0.1000 %");
    EXPECT_EQ(Value(lines, "Pipe Fabrication Tolerance:"), "0.2500 %");
    // Not 0.001 / 2.013 x 100: the term is the percentage.
    EXPECT_EQ(Value(lines, "Bore Diameter Uncertainty:"), "0.1000 %");
    EXPECT_EQ(Value(lines, "Pipe Diameter Uncertainty:"), "0.2500 %");
}

TEST_F(Uncert, NoNormalDifferentialOrDiametersPrintDashesNeverInfOrNan) {
    TagRecord r = UncertainGas();
    r.Dp_Norm = 0.0;
    r.Pipe_IDia = 0.0;
    r.Bore = 0.0;
    r.Beta = 1.0;
    const std::vector<std::string> lines = Print(r);
    for (const std::string& l : lines) {
        SCOPED_TRACE(l);
        EXPECT_EQ(l.find("inf"), std::string::npos);
        EXPECT_EQ(l.find("nan"), std::string::npos);
    }
    EXPECT_EQ(Value(lines, "dP Transducer Uncertainty @ Operating:"), "-");
    EXPECT_EQ(Value(lines, "Bore Diameter Uncertainty:"), "-");
    EXPECT_EQ(Value(lines, "Meter System Uncertainty, [SUM{(U * X)^2}]^0.5:"), "-");
}

}  // namespace
}  // namespace quorven
