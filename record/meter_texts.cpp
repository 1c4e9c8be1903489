#include "record/meter_texts.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "record/choice_codes.h"

namespace quorven {
namespace {

constexpr MeterTypeTexts kMeterTypes[] = {
    {1128, "ORIFICE PLATE", "CONCENTRIC"},            // orifice plate
    {1129, "ORIFICE PLATE", "SEGMENTAL"},             // orifice plate
    {1130, "ORIFICE PLATE", "ECCENTRIC"},             // orifice plate
    {1131, "ORIFICE PLATE", "QUADRANT"},              // orifice plate
    {1132, "ORIFICE PLATE", "SMALL BORE PRECISION"},  // orifice plate
    {1133, "ORIFICE PLATE", "INTEGRAL"},              // orifice plate
    {1134, "ORIFICE PLATE", "CONIC"},                 // orifice plate
    {1150, "FLOW NOZZLE", "ASME LONG RADIUS"},        // flow nozzle
    {1151, "FLOW NOZZLE", "ASME THROAT TAP"},         // flow nozzle
    {1152, "FLOW NOZZLE", "ISA 1932"},                // flow nozzle
    {1153, "FLOW NOZZLE", "VENTURI (ISA INLET)"},     // flow nozzle
    {1156, "VENTURI", "MACHINED INLET"},              // venturi
    {1157, "VENTURI", "ROUGH CAST INLET"},            // venturi
    {1158, "VENTURI", "WELDED SHEET INLET"},          // venturi
    {1776, "VENTURI", "Per ASME PTC 19.5"},           // venturi
    {1163, "UNIVERSAL VENTURI TUBE",
     "UVT\xAE"
     ""},  // UVT
    {1165, "FLOW TUBE",
     "LO LOSS\xAE"
     ""},                                  // Lo Loss
    {1690, "WEDGE METER", "ISO 5167-6"},   // wedge
    {1691, "WEDGE METER", "R.W. MILLER"},  // wedge
    {1692, "WEDGE METER",
     "ABB 1610L\xAE"
     ""},  // wedge
    {1693, "WEDGE METER",
     "ABB 1615L\xAE"
     ""},  // wedge
    {1694, "WEDGE METER",
     "ABB 1630L\xAE"
     ""},  // wedge
    {1695, "INTEGRAL WEDGE METER",
     "ABB 1335L\xAE"
     ""},  // wedge
    {1696, "INTEGRAL WEDGE METER",
     "ABB 1336L\xAE"
     ""},  // wedge
    {1697, "INTEGRAL WEDGE METER",
     "ABB 1337L\xAE"
     ""},                                                   // wedge
    {1359, "FLOW NOZZLE", "ASME THROAT TAP"},               // custom
    {1360, "CALIBRATED ORIFICE PLATE", ""},                 // custom
    {1361, "CALIBRATED FLOW NOZZLE", ""},                   // custom
    {1362, "CALIBRATED VENTURI", ""},                       // custom
    {1363, "CALIBRATED FLOW TUBE", ""},                     // custom
    {1762, "CALIBRATED WEDGE METER", ""},                   // custom
    {1369, "CRITICAL DROP NOZZLE", "CYLINDRICAL THROAT"},   // critical drop nozzle
    {1370, "CRITICAL DROP NOZZLE", "TOROIDAL THROAT"},      // critical drop nozzle
    {1373, "CRITICAL DROP ORIFICE", "SQUARE-EDGED PLATE"},  // critical drop orifice
    {1374, "CRITICAL DROP ORIFICE", "THICK PLATE"},         // critical drop orifice
    {1766, "CRITICAL DROP VENTURI", "VENTURI"},             // critical drop venturi
    {1684, "CRITICAL DROP VENTURI", "VENTURI"},             // proprietary meter 1
    {1687, "CRITICAL DROP VENTURI", "VENTURI"},             // proprietary meter 2
};

constexpr std::array<const char*, 4> kConcentricTaps = {"FLANGE TAPS", "CORNER TAPS", "RADIUS TAPS",
                                                        "PIPE TAPS"};
constexpr std::array<const char*, 2> kSegmentalTaps = {"FLANGE TAPS", "VENA CONTRACTA"};
constexpr std::array<const char*, 4> kEccentricMillerTaps = {"FLANGE TAPS @ TOP", "FLANGE TAPS @ SIDE",
                                                             "VEN CON TAPS @ TOP", "VEN CON TAPS @ SIDE"};
constexpr std::array<const char*, 2> kQuadrantTaps = {"FLANGE TAPS", "CORNER TAPS"};

// The dialog list of tap styles for a type, empty when the type has one fixed text.
std::pair<const char* const*, int> TapList(int32_t meter_type, int32_t calc_std) {
    switch (meter_type) {
        case Code(MeterType::ConcentricOrifice):
            return {kConcentricTaps.data(), 4};
        case Code(MeterType::SegmentalOrifice):
            return {kSegmentalTaps.data(), 2};
        case Code(MeterType::EccentricOrifice):
            if (calc_std == Code(CalcStd::Miller3rd)) return {kEccentricMillerTaps.data(), 4};
            return {nullptr, 0};
        case Code(MeterType::QuadrantOrifice):
        case Code(MeterType::SmallBoreOrifice):
            return {kQuadrantTaps.data(), 2};
        default:
            return {nullptr, 0};
    }
}

}  // namespace

const MeterTypeTexts* FindMeterType(int32_t meter_type) {
    const auto it = std::find_if(std::begin(kMeterTypes), std::end(kMeterTypes),
                                 [&](const MeterTypeTexts& m) { return m.code == meter_type; });
    return it == std::end(kMeterTypes) ? nullptr : &*it;
}

std::string MeterFamilyText(int32_t meter_type, int32_t diffuser, int32_t venturi_exit) {
    const MeterTypeTexts* m = FindMeterType(meter_type);
    if (!m) return {};
    std::string text = m->family;
    if (meter_type >= Code(MeterType::AsmeLongRadiusNozzle) && meter_type <= Code(MeterType::IsaNozzle) &&
        diffuser == 1)
        text += " W/OUTL DIFFUSER";
    if (IsVenturiTube(meter_type))
        text += venturi_exit == Code(VenturiExit::Deg15) ? " - 15 DEG EXIT" : " - 7 DEG EXIT";
    return text;
}

int TapStyleCount(int32_t meter_type, int32_t calc_std) {
    return TapList(meter_type, calc_std).second;
}

std::string_view TapStyleText(int32_t meter_type, int32_t calc_std, int32_t tap_style) {
    const auto [list, count] = TapList(meter_type, calc_std);
    if (count > 0) {
        if (tap_style < 1 || tap_style > count) return {};
        return list[tap_style - 1];
    }
    const auto is = [meter_type](MeterType t) { return meter_type == Code(t); };
    if (is(MeterType::EccentricOrifice) || is(MeterType::IntegralOrifice) || is(MeterType::ConicOrifice))
        return "CORNER TAPS";
    if (is(MeterType::AsmeLongRadiusNozzle)) return "WALL TAPS";
    if (is(MeterType::AsmeThroatTapNozzle) || is(MeterType::CustomThroatTapNozzle)) return "THROAT TAPS";
    if (is(MeterType::IsaNozzle) || is(MeterType::VenturiNozzle)) return "CORNER/THROAT TAPS";
    if (IsVenturiTube(meter_type)) return "D/2 & THROAT d/2 TAPS";
    if (is(MeterType::Uvt) || is(MeterType::LoLoss) || IsStandardWedge(meter_type)) return "MFR STD";
    if (IsCriticalDropDevice(meter_type) || IsProprietaryMeter(meter_type)) return "NONE";
    return {};
}

void ApplyMeterTexts(TagRecord& r) {
    const MeterTypeTexts* m = FindMeterType(r.Meter_Type);
    if (!m) return;
    SetText(r.Meter, MeterFamilyText(r.Meter_Type, r.Meter_Diffuser, r.Meter_VenturiExit));
    if (IsCustomMeter(r.Meter_Type) && r.Meter_Type != Code(MeterType::CustomThroatTapNozzle)) return;
    if (*m->type) SetText(r.Meter_Type_Text, m->type);
    SetText(r.Tap_Style_Text, TapStyleText(r.Meter_Type, r.Calc_Std, r.Tap_Style));
}

}  // namespace quorven
