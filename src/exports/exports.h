#pragma once
// CSV exports of the current site: device data, the group matrix, the texts.
// Lines end in CR LF. Device data are written as stored; the free texts of
// the matrix and text exports are quoted where they hold a comma, a double
// quote or a line break (AppendCsvField).

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
