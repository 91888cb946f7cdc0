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

// Writes an export's contents to the file, as the exports above do: 0 when
// the file cannot be written completely, or when it exists and may not be
// written (read-only); 1 otherwise.
int WriteExportFile(const char* path, const std::string& contents);
