// Device editor costs that the user waits for: opening it on a full site
// (192 devices) until it is painted, and writing its typed columns back.

#include "editors/device_editor.h"
#include "editors/grid_widget.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_editors";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// A site with a device on every address.
struct FullSite {
    SettingsStore store;
    FullSite() {
        StoreInit(&store);
        FillSiteDefaults();
        char name[32], value[32];
        for (int a = 1; a <= kLoopAddresses; ++a) {
            std::snprintf(name, sizeof name, "SNum_%d", a);
            std::snprintf(value, sizeof value, "%06X", 0x100000 + a * 77);
            SettingPut(name, value);
            std::snprintf(name, sizeof name, "Type_%d", a);
            SettingPut(name, a % 2 ? "33" : "158");
            std::snprintf(name, sizeof name, "NonLatching_%d", a);
            if (a % 3 == 0)
                SettingPut(name, "1");
        }
    }
    ~FullSite() { StoreFree(&store); }
};

// As the open command sets it up, in a main window sized client area.
GridWidget* OpenDeviceEditor(QWidget* parent) {
    GridWidget* grid = GridWidget::Create(parent, 701, "Device editor");
    grid->SetSize(kLoopAddresses, kDeviceColumns);
    grid->SetHeaderHeight(21);
    grid->SetEditable(true);
    DeviceEditorFill(grid);
    grid->setGeometry(0, 0, 1280, 760);
    grid->show();
    return grid;
}

void BM_DeviceEditorOpenUntilPainted(benchmark::State& state) {
    App();
    FullSite site;
    QWidget parent;
    parent.resize(1280, 760);
    parent.show();
    QImage image(1280, 760, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        GridWidget* grid = OpenDeviceEditor(&parent);
        grid->render(&image);
        benchmark::DoNotOptimize(image.constBits());
        state.PauseTiming();
        delete grid;
        state.ResumeTiming();
    }
    state.counters["budget_ms"] = 50;
}
BENCHMARK(BM_DeviceEditorOpenUntilPainted)->Unit(benchmark::kMillisecond);

void BM_DeviceEditorCommit(benchmark::State& state) {
    App();
    FullSite site;
    QWidget parent;
    parent.resize(1280, 760);
    parent.show();
    GridWidget* grid = OpenDeviceEditor(&parent);
    for (auto _ : state) {
        grid->EndEdit();
        DeviceEditorStore(grid);
    }
    delete grid;
    state.counters["budget_ms"] = 10;
}
BENCHMARK(BM_DeviceEditorCommit)->Unit(benchmark::kMillisecond);

} // namespace
