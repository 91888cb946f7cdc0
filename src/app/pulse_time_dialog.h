#pragma once
// The pulse time dialog (1600, "Set pulse time (Seconds)"): seconds in half
// second steps from 0.5 to 127.5.

class QWidget;

// value: a setting's value field. 1 on OK (the field holds the new time),
// 0 on Cancel or close.
int RunPulseTimeDialog(QWidget* owner, char* value);
