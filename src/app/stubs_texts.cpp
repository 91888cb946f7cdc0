// Placeholders until the text editor and the information dialogs land.

#include "app/cell_actions.h"
#include "app/commands.h"

void CmdTextEditor(MainWindow&) {}
void CmdPanelInfo(MainWindow&) {}
void CmdSiteInfo(MainWindow&) {}
void TextCellAction(MainWindow&, GridWidget&, int, quint32) {}
void TextEditorCommit(GridWidget&) {}
