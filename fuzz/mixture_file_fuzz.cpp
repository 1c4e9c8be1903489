// A mixture file (".mix") from outside bytes: whatever the bytes, reading never
// crashes; a file that is taken gives a list of at most 21 occupied slots with
// terminated names, finite molecular weights and mole percents of 0 to 100, and
// writing that list reads back to the same list.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "fluids/component_list.h"
#include "fluids/property_database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ComponentList list;
    list.count = 1;  // a list held before: a refused file must leave it as it was
    std::memcpy(list.slots[0].Comp_Name, "KEPT", 5);
    list.slots[0].Mol_Wt = 1.0;
    const ComponentList before = list;
    if (!ParseMixtureFile(bytes, list)) {
        if (std::memcmp(&list, &before, sizeof list) != 0) std::abort();
        return 0;
    }
    if (list.count > static_cast<uint32_t>(kMaxComponents)) std::abort();
    for (int i = 0; i < kComponentSlots; ++i) {
        const ComponentEntry& e = list.slots[i];
        if (!std::memchr(e.Comp_Name, '\0', sizeof e.Comp_Name)) std::abort();
        if (!std::isfinite(e.Mol_Wt) || !std::isfinite(e.Mole_Pct)) std::abort();
        if (e.Mole_Pct < 0.0 || e.Mole_Pct > 100.0) std::abort();
        if ((i < list.Occupied()) != (e.Mol_Wt > 0.0)) std::abort();
    }
    if (!std::isfinite(list.Total())) std::abort();
    ComponentList again;
    if (!ParseMixtureFile(MixtureFileBytes(list), again)) std::abort();
    if (again.SlotTableBytes() != list.SlotTableBytes() || again.count != list.count) std::abort();
    return 0;
}
