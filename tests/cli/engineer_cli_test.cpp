// m720-cli as a commissioning engineer meets it: every failure names what
// failed, nothing is replaced or changed without being asked, refusals
// without a terminal name the option that answers them, Ctrl-C on a panel
// job, the progress line on narrow terminals, info and --json.
#ifndef _WIN32

#include "pty_child.h"
#include "run_cli.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

namespace {

class EngineerCli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("m720-engineer-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ASSERT_EQ(RunCli("new " + P("a.psf")).status, 0);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string P(const std::string& name) const { return ShellQuote(Path(name)); }
    std::string Panel(const std::string& options = "") const {
        return " --panel " + ShellQuote("sim:" + Path("panel.bin") + options);
    }
    void Write(const std::string& name, const std::string& bytes) const {
        FILE* f = std::fopen(Path(name).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    std::filesystem::path dir;
};

TEST_F(EngineerCli, EveryFailureNamesTheFileAndTheCause) {
    std::filesystem::create_directories(dir / "folder");
    Write("not-hex.hex", ":10000000\r\n");
    std::string edited = Slurp(Path("a.psf")); // a value changed without a new check value
    edited.replace(edited.find("NumZones = \"32\""), 15, "NumZones = \"31\"");
    Write("edited.psf", edited);
    std::string v3(6144, '\0');
    v3[0] = 3; // the format version
    Write("v3.bin", v3);
    Write("short.bin", std::string(1000, '\0'));
    const struct {
        std::string args;
        int status;
        std::string err; // the whole of stderr; PATH(x) spelled out
    } cases[] = {
        {"show " + P("none.psf"), 2,
         "Couldn't open file\nm720-cli: " + Path("none.psf") + ": No such file or directory\n"},
        {"check " + P("folder"), 2,
         "Couldn't open file\nm720-cli: " + Path("folder") + ": Is a directory\n"},
        {"show " + P("a.psf") + " sitename NumZones", 1,
         "m720-cli: " + Path("a.psf") +
             ": no setting sitename (names are case-sensitive: SiteName?)\n"},
        // Of three files, the one that failed.
        {"encode " + P("a.psf") + " " + P("i.bin") + " " + P("nowhere/l.bin"), 2,
         "Couldn't open file\nm720-cli: " + Path("nowhere/l.bin") + ": folder " + Path("nowhere") +
             ": No such file or directory\n"},
        {"encode " + P("a.psf") + " " + P("folder") + " " + P("l.bin"), 2,
         "Couldn't open file\nm720-cli: " + Path("folder") + ": Is a directory\n"},
        {"export devices " + P("a.psf") + " " + P("folder"), 1,
         "Could not export device data\nm720-cli: " + Path("folder") + ": Is a directory\n"},
        {"set " + P("edited.psf") + " NumZones=5", 2,
         "Not done!\nFile contains errors\nm720-cli: " + Path("edited.psf") +
             ": its check value does not match its settings (edited by hand, or damaged); check "
             "them, then give --load-errors to use it as it is\n"},
        {"decode " + P("v3.bin") + " " + P("v3.psf"), 1,
         "Site data is in an unsupported format\nm720-cli: " + Path("v3.bin") +
             ": format version 3; site data images of format version 1 or 2 can be read (is it "
             "a site data image?)\n"},
        {"firmware " + P("not-hex.hex") + Panel(), 2,
         "m720-cli: " + Path("not-hex.hex") +
             ": not a readable Intel HEX file: line 1: too short for a record\n"},
        {"firmware " + P("folder") + Panel(), 2,
         "Couldn't open file\nm720-cli: " + Path("folder") + ": Is a directory\n"},
        // An OUT that cannot be written is found before the panel is read.
        {"get " + P("nowhere/got.psf") + Panel(), 2,
         "Couldn't open file\nm720-cli: " + Path("nowhere/got.psf") + ": folder " +
             Path("nowhere") + ": No such file or directory\n"},
        {"get " + P("got.psf") + " --panel " +
             ShellQuote("sim:" + Path("silent.bin") + ",silent-after=0"),
         1,
         "Fault with connection to panel\nm720-cli: no site data were read; " + Path("got.psf") +
             " was not written\n"},
        // A folder is named as one: --force would not help.
        {"new " + P("folder"), 2,
         "Couldn't open file\nm720-cli: " + Path("folder") + ": Is a directory\n"},
        // A simulated panel that could not keep what it is sent is not written to.
        {"send " + P("a.psf") + " --yes --accept-errors --panel " +
             ShellQuote("sim:" + Path("a.psf") + "/p.bin"),
         2,
         "The panel simulator file " + Path("a.psf") +
             "/p.bin could not be written\nm720-cli: " + Path("a.psf") + "/p.bin: folder " +
             Path("a.psf") + ": Not a directory; nothing was written to the panel\n"},
        {"info --panel " + ShellQuote("sim:" + Path("p.bin") + ",latency-ms=abc"), 2,
         "m720-cli: bad value in simulator option \"latency-ms=abc\" (a number, decimal or "
         "0x-hex, at most 60000)\n"},
        {"info --panel " + ShellQuote("sim:" + Path("p.bin") + ",end=0x"), 2,
         "m720-cli: bad value in simulator option \"end=0x\" (a number, decimal or 0x-hex)\n"},
        {"info --panel " + ShellQuote("sim:" + Path("short.bin")), 1,
         "The panel simulator file " + Path("short.bin") + " is 1000 bytes long, not 356352\n"},
        // The read was whole; only the simulated panel's memory could not be kept.
        {"get " + P("got.psf") + " --panel " + ShellQuote("sim:" + Path("nowhere/p.bin")), 1,
         "The panel simulator file " + Path("nowhere/p.bin") +
             " could not be written\nm720-cli: read the panel into " + Path("got.psf") +
             ": site \"DEMO SITE\", 20 devices, 3 fire and 2 non-fire events\n"},
    };
    for (const auto& c : cases) {
        CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
    }
    // Nothing of the failed encode was left behind.
    EXPECT_FALSE(std::filesystem::exists(dir / "i.bin"));
    EXPECT_FALSE(std::filesystem::exists(dir / "v3.psf"));
    EXPECT_EQ(Slurp(Path("edited.psf")), edited);
    EXPECT_FALSE(std::filesystem::exists(dir / "panel.bin")); // the panel was never opened
}

TEST_F(EngineerCli, ExistingFilesAreReplacedOnlyWithForce) {
    ASSERT_EQ(RunCli("encode " + P("a.psf") + " " + P("i.bin") + " " + P("l.bin")).status, 0);
    Write("texts.txt", "ZoneText_1 = \"Plant room\"\r\n");
    Write("b.psf", "mine");
    const std::string commands[] = {
        "new " + P("b.psf"),
        "get " + P("b.psf") + Panel(),
        "decode " + P("i.bin") + " " + P("l.bin") + " " + P("b.psf"),
        "import-text " + P("a.psf") + " " + P("texts.txt") + " " + P("b.psf"),
    };
    for (const std::string& command : commands) {
        CliRun refused = RunCli(command);
        EXPECT_EQ(refused.status, 2) << command;
        EXPECT_EQ(refused.err, "m720-cli: " + Path("b.psf") +
                                   ": already exists; nothing was written (give --force to "
                                   "replace it)\n")
            << command;
        EXPECT_EQ(Slurp(Path("b.psf")), "mine") << command;
        CliRun forced = RunCli(command + " --force");
        EXPECT_EQ(forced.status, 0) << command << forced.err;
        EXPECT_NE(Slurp(Path("b.psf")), "mine") << command;
        Write("b.psf", "mine");
    }
    // encode replaces its own blocks freely, but not a file of another size
    // (a site file named by a slip in the order of the words).
    ASSERT_EQ(RunCli("encode " + P("a.psf") + " " + P("i.bin") + " " + P("l.bin")).status, 0);
    const std::string site = Slurp(Path("a.psf"));
    Write("b.psf", site);
    const struct {
        std::string args;
        std::string err;
    } foreign[] = {
        {P("b.psf") + " " + P("l.bin"), "m720-cli: " + Path("b.psf") +
                                            ": already exists and is not a site data image "
                                            "(6144 bytes; it has " +
                                            std::to_string(site.size()) +
                                            "); nothing was written (give --force to replace "
                                            "it)\n"},
        {P("i.bin") + " " + P("b.psf"), "m720-cli: " + Path("b.psf") +
                                            ": already exists and is not a loop data block "
                                            "(3072 bytes; it has " +
                                            std::to_string(site.size()) +
                                            "); nothing was written (give --force to replace "
                                            "it)\n"},
    };
    for (const auto& c : foreign) {
        const std::string image = Slurp(Path("i.bin"));
        CliRun refused = RunCli("encode " + P("a.psf") + " " + c.args);
        EXPECT_EQ(refused.status, 2) << c.args;
        EXPECT_EQ(refused.err, c.err) << c.args;
        EXPECT_EQ(Slurp(Path("b.psf")), site) << c.args;
        EXPECT_EQ(Slurp(Path("i.bin")), image) << c.args;
        CliRun forced = RunCli("encode " + P("a.psf") + " " + c.args + " --force");
        EXPECT_EQ(forced.status, 0) << c.args << forced.err;
        EXPECT_NE(Slurp(Path("b.psf")), site) << c.args;
        Write("b.psf", site);
    }
    // set edits in place; CSV exports replace freely.
    EXPECT_EQ(RunCli("set " + P("a.psf") + " NumZones=8").status, 0);
    EXPECT_EQ(RunCli("export texts " + P("a.psf") + " " + P("b.psf")).status, 0);
}

TEST_F(EngineerCli, SetRefusesWhatTheSiteOrThePanelCannotHold) {
    const std::string before = Slurp(Path("a.psf"));
    const struct {
        std::string setting;
        std::string err; // the line naming the fault
    } refused[] = {
        {"NumZones=abc", "m720-cli: NumZones: the value must be a whole number from 0 to 255"},
        {"NumZones=300", "m720-cli: NumZones: the value must be a whole number from 0 to 255"},
        {"sitename=x", "m720-cli: sitename: a site has no setting of that name (names are "
                       "case-sensitive: SiteName?); give --new to add it"},
        {"UserCode=12", "m720-cli: UserCode: the value must be six digits, each 1 to 4"},
        {"DeviceText_6=" + std::string(47, 'x'),
         "m720-cli: DeviceText_6: the value holds at most 20 characters on the panel (it has "
         "47)"},
        {"OutputDelay_3=0:75", "m720-cli: OutputDelay_3: the value must be minutes and seconds "
                               "m:ss in steps of 5 seconds, from 0:00 to 10:00 (the panel would "
                               "get 1:15)"},
        {"PulseOnTime=1", "m720-cli: PulseOnTime: the value must be seconds with one decimal in "
                          "steps of 0.5, from 0.5 to 127.5 (the panel would get 1.0)"},
    };
    for (const auto& c : refused) {
        CliRun run = RunCli("set " + P("a.psf") + " NumZones=8 " + ShellQuote(c.setting));
        EXPECT_EQ(run.status, 2) << c.setting;
        EXPECT_EQ(run.err, c.err + "\nm720-cli: " + Path("a.psf") + " was not changed\n")
            << c.setting;
        EXPECT_EQ(Slurp(Path("a.psf")), before) << c.setting;
    }
    // Every fault of one run is named.
    CliRun both = RunCli("set " + P("a.psf") + " NumZones=abc UserCode=12");
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("NumZones"), std::string::npos);
    EXPECT_NE(both.err.find("UserCode"), std::string::npos);

    CliRun added = RunCli("set " + P("a.psf") + " sitename=x --new");
    EXPECT_EQ(added.status, 0) << added.err;
    CliRun good = RunCli("set " + P("a.psf") + " UserCode=123412 DeviceText_6=Plant " +
                         "OutputDelay_3=2:30 PulseOnTime=3.5 NumZones=8");
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(RunCli("show " + P("a.psf") + " UserCode sitename").out,
              "UserCode = \"123412\"\nsitename = \"x\"\n");
}

TEST_F(EngineerCli, AFileWithoutOneSiteLineIsNotASiteFile) {
    std::string random;
    for (int i = 0; i < 2048; ++i)
        random += static_cast<char>((i * 131 + 7) % 256 == '"' ? 0 : (i * 131 + 7) % 256);
    Write("empty.psf", "");
    Write("random.psf", random);
    Write("fw.hex", ":020000025000AC\r\n:00000001FF\r\n");
    ASSERT_EQ(RunCli("info" + Panel()).status, 0); // the panel's memory file
    const std::string panel = Slurp(Path("panel.bin"));
    for (const char* file : {"empty.psf", "random.psf", "fw.hex"}) {
        for (const std::string& command :
             {"show --load-errors " + P(file),
              "send --load-errors --yes --accept-errors " + P(file) + Panel(),
              "import-text " + P("a.psf") + " " + P(file) + " " + P("out.psf")}) {
            CliRun run = RunCli(command);
            EXPECT_EQ(run.status, 2) << command;
            EXPECT_EQ(run.err, "Not done!\nFile contains errors\nm720-cli: " + Path(file) +
                                   ": not a site file (not one line of the form Name = "
                                   "\"value\")\n")
                << command;
        }
    }
    EXPECT_EQ(Slurp(Path("panel.bin")), panel);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.psf"));
    Write("check-only.psf", "Check = \"1515870810\"\r\n");
    EXPECT_EQ(RunCli("show " + P("check-only.psf") + " NumZones").out, "NumZones = \"32\"\n");
}

TEST_F(EngineerCli, RefusalsWithoutATerminalNameTheOption) {
    // A new site has design faults (unused groups, empty site details).
    CliRun faulty = RunCli("send " + P("a.psf") + Panel());
    EXPECT_EQ(faulty.status, 1);
    EXPECT_NE(faulty.err.find("give --accept-errors to answer Yes"), std::string::npos)
        << faulty.err;
    CliRun overwrite = RunCli("send " + P("a.psf") + Panel() + " --accept-errors");
    EXPECT_EQ(overwrite.status, 1);
    EXPECT_EQ(overwrite.err, "m720-cli: no terminal to answer \"Are you sure you wish to "
                             "overwrite current panel settings?\"; give --yes to answer "
                             "Yes\nm720-cli: not sent; the panel was not changed\n");
}

TEST_F(EngineerCli, InfoAndJson) {
    CliRun info = RunCli("info" + Panel());
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "Firmware type: M720\nFirmware version: 1.023 / 1.045\nSite name: DEMO "
                        "SITE\nFormat version: 2\nDevices: 20\nFire events: 3\nNon-fire events: "
                        "2\n");
    CliRun json = RunCli("info --json" + Panel());
    EXPECT_EQ(json.out, "{\"firmwareType\": \"M720\", \"firmwareVersion\": \"1.023 / 1.045\", "
                        "\"siteName\": \"DEMO SITE\", \"formatVersion\": \"2\", \"devices\": 20, "
                        "\"fireEvents\": 3, \"nonFireEvents\": 2}\n");

    ASSERT_EQ(
        RunCli("set " + P("a.psf") + " 'SiteName=Depot \"North\"' --new 'Odd=\x01\xE9'").status, 0);
    CliRun shown = RunCli("show --json " + P("a.psf") + " SiteName Odd Nope SiteName Nope");
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.out, "{\"site\": \"" + Path("a.psf") +
                             "\", \"settings\": {\n  \"SiteName\": \"Depot \\\"North\\\"\",\n  "
                             "\"Odd\": \"\\u0001\xC3\xA9\"\n}, \"missing\": [\"Nope\"]}\n");

