// encode and decode: panel blocks as files.
#include "cli/cli.h"
#include "cli/cli_files.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_paths.h"

#include "codec/block_checksum.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "model/file_io.h"
#include "model/site_defaults.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Reads a panel block file of exactly the given size. Gives kExitDone or the
// exit status after saying what is wrong. Reading stops one byte past the
// size, so a huge file or a device that never ends is refused at once.
int ReadBlock(const std::string& path, size_t size, const char* what, std::string* bytes) {
    if (!ReadFileStart(path.c_str(), size + 1, bytes))
        return CliCannotRead(path);
    const size_t got = bytes->size();
    if (got != size) {
        std::string has = std::to_string(got);
        if (got > size) {
            std::error_code unknown;
            const auto total = std::filesystem::file_size(path, unknown);
            has = unknown ? "more" : std::to_string(total);
        }
        CliMessage("m720-cli: " + path + " is not a " + what + ": it must be " +
                   std::to_string(size) + " bytes, it has " + has);
        return kExitBadInput;
    }
    return kExitDone;
}

int WriteBlock(const std::string& path, const uint8_t* data, size_t size) {
    if (!ReplaceFile(path.c_str(), std::string(reinterpret_cast<const char*>(data), size)))
        return CliCannotWrite(path);
    return kExitDone;
}

// encode replaces its own earlier blocks freely, as before; but a file of
// another size at IMAGE or LOOP (a site file, after a slip in the order of
// the words) is nothing encode made, and once replaced it is gone. Gives
// kExitDone, or says so and gives kExitBadInput.
int RefuseForeignBlock(const std::string& path, std::uintmax_t size, const char* what, bool force) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (force || error || !std::filesystem::is_regular_file(status))
        return kExitDone; // missing, or refused by the write with its cause
    const std::uintmax_t has = std::filesystem::file_size(path, error);
    if (error || has == size)
        return kExitDone;
    CliFileFault(path, "already exists and is not a " + std::string(what) + " (" +
                           std::to_string(size) + " bytes; it has " + std::to_string(has) +
                           "); nothing was written (give --force to replace it)");
    return kExitBadInput;
}

const uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

} // namespace

int CmdEncode(const CliOptions& options) {
    if (options.args.size() != 4) {
        CliMessage("usage: m720-cli encode SITE IMAGE LOOP");
        return kExitBadInput;
    }
    const std::string& imagePath = options.args[2];
    const std::string& loopPath = options.args[3];
    if (int status = CliRefuseSameFile(imagePath, options.args[1], "the site file"))
        return status;
    if (int status = CliRefuseSameFile(loopPath, options.args[1], "the site file"))
        return status;
    if (int status = CliRefuseSameFile(loopPath, imagePath, "also IMAGE"))
        return status;
    if (int status =
            RefuseForeignBlock(imagePath, kSiteImageSize, "site data image", options.force))
        return status;
    if (int status = RefuseForeignBlock(loopPath, kLoopBlockSize, "loop data block", options.force))
        return status;
    if (int status = CliLoadSite(options.args[1], options.loadErrors); status != kExitDone)
        return status;
    static uint8_t image[kSiteImageSize];
    static uint8_t loop[kLoopBlockSize];
    uint16_t siteChecksum = SiteImageEncode(image);
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordEncode(loop + kLoopRecordSize * (n - 1), n);
    uint16_t loopChecksum = BlockChecksum(loop, kLoopBlockSize);
    // The two blocks belong together: when the loop block cannot be written,
    // IMAGE is put back as it was.
    std::error_code unknown;
    const bool imageWasThere = std::filesystem::exists(imagePath, unknown) || unknown;
    std::string oldImage;
    // Only a regular file is kept for putting back: anything else (a pipe, a
    // device) is refused by the write below and must not be read first.
    const bool oldImageRead = imageWasThere &&
                              std::filesystem::is_regular_file(imagePath, unknown) &&
                              ReadWholeFile(imagePath.c_str(), &oldImage);
    // Both blocks or neither, also under Ctrl-C.
    CliHoldInterrupt hold;
    if (int status = WriteBlock(imagePath, image, kSiteImageSize); status != kExitDone)
        return status;
    if (int status = WriteBlock(loopPath, loop, kLoopBlockSize); status != kExitDone) {
        if (oldImageRead)
            ReplaceFile(imagePath.c_str(), oldImage);
        else if (!imageWasThere)
            std::remove(imagePath.c_str());
        return status;
    }
    std::printf("site checksum 0x%04X\nloop checksum 0x%04X\n", siteChecksum, loopChecksum);
    return kExitDone;
}

int CmdDecode(const CliOptions& options) {
    if (options.args.size() != 3 && options.args.size() != 4) {
        CliMessage("usage: m720-cli decode IMAGE [LOOP] OUT");
        return kExitBadInput;
    }
    const bool withLoop = options.args.size() == 4;
    for (size_t k = 1; k + 1 < options.args.size(); ++k)
        if (int status = CliRefuseSameFile(options.args.back(), options.args[k],
                                           k == 1 ? "the site data image" : "the loop data block"))
            return status;
    if (int status = CliRefuseExisting(options.args.back(), options.force))
        return status;
    std::string image;
    std::string loop;
    if (int status = ReadBlock(options.args[1], kSiteImageSize, "site data image", &image);
        status != kExitDone)
        return status;
    if (withLoop) {
        if (int status = ReadBlock(options.args[2], kLoopBlockSize, "loop data block", &loop);
            status != kExitDone)
            return status;
    }
    CliEmptySite();
    if (!SiteImageDecode(Bytes(image))) {
        CliMessage("Site data is in an unsupported format");
        CliFileFault(options.args[1], "format version " +
                                          std::to_string(SiteImageVersion(Bytes(image))) +
                                          "; site data images of format version 1 or 2 "
                                          "can be read (is it a site data image?)");
        return kExitFailed;
    }
    if (withLoop) {
        for (int n = 1; n <= kLoopAddresses; ++n)
            LoopRecordDecode(Bytes(loop) + kLoopRecordSize * (n - 1), n);
    }
    return CliSaveSite(options.args.back());
}
