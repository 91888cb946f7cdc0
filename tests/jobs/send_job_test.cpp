#include "codec/block_checksum.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "jobs/get_job.h"
#include "jobs/send_job.h"
#include "jobs/site_backup.h"
#include "link/link_test_support.h"
#include "model/site_file.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The tests of the writing itself send without the backup, which would
// come first (its reads are counted in BackupComesFirst).
const SendOptions kNoBackup{false, ""};

// Replies a send asks for, in order: identity 0, firmware version 1, site
// checksum 2, six erases 3-8, 220 site blocks 9-228, site read-back 229-433,
// loop checksum 434, three erases 435-437, 110 loop blocks 438-547, loop
// read-back 548-650.
constexpr int kFirstSiteBlock = 9;
constexpr int kSiteReadBack = 229;
constexpr int kFirstLoopBlock = 438;
constexpr int kLoopReadBack = 548;

const std::string kSent = "Settings have been sent to the panel|Success|none";
const std::string kNotSent = "Settings have NOT been written to panel|Fail!|stop";

class SendJobTest : public PanelTest {
  protected:
    // The panel's own site with a few changes, as a user would send it.
    void EditedSite() {
        ASSERT_EQ(GetSettingsJob(session, nullptr), 1);
        SettingPut("SiteName", "SENT SITE");
        SettingPut("SNum_50", "ABCDEF");
        SettingPut("Type_50", "33");
        SettingPut("Zone_50", "3");
        SettingPut("DeviceText_50", "   NEW DEVICE       ");
        SettingPut("NonLatching_50", "1");
        panel->SetOptions({}); // replies count from here
        panel->ClearRequests();
        ui.seen.clear();
    }
    static std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < kStoreSlotCount; ++i)
            if (const SettingRecord* r = StoreRecordAt(StoreSelect(nullptr), i))
                lines.push_back(SiteFileLine(*r));
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    // The check value of the panel's site data as they stand, in log memory,
    // as the send that wrote them would have left it.
    void StoreSiteCheckValue() {
        const std::vector<uint8_t> site = panel->ReadPayload(kSiteDataAddress, kSiteImageSize);
        const uint16_t value = BlockChecksum(site.data(), kSiteImageSize);
        panel->SetLogByte(kLogSiteChecksum, static_cast<uint8_t>(value));
        panel->SetLogByte(kLogSiteChecksum + 1, static_cast<uint8_t>(value >> 8));
    }
    uint16_t Log16(uint32_t at) const {
        return static_cast<uint16_t>(panel->LogByte(at) | panel->LogByte(at + 1) << 8);
    }
};

TEST_F(SendJobTest, WritesVerifiesAndAGetGivesTheSiteBack) {
    EditedSite();
    std::vector<uint8_t> image(kSiteImageSize);
    const uint16_t siteChecksum = SiteImageEncode(image.data());
    std::vector<uint8_t> loop(kLoopBlockSize);
    for (int n = 1; n <= 192; ++n)
        LoopRecordEncode(loop.data() + 16 * (n - 1), n);
    const std::vector<std::string> sent = Lines();
    const std::vector<uint8_t> before = panel->State();

    ASSERT_EQ(SendSettingsJob(session, kNoBackup), 1);
    EXPECT_EQ(ui.seen, (std::vector<std::string>{
                           "title:Writing site data...", "title:Verifying site data...",
                           "title:Writing loop data...", "title:Verifying loop data...", "close",
                           "message:" + kSent}));
    EXPECT_EQ(panel->ReadPayload(kSiteDataAddress, kSiteImageSize), image);
    EXPECT_EQ(panel->ReadPayload(kLoopDataAddress, kLoopBlockSize), loop);
    EXPECT_EQ(Log16(kLogSiteChecksum), siteChecksum);
    EXPECT_EQ(Log16(kLogLoopChecksum), BlockChecksum(loop.data(), loop.size()));
    // Nothing else changes: not the words' upper bytes, not the memory around
    // both regions, not the events and counters next to the checksums.
    const std::vector<uint8_t> after = panel->State();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        const bool payload = i < kSimProgramBytes && i % 4 < 2 && i / 2 >= kLoopDataAddress &&
                             i / 2 < kSiteDataAddress + kSiteImageSize;
        const bool checksums =
            i >= kSimProgramBytes + kLogSiteChecksum && i < kSimProgramBytes + kLogAlarmCount;
        if (!payload && !checksums && after[i] != before[i]) {
            ADD_FAILURE() << "state byte 0x" << std::hex << i << " changed";
            break;
        }
    }

    // The opening exchanges, then the erases in order.
    auto requests = panel->Requests();
    ASSERT_GE(requests.size(), 20u);
    EXPECT_EQ(Command(requests[0]), kCmdReadData);
    EXPECT_EQ(Address(requests[0]), kIdentityAddress);
    EXPECT_EQ(Address(requests[1]), kFirmwareVersionAddress);
    EXPECT_EQ(Command(requests[2]), kCmdWriteLog);
    EXPECT_EQ(Address(requests[2]), kLogSiteChecksum);
    EXPECT_EQ(Length(requests[2]), 2);
    std::vector<uint32_t> erased;
    for (const SimRequest& r : OfCommand(requests, kCmdErasePage))
        erased.push_back(Address(r));
    EXPECT_EQ(erased, (std::vector<uint32_t>{0x2400, 0x2800, 0x2C00, 0x3000, 0x3400, 0x3800, 0x1800,
                                             0x1C00, 0x2000}));
    EXPECT_EQ(OfCommand(requests, kCmdProgramEnd).size(), 2u);

    // Sending again needs nothing in between.
    panel->ClearRequests();
    ASSERT_EQ(SendSettingsJob(session, kNoBackup), 1);
    EXPECT_EQ(OfCommand(panel->Requests(), kCmdErasePage).size(), 9u);

    Reset();
    ASSERT_EQ(GetSettingsJob(session, nullptr), 1);
    EXPECT_EQ(Lines(), sent);
}

