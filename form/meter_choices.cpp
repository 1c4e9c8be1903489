#include "form/meter_choices.h"

#include <algorithm>
#include <cmath>

#include "record/cformat.h"
#include "record/meter_texts.h"
#include "record/units.h"

namespace quorven {
namespace {

constexpr double kDegR68F = 527.67;  // 68 deg F in deg R
constexpr double kDegR60F = 519.67;  // 60 deg F in deg R

// Stainless pipe (ASME B36.19M) is listed from 1/2 in to 30 in: the first 24 nominal sizes.
constexpr int kStainlessSizeCount = 24;

void MarkUncalculated(TagRecord& r) {
    r.Calc_Status = 0;
}

void SetElementMaterial(TagRecord& r, int32_t material) {
    if (r.Matl_Elem != material) SetText(r.Elem_Matl_DS, "");
    r.Matl_Elem = material;
}

}  // namespace

int PlateTypeIndex(int32_t plate_type) {
    return plate_type >= 1128 && plate_type <= 1134 ? static_cast<int>(plate_type - 1128) : -1;
}

std::vector<int32_t> OrificeStandardsEnabled(int32_t plate_type, int32_t calc_mode) {
    if (calc_mode == 1125) return {1139};
    switch (plate_type) {
        case 1128:
            return {1137, 1138, 1777, 1703, 1139, 1774};
        case 1129:
            return {1764};
        case 1130:
        case 1131:
        case 1134:
            return {1764, 1765};
        case 1132:
            return {1749};
        default:
            return {};
    }
}

int32_t OrificeStandardForced(int32_t plate_type, int32_t calc_mode) {
    if (calc_mode == 1125) return 1139;
    if (plate_type == 1129) return 1764;
    if (plate_type == 1132) return 1749;
    return 0;
}

std::vector<std::string> OrificeTapList(int32_t plate_type, int32_t calc_std, int32_t calc_mode) {
    if (calc_mode == 1125)
        return {"Flange Taps", "Corner Taps", "Radius Taps - D & D/2", "Pipe Taps - 2-1/2D & 8D"};
    switch (plate_type) {
        case 1128:
            if (calc_std == 1138 || calc_std == 1777) return {"Flange Taps", "Corner Taps"};
            if (calc_std == 1139)
                return {"Flange Taps", "Corner Taps", "Radius Taps - D & D/2", "Pipe Taps - 2-1/2D & 8D"};
            return {"Flange Taps", "Corner Taps", "Radius Taps - D & D/2"};
        case 1129:
            return {"Flange Taps", "Vena Contracta Taps"};
        case 1130:
            if (calc_std == 1765) return {"Corner Taps"};
            return {"Flange Taps @ Top (180 Deg)", "Flange Taps @ Side (90 Deg)",
                    "Vena Contracta Taps @ Top (180 Deg)", "Vena Contracta Taps @ Side (90 Deg)"};
        case 1131:
            if (calc_std == 1765) return {"Corner Taps"};
            return {"Flange Taps", "Corner Taps"};
        case 1132:
            return {"Flange Taps", "Corner Taps"};
        default:
            return {"Corner Taps"};
    }
}

double OrificeDpRefTemp(int32_t calc_std) {
    return calc_std == 1137 || calc_std == 1703 || calc_std == 1774 ? kDegR68F : kDegR60F;
}

void ApplyOrificeChoice(TagRecord& r, const OrificeChoice& c, const CMiscUtil& misc) {
    r.Meter_Type = c.plate_type;
    SetElementMaterial(r, c.material);
    const auto taps = OrificeTapList(c.plate_type, c.calc_std, r.Calc_Mode);
    const int32_t tap =
        c.tap_position >= 0 && c.tap_position < static_cast<int32_t>(taps.size()) ? c.tap_position : 0;
    r.Tap_Style = tap + 1;
    switch (c.plate_type) {
        case 1129:
        case 1133:
            r.Calc_Std = 1137;
            break;
        case 1130:
        case 1131:
        case 1134:
            r.Calc_Std = c.calc_std == 1765 ? 1765 : 1764;
            break;
        case 1132:
            r.Calc_Std = 1749;
            break;
        default:
            r.Calc_Std = c.calc_std;
            break;
    }
    r.DpRefTemp = OrificeDpRefTemp(r.Calc_Std);
    if (c.plate_type == 1133) {
        if (r.Matl_Pipe != c.ifoa_pipe_material) SetText(r.Pipe_Matl_DS, "");
        r.Matl_Pipe = c.ifoa_pipe_material;
        r.Meter_IFOAPipeMatl = c.ifoa_pipe_material;
        r.Meter_IFOAMfr = c.ifoa_mfr;
        r.Meter_IFOASize = c.ifoa_size;
        r.Meter_Style = c.ifoa_mfr == 1144 ? 8 : 6;
        SetText(r.Meter_Style_Text, c.ifoa_size == 1145 ? "QUADRANT" : "SQUARE-EDGED");
        r.Pipe_NomDia = c.ifoa_size == 1147 ? 1.0 : c.ifoa_size == 1148 ? 1.5 : 0.5;
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

void ApplyCalcSetup(TagRecord& r, int32_t size_param, int32_t calc_mode, int32_t last_crit_type,
                    int32_t last_crit_material) {
    // dP is never the sizing parameter of a critical-drop device, bore never that of a wedge.
    if (calc_mode == 1124 && size_param == 1121) size_param = 1120;
    r.Calc_SizeParam = size_param;
    r.Calc_Mode = calc_mode;
    if (calc_mode == 1123) {
        if (r.Meter_Type == 1374) r.Meter_Type = 1128;
    } else if (calc_mode == 1124) {
        r.Factor_Drain = 0;
        if (r.Meter_Type < 1156 || r.Meter_Type > 1158) {
            r.Meter_Type = last_crit_type;
            SetElementMaterial(r, last_crit_material);
        }
    } else if (calc_mode == 1125) {
        r.Meter_Type = 1128;
        r.Tap_Style = 4;
        r.Calc_Std = 1139;
        r.DpRefTemp = kDegR60F;
        r.Factor_Drain = 0;
    }
    if (r.Meter_Type >= 1690 && r.Meter_Type <= 1697 && r.Calc_SizeParam == 1120) r.Calc_SizeParam = 1121;
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

NozzleRule NozzleRuleOf(int32_t nozzle_type) {
    if (nozzle_type == 1150) return {{1750, 1751, 1752, 1778, 1773}, 1752, false};
    if (nozzle_type == 1151) return {{1753, 1773, 1778}, 1753, true};
    return {{1751, 1752, 1778, 1773}, 1751, false};
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
    r.Meter_Type = type == 1156 || type == 1157 || type == 1158 ? type : 1776;
    SetElementMaterial(r, material);
    r.Meter_VenturiExit = exit == 1161 ? 1161 : 1160;
    if (r.Meter_Type == 1776)
        r.Calc_Std = 1775;
    else
        r.Calc_Std = calc_std == 1680 || calc_std == 1681 || calc_std == 1704 ? calc_std : 1704;
    ApplyMeterTexts(r);
    MarkUncalculated(r);
}

void ApplySimpleMeterChoice(TagRecord& r, int32_t type, int32_t material) {
    r.Meter_Type = type;
    SetElementMaterial(r, material);
    r.Calc_Std = 1137;
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
    if (type >= 1690 && type <= 1697) r.Calc_SizeParam = 1121;
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
    const auto sizes = misc.NominalSizeTexts();
    const int count = misc.IsStainless(material) ? kStainlessSizeCount : static_cast<int>(sizes.size());
    std::vector<PipeSizeEntry> list;
    for (int i = 0; i < count; ++i) {
        double inches = 0;
        if (!ParseFiniteDouble(sizes[static_cast<std::size_t>(i)], inches)) continue;
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
        CError(sink).Show(8);
        return 8;
    }
    double temp = 0;
    if (!FromUser(r, Quantity::BaseTemperature, c.base_temp, temp) || !(temp > 0)) {
        CError(sink).Show(9);
        return 9;
    }
    double dpref = r.DpRefTemp;
    double atm = r.AtmPress;
    // A reference temperature or atmospheric pressure that is no number keeps its value.
    if (double v = 0; FromUser(r, Quantity::DpRefTemperature, c.dp_ref_temp, v) && v > 0) dpref = v;
    if (double v = 0; FromUser(r, Quantity::AtmPressure, c.atm_press, v) && v > 0) atm = v;
    r.Tap_Loc = c.tap_loc == 1110 ? 1110 : 1109;
    r.Base_Press = press;
    r.Base_Temp = temp;
    r.DpRefTemp = dpref;
    r.AtmPress = atm;
    MarkUncalculated(r);
    return 0;
}

}  // namespace quorven
