#include "app/pulse_time_dialog.h"

#include "app/value_dialog_frame.h"
#include "app/value_dialog_math.h"

int RunPulseTimeDialog(QWidget* owner, char* value) {
    ValueStepDialog dialog(owner, QStringLiteral("Set pulse time (Seconds)"), 5,
                           {"1006", "1007", "1601", "4002"}, PulseTimeValue, value);
    return RunValueStepDialog(dialog, value);
}