TEST_F(SendJobTest, AFormatThePanelDoesNotKnowIsRefusedBeforeAnythingIsSent) {
    const std::string kFormat = "Site data is in an unsupported format|Site data error|stop";
    EditedSite();
    const std::vector<uint8_t> before = panel->State();
    for (const char* version : {"7", "0", "3", "65538", ""}) {
        SCOPED_TRACE(version);
        SettingPut("SFRevision", version);
        const uint32_t site = StoreChecksum();
        ui.seen.clear();
        EXPECT_EQ(SendSettingsJob(session), 0);
        EXPECT_EQ(ui.Messages(), (std::vector<std::string>{kFormat, kNotSent}));
        EXPECT_EQ(ui.seen.back(), "message:" + kNotSent);
        EXPECT_TRUE(panel->Requests().empty());
        EXPECT_EQ(panel->State(), before);
        EXPECT_EQ(StoreChecksum(), site);
    }
    SettingPut("SFRevision", "1"); // both known formats are sent
    EXPECT_EQ(SendSettingsJob(session), 1);
    SettingPut("SFRevision", "2");
    EXPECT_EQ(SendSettingsJob(session), 1);
}

TEST_F(SendJobTest, FailureTable) {
    struct Row {
        const char* what;
        std::function<void(SimulatedPanel&)> inject;
        std::vector<std::string> messages;
        bool siteWritten; // the site region holds the new image
        bool loopTouched; // any request went to the loop region
    };
    auto silentAfter = [](int n) {
        return [n](SimulatedPanel& p) {
            SimPanelOptions o;
            o.silentAfter = n;
            p.SetOptions(o);
        };
    };
    auto drop = [](int n) { return [n](SimulatedPanel& p) { p.DropReply(n); }; };
    const Row rows[] = {
        {"no reply to the identity read",
         silentAfter(0),
         {kConnectionFault, kNotSent},
         false,
         false},
        {"no reply to the firmware version read", drop(1), {kConnectionFault, kSent}, true, true},
        {"no reply to the site checksum write", drop(2), {kConnectionFault, kSent}, true, true},
        {"a page erase not answered", drop(3), {kSent}, true, true},
        {"a site block not answered",
         silentAfter(kFirstSiteBlock + 5),
         {kPageFault, kNotSent},
         false,
         false},
        {"no reply to the site read-back",
         silentAfter(kSiteReadBack),
         {kConnectionFault, kNotSent},
         true,
         false},
        {"site read-back differs",
         [](SimulatedPanel& p) {
             SimPanelOptions o;
             o.flipReadback = true;
             p.SetOptions(o);
         },
         {kNotSent},
         true,
         false},
        {"a loop block not answered",
         silentAfter(kFirstLoopBlock + 3),
         {kPageFault, kNotSent},
         true,
         true},
        {"no reply to the loop read-back",
         silentAfter(kLoopReadBack),
         {kConnectionFault, kNotSent},
         true,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Reset();
        panel->LoadDemo();
        panel->SetOptions({});
        EditedSite();
        const uint32_t storeBefore = StoreChecksum();
        const std::string versionBefore = SettingGet("FirmwareVersion");
        std::vector<uint8_t> image(kSiteImageSize);
        SiteImageEncode(image.data());
        row.inject(*panel);

        EXPECT_EQ(SendSettingsJob(session, kNoBackup), row.messages.back() == kSent ? 1 : 0);
        EXPECT_EQ(ui.Messages(), row.messages);
        EXPECT_EQ(panel->ReadPayload(kSiteDataAddress, kSiteImageSize) == image, row.siteWritten);
        auto requests = panel->Requests();
        const bool loopTouched =
            std::any_of(requests.begin(), requests.end(), [](const SimRequest& r) {
                const bool program = Command(r) == kCmdProgram || Command(r) == kCmdErasePage;
                return (program && Address(r) >= kLoopDataAddress &&
                        Address(r) < kSiteDataAddress) ||
                       (Command(r) == kCmdWriteLog && Address(r) == kLogLoopChecksum);
            });
        EXPECT_EQ(loopTouched, row.loopTouched);
        // A block that was not answered ends programming without a ProgramEnd.
        if (row.messages[0] == kPageFault) {
            EXPECT_EQ(OfCommand(requests, kCmdProgramEnd).size(), row.loopTouched ? 1u : 0u);
        }
        // The store is only read, apart from the firmware version.
        SettingPut("FirmwareVersion", versionBefore.c_str());
        EXPECT_EQ(StoreChecksum(), storeBefore);
    }
}

// Before anything is written the panel's site is saved: the backup is what a
// get of the panel would give without the logs, byte for byte as a site
// file, and each send makes a new file.
TEST_F(SendJobTest, BackupComesFirst) {
    ASSERT_EQ(GetSettingsJob(session, nullptr), 1);
    for (const char* name : {"AlarmCount", "PanelData"})
        SettingDelete(name);
    for (int n = 1; n <= 1000; ++n) {
        SettingDelete(("FireEvent_" + std::to_string(n)).c_str());
        SettingDelete(("NonFireEvent_" + std::to_string(n)).c_str());
    }
    const std::string expected = Write("expected.psf", "");
    ASSERT_TRUE(SiteFileWrite(expected.c_str()));
    EditedSite();

    const std::string folder = Path("backups");
    const SendOptions options{true, folder};
    ASSERT_EQ(SendSettingsJob(session, options), 1);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    const std::string first = files[0].string();
    EXPECT_EQ(Read(first), Read(expected));
    EXPECT_TRUE(files[0].filename().string().starts_with("DEMO_SITE-")) << first;
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{
                  "Settings have been sent to the panel\r\nThe panel's previous settings are "
                  "saved in " +
                  first + "|Success|none"});
    // The backup's reads come before anything that writes.
    const auto requests = panel->Requests();
    const auto firstWrite = std::find_if(requests.begin(), requests.end(), [](const SimRequest& r) {
        return Command(r) == kCmdWriteLog || Command(r) == kCmdErasePage;
    });
    EXPECT_EQ(std::count_if(requests.begin(), firstWrite,
                            [](const SimRequest& r) { return Command(r) == kCmdReadData; }),
              1 + 205 + 103 + 1 + 1); // identity, backup, firmware version of the send

    // A second send within the same second keeps the first backup.
    ASSERT_EQ(SendSettingsJob(session, options), 1);
    files.clear();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(Read(first), Read(expected));
}

