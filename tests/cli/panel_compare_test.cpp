#include "run_cli.h"

#include <gtest/gtest.h>

namespace {

// diff and send --no-backup against a simulated panel, from outside.
class PanelCompare : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("m720-cli-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        panel = "--panel " + ShellQuote("sim:" + (dir / "panel.bin").string());
        site = ShellQuote((dir / "site.psf").string());
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::string panel;
    std::string site;
};

TEST_F(PanelCompare, DiffListsWhatThePanelHoldsOtherwise) {
    ASSERT_EQ(RunCli("get " + site + " " + panel).status, 0);
    const std::string before = Slurp((dir / "panel.bin").string());

    // A get of the panel is what it holds: no line, exit 0.
    CliRun same = RunCli("diff " + site + " " + panel);
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // Changed and added settings the panel keeps are listed; settings the
    // panel does not keep (the site file's own) are not.
    ASSERT_EQ(RunCli("set " + site + " SiteName=Other Zone_5=7 NonLatching_9=1 --new").status, 0);
    ASSERT_EQ(RunCli("set " + site + " 'Remark=not kept by the panel' --new").status, 0);
    CliRun changed = RunCli("diff " + panel + " " + site);
    EXPECT_EQ(changed.status, 1) << changed.err;
    EXPECT_NE(changed.out.find("SiteName: file \"Other\", panel \"DEMO SITE\"\n"),
              std::string::npos)
        << changed.out;
    EXPECT_NE(changed.out.find("Zone_5: file \"7\", panel \"1\"\n"), std::string::npos)
        << changed.out;
    EXPECT_NE(changed.out.find("NonLatching_9: file \"1\", panel (none)\n"), std::string::npos)
        << changed.out;
    EXPECT_EQ(changed.out.find("Remark"), std::string::npos);
    EXPECT_EQ(Slurp((dir / "panel.bin").string()), before); // nothing written

    EXPECT_EQ(RunCli("diff " + panel).status, 2);

    // A panel whose site data do not match the check value a send left (here
    // the value itself changed, in log memory at byte 0x55000 + 0x1FF4) is
    // said to be so before its differences.
    std::string damaged = before;
    damaged[0x55000 + 0x1FF4] = static_cast<char>(damaged[0x55000 + 0x1FF4] ^ 0x01);
    if (FILE* f = std::fopen((dir / "panel.bin").c_str(), "wb")) {
        std::fwrite(damaged.data(), 1, damaged.size(), f);
        std::fclose(f);
    }
    ASSERT_EQ(RunCli("get " + ShellQuote((dir / "same.psf").string()) + " " + panel).status, 1);
    CliRun mismatch = RunCli("diff " + ShellQuote((dir / "same.psf").string()) + " " + panel);
    EXPECT_EQ(mismatch.status, 1);
    EXPECT_EQ(mismatch.out, "");
    EXPECT_EQ(mismatch.err, "The panel's site data do not match their check value: the panel may "
                            "hold a partly written site. Send a known good site file.\n");
}

TEST_F(PanelCompare, SendWithoutBackup) {
    // Other tests of this process may have made backups already.
    const auto backups = g_testDataHome.path / "m720" / "backups";
    auto count = [&backups] {
        std::error_code none;
        size_t n = 0;
        for (std::filesystem::directory_iterator it(backups, none), end; !none && it != end;
             it.increment(none))
            ++n;
        return n;
    };
    const size_t before = count();
    ASSERT_EQ(RunCli("get " + site + " " + panel).status, 0);
    CliRun sent = RunCli("send " + site + " --yes --accept-errors --no-backup " + panel);
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(sent.err.find("previous settings"), std::string::npos) << sent.err;
    EXPECT_EQ(count(), before);
}

} // namespace
