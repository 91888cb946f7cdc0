#pragma once
// Edits whose length limit stops typing only, as a platform edit's limit
// does: a longer stored value (from a file) is shown and read whole, and once
// shortened it may not grow past the limit again.

class QLineEdit;
class QString;

// Gives the edit its limit for typing; call once, when it is made.
void LimitTyping(QLineEdit* edit, int limit);

// Puts a stored value into an edit made with LimitTyping, uncut.
void SetStoredText(QLineEdit* edit, const QString& text, int limit);
