#include "sim/simulated_hid_bus.h"

#include "sim/precise_wait.h"

#include <cstring>

SimulatedHidDevice::SimulatedHidDevice(HidAttributes attributes) : attributes_(attributes) {}

void SimulatedHidDevice::SetOpenable(bool openable) {
    std::lock_guard<std::mutex> hold(mutex_);
    openable_ = openable;
}

void SimulatedHidDevice::SetAttributesReadable(bool readable) {
    std::lock_guard<std::mutex> hold(mutex_);
    attributesReadable_ = readable;
}

void SimulatedHidDevice::SetStallWrites(bool stall) {
    std::lock_guard<std::mutex> hold(mutex_);
    stallWrites_ = stall;
}

void SimulatedHidDevice::Unplug() {
    std::lock_guard<std::mutex> hold(mutex_);
    plugged_ = false;
    ++generation_;
    input_.clear();
    arrived_.notify_all();
}

void SimulatedHidDevice::Replug() {
    std::lock_guard<std::mutex> hold(mutex_);
    plugged_ = true;
}

bool SimulatedHidDevice::Plugged() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return plugged_;
}

int SimulatedHidDevice::OpenCount() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return openCount_;
}

void SimulatedHidDevice::PushInput(const uint8_t* report, int delayMs) {
    std::lock_guard<std::mutex> hold(mutex_);
    if (!plugged_)
        return;
    Pending p;
    p.due = Clock::now() + std::chrono::milliseconds(delayMs < 0 ? 0 : delayMs);
    std::memcpy(p.report, report, kHidReportSize);
    // Keep arrival order even when delays differ.
    auto at = input_.end();
    while (at != input_.begin() && std::prev(at)->due > p.due)
        --at;
    input_.insert(at, p);
    arrived_.notify_all();
}

int SimulatedHidDevice::PendingInput() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return static_cast<int>(input_.size());
}

bool SimulatedHidDevice::OpenHandle(uint64_t* generation) {
    std::lock_guard<std::mutex> hold(mutex_);
    ++openCount_;
    if (!plugged_ || !openable_)
        return false;
    // A fresh handle sees only reports that arrive from now on.
    input_.clear();
    *generation = generation_;
    return true;
}

int SimulatedHidDevice::WriteFrom(uint64_t generation, const uint8_t* report, int timeoutMs) {
    {
        std::unique_lock<std::mutex> hold(mutex_);
        if (generation != generation_)
            return -1;
        if (stallWrites_) {
            // The write never completes: give up after the time-out.
            arrived_.wait_for(hold, std::chrono::milliseconds(timeoutMs),
                              [&] { return generation != generation_; });
            return -1;
        }
    }
    OnOutputReport(report);
    return 1;
}

int SimulatedHidDevice::ReadInto(uint64_t generation, uint8_t* report, int timeoutMs) {
    std::unique_lock<std::mutex> hold(mutex_);
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        if (generation != generation_)
            return -1;
        auto now = Clock::now();
        if (!input_.empty() && input_.front().due <= now) {
            std::memcpy(report, input_.front().report, kHidReportSize);
            input_.pop_front();
            return 1;
        }
        if (now >= deadline)
            return 0;
        UsePreciseWaits();
        auto wakeAt = deadline;
        if (!input_.empty() && input_.front().due < wakeAt)
            wakeAt = input_.front().due;
        arrived_.wait_until(hold, wakeAt);
    }
}

class SimulatedHidHandle : public HidDevice {
  public:
    SimulatedHidHandle(std::shared_ptr<SimulatedHidDevice> device, uint64_t generation)
        : device_(std::move(device)), generation_(generation) {}
    bool GetAttributes(HidAttributes* attributes) override {
        std::lock_guard<std::mutex> hold(device_->mutex_);
        if (!device_->attributesReadable_ || generation_ != device_->generation_)
            return false;
        *attributes = device_->attributes_;
        return true;
    }
    int Write(const uint8_t* report, int timeoutMs) override {
        return device_->WriteFrom(generation_, report, timeoutMs);
    }
    int Read(uint8_t* report, int timeoutMs) override {
        return device_->ReadInto(generation_, report, timeoutMs);
    }

  private:
    std::shared_ptr<SimulatedHidDevice> device_;
    uint64_t generation_;
};

void SimulatedHidBus::Attach(std::shared_ptr<SimulatedHidDevice> device) {
    std::lock_guard<std::mutex> hold(mutex_);
    devices_.push_back(std::move(device));
}

std::vector<std::string> SimulatedHidBus::EnumeratePaths() {
    std::lock_guard<std::mutex> hold(mutex_);
    std::vector<std::string> paths;
    for (size_t i = 0; i < devices_.size(); ++i)
        if (devices_[i]->Plugged())
            paths.push_back("sim-hid:" + std::to_string(i));
    return paths;
}

std::unique_ptr<HidDevice> SimulatedHidBus::Open(const std::string& path) {
    std::shared_ptr<SimulatedHidDevice> device;
    {
        std::lock_guard<std::mutex> hold(mutex_);
        const std::string prefix = "sim-hid:";
        if (path.compare(0, prefix.size(), prefix) != 0)
            return nullptr;
        size_t index = 0;
        for (size_t i = prefix.size(); i < path.size(); ++i) {
            if (path[i] < '0' || path[i] > '9' || index > devices_.size())
                return nullptr;
            index = index * 10 + static_cast<size_t>(path[i] - '0');
        }
        if (path.size() == prefix.size() || index >= devices_.size())
            return nullptr;
        device = devices_[index];
    }
    uint64_t generation = 0;
    if (!device->OpenHandle(&generation))
        return nullptr;
    return std::make_unique<SimulatedHidHandle>(std::move(device), generation);
}
