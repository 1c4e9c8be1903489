#pragma once
// One component of the fluid property database "PROPERTY.DAF": a 648-byte record,
// little-endian, doubles IEEE 754 binary64, texts NUL-terminated inside their
// fixed widths. The file is these records one after another, without header.
// Every offset below is file format. A numeric field of 0 means "datum missing".

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorven {

static_assert(std::endian::native == std::endian::little,
              "PROPERTY.DAF is little-endian and read as raw bytes");

// Vapour-pressure equation codes (Vp_Eqn).
enum class VpEquation : int32_t {
    None = 0,
    Wagner = 1,
    FrostKalkwarfThodos = 2,
    Antoine = 3,
};

// Saturated-liquid viscosity equation codes (LiqVisc_Eqn), viscosity in cP, T in K.
enum class LiqViscEquation : int32_t {
    None = 0,
    Power = 1,            // A T^B
    Andrade = 2,          // exp(A + B/T)
    ExtendedAndrade = 3,  // exp(A + B/T + C T + D T^2)
    Exponential = 4,      // exp(A (1/T - 1/B))
};

inline constexpr std::size_t kKijPositions = 8;

struct PropertyRecord {
    char Comp_Name[41];
    char Comp_Formula[11];
    uint8_t Pad52[4];
    int32_t Comp_No;       // 1 for the first record, counting up in file order
    int32_t Vp_Eqn;        // VpEquation
    int32_t LiqVisc_Eqn;   // LiqViscEquation
    int32_t LiqVol_Class;  // nonzero: liquid density data present
    double Mol_Wt;         // g/mol
    uint8_t Pad80[16];
    double Crit_Temp;   // K
    double Crit_Press;  // bar (absolute)
    double Crit_Vol;    // cm3/mol
    uint8_t Pad120[8];
    double Acentric;
    double Dipole;  // debye
    // Ideal-gas Cp = A + B T + C T^2 + D T^3, J/(mol K), T in K.
    double Cp_A;
    double Cp_B;
    double Cp_C;
    double Cp_D;
    uint8_t Pad176[16];
    // Vapour-pressure coefficients of Vp_Eqn: bar, K, natural logarithms.
    double Vp_A;
    double Vp_B;
    double Vp_C;
    double Vp_D;
    uint8_t Pad224[32];
    // Liquid viscosity coefficients of LiqVisc_Eqn: cP, K.
    double LiqVisc_A;
    double LiqVisc_B;
    double LiqVisc_C;
    double LiqVisc_D;
    uint8_t Pad288[96];
    double Kij_SRK[kKijPositions];
    uint8_t Pad448[64];
    double Kij_RK[kKijPositions];
    double Hbt_Tc;     // K, critical temperature of the liquid density correlation
    double Hbt_Omega;  // SRK acentric factor of the liquid density correlation
    double Hbt_Vstar;  // L/mol, characteristic volume
    uint8_t Pad600[48];
};

static_assert(sizeof(PropertyRecord) == 648);
static_assert(offsetof(PropertyRecord, Comp_Name) == 0);
static_assert(offsetof(PropertyRecord, Comp_Formula) == 41);
static_assert(offsetof(PropertyRecord, Pad52) == 52);
static_assert(offsetof(PropertyRecord, Comp_No) == 56);
static_assert(offsetof(PropertyRecord, Vp_Eqn) == 60);
static_assert(offsetof(PropertyRecord, LiqVisc_Eqn) == 64);
static_assert(offsetof(PropertyRecord, LiqVol_Class) == 68);
static_assert(offsetof(PropertyRecord, Mol_Wt) == 72);
static_assert(offsetof(PropertyRecord, Pad80) == 80);
static_assert(offsetof(PropertyRecord, Crit_Temp) == 96);
static_assert(offsetof(PropertyRecord, Crit_Press) == 104);
static_assert(offsetof(PropertyRecord, Crit_Vol) == 112);
static_assert(offsetof(PropertyRecord, Pad120) == 120);
static_assert(offsetof(PropertyRecord, Acentric) == 128);
static_assert(offsetof(PropertyRecord, Dipole) == 136);
static_assert(offsetof(PropertyRecord, Cp_A) == 144);
static_assert(offsetof(PropertyRecord, Cp_B) == 152);
static_assert(offsetof(PropertyRecord, Cp_C) == 160);
static_assert(offsetof(PropertyRecord, Cp_D) == 168);
static_assert(offsetof(PropertyRecord, Pad176) == 176);
static_assert(offsetof(PropertyRecord, Vp_A) == 192);
static_assert(offsetof(PropertyRecord, Vp_B) == 200);
static_assert(offsetof(PropertyRecord, Vp_C) == 208);
static_assert(offsetof(PropertyRecord, Vp_D) == 216);
static_assert(offsetof(PropertyRecord, Pad224) == 224);
static_assert(offsetof(PropertyRecord, LiqVisc_A) == 256);
static_assert(offsetof(PropertyRecord, LiqVisc_B) == 264);
static_assert(offsetof(PropertyRecord, LiqVisc_C) == 272);
static_assert(offsetof(PropertyRecord, LiqVisc_D) == 280);
static_assert(offsetof(PropertyRecord, Pad288) == 288);
static_assert(offsetof(PropertyRecord, Kij_SRK) == 384);
static_assert(offsetof(PropertyRecord, Pad448) == 448);
static_assert(offsetof(PropertyRecord, Kij_RK) == 512);
static_assert(offsetof(PropertyRecord, Hbt_Tc) == 576);
static_assert(offsetof(PropertyRecord, Hbt_Omega) == 584);
static_assert(offsetof(PropertyRecord, Hbt_Vstar) == 592);
static_assert(offsetof(PropertyRecord, Pad600) == 600);

inline constexpr std::size_t kPropertyRecordBytes = sizeof(PropertyRecord);

enum class PropertyFieldKind { Text, Int32, Double, DoubleArray };

// The named fields in file order (the not-interpreted pads are left out).
struct PropertyField {
    const char* name;
    PropertyFieldKind kind;
    std::size_t offset;
    std::size_t width;  // bytes of a text, element count of an array, else 0
};
std::span<const PropertyField> PropertyFields();

// The record's texts up to their terminator, never past their widths.
std::string_view CompName(const PropertyRecord& r);
std::string_view CompFormula(const PropertyRecord& r);

// The record as stored, and back. PropertyRecordFromBytes needs exactly 648 bytes.
std::string PropertyRecordToBytes(const PropertyRecord& r);
bool PropertyRecordFromBytes(std::string_view bytes, PropertyRecord& r);

// Every double field that is not finite (a corrupt file) is set to 0, "missing",
// so that no NaN or infinity reaches a property routine. Returns the count replaced.
int ClearNonFiniteFields(PropertyRecord& r);

}  // namespace quorven
