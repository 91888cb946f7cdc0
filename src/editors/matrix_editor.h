#pragma once
// The input/output matrix editor: 32 input groups against 32 output groups,
// with each output group's delays, alarm type and disabled mark. Every change
// goes to the site store at once, so nothing is committed at close.

#include <cstdint>

class GridWidget;

constexpr int kMatrixRows = 35;    // delays T1, T2, alarm type, then 32 input groups
constexpr int kMatrixColumns = 33; // 32 output groups; column 33 stays empty
constexpr int kMatrixFirstInputRow = 4;
constexpr int kMatrixHeaderHeight = 21;
// A disabled output group's header: not white, so the grid draws it sunken.
constexpr uint32_t kDisabledHeaderColour = 0x000000; // RGB(0, 0, 0)

// Fills a new matrix grid from the site store (the open command has sized it).
void MatrixFill(GridWidget* grid);
// Re-reads all 1024 matrix entries into rows 4 to 35 with their colours;
// absent entries are created as "C", input group by input group.
void MatrixRefresh(GridWidget* grid);
// The colour of a matrix value by its first letter.
uint32_t MatrixColour(const char* value);
// The colour of an alarm type cell: "0" (Alarm) or anything else (Control).
uint32_t AlarmTypeColour(const char* value);

// The bar's presets on the site store (the caller refreshes the grid).
// Off: input groups 1 to 31 off, the "Sound Alarms" input 32 continuous.
void MatrixPresetOff();
// Continuous: every entry continuous.
void MatrixPresetContinuous();
// Only the first character of an existing entry changes.
