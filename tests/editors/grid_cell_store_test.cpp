// The cell layout in the grid's own store, and that the current store is
// never touched.

#include "editors/grid_cell_store.h"
#include "model/settings_store.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CellStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SettingsStore* previous = StoreSelect(nullptr);
        StoreInit(&store_);
        if (previous)
            StoreSelect(previous);
    }
    void TearDown() override { StoreFree(&store_); }

    std::string Raw(const char* name) {
        const char* value = SettingGet(&store_, name);
        return value ? value : "<absent>";
    }

    SettingsStore store_;
};

TEST_F(CellStoreTest, ValueHasFixedLayout) {
    ASSERT_TRUE(GridCellWrite(&store_, 12, 3, false, "Zone 1"));
    EXPECT_EQ(Raw("00012-003"), "00012-003|UA|FFFFFF|Zone 1");
    ASSERT_TRUE(GridCellSetColour(&store_, 12, 3, GridRgb(255, 0, 0)));
    ASSERT_TRUE(GridCellSetLock(&store_, 12, 3, true));
    EXPECT_EQ(Raw("00012-003"), "00012-003|PA|0000FF|Zone 1");

    GridCell cell;
    ASSERT_TRUE(GridCellRead(&store_, 12, 3, &cell));
    EXPECT_EQ(cell.locked, 1);
    EXPECT_EQ(cell.colour, GridRgb(255, 0, 0));
    EXPECT_STREQ(cell.text, "Zone 1");
}

TEST_F(CellStoreTest, AbsentCellReadsEmptyWhiteLocked) {
    GridCell cell;
    cell.locked = 0;
    cell.colour = 7;
    std::snprintf(cell.text, sizeof cell.text, "stale");
    EXPECT_FALSE(GridCellRead(&store_, 5, 5, &cell));
    EXPECT_EQ(cell.locked, 1);
    EXPECT_EQ(cell.colour, kGridWhite);
    EXPECT_STREQ(cell.text, "");
    EXPECT_TRUE(GridCellLocked(&store_, 5, 5));
    EXPECT_EQ(GridCellColour(&store_, 5, 5, GridRgb(1, 2, 3)), GridRgb(1, 2, 3));
}

TEST_F(CellStoreTest, CreatingByLockOrColourGivesEmptyCell) {
    GridCellSetLock(&store_, 1, 1, false);
    GridCellSetColour(&store_, 2, 2, GridRgb(0, 255, 0));
    EXPECT_EQ(Raw("00001-001"), "00001-001|UA|FFFFFF|");
    EXPECT_EQ(Raw("00002-002"), "00002-002|UA|00FF00|");
}

TEST_F(CellStoreTest, LongTextIsCutAt1003) {
    std::string text(1500, 'a');
    text[1002] = 'z';
    ASSERT_TRUE(GridCellWrite(&store_, 1, 1, false, text.c_str()));
    GridCell cell;
    GridCellRead(&store_, 1, 1, &cell);
    EXPECT_EQ(std::string(cell.text), text.substr(0, 1003));
}

TEST_F(CellStoreTest, OutOfRangeCoordinatesAreRefused) {
    for (auto [row, column] : {std::pair{1001, 1}, {1, 101}, {-1, 1}, {1, -1}}) {
        EXPECT_FALSE(GridCellWrite(&store_, row, column, false, "x")) << row << "," << column;
        EXPECT_FALSE(GridCellSetLock(&store_, row, column, true));
        EXPECT_FALSE(GridCellSetColour(&store_, row, column, 0));
    }
    EXPECT_EQ(store_.recordCount, 0u);
    EXPECT_TRUE(GridCellWrite(&store_, 1000, 100, false, "corner"));
    EXPECT_EQ(Raw("01000-100"), "01000-100|UA|FFFFFF|corner");
}

TEST_F(CellStoreTest, LeavesTheCurrentStoreAlone) {
    static SettingsStore site; // stays current after the test
    SettingsStore* previous = StoreSelect(nullptr);
    StoreInit(&site);
    SettingPut(&site, "SiteName", "Depot");
    const uint32_t before = StoreChecksum(&site);

    GridCellWrite(&store_, 1, 1, false, "a");
    GridCellSetColour(&store_, 1, 1, 0);
    GridCellSetLock(&store_, 1, 1, true);
    GridCellDelete(&store_, 1, 1);
    GridCellWrite(&store_, 2, 2, false, "b");
    GridCellDeleteAll(&store_);

    EXPECT_EQ(StoreSelect(nullptr), &site);
    EXPECT_EQ(StoreChecksum(&site), before);
    EXPECT_EQ(store_.recordCount, 0u);
    if (previous)
        StoreSelect(previous);
    StoreFree(&site);
}

} // namespace
