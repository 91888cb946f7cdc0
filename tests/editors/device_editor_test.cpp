// Device editor: row fill, write-back of the typed columns, the value check
// and the serial number rule.

#include "device_editor_fixture.h"
#include "editors/device_editor.h"
#include "editors/device_editor_serial.h"
#include "model/site_defaults.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

class DeviceEditorTest : public EditorTest {
  protected:
    void Open() {
        grid_->SetSize(kLoopAddresses, kDeviceColumns);
        grid_->SetHeaderHeight(21);
        grid_->SetEditable(true);
        DeviceEditorFill(grid_);
    }
    std::vector<std::string> Row(int a) {
        std::vector<std::string> row;
        for (int c = 0; c <= kDeviceColumns; ++c)
            row.push_back(Text(a, c));
        return row;
    }
};

using Texts = std::vector<std::string>;

TEST_F(DeviceEditorTest, RowsShowTheStoreAndLockTheClickedColumns) {
    FillSiteDefaults();
    const struct {
        const char* name;
        const char* value;
    } row3[] = {{"SNum_3", "123456"},    {"Type_3", "33"},       {"Version_3", "7"},
                {"MapNode_3", "2"},      {"Zone_3", "05"},       {"Sens1_3", "3"},
                {"Sens2_3", "9"},        {"IPGroup_3", "4"},     {"OPGroup_3", "6"},
                {"DisplayGroup_3", "0"}, {"RptGroup_3", "2"},    {"Volume_3", "7"},
                {"Class_3", "12"},       {"NonLatching_3", "0"}, {"Coverage_3", "1"}};
    for (const auto& s : row3)
        Put(s.name, s.value);
    Put("Type_4", "254"); // not in the type table
    Put("Type_5", "158");
    Put("Coverage_5", "1");
    Put("Volume_5", "4");
    SettingDelete("Sens1_6");
    SettingDelete("Volume_6");
    SettingDelete("Class_6");
    SettingDelete("Coverage_6");
    SettingDelete("Type_6");
    Open();
    EXPECT_EQ(Row(0),
              (Texts{"Address", "Serial number", "Type", "Version", "Map node", "Zone", "Day Sens",
                     "Night Sens", "Input group", "Output group", "Display group", "Repeat group",
                     "Volume", "Class", "Non Latching", "Coverage"}));
    EXPECT_EQ(Row(3), (Texts{"3", "123456", "OPTICAL", "7", "2", "05", "Enhanced", "9", "4", "6",
                             "0", "2", "7", "Unknown", "Non-Latching", "N/A"}));
    EXPECT_EQ(Text(4, 2), "FE");
    EXPECT_EQ(Text(5, 12), "Medium");
    EXPECT_EQ(Text(5, 15), "C-3-5");
    EXPECT_EQ(Text(1, 14), "Latching");
    EXPECT_EQ(Text(6, 6), "?!?!?!");
    for (int c : {2, 12, 13, 15})
        EXPECT_EQ(Text(6, c), "") << c;
    for (int c = 1; c <= kDeviceColumns; ++c) {
        const bool typed = c == 1 || c == 5 || (c >= 8 && c <= 11);
        EXPECT_EQ(Locked(6, c), !typed) << c;
    }
}

TEST_F(DeviceEditorTest, WritingBackWithoutEditsChangesNothing) {
    FillSiteDefaults();
    Open();
    const uint32_t before = StoreChecksum();
    DeviceEditorStore(grid_);
    EXPECT_EQ(StoreChecksum(), before);
}

TEST_F(DeviceEditorTest, PlaceholdersOfAbsentSettingsAreNotWrittenBack) {
    // A site without loop data, as a Get whose loop read failed leaves it.
    Put("SiteName", "Panel only");
    Put("Zone_7", "3");
    Open();
    EXPECT_EQ(Text(7, 1), "NULL");
    // The locked columns that show a setting as it stands say so too.
    for (int c : {kDeviceColVersion, kDeviceColMapNode}) {
        EXPECT_EQ(Text(7, c), "NULL") << c;
        EXPECT_TRUE(Locked(7, c)) << c;
    }
    GridSetText(grid_, 7, 8, "12"); // as an accepted edit stores it
    DeviceEditorStore(grid_);
    EXPECT_EQ(site_.recordCount, 3u);
    EXPECT_EQ(Value("Zone_7"), "3");
    EXPECT_EQ(Value("IPGroup_7"), "12");
    EXPECT_EQ(Value("SNum_7"), "(absent)");
}

