#include "record/file_io.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quorven {

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t max_bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    char buf[8192];
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

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.filename().empty()) return false;
    std::string temp_name = ".";
    temp_name += target.filename().string();
    temp_name += ".quorven-new";
    const fs::path temp = target.parent_path() / temp_name;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(::fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) {
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}

}  // namespace quorven
