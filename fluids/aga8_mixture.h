#pragma once
// The 21 rows of the "AGA 8 Natural Gas" entry: which component each row holds, how it
// is named and shown, and its AGA number. The rows' order is the dialog's and the
// ".aga" mixture files'; the calculation takes the AGA numbers.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "fluids/aga8_detail.h"
#include "fluids/property_database.h"
#include "messages/messages.h"

namespace quorven {

struct Aga8Row {
    std::string_view db_name;     // the component's Comp_Name in PROPERTY.DAF
    std::string_view shown_name;  // as the dialog shows it
    std::string_view formula;
    int aga_number;  // 1..21, the report's numbering
};

inline constexpr int kAga8Rows = aga8::kComponentCount;

// Row r (1..21) is element r - 1.
std::span<const Aga8Row, kAga8Rows> Aga8RowTable();

// The row (0-based) of a component named by its database or its shown name, ignoring
// ASCII case ("n-butane", "N-BUTANE", "water", "WATER (steam & vapor only)"); nothing for
// another name.
std::optional<int> Aga8RowOfName(std::string_view name);

// Mole percents by row rearranged by AGA number (index AGA number - 1).
std::array<double, aga8::kComponentCount> PercentByAgaNumber(const std::array<double, kAga8Rows>& by_row);

// Viscosity [cP] and isentropic exponent of the gas by the component database with the
// Redlich-Kwong equation, at the flowing conditions, with the gas computation's messages;
// 0 where it cannot give them.
struct Aga8ViscosityAndExponent {
    double visc_cP = 0.0;
    double k = 0.0;
};
Aga8ViscosityAndExponent Aga8DatabaseStep(const PropertyDatabase& db,
                                          const std::array<double, kAga8Rows>& by_row, double Pf_psia,
                                          double Tf_R, double Pb_psia, double Tb_R, MessageSink& sink);

}  // namespace quorven
