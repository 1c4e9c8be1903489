// A settings block from outside bytes (a project's ".fil" or the configuration
// file), read as the program reads the configuration: whatever the bytes, reading
// never crashes; a block that is taken holds terminated texts and factors a unit
// conversion can divide by, and a record given its default units holds only
// finite factors.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "messages/messages.h"
#include "project/configuration.h"
#include "record/file_doubles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    // Most inputs are given the one length a block has, so the checks are reached.
    if (size > 0 && (data[0] & 1) == 0) bytes.resize(kProjectSettingsSize, '\0');
    MemoryFileLayer files;
    files.files["quorven.cfg"] = bytes;
    ProjectSettings s = DefaultProjectSettings();
    NullMessageSink sink;
    if (ReadConfig(files, "quorven.cfg", s, sink) != SettingsRead::Read) {
        if (bytes.size() == kProjectSettingsSize) std::abort();
        return 0;
    }
    // A block once checked has nothing left to repair.
    if (!CheckProjectSettings(s).empty()) std::abort();
    TagRecord r = NewTagRecord();
    ApplyUnitDefaults(r, s);
    for (const double f : {r.Unit_Flow, r.Unit_Press, r.Unit_BasePress, r.Unit_AtmPress, r.Unit_Dpress,
                           r.Unit_Dens, r.Unit_Visc, r.Unit_Velo, r.Unit_Glocal, r.Unit_Bore, r.Unit_Pipe})
        if (!std::isfinite(f)) std::abort();
    return 0;
}
