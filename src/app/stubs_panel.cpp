// Placeholders until the panel commands land.

#include "app/commands.h"

void CmdGet(MainWindow&) {}
void CmdSend(MainWindow&) {}
void CmdFirmware(MainWindow&) {}
void CmdAbout(MainWindow&) {}
