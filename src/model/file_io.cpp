#include "model/file_io.h"

#include <atomic>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool ReadWholeFile(const char* path, std::string* contents) {
    contents->clear();
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        contents->append(buffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool ReadFileStart(const char* path, size_t limit, std::string* contents) {
    contents->clear();
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    contents->resize(limit);
    contents->resize(std::fread(contents->data(), 1, limit, f));
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

namespace {

std::string TemporaryName(const char* path) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    unsigned pid = static_cast<unsigned>(_getpid());
#else
    unsigned pid = static_cast<unsigned>(getpid());
#endif
    return std::string(path) + ".tmp" + std::to_string(pid) + "-" + std::to_string(++counter);
}

#ifndef _WIN32

// True when the open file holds exactly these bytes.
bool HoldsExactly(int fd, const std::string& contents) {
    char buffer[65536];
    size_t at = 0;
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return at == contents.size();
        if (static_cast<size_t>(n) > contents.size() - at ||
            contents.compare(at, static_cast<size_t>(n), buffer, static_cast<size_t>(n)) != 0)
            return false;
        at += static_cast<size_t>(n);
    }
}

// A regular file that already holds exactly these bytes is kept rather than
// written again: a site saved unchanged, a panel read again into the same
// file. Its data are synced all the same (nearly free when
// they are on disk already) and it is marked as written now, so the caller
// sees what a replacement would have left. False when the file differs or
// cannot be read: it is then replaced as usual.
bool KeepIdentical(const std::string& target, const struct stat& old, const std::string& contents) {
    if (static_cast<unsigned long long>(old.st_size) != contents.size())
        return false;
    int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool kept = HoldsExactly(fd, contents);
#ifdef __linux__
    kept = kept && fdatasync(fd) == 0;
#else
    kept = kept && fsync(fd) == 0;
#endif
    if (kept && futimens(fd, nullptr) != 0) {
        // Only the time stamp is left as it was; the contents are right.
    }
    close(fd);
    return kept;
}

// The rename is only lasting once the folder's entry is on disk: without
// this, a power cut soon after a save could bring back the old file, or no
// file at all for a new one. False only for a fault of the disk itself; a
// file system that cannot sync a folder has nothing more to do.
bool SyncFolderOf(const std::string& target) {
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : target.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool failed = fsync(fd) != 0 && errno == EIO;
    close(fd);
    return !failed;
}

#endif

} // namespace

#ifdef _WIN32

bool ReplaceFile(const char* path, const std::string& contents) {
    std::string temp = TemporaryName(path);
    FILE* f = std::fopen(temp.c_str(), "wbx");
    if (!f)
        return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = std::fflush(f) == 0 && ok;
    ok = _commit(_fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    ok = ok && MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

#else

bool ReplaceFile(const char* path, const std::string& contents) {
    // A symbolic link is written through: the file it names is replaced.
    std::string target = path;
    if (char* resolved = realpath(path, nullptr)) {
        target = resolved;
        free(resolved);
    }
    struct stat old {};
    bool exists = stat(target.c_str(), &old) == 0;
    if (exists) {
        // Only a regular file the user may write is replaced: a read-only
        // file, a folder or a device is refused as opening it would be.
        if (!S_ISREG(old.st_mode))
            return false;
        int probe = open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0)
            return false;
        close(probe);
        if (KeepIdentical(target, old, contents))
            return true;
    }
    std::string temp = TemporaryName(target.c_str());
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (exists) {
        // The new file keeps the old one's permissions and, where allowed, owner.
        fchmod(fd, old.st_mode & 07777);
        if (fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only the owner's own files can keep their owner; nothing is lost.
        }
    }
    bool ok = true;
    const char* p = contents.data();
    size_t left = contents.size();
    while (ok && left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok) {
            p += n;
            left -= static_cast<size_t>(n);
        }
    }
#ifdef __linux__
    ok = fdatasync(fd) == 0 && ok; // the data must be on disk before the rename
#else
    ok = fsync(fd) == 0 && ok;
#endif
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    return SyncFolderOf(target);
}

#endif
