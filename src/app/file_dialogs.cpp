#include "app/file_dialogs.h"

QStringList NameFilters(const char* filterPairs) {
    QStringList filters;
    const QStringList parts = QString::fromLatin1(filterPairs ? filterPairs : "").split(',');
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + parts[i + 1] + ")";
    return filters;
}
