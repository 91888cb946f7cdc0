#pragma once
// The site file: one line per setting of the current store in slot order,
// then the Check line with the store checksum.

#include <string>
#include <vector>

struct SettingRecord;

// Writes the current store to path. False when the file could not be
// written; a failed write leaves an existing file as it was.
bool SiteFileWrite(const char* path);

// Merges the file into the current store. 0: checksum matches; -1: it does
// not (or no Check line); -2: the file could not be opened or read (a read
// error part way leaves the lines before it merged). The file is read as a
// stream; one larger than any site file can be (kSiteFileMaxBytes: an
// endless device, say) is not a site file and gives -2. When dropped is
// given it receives the number of settings a full store could not take;
// formLines receives the number of lines in the site file's form (a name,
// an equals sign, a value in double quotes; the Check line too).
constexpr long long kSiteFileMaxBytes = 256ll << 20;
int SiteFileRead(const char* path, int* dropped = nullptr, int* formLines = nullptr);

// True when a setting of that name (as the store keeps it, cut at 127
// characters) is read back from a written file under the same name. Names
// that end in a blank, control or non-ASCII byte, hold '=', a line feed or
// Ctrl-Z, or are "Check" would make a file that fails its own check.
bool SiteFileKeepsName(const char* name);

// The names of the file's setting lines in the order they first appear
// (without Check). False when the file cannot be read.
bool SiteFileNames(const char* path, std::vector<std::string>* names);

// The site-file line of one setting (name, " = \"", escaped value, '"'),
// without the line end.
std::string SiteFileLine(const SettingRecord& record);
