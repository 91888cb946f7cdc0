#include "app/time_of_day_dialog.h"

#include "app/value_dialog_frame.h"
#include "app/value_dialog_math.h"

int RunTimeOfDayDialog(QWidget* owner, char* value) {
    ValueStepDialog dialog(owner, QStringLiteral("Adjust time HH:MM"), 5,
                           {"1006", "1007", "1008", "1009"}, TimeOfDayValue, value);
    return RunValueStepDialog(dialog, value);
}
