#include "sim/panel_simulator.h"

#include "codec/block_checksum.h"
#include "codec/loop_records.h"
#include "codec/site_image.h"
#include "link/panel_protocol.h"
#include "model/file_io.h"
#include "model/loaded_checksum.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Strict: the whole text is a decimal or 0x-hex number that fits 32 bits.
bool ParseOptionNumber(const std::string& text, uint32_t* value) {
    size_t i = 0;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    }
    if (i >= text.size())
        return false;
    uint64_t v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFu)
            return false;
    }
    *value = static_cast<uint32_t>(v);
    return true;
}

bool WantsReply(uint8_t command) {
    return command == kCmdQuery || command == kCmdReadData || command == kCmdReadLog ||
           command == kCmdWriteLog;
}

} // namespace

bool ParseSimOption(const std::string& option, SimPanelOptions* options, bool* badValue) {
    if (badValue)
        *badValue = false;
    if (option == "flip-readback") {
        options->flipReadback = true;
        return true;
    }
    size_t eq = option.find('=');
    if (eq == std::string::npos)
        return false;
    std::string name = option.substr(0, eq);
    if (name != "latency-ms" && name != "silent-after" && name != "end")
        return false;
    uint32_t value = 0;
    if (!ParseOptionNumber(option.substr(eq + 1), &value) ||
        (name == "latency-ms" && value > 60000)) {
        if (badValue)
            *badValue = true;
        return false;
    }
    if (name == "latency-ms")
        options->latencyMs = static_cast<int>(value);
    else if (name == "silent-after")
        options->silentAfter = value;
    else
        options->end = value;
    return true;
}

SimulatedPanel::SimulatedPanel()
    : SimulatedHidDevice(HidAttributes{kPanelVendorId, kPanelProductId, 0x0100}),
      program_(kSimProgramBytes, 0xFF), log_(kSimLogBytes, 0xFF) {}

void SimulatedPanel::SetOptions(const SimPanelOptions& options) {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    options_ = options;
    answered_ = 0;
    wanted_ = 0;
    dropped_.clear();
}

std::vector<uint8_t> SimulatedPanel::State() const {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    std::vector<uint8_t> state(program_);
    state.insert(state.end(), log_.begin(), log_.end());
    return state;
}

bool SimulatedPanel::SetState(const std::vector<uint8_t>& state) {
    if (state.size() != kSimStateSize)
        return false;
    std::lock_guard<std::mutex> hold(memoryMutex_);
    std::copy(state.begin(), state.begin() + kSimProgramBytes, program_.begin());
    std::copy(state.begin() + kSimProgramBytes, state.end(), log_.begin());
    ++writes_;
    return true;
}

uint8_t SimulatedPanel::ProgramByte(size_t index) const {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    return index < program_.size() ? program_[index] : 0xFF;
}

void SimulatedPanel::SetProgramByte(size_t index, uint8_t value) {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    if (index < program_.size())
        program_[index] = value;
    ++writes_;
}

uint8_t SimulatedPanel::LogByte(size_t index) const {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    return index < log_.size() ? log_[index] : 0xFF;
}

void SimulatedPanel::SetLogByte(size_t index, uint8_t value) {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    if (index < log_.size())
        log_[index] = value;
    ++writes_;
}

uint64_t SimulatedPanel::Writes() const {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    return writes_;
}

std::vector<uint8_t> SimulatedPanel::ReadPayload(uint32_t address, size_t bytes) const {
    std::vector<uint8_t> out(bytes);
    for (size_t i = 0; i < bytes; ++i)
        out[i] = ProgramByte(2 * (static_cast<size_t>(address) + i / 2 * 2) + i % 2);
    return out;
}

void SimulatedPanel::WritePayload(uint32_t address, const uint8_t* data, size_t bytes) {
    for (size_t i = 0; i < bytes; i += 2) {
        size_t at = 2 * (static_cast<size_t>(address) + i);
        SetProgramByte(at, data[i]);
        SetProgramByte(at + 1, i + 1 < bytes ? data[i + 1] : 0);
        SetProgramByte(at + 2, 0);
        SetProgramByte(at + 3, 0);
    }
}

