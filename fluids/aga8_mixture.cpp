#include "fluids/aga8_mixture.h"

namespace quorven {
namespace {

// The dialog's rows: hydrocarbons by carbon number, then the other gases.
constexpr Aga8Row kRows[kAga8Rows] = {
    {"METHANE", "METHANE", "CH4", 1},
    {"ETHANE", "ETHANE", "C2H6", 4},
    {"PROPANE", "PROPANE", "C3H8", 5},
    {"ISOBUTANE", "ISOBUTANE", "C4H10", 11},
    {"n-BUTANE", "N-BUTANE", "C4H10", 12},
    {"ISOPENTANE", "ISOPENTANE", "C5H12", 13},
    {"n-PENTANE", "N-PENTANE", "C5H12", 14},
    {"n-HEXANE", "N-HEXANE", "C6H14", 15},
    {"n-HEPTANE", "N-HEPTANE", "C7H16", 16},
    {"n-OCTANE", "N-OCTANE", "C8H18", 17},
    {"n-NONANE", "N-NONANE", "C9H20", 18},
    {"n-DECANE", "N-DECANE", "C10H22", 19},
    {"CARBON DIOXIDE", "CARBON DIOXIDE", "CO2", 3},
    {"NITROGEN", "NITROGEN", "N2", 2},
    {"HYDROGEN SULFIDE", "HYDROGEN SULFIDE", "H2S", 7},
    {"HELIUM", "HELIUM", "He", 20},
    {"WATER (steam & vapor only)", "WATER", "H2O", 6},
    {"OXYGEN", "OXYGEN", "O2", 10},
    {"ARGON", "ARGON", "Ar", 21},
    {"HYDROGEN", "HYDROGEN", "H2", 8},
    {"CARBON MONOXIDE", "CARBON MONOXIDE", "CO", 9},
};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::span<const Aga8Row, kAga8Rows> Aga8RowTable() {
    return kRows;
}

std::optional<int> Aga8RowOfName(std::string_view name) {
    for (int r = 0; r < kAga8Rows; ++r)
        if (EqualIgnoringCase(name, kRows[r].db_name) || EqualIgnoringCase(name, kRows[r].shown_name))
            return r;
    return std::nullopt;
}

std::array<double, aga8::kComponentCount> PercentByAgaNumber(const std::array<double, kAga8Rows>& by_row) {
    std::array<double, aga8::kComponentCount> by_aga{};
    for (int r = 0; r < kAga8Rows; ++r) by_aga[kRows[r].aga_number - 1] = by_row[r];
    return by_aga;
}

}  // namespace quorven
