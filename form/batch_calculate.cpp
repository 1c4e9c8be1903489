#include "form/batch_calculate.h"

#include <algorithm>
#include <thread>

#include "messages/messages.h"
#include "project/project_commands.h"

namespace quorven {
namespace {

// The default project's name: a calculation there leaves the format marker.
constexpr std::string_view kDefaultProjectName = "Project";
constexpr unsigned kMaxBatchThreads = 4;

}  // namespace

bool CalculateForBatch(TagRecord& r, const CalculateInputs& in, MessageSink& sink) {
    CalculateInputs batch = in;
    batch.interactive = false;
    const CalculateResult result = OnCalculate(r, batch, sink);
    return result.check.ok && result.sized;
}

BatchCalculateFn BatchCalculationOf(const ProjectDocument& doc) {
    CalculateInputs in;
    in.unit_tables = &doc.unit_tables;
    in.date_text = doc.date_text;
    in.user_name = std::string(GetText(doc.settings.User_Name));
    in.context.default_project = doc.project_name == kDefaultProjectName;
    in.interactive = false;
    return [in](TagRecord& r, MessageSink& sink) { return CalculateForBatch(r, in, sink); };
}

BatchRunReport BatchCalcCommand(ProjectDocument& doc, MessageSink& sink, const ProgressFn& progress,
                                std::function<void(std::string_view, const BatchTagResult&)> on_tag) {
    if (!doc.project_open || !doc.database) {
        CError(sink).Show(msg::kErrProjectIndex);
        return {};
    }
    BatchRunOptions o;
    o.settings.calculate = BatchCalculationOf(doc);
    o.settings.threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxBatchThreads);
    o.progress = progress;
    o.on_tag = std::move(on_tag);
    const BatchRunReport report = RunBatchCalculation(*doc.database, o, sink);
    const std::string tag(GetText(doc.record.Tag_No));
    if (report.saved && doc.tag_saved && !doc.HasUnsavedEdits() && !tag.empty() &&
        doc.database->FindTag(tag) >= 0) {
        RecordingMessageSink quiet;
        (void)LoadStoredTag(doc, tag, quiet);
    }
    return report;
}

}  // namespace quorven