std::vector<SimRequest> SimulatedPanel::Requests() const {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    return requests_;
}

void SimulatedPanel::ClearRequests() {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    requests_.clear();
}

void SimulatedPanel::DropReply(int64_t index) {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    dropped_.push_back(index);
}

int64_t SimulatedPanel::Answered() const {
    std::lock_guard<std::mutex> hold(memoryMutex_);
    return answered_;
}

void SimulatedPanel::OnOutputReport(const uint8_t* r) {
    uint8_t reply[kHidReportSize] = {};
    bool answer = false;
    int latency = 0;
    {
        std::lock_guard<std::mutex> hold(memoryMutex_);
        SimRequest request;
        std::memcpy(request.data(), r, kHidReportSize);
        requests_.push_back(request);

        const uint8_t command = r[kPacketCommand];
        const uint64_t address = Le32(r + kPacketAddress);
        const int length = std::min<int>(r[kPacketLength], kPacketDataSize);
        reply[kPacketCommand] = command;
        std::memcpy(reply + kPacketAddress, r + kPacketAddress, 4);

        if (command == kCmdWriteLog || command == kCmdProgram || command == kCmdErasePage)
            ++writes_;
        switch (command) {
        case kCmdQuery:
            PutLe32(reply + 5, kFirmwareAddress);
            PutLe32(reply + 9, options_.end - kFirmwareAddress);
            break;
        case kCmdReadData:
            // 15 words, 4 bytes each, right-aligned: the last word has room
            // for its two payload bytes only.
            reply[kPacketLength] = kPacketDataSize;
            for (int off = kPacketSize - kPacketDataSize, k = 0; off < kPacketSize; ++off, ++k) {
                uint64_t at = 2 * (address + 2 * static_cast<uint64_t>(k / 4)) + k % 4;
                reply[off] = at < program_.size() ? program_[at] : 0xFF;
            }
            if (options_.flipReadback)
                reply[kPacketSize - kPacketDataSize] ^= 0x01;
            break;
        case kCmdReadLog:
            reply[kPacketLength] = kPacketDataSize;
            for (int i = 0; i < kPacketDataSize; ++i)
                reply[kPacketData + i] = address + i < log_.size() ? log_[address + i] : 0xFF;
            break;
        case kCmdWriteLog:
            for (int i = 0; i < length; ++i)
                if (address + i < log_.size())
                    log_[address + i] = r[kPacketData + i];
            break;
        case kCmdProgram: {
            // Flash: programming can only clear bits; an erase sets them.
            const int words = length / 4;
            for (int w = 0; w < words; ++w) {
                const uint8_t* src = r + kPacketSize - length + 4 * w;
                uint64_t at = 2 * (address + 2 * static_cast<uint64_t>(w));
                for (int k = 0; k < 4; ++k)
                    if (at + k < program_.size())
                        program_[at + k] &= src[k];
            }
            break;
        }
        case kCmdErasePage: {
            uint64_t page = address - address % kPageSize;
            for (uint64_t at = 2 * page; at < 2 * (page + kPageSize) && at < program_.size(); ++at)
                program_[at] = 0xFF;
            break;
        }
        default: // ProgramEnd and unknown commands: nothing to answer
            break;
        }

        if (WantsReply(command)) {
            const int64_t index = wanted_++;
            answer = (options_.silentAfter < 0 || index < options_.silentAfter) &&
                     std::find(dropped_.begin(), dropped_.end(), index) == dropped_.end();
            if (answer)
                ++answered_;
            latency = options_.latencyMs;
        }
    }
    if (answer)
        PushInput(reply, latency);
}

