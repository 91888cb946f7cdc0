#pragma once
// How a panel job reaches the person running it. Each face (desktop, CLI,
// tests) implements this; the core never talks to a user any other way.

#include "link/link_ui.h"

#include <string>

// The progress display and messages come from LinkUi, which the protocol and
// the jobs report through; the faces add their questions.
struct JobUi : LinkUi {
    // A Yes/No question; true only for Yes.
    virtual bool Ask(const std::string& text, const std::string& caption) = 0;
};
