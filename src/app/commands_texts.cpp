// The text editor view and the two information dialogs of the Edit menu.

#include "app/commands.h"
#include "app/main_window.h"
#include "app/panel_info_dialog.h"
#include "app/site_info_dialog.h"
#include "editors/grid_widget.h"
#include "editors/lcd_text_window.h"
#include "editors/text_editor.h"

void CmdTextEditor(MainWindow& w) {
    GridWidget* grid = w.BeginView("Text editor", kTextEditorControlId, EditorKind::kText, 192, 3,
                                   "Can't open text editor");
    if (!grid)
        return;
    TextEditorFill(*grid);
    grid->SetHeaderHeight(21);
    grid->SetDoubleClickReport(true);
    grid->SetColumnGap(10);
    w.ShowView();
}

void CmdPanelInfo(MainWindow& w) {
    w.CloseCurrentEditor(App().currentKind);
    RunPanelInfoDialog(&w);
    w.RecheckDesign();
}

void CmdSiteInfo(MainWindow& w) {
    w.CloseCurrentEditor(App().currentKind);
    RunSiteInfoDialog(&w);
    w.RecheckDesign();
    w.UpdateMainTitle(); // the site name may have changed
}
