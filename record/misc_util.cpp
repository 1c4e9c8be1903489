#include "record/misc_util.h"

#include <algorithm>
#include <iterator>

#include "record/choice_codes.h"

namespace quorven {
namespace {

struct Material {
    std::string_view name_f;
    std::string_view name_c;
    std::string_view tag;
};

// clang-format off
// Index 1..44 at position index - 1.
constexpr Material kMaterials[CMiscUtil::kMaterialCount] = {
    {"< 5% Chrome Moly (-325 to 1400\xB0" "F)", "< 5% Chrome Moly (-198 to 760\xB0" "C)", "< 5% CHROME MOLY"},
    {"300 Series SS (-325 to 1400\xB0" "F)", "300 Series SS (-198 to 760\xB0" "C)", "300 Series SS"},
    {"301 SS (-300 to 600\xB0" "F)", "301 SS (-184 to 316\xB0" "C)", "301 SS"},
    {"304/304L SS (-300 to 600\xB0" "F)", "304/304L SS (-184 to 316\xB0" "C)", "304/304L SS"},
    {"310/310S SS (-300 to 600\xB0" "F)", "310/310S SS (-184 to 316\xB0" "C)", "310/310S SS"},
    {"316/316L SS (-300 to 600\xB0" "F)", "316/316L SS (-184 to 316\xB0" "C)", "316/316L SS"},
    {"330 SS (-300 to 600\xB0" "F)", "330 SS (-184 to 316\xB0" "C)", "330 SS"},
    {"347/348 SS (-300 to 600\xB0" "F)", "347/348 SS (-184 to 316\xB0" "C)", "347/348 SS"},
    {"400+ SS (-325 to 1400\xB0" "F)", "400+ SS (-198 to 760\xB0" "C)", "400+ SS"},
    {"5%-9% Chrome-Moly (-325 to 1400\xB0" "F)", "5%-9% Chrome-Moly (-198 to 760\xB0" "C)", "5%-9% CHROME MOLY"},
    {"Aluminum Bronze (70 to 600\xB0" "F)", "Aluminum Bronze (21 to 316\xB0" "C)", "ALUMINUM BRONZE"},
    {"Beryllium Copper 25 (70 to 600\xB0" "F)", "Beryllium Copper 25 (21 to 316\xB0" "C)", "BERYLLIUM COPPER 25"},
    {"Carbon Steel (-50 to 1400\xB0" "F)", "Carbon Steel (-45 to 760\xB0" "C)", "CARBON STEEL"},
    {"Carpenter 20/Alloy 20 (-200 to 1400\xB0" "F)", "Carpenter 20/Alloy 20 (-129 to 760\xB0" "C)",
     "CARPENTER 20/ALLOY 20"},
    {"Commercial Bronze (68 to 572\xB0" "F)", "Commercial Bronze (20 to 300\xB0" "C)", "COMMERCIAL BRONZE"},
    {"Copper (70 to 600\xB0" "F)", "Copper (21 to 316\xB0" "C)", "COPPER"},
    {"CuproNickel 30 (70 to 600\xB0" "F)", "CuproNickel 30 (21 to 316\xB0" "C)", "CUPRONICKEL 30%"},
    {"Hastelloy B (32 to 212\xB0" "F)", "Hastelloy B (0 to 100\xB0" "C)", "HASTELLOY B"},
    {"Hastelloy C (70 to 600\xB0" "F)", "Hastelloy C (21 to 316\xB0" "C)", "HASTELLOY C"},
    {"Inconel 600 (-200 to 1400\xB0" "F)", "Inconel 600 (-129 to 760\xB0" "C)", "INCONEL 600"},
    {"Inconel 625 (-200 to 1400\xB0" "F)", "Inconel 625 (-129 to 760\xB0" "C)", "INCONEL 625"},
    {"Inconel 800 (100 to 1000\xB0" "F)", "Inconel 800 (38 to 538\xB0" "C)", "INCONEL 800"},
    {"Inconel X, Annealed (70 to 600\xB0" "F)", "Inconel X, Annealed (21 to 316\xB0" "C)", "ICONEL X ANNEALED"},
    {"K-Monel (70 to 600\xB0" "F)", "K-Monel (21 to 316\xB0" "C)", "K-MONEL"},
    {"Monel 400 (70 to 600\xB0" "F)", "Monel 400 (21 to 316\xB0" "C)", "MONEL 400"},
    {"Nickel (70 to 600\xB0" "F)", "Nickel (21 to 316\xB0" "C)", "NICKEL"},
    {"Nickel 200 (-200 to 1400\xB0" "F)", "Nickel 200 (21 to 316\xB0" "C)", "NICKEL 200"},
    {"Phospher Bronze (70 to 600\xB0" "F)", "Phospher Bronze (21 to 316\xB0" "C)", "PHOSPHER BRONZE"},
    {"Pyrex Glass (32 to 580\xB0" "F)", "Pyrex Glass (0 to 304\xB0" "C)", "PYREX GLASS"},
    {"Stellite (70 to 600\xB0" "F)", "Stellite (21 to 316\xB0" "C)", "STELLITE"},
    {"Tantalum (70 to 212\xB0" "F)", "Tantalum (21 to 100\xB0" "C)", "TANTALUM"},
    {"Teflon (32 to 400\xB0" "F)", "Teflon (0 to 204\xB0" "C)", "TEFLON"},
    {"Titanium (70 to 212\xB0" "F)", "Titanium (21 to 100\xB0" "C)", "TITANIUM"},
    {"Yellow Brass (70 to 600\xB0" "F)", "Yellow Brass (21 to 316\xB0" "C)", "YELLOW BRASS"},
    {"Zirconium (70 to 600\xB0" "F)", "Zirconium (21 to 316\xB0" "C)", "ZIRCONIUM"},
    {"P-2/Gr.2 Chrome Moly (-325 to 950\xB0" "F)", "P-2/Gr.2 Chrome Moly (-198 to 510\xB0" "C)", "Gr. 2 CHROME MOLY"},
    {"P-11/Gr.11 Chrome Moly (-325 to 1400\xB0" "F)", "P-11/Gr.11 Chrome Moly (-198 to 760\xB0" "C)",
     "Gr. 11 CHROME MOLY"},
    {"P-12/Gr.12 Chrome Moly (-325 to 1400\xB0" "F)", "P-12/Gr.12 Chrome Moly (-198 to 760\xB0" "C)",
     "Gr. 12 CHROME MOLY"},
    {"P-22/Gr.22 Chrome Moly (-325 to 1400\xB0" "F)", "P-22/Gr.22 Chrome Moly (-198 to 760\xB0" "C)",
     "Gr. 22 CHROME MOLY"},
    {"P-91/Gr.91 Chrome Moly (-325 to 1400\xB0" "F)", "P-91/Gr.91 Chrome Moly (-198 to 760\xB0" "C)",
     "Gr. 91 CHROME MOLY"},
    {"17-4 PH SS (70 to 600\xB0" "F)", "17-4 pH (21 to 316\xB0" "C)", "17-4 pH SS"},
    {"Duplex 2205/2507 SS (70 to 1300\xB0" "F)", "Duplex 2205/2507 SS (70 to 700\xB0" "C)", "Duplex 2205/2507 SS"},
    {"PVC (0 to 150\xB0" "F)", "PVC (-18 to 66\xB0" "C)", "PVC"},
    {"CPVC (0 to 210\xB0" "F)", "CPVC (-18 to 99\xB0" "C)", "CPVC"},
};
// clang-format on

// Material indexes in the order of the sorted combo boxes.
constexpr int32_t kSortedMaterials[CMiscUtil::kMaterialCount] = {
    1,  41, 2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 44, 17, 42, 18, 19,
    20, 21, 22, 23, 24, 25, 26, 27, 37, 38, 36, 39, 40, 28, 43, 29, 30, 31, 32, 33, 34, 35,
};

constexpr std::string_view kCarbonSchedules[] = {"5",  "10",  "20",  "30",  "40",  "STD", "60",     "80",
                                                 "XS", "100", "120", "140", "160", "XXS", "NON-STD"};
constexpr std::string_view kStainlessSchedules[] = {"5S", "10S", "40S", "80S", "NON-STD"};

constexpr std::string_view kNominalSizes[] = {
    "0.50",  "0.75",  "1.00",  "1.25",  "1.50",  "2.00",  "2.50",  "3.00",  "3.50",  "4.00",  "5.00",
    "6.00",  "8.00",  "10.00", "12.00", "14.00", "16.00", "18.00", "20.00", "22.00", "24.00", "26.00",
    "28.00", "30.00", "32.00", "34.00", "36.00", "38.00", "40.00", "42.00", "44.00", "46.00", "48.00",
};

// Open windows (lo, hi) -> nominal size [in].
struct Window {
    double lo, hi, size;
};
constexpr Window kSnapWindows[] = {
    {0.12, 0.13, 0.125}, {0.2, 0.3, 0.25},  {0.35, 0.4, 0.375}, {0.4, 0.7, 0.5},  {0.7, 0.8, 0.75},
    {0.95, 1.1, 1},      {1.15, 1.4, 1.25}, {1.4, 1.6, 1.5},    {1.9, 2.1, 2},    {2.3, 2.6, 2.5},
    {2.8, 3.2, 3},       {3.3, 3.6, 3.5},   {3.8, 4.1, 4},      {4.8, 5.1, 5},    {5.8, 6.1, 6},
    {7.8, 8.1, 8},       {9.8, 10.1, 10},   {11.8, 12.1, 12},   {13.7, 14.1, 14}, {15.7, 16.1, 16},
    {17.7, 18.1, 18},    {19.6, 20.1, 20},  {23.6, 24.1, 24},   {29.5, 30.1, 30}, {35, 37, 36},
    {41, 43, 42},        {47, 49, 48},
};

// Nominal inch size -> DN [mm] for the sizes below 10 in; from 10 in on, 50 mm per 2 in.
struct Dn {
    double inches, mm;
};
constexpr Dn kDn[] = {{0.125, 3}, {0.25, 7}, {0.375, 10}, {0.5, 15}, {0.75, 20}, {1, 25},
                      {1.25, 30}, {1.5, 40}, {2, 50},     {2.5, 60}, {3, 80},    {3.5, 90},
                      {4, 100},   {5, 125},  {6, 150},    {8, 200}};

struct SizingText {
    int32_t mode, param;
    std::string_view short_text, long_text;
};
constexpr SizingText kSizingTexts[] = {
    {1123, 1120, "FLOWMETER BORE", "FLOWMETER CALC FOR BORE"},
    {1123, 1121, "FLOWMETER dP", "FLOWMETER CALC FOR dP"},
    {1123, 1122, "FLOWMETER FLOW", "FLOWMETER CALC FOR FLOW"},
    {1124, 1120, "CRITICAL BORE", "CRITICAL DROP CALC FOR BORE"},
    {1124, 1122, "CRITICAL FLOW", "CRITICAL DROP CALC FOR FLOW"},
    {1125, 1120, "RESTRICTION BORE", "RESTRICTION DROP CALC FOR BORE"},
    {1125, 1121, "RESTRICTION dP", "RESTRICTION DROP CALC FOR dP"},
    {1125, 1122, "RESTRICTION FLOW", "RESTRICTION DROP CALC FOR FLOW"},
};

struct CodeText {
    int32_t code;
    std::string_view text;
};
constexpr CodeText kStandardTexts[] = {
    {1137, "ASME MFC-3M (1989)/ISO 5167 (1991)"},
    {1138, "API 2530/AGA 3 (1992)"},
    {1139, "SPINKS or API 2530/AGA 3 (1985)"},
    {1680, "ASME MFC-3M (1989 Edition)"},
    {1750, "ASME MFC-3M (1989 Edition)"},
    {1681, "ISO 5167 (1991 Edition)"},
    {1751, "ISO 5167-1 (1991 Edition)"},
    {1703, "ASME MFC-3Ma(2007)/ISO 5167(2022)"},
    {1704, "ASME MFC-3Ma(2007)/ISO 5167(2022)"},
    {1752, "ASME MFC-3Ma(2007)/ISO 5167(2022)"},
    {1753, "ASME PTC 6 (2004)"},
    {1764, "RW Miller, 3rd Edition"},
    {1765, "ISO/TR 15377 (2007 Edition)"},
    {1773, "ASME PTC 19.5 (2004)"},
    {1774, "ASME PTC 19.5 (2004)"},
    {1775, "ASME PTC 19.5 (2004)"},
    {1777, "API 2530/AGA 3 (2012)"},
    {1778, "ISO 5167 (2022)"},
};

struct EquationText {
    int32_t equation, condition, property;  // condition 0: any
    std::string_view text;
};
constexpr EquationText kEquationTexts[] = {
    {1345, 1347, 1349, "LIQUID-VOLUME-SG-BASE"},      {1345, 1348, 1349, "LIQUID-VOLUME-SG-FLOWING"},
    {1345, 1347, 1350, "LIQUID-VOLUME-DENSITY-BASE"}, {1345, 1348, 1350, "LIQUID-VOLUME-DENSITY-FLOWING"},
    {1346, 0, 1349, "LIQUID-MASS-SG-FLOWING"},        {1346, 0, 1350, "LIQUID-MASS-DENSITY-FLOWING"},
    {1352, 1354, 1356, "GAS-VOLUME-PVT-BASE"},        {1352, 1354, 1357, "GAS-VOLUME-PVT-BASE"},
    {1352, 1355, 1356, "GAS-VOLUME-PVT-FLOWING"},     {1352, 1355, 1357, "GAS-VOLUME-PVT-FLOWING"},
    {1352, 1354, 1358, "GAS-VOLUME-DENSITY-BASE"},    {1352, 1355, 1358, "GAS-VOLUME-DENSITY-FLOWING"},
    {1353, 0, 1356, "VAPOR-MASS-PVT-FLOWING"},        {1353, 0, 1357, "VAPOR-MASS-PVT-FLOWING"},
    {1353, 0, 1358, "VAPOR-MASS-DENSITY-FLOWING"},
};

}  // namespace

std::string_view CMiscUtil::MaterialName(int32_t temp_unit, int32_t index) const {
    if (index < 1 || index > kMaterialCount) return {};
    const Material& m = kMaterials[index - 1];
    return temp_unit == 2 || temp_unit == 3 ? m.name_c : m.name_f;
}

std::string_view CMiscUtil::MaterialTag(int32_t index) const {
    if (index < 1 || index > kMaterialCount) return {};
    return kMaterials[index - 1].tag;
}

int32_t CMiscUtil::MaterialFromListPosition(int32_t position) const {
    if (position < 0 || position >= kMaterialCount) return 0;
    return kSortedMaterials[position];
}

bool CMiscUtil::IsStainless(int32_t material) const {
    return (material >= 2 && material <= 9) || material == 41 || material == 42;
}

std::span<const std::string_view> CMiscUtil::Schedules(int32_t material) const {
    if (IsStainless(material)) return kStainlessSchedules;
    return kCarbonSchedules;
}

std::string_view CMiscUtil::ScheduleText(int32_t material, int32_t position) const {
    const std::span<const std::string_view> list = Schedules(material);
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) return {};
    return list[static_cast<std::size_t>(position)];
}

