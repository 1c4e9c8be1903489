// An AGA 8 mixture file (".aga") from outside bytes: whatever the bytes, reading never
// crashes; a refused file leaves the rows' percents as they were; a file that is taken
// gives 21 finite percents of 0 to 100, and the rows with them, saved and read again,
// give the same percents.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fluids/aga8_entry.h"
#include "fluids/property_database.h"
#include "messages/messages.h"
#include "record/file_doubles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    NullMessageSink quiet;
    ComponentList rows;
    PrepareAga8List(rows, PropertyDatabase(), quiet);
    rows.slots[0].Mole_Pct = 100.0;  // the rows held before
    const auto before = Aga8RowPercents(rows);

    MemoryFileLayer files;
    files.files["in.aga"] = std::string(bytes);
    if (!LoadAga8Mixture("in.aga", rows, quiet, files)) {
        if (Aga8RowPercents(rows) != before) std::abort();
        return 0;
    }
    const auto loaded = Aga8RowPercents(rows);
    for (double p : loaded)
        if (!std::isfinite(p) || p < 0.0 || p > 100.0) std::abort();
    std::array<double, kAga8Rows> again{};
    if (!ParseAga8File(rows.SlotTableBytes(), again) || again != loaded) std::abort();
    return 0;
}
