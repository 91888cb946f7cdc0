#pragma once
// Tests never write into the user's data folder: sends back up the panel's
// site into $XDG_DATA_HOME, which points at a folder of this test process
// (inherited by the m720-cli runs it starts) and is removed at its end.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

struct TestDataHome {
    TestDataHome()
        : path(std::filesystem::temp_directory_path() /
               ("m720-test-data-" + std::to_string(getpid()))) {
        setenv("XDG_DATA_HOME", path.c_str(), 1);
    }
    ~TestDataHome() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};
inline TestDataHome g_testDataHome;
