#include "codec/site_image.h"
#include "jobs/get_job.h"
#include "link/link_test_support.h"
#include "model/loaded_checksum.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using GetJobTest = PanelTest;

// Request counts of a get: site data 205, loop data 103, firmware version 1,
// log 142.
constexpr int kSiteReads = 205;
constexpr int kLoopReads = 103;

bool Has(const char* name) {
    return SettingGet(name) != nullptr;
}
std::string Value(const char* name) {
    const char* v = SettingGet(name);
    return v ? v : "(none)";
}

// Alarm count, fire and non-fire counts, and the byte that makes the six
// bytes from 0x1FFA add up to 0x5A (or not).
void SetLogTail(SimulatedPanel& panel, uint16_t alarms, uint16_t fire, uint16_t nonFire,
                bool valid = true) {
    const uint8_t tail[6] = {static_cast<uint8_t>(fire),
                             static_cast<uint8_t>(fire >> 8),
                             static_cast<uint8_t>(nonFire),
                             static_cast<uint8_t>(nonFire >> 8),
                             0,
                             0};
    uint8_t sum = 0;
    for (uint8_t b : tail)
        sum = static_cast<uint8_t>(sum + b);
    panel.SetLogByte(kLogAlarmCount, static_cast<uint8_t>(alarms));
    panel.SetLogByte(kLogAlarmCount + 1, static_cast<uint8_t>(alarms >> 8));
    for (int i = 0; i < 4; ++i)
        panel.SetLogByte(kLogFireCount + i, tail[i]);
    panel.SetLogByte(0x1FFE, static_cast<uint8_t>(0x5A - sum + (valid ? 0 : 1)));
    panel.SetLogByte(0x1FFF, 0);
}

TEST_F(GetJobTest, ReadsTheWholePanelIntoTheStore) {
    SettingPut("Marker", "old site");
    GetJobResult result;
    ASSERT_EQ(GetSettingsJob(session, &result), 1);
    EXPECT_TRUE(result.siteAccepted);
    EXPECT_EQ(ui.seen,
              (std::vector<std::string>{"title:Reading site data...", "title:Reading loop data...",
                                        "title:Reading event log...", "close"}));
    EXPECT_FALSE(Has("Marker")); // the decode replaced the store
    EXPECT_EQ(Value("SiteName"), "DEMO SITE");
    EXPECT_EQ(Value("SNum_1"), "1A2B01");
    EXPECT_EQ(Value("Type_3"), "34");
    EXPECT_EQ(Value("SNum_192"), "000000"); // empty positions get their settings too
    EXPECT_EQ(Value("FirmwareVersion"), "1.023 / 1.045");
    EXPECT_EQ(Value("AlarmCount"), "1");
    EXPECT_EQ(Value("FireEvent_3"), "133, 3, 1704103500");
    EXPECT_FALSE(Has("FireEvent_4"));
    EXPECT_EQ(Value("NonFireEvent_2"), "134, 17, 1704200600");
    EXPECT_EQ(Value("PanelData"), "1");
    // The reference checksum was taken at the decode: the additions count as
    // unsaved changes.
    EXPECT_NE(LoadedChecksum(), StoreChecksum());
    EXPECT_EQ(panel->Requests().size(), static_cast<size_t>(kSiteReads + kLoopReads + 1 + 142));
}

