// Settings store and site file: defaults, look-ups, and a full site file
// written and read back.
#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// A full site plus a panel's full event logs: 300 fire and 721 non-fire.
void FillFullSite() {
    FillSiteDefaults();
    char name[32];
    for (int i = 1; i <= 300; ++i) {
        std::snprintf(name, sizeof name, "FireEvent_%d", i);
        SettingSet(name, "1, 17, 912345678");
    }
    for (int i = 1; i <= 721; ++i) {
        std::snprintf(name, sizeof name, "NonFireEvent_%d", i);
        SettingSet(name, "5, 120, 912345678");
    }
    SettingPut("SiteComments", "Loop tested 2026-12-01\r\nPanel in plant room \"B\"");
}

void BM_FillSiteDefaults(benchmark::State& state) {
    SettingsStore store;
    for (auto _ : state) {
        StoreInit(&store);
        benchmark::DoNotOptimize(FillSiteDefaults());
        state.PauseTiming();
        StoreFree(&store);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillSiteDefaults)->Unit(benchmark::kMicrosecond);

void BM_SettingGetFullSite(benchmark::State& state) {
    SettingsStore store;
    StoreInit(&store);
    FillFullSite();
    char names[192][32];
    for (int a = 1; a <= 192; ++a)
        std::snprintf(names[a - 1], sizeof names[0], "DeviceText_%d", a);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SettingGet(names[i]));
        i = (i + 1) % 192;
    }
    StoreFree(&store);
}
BENCHMARK(BM_SettingGetFullSite);

// Folder 0: the temporary folder on disk, where the sync before the rename
// waits for the device; folder 1: a RAM file system, where it costs nothing,
// which leaves the program's own work.
std::filesystem::path BenchFolder(int which) {
    if (which == 1 && std::filesystem::is_directory("/dev/shm"))
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

void BM_SiteFileRoundTrip(benchmark::State& state) {
    SettingsStore store;
    StoreInit(&store);
    FillFullSite();
    std::string path = (BenchFolder(static_cast<int>(state.range(0))) / "m720-bench.psf").string();
    SettingsStore loaded;
    for (auto _ : state) {
        StoreSelect(&store);
        bool written = SiteFileWrite(path.c_str());
        StoreInit(&loaded);
        int result = SiteFileRead(path.c_str());
        if (!written || result != 0)
            state.SkipWithError("round trip failed");
        state.PauseTiming();
        StoreFree(&loaded);
        state.ResumeTiming();
    }
    state.counters["settings"] = store.recordCount;
    std::filesystem::remove(path);
    StoreFree(&store);
}
BENCHMARK(BM_SiteFileRoundTrip)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
