// The quorven executable as the user starts it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Runs a shell command; returns its standard output and sets the exit status.
std::string RunShell(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return out;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    status = pclose(pipe);
    return out;
}

TEST(QuorvenBinary, VersionAndHelpNeedNoDisplay) {
    struct Case {
        const char* option;
        const char* output_start;
    };
    const Case kCases[] = {
        {"--version", "Quorven 4.4.0\n"},
        {"--help", "Usage: quorven [PROJECT.fil]\n"},
        {"plant.fil --version", "Quorven 4.4.0\n"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.option);
        // No display and no platform plugin chosen: a QApplication could not start here.
        int status = 0;
        const std::string out =
            RunShell(std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
                         QUORVEN_APP_BINARY + " " + c.option + " 2>&1",
                     status);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(out.rfind(c.output_start, 0), 0u) << out;
    }
}

}  // namespace
