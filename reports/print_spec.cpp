#include "reports/print_spec.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/flow_equation.h"
#include "form/datasheet_entry.h"
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

// Columns of the form, inches from the left margin.
constexpr double kTitleColumn = 0.15;
constexpr double kNumberColumn = 1.0;
constexpr double kLabelColumn = 1.25;
constexpr double kTitleRule = 0.95;  // between the block titles and the numbers
constexpr double kNumberRule = 1.2;  // between the numbers and the labels
constexpr double kNoteColumn = 0.6;
// Rows: each row starts this far below where the previous one ended.
constexpr double kRowGap = 0.02;
// The title block's first row.
constexpr double kTitleTop = 0.05;
constexpr int kFrameWidth = 2;  // device units
constexpr int kRuleWidth = 1;

constexpr int32_t T(MeterType m) {
    return Code(m);
}

bool IsGas(const TagRecord& r) {
    return !IsLiquid(r);
}

// The element type line: the style and family texts joined by one blank, or the
// calibrated meters' own names.
std::string ReportElementType(const TagRecord& r) {
    switch (r.Meter_Type) {
        case T(MeterType::CustomOrifice):
            return "Calibrated Orifice Plate";
        case T(MeterType::CustomWallTapNozzle):
            return "Calibrated Flow Nozzle";
        case T(MeterType::CustomVenturi):
            return "Calibrated Venturi";
        case T(MeterType::CustomFlowTube):
            return "Calibrated Flow Tube";
        default:
            break;
    }
    const std::string_view style = GetText(r.Meter_Style_Text);
    const std::string_view meter = GetText(r.Meter);
    if (style.empty()) return std::string(meter);
    if (meter.empty()) return std::string(style);
    return CFormat("%s %s", {style, meter});
}

// The "Standard" line: the standard text, with the wedge names and critical-drop sizing.
std::string ReportStandardText(const TagRecord& r) {
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) return "CRITICAL DROP SIZING";
    if (r.Meter_Type == T(MeterType::WedgeIso5167_6)) return "ISO 5167-6 (2019)";
    if (r.Meter_Type == T(MeterType::WedgeMiller)) return "R.W. Miller";
    if (IsAbbWedge(r.Meter_Type)) return "ABB Proprietary";
    return CMiscUtil().StandardText(r.Calc_Std, r.Calc_Mode, r.Meter_Type, r.Meter_IFOAMfr);
}

}  // namespace

CPrintSpec::CPrintSpec(CPage& page, CPrintRegion& region, const TagRecord& r, const ReportContext& ctx,
                       SheetNumbering numbering)
    : page_(page),
      region_(region),
      r_(r),
      ctx_(ctx),
      numbering_(numbering),
      m_(ctx.page.Middle()),
      w_(ctx.page.right - ctx.page.left) {}

std::string CPrintSpec::ElementTitle(const TagRecord& r) {
    if (r.Calc_Mode == Code(CalcMode::Restriction)) return "Restriction Orifice";
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) return "Critical Drop Orifice";
    const int32_t t = r.Meter_Type;
    if (IsOrificePlate(t)) return "Orifice Plate";
    if (IsNozzle(t)) return "Flow Nozzle";
    if (t >= T(MeterType::VenturiMachined) && t <= T(MeterType::VenturiWeldedSheet)) return "VENTURI";
    if (t == T(MeterType::Uvt) || t == T(MeterType::LoLoss) || IsProprietaryMeter(t)) return "Flow Tube";
    if (t == T(MeterType::CustomOrifice)) return "Calibrated Orifice Plate";
    if (t == T(MeterType::CustomWallTapNozzle)) return "Calibrated Flow Nozzle";
    if (t == T(MeterType::CustomVenturi)) return "Calibrated Venturi";
    if (t == T(MeterType::CustomFlowTube)) return "Calibrated Flow Tube";
    if (t == T(MeterType::WedgeIso5167_6) ||
        (t >= T(MeterType::WedgeAbb1610L) && t <= T(MeterType::WedgeAbb1630L)))
        return "Wedge Meter";
    if (t >= T(MeterType::WedgeAbb1335L) && t <= T(MeterType::WedgeAbb1337L)) return "Integral Wedge Meter";
    // The other meter types (throat tap nozzle 1359, Miller wedge, calibrated wedge,
    // critical-drop venturi, PTC 19.5 venturi) are named by their family text.
    if (const MeterTypeTexts* texts = FindMeterType(t)) return texts->family;
    return std::string(GetText(r.Meter));
}

