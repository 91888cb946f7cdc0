// New, Load, Save (and Save as) and Import text.

#include "app/commands.h"
#include "app/main_window.h"
#include "app/ui_service.h"
#include "exports/text_import.h"
#include "model/loaded_checksum.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"
#include "model/site_load.h"

#include <QFileInfo>

#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr char kSiteFilter[] = "Site file,*.psf";
constexpr char kImportFilter[] = "Site file,*.psf,Text file,*.txt";
constexpr char kOverflowText[] = "Not done!\r\nThe file holds more settings than a site can keep";

void EmptyStore() {
    SettingsStore* site = StoreSelect(nullptr);
    StoreFree(site);
    StoreInit(site);
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return false;
    const QFileInfo fa(QFile::decodeName(a.c_str())), fb(QFile::decodeName(b.c_str()));
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    return ca.isEmpty() || cb.isEmpty() ? fa.absoluteFilePath() == fb.absoluteFilePath() : ca == cb;
}

// True when the store can take every setting of the file it lacks.
bool StoreTakesFile(const char* path) {
    std::vector<std::string> names;
    if (!SiteFileNames(path, &names))
        return true; // the reader reports it
    size_t added = 0;
    for (const std::string& name : names)
        if (!SettingGet(name.c_str()))
            ++added;
    return StoreSelect(nullptr)->recordCount + added <= size_t(kStoreSlotCount);
}

} // namespace

void CmdNew(MainWindow& w) {
    if (!Ui().Ask(&w, "Delete current settings?", App().appTitle))
        return;
    w.CloseCurrentEditor(EditorKind::kNone);
    EmptyStore();
    App().designErrorCount = App().shownErrorCount = 0;
    FillSiteDefaults();
    App().siteFile.clear();
    w.UpdateMainTitle();
    w.Client()->update();
    // The banner must not call a new site clean.
    w.RecheckDesign();
}

void CmdLoad(MainWindow& w) {
    std::string path = App().siteFilePath;
    if (!Ui().OpenFileDialog(&w, &path, kSiteFilter, ""))
        return;
    App().siteFilePath = path;
    const bool keepErrors = App().keepFilesWithErrors;
    // Refused loads leave the site, its counts, title and view as they were.
    const SiteLoadResult load = SiteLoad(StoreSelect(nullptr), path.c_str(), keepErrors);
    if (load.code == -2) {
        Ui().Message(&w, "Couldn't open file", App().appTitle, MessageIcon::kStop);
        return;
    }
    if (load.overflow || load.dropped > 0) {
        Ui().Message(&w, kOverflowText, App().appTitle, MessageIcon::kStop);
        return;
    }
    // Not one line of a site file: refused even when errors are kept.
    if (load.notSiteFile || (load.code == -1 && !keepErrors)) {
        Ui().Message(&w, "Not done!\r\nFile contains errors", App().appTitle, MessageIcon::kStop);
        return;
    }
    if (!load.accepted)
        return;
    if (load.code == -1)
        Ui().Message(&w, "Loaded but file contains errors", App().appTitle,
                     MessageIcon::kInformation);
    else
        Ui().Message(&w, "Site info. loaded from file", App().appTitle, MessageIcon::kInformation);
    App().siteFile = path;
    App().designErrorCount = App().shownErrorCount = 0;
    // The grid shows the old site: it closes without writing back.
    w.DropCurrentView();
    w.UpdateMainTitle();
    w.Client()->update();
    w.RecheckDesign();
}

void CmdSave(MainWindow& w) {
    w.CloseCurrentEditor(App().currentKind);
    std::string path = App().siteFilePath;
    if (!Ui().SaveFileDialog(&w, &path, kSiteFilter, "psf"))
        return;
    App().siteFilePath = path;
    // One slip in the dialog must not replace another site's file: any
    // existing file but the site's own asks first.
    if (QFileInfo::exists(QFile::decodeName(path.c_str())) && !SamePath(path, App().siteFile)) {
        const std::string name =
            QFileInfo(QFile::decodeName(path.c_str())).fileName().toStdString();
        if (!Ui().Ask(&w, name + " already exists.\r\nDo you want to replace it?", App().appTitle))
            return;
    }
    if (!SiteFileWrite(path.c_str())) {
        Ui().Message(&w, "Site file could not be saved", App().appTitle, MessageIcon::kStop);
        return;
    }
    App().siteFile = path;
    Ui().Message(&w, "Site info. saved", App().appTitle, MessageIcon::kInformation);
    SetLoadedChecksum(StoreChecksum());
}

void CmdImportText(MainWindow& w) {
    std::string path = "*.txt";
    if (!Ui().OpenFileDialog(&w, &path, kImportFilter, ""))
        return;
    // Typed values are kept; the view closes afterwards without writing
    // back, or its old texts would overwrite the imported ones.
    w.CommitCurrentEditor();
    if (!StoreTakesFile(path.c_str())) {
        Ui().Message(&w, "Not done!\r\nThe file holds more settings than the site can keep",
                     App().appTitle, MessageIcon::kStop);
        return;
    }
    int dropped = 0;
    const int result = SiteFileRead(path.c_str(), &dropped);
    if (result == -2) {
        Ui().Message(&w, "Couldn't open file", App().appTitle, MessageIcon::kStop);
        return;
    }
    if (result != 0 && result != -1)
        return;
    CentreImportedTexts();
    Ui().Message(&w, "Text imported into current site file", App().appTitle,
                 MessageIcon::kInformation);
    w.DropCurrentView();
    w.UpdateMainTitle();
    w.RecheckDesign();
}
