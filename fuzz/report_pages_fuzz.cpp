// The calibration chart, the uncertainty report and a tag index page of a tag read
// from outside bytes (".tag" files, project records): whatever numbers and codes
// the record holds once it is checked, the chart's hundred flow solutions run on
// copies without touching the record, every page is drawn inside the page, never
// prints "inf" or "nan", and prints the record's texts as they are, never as
// formats.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/calibration_chart.h"
#include "project/project_settings.h"
#include "record/record_check.h"
#include "record/record_fields.h"
#include "record/record_io.h"
#include "record/tag_record.h"
#include "reports/print_calib.h"
#include "reports/print_index.h"
#include "reports/print_job.h"
#include "reports/print_uncert.h"
#include "reports/recording_renderer.h"
#include "reports/report_page.h"

namespace {

// A text every record text is set to: printed as a format it would not come out
// as itself.
constexpr std::string_view kFormatLike = "%s%d%%";

void CheckPage(const quorven::RecordingRenderer& dev) {
    bool texts_as_they_are = false;
    for (const quorven::RecordedOp& op : dev.ops) {
        if (op.text.find("nan") != std::string::npos || op.text.find("inf") != std::string::npos)
            std::abort();
        if (op.rect.top < 0 || op.rect.left < 0 || op.rect.top > 6851 || op.rect.left > 4792) std::abort();
        texts_as_they_are = texts_as_they_are || op.text.find(kFormatLike) != std::string::npos;
    }
    if (!texts_as_they_are) std::abort();  // the tag number is on every page
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorven;
    std::string whole(reinterpret_cast<const char*>(data), std::min(size, sizeof(TagRecord)));
    whole.resize(sizeof(TagRecord), '\0');
    TagRecord r{};
    if (!RecordFromBytes(whole, r)) std::abort();
    CheckRecord(r);
    for (const FieldInfo& f : RecordFields())
        if (f.kind == FieldKind::Text) SetTextField(r, f, std::string(kFormatLike));
    static const ReportContext ctx = MakeReportContext(DefaultProjectSettings(), "4.4.0", {});

    TagRecord before;
    std::memcpy(&before, &r, sizeof r);
    {
        RecordingRenderer dev;
        CPage page({0, 0, 4792, 6851}, dev);
        PrintCalibChart(page, r, ctx);
        CheckPage(dev);
    }
    if (std::memcmp(&before, &r, sizeof r) != 0) std::abort();
    {
        RecordingRenderer dev;
        CPage page({0, 0, 4792, 6851}, dev);
        PrintUncertReport(page, r, ctx);
        CheckPage(dev);
    }
    {
        const PrintJob job =
            BatchReportJob(ReportType::TagIndex, {{std::string(kFormatLike), 1}}, 1, true, "x");
        const TagReader read = [&r](const std::string&, TagRecord& out) {
            out = r;
            return true;
        };
        RecordingRenderer dev;
        CPage page({0, 0, 4792, 6851}, dev);
        PrintJobPage(page, job, 0, r, read, ctx);
        CheckPage(dev);
    }
    return 0;
}