std::string CPrintSpec::SheetText(const TagRecord& r, const SheetNumbering& n) {
    if (n.numbered)
        return CFormat("Sht:  %-3d of %3d",
                       {static_cast<long long>(n.sheet_no), static_cast<long long>(n.sheet_count)});
    if (!GetText(r.Sht_No).empty())
        return CFormat("Sht:  %-3s of %3s", {GetText(r.Sht_No), GetText(r.Sht_Of)});
    return "Sht:  ___ of ___";
}

double CPrintSpec::Text(double row, double column, std::string_view text, int style, int size) {
    return page_.Print(region_, row, column, style, size, "%s", {text});
}

double CPrintSpec::Text(double row, double column, std::string_view text) {
    return Text(row, column, text, TextStyle::SingleLine, ctx_.page.font_size);
}

void CPrintSpec::HRule(double row, double from, double to, int width) {
    const PageSettings& p = ctx_.page;
    page_.DrawLine(p.top + row, p.left + from, p.top + row, p.left + to, width, PenStyle::Solid);
}

void CPrintSpec::VRule(double column, double top, double bottom, int width) {
    const PageSettings& p = ctx_.page;
    page_.DrawLine(p.top + top, p.left + column, p.top + bottom, p.left + column, width, PenStyle::Solid);
}

double CPrintSpec::Line(double row, const Value& first, const Value* second) {
    const bool first_in_block = row <= block_top_ + kRowGap + 1e-9;
    const double above = first_in_block ? block_top_ : row - kRowGap / 2;
    if (!first_in_block) HRule(above, kTitleRule, w_, kRuleWidth);
    double end = Text(row, kNumberColumn, CFormat("%2d", {static_cast<long long>(line_no_++)}));
    end = std::max(end, Text(row, kLabelColumn, first.label));
    end = std::max(end, Text(row, m_ + 0.1, first.text));
    if (second != nullptr) {
        end = std::max(end, Text(row, w_ / 3.0 + 0.05, second->label));
        end = std::max(end, Text(row, (w_ + m_) / 2.0 + 0.05, second->text));
        VRule(w_ / 3.0, above, end, kRuleWidth);
        VRule((w_ + m_) / 2.0, above, end, kRuleWidth);
    }
    if (!block_title_.empty()) {
        const double title_end = Text(row, kTitleColumn, block_title_);
        block_title_.clear();
        if (!block_title2_.empty()) {
            // The second title row stands in the title column below the first; the
            // line rules start right of that column.
            Text(title_end, kTitleColumn, block_title2_);
            block_title2_.clear();
        }
    }
    return end + kRowGap;
}

double CPrintSpec::UserLine(double row, std::string_view label, std::string_view value) {
    return Line(row, {std::string(label), std::string(value)});
}

void CPrintSpec::CloseBlock(double top, double bottom, bool columns) {
    const PageSettings& p = ctx_.page;
    page_.DrawBox(p.top + top, p.left, p.top + bottom, p.right, kFrameWidth, FillStyle::Hollow,
                  PenStyle::Solid);
    if (!columns) return;
    VRule(kTitleRule, top, bottom, kRuleWidth);
    VRule(kNumberRule, top, bottom, kRuleWidth);
    VRule(m_, top, bottom, kRuleWidth);
}

double CPrintSpec::Print() {
    double row = TitleBlock(kTitleTop);
    row = ServiceBlock(row);
    row = FluidBlock(row);
    row = ElementBlock(row);
    row = TapsBlock(row);
    row = PipeBlock(row);
    row = MeterBlock(row);
    row = OptionsBlock(row);
    return NotesBlock(row);
}

