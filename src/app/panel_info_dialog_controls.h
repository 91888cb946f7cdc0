#pragma once
// The controls of the panel information dialog as data: labels, settings,
// entries, limits, and the value buttons with their dialogs.

#include <cstdint>

namespace panel_info {

struct Edit {
    int id;
    const char* label;
    const char* setting;
    int limit;
    bool digitsOnly;
    bool readOnly; // shown only, never written
};

struct DropList {
    int id;
    const char* label;
    const char* setting;
    const char* const* entries;
    int count;
};

struct Switch {
    int id;
    const char* label;
    const char* setting;
};

enum class ValueKind { kTimeDelay, kSeconds, kPulseTime, kTimeOfDay };

struct ValueButton {
    int id;
    const char* label;
    const char* setting;
    const char* created; // the setting's value when the button finds it absent
    ValueKind kind;
    const char* title;
    int32_t minimum, maximum, step;
    bool secondsSuffix; // shown with "s" appended
};

extern const Edit kEdits[];
extern const int kEditCount;
extern const DropList kDropLists[];
extern const int kDropListCount;
extern const Switch kSwitches[]; // check boxes and the three radio buttons
extern const int kSwitchCount;
extern const ValueButton kValueButtons[];
extern const int kValueButtonCount;

// The order in which OK writes the switches.
extern const int kSwitchWriteOrder[];
extern const int kSwitchWriteOrderCount;

const Edit* FindEdit(int id);
const DropList* FindDropList(int id);
const Switch* FindSwitch(int id);
int FindValueButton(int id); // index into kValueButtons, -1 when none

} // namespace panel_info
