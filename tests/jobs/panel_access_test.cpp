#include "jobs/get_job.h"
#include "jobs/panel_access.h"
#include "link/link_test_support.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using PanelAccessTest = SiteStoreTest;

TEST(PanelChoice, Texts) {
    PanelChoice c;
    std::string error;
    ASSERT_TRUE(ParsePanelChoice("usb", &c, &error));
    EXPECT_FALSE(c.simulated);
    ASSERT_TRUE(ParsePanelChoice(
        "sim:/tmp/p.bin,latency-ms=5,silent-after=0x10,flip-readback,end=0x6400", &c, &error));
    EXPECT_TRUE(c.simulated);
    EXPECT_EQ(c.path, "/tmp/p.bin");
    EXPECT_EQ(c.options.latencyMs, 5);
    EXPECT_EQ(c.options.silentAfter, 16);
    EXPECT_TRUE(c.options.flipReadback);
    EXPECT_EQ(c.options.end, 0x6400u);
    ASSERT_TRUE(ParsePanelChoice("sim:p.bin", &c, &error));
    EXPECT_EQ(c.options.silentAfter, -1);
    EXPECT_EQ(c.options.end, 0x2A800u);
    for (const char* bad :
         {"", "USB", "sim:", "sim:,end=1", "sim:p,latency-ms=abc", "sim:p,bogus",
          "sim:p,end=", "sim:p,end=0x", "sim:p,silent-after=-1", "sim:p,end=0x100000000"}) {
        EXPECT_FALSE(ParsePanelChoice(bad, &c, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST_F(PanelAccessTest, SimulatorFileIsMadeFromTheDemoAndWrittenBack) {
    const std::string path = Path("panel.bin");
    RecordingUi ui;
    {
        PanelJobScope scope("sim:" + path, ui);
        ASSERT_TRUE(scope.Ready());
        ASSERT_NE(scope.Simulator(), nullptr);
        const uint8_t name[] = {'X', 'Y'};
        ASSERT_EQ(WriteLogMemory(scope.Session(), name, 0x100, 2), 1);
    }
    std::string state = Read(path);
    ASSERT_EQ(state.size(), kSimStateSize);
    EXPECT_EQ(state.substr(kSimProgramBytes + 0x100, 2), "XY");

    // The next job starts from the file, also after another program changed it.
    state[kSimProgramBytes + 0x101] = 'Z';
    Write("panel.bin", state);
    // A job that only reads leaves the file as it is, time stamp and all.
    const auto before = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(path, before);
    {
        PanelJobScope scope("sim:" + path, ui);
        ASSERT_TRUE(scope.Ready());
        EXPECT_EQ(scope.Simulator()->LogByte(0x101), 'Z');
        GetJobResult result;
        EXPECT_EQ(GetSettingsJob(scope.Session(), &result), 1);
    }
    EXPECT_EQ(SettingGet("SiteName"), std::string("DEMO SITE"));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(Read(path), state);

    // A file of another size is not a panel: refused and left alone.
    Write("short.bin", "not a panel");
    {
        PanelJobScope scope("sim:" + Path("short.bin"), ui);
        EXPECT_FALSE(scope.Ready());
    }
    EXPECT_EQ(Read(Path("short.bin")), "not a panel");
    ASSERT_EQ(ui.Messages().size(), 1u);

    // A path that cannot be looked at is not a missing file: no demo panel
    // is made up for it.
    const std::string unreadable = (dir / std::string(300, 'a') / "panel.bin").string();
    {
        PanelJobScope scope("sim:" + unreadable, ui);
        EXPECT_FALSE(scope.Ready());
    }
    EXPECT_EQ(ui.Messages().size(), 2u);
}

TEST_F(PanelAccessTest, APanelInUseIsNotTouched) {
    const std::string path = Path("panel.bin");
    PanelLock other;
    ASSERT_TRUE(PanelLockAcquire(path, &other));
    RecordingUi ui;
    {
        PanelJobScope scope("sim:" + path, ui);
        EXPECT_FALSE(scope.Ready());
        // Another state file is another panel: free to use at the same time.
        PanelJobScope second("sim:" + Path("other.bin"), ui);
        EXPECT_TRUE(second.Ready());
    }
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"The panel is in use by another program|M720 Commissioning "
                                       "software Error|stop"});
    EXPECT_FALSE(std::filesystem::exists(path));
    // The same file by another path is the same panel.
    {
        PanelJobScope scope("sim:" + (dir / "." / "panel.bin").string(), ui);
        EXPECT_FALSE(scope.Ready());
    }
    PanelLockRelease(&other);
    PanelJobScope scope("sim:" + path, ui);
    EXPECT_TRUE(scope.Ready());
}

// m720-cli from outside: exit status, stderr and the files it leaves.
class CliPanelTest : public SiteStoreTest {
  protected:
    int Run(const std::string& arguments) {
        const std::string command = environment + "\"" + M720_CLI_PATH + "\" " + arguments +
                                    " > /dev/null 2> \"" + Path("stderr.txt") + "\" < /dev/null";
        int status = std::system(command.c_str());
        err = Read(Path("stderr.txt"));
        return WEXITSTATUS(status);
    }
    std::string Sim(const std::string& options = "") {
        return "--panel sim:" + Path("panel.bin") + options;
    }
    std::string err;
    std::string environment; // "NAME=value " settings for the run
};

TEST_F(CliPanelTest, GetAndSend) {
    ASSERT_EQ(Run("get " + Path("site.psf") + " " + Sim()), 0) << err;
    EXPECT_EQ(err, "m720-cli: read the panel into " + Path("site.psf") +
                       ": site \"DEMO SITE\", 20 devices, 3 fire and 2 non-fire events\n");
    const std::string got = Read(Path("site.psf"));
    EXPECT_NE(got.find("SiteName = \"DEMO SITE\""), std::string::npos);

    // Without a terminal nothing is sent unless the questions are answered.
    EXPECT_EQ(Run("send " + Path("site.psf") + " " + Sim()), 1);
    const std::string before = Read(Path("panel.bin"));
    environment = "XDG_DATA_HOME=" + Path("data") + " ";
    ASSERT_EQ(Run("send " + Path("site.psf") + " --yes --accept-errors " + Sim()), 0) << err;
    const std::string backups = Path("data") + "/m720/backups/";
    const std::string sent = "Settings have been sent to the panel\nThe panel's previous settings "
                             "are saved in " +
                             backups + "DEMO_SITE-";
    EXPECT_EQ(err.substr(0, sent.size()), sent);
    EXPECT_TRUE(err.ends_with(".psf\n")) << err;
    EXPECT_EQ(Read(Path("panel.bin")), before); // the same site again

    // The backup's 309 reads come first; then a block goes unanswered.
    EXPECT_EQ(
        Run("send " + Path("site.psf") + " --yes --accept-errors " + Sim(",silent-after=323")), 1);
    const std::string failed = "Can't program page!\nSettings have NOT been written to panel\nThe "
                               "panel's previous settings are saved in " +
                               backups;
    EXPECT_EQ(err.substr(0, failed.size()), failed);

    // The site data were read: OUT is written, but the fault gives status 1.
    ASSERT_EQ(Run("get " + Path("part.psf") + " " + Sim(",silent-after=205")), 1);
    EXPECT_EQ(err.rfind("Fault with connection to panel\nm720-cli: the read did not finish; " +
                            Path("part.psf") + " holds what was read: site \"",
                        0),
              0u)
        << err;
    EXPECT_TRUE(std::filesystem::exists(Path("part.psf")));
    ASSERT_EQ(Run("get " + Path("none.psf") + " " + Sim(",silent-after=0")), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("none.psf")));

    EXPECT_EQ(Run("get " + Path("x.psf") + " --panel sim:"), 2);
    EXPECT_EQ(Run("get " + Path("x.psf") + " --panel serial"), 2);
    EXPECT_EQ(Run("get " + Sim()), 2);
}

TEST_F(CliPanelTest, APanelHeldByAnotherProgramIsLeftAlone) {
    PanelLock other;
    ASSERT_TRUE(PanelLockAcquire(Path("panel.bin"), &other));
    EXPECT_EQ(Run("get " + Path("site.psf") + " " + Sim()), 1);
    EXPECT_EQ(err, "The panel is in use by another program\n");
    EXPECT_FALSE(std::filesystem::exists(Path("site.psf")));
    EXPECT_FALSE(std::filesystem::exists(Path("panel.bin")));
    PanelLockRelease(&other);
    EXPECT_EQ(Run("get " + Path("site.psf") + " " + Sim()), 0);
}

// A runtime folder that is gone (or another user's, after su) must not make
// every job believe the panel is in use: the lock goes somewhere usable.
TEST_F(CliPanelTest, AStaleRuntimeFolderStillLetsAJobRun) {
    environment = "XDG_RUNTIME_DIR=" + Path("gone") + " ";
    ASSERT_EQ(Run("get " + Path("site.psf") + " " + Sim()), 0) << err;
    EXPECT_EQ(err.rfind("m720-cli: read the panel into ", 0), 0u) << err;
}

} // namespace