double CPrintSpec::TitleBlock(double row) {
    const ProjectSettings& s = ctx_.settings;
    const int size = ctx_.page.font_size;
    struct TitleRow {
        std::string left, no, by, date, right;
    };
    const TitleRow rows[5] = {
        {std::string(GetText(s.Company_Name)), "No", "By", "Date",
         CFormat("Job#:  %s", {GetText(s.JobPO_No)})},
        {CFormat("Datasheet for %s", {ElementTitle(r_)}), std::string(GetText(r_.Rev_No_1)),
         std::string(GetText(r_.Rev_By_1)), std::string(GetText(r_.Rev_Date_1)),
         CFormat("Spec/Req#:   %s", {GetText(r_.Spec_No)})},
        {CFormat("Client: %s", {GetText(s.Client)}), std::string(GetText(r_.Rev_No_2)),
         std::string(GetText(r_.Rev_By_2)), std::string(GetText(r_.Rev_Date_2)), SheetText(r_, numbering_)},
        {CFormat("Project:  %s", {GetText(s.Project)}), std::string(GetText(r_.Rev_No_3)),
         std::string(GetText(r_.Rev_By_3)), std::string(GetText(r_.Rev_Date_3)),
         CFormat("Rev: %-3s Date:  %s", {GetText(r_.Rev_No), GetText(r_.Spec_Date)})},
        {CFormat("Location:  %s", {GetText(s.Location)}), std::string(GetText(r_.Rev_No_4)),
         std::string(GetText(r_.Rev_By_4)), std::string(GetText(r_.Rev_Date_4)),
         CFormat("By:  %-4s Chk: %3s", {GetText(r_.By), GetText(r_.Chk)})},
    };
    for (int i = 0; i < 5; ++i) {
        const TitleRow& t = rows[i];
        // The heading row names the revision dates' column at m + 1.2; the dates
        // themselves print 0.05 in to the left of it.
        const double date_column = i == 0 ? m_ + 1.2 : m_ + 1.15;
        double end = i == 0
                         ? Text(row, kLabelColumn, t.left, TextStyle::Bold | TextStyle::SingleLine, size + 1)
                         : Text(row, kLabelColumn, t.left);
        end = std::max(end, Text(row, m_ + 0.3, t.no));
        end = std::max(end, Text(row, m_ + 0.6, t.by));
        end = std::max(end, Text(row, date_column, t.date));
        end = std::max(end, Text(row, m_ + 1.85, t.right));
        if (i < 4) HRule(end, m_ + 0.2, m_ + 1.7, kRuleWidth);
        row = end;
    }
    for (double column : {m_ + 0.2, m_ + 0.55, m_ + 1.0, m_ + 1.7}) VRule(column, 0.0, row, kRuleWidth);
    const PageSettings& p = ctx_.page;
    page_.DrawBox(p.top, p.left, p.top + row, p.right, kFrameWidth, FillStyle::Hollow, PenStyle::Solid);
    return row;
}

double CPrintSpec::ServiceBlock(double row) {
    block_top_ = row;
    block_title_ = "Service";
    row += kRowGap;
    row = Line(row, {"Tag Number", std::string(GetText(r_.Tag_No))});
    row = Line(row, {"Service", std::string(GetText(r_.Service))});
    row = Line(row, {"Line Number", std::string(GetText(r_.Line_No))});
    row = Line(row, {"P&ID/Flowsheet Number", std::string(GetText(r_.Pid_No))});
    CloseBlock(block_top_, row);
    return row;
}

