// The four CSV exports of the File menu.

#include "app/commands.h"
#include "app/main_window.h"
#include "app/ui_service.h"
#include "exports/event_log.h"
#include "exports/exports.h"

#include <string>

namespace {

struct ExportCommand {
    int id;
    int (*run)(const char* path);
    const char* done;
    const char* failed;
    const char* caption;
};

constexpr ExportCommand kExports[] = {
    {kCmdExportEvents, ExportEventLog, "Log exported", "Could not export log", "Log"},
    {kCmdExportDevices, ExportDeviceData, "Device data exported", "Could not export device data",
     "Device data"},
    {kCmdExportMatrix, ExportMatrix, "Matrix exported", "Could not export matrix", "Matrix"},
    {kCmdExportTexts, ExportTexts, "Text exported", "Could not export text", "Text"},
};

} // namespace

void CmdExport(MainWindow& w, int commandId) {
    const ExportCommand* command = nullptr;
    for (const ExportCommand& e : kExports)
        if (e.id == commandId)
            command = &e;
    if (!command)
        return;
    // The file shows what the screen shows: typed values go into the store
    // first, and the editor stays open.
    w.CommitCurrentEditor();
    std::string path;
    const bool written =
        Ui().SaveFileDialog(&w, &path, "CSV file,*.csv", "csv") && command->run(path.c_str()) == 1;
    if (written)
        Ui().Message(&w, command->done, command->caption, MessageIcon::kNone);
    else
        Ui().Message(&w, command->failed, command->caption, MessageIcon::kStop);
}
