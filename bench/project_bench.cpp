// A project of 100 000 tags: opening it (settings, index, map), finding a tag,
// reading one and saving one. The record file is sparse, with real records at every
// 100th position, so building the fixture costs seconds and a few megabytes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "project/database.h"
#include "project/project_commands.h"
#include "record/file_io.h"
#include "record/record_io.h"

namespace {

using namespace quorven;
namespace fs = std::filesystem;

constexpr int kTags = 100000;

std::string TagName(int i) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "FT-%06d", i);
    return buf;
}

TagRecord Record(int i) {
    TagRecord r = NewTagRecord();
    SetText(r.Tag_No, TagName(i));
    SetText(r.Service, "Generated tag");
    r.Rec_Version4 = 1;
    r.Calc_Status = 1;
    r.Flow_Max = 1000.0 + i;
    return r;
}

struct Fixture {
    fs::path dir;
    ProjectPaths paths;
    std::vector<std::string> names;
    Fixture() {
        dir = fs::temp_directory_path() / ("quorven-bench-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        paths = ProjectPathsOf((dir / "Big.fil").string());
        FileLayer& disk = DiskFiles();
        disk.Replace(paths.Settings(), SettingsToBytes(DefaultProjectSettings()));
        std::string index;
        index.reserve(std::size_t{kTags} * kIndexEntrySize);
        for (int i = 0; i < kTags; ++i) {
            names.push_back(TagName(i));
            index += IndexEntryBytes(names.back(), i * static_cast<int32_t>(kRecordSize));
        }
        disk.Replace(paths.Index(), index);
        disk.Replace(paths.Records(), "");
        fs::resize_file(paths.Records(), std::uintmax_t{kTags} * kRecordSize);
        for (int i = 0; i < kTags; i += 100)
            disk.WriteAt(paths.Records(), std::uint64_t(i) * kRecordSize, RecordToBytes(Record(i)));
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Big() {
    static Fixture f;
    return f;
}

void BM_OpenProject(benchmark::State& state) {
    Fixture& f = Big();
    NullMessageSink sink;
    for (auto _ : state) {
        ProjectDocument doc;
        doc.config_dir = f.dir.string();
        benchmark::DoNotOptimize(OpenProject(doc, f.paths.Settings(), sink));
    }
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

void BM_FindTag(benchmark::State& state) {
    Fixture& f = Big();
    NullMessageSink sink;
    CDatabase db(DiskFiles(), f.paths);
    db.Open(sink);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.FindTag(f.names[i]));
        i = (i + 7919) % f.names.size();
    }
}
BENCHMARK(BM_FindTag);

void BM_ReadTag(benchmark::State& state) {
    Fixture& f = Big();
    NullMessageSink sink;
    CDatabase db(DiskFiles(), f.paths);
    db.Open(sink);
    TagRecord r;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.ReadTag(f.names[static_cast<std::size_t>(i)], r, sink));
        i = (i + 100 * 37) % kTags;
    }
}
BENCHMARK(BM_ReadTag)->Unit(benchmark::kMicrosecond);

// Replacing a stored tag: journal, record, journal removed, each synced.
void BM_SaveTagReplace(benchmark::State& state) {
    Fixture& f = Big();
    NullMessageSink sink;
    CDatabase db(DiskFiles(), f.paths);
    db.Open(sink);
    TagRecord r = Record(500);
    for (auto _ : state) {
        r.Flow_Max += 1.0;  // a change, so the record is written
        benchmark::DoNotOptimize(db.WriteTag(r, WriteMode::Replace, sink));
    }
}
BENCHMARK(BM_SaveTagReplace)->Unit(benchmark::kMillisecond);

// A new tag: record at the end, then its entry, each synced.
void BM_SaveNewTag(benchmark::State& state) {
    Fixture& f = Big();
    NullMessageSink sink;
    CDatabase db(DiskFiles(), f.paths);
    db.Open(sink);
    int i = kTags;
    for (auto _ : state) benchmark::DoNotOptimize(db.WriteTag(Record(i++), WriteMode::Ask, sink));
    // After the timed loop: the project goes back to its 100 000 tags.
    for (int k = kTags; k < i; ++k) db.RemoveTag(TagName(k), sink);
}
BENCHMARK(BM_SaveNewTag)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
