#pragma once
// Store texts are 8-bit; on screen they are Latin-1. The one conversion in
// both directions.

#include <QString>

#include <string>

inline QString FromStoreText(const char* text) {
    return QString::fromLatin1(text ? text : "");
}

// Characters beyond Latin-1 become '?'.
inline std::string ToStoreText(const QString& text) {
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar c : text)
        out.push_back(c.unicode() <= 0xFF ? char(c.unicode()) : '?');
    return out;
}