double CPrintSpec::FluidBlock(double row) {
    const UnitTables& t = ctx_.units;
    block_top_ = row;
    block_title_ = "Fluid";
    row += kRowGap;
    auto flow = [&](double v) {
        return WithUnit(Num(FmtFlow, ToUser(r_, Quantity::Flow, v)), UnitNameOf(r_, t, Quantity::Flow));
    };
    const std::string press_unit = UnitNameOf(r_, t, Quantity::Pressure);
    auto pressure = [&](double psia) {
        return WithUnit(Num(FmtPressure, ToUser(r_, Quantity::Pressure, psia)), press_unit);
    };
    const std::string temp_unit = UnitNameOf(r_, t, Quantity::Temperature);
    auto temperature = [&](double rankine) {
        return WithUnit(Num("%.2f", TemperatureToUser(r_.Unit_Temp_Set, rankine)), temp_unit);
    };
    const std::string dens_unit = UnitNameOf(r_, t, Quantity::Density);
    auto density = [&](double lb_ft3) {
        return WithUnit(Num(FmtDensity, ToUser(r_, Quantity::Density, lb_ft3)), dens_unit);
    };

    std::string state;
    switch (r_.Fluid_Equation) {
        case Code(FluidEquation::LiquidVolume):
        case Code(FluidEquation::LiquidMass):
            state = "Liquid";
            break;
        case Code(FluidEquation::GasVolume):
            state = "Gas";
            break;
        case Code(FluidEquation::GasMass):
            state = "Vapor";
            break;
        default:
            break;
    }
    row = Line(row, {"Fluid", std::string(GetText(r_.Fluid))}, {"State", state});
    row = Line(row, {"Max Flow", flow(r_.Flow_Max)}, {"Norm Flow", flow(r_.Flow_Norm)});
    // A maximum that was not given is stored as 0 (an empty box on the datasheet
    // page, Clear Datasheet) and prints as an empty value: a vendor must not read
    // a design pressure of 0 psig or a design temperature of 0 deg F.
    const std::string max_press = r_.Max_Press == 0.0 ? std::string() : pressure(r_.Max_Press);
    const std::string max_temp = r_.Max_Temp == 0.0 ? std::string() : temperature(r_.Max_Temp);
    row = Line(row, {"Max Press", max_press}, {"Norm Press", pressure(r_.Flow_Press)});
    row = Line(row, {"Max Temp", max_temp}, {"Norm Temp", temperature(r_.Flow_Temp)});
    // The base pressure in its own unit (it has a unit selection of its own, not
    // that of the atmospheric pressure).
    row =
        Line(row,
             {"Base Press", WithUnit(Num(FmtBasePressure, ToUser(r_, Quantity::BasePressure, r_.Base_Press)),
                                     UnitNameOf(r_, t, Quantity::BasePressure))},
             {"Atm Press", WithUnit(Num(FmtAtmPressure, ToUser(r_, Quantity::AtmPressure, r_.AtmPress)),
                                    UnitNameOf(r_, t, Quantity::AtmPressure))});
    row = Line(row, {"Base Temperature", temperature(r_.Base_Temp)});

    // The density line by fluid case.
    const int32_t eq = r_.Fluid_Equation;
    const int32_t cond = r_.Fluid_Condition;
    const int32_t prop = r_.Fluid_Property;
    const bool liquid_base =
        eq == Code(FluidEquation::LiquidVolume) && cond == Code(FluidCondition::LiquidBaseTemp);
    const bool gas_base = eq == Code(FluidEquation::GasVolume) && cond == Code(FluidCondition::GasBase);
    const bool by_density =
        prop == Code(FluidProperty::LiquidDensity) || prop == Code(FluidProperty::GasDensity);
    const Value flowing_density{"Flowing Density", density(r_.Flow_RhoGZ)};
    const Value quality{"Quality", Num("%.2f", r_.Factor_QualX)};
    if (IsLiquid(r_)) {
        if (liquid_base && by_density)
            row = Line(row, {"Base Density", density(r_.Base_RhoGZ)}, flowing_density);
        else if (liquid_base)
            row = Line(row, {"Base Spec Grav", Num("%.4f", r_.Base_RhoGZ)},
                       {"Flow Spec Grav", Num("%.4f", r_.Flow_RhoGZ)});
        else if (by_density && r_.Factor_SatLiq == 1)
            row = Line(row, quality, flowing_density);
        else if (by_density)
            row = Line(row, flowing_density);
        else
            row = Line(row, {"Flowing Specific Gravity", Num("%.4f", r_.Flow_RhoGZ)});
    } else {
        if (gas_base && by_density)
            row = Line(row, {"Base Density", density(r_.Base_RhoGZ)}, flowing_density);
        else if (gas_base)
            row = Line(row, {"Base Comp", Num("%.4f", r_.Base_RhoGZ)},
                       {"Flowing Comp", Num("%.4f", r_.Flow_RhoGZ)});
        else if (by_density && r_.Factor_VapQual == 1)
            row = Line(row, quality, flowing_density);
        else if (by_density)
            row = Line(row, flowing_density);
        else
            row = Line(row, {"Flowing Compressibility", Num("%.4f", r_.Flow_RhoGZ)});
    }

    // Viscosity with k or Fp; the line below it carries the vapour pressure of a
    // liquid or the molecular weight or gravity of a gas, and is left empty for a
    // gas given by density, so the numbering stays that of the form.
    const Value viscosity{"Viscosity",
                          WithUnit(Num(FmtViscosity, ToUser(r_, Quantity::Viscosity, r_.Property_Visc)),
                                   UnitNameOf(r_, t, Quantity::Viscosity))};
    if (IsLiquid(r_)) {
        row = Line(row, viscosity, {"Liq Compress, Fp", Num("%.4f", r_.Property_KFp)});
        // The vapour pressure is kept in the atmospheric pressure's unit.
        row = Line(row, {"Liq Vapor Press",
                         WithUnit(Num(FmtAtmPressure, ToUser(r_, Quantity::AtmPressure, r_.Property_MwDenVp)),
                                  UnitNameOf(r_, t, Quantity::AtmPressure))});
    } else {
        row = Line(row, viscosity, {"k (Cp/Cv)", Num("%.4f", r_.Property_KFp)});
        if (prop == Code(FluidProperty::GasDensity))
            row = Line(row, {"", ""});
        else
            row = Line(row, {prop == Code(FluidProperty::GasMW) ? "Mol. Wt., Mw" : "Spec. Grav., Gg",
                             Num("%.3f", r_.Property_MwDenVp)});
    }
    CloseBlock(block_top_, row);
    return row;
}

