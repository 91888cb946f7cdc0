#include "cli/cli_job_ui.h"

#include "cli/cli.h"
#include "cli/cli_interrupt.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kMostBar = 30;
constexpr int kLeastBar = 5;
constexpr int kPercentWidth = 5; // " 100%"
} // namespace

CliJobUi::CliJobUi() : terminal_(CliIsTerminal(2)) {}

void CliJobUi::SetProgress(int percent) {
    if (!open_)
        return;
    if (percent < 0) {
        Clear();
        open_ = false;
        return;
    }
    if (percent > 100)
        return;
    percent_ = percent;
    Draw();
}

void CliJobUi::SetProgressTitle(const std::string& title) {
    if (!open_)
        return;
    title_ = title;
    Draw();
}

void CliJobUi::Message(const std::string& text, const std::string&, MessageIcon icon) {
    Clear();
    if (icon == MessageIcon::kStop)
        ++faults_;
    CliMessage(text);
}

bool CliJobUi::Ask(const std::string& text, const std::string&) {
    Clear();
    return CliAsk(text, "--yes");
}

std::string CliJobUi::Line(int width) const {
    // Three columns stay free: a line that fills the last column makes some
    // terminals wrap, and the next redraw would then start a new line; and
    // the "^C" a terminal echoes after the line must fit on it too, so that
    // a Ctrl-C can blank the whole line.
    const int room = std::max(width - 3, 1);
    int titleWidth = static_cast<int>(title_.size());
    int bar = room - titleWidth - 3 - kPercentWidth; // " [" and "]"
    if (bar < kLeastBar) {
        // Narrow: the title gives way first, then the bar.
        titleWidth = std::max(0, room - kLeastBar - 3 - kPercentWidth);
        titleWidth = std::min<int>(titleWidth, static_cast<int>(title_.size()));
        bar = room - titleWidth - 3 - kPercentWidth;
    }
    bar = std::min(bar, kMostBar);
    char percent[8];
    std::snprintf(percent, sizeof percent, " %3d%%", percent_);
    std::string line = title_.substr(0, static_cast<size_t>(titleWidth));
    if (bar >= 1) {
        const int filled = percent_ * bar / 100;
        line += " [" + std::string(static_cast<size_t>(filled), '#') +
                std::string(static_cast<size_t>(bar - filled), ' ') + "]";
    }
    line += percent;
    if (static_cast<int>(line.size()) > room)
        line = line.substr(line.size() - static_cast<size_t>(room)); // at least the percentage
    return line;
}

void CliJobUi::Draw() {
    if (terminal_)
        CliDrawProgress(Line(CliTerminalWidth()));
}

void CliJobUi::Clear() {
    if (terminal_)
        CliClearProgress();
}
