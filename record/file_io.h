#pragma once
// The one file layer: every byte the program writes goes through a FileLayer, so a
// file is only ever replaced whole (a temporary beside it, flushed, synced and
// renamed over it) or changed in place by a write that is synced before it counts.
// Tests put a layer in front that fails, writes short or "dies" at a chosen step
// (record/file_doubles.h). No function throws.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorven {

// What is needed to notice that a file changed under us.
struct FileStamp {
    uint64_t size = 0;
    int64_t modified_ns = 0;
    bool operator==(const FileStamp&) const = default;
};

class FileLayer {
public:
    virtual ~FileLayer() = default;

    // --- Reads: never change anything.
    // Size and modification time of a regular file; nothing when it does not exist
    // or cannot be examined.
    virtual std::optional<FileStamp> Stat(const std::string& path) = 0;
    // The whole file, or nothing when it cannot be opened or holds more than max_bytes.
    virtual std::optional<std::string> ReadAll(const std::string& path, std::size_t max_bytes) = 0;
    // `size` bytes from `offset` into `out`; false when the file cannot be opened or
    // holds fewer bytes there.
    virtual bool ReadAt(const std::string& path, uint64_t offset, std::size_t size, std::string& out) = 0;

    // --- Writes: each is one step; true only when it is complete and on the disk.
    // The file becomes exactly `bytes`: a temporary beside it is written, flushed,
    // synced and renamed over it. On failure an earlier file is whole and unchanged.
    virtual bool Replace(const std::string& path, std::string_view bytes) = 0;
    // Writes `bytes` into an existing file at `offset` (at most its length, so the
    // file grows only at its end) and syncs it.
    virtual bool WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) = 0;
    // Cuts an existing file to `size` bytes (never longer) and syncs it.
    virtual bool Truncate(const std::string& path, uint64_t size) = 0;
    // For building a new file under a temporary name before it is put in place:
    // writes like WriteAt but leaves the bytes to the system's cache, so that many
    // writes cost one Sync. Nothing written this way counts until Sync succeeded.
    virtual bool WriteAtNoSync(const std::string& path, uint64_t offset, std::string_view bytes) {
        return WriteAt(path, offset, bytes);
    }
    // Makes everything written to the file durable.
    virtual bool Sync(const std::string& path) { return Stat(path).has_value(); }
    // A hint for bytes written with WriteAtNoSync that will not change again
    // before the Sync: the system may begin putting them on the disk now, so that
    // the Sync waits only for what is left. Guarantees nothing; may do nothing.
    virtual void StartWriteback(const std::string& path, uint64_t offset, uint64_t size) {
        (void)path, (void)offset, (void)size;
    }
    // Renames `from` over `to` in one step (the same directory).
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Removes the file; true when it is gone, also when it was not there.
    virtual bool Remove(const std::string& path) = 0;
};

// The disk. Stateless: one instance serves the whole program.
class DiskFileLayer final : public FileLayer {
public:
    std::optional<FileStamp> Stat(const std::string& path) override;
    std::optional<std::string> ReadAll(const std::string& path, std::size_t max_bytes) override;
    bool ReadAt(const std::string& path, uint64_t offset, std::size_t size, std::string& out) override;
    bool Replace(const std::string& path, std::string_view bytes) override;
    bool WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) override;
    bool Truncate(const std::string& path, uint64_t size) override;
    bool WriteAtNoSync(const std::string& path, uint64_t offset, std::string_view bytes) override;
    bool Sync(const std::string& path) override;
    void StartWriteback(const std::string& path, uint64_t offset, uint64_t size) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
};

// The program's disk layer.
FileLayer& DiskFiles();

// The temporary file Replace writes before renaming it over `path`:
// ".NAME.quorven-new" in the same directory. A leftover one marks a replacement
// that was interrupted; the file at `path` is then still the earlier one.
std::string ReplacementTempPath(const std::string& path);

// The file's bytes from the disk, or nothing when it cannot be opened or is longer
// than max_bytes.
std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t max_bytes);

}  // namespace quorven