double CPrintSpec::ElementBlock(double row) {
    const UnitTables& t = ctx_.units;
    const std::string bore_unit = UnitNameOf(r_, t, Quantity::Bore);
    auto bore_length = [&](double inches) {
        return WithUnit(Num("%.4f", ToUser(r_, Quantity::Bore, inches)), bore_unit);
    };
    auto short_length = [&](double inches) {
        return WithUnit(Num(FmtShort, ToUser(r_, Quantity::Bore, inches)), bore_unit);
    };
    const std::string type_text = ReportElementType(r_);
    const std::string matl(GetText(r_.Elem_Matl_DS));
    const Value body{"Body Material", std::string(GetText(r_.Elem_Body))};
    const Value throat{"Throat Material", matl};
    const Value end_connection{"End Connection", std::string(GetText(r_.Elem_End_Conn))};

    block_top_ = row;
    row += kRowGap;
    const DatasheetFamily family = DatasheetFamilyOf(r_.Meter_Type);
    if (family != DatasheetFamily::None) block_title_ = "Element";
    const bool calibrated =
        r_.Meter_Type >= T(MeterType::CustomOrifice) && r_.Meter_Type <= T(MeterType::CustomFlowTube);
    switch (family) {
        case DatasheetFamily::Orifice: {
            row = Line(row, {calibrated ? "Element Type" : "Orifice Type", type_text});
            row = Line(row, {"Orifice Material", matl});
            row = Line(row, {"Plate Thickness", std::string(GetText(r_.Elem_Thick))});
            if (r_.Meter_Type == T(MeterType::SegmentalOrifice)) {
                row = Line(row, {"Segment Height", bore_length(r_.SegHs)},
                           {"Segment Diameter", short_length(r_.SegDc)});
            } else {
                std::string drain = "None";
                if (r_.Factor_Drain == 1)
                    drain = WithUnit(Num(IsGas(r_) ? "Drain - %.5f" : "Vent - %.5f",
                                         ToUser(r_, Quantity::Bore, r_.Factor_DrainDia)),
                                     bore_unit);
                row = Line(row, {"Drain/Vent Hole Diameter", drain});
            }
            break;
        }
        case DatasheetFamily::Nozzle:
        case DatasheetFamily::CalibratedNozzle:
            row = Line(row, {calibrated ? "Element Type" : "Nozzle Type", type_text});
            row = Line(row, {"Nozzle Material", matl});
            // The calibrated nozzle's construction is its family text, as its
            // datasheet page shows it.
            row = Line(row, {"Nozzle Construction",
                             std::string(calibrated ? GetText(r_.Meter) : GetText(r_.Elem_Construct))});
            row = Line(row, end_connection);
            break;
        case DatasheetFamily::Venturi:
            row = Line(row, {"Element Type", type_text});
            row = Line(row, {"End Connection & Rating", std::string(GetText(r_.Elem_End_Conn))});
            // The datasheet page offers no construction box for a classical
            // venturi: without an imported construction text the line names the
            // convergent inlet chosen with the meter (machined, rough cast or
            // rough-welded sheet, the three types of ISO 5167-4:2003, 5.1),
            // which is how the tube is built.
            row = Line(row, {"Construction",
                             std::string(GetText(r_.Elem_Construct).empty() ? GetText(r_.Meter_Type_Text)
                                                                            : GetText(r_.Elem_Construct))});
            row = Line(row, body, throat);
            row = Line(row, {"Exit Cone", std::string(ExitConeText(r_.Meter_VenturiExit))});
            break;
        case DatasheetFamily::CalibratedVenturi:
            row = Line(row, {"Element Type", type_text});
            row = Line(row, {"End Connection & Rating", std::string(GetText(r_.Elem_End_Conn))});
            row = Line(row, body, throat);
            row = Line(row, {"Exit Cone", std::string(GetText(r_.Meter))});
            break;
        case DatasheetFamily::Tube:
            row = Line(row, {"Element Type", type_text});
            row = Line(row, {"Construction", std::string(GetText(r_.Elem_Construct))});
            row = Line(row, body, throat);
            row = UserLine(row, GetText(r_.User_Line1_1), GetText(r_.User_Line1_2));
            break;
        case DatasheetFamily::CalibratedTube:
            row = Line(row, {"Element Type", type_text});
            row = Line(row, {"Construction", std::string(GetText(r_.Meter))});
            row = Line(row, body, throat);
            row = Line(row, end_connection);
            break;
        case DatasheetFamily::Wedge:
            row = Line(row, {"Element Type", type_text});
            row = Line(row, {"Element Material", matl});
            row = Line(row, {"H/D Ratio", Num("%.4f", r_.SegHs / r_.Pipe_IDia)},
                       {"Wedge Height", bore_length(r_.SegHs)});
            row = Line(row, end_connection);
            break;
        case DatasheetFamily::None:
            break;
    }
    row = Line(row, {"Standard", ReportStandardText(r_)});
    row = Line(row, {"Beta, d/D", Num("%.5f", r_.Beta)}, {"Bore", short_length(r_.Bore)});
    row = Line(row, {"Manufacturer", std::string(GetText(r_.Mfr))});
    row = Line(row, {"Model Number", std::string(GetText(r_.Model))});
    block_title_.clear();
    CloseBlock(block_top_, row);
    return row;
}

