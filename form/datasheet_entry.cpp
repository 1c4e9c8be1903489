#include "form/datasheet_entry.h"

#include <cmath>
#include <optional>
#include <utility>

#include "engine/flow_equation.h"
#include "engine/plate_thickness.h"
#include "record/cformat.h"
#include "record/choice_codes.h"
#include "record/formats.h"
#include "record/misc_util.h"
#include "record/record_fields.h"

namespace quorven {
namespace {

constexpr int32_t T(MeterType m) {
    return Code(m);
}

// One number in a printf format; a dash when it is not finite.
std::string Num(std::string_view format, double v) {
    return std::isfinite(v) ? CFormat(format, {v}) : std::string("-");
}
std::string WithUnit(const std::string& value, std::string_view unit) {
    if (value == "-" || unit.empty()) return value;
    return value + " " + std::string(unit);
}
// "%.4f", or "%.3f" from 100 up: lengths and ratios on the element and pipe rows.
std::string Length(double v) {
    return Num(std::isfinite(v) && v >= 100.0 ? "%.3f" : "%.4f", v);
}

std::string Text(std::string_view s) {
    return std::string(s);
}

DsItem Static(std::string label, std::string text) {
    DsItem i;
    i.kind = DsKind::Static;
    i.label = std::move(label);
    i.text = std::move(text);
    return i;
}

// An edit box on a record text field, showing the field (or `shown` when given).
DsItem Box(const TagRecord& r, int id, std::string label, const char* field, int max_chars,
           std::optional<std::string> shown = std::nullopt) {
    DsItem i;
    i.kind = DsKind::Text;
    i.id = id;
    i.label = std::move(label);
    i.field = field;
    i.max_chars = max_chars;
    if (shown) {
        i.text = *shown;
    } else if (const FieldInfo* f = FindField(field)) {
        i.text = Text(GetTextField(r, *f));
    }
    return i;
}

DsItem ListBox(const TagRecord& r, int id, std::string label, const char* field, int max_chars,
               std::vector<std::string> choices) {
    DsItem i = Box(r, id, std::move(label), field, max_chars);
    i.kind = DsKind::List;
    i.choices = std::move(choices);
    return i;
}

DsRow Row(int number, std::string caption, std::vector<DsItem> items) {
    return DsRow{number, std::move(caption), std::move(items)};
}

bool IsGas(const TagRecord& r) {
    return !IsLiquid(r);
}

std::string FlowValue(const TagRecord& r, double v) {
    // The flow factor and its text are written together when the flow unit is
    // chosen: the stored text names the stored factor.
    return WithUnit(Num("%.2f", ToUser(r, Quantity::Flow, v)), Text(GetText(r.Unit_Flow_Text)));
}

// MAX PRESS: "%.1f" from 1000, "%.2f" from 100, "%.4f" below, in the display
// pressure unit (a stored 0 shows 0 also in gauge units).
std::string MaxPressText(const TagRecord& r) {
    const double v = ToUser(r, Quantity::Pressure, r.Max_Press);
    if (!std::isfinite(v)) return "0";
    if (v >= 1000.0) return CFormat("%.1f", {v});
    if (v >= 100.0) return CFormat("%.2f", {v});
    return CFormat("%.4f", {v});
}
std::string MaxTempText(const TagRecord& r) {
    const double v = RoundTo(TemperatureToUser(r.Unit_Temp_Set, r.Max_Temp), 2);
    return std::isfinite(v) ? CFormat("%.2f", {v}) : std::string("0");
}

// The two density rows of page 1, by fluid kind and property input; the base row
// only for volume flows at base conditions or base temperature.
void AddDensityRows(std::vector<DsItem>& items, const TagRecord& r, const UnitTables& t) {
    const std::optional<FlowKind> kind = FlowKindOf(r);
    const bool at_base = kind == FlowKind::GasBase || kind == FlowKind::LiquidBase;
    const bool density = r.Fluid_Property == Code(FluidProperty::GasDensity) ||
                         r.Fluid_Property == Code(FluidProperty::LiquidDensity);
    auto value = [&](double v) {
        if (density)
            return WithUnit(Num("%.5f", ToUser(r, Quantity::Density, v)),
                            UnitTextOf(r, t, Quantity::Density));
        return Num("%.5f", v);
    };
    std::string base, flow;
    if (density) {
        base = "BASE DENS", flow = "FLOW DENS";
    } else if (IsGas(r)) {
        base = "BASE Z", flow = "FLOW Z";
    } else {
        base = "BASE SG", flow = "FLOW SG";
    }
    if (at_base) items.push_back(Static(base, value(r.Base_RhoGZ)));
    items.push_back(Static(flow, value(r.Flow_RhoGZ)));
}

// Rows 14 to 17 of page 2 for the record's family.
void AddElementRows(std::vector<DsRow>& rows, const TagRecord& r, const UnitTables& t) {
    const CMiscUtil misc;
    const std::string type_text = ElementTypeText(r);
    const std::string matl =
        GetText(r.Elem_Matl_DS).empty() ? Text(misc.MaterialTag(r.Matl_Elem)) : Text(GetText(r.Elem_Matl_DS));
    const std::string bore_unit = UnitTextOf(r, t, Quantity::Bore);
    auto body_throat = [&] {
        return Row(16, "BODY MATL",
                   {Box(r, ds::kElemRow16, "", "Elem_Body", 15),
                    Box(r, ds::kElemRow16b, "THRT MATL", "Elem_Matl_DS", 30, matl)});
    };
    auto end_connection = [&](int number, const char* caption) {
        return Row(number, caption, {Box(r, ds::kElemRow17, "", "Elem_End_Conn", 30)});
    };
    auto user_line1 = [&] {
        return Row(17, "",
                   {Box(r, ds::kElemRow17, "", "User_Line1_1", 30),
                    Box(r, ds::kElemRow17b, "", "User_Line1_2", 30)});
    };
    switch (DatasheetFamilyOf(r.Meter_Type)) {
        case DatasheetFamily::Orifice: {
            std::string drain = "NONE";
            if (r.Factor_Drain == 1) {
                drain = WithUnit(Num(IsLiquid(r) ? "VENT - %.5f" : "DRAIN - %.5f",
                                     ToUser(r, Quantity::Bore, r.Factor_DrainDia)),
                                 bore_unit);
            }
            DsItem thick = Box(r, ds::kPlateThick, "", "Elem_Thick", 30);
            DsItem free_box = Box(r, ds::kPlateThickFree, "", "Elem_Thick", 30);
            rows.push_back(Row(14, "ORIFICE TYPE", {Static("", type_text)}));
            rows.push_back(
                Row(15, "ORIFICE MATERIAL", {Box(r, ds::kElemRow15, "", "Elem_Matl_DS", 30, matl)}));
            rows.push_back(Row(16, "PLATE THICKNESS", {thick, free_box}));
            rows.push_back(Row(17, "DRAIN/VENT HOLE DIA", {Static("", drain)}));
            break;
        }
        case DatasheetFamily::Nozzle:
        case DatasheetFamily::CalibratedNozzle: {
            rows.push_back(Row(14, "NOZZLE TYPE", {Static("", type_text)}));
            rows.push_back(
                Row(15, "NOZZLE MATERIAL", {Box(r, ds::kElemRow15, "", "Elem_Matl_DS", 30, matl)}));
            if (DatasheetFamilyOf(r.Meter_Type) == DatasheetFamily::CalibratedNozzle)
                rows.push_back(Row(16, "NOZZLE CONSTRUCTION", {Static("", Text(GetText(r.Meter)))}));
            else
                rows.push_back(
                    Row(16, "NOZZLE CONSTRUCTION", {Box(r, ds::kElemRow16, "", "Elem_Construct", 30)}));
            rows.push_back(end_connection(17, "END CONNECTION"));
            break;
        }
        case DatasheetFamily::Venturi:
        case DatasheetFamily::CalibratedVenturi: {
            const bool calibrated = DatasheetFamilyOf(r.Meter_Type) == DatasheetFamily::CalibratedVenturi;
            rows.push_back(Row(14, "ELEMENT TYPE", {Static("", type_text)}));
            rows.push_back(
                Row(15, "END CONNECT && RATING", {Box(r, ds::kElemRow15, "", "Elem_End_Conn", 30)}));
            rows.push_back(body_throat());
            rows.push_back(Row(
                17, "EXIT CONE",
                {Static("", calibrated ? Text(GetText(r.Meter)) : Text(ExitConeText(r.Meter_VenturiExit)))}));
            break;
        }
        case DatasheetFamily::Tube:
            rows.push_back(Row(14, "ELEMENT TYPE", {Static("", type_text)}));
            rows.push_back(Row(15, "CONSTRUCTION", {Box(r, ds::kElemRow15, "", "Elem_Construct", 30)}));
            rows.push_back(body_throat());
            rows.push_back(user_line1());
            break;
        case DatasheetFamily::CalibratedTube:
            rows.push_back(Row(14, "ELEMENT TYPE", {Static("", type_text)}));
            rows.push_back(Row(15, "CONSTRUCTION", {Static("", Text(GetText(r.Meter)))}));
            rows.push_back(body_throat());
            rows.push_back(end_connection(17, "END CONNECTION"));
            break;
        case DatasheetFamily::Wedge: {
            const double hd = r.SegHs / r.Pipe_IDia;
            rows.push_back(Row(14, "ELEMENT TYPE", {Static("", type_text)}));
            rows.push_back(
                Row(15, "ELEMENT MATERIAL", {Box(r, ds::kElemRow15, "", "Elem_Matl_DS", 30, matl)}));
            rows.push_back(
                Row(16, "H/D RATIO",
                    {Static("", Length(hd)),
                     Static("WEDGE HT.", WithUnit(Length(ToUser(r, Quantity::Bore, r.SegHs)), bore_unit))}));
            rows.push_back(end_connection(17, "END CONNECTION"));
            break;
        }
        case DatasheetFamily::None:
            break;
    }
}

}  // namespace

bool SealDensityOnLine36(const TagRecord& r) {
    return r.Factor_ManoSealRho > 0.0;
}

DatasheetFamily DatasheetFamilyOf(int32_t m) {
    if (IsOrificePlate(m) || m == T(MeterType::CustomOrifice) ||
        m == T(MeterType::CriticalSquareEdgedOrifice) || m == T(MeterType::CriticalThickOrifice))
        return DatasheetFamily::Orifice;
    if (IsNozzle(m) || m == T(MeterType::CriticalCylindricalNozzle) ||
        m == T(MeterType::CriticalToroidalNozzle))
        return DatasheetFamily::Nozzle;
    if (m == T(MeterType::CustomWallTapNozzle)) return DatasheetFamily::CalibratedNozzle;
    if (m >= T(MeterType::VenturiMachined) && m <= T(MeterType::VenturiWeldedSheet))
        return DatasheetFamily::Venturi;
    if (m == T(MeterType::CustomVenturi)) return DatasheetFamily::CalibratedVenturi;
    if (m == T(MeterType::Uvt) || m == T(MeterType::LoLoss) || IsProprietaryMeter(m))
        return DatasheetFamily::Tube;
    if (m == T(MeterType::CustomFlowTube)) return DatasheetFamily::CalibratedTube;
    if (IsStandardWedge(m)) return DatasheetFamily::Wedge;
    return DatasheetFamily::None;
}

bool HasPlateThicknessSelection(int32_t meter_type) {
    return DatasheetFamilyOf(meter_type) == DatasheetFamily::Orifice;
}

std::string_view DatasheetStateWord(int32_t fluid_equation) {
    switch (fluid_equation) {
        case Code(FluidEquation::LiquidVolume):
        case Code(FluidEquation::LiquidMass):
            return "LIQUID";
        case Code(FluidEquation::GasVolume):
            return "GAS";
        case Code(FluidEquation::GasMass):
            return "VAPOR";
        default:
            return "";
    }
}

std::string ElementTypeText(const TagRecord& r) {
    switch (r.Meter_Type) {
        case T(MeterType::CriticalThickOrifice):
            return "THICK ORIFICE PLATE";
        case T(MeterType::CustomOrifice):
            return "CALIBRATED ORIFICE PLATE";
        case T(MeterType::CustomWallTapNozzle):
            return "CALIBRATED FLOW NOZZLE";
        case T(MeterType::CustomVenturi):
            return "CALIBRATED VENTURI";
        case T(MeterType::CustomFlowTube):
            return "CALIBRATED FLOW TUBE";
        default:
            break;
    }
    // Standard meters carry no style text: the family text stands alone rather
    // than behind a blank.
    const std::string_view style = GetText(r.Meter_Style_Text);
    const std::string_view meter = GetText(r.Meter);
    if (style.empty()) return Text(meter);
    if (meter.empty()) return Text(style);
    return Text(style) + " " + Text(meter);
}

std::string_view ExitConeText(int32_t venturi_exit) {
    return venturi_exit == Code(VenturiExit::Deg7) ? "LONG FORM - 7 DEG EXIT CONE"
                                                   : "SHORT FORM - 15 DEG EXIT CONE";
}

std::string DatasheetStandardText(const TagRecord& r) {
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) return "CRITICAL DROP SIZING";
    if (r.Meter_Type == T(MeterType::WedgeIso5167_6)) return "ISO 5167-6";
    if (r.Meter_Type == T(MeterType::WedgeMiller)) return "R.W. Miller";
    if (IsAbbWedge(r.Meter_Type)) return "ABB Proprietary";
    return CMiscUtil().StandardText(r.Calc_Std, r.Calc_Mode, r.Meter_Type, r.Meter_IFOAMfr);
}

