#include "form/meter_choices.h"

#include <algorithm>
#include <cmath>

#include "form/form_input.h"
#include "record/cformat.h"
#include "record/meter_texts.h"
#include "record/units.h"

namespace quorven {
namespace {

constexpr double kDegR68F = 527.67;  // 68 deg F in deg R
constexpr double kDegR60F = 519.67;  // 60 deg F in deg R

void MarkUncalculated(TagRecord& r) {
    r.Calc_Status = 0;
}

void SetElementMaterial(TagRecord& r, int32_t material) {
    if (r.Matl_Elem != material) SetText(r.Elem_Matl_DS, "");
    r.Matl_Elem = material;
}

}  // namespace

int PlateTypeIndex(int32_t plate_type) {
    return IsOrificePlate(plate_type) ? static_cast<int>(plate_type - Code(MeterType::ConcentricOrifice))
                                      : -1;
}

std::vector<int32_t> OrificeStandardsEnabled(int32_t plate_type, int32_t calc_mode) {
    if (calc_mode == Code(CalcMode::Restriction)) return {Code(CalcStd::Buckingham1985)};
    switch (plate_type) {
        case Code(MeterType::ConcentricOrifice):
            return {Code(CalcStd::Stolz),
                    Code(CalcStd::ReaderHarris1992),
                    Code(CalcStd::ReaderHarris2012),
                    Code(CalcStd::ReaderHarrisGallagher1998),
                    Code(CalcStd::Buckingham1985),
                    Code(CalcStd::OrificePtc195)};
        case Code(MeterType::SegmentalOrifice):
            return {Code(CalcStd::Miller3rd)};
        case Code(MeterType::EccentricOrifice):
        case Code(MeterType::QuadrantOrifice):
        case Code(MeterType::ConicOrifice):
            return {Code(CalcStd::Miller3rd), Code(CalcStd::IsoTr15377)};
        case Code(MeterType::SmallBoreOrifice):
            return {Code(CalcStd::AsmeMfc14M)};
        default:
            return {};
    }
}

int32_t OrificeStandardForced(int32_t plate_type, int32_t calc_mode) {
    if (calc_mode == Code(CalcMode::Restriction)) return Code(CalcStd::Buckingham1985);
    if (plate_type == Code(MeterType::SegmentalOrifice)) return Code(CalcStd::Miller3rd);
    if (plate_type == Code(MeterType::SmallBoreOrifice)) return Code(CalcStd::AsmeMfc14M);
    return 0;
}

std::vector<std::string> OrificeTapList(int32_t plate_type, int32_t calc_std, int32_t calc_mode) {
    if (calc_mode == Code(CalcMode::Restriction))
        return {"Flange Taps", "Corner Taps", "Radius Taps - D & D/2", "Pipe Taps - 2-1/2D & 8D"};
    switch (plate_type) {
        case Code(MeterType::ConcentricOrifice):
            if (calc_std == Code(CalcStd::ReaderHarris1992) || calc_std == Code(CalcStd::ReaderHarris2012))
                return {"Flange Taps", "Corner Taps"};
            if (calc_std == Code(CalcStd::Buckingham1985))
                return {"Flange Taps", "Corner Taps", "Radius Taps - D & D/2", "Pipe Taps - 2-1/2D & 8D"};
            return {"Flange Taps", "Corner Taps", "Radius Taps - D & D/2"};
        case Code(MeterType::SegmentalOrifice):
            return {"Flange Taps", "Vena Contracta Taps"};
        case Code(MeterType::EccentricOrifice):
            if (calc_std == Code(CalcStd::IsoTr15377)) return {"Corner Taps"};
            return {"Flange Taps @ Top (180 Deg)", "Flange Taps @ Side (90 Deg)",
                    "Vena Contracta Taps @ Top (180 Deg)", "Vena Contracta Taps @ Side (90 Deg)"};
        case Code(MeterType::QuadrantOrifice):
            if (calc_std == Code(CalcStd::IsoTr15377)) return {"Corner Taps"};
            return {"Flange Taps", "Corner Taps"};
        case Code(MeterType::SmallBoreOrifice):
            return {"Flange Taps", "Corner Taps"};
        default:
            return {"Corner Taps"};
    }
}

double OrificeDpRefTemp(int32_t calc_std) {
    return calc_std == Code(CalcStd::Stolz) || calc_std == Code(CalcStd::ReaderHarrisGallagher1998) ||
                   calc_std == Code(CalcStd::OrificePtc195)
               ? kDegR68F
               : kDegR60F;
}

void ApplyOrificeChoice(TagRecord& r, const OrificeChoice& c, const CMiscUtil& misc) {
    r.Meter_Type = c.plate_type;
    SetElementMaterial(r, c.material);
    const auto taps = OrificeTapList(c.plate_type, c.calc_std, r.Calc_Mode);
    const int32_t tap =
        c.tap_position >= 0 && c.tap_position < static_cast<int32_t>(taps.size()) ? c.tap_position : 0;
    r.Tap_Style = tap + 1;
    switch (c.plate_type) {
        case Code(MeterType::SegmentalOrifice):
        case Code(MeterType::IntegralOrifice):
            r.Calc_Std = Code(CalcStd::Stolz);
            break;
        case Code(MeterType::EccentricOrifice):
        case Code(MeterType::QuadrantOrifice):
        case Code(MeterType::ConicOrifice):
            r.Calc_Std = c.calc_std == Code(CalcStd::IsoTr15377) ? Code(CalcStd::IsoTr15377)
                                                                 : Code(CalcStd::Miller3rd);
            break;
        case Code(MeterType::SmallBoreOrifice):
            r.Calc_Std = Code(CalcStd::AsmeMfc14M);
            break;
        default:
            r.Calc_Std = c.calc_std;
            break;
    }
    r.DpRefTemp = OrificeDpRefTemp(r.Calc_Std);
    if (c.plate_type == Code(MeterType::IntegralOrifice)) {
        if (r.Matl_Pipe != c.ifoa_pipe_material) SetText(r.Pipe_Matl_DS, "");
        r.Matl_Pipe = c.ifoa_pipe_material;
        r.Meter_IFOAPipeMatl = c.ifoa_pipe_material;
        r.Meter_IFOAMfr = c.ifoa_mfr;
        r.Meter_IFOASize = c.ifoa_size;
        r.Meter_Style = c.ifoa_mfr == Code(IfoaMfr::FisherRosemount) ? 8 : 6;
        SetText(r.Meter_Style_Text, c.ifoa_size == Code(IfoaSize::Quadrant05) ? "QUADRANT" : "SQUARE-EDGED");
        r.Pipe_NomDia = c.ifoa_size == Code(IfoaSize::Square10)   ? 1.0
                        : c.ifoa_size == Code(IfoaSize::Square15) ? 1.5
                                                                  : 0.5;
        // Schedule 80 of the piping material's group (ASME B36.19M "80S" or B36.10M "80").
        const bool stainless = misc.IsStainless(c.ifoa_pipe_material);
        r.Pipe_Sched = stainless ? 3 : 7;
        SetText(r.Pipe_Sched_Text, stainless ? "80S" : "80");
        r.Pipe_IDia =
            misc.PipeInsideDiameter(c.ifoa_pipe_material, r.Pipe_NomDia, GetText(r.Pipe_Sched_Text));
    }
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

void ApplyCalcSetup(TagRecord& r, int32_t size_param, int32_t calc_mode, CritDropMemory& crit) {
    // dP is never the sizing parameter of a critical-drop device, bore never that of a wedge.
    if (calc_mode == Code(CalcMode::CriticalDrop) && size_param == Code(SizeParam::Dp))
        size_param = Code(SizeParam::Bore);
    const bool was_critical = r.Calc_Mode == Code(CalcMode::CriticalDrop);
    const bool is_critical = calc_mode == Code(CalcMode::CriticalDrop);
    const std::string tag_no(GetText(r.Tag_No));
    if (!was_critical && is_critical) {
        crit.meter_dp_max = r.Dp_Max;
        crit.meter_dp_tag_no = tag_no;
    } else if (was_critical && !is_critical) {
        r.Dp_Max = crit.meter_dp_tag_no == tag_no ? crit.meter_dp_max : 0.0;
        crit.meter_dp_max = 0.0;
        crit.meter_dp_tag_no.clear();
    }
    r.Calc_SizeParam = size_param;
    r.Calc_Mode = calc_mode;
    if (calc_mode == Code(CalcMode::Meter)) {
        if (r.Meter_Type == Code(MeterType::CriticalThickOrifice))
            r.Meter_Type = Code(MeterType::ConcentricOrifice);
    } else if (calc_mode == Code(CalcMode::CriticalDrop)) {
        r.Factor_Drain = 0;
        if (r.Meter_Type < Code(MeterType::VenturiMachined) ||
            r.Meter_Type > Code(MeterType::VenturiWeldedSheet)) {
            r.Meter_Type = crit.type;
            SetElementMaterial(r, crit.material);
        }
    } else if (calc_mode == Code(CalcMode::Restriction)) {
        r.Meter_Type = Code(MeterType::ConcentricOrifice);
        r.Tap_Style = 4;
        r.Calc_Std = Code(CalcStd::Buckingham1985);
        r.DpRefTemp = kDegR60F;
        r.Factor_Drain = 0;
    }
    if (IsStandardWedge(r.Meter_Type) && r.Calc_SizeParam == Code(SizeParam::Bore))
        r.Calc_SizeParam = Code(SizeParam::Dp);
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

NozzleRule NozzleRuleOf(int32_t nozzle_type) {
    if (nozzle_type == Code(MeterType::AsmeLongRadiusNozzle))
        return {
            {Code(CalcStd::NozzleAsmeMfc3M1989), Code(CalcStd::NozzleIso5167_1991),
             Code(CalcStd::NozzleRhg1998), Code(CalcStd::NozzleIso5167_3_2022), Code(CalcStd::NozzlePtc195)},
            Code(CalcStd::NozzleRhg1998),
            false};
    if (nozzle_type == Code(MeterType::AsmeThroatTapNozzle))
        return {{Code(CalcStd::NozzlePtc6), Code(CalcStd::NozzlePtc195), Code(CalcStd::NozzleIso5167_3_2022)},
                Code(CalcStd::NozzlePtc6),
                true};
    return {{Code(CalcStd::NozzleIso5167_1991), Code(CalcStd::NozzleRhg1998),
             Code(CalcStd::NozzleIso5167_3_2022), Code(CalcStd::NozzlePtc195)},
            Code(CalcStd::NozzleIso5167_1991),
            false};
}

void ApplyNozzleChoice(TagRecord& r, int32_t type, int32_t material, int32_t diffuser, int32_t calc_std) {
    const NozzleRule rule = NozzleRuleOf(type);
    r.Meter_Type = type;
    SetElementMaterial(r, material);
    r.Meter_Diffuser = rule.diffuser_enabled && diffuser != 0 ? 1 : 0;
    const bool allowed =
        std::find(rule.standards.begin(), rule.standards.end(), calc_std) != rule.standards.end();
    r.Calc_Std = allowed ? calc_std : rule.default_std;
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

void ApplyVenturiChoice(TagRecord& r, int32_t type, int32_t material, int32_t exit, int32_t calc_std) {
    r.Meter_Type = type == Code(MeterType::VenturiMachined) || type == Code(MeterType::VenturiRoughCast) ||
                           type == Code(MeterType::VenturiWeldedSheet)
                       ? type
                       : Code(MeterType::VenturiPtc195);
    SetElementMaterial(r, material);
    r.Meter_VenturiExit =
        exit == Code(VenturiExit::Deg7) ? Code(VenturiExit::Deg7) : Code(VenturiExit::Deg15);
    if (r.Meter_Type == Code(MeterType::VenturiPtc195))
        r.Calc_Std = Code(CalcStd::VenturiPtc195);
    else
        r.Calc_Std = calc_std == Code(CalcStd::VenturiAsmeMfc3M1989) ||
                             calc_std == Code(CalcStd::VenturiIso5167_1991) ||
                             calc_std == Code(CalcStd::VenturiIso5167_4_2022)
                         ? calc_std
                         : Code(CalcStd::VenturiIso5167_4_2022);
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

void ApplySimpleMeterChoice(TagRecord& r, int32_t type, int32_t material) {
    r.Meter_Type = type;
    SetElementMaterial(r, material);
    r.Calc_Std = Code(CalcStd::Stolz);
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

void ApplyCritDropChoice(TagRecord& r, int32_t type, int32_t material) {
    r.Meter_Type = type;
    SetElementMaterial(r, material);
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

void ApplyWedgeChoice(TagRecord& r, int32_t type, int32_t material, int32_t pipe_material) {
    r.Meter_Type = type;
    SetElementMaterial(r, material);
    if (r.Matl_Pipe != pipe_material) SetText(r.Pipe_Matl_DS, "");
    r.Matl_Pipe = pipe_material;
    if (IsStandardWedge(type)) r.Calc_SizeParam = Code(SizeParam::Dp);
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

void ApplyCustomMeterChoice(TagRecord& r, int32_t type, int32_t material, const std::string& style_text,
                            const std::string& tap_text, double coefficient) {
    r.Meter_Type = type;
    SetElementMaterial(r, material);
    SetText(r.Meter_Style_Text, style_text);  // bounded copy: 34 characters at most
    SetText(r.Tap_Style_Text, tap_text);      // 24 characters at most
    if (std::isfinite(coefficient) && coefficient > 0) r.C = coefficient;
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

std::vector<PipeSizeEntry> PipeSizeList(int32_t material, const std::string& unit_text, double unit_factor,
                                        const CMiscUtil& misc) {
    const auto sizes =
        misc.IsStainless(material) ? misc.StainlessNominalSizeTexts() : misc.NominalSizeTexts();
    std::vector<PipeSizeEntry> list;
    for (const std::string_view size : sizes) {
        double inches = 0;
        if (!ParseFiniteDouble(std::string(size), inches)) continue;
        std::string text;
        if (unit_text == "in")
            text = CFormat("%.2f", {inches});
        else if (unit_text == "mm")
            text = CFormat("%.0f", {misc.NominalSizeMm(inches)});
        else if (unit_text == "cm")
            text = CFormat("%.1f", {misc.NominalSizeMm(inches) / 10.0});
        else
            text = CFormat("%.3f", {inches * unit_factor});
        list.push_back({text, inches});
    }
    return list;
}

bool NominalSizeFromText(const std::string& text, int32_t material, const std::string& unit_text,
                         double unit_factor, const CMiscUtil& misc, double& inches) {
    double value = 0;
    if (!ParseFiniteDouble(text, value) || !(value > 0)) return false;
    for (const PipeSizeEntry& e : PipeSizeList(material, unit_text, unit_factor, misc)) {
        double shown = 0;
        if (ParseFiniteDouble(e.text, shown) && std::fabs(shown - value) <= 1e-9 * shown) {
            inches = e.inches;
            return true;
        }
    }
    if (!(unit_factor > 0) || !std::isfinite(unit_factor)) return false;
    const double converted = misc.SnapNominalSize(value / unit_factor);
    if (!std::isfinite(converted) || !(converted > 0)) return false;
    inches = converted;
    return true;
}

int32_t NonStdSchedulePosition(int32_t material, const CMiscUtil& misc) {
    return static_cast<int32_t>(misc.Schedules(material).size()) - 1;
}

void ApplyPipeChoice(TagRecord& r, const PipeChoice& c, const CMiscUtil& misc) {
    if (std::isfinite(c.nominal_in) && c.nominal_in > 0) r.Pipe_NomDia = misc.SnapNominalSize(c.nominal_in);
    if (std::isfinite(c.idia_in) && c.idia_in >= 0) r.Pipe_IDia = c.idia_in;
    if (r.Matl_Pipe != c.material) SetText(r.Pipe_Matl_DS, "");
    r.Matl_Pipe = c.material;
    r.Pipe_Sched = c.sched_position;
    SetText(r.Pipe_Sched_Text, misc.ScheduleText(c.material, c.sched_position));
    if (c.material >= 2 && c.material <= 8 && c.sched_position != NonStdSchedulePosition(c.material, misc)) {
        const double table = misc.PipeInsideDiameter(c.material, r.Pipe_NomDia, GetText(r.Pipe_Sched_Text));
        if (table > 0) r.Pipe_IDia = table;  // keep the user's diameter where the table has none
    }
    MarkUncalculated(r);
}

int ApplyBaseChoice(TagRecord& r, const BaseChoice& c, MessageSink& sink) {
    double press = 0;
    if (!FromUser(r, Quantity::BasePressure, c.base_press, press) || !(press > 0)) {
        CError(sink).Show(msg::kErrBasePressure);
        return msg::kErrBasePressure;
    }
    double temp = 0;
    if (!FromUser(r, Quantity::BaseTemperature, c.base_temp, temp) || !(temp > 0)) {
        CError(sink).Show(msg::kErrBaseTemperature);
        return msg::kErrBaseTemperature;
    }
    // Gas volume flows at base follow the new base as they do when it is typed on the
    // form; a base whose flows would not be finite is refused.
    double flow_max = 0, flow_norm = 0;
    if (!RescaledBaseFlows(r, press, r.Base_Temp, flow_max, flow_norm)) {
        CError(sink).Show(msg::kErrBasePressure);
        return msg::kErrBasePressure;
    }
    if (!RescaledBaseFlows(r, press, temp, flow_max, flow_norm)) {
        CError(sink).Show(msg::kErrBaseTemperature);
        return msg::kErrBaseTemperature;
    }
    double dpref = r.DpRefTemp;
    double atm = r.AtmPress;
    // A reference temperature or atmospheric pressure that is no number keeps its value.
    if (double v = 0; FromUser(r, Quantity::DpRefTemperature, c.dp_ref_temp, v) && v > 0) dpref = v;
    if (double v = 0; FromUser(r, Quantity::AtmPressure, c.atm_press, v) && v > 0) atm = v;
    r.Tap_Loc = c.tap_loc == Code(TapLoc::Downstream) ? Code(TapLoc::Downstream) : Code(TapLoc::Upstream);
    r.Base_Press = press;
    r.Base_Temp = temp;
    r.Flow_Max = flow_max;
    r.Flow_Norm = flow_norm;
    r.DpRefTemp = dpref;
    r.AtmPress = atm;
    MarkUncalculated(r);
    return 0;
}

}  // namespace quorven
