#pragma once
// The command line of m720: --panel PANEL (default M720_PANEL, then "usb")
// and the word "load_errors" in any case as a whole argument.

#include <QStringList>

#include <string>

struct StartOptions {
    std::string panel;
    bool loadErrors = false;
    bool help = false;
};

// args without the program name. False for an argument it does not know or
// a PANEL text that names no panel (error says why).
bool ParseStartOptions(const QStringList& args, const char* panelFromEnvironment,
                       StartOptions* options, std::string* error);

inline constexpr char kStartUsage[] = "usage: m720 [--panel PANEL] [load_errors]\n"
                                      "  PANEL: usb (default) or sim:PATH[,option...]\n";
