// The main window: title rule, menu, status bar texts, shortcuts, the busy rule.

#include "app_fixture.h"

#include "app/commands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

TEST_F(AppTest, TitleFollowsTheSiteName) {
    struct Case {
        std::string name;
        std::string title;
    };
    const std::string app = "M720 Commissioning software";
    const Case cases[] = {
        {"", app + " - No site name!"},
        {"   ", app + " - [   ]"},
        {std::string(120, 'x'), app + " - [" + std::string(90, 'x') + "]"},
        {"Caf\xA3", app + " - [Caf\u00A3]"},
    };
    for (const Case& c : cases) {
        SettingPut("SiteName", c.name.c_str());
        window_->UpdateMainTitle();
        EXPECT_EQ(window_->windowTitle().toStdString(), c.title) << c.name;
    }
    SettingDelete("SiteName");
    window_->UpdateMainTitle();
    EXPECT_EQ(window_->windowTitle().toStdString(), app + " - No site name!");
}

TEST_F(AppTest, MenuDispatchesTheDesignChecker) {
    QAction* check = window_->menuBar()->findChild<QAction*>("6024");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Design checker");
    WithModal([&] { check->trigger(); },
              [](QDialog* dialog) { EXPECT_EQ(dialog->objectName(), "1700"); });
}

namespace {

// "Label=ID" per item, "-" per separator, "Label>" ... "<" around popups.
std::string Describe(const QList<QAction*>& actions) {
    std::string out;
    for (QAction* a : actions) {
        if (a->isSeparator())
            out += "-;";
        else if (a->menu())
            out += a->text().toStdString() + ">" + Describe(a->menu()->actions()) + "<;";
        else
            out += a->text().toStdString() + "=" + a->objectName().toStdString() + ";";
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    }
    return out;
}

} // namespace

TEST_F(AppTest, MenuIsAsListed) {
    const std::string expected =
        "&File>&New=6008;&Load...=6007;&Import text=6009;-;&Save...=6006;S&ave as...=6010;"
        "&Export>Event log=6031;Device data=6032;Matrix=6033;Text=6036;<;-;E&xit=105;<;"
        "&Edit>&Enter Site Info=6005;&Matrix editor=6002;&Text editor=6003;&Device editor=6004;"
        "&Coincidence=6023;&Panel info=6018;<;"
        "&View>Fire event log=6020;Non-fire event log=6021;Combined Fire / Non-fire event "
        "log=6022;-;Design checker=6024;<;"
        "&Panel>&Send settings to panel=6014;&Get settings from panel=6015;-;&Update panel "
        "firmware=6019;<;"
        "&Help>&Web interface=6016;&Documentation>Installation manual=6025;User manual=6026;"
        "Programming manual=6035;<;-;&About ...=6001;<;";
    EXPECT_EQ(Describe(window_->menuBar()->actions()), expected);
}

TEST_F(AppTest, StatusBarTexts) {
    EXPECT_EQ(window_->StatusText(), "Ready");
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->SetStatusText("something");
    window_->resize(900, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(window_->StatusText(), "Ready") << "every resize";

    // Menus opened from the menu bar, as a person opens them.
    QAction* panelTitle = nullptr;
    QAction* editTitle = nullptr;
    for (QAction* a : window_->menuBar()->actions()) {
        if (a->text() == "&Panel")
            panelTitle = a;
        if (a->text() == "&Edit")
            editTitle = a;
    }
    ASSERT_NE(panelTitle, nullptr);
    ASSERT_NE(editTitle, nullptr);
    QMenu* panel = panelTitle->menu();
    QMenu* edit = editTitle->menu();
    window_->menuBar()->setActiveAction(panelTitle);
    QCoreApplication::processEvents();
    panel->setActiveAction(panel->findChild<QAction*>("6014"));
    EXPECT_EQ(window_->StatusText(), "Send the site information from the PC to the panel");
    panel->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(window_->StatusText(), "") << "a closed menu leaves nothing";

    window_->menuBar()->setActiveAction(editTitle);
    QCoreApplication::processEvents();
    edit->setActiveAction(edit->findChild<QAction*>("6005"));
    EXPECT_EQ(window_->StatusText(), "Edits site specific info");
    edit->setActiveAction(edit->findChild<QAction*>("6018"));
    EXPECT_EQ(window_->StatusText(), "") << "Panel info has no help text";
    edit->hide();
}

TEST_F(AppTest, BothFormsOfAltQuestionMarkReachAbout) {
    QStringList keys;
    for (QShortcut* s : window_->findChildren<QShortcut*>())
        keys << s->key().toString();
    for (const char* k : {"Alt+/", "Alt+?", "Alt+Shift+?"})
        EXPECT_TRUE(keys.contains(k)) << k;
}

TEST_F(AppTest, NothingRunsWhileAJobOwnsTheStore) {
    window_->show();
    App().workerBusy = true;
    const uint32_t before = StoreChecksum();
    ui_.answers = {true, true};
    for (int id : {kCmdNew, kCmdLoad, kCmdDesignCheck, kCmdFireLog, kCmdExportMatrix})
        window_->Dispatch(id);
    window_->close();
    EXPECT_TRUE(ui_.records.empty());
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_EQ(StoreChecksum(), before);
    EXPECT_TRUE(window_->isVisible()) << "the close request waits for the job";
    App().workerBusy = false;
}
