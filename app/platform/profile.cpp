#include "app/platform/profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "app/commands/looks.h"
#include "app/commands/shell_texts.h"
#include "app/platform/qt_text.h"

namespace quorven {
namespace {

QString RecentKey(std::size_t i) {
    return QStringLiteral("Recent File List/File%1").arg(i + 1);
}
const QString kLookKey = QStringLiteral("Settings/ApplicationLook");

}  // namespace

std::string UserDataLocation() {
    const QString per_user =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Quorven");
    const std::filesystem::path chosen =
        UserDataDirectory(ToUtf8(QCoreApplication::applicationDirPath()), ToUtf8(per_user));
    QDir().mkpath(ToQString(chosen.string()));
    return chosen.string();
}

Profile::Profile()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Quorven"), QStringLiteral("Quorven"))) {}

Profile::Profile(const QString& ini_path)
    : settings_(std::make_unique<QSettings>(ini_path, QSettings::IniFormat)) {}

Profile::~Profile() = default;

std::vector<std::string> Profile::RecentFiles() const {
    std::vector<std::string> list;
    for (std::size_t i = 0; i < kRecentFileMax; ++i)
        list.push_back(ToUtf8(settings_->value(RecentKey(i)).toString()));
    return CleanRecentFiles(list);
}

void Profile::AddRecentFile(const std::string& path) {
    SetRecentFiles(quorven::AddRecentFile(RecentFiles(), path));
}

void Profile::SetRecentFiles(const std::vector<std::string>& list) {
    const std::vector<std::string> clean = CleanRecentFiles(list);
    for (std::size_t i = 0; i < kRecentFileMax; ++i) {
        if (i < clean.size())
            settings_->setValue(RecentKey(i), ToQString(clean[i]));
        else
            settings_->remove(RecentKey(i));
    }
    settings_->sync();
}

int Profile::ApplicationLook() const {
    bool ok = false;
    const int id = settings_->value(kLookKey, kDefaultApplicationLook).toInt(&ok);
    return ok ? FindApplicationLook(id).id : kDefaultApplicationLook;
}

void Profile::SetApplicationLook(int id) {
    settings_->setValue(kLookKey, FindApplicationLook(id).id);
    settings_->sync();
}

QString Profile::FileName() const {
    return settings_->fileName();
}

}  // namespace quorven
