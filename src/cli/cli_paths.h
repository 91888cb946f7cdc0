#pragma once
// Output paths of m720-cli checked against the command's own inputs.

#include <string>

// True when the two paths name the same file: the same existing file
// (also through links or another spelling of its folder), or, for a file
// not there yet, the same place once the folders are resolved.
bool CliSameFile(const std::string& a, const std::string& b);

// Refuses an output that would replace an input of the same command, or
// the other output: shows why and gives the exit status for bad usage, else
// kExitDone. what names the other file ("the site file", "IMAGE").
int CliRefuseSameFile(const std::string& output, const std::string& other, const char* what);
