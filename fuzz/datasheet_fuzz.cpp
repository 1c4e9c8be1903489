// A datasheet of a tag read from outside bytes (".tag" files, project records):
// whatever numbers, codes and datasheet texts the record holds once it is checked,
// the form is drawn without a crash, inside the page, the record's texts are
// printed as they stand (never read as formats), and no number prints as "inf" or
// "nan".

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
#include "reports/print_spec.h"
#include "reports/recording_renderer.h"
#include "reports/report_page.h"

namespace {

constexpr int kWidth = 4792;
constexpr int kHeight = 6851;

void Draw(const quorven::TagRecord& r, bool texts_are_x) {
    using namespace quorven;
    static const ReportContext ctx = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});
    RecordingRenderer dev;
    CPage page({0, 0, kWidth, kHeight}, dev);
    PrintDatasheet(page, r, ctx, {true, 1, 1});
    for (const RecordedOp& op : dev.ops) {
        if (op.rect.top < 0 || op.rect.left < 0 || op.rect.top > kHeight || op.rect.left > kWidth)
            std::abort();
        // With the record's own texts set to "x", "inf" or "nan" could only be a number.
        if (texts_are_x &&
            (op.text.find("nan") != std::string::npos || op.text.find("inf") != std::string::npos))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    std::string whole(reinterpret_cast<const char*>(data), std::min(size, sizeof(TagRecord)));
    whole.resize(sizeof(TagRecord), '\0');
    TagRecord r{};
    if (!RecordFromBytes(whole, r)) std::abort();
    CheckRecord(r);
    Draw(r, false);
    for (const FieldInfo& f : RecordFields())
        if (f.kind == FieldKind::Text) SetTextField(r, f, "x");
    Draw(r, true);
    return 0;
}
