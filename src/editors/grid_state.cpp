#include "editors/grid_state.h"

namespace {

// Static storage: a grid store that was current when no other store existed
// can never be left dangling as the current store.
GridState g_slots[kGridMaxGrids];

void ResetSlot(GridState& slot) {
    if (slot.storeReady)
        StoreFree(&slot.store);
    slot = GridState{};
}

} // namespace

void GridSlotsReset() {
    for (GridState& slot : g_slots)
        if (slot.controlId == 0)
            ResetSlot(slot);
}

GridState* GridSlotAcquire(int controlId) {
    if (controlId == 0)
        return nullptr;
    for (GridState& slot : g_slots) {
        if (slot.controlId != 0)
            continue;
        ResetSlot(slot);
        slot.controlId = controlId;
        // The grid's store is never made current, not even for a moment.
        StoreInitAside(&slot.store);
        slot.storeReady = true;
        return &slot;
    }
    return nullptr;
}

void GridSlotRelease(GridState* state) {
    if (state)
        ResetSlot(*state);
}

GridState* GridSlotFind(int controlId) {
    if (controlId == 0)
        return nullptr;
    for (GridState& slot : g_slots)
        if (slot.controlId == controlId)
            return &slot;
    return nullptr;
}
