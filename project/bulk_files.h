#pragma once
// Whole-project file work through the file layer: copying a record file to the
// new file that will replace it, reading records by their positions and writing
// them into such a new file. New files are written without a sync per write and
// synced once before they are put in place.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "record/file_io.h"

namespace quorven {

// Progress of a long operation: how much is done of how much. Returns false when
// the user cancelled; the operation then ends and leaves the project as it was.
using ProgressFn = std::function<bool(std::size_t done, std::size_t total)>;

// Bytes moved per file operation.
inline constexpr std::size_t kBulkChunkBytes = std::size_t{8} << 20;

// Creates `to` with the first `size` bytes of `from` (not synced). False, with
// `to` removed, when a read or a write fails.
bool CopyFileStart(FileLayer& files, const std::string& from, const std::string& to, uint64_t size);

// Reads `size` bytes at each position into out[i] (out is resized), one read for
// each run of positions that follow one another in the file. ok[i] is 0 where the
// bytes could not be read.
void ReadAtPositions(FileLayer& files, const std::string& path, std::span<const int64_t> positions,
                     std::size_t size, std::vector<std::string>& out, std::vector<char>& ok);

// Collects writes of records into a new file and writes each run of adjacent
// positions with one unsynced write.
class RunWriter {
public:
    RunWriter(FileLayer& files, std::string path) : files_(files), path_(std::move(path)) {}
    // Queues `bytes` at `position`; a position that does not follow the queued
    // run writes the run first. False once any write failed.
    bool Put(uint64_t position, std::string_view bytes);
    bool Flush();
    bool Failed() const { return failed_; }

private:
    FileLayer& files_;
    std::string path_;
    uint64_t start_ = 0;
    std::string run_;
    bool failed_ = false;
};

}  // namespace quorven
