#include "project/batch.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "project/batch_status.h"
#include "project/data_check.h"

namespace quorven {
namespace {

// The default project's name: its records keep their format marker.
constexpr std::string_view kDefaultProjectName = "Project";

// Revision numbers the record check accepts; an increment never passes it.
constexpr int32_t kMaxRevision = 1 << 30;

// "Error #N: text" for the batch's list of a tag's messages.
class CollectingSink final : public MessageSink {
public:
    explicit CollectingSink(std::vector<std::string>& out) : out_(out) {}
    MessageAnswer Show(const Message& m) override {
        std::string line =
            m.caption.empty() ? std::string(m.kind == MessageKind::Error ? "Error" : "Warning") : m.caption;
        line += ": ";
        for (char c : m.text) line += c == '\n' ? ' ' : c;
        out_.push_back(std::move(line));
        return m.default_answer;
    }

private:
    std::vector<std::string>& out_;
};

}  // namespace

BatchTagResult BatchOneTag(TagRecord& r, const BatchSettings& s) {
    BatchTagResult result;
    if (s.project_name != kDefaultProjectName) r.Rec_Version4 = 1;
    if (s.increment_revision && r.Calc_Rev >= 0 && r.Calc_Rev < kMaxRevision) ++r.Calc_Rev;
    if (!DataCheck(r, result.status)) {
        result.outcome = BatchOutcome::DataErrors;
        return result;
    }
    CollectingSink sink(result.messages);
    const bool calculated = s.calculate && s.calculate(r, sink);
    result.status += CalculationBlock(calculated);
    result.outcome = calculated ? BatchOutcome::Calculated : BatchOutcome::NotCalculated;
    return result;
}

void BatchTags(std::span<TagRecord> tags, std::span<const char> readable,
               std::span<const std::string> tag_numbers, std::span<BatchTagResult> results,
               const BatchSettings& s) {
    auto run = [&](std::size_t from, std::size_t to) {
        std::size_t i = from;
        try {
            for (; i < to; ++i) {
                if (readable[i]) {
                    results[i] = BatchOneTag(tags[i], s);
                } else {
                    results[i] = BatchTagResult{};
                    results[i].status = UnreadableTagBlock(tag_numbers[i]);
                }
            }
        } catch (...) {
            // Out of memory inside a calculation: this tag and the rest of the share
            // are not calculated, and not stored.
            for (; i < to; ++i) {
                results[i] = BatchTagResult{};
                results[i].outcome = BatchOutcome::NotCalculated;
                results[i].status = UnreadableTagBlock(tag_numbers[i]);
            }
        }
    };
    const std::size_t n = tags.size();
    const std::size_t threads = std::clamp<std::size_t>(s.threads, 1, std::max<std::size_t>(n, 1));
    if (threads == 1) {
        run(0, n);
        return;
    }
    std::vector<std::jthread> workers;
    workers.reserve(threads - 1);
    const std::size_t share = (n + threads - 1) / threads;
    for (std::size_t t = 1; t < threads; ++t) {
        const std::size_t from = std::min(n, t * share);
        const std::size_t to = std::min(n, from + share);
        try {
            workers.emplace_back([&run, from, to] { run(from, to); });
        } catch (...) {
            run(from, to);  // no thread to be had: this share on the calling thread
        }
    }
    run(0, std::min(n, share));
}

}  // namespace quorven
