#pragma once
// CSV exports of the current site: device data, the group matrix, the texts.
// Each gives 1 when the whole file was written and 0 when it could not be
// (an existing file is then left as it was). Lines end in CR LF.

int ExportDeviceData(const char* path);

// Creates missing matrix cells with "C" in the current store.
int ExportMatrix(const char* path);

int ExportTexts(const char* path);
