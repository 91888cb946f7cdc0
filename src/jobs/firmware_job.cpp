#include "jobs/firmware_job.h"

#include "codec/hex_file.h"

namespace {

// The checksum that makes the region's words sum to 0x5A5A. Each word counts
// as its first two bytes (high, low) plus its third byte times 256; the
// checksum word's own old contents are part of the sum.
uint16_t FirmwareChecksum(const unsigned char* image, uint32_t end) {
    uint32_t sum = 0;
    for (uint32_t a = kFirmwareAddress; a < end; a += 2)
        sum += 256u * image[2 * a] + image[2 * a + 1] + 256u * image[2 * a + 2];
    return static_cast<uint16_t>(0x5A5A - sum);
}

// Erases the pages from the region's start while they start below end; gives
// the address where erasing stopped.
uint64_t ErasePages(PanelSession& s, uint64_t end) {
    s.ui->SetProgressTitle("Erasing...");
    uint64_t a = kFirmwareAddress;
    while (a < end) {
        if (!EraseProgramPage(s, static_cast<uint32_t>(a)))
            break;
        s.ui->SetProgress(static_cast<int>(a * 100 / end));
        a += kPageSize;
    }
    return a;
}

// A region the job can write: whole pages from the region's start, at least
// one of them, inside the image. Anything else is refused before a page is
// erased, so the panel keeps the firmware it has.
bool RegionWritable(uint64_t end) {
    return end > kFirmwareAddress && end <= kProgramMemoryEnd &&
           (end - kFirmwareAddress) % kPageSize == 0;
}

bool WriteFirmware(PanelSession& s, unsigned char* image, uint64_t end) {
    if (!RegionWritable(end))
        return false;
    const uint32_t e = static_cast<uint32_t>(end);
    const uint16_t checksum = FirmwareChecksum(image, e);
    image[kFirmwareChecksumByte] = static_cast<unsigned char>(checksum >> 8);
    image[kFirmwareChecksumByte + 1] = static_cast<unsigned char>(checksum);

    // Only a region whose pages were all erased is programmed.
    if (ErasePages(s, e) != e)
        return false;
    s.ui->SetProgressTitle("Writing panel firmware...");
    return ProgramFirmwareWords(s, image + kFirmwareRegionByte,
                                kFirmwareImageSize - kFirmwareRegionByte, kFirmwareAddress, e) == 1;
}

} // namespace

int FirmwareJob(PanelSession& s, unsigned char* image, std::size_t imageSize) {
    if (!image || imageSize != kFirmwareImageSize) {
        s.ui->SetProgress(-1);
        return 0;
    }
    // A late reply from an earlier failed exchange must not answer the Query.
    DiscardWaitingInput(*s.link);
    // Unanswered, the Query leaves the end unknown: nothing is written, and
    // the user is told so below.
    uint64_t end = 0;
    const bool written = QueryPanel(s, &end) && WriteFirmware(s, image, end);
    if (written)
        s.ui->Message(kFirmwareSuccessText, "Success", MessageIcon::kNone);
    else
        s.ui->Message(kFirmwareFailText, "Fail!", MessageIcon::kStop);
    s.ui->SetProgress(-1);
    return written ? 1 : 0;
}
