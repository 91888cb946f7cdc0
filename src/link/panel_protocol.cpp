#include "link/panel_protocol.h"

#include "codec/hex_file.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kReplyWait = std::chrono::milliseconds(500);
constexpr int kSendAttempts = 4;

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// A fresh request: everything the command does not use is sent as zeros.
void StartPacket(uint8_t* packet, uint8_t command, uint32_t address, uint8_t length) {
    std::memset(packet, 0, kPacketSize);
    packet[kPacketCommand] = command;
    PutLe32(packet + kPacketAddress, address);
    packet[kPacketLength] = length;
}

// The request, then the Query that asks the panel to confirm it.
void SendWithQuery(PanelSession& s, uint8_t* packet) {
    SendPacket(s, packet);
    packet[kPacketCommand] = kCmdQuery;
    SendPacket(s, packet);
}

int Fault(PanelSession& s, const char* text) {
    if (s.ui) {
        s.ui->SetProgress(-1);
        std::string message = text;
        // When no panel was found, a line of ours says which case it is.
        if (s.link && !PanelLinkIsOpen(*s.link) && std::strcmp(text, kConnectionFaultText) == 0)
            if (std::string why = PanelAbsenceText(s.link->absence); !why.empty())
                message += "\r\n" + why;
        s.ui->Message(message, kErrorCaption, MessageIcon::kStop);
    }
    return 0;
}

void Progress(PanelSession& s, uint64_t done, uint64_t total) {
    if (s.ui && total)
        s.ui->SetProgress(static_cast<int>(done * 100 / total));
}

// Counts replies that carried nothing usable; true once there were too many
// in a row to go on asking.
bool TooManyEmpty(int* emptyRun, bool gotData) {
    *emptyRun = gotData ? 0 : *emptyRun + 1;
    return *emptyRun >= kEmptyReplyLimit;
}

} // namespace

void SendPacket(PanelSession& s, const uint8_t* packet, uint16_t length) {
    if (s.changed) {
        const uint8_t command = packet[kPacketCommand];
        if (command == kCmdWriteLog || command == kCmdErasePage || command == kCmdProgram ||
            command == kCmdProgramEnd)
            s.changed->store(true);
    }
    for (int attempt = 0; attempt < kSendAttempts; ++attempt)
        if (SendReport(*s.link, packet, length) == 1)
            return;
}

int AwaitReply(PanelSession& s, uint8_t* destination, uint8_t length) {
    const auto start = Clock::now();
    for (;;) {
        const auto before = Clock::now();
        if (ReceiveReport(*s.link, destination, length) == 1)
            return 1;
        const auto now = Clock::now();
        if (now - start > kReplyWait)
            return 0;
        // A receive that failed at once (link not open, device gone) would
        // make this a busy loop: pause a little before asking again.
        if (now - before < std::chrono::milliseconds(10))
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        else
            std::this_thread::yield();
    }
}

int QueryPanel(PanelSession& s, uint64_t* endAddress) {
    uint8_t packet[kPacketSize];
    StartPacket(packet, kCmdQuery, 0, 0);
    SendPacket(s, packet);
    if (!AwaitReply(s, packet, kPacketSize))
        return 0;
    if (endAddress)
        *endAddress = static_cast<uint64_t>(Le32(packet + 5)) + Le32(packet + 9);
    return 1;
}

int WriteLogMemory(PanelSession& s, const uint8_t* source, uint32_t address, uint16_t count) {
    uint8_t packet[kPacketSize];
    uint32_t done = 0;
    while (done < count) {
        const uint32_t n = std::min<uint32_t>(kPacketDataSize, count - done);
        StartPacket(packet, kCmdWriteLog, address, static_cast<uint8_t>(n));
        std::memcpy(packet + kPacketData, source + done, n);
        address += n;
        done += n;
        SendPacket(s, packet);
        if (!AwaitReply(s, packet, kPacketSize))
            return Fault(s, kConnectionFaultText);
        Progress(s, done, count);
    }
    return 1;
}

int ReadProgramData(PanelSession& s, uint8_t* destination, uint32_t address, uint16_t count) {
    uint8_t packet[kPacketSize];
    uint32_t done = 0;
    int emptyRun = 0;
    while (done < count) {
        StartPacket(packet, kCmdReadData, address, kPacketDataSize);
        SendPacket(s, packet);
        if (!AwaitReply(s, packet, kPacketSize))
            return Fault(s, kConnectionFaultText);
        // Words are right-aligned, 4 bytes each, payload in their first two.
        // A length beyond the packet is read only as far as the packet goes;
        // a word whose payload would lie past its end is asked for again.
        const int length = std::min<int>(packet[kPacketLength], kPacketDataSize);
        const uint32_t before = done;
        for (int g = 0; g < length && done < count && kPacketSize + 1 - length + g < kPacketSize;
             g += 4) {
            destination[done++] = packet[kPacketSize - length + g];
            if (done < count)
                destination[done++] = packet[kPacketSize + 1 - length + g];
            address += 2;
        }
        if (TooManyEmpty(&emptyRun, done != before))
            return Fault(s, kConnectionFaultText);
        Progress(s, done, count);
    }
    return 1;
}

