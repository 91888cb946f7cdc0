// The site information dialog: limits, digit-only and multi-line fields, the
// two measurement checks and what stays written after a refusal.

#include "app/site_info_dialog.h"

#include "app_fixture.h"
#include "value_dialog_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <memory>
#include <string>

namespace {

class SiteInfoTest : public AppTest {
  protected:
    // The dialog goes before the main window that owns it.
    void TearDown() override {
        dialog_.reset();
        AppTest::TearDown();
    }
    void Open() {
        dialog_ = std::make_unique<SiteInfoDialog>(window_);
        dialog_->show();
    }
    QLineEdit* Edit(int id) { return Control<QLineEdit>(dialog_.get(), id); }
    QPlainTextEdit* Lines(int id) { return Control<QPlainTextEdit>(dialog_.get(), id); }
    std::string Value(const char* name) {
        const char* value = SettingGet(name);
        return value ? value : "<absent>";
    }

    std::unique_ptr<SiteInfoDialog> dialog_;
};

TEST_F(SiteInfoTest, MeasurementsAreCheckedAfterTheyAreWritten) {
    struct Case {
        const char* resistance;
        const char* alarm;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {"16", "0.6", nullptr},
        {"", "", nullptr},
        {"abc", "x", nullptr},
        {"16.1", "0.1", "Loop resistance must be 16 Ohms or less"},
        {"2", "0.61", "Loop alarm current must be 0.6A or less"},
        {"1.6e1", "6e-1", nullptr},
    };
    for (const Case& c : cases) {
        ui_.records.clear();
        Open();
        Edit(1111)->setText(c.resistance);
        Edit(1113)->setText(c.alarm);
        Press(dialog_.get(), 1107);
        if (!c.message) {
            EXPECT_EQ(dialog_->result(), QDialog::Accepted) << c.resistance << " " << c.alarm;
            EXPECT_TRUE(ui_.records.empty());
            continue;
        }
        EXPECT_TRUE(dialog_->isVisible()) << c.message;
        ASSERT_EQ(ui_.records.size(), 1u);
        EXPECT_EQ(ui_.records[0].text, c.message);
        EXPECT_EQ(ui_.records[0].caption, "M720 Commissioning software Error");
        EXPECT_EQ(ui_.records[0].icon, MessageIcon::kStop);
    }
}

TEST_F(SiteInfoTest, CancelAfterARefusalKeepsWhatWasWritten) {
    SettingPut("SiteBattery", "Old");
    window_->UpdateMainTitle();
    WhenModal([&] { window_->Dispatch(6005); },
              [](QDialog* d) {
                  EXPECT_EQ(d->windowTitle(), "Site information");
                  Control<QLineEdit>(d, 1101)->setText("Riverside Depot");
                  Control<QLineEdit>(d, 1111)->setText("12.5");
                  Control<QLineEdit>(d, 1113)->setText("0.61");
                  Control<QLineEdit>(d, 1114)->setText("New");
                  Press(d, 1107);
                  EXPECT_TRUE(d->isVisible());
                  Press(d, 1108);
              });
    EXPECT_EQ(Value("SiteName"), "Riverside Depot");
    EXPECT_EQ(Value("SiteResistance"), "12.5");
    EXPECT_EQ(Value("SiteAlarm"), "0.61");
    EXPECT_EQ(Value("SiteBattery"), "Old");
    EXPECT_TRUE(window_->windowTitle().contains("Riverside Depot"));
}

TEST_F(SiteInfoTest, FieldsHoldWhatThePanelKeeps) {
    const std::string longName(40, 'N');
    SettingPut("SiteContact", longName.c_str());
    SettingPut("SiteEngineer", std::string(20, 'e').c_str());
    Open();
    QLineEdit* name = Edit(1101);
    name->clear();
    QTest::keyClicks(name, QString(40, 'x'));
    EXPECT_EQ(name->text().size(), 31);
    // A longer text from a file is shown whole and kept.
    EXPECT_EQ(Edit(1102)->text().toStdString(), longName);
    QTest::keyClicks(Edit(1102), "more");
    EXPECT_EQ(Edit(1102)->text().toStdString(), longName);
    // Once shortened, it takes no more than any other.
    QLineEdit* engineer = Edit(1109);
    EXPECT_EQ(engineer->text(), QString(20, 'e'));
    engineer->clear();
    QTest::keyClicks(engineer, QString(20, 'f'));
    EXPECT_EQ(engineer->text(), QString(15, 'f'));
    EXPECT_EQ(Edit(1117)->maxLength(), 6);
    EXPECT_EQ(Edit(1104)->maxLength(), 7);

    // Digits only, typed or pasted.
    for (int id : {1117, 1105}) {
        Edit(id)->clear();
        QTest::keyClicks(Edit(id), "12a3");
        EXPECT_EQ(Edit(id)->text(), "123") << id;
        Edit(id)->clear();
        Edit(id)->insert("12a");
        EXPECT_EQ(Edit(id)->text(), "") << id;
    }
    Press(dialog_.get(), 1107);
    EXPECT_EQ(Value("SiteName"), std::string(31, 'x'));
    EXPECT_EQ(Value("SiteContact"), longName);
}

TEST_F(SiteInfoTest, AddressLinesAreStoredWithCarriageReturns) {
    SettingPut("SiteComments", "First\r\nSecond");
    Open();
    EXPECT_EQ(Lines(1106)->toPlainText(), "First\nSecond");
    QPlainTextEdit* address = Lines(1103);
    address->clear();
    address->setFocus();
    QTest::keyClicks(address, QString(30, 'a'));
    QTest::keyClick(address, Qt::Key_Return); // a new line, not OK
    QTest::keyClicks(address, QString(40, 'b'));
    // 30 + a line break counted as two + 31 = the 63 the panel keeps.
    EXPECT_EQ(address->toPlainText(), QString(30, 'a') + "\n" + QString(31, 'b'));
    EXPECT_TRUE(dialog_->isVisible());
    Press(dialog_.get(), 1107);
    EXPECT_EQ(Value("SiteAddress"), std::string(30, 'a') + "\r\n" + std::string(31, 'b'));
    EXPECT_EQ(Value("SiteComments"), "First\r\nSecond");
}

TEST_F(SiteInfoTest, PanelSoftwareVersionIsShownOnly) {
    SettingDelete("FirmwareVersion");
    Open();
    EXPECT_EQ(Control<QLabel>(dialog_.get(), 1118)->text(), "");
    SettingPut("FirmwareVersion", "4.12");
    Open();
    EXPECT_EQ(Control<QLabel>(dialog_.get(), 1118)->text(), "4.12");
}

} // namespace
