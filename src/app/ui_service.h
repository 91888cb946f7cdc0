#pragma once
// Everything the desktop asks of a person: message boxes, questions, file
// dialogs, opening a web address. Tests install a scripted service.

#include "link/link_ui.h"

#include <string>

class QWidget;

class UiService {
  public:
    virtual ~UiService() = default;
    // Message box; owner may be nullptr. "\r\n" in text shows as a line break.
    virtual void Message(QWidget* owner, const std::string& text, const std::string& caption,
                         MessageIcon icon) = 0;
    // Yes/No question with the question icon; true only for Yes.
    virtual bool Ask(QWidget* owner, const std::string& text, const std::string& caption) = 0;
    // File dialogs: filterPairs as "Site file,*.psf" (description, pattern,
    // ...); path in/out; false on cancel.
    virtual bool SaveFileDialog(QWidget* owner, std::string* path, const char* filterPairs,
                                const char* defaultSuffix) = 0;
    virtual bool OpenFileDialog(QWidget* owner, std::string* path, const char* filterPairs,
                                const char* defaultSuffix) = 0;
    virtual void OpenUrl(const std::string& url) = 0;
};

UiService& Ui();
// Tests install a scripted service; nullptr brings back the real one.
void SetUiService(UiService* service);
