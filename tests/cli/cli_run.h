#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

// Runs the built command-line tool with a shell command line and collects standard output
// (standard error too when asked) and the exit status.
struct CliResult {
    int status = -1;
    std::string out;
};

inline CliResult RunCli(const std::string& arguments, bool withStderr = false) {
    const std::string command = std::string(ZEM_CLI) + " " + arguments + (withStderr ? " 2>&1" : " 2>/dev/null");
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}
