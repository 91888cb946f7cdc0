#pragma once
// Setting records come from a process-wide pool: a site load creates
// thousands of them, and allocating and releasing each one on its own costs
// more than the rest of the load together. Records never move, so value
// field addresses stay fixed while a record lives.

struct SettingRecord;

// A record block, or nullptr when memory is exhausted. Its contents are
// undefined: the caller fills both fields.
SettingRecord* AllocateRecord();
void ReleaseRecord(SettingRecord* record);