    CliRun check = RunCli("check --json " + P("a.psf"));
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out.rfind("{\"faults\": [\n  \"Output group 1 is activated by unused "
                              "input group 2\",\n",
                              0),
              0u)
        << check.out;
    // The report's overflow line is no fault: it is told apart.
    EXPECT_EQ(check.out.find("More than"), std::string::npos);
    const std::string end = "\n], \"moreFaults\": true, \"quiescentCurrent\": \"0.00mA\", "
                            "\"alarmCurrent\": \"0.00mA\"}\n";
    ASSERT_GT(check.out.size(), end.size());
    EXPECT_EQ(check.out.substr(check.out.size() - end.size()), end);
}

// The progress line is redrawn in place and never wider than the terminal.
TEST_F(EngineerCli, ProgressFitsTheTerminal) {
    for (int columns : {40, 60, 120}) {
        SCOPED_TRACE(columns);
        std::filesystem::remove(dir / "got.psf");
        PtyRun run = RunOnPty("get " + P("got.psf") + Panel(), columns);
        EXPECT_EQ(run.status, 0) << run.output;
        size_t lines = 0;
        size_t at = 0;
        while (at < run.output.size()) {
            size_t end = run.output.find('\n', at);
            if (end == std::string::npos)
                end = run.output.size();
            const std::string line = run.output.substr(at, end - at);
            for (size_t from = 0; from <= line.size();) {
                size_t cr = line.find('\r', from);
                if (cr == std::string::npos)
                    cr = line.size();
                const std::string drawn = line.substr(from, cr - from);
                if (drawn.find('%') != std::string::npos) {
                    EXPECT_LT(drawn.size(), static_cast<size_t>(columns)) << drawn;
                }
                from = cr + 1;
            }
            ++lines;
            at = end + 1;
        }
        // Only the finishing line: no progress update left a line behind.
        EXPECT_EQ(lines, 1u) << run.output;
        EXPECT_NE(run.output.find("%"), std::string::npos);
        EXPECT_NE(run.output.find("m720-cli: read the panel into " + Path("got.psf") +
                                  ": site \"DEMO SITE\", 20 devices, 3 fire and 2 non-fire "
                                  "events"),
                  std::string::npos)
            << run.output;
    }
}

