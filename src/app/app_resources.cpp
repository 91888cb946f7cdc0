#include "app/app_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must not stand inside a namespace.
static void RegisterAppQrc() {
    Q_INIT_RESOURCE(app);
}

void InitAppResources() {
    static const bool done = (RegisterAppQrc(), true);
    (void)done;
}
