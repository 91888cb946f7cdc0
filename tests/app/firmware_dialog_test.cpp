// "Change panel firmware" over the simulated panel: the version read at
// opening, the file shown, Write enabled only for a known type, the
// downgrade question, the write under the dialog's progress window.
#include "app/commands.h"
#include "app/desktop_job_ui.h"
#include "app/firmware_dialog.h"
#include "app/progress_window.h"
#include "jobs/panel_access.h"
#include "link/panel_lock.h"
#include "panel_fixture.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr char kWritten[] = "Firmware written to the panel";
constexpr char kNotWritten[] = "Firmware has NOT been written to panel";
constexpr char kDowngrade[] =
    "Are you sure you want to update the panel firmware\r\nwith a version "
    "older than the one currently in use?";

std::string HexFile(const char* name) {
    return std::string(M720_TEST_DATA) + "/hex/" + name;
}

// Records whether a progress window was open when each message came, and
// the window that owned it.
class ProgressAwareUi : public ScriptedUi {
  public:
    std::vector<bool> progressOpen;
    std::vector<const QWidget*> progressOwners;
    void Message(QWidget* owner, const std::string& text, const std::string& caption,
                 MessageIcon icon) override {
        const ProgressWindow* progress = ProgressWindow::Current();
        progressOpen.push_back(progress != nullptr);
        progressOwners.push_back(progress ? progress->parentWidget() : nullptr);
        ScriptedUi::Message(owner, text, caption, icon);
    }
};

class FirmwareDialogTest : public PanelAppTest {
  protected:
    void SetUp() override {
        PanelAppTest::SetUp();
        SetUiService(&ui_);
    }

    // The simulated panel's firmware version characters, in its memory file.
    void SetPanelVersion(const char* raw8) {
        {
            DesktopJobUi quiet;
            PanelJobScope scope(App().panel, quiet); // makes the demo file
        }
        QFile file(QString::fromStdString(simPath_));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        for (int i = 0; i < 8; ++i) {
            file.seek(0xA224 + 4 * (i / 2) + i % 2);
            file.write(raw8 + i, 1);
        }
    }

    // Runs the firmware command; inside gets the dialog while it is open
    // (nullptr when it never opened).
    void WithDialog(const std::function<void(FirmwareDialog*)>& inside) {
        bool seen = false;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<FirmwareDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer.stop();
            seen = true;
            inside(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        timer.start();
        CmdFirmware(*window_);
        if (!seen)
            inside(nullptr);
    }

    static QString Text(FirmwareDialog* d, const char* id) {
        return d->findChild<QLineEdit*>(id)->text();
    }
    static QPushButton* Button(FirmwareDialog* d, const char* id) {
        return d->findChild<QPushButton*>(id);
    }
    void Select(FirmwareDialog* d, const std::string& path) {
        ui_.files = {path};
        Button(d, "1634")->click();
    }

    ProgressAwareUi ui_;
};

TEST_F(FirmwareDialogTest, ShowsThePanelVersionAndTheChosenFile) {
    WithDialog([&](FirmwareDialog* d) {
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Change panel firmware");
        EXPECT_EQ(Text(d, "1631"), "1.023 / 1.045");
        EXPECT_FALSE(Button(d, "1635")->isEnabled());

        ui_.files = {""}; // cancelled: nothing changes
        Button(d, "1634")->click();
        EXPECT_EQ(ui_.Last("open")->path, "*.hex");
        EXPECT_EQ(ui_.Last("open")->text, "Firmware,*.hex");
        EXPECT_EQ(ui_.Last("open")->suffix, "hex");
        EXPECT_EQ(Text(d, "1633"), "");

        struct Case {
            const char* file;
            const char* type;
            const char* version;
            bool writable;
        } cases[] = {
            {"fw_coralwave.hex", "CORALWAVE", "1.234 / 5.678", true},
            {"fw_unknown_type.hex", "Unknown", "Unknown", false},
            {"fw_m720_old.hex", "M720", "0.990 / 0.001", true},
            // A damaged file shows nothing of the file before it.
            {"bad_checksum.hex", "Unknown", "Unknown", false},
            {"fw_coralwave.hex", "CORALWAVE", "1.234 / 5.678", true},
        };
        for (const Case& c : cases) {
            Select(d, HexFile(c.file));
            EXPECT_EQ(Text(d, "1633"), c.file);
            EXPECT_EQ(Text(d, "1637"), c.type) << c.file;
            EXPECT_EQ(Text(d, "1632"), c.version) << c.file;
            EXPECT_EQ(Button(d, "1635")->isEnabled(), c.writable) << c.file;
        }
        // The path is kept between selections.
        ui_.files = {""};
        Button(d, "1634")->click();
        EXPECT_EQ(ui_.Last("open")->path, HexFile("fw_coralwave.hex"));
    });
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
}

TEST_F(FirmwareDialogTest, NoDialogWithoutThePanelVersion) {
    UsePanel("silent-after=0");
    WithDialog([](FirmwareDialog* d) { EXPECT_EQ(d, nullptr); });
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Fault with connection to panel"});

    UsePanel("");
    ui_.records.clear();
    PanelLock lock;
    ASSERT_EQ(PanelLockTake(simPath_, &lock), PanelLockResult::kTaken);
    WithDialog([](FirmwareDialog* d) { EXPECT_EQ(d, nullptr); });
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{kPanelInUseText});
    PanelLockRelease(&lock);
}

