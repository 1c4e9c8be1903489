// The calibration chart page on the recording renderer: where the 100 points
// stand, the headings, the formats of the differential column, the record left
// untouched, and the pages without a chart.

#include "reports/print_calib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "record/choice_codes.h"
#include "record/formats.h"
#include "record/units.h"
#include "report_fixtures.h"
#include "reports/recording_renderer.h"
#include "reports/report_page.h"

namespace quorven {
namespace {

using testing_reports::LoadFixture;

constexpr DeviceRect kA4{0, 0, 4792, 6851};

class Chart : public ::testing::Test {
protected:
    TagRecord Fixture(const char* name) {
        TagRecord r;
        std::string error;
        EXPECT_TRUE(LoadFixture(name, r, error)) << error;
        return r;
    }
    std::vector<std::string> Print(const TagRecord& r, SheetNumbering n = {}) {
        dev_ = RecordingRenderer();
        CPage page(kA4, dev_);
        bool fits = false;
        PrintCalibChart(page, r, ctx_, n, &fits);
        EXPECT_TRUE(fits);
        return dev_.TextLines();
    }
    // The first line that starts with `start`.
    static std::string LineStarting(const std::vector<std::string>& lines, const std::string& start) {
        for (const std::string& l : lines)
            if (l.starts_with(start)) return l;
        return {};
    }
    static std::vector<std::string> Cells(const std::string& line) {
        std::vector<std::string> out;
        std::size_t at = 0;
        while (true) {
            const std::size_t bar = line.find(" | ", at);
            out.push_back(line.substr(at, bar == std::string::npos ? std::string::npos : bar - at));
            if (bar == std::string::npos) return out;
            at = bar + 3;
        }
    }

