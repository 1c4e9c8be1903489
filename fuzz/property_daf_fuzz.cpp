// The property database "PROPERTY.DAF" from outside bytes: whatever the bytes
// (truncated records, names without terminator, numbering gaps, duplicate numbers
// and names, NaN and infinities), reading and every lookup never crash, no record
// handed out holds a number that is not finite, and the gas and liquid computations
// on the first records deliver finite results or none.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fluids/component_list.h"
#include "fluids/gas_properties.h"
#include "fluids/liquid_properties.h"
#include "fluids/property_database.h"
#include "fluids/property_record.h"
#include "messages/messages.h"

namespace {

void CheckFinite(const quorven::PropertyRecord& r) {
    using namespace quorven;
    const auto* base = reinterpret_cast<const unsigned char*>(&r);
    for (const PropertyField& f : PropertyFields()) {
        if (f.kind != PropertyFieldKind::Double && f.kind != PropertyFieldKind::DoubleArray) continue;
        const std::size_t n = f.kind == PropertyFieldKind::Double ? 1 : f.width;
        for (std::size_t i = 0; i < n; ++i) {
            double v;
            std::memcpy(&v, base + f.offset + i * sizeof v, sizeof v);
            if (!std::isfinite(v)) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PropertyDatabase db = PropertyDatabase::FromBytes(bytes);
    if (db.RecordCount() != static_cast<int>(size / kPropertyRecordBytes)) std::abort();
    NullMessageSink sink;
    const auto names = db.ListNames(sink);
    if (names.size() > static_cast<std::size_t>(db.RecordCount())) std::abort();
    for (const PropertyRecord& r : db.Records()) {
        CheckFinite(r);
        const std::string name(CompName(r));
        if (name.size() > sizeof r.Comp_Name) std::abort();
        const PropertyRecord* by_name = db.ByName(name);
        if (!by_name || CompName(*by_name) != name) std::abort();
        const PropertyRecord* by_number = db.ByNumber(r.Comp_No);
        if (!by_number || by_number->Comp_No != r.Comp_No) std::abort();
        db.ByNameIgnoringCase(name);
    }

    // The first (up to) three listed components, equal parts.
    ComponentList list;
    for (std::size_t i = 0; i < names.size() && i < 3; ++i) list.AddComponent(db, names[i], sink);
    for (int i = 0; i < list.Occupied(); ++i) list.SetMolePercent(i, 100.0 / list.Occupied());
    auto finite = [](double v) { return std::isfinite(v) && v >= 0.0; };
    for (GasEquation code :
         {GasEquation::RedlichKwong, GasEquation::SoaveRedlichKwong, GasEquation::BenedictWebbRubin}) {
        const GasResult g = GasProperties(db, list, code, 500.0, 560.0, 14.696, 519.67, sink);
        if (g.Ok &&
            !(finite(g.Zb) && finite(g.Zf) && g.Zf > 0.0 && finite(g.MW) && finite(g.Visc) && finite(g.K)))
            std::abort();
    }
    const LiquidResult l = LiquidProperties(db, list, 500.0, 560.0, 519.67, sink);
    if (l.Ok && !(finite(l.SGb) && finite(l.SGf) && l.SGf > 0.0 && finite(l.Visc) && finite(l.VPf_psia)))
        std::abort();
    return 0;
}
