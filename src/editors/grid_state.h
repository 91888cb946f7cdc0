#pragma once
// The state of one grid window. At most five grids live at once; their states
// form a table of five slots, each found by the grid's control ID.

#include "editors/grid_types.h"
#include "model/settings_store.h"

#include <string>

struct GridState {
    int controlId = 0;      // 0 marks a free slot
    void* window = nullptr; // the grid window that uses the slot
    SettingsStore store;
    bool storeReady = false;
    std::string title;
    int rowCount = 0;
    int columnCount = 0;
    int firstRow = 1;
    int firstColumn = 1;
    int rowHeight = 21;
    int headerHeight = 21;
    int titleHeight = 0;
    int columnWidth[kGridMaxColumn + 1] = {50};
    int columnGap = 0;
    int cursorRow = 1;
    int cursorColumn = 1;
    bool editing = false;
    std::string editText;
    bool currentLocked = true;
    bool hasFocus = false;
    uint32_t cursorColour = kGridWhite;
    uint32_t lockColour = kGridWhite;
    uint32_t absentColour = kGridWhite;
    uint32_t textColour = GridRgb(0, 0, 0);
    uint32_t highlightColour = GridRgb(0, 0, 128);
    uint32_t highlightTextColour = kGridWhite;
    uint32_t gridLineColour = GridRgb(220, 220, 220);
    bool rowHighlight = false;
    bool editable = false;
    bool autoAppend = true;
    bool autoWidth = true;
    bool extendLastColumn = false;
    bool columnResize = false;
    bool doubleClickReport = false;
};

// Marks every slot that holds no live grid free and resets it.
void GridSlotsReset();

// Takes a free slot for the control ID and creates its cell store (the store
// that was current stays current). nullptr when all slots are in use or the
// ID is 0.
GridState* GridSlotAcquire(int controlId);

// Releases the slot's cell store and frees the slot.
void GridSlotRelease(GridState* state);

// The live slot of a control ID, or nullptr.
GridState* GridSlotFind(int controlId);
