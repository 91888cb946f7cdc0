#pragma once
// The seconds dialog (1300): a whole number stepped within the bounds of its
// parameters ("Adjust seconds", "Adjust reminder days", ...).

struct ValueDialogParams;
class QWidget;

// 1 on OK (the value field holds the new number), 0 on Cancel or close.
int RunSecondsDialog(QWidget* owner, ValueDialogParams& params);
