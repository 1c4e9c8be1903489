#include "record/file_doubles.h"

namespace quorven {

std::optional<FileStamp> MemoryFileLayer::Stat(const std::string& path) {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return FileStamp{it->second.size(), stamps_[path]};
}

std::optional<std::string> MemoryFileLayer::ReadAll(const std::string& path, std::size_t max_bytes) {
    const auto it = files.find(path);
    if (it == files.end() || it->second.size() > max_bytes) return std::nullopt;
    return it->second;
}

bool MemoryFileLayer::ReadAt(const std::string& path, uint64_t offset, std::size_t size, std::string& out) {
    const auto it = files.find(path);
    if (it == files.end() || offset > it->second.size() || it->second.size() - offset < size) return false;
    out.assign(it->second, static_cast<std::size_t>(offset), size);
    return true;
}

bool MemoryFileLayer::Replace(const std::string& path, std::string_view bytes) {
    files[path] = std::string(bytes);
    Touch(path);
    return true;
}

bool MemoryFileLayer::WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) {
    const auto it = files.find(path);
    if (it == files.end() || offset > it->second.size()) return false;
    std::string& f = it->second;
    const auto at = static_cast<std::size_t>(offset);
    if (f.size() < at + bytes.size()) f.resize(at + bytes.size());
    f.replace(at, bytes.size(), bytes);
    Touch(path);
    return true;
}

bool MemoryFileLayer::Truncate(const std::string& path, uint64_t size) {
    const auto it = files.find(path);
    if (it == files.end() || size > it->second.size()) return false;
    it->second.resize(static_cast<std::size_t>(size));
    Touch(path);
    return true;
}

bool MemoryFileLayer::Rename(const std::string& from, const std::string& to) {
    const auto it = files.find(from);
    if (it == files.end()) return false;
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[to] = std::move(bytes);
    Touch(to);
    return true;
}

bool MemoryFileLayer::Remove(const std::string& path) {
    files.erase(path);
    stamps_.erase(path);
    return true;
}

bool FaultyFileLayer::Pass() {
    ++steps_;
    if (Dead()) return false;
    if (steps_ == at_ && fault_ != FileFault::None) {
        faulted_ = true;
        return false;
    }
    return true;
}

bool FaultyFileLayer::Replace(const std::string& path, std::string_view bytes) {
    if (Pass()) return inner_.Replace(path, bytes);
    if (steps_ != at_ || fault_ == FileFault::Fail) return false;
    // Part of the temporary file was written; the target is untouched.
    if (fault_ == FileFault::Kill)
        (void)inner_.Replace(ReplacementTempPath(path), bytes.substr(0, bytes.size() / 2));
    return false;
}

bool FaultyFileLayer::WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) {
    if (Pass()) return inner_.WriteAt(path, offset, bytes);
    if (steps_ != at_ || fault_ == FileFault::Fail) return false;
    (void)inner_.WriteAt(path, offset, bytes.substr(0, bytes.size() / 2));
    return false;
}

bool FaultyFileLayer::WriteAtNoSync(const std::string& path, uint64_t offset, std::string_view bytes) {
    if (Pass()) return inner_.WriteAtNoSync(path, offset, bytes);
    if (steps_ != at_ || fault_ == FileFault::Fail) return false;
    (void)inner_.WriteAtNoSync(path, offset, bytes.substr(0, bytes.size() / 2));
    return false;
}

bool FaultyFileLayer::Sync(const std::string& path) {
    return Pass() && inner_.Sync(path);
}

bool FaultyFileLayer::Truncate(const std::string& path, uint64_t size) {
    return Pass() && inner_.Truncate(path, size);
}

bool FaultyFileLayer::Rename(const std::string& from, const std::string& to) {
    return Pass() && inner_.Rename(from, to);
}

bool FaultyFileLayer::Remove(const std::string& path) {
    return Pass() && inner_.Remove(path);
}

}  // namespace quorven