    ReportContext ctx_ = MakeReportContext(testing_reports::FixtureSettings(), "4.4.0", {});
    RecordingRenderer dev_;
};

TEST_F(Chart, RowsHoldFourPointsAColumnPairApartAndTheTagIsUntouched) {
    const TagRecord r = Fixture("gas-volume");  // Dp_Max 100 inH2O, in WC, scfh
    TagRecord before;
    std::memcpy(&before, &r, sizeof r);
    const std::vector<std::string> lines = Print(r);
    EXPECT_EQ(std::memcmp(&before, &r, sizeof r), 0);

    const CalibrationChart chart = ComputeCalibrationChart(r);
    ASSERT_TRUE(chart.HasChart());
    // Row 1 holds 1, 26, 51 and 76 %; row 25 holds 25, 50, 75 and 100 %. The
    // differential column's format changes at 10 and 100 (FmtSixPlaces).
    const auto flow = [&](int p) { return FmtFlow(ToUser(r, Quantity::Flow, *chart.points[p - 1].flow)); };
    const std::string row1 = LineStarting(lines, flow(1) + " | ");
    EXPECT_EQ(Cells(row1), (std::vector<std::string>{flow(1), "1.00000", flow(26), "26.0000", flow(51),
                                                     "51.0000", flow(76), "76.0000"}));
    const std::string row25 = LineStarting(lines, flow(25) + " | ");
    EXPECT_EQ(Cells(row25), (std::vector<std::string>{flow(25), "25.0000", flow(50), "50.0000", flow(75),
                                                      "75.0000", flow(100), "100.000"}));
    EXPECT_EQ(Cells(LineStarting(lines, flow(9) + " | "))[1], "9.00000");
    EXPECT_EQ(Cells(LineStarting(lines, flow(10) + " | "))[1], "10.0000");
    // Hand check of one value: at 64 % of 100 inH2O the flow is the normal flow
    // the bore was sized for (200 000 scfh), printed with one decimal.
    EXPECT_EQ(flow(64), "200000.0");

    // "in WC" is five characters: pairs 2 and 3 pad it to six.
    EXPECT_EQ(
        LineStarting(lines, "Flow ("),
        "Flow (scfh) | dP (in WC) | Flow (scfh) | dP (in WC) | Flow (scfh) | dP (in WC ) | Flow (scfh) | "
        "dP (in WC )");
    EXPECT_NE(LineStarting(lines, "Beta, B: | 0.58262 | Bore, d(ref): | 2.3456 in"), "");
    EXPECT_NE(LineStarting(lines, "Oper Press: | 250.00 psig | Oper Temp: | 80.00"), "");
    EXPECT_TRUE(dev_.FindText("Flow Calibration Chart"));
    EXPECT_TRUE(dev_.FindText("Sht: ___ of ___ Chk: _____"));
    EXPECT_TRUE(dev_.FindText("By: J. Smith"));
}

TEST_F(Chart, HeadingsPadAFourCharacterUnitAndANumberedSheetCarriesItsNumber) {
    TagRecord r = Fixture("gas-volume");
    ASSERT_TRUE(SelectUnit(r, DefaultUnitTables(), Quantity::DiffPressure, 5));  // psid
    ASSERT_EQ(GetText(r.Unit_Dpress_Text), "psid");
    const std::vector<std::string> lines = Print(r, {true, 3, 10});
    EXPECT_EQ(LineStarting(lines, "Flow ("),
              "Flow (scfh) | dP (psid) | Flow (scfh) | dP (psid) | Flow (scfh) | dP (psid  ) | Flow (scfh) | "
              "dP (psid  )");
    EXPECT_TRUE(dev_.FindText("Sht:   3 of 10  Chk: _____"));
}

TEST_F(Chart, RestrictionFollowsItsLossAndCriticalDropSaysWhyThereIsNoChart) {
    const TagRecord ro = Fixture("restriction");
    std::vector<std::string> lines = Print(ro);
    EXPECT_TRUE(
        dev_.FindText("For this restriction orifice dP is the permanent pressure loss, not the meter "
                      "differential."));
    // The sized flow comes back at 100 % of the loss it was sized for.
    const CalibrationChart chart = ComputeCalibrationChart(ro);
    EXPECT_NEAR(*chart.points[99].flow / ro.Flow_Max, 1.0, 1e-6);

    const TagRecord fo = Fixture("critical-drop");
    lines = Print(fo);
    EXPECT_TRUE(dev_.FindText(ChartStatusText(ChartStatus::CriticalDrop)));
    EXPECT_FALSE(dev_.FindText("Flow vs. Differential Pressure"));
    EXPECT_EQ(LineStarting(lines, "Flow ("), "");
    EXPECT_TRUE(dev_.FindText("Sht: ___ of ___ Chk: _____"));  // the page still closes
}

TEST_F(Chart, PlotDrawsTheCurveThroughEveryPointOnRoundAxes) {
    const TagRecord r = Fixture("gas-volume");
    const CalibrationChart chart = ComputeCalibrationChart(r);
    RecordingRenderer dev;  // its lines are taller than the printer's: a longer page
    CPage page(kA4, dev);
    ReportContext tall = ctx_;
    tall.page.bottom = 11.0;
    CPrintRegion& region = BeginReportPage(page, tall);
    CPrintCalib calib(page, region, r, tall, {}, chart, 2.5);
    calib.Print();
    EXPECT_TRUE(dev.FindText("Flow vs. Differential Pressure"));
    EXPECT_TRUE(dev.FindText("Differential Pressure, dP (in WC)"));
    // Flow axis 0 to 250000 (the 100 % flow, 249 540 scfh, rounded up in steps of
    // 50000), differential 0 to 100 in steps of 10.
    for (const char* tick : {"0", "50000", "250000", "10", "100"}) EXPECT_TRUE(dev.FindText(tick)) << tick;
    EXPECT_FALSE(dev.FindText("300000"));
    // The curve: 100 segments from the origin, thicker than the rules, rising.
    std::vector<RecordedOp> curve;
    for (const RecordedOp& op : dev.ops)
        if (op.kind == RecordedOp::Kind::Line && op.pen_width == 4) curve.push_back(op);
    ASSERT_EQ(curve.size(), 100u);
    for (std::size_t i = 0; i < curve.size(); ++i) {
        EXPECT_GT(curve[i].rect.right, curve[i].rect.left);
        EXPECT_LT(curve[i].rect.bottom, curve[i].rect.top);  // up the page
        if (i > 0) {
            EXPECT_EQ(curve[i].rect.left, curve[i - 1].rect.right);
        }
    }
}

TEST_F(Chart, FailedPointsPrintADashNeverInfOrNan) {
    // A gas restriction that cannot lose the higher percentages of its loss
    // without going sonic: those points have no flow.
    TagRecord r = Fixture("restriction");
    r.Fluid_Equation = Code(FluidEquation::GasMass);
    r.Fluid_Condition = Code(FluidCondition::GasFlowing);
    r.Fluid_Property = Code(FluidProperty::GasMW);
    r.Property_MwDenVp = 18.0;
    r.Property_KFp = 1.3;
    r.Property_Visc = 0.012;
    r.Flow_RhoGZ = 0.95;
    r.Flow_Press = 50.0;
    r.Dp_Max = 40.0 * 27.729767;
    for (double dp_max : {r.Dp_Max, 0.0}) {
        r.Dp_Max = dp_max;
        const std::vector<std::string> lines = Print(r);
        for (const std::string& l : lines) {
            SCOPED_TRACE(l);
            EXPECT_EQ(l.find("inf"), std::string::npos);
            EXPECT_EQ(l.find("nan"), std::string::npos);
        }
        if (dp_max > 0.0) {
            EXPECT_TRUE(dev_.FindText("-"));
            EXPECT_TRUE(
                dev_.FindText("A dash marks a differential at which the flow calculation has no valid "
                              "solution."));
        } else {
            EXPECT_TRUE(dev_.FindText(ChartStatusText(ChartStatus::NoDifferential)));
        }
    }
}

}  // namespace
}  // namespace quorven