std::string NominalPipeSizeText(const TagRecord& r) {
    const CMiscUtil misc;
    const double snapped = misc.SnapNominalSize(r.Pipe_NomDia);
    if (r.Unit_Pipe_Set == 1) return Num("%.0f", misc.NominalSizeMm(snapped));
    if (r.Unit_Pipe_Set == 2) return Num("%.1f", misc.NominalSizeMm(snapped) / 10.0);
    return Num("%.2f", snapped);
}

std::string UnitTextOf(const TagRecord& r, const UnitTables& t, Quantity q) {
    int32_t selection = 0;
    std::string_view stored;
    switch (q) {
        case Quantity::Flow:
            selection = r.Unit_Flow_Set, stored = GetText(r.Unit_Flow_Text);
            break;
        case Quantity::Pressure:
            selection = r.Unit_Press_Set, stored = GetText(r.Unit_Press_Text);
            break;
        case Quantity::BasePressure:
            // The record keeps no text of its own for the base pressure unit.
            selection = r.Unit_BasePress_Set, stored = GetText(r.Unit_AtmPress_Text);
            break;
        case Quantity::AtmPressure:
            selection = r.Unit_AtmPress_Set, stored = GetText(r.Unit_AtmPress_Text);
            break;
        case Quantity::DiffPressure:
            selection = r.Unit_DpPress_Set, stored = GetText(r.Unit_Dpress_Text);
            break;
        case Quantity::Temperature:
            selection = r.Unit_Temp_Set, stored = GetText(r.Unit_Temp_Text);
            break;
        case Quantity::BaseTemperature:
            selection = r.Unit_BaseTemp_Set, stored = GetText(r.Unit_Temp_Text);
            break;
        case Quantity::DpRefTemperature:
            selection = r.Unit_DpRefTemp_Set, stored = GetText(r.Unit_Temp_Text);
            break;
        case Quantity::Density:
            selection = r.Unit_Dens_Set, stored = GetText(r.Unit_Dens_Text);
            break;
        case Quantity::Viscosity:
            selection = r.Unit_Visc_Set, stored = GetText(r.Unit_Visc_Text);
            break;
        case Quantity::Velocity:
            selection = r.Unit_Velocity_Set, stored = GetText(r.Unit_Velo_Text);
            break;
        case Quantity::Gravity:
            selection = r.Unit_GLocal_Set;
            break;
        case Quantity::Bore:
            selection = r.Unit_Bore_Set, stored = GetText(r.Unit_Bore_Text);
            break;
        case Quantity::PipeSize:
            selection = r.Unit_Pipe_Set, stored = GetText(r.Unit_Pipe_Text);
            break;
    }
    if (const std::optional<UnitList> list = ListOf(r, q)) {
        const std::string_view name = UnitName(t, *list, selection);
        if (!name.empty()) return Text(name);
    }
    return Text(stored);
}

