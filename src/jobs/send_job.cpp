#include "jobs/send_job.h"

#include "codec/block_checksum.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "jobs/get_job.h"
#include "jobs/site_backup.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

// Both regions in the order they are written: checksum address in log
// memory, region address and pages, size, stage titles.
struct Region {
    uint32_t checksumAddress;
    uint32_t address;
    uint32_t size;
    const char* writeTitle;
    const char* verifyTitle;
};

// Checksum into log memory, erase, program, read back and compare. False
// when the region was not written as it should be.
bool WriteRegion(PanelSession& s, const Region& r, const uint8_t* data, uint16_t checksum,
                 uint8_t* verify) {
    const uint8_t sum[2] = {static_cast<uint8_t>(checksum), static_cast<uint8_t>(checksum >> 8)};
    WriteLogMemory(s, sum, r.checksumAddress, 2); // the job goes on either way
    for (uint32_t page = r.address; page < r.address + r.size; page += kPageSize)
        EraseProgramPage(s, page); // an unanswered erase shows up in the read-back
    if (!ProgramDataWords(s, data, r.address, r.size))
        return false;
    s.ui->SetProgressTitle(r.verifyTitle);
    if (!ReadProgramData(s, verify, r.address, static_cast<uint16_t>(r.size)))
        return false;
    return std::memcmp(data, verify, r.size) == 0;
}

// The panel's current site saved before anything is written. False (the user
// told why) when it must not be written to; *note is the line the result
// message adds.
bool Backup(PanelSession& s, const SendOptions& options, std::string* note) {
    if (!options.backup)
        return true;
    std::string path;
    const std::string folder = options.backupFolder.empty() ? BackupFolder() : options.backupFolder;
    const char* why = nullptr;
    switch (BackupPanelSite(s, folder, &path)) {
    case BackupOutcome::kSaved:
        *note = "The panel's previous settings are saved in " + path;
        return true;
    case BackupOutcome::kNoSite:
        *note = "The panel held no site, so no backup was made";
        return true;
    case BackupOutcome::kDamaged:
        *note = "The panel's site data were left partly erased by a send that did not finish, "
                "so no backup was made";
        return true;
    case BackupOutcome::kNotRead:
        why = "The panel's current settings could not be read for a backup";
        break;
    case BackupOutcome::kNotSite:
        why = "The panel's current site data are in a format that cannot be kept as a backup";
        break;
    case BackupOutcome::kNotSaved:
        s.ui->Message("The backup of the panel's current settings could not be saved as " + path +
                          ", so nothing has been written to the panel",
                      kErrorCaption, MessageIcon::kStop);
        return false;
    }
    s.ui->SetProgress(-1);
    s.ui->Message(std::string(why) + ", so nothing has been written to the panel", kErrorCaption,
                  MessageIcon::kStop);
    return false;
}

bool Send(PanelSession& s, uint8_t* image, uint8_t* verify, const SendOptions& options,
          std::string* note) {
    // A format the panel does not know would leave it with site data it
    // cannot use (and that a get would refuse): nothing is sent.
    if (!SiteImageVersionKnown(SettingGetInt("SFRevision"))) {
        s.ui->Message(kSiteFormatText, kSiteFormatCaption, MessageIcon::kStop);
        return false;
    }
    uint8_t identity[kIdentitySize];
    if (!ReadProgramData(s, identity, kIdentityAddress, kIdentitySize))
        return false;
    if (!Backup(s, options, note))
        return false;

    const Region site{kLogSiteChecksum, kSiteDataAddress, kSiteImageSize, "Writing site data...",
                      "Verifying site data..."};
    s.ui->SetProgressTitle(site.writeTitle);
    ReadFirmwareVersion(s, nullptr);
    const uint16_t siteChecksum = SiteImageEncode(image);
    if (!WriteRegion(s, site, image, siteChecksum, verify))
        return false;

    const Region loop{kLogLoopChecksum, kLoopDataAddress, kLoopBlockSize, "Writing loop data...",
                      "Verifying loop data..."};
    s.ui->SetProgressTitle(loop.writeTitle);
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordEncode(image + kLoopRecordSize * (n - 1), n);
    const uint16_t loopChecksum = BlockChecksum(image, kLoopBlockSize);
    return WriteRegion(s, loop, image, loopChecksum, verify);
}

} // namespace

int SendSettingsJob(PanelSession& s, const SendOptions& options) {
    // A late reply from an earlier failed exchange must not be taken as the
    // reply to this job's first request.
    DiscardWaitingInput(*s.link);

    std::unique_ptr<uint8_t[]> verify(new (std::nothrow) uint8_t[kTransferBufferSize]());
    std::unique_ptr<uint8_t[]> image;
    if (verify)
        image.reset(new (std::nothrow) uint8_t[kTransferBufferSize]());
    std::string note;
    const bool sent = verify && image && Send(s, image.get(), verify.get(), options, &note);
    image.reset();
    verify.reset();
    s.ui->SetProgress(-1);
    if (!note.empty())
        note = "\r\n" + note;
    if (sent)
        s.ui->Message(kSendSuccessText + note, "Success", MessageIcon::kNone);
    else
        s.ui->Message(kSendFailText + note, "Fail!", MessageIcon::kStop);
    return sent ? 1 : 0;
}