namespace {

struct DemoBlocks {
    std::vector<uint8_t> image;
    std::vector<uint8_t> loop;
    uint16_t siteChecksum = 0;
    uint16_t loopChecksum = 0;
};

// Built once with the codec in a store of its own (never freed, so the
// current store can never be left pointing at released memory), so that the
// demo is always a site the program itself would send.
DemoBlocks MakeDemoBlocks() {
    static SettingsStore demo;
    DemoBlocks blocks;
    const uint32_t loaded = LoadedChecksum();
    SettingsStore* previous = StoreSelect(nullptr);
    StoreInit(&demo);
    StoreSelect(&demo);
    FillSiteDefaults();
    SettingPut("SiteName", "DEMO SITE");
    SettingPut("SiteAddress", "1 Station Road");
    SettingPut("SiteEngineer", "Commissioning");
    SettingPut("ZoneText_1", "   GROUND FLOOR     ");
    SettingPut("ZoneText_2", "    FIRST FLOOR     ");
    struct DemoDevice {
        int address;
        const char* serial;
        uint8_t type;
        int zone;
        const char* text;
    };
    static const DemoDevice kDevices[] = {
        {1, "1A2B01", 0x21, 1, "   RECEPTION        "},
        {2, "1A2B02", 0x21, 1, "   OFFICE 1         "},
        {3, "1A2B03", 0x22, 1, "   OFFICE 2         "},
        {4, "1A2B04", 0x01, 1, "   KITCHEN          "},
        {5, "1A2B05", 0x40, 1, "   FRONT DOOR MCP   "},
        {6, "1A2B06", 0x87, 1, "   HALL SOUNDER     "},
        {7, "1A2B07", 0xD0, 1, "   CORRIDOR         "},
        {8, "1A2B08", 0x83, 1, "   DOOR HOLDER      "},
        {9, "1A2B09", 0x48, 1, "   SPRINKLER FLOW   "},
        {10, "1A2B0A", 0x9E, 1, "   STAIRS VAD       "},
        {11, "2B3C01", 0x21, 2, "   MEETING ROOM     "},
        {12, "2B3C02", 0x21, 2, "   OFFICE 3         "},
        {13, "2B3C03", 0x24, 2, "   SERVER ROOM      "},
        {14, "2B3C04", 0x23, 2, "   PLANT ROOM       "},
        {15, "2B3C05", 0x40, 2, "   REAR EXIT MCP    "},
        {16, "2B3C06", 0xD1, 2, "   LANDING          "},
        {17, "2B3C07", 0x81, 2, "   PLANT SHUTDOWN   "},
        {18, "2B3C08", 0xA1, 2, "   TOILETS VAD      "},
        {19, "2B3C09", 0x82, 2, "   LIFT INTERFACE   "},
        {20, "2B3C0A", 0x88, 2, "   STORE SOUNDER    "},
    };
    char name[64];
    char value[16];
    for (const DemoDevice& d : kDevices) {
        std::snprintf(name, sizeof name, "SNum_%d", d.address);
        SettingPut(name, d.serial);
        std::snprintf(name, sizeof name, "Type_%d", d.address);
        std::snprintf(value, sizeof value, "%d", d.type);
        SettingPut(name, value);
        std::snprintf(name, sizeof name, "Version_%d", d.address);
        SettingPut(name, "31");
        std::snprintf(name, sizeof name, "Zone_%d", d.address);
        std::snprintf(value, sizeof value, "%d", d.zone);
        SettingPut(name, value);
        std::snprintf(name, sizeof name, "DeviceText_%d", d.address);
        SettingPut(name, d.text);
    }
    blocks.image.resize(kSiteImageSize);
    blocks.siteChecksum = SiteImageEncode(blocks.image.data());
    blocks.loop.resize(kLoopBlockSize);
    for (int n = 1; n <= kLoopAddresses; ++n)
        LoopRecordEncode(blocks.loop.data() + kLoopRecordSize * (n - 1), n);
    blocks.loopChecksum = BlockChecksum(blocks.loop.data(), blocks.loop.size());
    if (previous)
        StoreSelect(previous);
    SetLoadedChecksum(loaded);
    return blocks;
}

} // namespace