TEST_F(GetJobTest, FailureTable) {
    struct Row {
        const char* what;
        std::function<void(SimulatedPanel&)> inject;
        std::vector<std::string> messages;
        bool siteAccepted;
        const char* firmwareVersion; // nullptr: none
        bool loop, events, panelData;
    };
    auto silentAfter = [](int n) {
        return [n](SimulatedPanel& p) {
            SimPanelOptions o;
            o.silentAfter = n;
            p.SetOptions(o);
        };
    };
    const std::string unsupported = "Site data is in an unsupported format|Site data error|stop";
    const Row rows[] = {
        {"no reply reading site data",
         silentAfter(0),
         {kConnectionFault},
         false,
         nullptr,
         false,
         false,
         false},
        {"unsupported format",
         [](SimulatedPanel& p) { p.SetProgramByte(2 * kSiteDataAddress, 3); },
         {unsupported},
         false,
         nullptr,
         false,
         false,
         false},
        {"no reply reading loop data",
         silentAfter(kSiteReads),
         {kConnectionFault},
         true,
         nullptr,
         false,
         false,
         false},
        {"firmware version not read",
         [](SimulatedPanel& p) { p.DropReply(kSiteReads + kLoopReads); },
         {kConnectionFault},
         true,
         "0",
         true,
         true,
         true},
        {"panel silent from the firmware version on",
         silentAfter(kSiteReads + kLoopReads),
         {kConnectionFault, kConnectionFault},
         true,
         "0",
         true,
         false,
         false},
        {"no reply reading the log",
         silentAfter(kSiteReads + kLoopReads + 1),
         {kConnectionFault},
         true,
         "1.023 / 1.045",
         true,
         false,
         false},
        {"log check sum wrong",
         [](SimulatedPanel& p) { SetLogTail(p, 1, 3, 2, false); },
         {},
         true,
         "1.023 / 1.045",
         true,
         false,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Reset();
        SettingPut("Marker", "old site");
        panel->LoadDemo();
        panel->SetOptions({});
        ui.seen.clear();
        row.inject(*panel);
        GetJobResult result;
        EXPECT_EQ(GetSettingsJob(session, &result), row.messages.empty() ? 1 : 0);
        EXPECT_EQ(ui.Messages(), row.messages);
        EXPECT_EQ(ui.seen.back(), "close"); // the job always ends with it
        if (!row.messages.empty() && row.messages[0] == kConnectionFault) {
            // A connection fault closes the progress display before its message.
            auto first = std::find(ui.seen.begin(), ui.seen.end(), "message:" + kConnectionFault);
            ASSERT_NE(first, ui.seen.begin());
            EXPECT_EQ(*(first - 1), "close");
        }
        EXPECT_EQ(result.siteAccepted, row.siteAccepted);
        EXPECT_EQ(Has("Marker"), !row.siteAccepted);
        EXPECT_EQ(Has("SiteName"), row.siteAccepted);
        EXPECT_EQ(Value("FirmwareVersion"), row.firmwareVersion ? row.firmwareVersion : "(none)");
        EXPECT_EQ(Has("SNum_1"), row.loop);
        EXPECT_EQ(Has("FireEvent_1"), row.events);
        EXPECT_EQ(Has("AlarmCount"), row.events);
        EXPECT_EQ(Has("PanelData"), row.panelData);
    }
}

// The check values a send left in log memory against the blocks read: a
// mismatch keeps the data loaded, adds our message after the job's own and
// fails the job; a value never written (0xFFFF) is not compared.
TEST_F(GetJobTest, CheckValues) {
    const std::string mismatch =
        std::string(kCheckValueMismatchText) + "|M720 Commissioning software Error|stop";
    auto put16 = [&](uint32_t at, uint16_t v) {
        panel->SetLogByte(at, static_cast<uint8_t>(v));
        panel->SetLogByte(at + 1, static_cast<uint8_t>(v >> 8));
    };
    // The site data region from its second page on erased, as a send
    // stopped part way leaves it.
    auto partlyWritten = [&] {
        const std::vector<uint8_t> erased(kSiteImageSize - 2 * kPageSize, 0xFF);
        panel->WritePayload(kSiteDataAddress + kPageSize, erased.data(), erased.size());
    };
    auto loopDamaged = [&] { // one byte of the first record changed
        std::vector<uint8_t> word = panel->ReadPayload(kLoopDataAddress + 10, 2);
        word[1] ^= 0xFF;
        panel->WritePayload(kLoopDataAddress + 10, word.data(), word.size());
    };
    struct Row {
        const char* what;
        std::function<void()> inject;
        std::vector<std::string> messages;
        bool matches;
    };
    const Row rows[] = {
        {"site data partly written", partlyWritten, {mismatch}, false},
        {"loop data damaged", loopDamaged, {mismatch}, false},
        {"never written check values are not compared",
         [&] {
             partlyWritten();
             loopDamaged();
             put16(kLogSiteChecksum, 0xFFFF);
             put16(kLogLoopChecksum, 0xFFFF);
         },
         {},
         true},
        {"a connection fault comes first",
         [&] {
             loopDamaged();
             panel->DropReply(kSiteReads + kLoopReads);
         },
         {kConnectionFault, mismatch},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Reset();
        panel->LoadDemo();
        panel->SetOptions({});
        ui.seen.clear();
        row.inject();
        GetJobResult result;
        EXPECT_EQ(GetSettingsJob(session, &result), row.messages.empty() ? 1 : 0);
        EXPECT_EQ(ui.Messages(), row.messages);
        EXPECT_EQ(result.checkValuesMatch, row.matches);
        EXPECT_TRUE(result.siteAccepted); // the data stay loaded
        EXPECT_TRUE(Has("SNum_1"));
        EXPECT_EQ(Value("PanelData"), "1");
    }

    // A version-1 image is held to the check value of the version-2 layout
    // that a send builds from it, whatever digits the second user code,
    // which version 1 does not keep, had in the sending site.
    Reset();
    panel->LoadDemo();
    ui.seen.clear();
    ASSERT_EQ(GetSettingsJob(session, nullptr), 1);
    SettingPut("SFRevision", "1");
    uint8_t image[kSiteImageSize];
    const uint16_t checkValue = SiteImageEncode(image);
    panel->WritePayload(kSiteDataAddress, image, sizeof image);
    put16(kLogSiteChecksum, checkValue);
    Reset();
    GetJobResult result;
    EXPECT_EQ(GetSettingsJob(session, &result), 1);
    EXPECT_EQ(Value("SFRevision"), "1");
    EXPECT_TRUE(ui.Messages().empty());
    SettingPut("UserCode2", "999999");
    put16(kLogSiteChecksum, SiteImageEncode(nullptr));
    EXPECT_EQ(GetSettingsJob(session, &result), 1);
    EXPECT_TRUE(ui.Messages().empty());
    put16(kLogSiteChecksum, static_cast<uint16_t>(checkValue ^ 0x8000));
    EXPECT_EQ(GetSettingsJob(session, &result), 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{mismatch});
}

TEST_F(GetJobTest, EventRecords) {
    // F = 0 and N = 0 with a valid sum: the alarm count, no events.
    SetLogTail(*panel, 7, 0, 0);
    ASSERT_EQ(GetSettingsJob(session, nullptr), 1);
    EXPECT_EQ(Value("AlarmCount"), "7");
    EXPECT_FALSE(Has("FireEvent_1"));
    EXPECT_FALSE(Has("NonFireEvent_1"));

    // Code 0x85 at address 200, time 0; a negative time; a count far past
    // the log's end takes only the records that lie wholly inside it.
    const uint8_t records[2][8] = {{0x85, 200, 0, 0, 0, 0, 9, 9},
                                   {0x01, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}};
    for (int i = 0; i < 8; ++i) {
        panel->SetLogByte(kLogFireEvents + i, records[0][i]);
        panel->SetLogByte(kLogNonFireEvents + i, records[1][i]);
    }
    SetLogTail(*panel, 0, 0xFFFF, 1);
    Reset();
    ASSERT_EQ(GetSettingsJob(session, nullptr), 1);
    EXPECT_EQ(Value("FireEvent_1"), "133, 200, 0");
    EXPECT_EQ(Value("NonFireEvent_1"), "1, 0, -1");
    EXPECT_TRUE(Has("FireEvent_1023")); // at 0x1FF8, the last whole record
    EXPECT_FALSE(Has("FireEvent_1024"));
}

TEST_F(GetJobTest, InputWaitingBeforeTheJobIsDiscarded) {
    ASSERT_EQ(SendReport(link, nullptr, 0), 1); // the link is open from an earlier job
    uint8_t late[kPacketSize] = {0, kCmdReadData, 0, 0, 0, 0, 58};
    std::fill(late + 7, late + kPacketSize, 0xEE);
    panel->PushInput(late);
    panel->PushInput(late);
    ASSERT_EQ(GetSettingsJob(session, nullptr), 1);
    EXPECT_EQ(Value("SiteName"), "DEMO SITE");
    EXPECT_TRUE(ui.Messages().empty());
}

} // namespace