double CPrintSpec::TapsBlock(double row) {
    block_top_ = row;
    block_title_ = "Taps";
    row += kRowGap;
    row = Line(row, {"Type Taps", std::string(GetText(r_.Tap_Style_Text))});
    row = Line(row, {"Quantity", std::string(GetText(r_.Tap_Quant))},
               {"Size", std::string(GetText(r_.Tap_Size))});
    row = Line(row, {"Orientation", std::string(GetText(r_.Tap_Orient))},
               {"Location", r_.Tap_Loc == Code(TapLoc::Upstream) ? "UPSTREAM" : "DOWNSTREAM"});
    CloseBlock(block_top_, row);
    return row;
}

double CPrintSpec::PipeBlock(double row) {
    const UnitTables& t = ctx_.units;
    block_top_ = row;
    block_title_ = "Pipe &";
    block_title2_ = "Meter Run";
    row += kRowGap;
    row = Line(row, {"Pipe Size & Schedule",
                     CFormat("%s %s SCH. %s", {NominalPipeSizeText(r_), UnitNameOf(r_, t, Quantity::PipeSize),
                                               CMiscUtil().ShownScheduleText(r_.Matl_Pipe, r_.Pipe_Sched,
                                                                             GetText(r_.Pipe_Sched_Text))})});
    row = Line(row, {"Pipe Material", std::string(GetText(r_.Pipe_Matl_DS))});
    row = Line(row, {"End Connection & Rating", std::string(GetText(r_.Pipe_Conn_Rate))});
    row = Line(row, {"Pipe Inner Diameter", WithUnit(Num(FmtShort, ToUser(r_, Quantity::Bore, r_.Pipe_IDia)),
                                                     UnitNameOf(r_, t, Quantity::Bore))});
    row = Line(row, {"Upst Dimen", std::string(GetText(r_.Pipe_Ups))},
               {"Down Dimen", std::string(GetText(r_.Pipe_Down))});
    row = Line(row, {"Meter Run By", std::string(GetText(r_.Pipe_Run_By))});
    row = UserLine(row, GetText(r_.User_Line2_1), GetText(r_.User_Line2_2));
    CloseBlock(block_top_, row);
    return row;
}

