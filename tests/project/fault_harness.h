#pragma once
// The fault-injection harness of the project tests: an operation on a project is
// run once to count its write steps, then once for every step with each kind of
// fault (fail, short write, the program's end). After each, the project opens
// with its old or its new content, every tag reading back byte for byte, and
// nothing but the project's files is left beside it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "project/database.h"
#include "project/project_fixture.h"
#include "record/file_doubles.h"
#include "record/record_io.h"

namespace quorven {

// What a project holds, as a fresh program instance opening it sees it.
struct Content {
    bool exists = false;
    std::string settings;
    std::vector<std::pair<std::string, std::string>> tags;  // tag number, record bytes, index order
    bool operator==(const Content&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Content& c) {
    os << (c.exists ? "project with " : "no project, ") << c.tags.size() << " tags:";
    for (const auto& [tag, bytes] : c.tags) os << ' ' << tag;
    return os;
}

inline Content ReadContent(const ProjectPaths& paths) {
    Content c;
    const auto settings = DiskFiles().ReadAll(paths.Settings(), 1 << 16);
    if (!settings) return c;
    c.exists = true;
    c.settings = *settings;
    // Whatever an interrupted change left, the user agrees to have it tidied.
    RecordingMessageSink sink(MessageAnswer::Yes);
    CDatabase db(DiskFiles(), paths);
    db.Open(sink);
    for (const IndexEntry& e : db.Entries()) {
        EXPECT_EQ(e.state, EntryState::Valid) << e.tag;
        TagRecord r;
        EXPECT_TRUE(db.ReadTag(e.tag, r, sink)) << e.tag;
        c.tags.emplace_back(e.tag, RecordToBytes(r));
    }
    for (const int n : sink.Numbers())
        if (n != 0) ADD_FAILURE() << "message #" << n << " at open";
    return c;
}

// Passes everything to `inner` and makes read number `at` (ReadAll or ReadAt, of
// any file, 1-based) and every read after it fail, as a disk that stopped reading
// would (a retry fails too); 0 fails none and only counts.
class FailingReadLayer final : public FileLayer {
public:
    FailingReadLayer(FileLayer& inner, int at) : inner_(inner), at_(at) {}
    std::optional<FileStamp> Stat(const std::string& path) override { return inner_.Stat(path); }
    std::optional<std::string> ReadAll(const std::string& path, std::size_t max_bytes) override {
        if (Fails()) return std::nullopt;
        return inner_.ReadAll(path, max_bytes);
    }
    bool ReadAt(const std::string& path, uint64_t offset, std::size_t size, std::string& out) override {
        return !Fails() && inner_.ReadAt(path, offset, size, out);
    }
    bool Replace(const std::string& path, std::string_view bytes) override {
        return inner_.Replace(path, bytes);
    }
    bool WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) override {
        return inner_.WriteAt(path, offset, bytes);
    }
    bool Truncate(const std::string& path, uint64_t size) override { return inner_.Truncate(path, size); }
    bool WriteAtNoSync(const std::string& path, uint64_t offset, std::string_view bytes) override {
        return inner_.WriteAtNoSync(path, offset, bytes);
    }
    bool Sync(const std::string& path) override { return inner_.Sync(path); }
    bool Rename(const std::string& from, const std::string& to) override { return inner_.Rename(from, to); }
    bool Remove(const std::string& path) override { return inner_.Remove(path); }
    int Reads() const { return reads_; }

private:
    bool Fails() { return ++reads_ >= at_ && at_ > 0; }
    FileLayer& inner_;
    int at_;
    int reads_ = 0;
};

// One operation on the project, through the given file layer.
using Operation = std::function<void(FileLayer& files, const ProjectPaths& paths)>;

class FaultInjectionTest : public testing::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        fixture_ = dir_ / "fixture";
        work_ = dir_ / "work";
        std::filesystem::create_directories(fixture_);
        std::filesystem::create_directories(dir_ / "config");
    }
    ProjectPaths FixturePaths() const { return ProjectPathsOf((fixture_ / "Plant.fil").string()); }
    ProjectPaths WorkPaths() const { return ProjectPathsOf((work_ / "Plant.fil").string()); }

    // A project of three tags in the fixture directory.
    void MakeProject() {
        RecordingMessageSink sink;
        ASSERT_TRUE(CDatabase::CreateProject(DiskFiles(), FixturePaths(), DefaultProjectSettings(), sink));
        CDatabase db(DiskFiles(), FixturePaths());
        db.Open(sink);
        for (int i = 1; i <= 3; ++i)
            ASSERT_EQ(db.WriteTag(testing::StoredTag("T-" + std::to_string(i), i), WriteMode::Ask, sink),
                      WriteOutcome::Saved);
        ASSERT_TRUE(sink.messages.empty());
    }
    void CopyFixture() {
        std::filesystem::remove_all(work_);
        std::filesystem::copy(fixture_, work_, std::filesystem::copy_options::recursive);
    }

    // Runs `op` without faults to learn its steps and its result, then once for
    // every step and every kind of fault.
    // `also_left`: files besides the project's three that the operation may leave
    // (the batch status file).
    // `changes_content`: false for an operation that changes only how the tags are
    // kept (pack).
    void CheckEveryStep(const Operation& op, const char* what, std::vector<std::string> also_left = {},
                        bool changes_content = true) {
        SCOPED_TRACE(what);
        CopyFixture();
        const Content before = ReadContent(WorkPaths());
        FaultyFileLayer counting(DiskFiles(), 0, FileFault::None);
        op(counting, WorkPaths());
        const int steps = counting.Steps();
        const Content after = ReadContent(WorkPaths());
        ASSERT_GT(steps, 0);
        if (changes_content) {
            ASSERT_NE(before, after) << "the operation changed nothing";
        }
        for (const FileFault fault : {FileFault::Fail, FileFault::Short, FileFault::Kill}) {
            for (int at = 1; at <= steps; ++at) {
                SCOPED_TRACE(::testing::Message()
                             << "fault " << static_cast<int>(fault) << " at step " << at << " of " << steps);
                CopyFixture();
                FaultyFileLayer faulty(DiskFiles(), at, fault);
                op(faulty, WorkPaths());
                EXPECT_TRUE(faulty.Faulted());
                const Content now = ReadContent(WorkPaths());
                EXPECT_TRUE(now == before || now == after) << now;
                // Nothing is left behind once the project has been opened.
                for (const auto& entry : std::filesystem::directory_iterator(work_)) {
                    if (!now.exists) break;
                    const std::string name = entry.path().filename().string();
                    EXPECT_TRUE(name == "Plant.fil" || name == "Plant.fdb" || name == "Plant.idx" ||
                                std::find(also_left.begin(), also_left.end(), name) != also_left.end())
                        << name;
                }
                // And the project takes the operation again.
                if (now == before) {
                    op(DiskFiles(), WorkPaths());
                    EXPECT_EQ(ReadContent(WorkPaths()), after);
                }
            }
        }
    }

    // Runs `op` once for every read it makes, with that read and the later ones
    // failing: the project
    // is then as it was or as the operation leaves it, never a third state (a tag
    // lost because its record could not be read), and nothing is left beside it.
    // `per_tag`: for an operation that skips a tag it cannot read and reports it
    // (the batch), each tag is as it was or as the operation leaves it.
    void CheckEveryRead(const Operation& op, const char* what, std::vector<std::string> also_left = {},
                        bool per_tag = false) {
        SCOPED_TRACE(what);
        CopyFixture();
        const Content before = ReadContent(WorkPaths());
        FailingReadLayer counting(DiskFiles(), 0);
        op(counting, WorkPaths());
        const int reads = counting.Reads();
        const Content after = ReadContent(WorkPaths());
        ASSERT_GT(reads, 0);
        for (int at = 1; at <= reads; ++at) {
            SCOPED_TRACE(::testing::Message() << "read " << at << " of " << reads << " fails");
            CopyFixture();
            FailingReadLayer faulty(DiskFiles(), at);
            op(faulty, WorkPaths());
            const Content now = ReadContent(WorkPaths());
            if (per_tag && now.tags.size() == before.tags.size() && after.tags.size() == before.tags.size()) {
                EXPECT_EQ(now.settings, before.settings);
                for (std::size_t i = 0; i < now.tags.size(); ++i)
                    EXPECT_TRUE(now.tags[i] == before.tags[i] || now.tags[i] == after.tags[i])
                        << now.tags[i].first;
            } else {
                EXPECT_TRUE(now == before || now == after) << now;
            }
            for (const auto& entry : std::filesystem::directory_iterator(work_)) {
                const std::string name = entry.path().filename().string();
                EXPECT_TRUE(name == "Plant.fil" || name == "Plant.fdb" || name == "Plant.idx" ||
                            std::find(also_left.begin(), also_left.end(), name) != also_left.end())
                    << name;
            }
        }
    }

    std::filesystem::path fixture_;
    std::filesystem::path work_;
};

}  // namespace quorven
