#include "cli/cli.h"

#include "cli/cli_files.h"
#include "cli/cli_interrupt.h"
#include "jobs/panel_access.h"
#include "model/settings_store.h"
#include "model/site_file.h"
#include "model/site_load.h"

#include <cstdio>
#include <cstring>

void CliMessage(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    std::fprintf(stderr, "%s\n", out.c_str());
    std::fflush(stderr);
}

namespace {
SettingsStore g_site;
bool g_siteReady = false;

// An emptied site store, made current.
void EmptySiteStore() {
    if (g_siteReady)
        StoreFree(&g_site);
    StoreInit(&g_site);
    g_siteReady = true;
}
} // namespace

int CliNotASiteFile(const std::string& path) {
    CliMessage("Not done!\r\nFile contains errors");
    CliFileFault(path, "not a site file (not one line of the form Name = \"value\")");
    return kExitBadInput;
}

int CliLoadSite(const std::string& path, bool loadErrors) {
    if (!g_siteReady)
        EmptySiteStore();
    SiteLoadResult load = SiteLoad(&g_site, path.c_str(), loadErrors);
    if (load.code == -2)
        return CliCannotRead(path);
    if (load.notSiteFile)
        return CliNotASiteFile(path);
    // A full store has passed over settings of the file or defaults of a
    // site: working on it, even with --load-errors, would lose them.
    if (load.overflow) {
        CliMessage("m720-cli: " + path +
                   " holds more settings than a site can keep; nothing was done");
        return kExitBadInput;
    }
    if (!load.accepted) {
        CliMessage("Not done!\r\nFile contains errors");
        CliFileFault(path, "its check value does not match its settings (edited by hand, or "
                           "damaged); check them, then give --load-errors to use it as it is");
        return kExitBadInput;
    }
    if (load.code == -1)
        CliMessage("Loaded but file contains errors");
    return kExitDone;
}

int CliSaveSite(const std::string& path) {
    CliHoldInterrupt hold;
    if (!SiteFileWrite(path.c_str()))
        return CliCannotWrite(path);
    return kExitDone;
}

bool CliAsk(const std::string& question, const char* option) {
    std::string text;
    for (char c : question)
        if (c != '\r')
            text += c;
    if (!CliIsTerminal(0) || !CliIsTerminal(2)) {
        std::string oneLine = text;
        for (char& c : oneLine)
            if (c == '\n')
                c = ' ';
        CliMessage("m720-cli: no terminal to answer \"" + oneLine + "\"; give " + option +
                   " to answer Yes");
        return false;
    }
    std::fprintf(stderr, "%s [y/N] ", text.c_str());
    std::fflush(stderr);
    // One line of the terminal; stdio rather than the C++ streams, whose
    // set-up every run of the program would pay for.
    // A longer line is read to its end, so that its rest never answers the
    // next question.
    char answer[256];
    if (!std::fgets(answer, sizeof answer, stdin)) {
        std::fputs("\n", stderr); // Ctrl-D leaves the cursor on the question
        return false;
    }
    if (!std::strchr(answer, '\n'))
        for (int c = std::getc(stdin); c != EOF && c != '\n'; c = std::getc(stdin)) {
        }
    // Only y or yes (in any case, blanks around it aside) writes to a
    // panel: anything else, a slip of the keyboard too, is No.
    std::string word = answer;
    const size_t first = word.find_first_not_of(" \t\r\n");
    word = first == std::string::npos
               ? std::string()
               : word.substr(first, word.find_last_not_of(" \t\r\n") - first + 1);
    for (char& c : word)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return word == "y" || word == "yes";
}

void CliEmptySite() {
    EmptySiteStore();
}

int CliCheckPanelUsage(const CliOptions& options, const char* usage, size_t words) {
    if (options.args.size() != words) {
        CliMessage(std::string("usage: ") + usage);
        return kExitBadInput;
    }
    PanelChoice choice;
    std::string error;
    if (!ParsePanelChoice(options.panel, &choice, &error)) {
        CliMessage("m720-cli: " + error +
                   (options.panelFromEnvironment ? " (the panel set by M720_PANEL)" : ""));
        return kExitBadInput;
    }
    return kExitDone;
}

int CliCheckSimulatorWritable(const std::string& panel) {
    PanelChoice choice;
    if (!ParsePanelChoice(panel, &choice, nullptr) || !choice.simulated)
        return kExitDone;
    const std::string refusal = CliWriteRefusal(choice.path);
    if (refusal.empty())
        return kExitDone;
    CliMessage("The panel simulator file " + choice.path + " could not be written");
    CliFileFault(choice.path, refusal + "; nothing was written to the panel");
    return kExitBadInput;
}
