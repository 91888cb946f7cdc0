// The "Edit text" window: owner disabling, keys, the one result, the frame.

#include "editors/grid_types.h"
#include "editors/lcd_text_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kTitle = "     Edit Text      ";

class LcdWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_.resize(300, 200);
        owner_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner_));
    }
    void TearDown() override {
        if (window_)
            delete window_.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Open(const std::string& text) {
        window_ = OpenTextWindow(&owner_, kTitle, text,
                                 [this](quint32 command, const std::string& result) {
                                     results_.push_back({command, result});
                                 });
        ASSERT_TRUE(window_);
    }

    void Type(const char* keys) { QTest::keyClicks(window_, keys); }

    QWidget owner_;
    QPointer<LcdTextWindow> window_;
    std::vector<std::pair<quint32, std::string>> results_;
};

TEST_F(LcdWindowTest, OpensCentredOverADisabledOwner) {
    Open("Reception           ");
    EXPECT_EQ(window_->windowTitle(), "Edit text");
    EXPECT_EQ(window_->size(), QSize(320, 88));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(owner_.isEnabled());
    EXPECT_TRUE(window_->isEnabled());
    EXPECT_EQ(CurrentTextWindow(), window_.data());
    // One at a time.
    EXPECT_EQ(OpenTextWindow(&owner_, kTitle, "x", nullptr), nullptr);

    const QImage frame = window_->Frame();
    EXPECT_EQ(frame.format(), QImage::Format_Indexed8);
    EXPECT_EQ(frame.colorTable().size(), 256);
    EXPECT_EQ(frame.color(0), qRgb(0, 0, 255));
    EXPECT_EQ(frame.color(255), qRgb(255, 255, 255));
    EXPECT_EQ(frame.color(128), qRgb(128, 128, 128));
    // What is painted is the frame.
    const QImage shot = window_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixel(319, 87), qRgb(0, 0, 255));
    for (int y = 0; y < 88; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(shot.pixel(x, y), frame.pixel(x, y)) << x << "," << y;
}

TEST_F(LcdWindowTest, EnterReturnsTheTextOnceAndGivesTheOwnerBack) {
    Open("Reception           ");
    Type("Store");
    QTest::keyClick(window_, Qt::Key_Escape); // no cancel: nothing happens
    EXPECT_TRUE(window_->isVisible());
    QTest::keyClick(window_, 'e');
    // A key outside 32..126 changes nothing.
    QKeyEvent eAcute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9"));
    QApplication::sendEvent(window_, &eAcute);
    EXPECT_EQ(window_->Screen().Text(), "Storeeion           ");
    QTest::keyClick(window_, Qt::Key_Return);
    ASSERT_EQ(results_.size(), 1u);
    EXPECT_EQ(results_[0].first, GridPack(601, 29));
    EXPECT_EQ(results_[0].second, "Storeeion           ");
    EXPECT_TRUE(owner_.isEnabled());
    EXPECT_EQ(CurrentTextWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window_);
    EXPECT_EQ(results_.size(), 1u);
}

TEST_F(LcdWindowTest, CloseBoxReturnsWhatEnterWould) {
    Open("Plant room");
    Type("Pump");
    QTest::keyClick(window_, Qt::Key_Left);
    QTest::keyClick(window_, Qt::Key_Backspace);
    EXPECT_EQ(window_->Screen().Text(), "Pum t room          ");
    window_->close(); // as the window manager's close box does
    ASSERT_EQ(results_.size(), 1u);
    EXPECT_EQ(results_[0].second, "Pum t room          ");
    EXPECT_TRUE(owner_.isEnabled());
}

TEST_F(LcdWindowTest, TheTimerBlinksTheCursor) {
    Open("A");
    EXPECT_FALSE(window_->Screen().Blink());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->Screen().Blink(); }, 3000));
    // The cursor cell's blank left column is lit while the cursor shows.
    EXPECT_EQ(window_->Frame().pixelIndex(0, 30), 255);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->Screen().Blink(); }, 3000));
    EXPECT_EQ(window_->Frame().pixelIndex(0, 30), 0);
}

} // namespace
