#pragma once
// What a running panel job shows its user: the progress display and
// messages. The protocol reports its faults through it; JobUi (jobs/) adds
// the questions a face asks around a job.

#include <string>

enum class MessageIcon {
    kNone,        // plain result message ("Success")
    kStop,        // errors and faults
    kQuestion,    // questions
    kInformation, // notices
};

struct LinkUi {
    virtual ~LinkUi() = default;

    // 0..100 moves the bar; a negative value closes the progress display
    // (closing one that is not open does nothing); above 100 does nothing.
    virtual void SetProgress(int percent) = 0;
    // The job's current stage, such as "Reading site data...".
    virtual void SetProgressTitle(const std::string& title) = 0;
    // Shows a message and returns when the user has seen it.
    virtual void Message(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
};

// The caption of the link's fault messages, shared by the jobs.
inline constexpr char kErrorCaption[] = "M720 Commissioning software Error";
