#include "jobs/site_backup.h"

#include "codec/block_checksum.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "jobs/get_job.h"
#include "model/loaded_checksum.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

namespace {

// The current store replaced by an empty one while it lives; the site's own
// loaded checksum survives the decode into it.
class AsideStore {
  public:
    AsideStore() : previous_(StoreSelect(nullptr)), loaded_(LoadedChecksum()) {
        StoreInit(&store_);
    }
    ~AsideStore() {
        StoreFree(&store_);
        StoreSelect(previous_);
        SetLoadedChecksum(loaded_);
    }
    AsideStore(const AsideStore&) = delete;
    AsideStore& operator=(const AsideStore&) = delete;

  private:
    SettingsStore store_;
    SettingsStore* previous_;
    uint32_t loaded_;
};

// The name in folder, or with "-2", "-3", ... before ".psf" when an older
// backup has it.
std::string FreeName(const std::filesystem::path& folder, const std::string& name) {
    const std::string stem = name.substr(0, name.size() - 4);
    std::filesystem::path candidate = folder / name;
    std::error_code unknown;
    for (int n = 2; n < 10000 && std::filesystem::exists(candidate, unknown); ++n)
        candidate = folder / (stem + "-" + std::to_string(n) + ".psf");
    return candidate.string();
}

// Site data that no format decodes. A send erases the site pages in order
// after it has written their new check value into log memory, so one
// stopped among its erases leaves the first page blank, later pages old,
// and a check value they do not match: nothing is left to keep there. Any
// other undecoded data (a format this program does not know, or a read
// that came back changed) are kNotSite, so that they are not overwritten
// without a backup.
BackupOutcome UndecodedSite(PanelSession& s, uint8_t* buffer) {
    if (!std::all_of(buffer, buffer + kPageSize, [](uint8_t b) { return b == 0xFF; }))
        return BackupOutcome::kNotSite;
    uint8_t* log = buffer + kSiteImageSize;
    if (!ReadLogMemory(s, log))
        return BackupOutcome::kNotRead;
    return StoredCheckValueMatches(log, kLogSiteChecksum, BlockChecksum(buffer, kSiteImageSize))
               ? BackupOutcome::kNotSite
               : BackupOutcome::kDamaged;
}

} // namespace

std::string BackupFolder() {
    namespace fs = std::filesystem;
#ifdef _WIN32
    const char* base = std::getenv("LOCALAPPDATA");
    fs::path root = base && *base ? fs::path(base) : fs::temp_directory_path();
#else
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    // A relative XDG_DATA_HOME is to be ignored, as the base directory rules say.
    fs::path root = data && *data == '/' ? fs::path(data)
                    : home && *home      ? fs::path(home) / ".local" / "share"
                                         : fs::temp_directory_path();
#endif
    return (root / "m720" / "backups").string();
}

std::string BackupFileName(const char* siteName, std::time_t when) {
    std::string name;
    for (const char* p = siteName ? siteName : ""; *p && name.size() < 64; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        const bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z') || c == '-' || c == '_';
        name += keep ? static_cast<char>(c) : '_';
    }
    // Blanks around a name (display texts are padded) make no part of it.
    const size_t first = name.find_first_not_of('_');
    name = first == std::string::npos ? ""
                                      : name.substr(first, name.find_last_not_of('_') - first + 1);
    if (name.empty())
        name = "site";
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "-%Y%m%d-%H%M%S.psf", &local);
    return name + stamp;
}

PanelSiteRead ReadPanelSite(PanelSession& s, uint8_t* data, bool* checkValuesMatch) {
    if (!ReadProgramData(s, data, kSiteDataAddress, kSiteImageSize))
        return PanelSiteRead::kNotRead;
    if (!SiteImageDecode(data))
        return std::all_of(data, data + kSiteImageSize, [](uint8_t b) { return b == 0xFF; })
                   ? PanelSiteRead::kNoSite
                   : PanelSiteRead::kNotSite;
    uint16_t siteCheckValue = 0;
    const int siteVersion = SiteImageCheckValue(data, &siteCheckValue);
    if (!ReadProgramData(s, data, kLoopDataAddress, kLoopBlockSize))
        return PanelSiteRead::kNotRead;
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordDecode(data + kLoopRecordSize * (n - 1), n);
    if (checkValuesMatch) {
        const uint16_t loopCheckValue = BlockChecksum(data, kLoopBlockSize);
        uint8_t* log = data + kLoopBlockSize; // the buffer holds both
        if (!ReadLogMemory(s, log))
            return PanelSiteRead::kNotRead;
        *checkValuesMatch =
            StoredCheckValuesMatch(log, siteVersion, siteCheckValue, loopCheckValue);
    }
    return PanelSiteRead::kRead;
}

BackupOutcome BackupPanelSite(PanelSession& s, const std::string& folder, std::string* path) {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kTransferBufferSize]());
    if (!buffer)
        return BackupOutcome::kNotRead;
    AsideStore aside;
    switch (ReadPanelSite(s, buffer.get())) {
    case PanelSiteRead::kRead:
        break;
    case PanelSiteRead::kNoSite:
        return BackupOutcome::kNoSite;
    case PanelSiteRead::kNotRead:
        return BackupOutcome::kNotRead;
    case PanelSiteRead::kNotSite:
        return UndecodedSite(s, buffer.get());
    }
    // The firmware the site ran with belongs to the backup, as to a get.
    if (ReadFirmwareVersion(s, nullptr) != 1)
        return BackupOutcome::kNotRead;

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const char* siteName = SettingGet("SiteName");
    *path = FreeName(folder, BackupFileName(siteName, std::time(nullptr)));
    return SiteFileWrite(path->c_str()) ? BackupOutcome::kSaved : BackupOutcome::kNotSaved;
}
