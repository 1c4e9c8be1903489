#pragma once
// The per-user profile: the recent-file list (four names) and the chosen
// application look. Kept with QSettings in the per-user configuration location
// (~/.config/Quorven/Quorven.ini on Linux), never in the program directory.

#include <QString>
#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace quorven {

// Where the configuration file and user data go: the program directory when the
// program may write there, otherwise the per-user configuration directory
// (~/.config/Quorven on Linux), created when missing.
std::string UserDataLocation();

class Profile {
public:
    // The user's own profile.
    Profile();
    // A profile kept in the given INI file (tests).
    explicit Profile(const QString& ini_path);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    std::vector<std::string> RecentFiles() const;
    void AddRecentFile(const std::string& path);
    void SetRecentFiles(const std::vector<std::string>& list);

    // The stored look, or the default (215) when none or an unknown one is stored.
    int ApplicationLook() const;
    void SetApplicationLook(int id);

    QString FileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace quorven
