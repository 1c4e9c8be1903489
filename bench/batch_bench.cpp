// Whole-project commands on a project of 100 000 tags of mixed meters and fluids
// (seven kinds, every one calculating): Batch Calc (read, check, calculate, write,
// status file), export to CSV, import of that CSV into an empty project, pack and
// index rebuild; and the batch calculation alone, in memory, on one and two
// threads. Each reports the peak resident memory of the process, which must not
// grow with the project (records are handled a thousand at a time).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "form/batch_calculate.h"
#include "project/batch.h"
#include "project/batch_run.h"
#include "project/csv_exchange.h"
#include "project/impo_expo.h"
#include "project/maintenance.h"
#include "project/project_commands.h"
#include "record/record_io.h"
#include "tests/project/mixed_tags.h"

namespace {

using namespace quorven;
namespace fs = std::filesystem;

constexpr std::size_t kTags = 100000;

double PeakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

// Answers Yes to every question, No to the revision increment; shows nothing.
class Quiet final : public MessageSink {
public:
    MessageAnswer Show(const Message& m) override {
        if (m.caption == "Batch Calculation - Increment Revision") return MessageAnswer::No;
        return m.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
};

class ReplaceAll final : public ImportQuestions {
public:
    OverwriteAnswer ConfirmReplace(std::string_view) override { return OverwriteAnswer::All; }
};

// The generated project, written once per run of the program, record by record
// in big pieces so that making it holds no more than a piece in memory.
struct BigProject {
    fs::path dir;
    ProjectPaths paths;
    BigProject() {
        dir = fs::temp_directory_path() / ("quorven-batch-bench-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        paths = Make("Big");
        std::string records;
        std::string index;
        FileLayer& disk = DiskFiles();
        uint64_t written = 0;
        for (std::size_t i = 0; i < kTags; ++i) {
            TagRecord r = test::MixedTag(i);
            r.Rec_Version4 = 1;
            records += RecordToBytes(r);
            index += IndexEntryBytes(GetText(r.Tag_No), static_cast<int32_t>(i * kRecordSize));
            if (records.size() >= (std::size_t{8} << 20) || i + 1 == kTags) {
                disk.WriteAtNoSync(paths.Records(), written, records);
                written += records.size();
                records.clear();
            }
        }
        disk.Sync(paths.Records());
        disk.Replace(paths.Index(), index);
    }
    ~BigProject() { fs::remove_all(dir); }
    ProjectPaths Make(const std::string& name) const {
        const ProjectPaths p = ProjectPathsOf((dir / (name + ".fil")).string());
        FileLayer& disk = DiskFiles();
        disk.Replace(p.Settings(), SettingsToBytes(DefaultProjectSettings()));
        disk.Replace(p.Records(), "");
        disk.Replace(p.Index(), "");
        return p;
    }
};

BigProject& Big() {
    static BigProject project;
    return project;
}

void Report(benchmark::State& state) {
    state.counters["peak_rss_MB"] = PeakRssMb();
    state.counters["tags"] = static_cast<double>(kTags);
}

void BM_BatchCalcProject(benchmark::State& state) {
    BigProject& big = Big();
    Quiet quiet;
    for (auto _ : state) {
        ProjectDocument doc;
        doc.date_text = "10 Dec 2026";
        OpenProject(doc, big.paths.Settings(), quiet);
        const BatchRunReport r = BatchCalcCommand(doc, quiet);
        if (!r.saved || r.calculated != kTags) state.SkipWithError("the batch did not calculate every tag");
    }
    Report(state);
}
BENCHMARK(BM_BatchCalcProject)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ExportProject(benchmark::State& state) {
    BigProject& big = Big();
    Quiet quiet;
    const std::string csv = (big.dir / "all.csv").string();
    for (auto _ : state) {
        CDatabase db(DiskFiles(), big.paths);
        db.Open(quiet);
        if (CImpoExpo::ExportProject(db, csv, quiet).tags != kTags) state.SkipWithError("export incomplete");
    }
    state.counters["csv_MB"] = static_cast<double>(fs::file_size(csv)) / 1e6;
    Report(state);
}
BENCHMARK(BM_ExportProject)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ImportIntoEmptyProject(benchmark::State& state) {
    BigProject& big = Big();
    Quiet quiet;
    ReplaceAll all;
    const std::string csv = (big.dir / "all.csv").string();
    if (!fs::exists(csv)) {
        CDatabase db(DiskFiles(), big.paths);
        db.Open(quiet);
        CImpoExpo::ExportProject(db, csv, quiet);
    }
    for (auto _ : state) {
        state.PauseTiming();
        const ProjectPaths target = big.Make("Imported");
        state.ResumeTiming();
        CDatabase db(DiskFiles(), target);
        db.Open(quiet);
        const ImportReport r =
            CImpoExpo::ImportFile(db, csv, NewTagRecord(), DefaultUnitTables(), all, quiet);
        if (r.added != kTags) state.SkipWithError("import incomplete");
    }
    Report(state);
}
BENCHMARK(BM_ImportIntoEmptyProject)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_PackProject(benchmark::State& state) {
    BigProject& big = Big();
    Quiet quiet;
    for (auto _ : state) {
        CDatabase db(DiskFiles(), big.paths);
        db.Open(quiet);
        if (!PackProject(db, quiet).packed) state.SkipWithError("pack failed");
    }
    Report(state);
}
BENCHMARK(BM_PackProject)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_RebuildIndex(benchmark::State& state) {
    BigProject& big = Big();
    Quiet quiet;
    for (auto _ : state) {
        CDatabase db(DiskFiles(), big.paths);
        db.Open(quiet);
        if (RebuildIndex(db, quiet).tags != kTags) state.SkipWithError("rebuild incomplete");
    }
    Report(state);
}
BENCHMARK(BM_RebuildIndex)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The calculation part alone: 100 000 records in memory.
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
