#pragma once
// How a panel job reaches the person running it. Each face (desktop, CLI,
// tests) implements this; the core never talks to a user any other way.

#include <string>

enum class MessageIcon {
    kNone,        // plain result message ("Success")
    kStop,        // errors and faults
    kQuestion,    // questions
    kInformation, // notices
};

struct JobUi {
    virtual ~JobUi() = default;

    // 0..100 moves the bar; a negative value closes the progress display
    // (closing one that is not open does nothing); above 100 does nothing.
    virtual void SetProgress(int percent) = 0;
    // The job's current stage, such as "Reading site data...".
    virtual void SetProgressTitle(const std::string& title) = 0;
    // Shows a message and returns when the user has seen it.
    virtual void Message(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // A Yes/No question; true only for Yes.
    virtual bool Ask(const std::string& text, const std::string& caption) = 0;
};

// Captions and texts shared by the jobs.
inline constexpr char kErrorCaption[] = "M720 Commissioning software Error";
