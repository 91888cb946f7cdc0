#include "jobs/get_job.h"

#include "codec/block_checksum.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// "FireEvent_%d" / "NonFireEvent_%d" from count records at log address first,
// as long as a record lies wholly inside the log.
void StoreEvents(const uint8_t* log, const char* pattern, uint32_t first, int count) {
    char name[64];
    char value[48];
    for (int i = 1; i <= count; ++i) {
        const uint32_t at = first + 8u * static_cast<uint32_t>(i - 1);
        if (at + 8 > static_cast<uint32_t>(kLogSize))
            break;
        const uint8_t* r = log + at;
        const int32_t time =
            static_cast<int32_t>(r[2] | r[3] << 8 | r[4] << 16 | static_cast<uint32_t>(r[5]) << 24);
        std::snprintf(name, sizeof name, pattern, i);
        std::snprintf(value, sizeof value, "%d, %d, %ld", r[0], r[1], static_cast<long>(time));
        SettingPut(name, value);
    }
}

// A version-1 panel does not keep the second user code, but the value sent
// with it covered the code as the sending site held it. Six digits (bytes
// 0 to 9, three in high and three in low bytes of their words) lower the
// value by 256 x H + L with H and L at most 27; any such difference matches.
bool MatchesVersion1CheckValue(const uint8_t* log, uint16_t widened) {
    const uint16_t stored = Le16(log + kLogSiteChecksum);
    if (stored == kCheckValueNeverWritten)
        return true;
    const uint16_t lowered = static_cast<uint16_t>(widened - stored);
    return (lowered >> 8) <= 27 && (lowered & 0xFF) <= 27;
}

} // namespace

bool StoredCheckValueMatches(const uint8_t* log, uint32_t at, uint16_t computed) {
    const uint16_t stored = Le16(log + at);
    return stored == kCheckValueNeverWritten || stored == computed;
}

bool StoredCheckValuesMatch(const uint8_t* log, int siteVersion, uint16_t siteCheckValue,
                            uint16_t loopCheckValue) {
    return (siteVersion == 1 ? MatchesVersion1CheckValue(log, siteCheckValue)
                             : StoredCheckValueMatches(log, kLogSiteChecksum, siteCheckValue)) &&
           StoredCheckValueMatches(log, kLogLoopChecksum, loopCheckValue);
}

int GetSettingsJob(PanelSession& s, GetJobResult* result) {
    GetJobResult outcome;
    // A late reply from an earlier failed exchange must not be taken as the
    // reply to this job's first request.
    DiscardWaitingInput(*s.link);

    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kTransferBufferSize]());
    if (buffer) {
        do {
            s.ui->SetProgressTitle("Reading site data...");
            if (!ReadProgramData(s, buffer.get(), kSiteDataAddress, kSiteImageSize))
                break;
            if (!SiteImageDecode(buffer.get())) {
                s.ui->Message(kSiteFormatText, kSiteFormatCaption, MessageIcon::kStop);
                break;
            }
            outcome.siteAccepted = true;
            uint16_t siteCheckValue = 0;
            const int siteVersion = SiteImageCheckValue(buffer.get(), &siteCheckValue);

            s.ui->SetProgressTitle("Reading loop data...");
            if (!ReadProgramData(s, buffer.get(), kLoopDataAddress, kLoopBlockSize))
                break;
            const uint16_t loopCheckValue = BlockChecksum(buffer.get(), kLoopBlockSize);
            const bool versionRead = ReadFirmwareVersion(s, nullptr) == 1;
            for (int n = 1; n <= kLoopAddresses; ++n)
                LoopRecordDecode(buffer.get() + kLoopRecordSize * (n - 1), n);

            s.ui->SetProgressTitle("Reading event log...");
            if (!ReadLogMemory(s, buffer.get()))
                break;
            const uint8_t* log = buffer.get();
            uint8_t sum = 0;
            for (uint32_t at = kLogFireCount; at < static_cast<uint32_t>(kLogSize); ++at)
                sum = static_cast<uint8_t>(sum + log[at]);
            if (sum == 0x5A) {
                char count[16];
                std::snprintf(count, sizeof count, "%u", Le16(log + kLogAlarmCount));
                SettingPut("AlarmCount", count);
                StoreEvents(log, "FireEvent_%d", kLogFireEvents, Le16(log + kLogFireCount));
                StoreEvents(log, "NonFireEvent_%d", kLogNonFireEvents,
                            Le16(log + kLogNonFireCount));
            }
            SettingPut("PanelData", "1");
            // A send writes both check values before the blocks: a block that
            // does not match its value was left part written or is damaged.
            outcome.checkValuesMatch =
                StoredCheckValuesMatch(log, siteVersion, siteCheckValue, loopCheckValue);
            outcome.complete = versionRead && outcome.checkValuesMatch;
        } while (false);
    }
    buffer.reset();
    s.ui->SetProgress(-1);
    if (!outcome.checkValuesMatch)
        s.ui->Message(kCheckValueMismatchText, kErrorCaption, MessageIcon::kStop);
    if (result)
        *result = outcome;
    return outcome.complete ? 1 : 0;
}
