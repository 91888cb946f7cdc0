// The about window: its text lines, one window at a time, actions on the
// release of the left button over its hot zones only.
#include "app/about_window.h"
#include "app/commands.h"
#include "app_fixture.h"

namespace {

using AboutWindowTest = AppTest;

TEST(AboutText, LinesColoursLinksAndLineEnds) {
    struct Line {
        std::string text;
        QRgb colour;
        bool link;
        int lineEnds;
    };
    auto lines = [](const char* text) {
        std::vector<Line> out;
        for (const AboutLine& l : AboutLines(text))
            out.push_back({l.text, l.colour, l.link, l.lineEnds});
        return out;
    };
    const std::vector<Line> shown = lines(kAboutText);
    const QRgb white = qRgb(255, 255, 255);
    const std::vector<std::pair<std::string, int>> expected = {{"", 1},
                                                               {"M720 Commissioning software", 1},
                                                               {"V2.014", 1},
                                                               {"(c) 2026 M720 Fire Systems", 2},
                                                               {"Visit", 1},
                                                               {"www.m720.example", 1},
                                                               {"For more information", 1}};
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, expected[i].first);
        EXPECT_EQ(shown[i].lineEnds, expected[i].second) << shown[i].text;
        EXPECT_EQ(shown[i].link, shown[i].text == "www.m720.example");
        if (i > 0) {
            EXPECT_EQ(shown[i].colour, white) << shown[i].text;
        }
    }

    // Codes start the line again; text after the last line end is not drawn;
    // a colour code cut short ends the text.
    const std::vector<Line> odd = lines("ab\xFF\x01\x02\x03"
                                        "cd\r\n\n"
                                        "x\xFE"
                                        "y\nrest");
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(odd[0].text, "cd");
    EXPECT_EQ(odd[0].colour, qRgb(1, 2, 3));
    EXPECT_EQ(odd[0].lineEnds, 3);
    EXPECT_EQ(odd[1].text, "y");
    EXPECT_TRUE(odd[1].link);
    EXPECT_EQ(odd[1].colour, qRgb(1, 2, 3));
    EXPECT_TRUE(lines("a\n\xFF\x01").size() == 1);
}

TEST(AboutPictures, SizesAndAlpha) {
    EXPECT_EQ(AboutBackground().size(), QSize(320, 193));
    EXPECT_EQ(AboutBackground().format(), QImage::Format_Indexed8);
    const QImage close = AboutCloseImage();
    EXPECT_EQ(close.size(), QSize(24, 24));
    ASSERT_TRUE(close.hasAlphaChannel());
    EXPECT_EQ(qAlpha(close.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(close.pixel(12, 12)), 255);
    EXPECT_EQ(AboutCursorImage().size(), QSize(32, 32));
}

TEST_F(AboutWindowTest, OneWindowClosedOnlyByTheCloseImage) {
    window_->show();
    window_->Dispatch(6001);
    AboutWindow* about = AboutWindow::Current();
    ASSERT_NE(about, nullptr);
    CmdAbout(*window_);
    EXPECT_EQ(AboutWindow::Current(), about);
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        open += qobject_cast<AboutWindow*>(w) && w->isVisible();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(about->windowTitle(), "Splash");
    EXPECT_EQ(about->size(), QSize(320, 193));
    EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);
    // Owned: kept above the main window, never lost behind it.
    EXPECT_EQ(about->windowType(), Qt::Dialog);
    EXPECT_EQ(about->parentWidget(), window_);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    QApplication::processEvents(); // painted: the link zone exists

    const QRect link = about->ZoneRect(AboutWindow::kLinkZone);
    ASSERT_FALSE(link.isNull());
    EXPECT_NEAR(link.center().x(), 160, 1);
    QPointer<AboutWindow> alive(about);
    // The picture, the line "Visit" above the link, a press alone, the
    // right button: nothing.
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(40, 150));
    QTest::mouseClick(about, Qt::LeftButton, {}, link.center() - QPoint(0, link.height()));
    QTest::mousePress(about, Qt::LeftButton, {}, link.center());
    QTest::mouseClick(about, Qt::RightButton, {}, QPoint(310, 10));
    EXPECT_FALSE(about->close()) << "the window manager's close is refused";
    EXPECT_TRUE(ui_.records.empty());
    QTest::mouseRelease(about, Qt::LeftButton, {}, link.center());
    ASSERT_NE(ui_.Last("url"), nullptr);
    EXPECT_EQ(ui_.Last("url")->text, kMakerWebAddress);

    // The main window takes commands meanwhile.
    ui_.answers = {false};
    window_->Dispatch(6008);
    EXPECT_EQ(ui_.Last("ask")->text, "Delete current settings?");

    ASSERT_TRUE(alive);
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(about->width() - 12, 12));
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }));
    EXPECT_EQ(AboutWindow::Current(), nullptr);

    window_->Dispatch(6001); // a new one after the old one closed
    ASSERT_NE(AboutWindow::Current(), nullptr);
    QTest::keyClick(AboutWindow::Current(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([] { return AboutWindow::Current() == nullptr; }));
}

} // namespace
