#include "model/site_file.h"

#include "model/file_io.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <cstdio>
#include <cstring>
#include <unordered_set>

namespace {

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c >= 0x80 || c == '"' || c == '\\';
}

void AppendEscaped(std::string* out, const char* value) {
    // Most values need no escape: they go in whole.
    const unsigned char* p = reinterpret_cast<const unsigned char*>(value);
    const unsigned char* plain = p;
    while (*plain && !NeedsEscape(*plain))
        ++plain;
    out->append(value, static_cast<size_t>(plain - p));
    for (p = plain; *p; ++p) {
        unsigned char c = *p;
        if (NeedsEscape(c)) {
            char escape[5] = {'\\', static_cast<char>('0' + (c >> 6)),
                              static_cast<char>('0' + ((c >> 3) & 7)),
                              static_cast<char>('0' + (c & 7)), 0};
            out->append(escape, 4);
        } else {
            out->push_back(static_cast<char>(c));
        }
    }
}

// Bytes that the reader strips from the end of a name.
bool IsNameTail(char c) {
    return static_cast<signed char>(c) <= 32;
}

// Reads setting lines byte by byte, so that a file of any size and lines of
// any length take no more memory than one name and one value.
//
// A line is: the name up to the first equals sign (cut at 127 characters,
// then trailing bytes whose signed value is 32 or less removed), then the
// value between the first double quote after the equals sign and the next
// one; anything behind it is ignored. The value is unescaped as it goes: a
// backslash and the (up to) three characters behind it, before the closing
// quote, become the byte of their octal number. The value ends at a
// produced NUL byte and is cut at 1023 characters. A line without an equals
// sign or a pair of quotes is skipped. A NUL byte in the file ends the line
// (as it ends every string read); a CR before the line feed never matters,
// since a line is complete once its closing quote is read.
class LineReader {
  public:
    // Calls handle(name, value) for each complete setting line in data.
    template <typename Handler> void Feed(const char* data, size_t size, Handler& handle) {
        for (size_t i = 0; i < size; ++i) {
            char c = data[i];
            if (c == '\n') {
                EndLine(handle);
                continue;
            }
            switch (state_) {
            case State::kName:
                if (c == '=')
                    state_ = State::kOpenQuote;
                else if (c == '\0')
                    state_ = State::kSkip;
                else if (nameLength_ < kSettingNameSize - 1)
                    name_[nameLength_++] = c;
                break;
            case State::kOpenQuote:
                if (c == '"')
                    state_ = State::kValue;
                else if (c == '\0')
                    state_ = State::kSkip;
                break;
            case State::kValue:
                if (c == '"')
                    state_ = State::kDone;
                else if (c == '\0')
                    state_ = State::kSkip;
                else if (c == '\\')
                    StartEscape();
                else
                    Produce(c);
                break;
            case State::kEscape:
                if (c == '"') {
                    EndEscape();
                    state_ = State::kDone;
                } else if (c == '\0') {
                    state_ = State::kSkip;
                } else {
                    digits_[digitCount_++] = c;
                    if (digitCount_ == 3) {
                        EndEscape();
                        state_ = State::kValue;
                    }
                }
                break;
            case State::kDone:
            case State::kSkip: {
                // The rest of the line does not matter: go to its end.
                const void* lf = std::memchr(data + i, '\n', size - i);
                i = lf ? static_cast<size_t>(static_cast<const char*>(lf) - data) - 1 : size;
                break;
            }
            }
        }
    }

    // The end of the file ends its last line.
    template <typename Handler> void Finish(Handler& handle) { EndLine(handle); }

  private:
    enum class State { kName, kOpenQuote, kValue, kEscape, kDone, kSkip };

    void StartEscape() {
        digitCount_ = 0;
        state_ = State::kEscape;
    }
    void EndEscape() {
        digits_[digitCount_] = '\0';
        Produce(static_cast<char>(ParseUnsigned(digits_, 8) & 0xFF));
    }
    void Produce(char c) {
        if (c == '\0')
            valueEnded_ = true;
        if (!valueEnded_ && valueLength_ < kSettingValueSize - 1)
            value_[valueLength_++] = c;
    }

    template <typename Handler> void EndLine(Handler& handle) {
        if (state_ == State::kDone) {
            while (nameLength_ > 0 && IsNameTail(name_[nameLength_ - 1]))
                --nameLength_;
            name_[nameLength_] = '\0';
            value_[valueLength_] = '\0';
            handle(static_cast<const char*>(name_), static_cast<const char*>(value_));
        }
        state_ = State::kName;
        nameLength_ = 0;
        valueLength_ = 0;
        valueEnded_ = false;
    }

    State state_ = State::kName;
    char name_[kSettingNameSize];
    char value_[kSettingValueSize];
    char digits_[4];
    size_t nameLength_ = 0;
    size_t valueLength_ = 0;
    int digitCount_ = 0;
    bool valueEnded_ = false;
};

// Calls handle(name, value) for each setting line of the file, in file
// order. Text mode: a Ctrl-Z byte ends the file. False when the file cannot
// be opened or read.
template <typename Handler> bool ForEachLine(const char* path, Handler handle) {
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    LineReader reader;
    char buffer[65536];
    size_t n;
    bool ended = false;
    long long total = 0;
    while (!ended && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        total += static_cast<long long>(n);
        if (total > kSiteFileMaxBytes) {
            std::fclose(f);
            return false;
        }
        if (const void* z = std::memchr(buffer, '\x1A', n)) {
            n = static_cast<size_t>(static_cast<const char*>(z) - buffer);
            ended = true;
        }
        reader.Feed(buffer, n, handle);
    }
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok)
        reader.Finish(handle);
    return ok;
}

void AppendLine(std::string* out, const SettingRecord& record) {
    out->append(record.name);
    out->append(" = \"");
    AppendEscaped(out, record.value);
    out->push_back('"');
}

} // namespace

std::string SiteFileLine(const SettingRecord& record) {
    std::string line;
    AppendLine(&line, record);
    return line;
}

bool SiteFileWrite(const char* path) {
    std::string out;
    SettingsStore* store = StoreSelect(nullptr);
    if (store && store->slotTable) {
        uint32_t checksum = StoreChecksum(store);
        out.reserve(static_cast<size_t>(store->recordCount) * 48 + 32);
        StoreForEachRecord(store, [&out](const SettingRecord* record) {
            AppendLine(&out, *record);
            out.append("\r\n");
        });
        char check[40];
        std::snprintf(check, sizeof check, "Check = \"%lu\"\r\n",
                      static_cast<unsigned long>(checksum));
        out += check;
    }
    return ReplaceFile(path, out);
}

int SiteFileRead(const char* path, int* dropped, int* formLines) {
    uint32_t expected = 0;
    int lost = 0;
    int form = 0;
    bool read = ForEachLine(path, [&](const char* name, const char* value) {
        if (name[0] != '\0')
            ++form;
        if (std::strcmp(name, "Check") == 0)
            expected = ParseUnsigned(value, 10);
        else if (!SettingPut(name, value))
            ++lost;
    });
    if (dropped)
        *dropped = lost;
    if (formLines)
        *formLines = form;
    if (!read)
        return -2;
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
    std::unordered_set<std::string> seen;
    return ForEachLine(path, [&](const char* name, const char*) {
        if (std::strcmp(name, "Check") != 0 && seen.insert(name).second)
            names->push_back(name);
    });
}
