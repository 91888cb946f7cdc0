// Time delay dialog: its arithmetic, then the dialog's keys and buttons.

#include "app/time_delay_dialog.h"
#include "device_editor_app_fixture.h"

#include <cstring>

namespace {

TEST(TimeDelayArithmetic, Steps) {
    const struct {
        const char* text;
        int direction, maximum;
        const char* expected;
    } cases[] = {
        {"9:58", 1, 600, "10:00"},   {"10:00", 1, 600, "10:00"}, {"19:58", 1, 1200, "20:00"},
        {"0:03", -1, 600, "0:00"},   {"0:00", -1, 600, "0:00"},  {"1:07", 1, 600, "1:10"},
        {"1:07", -1, 600, "1:00"},   {"0:75", 1, 600, "1:20"},   {"15:00", 1, 600, "15:00"},
        {"15:00", -1, 600, "14:55"}, {"-1:00", 1, 600, "0:00"},  {"abc", 1, 600, "abc"},
        {"abc", -1, 600, "abc"},     {"", 1, 600, ""},           {":", 1, 600, "0:05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeDelayStep(c.text, c.direction, c.maximum, 5), c.expected)
            << c.text << " " << c.direction;
}

TEST(TimeDelayArithmetic, Accept) {
    const struct {
        const char* text;
        int maximum;
        const char* expected;
    } cases[] = {
        {"1:07", 600, "1:05"},  {"12:34", 600, "10:00"}, {"12:34", 1200, "12:30"},
        {"-1:00", 600, "0:00"}, {"0:-5", 600, "0:00"},   {"0:3", 600, "0:00"},
        {"abc", 600, "abc"},    {"99999", 600, "99999"}, {"999:", 600, "10:00"},
        {"0:00", 600, "0:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeDelayAccept(c.text, c.maximum, 5), c.expected) << c.text;
}

class TimeDelayDialogTest : public GridEditorAppTest {
  protected:
    // Runs the dialog on a value; inspect works the dialog and closes it.
    int Run(const char* value, const std::function<void(QDialog*, QLineEdit*)>& inspect) {
        std::snprintf(value_, sizeof value_, "%s", value);
        ValueDialogParams params;
        params.title = "Fire Link Delay (m:ss)";
        params.value = value_;
        params.maximum = 600;
        params.step = 5;
        int result = -1;
        WithDialog([&] { result = RunTimeDelayDialog(window_, params); },
                   [&](QDialog* dialog) {
                       EXPECT_EQ(dialog->windowTitle(), "Fire Link Delay (m:ss)");
                       auto* edit = dialog->findChild<QLineEdit*>("1008");
                       ASSERT_NE(edit, nullptr);
                       inspect(dialog, edit);
                   });
        return result;
    }
    char value_[kSettingValueSize];
};

TEST_F(TimeDelayDialogTest, KeysStepAndOkWrites) {
    EXPECT_EQ(Run("9:50",
                  [](QDialog*, QLineEdit* edit) {
                      EXPECT_EQ(edit->text(), "9:50");
                      edit->setFocus();
                      QTest::keyClick(edit, Qt::Key_Up);
                      QTest::keyClick(edit, Qt::Key_Up);
                      QTest::keyClick(edit, Qt::Key_Up);
                      EXPECT_EQ(edit->text(), "10:00");
                      QTest::keyClick(edit, Qt::Key_Down);
                      QTest::keyClick(edit, Qt::Key_Return); // OK is the default
                  }),
              1);
    EXPECT_STREQ(value_, "9:55");
}

TEST_F(TimeDelayDialogTest, CancelAndEscapeWriteNothing) {
    EXPECT_EQ(Run("2:00",
                  [](QDialog* dialog, QLineEdit* edit) {
                      dialog->findChild<QAbstractButton*>("1010")->click();
                      EXPECT_EQ(edit->text(), "0:00");
                      dialog->findChild<QAbstractButton*>("1007")->click();
                  }),
              0);
    EXPECT_STREQ(value_, "2:00");
    EXPECT_EQ(Run("2:00",
                  [](QDialog*, QLineEdit* edit) {
                      edit->setText("3:00");
                      QTest::keyClick(edit, Qt::Key_Escape);
                  }),
              0);
    EXPECT_STREQ(value_, "2:00");
}

TEST_F(TimeDelayDialogTest, TypedTextIsLimitedAndClampedAtOk) {
    EXPECT_EQ(Run("0:00",
                  [](QDialog* dialog, QLineEdit* edit) {
                      edit->clear();
                      edit->setFocus();
                      QTest::keyClicks(edit, "-1:000");
                      EXPECT_EQ(edit->text(), "-1:00");
                      dialog->findChild<QAbstractButton*>("1006")->click();
                  }),
              1);
    EXPECT_STREQ(value_, "0:00");
}

TEST_F(TimeDelayDialogTest, LongerStoredValueIsShownWholeAndReadToSixCharacters) {
    const struct {
        const char* stored;
        const char* written;
    } cases[] = {{"12345:0", "10:00"}, {"1234567", "123456"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.stored,
                      [&](QDialog* dialog, QLineEdit* edit) {
                          EXPECT_EQ(edit->text(), c.stored);
                          dialog->findChild<QAbstractButton*>("1006")->click();
                      }),
                  1);
        EXPECT_STREQ(value_, c.written) << c.stored;
    }
}

} // namespace
