// One QApplication and one site store for every GUI test program (editors,
// app), on the offscreen platform unless another one is asked for.

#include "model/settings_store.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>

namespace {

class QtAppEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = new QApplication(argc_, argv_);
        // As the program does after making its application object.
        setlocale(LC_NUMERIC, "C");
        // Tests close main windows; the application lives on.
        QApplication::setQuitOnLastWindowClosed(false);
        StoreInit(&site_);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
        StoreFree(&site_);
    }

  private:
    int argc_ = 1;
    char name_[16] = "m720-gui-test";
    char* argv_[2] = {name_, nullptr};
    QApplication* app_ = nullptr;
    SettingsStore site_;
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

} // namespace
