#include "codec/hex_file.h"
#include "link/link_test_support.h"
#include "link/panel_protocol.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>

namespace {

using ProtocolTest = PanelTest;
using Clock = std::chrono::steady_clock;

// Answers ReadData and ReadLog with a chosen length byte; ReadData words
// carry the low and high byte of their own address as payload, ReadLog bytes
// the low byte of their log address.
class ShortReplyPanel : public SimulatedHidDevice {
  public:
    explicit ShortReplyPanel(int length)
        : SimulatedHidDevice({kPanelVendorId, kPanelProductId, 1}), length_(length) {}
    std::vector<SimRequest> requests;

  protected:
    void OnOutputReport(const uint8_t* r) override {
        SimRequest request;
        std::copy(r, r + kHidReportSize, request.begin());
        requests.push_back(request);
        uint8_t reply[kHidReportSize] = {0, r[1]};
        reply[6] = static_cast<uint8_t>(length_);
        const uint32_t address = Address(request);
        if (r[1] == kCmdReadData) {
            // A length byte beyond the packet still has only 58 bytes behind it.
            const int fits = std::min(length_, 58);
            for (int g = 0; g + 1 < fits && 66 - fits + g < kHidReportSize; g += 4) {
                const uint32_t word = address + g / 2;
                reply[65 - fits + g] = static_cast<uint8_t>(word);
                reply[66 - fits + g] = static_cast<uint8_t>(word >> 8);
            }
        } else if (r[1] == kCmdReadLog) {
            for (int i = 0; i < length_ && i < 58; ++i)
                reply[7 + i] = static_cast<uint8_t>(address + i);
        } else {
            return;
        }
        PushInput(reply);
    }

