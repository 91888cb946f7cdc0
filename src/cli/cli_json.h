#pragma once
// JSON text for --json: one object on stdout, for scripts and reports.

#include <string>

// The text as a JSON string, quotes included. Site values are bytes: a byte
// of 0x80 or above is taken as the character of that number (as Latin-1),
// so every value gives valid JSON and maps back to its bytes.
std::string JsonString(const std::string& text);
