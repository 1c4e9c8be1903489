#include "fluids/property_record.h"

#include <cmath>
#include <cstring>

namespace quorven {
namespace {

#define QV_TEXT(f) \
    { #f, PropertyFieldKind::Text, offsetof(PropertyRecord, f), sizeof(PropertyRecord::f) }
#define QV_INT(f) \
    { #f, PropertyFieldKind::Int32, offsetof(PropertyRecord, f), 0 }
#define QV_DBL(f) \
    { #f, PropertyFieldKind::Double, offsetof(PropertyRecord, f), 0 }
#define QV_ARR(f) \
    { #f, PropertyFieldKind::DoubleArray, offsetof(PropertyRecord, f), kKijPositions }

constexpr PropertyField kFields[] = {
    QV_TEXT(Comp_Name),   QV_TEXT(Comp_Formula), QV_INT(Comp_No),   QV_INT(Vp_Eqn),     QV_INT(LiqVisc_Eqn),
    QV_INT(LiqVol_Class), QV_DBL(Mol_Wt),        QV_DBL(Crit_Temp), QV_DBL(Crit_Press), QV_DBL(Crit_Vol),
    QV_DBL(Acentric),     QV_DBL(Dipole),        QV_DBL(Cp_A),      QV_DBL(Cp_B),       QV_DBL(Cp_C),
    QV_DBL(Cp_D),         QV_DBL(Vp_A),          QV_DBL(Vp_B),      QV_DBL(Vp_C),       QV_DBL(Vp_D),
    QV_DBL(LiqVisc_A),    QV_DBL(LiqVisc_B),     QV_DBL(LiqVisc_C), QV_DBL(LiqVisc_D),  QV_ARR(Kij_SRK),
    QV_ARR(Kij_RK),       QV_DBL(Hbt_Tc),        QV_DBL(Hbt_Omega), QV_DBL(Hbt_Vstar),
};

#undef QV_TEXT
#undef QV_INT
#undef QV_DBL
#undef QV_ARR

std::string_view BoundedText(const char* field, std::size_t width) {
    const void* end = std::memchr(field, '\0', width);
    return {field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : width};
}

}  // namespace

std::span<const PropertyField> PropertyFields() {
    return kFields;
}

std::string_view CompName(const PropertyRecord& r) {
    return BoundedText(r.Comp_Name, sizeof r.Comp_Name);
}

std::string_view CompFormula(const PropertyRecord& r) {
    return BoundedText(r.Comp_Formula, sizeof r.Comp_Formula);
}

std::string PropertyRecordToBytes(const PropertyRecord& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof r);
}

bool PropertyRecordFromBytes(std::string_view bytes, PropertyRecord& r) {
    if (bytes.size() != sizeof r) return false;
    std::memcpy(&r, bytes.data(), sizeof r);
    return true;
}

int ClearNonFiniteFields(PropertyRecord& r) {
    int cleared = 0;
    auto* base = reinterpret_cast<unsigned char*>(&r);
    for (const PropertyField& f : kFields) {
        if (f.kind != PropertyFieldKind::Double && f.kind != PropertyFieldKind::DoubleArray) continue;
        const std::size_t n = f.kind == PropertyFieldKind::Double ? 1 : f.width;
        for (std::size_t i = 0; i < n; ++i) {
            double v;
            std::memcpy(&v, base + f.offset + i * sizeof v, sizeof v);
            if (std::isfinite(v)) continue;
            v = 0.0;
            std::memcpy(base + f.offset + i * sizeof v, &v, sizeof v);
            ++cleared;
        }
    }
    return cleared;
}

}  // namespace quorven