DsPage DatasheetPage1(const TagRecord& r, const ProjectSettings& s, const UnitTables& t) {
    DsPage page;
    page.caption = "Datasheet - Part 1 of 3";

    DsGroup head;
    head.button = "&Header";
    head.button_id = ds::kGroupButton[0];
    head.first_box = ds::kSpecNo;
    head.rows.push_back(Row(0, "Company", {Static("", Text(GetText(s.Company_Name)))}));
    head.rows.push_back(Row(0, "Client", {Static("", Text(GetText(s.Client)))}));
    head.rows.push_back(Row(0, "Project", {Static("", Text(GetText(s.Project)))}));
    head.rows.push_back(Row(0, "Location", {Static("", Text(GetText(s.Location)))}));
    head.rows.push_back(Row(0, "Job No.:", {Static("", Text(GetText(s.JobPO_No)))}));
    head.rows.push_back(Row(0, "Meter Type", {Static("", Text(GetText(r.Meter)))}));
    head.rows.push_back(Row(0, "Spec/Req No.:", {Box(r, ds::kSpecNo, "", "Spec_No", 11)}));
    head.rows.push_back(
        Row(0, "Sheet", {Box(r, ds::kShtNo, "", "Sht_No", 4), Box(r, ds::kShtOf, "of", "Sht_Of", 4)}));
    head.rows.push_back(Row(
        0,
        "Rev. No.:", {Box(r, ds::kRevNo, "", "Rev_No", 2), Box(r, ds::kSpecDate, "Date:", "Spec_Date", 8)}));
    head.rows.push_back(Row(0, "By:", {Box(r, ds::kBy, "", "By", 3), Box(r, ds::kChk, "Chk:", "Chk", 3)}));
    static const char* const kRevNoFields[4] = {"Rev_No_1", "Rev_No_2", "Rev_No_3", "Rev_No_4"};
    static const char* const kRevByFields[4] = {"Rev_By_1", "Rev_By_2", "Rev_By_3", "Rev_By_4"};
    static const char* const kRevDateFields[4] = {"Rev_Date_1", "Rev_Date_2", "Rev_Date_3", "Rev_Date_4"};
    for (int i = 0; i < 4; ++i) {
        head.rows.push_back(Row(0, i == 0 ? "Revisions" : "",
                                {Box(r, ds::kRevNo1 + i, "NO", kRevNoFields[i], 2),
                                 Box(r, ds::kRevBy[i], "BY", kRevByFields[i], 3),
                                 Box(r, ds::kRevDate[i], "DATE", kRevDateFields[i], 8)}));
    }
    page.groups.push_back(std::move(head));

    DsGroup service;
    service.title = "SERVICE";
    service.button = "&Service";
    service.button_id = ds::kGroupButton[1];
    service.first_box = ds::kPidNo;
    service.rows.push_back(Row(1, "TAG NUMBER", {Static("", Text(GetText(r.Tag_No)))}));
    service.rows.push_back(Row(2, "SERVICE", {Static("", Text(GetText(r.Service)))}));
    service.rows.push_back(Row(3, "LINE NUMBER", {Static("", Text(GetText(r.Line_No)))}));
    service.rows.push_back(Row(4, "P&&ID/FLOWSHEET NUMBER", {Box(r, ds::kPidNo, "", "Pid_No", 15)}));
    page.groups.push_back(std::move(service));

    DsGroup fluid;
    fluid.title = "FLUID";
    fluid.button = "&Fluid";
    fluid.button_id = ds::kGroupButton[2];
    fluid.first_box = ds::kMaxPress;
    const std::string temp_unit = UnitTextOf(r, t, Quantity::Temperature);
    const std::string press_unit = UnitTextOf(r, t, Quantity::Pressure);
    fluid.rows.push_back(
        Row(5, "FLUID",
            {Static("", Text(GetText(r.Fluid))), Static("", Text(DatasheetStateWord(r.Fluid_Equation)))}));
    fluid.rows.push_back(
        Row(6, "MAX FLOW",
            {Static("", FlowValue(r, r.Flow_Max)), Static("NORM FLOW", FlowValue(r, r.Flow_Norm))}));
    DsItem max_press;
    max_press.kind = DsKind::Number;
    max_press.id = ds::kMaxPress;
    max_press.text = MaxPressText(r);
    max_press.unit = press_unit;
    DsItem max_temp;
    max_temp.kind = DsKind::Number;
    max_temp.id = ds::kMaxTemp;
    max_temp.text = MaxTempText(r);
    max_temp.unit = temp_unit;
    fluid.rows.push_back(Row(
        7, "MAX PRESS",
        {max_press, Static("NORM PRESS",
                           WithUnit(Num("%.3f", ToUser(r, Quantity::Pressure, r.Flow_Press)), press_unit))}));
    fluid.rows.push_back(Row(
        8, "MAX TEMP",
        {max_temp, Static("NORM TEMP", WithUnit(Num("%.2f", TemperatureToUser(r.Unit_Temp_Set, r.Flow_Temp)),
                                                temp_unit))}));
    fluid.rows.push_back(
        Row(9, "BASE PRESS",
            {Static("", WithUnit(Num("%.3f", ToUser(r, Quantity::BasePressure, r.Base_Press)),
                                 UnitTextOf(r, t, Quantity::BasePressure))),
             Static("ATM PRESS", WithUnit(Num("%.3f", ToUser(r, Quantity::AtmPressure, r.AtmPress)),
                                          UnitTextOf(r, t, Quantity::AtmPressure)))}));
    fluid.rows.push_back(
        Row(10, "BASE TEMPERATURE",
            {Static("", WithUnit(Num("%.3f", TemperatureToUser(r.Unit_Temp_Set, r.Base_Temp)), temp_unit))}));
    std::vector<DsItem> density;
    AddDensityRows(density, r, t);
    fluid.rows.push_back(Row(11, "", std::move(density)));
    std::vector<DsItem> props;
    props.push_back(
        Static("VISCOSITY", WithUnit(std::isfinite(r.Property_Visc * r.Unit_Visc)
                                         ? FmtViscosity(ToUser(r, Quantity::Viscosity, r.Property_Visc))
                                         : std::string("-"),
                                     UnitTextOf(r, t, Quantity::Viscosity))));
    if (IsGas(r)) {
        props.push_back(Static("K (Cp/Cv)", Num("%.4f", r.Property_KFp)));
        if (r.Fluid_Property == Code(FluidProperty::GasMW))
            props.push_back(Static("MOL. WT.", Num("%.4f", r.Property_MwDenVp)));
        else if (r.Fluid_Property == Code(FluidProperty::GasSG))
            props.push_back(Static("SPEC GRAV", Num("%.4f", r.Property_MwDenVp)));
    } else {
        props.push_back(Static("LIQUID COMPRESS, Fp:", Num("%.4f", r.Property_KFp)));
    }
    fluid.rows.push_back(Row(12, "", std::move(props)));
    page.groups.push_back(std::move(fluid));
    return page;
}

