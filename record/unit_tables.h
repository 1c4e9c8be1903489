#pragma once
// The sixteen unit lists (names and conversion factors) and the default unit
// selections. A unit's position in its list is the index a tag record stores.
// Names are Windows-1252 bytes: the degree sign is "\xB0", the superscript two "\xB2".

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorven {

enum class UnitList : int {
    GasBaseVolFlow,
    GasFlowingVolFlow,
    GasMassFlow,
    LiquidBaseVolFlow,
    LiquidFlowingVolFlow,
    LiquidMassFlow,
    Pressure,
    AbsPressure,
    DiffPressure,
    Density,
    Viscosity,
    BoreLength,
    PipeSizeLength,
    Speed,
    Acceleration,
    Temperature,
};

inline constexpr int kUnitListCount = 16;
inline constexpr int kMaxUnitEntries = 12;
inline constexpr int kMaxUnitNameWidth = 16;

// The fixed shape of a list as it is stored in the project settings block.
struct UnitListShape {
    int entries;       // names in the list
    int name_width;    // bytes per name, terminator included
    int factor_slots;  // stored factors (0 for Temperature, which is affine)
};

UnitListShape ShapeOf(UnitList list);
std::string_view UnitListName(UnitList list);  // "GasBaseVolFlow", ...
std::optional<UnitList> UnitListByName(std::string_view name);

// Whether index selects an entry of the list.
bool IsUnitIndex(UnitList list, int32_t index);

// In memory every list has room for twelve names of sixteen bytes; only the first
// ShapeOf(list).entries entries are used, each NUL-terminated within its stored width.
struct UnitTables {
    char names[kUnitListCount][kMaxUnitEntries][kMaxUnitNameWidth];
    double factors[kUnitListCount][kMaxUnitEntries];
};

// The lists of a new document.
const UnitTables& DefaultUnitTables();

// Name of an entry, "" for an index outside the list.
std::string_view UnitName(const UnitTables& t, UnitList list, int32_t index);
// Factor of an entry, 0 for an index outside the list and for Temperature.
double UnitFactor(const UnitTables& t, UnitList list, int32_t index);
// Index of the entry with exactly this name, or -1.
int32_t FindUnit(const UnitTables& t, UnitList list, std::string_view name);

// Writes one entry: the name is cut to the list's width less one. Returns false
// (nothing changed) for an index outside the list or a factor that is not finite
// and positive.
bool SetUnitEntry(UnitTables& t, UnitList list, int32_t index, std::string_view name, double factor);

// The default unit selections kept with the lists (26 int32 in the settings block).
struct UnitDefaults {
    int32_t Unit_GasBaseFlow_Set;
    int32_t Unit_GasFlowingFlow_Set;
    int32_t Unit_GasMassFlow_Set;
    int32_t Unit_LiqBaseFlow_Set;
    int32_t Unit_LiqFlowingFlow_Set;
    int32_t Unit_LiqMassFlow_Set;
    int32_t Unit_Press_Set;
    int32_t Unit_BasePress_Set;
    int32_t Unit_AtmPress_Set;
    int32_t Unit_DpPress_Set;
    int32_t Unit_Temp_Set;
    int32_t Unit_BaseTemp_Set;
    int32_t Unit_DpRefTemp_Set;
    int32_t Unit_Dens_Set;
    int32_t Unit_Visc_Set;
    int32_t Unit_Velocity_Set;
    int32_t Unit_GLocal_Set;
    int32_t Unit_Bore_Set;
    int32_t Unit_Pipe_Set;
    int32_t Unit_PressSys_Set;
    int32_t Gas_Fluid_Equation;  // remembered gas equation choice
    int32_t Gas_Fluid_Condition;
    int32_t Gas_Fluid_Property;
    int32_t Liquid_Fluid_Equation;  // remembered liquid equation choice
    int32_t Liquid_Fluid_Condition;
    int32_t Liquid_Fluid_Property;
};
static_assert(sizeof(UnitDefaults) == 26 * 4);

UnitDefaults DefaultUnitDefaults();

// Resets every value of d that is outside its list or choice set to its default;
// returns how many were reset.
int CheckUnitDefaults(UnitDefaults& d);

}  // namespace quorven
