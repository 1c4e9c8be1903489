#include "fluids/aga8_entry.h"

#include <cmath>
#include <cstring>

#include "fluids/fluid_messages.h"
#include "fluids/gas_properties.h"
#include "messages/messages.h"
#include "record/file_io.h"
#include "record/formats.h"
#include "record/tag_record.h"

namespace quorven {
namespace {

constexpr int kErrorSaveTotal = msg::kErrMixTotalBeforeSave;

bool ValidPercent(double p) {
    return std::isfinite(p) && p >= 0.0 && p <= 100.0;
}

// A name field holding a terminated text.
template <std::size_t N>
bool Terminated(const char (&field)[N]) {
    return std::memchr(field, '\0', N) != nullptr;
}

bool EmptySlot(const ComponentEntry& e) {
    return e.Comp_No == 0 && e.Mol_Wt == 0.0 && e.Mole_Pct == 0.0 && Terminated(e.Comp_Name) &&
           GetText(e.Comp_Name).empty();
}

}  // namespace

ComponentEntry& ListSlot(ComponentList& list, int slot) {
    return list.slots[slot];
}

const ComponentEntry& ListSlot(const ComponentList& list, int slot) {
    return list.slots[slot];
}

void PrepareAga8List(ComponentList& list, const PropertyDatabase& db, MessageSink& sink) {
    std::array<double, kAga8Rows> carried{};
    for (int s = 0; s < list.Occupied(); ++s) {
        const ComponentEntry& e = list.slots[s];
        if (!Terminated(e.Comp_Name)) continue;
        const std::string_view name = GetText(e.Comp_Name);
        for (int r = 0; r < kAga8Rows; ++r)
            if (name == Aga8RowTable()[r].db_name && ValidPercent(e.Mole_Pct)) carried[r] = e.Mole_Pct;
    }
    if (!db.Present()) CError(sink).Show(fluid_msg::kErrorNoDatabase);
    list.ClearList();
    for (int r = 0; r < kAga8Rows; ++r) {
        const Aga8Row& row = Aga8RowTable()[r];
        ComponentEntry& e = list.slots[r];
        const PropertyRecord* rec = db.Present() ? db.ByName(row.db_name) : nullptr;
        e.Comp_No = rec ? rec->Comp_No : 0;
        SetText(e.Comp_Formula, rec ? GetText(rec->Comp_Formula) : row.formula);
        SetText(e.Comp_Name, row.db_name);
        e.Mol_Wt = rec && rec->Mol_Wt > 0.0 ? rec->Mol_Wt : aga8::MolarMass(row.aga_number);
        e.Mole_Pct = carried[r];
    }
    list.count = kAga8Rows;
    list.Total();
}

std::array<double, kAga8Rows> Aga8RowPercents(const ComponentList& list) {
    std::array<double, kAga8Rows> by_row{};
    for (int r = 0; r < kAga8Rows; ++r) by_row[r] = list.slots[r].Mole_Pct;
    return by_row;
}

double Aga8Total(const ComponentList& list) {
    double total = 0.0;
    for (double p : Aga8RowPercents(list)) total += p;
    return total;
}

bool Aga8TotalIs100(const ComponentList& list) {
    return RoundTo(Aga8Total(list), 5) == 100.0;
}

bool SaveAga8Mixture(const std::string& path, const ComponentList& list, MessageSink& sink,
                     FileLayer& files) {
    if (!Aga8TotalIs100(list)) {
        CError(sink).Show(kErrorSaveTotal);
        return false;
    }
    if (!files.Replace(path, list.SlotTableBytes())) {
        CError(sink).Show(fluid_msg::kErrorMixtureFile);
        return false;
    }
    return true;
}

bool ParseAga8File(std::string_view bytes, std::array<double, kAga8Rows>& by_row) {
    if (bytes.size() != kAga8FileBytes) return false;
    ComponentEntry slots[kComponentSlots];
    std::memcpy(slots, bytes.data(), kAga8FileBytes);
    std::array<double, kAga8Rows> loaded{};
    std::array<bool, kAga8Rows> seen{};
    bool ended = false;  // an empty slot was met: every later one must be empty
    for (const ComponentEntry& e : slots) {
        if (EmptySlot(e)) {
            ended = true;
            continue;
        }
        if (ended || !Terminated(e.Comp_Name) || !ValidPercent(e.Mole_Pct)) return false;
        const std::string_view name = GetText(e.Comp_Name);
        int row = -1;
        for (int r = 0; r < kAga8Rows; ++r)
            if (name == Aga8RowTable()[r].db_name) row = r;
        if (row < 0 || seen[row]) return false;
        seen[row] = true;
        loaded[row] = e.Mole_Pct;
    }
    by_row = loaded;
    return true;
}

bool LoadAga8Mixture(const std::string& path, ComponentList& list, MessageSink& sink, FileLayer& files) {
    const std::optional<std::string> bytes = files.ReadAll(path, kAga8FileBytes + 1);
    std::array<double, kAga8Rows> by_row{};
    if (!bytes || !ParseAga8File(*bytes, by_row)) {
        CError(sink).Show(fluid_msg::kErrorMixtureFile);
        return false;
    }
    for (int r = 0; r < kAga8Rows; ++r) list.slots[r].Mole_Pct = by_row[r];
    list.Total();
    return true;
}

Aga8ViscosityAndExponent Aga8DatabaseStep(const PropertyDatabase& db,
                                          const std::array<double, kAga8Rows>& by_row, double Pf_psia,
                                          double Tf_R, double Pb_psia, double Tb_R, MessageSink& sink) {
    if (!db.Present()) {
        CError(sink).Show(fluid_msg::kErrorNoDatabase);
        return {};
    }
    // A list of the components present, in row order.
    ComponentList present;
    for (int r = 0; r < kAga8Rows; ++r) {
        if (!(by_row[r] > 0.0)) continue;
        if (present.AddComponent(db, Aga8RowTable()[r].db_name, sink) != AddComponentResult::Added) continue;
        present.SetMolePercent(present.Occupied() - 1, by_row[r]);
    }
    present.Total();
    const GasResult g =
        GasProperties(db, present, GasEquation::RedlichKwong, Pf_psia, Tf_R, Pb_psia, Tb_R, sink);
    if (!g.Ok) return {};
    return {g.Visc, g.K};
}

}  // namespace quorven
