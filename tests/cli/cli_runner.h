#pragma once
// quorven-cli run as a user runs it: a child process, its output, its exit status,
// and a fresh directory of its own for every test.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "record/file_io.h"

namespace quorven::clitest {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// The text single-quoted for the shell.
inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs `env quorven-cli args`, with standard error collected through err_path.
inline CliRun RunCli(const std::string& args, const std::string& err_path, const std::string& env = "") {
    const std::string cmd = env + std::string(QUORVEN_CLI) + " " + args + " 2>" + Quote(err_path);
    CliRun run{};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return {-1, "", "popen failed"};
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) run.out.append(buf.data(), n);
    const int raw = pclose(p);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = ReadFileBytes(err_path, 1 << 20).value_or("");
    std::error_code ec;
    std::filesystem::remove(err_path, ec);
    return run;
}

// A directory per test and process: other checkouts may run the same tests at once.
class CliFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("quorven-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_suite()->name() + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    CliRun Cli(const std::string& args, const std::string& env = "") {
        return RunCli(args, (dir_ / "stderr.txt").string(), env);
    }
    // A file of the test's directory, quoted for the command line.
    std::string Tag(const char* name) const { return Quote((dir_ / name).string()); }
    std::string Bytes(const char* name) const {
        return ReadFileBytes((dir_ / name).string(), 1 << 20).value_or("");
    }

    std::filesystem::path dir_;
};

}  // namespace quorven::clitest
