// quorven: the desktop program.

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/application.h"
#include "app/commands/shell_texts.h"
#include "app/platform/profile.h"
#include "app/platform/qt_message_sink.h"

// Sanitizer builds: the D-Bus library that Qt's desktop integration loads keeps a
// buffer to the end of the process and never frees it; that is not ours to report.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

int main(int argc, char** argv) {
    // Before anything else: the directory a relative project name is read against.
    std::error_code ec;
    const std::filesystem::path start_dir = std::filesystem::current_path(ec);

    // Answered without a display: no QApplication yet.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", quorven::ProgramNameAndVersion().c_str());
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "Usage: quorven [PROJECT.fil]\n"
                "  --version   print the program name and version and exit\n"
                "Set QUORVEN_NO_SPLASH to start without the splash window.\n");
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorven"));
    QApplication::setApplicationName(QStringLiteral("Quorven"));
    QApplication::setApplicationVersion(
        QString::fromStdString(quorven::VersionText(quorven::NewTagRecord())));

    quorven::StartupOptions options;
    options.show_splash = qEnvironmentVariableIsEmpty("QUORVEN_NO_SPLASH");
    options.start_dir = start_dir;
    options.config_dir = quorven::UserDataLocation();
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "quorven: unknown option %s ignored\n", args[i].toLocal8Bit().constData());
            continue;
        }
        if (options.project_argument.empty()) options.project_argument = args[i].toStdString();
    }

    quorven::Profile profile;
    quorven::QtMessageSink sink;
    quorven::CQuorven64App program(profile, sink);
    program.Start(options);
    return QApplication::exec();
}
