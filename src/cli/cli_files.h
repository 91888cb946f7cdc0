#pragma once
// What went wrong with a file of m720-cli, named for the engineer: the
// second line under the desktop's "Couldn't open file", and the refusal to
// replace an existing file without --force.

#include <string>

// Why the file cannot be read ("No such file or directory", "Is a
// directory", ...), looked up after a failed read.
std::string CliReadCause(const std::string& path);

// Why the file cannot be written in place of what is there (the folder is
// missing or read-only, the target is a folder or read-only, ...), looked
// up after a failed write.
std::string CliWriteCause(const std::string& path);

// The same causes, looked up before a long job so that it is not run for an
// OUT that cannot be written; empty when nothing stands in the way.
std::string CliWriteRefusal(const std::string& path);

// "Couldn't open file", then "m720-cli: PATH: cause"; gives the exit status
// for an input that cannot be read.
int CliCannotRead(const std::string& path);
int CliCannotWrite(const std::string& path);

// Shows "m720-cli: PATH: cause" on its own line.
void CliFileFault(const std::string& path, const std::string& cause);

// A command that creates OUT does not replace an existing file unless
// --force is given: gives kExitDone, or says so and gives kExitBadInput.
int CliRefuseExisting(const std::string& path, bool force);
