// The three CSV exports of a full site, written to a temporary folder.
#include "exports/exports.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

void Put(const std::string& name, const std::string& value) {
    SettingPut(name.c_str(), value.c_str());
}

void FullSite() {
    FillSiteDefaults();
    for (int a = 1; a <= kLoopAddresses; ++a) {
        std::string n = std::to_string(a);
        Put("Type_" + n, a % 2 ? "158" : "211");
        Put("SNum_" + n, std::to_string(100000 + a));
        Put("Version_" + n, "40");
        Put("DeviceText_" + n, "Device text " + n);
        Put("NonLatching_" + n, "1");
    }
    for (int g = 1; g <= kGroups; ++g) {
        Put("OutputDelay_" + std::to_string(g), "1:30");
        Put("OutputDelayT2_" + std::to_string(g), "0:45");
    }
}

void BM_ThreeExportsFullSite(benchmark::State& state) {
    SettingsStore store;
    SettingsStore* previous = StoreSelect(nullptr);
    StoreInit(&store);
    FullSite();
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "m720-bench-exports";
    std::filesystem::create_directories(dir);
    std::string devices = (dir / "devices.csv").string();
    std::string matrix = (dir / "matrix.csv").string();
    std::string texts = (dir / "texts.csv").string();
    for (auto _ : state) {
        int ok = ExportDeviceData(devices.c_str()) + ExportMatrix(matrix.c_str()) +
                 ExportTexts(texts.c_str());
        if (ok != 3)
            state.SkipWithError("export failed");
    }
    std::filesystem::remove_all(dir);
    StoreFree(&store);
    StoreSelect(previous);
}
BENCHMARK(BM_ThreeExportsFullSite)->Unit(benchmark::kMillisecond);

// The same without the file system: building the three files' contents.
void BM_ThreeExportContentsFullSite(benchmark::State& state) {
    SettingsStore store;
    SettingsStore* previous = StoreSelect(nullptr);
    StoreInit(&store);
    FullSite();
    for (auto _ : state) {
        std::string devices = DeviceDataCsv();
        std::string matrix = MatrixCsv();
        std::string texts = TextsCsv();
        benchmark::DoNotOptimize(devices.data());
        benchmark::DoNotOptimize(matrix.data());
        benchmark::DoNotOptimize(texts.data());
    }
    StoreFree(&store);
    StoreSelect(previous);
}
BENCHMARK(BM_ThreeExportContentsFullSite)->Unit(benchmark::kMillisecond);

} // namespace