// On a terminal only y or yes is Yes; a slip, an empty line or Ctrl-D is No.
TEST_F(EngineerCli, OnlyYOrYesAtTheQuestionWritesToThePanel) {
    const std::string question = "overwrite current panel settings? [y/N] ";
    const struct {
        const char* typed;
        int status;
    } answers[] = {
        {"y\n", 0}, {" YES \n", 0}, {"yikes\n", 1}, {"Yes please\n", 1},
        {"\n", 1},  {"n\n", 1},     {"\x04", 1},
    };
    for (const auto& a : answers) {
        SCOPED_TRACE(a.typed);
        PtyRun run = RunOnPty("send " + P("a.psf") + Panel() + " --accept-errors --no-backup", 80,
                              {}, 60000, question, a.typed);
        EXPECT_EQ(run.status, a.status) << run.output;
        if (a.status != 0) {
            EXPECT_NE(run.output.find("\nm720-cli: not sent; the panel was not changed\n"),
                      std::string::npos)
                << run.output;
        }
    }
}

// Ctrl-C on a terminal, once the job shows its progress.
TEST_F(EngineerCli, CtrlCStopsAReadAtOnceAndAWriteOnlyWhenPressedTwice) {
    // Presses Ctrl-C the given times, a pause after each, once the output shows `shown`.
    auto pressWhenShown = [](std::string shown, int presses, int pauseMs = 200) {
        return
            [shown, presses, pauseMs, pressed = 0](const std::string& output, pid_t pid) mutable {
                if (pressed < presses && output.find(shown) != std::string::npos) {
                    kill(pid, SIGINT);
                    ++pressed;
                    std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
                }
            };
    };
    auto pressAfterProgress = [&](int presses) { return pressWhenShown("%", presses); };
    const std::string slow = ",latency-ms=3";
    PtyRun get = RunOnPty("get " + P("got.psf") + Panel(slow), 80, pressAfterProgress(1));
    EXPECT_EQ(get.status, 130) << get.output;
    const size_t stoppedAt = get.output.find("m720-cli: stopped; nothing was written\n");
    ASSERT_NE(stoppedAt, std::string::npos) << get.output;
    // The progress line was blanked (back to its start) before the message.
    EXPECT_EQ(get.output[stoppedAt - 1], '\r') << get.output;
    EXPECT_FALSE(std::filesystem::exists(dir / "got.psf"));

    // One press: the job goes on, and the warning says what a stop would leave.
    const struct {
        const char* shown; // pressed once the output shows this
        const char* warning;
    } once[] = {
        {"%", // while the send still reads the panel for its backup
         "m720-cli: nothing has been written to the panel yet; the job goes on, and stopping once "
         "it writes would leave the panel partly written; press Ctrl-C again within 3 seconds to "
         "stop it now\n"},
        {"Verifying site data...",
         "m720-cli: stopping now leaves the panel partly written, so the job goes on; press "
         "Ctrl-C again within 3 seconds to stop it anyway\n"},
    };
    for (const auto& press : once) {
        PtyRun run = RunOnPty("send " + P("a.psf") + Panel(slow) + " --yes --accept-errors", 80,
                              pressWhenShown(press.shown, 1, 0));
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_NE(run.output.find(press.warning), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("Settings have been sent to the panel"), std::string::npos);
    }

    // Stopped while the send still reads the panel for its backup: the
    // panel is as it was, and the last message says so.
    const std::string unchanged = Slurp(Path("panel.bin"));
    PtyRun twice = RunOnPty("send " + P("a.psf") + Panel(slow) + " --yes --accept-errors", 80,
                            pressAfterProgress(2));
    EXPECT_EQ(twice.status, 130) << twice.output;
    EXPECT_TRUE(twice.output.ends_with("m720-cli: stopped: nothing had been written to the panel "
                                       "yet: it holds what it held before\n"))
        << twice.output;
    EXPECT_EQ(Slurp(Path("panel.bin")), unchanged);

    // Stopped once it writes, the simulated panel keeps what it was sent, as
    // a real one does: a get finds the mismatch, and a send again mends it.
    ASSERT_EQ(RunCli("new " + P("b.psf")).status, 0);
    ASSERT_EQ(RunCli("set " + P("b.psf") + " SiteName=REWRITTEN").status, 0);
    const std::string before = Slurp(Path("panel.bin"));
    const std::string last = "m720-cli: stopped: the panel's site data are partly written: "
                             "send again\n";
    PtyRun stopped = RunOnPty("send " + P("b.psf") + Panel(slow) + " --yes --accept-errors", 80,
                              pressWhenShown("Writing site data...", 2, 100));
    EXPECT_EQ(stopped.status, 130) << stopped.output;
    EXPECT_TRUE(stopped.output.ends_with(last)) << stopped.output;
    EXPECT_EQ(stopped.output.find("%m720-cli: stopped"), std::string::npos) << stopped.output;
    EXPECT_NE(Slurp(Path("panel.bin")), before);
    EXPECT_EQ(RunCli("get " + P("partly.psf") + Panel()).status, 1);
    CliRun again = RunCli("send " + P("b.psf") + Panel() + " --yes --accept-errors");
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(RunCli("get " + P("mended.psf") + Panel()).status, 0);
    EXPECT_NE(Slurp(Path("mended.psf")).find("SiteName = \"REWRITTEN\""), std::string::npos);
}

} // namespace

#endif