  private:
    int length_;
};

TEST_F(ProtocolTest, ReadProgramDataTakesTwoPayloadBytesPerWord) {
    const uint8_t payload[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    panel->WritePayload(0x2402, payload, sizeof payload);
    panel->ClearRequests();
    uint8_t got[9] = {};
    ASSERT_EQ(ReadProgramData(session, got, 0x2402, 9), 1);
    EXPECT_EQ(std::vector<uint8_t>(got, got + 9), std::vector<uint8_t>(payload, payload + 9));
    auto requests = panel->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(Command(requests[0]), kCmdReadData);
    EXPECT_EQ(Address(requests[0]), 0x2402u);
    EXPECT_EQ(Length(requests[0]), 58);

    // 61 bytes take three packets of 15 words: addresses step by 30.
    std::vector<uint8_t> many(61);
    panel->ClearRequests();
    ASSERT_EQ(ReadProgramData(session, many.data(), 0x1800, 61), 1);
    requests = panel->Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(Address(requests[1]), 0x1800u + 30);
    EXPECT_EQ(Address(requests[2]), 0x1800u + 60);
    EXPECT_EQ(many, panel->ReadPayload(0x1800, 61));
    EXPECT_EQ(ui.bar, (std::vector<int>{100, 49, 98, 100}));
}

TEST_F(ProtocolTest, ShortAndEmptyRepliesOfReads) {
    auto shortPanel = std::make_shared<ShortReplyPanel>(56);
    SimulatedHidBus shortBus;
    shortBus.Attach(shortPanel);
    PanelLink shortLink(&shortBus);
    PanelSession s{&shortLink, &ui};
    // L = 56: 14 words per packet; the next request starts at the next word.
    uint8_t got[40] = {};
    ASSERT_EQ(ReadProgramData(s, got, 0x100, 40), 1);
    ASSERT_EQ(shortPanel->requests.size(), 2u);
    EXPECT_EQ(Address(shortPanel->requests[1]), 0x100u + 28);
    for (int i = 0; i < 40; i += 2) {
        EXPECT_EQ(got[i], static_cast<uint8_t>(0x100 + i)) << i;
        EXPECT_EQ(got[i + 1], 0x01) << i;
    }

    // Length byte 0: the same address is asked again, 20 times, then the
    // read fails as on a missing reply.
    for (uint8_t command : {kCmdReadData, kCmdReadLog}) {
        auto silent = std::make_shared<ShortReplyPanel>(0);
        SimulatedHidBus bus;
        bus.Attach(silent);
        PanelLink emptyLink(&bus);
        RecordingUi emptyUi;
        PanelSession e{&emptyLink, &emptyUi};
        std::vector<uint8_t> buffer(kLogSize);
        int ok = command == kCmdReadData ? ReadProgramData(e, buffer.data(), 0x2400, 6144)
                                         : ReadLogMemory(e, buffer.data());
        EXPECT_EQ(ok, 0);
        ASSERT_EQ(silent->requests.size(), static_cast<size_t>(kEmptyReplyLimit));
        for (const SimRequest& r : silent->requests)
            EXPECT_EQ(Address(r), command == kCmdReadData ? 0x2400u : 0u);
        EXPECT_EQ(emptyUi.seen, (std::vector<std::string>{"close", "message:" + kConnectionFault}));
    }
}

TEST_F(ProtocolTest, LengthBytesBeyondThePacketAreReadOnlyAsFarAsItGoes) {
    for (int length : {59, 255, 57, 1}) {
        auto odd = std::make_shared<ShortReplyPanel>(length);
        SimulatedHidBus bus;
        bus.Attach(odd);
        PanelLink oddLink(&bus);
        RecordingUi oddUi;
        PanelSession s{&oddLink, &oddUi};
        std::vector<uint8_t> got(90);
        int ok = ReadProgramData(s, got.data(), 0, 90);
        if (length == 1) {
            EXPECT_EQ(ok, 0); // no whole word ever comes
            continue;
        }
        ASSERT_EQ(ok, 1) << length;
        for (int i = 0; i < 90; i += 2)
            ASSERT_EQ(got[i], static_cast<uint8_t>(i)) << length << " at " << i;
    }
}

TEST_F(ProtocolTest, ReadLogMemoryReadsLeftAlignedBlocks) {
    for (int i = 0; i < kLogSize; ++i)
        panel->SetLogByte(i, static_cast<uint8_t>(i * 7));
    std::vector<uint8_t> log(kLogSize);
    ASSERT_EQ(ReadLogMemory(session, log.data()), 1);
    for (int i = 0; i < kLogSize; ++i)
        ASSERT_EQ(log[i], static_cast<uint8_t>(i * 7)) << i;
    auto requests = panel->Requests();
    ASSERT_EQ(requests.size(), 142u); // 141 x 58 + 14
    EXPECT_EQ(Address(requests.back()), 141u * 58);
    EXPECT_EQ(ui.bar.back(), 100);
}

TEST_F(ProtocolTest, ProgramDataWordsSendsBlocksEachFollowedByAQuery) {
    std::vector<uint8_t> data(6144);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 13 + 5);
    for (uint32_t page = 0x2400; page < 0x3C00; page += kPageSize)
        ASSERT_EQ(EraseProgramPage(session, page), 1);
    panel->ClearRequests();
    ASSERT_EQ(ProgramDataWords(session, data.data(), 0x2400, 6144), 1);

    auto requests = panel->Requests();
    ASSERT_EQ(requests.size(), 441u); // 220 x (Program, Query) + ProgramEnd
    for (size_t b = 0; b < 220; ++b) {
        const SimRequest& program = requests[2 * b];
        const SimRequest& query = requests[2 * b + 1];
        ASSERT_EQ(Command(program), kCmdProgram) << b;
        EXPECT_EQ(Address(program), 0x2400u + 28 * b);
        EXPECT_EQ(Length(program), b < 219 ? 56 : 24);
        // The Query is the same packet with only the command changed.
        SimRequest copy = program;
        copy[1] = kCmdQuery;
        EXPECT_EQ(query, copy) << b;
    }
    const SimRequest& last = requests[438];
    EXPECT_EQ(std::vector<uint8_t>(last.begin() + 7, last.begin() + 41),
              std::vector<uint8_t>(34, 0)); // nothing before the right-aligned words
    EXPECT_EQ(last[41], data[6132]);
    EXPECT_EQ(last[42], data[6133]);
    EXPECT_EQ(last[43], 0);
    EXPECT_EQ(last[44], 0);
    EXPECT_EQ(Command(requests[440]), kCmdProgramEnd);
    EXPECT_EQ(Address(requests[440]), 0u);
    EXPECT_EQ(Length(requests[440]), 0);
    EXPECT_EQ(panel->ReadPayload(0x2400, 6144), data);
    EXPECT_EQ(ui.bar.back(), 100);

    // An odd count ends with a word whose second byte is 0, never beyond.
    panel->ClearRequests();
    ASSERT_EQ(ProgramDataWords(session, data.data(), 0x1800, 3), 1);
    requests = panel->Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(Length(requests[0]), 8);
    EXPECT_EQ(requests[0][57], data[0]);
    EXPECT_EQ(requests[0][61], data[2]);
    EXPECT_EQ(requests[0][62], 0);
}

TEST_F(ProtocolTest, ProgramFirmwareWordsSendsFourImageBytesPerWord) {
    // start = end: only a ProgramEnd.
    ASSERT_EQ(ProgramFirmwareWords(session, nullptr, 0, 0x5000, 0x5000), 1);
    auto requests = panel->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(Command(requests[0]), kCmdProgramEnd);
    EXPECT_TRUE(ui.bar.empty());

    std::vector<uint8_t> image(2 * 40);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i + 1);
    ASSERT_EQ(EraseProgramPage(session, 0x5000), 1);
    panel->ClearRequests();
    // 20 words: one block of 14 and one of 6; the image is 4 bytes short of
    // the last word, which goes as 0xFF.
    ASSERT_EQ(ProgramFirmwareWords(session, image.data(), 76, 0x5000, 0x5028), 1);
    requests = panel->Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(Length(requests[0]), 56);
    EXPECT_EQ(Address(requests[2]), 0x501Cu);
    EXPECT_EQ(Length(requests[2]), 24);
    for (int i = 0; i < 76; ++i)
        EXPECT_EQ(panel->ProgramByte(2 * 0x5000 + i), image[i]) << i;
    for (int i = 76; i < 80; ++i)
        EXPECT_EQ(panel->ProgramByte(2 * 0x5000 + i), 0xFF);
    EXPECT_EQ(ui.bar, (std::vector<int>{99, 100})); // address * 100 / end
}

