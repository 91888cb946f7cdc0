#pragma once
// Runs the built m720-cli with arguments and collects what it printed.

#include "test_data_home.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string Slurp(const std::string& path) {
    std::string data;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            data.append(buf, n);
        std::fclose(f);
    }
    return data;
}

inline CliRun RunCli(const std::string& args) {
    static int counter = 0;
    std::string errPath =
        (std::filesystem::temp_directory_path() /
         ("m720-cli-err-" + std::to_string(getpid()) + "-" + std::to_string(++counter)))
            .string();
    std::string command = ShellQuote(M720_CLI_PATH) + " " + args + " 2>" + errPath + " </dev/null";
    CliRun run;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            run.out.append(buf, n);
        int raw = pclose(p);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    run.err = Slurp(errPath);
    std::filesystem::remove(errPath);
    return run;
}
