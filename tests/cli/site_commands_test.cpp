#include "run_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class SiteCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("m720-cli-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        site = (dir / "a.psf").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::string site;
};

TEST_F(SiteCommands, NewShowAndSet) {
    CliRun made = RunCli("new " + ShellQuote(site));
    ASSERT_EQ(made.status, 0) << made.err;
    std::string file = Slurp(site);
    EXPECT_EQ(file.size() - file.rfind("\r\nCheck = \""), 24u); // a 10-digit check value ends it

    CliRun shown = RunCli("show " + ShellQuote(site) + " SiteName NumZones BannerText_2");
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out,
              "SiteName = \"\"\nNumZones = \"32\"\nBannerText_2 = \"   CONTROL PANEL    \"\n");

    CliRun set = RunCli("set " + ShellQuote(site) + " 'SiteName=Depot \"North\"' NumZones=8 " +
                        "'New Thing=a=b' --load-errors --new");
    ASSERT_EQ(set.status, 0) << set.err;
    shown = RunCli("show " + ShellQuote(site) + " NumZones SiteName 'New Thing'");
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out,
              "NumZones = \"8\"\nSiteName = \"Depot \\042North\\042\"\nNew Thing = \"a=b\"\n");

    CliRun all = RunCli("show " + ShellQuote(site));
    EXPECT_EQ(all.status, 0);
    // Every setting line of the file, in file order, without the Check line.
    std::string lines;
    for (size_t at = 0; at < all.out.size();) {
        size_t end = all.out.find('\n', at);
        lines += all.out.substr(at, end - at) + "\r\n";
        at = end + 1;
    }
    std::string saved = Slurp(site);
    EXPECT_TRUE(lines == saved.substr(0, saved.rfind("Check = ")));
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 4022 + 1); // one setting added
}

TEST_F(SiteCommands, MissingNamesAndBadFiles) {
    ASSERT_EQ(RunCli("new " + ShellQuote(site)).status, 0);
    CliRun missing = RunCli("show " + ShellQuote(site) + " Nope SiteName");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "SiteName = \"\"\n");

    CliRun absent = RunCli("show " + ShellQuote((dir / "none.psf").string()));
    EXPECT_EQ(absent.status, 2);
    EXPECT_EQ(absent.err, "Couldn't open file\nm720-cli: " + (dir / "none.psf").string() +
                              ": No such file or directory\n");

    // A file whose value was edited without a new check value.
    std::string file = Slurp(site);
    file.replace(file.find("NumZones = \"32\""), 15, "NumZones = \"31\"");
    std::string edited = (dir / "edited.psf").string();
    FILE* f = std::fopen(edited.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    CliRun refused = RunCli("show " + ShellQuote(edited) + " NumZones");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "Not done!\nFile contains errors\nm720-cli: " + edited +
                               ": its check value does not match its settings (edited by hand, "
                               "or damaged); check them, then give --load-errors to use it as "
                               "it is\n");
    EXPECT_EQ(refused.out, "");
    CliRun kept = RunCli("--load-errors show " + ShellQuote(edited) + " NumZones");
    EXPECT_EQ(kept.status, 0);
    EXPECT_EQ(kept.out, "NumZones = \"31\"\n");
    EXPECT_EQ(kept.err, "Loaded but file contains errors\n");
    // set on a refused file changes nothing.
    EXPECT_EQ(RunCli("set " + ShellQuote(edited) + " NumZones=5").status, 2);
    EXPECT_EQ(Slurp(edited), file);
}

TEST_F(SiteCommands, ShowAllListsTheFileOrderThenTheAddedDefaultsInSlotOrder) {
    // SiteName's home slot lies behind NumZones', and SiteName comes twice.
    std::string body = "SiteName = \"A\"\r\nNumZones = \"8\"\r\nSiteName = \"B\"\r\n";
    uint32_t check = 0x5A5A5A5Au;
    for (const char* text : {"SiteName", "B", "NumZones", "8"})
        for (const char* p = text; *p; ++p)
            check += static_cast<unsigned char>(*p);
    FILE* f = std::fopen(site.c_str(), "wb");
    std::string file = body + "Check = \"" + std::to_string(check) + "\"\r\n";
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);

    CliRun all = RunCli("show " + ShellQuote(site));
    ASSERT_EQ(all.status, 0) << all.err;
    const std::string head = "SiteName = \"B\"\nNumZones = \"8\"\n";
    ASSERT_EQ(all.out.substr(0, head.size()), head);

    // Saved, the same store lists every setting in slot order.
    ASSERT_EQ(RunCli("set " + ShellQuote(site) + " SiteName=B").status, 0);
    std::string rest;
    std::string saved = Slurp(site);
    for (size_t at = 0; at < saved.size();) {
        size_t end = saved.find("\r\n", at);
        std::string line = saved.substr(at, end - at);
        if (line.rfind("SiteName = ", 0) != 0 && line.rfind("NumZones = ", 0) != 0 &&
            line.rfind("Check = ", 0) != 0)
            rest += line + "\n";
        at = end + 2;
    }
    EXPECT_TRUE(all.out.substr(head.size()) == rest);
}

