#pragma once
// The menu commands behind MainWindow::Dispatch.

class MainWindow;

// Menu command IDs.
enum CommandId : int {
    kCmdExit = 105,
    kCmdAbout = 6001,
    kCmdMatrixEditor = 6002,
    kCmdTextEditor = 6003,
    kCmdDeviceEditor = 6004,
    kCmdSiteInfo = 6005,
    kCmdSave = 6006,
    kCmdLoad = 6007,
    kCmdNew = 6008,
    kCmdImportText = 6009,
    kCmdSaveAs = 6010,
    kCmdSend = 6014,
    kCmdGet = 6015,
    kCmdWebInterface = 6016,
    kCmdPanelInfo = 6018,
    kCmdFirmware = 6019,
    kCmdFireLog = 6020,
    kCmdNonFireLog = 6021,
    kCmdCombinedLog = 6022,
    kCmdCoincidence = 6023,
    kCmdDesignCheck = 6024,
    kCmdInstallationManual = 6025,
    kCmdUserManual = 6026,
    kCmdExportEvents = 6031,
    kCmdExportDevices = 6032,
    kCmdExportMatrix = 6033,
    kCmdProgrammingManual = 6035,
    kCmdExportTexts = 6036,
};

// Panel work.
void CmdGet(MainWindow& w);      // 6015
void CmdSend(MainWindow& w);     // 6014
void CmdFirmware(MainWindow& w); // 6019
void CmdAbout(MainWindow& w);    // 6001

// Editors and dialogs.
void CmdMatrixEditor(MainWindow& w); // 6002
void CmdDeviceEditor(MainWindow& w); // 6004
void CmdCoincidence(MainWindow& w);  // 6023
void CmdTextEditor(MainWindow& w);   // 6003
void CmdPanelInfo(MainWindow& w);    // 6018
void CmdSiteInfo(MainWindow& w);     // 6005

// Site files.
void CmdNew(MainWindow& w);        // 6008
void CmdLoad(MainWindow& w);       // 6007
void CmdSave(MainWindow& w);       // 6006 and 6010
void CmdImportText(MainWindow& w); // 6009

// Views, checks, exports and links.
void CmdEventView(MainWindow& w, int commandId); // 6020 to 6022
void CmdDesignCheck(MainWindow& w);              // 6024
void CmdExport(MainWindow& w, int commandId);    // 6031 to 6033, 6036
void CmdOpenLink(MainWindow& w, int commandId);  // 6016, 6025, 6026, 6035
