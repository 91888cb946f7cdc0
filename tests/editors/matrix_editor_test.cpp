// Matrix editor: fill, colours and the presets on the site store.

#include "device_editor_fixture.h"
#include "editors/matrix_editor.h"
#include "model/site_defaults.h"

namespace {

class MatrixEditorTest : public EditorTest {
  protected:
    void Open() {
        grid_->SetSize(kMatrixRows, kMatrixColumns);
        MatrixFill(grid_);
        grid_->SetHeaderHeight(21);
    }
};

TEST_F(MatrixEditorTest, OpeningAnEmptySiteCreatesEveryEntryContinuous) {
    Open();
    for (int i = 1; i <= kGroups; ++i)
        for (int g = 1; g <= kGroups; ++g)
            ASSERT_EQ(Value(Name("Matrix_%d_%d", i, g)), "C");
    EXPECT_EQ(site_.recordCount, 1024u);
    EXPECT_EQ(Text(4, 1), "C");
    EXPECT_EQ(Colour(35, 32), GridRgb(255, 0, 0));
    EXPECT_EQ(Text(1, 5), "0:00");
    EXPECT_EQ(Text(2, 5), "0:00");
    EXPECT_EQ(Text(0, 7), "OPG7");
    EXPECT_EQ(Text(32, 0), "IPG29");
    EXPECT_EQ(Text(33, 0), "IPG30");
    EXPECT_EQ(Text(34, 0), "IPG31");
    EXPECT_EQ(Text(35, 0), "Sound Alarms");
    // No alarm type: an empty white cell.
    EXPECT_EQ(Text(3, 1), "");
    EXPECT_EQ(Colour(3, 1), kGridWhite);
    EXPECT_FALSE(Locked(4, 1));
}

TEST_F(MatrixEditorTest, ShowsStoredValuesWithTheirColours) {
    Put("Matrix_1_1", "O");
    Put("Matrix_1_2", "Px");
    Put("Matrix_1_3", "W");
    Put("Matrix_1_4", "X");
    Put("OutputDelay_3", "1:05");
    Put("OutputDelayT2_3", "12:30");
    Put("AlarmType_1", "0");
    Put("AlarmType_2", "1");
    Put("ClassChange", "1");
    Put("RemoteAlarmInput", "2");
    // Groups 2 and 32 disabled, as the panel decoder writes the mask.
    Put("DisabledOPGroups", "-2147483646");
    Open();
    EXPECT_EQ(Text(4, 2), "Px");
    const uint32_t expected[] = {GridRgb(255, 255, 255), GridRgb(0, 255, 0), GridRgb(255, 255, 0),
                                 GridRgb(0, 0, 255)};
    for (int g = 1; g <= 4; ++g)
        EXPECT_EQ(Colour(4, g), expected[g - 1]) << g;
    EXPECT_EQ(Text(1, 3), "1:05");
    EXPECT_EQ(Text(2, 3), "12:30");
    EXPECT_EQ(Text(3, 1), "Alarm");
    EXPECT_EQ(Colour(3, 1), GridRgb(255, 200, 200));
    EXPECT_EQ(Text(3, 2), "Control");
    EXPECT_EQ(Colour(3, 2), GridRgb(200, 200, 255));
    EXPECT_EQ(Text(33, 0), "Class Change");
    EXPECT_EQ(Text(34, 0), "Remote Alarm");
    EXPECT_EQ(Text(0, 1), "OPG1");
    for (int g : {2, 32}) {
        EXPECT_EQ(Text(0, g), "X");
        EXPECT_EQ(Colour(0, g), GridRgb(0, 0, 0)) << g; // drawn sunken
    }
    EXPECT_EQ(Value("DisabledOPGroups"), "-2147483646"); // opening writes nothing
}

TEST_F(MatrixEditorTest, PresetsChangeOnlyTheFirstCharacterOfExistingEntries) {
    Put("Matrix_5_5", "Wab");
    Put("Matrix_32_1", "P");
    Put("Matrix_31_1", "");
    MatrixPresetOff();
    EXPECT_EQ(Value("Matrix_5_5"), "Oab");
    EXPECT_EQ(Value("Matrix_32_1"), "C");
    EXPECT_EQ(Value("Matrix_31_1"), "O");
    EXPECT_EQ(Value("Matrix_1_1"), "(absent)"); // presets create nothing
    MatrixPresetContinuous();
    EXPECT_EQ(Value("Matrix_5_5"), "Cab");
    EXPECT_EQ(Value("Matrix_31_1"), "C");
    EXPECT_EQ(Value("Matrix_1_1"), "(absent)");
}

TEST_F(MatrixEditorTest, DisabledGroupColumnIsGrey) {
    Put("DisabledOPGroups", "2");
    Open();
    grid_->SetColumnWidth(1, 60);
    grid_->SetColumnWidth(2, 60);
    const QImage shot = Shot();
    const QPoint in1 = CellCentre(5, 1) + QPoint(-20, 6), in2 = CellCentre(5, 2) + QPoint(-20, 6);
    EXPECT_EQ(shot.pixelColor(in1), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(in2), QColor(128, 128, 128));
}

} // namespace
