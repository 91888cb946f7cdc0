// The desktop: start to the main window shown, and a whole Get through the
// worker and the progress window against m720-cli get on the same simulated
// panel (1 ms per reply). The Get's budget is 1.05 x the CLI's.
#include "app/app_state.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/ui_service.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

class YesUi : public UiService {
  public:
    void Message(QWidget*, const std::string&, const std::string&, MessageIcon) override {
        ++messages;
    }
    bool Ask(QWidget*, const std::string&, const std::string&) override { return true; }
    bool SaveFileDialog(QWidget*, std::string*, const char*, const char*) override { return false; }
    bool OpenFileDialog(QWidget*, std::string*, const char*, const char*) override { return false; }
    void OpenUrl(const std::string&) override {}
    int messages = 0;
};

// The program's own start-up steps after the agreement: the application,
// the store with the defaults of a new site.
void StartDesktop() {
    static bool started = false;
    if (started)
        return;
    started = true;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_desktop";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    setlocale(LC_NUMERIC, "C");
    static SettingsStore site;
    StoreInit(&site);
    FillSiteDefaults();
}

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

std::string SimPanel() {
    return "sim:" + Scratch().filePath("panel.bin").toStdString() + ",latency-ms=1";
}

void BM_DesktopStartToMainWindowShown(benchmark::State& state) {
    StartDesktop();
    for (auto _ : state) {
        auto* window = new MainWindow;
        window->show();
        // Polled without the 10 ms sleeps of QTest's waits, which would
        // round the figure up.
        QElapsedTimer limit;
        limit.start();
        while (!(window->windowHandle() && window->windowHandle()->isExposed()) &&
               limit.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (!window->windowHandle() || !window->windowHandle()->isExposed())
            state.SkipWithError("the main window was not shown");
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DesktopStartToMainWindowShown)->Unit(benchmark::kMillisecond);

void BM_DesktopGet(benchmark::State& state) {
    StartDesktop();
    YesUi ui;
    SetUiService(&ui);
    App().panel = SimPanel();
    MainWindow window;
    window.show();
    for (auto _ : state) {
        CmdGet(window);
        while (App().workerBusy)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    if (ui.messages)
        state.SkipWithError("the Get showed a message");
    SetUiService(nullptr);
}
BENCHMARK(BM_DesktopGet)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CliGet(benchmark::State& state) {
    StartDesktop();
    const std::string out = Scratch().filePath("got.psf").toStdString();
    // --force: every round after the first replaces the file of the one before.
    const std::string command = std::string(M720_CLI_PATH) + " get '" + out +
                                "' --force --panel '" + SimPanel() + "' >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("m720-cli get failed");
}
BENCHMARK(BM_CliGet)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
