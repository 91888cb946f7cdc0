// Device editor opened from its menu command: typed values and their checks,
// serial numbers, clicks, the Delete key, row drags and the write-back.

#include "app/cell_actions.h"
#include "device_editor_app_fixture.h"
#include "editors/device_editor.h"

#include <vector>

namespace {

class DeviceActionsTest : public GridEditorAppTest {
  protected:
    // Settings put before this are what the editor shows; put while it is
    // open, the typed columns would be overwritten by its write-back.
    void OpenEditor() { Open(kCmdDeviceEditor); }
    void Reopen() {
        Close();
        OpenEditor();
    }
    // Enters a serial on the address's row.
    void Serial(int a, const char* text) { Type(a, kDeviceColSerial, text); }
    std::vector<std::string> Settings(int a) {
        std::vector<std::string> values;
        for (const DeviceSetting& s : kDeviceSettings)
            values.push_back(Value(Name(s.format, a)));
        return values;
    }
};

using Texts = std::vector<std::string>;

TEST_F(DeviceActionsTest, OpensEditableWithTheFocus) {
    OpenEditor();
    EXPECT_EQ(App().currentKind, EditorKind::kDevice);
    EXPECT_EQ(grid_->ControlId(), 701);
    EXPECT_EQ(grid_->State().title, "Device editor");
    EXPECT_EQ(grid_->State().rowCount, 192);
    EXPECT_TRUE(grid_->State().editable);
    EXPECT_TRUE(grid_->hasFocus());
    EXPECT_EQ(grid_->State().headerHeight, 21); // not grown by the header texts
}

TEST_F(DeviceActionsTest, SpaceClicksWhereTheCellTakesNoTyping) {
    Put("Volume_6", "2");
    Put("Zone_6", "3");
    Put("Type_6", "64");
    OpenEditor();
    grid_->SetCursor(6, kDeviceColVolume);
    QTest::keyClick(grid_, Qt::Key_Space);
    EXPECT_EQ(Value("Volume_6"), "4");
    EXPECT_EQ(Text(6, kDeviceColVolume), "Medium");
    // Shift+Space is a click on the column's header: the class header sets
    // every class.
    grid_->SetCursor(6, kDeviceColClass);
    QTest::keyClick(grid_, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(Value("Class_6"), "1");
    EXPECT_EQ(Value("Class_7"), "0");
    // A typed column keeps its space as typing, with or without Shift.
    grid_->SetCursor(6, kDeviceColZone);
    QTest::keyClick(grid_, Qt::Key_Space, Qt::ShiftModifier);
    QTest::keyClicks(grid_, "7");
    QTest::keyClick(grid_, Qt::Key_Return);
    EXPECT_EQ(Text(6, kDeviceColZone), " 7");
    EXPECT_EQ(Value("Class_7"), "0");
}

TEST_F(DeviceActionsTest, TypedValuesAreCheckedAndWrittenBackAtClose) {
    OpenEditor();
    Put("ClassChange", "1");
    Put("RemoteAlarmInput", "1");
    Put("RaiControl", "0");
    Type(4, kDeviceColZone, "05");
    Type(4, kDeviceColOutputGroup, "33"); // refused without a message
    Type(4, kDeviceColInputGroup, "30");
    Type(4, kDeviceColInputGroup, "31");
    Type(4, kDeviceColRepeatGroup, "32");
    Type(4, kDeviceColDisplayGroup, "256");
    Type(4, kDeviceColType, "99"); // locked
    EXPECT_EQ(Messages(), (Texts{"The Class Change Input is assigned to input group 30",
                                 "The Remote Alarm Input is assigned to input group 31"}));
    EXPECT_EQ(ui_.records.at(0).caption, App().appTitle);
    EXPECT_EQ(ui_.records.at(0).icon, MessageIcon::kStop);
    EXPECT_EQ(Text(4, kDeviceColZone), "05");
    EXPECT_EQ(Text(4, kDeviceColOutputGroup), "1");
    EXPECT_EQ(Value("Zone_4"), "1"); // only in the grid until the commit
    Close();
    EXPECT_EQ(Value("Zone_4"), "05");
    EXPECT_EQ(Value("OPGroup_4"), "1");
    EXPECT_EQ(Value("IPGroup_4"), "1");
    EXPECT_EQ(Value("RptGroup_4"), "32");
    EXPECT_EQ(Value("DisplayGroup_4"), "0");
    EXPECT_EQ(Value("Type_4"), "0");
}

TEST_F(DeviceActionsTest, L1JumpsToTheRowAfterEnterHasMovedDown) {
    OpenEditor();
    Type(3, kDeviceColSerial, "L150");
    QApplication::processEvents();
    EXPECT_EQ(grid_->CursorRow(), 50);
    EXPECT_EQ(grid_->CursorColumn(), kDeviceColSerial);
    EXPECT_EQ(Text(3, kDeviceColSerial), "000000");
    Type(3, kDeviceColZone, "L2");
    QApplication::processEvents();
    EXPECT_EQ(grid_->CursorRow(), 4);
    EXPECT_EQ(Text(3, kDeviceColZone), "1");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DeviceActionsTest, SerialEntryStoresTheDeviceAndRefusalsKeepTheStoredSerial) {
    OpenEditor();
    Serial(3, "21123456");
    EXPECT_EQ(Value("SNum_3"), "123456");
    EXPECT_EQ(Value("Type_3"), "33");
    EXPECT_EQ(Value("Sens1_3"), "1");
    EXPECT_EQ(Value("Sens2_3"), "1");
    EXPECT_EQ(Value("Version_3"), "0");
    EXPECT_EQ(Text(3, kDeviceColType), "OPTICAL");
    EXPECT_EQ(Text(3, kDeviceColDaySens), "Office");

    Serial(3, "2112345"); // seven digits
    EXPECT_EQ(Text(3, kDeviceColSerial), "123456");
    Click(3, kDeviceColSerial); // Escape on a started edit
    QTest::keyClicks(grid_, "9");
    QTest::keyClick(grid_, Qt::Key_Escape);
    EXPECT_EQ(Text(3, kDeviceColSerial), "123456");
    Serial(3, "21123456"); // the address's own serial
    EXPECT_EQ(Messages(), (Texts{"Serial number 123456 is already used at address 3"}));
    EXPECT_EQ(ui_.records.back().icon, MessageIcon::kStop);
    Close();
    EXPECT_EQ(Value("SNum_3"), "123456");
    EXPECT_EQ(Value("Type_3"), "33");
}

TEST_F(DeviceActionsTest, RepeatedMultiChannelSerialCountsOnFor15Addresses) {
    OpenEditor();
    for (int a = 1; a <= 17; ++a)
        Serial(a, "C5123456");
    for (int a = 1; a <= 16; ++a) {
        char expected[8];
        std::snprintf(expected, sizeof expected, "%06X", 0x123456 + a - 1);
        EXPECT_EQ(Value(Name("SNum_%d", a)), expected) << a;
        EXPECT_EQ(Value(Name("Type_%d", a)), "197") << a;
    }
    EXPECT_EQ(Messages(), (Texts{"Serial number 123456 is already used at address 1"}));
    EXPECT_EQ(Value("SNum_17"), "000000");
    EXPECT_EQ(Value("Type_17"), "0");

    // A new opening forgets the serial; what follows the 8 digits is dropped.
    Reopen();
    Serial(20, "c5abcdefXY");
    EXPECT_EQ(Value("SNum_20"), "ABCDEF");
    Serial(21, "C5ABCDEF");
    EXPECT_EQ(Value("SNum_21"), "ABCDF0");
    Close();
    EXPECT_EQ(Value("SNum_20"), "ABCDEF");
}

TEST_F(DeviceActionsTest, TypedValuesSurviveASerialEntryAndAClassHeaderClick) {
    OpenEditor();
    Type(10, kDeviceColZone, "7");
    Type(10, kDeviceColInputGroup, "4");
    Type(11, kDeviceColRepeatGroup, "9");
    Serial(10, "21000777");
    EXPECT_EQ(Text(10, kDeviceColZone), "7");
    Put("Type_12", "64");
    Click(0, kDeviceColClass);
    EXPECT_EQ(Value("Class_12"), "1");
    EXPECT_EQ(Text(12, kDeviceColClass), "Manual");
    EXPECT_EQ(Value("Class_10"), "0");
    Close();
    EXPECT_EQ(Value("Zone_10"), "7");
    EXPECT_EQ(Value("IPGroup_10"), "4");
    EXPECT_EQ(Value("RptGroup_11"), "9");
    EXPECT_EQ(Value("SNum_10"), "000777");
}

TEST_F(DeviceActionsTest, ClickCycles) {
    Put("Type_2", "33");
    Put("Sens1_2", "1");
    Put("Type_3", "64");
    Put("Sens2_3", "2");
    Put("Volume_2", "7");
    Put("Class_2", "8");
    Put("Type_4", "158");
    Put("Coverage_4", "0");
    Put("Coverage_2", "1");
    OpenEditor();
    Click(2, kDeviceColDaySens);
    EXPECT_EQ(Value("Sens1_2"), "3");
    EXPECT_EQ(Text(2, kDeviceColDaySens), "Enhanced");
    Click(2, kDeviceColDaySens);
    EXPECT_EQ(Value("Sens1_2"), "1");
    Click(3, kDeviceColNightSens);
    EXPECT_EQ(Value("Sens2_3"), "0");
    EXPECT_EQ(Text(3, kDeviceColNightSens), "None");

    EXPECT_EQ(Text(2, kDeviceColVolume), "7");
    for (const char* step : {"Low", "Medium", "High", "Low"}) {
        Click(2, kDeviceColVolume);
        EXPECT_EQ(Text(2, kDeviceColVolume), step);
    }
    EXPECT_EQ(Value("Volume_2"), "2");
    Click(2, kDeviceColClass);
    EXPECT_EQ(Value("Class_2"), "0");
    EXPECT_EQ(Text(2, kDeviceColClass), "Automatic");
    Click(2, kDeviceColNonLatching);
    EXPECT_EQ(Value("NonLatching_2"), "1");
    EXPECT_EQ(Text(2, kDeviceColNonLatching), "Non-Latching");
    Click(2, kDeviceColNonLatching);
    EXPECT_EQ(Value("NonLatching_2"), "(absent)");
    EXPECT_EQ(Text(2, kDeviceColNonLatching), "Latching");

    for (const char* name : {"C-3-5", "C-3-3", "C-3-7.5"}) {
        Click(4, kDeviceColCoverage);
        EXPECT_EQ(Text(4, kDeviceColCoverage), name);
    }
    EXPECT_EQ(Value("Coverage_4"), "0");
    Click(2, kDeviceColCoverage); // no coverage names for the type
    EXPECT_EQ(Text(2, kDeviceColCoverage), "N/A");
    EXPECT_EQ(Value("Coverage_2"), "1");
    SettingDelete("Coverage_5");
    Click(5, kDeviceColCoverage);
    EXPECT_EQ(Value("Coverage_5"), "(absent)");
    // Clicked cells stay locked: typing there does nothing.
    grid_->SetCursor(2, kDeviceColVolume);
    QTest::keyClicks(grid_, "4");
    QTest::keyClick(grid_, Qt::Key_Return);
    EXPECT_EQ(Value("Volume_2"), "2");
    EXPECT_EQ(Text(2, kDeviceColVolume), "Low");
}

TEST_F(DeviceActionsTest, RowDragExchangesAllSettingsAfterWritingTypedValuesBack) {
    Put("SNum_5", "111111");
    Put("Type_5", "33");
    Put("SNum_9", "999999");
    Put("Type_9", "158");
    Put("NonLatching_9", "1");
    Put("Coverage_9", "1");
    OpenEditor();
    Type(5, kDeviceColZone, "12");
    const Texts before5 = Settings(5), before9 = Settings(9);
    Drag(5, 9, kDeviceColZone);
    Texts expected9 = before5;
    expected9[4] = "12"; // the typed zone went with its device
    EXPECT_EQ(Settings(9), expected9);
    EXPECT_EQ(Settings(5), before9);
    EXPECT_EQ(Value("NonLatching_9"), "(absent)");
    EXPECT_EQ(Value("NonLatching_5"), "1");
    EXPECT_EQ(Text(5, kDeviceColSerial), "999999");
    EXPECT_EQ(Text(5, kDeviceColNonLatching), "Non-Latching");
    EXPECT_EQ(Text(5, kDeviceColCoverage), "C-3-5");
    EXPECT_EQ(Text(9, kDeviceColZone), "12");
    EXPECT_EQ(Text(9, kDeviceColNonLatching), "Latching");
}

TEST_F(DeviceActionsTest, DeleteKeyResetsTheRow) {
    Put("SNum_6", "123456");
    Put("Type_6", "33");
    Put("Volume_6", "2");
    Put("Coverage_6", "2");
    Put("NonLatching_6", "1");
    SettingDelete("MapNode_6");
    OpenEditor();
    grid_->SetCursor(6, kDeviceColVolume);
    QTest::keyClick(grid_, Qt::Key_Delete);
    EXPECT_EQ(Settings(6), (Texts{"000000", "0", "0", "(absent)", "1", "0", "0", "1", "1", "0", "0",
                                  "15", "0", "(absent)", "0"}));
    EXPECT_EQ(Text(6, kDeviceColVolume), "High");
    EXPECT_EQ(Text(6, kDeviceColNonLatching), "Latching");
}

TEST_F(DeviceActionsTest, ClosingWithoutEditsChangesNothing) {
    OpenEditor();
    const uint32_t before = StoreChecksum();
    DeviceEditorCommit(*grid_);
    EXPECT_EQ(StoreChecksum(), before);
}

TEST_F(DeviceActionsTest, SiteWithoutLoopDataGainsNoPlaceholders) {
    // As a Get whose loop read failed leaves the site: panel settings only.
    SettingsStore* site = StoreSelect(nullptr);
    StoreFree(site);
    StoreInit(site);
    Put("SiteName", "Panel only");
    Put("ClassChange", "0");
    Open(kCmdDeviceEditor);
    EXPECT_EQ(Text(1, kDeviceColSerial), "NULL");
    Close();
    for (int i = 0; i < kStoreSlotCount; ++i) {
        if (const SettingRecord* r = StoreRecordAt(site, i)) {
            EXPECT_STRNE(r->value, "NULL") << r->name;
        }
    }
}

TEST_F(DeviceActionsTest, FailedLoadKeepsTheEditorAndItsTypedValuesForTheSameSite) {
    OpenEditor();
    Type(8, kDeviceColZone, "9");
    ui_.files.push_back("/nonexistent/site.psf");
    window_->Dispatch(kCmdLoad);
    EXPECT_EQ(Messages(), (Texts{"Couldn't open file"}));
    ASSERT_EQ(App().currentEditor, grid_);
    Close();
    EXPECT_EQ(Value("Zone_8"), "9");
    EXPECT_EQ(Value("SNum_8"), "000000");
}

} // namespace
