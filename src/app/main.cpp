// m720: the desktop commissioning tool.

#include "app/agreement_dialog.h"
#include "app/app_state.h"
#include "app/main_window.h"
#include "app/single_copy.h"
#include "app/start_options.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt takes the C library's locale from the environment; numbers in
    // settings are written with a point whatever the user's locale.
    setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("m720");

    StartOptions options;
    std::string error;
    if (!ParseStartOptions(QApplication::arguments().mid(1), std::getenv("M720_PANEL"), &options,
                           &error)) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), kStartUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kStartUsage, stdout);
        return 0;
    }

    // Before the agreement: two copies started together must not both pass.
    SingleCopy single(SingleCopyBase());
    if (!single.Claim(1000))
        return 0;
    App().keepFilesWithErrors = options.loadErrors;
    App().panel = options.panel;

    {
        AgreementDialog agreement;
        if (agreement.exec() != QDialog::Accepted)
            return 0;
    }

    SettingsStore site;
    StoreInit(&site);
    FillSiteDefaults();
    int code = 0;
    {
        MainWindow window;
        QObject::connect(&single, &SingleCopy::ShowRequested, &window, &MainWindow::ShowFirstCopy);
        window.show();
        // The banner must not call a site with faults clean.
        window.RecheckDesign();
        code = app.exec();
    }
    StoreFree(&site);
    return code;
}
