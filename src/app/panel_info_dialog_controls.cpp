#include "app/panel_info_dialog_controls.h"

#include <iterator>

namespace panel_info {

namespace {

constexpr const char* kPanelTypes[] = {"M720", "CoralWave"};
constexpr const char* kLanguages[] = {"English",    "Dutch",   "Hungarian", "Norwegian", "Russian",
                                      "Spanish",    "Italian", "French",    "Polish",    "Czech",
                                      "Portuguese", "Finnish", "Danish"};
constexpr const char* kFaultRelayModes[] = {"Denergise on fault"};
constexpr const char* kFireRelayModes[] = {
    "Energise on any fire", "Energise on Automatic fires only", "Energise on Manual fires only",
    "Energise on any disablement"};
constexpr const char* kDevicesPerLoop[] = {"32", "100", "192"};
constexpr const char* kDisplayModes[] = {"Type 1", "Type 2", "Type 3", "Type 4"};
constexpr const char* kTimeoutTones[] = {"Off", "Continuous", "Pulsing", "Warble"};
constexpr const char* kFlashRates[] = {"1 Second", "2 Seconds"};

#define ENTRIES(list) list, static_cast<int>(std::size(list))

} // namespace

const Edit kEdits[] = {
    {1211, "Serial number", "PanelSnum", 8, false, false},
    {1212, "Panel contractor", "ContractorCode", 5, true, false},
    {1213, "Site file revision", "SFRevision", 0, false, true},
    {1215, "Number of zones", "NumZones", 2, true, false},
    {1217, "User code", "UserCode", 6, true, false},
    {1253, "User code 2", "UserCode2", 6, true, false},
    {1218, "Engineer code", "EngineerCode", 6, true, false},
    {1219, "Advanced code", "AdvancedCode", 6, true, false},
    {1239, "Alarm count", "AlarmCount", 0, false, true},
};
const int kEditCount = static_cast<int>(std::size(kEdits));

const DropList kDropLists[] = {
    {1214, "Panel type", "PanelType", ENTRIES(kPanelTypes)},
    {1216, "Overlay", "OverlayType", ENTRIES(kPanelTypes)},
    {1220, "Language", "Language", ENTRIES(kLanguages)},
    {1235, "Fault relay mode", "FaultRelayMode", ENTRIES(kFaultRelayModes)},
    {1240, "Fire relay mode", "FireRelayMode", ENTRIES(kFireRelayModes)},
    {1241, "Devices per loop", "MaxLoggedDev", ENTRIES(kDevicesPerLoop)},
    {1254, "System Normal Display Options", "DisplayMode", ENTRIES(kDisplayModes)},
    {1237, "Timeout tone", "PulsingAlarmTimeoutTone", ENTRIES(kTimeoutTones)},
    {1230, "Flash rate", "BeaconFlashrate", ENTRIES(kFlashRates)},
};
const int kDropListCount = static_cast<int>(std::size(kDropLists));

const Switch kSwitches[] = {
    {1226, "Male voice", "MaleVoice"},
    {1244, "Spoken test message", "TsSpokenTest"},
    {1245, "Spoken messages", "TsSpokenMess"},
    {1246, "Electronic sounds", "TsElectronic"},
    {1247, "Bell sounds", "TsBellSound"},
    {1224, "Flash on poll", "FlashOnPoll"},
    {1248, "Class change input (Input group 30)", "ClassChange"},
    {1222, "Remote Alarm Input (Input group 31)", "RemoteAlarmInput"},
    {1223, "Remote Alarm Input operates control o/p groups", "RaiControl"},
    {1249, "Remote Alarm Input operates Day/Night selection", "DayNightIp"},
    {1250, "Override delays on second knock coincidence", "2ndKnock"},
    {1251, "Use conv alarm outputs as manual firelink", "SecondFireLink"},
    {1252, "Flash first display group in alarm", "FlashFirstDG"},
    {1255, "Cancel all delays in night mode", "CancelDelays"},
    {1256, "Fire Brigade Panel (FBP)", "FBP"},
    {1257, "Turn off LCD when FBP enabled", "FBP_NoDisplay"},
    {1258, "Enable serial port", "Serial"},
    {1227, "Adopt sounder op grp + 1", "Beacon"},
    {1228, "Inhibit class change", "ClassBeacon"},
    {1243, "Flash until reset", "BeaconFlashUntil"},
};
const int kSwitchCount = static_cast<int>(std::size(kSwitches));

const int kSwitchWriteOrder[] = {1252, 1251, 1250, 1248, 1243, 1244, 1245, 1246, 1247, 1249,
                                 1222, 1223, 1224, 1255, 1256, 1257, 1258, 1226, 1227, 1228};
const int kSwitchWriteOrderCount = static_cast<int>(std::size(kSwitchWriteOrder));
static_assert(std::size(kSwitchWriteOrder) == std::size(kSwitches));

const ValueButton kValueButtons[] = {
    {1221, "Activation delay", "FireLinkDelay", "0:00", ValueKind::kTimeDelay,
     "Fire Link Delay (m:ss)", 0, 600, 5, false},
    {1242, "First knock search time", "FirstKnockSearchTime", "0:24", ValueKind::kTimeDelay,
     "Adjust First Knock search time (m:ss)", 0, 600, 5, false},
    {1503, "Search time", "SearchTime", "2:00", ValueKind::kTimeDelay, "Adjust search time (m:ss)",
     0, 600, 5, false},
    {1233, "Sync. time", "TalkingSndSyncTime", "20", ValueKind::kSeconds, "Adjust seconds", 1, 120,
     1, true},
    {1238, "Timeout time", "PulsingAlarmTimeoutTime", "0:00", ValueKind::kTimeDelay,
     "Adjust Pulsing timeout (m:ss)", 0, 600, 5, false},
    {1501, "Pulse on time", "PulseOnTime", "1.0", ValueKind::kPulseTime, "", 0, 0, 0, true},
    {1502, "Pulse off time", "PulseOffTime", "1.0", ValueKind::kPulseTime, "", 0, 0, 0, true},
    {1231, "Night time", "DayNightOnTime", "0:00", ValueKind::kTimeOfDay, "", 0, 0, 0, false},
    {1232, "Day time", "DayNightOffTime", "0:00", ValueKind::kTimeOfDay, "", 0, 0, 0, false},
    {1234, "Service reminder days", "ServiceReminderDays", "90", ValueKind::kSeconds,
     "Adjust reminder days", 0, 255, 1, false},
    {1236, "Walk test timeout", "WalkTestTimeout", "20", ValueKind::kSeconds, "Adjust seconds", 1,
     30, 1, true},
};
const int kValueButtonCount = static_cast<int>(std::size(kValueButtons));

const Edit* FindEdit(int id) {
    for (const Edit& e : kEdits)
        if (e.id == id)
            return &e;
    return nullptr;
}

const DropList* FindDropList(int id) {
    for (const DropList& d : kDropLists)
        if (d.id == id)
            return &d;
    return nullptr;
}

const Switch* FindSwitch(int id) {
    for (const Switch& s : kSwitches)
        if (s.id == id)
            return &s;
    return nullptr;
}

int FindValueButton(int id) {
    for (int i = 0; i < kValueButtonCount; ++i)
        if (kValueButtons[i].id == id)
            return i;
    return -1;
}

} // namespace panel_info
