// Batch calculation of a whole project: the calculation of 100 000 tags of mixed
// meters and fluids in memory (data check, the Calculate command's path without
// message boxes, status text), on one thread and on two.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "form/batch_calculate.h"
#include "project/batch.h"
#include "tests/project/mixed_tags.h"

namespace {

using namespace quorven;

constexpr std::size_t kTags = 100000;

void BM_BatchTagsInMemory(benchmark::State& state) {
    std::vector<TagRecord> tags;
    std::vector<std::string> numbers;
    tags.reserve(kTags);
    for (std::size_t i = 0; i < kTags; ++i) {
        tags.push_back(test::MixedTag(i));
        numbers.emplace_back(GetText(tags.back().Tag_No));
    }
    const std::vector<char> readable(kTags, 1);
    CalculateInputs in;
    in.date_text = "10 Dec 2026";
    BatchSettings s;
    s.project_name = "Bench";
    s.threads = static_cast<unsigned>(state.range(0));
    s.calculate = [&in](TagRecord& r, MessageSink& sink) { return CalculateForBatch(r, in, sink); };
    std::vector<BatchTagResult> results(kTags);
    for (auto _ : state) {
        std::vector<TagRecord> work = tags;
        BatchTags(work, readable, numbers, results, s);
        benchmark::DoNotOptimize(results.data());
    }
    std::size_t calculated = 0;
    for (const BatchTagResult& r : results) calculated += r.outcome == BatchOutcome::Calculated;
    state.counters["calculated"] = static_cast<double>(calculated);
}
BENCHMARK(BM_BatchTagsInMemory)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
