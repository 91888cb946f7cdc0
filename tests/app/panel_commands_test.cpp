// Get and Send from the main window against the simulated panel: their
// questions, the job's messages, the store afterwards, and the main window
// refusing everything while the job owns the store.
#include "app/commands.h"
#include "app/progress_window.h"
#include "check/design_check.h"
#include "device_editor_app_fixture.h"
#include "editors/device_editor.h"
#include "editors/lcd_text_window.h"
#include "jobs/panel_access.h"
#include "link/panel_lock.h"
#include "panel_fixture.h"

#include <QProgressBar>

#include <algorithm>

namespace {

constexpr char kGetQuestion[] = "Are you sure you wish to overwrite site data changes?";
constexpr char kAcceptQuestion[] =
    "The site file contains errors.  Do you want to accept these errors?";
constexpr char kSendQuestion[] = "Are you sure you wish to overwrite current panel settings?";
constexpr char kFault[] = "Fault with connection to panel";
constexpr char kSent[] = "Settings have been sent to the panel";

// Requests of a get that expect a reply: site data 205, loop data 103, then
// the firmware version.
constexpr int kSiteReads = 205;
constexpr int kLoopReads = 103;

using PanelCommandsTest = PanelAppTest;

using Texts = std::vector<std::string>;

TEST_F(PanelCommandsTest, GetReadsThePanelTwiceInARow) {
    const uint32_t before = StoreChecksum();
    ui_.answers = {false};
    window_->Dispatch(6015);
    EXPECT_FALSE(App().workerBusy);
    EXPECT_EQ(ui_.Texts(), Texts{kGetQuestion});
    EXPECT_EQ(StoreChecksum(), before) << "No must not read the panel";

    for (int round = 0; round < 2; ++round) {
        ui_.records.clear();
        ui_.answers = {true};
        window_->Dispatch(6015);
        ASSERT_TRUE(WaitForWorker());
        // The panel was given back before "worker done": the second Get
        // does not find it in use.
        EXPECT_EQ(ui_.Texts(), Texts{kGetQuestion}) << "round " << round;
        EXPECT_EQ(Value("SiteName"), "DEMO SITE");
        EXPECT_EQ(Value("PanelData"), "1");
        EXPECT_TRUE(window_->windowTitle().contains("[DEMO SITE]"));
        EXPECT_EQ(ProgressWindow::Current(), nullptr);
    }
    // The banner tells the truth about the site that came from the panel.
    const uint32_t errors = App().designErrorCount;
    EXPECT_EQ(static_cast<int>(errors), CheckDesign(nullptr));
}

// What the job's progress window showed: every title it had and every bar
// position, as the GUI thread received them from the job's thread.
class ProgressRecorder : public QObject {
  public:
    ProgressRecorder() { qApp->installEventFilter(this); }
    ~ProgressRecorder() override { qApp->removeEventFilter(this); }
    Texts titles;
    std::vector<int> positions;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* window = qobject_cast<ProgressWindow*>(object);
        if (!window)
            return false;
        if (event->type() == QEvent::Show) {
            titles.push_back(window->windowTitle().toStdString());
            connect(window->findChild<QProgressBar*>("1201"), &QProgressBar::valueChanged, this,
                    [this](int value) { positions.push_back(value); });
        } else if (event->type() == QEvent::WindowTitleChange && window->isVisible()) {
            titles.push_back(window->windowTitle().toStdString());
        }
        return false;
    }
};

TEST_F(PanelCommandsTest, GetShowsEachStageAndItsProgress) {
    UsePanel("latency-ms=1"); // the window is up before the job ends
    window_->show();
    ProgressRecorder recorder;
    ui_.answers = {true};
    window_->Dispatch(6015);
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(), Texts{kGetQuestion});
    EXPECT_EQ(recorder.titles, (Texts{"Progress...", "Reading site data...", "Reading loop data...",
                                      "Reading event log..."}));
    ASSERT_FALSE(recorder.positions.empty());
    EXPECT_EQ(recorder.positions.back(), 100) << "the log read ends full";
    EXPECT_TRUE(std::any_of(recorder.positions.begin(), recorder.positions.end(),
                            [](int p) { return p > 0 && p < 100; }));
    EXPECT_EQ(ProgressWindow::Current(), nullptr);
}

