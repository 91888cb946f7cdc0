#pragma once
// m720-cli: shared option parsing, messages and site file handling.

#include <string>
#include <vector>

struct CliOptions {
    std::vector<std::string> args;     // the words that are not options, command first
    std::string panel;                 // --panel, else M720_PANEL, else "usb"
    bool panelFromEnvironment = false; // panel is M720_PANEL's
    bool yes = false;                  // --yes
    bool acceptErrors = false;         // --accept-errors
    bool loadErrors = false;           // --load-errors
    bool force = false;                // --force: new, get, decode, import-text may replace OUT
    bool newName = false;              // --new: set may create a setting a site does not have
    bool json = false;                 // --json: show, check and info as one JSON object
    bool noBackup = false;             // --no-backup: send without saving the panel's site first
};

// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadInput = 2;

// Prints a message of the desktop's texts to stderr, "\r\n" as a line break.
void CliMessage(const std::string& text);

// Empties the site store and makes it current.
void CliEmptySite();

// True when the standard stream (0 in, 1 out, 2 err) is a terminal.
bool CliIsTerminal(int fd);

// The width of the terminal on stderr in columns (80 when unknown).
int CliTerminalWidth();

// The desktop's Load into an emptied current store: the file merged in, the
// defaults of a new site added. Gives kExitDone, or the exit status after
// showing the message of a file that cannot be opened or is refused.
int CliLoadSite(const std::string& path, bool loadErrors);

// Refuses a file in which not one line has the site file's form (random
// bytes, an empty file, a firmware file): shows why and gives kExitBadInput.
int CliNotASiteFile(const std::string& path);

// The desktop's Save of the current store. Gives kExitDone or shows why not.
int CliSaveSite(const std::string& path);

// For the panel commands: kExitDone when the command has its words (the
// command name and, by default, one word after it) and the PANEL text names
// a panel; otherwise shows the usage or the PANEL fault and gives
// kExitBadInput.
int CliCheckPanelUsage(const CliOptions& options, const char* usage, size_t words = 2);

// A job that writes to a simulated panel whose memory file cannot be
// written would end with a panel that kept nothing: refused before it
// starts. kExitDone for a writable file and for the USB panel.
int CliCheckSimulatorWritable(const std::string& panel);

// Asks a yes/no question on the terminal. Without a terminal the answer is
// No, and the message names the option that answers Yes (answers are never
// read from a pipe: a script must say what it means with the option).
bool CliAsk(const std::string& question, const char* option);

// The commands; each gets the parsed options and gives the exit status.
int CmdNew(const CliOptions& options);
int CmdShow(const CliOptions& options);
int CmdSet(const CliOptions& options);
int CmdCheck(const CliOptions& options);
int CmdExport(const CliOptions& options);
int CmdImportText(const CliOptions& options);
int CmdEncode(const CliOptions& options);
int CmdDecode(const CliOptions& options);
int CmdGet(const CliOptions& options);
int CmdSend(const CliOptions& options);
int CmdFirmware(const CliOptions& options);
int CmdInfo(const CliOptions& options);
int CmdDiff(const CliOptions& options);
