#include "codec/hex_file.h"
#include "jobs/firmware_job.h"
#include "link/link_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class FirmwareJobTest : public PanelTest {
  protected:
    // Program memory all 0x00, so that nothing reads as erased unless the job
    // erased it; the panel's end address and replies as given; nothing seen yet.
    void Prepare(uint32_t end, int64_t silentAfter = -1) {
        std::vector<uint8_t> state = panel->State();
        std::fill(state.begin(), state.begin() + kSimProgramBytes, 0x00);
        panel->SetState(state);
        SimPanelOptions options;
        options.end = end;
        options.silentAfter = silentAfter;
        panel->SetOptions(options);
        panel->ClearRequests();
        ui.seen.clear();
        ui.bar.clear();
    }
    int Count(uint8_t command) const {
        return static_cast<int>(OfCommand(panel->Requests(), command).size());
    }
    // The image bytes that the Program requests carried, by image byte index.
    std::vector<int> SentBytes() const {
        std::vector<int> sent(kFirmwareImageSize, -1);
        for (const SimRequest& r : OfCommand(panel->Requests(), kCmdProgram))
            for (int i = 0; i < Length(r); ++i)
                sent.at(2 * Address(r) + i) = r[kPacketSize - Length(r) + i];
        return sent;
    }
};

const std::string kSuccess = "Firmware written to the panel|Success|none";
const std::string kFail = "Firmware has NOT been written to panel|Fail!|stop";

std::vector<unsigned char> FixtureImage() {
    std::vector<unsigned char> image(kFirmwareImageSize);
    const std::string path = std::string(M720_TEST_DATA) + "/hex/fw_coralwave.hex";
    EXPECT_EQ(ReadHexFile(path.c_str(), image.data(), image.size()), 1);
    return image;
}

// The stamp the panel expects: 0x5A5A minus the sum of the region's words as
// the file gave them (the checksum word's old contents included), each word
// counting its first two bytes high-low plus its third byte times 256.
uint16_t ExpectedChecksum(const std::vector<unsigned char>& image, uint32_t end) {
    uint32_t sum = 0;
    for (uint32_t a = kFirmwareAddress; a < end; a += 2)
        sum += 256 * image[2 * a] + image[2 * a + 1] + 256 * image[2 * a + 2];
    return static_cast<uint16_t>(0x5A5A - sum);
}

uint16_t StampIn(const std::vector<uint8_t>& bytes) {
    return static_cast<uint16_t>(bytes[kFirmwareChecksumByte] << 8 |
                                 bytes[kFirmwareChecksumByte + 1]);
}

TEST_F(FirmwareJobTest, FullWriteLeavesTheStampedImageInThePanel) {
    Prepare(kProgramMemoryEnd);
    std::vector<unsigned char> image = FixtureImage();
    const uint16_t checksum = ExpectedChecksum(image, kProgramMemoryEnd);

    ASSERT_EQ(FirmwareJob(session, image.data(), image.size()), 1);

    const std::vector<uint8_t> state = panel->State();
    EXPECT_TRUE(std::equal(image.begin() + kFirmwareRegionByte, image.end(),
                           state.begin() + kFirmwareRegionByte));
    EXPECT_TRUE(std::all_of(state.begin(), state.begin() + kFirmwareRegionByte,
                            [](uint8_t b) { return b == 0x00; }));
    EXPECT_EQ(StampIn(state), checksum);
    EXPECT_EQ(state[0xA400], 0xFF); // words the file does not cover
    EXPECT_EQ(state[0x54FFF], 0xFF);

    // The result is shown before the progress display closes.
    EXPECT_EQ(ui.seen,
              (std::vector<std::string>{"title:Erasing...", "title:Writing panel firmware...",
                                        "message:" + kSuccess, "close"}));
    for (int percent : ui.bar)
        EXPECT_LE(percent, 100);
}

