#pragma once
// The values the panel can hold for each setting that goes into its site
// data image or a loop data record: a value that passes reaches the panel
// exactly as given, one that fails would be cut, wrapped, lowered or
// rewritten on the way. The rules are read from the same field tables as
// the image codec, so the two never disagree about a field's size.

#include <string>

// Empty when the panel holds the value as given, or when no panel field
// takes the setting (site-file-only settings such as "QuiescentCurrent");
// otherwise what is wrong with it and what is allowed, for the engineer
// ("a number from 0 to 255", "at most 20 characters (it has 47)").
std::string SettingValueFault(const char* name, const char* value);

// True when a panel field takes the setting of that name.
bool SettingHasPanelField(const char* name);