TEST_F(SiteCommands, SetRefusesNamesTheFileCannotKeep) {
    ASSERT_EQ(RunCli("new " + ShellQuote(site)).status, 0);
    std::string before = Slurp(site);
    for (const std::string& name :
         std::vector<std::string>{"Check", "Tail ", "Tail\xE9", std::string(126, 'N') + " tail"}) {
        CliRun set = RunCli("set " + ShellQuote(site) + " SiteName=x " + ShellQuote(name + "=1"));
        EXPECT_EQ(set.status, 2) << name;
        EXPECT_EQ(set.err, "m720-cli: a site file cannot keep the name " + name + "\n");
    }
    // A setting needs a name, also a new one.
    CliRun unnamed = RunCli("set " + ShellQuote(site) + " =5 --new");
    EXPECT_EQ(unnamed.status, 2);
    EXPECT_EQ(unnamed.err, "m720-cli: expected NAME=VALUE, got =5\n");
    EXPECT_EQ(Slurp(site), before);
    EXPECT_EQ(RunCli("show " + ShellQuote(site) + " SiteName").status, 0);
}

TEST_F(SiteCommands, NothingIsCutOrDroppedSilently) {
    ASSERT_EQ(RunCli("new " + ShellQuote(site)).status, 0);
    std::string before = Slurp(site);
    for (const std::string& setting :
         {std::string(128, 'N') + "=1", "SiteName=" + std::string(1024, 'v')}) {
        CliRun set = RunCli("set " + ShellQuote(site) + " " + ShellQuote(setting));
        EXPECT_EQ(set.status, 2);
        EXPECT_NE(set.err.find("at most 1023"), std::string::npos) << set.err;
    }
    EXPECT_EQ(RunCli("set --new " + ShellQuote(site) + " Notes=" + std::string(1023, 'v')).status,
              0);
    EXPECT_NE(Slurp(site), before);

    // More settings than a store can hold: refused even with --load-errors,
    // and the file is left as it was.
    std::string big = (dir / "big.psf").string();
    std::string lines;
    for (int i = 0; i < 21000; ++i)
        lines += "Extra_" + std::to_string(i) + " = \"1\"\r\n";
    FILE* f = std::fopen(big.c_str(), "wb");
    std::fwrite(lines.data(), 1, lines.size(), f);
    std::fclose(f);
    CliRun set = RunCli("set --load-errors " + ShellQuote(big) + " NumZones=3");
    EXPECT_EQ(set.status, 2);
    EXPECT_NE(set.err.find("holds more settings than a site can keep"), std::string::npos);
    EXPECT_EQ(Slurp(big), lines);
    EXPECT_EQ(RunCli("check --load-errors " + ShellQuote(big)).status, 2);
}

TEST_F(SiteCommands, OutputThatCannotBeWrittenIsAFailure) {
    ASSERT_EQ(RunCli("new " + ShellQuote(site)).status, 0);
    CliRun full = RunCli("show " + ShellQuote(site) + " >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "m720-cli: the output could not be written\n");
    EXPECT_EQ(RunCli("--help >/dev/full").status, 1);
    EXPECT_EQ(RunCli("show " + ShellQuote(site) + " SiteName >&-").status, 1);
}

TEST(CliUsage, HelpVersionAndBadUsage) {
    CliRun help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("m720-cli new SITE"), std::string::npos);
    CliRun version = RunCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("m720-cli ", 0), 0u);
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("frobnicate").status, 2);
    EXPECT_EQ(RunCli("new").status, 2);
    EXPECT_EQ(RunCli("show --bogus x").status, 2);
    EXPECT_EQ(RunCli("set x.psf NoEquals").status, 2);
}

} // namespace
