#include "project/bulk_files.h"

#include <algorithm>

namespace quorven {

bool CopyFileStart(FileLayer& files, const std::string& from, const std::string& to, uint64_t size) {
    if (!files.Replace(to, "")) return false;
    std::string chunk;
    for (uint64_t at = 0; at < size;) {
        const auto n = static_cast<std::size_t>(std::min<uint64_t>(kBulkChunkBytes, size - at));
        if (!files.ReadAt(from, at, n, chunk) || !files.WriteAtNoSync(to, at, chunk)) {
            (void)files.Remove(to);
            return false;
        }
        at += n;
    }
    return true;
}

void ReadAtPositions(FileLayer& files, const std::string& path, std::span<const int64_t> positions,
                     std::size_t size, std::vector<std::string>& out, std::vector<char>& ok) {
    out.assign(positions.size(), std::string());
    ok.assign(positions.size(), 0);
    std::size_t i = 0;
    std::string run;
    while (i < positions.size()) {
        if (positions[i] < 0) {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < positions.size() && positions[j] == positions[j - 1] + static_cast<int64_t>(size) &&
               (j - i + 1) * size <= kBulkChunkBytes)
            ++j;
        if (files.ReadAt(path, static_cast<uint64_t>(positions[i]), (j - i) * size, run)) {
            for (std::size_t k = i; k < j; ++k) {
                out[k].assign(run, (k - i) * size, size);
                ok[k] = 1;
            }
        } else {
            // Read one by one: a record past the end of the file fails alone.
            for (std::size_t k = i; k < j; ++k)
                ok[k] = files.ReadAt(path, static_cast<uint64_t>(positions[k]), size, out[k]) ? 1 : 0;
        }
        i = j;
    }
}

bool RunWriter::Put(uint64_t position, std::string_view bytes) {
    if (failed_) return false;
    if (!run_.empty() && (position != start_ + run_.size() || run_.size() + bytes.size() > kBulkChunkBytes))
        if (!Flush()) return false;
    if (run_.empty()) start_ = position;
    run_.append(bytes);
    return true;
}

bool RunWriter::Flush() {
    if (failed_) return false;
    if (run_.empty()) return true;
    failed_ = !files_.WriteAtNoSync(path_, start_, run_);
    // A written run is final until the file is synced: let the disk start on it
    // while the next records are calculated.
    if (!failed_) files_.StartWriteback(path_, start_, run_.size());
    run_.clear();
    return !failed_;
}

}  // namespace quorven
