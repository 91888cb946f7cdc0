#pragma once
// The site file, export and import dialogs' filters: "Site file,*.psf"
// pairs (description, pattern, ...) as Qt name filters.

#include <QStringList>

QStringList NameFilters(const char* filterPairs);
