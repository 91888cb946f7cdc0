#pragma once
// A stand-in M720 panel on the simulated bus. It keeps program memory (4
// bytes per word, as a firmware image) and the 8192 bytes of log memory,
// answers Query, ReadData, ReadLog and WriteLog, and applies Program,
// ErasePage and ProgramEnd without a reply, as the panel does. It records
// every request it receives.

#include "sim/simulated_hid_bus.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kSimProgramBytes = 0x55000; // addresses 0..0x2A7FF
constexpr size_t kSimLogBytes = 8192;
constexpr size_t kSimStateSize = kSimProgramBytes + kSimLogBytes; // 356352

struct SimPanelOptions {
    int latencyMs = 0;         // each reply arrives this long after its request
    int64_t silentAfter = -1;  // answers this many requests that want a reply, then none; -1 = all
    bool flipReadback = false; // one payload byte of every ReadData reply is changed
    uint32_t end = 0x2A800;    // the firmware end address that Query reports
};

// Parses one "name=value" or "flip-readback" option into options. Numbers may
// be decimal or 0x-hex. False for anything it does not know; *badValue (when
// given) then says whether the name was known and only its value was not.
bool ParseSimOption(const std::string& option, SimPanelOptions* options, bool* badValue = nullptr);

using SimRequest = std::array<uint8_t, 65>;

class SimulatedPanel : public SimulatedHidDevice {
  public:
    SimulatedPanel();

    void SetOptions(const SimPanelOptions& options);

    // Memory as the state file holds it: program memory, then log memory.
    std::vector<uint8_t> State() const;
    // False (memory unchanged) unless state holds exactly kSimStateSize bytes.
    bool SetState(const std::vector<uint8_t>& state);
    // Demo contents: a version-2 site with loop devices, texts, events with a
    // valid log check sum, and firmware "M720" with a version.
    void LoadDemo();

    // Direct access for tests (program memory address a = bytes 2a..2a+3).
    uint8_t ProgramByte(size_t index) const;
    void SetProgramByte(size_t index, uint8_t value);
    uint8_t LogByte(size_t index) const;
    void SetLogByte(size_t index, uint8_t value);
    // The payload bytes (bytes 0 and 1 of each word) of count words from address.
    std::vector<uint8_t> ReadPayload(uint32_t address, size_t bytes) const;
    void WritePayload(uint32_t address, const uint8_t* data, size_t bytes);

    // Counts the writes to memory (requests that write or erase it, and the
    // calls above that set it), changed or not: a job that leaves it as it
    // was has nothing to save.
    uint64_t Writes() const;

    std::vector<SimRequest> Requests() const;
    void ClearRequests();
    // Replies given so far to requests that want one.
    int64_t Answered() const;
    // Tests: the request with this index among those that want a reply
    // (counted from 0 since the options were set) gets none.
    void DropReply(int64_t index);

  protected:
    void OnOutputReport(const uint8_t* report) override;

  private:
    mutable std::mutex memoryMutex_;
    std::vector<uint8_t> program_;
    std::vector<uint8_t> log_;
    SimPanelOptions options_;
    std::vector<SimRequest> requests_;
    int64_t answered_ = 0;
    int64_t wanted_ = 0; // requests that wanted a reply
    std::vector<int64_t> dropped_;
    uint64_t writes_ = 0;
};

// The state file: false when it cannot be read or its size is wrong.
bool LoadSimState(const std::string& path, SimulatedPanel* panel);
bool SaveSimState(const std::string& path, const SimulatedPanel& panel);
