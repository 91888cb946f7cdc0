#pragma once
// Setting records come from a process-wide pool: a site load creates
// thousands of them, and allocating and releasing each one on its own costs
// more than the rest of the load together. Records never move, so value
// field addresses stay fixed while a record lives.

struct SettingRecord;

// A record block, or nullptr when memory is exhausted. *zeroed tells whether
// every byte of it is 0 (a block never handed out before); otherwise its
// contents are undefined and the caller fills both fields whole.
SettingRecord* AllocateRecord(bool* zeroed);
void ReleaseRecord(SettingRecord* record);
