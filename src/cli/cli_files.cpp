#include "cli/cli_files.h"

#include "cli/cli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string ErrorText(int error) {
    return std::strerror(error);
}

// Whether this process may write into the folder (or file), as the OS says.
// Empty when it may.
std::string WriteRefusal(const fs::path& path) {
#ifndef _WIN32
    if (access(path.c_str(), W_OK) != 0)
        return ErrorText(errno);
#else
    (void)path;
#endif
    return {};
}

fs::path FolderOf(const std::string& path) {
    fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

} // namespace

std::string CliReadCause(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error)
        return error.default_error_condition().message();
    if (fs::is_directory(status))
        return ErrorText(EISDIR);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return ErrorText(errno);
    std::fclose(f);
    return "the file could not be read";
}

std::string CliWriteCause(const std::string& path) {
    std::string refusal = CliWriteRefusal(path);
    return refusal.empty() ? "the file could not be written (the disk may be full)" : refusal;
}

std::string CliWriteRefusal(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!error && fs::exists(status)) {
        if (fs::is_directory(status))
            return ErrorText(EISDIR);
        if (!fs::is_regular_file(status))
            return "not a regular file; only a file can be replaced";
        if (std::string refusal = WriteRefusal(path); !refusal.empty())
            return "the file is read-only (" + refusal + ")";
    }
    const fs::path folder = FolderOf(path);
    const fs::file_status folderStatus = fs::status(folder, error);
    if (error)
        return "folder " + folder.string() + ": " + error.default_error_condition().message();
    if (!fs::is_directory(folderStatus))
        return "folder " + folder.string() + ": " + ErrorText(ENOTDIR);
    if (std::string refusal = WriteRefusal(folder); !refusal.empty())
        return "folder " + folder.string() + " is read-only (" + refusal + ")";
    return {};
}

void CliFileFault(const std::string& path, const std::string& cause) {
    CliMessage("m720-cli: " + path + ": " + cause);
}

int CliCannotRead(const std::string& path) {
    const std::string cause = CliReadCause(path);
    CliMessage("Couldn't open file");
    CliFileFault(path, cause);
    return kExitBadInput;
}

int CliCannotWrite(const std::string& path) {
    const std::string cause = CliWriteCause(path);
    CliMessage("Couldn't open file");
    CliFileFault(path, cause);
    return kExitBadInput;
}

int CliRefuseExisting(const std::string& path, bool force) {
    std::error_code error;
    const fs::file_type type = fs::symlink_status(path, error).type();
    if (force || type == fs::file_type::not_found)
        return kExitDone;
    if (type != fs::file_type::none)
        error.clear(); // it is there
    // --force would not help: a folder is never replaced.
    if (type == fs::file_type::directory)
        return CliCannotWrite(path);
    CliFileFault(path, error ? error.default_error_condition().message()
                             : "already exists; nothing was written (give --force to replace it)");
    return kExitBadInput;
}