DsPage DatasheetPage2(const TagRecord& r, const UnitTables& t) {
    DsPage page;
    page.caption = "Datasheet - Part 2 of 3";
    const CMiscUtil misc;
    const std::string bore_unit = UnitTextOf(r, t, Quantity::Bore);

    DsGroup element;
    element.title = "ELEMENT";
    element.button = "&Element";
    element.button_id = ds::kGroupButton[0];
    AddElementRows(element.rows, r, t);
    element.first_box = ds::kMfr;
    for (const DsRow& row : element.rows) {
        for (const DsItem& item : row.items)
            if (item.kind == DsKind::Text && item.id != ds::kPlateThick) {
                element.first_box = item.id;
                break;
            }
        if (element.first_box != ds::kMfr) break;
    }
    element.rows.push_back(Row(18, "STANDARD", {Static("", DatasheetStandardText(r))}));
    element.rows.push_back(
        Row(19, "BETA, d/D",
            {Static("", Num("%.5f", r.Beta)),
             Static("BORE", WithUnit(Length(ToUser(r, Quantity::Bore, r.Bore)), bore_unit))}));
    const bool abb_wedge = IsAbbWedge(r.Meter_Type);
    std::optional<std::string> model;
    if (abb_wedge && GetText(r.Model).empty()) model = Text(GetText(r.Meter_Style_Text));
    element.rows.push_back(Row(20, "MANUFACTURER", {Box(r, ds::kMfr, "", "Mfr", 30)}));
    element.rows.push_back(Row(21, "MODEL NUMBER", {Box(r, ds::kModel, "", "Model", 30, model)}));
    page.groups.push_back(std::move(element));

    DsGroup taps;
    taps.title = "TAPS";
    taps.button = "&Taps";
    taps.button_id = ds::kGroupButton[1];
    taps.first_box = ds::kTapQuant;
    taps.rows.push_back(Row(22, "TYPE TAPS", {Static("", Text(GetText(r.Tap_Style_Text)))}));
    taps.rows.push_back(
        Row(23, "QUANTITY",
            {Box(r, ds::kTapQuant, "", "Tap_Quant", 15), Box(r, ds::kTapSize, "SIZE", "Tap_Size", 15)}));
    taps.rows.push_back(
        Row(24, "TAP ORIENT",
            {Box(r, ds::kTapOrient, "", "Tap_Orient", 15),
             Static("LOCATION", r.Tap_Loc == Code(TapLoc::Upstream) ? "UPSTREAM" : "DOWNSTREAM")}));
    page.groups.push_back(std::move(taps));

    DsGroup pipe;
    pipe.title = "PIPE";
    pipe.button = "&Pipe Data";
    pipe.button_id = ds::kGroupButton[2];
    pipe.first_box = ds::kPipeMatl;
    const std::string pipe_matl =
        GetText(r.Pipe_Matl_DS).empty() ? Text(misc.MaterialTag(r.Matl_Pipe)) : Text(GetText(r.Pipe_Matl_DS));
    pipe.rows.push_back(Row(
        25, "PIPE SIZE && SCHEDULE",
        {Static("", CFormat("%s %s SCH. %s", {NominalPipeSizeText(r), UnitTextOf(r, t, Quantity::PipeSize),
                                              GetText(r.Pipe_Sched_Text)}))}));
    pipe.rows.push_back(Row(26, "PIPE MATERIAL", {Box(r, ds::kPipeMatl, "", "Pipe_Matl_DS", 30, pipe_matl)}));
    pipe.rows.push_back(
        Row(27, "END CONNECTION && RATING", {Box(r, ds::kPipeConnRate, "", "Pipe_Conn_Rate", 30)}));
    pipe.rows.push_back(
        Row(28, "PIPE INNER DIAMETER",
            {Static("", WithUnit(Length(ToUser(r, Quantity::Bore, r.Pipe_IDia)), bore_unit))}));
    pipe.rows.push_back(Row(
        29, "UP DIMEN",
        {Box(r, ds::kPipeUps, "", "Pipe_Ups", 15), Box(r, ds::kPipeDown, "DOWN DIMEN", "Pipe_Down", 15)}));
    pipe.rows.push_back(Row(30, "METER RUN BY", {Box(r, ds::kPipeRunBy, "", "Pipe_Run_By", 30)}));
    pipe.rows.push_back(Row(31, "",
                            {Box(r, ds::kUserLine2Label, "", "User_Line2_1", 30),
                             Box(r, ds::kUserLine2Value, "", "User_Line2_2", 30)}));
    page.groups.push_back(std::move(pipe));
    return page;
}

