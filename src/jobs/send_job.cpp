#include "jobs/send_job.h"

#include "codec/block_checksum.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "jobs/get_job.h"
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

bool Send(PanelSession& s, uint8_t* image, uint8_t* verify) {
    // A format the panel does not know would leave it with site data it
    // cannot use (and that a get would refuse): nothing is sent.
    if (!SiteFormatKnown(SettingGetInt("SFRevision"))) {
        s.ui->Message(kSiteFormatText, kSiteFormatCaption, MessageIcon::kStop);
        return false;
    }
    uint8_t identity[kIdentitySize];
    if (!ReadProgramData(s, identity, kIdentityAddress, kIdentitySize))
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

int SendSettingsJob(PanelSession& s) {
    // A late reply from an earlier failed exchange must not be taken as the
    // reply to this job's first request.
    DiscardWaitingInput(*s.link);

    std::unique_ptr<uint8_t[]> verify(new (std::nothrow) uint8_t[kTransferBufferSize]());
    std::unique_ptr<uint8_t[]> image;
    if (verify)
        image.reset(new (std::nothrow) uint8_t[kTransferBufferSize]());
    const bool sent = verify && image && Send(s, image.get(), verify.get());
    image.reset();
    verify.reset();
    s.ui->SetProgress(-1);
    if (sent)
        s.ui->Message(kSendSuccessText, "Success", MessageIcon::kNone);
    else
        s.ui->Message(kSendFailText, "Fail!", MessageIcon::kStop);
    return sent ? 1 : 0;
}
