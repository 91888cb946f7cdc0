#pragma once
// CSV exports of the current site: device data, the group matrix, the texts.
// Lines end in CR LF; values are written as stored, without quoting.

#include <string>

// The file contents.
std::string DeviceDataCsv();
std::string MatrixCsv(); // creates missing matrix cells with "C"
std::string TextsCsv();

// Write the file: 1 when the whole file was written, 0 when it could not be
// (an existing file is then left as it was).
int ExportDeviceData(const char* path);
int ExportMatrix(const char* path);
int ExportTexts(const char* path);
