// The panel lock's platform part: where the lock file lives and how the OS
// locks it. The lock is tied to the open file, so it ends with the process.
#include "link/panel_lock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

uint64_t Fnv1a(const std::string& text) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

#ifndef _WIN32
// A folder this user can make files in.
bool Usable(const std::string& folder) {
    struct stat info;
    return !folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}
#endif

std::string RuntimeFolder() {
#ifdef _WIN32
    const char* base = std::getenv("LOCALAPPDATA");
    if (!base || !*base)
        base = std::getenv("TEMP");
    std::string folder = std::string(base ? base : ".") + "\\m720";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
#else
    // XDG_RUNTIME_DIR can be stale or belong to another user (after su, or
    // carried into a service): then the lock would never be made and every
    // job would wrongly hear that the panel is in use. The system's own
    // per-user folder comes next, so that a run without the variable still
    // meets the desktop's lock there.
    const std::string uid = std::to_string(static_cast<unsigned long>(getuid()));
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && Usable(runtime))
        return runtime;
    if (const std::string system = "/run/user/" + uid; Usable(system))
        return system;
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = tmp && Usable(tmp) ? tmp : "/tmp";
    const std::string folder = base + "/m720-" + uid;
    mkdir(folder.c_str(), 0700);
    return Usable(folder) ? folder : base;
#endif
}

} // namespace

std::string PanelLockPath(const std::string& key) {
    std::string name;
    if (key == "usb") {
        name = "m720-panel-usb.lock";
    } else {
        // One lock per state file, however its path was written.
        std::error_code error;
        std::filesystem::path path = std::filesystem::weakly_canonical(key, error);
        if (error)
            path = std::filesystem::absolute(key, error).lexically_normal();
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx",
                      static_cast<unsigned long long>(Fnv1a(path.string())));
        name = std::string("m720-panel-sim-") + hash + ".lock";
    }
    return (std::filesystem::path(RuntimeFolder()) / name).string();
}

PanelLockResult PanelLockTake(const std::string& key, PanelLock* lock) {
    const std::string path = PanelLockPath(key);
#ifdef _WIN32
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return PanelLockResult::kNoLockFile;
    OVERLAPPED where = {};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where)) {
        const bool held = GetLastError() == ERROR_LOCK_VIOLATION;
        CloseHandle(file);
        return held ? PanelLockResult::kInUse : PanelLockResult::kNoLockFile;
    }
    lock->handle = reinterpret_cast<intptr_t>(file);
#else
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return PanelLockResult::kNoLockFile;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return held ? PanelLockResult::kInUse : PanelLockResult::kNoLockFile;
    }
    lock->handle = fd;
#endif
    return PanelLockResult::kTaken;
}

bool PanelLockAcquire(const std::string& key, PanelLock* lock) {
    return PanelLockTake(key, lock) == PanelLockResult::kTaken;
}

void PanelLockRelease(PanelLock* lock) {
    if (lock->handle == -1)
        return;
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(lock->handle));
#else
    close(static_cast<int>(lock->handle));
#endif
    lock->handle = -1;
}
