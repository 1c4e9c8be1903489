// A calculation sheet of a tag read from outside bytes (".tag" files, project
// records): whatever numbers and codes the record holds once it is checked, the
// sheet is drawn without a crash, inside the page, and never prints "inf" or "nan".

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "project/project_settings.h"
#include "record/record_check.h"
#include "record/record_fields.h"
#include "record/record_io.h"
#include "record/tag_record.h"
#include "reports/print_calc.h"
#include "reports/recording_renderer.h"
#include "reports/report_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    std::string whole(reinterpret_cast<const char*>(data), std::min(size, sizeof(TagRecord)));
    whole.resize(sizeof(TagRecord), '\0');
    TagRecord r{};
    if (!RecordFromBytes(whole, r)) std::abort();
    CheckRecord(r);
    for (const FieldInfo& f : RecordFields())
        if (f.kind == FieldKind::Text) SetTextField(r, f, "x");
    static const ReportContext ctx = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    RecordingRenderer dev;
    CPage page({0, 0, 4792, 6851}, dev);
    PrintCalcSheet(page, r, ctx);
    for (const RecordedOp& op : dev.ops) {
        // The record's own texts were set to "x": "inf" or "nan" could only be a number.
        if (op.text.find("nan") != std::string::npos || op.text.find("inf") != std::string::npos)
            std::abort();
        if (op.rect.top < 0 || op.rect.left < 0 || op.rect.top > 6851 || op.rect.left > 4792) std::abort();
    }
    return 0;
}