TEST_F(DeviceEditorTest, ValueCheck) {
    Put("ClassChange", "1");
    Put("RemoteAlarmInput", "1");
    const struct {
        int column;
        const char* text;
        bool accept;
        int jumpRow;
    } cases[] = {
        {5, "05", true, 0},        {5, "32", true, 0},   {5, "33", false, 0},
        {5, "0", false, 0},        {5, "x", false, 0},   {9, "1", true, 0},
        {9, "-1", false, 0},       {8, "29", true, 0},   {8, "32", false, 0},
        {10, "0", true, 0},        {10, "255", true, 0}, {10, "256", false, 0},
        {11, "0", true, 0},        {11, "33", false, 0}, {1, "21123456", true, 0},
        {1, "L150", false, 50},    {1, "L1", false, 0},  {1, "L2", false, 0},
        {1, "L11920", false, 192}, {1, "l150", true, 0}, {10, "-0", true, 0},
        {11, "+7", true, 0},
    };
    for (const auto& c : cases) {
        DeviceEditCheck check = CheckDeviceEdit(c.column, c.text);
        EXPECT_EQ(check.accept, c.accept) << c.column << " " << c.text;
        EXPECT_EQ(check.jumpRow, c.jumpRow) << c.column << " " << c.text;
        EXPECT_EQ(check.message, nullptr) << c.column << " " << c.text;
    }
    // A minus never wraps round into a range: the numbers are read signed.
    const std::pair<int, const char*> negatives[] = {
        {5, "-4294967295"}, {9, "-4294967264"}, {8, "-4294967266"}, {8, "-4294967265"}};
    for (const auto& [column, text] : negatives) {
        DeviceEditCheck check = CheckDeviceEdit(column, text);
        EXPECT_FALSE(check.accept) << column << " " << text;
        EXPECT_EQ(check.message, nullptr) << column << " " << text;
    }
    EXPECT_STREQ(CheckDeviceEdit(8, "30").message,
                 "The Class Change Input is assigned to input group 30");
    EXPECT_STREQ(CheckDeviceEdit(8, "31").message,
                 "The Remote Alarm Input is assigned to input group 31");
    Put("RaiControl", "1");
    Put("ClassChange", "0");
    EXPECT_TRUE(CheckDeviceEdit(8, "31").accept);
    EXPECT_TRUE(CheckDeviceEdit(8, "30").accept);
}

TEST_F(DeviceEditorTest, SerialRepeatRule) {
    RememberedSerial memory;
    char serial[9];
    EXPECT_FALSE(NextSerial("2112345", &memory, serial));
    EXPECT_FALSE(NextSerial("211234567", &memory, serial));
    EXPECT_FALSE(NextSerial("123456", &memory, serial));
    ASSERT_TRUE(NextSerial("c5fffffeXY", &memory, serial));
    EXPECT_STREQ(serial, "C5FFFFFE"); // what follows the digits is dropped
    std::vector<std::string> next;
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(NextSerial("C5FFFFFE", &memory, serial));
        next.push_back(serial);
    }
    EXPECT_EQ(next[0], "C5FFFFFF");
    EXPECT_EQ(next[1], "C5000000"); // the six digits wrap
    EXPECT_EQ(next[14], "C500000D");
    EXPECT_EQ(next[15], "C5FFFFFE"); // the 17th entry: no further step
    // Another type repeats unchanged; a new serial starts again.
    ASSERT_TRUE(NextSerial("21123456", &memory, serial));
    ASSERT_TRUE(NextSerial("21123456", &memory, serial));
    EXPECT_STREQ(serial, "21123456");
    ASSERT_TRUE(NextSerial("C4000010", &memory, serial));
    ASSERT_TRUE(NextSerial("C4000010", &memory, serial));
    EXPECT_STREQ(serial, "C4000011");
}

} // namespace
