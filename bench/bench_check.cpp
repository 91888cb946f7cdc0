// The design checker on its worst case: every address holds a device with
// input and output sides, the whole matrix is in use and every address has
// its own groups, so no address stops the walk early.
#include "check/design_check.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void Put(const std::string& name, const std::string& value) {
    SettingPut(name.c_str(), value.c_str());
}

void WorstCaseSite() {
    FillSiteDefaults();
    for (int a = 1; a <= kLoopAddresses; ++a) {
        std::string n = std::to_string(a);
        Put("Type_" + n, "211"); // input, output, beacon part, talking
        Put("Version_" + n, "40");
        Put("IPGroup_" + n, std::to_string(a % 31 + 1));
        Put("OPGroup_" + n, std::to_string(a % 32 + 1));
        Put("Sens1_" + n, "1");
        Put("Sens2_" + n, "2");
        Put("MapNode_" + n, n);
        Put("DeviceText_" + n, "Device " + n);
        Put("Zone_" + n, std::to_string(a % 32 + 1));
    }
    for (const char* name :
         {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
          "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
          "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"})
        Put(name, "x");
    Put("ClassChange", "1");
    Put("RemoteAlarmInput", "1");
}

void BM_CheckDesignWorstCase(benchmark::State& state) {
    SettingsStore store;
    SettingsStore* previous = StoreSelect(nullptr);
    StoreInit(&store);
    WorstCaseSite();
    auto report = std::make_unique<char[]>(kDesignReportSize);
    int faults = 0;
    for (auto _ : state) {
        faults = CheckDesign(report.get());
        benchmark::DoNotOptimize(report.get());
    }
    state.counters["faults"] = faults;
    StoreFree(&store);
    StoreSelect(previous);
}
BENCHMARK(BM_CheckDesignWorstCase)->Unit(benchmark::kMillisecond);

} // namespace
