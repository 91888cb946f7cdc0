#pragma once
// A strict reader of CSV as a spreadsheet reads it: records end in CR LF,
// fields are split at commas, a field that starts with a double quote runs
// to the closing quote with inner quotes doubled. Tests and fuzz targets
// read the exports back with it.

#include <string>
#include <string_view>
#include <vector>

using CsvRecord = std::vector<std::string>;

// False for text that is not well-formed: a quote inside an unquoted field,
// anything but a comma or the line end after a closing quote, an unclosed
// quote, a CR or LF that is not a line end, or a last record without CR LF.
inline bool ReadCsv(std::string_view text, std::vector<CsvRecord>* records) {
    records->clear();
    CsvRecord record;
    std::string field;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return false;
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i];
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
                if (text[i] == '"')
                    return false;
                field += text[i++];
            }
        }
        if (i < text.size() && text[i] == ',') {
            record.push_back(std::move(field));
            field.clear();
            ++i;
            continue;
        }
        if (text.substr(i, 2) != "\r\n")
            return false;
        record.push_back(std::move(field));
        field.clear();
        records->push_back(std::move(record));
        record.clear();
        i += 2;
    }
    return record.empty() && field.empty();
}
