#include "app/seconds_dialog.h"

#include "app/time_delay_dialog.h"
#include "app/value_dialog_frame.h"
#include "app/value_dialog_math.h"
#include "editors/latin1_text.h"

int RunSecondsDialog(QWidget* owner, ValueDialogParams& params) {
    const int minimum = params.minimum, maximum = params.maximum, step = params.step;
    ValueStepDialog dialog(
        owner, FromStoreText(params.title.c_str()), 4, {"1", "2", "1301", "1302"},
        [=](const std::string& text, int direction) {
            return SecondsValue(text, direction, minimum, maximum, step);
        },
        params.value);
    return RunValueStepDialog(dialog, params.value);
}