TEST_F(FirmwareJobTest, EndAddressDecidesWhatIsErasedAndProgrammed) {
    const struct {
        uint32_t end;
        int result, erases, programs, programEnds;
    } cases[] = {
        {0x5C00, 1, 3, (1536 + 13) / 14, 1}, // three pages of 512 words, 14 per block
        // Refused before anything is erased: the panel keeps its firmware.
        {0x5000, 0, 0, 0, 0},                        // nothing to write
        {0x5000 + 512, 0, 0, 0, 0},                  // half a page
        {0x5000 + 1000, 0, 0, 0, 0},                 // not whole pages
        {kProgramMemoryEnd + kPageSize, 0, 0, 0, 0}, // beyond the image
        {0x4C00, 0, 0, 0, 0},                        // before the region
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end);
        Prepare(c.end);
        const std::vector<uint8_t> before = panel->State();
        std::vector<unsigned char> image = FixtureImage();
        EXPECT_EQ(FirmwareJob(session, image.data(), image.size()), c.result);
        if (!c.result) {
            EXPECT_EQ(panel->State(), before);
        }
        EXPECT_EQ(Count(kCmdErasePage), c.erases);
        EXPECT_EQ(Count(kCmdProgram), c.programs);
        EXPECT_EQ(Count(kCmdProgramEnd), c.programEnds);
        EXPECT_EQ(ui.Messages(), std::vector<std::string>{c.result ? kSuccess : kFail});
        EXPECT_EQ(ui.seen.back(), "close");
    }
}

TEST_F(FirmwareJobTest, SendsUncoveredWordsAsFFAndStampsTheirSum) {
    Prepare(0x5C00);
    std::vector<unsigned char> image = FixtureImage();
    const uint16_t checksum = ExpectedChecksum(image, 0x5C00);
    ASSERT_EQ(FirmwareJob(session, image.data(), image.size()), 1);

    const std::vector<int> sent = SentBytes();
    for (uint32_t i = kFirmwareRegionByte; i < 2 * 0x5C00; ++i)
        ASSERT_EQ(sent[i], image[i]) << i;
    EXPECT_EQ(sent[0xA400], 0xFF); // the gap between the file's blocks
    EXPECT_EQ(sent[0xB000], 0x80);
    EXPECT_EQ(sent[2 * 0x5C00], -1);

    EXPECT_EQ(StampIn(std::vector<uint8_t>(sent.begin(), sent.end())), checksum);
    EXPECT_EQ(StampIn(panel->State()), checksum);

    // The bar runs as address * 100 / end: each page start after its erase,
    // then the address after each block, so writing starts near where erasing ended.
    ASSERT_GE(ui.bar.size(), 4u);
    EXPECT_EQ(std::vector<int>(ui.bar.begin(), ui.bar.begin() + 4),
              (std::vector<int>{0x5000 * 100 / 0x5C00, 0x5400 * 100 / 0x5C00, 0x5800 * 100 / 0x5C00,
                                (0x5000 + 28) * 100 / 0x5C00}));
    EXPECT_EQ(ui.bar.back(), 100);
}

TEST_F(FirmwareJobTest, PanelThatStopsAnswering) {
    const struct {
        int64_t silentAfter;
        std::vector<std::string> messages;
        int erases, programs;
    } cases[] = {
        {0, {kFail}, 0, 0}, // no reply to the Query: nothing written, and the user told so
        {2, {kFail}, 2, 0},
        {1 + 3 + 2, {kPageFault, kFail}, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.silentAfter);
        Prepare(0x5C00, c.silentAfter);
        std::vector<unsigned char> image = FixtureImage();
        EXPECT_EQ(FirmwareJob(session, image.data(), image.size()), 0);
        EXPECT_EQ(ui.Messages(), c.messages);
        EXPECT_EQ(Count(kCmdErasePage), c.erases);
        EXPECT_EQ(Count(kCmdProgram), c.programs);
        EXPECT_EQ(Count(kCmdProgramEnd), 0);
        EXPECT_EQ(ui.seen.back(), "close");
    }
}

TEST_F(FirmwareJobTest, WithoutAnImageNothingIsSent) {
    Prepare(0x5C00);
    std::vector<unsigned char> small(kFirmwareImageSize - 1, 0xFF);
    EXPECT_EQ(FirmwareJob(session, nullptr, 0), 0);
    EXPECT_EQ(FirmwareJob(session, small.data(), small.size()), 0);
    EXPECT_TRUE(panel->Requests().empty());
    EXPECT_EQ(ui.seen, (std::vector<std::string>{"close", "close"}));
}

TEST_F(FirmwareJobTest, StaleReplyIsNotTakenForTheQuery) {
    Prepare(0x5400);
    ASSERT_EQ(ReadFirmwareVersion(session, nullptr), 1); // opens the link
    uint8_t stale[kPacketSize] = {};
    stale[6] = 0x50; // 0x5000 in bytes 5 to 8: a region with nothing to erase
    panel->PushInput(stale);
    panel->ClearRequests();

    std::vector<unsigned char> image = FixtureImage();
    EXPECT_EQ(FirmwareJob(session, image.data(), image.size()), 1);
    EXPECT_EQ(Count(kCmdErasePage), 1);
}

} // namespace
