#include "reports/print_uncert.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "engine/uncertainty.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/meter_texts.h"
#include "record/misc_util.h"
#include "record/units.h"
#include "reports/print_calc.h"
#include "reports/sheet_values.h"

namespace quorven {
namespace {

// Layout, inches in the report region.
constexpr double kLabelColumn = 0.15;
constexpr double kMeterValueColumn = 1.0;
constexpr double kValueOffset = 1.05;  // values: middle + 1.05
constexpr double kRevColumn = 4.45;
constexpr double kDateColumn = 5.15;
constexpr double kSheetOffset = 0.95;  // the sheet text: middle + 0.95
constexpr int kSmallPoints = 10;       // "Rev:" and "Date:"
constexpr int kRuleWidth = 2;          // device units

// The added uncertainty of a meter run with reduced straight lengths [%].
constexpr double kStraightRunPercent = 0.5;

std::string Percent(std::string_view format, const std::optional<double>& v) {
    if (!v || !std::isfinite(*v)) return kNoValue;
    return CFormat(std::string(format) + " %%", {*v});
}

std::string Percent(std::string_view format, double v) {
    return Percent(format, std::optional<double>(v));
}

}  // namespace

CPrintUncert::CPrintUncert(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
                           SheetNumbering numbering)
    : page_(page),
      region_(region),
      left_(&region),
      r_(r),
      ctx_(ctx),
      numbering_(numbering),
      m_(ctx.page.Middle()) {
    const int middle = region.inner_left + page.ColumnsOf(m_ - 0.05);
    if (CPrintRegion* left = page.CreateRegion(Dots{region.top}, Dots{region.left}, Dots{region.bottom},
                                               Dots{std::min(region.right, middle)}))
        left_ = left;
}

double CPrintUncert::Text(double row, double column, std::string_view text, int style) {
    return page_.Print(region_, row, column, style, ctx_.page.font_size, "%s", {text});
}

double CPrintUncert::Line(double row, std::string_view label, std::string_view value) {
    return std::max(Text(row, kLabelColumn, label), Text(row, m_ + kValueOffset, value));
}

void CPrintUncert::Rule(double row) {
    const PageSettings& p = ctx_.page;
    page_.DrawLine(p.top + row, p.left, p.top + row, p.right, kRuleWidth, PenStyle::Solid);
}

double CPrintUncert::SectionFrame(double row, std::string_view title) {
    Rule(row);
    const double end = Text(row + 0.01, 0.0, title, TextStyle::AlignCenter);
    Rule(end);
    return end + 0.05;
}

double CPrintUncert::Print() {
    CPrintCalc sheet(page_, region_, r_, ctx_, numbering_);
    double row = sheet.Header(0.0);
    row = sheet.ServiceData(row);
    row = MeterPipeData(row);
    row = ToleranceData(row);
    row = UncertaintyInputs(row);
    row = SensitivityInputs(row);
    row = SystemUncertainty(row);
    return Signature(row);
}

double CPrintUncert::MeterPipeData(double row) {
    const CMiscUtil util;
    const UnitTables& t = ctx_.units;
    row = SectionFrame(row, "Meter/Pipe Data");
    // The texts composed from the record's choices, as choosing the meter writes them.
    const std::string meter = MeterFamilyText(r_.Meter_Type, r_.Meter_Diffuser, r_.Meter_VenturiExit);
    std::string elem(util.MaterialTag(r_.Matl_Elem));
    if (elem.empty()) elem = GetText(r_.Elem_Matl);
    std::string pipe(util.MaterialTag(r_.Matl_Pipe));
    if (pipe.empty()) pipe = GetText(r_.Pipe_Matl);
    const std::string bore_unit = UnitNameOf(r_, t, Quantity::Bore);

    auto pair = [&](double at, std::string_view l1, std::string_view v1, std::string_view l2,
                    std::string_view v2) {
        double next = Text(at, kLabelColumn, l1);
        next = std::max(next, page_.Print(*left_, at, kMeterValueColumn, TextStyle::SingleLine,
                                          ctx_.page.font_size, "%s", {v1}));
        next = std::max(next, Text(at, m_, l2));
        return std::max(next, Text(at, m_ + kValueOffset, v2));
    };
    row = pair(row, "Meter Type:", meter, "Meter Material:", elem);
    // The nominal size as stored, not snapped to a standard size.
    row = pair(row, "Nom Pipe Dia:",
               WithUnit(Num("%.2f", ToUser(r_, Quantity::PipeSize, r_.Pipe_NomDia)),
                        UnitNameOf(r_, t, Quantity::PipeSize)),
               "Pipe Material:", pipe);
    row =
        pair(row, "Pipe I.D.:", WithUnit(Num(FmtShort, ToUser(r_, Quantity::Bore, r_.Pipe_IDia)), bore_unit),
             "Pipe Schedule",
             CMiscUtil().ShownScheduleText(r_.Matl_Pipe, r_.Pipe_Sched, GetText(r_.Pipe_Sched_Text)));
    row = pair(row, "Beta:", Num("%.5f", r_.Beta), "Bore",
               WithUnit(Num(FmtShort, ToUser(r_, Quantity::Bore, r_.Bore)), bore_unit));
    return row;
}

double CPrintUncert::ToleranceData(double row) {
    row = SectionFrame(row, "User Set Meter Tolerance & Accuracy Data");
    const std::string bore_unit = UnitNameOf(r_, ctx_.units, Quantity::Bore);
    // In percent mode the record holds a fraction of the diameter.
    auto tolerance = [&](double stored) {
        if (r_.Uncert_BoreMode == 1) return Percent("%.4f", stored * 100.0);
        return WithUnit(Num("%.4f", ToUser(r_, Quantity::Bore, stored)), bore_unit);
    };
    row = Line(row, "Bore Fabrication Tolerance:", tolerance(r_.Uncert_Bore));
    row = Line(row, "Pipe Fabrication Tolerance:", tolerance(r_.Uncert_Pipe));
    row = Line(row, "dP Tranducer Accuracy @ Full Scale:", Percent("%.3f", r_.Uncert_MeterXmtr));
    row = Line(row, "Receiver Transducer Accuracy @ Full Scale:", Percent("%.3f", r_.Uncert_RecvXmtr));
    return row;
}

double CPrintUncert::UncertaintyInputs(double row) {
    row = SectionFrame(row, "Meter Uncertainty (U) Data Inputs");
    const UncertaintyFluid fluid = UncertaintyFluidOf(r_.Fluid_Equation, r_.Fluid_Condition);
    auto line = [&](std::string_view label, const std::optional<double>& v) {
        row = Line(row, label, Percent("%.4f", v));
    };
    line("Discharge Coefficient Uncertainty:",
         DischargeCoefUncertainty(r_, r_.Pipe_IDia, r_.Meter_Type, r_.Tap_Style, r_.Beta, r_.Rd));
    if (r_.Uncert_StraightRun == 1)
        line("Added uncertainty due to reduced straight run:", kStraightRunPercent);
    // The diameter terms as the combination takes them: tolerance over diameter, a
    // percentage in percent mode the percentage itself.
    line("Pipe Diameter Uncertainty:", PipeUncertaintyPercent(r_));
    line("Bore Diameter Uncertainty:", BoreUncertaintyPercent(r_));
    // Accuracies in percent of full scale, referred to the normal differential.
    const double scale = r_.Dp_Max / r_.Dp_Norm;
    line("dP Transducer Uncertainty @ Operating:", r_.Uncert_MeterXmtr * scale);
    line("Receiver Transducer Uncertainty @ Operating:", r_.Uncert_RecvXmtr * scale);
    if (fluid == UncertaintyFluid::Gas) {
        line("Expansion Factor (Y) Uncertainty:",
             ExpansionUncertainty(r_.Dp_Norm, r_.Flow_Press, r_.Beta, r_.Meter_Type, r_.Tap_Style));
        line("Flowing Pressure Uncertainty:", r_.Uncert_Press);
        line("Flowing Temperature Uncertainty:", r_.Uncert_Temp);
        line("Gas/Vapor Gravity/Mw Uncertainty:", r_.Uncert_GasSG);
        line("Gas/vapor Compressibility/Density Uncertainty:", r_.Uncert_GasFlowDens);
    }
    if (fluid == UncertaintyFluid::LiquidBase)
        line("Liquid Base Spec Grav/Density Uncertainty:", r_.Uncert_LiqBaseDens);
    if (fluid == UncertaintyFluid::LiquidBase || fluid == UncertaintyFluid::LiquidFlowing) {
        line("Liquid Flow Spec Grav/Density Uncertainty:", r_.Uncert_LiqFlowDens);
        line("Liquid Compressibility (Fp) Uncertainty:", r_.Uncert_LiqFp);
    }
    return row;
}

double CPrintUncert::SensitivityInputs(double row) {
    row = SectionFrame(row, "Meter Sensitivity Coefficients (X) Inputs");
    const UncertaintyFluid fluid = UncertaintyFluidOf(r_.Fluid_Equation, r_.Fluid_Condition);
    auto line = [&](std::string_view label, double v) { row = Line(row, label, Num("%.4f", v)); };
    line("Discharge Coefficient Sensitivity:", 1.0);
    line("Pipe Diameter Sensitivity:", PipeSensitivity(r_.Beta));
    line("Bore Diameter Sensitivity:", BoreSensitivity(r_.Beta));
    line("dP Transducer Sensitivity:", 0.5);
    line("Receiver Transducer Sensitivity:", 0.5);
    if (fluid == UncertaintyFluid::Gas) {
        line("Expansion Factor (Y) Sensitivity:", 1.0);
        line("Flowing Pressure Sensitivity:", PressureSensitivity(r_.Flow_Press, r_.AtmPress));
        line("Flowing Temperature Sensitivity:", 0.5);
        line("Gas/Vapor Gravity/Mw Uncertainty:", 0.5);
        line("Gas/vapor Compressibility/Density Sensitivity:", 0.5);
    }
    if (fluid == UncertaintyFluid::LiquidBase) line("Liquid Base Spec Grav/Density Sensitivity:", -1.0);
    if (fluid == UncertaintyFluid::LiquidBase || fluid == UncertaintyFluid::LiquidFlowing) {
        line("Liquid Flow Spec Grav/Density Sensitivity:", 0.5);
        line("Liquid Compressibility (Fp) Sensitivity:", 0.5);
    }
    return row;
}

double CPrintUncert::SystemUncertainty(double row) {
    row = SectionFrame(row, "Calculated Meter Uncertainty");
    std::optional<double> s = quorven::SystemUncertainty(r_);
    if (s && r_.Uncert_StraightRun == 1) *s += kStraightRunPercent;
    return std::max(Text(row, kLabelColumn, "Meter System Uncertainty, [SUM{(U * X)^2}]^0.5:"),
                    Text(row, m_ + kValueOffset, Percent("%.3f", s)));
}

double CPrintUncert::Signature(double row) {
    const PageSettings& p = ctx_.page;
    Rule(row);
    row += 0.01;
    constexpr int kStyle = TextStyle::SingleLine;
    Text(row, kLabelColumn, CFormat("By: %s", {GetText(r_.Name)}));
    page_.Print(region_, row, kRevColumn, kStyle, kSmallPoints, "Rev: %2d",
                {static_cast<long long>(r_.Calc_Rev)});
    row = page_.Print(region_, row, kDateColumn, kStyle, kSmallPoints, "Date: %s", {GetText(r_.Date)});
    row = std::max(Text(row, kLabelColumn, CPrintCalc::CalcNumberText(ctx_.settings, numbering_.numbered)),
                   Text(row, m_ + kSheetOffset, CPrintCalc::SheetText(numbering_)));
    // The frame closes 0.05 in below the sheet text, whatever the top margin.
    page_.DrawBox(p.top, p.left, p.top + row + 0.05, p.right, kRuleWidth, FillStyle::Hollow, PenStyle::Solid);
    return row;
}

void PrintUncertReport(CPage& page, const TagRecord& r, const ReportContext& ctx, SheetNumbering numbering,
                       bool* fits) {
    CPrintRegion& region = BeginReportPage(page, ctx, fits);
    CPrintUncert(page, region, r, ctx, numbering).Print();
}

}  // namespace quorven
