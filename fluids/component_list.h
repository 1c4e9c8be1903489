#pragma once
// The list of selected components that the gas, liquid and AGA 8 dialogs build and
// the property routines consume, and the mixture files (".mix") that keep it. One
// list lives for the whole program run (a member of the application object), not in
// the document. Its slot table is file format: mixture files store it byte for byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fluids/property_database.h"
#include "messages/messages.h"
#include "record/file_io.h"

namespace quorven {

struct ComponentEntry {
    int32_t Comp_No;        // number of the component's PropertyRecord; 0 when not in the database
    char Comp_Formula[11];  // copied from the record (at most 10 characters)
    char Comp_Name[41];     // copied from the record (at most 40 characters)
    double Mol_Wt;          // g/mol, copied from the record; 0 marks an empty slot
    double Mole_Pct;        // entered by the user, 0 to 100
};
static_assert(sizeof(ComponentEntry) == 72);
static_assert(offsetof(ComponentEntry, Comp_No) == 0);
static_assert(offsetof(ComponentEntry, Comp_Formula) == 4);
static_assert(offsetof(ComponentEntry, Comp_Name) == 15);
static_assert(offsetof(ComponentEntry, Mol_Wt) == 56);
static_assert(offsetof(ComponentEntry, Mole_Pct) == 64);

inline constexpr int kComponentSlots = 22;
inline constexpr int kMaxComponents = 21;  // the 22nd slot stays empty
inline constexpr std::size_t kSlotTableBytes = kComponentSlots * sizeof(ComponentEntry);
static_assert(kSlotTableBytes == 1584);

// The plain boxes of the component list (no message number).
Message MaximumComponentsMessage();                      // "Maximum number of components reached!"
Message MissingComponentMessage(std::string_view name);  // "Missing component %s from properties database."

enum class AddComponentResult { Added, NoDatabase, ListFull, NotFound, Duplicate };

struct ComponentList {
    ComponentEntry slots[kComponentSlots]{};
    uint32_t count = 0;  // occupied slots 0 .. count-1, in the order added
    uint32_t pad = 0;
    double total = 0.0;  // sum of the mole percents as last computed

    // Adds the database record of that exact name in slot `count`: Error #24 when
    // the database is absent; the "Maximum number of components reached!" box when
    // 21 are held; Error #25 when the component is held already; nothing is shown
    // for a name the database does not hold (the dialogs offer only its names).
    AddComponentResult AddComponent(const PropertyDatabase& db, std::string_view name, MessageSink& sink);
    // Removes an occupied slot; the later slots move up. False for an empty slot.
    bool RemoveComponent(int slot);
    void ClearList();
    // Stores a mole percent in an occupied slot. A value that is not finite or
    // outside 0 to 100 is refused (false) and the slot keeps its value.
    bool SetMolePercent(int slot, double value);
    // Sum of the occupied slots' mole percents, kept in `total`.
    double Total();

    // The 1584-byte slot table as stored.
    std::string SlotTableBytes() const;

    // Writes `count` and then `count` copies of the slot table, through a temporary
    // file renamed over `path`. A file that cannot be written gives Error #10 and
    // leaves an earlier file at `path` whole.
    bool SaveMixture(const std::string& path, MessageSink& sink, FileLayer& files = DiskFiles()) const;

    // Reads a mixture file. Error #24 (and nothing read) when the database is
    // absent; Error #10 when the file cannot be opened or is not a whole mixture file
    // of this program (its count above 21, its length not 4 + count x 1584, its
    // copies not identical, an occupied slot without a terminated name or with a
    // molecular weight or mole percent out of range, an empty slot that is not
    // empty): then the list keeps what it held. Otherwise the list becomes the file's
    // and each component is found again by name: a name the database does not hold
    // gives Error #12 and the "Missing Component" box, and its slot keeps its name
    // with Comp_No 0, so the property routines refuse it instead of reading another
    // component's data. Returns true when the file was taken.
    bool LoadMixture(const std::string& path, const PropertyDatabase& db, MessageSink& sink,
                     FileLayer& files = DiskFiles());

    // The occupied slots (count limited to 21).
    int Occupied() const {
        return count > static_cast<uint32_t>(kMaxComponents) ? kMaxComponents : static_cast<int>(count);
    }
};
static_assert(offsetof(ComponentList, count) == kSlotTableBytes);
static_assert(offsetof(ComponentList, total) == kSlotTableBytes + 8);

// The mixture file of a list, as SaveMixture writes it.
std::string MixtureFileBytes(const ComponentList& list);
// Reads a mixture file's bytes into `list` when they are a whole mixture file (the
// checks of LoadMixture); the names are not looked up. False leaves `list` as it was.
bool ParseMixtureFile(std::string_view bytes, ComponentList& list);

// Largest mixture file: 4 + 21 x 1584 bytes.
inline constexpr std::size_t kMixtureFileMaxBytes = 4 + kMaxComponents * kSlotTableBytes;

}  // namespace quorven
