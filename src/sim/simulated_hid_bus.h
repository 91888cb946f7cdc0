#pragma once
// HID devices that live in the process: the panel simulator and any test
// devices (other product ids, a second panel, a device that cannot be opened
// or that is unplugged and plugged in again). Replies are queued with the
// time they arrive; a read blocks until then or until its time-out.

#include "link/hid_backend.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class SimulatedHidDevice {
  public:
    explicit SimulatedHidDevice(HidAttributes attributes);
    virtual ~SimulatedHidDevice() = default;

    // Test switches.
    void SetOpenable(bool openable);           // false: opening fails (held by another program)
    void SetAttributesReadable(bool readable); // false: attributes cannot be read
    void SetStallWrites(bool stall);           // true: every write times out
    void Unplug();                             // open handles die, the bus no longer lists it
    void Replug();
    bool Plugged() const;
    int OpenCount() const;

    // Queues an input report (65 bytes, byte 0 = report id) that arrives
    // delayMs from now.
    void PushInput(const uint8_t* report, int delayMs = 0);
    // Input reports queued and not yet read (arrived or not).
    int PendingInput() const;

  protected:
    // A report the host wrote to this device (65 bytes).
    virtual void OnOutputReport(const uint8_t* report) = 0;

  private:
    friend class SimulatedHidHandle;
    friend class SimulatedHidBus;
    using Clock = std::chrono::steady_clock;
    struct Pending {
        Clock::time_point due;
        uint8_t report[kHidReportSize];
    };

    bool OpenHandle(uint64_t* generation);
    int WriteFrom(uint64_t generation, const uint8_t* report, int timeoutMs);
    int ReadInto(uint64_t generation, uint8_t* report, int timeoutMs);

    HidAttributes attributes_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Pending> input_;
    bool openable_ = true;
    bool attributesReadable_ = true;
    bool stallWrites_ = false;
    bool plugged_ = true;
    uint64_t generation_ = 1; // bumped by Unplug: older handles are dead
    int openCount_ = 0;
};

class SimulatedHidBus : public HidBackend {
  public:
    // Devices are listed in the order they were attached.
    void Attach(std::shared_ptr<SimulatedHidDevice> device);
    std::vector<std::string> EnumeratePaths() override;
    std::unique_ptr<HidDevice> Open(const std::string& path) override;

  private:
    std::mutex mutex_;
    std::vector<std::shared_ptr<SimulatedHidDevice>> devices_;
};
