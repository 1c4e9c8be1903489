#include "app/commands/shell_texts.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <system_error>

#include "record/cformat.h"

namespace quorven {
namespace {

constexpr std::string_view kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string DateText(int year, int month, int day) {
    if (month < 1 || month > 12) return {};
    return CFormat("%d %3s %4d",
                   {static_cast<long long>(day), kMonthNames[month - 1], static_cast<long long>(year)});
}

std::string TodayDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return {};
    return DateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string VersionText(const TagRecord& r) {
    return CFormat("%d.%d.%d", {static_cast<long long>(r.Rel_Major), static_cast<long long>(r.Rel_Minor),
                                static_cast<long long>(r.Rel_Build)});
}

std::string ProgramNameAndVersion() {
    return "Quorven " + VersionText(NewTagRecord());
}

std::filesystem::path ResolveStartupPath(std::string_view argument, const std::filesystem::path& start_dir) {
    std::string name(argument);
    std::erase(name, '"');
    if (name.empty()) return {};
    std::filesystem::path p(name);
    if (p.is_relative()) p = start_dir / p;
    return p.lexically_normal();
}

std::vector<std::string> AddRecentFile(std::vector<std::string> list, const std::string& path) {
    if (path.empty()) return CleanRecentFiles(list);
    std::erase(list, path);
    list.insert(list.begin(), path);
    return CleanRecentFiles(list);
}

std::vector<std::string> CleanRecentFiles(const std::vector<std::string>& list) {
    std::vector<std::string> out;
    for (const std::string& name : list) {
        if (out.size() == kRecentFileMax) break;
        if (name.empty() || std::find(out.begin(), out.end(), name) != out.end()) continue;
        out.push_back(name);
    }
    return out;
}

std::filesystem::path UserDataDirectory(const std::filesystem::path& program_dir,
                                        const std::filesystem::path& per_user_dir) {
    if (!program_dir.empty() && IsDirectoryWritable(program_dir)) return program_dir;
    return per_user_dir;
}

bool IsDirectoryWritable(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) return false;
    const std::filesystem::path probe = dir / ".quorven-write-probe";
    bool ok = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        ok = static_cast<bool>(out);
    }
    std::filesystem::remove(probe, ec);
    return ok;
}

}  // namespace quorven

namespace quorven {

std::string ChooserFilterText(std::string_view pipe_filter) {
    std::vector<std::string_view> parts;
    while (!pipe_filter.empty()) {
        const std::size_t bar = pipe_filter.find('|');
        parts.push_back(pipe_filter.substr(0, bar));
        if (bar == std::string_view::npos) break;
        pipe_filter.remove_prefix(bar + 1);
    }
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string_view text = parts[i];
        std::string patterns(parts[i + 1]);
        if (text.empty() || patterns.empty()) break;  // "||" ends the list
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        // The text usually shows its patterns already; Qt reads them from the brackets.
        const std::size_t open = text.rfind('(');
        if (open != std::string_view::npos) text = text.substr(0, open);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        if (!out.empty()) out += ";;";
        out += std::string(text) + " (" + patterns + ")";
    }
    return out;
}

std::string WithDefaultExtension(const std::string& path, std::string_view ext) {
    if (path.empty() || ext.empty()) return path;
    const std::filesystem::path p(path);
    if (p.has_extension()) return path;
    return path + "." + std::string(ext);
}

}  // namespace quorven
