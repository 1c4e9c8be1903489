#include "record/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quorven {
namespace {

// A descriptor closed at the end of its scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // Closes now; false when the close reports an error (a late write failure).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes, uint64_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A file the user marked read-only (no write permission for anyone) is never
// written, not even by a user whom the system would let through.
bool MarkedReadOnly(const struct stat& st) {
    return (st.st_mode & 0222) == 0;
}

// Makes a rename or removal in `path`'s directory durable. Best effort: some file
// systems refuse to sync a directory, and the change itself has happened.
void SyncDirectoryOf(const std::string& path) {
    // Not `dir = "."` after the fact: GCC 12 at -O3 takes that assignment for an
    // overlapping copy (-Wrestrict, a known false positive) and the Release build fails.
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const std::filesystem::path dir = parent.empty() ? std::filesystem::path(".") : parent;
    const Fd d(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.ok()) (void)::fsync(d.get());
}

}  // namespace

std::string ReplacementTempPath(const std::string& path) {
    const std::filesystem::path target(path);
    std::string name(1, '.');  // built by appending: see SyncDirectoryOf on GCC 12's -Wrestrict
    name += target.filename().string();
    name += ".quorven-new";
    return (target.parent_path() / name).string();
}

std::optional<FileStamp> DiskFileLayer::Stat(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    FileStamp s;
    s.size = static_cast<uint64_t>(st.st_size);
    s.modified_ns = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

std::optional<std::string> DiskFileLayer::ReadAll(const std::string& path, std::size_t max_bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    char buf[65536];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f);
        data.append(buf, n);
        if (data.size() > max_bytes) {
            ok = false;
            break;
        }
        if (n < sizeof buf) {
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    if (!ok) return std::nullopt;
    return data;
}

bool DiskFileLayer::ReadAt(const std::string& path, uint64_t offset, std::size_t size, std::string& out) {
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok()) return false;
    out.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::pread(fd.get(), out.data() + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool DiskFileLayer::Replace(const std::string& path, std::string_view bytes) {
    if (std::filesystem::path(path).filename().empty()) return false;
    // A file the user made read-only stays as it is: the rename would otherwise
    // replace it behind its back. The new file keeps the old one's permissions.
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed && (!S_ISREG(st.st_mode) || MarkedReadOnly(st) || ::access(path.c_str(), W_OK) != 0))
        return false;
    const std::string temp = ReplacementTempPath(path);
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.ok()) return false;
    bool ok = WriteAll(fd.get(), bytes, 0);
    ok = ok && (!existed || ::fchmod(fd.get(), st.st_mode & 07777) == 0);
    ok = ok && ::fsync(fd.get()) == 0;
    ok = fd.Close() && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncDirectoryOf(path);
    return true;
}

bool DiskFileLayer::WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd.ok()) return false;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || MarkedReadOnly(st) ||
        offset > static_cast<uint64_t>(st.st_size))
        return false;
    bool ok = WriteAll(fd.get(), bytes, offset);
    ok = ok && ::fsync(fd.get()) == 0;
    return fd.Close() && ok;
}

bool DiskFileLayer::WriteAtNoSync(const std::string& path, uint64_t offset, std::string_view bytes) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd.ok()) return false;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || MarkedReadOnly(st) ||
        offset > static_cast<uint64_t>(st.st_size))
        return false;
    const bool ok = WriteAll(fd.get(), bytes, offset);
    return fd.Close() && ok;
}

bool DiskFileLayer::Sync(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok()) return false;
    const bool ok = ::fsync(fd.get()) == 0;
    return fd.Close() && ok;
}

void DiskFileLayer::StartWriteback(const std::string& path, uint64_t offset, uint64_t size) {
#if defined(__linux__)
    // Linux sync_file_range(2) with SYNC_FILE_RANGE_WRITE only queues the
    // writeback and returns; durability still comes from the later fsync.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok()) return;
    (void)::sync_file_range(fd.get(), static_cast<off_t>(offset), static_cast<off_t>(size),
                            SYNC_FILE_RANGE_WRITE);
    (void)fd.Close();
#else
    (void)path, (void)offset, (void)size;
#endif
}

bool DiskFileLayer::Truncate(const std::string& path, uint64_t size) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd.ok()) return false;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || MarkedReadOnly(st) || size > static_cast<uint64_t>(st.st_size))
        return false;
    bool ok = ::ftruncate(fd.get(), static_cast<off_t>(size)) == 0;
    ok = ok && ::fsync(fd.get()) == 0;
    return fd.Close() && ok;
}

bool DiskFileLayer::Rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    SyncDirectoryOf(to);
    return true;
}

bool DiskFileLayer::Remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0) return errno == ENOENT;
    SyncDirectoryOf(path);
    return true;
}

FileLayer& DiskFiles() {
    static DiskFileLayer disk;
    return disk;
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t max_bytes) {
    return DiskFiles().ReadAll(path, max_bytes);
}

}  // namespace quorven
