// The panel information dialog: filling, the enabling rules, the code
// filter, the value buttons and what OK writes, in which order.

#include "app/panel_info_dialog.h"

#include "app_fixture.h"
#include "value_dialog_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

namespace {

class PanelInfoTest : public AppTest {
  protected:
    // The dialog goes before the main window that owns it.
    void TearDown() override {
        dialog_.reset();
        AppTest::TearDown();
    }
    PanelInfoDialog& Open() {
        dialog_ = std::make_unique<PanelInfoDialog>(window_);
        dialog_->show();
        return *dialog_;
    }
    QCheckBox* Box(int id) { return Control<QCheckBox>(dialog_.get(), id); }
    QComboBox* List(int id) { return Control<QComboBox>(dialog_.get(), id); }
    QLineEdit* Edit(int id) { return Control<QLineEdit>(dialog_.get(), id); }
    QString ButtonText(int id) { return Control<QPushButton>(dialog_.get(), id)->text(); }
    void Ok() { Press(dialog_.get(), 1); }
    std::string Value(const char* name) {
        const char* value = SettingGet(name);
        return value ? value : "<absent>";
    }

    std::unique_ptr<PanelInfoDialog> dialog_;
};

TEST_F(PanelInfoTest, CodeFilterKeepsTheDigitsOneToFour) {
    Open();
    QLineEdit* code = Edit(1217);
    code->clear();
    QTest::keyClicks(code, "1259");
    EXPECT_EQ(code->text(), "12");
    EXPECT_EQ(code->cursorPosition(), 2);
    code->clear();
    code->insert("4321"); // as a paste does
    EXPECT_EQ(code->text(), "4321");
    code->clear();
    code->insert("1259");
    EXPECT_EQ(code->text(), "12");
    // The other three codes filter too; letters never get in.
    for (int id : {1253, 1218, 1219}) {
        Edit(id)->clear();
        QTest::keyClicks(Edit(id), "3a6");
        EXPECT_EQ(Edit(id)->text(), "3") << id;
    }
}

TEST_F(PanelInfoTest, ShortAccessCodeIsRefusedWithNothingWritten) {
    SettingPut("FlashFirstDG", "0");
    Open();
    Box(1252)->setChecked(true);
    Edit(1218)->setText("12341");
    Ok();
    ASSERT_EQ(ui_.Texts(), std::vector<std::string>{"Engineer code must have six digits"});
    EXPECT_EQ(ui_.records[0].caption, App().appTitle);
    EXPECT_EQ(ui_.records[0].icon, MessageIcon::kStop);
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    EXPECT_EQ(Value("FlashFirstDG"), "0");
    EXPECT_EQ(Value("EngineerCode"), "314214");
    Edit(1218)->setText("123412");
    Edit(1253)->clear();
    Ok();
    EXPECT_EQ(ui_.Texts().back(), "User code 2 must have six digits");
    Edit(1253)->setText("444444");
    Ok();
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(Value("EngineerCode"), "123412");
    EXPECT_EQ(Value("UserCode2"), "444444");
    EXPECT_EQ(Value("FlashFirstDG"), "1");
}

TEST_F(PanelInfoTest, InputGroupsInUseForceTheirInputsOff) {
    SettingPut("IPGroup_5", "31");
    SettingPut("IPGroup_9", "30");
    for (const char* flag : {"RemoteAlarmInput", "RaiControl", "ClassChange"})
        SettingPut(flag, "1");
    Open();
    for (int id : {1222, 1223, 1248}) {
        EXPECT_FALSE(Box(id)->isEnabled()) << id;
        EXPECT_FALSE(Box(id)->isChecked()) << id;
    }
    Box(1249)->setChecked(true);
    Box(1249)->setChecked(false);
    EXPECT_FALSE(Box(1222)->isEnabled()); // still: group 31 is in use
    Ok();
    EXPECT_EQ(Value("RemoteAlarmInput"), "0");
    EXPECT_EQ(Value("RaiControl"), "0");
    EXPECT_EQ(Value("ClassChange"), "0");
}

TEST_F(PanelInfoTest, EnablingRulesAtOpeningAndWhileOpen) {
    for (const char* flag : {"Beacon", "BeaconFlashUntil", "ClassBeacon", "FBP", "Serial",
                             "RemoteAlarmInput", "RaiControl"})
        SettingPut(flag, "1");
    SettingPut("DayNightIp", "0");
    Open();
    for (int id : {1243, 1228, 1258}) {
        EXPECT_FALSE(Box(id)->isEnabled()) << id;
        EXPECT_FALSE(Box(id)->isChecked()) << id;
    }
    EXPECT_TRUE(Box(1222)->isChecked());
    EXPECT_TRUE(Box(1223)->isEnabled());
    EXPECT_TRUE(Box(1223)->isChecked());
    EXPECT_FALSE(Edit(1213)->isEnabled());
    EXPECT_FALSE(Edit(1239)->isEnabled());

    Box(1227)->click(); // Beacon off
    EXPECT_TRUE(Box(1243)->isEnabled());
    EXPECT_TRUE(Box(1228)->isEnabled());
    Box(1256)->click(); // FBP off
    EXPECT_TRUE(Box(1258)->isEnabled());
    Box(1258)->setChecked(true);
    Box(1256)->click(); // FBP on again
    EXPECT_FALSE(Box(1258)->isEnabled());
    EXPECT_FALSE(Box(1258)->isChecked());
    Box(1249)->click(); // Day/Night input on
    EXPECT_FALSE(Box(1222)->isEnabled());
    EXPECT_FALSE(Box(1222)->isChecked());
    EXPECT_FALSE(Box(1223)->isEnabled());
    EXPECT_FALSE(Box(1223)->isChecked());
    Box(1249)->click();
    EXPECT_TRUE(Box(1222)->isEnabled());
    EXPECT_FALSE(Box(1223)->isEnabled()); // until 1222 is checked again
    Box(1222)->click();
    EXPECT_TRUE(Box(1223)->isEnabled());

    Ok();
    EXPECT_EQ(Value("Beacon"), "0");
    EXPECT_EQ(Value("Serial"), "0");
    EXPECT_EQ(Value("FBP"), "1");
    EXPECT_EQ(Value("RemoteAlarmInput"), "1");
    EXPECT_EQ(Value("RaiControl"), "0");
}

TEST_F(PanelInfoTest, DropListsAndTheirStoredForms) {
    SettingPut("MaxLoggedDev", "100");
    SettingPut("BeaconFlashrate", "2");
    SettingPut("Language", "20"); // from a newer panel: not in the list
    SettingPut("FireRelayMode", "3");
    Open();
    EXPECT_EQ(List(1241)->currentText(), "100");
    EXPECT_EQ(List(1230)->currentText(), "2 Seconds");
    EXPECT_EQ(List(1220)->currentIndex(), -1);
    EXPECT_EQ(List(1240)->currentText(), "Energise on any disablement");
    EXPECT_EQ(List(1235)->currentText(), "Denergise on fault");
    EXPECT_EQ(List(1214)->count(), 2);
    EXPECT_EQ(List(1214)->itemText(1), "CoralWave");
    Ok();
    EXPECT_EQ(Value("MaxLoggedDev"), "100");
    EXPECT_EQ(Value("BeaconFlashrate"), "2");
    EXPECT_EQ(Value("Language"), "20");
    EXPECT_EQ(Value("FireRelayMode"), "3");

    SettingDelete("MaxLoggedDev");
    SettingPut("BeaconFlashrate", "0");
    Open();
    EXPECT_EQ(Value("MaxLoggedDev"), "192"); // created at opening
    EXPECT_EQ(List(1230)->currentIndex(), -1);
    List(1220)->setCurrentIndex(1);
    Ok();
    EXPECT_EQ(Value("BeaconFlashrate"), "0");
    EXPECT_EQ(Value("Language"), "1");

    SettingPut("MaxLoggedDev", "1"); // an index, as older files hold it
    Open();
    Ok();
    EXPECT_EQ(Value("MaxLoggedDev"), "100");
}

TEST_F(PanelInfoTest, ValuesNobodyTouchedAreWrittenBackAsStored) {
    // From a file or a panel: longer than the edits allow to type, and two
    // of the three sound flags set.
    SettingPut("NumZones", "100");
    SettingPut("PanelSnum", "123456789");
    SettingPut("ContractorCode", "123456");
    SettingPut("TsSpokenMess", "1");
    SettingPut("TsElectronic", "1");
    SettingPut("TsBellSound", "0");
    Open();
    EXPECT_EQ(Edit(1215)->text(), "100");
    auto* sounds = Control<QAbstractButton>(dialog_.get(), 1245);
    auto* electronic = Control<QAbstractButton>(dialog_.get(), 1246);
    auto* bells = Control<QAbstractButton>(dialog_.get(), 1247);
    EXPECT_TRUE(sounds->isChecked());
    EXPECT_TRUE(electronic->isChecked());
    EXPECT_FALSE(bells->isChecked());
    Ok();
    EXPECT_EQ(Value("NumZones"), "100");
    EXPECT_EQ(Value("PanelSnum"), "123456789");
    EXPECT_EQ(Value("ContractorCode"), "123456");
    EXPECT_EQ(Value("TsSpokenMess"), "1");
    EXPECT_EQ(Value("TsElectronic"), "1");
    EXPECT_EQ(Value("TsBellSound"), "0");

    // Typing stays within the limit once the long value is shortened; a
    // click chooses one sound and clears the other two.
    Open();
    sounds = Control<QAbstractButton>(dialog_.get(), 1245);
    electronic = Control<QAbstractButton>(dialog_.get(), 1246);
    bells = Control<QAbstractButton>(dialog_.get(), 1247);
    QTest::keyClick(Edit(1215), Qt::Key_End);
    QTest::keyClick(Edit(1215), Qt::Key_Backspace);
    QTest::keyClicks(Edit(1215), "7");
    EXPECT_EQ(Edit(1215)->text(), "10");
    QTest::keyClick(Edit(1211), Qt::Key_End);
    QTest::keyClicks(Edit(1211), "0");
    EXPECT_EQ(Edit(1211)->text(), "123456789");
    bells->click();
    EXPECT_FALSE(sounds->isChecked());
    EXPECT_FALSE(electronic->isChecked());
    EXPECT_TRUE(bells->isChecked());
    Ok();
    EXPECT_EQ(Value("NumZones"), "10");
    EXPECT_EQ(Value("TsSpokenMess"), "0");
    EXPECT_EQ(Value("TsElectronic"), "0");
    EXPECT_EQ(Value("TsBellSound"), "1");
}

TEST_F(PanelInfoTest, ValueButtonsCreateTheirDefaultsAndWriteAtOnce) {
    for (const char* name : {"FirstKnockSearchTime", "SearchTime", "WalkTestTimeout",
                             "TalkingSndSyncTime", "PulseOnTime"})
        SettingDelete(name);
    Open();
    EXPECT_EQ(ButtonText(1242), "");
    EXPECT_EQ(ButtonText(1501), "???");
    auto cancel = [](QDialog* d) { Press(d, d->findChild<QPushButton*>("1007") ? 1007 : 2); };
    WhenModal([&] { Press(dialog_.get(), 1242); }, cancel);
    WhenModal([&] { Press(dialog_.get(), 1503); }, cancel);
    WhenModal([&] { Press(dialog_.get(), 1236); }, cancel);
    WhenModal([&] { Press(dialog_.get(), 1233); }, cancel);
    EXPECT_EQ(Value("FirstKnockSearchTime"), "0:24");
    EXPECT_EQ(Value("SearchTime"), "2:00");
    EXPECT_EQ(Value("WalkTestTimeout"), "20");
    EXPECT_EQ(Value("TalkingSndSyncTime"), "20");
    EXPECT_EQ(ButtonText(1242), "0:24");
    EXPECT_EQ(ButtonText(1236), "20s");

    // The pulse dialog: created as 1.0, then 2.74 is written as 2.5.
    WhenModal([&] { Press(dialog_.get(), 1501); },
              [](QDialog* d) {
                  EXPECT_EQ(d->windowTitle(), "Set pulse time (Seconds)");
                  EXPECT_EQ(Control<QLineEdit>(d, 1601)->text(), "1.0");
                  d->findChild<QToolButton*>("4002-up")->click();
                  EXPECT_EQ(Control<QLineEdit>(d, 1601)->text(), "1.5");
                  Control<QLineEdit>(d, 1601)->setText("2.74");
                  Press(d, 1006);
              });
    EXPECT_EQ(Value("PulseOnTime"), "2.5");
    EXPECT_EQ(ButtonText(1501), "2.5s");

    // What a value dialog wrote stays when the panel dialog is closed by its box.
    Edit(1211)->setText("NEW");
    dialog_->reject();
    EXPECT_EQ(Value("PulseOnTime"), "2.5");
    EXPECT_NE(Value("PanelSnum"), "NEW");
}

TEST_F(PanelInfoTest, SecondsDialogClampsTheWalkTestTimeout) {
    SettingPut("WalkTestTimeout", "45");
    Open();
    EXPECT_EQ(ButtonText(1236), "45s");
    WhenModal([&] { Press(dialog_.get(), 1236); },
              [](QDialog* d) {
                  EXPECT_EQ(d->windowTitle(), "Adjust seconds");
                  EXPECT_EQ(Control<QLineEdit>(d, 1301)->text(), "45");
                  EXPECT_EQ(Control<QLineEdit>(d, 1301)->maxLength(), 4);
                  Press(d, 1);
              });
    EXPECT_EQ(Value("WalkTestTimeout"), "30");
    EXPECT_EQ(ButtonText(1236), "30s");
}

TEST_F(PanelInfoTest, AValueLongerThanItsEditIsReadWhole) {
    SettingPut("ServiceReminderDays", "00120");
    Open();
    WhenModal([&] { Press(dialog_.get(), 1234); },
              [](QDialog* d) {
                  EXPECT_EQ(Control<QLineEdit>(d, 1301)->text(), "00120");
                  Press(d, 1);
              });
    EXPECT_EQ(Value("ServiceReminderDays"), "120");
}

TEST_F(PanelInfoTest, TimeOfDayWorksOnACopyUntilOk) {
    SettingPut("DayNightOnTime", "23:59");
    Open();
    WhenModal([&] { Press(dialog_.get(), 1231); },
              [](QDialog* d) {
                  EXPECT_EQ(d->windowTitle(), "Adjust time HH:MM");
                  QLineEdit* edit = Control<QLineEdit>(d, 1008);
                  QTest::keyClick(edit, Qt::Key_Up);
                  EXPECT_EQ(edit->text(), "0:00");
                  Press(d, 1007);
              });
    EXPECT_EQ(Value("DayNightOnTime"), "23:59");
    WhenModal([&] { Press(dialog_.get(), 1231); },
              [](QDialog* d) {
                  QLineEdit* edit = Control<QLineEdit>(d, 1008);
                  edit->setText("25:10");
                  QTest::keyClick(edit, Qt::Key_Return); // OK is the default button
              });
    EXPECT_EQ(Value("DayNightOnTime"), "0:10");
    EXPECT_EQ(ButtonText(1231), "0:10");
}

// The order of creation decides where each setting lies in the store, and so
// the line order of a saved file: OK on an empty store must create them in
// its own order.
TEST_F(PanelInfoTest, OkCreatesTheSettingsInItsOrder) {
    SettingsStore* site = StoreSelect(nullptr);
    StoreFree(site);
    StoreInit(site);
    Open();
    for (int id : {1217, 1253, 1218, 1219})
        Edit(id)->setText("123412");
    Ok();
    ASSERT_EQ(dialog_->result(), QDialog::Accepted);

    const char* order[] = {"MaxLoggedDev", // at opening
                           "FlashFirstDG",
                           "SecondFireLink",
                           "2ndKnock",
                           "ClassChange",
                           "BeaconFlashUntil",
                           "TsSpokenTest",
                           "TsSpokenMess",
                           "TsElectronic",
                           "TsBellSound",
                           "DayNightIp",
                           "RemoteAlarmInput",
                           "RaiControl",
                           "FlashOnPoll",
                           "CancelDelays",
                           "FBP",
                           "FBP_NoDisplay",
                           "Serial",
                           "MaleVoice",
                           "Beacon",
                           "ClassBeacon",
                           "PanelSnum",
                           "ContractorCode",
                           "FirstKnockSearchTime",
                           "PanelType",
                           "NumZones",
                           "FireRelayMode",
                           "OverlayType",
                           "UserCode",
                           "UserCode2",
                           "EngineerCode",
                           "AdvancedCode",
                           "FireLinkDelay",
                           "DayNightOnTime",
                           "DayNightOffTime",
                           "PulsingAlarmTimeoutTime",
                           "PulsingAlarmTimeoutTone",
                           "DisplayMode",
                           "Language",
                           "FaultRelayMode"};
    SettingsStore reference;
    StoreInitAside(&reference);
    for (const char* name : order)
        SettingSet(&reference, name, "");
    EXPECT_EQ(site->recordCount, reference.recordCount);
    for (int i = 0; i < kStoreSlotCount; ++i) {
        const SettingRecord* a = StoreRecordAt(site, i);
        const SettingRecord* b = StoreRecordAt(&reference, i);
        ASSERT_EQ(a == nullptr, b == nullptr) << i;
        if (a) {
            ASSERT_STREQ(a->name, b->name) << i;
        }
    }
    StoreFree(&reference);
    // No selection on an empty store: the flash rate is left absent, not "0".
    EXPECT_EQ(Value("BeaconFlashrate"), "<absent>");
    EXPECT_EQ(Value("Language"), "0");
    EXPECT_EQ(Value("MaxLoggedDev"), "192");
}

TEST_F(PanelInfoTest, TheCommandClosesTheEditorAndRechecks) {
    window_->Dispatch(6003);
    ASSERT_NE(App().currentEditor, nullptr);
    WhenModal([&] { window_->Dispatch(6018); },
              [](QDialog* d) {
                  EXPECT_EQ(d->windowTitle(), "Panel information");
                  d->reject();
              });
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_NE(SettingGet("QuiescentCurrent"), nullptr);
}

} // namespace