TEST_F(FirmwareDialogTest, OnlyAnOlderFileAsks) {
    struct Case {
        const char* panel;
        bool asks;
    } cases[] = {{"10200000", false}, {"12300000", false}, {"12400000", true}};
    for (const Case& c : cases) {
        SetPanelVersion(c.panel);
        ui_.records.clear();
        ui_.answers = {false};
        WithDialog([&](FirmwareDialog* d) {
            ASSERT_NE(d, nullptr);
            Select(d, HexFile("fw_coralwave.hex")); // version 123
            // A write that starts fails at once on a silent panel.
            UsePanel("silent-after=0");
            Button(d, "1635")->click();
            EXPECT_EQ(d->isVisible(), c.asks) << "No leaves the dialog as it was";
            EXPECT_EQ(Button(d, "1635")->isEnabled(), c.asks);
        });
        ASSERT_TRUE(WaitForWorker());
        UsePanel("");
        EXPECT_EQ(ui_.Texts(), std::vector<std::string>{c.asks ? kDowngrade : kNotWritten})
            << "panel " << c.panel;
    }
}

TEST_F(FirmwareDialogTest, WriteRunsTheJobAndClosesTheDialog) {
    SetPanelVersion("12400000");
    UsePanel("end=0x5400"); // one page of firmware region
    ui_.answers = {true};
    const QWidget* dialog = nullptr;
    WithDialog([&](FirmwareDialog* d) {
        ASSERT_NE(d, nullptr);
        dialog = d;
        Select(d, HexFile("fw_coralwave.hex"));
        Button(d, "1635")->click();
        EXPECT_FALSE(d->isVisible()) << "the dialog closes itself after a write";
    });
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{kDowngrade, kWritten}));
    EXPECT_EQ(ui_.progressOpen, std::vector<bool>{true}) << "shown over the progress window";
    EXPECT_EQ(ui_.progressOwners, std::vector<const QWidget*>{dialog})
        << "the progress window belongs to the dialog";
    EXPECT_EQ(ProgressWindow::Current(), nullptr);

    // The panel now holds the file's firmware.
    ui_.records.clear();
    WithDialog([&](FirmwareDialog* d) {
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(Text(d, "1631"), "1.234 / 5.678");
    });
}

TEST_F(FirmwareDialogTest, AnUnansweredQueryIsReported) {
    WithDialog([&](FirmwareDialog* d) {
        ASSERT_NE(d, nullptr);
        Select(d, HexFile("fw_coralwave.hex"));
        UsePanel("silent-after=0"); // the job's Query goes unanswered
        Button(d, "1635")->click();
        EXPECT_FALSE(d->isVisible());
    });
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{kNotWritten});
    EXPECT_EQ(ui_.Last("message")->caption, "Fail!");
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kStop);
}

} // namespace