std::string CMiscUtil::ShownScheduleText(int32_t material, int32_t position, std::string_view text) const {
    return std::string(text.empty() ? ScheduleText(material, position) : text);
}

int32_t CMiscUtil::SchedulePosition(int32_t material, std::string_view text) const {
    const std::span<const std::string_view> list = Schedules(material);
    const auto it = std::find(list.begin(), list.end(), text);
    return it == list.end() ? -1 : static_cast<int32_t>(it - list.begin());
}

std::span<const std::string_view> CMiscUtil::NominalSizeTexts() const {
    return kNominalSizes;
}

std::span<const std::string_view> CMiscUtil::StainlessNominalSizeTexts() const {
    const std::span<const std::string_view> all = kNominalSizes;
    const auto end = std::find(all.begin(), all.end(), std::string_view("30.00"));
    return all.first(static_cast<std::size_t>(end - all.begin()) + 1);
}

std::string_view CMiscUtil::NominalSizeText(int32_t position) const {
    if (position < 0 || position >= static_cast<int32_t>(std::size(kNominalSizes))) return {};
    return kNominalSizes[position];
}

double CMiscUtil::SnapNominalSize(double inches) const {
    for (const Window& w : kSnapWindows)
        if (inches > w.lo && inches < w.hi) return w.size;
    return inches;
}

