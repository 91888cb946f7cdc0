#include "cli/cli_job_ui.h"

#include "cli/cli.h"

#include <cstdio>

namespace {
constexpr int kBarWidth = 30;
}

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
    return CliAsk(text);
}

void CliJobUi::Draw() {
    if (!terminal_)
        return;
    const int filled = percent_ * kBarWidth / 100;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), ' ');
    std::fprintf(stderr, "\r%-26s [%s] %3d%%", title_.c_str(), bar.c_str(), percent_);
    std::fflush(stderr);
    drawn_ = true;
}

void CliJobUi::Clear() {
    if (!drawn_)
        return;
    std::fprintf(stderr, "\r%*s\r", 26 + kBarWidth + 8, "");
    std::fflush(stderr);
    drawn_ = false;
}
