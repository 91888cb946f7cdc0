#pragma once
// Fills a grid with the fire, non-fire or combined event log of the site
// store: the six headers in row 0, then one row per event in time order.

#include "exports/event_log.h"

class GridWidget;

void FillEventView(GridWidget* grid, EventList which);
