// Seeded random sites and random panel blocks through the codec.
#include "codec_fixture.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

using CodecPropertyTest = SiteStoreTest;

constexpr int kSeeds = 40;

struct DetailField {
    const char* name;
    size_t size;
};
constexpr DetailField kDetails[] = {
    {"SiteName", 32},      {"SiteNumber", 7},      {"SiteContact", 32},
    {"SiteAddress", 64},   {"SitePostcode", 8},    {"SitePhone", 16},
    {"SiteComments", 256}, {"SiteEngineer", 16},   {"SiteCommission", 16},
    {"SiteResistance", 8}, {"SiteQuiescent", 8},   {"SiteAlarm", 8},
    {"SiteBattery", 8},    {"SiteBatteryType", 8}, {"SiteBatteryInstallation", 16},
};
const char* const kCodes[] = {"UserCode", "UserCode2", "EngineerCode", "AdvancedCode"};

std::string N(const char* base, int a) {
    return std::string(base) + "_" + std::to_string(a);
}

// The encoder's normalisation of texts that it does not rewrite in the store:
// slot texts go out as exactly 20 characters padded on the left, site details
// are cut to their field, access codes lack nothing (missing digits are 0).
Snapshot AsThePanelHoldsIt(Snapshot site) {
    for (auto& [name, value] : site) {
        if (name.rfind("DeviceText_", 0) == 0 || name.rfind("ZoneText_", 0) == 0 ||
            name.rfind("BannerText_", 0) == 0) {
            char slot[21];
            std::snprintf(slot, sizeof slot, "%20.20s", value.c_str());
            value = slot;
        }
        for (const DetailField& d : kDetails)
            if (name == d.name && value.size() > d.size - 1)
                value.resize(d.size - 1);
        for (const char* code : kCodes)
            if (name == code && value.size() < 6)
                value.resize(6, '0');
    }
    return site;
}

class Random {
  public:
    explicit Random(unsigned seed) : engine_(seed) {}
    unsigned Below(unsigned n) {
        return std::uniform_int_distribution<unsigned>(0, n - 1)(engine_);
    }
    std::string Text(size_t maxLength) {
        std::string text(Below(static_cast<unsigned>(maxLength) + 1), ' ');
        for (char& c : text)
            c = static_cast<char>(Below(2) ? 32 + Below(95) : 1 + Below(255)); // any non-NUL byte
        return text;
    }
    std::string Number(unsigned below) { return std::to_string(Below(below)); }
    std::string FiveSeconds(unsigned maxUnits) {
        unsigned seconds = 5 * Below(maxUnits + 1);
        char text[16];
        std::snprintf(text, sizeof text, "%u:%02u", seconds / 60, seconds % 60);
        return text;
    }

  private:
    std::mt19937 engine_;
};

// A valid site: every setting that the panel blocks carry, with values within
// their ranges.
void BuildRandomSite(Random& r) {
    FillSiteDefaults();
    auto put = [](const std::string& name, const std::string& value) {
        SettingPut(name.c_str(), value.c_str());
    };
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", r.Below(0xFFFFFFFFu));
    put("PanelSnum", hex);
    put("SFRevision", r.Below(2) ? "2" : "1");
    for (const char* name :
         {"PanelType", "NumZones", "MaxLoggedDev", "OverlayType", "Language", "ServiceReminderDays",
          "ConvAlarmOpGroup", "TalkingSndSyncTime", "CoincidenceInputGroups", "FaultRelayMode",
          "FireRelayMode", "WalkTestTimeout", "PulsingAlarmTimeoutTone"})
        put(name, r.Number(256));
    put("ContractorCode", r.Number(65536));
    put("BeaconFlashrate", r.Number(3));
    put("DisplayMode", r.Number(4));
    put("DisabledOPGroups", std::to_string(static_cast<int32_t>(r.Below(0xFFFFFFFFu))));
    for (const char* name :
         {"FireLinkDelay", "FirstKnockSearchTime", "SearchTime", "PulsingAlarmTimeoutTime"})
        put(name, r.FiveSeconds(120));
    for (int o = 1; o <= 32; ++o) {
        put(N("OutputDelay", o), r.FiveSeconds(120));
        put(N("OutputDelayT2", o), r.FiveSeconds(240));
    }
    for (const char* name : {"PulseOnTime", "PulseOffTime"}) {
        unsigned halves = 1 + r.Below(255);
        put(name, std::to_string(halves / 2) + (halves % 2 ? ".5" : ".0"));
    }
    for (const char* name : {"DayNightOnTime", "DayNightOffTime"}) {
        char text[16];
        std::snprintf(text, sizeof text, "%u:%02u", r.Below(24), r.Below(60));
        put(name, text);
    }
    for (const char* code : kCodes) {
        std::string digits;
        for (int i = 0; i < 6; ++i)
            digits += static_cast<char>('0' + r.Below(10));
        put(code, digits);
    }
    for (const char* flag :
         {"FlashOnPoll",      "MaleVoice",    "Beacon",         "ClassBeacon",
          "RemoteAlarmInput", "RaiControl",   "DayNightIp",     "BeaconFlashUntil",
          "TsSpokenTest",     "TsSpokenMess", "TsElectronic",   "TsBellSound",
          "ClassChange",      "2ndKnock",     "SecondFireLink", "FlashFirstDG",
          "CancelDelays",     "FBP",          "FBP_NoDisplay",  "Serial"})
        put(flag, r.Number(2));
    const char codes[] = "OCPW";
    for (int g = 1; g <= 32; ++g)
        for (int o = 1; o <= 32; ++o)
            put("Matrix_" + std::to_string(g) + "_" + std::to_string(o),
                std::string(1, codes[r.Below(4)]));
    for (int z = 1; z <= 32; ++z) {
        put(N("AlarmType", z), r.Number(4));
        put(N("ZoneText", z), r.Text(24));
    }
    for (int i = 1; i <= 4; ++i)
        put(N("BannerText", i), r.Text(24));
    for (const DetailField& d : kDetails)
        put(d.name, r.Text(d.size + 4));
    for (int n = 1; n <= 192; ++n) {
        put(N("DeviceText", n), r.Text(24));
        if (r.Below(3) == 0)
            continue; // an empty address keeps its defaults
        std::snprintf(hex, sizeof hex, "%06X",
                      r.Below(4) ? r.Below(0x1000000) : r.Below(0xFFFFFFFFu));
        put(N("SNum", n), hex);
        for (const char* name : {"Type", "Version", "OPGroup", "IPGroup", "MapNode", "Zone",
                                 "RptGroup", "DisplayGroup"})
            put(N(name, n), r.Number(256));
        put(N("Sens1", n), r.Number(6));
        put(N("Sens2", n), r.Number(6));
        put(N("Class", n), r.Number(9));
        put(N("Volume", n), std::string(r.Below(3) == 0 ? "2" : r.Below(2) ? "4" : "15"));
        put(N("Coverage", n), r.Number(3));
        if (r.Below(2))
            put(N("NonLatching", n), "1");
    }
}

