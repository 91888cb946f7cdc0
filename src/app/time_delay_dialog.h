#pragma once
// The time delay dialog (1005): a delay "m:ss" stepped by arrows or the Up
// and Down keys in whole steps between 0 and a maximum, with "No delay".
// The arithmetic is plain functions so it can be checked without widgets.

#include <string>

class QWidget;

// What the value dialogs are given: the title, the setting's own value field
// (the text on entry, the new text on OK) and the bounds in seconds or units.
struct ValueDialogParams {
    std::string title;
    char* value = nullptr;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
};

// One press of an arrow: direction +1 (up) or -1 (down). The up arrow adds a
// step only while the time is below the maximum; the result never goes below
// 0 and is rounded down to a whole step. A text without a colon is unchanged.
std::string TimeDelayStep(const std::string& text, int direction, int maximum, int step);
// OK: the time kept within 0 and the maximum and rounded down to a whole
// step. A text without a colon is unchanged.
std::string TimeDelayAccept(const std::string& text, int maximum, int step);

// Runs the dialog modally; 1 on OK (the value field holds the new text), 0 on
// Cancel or close (nothing written). The lower bound is always 0.
int RunTimeDelayDialog(QWidget* owner, ValueDialogParams& params);
