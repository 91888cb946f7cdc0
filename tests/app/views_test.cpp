// The event log views, the design check dialog and the banner.

#include "app_fixture.h"

#include "app/client_area.h"
#include "app/commands.h"
#include "app/design_check_dialog.h"
#include "editors/grid_widget.h"
#include "model/site_defaults.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

std::string Cell(GridWidget* grid, int row, int column) {
    char text[kGridTextSize];
    GridGetText(grid, row, column, text);
    return text;
}

// The site details filled in and only matrix cell (1,1) in use: the check
// finds nothing.
void CleanSite() {
    for (const char* name :
         {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
          "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
          "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"})
        SettingPut(name, "x");
    for (int g = 1; g <= kGroups; ++g)
        for (int o = 1; o <= kGroups; ++o)
            SettingPut(("Matrix_" + std::to_string(g) + "_" + std::to_string(o)).c_str(),
                       g == 1 && o == 1 ? "C" : "O");
}

} // namespace

TEST_F(AppTest, CombinedViewShowsTheFirstThousandEventsSorted) {
    // 600 non-fire events (code 4), latest first, and 600 fire events
    // (code 5) at the odd half-minutes.
    for (int n = 1; n <= 600; ++n) {
        const std::string nonFire = "4, 12, " + std::to_string(946684800 + (600 - n) * 60);
        SettingPut(("NonFireEvent_" + std::to_string(n)).c_str(), nonFire.c_str());
        const std::string fire = "5, 200, " + std::to_string(946684800 + n * 60 + 30);
        SettingPut(("FireEvent_" + std::to_string(n)).c_str(), fire.c_str());
    }
    window_->Dispatch(kCmdCombinedLog);
    GridWidget* grid = App().currentEditor;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(App().currentKind, EditorKind::kEventLog);
    EXPECT_EQ(grid->ControlId(), 801);
    EXPECT_EQ(grid->State().title, std::string("Fire / Non-fire event log"));
    EXPECT_EQ(grid->State().rowCount, 1000);
    EXPECT_EQ(grid->State().columnCount, 6);
    const char* headers[] = {"Event", "Address", "Zone", "Time", "Event text", "On/Off"};
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(Cell(grid, 0, c), headers[c - 1]);

    int fire = 0, nonFire = 0;
    for (int r = 1; r <= 1000; ++r)
        (Cell(grid, r, 1) == "5" ? fire : nonFire)++;
    EXPECT_EQ(nonFire, 600) << "non-fire events are taken first";
    EXPECT_EQ(fire, 400);
    EXPECT_EQ(Cell(grid, 1, 4), "1/1/2000 0:00:00");
    EXPECT_EQ(Cell(grid, 2, 4), "1/1/2000 0:01:00");
    EXPECT_EQ(Cell(grid, 3, 4), "1/1/2000 0:01:30");
    EXPECT_EQ(Cell(grid, 1000, 4), "1/1/2000 9:59:00");
    for (int r = 1; r <= 1000; ++r) {
        if (Cell(grid, r, 1) == "5") {
            EXPECT_LE(Cell(grid, r, 4), "1/1/2000 6:40:30") << "fire event 400 is the last kept";
        }
    }
    // Address 12 shows as stored, zone 200 - 192; the other column stays absent.
    EXPECT_EQ(Cell(grid, 1, 2), " 12");
    GridCell cell;
    cell.row = 1;
    cell.column = 3;
    EXPECT_EQ(grid->GetCell(cell), -1) << "an empty column is not set";
    EXPECT_EQ(Cell(grid, 3, 3), "8");
}

TEST_F(AppTest, FireAndNonFireViewsHaveTheirTitles) {
    SettingPut("FireEvent_1", "5, 0, 946684800");
    window_->Dispatch(kCmdFireLog);
    ASSERT_NE(App().currentEditor, nullptr);
    EXPECT_EQ(App().currentEditor->State().title, std::string("Fire event log"));
    EXPECT_EQ(Cell(App().currentEditor, 1, 5), "  DEVICE IN ALARM   ");
    window_->Dispatch(kCmdNonFireLog);
    ASSERT_NE(App().currentEditor, nullptr);
    EXPECT_EQ(App().currentEditor->State().title, std::string("Non-fire event log"));
    EXPECT_EQ(Cell(App().currentEditor, 1, 1), "") << "no non-fire events";
}

