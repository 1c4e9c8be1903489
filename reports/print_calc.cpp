#include "reports/print_calc.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/calculate.h"
#include "engine/correlations/wedge.h"
#include "engine/flow_equation.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/formats.h"
#include "record/meter_texts.h"
#include "record/misc_util.h"
#include "record/units.h"
#include "reports/dry_run_renderer.h"
#include "reports/sheet_values.h"

namespace quorven {
namespace {

// Layout of the sheet, inches in the report region.
constexpr double kLabelColumn = 0.15;
constexpr double kLeftValueColumn = 1.35;
constexpr double kTagValueColumn = 1.0;
constexpr double kRightValueOffset = 1.05;  // right-hand values: middle + 1.05
constexpr double kFluidValueOffset = 0.7;   // "Fluid:" and the state text: middle + 0.7
constexpr double kDrainFactorColumn = 4.15;
constexpr double kRuleWidth = 2;  // device units
// The footer's rule lies this far above the bottom edge of the report.
constexpr double kFooterAbove = 0.5;
// Texts the user or the tables supply (service, client, fluid, memo, meter texts)
// wrap at word breaks within their column: a sheet that cut them would hand on a
// record with part of its description missing.
constexpr int kWrapped = TextStyle::AlignLeft;

// 68 deg F, the reference temperature of the bore and beta labels [deg R].
constexpr double k68F_R = 527.67;

bool IsGas(const TagRecord& r) {
    return r.Fluid_Equation == Code(FluidEquation::GasVolume) ||
           r.Fluid_Equation == Code(FluidEquation::GasMass);
}

bool IsLiquidFlow(const TagRecord& r) {
    return r.Fluid_Equation == Code(FluidEquation::LiquidVolume) ||
           r.Fluid_Equation == Code(FluidEquation::LiquidMass);
}

bool VolumeAtBase(const TagRecord& r) {
    return FlowSymbol(r) == 'Q';
}

bool Is(int32_t field, auto code) {
    return field == Code(code);
}

// Whether the fluid choices name a flow symbol: volume at base or flowing
// conditions, or mass; other combinations print no flow line.
bool HasFlowSymbol(const TagRecord& r) {
    if (Is(r.Fluid_Equation, FluidEquation::GasMass) || Is(r.Fluid_Equation, FluidEquation::LiquidMass))
        return true;
    return FlowSymbol(r) != 'W';
}

// "(68.0 degF)": a reference temperature in a label, in the sheet's own names.
std::string RefTemp(int32_t unit_index, double rankine) {
    return CFormat("%.1f %s", {TemperatureToUser(unit_index, rankine), SheetTemperatureName(unit_index)});
}

// Meter types whose third meter/pipe row names the material at the upstream tap.
bool NamesUpstreamTapMaterial(int32_t t) {
    return IsVenturiTube(t) || IsWedgeMeter(t) || t == Code(MeterType::Uvt) || t == Code(MeterType::LoLoss) ||
           IsProprietaryMeter(t);
}

// The vena contracta tap of segmental and eccentric orifices, as a fraction of the
// pipe diameter: 0.9 D below the beta given, otherwise a sixth-degree polynomial of
// beta (coefficients from the constant term upward).
double VenaContractaFraction(int32_t meter_type, double beta) {
    constexpr double kSegmental[] = {-16.47013496, 189.8270073, -843.8556656, 1954.661625,
                                     -2489.487911, 1652.392875, -447.1777568};
    constexpr double kEccentric[] = {62.66394269, -576.8858946, 2220.256574, -4506.406097,
                                     5092.219982, -3042.878146, 751.4734549};
    const bool segmental = meter_type == Code(MeterType::SegmentalOrifice);
    if (beta < (segmental ? 0.4 : 0.5)) return 0.9;
    const double* c = segmental ? kSegmental : kEccentric;
    double f = 0.0;
    for (int i = 6; i >= 0; --i) f = f * beta + c[i];
    return f;
}

}  // namespace

CPrintCalc::CPrintCalc(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
                       SheetNumbering numbering)
    : page_(page),
      region_(region),
      body_(&region),
      left_(&region),
      r_(r),
      ctx_(ctx),
      numbering_(numbering),
      m_(ctx.page.Middle()) {
    const int footer_rule = page.RowsOf(ctx.page.bottom - kFooterAbove);
    if (CPrintRegion* body =
            page.CreateRegion(Dots{region.top}, Dots{region.left}, Dots{std::min(region.bottom, footer_rule)},
                              Dots{region.right}))
        body_ = body;
    const int middle = region.inner_left + page.ColumnsOf(m_ - 0.05);
    if (CPrintRegion* left = page.CreateRegion(Dots{region.top}, Dots{region.left}, Dots{body_->bottom},
                                               Dots{std::min(region.right, middle)}))
        left_ = left;
}

double CPrintCalc::Text(double row, double column, std::string_view text, int style) {
    return page_.Print(*body_, row, column, style, ctx_.page.font_size, "%s", {text});
}

double CPrintCalc::LeftValue(double row, double column, std::string_view text) {
    return page_.Print(*left_, row, column, kWrapped, ctx_.page.font_size, "%s", {text});
}

double CPrintCalc::Line(double row, std::string_view label, std::string_view value) {
    const double a = Text(row, kLabelColumn, label);
    const double b = Text(row, m_ + kRightValueOffset, value);
    return std::max(a, b);
}

double CPrintCalc::Pair(double row, double value_column, std::string_view left_label,
                        std::string_view left_value, std::string_view right_label,
                        std::string_view right_value) {
    double next = Text(row, kLabelColumn, left_label);
    next = std::max(next, LeftValue(row, value_column, left_value));
    next = std::max(next, Text(row, m_, right_label));
    next = std::max(next, Text(row, m_ + kRightValueOffset, right_value, kWrapped));
    return next;
}

void CPrintCalc::Rule(double row) {
    const PageSettings& p = ctx_.page;
    page_.DrawLine(p.top + row, p.left, p.top + row, p.right, static_cast<int>(kRuleWidth), PenStyle::Solid);
}

double CPrintCalc::SectionFrame(double row, std::string_view title) {
    Rule(row + 0.05);
    const double end = Text(row + 0.07, 0.0, title, TextStyle::AlignCenter);
    Rule(end);
    return end + 0.05;
}

void CPrintCalc::Print() {
    Body();
    Footer();
}

double CPrintCalc::Body() {
    double row = Header(0.0);
    row = ServiceData(row);
    row = MethodAndBaseConditions(row);
    row = MeterPipeData(row);
    row = SizingData(row);
    row = FluidData(row);
    row = FactorData(row);
    row = CalculatedResults(row);
    if (r_.Calc_Status != kStatusWarningsSuppressed) row = Warnings(row);
    return row;
}

double CPrintCalc::Header(double row) {
    const ProjectSettings& s = ctx_.settings;
    constexpr int kCompany = TextStyle::Bold | TextStyle::AlignCenter;
    row = Text(row, 0.0, GetText(s.Company_Name), kCompany);
    row = Text(row, 0.0, GetText(s.Company_Address), kCompany);
    row = Text(row, 0.0, GetText(s.Company_Phone), kCompany);
    Rule(row + 0.02);
    row = Text(row + 0.04, 0.0, CFormat("Quorven %s for Windows 32-bit Platform", {ctx_.version_text}),
               TextStyle::AlignCenter);
    Rule(row + 0.05);
    return row + 0.05;
}

double CPrintCalc::ServiceData(double row) {
    const ProjectSettings& s = ctx_.settings;
    const double end = Text(row + 0.02, 0.0, "Service Data", TextStyle::AlignCenter);
    Rule(end);
    row = end + 0.05;
    row = Pair(row, kTagValueColumn, "Tag:", GetText(r_.Tag_No), "Client:", GetText(s.Client));
    row = Pair(row, kTagValueColumn, "Serv:", GetText(r_.Service), "Project:", GetText(s.Project));
    row = Pair(row, kTagValueColumn, "Line No.:", GetText(r_.Line_No), "J.O./P.O. No.:", GetText(s.JobPO_No));
    return row;
}

double CPrintCalc::MethodAndBaseConditions(double row) {
    const CMiscUtil util;
    const UnitTables& t = ctx_.units;
    row = SectionFrame(row, "Calculation Method & Base Conditions");
    const std::string standard =
        util.StandardText(r_.Calc_Std, r_.Calc_Mode, r_.Meter_Type, r_.Meter_IFOAMfr);
    row = Pair(row, kLeftValueColumn,
               "Sizing Parameter:", util.SizingParameterText(true, r_.Calc_Mode, r_.Calc_SizeParam),
               "C-Std:", standard);
    const std::string atm = WithUnit(Num(FmtAtmPressure, ToUser(r_, Quantity::AtmPressure, r_.AtmPress)),
                                     UnitNameOf(r_, t, Quantity::AtmPressure));
    std::string_view tap;
    if (Is(r_.Tap_Loc, TapLoc::Upstream)) tap = "UPSTREAM";
    if (Is(r_.Tap_Loc, TapLoc::Downstream)) tap = "DOWNSTREAM";
    row = Pair(row, kLeftValueColumn, "Atm Press, Patm:", atm, "Tap Loc:", tap);
    if (VolumeAtBase(r_)) {
        // The base pressure and temperature in their own units, as the form shows them.
        const std::string pb =
            WithUnit(Num(FmtBasePressure, ToUser(r_, Quantity::BasePressure, r_.Base_Press)),
                     UnitNameOf(r_, t, Quantity::BasePressure));
        const std::string tb = WithUnit(Num("%.2f", ToUser(r_, Quantity::BaseTemperature, r_.Base_Temp)),
                                        UnitNameOf(r_, t, Quantity::BaseTemperature));
        row = Pair(row, kLeftValueColumn, "Base Press, Pb:", pb, "Base Temp, Tb:", tb);
    }
    return row;
}

double CPrintCalc::MeterPipeData(double row) {
    const CMiscUtil util;
    const UnitTables& t = ctx_.units;
    const int32_t type = r_.Meter_Type;
    row = SectionFrame(row, "Meter/Pipe Data");

    std::string family = MeterFamilyText(type, r_.Meter_Diffuser, r_.Meter_VenturiExit);
    const MeterTypeTexts* texts = FindMeterType(type);
    std::string style = texts ? texts->type : "";
    std::string tap(TapStyleText(type, r_.Calc_Std, r_.Tap_Style));
    if (IsCustomMeter(type)) {
        style = GetText(r_.Meter_Style_Text);
        tap = GetText(r_.Tap_Style_Text);
    }
    if (type == Code(MeterType::IntegralOrifice)) {
        if (Is(r_.Meter_IFOAMfr, IfoaMfr::SiebeFoxboro)) family = "FOXBORO IFOA";
        if (Is(r_.Meter_IFOAMfr, IfoaMfr::FisherRosemount)) family = "FISHER-ROSEMOUNT 1195";
        if (Is(r_.Meter_IFOASize, IfoaSize::Quadrant05)) style = "QUADRANT";
        if (r_.Meter_IFOASize >= Code(IfoaSize::Square05) && r_.Meter_IFOASize <= Code(IfoaSize::Square15))
            style = "SQUARE-EDGED";
    }
    if (Is(r_.Calc_Mode, CalcMode::CriticalDrop)) tap = "NONE";

    std::string elem(util.MaterialTag(r_.Matl_Elem));
    if (elem.empty()) elem = GetText(r_.Elem_Matl);
    std::string pipe(util.MaterialTag(r_.Matl_Pipe));
    if (pipe.empty()) pipe = GetText(r_.Pipe_Matl);

    // The nominal size snapped to the standard size it lies near; DN in mm, or DN / 10 in cm.
    const double snapped = util.SnapNominalSize(r_.Pipe_NomDia);
    double nominal = ToUser(r_, Quantity::PipeSize, r_.Pipe_NomDia);
    if (r_.Unit_Pipe_Set == 0) nominal = snapped;
    if (r_.Unit_Pipe_Set == 1) nominal = util.NominalSizeMm(snapped);
    if (r_.Unit_Pipe_Set == 2) nominal = util.NominalSizeMm(snapped) / 10.0;
    const std::string nominal_text = WithUnit(Num("%.2f", nominal), UnitNameOf(r_, t, Quantity::PipeSize));
    const std::string id_text =
        WithUnit(Num("%.3f", ToUser(r_, Quantity::Bore, r_.Pipe_IDia)), UnitNameOf(r_, t, Quantity::Bore));

    row = Pair(row, kLeftValueColumn, "Meter Type:", family, "Meter Matl:", elem);
    row = Pair(row, kLeftValueColumn, "Meter Style:", style, "Tap Style:", tap);
    row = Pair(row, kLeftValueColumn, "Nom Pipe Size:", nominal_text,
               NamesUpstreamTapMaterial(type) ? "Matl @ Upstr Tap:" : "Pipe Matl:", pipe);
    row = Pair(row, kLeftValueColumn, "Pipe I.D., D(ref):", id_text, "Pipe Sched:",
               CMiscUtil().ShownScheduleText(r_.Matl_Pipe, r_.Pipe_Sched, GetText(r_.Pipe_Sched_Text)));
    return row;
}

double CPrintCalc::SizingData(double row) {
    const UnitTables& t = ctx_.units;
    const int32_t mode = r_.Calc_Mode;
    const int32_t param = r_.Calc_SizeParam;
    const char sym = FlowSymbol(r_);
    const std::string flow_unit = UnitNameOf(r_, t, Quantity::Flow);
    const std::string dp_unit = UnitNameOf(r_, t, Quantity::DiffPressure);
    const std::string bore_unit = UnitNameOf(r_, t, Quantity::Bore);
    const std::string ref68 = RefTemp(r_.Unit_DpRefTemp_Set, k68F_R);
    const std::string dp_ref =
        CFormat("(ref dP - %s @ %s)", {dp_unit, RefTemp(r_.Unit_DpRefTemp_Set, r_.DpRefTemp)});
    const std::string flow_max = WithUnit(Num(FmtFlow, ToUser(r_, Quantity::Flow, r_.Flow_Max)), flow_unit);
    const std::string flow_norm = WithUnit(Num(FmtFlow, ToUser(r_, Quantity::Flow, r_.Flow_Norm)), flow_unit);
    const std::string dp_max =
        WithUnit(Num(FmtDiffPressure, ToUser(r_, Quantity::DiffPressure, r_.Dp_Max)), dp_unit);
    const std::string bore = WithUnit(Num(FmtShort, ToUser(r_, Quantity::Bore, r_.Bore)), bore_unit);
    const std::string bore_label = CFormat("Orifice Bore, d (%s):", {ref68});

    row = SectionFrame(row, "Sizing Data");
    auto bore_line = [&] {
        if (IsWedgeMeter(r_.Meter_Type)) {
            // A dash when there is no pipe diameter.
            row = Line(row, "H/D Ratio, H/D:", Num("%.4f", r_.SegHs / r_.Pipe_IDia));
        } else {
            row = Line(row, bore_label, bore);
        }
    };
    auto critical_flow_line = [&] {
        const std::string label = CFormat("Flow, %s:", {std::string(1, sym)});
        if (HasFlowSymbol(r_)) row = Line(row, label, flow_max);
    };
    auto choked_line = [&] {
        if (!IsGas(r_)) return;
        const double pc = CriticalPressureOf(r_, nullptr);
        row = Line(row, "Choked @ Downstream Pressures (Pf2) <:",
                   WithUnit(Num(FmtPressure, ToUser(r_, Quantity::Pressure, pc)),
                            UnitNameOf(r_, t, Quantity::Pressure)));
    };
    const std::string max_dp_label = CFormat("Maximum Differential, dPm %s:", {dp_ref});

    if (Is(mode, CalcMode::Meter)) {
        if (Is(param, SizeParam::Bore) || Is(param, SizeParam::Dp)) {
            row = Line(row, CFormat("Maximum Flow, %2s:", {std::string{sym, 'm'}}), flow_max);
            row = Line(row, CFormat("Normal Flow, %2s:", {std::string{sym, 'n'}}), flow_norm);
            if (Is(param, SizeParam::Bore))
                row = Line(row, max_dp_label, dp_max);
            else
                bore_line();
        } else if (Is(param, SizeParam::Flow)) {
            bore_line();
            row = Line(row, max_dp_label, dp_max);
            const std::string dp_norm =
                WithUnit(Num(FmtDiffPressure, ToUser(r_, Quantity::DiffPressure, r_.Dp_Norm)), dp_unit);
            row = Line(row, CFormat("Normal Differential, dPm %s:", {dp_ref}), dp_norm);
        }
    } else if (Is(mode, CalcMode::CriticalDrop)) {
        if (Is(param, SizeParam::Bore)) {
            critical_flow_line();
            choked_line();
        } else if (Is(param, SizeParam::Flow)) {
            row = Line(row, CFormat("Beta, B (%s):", {ref68}), Num("%.5f", r_.Beta));
            row = Line(row, bore_label, bore);
            choked_line();
        }
    } else if (Is(mode, CalcMode::Restriction)) {
        const std::string flow_label = CFormat("Flow, %2s:", {std::string(1, sym)});
        if (Is(param, SizeParam::Bore)) {
            row = Line(row, flow_label, flow_max);
            row = Line(row, "Differential, dP (@flow temp):", dp_max);
        } else if (Is(param, SizeParam::Dp)) {
            row = Line(row, flow_label, flow_max);
            row = Line(row, bore_label, bore);
        } else if (Is(param, SizeParam::Flow)) {
            row = Line(row, bore_label, bore);
            row = Line(row, "Differential, dP (@flow temp):", dp_max);
        }
    }
    return row;
}

double CPrintCalc::FluidData(double row) {
    const CMiscUtil util;
    const UnitTables& t = ctx_.units;
    const char tap = TapDigit(r_);
    const std::string tap_s(1, tap);
    const std::string dens_unit = UnitNameOf(r_, t, Quantity::Density);
    const int32_t eq = r_.Fluid_Equation;
    const int32_t cond = r_.Fluid_Condition;
    const int32_t prop = r_.Fluid_Property;

    row = SectionFrame(row, "Fluid Data");
    const double value_column = m_ + kFluidValueOffset;
    row = std::max(Text(row, kLabelColumn, "Fluid:"), Text(row, value_column, GetText(r_.Fluid), kWrapped));
    row = std::max(Text(row, kLabelColumn, "State-Units-Equation-Condition:"),
                   Text(row, value_column, util.FluidEquationText(eq, cond, prop)));

    auto density = [&](double lb_ft3) {
        return WithUnit(Num(FmtDensity, ToUser(r_, Quantity::Density, lb_ft3)), dens_unit);
    };
    auto mw_sg = [&] {
        row = Line(row, Is(prop, FluidProperty::GasMW) ? "Molecular Weight, Mw:" : "Specific Gravity, Gg:",
                   Num("%.4f", r_.Property_MwDenVp));
    };
    auto zb = [&] { row = Line(row, "Compressibility (Base), Zb:", Num("%.5f", r_.Base_RhoGZ)); };
    auto zf = [&] {
        row = Line(row, CFormat("Compressibility (Flowing), Zf%s:", {tap_s}), Num(FmtDensity, r_.Flow_RhoGZ));
    };
    auto db = [&] { row = Line(row, "Density (Base), Db:", density(r_.Base_RhoGZ)); };
    auto df = [&] { row = Line(row, CFormat("Density (Flowing), Df%s:", {tap_s}), density(r_.Flow_RhoGZ)); };
    auto gb = [&] { row = Line(row, "Specific Gravity (Base), Gb:", Num(FmtDensity, r_.Base_RhoGZ)); };
    auto gf = [&] { row = Line(row, "Specific Gravity (Flowing), Gf:", Num(FmtDensity, r_.Flow_RhoGZ)); };
    auto pf = [&] {
        row = Line(row, CFormat("Pressure (Flowing), Pf%s:", {tap_s}),
                   WithUnit(Num(FmtPressure, ToUser(r_, Quantity::Pressure, r_.Flow_Press)),
                            UnitNameOf(r_, t, Quantity::Pressure)));
    };
    auto tf = [&] {
        row = Line(row, CFormat("Temperature (Flowing), Tf%s:", {tap_s}),
                   WithUnit(Num("%.1f", ToUser(r_, Quantity::Temperature, r_.Flow_Temp)),
                            UnitNameOf(r_, t, Quantity::Temperature)));
    };
    auto u = [&] {
        row = Line(row, "Viscosity, U:",
                   WithUnit(Num(FmtViscosity, ToUser(r_, Quantity::Viscosity, r_.Property_Visc)),
                            UnitNameOf(r_, t, Quantity::Viscosity)));
    };
    auto k = [&] { row = Line(row, "Specific Heat Ratio (Cp/Cv), K:", Num("%.4f", r_.Property_KFp)); };
    auto mw = [&] { row = Line(row, "Molecular Weight, Mw:", Num("%.4f", r_.Property_MwDenVp)); };
    auto quality = [&](const char* density_label) {
        row = Line(row, density_label, density(r_.Factor_QualRho));
        row = Line(row, "Quality, x:", WithUnit(Num("%.2f", r_.Factor_QualX), "%"));
    };
    const bool critical = Is(r_.Calc_Mode, CalcMode::CriticalDrop);
    const bool pvt = Is(prop, FluidProperty::GasSG) || Is(prop, FluidProperty::GasMW);
    const bool gas_density = Is(prop, FluidProperty::GasDensity);
    const bool wet_vapour = Is(eq, FluidEquation::GasMass) && r_.Factor_VapQual == 1;

    if (Is(eq, FluidEquation::GasVolume) && Is(cond, FluidCondition::GasBase)) {
        if (gas_density) {
            db(), df(), pf(), tf(), u(), k();
            if (critical) mw();
        } else if (pvt) {
            mw_sg(), zb(), zf(), pf(), tf(), u(), k();
        }
    } else if ((Is(eq, FluidEquation::GasVolume) && Is(cond, FluidCondition::GasFlowing)) ||
               Is(eq, FluidEquation::GasMass)) {
        if (pvt) {
            mw_sg(), zf(), pf(), tf(), u(), k();
            if (wet_vapour) quality("Liquid Density, Df:");
        } else if (gas_density) {
            df(), pf(), tf(), u(), k();
            if (critical) mw();
            if (wet_vapour) quality("Liquid Density, Df:");
        }
    } else if (IsLiquidFlow(r_)) {
        const bool sg = Is(prop, FluidProperty::LiquidSG);
        const bool dens = Is(prop, FluidProperty::LiquidDensity);
        if (Is(eq, FluidEquation::LiquidVolume) && Is(cond, FluidCondition::LiquidBaseTemp)) {
            if (sg) gb(), gf(), pf(), tf(), u();
            if (dens) db(), df(), pf(), tf(), u();
        } else if (Is(cond, FluidCondition::LiquidFlowingTemp) || Is(eq, FluidEquation::LiquidMass)) {
            if (sg) gf(), pf(), tf(), u();
            if (dens) df(), pf(), tf(), u();
        }
        if (r_.Factor_SatLiq == 1) quality("Vapor Density, Dv:");
        // The vapour pressure in the atmospheric pressure unit, as the form shows it.
        row = Line(row, "Liquid Vapor Pressure, Pv:",
                   WithUnit(Num(FmtPressure, ToUser(r_, Quantity::AtmPressure, r_.Property_MwDenVp)),
                            UnitNameOf(r_, t, Quantity::AtmPressure)));
        row = Line(row, "Liquid Compressibility, Fp:", Num("%.4f", r_.Property_KFp));
    }
    return row;
}

double CPrintCalc::FactorData(double row) {
    if (r_.Factor_Manometer == 0 && r_.Factor_Drain == 0 && r_.Factor_H2OvapIncl == 0 &&
        r_.Factor_SatLiq == 0 && r_.Factor_VapQual == 0)
        return row;
    row = SectionFrame(row, "Factor Data");
    if (r_.Factor_Manometer != 0) row = Line(row, "Manometer Factor, Fm:", Num("%.6f", r_.Fm));
    if (r_.Factor_H2OvapIncl != 0) row = Line(row, "Water Vapor Correction, Fwv:", Num("%.6f", r_.Fwv));
    if (r_.Factor_SatLiq != 0) row = Line(row, "Saturated Liquid Correction, Fsat:", Num("%.6f", r_.Fx));
    if (r_.Factor_VapQual != 0) row = Line(row, "Vapor Quality Correction, Fx:", Num("%.6f", r_.Fx));
    if (r_.Factor_Drain != 0) {
        const bool liquid = IsLiquid(r_);
        const std::string dia = WithUnit(Num("%.4f", ToUser(r_, Quantity::Bore, r_.Factor_DrainDia)),
                                         UnitNameOf(r_, ctx_.units, Quantity::Bore));
        const double a =
            Text(row, kLabelColumn, CFormat(liquid ? "Vent Dia, ddh:  %s" : "Drain Dia, ddh:  %s", {dia}));
        const double b =
            Text(row, kDrainFactorColumn,
                 CFormat(liquid ? "Vent Factor, Fdh:  %s" : "Drain Factor, Fdh:  %s", {Num("%.6f", r_.Fdh)}));
        row = std::max(a, b);
    }
    return row;
}

double CPrintCalc::CalculatedResults(double row) {
    const UnitTables& t = ctx_.units;
    const int32_t mode = r_.Calc_Mode;
    const int32_t param = r_.Calc_SizeParam;
    const int32_t type = r_.Meter_Type;
    const std::string bore_unit = UnitNameOf(r_, t, Quantity::Bore);
    const std::string dp_unit = UnitNameOf(r_, t, Quantity::DiffPressure);
    const std::string flow_unit = UnitNameOf(r_, t, Quantity::Flow);
    const std::string ref68 = RefTemp(r_.Unit_DpRefTemp_Set, k68F_R);
    const std::string dp_ref =
        CFormat("(ref dP - %s @ %s)", {dp_unit, RefTemp(r_.Unit_DpRefTemp_Set, r_.DpRefTemp)});
    auto length = [&](const char* format, double inches) {
        return WithUnit(Num(format, ToUser(r_, Quantity::Bore, inches)), bore_unit);
    };
    auto short_length = [&](double inches) {
        return WithUnit(Num(FmtShort, ToUser(r_, Quantity::Bore, inches)), bore_unit);
    };
    auto dp = [&](double inh2o) {
        return WithUnit(Num(FmtDiffPressure, ToUser(r_, Quantity::DiffPressure, inh2o)), dp_unit);
    };
    auto flow = [&](double v) { return WithUnit(Num(FmtFlow, ToUser(r_, Quantity::Flow, v)), flow_unit); };
    const std::string bore_label = CFormat("Orifice Bore, d (%s):", {ref68});
    const std::string beta_label = CFormat("Beta, B (%s):", {ref68});

    row = SectionFrame(row, "Calculated Results");
    const bool meter = Is(mode, CalcMode::Meter);
    const bool critical = Is(mode, CalcMode::CriticalDrop);
    const bool restriction = Is(mode, CalcMode::Restriction);

    if (!critical) row = Line(row, "Sizing Factor, Sm:", Num("%.6f", r_.Sm));
    // Reynolds numbers as the engine stored them. The throat-tap nozzles' number is
    // already bore-based and is printed once, as stored.
    if (critical) {
        row = Line(row, "Bore Reynolds Number @ Flow, Rd:", Num("%.0f", r_.Rd));
    } else if (type == Code(MeterType::AsmeThroatTapNozzle) ||
               type == Code(MeterType::CustomThroatTapNozzle)) {
        row = Line(row, "Bore Reynolds Number @ Normal Flow, Rd:", Num("%.0f", r_.Rd));
    } else if (meter) {
        row = Line(
            row, "Pipe Reynolds Number @ Maximum Flow, RD:", Num("%.0f", r_.Rd * r_.Flow_Max / r_.Flow_Norm));
        row = Line(row, "Pipe Reynolds Number @ Normal Flow, RD:", Num("%.0f", r_.Rd));
    } else {
        row = Line(row, "Pipe Reynolds Number @ Flow, RD:", Num("%.0f", r_.Rd * r_.Flow_Max / r_.Flow_Norm));
    }
    row = Line(row, "Discharge Coefficient, C:", Num("%.6f", r_.C));
    if (IsGas(r_)) {
        const std::string label = critical
                                      ? "Critical Flow Function, Ycr:"
                                      : CFormat("Expansion Factor, Y%s:", {std::string(1, TapDigit(r_))});
        row = Line(row, label, Num("%.6f", r_.Y));
    }
    row = Line(row, "Bore Expansion Factor, Fad:", Num("%.6f", r_.Fa_Meter));
    row = Line(row, "Pipe Expansion Factor, FaD:", Num("%.6f", r_.Fa_Pipe));

    if (meter) {
        // The loss and the velocity the engine stored; the throat velocity is that of
        // the normal flow.
        row = Line(row, "Permanent dP Loss:", WithUnit(Num("%.2f", r_.Dp_Loss), "%"));
        row = Line(row, "Throat Velocity @ Normal Flow:",
                   WithUnit(Num("%.2f", ToUser(r_, Quantity::Velocity, r_.Velocity)),
                            UnitNameOf(r_, t, Quantity::Velocity)));
        if (type == Code(MeterType::SegmentalOrifice) || type == Code(MeterType::EccentricOrifice)) {
            const bool segmental = type == Code(MeterType::SegmentalOrifice);
            row = Line(
                row, CFormat(segmental ? "Beta (Segmental), B (%s):" : "Beta (Eccentric), B (%s):", {ref68}),
                Num("%.5f", r_.Beta));
            if (segmental) {
                row = Line(row, "Diameter of Segment, Dc:", length("%.4f", r_.SegDc));
                row = Line(row, "Height of Segment, Hs:", length("%.4f", r_.SegHs));
            } else {
                row = Line(row, bore_label, short_length(r_.Bore));
            }
            row = Line(row, "Vena Contracta Tap Location:",
                       length("%.4f", r_.Pipe_IDia * VenaContractaFraction(type, r_.Beta)));
        } else if (IsWedgeMeter(type)) {
            row = Line(row, "Beta Equivalent (Wedge):", Num("%.4f", r_.Beta));
            if (Is(param, SizeParam::Bore))
                row = Line(row, "H/D Ratio, H/D:", Num("%.4f", r_.SegHs / r_.Pipe_IDia));
            row = Line(row, "Diameter of Meter, D:", length("%.4f", r_.Pipe_IDia));
            row = Line(row, "Wedgemeter Flow Coefficient, Kd \xB2:",
                       Num("%.6f", WedgeFlowCoefficientKd2(r_.C, r_.Bore, r_.Beta)));
            row = Line(row, "Height of Wedge, Hw:", length("%.4f", r_.SegHs));
            const std::string temp = CFormat("%.1f %s", {TemperatureToUser(r_.Unit_Temp_Set, k68F_R),
                                                         UnitNameOf(r_, t, Quantity::Temperature)});
            row = Line(row, CFormat("Equivalent Bore, d (%s):", {temp}), short_length(r_.Bore));
        } else {
            row = Line(row, beta_label, Num("%.5f", r_.Beta));
            row = Line(row, bore_label, short_length(r_.Bore));
        }
        if (Is(param, SizeParam::Dp))
            row = Line(row, CFormat("Maximum Differential, dPm %s:", {dp_ref}), dp(r_.Dp_Max));
        if (Is(param, SizeParam::Bore) || Is(param, SizeParam::Dp))
            row = Line(row, CFormat("Normal Differential, dPn %s:", {dp_ref}), dp(r_.Dp_Norm));
        if (Is(param, SizeParam::Flow)) {
            const char sym = FlowSymbol(r_);
            if (HasFlowSymbol(r_)) {
                row = Line(row, CFormat("Maximum Flow, %sm:", {std::string(1, sym)}), flow(r_.Flow_Max));
                row = Line(row, CFormat("Normal Flow, %sn:", {std::string(1, sym)}), flow(r_.Flow_Norm));
            }
        }
        if (type == Code(MeterType::QuadrantOrifice) &&
            (Is(param, SizeParam::Bore) || Is(param, SizeParam::Dp)))
            row = Line(row, "Radius of Quadrant, r:", length("%.4f", r_.Qrad_K0));
    }

    if (critical || restriction) {
        const bool thickness = Is(param, SizeParam::Bore) || Is(param, SizeParam::Flow) ||
                               (Is(param, SizeParam::Dp) && restriction);
        if (thickness) {
            if (type == Code(MeterType::ConcentricOrifice) ||
                type == Code(MeterType::CriticalSquareEdgedOrifice))
                row = Line(row, "Minimum plate thickness for dP:", short_length(r_.Min_Thick));
            if (type == Code(MeterType::CriticalThickOrifice))
                row = Line(row, "Minimum thick orifice plate thickness:",
                           short_length(r_.Bore * (IsLiquid(r_) ? 6.0 : 1.0)));
        }
        row = Line(row, beta_label, Num("%.5f", r_.Beta));
        if (Is(param, SizeParam::Bore)) {
            row = Line(row, bore_label, short_length(r_.Bore));
        } else if (Is(param, SizeParam::Flow)) {
            const char sym = FlowSymbol(r_);
            if (HasFlowSymbol(r_))
                row = Line(row, CFormat("Flow, %s:", {std::string(1, sym)}), flow(r_.Flow_Max));
        } else if (Is(param, SizeParam::Dp) && restriction) {
            const std::string temp = CFormat("%.1f %s", {TemperatureToUser(r_.Unit_Temp_Set, r_.DpRefTemp),
                                                         UnitNameOf(r_, t, Quantity::Temperature)});
            row = Line(row, CFormat("Differential, dP (%s):", {temp}),
                       WithUnit(Num("%.3f", ToUser(r_, Quantity::DiffPressure, r_.Dp_Max)), dp_unit));
        }
    }

    if (meter && r_.Uncert_Incl == 1)
        row = Line(row, "Orifice Uncertainty, Uo:",
                   WithUnit(Num("%.2f", r_.MeterUncert + (r_.Uncert_StraightRun == 1 ? 0.5 : 0.0)), "%"));
    if (critical || restriction)
        row = Line(row, "Orifice Noise @ 1 m downstream:", WithUnit(Num("%.1f", r_.Outlet_Noise), "dBA"));
    const std::string_view memo = GetText(r_.Memo);
    if (!memo.empty()) {
        const double a = Text(row, kLabelColumn, "Calc Memo:");
        // The memo's column is the left margin + 0.5 in, measured in the region.
        const double b = Text(row, ctx_.page.left + 0.5, memo, kWrapped);
        row = std::max(a, b);
    }
    return row;
}

double CPrintCalc::Warnings(double row) {
    const std::vector<std::string> notes = CalcSheetNotes(r_, ctx_.units);
    if (notes.empty()) return row;
    Rule(row + 0.05);
    const double end = Text(row + 0.07, kLabelColumn, "Warnings", TextStyle::AlignCenter);
    Rule(end);
    row = Text(end + 0.05, kLabelColumn, "Consult with your manufacturer regarding following warnings!");
    // A note is a line of its own; with a large font it wraps rather than lose its end.
    for (const std::string& note : notes) row = Text(row, kLabelColumn, note, kWrapped);
    return row;
}

std::string CPrintCalc::CalcNumberText(const ProjectSettings& s, bool numbered) {
    const std::string_view number = GetText(s.CalcSO_No);
    if (!number.empty()) return CFormat("Calc Number:  %s", {number});
    return numbered ? "Calc Number:  _________________" : "Calc Number:  __________________";
}

std::string CPrintCalc::SheetText(const SheetNumbering& n) {
    if (!n.numbered) return "Sht: ___ of ___ Chk: _____";
    return CFormat("Sht: %3d of %-3d Chk: _____",
                   {static_cast<long long>(n.sheet_no), static_cast<long long>(n.sheet_count)});
}

void CPrintCalc::Footer() {
    const PageSettings& p = ctx_.page;
    const double rule = p.bottom - kFooterAbove;
    page_.DrawLine(rule, p.left, rule, p.right, static_cast<int>(kRuleWidth), PenStyle::Solid);
    double row = rule - p.top + 0.02;
    const double right = m_ + kRightValueOffset;
    auto text = [&](double at, double column, const std::string& t) {
        return page_.Print(region_, at, column, TextStyle::SingleLine, p.font_size, "%s", {t});
    };
    row = std::max(text(row, kLabelColumn, CalcNumberText(ctx_.settings, numbering_.numbered)),
                   text(row, right, SheetText(numbering_)));
    text(row, kLabelColumn, CFormat("By: %s", {GetText(r_.Name)}));
    text(row, right,
         CFormat("Rev: %2d  Date: %12s", {static_cast<long long>(r_.Calc_Rev), GetText(r_.Date)}));
    page_.DrawBox(p.top, p.left, p.bottom, p.right, static_cast<int>(kRuleWidth), FillStyle::Hollow,
                  PenStyle::Solid);
}

void PrintCalcSheet(CPage& page, const TagRecord& r, const ReportContext& ctx, SheetNumbering numbering,
                    bool* fits) {
    // The font size and line spacing with which the body ends above the footer, the
    // footer inside the frame and no text runs into another (the columns stand at
    // fixed inches, so a large printer font would push labels into their values):
    // the page settings' own first, then a line spacing of 1, then smaller fonts down
    // to 6 pt. Each is tried on a dry run that measures on the page's own device.
    const PageSettings& p = ctx.page;
    constexpr int kSmallestFont = 6;
    std::vector<std::pair<int, double>> layouts{{p.font_size, p.line_spacing}};
    const double tight = std::min(p.line_spacing, 1.0);
    if (tight < p.line_spacing) layouts.emplace_back(p.font_size, tight);
    for (int size = p.font_size - 1; size >= kSmallestFont; --size) layouts.emplace_back(size, tight);
    const double limit = p.bottom - kFooterAbove - p.top - 0.02;

    ReportContext chosen = ctx;
    for (const auto& [size, spacing] : layouts) {
        chosen.page.font_size = size;
        chosen.page.line_spacing = spacing;
        DryRunRenderer dry(page.Device());
        CPage trial({0, 0, page.State().page_width, page.State().page_height}, dry);
        CPrintRegion& region = BeginReportPage(trial, chosen);
        CPrintCalc sheet(trial, region, r, chosen, numbering);
        const double body_end = sheet.Body();
        sheet.Footer();
        if (body_end <= limit && dry.LowestText() <= region.bottom && !dry.TextsOverlap()) break;
    }
    CPrintRegion& region = BeginReportPage(page, chosen, fits);
    CPrintCalc sheet(page, region, r, chosen, numbering);
    sheet.Print();
}

}  // namespace quorven
