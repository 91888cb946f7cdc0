// diff: the settings where the panel differs from a site file. Both sides
// are compared as the panel holds them: the file's site is encoded as a send
// would encode it and decoded again, so only what the panel keeps counts and
// both sides are in the same form. Nothing is written anywhere.
#include "cli/cli.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_job_ui.h"
#include "cli/cli_panel_scope.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "jobs/get_job.h"
#include "jobs/panel_access.h"
#include "jobs/site_backup.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>

namespace {

// The value as a site file writes it: in double quotes with octal escapes.
std::string Quoted(const SettingRecord& record) {
    const std::string line = SiteFileLine(record);
    return line.substr(line.find(" = ") + 3);
}

std::unordered_map<std::string, const SettingRecord*> ByName(const SettingsStore* store) {
    std::unordered_map<std::string, const SettingRecord*> records;
    for (int i = 0; i < kStoreSlotCount; ++i)
        if (const SettingRecord* record = StoreRecordAt(store, i))
            records.emplace(record->name, record);
    return records;
}

// Prints one line per setting that differs, in the file side's order, then
// those only the panel has; gives the count.
int PrintDifferences(const SettingsStore* file, const SettingsStore* panel) {
    const auto fileRecords = ByName(file);
    const auto panelRecords = ByName(panel);
    int differences = 0;
    for (int i = 0; i < kStoreSlotCount; ++i) {
        const SettingRecord* mine = StoreRecordAt(file, i);
        if (!mine)
            continue;
        const auto theirs = panelRecords.find(mine->name);
        if (theirs != panelRecords.end() && std::string(theirs->second->value) == mine->value)
            continue;
        ++differences;
        std::printf("%s: file %s, panel %s\n", mine->name, Quoted(*mine).c_str(),
                    theirs != panelRecords.end() ? Quoted(*theirs->second).c_str() : "(none)");
    }
    for (int i = 0; i < kStoreSlotCount; ++i) {
        const SettingRecord* theirs = StoreRecordAt(panel, i);
        if (!theirs || fileRecords.count(theirs->name))
            continue;
        ++differences;
        std::printf("%s: file (none), panel %s\n", theirs->name, Quoted(*theirs).c_str());
    }
    return differences;
}

} // namespace

int CmdDiff(const CliOptions& options) {
    if (int status = CliCheckPanelUsage(options, "m720-cli diff SITE [--panel PANEL]"))
        return status;
    if (int status = CliLoadSite(options.args[1], options.loadErrors))
        return status;
    SettingsStore* site = StoreSelect(nullptr);

    // The file's site as the panel would hold it after a send.
    std::unique_ptr<uint8_t[]> blocks(new uint8_t[kSiteImageSize + kLoopBlockSize]());
    SiteImageEncode(blocks.get());
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordEncode(blocks.get() + kSiteImageSize + kLoopRecordSize * (n - 1), n);
    SettingsStore fileSide;
    StoreInit(&fileSide);
    SiteImageDecode(blocks.get());
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordDecode(blocks.get() + kSiteImageSize + kLoopRecordSize * (n - 1), n);

    SettingsStore panelSide;
    StoreInit(&panelSide);
    CliJobUi ui;
    PanelSiteRead read = PanelSiteRead::kNotRead;
    bool checkValuesMatch = true;
    {
        CliInterruptGuard guard(CliInterruptMode::kStopAtOnce);
        CliPanelScope held(options.panel, ui);
        PanelJobScope& scope = held.Scope();
        if (scope.Ready()) {
            ui.SetProgressTitle("Reading the panel...");
            std::unique_ptr<uint8_t[]> buffer(new uint8_t[kTransferBufferSize]());
            read = ReadPanelSite(scope.Session(), buffer.get(), &checkValuesMatch);
            ui.SetProgress(-1);
        }
    }
    int status = kExitFailed;
    if (read == PanelSiteRead::kRead) {
        // The differences of a panel left part written are not its configuration.
        if (!checkValuesMatch)
            CliMessage(kCheckValueMismatchText);
        const int differences = PrintDifferences(&fileSide, &panelSide);
        status = differences == 0 && checkValuesMatch && ui.Faults() == 0 ? kExitDone : kExitFailed;
    } else if (read == PanelSiteRead::kNoSite)
        CliMessage("m720-cli: the panel holds no site");
    else if (read == PanelSiteRead::kNotSite)
        CliMessage(kSiteFormatText);
    StoreSelect(site);
    StoreFree(&fileSide);
    StoreFree(&panelSide);
    return status;
}
