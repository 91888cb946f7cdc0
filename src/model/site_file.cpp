#include "model/site_file.h"

#include "model/file_io.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <cstdio>
#include <cstring>
#include <unordered_set>

namespace {

void AppendEscaped(std::string* out, const char* value) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(value); *p; ++p) {
        unsigned char c = *p;
        if (c < 0x20 || c >= 0x80 || c == '"' || c == '\\') {
            char escape[5] = {'\\', static_cast<char>('0' + (c >> 6)),
                              static_cast<char>('0' + ((c >> 3) & 7)),
                              static_cast<char>('0' + (c & 7)), 0};
            out->append(escape, 4);
        } else {
            out->push_back(static_cast<char>(c));
        }
    }
}

// Unescapes value[0..length) into out: each backslash and the (up to) three
// characters behind it become the byte of their octal number. A backslash
// with fewer than three characters before the value's end takes what there
// is. The value ends at a NUL byte and is cut at 1023 characters.
void Unescape(const char* value, size_t length, char* out) {
    size_t n = 0;
    for (size_t i = 0; i < length && n < kSettingValueSize - 1;) {
        char c = value[i++];
        if (c == '\\') {
            char digits[4] = {0, 0, 0, 0};
            for (int k = 0; k < 3 && i < length; ++k)
                digits[k] = value[i++];
            c = static_cast<char>(ParseUnsigned(digits, 8) & 0xFF);
        }
        if (c == '\0')
            break;
        out[n++] = c;
    }
    out[n] = '\0';
}

// Bytes that the reader strips from the end of a name.
bool IsNameTail(char c) {
    return static_cast<signed char>(c) <= 32;
}

// Splits one line (without its line end) into name and unescaped value;
// false for a line without an equals sign or a pair of double quotes.
bool ParseLine(const char* line, size_t length, char* name, char* value) {
    const char* end = line + length;
    const char* equals = static_cast<const char*>(std::memchr(line, '=', length));
    if (!equals)
        return false;
    const char* open = static_cast<const char*>(std::memchr(equals, '"', end - equals));
    if (!open)
        return false;
    const char* close = static_cast<const char*>(std::memchr(open + 1, '"', end - open - 1));
    if (!close)
        return false;

    // Trailing bytes whose signed value is 32 or less are not part of the
    // name. A long name is cut first, so the name kept never ends in such a
    // byte: written again, it reads back the same and the file keeps its check.
    size_t nameLength = static_cast<size_t>(equals - line);
    if (nameLength > kSettingNameSize - 1)
        nameLength = kSettingNameSize - 1;
    while (nameLength > 0 && IsNameTail(line[nameLength - 1]))
        --nameLength;
    std::memcpy(name, line, nameLength);
    name[nameLength] = '\0';
    Unescape(open + 1, static_cast<size_t>(close - open - 1), value);
    return true;
}

// Calls handle(name, value) for each setting line of the file's text, in
// file order. Text mode: a Ctrl-Z byte ends the file, CR LF ends a line.
template <typename Handler> void ForEachLine(const std::string& contents, Handler handle) {
    size_t size = contents.find('\x1A');
    if (size == std::string::npos)
        size = contents.size();
    const char* data = contents.data();
    char name[kSettingNameSize];
    char value[kSettingValueSize];
    size_t start = 0;
    while (start < size) {
        const char* lf = static_cast<const char*>(std::memchr(data + start, '\n', size - start));
        size_t stop = lf ? static_cast<size_t>(lf - data) : size;
        size_t length = stop - start;
        if (length > 0 && data[start + length - 1] == '\r' && lf)
            --length; // CR LF is a line end; a lone CR stays
        // A line is text: a NUL byte ends it, as it ends every string read.
        length = strnlen(data + start, length);
        if (ParseLine(data + start, length, name, value))
            handle(name, value);
        start = stop + 1;
    }
}

} // namespace

std::string SiteFileLine(const SettingRecord& record) {
    std::string line(record.name);
    line += " = \"";
    AppendEscaped(&line, record.value);
    line += '"';
    return line;
}

bool SiteFileWrite(const char* path) {
    std::string out;
    SettingsStore* store = StoreSelect(nullptr);
    if (store && store->slotTable) {
        uint32_t checksum = StoreChecksum(store);
        out.reserve(static_cast<size_t>(store->recordCount) * 40 + 32);
        for (int i = 0; i < kStoreSlotCount; ++i) {
            if (const SettingRecord* record = StoreRecordAt(store, i)) {
                out += SiteFileLine(*record);
                out += "\r\n";
            }
        }
        char check[40];
        std::snprintf(check, sizeof check, "Check = \"%lu\"\r\n",
                      static_cast<unsigned long>(checksum));
        out += check;
    }
    return ReplaceFile(path, out);
}

int SiteFileRead(const char* path) {
    std::string contents;
    if (!ReadWholeFile(path, &contents))
        return -2;
    uint32_t expected = 0;
    ForEachLine(contents, [&](const char* name, const char* value) {
        if (std::strcmp(name, "Check") == 0)
            expected = ParseUnsigned(value, 10);
        else
            SettingPut(name, value);
    });
    return StoreChecksum() == expected ? 0 : -1;
}

bool SiteFileKeepsName(const char* name) {
    size_t length = strnlen(name, kSettingNameSize - 1);
    if (length > 0 && IsNameTail(name[length - 1]))
        return false;
    if (std::memchr(name, '=', length) || std::memchr(name, '\n', length) ||
        std::memchr(name, '\x1A', length))
        return false;
    return std::strcmp(name, "Check") != 0;
}

bool SiteFileNames(const char* path, std::vector<std::string>* names) {
    names->clear();
    std::string contents;
    if (!ReadWholeFile(path, &contents))
        return false;
    std::unordered_set<std::string> seen;
    ForEachLine(contents, [&](const char* name, const char*) {
        if (std::strcmp(name, "Check") != 0 && seen.insert(name).second)
            names->push_back(name);
    });
    return true;
}