DsPage DatasheetPage3(const TagRecord& r, const UnitTables& t) {
    DsPage page;
    page.caption = "Datasheet - Part 3 of 3";
    static const std::vector<std::string> kRates = {"150#", "300#", "600#", "900#", "1500#", "2500#"};
    static const std::vector<std::string> kTypes = {"WNRF", "SORF", "WNRTJ", "SORTJ"};
    static const std::vector<std::string> kFlangeMatls = {"ASTM A105", "ASTM F11", "ASTM F22", "ASTM F304",
                                                          "ASTM F316"};
    static const std::vector<std::string> kStudMatls = {"ASTM A193 GrB7", "ASTM A193 GrB8"};
    static const std::vector<std::string> kNutMatls = {"ASTM A194 Gr2H", "ASTM A194 Gr8"};

    DsGroup meter;
    meter.title = "METER";
    meter.button = "&Meter Data";
    meter.button_id = ds::kGroupButton[0];
    meter.first_box = ds::kMeterTypeDs;
    meter.rows.push_back(Row(32, "METER TYPE", {Box(r, ds::kMeterTypeDs, "", "Meter_Type_DS", 30)}));
    const std::string press_unit = UnitTextOf(r, t, Quantity::Pressure);
    const std::string dp_unit = UnitTextOf(r, t, Quantity::DiffPressure);
    if (r.Calc_Mode == Code(CalcMode::CriticalDrop)) {
        const double pc = CriticalPressureOf(r, nullptr);
        meter.rows.push_back(
            Row(33, "MAX DOWNSTREAM PRESS",
                {Static("", WithUnit(Num("%.2f", ToUser(r, Quantity::Pressure, pc)), press_unit))}));
    } else if (r.Calc_Mode == Code(CalcMode::Restriction)) {
        meter.rows.push_back(
            Row(33, "dP ACROSS ORIFICE",
                {Static("", WithUnit(Num("%.2f", ToUser(r, Quantity::DiffPressure, r.Dp_Max)), dp_unit))}));
    } else {
        const double dp = ToUser(r, Quantity::DiffPressure, r.Dp_Max);
        const double ref = TemperatureToUser(r.Unit_Temp_Set, r.DpRefTemp);
        const std::string range =
            std::isfinite(dp) && std::isfinite(ref)
                ? CFormat("0-%.4f %s @ %.0f %s", {dp, dp_unit, ref, UnitTextOf(r, t, Quantity::Temperature)})
                : std::string("-");
        meter.rows.push_back(Row(33, "METER dP RANGE", {Static("", range)}));
    }
    meter.rows.push_back(Row(34, "CHART OR SCALE RANGE", {Box(r, ds::kMeterChart, "", "Meter_Chart", 30)}));
    meter.rows.push_back(Row(35, "MULTIPLIER", {Box(r, ds::kMeterMult, "", "Meter_Mult", 30)}));
    // With a seal liquid the printed line 36 is its density, so the page shows
    // that and offers no free line whose texts would never be printed (the stored
    // texts stay as they are).
    if (SealDensityOnLine36(r)) {
        const double seal = ToUser(r, Quantity::Density, r.Factor_ManoSealRho);
        meter.rows.push_back(
            Row(36, "SEAL DENSITY @ METER",
                {Static("", WithUnit(std::isfinite(seal) ? FmtDensity(seal) : std::string("-"),
                                     UnitTextOf(r, t, Quantity::Density)))}));
    } else {
        meter.rows.push_back(Row(36, "",
                                 {Box(r, ds::kUserLine3Label, "", "User_Line3_1", 30),
                                  Box(r, ds::kUserLine3Value, "", "User_Line3_2", 30)}));
    }
    page.groups.push_back(std::move(meter));

    DsGroup options;
    options.title = "OPTIONS";
    options.button = "&Options";
    options.button_id = ds::kGroupButton[1];
    const bool plate = IsOrificePlate(r.Meter_Type);
    if (plate) {
        options.first_box = ds::kFlangeBy;
        options.rows.push_back(Row(37, "ORIFICE FLANGES BY", {Box(r, ds::kFlangeBy, "", "Flange_By", 30)}));
        options.rows.push_back(Row(38, "RATING",
                                   {ListBox(r, ds::kFlangeRate, "", "Flange_Rate", 10, kRates),
                                    ListBox(r, ds::kFlangeType, "TYPE", "Flange_Type", 10, kTypes),
                                    ListBox(r, ds::kFlangeMatl, "MAT'L", "Flange_Matl", 10, kFlangeMatls)}));
        options.rows.push_back(Row(39, "STRAIGHTENING VANES", {Box(r, ds::kVanes, "", "Access_Vanes", 15)}));
        options.rows.push_back(Row(40, "STUD MAT'L",
                                   {ListBox(r, ds::kStuds, "", "Access_Studs", 15, kStudMatls),
                                    ListBox(r, ds::kNuts, "NUT MAT'L", "Access_Nuts", 15, kNutMatls)}));
        options.rows.push_back(Row(41, "GASKETS", {Box(r, ds::kGaskets, "", "Access_Gaskets", 30)}));
    } else {
        options.first_box = ds::kVanes;
        options.rows.push_back(Row(37, "STRAIGHTENING VANES", {Box(r, ds::kVanes, "", "Access_Vanes", 30)}));
        options.rows.push_back(Row(38, "STUD MATL",
                                   {ListBox(r, ds::kStuds, "", "Access_Studs", 15, kStudMatls),
                                    ListBox(r, ds::kNuts, "NUT MATL", "Access_Nuts", 15, kNutMatls)}));
        options.rows.push_back(Row(39, "GASKETS", {Box(r, ds::kGaskets, "", "Access_Gaskets", 15)}));
        options.rows.push_back(Row(40, "",
                                   {Box(r, ds::kUserLine4Label, "", "User_Line4_1", 30),
                                    Box(r, ds::kUserLine4Value, "", "User_Line4_2", 30)}));
        options.rows.push_back(Row(41, "",
                                   {Box(r, ds::kUserLine5Label, "", "User_Line5_1", 30),
                                    Box(r, ds::kUserLine5Value, "", "User_Line5_2", 30)}));
    }
    page.groups.push_back(std::move(options));

    DsGroup notes;
    notes.title = "NOTES";
    notes.button = "&Notes";
    notes.button_id = ds::kGroupButton[2];
    notes.first_box = ds::kNotes1;
    notes.rows.push_back(Row(0, "", {Box(r, ds::kNotes1, "", "User_Notes_1", 63)}));
    notes.rows.push_back(Row(0, "", {Box(r, ds::kNotes2, "", "User_Notes_2", 63)}));
    notes.rows.push_back(Row(0, "", {Box(r, ds::kNotes3, "", "User_Notes_3", 63)}));
    notes.rows.push_back(Row(0, "", {Box(r, ds::kMisc, "", "User_Misc", 69)}));
    page.groups.push_back(std::move(notes));
    return page;
}