TEST_F(AppTest, DesignCheckDialogOnANewSiteAndOnACleanOne) {
    // A decimal-comma locale must not reach the stored currents.
    setlocale(LC_NUMERIC, "de_DE.UTF-8");
    {
        DesignCheckDialog dialog(window_);
        EXPECT_EQ(dialog.windowTitle(), "Design check");
        EXPECT_EQ(App().designErrorCount, 975u);
        const QString report = dialog.Report();
        EXPECT_TRUE(report.startsWith("Output group 1 is activated by unused input group 2\n"));
        EXPECT_TRUE(report.endsWith("requires a value\n* * * More than 20 faults * * *"));
        EXPECT_EQ(report.count('\n'), 975);
        EXPECT_EQ(dialog.QuiescentText(), "0.00mA");
        EXPECT_EQ(dialog.AlarmText(), "0.00mA");
        EXPECT_STREQ(SettingGet("AlarmCurrent"), "0.00mA");
        EXPECT_NE(dialog.findChild<QPlainTextEdit*>("1701"), nullptr);
        EXPECT_NE(dialog.findChild<QLabel*>("1702"), nullptr);
    }
    setlocale(LC_NUMERIC, "C");

    CleanSite();
    SettingDelete("QuiescentCurrent");
    SettingDelete("AlarmCurrent");
    WithModal([&] { window_->Dispatch(kCmdDesignCheck); },
              [](QDialog* dialog) {
                  auto* check = qobject_cast<DesignCheckDialog*>(dialog);
                  ASSERT_NE(check, nullptr);
                  EXPECT_EQ(check->Report(), "No Site File Errors");
                  EXPECT_EQ(check->QuiescentText(), "0.00mA");
              });
    EXPECT_EQ(App().designErrorCount, 0u);
}

TEST_F(AppTest, BannerShowsWhileTheSiteHasFaults) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    QWidget* client = window_->Client();
    const QPoint centre(client->width() / 2, client->height() / 2);

    App().designErrorCount = App().shownErrorCount = 0;
    QImage clean = client->grab().toImage();
    EXPECT_NE(clean.pixelColor(centre), QColor(255, 50, 50));

    EXPECT_TRUE(window_->RecheckDesign());
    EXPECT_FALSE(window_->RecheckDesign()) << "no repaint while the count stays";
    QImage shot = client->grab().toImage();
    // The rounded rectangle's extent follows the text: from cx - w/2 - 10
    // to cx + w/2 + 10 across, cy - h to cy + h down.
    QFontMetrics metrics(client->font());
    const int w = metrics.horizontalAdvance(kBannerText), h = metrics.height();
    const int cx = centre.x(), cy = centre.y();
    EXPECT_EQ(shot.pixelColor(cx, cy - h + 3), QColor(255, 50, 50)) << "above the text";
    EXPECT_EQ(shot.pixelColor(cx - w / 2 - 5, cy), QColor(255, 50, 50));
    EXPECT_EQ(shot.pixelColor(cx + w / 2 + 5, cy), QColor(255, 50, 50));
    EXPECT_EQ(shot.pixelColor(cx - w / 2 - 10, cy), QColor(Qt::black)) << "the outline";
    EXPECT_EQ(shot.pixelColor(cx, cy - h), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(cx - w / 2 - 12, cy), clean.pixelColor(cx - w / 2 - 12, cy));
    EXPECT_EQ(shot.pixelColor(cx, cy + h + 2), clean.pixelColor(cx, cy + h + 2));

    // An open view covers it.
    window_->Dispatch(kCmdFireLog);
    ASSERT_NE(App().currentEditor, nullptr);
    EXPECT_EQ(App().currentEditor->geometry(), client->rect());
}
