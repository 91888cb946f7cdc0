#pragma once
// A fresh current store for each test, and temporary files.

#include "model/file_io.h"
#include "model/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>

// Runs fn with the process's file size limit lowered to bytes, so that a
// write fails part way as on a full disk; gives what fn gave.
template <typename Fn> auto WithFileSizeLimit(rlim_t bytes, Fn fn) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    auto result = fn();
    setrlimit(RLIMIT_FSIZE, &old);
    return result;
}
#endif

class SiteStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = StoreSelect(nullptr);
        StoreInit(&store);
        dir = std::filesystem::temp_directory_path() /
              ("m720-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        StoreFree(&store);
        if (previous)
            StoreSelect(previous);
        std::filesystem::remove_all(dir);
    }
    void Reset() {
        StoreFree(&store);
        StoreInit(&store);
    }
    std::string Path(const char* name) const { return (dir / name).string(); }
    std::string Write(const char* name, const std::string& bytes) const {
        std::string path = Path(name);
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return path;
    }
    static std::string Read(const std::string& path) {
        std::string bytes;
        ReadWholeFile(path.c_str(), &bytes);
        return bytes;
    }

    SettingsStore store;
    SettingsStore* previous = nullptr;
    std::filesystem::path dir;
};
