#pragma once
// One CSV field of free text: as it is, unless it holds a comma, a double
// quote or a line break; then in double quotes with inner quotes doubled, so
// a spreadsheet keeps it in its own column.

#include <string>

// Appends text (nothing for nullptr) as one field, without a separator.
void AppendCsvField(std::string& out, const char* text);