TEST_F(ProtocolTest, EraseAndWriteLogPackets) {
    ASSERT_EQ(EraseProgramPage(session, 0x2800), 1);
    auto requests = panel->Requests();
    ASSERT_EQ(requests.size(), 2u);
    SimRequest erase{};
    erase[1] = kCmdErasePage;
    erase[3] = 0x28;
    EXPECT_EQ(requests[0], erase);
    erase[1] = kCmdQuery;
    EXPECT_EQ(requests[1], erase);
    for (uint32_t i = 0; i < 2048; ++i)
        ASSERT_EQ(panel->ProgramByte(2 * 0x2800 + i), 0xFF);

    std::vector<uint8_t> bytes(130);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(200 - i);
    panel->ClearRequests();
    ASSERT_EQ(WriteLogMemory(session, bytes.data(), 0x1000, 130), 1);
    requests = panel->Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(Address(requests[1]), 0x1000u + 58);
    EXPECT_EQ(Length(requests[2]), 14);
    for (size_t i = 0; i < bytes.size(); ++i)
        EXPECT_EQ(panel->LogByte(0x1000 + i), bytes[i]);

    SetOptions("silent-after=0");
    EXPECT_EQ(EraseProgramPage(session, 0x2800), 0);
    EXPECT_EQ(WriteLogMemory(session, bytes.data(), 0x1000, 2), 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kConnectionFault}); // none for the erase
}