TEST_F(SendJobTest, NothingIsWrittenWithoutABackup) {
    const std::string refused = ", so nothing has been written to the panel";
    struct Row {
        const char* what;
        std::function<void()> inject;
        std::string folder;
        std::vector<std::string> messages;
    };
    const std::string notAFolder = Write("file", "not a folder");
    const Row rows[] = {
        {"the backup read fails",
         [&] { panel->DropReply(100); },
         Path("backups"),
         {kConnectionFault,
          "The panel's current settings could not be read for a backup" + refused +
              "|M720 Commissioning software Error|stop",
          kNotSent}},
        {"the site data are in no known format",
         [&] {
             // A newer panel's site, with the check value its send wrote.
             panel->SetProgramByte(2 * kSiteDataAddress, 3);
             StoreSiteCheckValue();
         },
         Path("backups"),
         {"The panel's current site data are in a format that cannot be kept as a backup" +
              refused + "|M720 Commissioning software Error|stop",
          kNotSent}},
        {"the backup cannot be saved",
         [] {},
         notAFolder + "/backups",
         {"The backup of the panel's current settings could not be saved as " + notAFolder +
              "/backups/DEMO_SITE-" + "*" + refused + "|M720 Commissioning software Error|stop",
          kNotSent}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Reset();
        panel->LoadDemo();
        panel->SetOptions({});
        EditedSite();
        row.inject();
        const std::vector<uint8_t> before = panel->State();
        EXPECT_EQ(SendSettingsJob(session, SendOptions{true, row.folder}), 0);
        std::vector<std::string> messages = ui.Messages();
        // The file name carries the time: compare up to it.
        if (messages.size() == row.messages.size() &&
            row.messages[0].find('*') != std::string::npos) {
            const size_t star = row.messages[0].find('*');
            EXPECT_EQ(messages[0].substr(0, star), row.messages[0].substr(0, star));
            EXPECT_TRUE(messages[0].ends_with(row.messages[0].substr(star + 1))) << messages[0];
            messages[0] = row.messages[0];
        }
        EXPECT_EQ(messages, row.messages);
        EXPECT_EQ(panel->State(), before);
        for (const SimRequest& r : panel->Requests())
            EXPECT_TRUE(Command(r) == kCmdReadData || Command(r) == kCmdReadLog ||
                        Command(r) == kCmdQuery)
                << int(Command(r));
    }

    // A blank panel has no site to keep: the send goes on and says so.
    Reset();
    panel->LoadDemo();
    EditedSite();
    const std::vector<uint8_t> erased(kSiteImageSize, 0xFF);
    panel->WritePayload(kSiteDataAddress, erased.data(), erased.size());
    EXPECT_EQ(SendSettingsJob(session, SendOptions{true, Path("blank")}), 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Settings have been sent to the panel\r\nThe "
                                                      "panel held no site, so no backup was "
                                                      "made|Success|none"});
    EXPECT_FALSE(std::filesystem::exists(Path("blank")));

    // A send stopped among its erases: the first page blank, the others old,
    // and the new check value already written. Nothing is left to keep, and
    // the panel must not be locked out of the send that mends it.
    for (const bool sameFormat : {false, true}) {
        SCOPED_TRACE(sameFormat ? "unknown format, matching value" : "stopped among the erases");
        Reset();
        panel->LoadDemo();
        EditedSite();
        const std::vector<uint8_t> blankPage(kPageSize, 0xFF);
        panel->WritePayload(kSiteDataAddress, blankPage.data(), blankPage.size());
        if (sameFormat)
            StoreSiteCheckValue();
        EXPECT_EQ(SendSettingsJob(session, SendOptions{true, Path("stopped")}), sameFormat ? 0 : 1);
        EXPECT_EQ(ui.Messages().back(),
                  sameFormat ? kNotSent
                             : "Settings have been sent to the panel\r\nThe panel's site data "
                               "were left partly erased by a send that did not finish, so no "
                               "backup was made|Success|none");
        EXPECT_FALSE(std::filesystem::exists(Path("stopped")));
    }
}

// A send stopped part way leaves the panel with check values that its data
// do not match; the next get says so and fails, with the data loaded.
TEST_F(SendJobTest, AGetAfterAnInterruptedSendShowsTheMismatch) {
    EditedSite();
    SimPanelOptions silent;
    silent.silentAfter = 3; // identity, firmware version, site checksum
    panel->SetOptions(silent);
    ASSERT_EQ(SendSettingsJob(session, kNoBackup), 0);
    panel->SetOptions({});
    Reset();
    ui.seen.clear();
    GetJobResult result;
    EXPECT_EQ(GetSettingsJob(session, &result), 0);
    EXPECT_TRUE(result.siteAccepted);
    EXPECT_FALSE(result.checkValuesMatch);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{std::string(kCheckValueMismatchText) +
                                                      "|M720 Commissioning software Error|stop"});
    EXPECT_EQ(std::string(SettingGet("DeviceText_1")), std::string(20, '\xFF'));
}

} // namespace
