#include "cli/cli_paths.h"

#include "cli/cli.h"

#include <filesystem>
#include <system_error>

bool CliSameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    if (fs::equivalent(a, b, error) && !error)
        return true;
    // Not both there (or not to be looked at): compare where they would be.
    std::error_code errors[4];
    const fs::path pathA = fs::weakly_canonical(fs::absolute(a, errors[0]), errors[1]);
    const fs::path pathB = fs::weakly_canonical(fs::absolute(b, errors[2]), errors[3]);
    for (const std::error_code& e : errors)
        if (e)
            return a == b;
    return pathA == pathB;
}

int CliRefuseSameFile(const std::string& output, const std::string& other, const char* what) {
    if (!CliSameFile(output, other))
        return kExitDone;
    CliMessage("m720-cli: " + output + " is " + what +
               "; nothing was written, give the output another file");
    return kExitBadInput;
}