TEST_F(ProtocolTest, AStaleReplyIsTakenAsTheNextReply) {
    // A reply from an earlier exchange is waiting: within an operation the
    // first report that arrives is the reply, so the read is shifted.
    uint8_t stale[kPacketSize] = {0, kCmdReadData};
    stale[6] = 58;
    for (int i = 7; i < kPacketSize; ++i)
        stale[i] = 0xAB;
    ASSERT_EQ(SendReport(link, stale, 0), 1); // opens the link
    panel->PushInput(stale);
    uint8_t got[60];
    ASSERT_EQ(ReadProgramData(session, got, 0x2400, 60), 1);
    EXPECT_EQ(got[0], 0xAB);
    EXPECT_EQ(got[29], 0xAB);
    auto image = panel->ReadPayload(0x2400, 30);
    EXPECT_EQ(std::vector<uint8_t>(got + 30, got + 60), image); // the first packet's reply
    EXPECT_EQ(panel->PendingInput(), 1);                        // and one still waits
}

TEST_F(ProtocolTest, FirmwareVersionAndItsDisplayForm) {
    char raw[9] = "x";
    ASSERT_EQ(ReadFirmwareVersion(session, raw), 1);
    EXPECT_STREQ(raw, "10231045");
    EXPECT_STREQ(SettingGet("FirmwareVersion"), "1.023 / 1.045");
    EXPECT_EQ(panel->Requests().size(), 1u);
    EXPECT_EQ(FirmwareVersionText("12345678"), "1.234 / 5.678");
    EXPECT_EQ(FirmwareVersionNumber("12345678"), 123u);

    SetOptions("silent-after=0");
    ASSERT_EQ(ReadFirmwareVersion(session, raw), 0);
    EXPECT_STREQ(raw, "");
    EXPECT_STREQ(SettingGet("FirmwareVersion"), "0");
    EXPECT_EQ(ui.seen, (std::vector<std::string>{"close", "message:" + kConnectionFault}));
}

TEST_F(ProtocolTest, QueryGivesTheFirmwareEnd) {
    uint64_t end = 0;
    ASSERT_EQ(QueryPanel(session, &end), 1);
    EXPECT_EQ(end, 0x2A800u);
    SetOptions("end=0x6400");
    ASSERT_EQ(QueryPanel(session, &end), 1);
    EXPECT_EQ(end, 0x6400u);
    SetOptions("silent-after=0");
    EXPECT_EQ(QueryPanel(session, &end), 0);
    EXPECT_TRUE(ui.seen.empty());
}

// A lost request is sent again by the transport only: four attempts, each
// searching afresh, and nothing more once one got through.
TEST(SendPacket, FourAttemptsEachSearchingAgain) {
    SimulatedHidBus bus;
    auto panel = std::make_shared<PlainDevice>(kPanelVendorId, kPanelProductId);
    bus.Attach(panel);
    PanelLink link(&bus);
    PanelSession s{&link, nullptr};
    const uint8_t packet[kPacketSize] = {0, kCmdReadData};

    panel->SetOpenable(false);
    SendPacket(s, packet);
    EXPECT_EQ(panel->OpenCount(), 4);

    panel->SetOpenable(true);
    panel->SetStallWrites(true);
    SendPacket(s, packet);
    EXPECT_EQ(panel->OpenCount(), 8);
    EXPECT_FALSE(PanelLinkIsOpen(link));

    panel->SetStallWrites(false);
    SendPacket(s, packet);
    EXPECT_EQ(panel->OpenCount(), 9);
    EXPECT_EQ(panel->written.size(), 1u);
}

// The reply wait lasts its 500 ms without keeping a processor busy, both
// while the panel is missing (receive fails at once) and while it is silent.
TEST_F(ProtocolTest, ReplyWaitDoesNotBurnTheProcessor) {
    for (bool open : {false, true}) {
        if (open)
            ASSERT_EQ(SendReport(link, nullptr, 0), 1);
        else
            panel->Unplug();
        const std::clock_t cpu = std::clock();
        const auto start = Clock::now();
        EXPECT_EQ(AwaitReply(session, nullptr, 0), 0);
        const auto wall = Clock::now() - start;
        const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        EXPECT_GE(wall, std::chrono::milliseconds(500));
        EXPECT_LT(wall, std::chrono::milliseconds(700));
        EXPECT_LT(cpuMs, 60.0) << (open ? "open" : "missing");
        panel->Replug();
    }
}

} // namespace
