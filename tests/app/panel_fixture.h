#pragma once
// The main window fixture with a simulated panel in a scratch folder.

#include "app_fixture.h"
#include "test_data_home.h"

#include <QTemporaryDir>

class PanelAppTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
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
