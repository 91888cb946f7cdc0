#pragma once
// The time of day dialog (1620, "Adjust time HH:MM"): a clock time stepped
// by minutes around the day.

class QWidget;

// value: a buffer of at least kSettingValueSize bytes. 1 on OK (the buffer
// holds the new time), 0 on Cancel or close.
int RunTimeOfDayDialog(QWidget* owner, char* value);