double CMiscUtil::NominalSizeMm(double inches) const {
    for (const Dn& d : kDn)
        if (inches == d.inches) return d.mm;
    // 10 in (250) to 48 in (1200) in steps of 2 in.
    for (int size = 10; size <= 48; size += 2)
        if (inches == size) return 250.0 + 25.0 * (size - 10);
    return inches;
}

double CMiscUtil::PipeInsideDiameter(int32_t material, double nominal_in, std::string_view schedule) const {
    return StandardPipeInsideDiameter(IsStainless(material), nominal_in, schedule);
}

std::string_view CMiscUtil::SizingParameterText(bool short_form, int32_t calc_mode,
                                                int32_t size_param) const {
    for (const SizingText& s : kSizingTexts)
        if (s.mode == calc_mode && s.param == size_param) return short_form ? s.short_text : s.long_text;
    return {};
}

std::string CMiscUtil::StandardText(int32_t calc_std, int32_t calc_mode, int32_t meter_type, int32_t ifoa_mfr,
                                    std::string_view previous) const {
    std::string text(previous);
    for (const CodeText& c : kStandardTexts)
        if (c.code == calc_std) text = c.text;
    // Overrides, applied in this order so that the meter type has the last word.
    const auto is = [meter_type](MeterType t) { return meter_type == Code(t); };
    if (calc_mode == Code(CalcMode::CriticalDrop)) text = "R.W. Miller (3rd Edition)";
    if (is(MeterType::IntegralOrifice)) {
        if (ifoa_mfr == Code(IfoaMfr::SiebeFoxboro)) text = "Foxboro Integral Flow Orifice";
        if (ifoa_mfr == Code(IfoaMfr::FisherRosemount)) text = "Fisher-Rosemount 1195 Integral";
    }
    if (is(MeterType::WedgeIso5167_6)) text = "ISO 5167-6 (2019)";
    if (is(MeterType::WedgeMiller)) text = "R.W. Miller, (3rd Edition)";
    if (IsAbbWedge(meter_type)) text = "ABB Proprietary";
    if (is(MeterType::CustomWedge)) text = "Calibrated Wedge";
    if (IsProprietaryMeter(meter_type)) text = "Proprietary";
    if (is(MeterType::LoLoss)) text = "R.W. Miller, (3rd Edition)";
    if (is(MeterType::SmallBoreOrifice)) text = "ASME MFC-14M (2003) Small Bore";
    if (is(MeterType::Uvt)) text = "R.W. Miller (3rd Edition)";
    return text;
}

std::string CMiscUtil::FluidEquationText(int32_t equation, int32_t condition, int32_t property,
                                         std::string_view previous) const {
    for (const EquationText& e : kEquationTexts)
        if (e.equation == equation && (e.condition == 0 || e.condition == condition) &&
            e.property == property)
            return std::string(e.text);
    return std::string(previous);
}

}  // namespace quorven
