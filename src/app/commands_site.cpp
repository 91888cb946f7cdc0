// New, Load, Save (and Save as) and Import text.

#include "app/commands.h"
#include "app/main_window.h"
#include "app/ui_service.h"
#include "exports/text_import.h"
#include "model/loaded_checksum.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <QFileInfo>

#include <string>
#include <unordered_set>
#include <utility>
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

// Reads the file into a store of its own with the defaults added; the site
// is replaced only when keep() accepts the result, so a refused or
// unreadable file leaves site, loaded checksum and everything else as they
// were. Gives the reader's result, or 1 when the store could not hold the
// file.
template <typename Keep> int LoadSite(const char* path, Keep keep) {
    SettingsStore* site = StoreSelect(nullptr);
    const uint32_t loaded = LoadedChecksum();
    SettingsStore scratch;
    StoreInit(&scratch);
    int dropped = 0;
    int result = SiteFileRead(path, &dropped);
    const uint32_t scratchLoaded = FillSiteDefaults();
    if (result != -2 && (dropped > 0 || scratch.recordCount >= uint32_t(kStoreSlotCount)))
        result = 1;
    if (!keep(result)) {
        StoreSelect(site);
        StoreFree(&scratch);
        SetLoadedChecksum(loaded);
        return result;
    }
    std::swap(*site, scratch);
    StoreSelect(site);
    StoreFree(&scratch);
    SetLoadedChecksum(scratchLoaded);
    return result;
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
    const int result =
        LoadSite(path.c_str(), [keepErrors](int r) { return r == 0 || (r == -1 && keepErrors); });
    switch (result) {
    case -2:
        Ui().Message(&w, "Couldn't open file", App().appTitle, MessageIcon::kStop);
        return;
    case 1:
        Ui().Message(&w, kOverflowText, App().appTitle, MessageIcon::kStop);
        return;
    case -1:
        if (!keepErrors) {
            Ui().Message(&w, "Not done!\r\nFile contains errors", App().appTitle,
                         MessageIcon::kStop);
            return;
        }
        Ui().Message(&w, "Loaded but file contains errors", App().appTitle,
                     MessageIcon::kInformation);
        break;
    case 0:
        Ui().Message(&w, "Site info. loaded from file", App().appTitle, MessageIcon::kInformation);
        break;
    default:
        return;
    }
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
