#include "record/unit_tables.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "record/choice_codes.h"

namespace quorven {
namespace {

struct ListDef {
    UnitList list;
    std::string_view name;
    UnitListShape shape;
};

constexpr ListDef kLists[kUnitListCount] = {
    {UnitList::GasBaseVolFlow, "GasBaseVolFlow", {12, 10, 12}},
    {UnitList::GasFlowingVolFlow, "GasFlowingVolFlow", {12, 10, 12}},
    {UnitList::GasMassFlow, "GasMassFlow", {12, 10, 12}},
    {UnitList::LiquidBaseVolFlow, "LiquidBaseVolFlow", {12, 10, 12}},
    {UnitList::LiquidFlowingVolFlow, "LiquidFlowingVolFlow", {12, 10, 12}},
    {UnitList::LiquidMassFlow, "LiquidMassFlow", {12, 10, 12}},
    {UnitList::Pressure, "Pressure", {12, 12, 12}},
    {UnitList::AbsPressure, "AbsPressure", {12, 12, 12}},
    {UnitList::DiffPressure, "DiffPressure", {12, 12, 12}},
    {UnitList::Density, "Density", {12, 16, 12}},
    {UnitList::Viscosity, "Viscosity", {12, 12, 12}},
    {UnitList::BoreLength, "BoreLength", {3, 4, 4}},
    {UnitList::PipeSizeLength, "PipeSizeLength", {3, 4, 4}},
    {UnitList::Speed, "Speed", {4, 7, 4}},
    {UnitList::Acceleration, "Acceleration", {2, 7, 2}},
    {UnitList::Temperature, "Temperature", {4, 7, 0}},
};

struct Entry {
    std::string_view name;
    double factor;
};

// Default entries. Factors are user units per internal unit (Density: lb/ft3 per
// user unit), rounded to seven significant digits from the exact definitions:
// 1 ft = 0.3048 m, 1 lb = 0.45359237 kg, 1 US gal = 231 in3, 1 UK gal = 4.54609 L,
// 1 bbl = 42 US gal, g = 9.80665 m/s2 (NIST SP 811, 2008, Appendix B);
// 1 psi = 6894.757 Pa; 1 inH2O (68 degF) = 248.641 Pa; 1 inHg (60 degF) = 3376.85 Pa;
// 1 mmHg (0 degC) = 133.322387 Pa.
// clang-format off
constexpr Entry kGasBase[] = {
    {"scfd", 24.0},          {"scfh", 1.0},           {"scfm", 0.01666667},     {"scfs", 0.0002777778},
    {"Nm3/d", 0.6796043},    {"Nm3/h", 0.02831685},   {"Nm3/m", 0.0004719474},  {"Nm3/s", 7.865791e-06},
    {"sm3/d", 0.6796043},    {"sm3/h", 0.02831685},   {"sm3/m", 0.0004719474},  {"sm3/s", 7.865791e-06},
};
constexpr Entry kGasFlowing[] = {
    {"ft3/d", 24.0},        {"ft3/h", 1.0},         {"ft3/m", 0.01666667},    {"ft3/s", 0.0002777778},
    {"m3/d", 0.6796043},    {"m3/h", 0.02831685},   {"m3/m", 0.0004719474},   {"m3/s", 7.865791e-06},
    {"cc/h", 28316.85},     {"cc/m", 471.9474},     {"l/h", 28.31685},        {"l/m", 0.4719474},
};
constexpr Entry kMass[] = {
    {"lb/d", 24.0},          {"lb/h", 1.0},           {"lb/m", 0.01666667},       {"lb/s", 0.0002777778},
    {"kg/d", 10.88622},      {"kg/h", 0.4535924},     {"kg/m", 0.007559873},      {"kg/s", 0.0001259979},
    {"tons/d", 0.012},       {"tons/h", 0.0005},      {"ton-m/d", 0.01088622},    {"ton-m/h", 0.0004535924},
};
// 1 bbl = 0.158987294928 m3, so 1 bbl/d = 6.624471 L/h = 0.1104078 L/min.
constexpr Entry kLiquidBase[] = {
    {"USBBL/d", 1.0},        {"USBBL/h", 0.04166667}, {"USGpd", 42.0},        {"USGph", 1.75},
    {"USGpm", 0.02916667},   {"IMPGpd", 34.97234},    {"IMPGph", 1.457181},   {"IMPGpm", 0.02428635},
    {"M3/d", 0.1589873},     {"M3/h", 0.00662447},    {"L/h", 6.62447},       {"L/m", 0.1104078},
};
constexpr Entry kLiquidFlowing[] = {
    {"USbbl/d", 1.0},        {"USbbl/h", 0.04166667}, {"USgpd", 42.0},        {"USgph", 1.75},
    {"USgpm", 0.02916667},   {"IMPgpd", 34.97234},    {"IMPgph", 1.457181},   {"IMPgpm", 0.02428635},
    {"m3/d", 0.1589873},     {"m3/h", 0.00662447},    {"l/h", 6.62447},       {"l/m", 0.1104078},
};
// Even indexes gauge, odd indexes absolute.
constexpr Entry kPressure[] = {
    {"psig", 1.0},            {"psia", 1.0},            {"kPa-ga", 6.894757},  {"kPa-ab", 6.894757},
    {"MPa-ga", 0.006894757},  {"MPa-ab", 0.006894757},  {"bar-ga", 0.06894757}, {"bar-ab", 0.06894757},
    {"mbar-ga", 68.94757},    {"mbar-ab", 68.94757},    {"kg/cm2-ga", 0.07030696}, {"kg/cm2-ab", 0.07030696},
};
constexpr Entry kAbsPressure[] = {
    {"psia", 1.0},           {"kPa-ab", 6.894757},      {"MPa-ab", 0.006894757}, {"bar-ab", 0.06894757},
    {"mbar-ab", 68.94757},   {"kg/cm2-ab", 0.07030696}, {"std atm", 0.06804596}, {"dyne/cm2", 68947.57},
    {"N/m2", 6894.757},      {"lbf/ft2", 144.0},        {"in Hg(60\xB0" "F)", 2.041772},
    {"mm Hg(0\xB0" "C)", 51.71505},
};
// Water columns at 68 degF; mmHg at 0 degC: 248.641 / 133.322387 = 1.86496.
constexpr Entry kDiffPressure[] = {
    {"in WC", 1.0},          {"ft WC", 0.08333333},   {"mm WC", 25.4},
    {"in Hg(60\xB0" "F)", 0.07363107},                {"mm Hg(0\xB0" "C)", 1.86496},
    {"psid", 0.03606233},    {"Pa-d", 248.6411},      {"kPa-d", 0.2486411},  {"MPa-d", 0.0002486411},
    {"bar-d", 0.002486411},  {"mbar-d", 2.486411},    {"kg/cm2-d", 0.002535433},
};
// lb/ft3 in one user unit.
constexpr Entry kDensity[] = {
    {"lb/ft3", 1.0},              {"kg/cm3", 62427.96},         {"kg/m3", 0.06242796},
    {"g/cm3", 62.42796},          {"g/m3", 6.242796e-05},       {"oz-av/in3", 108.0},
    {"slug/ft3", 32.17406},       {"lb/gal-US", 7.4805195},     {"lb/gal-UK", 6.228839},
    {"oz-av/gal-US", 0.4675327},  {"oz-av/gal-UK", 0.3893024},  {"grain/gal", 0.001068643},
};
// 1 cP = 1e-3 Pa s; 1 gf s/cm2 = 98066.5 cP, so 1 cP = 1.019716e-05 gf s/cm2.
constexpr Entry kViscosity[] = {
    {"cPoise", 1.0},             {"Poise", 0.01},           {"mPa-s", 1.0},
    {"Pa-s", 0.001},             {"lbf-s/ft2", 2.088543e-05}, {"lbf-s/in2", 1.450377e-07},
    {"lbm/ft-s", 0.000671969},   {"lbm/in-s", 5.599741e-05}, {"gmf-s/cm2", 1.019716e-05},
    {"gm/cm-s", 0.01},           {"dyne-s/cm2", 0.01},      {"N-s/m2", 0.001},
};
constexpr Entry kLength[] = {{"in", 1.0}, {"mm", 25.4}, {"cm", 2.54}};
constexpr Entry kSpeed[] = {{"ft/s", 1.0}, {"m/s", 0.3048}, {"mph", 0.6818182}, {"k/h", 1.09728}};
constexpr Entry kAcceleration[] = {{"ft/s\xB2", 1.0}, {"m/s\xB2", 0.3048}};
constexpr Entry kTemperature[] = {{"deg F", 0}, {"deg R", 0}, {"deg C", 0}, {"deg K", 0}};
// clang-format on

struct DefaultList {
    const Entry* entries;
    std::size_t count;
};

template <std::size_t N>
constexpr DefaultList L(const Entry (&e)[N]) {
    return {e, N};
}

constexpr DefaultList kDefaults[kUnitListCount] = {
    L(kGasBase),  L(kGasFlowing),  L(kMass),         L(kLiquidBase),  L(kLiquidFlowing), L(kMass),
    L(kPressure), L(kAbsPressure), L(kDiffPressure), L(kDensity),     L(kViscosity),     L(kLength),
    L(kLength),   L(kSpeed),       L(kAcceleration), L(kTemperature),
};

constexpr int Idx(UnitList list) {
    return static_cast<int>(list);
}

UnitTables BuildDefaults() {
    UnitTables t;
    std::memset(&t, 0, sizeof t);
    for (const ListDef& d : kLists) {
        const DefaultList& dl = kDefaults[Idx(d.list)];
        for (std::size_t i = 0; i < dl.count; ++i) {
            const std::string_view n = dl.entries[i].name;
            std::memcpy(t.names[Idx(d.list)][i], n.data(), n.size());
            t.factors[Idx(d.list)][i] = dl.entries[i].factor;
        }
    }
    return t;
}

}  // namespace

UnitListShape ShapeOf(UnitList list) {
    return kLists[Idx(list)].shape;
}

std::string_view UnitListName(UnitList list) {
    return kLists[Idx(list)].name;
}

std::optional<UnitList> UnitListByName(std::string_view name) {
    for (const ListDef& d : kLists)
        if (d.name == name) return d.list;
    return std::nullopt;
}

bool IsUnitIndex(UnitList list, int32_t index) {
    const int i = Idx(list);
    return i >= 0 && i < kUnitListCount && index >= 0 && index < kLists[i].shape.entries;
}

const UnitTables& DefaultUnitTables() {
    static const UnitTables kTables = BuildDefaults();
    return kTables;
}

std::string_view UnitName(const UnitTables& t, UnitList list, int32_t index) {
    if (!IsUnitIndex(list, index)) return {};
    const char* p = t.names[Idx(list)][index];
    const std::size_t width = static_cast<std::size_t>(ShapeOf(list).name_width);
    const void* end = std::memchr(p, '\0', width);
    return {p, end ? static_cast<std::size_t>(static_cast<const char*>(end) - p) : width - 1};
}

double UnitFactor(const UnitTables& t, UnitList list, int32_t index) {
    if (!IsUnitIndex(list, index) || list == UnitList::Temperature) return 0.0;
    return t.factors[Idx(list)][index];
}

int32_t FindUnit(const UnitTables& t, UnitList list, std::string_view name) {
    for (int32_t i = 0; i < ShapeOf(list).entries; ++i)
        if (UnitName(t, list, i) == name) return i;
    return -1;
}

bool SetUnitEntry(UnitTables& t, UnitList list, int32_t index, std::string_view name, double factor) {
    if (!IsUnitIndex(list, index)) return false;
    if (list != UnitList::Temperature && !(std::isfinite(factor) && factor > 0)) return false;
    const std::size_t width = static_cast<std::size_t>(ShapeOf(list).name_width);
    name = name.substr(0, std::min(name.find('\0'), width - 1));
    char* p = t.names[Idx(list)][index];
    std::memset(p, 0, kMaxUnitNameWidth);
    std::memcpy(p, name.data(), name.size());
    if (list != UnitList::Temperature) t.factors[Idx(list)][index] = factor;
    return true;
}

UnitDefaults DefaultUnitDefaults() {
    UnitDefaults d{};
    d.Unit_GasBaseFlow_Set = 1;
    d.Unit_GasFlowingFlow_Set = 1;
    d.Unit_GasMassFlow_Set = 1;
    d.Unit_LiqBaseFlow_Set = 0;
    d.Unit_LiqFlowingFlow_Set = 0;
    d.Unit_LiqMassFlow_Set = 1;
    d.Gas_Fluid_Equation = Code(FluidEquation::GasVolume);
    d.Gas_Fluid_Condition = Code(FluidCondition::GasBase);
    d.Gas_Fluid_Property = Code(FluidProperty::GasSG);
    d.Liquid_Fluid_Equation = Code(FluidEquation::LiquidVolume);
    d.Liquid_Fluid_Condition = Code(FluidCondition::LiquidBaseTemp);
    d.Liquid_Fluid_Property = Code(FluidProperty::LiquidSG);
    return d;
}

int CheckUnitDefaults(UnitDefaults& d) {
    const UnitDefaults fresh = DefaultUnitDefaults();
    int reset = 0;
    auto index = [&](int32_t& v, int32_t def, UnitList list) {
        if (!IsUnitIndex(list, v)) {
            v = def;
            ++reset;
        }
    };
    auto among = [&](int32_t& v, int32_t def, std::initializer_list<int32_t> allowed) {
        if (std::find(allowed.begin(), allowed.end(), v) == allowed.end()) {
            v = def;
            ++reset;
        }
    };
    index(d.Unit_GasBaseFlow_Set, fresh.Unit_GasBaseFlow_Set, UnitList::GasBaseVolFlow);
    index(d.Unit_GasFlowingFlow_Set, fresh.Unit_GasFlowingFlow_Set, UnitList::GasFlowingVolFlow);
    index(d.Unit_GasMassFlow_Set, fresh.Unit_GasMassFlow_Set, UnitList::GasMassFlow);
    index(d.Unit_LiqBaseFlow_Set, fresh.Unit_LiqBaseFlow_Set, UnitList::LiquidBaseVolFlow);
    index(d.Unit_LiqFlowingFlow_Set, fresh.Unit_LiqFlowingFlow_Set, UnitList::LiquidFlowingVolFlow);
    index(d.Unit_LiqMassFlow_Set, fresh.Unit_LiqMassFlow_Set, UnitList::LiquidMassFlow);
    index(d.Unit_Press_Set, 0, UnitList::Pressure);
    index(d.Unit_BasePress_Set, 0, UnitList::AbsPressure);
    index(d.Unit_AtmPress_Set, 0, UnitList::AbsPressure);
    index(d.Unit_DpPress_Set, 0, UnitList::DiffPressure);
    index(d.Unit_Temp_Set, 0, UnitList::Temperature);
    index(d.Unit_BaseTemp_Set, 0, UnitList::Temperature);
    index(d.Unit_DpRefTemp_Set, 0, UnitList::Temperature);
    index(d.Unit_Dens_Set, 0, UnitList::Density);
    index(d.Unit_Visc_Set, 0, UnitList::Viscosity);
    index(d.Unit_Velocity_Set, 0, UnitList::Speed);
    index(d.Unit_GLocal_Set, 0, UnitList::Acceleration);
    index(d.Unit_Bore_Set, 0, UnitList::BoreLength);
    index(d.Unit_Pipe_Set, 0, UnitList::PipeSizeLength);
    among(d.Unit_PressSys_Set, 0, {0, 1});
    among(d.Gas_Fluid_Equation, fresh.Gas_Fluid_Equation, {1352, 1353});
    among(d.Gas_Fluid_Condition, fresh.Gas_Fluid_Condition, {1354, 1355});
    among(d.Gas_Fluid_Property, fresh.Gas_Fluid_Property, {1356, 1357, 1358});
    among(d.Liquid_Fluid_Equation, fresh.Liquid_Fluid_Equation, {1345, 1346});
    among(d.Liquid_Fluid_Condition, fresh.Liquid_Fluid_Condition, {1347, 1348});
    among(d.Liquid_Fluid_Property, fresh.Liquid_Fluid_Property, {1349, 1350});
    return reset;
}

}  // namespace quorven
