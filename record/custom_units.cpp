#include "record/custom_units.h"

#include <array>
#include <iterator>

#include "record/cformat.h"

namespace quorven {
namespace {

// Amount of each quantity in one internal base amount per hour, from the exact
// definitions 1 ft = 0.3048 m, 1 lb = 0.45359237 kg, 1 bbl = 42 US gal = 9702 in3,
// 1 UK gal = 4.54609 L (NIST SP 811, 2008, Appendix B); liquids per bbl/d.
struct Quantum {
    std::string_view text;  // combo entry
    std::string_view base;  // name text before the time letter
    double factor;
};

constexpr Quantum kGasBase[] = {
    {"cubic feet @ standard conditions", "scf", 1.0},
    {"cubic meters @ standard conditions", "sm3/", 0.028316846},
    {"cubic centimeters @ standard conditions", "scc/", 28316.8465},
    {"liters @ standard conditions", "sl/", 28.3168465},
    {"cubic feet @ normal conditions", "Nft3/", 1.0},
    {"cubic meters @ normal conditions", "Nm3/", 0.028316846},
    {"cubic centimeters @ normal conditions", "Ncc/", 28316.8465},
    {"liters @ normal conditions", "Nl/", 28.3168465},
};
// "ft3/" (not "ft3") so that a built name reads like the list's own "ft3/h".
constexpr Quantum kGasFlowing[] = {
    {"cubic feet @ flowing conditions", "ft3/", 1.0},
    {"cubic meters @ flowing conditions", "m3/", 0.028316846},
    {"cubic centimeters @ flowing conditions", "cc/", 28316.8465},
};
constexpr Quantum kMass[] = {
    {"pounds avd.", "lb/", 1.0},
    {"kilograms", "kg/", 0.4535924},
    {"ton short", "tons/", 0.0005},
    {"ton long", "tonl/", 0.0004464286},
    {"ton metric", "ton-m/", 0.0004535924},
    {"ounces", "oz/", 16.0},
    {"grams", "g/", 453.5924},
    {"grains", "gr/", 7000.0},
    {"drams", "dr/", 256.0},
};
constexpr Quantum kLiquidBase[] = {
    {"Barrels Oil", "USBBL/", 0.04166667},
    {"US Gallons", "USGp", 1.75},
    {"Imperial Gallons", "ImpGp", 1.457181},
    {"Cubic Feet", "Ft3/", 0.233941},
    {"Cubic Meters", "M3/", 0.006624471},
    {"Cubic Centimeters", "CC/", 6624.471},
    {"Liters", "L/", 6.624471},
};
constexpr Quantum kLiquidFlowing[] = {
    {"Barrels Oil", "USbbl/", 0.04166667},
    {"US Gallons", "USgp", 1.75},
    {"Imperial Gallons", "Impgp", 1.457181},
    {"Cubic Feet", "ft3/", 0.233941},
    {"Cubic Meters", "m3/", 0.006624471},
    {"Cubic Centimeters", "cc/", 6624.471},
    {"Liters", "l/", 6.624471},
};

// Internal flows are per hour; a year is 365 days.
struct Period {
    std::string_view text;
    char letter;
    double divisor;
};
constexpr Period kPeriods[] = {
    {"years", 'y', 1.0 / 8760.0}, {"days", 'd', 1.0 / 24.0}, {"hours", 'h', 1.0},
    {"minutes", 'm', 60.0},       {"seconds", 's', 3600.0},
};

struct Prefix {
    std::string_view text;
    std::string_view letters;  // "" for none
    double multiplier;
};
constexpr Prefix kPrefixes[] = {
    {"(none)", "", 1.0},
    {"m - milli - Flow / 0.001", "m", 0.001},
    {"c - centi - Flow / 0.01", "c", 0.01},
    {"d - deci  - Flow / 0.1", "d", 0.1},
    {"D - deka  - Flow / 10", "D", 10.0},
    {"h - hecto - Flow / 100", "h", 100.0},
    {"k - kilo  - Flow / 1000", "k", 1000.0},
    {"M - mega  - Flow / 1000000", "M", 1000000.0},
    {"M - thousaands - Flow / 1000", "M", 1000.0},
    {"MM - millions  - Flow / 1000000", "MM", 1000000.0},
};

constexpr std::size_t kMaxFlowName = 9;  // 10-byte name slot less the terminator

template <std::size_t N>
std::span<const Quantum> S(const Quantum (&a)[N]) {
    return {a, N};
}

std::span<const Quantum> QuantaOf(FlowKind k) {
    switch (k) {
        case FlowKind::GasBase:
            return S(kGasBase);
        case FlowKind::GasFlowing:
            return S(kGasFlowing);
        case FlowKind::LiquidBase:
            return S(kLiquidBase);
        case FlowKind::LiquidFlowing:
            return S(kLiquidFlowing);
        case FlowKind::GasMass:
        case FlowKind::LiquidMass:
            break;
    }
    return S(kMass);
}

// The combo texts of one constant table, gathered once per table.
template <const auto& kTable>
std::span<const std::string_view> Texts() {
    constexpr std::size_t n = std::size(kTable);
    static constexpr auto kTexts = [] {
        std::array<std::string_view, n> v{};
        for (std::size_t i = 0; i < n; ++i) v[i] = kTable[i].text;
        return v;
    }();
    return {kTexts.data(), n};
}

}  // namespace

std::span<const std::string_view> CustomQuantityTexts(FlowKind k) {
    switch (k) {
        case FlowKind::GasBase:
            return Texts<kGasBase>();
        case FlowKind::GasFlowing:
            return Texts<kGasFlowing>();
        case FlowKind::LiquidBase:
            return Texts<kLiquidBase>();
        case FlowKind::LiquidFlowing:
            return Texts<kLiquidFlowing>();
        case FlowKind::GasMass:
        case FlowKind::LiquidMass:
            break;
    }
    return Texts<kMass>();
}

std::span<const std::string_view> CustomTimeTexts() {
    return Texts<kPeriods>();
}

std::span<const std::string_view> CustomPrefixTexts() {
    return Texts<kPrefixes>();
}

std::string_view CustomUnitCaption(FlowKind k) {
    switch (k) {
        case FlowKind::GasBase:
            return "Gas/Vapor Volume Units @ Base Conditions";
        case FlowKind::GasFlowing:
            return "Gas/Vapor Volume Flows @ Flowing Conditions";
        case FlowKind::GasMass:
            return "Gas/Vapor Mass Flow";
        case FlowKind::LiquidBase:
            return "Liquid Volume Flows @ Base Conditions";
        case FlowKind::LiquidFlowing:
            return "Liquid Volume Flows @ Flowing Conditions";
        case FlowKind::LiquidMass:
            break;
    }
    return "Liquid Mass Flow";
}

std::string_view UnitsSetupHeader(FlowKind k) {
    switch (k) {
        case FlowKind::GasBase:
            return "1 scfh =";
        case FlowKind::GasFlowing:
            return "1 ft3/h =";
        case FlowKind::LiquidBase:
            return "1 USBBL/d =";
        case FlowKind::LiquidFlowing:
            return "1 USbbl/d =";
        case FlowKind::GasMass:
        case FlowKind::LiquidMass:
            break;
    }
    return "1 lb/h =";
}

std::optional<CustomFlowUnit> BuildCustomFlowUnit(FlowKind k, int quantity, int time, int prefix) {
    const std::span<const Quantum> quanta = QuantaOf(k);
    if (quantity < 0 || static_cast<std::size_t>(quantity) >= quanta.size()) return std::nullopt;
    if (time < 0 || time >= static_cast<int>(std::size(kPeriods))) return std::nullopt;
    if (prefix < 0 || prefix >= static_cast<int>(std::size(kPrefixes))) return std::nullopt;
    const Quantum& q = quanta[static_cast<std::size_t>(quantity)];
    const Period& t = kPeriods[time];
    const Prefix& p = kPrefixes[prefix];

    // The factor keeps seven significant digits: printed with "%.6e" and read back.
    double factor = q.factor / t.divisor;
    if (!ParseFiniteDouble(CFormat("%.6e", {factor}), factor)) return std::nullopt;
    if (!p.letters.empty()) factor /= p.multiplier;

    // Prefix letters and one blank, unless the name would then outgrow its slot:
    // the blank goes first, so the time letter that tells d from h always stays.
    std::string name(p.letters);
    const std::size_t rest = q.base.size() + 1;
    if (!name.empty() && name.size() + 1 + rest <= kMaxFlowName) name += ' ';
    name += q.base;
    name += t.letter;
    return CustomFlowUnit{name, factor};
}

}  // namespace quorven
