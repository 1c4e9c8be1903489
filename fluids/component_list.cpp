#include "fluids/component_list.h"

#include <cmath>
#include <cstring>

#include "fluids/fluid_messages.h"
#include "record/file_io.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

bool Terminated(const char* field, std::size_t width) {
    return std::memchr(field, '\0', width) != nullptr;
}

// "All bytes of its numbers 0 and empty strings" (bytes after an empty string's
// terminator are not looked at).
bool IsEmptySlot(const ComponentEntry& e) {
    return e.Comp_No == 0 && e.Mol_Wt == 0.0 && e.Mole_Pct == 0.0 && e.Comp_Name[0] == '\0' &&
           e.Comp_Formula[0] == '\0';
}

bool IsValidOccupiedSlot(const ComponentEntry& e) {
    return Terminated(e.Comp_Name, sizeof e.Comp_Name) && Terminated(e.Comp_Formula, sizeof e.Comp_Formula) &&
           e.Comp_Name[0] != '\0' && std::isfinite(e.Mol_Wt) && e.Mol_Wt > 0.0 && std::isfinite(e.Mole_Pct) &&
           e.Mole_Pct >= 0.0 && e.Mole_Pct <= 100.0;
}

}  // namespace

Message MaximumComponentsMessage() {
    Message m;
    m.kind = MessageKind::Warning;
    m.number = 0;
    m.caption = "Warning!";
    m.text = "Maximum number of components reached!";
    m.icon = MessageIcon::Stop;
    return m;
}

Message MissingComponentMessage(std::string_view name) {
    Message m;
    m.kind = MessageKind::Error;
    m.number = 0;
    m.caption = "Missing Component";
    m.text = "Missing component " + std::string(name) + " from properties database.";
    m.icon = MessageIcon::Exclamation;
    m.system_modal = true;
    return m;
}

AddComponentResult ComponentList::AddComponent(const PropertyDatabase& db, std::string_view name,
                                               MessageSink& sink) {
    if (!db.Present()) {
        CError(sink).Show(fluid_msg::kErrorNoDatabase);
        return AddComponentResult::NoDatabase;
    }
    if (count >= static_cast<uint32_t>(kMaxComponents)) {
        sink.Show(MaximumComponentsMessage());
        return AddComponentResult::ListFull;
    }
    const PropertyRecord* r = db.ByName(name);
    if (!r) return AddComponentResult::NotFound;
    for (int i = 0; i < Occupied(); ++i) {
        if (slots[i].Comp_No == r->Comp_No) {
            CError(sink).Show(fluid_msg::kErrorDuplicateComponent);
            return AddComponentResult::Duplicate;
        }
    }
    ComponentEntry& e = slots[count];
    e = ComponentEntry{};
    e.Comp_No = r->Comp_No;
    SetText(e.Comp_Formula, CompFormula(*r));
    SetText(e.Comp_Name, CompName(*r));
    e.Mol_Wt = r->Mol_Wt;
    e.Mole_Pct = 0.0;
    ++count;
    return AddComponentResult::Added;
}

bool ComponentList::RemoveComponent(int slot) {
    const int n = Occupied();
    if (slot < 0 || slot >= n) return false;
    for (int i = slot; i + 1 < n; ++i) slots[i] = slots[i + 1];
    slots[n - 1] = ComponentEntry{};
    count = static_cast<uint32_t>(n - 1);
    return true;
}

void ComponentList::ClearList() {
    for (ComponentEntry& e : slots) e = ComponentEntry{};
    count = 0;
    total = 0.0;
}

bool ComponentList::SetMolePercent(int slot, double value) {
    if (slot < 0 || slot >= Occupied()) return false;
    if (!(std::isfinite(value) && value >= 0.0 && value <= 100.0)) return false;
    slots[slot].Mole_Pct = value;
    return true;
}

double ComponentList::Total() {
    double sum = 0.0;
    for (int i = 0; i < Occupied(); ++i) sum += slots[i].Mole_Pct;
    total = sum;
    return sum;
}

std::string ComponentList::SlotTableBytes() const {
    return std::string(reinterpret_cast<const char*>(slots), kSlotTableBytes);
}

std::string MixtureFileBytes(const ComponentList& list) {
    const uint32_t n = static_cast<uint32_t>(list.Occupied());
    std::string bytes(reinterpret_cast<const char*>(&n), sizeof n);
    const std::string table = list.SlotTableBytes();
    for (uint32_t i = 0; i < n; ++i) bytes += table;
    return bytes;
}

bool ComponentList::SaveMixture(const std::string& path, MessageSink& sink, FileLayer& files) const {
    if (files.Replace(path, MixtureFileBytes(*this))) return true;
    CError(sink).Show(fluid_msg::kErrorMixtureFile);
    return false;
}

bool ParseMixtureFile(std::string_view bytes, ComponentList& list) {
    uint32_t n = 0;
    if (bytes.size() < sizeof n) return false;
    std::memcpy(&n, bytes.data(), sizeof n);
    if (n > static_cast<uint32_t>(kMaxComponents)) return false;
    if (bytes.size() != sizeof n + n * kSlotTableBytes) return false;
    ComponentList loaded;
    if (n > 0) {
        const std::string_view first = bytes.substr(sizeof n, kSlotTableBytes);
        for (uint32_t copy = 1; copy < n; ++copy)
            if (bytes.substr(sizeof n + copy * kSlotTableBytes, kSlotTableBytes) != first) return false;
        std::memcpy(loaded.slots, first.data(), kSlotTableBytes);
    }
    for (int i = 0; i < kComponentSlots; ++i) {
        ComponentEntry& e = loaded.slots[i];
        if (i < static_cast<int>(n)) {
            if (!IsValidOccupiedSlot(e)) return false;
        } else {
            if (!IsEmptySlot(e)) return false;
            e = ComponentEntry{};  // whatever followed the empty texts
        }
    }
    loaded.count = n;
    loaded.Total();
    list = loaded;
    return true;
}

bool ComponentList::LoadMixture(const std::string& path, const PropertyDatabase& db, MessageSink& sink,
                                FileLayer& files) {
    if (!db.Present()) {
        CError(sink).Show(fluid_msg::kErrorNoDatabase);
        return false;
    }
    const std::optional<std::string> bytes = files.ReadAll(path, kMixtureFileMaxBytes);
    ComponentList loaded;
    if (!bytes || !ParseMixtureFile(*bytes, loaded)) {
        CError(sink).Show(fluid_msg::kErrorMixtureFile);
        return false;
    }
    for (int i = 0; i < loaded.Occupied(); ++i) {
        ComponentEntry& e = loaded.slots[i];
        const PropertyRecord* r = db.ByName(GetText(e.Comp_Name));
        if (r) {
            e.Comp_No = r->Comp_No;
        } else {
            e.Comp_No = 0;
            CError(sink).Show(fluid_msg::kErrorMixtureComponentMissing);
            sink.Show(MissingComponentMessage(GetText(e.Comp_Name)));
        }
    }
    *this = loaded;
    return true;
}

}  // namespace quorven
