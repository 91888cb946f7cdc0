// Grid costs that the user waits for: filling the device editor's 192 x 15
// cells, and one full repaint of a 1280 x 800 grid.

#include "editors/grid_widget.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kRows = 192;
constexpr int kColumns = 15;

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_grid";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

struct ShownGrid {
    QWidget parent;
    GridWidget* grid;
    ShownGrid() {
        parent.resize(1280, 800);
        grid = GridWidget::Create(&parent, 701, "Loop devices");
        grid->setGeometry(0, 0, 1280, 800);
        parent.show();
    }
    ~ShownGrid() { delete grid; }
};

// Texts of the kind the device editor shows.
void FillDevices(GridWidget* grid) {
    static const char* const kTypes[] = {"Optical smoke", "Heat A1R", "Sounder", "Call point"};
    char text[64];
    grid->SetSize(kRows, kColumns);
    for (int c = 1; c <= kColumns; ++c) {
        std::snprintf(text, sizeof text, "Col %d", c);
        GridSetText(grid, 0, c, text);
    }
    for (int r = 1; r <= kRows; ++r) {
        std::snprintf(text, sizeof text, "%d", r);
        GridSetText(grid, r, 0, text);
        for (int c = 1; c <= kColumns; ++c) {
            if (c == 1)
                std::snprintf(text, sizeof text, "%06X", 0x100000 + r * 77);
            else if (c == 2)
                std::snprintf(text, sizeof text, "%s", kTypes[r % 4]);
            else
                std::snprintf(text, sizeof text, "%d", (r * c) % 32 + 1);
            GridSetText(grid, r, c, text);
        }
    }
}

void BM_GridFill192x15(benchmark::State& state) {
    App();
    ShownGrid shown;
    for (auto _ : state) {
        state.PauseTiming();
        shown.grid->Clear();
        state.ResumeTiming();
        FillDevices(shown.grid);
    }
    state.counters["budget_ms"] = 20;
}
BENCHMARK(BM_GridFill192x15)->Unit(benchmark::kMillisecond);

void BM_GridRepaint1280x800(benchmark::State& state) {
    App();
    ShownGrid shown;
    FillDevices(shown.grid);
    shown.grid->setFocus();
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        shown.grid->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["budget_ms"] = 16;
}
BENCHMARK(BM_GridRepaint1280x800)->Unit(benchmark::kMillisecond);

} // namespace
