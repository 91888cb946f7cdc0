#pragma once
// A main window fixture with a simulated panel in a scratch folder. Base is
// the main window fixture (AppTest) or one derived from it, such as the grid
// editors' fixture.

#include "app_fixture.h"
#include "test_data_home.h"

#include <QTemporaryDir>

template <typename Base> class SimPanelTest : public Base {
  protected:
    void SetUp() override {
        Base::SetUp();
        ASSERT_TRUE(dir_.isValid());
        simPath_ = dir_.filePath("panel.bin").toStdString();
        UsePanel("");
    }

    // The simulated panel with options ("silent-after=250", ...; "" for none).
    void UsePanel(const std::string& options) {
        App().panel = "sim:" + simPath_ + (options.empty() ? "" : "," + options);
    }

    // Lets the job run to its "worker done".
    static bool WaitForWorker(int timeoutMs = 20000) {
        return QTest::qWaitFor([] { return !App().workerBusy; }, timeoutMs);
    }

    static std::string Value(const char* name) {
        const char* v = SettingGet(name);
        return v ? v : "(none)";
    }

    QTemporaryDir dir_;
    std::string simPath_;
};

using PanelAppTest = SimPanelTest<AppTest>;
