// m720-cli encode and decode, run as a user runs them.
#include "codec/block_checksum.h"
#include "codec_fixture.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

class CodecCliTest : public SiteStoreTest {
  protected:
    // Runs m720-cli with the arguments; keeps its output and error text.
    int Cli(const std::string& args) {
        std::string command = std::string("\"") + M720_CLI_PATH + "\" " + args + " >\"" +
                              Path("out.txt") + "\" 2>\"" + Path("err.txt") + "\"";
        int status = std::system(command.c_str());
        out = Read(Path("out.txt"));
        err = Read(Path("err.txt"));
#ifdef _WIN32
        return status;
#else
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }
    std::string Q(const char* name) const {
        return "\"" + Path(name) + "\"";
    }
    std::string WriteBytes(const char* name, const Bytes& bytes) {
        return Write(name, std::string(bytes.begin(), bytes.end()));
    }
    static Bytes AsBytes(const std::string& s) {
        return Bytes(s.begin(), s.end());
    }

    std::string out, err;
};

TEST_F(CodecCliTest, EncodeWritesBothBlocksAndPrintsTheirChecksums) {
    FillSiteDefaults();
    SettingPut("SiteName", "Depot");
    SettingPut("SNum_4", "123ABC");
    SettingPut("Type_4", "38");
    SettingPut("PulseOnTime", "0"); // normalised in the blocks, not in the file
    ASSERT_TRUE(SiteFileWrite(Path("site.psf").c_str()));
    std::string siteFile = Read(Path("site.psf"));
    uint16_t siteSum = 0;
    Bytes image = EncodeImage(&siteSum);
    Bytes loop = EncodeLoopBlock();
    uint16_t loopSum = BlockChecksum(loop.data(), loop.size());

    ASSERT_EQ(Cli("encode " + Q("site.psf") + " " + Q("image.bin") + " " + Q("loop.bin")), 0)
        << err;
    char expected[64];
    std::snprintf(expected, sizeof expected, "site checksum 0x%04X\nloop checksum 0x%04X\n",
                  siteSum, loopSum);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(AsBytes(Read(Path("image.bin"))), image);
    EXPECT_EQ(AsBytes(Read(Path("loop.bin"))), loop);
    EXPECT_EQ(Read(Path("site.psf")), siteFile);

    // decode gives the site back; encoding that again gives the same blocks.
    ASSERT_EQ(Cli("decode " + Q("image.bin") + " " + Q("loop.bin") + " " + Q("back.psf")), 0)
        << err;
    ASSERT_EQ(Cli("encode " + Q("back.psf") + " " + Q("image2.bin") + " " + Q("loop2.bin")), 0)
        << err;
    EXPECT_EQ(out, expected);
    EXPECT_EQ(Read(Path("image2.bin")), Read(Path("image.bin")));
    EXPECT_EQ(Read(Path("loop2.bin")), Read(Path("loop.bin")));
    Reset();
    ASSERT_EQ(SiteFileRead(Path("back.psf").c_str()), 0);
    EXPECT_STREQ(SettingGet("SiteName"), "Depot");
    EXPECT_STREQ(SettingGet("SNum_4"), "123ABC");
    EXPECT_STREQ(SettingGet("PulseOnTime"), "0.5");
}

TEST_F(CodecCliTest, DecodeWithoutLoopWritesOnlyTheImageSettings) {
    ASSERT_EQ(Cli("decode " + Q("image.bin") + " " + Q("out.psf")), 2); // no such file
    EXPECT_EQ(err, "Couldn't open file\nm720-cli: " + Path("image.bin") +
                       ": No such file or directory\n");
    WriteBytes("image.bin", BlankImage(2));
    ASSERT_EQ(Cli("decode " + Q("image.bin") + " " + Q("out.psf")), 0) << err;
    Reset();
    ASSERT_EQ(SiteFileRead(Path("out.psf").c_str()), 0);
    EXPECT_STREQ(SettingGet("SFRevision"), "2");
    EXPECT_EQ(SettingGet("Type_1"), nullptr); // no defaults added
    EXPECT_EQ(SettingGet("QuiescentCurrent"), nullptr);
    EXPECT_EQ(store.recordCount, 1414u);
}

TEST_F(CodecCliTest, DecodeRefusesBadBlocksWithoutWritingAnything) {
    WriteBytes("good.bin", BlankImage(2));
    WriteBytes("v3.bin", BlankImage(3));
    WriteBytes("loop.bin", Bytes(kLoopBlockSize, 0));
    WriteBytes("short.bin", Bytes(kSiteImageSize - 1, 0));
    WriteBytes("long.bin", Bytes(kLoopBlockSize + 1, 0));
    struct Case {
        std::string args;
        int status;
        std::string message; // "" for a usage or size message of our own
    } cases[] = {
        {Q("v3.bin") + " " + Q("loop.bin") + " " + Q("out.psf"), 1,
         "Site data is in an unsupported format\nm720-cli: " + Path("v3.bin") +
             ": format version 3; site data images of format version 1 or 2 can be read (is it "
             "a site data image?)\n"},
        {Q("short.bin") + " " + Q("out.psf"), 2, ""},
        {Q("good.bin") + " " + Q("long.bin") + " " + Q("out.psf"), 2, ""},
        {Q("good.bin") + " " + Q("short.bin") + " " + Q("out.psf"), 2, ""},
        {Q("good.bin"), 2, ""},
        {Q("good.bin") + " " + Q("loop.bin") + " " + Q("out.psf") + " extra", 2, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cli("decode " + c.args), c.status) << c.args;
        if (!c.message.empty())
            EXPECT_EQ(err, c.message) << c.args;
        else
            EXPECT_FALSE(err.empty()) << c.args;
        EXPECT_FALSE(std::filesystem::exists(Path("out.psf"))) << c.args;
    }
    EXPECT_EQ(Cli("decode " + Q("short.bin") + " " + Q("out.psf")), 2);
    EXPECT_NE(err.find("6144"), std::string::npos) << err;
}

TEST_F(CodecCliTest, EncodeRefusesAnUnreadableSite) {
    EXPECT_EQ(Cli("encode " + Q("none.psf") + " " + Q("i.bin") + " " + Q("l.bin")), 2);
    EXPECT_EQ(err, "Couldn't open file\nm720-cli: " + Path("none.psf") +
                       ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(Path("i.bin")));
    EXPECT_EQ(Cli("encode " + Q("none.psf")), 2);
}

} // namespace
