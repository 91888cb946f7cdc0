// The progress window: nothing but the job closes it, it follows the job's
// stage and percentage, and a job that ends first leaves no window.
#include "app/progress_window.h"
#include "app_fixture.h"

#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace {

using ProgressWindowTest = AppTest;

// Runs the window modally; during it, act gets the window.
void DuringRun(ProgressWindow& window, const std::function<void(ProgressWindow&)>& act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }));
        act(window);
        acted = true;
        SetProgress(-1);
    });
    window.Run();
    EXPECT_TRUE(acted);
}

TEST_F(ProgressWindowTest, OnlyTheJobClosesIt) {
    window_->show();
    ProgressWindow progress(window_);
    EXPECT_EQ(progress.windowTitle(), "Progress...");
    EXPECT_FALSE(progress.windowFlags() & Qt::WindowCloseButtonHint);
    auto* bar = progress.findChild<QProgressBar*>("1201");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    DuringRun(progress, [&](ProgressWindow& w) {
        QTest::keyClick(&w, Qt::Key_Escape);
        QTest::keyClick(&w, Qt::Key_Return);
        QTest::keyClick(&w, Qt::Key_Enter);
        QTest::mouseClick(w.findChild<QPushButton*>("1202"), Qt::LeftButton);
        EXPECT_FALSE(w.close());
        QApplication::processEvents();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(ProgressWindow::Current(), &w);

        SetProgress(40);
        SetProgress(150); // beyond the bar: nothing
        EXPECT_EQ(bar->value(), 40);
        SetProgressTitle("Reading loop data...");
        EXPECT_EQ(w.windowTitle(), "Reading loop data...");
    });
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(ProgressWindow::Current(), nullptr);
    SetProgress(-1); // no window: nothing
    SetProgressTitle("ignored");
}

TEST_F(ProgressWindowTest, AJobThatEndedFirstLeavesNoWindow) {
    ProgressWindow progress(window_);
    EXPECT_EQ(ProgressWindow::Current(), &progress);
    SetProgress(-1);
    progress.Run(); // returns at once
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(progress.Closed());
}

TEST_F(ProgressWindowTest, CentredOverItsOwnerInsideTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget probe;
    probe.setFixedSize(200, 100);
    struct Case {
        QRect owner; // empty: no owner
        QPoint expected;
    } cases[] = {
        {QRect(100, 100, 600, 400), QPoint(300, 250)},
        {QRect(), QPoint(screen.width() / 2 - 100, screen.height() / 2 - 50)},
        {QRect(-400, -300, 300, 200), QPoint(0, 0)},
        {QRect(screen.width() - 100, screen.height() - 50, 400, 300),
         QPoint(screen.width() - 200, screen.height() - 100)},
    };
    for (const Case& c : cases) {
        QWidget owner;
        probe.setParent(c.owner.isNull() ? nullptr : &owner, Qt::Dialog);
        owner.setGeometry(c.owner);
        CentreOverOwner(&probe);
        EXPECT_EQ(probe.pos(), c.expected) << "owner " << c.owner.x() << "," << c.owner.y();
        probe.setParent(nullptr);
    }
}

} // namespace