TEST_F(PanelCommandsTest, GetWhoseLoopReadFailsKeepsThePanelSiteDataOnly) {
    UsePanel("silent-after=" + std::to_string(kSiteReads + 50));
    ui_.answers = {true};
    window_->Dispatch(6015);
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(), (Texts{kGetQuestion, kFault}));
    EXPECT_EQ(ui_.Last("message")->caption, "M720 Commissioning software Error");
    EXPECT_EQ(Value("SiteName"), "DEMO SITE");
    for (const char* absent : {"Type_1", "SNum_1", "FirmwareVersion", "FireEvent_1", "PanelData"})
        EXPECT_EQ(Value(absent), "(none)") << absent;
    EXPECT_TRUE(window_->windowTitle().contains("[DEMO SITE]"));
}

TEST_F(PanelCommandsTest, NothingReachesTheStoreUntilWorkerDone) {
    // The firmware version read fails: the progress window closes and the
    // job goes on to the log read, which fails too.
    UsePanel("silent-after=" + std::to_string(kSiteReads + kLoopReads));
    window_->show();
    ui_.answers = {true};
    window_->Dispatch(6015);
    // Back from the progress window with the job still running.
    ASSERT_TRUE(App().workerBusy);
    EXPECT_EQ(ProgressWindow::Current(), nullptr);
    ui_.records.clear();
    ui_.answers = {true, true, true};
    ui_.files = {simPath_};
    for (int command : {6008, 6007, 6004, 6002, 6015, 6014, 6019, 105})
        window_->Dispatch(command);
    window_->close();
    EXPECT_TRUE(ui_.records.empty()) << ui_.records.front().text;
    EXPECT_EQ(App().currentEditor, nullptr);
    EXPECT_TRUE(window_->isVisible());

    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(), (Texts{kFault, kFault}));
    EXPECT_EQ(Value("FirmwareVersion"), "0");
    EXPECT_EQ(Value("PanelData"), "(none)");
    ui_.records.clear();
    ui_.answers = {false};
    window_->Dispatch(6008);
    EXPECT_EQ(ui_.Texts(), Texts{"Delete current settings?"}) << "commands work again";
}

TEST_F(PanelCommandsTest, APanelInUseLeavesNoWindowAndNoWorker) {
    window_->RecheckDesign(); // as closing the view before the job does
    const uint32_t before = StoreChecksum();
    PanelLock lock;
    ASSERT_EQ(PanelLockTake(simPath_, &lock), PanelLockResult::kTaken);
    ui_.answers = {true};
    window_->Dispatch(6015);
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(), (Texts{kGetQuestion, kPanelInUseText}));
    EXPECT_EQ(ProgressWindow::Current(), nullptr);
    EXPECT_EQ(StoreChecksum(), before);
    PanelLockRelease(&lock);

    ui_.records.clear();
    ui_.answers = {true};
    window_->Dispatch(6015);
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(), Texts{kGetQuestion});
    EXPECT_EQ(Value("SiteName"), "DEMO SITE");
}

TEST_F(PanelCommandsTest, SendAsksAboutFaultsFirst) {
    ASSERT_GT(CheckDesign(nullptr), 0) << "a new site has faults";
    SettingPut("SiteName", "SENT SITE");
    struct Case {
        std::deque<bool> answers;
        Texts texts;
    } cases[] = {
        {{false}, {kAcceptQuestion}},
        {{true, false}, {kAcceptQuestion, kSendQuestion}},
        {{true, true}, {kAcceptQuestion, kSendQuestion, "Settings have been sent to the panel"}},
    };
    for (const Case& c : cases) {
        ui_.records.clear();
        ui_.answers = c.answers;
        window_->Dispatch(6014);
        ASSERT_TRUE(WaitForWorker());
        Texts texts = ui_.Texts();
        if (texts.size() == 3) {
            EXPECT_NE(texts.back().find("\r\nThe panel's previous settings are saved in "),
                      std::string::npos);
        }
        // A send names the backup of the panel's previous site on a second line.
        const std::string backupLine = "\r\nThe panel's previous settings are saved in ";
        if (!texts.empty() && texts.back().find(backupLine) != std::string::npos)
            texts.back().resize(texts.back().find(backupLine));
        EXPECT_EQ(texts, c.texts);
    }
    EXPECT_EQ(ui_.Last("ask")->caption, "Are you sure?");
    EXPECT_EQ(ui_.Last("message")->caption, "Success");

    // What was sent comes back.
    SettingPut("SiteName", "CHANGED");
    ui_.answers = {true};
    window_->Dispatch(6015);
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(Value("SiteName"), "SENT SITE");
}

