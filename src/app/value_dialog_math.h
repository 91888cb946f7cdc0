#pragma once
// The arithmetic of the seconds, pulse time and time of day dialogs: what an arrow press or OK
// makes of the edit's text. Pure and locale-free, so the rules are tested without widgets and a
// decimal-comma desktop locale never changes a stored value.
//
// direction: +1 for the up arrow (or the Up key), -1 for the down arrow, 0 for
// OK (the same normalising without a step).

#include <cstdint>
#include <string>

// How much of the edit the dialogs read.
constexpr int kValueDialogReadLimit = 6;

// Whole numbers: add the step, clamp to minimum..maximum, round down to a
// multiple of the step, "%d".
std::string SecondsValue(const std::string& text, int direction, int32_t minimum, int32_t maximum,
                         int32_t step);

// Seconds with one decimal: +-0.5, clamped to 0.5..127.5, truncated to whole
// half seconds, "%.1f" with a point whatever the locale.
std::string PulseTimeValue(const std::string& text, int direction);

// "H:MM": +-1 minute around the clock. Hours outside 0..23 and minutes
// outside 0..59 count as 0, and a text without a colon as 0:00; the text is
// made valid first, then stepped ("25:10" Up gives "0:11").
std::string TimeOfDayValue(const std::string& text, int direction);
