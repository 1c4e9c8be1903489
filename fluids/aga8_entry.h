#pragma once
// The "AGA 8 Natural Gas" entry on the shared component list: the 21 rows in slots 0 to
// 20 (row r in slot r - 1), their ".aga" mixture files, and the database step that gives
// the viscosity and isentropic exponent the AGA 8 method does not.

#include <array>
#include <string>
#include <string_view>

#include "fluids/aga8_mixture.h"
#include "fluids/component_list.h"
#include "fluids/property_database.h"
#include "messages/messages.h"
#include "record/file_io.h"

namespace quorven {

// A slot of the list, for code where the member's name is taken by a keyword macro of the
// desktop's toolkit.
ComponentEntry& ListSlot(ComponentList& list, int slot);
const ComponentEntry& ListSlot(const ComponentList& list, int slot);

// An ".aga" file: exactly the 1584-byte slot table of the component list.
inline constexpr std::size_t kAga8FileBytes = kSlotTableBytes;

// Puts the 21 rows into the list, each slot with its database record's number, formula,
// name and molecular weight. The mole percents the list held are carried over by
// component (a component outside the 21 is dropped), so a mixture never changes its
// components when the entry opens. Error #24, once, when the database is absent; a row
// whose name the database lacks keeps the report's formula and molar mass and Comp_No 0.
void PrepareAga8List(ComponentList& list, const PropertyDatabase& db, MessageSink& sink);

// The rows' mole percents of a prepared list, and their total.
std::array<double, kAga8Rows> Aga8RowPercents(const ComponentList& list);
double Aga8Total(const ComponentList& list);
// The entry accepts a composition whose total, rounded half-up to 5 decimals, is 100.
bool Aga8TotalIs100(const ComponentList& list);

// Writes the slot table to `path` through a temporary file: Error #23 (nothing written)
// when the total is not 100, Error #10 when the file cannot be written.
bool SaveAga8Mixture(const std::string& path, const ComponentList& list, MessageSink& sink,
                     FileLayer& files = DiskFiles());
// Reads an ".aga" file into the rows' percents. A file that is not exactly a slot table
// of AGA 8 components (1584 bytes; each occupied slot one of the 21 by its database name,
// none twice, its mole percent from 0 to 100; the slots after the last occupied empty)
// gives Error #10 and the rows keep their percents.
bool LoadAga8Mixture(const std::string& path, ComponentList& list, MessageSink& sink,
                     FileLayer& files = DiskFiles());
// The same check on a file's bytes: the percents by row, or false.
bool ParseAga8File(std::string_view bytes, std::array<double, kAga8Rows>& by_row);

}  // namespace quorven