void SimulatedPanel::LoadDemo() {
    static const DemoBlocks blocks = MakeDemoBlocks();
    const std::vector<uint8_t>& image = blocks.image;
    const std::vector<uint8_t>& loop = blocks.loop;
    const uint16_t siteChecksum = blocks.siteChecksum;
    const uint16_t loopChecksum = blocks.loopChecksum;

    {
        std::lock_guard<std::mutex> hold(memoryMutex_);
        std::fill(program_.begin(), program_.end(), 0xFF);
        std::fill(log_.begin(), log_.end(), 0x00);
        ++writes_;
    }
    // Erased pages with the two settings regions programmed.
    for (uint32_t a = kLoopDataAddress; a < kSiteDataAddress + kSiteImageSize; a += 2)
        for (int k = 0; k < 4; ++k)
            SetProgramByte(2 * static_cast<size_t>(a) + k, 0);
    WritePayload(kSiteDataAddress, image.data(), image.size());
    WritePayload(kLoopDataAddress, loop.data(), loop.size());
    const char version[] = "10231045"; // shown as 1.023 / 1.045
    const char type[] = "M720      ";
    WritePayload(kFirmwareVersionAddress, reinterpret_cast<const uint8_t*>(version), 8);
    WritePayload(kFirmwareTypeAddress, reinterpret_cast<const uint8_t*>(type), 10);

    // Event log: code, place, time (seconds since 1970, little-endian).
    struct DemoEvent {
        uint8_t code;
        uint8_t place;
        uint32_t time;
    };
    static const DemoEvent kFire[] = {
        {0x05, 3, 1704103200}, {0x00, 0, 1704103205}, {0x85, 3, 1704103500}};
    static const DemoEvent kNonFire[] = {{0x06, 17, 1704200000}, {0x86, 17, 1704200600}};
    auto putEvent = [&](uint32_t at, const DemoEvent& e) {
        SetLogByte(at, e.code);
        SetLogByte(at + 1, e.place);
        for (int i = 0; i < 4; ++i)
            SetLogByte(at + 2 + i, static_cast<uint8_t>(e.time >> (8 * i)));
    };
    for (size_t i = 0; i < std::size(kFire); ++i)
        putEvent(kLogFireEvents + 8 * static_cast<uint32_t>(i), kFire[i]);
    for (size_t i = 0; i < std::size(kNonFire); ++i)
        putEvent(kLogNonFireEvents + 8 * static_cast<uint32_t>(i), kNonFire[i]);
    auto put16 = [&](uint32_t at, uint16_t v) {
        SetLogByte(at, static_cast<uint8_t>(v));
        SetLogByte(at + 1, static_cast<uint8_t>(v >> 8));
    };
    put16(kLogSiteChecksum, siteChecksum);
    put16(kLogLoopChecksum, loopChecksum);
    put16(kLogAlarmCount, 1);
    put16(kLogFireCount, static_cast<uint16_t>(std::size(kFire)));
    put16(kLogNonFireCount, static_cast<uint16_t>(std::size(kNonFire)));
    // The six bytes from the fire count on must add up to 0x5A.
    uint8_t sum = 0;
    for (uint32_t at = kLogFireCount; at < kLogFireCount + 4; ++at)
        sum = static_cast<uint8_t>(sum + LogByte(at));
    put16(kLogFireCount + 4, static_cast<uint8_t>(0x5A - sum));
}

bool LoadSimState(const std::string& path, SimulatedPanel* panel) {
    // One byte more than a state is read at most: a longer file is refused
    // as it is, and a device that never ends does not keep the job waiting.
    std::string bytes;
    if (!ReadFileStart(path.c_str(), kSimStateSize + 1, &bytes))
        return false;
    return panel->SetState(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

bool SaveSimState(const std::string& path, const SimulatedPanel& panel) {
    std::vector<uint8_t> state = panel.State();
    return ReplaceFile(path.c_str(), std::string(state.begin(), state.end()));
}
