#pragma once
// File layers for tests and fuzzing: files kept in memory, and a layer in front of
// another one that makes one chosen write step fail, write short, or end the
// program's writing altogether (as a crash or a kill would).

#include <map>
#include <string>

#include "record/file_io.h"

namespace quorven {

// Files in memory, keyed by path. Stamps change on every write.
class MemoryFileLayer final : public FileLayer {
public:
    std::optional<FileStamp> Stat(const std::string& path) override;
    std::optional<std::string> ReadAll(const std::string& path, std::size_t max_bytes) override;
    bool ReadAt(const std::string& path, uint64_t offset, std::size_t size, std::string& out) override;
    bool Replace(const std::string& path, std::string_view bytes) override;
    bool WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) override;
    bool Truncate(const std::string& path, uint64_t size) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;

    std::map<std::string, std::string> files;

private:
    void Touch(const std::string& path) { stamps_[path] = ++clock_; }
    std::map<std::string, int64_t> stamps_;
    int64_t clock_ = 0;
};

enum class FileFault {
    None,
    Fail,   // the step does nothing and reports failure; later steps work
    Short,  // the step writes part of its bytes and reports failure; later steps work
    Kill,   // the step writes part of its bytes, and it and every later step do nothing
            // more: the program died there (what it wrote is on the disk, nothing after)
};

// Passes everything to `inner`, counting the write steps (Replace, WriteAt,
// Truncate, WriteAtNoSync, Sync, Rename, Remove), and applies `fault` at step number `at` (1-based).
// A short Replace leaves its partly written temporary file behind when killed, as
// a crash would, and removes it otherwise, as the disk layer does.
class FaultyFileLayer final : public FileLayer {
public:
    FaultyFileLayer(FileLayer& inner, int at, FileFault fault) : inner_(inner), at_(at), fault_(fault) {}

    std::optional<FileStamp> Stat(const std::string& path) override { return inner_.Stat(path); }
    std::optional<std::string> ReadAll(const std::string& path, std::size_t max_bytes) override {
        return inner_.ReadAll(path, max_bytes);
    }
    bool ReadAt(const std::string& path, uint64_t offset, std::size_t size, std::string& out) override {
        return inner_.ReadAt(path, offset, size, out);
    }
    bool Replace(const std::string& path, std::string_view bytes) override;
    bool WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) override;
    bool Truncate(const std::string& path, uint64_t size) override;
    bool WriteAtNoSync(const std::string& path, uint64_t offset, std::string_view bytes) override;
    bool Sync(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;

    int Steps() const { return steps_; }  // write steps asked for so far
    bool Faulted() const { return faulted_; }

private:
    // Whether this step goes through untouched; counts it.
    bool Pass();
    bool Dead() const { return faulted_ && fault_ == FileFault::Kill; }

    FileLayer& inner_;
    int at_;
    FileFault fault_;
    int steps_ = 0;
    bool faulted_ = false;
};

}  // namespace quorven