double CPrintSpec::MeterBlock(double row) {
    const UnitTables& t = ctx_.units;
    block_top_ = row;
    block_title_ = "Meter";
    row += kRowGap;
    row = Line(row, {"Meter Type", std::string(GetText(r_.Meter_Type_DS))});
    const std::string dp_unit = UnitNameOf(r_, t, Quantity::DiffPressure);
    if (r_.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        const double pc = CriticalPressureOf(r_, nullptr);
        row = Line(row,
                   {"Max Downstream Pressure", WithUnit(Num(FmtPressure, ToUser(r_, Quantity::Pressure, pc)),
                                                        UnitNameOf(r_, t, Quantity::Pressure))});
    } else if (r_.Calc_Mode == Code(CalcMode::Restriction)) {
        row = Line(row, {"dP Across Orifice",
                         WithUnit(Num("%.4f", ToUser(r_, Quantity::DiffPressure, r_.Dp_Max)), dp_unit)});
    } else {
        const std::string dp = Num(FmtDiffPressure, ToUser(r_, Quantity::DiffPressure, r_.Dp_Max));
        const double ref = TemperatureToUser(r_.Unit_Temp_Set, r_.DpRefTemp);
        const std::string range =
            dp == kNoValue || !std::isfinite(ref)
                ? std::string(kNoValue)
                : CFormat("0-%s %s @ %.0f %s", {dp, dp_unit, ref, UnitNameOf(r_, t, Quantity::Temperature)});
        row = Line(row, {"Meter dP Range", range});
    }
    row = Line(row, {"Chart or Scale Range", std::string(GetText(r_.Meter_Chart))});
    row = Line(row, {"Multiplier", std::string(GetText(r_.Meter_Mult))});
    if (SealDensityOnLine36(r_))
        row = Line(row, {"Seal Density @ Meter",
                         WithUnit(Num(FmtDensity, ToUser(r_, Quantity::Density, r_.Factor_ManoSealRho)),
                                  UnitNameOf(r_, t, Quantity::Density))});
    else
        row = UserLine(row, GetText(r_.User_Line3_1), GetText(r_.User_Line3_2));
    CloseBlock(block_top_, row);
    return row;
}

