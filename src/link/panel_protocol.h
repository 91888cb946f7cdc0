#pragma once
// The panel's request/reply protocol over the panel link: read and program
// program memory, erase its pages, read and write log memory. One request in
// flight at a time; the first input report that arrives is the reply.
//
// Operations that fail show their one fault message through the session's
// LinkUi ("Fault with connection to panel" or "Can't program page!", caption
// kErrorCaption, stop icon) after closing the progress display, and give 0.

#include "codec/panel_memory.h"
#include "link/hid_transport.h"
#include "link/link_ui.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kPacketSize = kHidReportSize;
constexpr int kPacketDataSize = 58; // bytes 7..64

// Packet layout.
constexpr int kPacketCommand = 1;
constexpr int kPacketAddress = 2; // 32-bit little-endian
constexpr int kPacketLength = 6;
constexpr int kPacketData = 7;

// Commands.
constexpr uint8_t kCmdQuery = 0x02;
constexpr uint8_t kCmdProgram = 0x05;
constexpr uint8_t kCmdProgramEnd = 0x06;
constexpr uint8_t kCmdReadData = 0x07;
constexpr uint8_t kCmdErasePage = 0x09;
constexpr uint8_t kCmdReadLog = 0x0A;
constexpr uint8_t kCmdWriteLog = 0x0B;

// Every job allocates its transfer buffers zero-filled with this size.
constexpr size_t kTransferBufferSize = 32768;

// After this many replies in a row that carry no data, a read gives up as on
// a missing reply (a panel answering with length 0 would otherwise be asked
// for the same address forever).
constexpr int kEmptyReplyLimit = 20;

constexpr char kConnectionFaultText[] = "Fault with connection to panel";
constexpr char kPageFaultText[] = "Can't program page!";

// What a job talks to: the link of its panel and its user interface.
struct PanelSession {
    PanelLink* link = nullptr;
    LinkUi* ui = nullptr;
    // When set, made true as the first request that changes the panel's
    // memory (WriteLog, ErasePage, Program, ProgramEnd) is sent, so a face
    // can tell an engineer whether a stopped or failed job changed the panel.
    std::atomic<bool>* changed = nullptr;
};

// SendReport, up to 4 attempts; the outcome is not passed on (a lost request
// shows up as a missing reply).
void SendPacket(PanelSession& s, const uint8_t* packet, uint16_t length = kPacketSize);

// Waits up to 500 ms for the next input report, copying its first length
// bytes to destination (may be nullptr with length 0). 1 = a reply came.
int AwaitReply(PanelSession& s, uint8_t* destination, uint8_t length);

// Sends a Query and waits for its reply. 1 = answered, *endAddress = the
// firmware region's end (exclusive) from the reply; 0 = no reply, no message.
int QueryPanel(PanelSession& s, uint64_t* endAddress);

int WriteLogMemory(PanelSession& s, const uint8_t* source, uint32_t address, uint16_t count);
int ReadProgramData(PanelSession& s, uint8_t* destination, uint32_t address, uint16_t count);
// Gives 8192 bytes.
int ReadLogMemory(PanelSession& s, uint8_t* destination);

// ErasePage then a Query; 1 = the panel answered, 0 = not (no message).
int EraseProgramPage(PanelSession& s, uint32_t pageAddress);

// Settings data: 2 payload bytes per word, 14 words per Program block, each
// block followed by a Query; a ProgramEnd at the end.
int ProgramDataWords(PanelSession& s, const uint8_t* source, uint32_t address, uint32_t count);

// Firmware: 4 image bytes per word for the addresses start up to end
// (exclusive); source holds the bytes of address start onwards, sourceSize of
// them (bytes past it are sent as 0xFF). Progress runs as address * 100 / end.
int ProgramFirmwareWords(PanelSession& s, const uint8_t* source, size_t sourceSize, uint32_t start,
                         uint32_t end);

void ProgramEnd(PanelSession& s);

// Reads the 8 firmware version characters from 0x5112 into destination (9
// bytes, NUL-terminated; may be nullptr) and sets "FirmwareVersion" in the
// current store to the display form, or to "0" when the panel does not
// answer. 1 = read.
int ReadFirmwareVersion(PanelSession& s, char* destination);
