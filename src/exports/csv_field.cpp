#include "exports/csv_field.h"

#include <cstring>

void AppendCsvField(std::string& out, const char* text) {
    if (!text)
        return;
    if (!std::strpbrk(text, ",\"\r\n")) {
        out += text;
        return;
    }
    out += '"';
    for (const char* p = text; *p; ++p) {
        if (*p == '"')
            out += '"';
        out += *p;
    }
    out += '"';
}