void PrepareDatasheetPage2(TagRecord& r, MessageSink& sink, const UnitTables& t) {
    const bool recompose_type =
        r.Meter_Type == T(MeterType::QuadrantOrifice) || r.Meter_Type == T(MeterType::ConicOrifice);
    if (recompose_type && GetText(r.Elem_Thick).substr(0, 3) == "0.0") PlateThicknessText(r, sink, t);
}

void AutoSelectPlateThickness(TagRecord& r, MessageSink& sink, const UnitTables& t) {
    PlateThicknessText(r, sink, t);
}

const DsItem* FindDsItem(const DsPage& page, int id) {
    for (const DsGroup& g : page.groups)
        for (const DsRow& row : g.rows)
            for (const DsItem& item : row.items)
                if (item.id == id && item.kind != DsKind::Static) return &item;
    return nullptr;
}

int StoreDatasheetPage(TagRecord& r, const DsPage& page, const std::map<int, std::string>& typed) {
    TagRecord work = r;
    for (const DsGroup& g : page.groups) {
        for (const DsRow& row : g.rows) {
            for (const DsItem& item : row.items) {
                const auto it = typed.find(item.id);
                if (item.kind == DsKind::Static || it == typed.end()) continue;
                const std::string& text = it->second;
                if (item.kind == DsKind::Number) {
                    if (text == item.text) continue;  // unchanged: the stored value stays exact
                    const std::size_t a = text.find_first_not_of(" \t");
                    const std::string trimmed = a == std::string::npos
                                                    ? std::string()
                                                    : text.substr(a, text.find_last_not_of(" \t") - a + 1);
                    double& field = item.id == ds::kMaxPress ? work.Max_Press : work.Max_Temp;
                    if (trimmed.empty()) {
                        field = 0.0;  // not given
                        continue;
                    }
                    double typed_value = 0.0;
                    double internal = 0.0;
                    const bool ok =
                        ParseFiniteDouble(trimmed, typed_value) &&
                        (item.id == ds::kMaxPress ? FromUser(work, Quantity::Pressure, typed_value, internal)
                                                  : std::isfinite(internal = TemperatureFromUser(
                                                                      work.Unit_Temp_Set, typed_value)));
                    if (!ok) return item.id;
                    field = internal;
                    continue;
                }
                const FieldInfo* f = FindField(item.field);
                if (f == nullptr) continue;
                const std::size_t limit =
                    item.max_chars > 0 ? static_cast<std::size_t>(item.max_chars) : text.size();
                SetTextField(work, *f, std::string_view(text).substr(0, limit));
            }
        }
    }
    r = work;
    return 0;
}

}  // namespace quorven