TEST_F(PanelCommandsTest, SendWhoseBackupReadsBackDamagedWritesNothing) {
    // Every read of this panel has one byte changed: the backup of its
    // current site cannot be trusted, so nothing is written and the site
    // store stays as it was.
    UsePanel("flip-readback");
    window_->RecheckDesign();
    const uint32_t before = StoreChecksum();
    ui_.answers = {true, true};
    window_->Dispatch(6014);
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(ui_.Texts(),
              (Texts{kAcceptQuestion, kSendQuestion,
                     "The panel's current site data are in a format that cannot be kept as a "
                     "backup, so nothing has been written to the panel",
                     "Settings have NOT been written to panel"}));
    EXPECT_EQ(ui_.Last("message")->caption, "Fail!");
    EXPECT_EQ(ui_.Last("message")->icon, MessageIcon::kStop);
    EXPECT_EQ(StoreChecksum(), before);
}

// Send with an editor open: the fault question is decided on the values
// typed into it, which are not in the store until its write-back.
class SendTypedValuesTest : public SimPanelTest<GridEditorAppTest> {
  protected:
    // A new site made clean: the matrix off, every site detail filled.
    static void MakeCleanSite() {
        char name[kSettingNameSize];
        for (int g = 1; g <= 32; ++g) {
            for (int o = 1; o <= 32; ++o) {
                std::snprintf(name, sizeof name, "Matrix_%d_%d", g, o);
                if (SettingGet(name))
                    SettingPut(name, "O");
            }
        }
        for (const char* detail :
             {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
              "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
              "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"}) {
            const char* value = SettingGet(detail);
            if (value && value[0] == '\0')
                SettingPut(detail, "1");
        }
    }
    // Send with the answers; the texts shown, the result's backup line cut.
    Texts Send(std::deque<bool> answers) {
        ui_.records.clear();
        ui_.answers = std::move(answers);
        window_->Dispatch(kCmdSend);
        EXPECT_TRUE(WaitForWorker());
        Texts texts = ui_.Texts();
        for (std::string& t : texts)
            t = t.substr(0, t.find("\r\n"));
        return texts;
    }
};

TEST_F(SendTypedValuesTest, DeviceEditorValuesDecideTheFaultQuestionAndAreSent) {
    MakeCleanSite();
    // A loop interface in zone 3, whose text is blank: the one fault.
    for (auto [name, value] : {std::pair{"Type_5", "71"},
                               {"Version_5", "10"},
                               {"MapNode_5", "5"},
                               {"DeviceText_5", "Plant room          "},
                               {"Zone_5", "3"},
                               {"ZoneText_3", "                    "}})
        SettingPut(name, value);
    ASSERT_EQ(CheckDesign(nullptr), 1);

    // Typed, not yet written back: zone 2 has a text, so nothing to accept.
    Open(kCmdDeviceEditor);
    Type(5, kDeviceColZone, "2");
    EXPECT_EQ(Send({true}), (Texts{kSendQuestion, kSent}));
    EXPECT_EQ(App().currentEditor, nullptr);
    // The panel holds the zone as typed.
    SettingPut("Zone_5", "7");
    ui_.answers = {true};
    window_->Dispatch(kCmdGet);
    ASSERT_TRUE(WaitForWorker());
    EXPECT_EQ(Value("Zone_5"), "2");
    ASSERT_EQ(CheckDesign(nullptr), 0);

    // And back into the zone without a text: now there is a fault to accept.
    Open(kCmdDeviceEditor);
    Type(5, kDeviceColZone, "3");
    EXPECT_EQ(Send({false}), Texts{kAcceptQuestion});
    EXPECT_EQ(App().currentEditor, grid_) << "No leaves the editor open";
    EXPECT_EQ(Text(5, kDeviceColZone), "3");
}

TEST_F(SendTypedValuesTest, TextEditorTextsDecideTheFaultQuestion) {
    MakeCleanSite();
    ASSERT_EQ(CheckDesign(nullptr), 0);
    // A text typed for an address without a device is a fault.
    GridWidget* grid = Open(kCmdTextEditor);
    ASSERT_NE(grid, nullptr);
    grid->SetCursor(7, 1);
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_NE(CurrentTextWindow(), nullptr);
    QTest::keyClicks(CurrentTextWindow(), "Hall");
    QTest::keyClick(CurrentTextWindow(), Qt::Key_Return);
    EXPECT_EQ(Send({false}), Texts{kAcceptQuestion});
    EXPECT_EQ(Text(7, 1).substr(0, 4), "Hall");
}

} // namespace