int ReadLogMemory(PanelSession& s, uint8_t* destination) {
    uint8_t packet[kPacketSize];
    uint32_t received = 0;
    uint32_t address = 0;
    int emptyRun = 0;
    while (received < kLogSize) {
        StartPacket(packet, kCmdReadLog, address, kPacketDataSize);
        SendPacket(s, packet);
        if (!AwaitReply(s, packet, kPacketSize))
            return Fault(s, kConnectionFaultText);
        const uint32_t length = std::min<uint32_t>(packet[kPacketLength], kPacketDataSize);
        const uint32_t n = std::min<uint32_t>(length, kLogSize - received);
        std::memcpy(destination + received, packet + kPacketData, n);
        received += n;
        address += n;
        if (TooManyEmpty(&emptyRun, n != 0))
            return Fault(s, kConnectionFaultText);
        Progress(s, received, kLogSize);
    }
    return 1;
}

int EraseProgramPage(PanelSession& s, uint32_t pageAddress) {
    uint8_t packet[kPacketSize];
    StartPacket(packet, kCmdErasePage, pageAddress, 0);
    SendWithQuery(s, packet);
    return AwaitReply(s, nullptr, 0);
}

int ProgramDataWords(PanelSession& s, const uint8_t* source, uint32_t address, uint32_t count) {
    uint8_t packet[kPacketSize];
    uint32_t done = 0;
    while (done < count) {
        const uint32_t remaining = count - done;
        const int length = static_cast<int>(std::min<uint32_t>(4 * ((remaining + 1) / 2), 56));
        StartPacket(packet, kCmdProgram, address, static_cast<uint8_t>(length));
        for (int g = 0; g <= 52 && g < length && done < count; g += 4) {
            packet[kPacketSize - length + g] = source[done];
            // An odd count ends with a word whose second byte is 0.
            packet[kPacketSize + 1 - length + g] = done + 1 < count ? source[done + 1] : 0;
            done += 2;
            address += 2;
        }
        SendWithQuery(s, packet);
        if (!AwaitReply(s, nullptr, 0))
            return Fault(s, kPageFaultText);
        Progress(s, std::min(done, count), count);
    }
    ProgramEnd(s);
    return 1;
}

int ProgramFirmwareWords(PanelSession& s, const uint8_t* source, size_t sourceSize, uint32_t start,
                         uint32_t end) {
    uint8_t packet[kPacketSize];
    uint64_t address = start;
    size_t i = 0;
    while (address < end) {
        const int length = static_cast<int>(std::min<uint64_t>(2 * (end - address), 56));
        StartPacket(packet, kCmdProgram, static_cast<uint32_t>(address),
                    static_cast<uint8_t>(length));
        for (int g = 0; g <= 52 && address < end; g += 4) {
            for (int k = 0; k < 4; ++k) {
                // An odd address span leaves the last word partly outside
                // the packet: only what fits is sent.
                const int at = kPacketSize - length + g + k;
                if (at < kPacketSize)
                    packet[at] = i + k < sourceSize && source ? source[i + k] : 0xFF;
            }
            i += 4;
            address += 2;
        }
        SendWithQuery(s, packet);
        if (!AwaitReply(s, nullptr, 0))
            return Fault(s, kPageFaultText);
        Progress(s, address, end);
    }
    ProgramEnd(s);
    return 1;
}

void ProgramEnd(PanelSession& s) {
    uint8_t packet[kPacketSize];
    StartPacket(packet, kCmdProgramEnd, 0, 0);
    SendPacket(s, packet);
}

int ReadFirmwareVersion(PanelSession& s, char* destination) {
    if (destination)
        destination[0] = '\0';
    char raw[9] = {};
    if (!ReadProgramData(s, reinterpret_cast<uint8_t*>(raw), kFirmwareVersionAddress, 8)) {
        SettingPut("FirmwareVersion", "0");
        return 0;
    }
    raw[8] = '\0';
    if (destination)
        std::memcpy(destination, raw, sizeof raw);
    SettingPut("FirmwareVersion", FirmwareVersionText(raw).c_str());
    return 1;
}
