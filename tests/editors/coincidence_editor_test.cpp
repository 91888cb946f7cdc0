// Coincidence editor: the fixed table and the highlight of the stored choice.

#include "device_editor_fixture.h"
#include "editors/coincidence_cells.h"
#include "editors/coincidence_editor.h"

#include <vector>

namespace {

class CoincidenceEditorTest : public EditorTest {
  protected:
    void Open() {
        grid_->SetSize(1, kCoincidenceColumns);
        grid_->SetHeaderHeight(21);
        CoincidenceFill(grid_);
    }
    // The (row, column) cells coloured red.
    CellList Red() {
        return RedCells([this](int r, int c) { return Colour(r, c); });
    }
    static CellList Column(int column, int lastRow) { return ColumnCells(column, lastRow); }
};

TEST_F(CoincidenceEditorTest, TableTexts) {
    Open();
    EXPECT_EQ(grid_->State().rowCount, 13);
    EXPECT_EQ(Text(0, 0), "Number of groups");
    EXPECT_EQ(Text(0, 1), "12");
    EXPECT_EQ(Text(0, 12), "1");
    EXPECT_EQ(Text(0, 13), "Off");
    EXPECT_EQ(Text(1, 0), "Device input group");
    EXPECT_EQ(Text(13, 0), "12");
    // Two groups: 28 and 27; twelve groups: 28 down to 17; one group: all 28.
    EXPECT_EQ(Text(2, 11), "28");
    EXPECT_EQ(Text(3, 11), "27");
    EXPECT_EQ(Text(4, 11), "");
    EXPECT_EQ(Text(13, 1), "17");
    EXPECT_EQ(Text(13, 12), "28");
    EXPECT_EQ(Text(1, 5), "");
    EXPECT_EQ(Text(5, 13), "");
}

TEST_F(CoincidenceEditorTest, HighlightOfTheStoredNumber) {
    struct Case {
        const char* stored; // nullptr: absent
        std::vector<std::pair<int, int>> red;
    };
    const Case cases[] = {
        {nullptr, {{1, 13}}}, {"0", {{1, 13}}},      {"1", Column(12, 13)},
        {"2", Column(11, 3)}, {"12", Column(1, 13)}, {"13", {}},
        {"15", {}},
    };
    for (const Case& c : cases) {
        grid_->Clear();
        SettingDelete("CoincidenceInputGroups");
        if (c.stored)
            Put("CoincidenceInputGroups", c.stored);
        Open();
        EXPECT_EQ(Red(), c.red) << (c.stored ? c.stored : "absent");
    }
}

TEST_F(CoincidenceEditorTest, ClearingWhitensTheWholeColumnAndIgnoresNumbersWithoutOne) {
    Put("CoincidenceInputGroups", "1");
    Open();
    CoincidenceClearHighlight(grid_, 1);
    CoincidenceClearHighlight(grid_, 13);
    CoincidenceClearHighlight(grid_, -1);
    EXPECT_TRUE(Red().empty());
    EXPECT_EQ(Text(5, 12), "28");
}

} // namespace
