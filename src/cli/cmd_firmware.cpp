// firmware: update the panel from an Intel HEX file.
#include "cli/cli.h"
#include "cli/cli_files.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_job_ui.h"
#include "cli/cli_panel_scope.h"
#include "cli/cli_summary.h"
#include "codec/hex_file.h"
#include "jobs/firmware_job.h"
#include "jobs/panel_access.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string>

namespace {

const char kUsageText[] = "m720-cli firmware HEXFILE [--panel PANEL] [--yes]";

// The file's name without its folder, as the desktop shows it.
std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool CanOpen(const std::string& path) {
    // A folder opens for reading on some systems, but holds no records.
    std::error_code unknown;
    if (std::filesystem::is_directory(path, unknown))
        return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

// The first part of a version text ("1.045" of "1.045 / 5.678"): the
// version the downgrade question compares.
std::string MainVersion(const std::string& text) {
    return text.substr(0, text.find(" / "));
}

// What the firmware file holds, as the desktop's dialog shows it.
struct FirmwareFile {
    std::unique_ptr<unsigned char[]> image;
    std::string type = "Unknown";
    std::string versionText = "Unknown";
    uint32_t version = 0;
};

// Reads and checks the whole file; gives kExitDone for a readable file of a
// known type, or the exit status after saying why not.
int ReadFirmwareFile(const std::string& path, FirmwareFile* file) {
    if (!CanOpen(path))
        return CliCannotRead(path);
    file->image.reset(new (std::nothrow) unsigned char[kFirmwareImageSize]);
    if (!file->image) {
        CliMessage("m720-cli: not enough memory for the firmware image");
        return kExitFailed;
    }
    std::printf("Firmware file: %s\n", FileName(path).c_str());
    std::fflush(stdout);
    std::string fault;
    if (!ReadHexFile(path.c_str(), file->image.get(), kFirmwareImageSize, &fault)) {
        CliFileFault(path, "not a readable Intel HEX file: " +
                               (fault.empty() ? CliReadCause(path) : fault));
        return kExitBadInput;
    }
    const std::string typeName = FirmwareImageTypeName(file->image.get(), kFirmwareImageSize);
    file->type = FirmwareType(typeName);
    if (FirmwareTypeKnown(typeName)) {
        char raw[kFirmwareVersionChars + 1];
        FirmwareImageVersion(file->image.get(), kFirmwareImageSize, raw);
        file->versionText = FirmwareVersionText(raw);
        file->version = FirmwareVersionNumber(raw);
    }
    std::printf("Firmware file version: %s\n", CliPrintable(file->versionText).c_str());
    std::printf("Firmware type: %s\n", CliPrintable(file->type).c_str());
    std::fflush(stdout);
    if (file->type == "Unknown") {
        CliFileFault(path, "unknown firmware type; the file cannot be written");
        return kExitBadInput;
    }
    return kExitDone;
}

// The panel's firmware type from the name it keeps beside its version.
std::string PanelFirmwareType(PanelSession& s) {
    unsigned char name[kFirmwareTypeChars + 1] = {};
    if (!ReadProgramData(s, name, kFirmwareTypeAddress, kFirmwareTypeChars))
        return "Unknown";
    return FirmwareType(std::string(reinterpret_cast<const char*>(name)));
}

} // namespace

int CmdFirmware(const CliOptions& options) {
    if (int status = CliCheckPanelUsage(options, kUsageText))
        return status;
    // The whole file is read and checked before the panel is opened: a
    // broken or missing file never costs a connection.
    FirmwareFile file;
    if (int status = ReadFirmwareFile(options.args[1], &file))
        return status;
    if (int status = CliCheckSimulatorWritable(options.panel))
        return status;
    // ReadFirmwareVersion keeps what it read in the current store.
    CliEmptySite();

    // The version read shows no progress, as it happens before any job starts.
    CliJobUi versionUi;
    versionUi.SetProgress(-1);
    CliJobUi jobUi;
    bool written = false;
    int faultsBeforeSave = 0;
    {
        // One hold on the panel from the version read to the end of the write,
        // so that no other program comes between them.
        CliPanelScope held(options.panel, versionUi);
        PanelJobScope& scope = held.Scope();
        if (!scope.Ready())
            return kExitFailed;
        char panelRaw[kFirmwareVersionChars + 1] = {};
        if (!ReadFirmwareVersion(scope.Session(), panelRaw))
            return kExitFailed;
        const std::string panelVersion = FirmwareVersionText(panelRaw);
        std::printf("Current panel firmware version: %s\n", CliPrintable(panelVersion).c_str());
        std::fflush(stdout);
        const std::string panelType = PanelFirmwareType(scope.Session());

        std::string question =
            "Write the firmware to the panel?\r\nfile: " +
            CliPrintable(file.type + " " + MainVersion(file.versionText)) +
            ", panel: " + CliPrintable(panelType + " " + MainVersion(panelVersion));
        if (panelType != file.type)
            question += "\r\nThe file's firmware type is not the panel's.";
        if (!(options.yes || CliAsk(question, "--yes"))) {
            CliMessage("m720-cli: firmware not written");
            return kExitFailed;
        }
        if (FirmwareIsDowngrade(file.version, FirmwareVersionNumber(panelRaw)) &&
            !(options.yes || CliAsk(kFirmwareDowngradeText, "--yes"))) {
            CliMessage("m720-cli: firmware not written");
            return kExitFailed;
        }

        scope.Session().ui = &jobUi;
        CliInterruptGuard guard(CliInterruptMode::kPanelWrite,
                                "the panel's firmware is partly written: write the firmware "
                                "again before the panel is used",
                                &scope);
        written = FirmwareJob(scope.Session(), file.image.get(), kFirmwareImageSize) == 1;
        if (!written && CliPanelChanged())
            CliMessage("m720-cli: the panel's firmware may be partly written: write the firmware "
                       "again before the panel is used");
        else if (!written && jobUi.Faults() == 0)
            CliMessage("m720-cli: the panel did not answer; nothing was written");
        faultsBeforeSave = versionUi.Faults();
    }
    // A simulator whose memory could not be written back has not taken the firmware.
    return written && versionUi.Faults() == faultsBeforeSave ? kExitDone : kExitFailed;
}
