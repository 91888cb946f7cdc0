#pragma once
// Whole-file reading and safe replacing, shared by every writer of files.

#include <cstddef>
#include <string>

// Reads the whole file in binary mode. False when it cannot be opened or read.
bool ReadWholeFile(const char* path, std::string* contents);

// Reads at most limit bytes from the start of the file, so a huge file or a
// device that never ends costs no more. False when it cannot be opened or read.
bool ReadFileStart(const char* path, size_t limit, std::string* contents);

// Writes the bytes to a temporary file in the target's folder, flushes and
// syncs it, then renames it over the target (through a symbolic link, keeping
// the old file's permissions) and syncs the folder, so that the new name
// survives a power cut. False on any error, and for a target that
// exists but is not a regular file the user may write; the temporary file is
// then removed and an existing target is left as it was. A target that
// already holds exactly these bytes is synced and kept, not rewritten.
bool ReplaceFile(const char* path, const std::string& contents);
