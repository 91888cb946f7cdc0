#pragma once
// What a site read from the panel holds, in a few figures: the finishing
// line of get and the report of info.

#include <string>

struct CliSiteSummary {
    std::string siteName;
    std::string formatVersion; // "SFRevision"
    int devices = 0;           // loop addresses with a device type
    int fireEvents = 0;
    int nonFireEvents = 0;
};

// The summary of the current store.
CliSiteSummary CliSummarise();

// A text for a message line: bytes outside printable ASCII escaped as in
// the site file ("\\377"), so a panel's odd bytes never reach the terminal.
std::string CliPrintable(const std::string& text);
