// The main window: title rule, status bar texts, menu, close question.

#include "app_fixture.h"

#include "app/commands.h"

#include <QAction>
#include <QMenuBar>

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