TEST_F(CodecPropertyTest, RandomValidSitesComeBackFromTheirBlocks) {
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        Reset();
        Random r(seed);
        BuildRandomSite(r);
        uint16_t checksum = 0;
        Bytes image = EncodeImage(&checksum);
        Bytes loop = EncodeLoopBlock();
        Snapshot expected = AsThePanelHoldsIt(TakeSnapshot());
        if (expected["SFRevision"] == "1")
            expected["UserCode2"] = "000000"; // version 1 has no room for it

        ASSERT_EQ(SiteImageDecode(image.data()), 1) << seed;
        DecodeLoopBlock(loop);
        ASSERT_EQ(SnapshotDiff(TakeSnapshot(), expected), "") << "seed " << seed;
        // Both ways: the decoded site gives the same blocks again.
        uint16_t again = 0;
        ASSERT_EQ(EncodeImage(&again), image) << seed;
        if (expected["SFRevision"] == "2") { // else the first sum held the lost UserCode2
            ASSERT_EQ(again, checksum) << seed;
        }
        ASSERT_EQ(EncodeLoopBlock(), loop) << seed;
    }
}

TEST_F(CodecPropertyTest, RandomBlocksDecodeSafelyAndReachAFixedPointInOneStep) {
    std::mt19937 engine(20240601);
    for (int round = 0; round < kSeeds; ++round) {
        Bytes image(kSiteImageSize);
        Bytes loop(kLoopBlockSize);
        for (uint8_t& b : image)
            b = static_cast<uint8_t>(engine());
        for (uint8_t& b : loop)
            b = static_cast<uint8_t>(engine());
        // Mostly hostile bytes; every few rounds long runs without NUL bytes
        // so texts reach the ends of their fields.
        if (round % 4 == 0)
            std::fill(image.begin() + 334, image.end(), static_cast<uint8_t>('A' + round % 26));
        PutLe16(image, 0, 1 + round % 2);

        Reset();
        ASSERT_EQ(SiteImageDecode(image.data()), 1);
        DecodeLoopBlock(loop);
        Bytes image2 = EncodeImage(); // normalises the time texts in the store
        Bytes loop2 = EncodeLoopBlock();
        Snapshot expected = AsThePanelHoldsIt(TakeSnapshot());

        ASSERT_EQ(SiteImageDecode(image2.data()), 1);
        DecodeLoopBlock(loop2);
        ASSERT_EQ(SnapshotDiff(TakeSnapshot(), expected), "") << "round " << round;
        ASSERT_EQ(EncodeImage(), image2) << round;
        ASSERT_EQ(EncodeLoopBlock(), loop2) << round;
    }
}

TEST_F(CodecPropertyTest, HostileSettingTextsEncodeSafelyAndNormaliseOnce) {
    // Texts that a site file may carry in any setting: long, signed, with
    // colons, points, exponents, letters and high bytes.
    const char alphabet[] = "0123456789::..--++eExX \t/abcZ\x80\xFF";
    std::mt19937 engine(7);
    for (int round = 0; round < kSeeds / 4; ++round) {
        Reset();
        FillSiteDefaults();
        SettingsStore* current = StoreSelect(nullptr);
        for (int i = 0; i < kStoreSlotCount; ++i) {
            SettingRecord* record = current->slotTable[i].record;
            if (!record)
                continue;
            size_t length = engine() % 4 == 0 ? kSettingValueSize - 1 : engine() % 12;
            for (size_t k = 0; k < length; ++k)
                record->value[k] = alphabet[engine() % (sizeof alphabet - 1)];
            record->value[length] = 0;
        }
        Bytes image = EncodeImage();
        Bytes loop = EncodeLoopBlock();
        ASSERT_EQ(EncodeImage(), image) << round; // the rewritten texts are stable
        ASSERT_EQ(EncodeLoopBlock(), loop) << round;
    }
}

} // namespace