double CPrintSpec::OptionsBlock(double row) {
    block_top_ = row;
    block_title_ = "Options";
    row += kRowGap;
    const int32_t type = r_.Meter_Type;
    const bool plate = IsOrificePlate(type) || type == T(MeterType::CriticalSquareEdgedOrifice) ||
                       type == T(MeterType::CustomOrifice);
    if (plate) {
        // The flange rating, type and material are one entry of the datasheet page;
        // they print on two lines of the two-value layout.
        const bool meter = r_.Calc_Mode == Code(CalcMode::Meter);
        row = Line(row,
                   {meter ? "Orifice Flanges By" : "Type Orifice Holder", std::string(GetText(r_.Flange_By))},
                   {"Rating", std::string(GetText(r_.Flange_Rate))});
        row = Line(row, {"Type", std::string(GetText(r_.Flange_Type))},
                   {"Mat'l", std::string(GetText(r_.Flange_Matl))});
    }
    row = Line(row, {"Straightening Vanes", std::string(GetText(r_.Access_Vanes))});
    row = Line(row, {"Stud Mat'l", std::string(GetText(r_.Access_Studs))},
               {"Nut Mat'l", std::string(GetText(r_.Access_Nuts))});
    row = Line(row, {"Gaskets", std::string(GetText(r_.Access_Gaskets))});
    row = UserLine(row, GetText(r_.User_Line4_1), GetText(r_.User_Line4_2));
    row = UserLine(row, GetText(r_.User_Line5_1), GetText(r_.User_Line5_2));
    CloseBlock(block_top_, row);
    return row;
}

double CPrintSpec::NotesBlock(double row) {
    const double top = row;
    row += kRowGap;
    Text(row, kTitleColumn, "Notes:");
    row = Text(row, kNoteColumn, GetText(r_.User_Notes_1));
    row = Text(row, kNoteColumn, GetText(r_.User_Notes_2));
    row = Text(row, kNoteColumn, GetText(r_.User_Notes_3));
    row = Text(row, kTitleColumn, GetText(r_.User_Misc));
    if (r_.Calc_Status == kStatusNotCalculated)
        row = Text(row, kTitleColumn, "CAUTION:  Sizing parameter has not been calculated. Datasheet void!");
    row += kRowGap;
    CloseBlock(top, row, false);
    return row;
}

bool DrawDatasheetLogo(CPage& page, const std::filesystem::path& program_dir) {
    if (program_dir.empty()) return false;
    const std::string path = (program_dir / "logo.bmp").string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    int width = 0;
    int height = 0;
    if (!page.Device().ImageSize(path, width, height) || width <= 0 || height <= 0) return false;
    // At 600 dots per inch: 700 dots wide, 480 dots right of and below the
    // printable area's corner; scaled by the page's own resolution, so the logo
    // keeps its size on every device and needs no default printer.
    const double S = page.DotsPerInchX() / 600.0;
    const int dest_width = static_cast<int>(700 * S);
    const int dest_height = static_cast<int>(static_cast<double>(height) * 700 * S / width);
    const int corner = static_cast<int>(480 * S);
    if (dest_width <= 0 || dest_height <= 0) return false;
    return page.PrintBitmap(Dots{corner}, Dots{corner}, Dots{corner + dest_height}, Dots{corner + dest_width},
                            path);
}

void PrintDatasheet(CPage& page, const TagRecord& r, const ReportContext& ctx, SheetNumbering numbering,
                    bool* fits) {
    // The datasheet draws its own logo in the title block; the report page's
    // common logo is left off.
    ReportContext plain = ctx;
    plain.program_dir.clear();
    const PageSettings& p = ctx.page;
    std::vector<std::pair<int, double>> layouts{{p.font_size, p.line_spacing}};
    const double tight = std::min(p.line_spacing, 1.0);
    if (tight < p.line_spacing) layouts.emplace_back(p.font_size, tight);
    for (int smaller = 1; smaller <= 3 && p.font_size - smaller >= 6; ++smaller)
        layouts.emplace_back(p.font_size - smaller, tight);
    const double limit = p.bottom - p.top;
    for (const auto& [size, spacing] : layouts) {
        plain.page.font_size = size;
        plain.page.line_spacing = spacing;
        DryRunRenderer dry(page.Device());
        CPage trial({0, 0, page.State().page_width, page.State().page_height}, dry);
        CPrintRegion& region = BeginReportPage(trial, plain);
        if (CPrintSpec(trial, region, r, plain, numbering).Print() <= limit) break;
    }
    CPrintRegion& region = BeginReportPage(page, plain, fits);
    DrawDatasheetLogo(page, ctx.program_dir);
    CPrintSpec(page, region, r, plain, numbering).Print();
}

}  // namespace quorven
