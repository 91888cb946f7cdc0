#include "app/start_options.h"

#include "jobs/panel_access.h"

bool ParseStartOptions(const QStringList& args, const char* panelFromEnvironment,
                       StartOptions* options, std::string* error) {
    *options = StartOptions();
    options->panel = panelFromEnvironment && *panelFromEnvironment ? panelFromEnvironment : "usb";
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.compare("load_errors", Qt::CaseInsensitive) == 0) {
            options->loadErrors = true;
        } else if (arg == "--panel" && i + 1 < args.size()) {
            options->panel = args[++i].toStdString();
        } else if (arg.startsWith("--panel=")) {
            options->panel = arg.mid(8).toStdString();
        } else if (arg == "--help" || arg == "-h") {
            options->help = true;
        } else {
            *error = "m720: unknown argument " + arg.toStdString();
            return false;
        }
    }
    PanelChoice choice;
    std::string why;
    if (!ParsePanelChoice(options->panel, &choice, &why)) {
        *error = "m720: " + why;
        return false;
    }
    return true;
}
