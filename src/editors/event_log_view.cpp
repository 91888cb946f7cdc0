#include "editors/event_log_view.h"

#include "editors/grid_widget.h"

void FillEventView(GridWidget* grid, EventList which) {
    if (!grid)
        return;
    for (int c = 0; c < kEventColumnCount; ++c)
        GridSetText(grid, 0, c + 1, kEventColumnHeaders[c]);
    const std::vector<EventRow> rows = EventLogRows(which);
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < kEventColumnCount; ++c)
            // A cell without content stays absent.
            if (!rows[i].columns[c].empty())
                GridSetText(grid, int(i) + 1, c + 1, rows[i].columns[c].c_str());
}
