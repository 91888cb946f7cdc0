// Start-up pieces: the command line, the single-copy rule, the agreement.

#include "app_fixture.h"

#include "app/agreement_dialog.h"
#include "app/single_copy.h"
#include "app/start_options.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>

TEST(StartOptions, PanelAndLoadErrors) {
    struct Case {
        QStringList args;
        const char* environment;
        bool ok;
        std::string panel;
        bool loadErrors;
    };
    const Case cases[] = {
        {{}, nullptr, true, "usb", false},
        {{}, "sim:/tmp/p.bin", true, "sim:/tmp/p.bin", false},
        {{"--panel", "sim:/tmp/q.bin"}, "usb", true, "sim:/tmp/q.bin", false},
        {{"--panel=usb"}, "sim:/tmp/p.bin", true, "usb", false},
        {{"LOAD_ERRORS"}, nullptr, true, "usb", true},
        {{"Load_Errors", "--panel", "usb"}, nullptr, true, "usb", true},
        // A path that merely holds the word is no flag.
        {{"--panel", "sim:/tmp/load_errors.bin"}, nullptr, true, "sim:/tmp/load_errors.bin", false},
        {{"load_errors.psf"}, nullptr, false, "usb", false},
        {{"--panel", "serial"}, nullptr, false, "serial", false},
        {{"--panel"}, nullptr, false, "usb", false},
    };
    for (const Case& c : cases) {
        StartOptions options;
        std::string error;
        EXPECT_EQ(ParseStartOptions(c.args, c.environment, &options, &error), c.ok)
            << c.args.join(' ').toStdString();
        if (c.ok) {
            EXPECT_EQ(options.panel, c.panel);
            EXPECT_EQ(options.loadErrors, c.loadErrors);
        } else {
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST(SingleCopy, ASecondCopyAsksTheFirstToShowItselfAndEnds) {
    QTemporaryDir dir;
    const QString base = dir.filePath("copy");
    SingleCopy first(base);
    ASSERT_TRUE(first.Claim(1000));
    QSignalSpy shown(&first, &SingleCopy::ShowRequested);

    QElapsedTimer timer;
    timer.start();
    {
        SingleCopy second(base);
        EXPECT_FALSE(second.Claim(300));
    }
    EXPECT_LT(timer.elapsed(), 1500);
    EXPECT_TRUE(shown.wait(2000));
    EXPECT_EQ(shown.count(), 1);
}

TEST(SingleCopy, ACopyThatEndedWithinTheWaitLeavesTheWayFree) {
    QTemporaryDir dir;
    const QString base = dir.filePath("copy");
    auto* first = new SingleCopy(base);
    ASSERT_TRUE(first->Claim(1000));
    QTimer::singleShot(100, [&] {
        delete first;
        first = nullptr;
    });
    SingleCopy second(base);
    // The first copy ends while the second waits for the lock.
    QElapsedTimer timer;
    timer.start();
    bool claimed = false;
    while (!claimed && timer.elapsed() < 3000) {
        QCoreApplication::processEvents();
        claimed = !first && second.Claim(1000);
    }
    EXPECT_TRUE(claimed);
}

TEST_F(AppTest, FirstCopyComesBackFromMinimised) {
    window_->showMinimized();
    QCoreApplication::processEvents();
    window_->ShowFirstCopy();
    EXPECT_FALSE(window_->isMinimized());
    EXPECT_TRUE(window_->isVisible());
}

TEST(Agreement, AcceptIsTheDefaultAndEscDeclines) {
    AgreementDialog dialog;
    EXPECT_EQ(dialog.objectName(), "552");
    EXPECT_FALSE(AgreementText().isEmpty());
    auto* accept = dialog.findChild<QPushButton*>("1");
    auto* decline = dialog.findChild<QPushButton*>("2");
    ASSERT_NE(accept, nullptr);
    ASSERT_NE(decline, nullptr);
    EXPECT_EQ(accept->text().remove('&'), "Accept");
    EXPECT_EQ(decline->text().remove('&'), "Decline");
    EXPECT_TRUE(accept->isDefault());

    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::focusWidget(), accept);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}
