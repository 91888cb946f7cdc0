// Get and send jobs against the panel simulator: exchanges per job, wall
// time and process CPU time. At latency 0 the figures are the program's own
// cost; at 1 ms per reply the wall time should stay near exchanges x 1 ms
// while the processor idles in the reply wait.
#include "jobs/get_job.h"
#include "jobs/job_ui.h"
#include "jobs/send_job.h"
#include "model/settings_store.h"
#include "sim/panel_simulator.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>

namespace {

class QuietUi : public JobUi {
  public:
    void SetProgress(int) override {}
    void SetProgressTitle(const std::string&) override {}
    void Message(const std::string&, const std::string&, MessageIcon) override { ++messages; }
    bool Ask(const std::string&, const std::string&) override { return true; }
    int messages = 0;
};

struct Rig {
    SimulatedHidBus bus;
    std::shared_ptr<SimulatedPanel> panel = std::make_shared<SimulatedPanel>();
    PanelLink link{&bus};
    QuietUi ui;
    PanelSession session{&link, &ui};
    SettingsStore store;
    SettingsStore* previous = nullptr;

    explicit Rig(int latencyMs) {
        previous = StoreSelect(nullptr);
        StoreInit(&store);
        panel->LoadDemo();
        bus.Attach(panel);
        SimPanelOptions options;
        options.latencyMs = latencyMs;
        panel->SetOptions(options);
    }
    ~Rig() {
        StoreFree(&store);
        if (previous)
            StoreSelect(previous);
    }
};

template <bool kSend> void BM_Job(benchmark::State& state) {
    const int latency = static_cast<int>(state.range(0));
    Rig rig(latency);
    if (kSend && GetSettingsJob(rig.session, nullptr) != 1)
        state.SkipWithError("no site to send");
    double wallMs = 0;
    double cpuMs = 0;
    int64_t exchanges = 0;
    for (auto _ : state) {
        const int64_t answered = rig.panel->Answered();
        const std::clock_t cpu = std::clock();
        const auto start = std::chrono::steady_clock::now();
        const int ok = kSend ? SendSettingsJob(rig.session) : GetSettingsJob(rig.session, nullptr);
        wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        cpuMs += 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        exchanges = rig.panel->Answered() - answered;
        if (ok != 1)
            state.SkipWithError("job failed");
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["exchanges"] = static_cast<double>(exchanges);
    state.counters["wall_ms"] = wallMs / n;
    state.counters["cpu_ms"] = cpuMs / n;
    state.counters["cpu_pct"] = wallMs > 0 ? 100.0 * cpuMs / wallMs : 0;
    // Budgets: a whole get under 50 ms at latency 0; at 1 ms per reply at
    // most 1.1 x exchanges x 1 ms of wall time and CPU under 10 % of it.
    if (latency > 0)
        state.counters["budget_ms"] = 1.1 * static_cast<double>(exchanges) * latency;
    else if (!kSend)
        state.counters["budget_ms"] = 50;
}

BENCHMARK_TEMPLATE(BM_Job, false)
    ->Name("GetJob/latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(5);
BENCHMARK_TEMPLATE(BM_Job, true)
    ->Name("SendJob/latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(5);

} // namespace
