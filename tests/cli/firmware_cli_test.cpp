// m720-cli firmware, run end to end against a simulated panel in a state file.
#ifndef _WIN32

#include "codec/hex_file.h"
#include "model/model_fixture.h"
#include "sim/panel_simulator.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class FirmwareCliTest : public SiteStoreTest {
  protected:
    int Cli(const std::string& args) {
        const std::string command = std::string(M720_CLI_PATH) + " firmware " + args + " >" +
                                    Path("stdout") + " 2>" + Path("stderr") + " </dev/null";
        const int status = std::system(command.c_str());
        out = Read(Path("stdout"));
        err = Read(Path("stderr"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Hex(const char* name) const { return std::string(M720_TEST_DATA) + "/hex/" + name; }
    std::string Panel(const char* options = ",end=0x5C00") const {
        return " --panel sim:" + Path("panel.bin") + options;
    }
    std::string State() { return Read(Path("panel.bin")); }

    std::string out, err;
};

std::string Lines(const char* panel, const char* name, const char* version, const char* type) {
    return std::string("Firmware file: ") + name + "\nFirmware file version: " + version +
           "\nFirmware type: " + type + "\nCurrent panel firmware version: " + panel + "\n";
}

TEST_F(FirmwareCliTest, AsksBeforeEveryWriteWithBothVersionsLabelled) {
    // Without a terminal the question is answered No, and the message says
    // which option answers it.
    ASSERT_EQ(Cli(Hex("fw_coralwave.hex") + Panel()), 1);
    EXPECT_EQ(out, Lines("1.023 / 1.045", "fw_coralwave.hex", "1.234 / 5.678", "CORALWAVE"));
    EXPECT_EQ(err, "m720-cli: no terminal to answer \"Write the firmware to the panel? file: "
                   "CORALWAVE 1.234, panel: M720 1.023 The file's firmware type is not the "
                   "panel's.\"; give --yes to answer Yes\nm720-cli: firmware not written\n");
    const std::string untouched = State();

    ASSERT_EQ(Cli(Hex("fw_coralwave.hex") + Panel() + " --yes"), 0) << err;
    EXPECT_NE(State(), untouched);
    EXPECT_EQ(err, "Firmware written to the panel\n");

    // The panel now holds the file's words up to the end address it
    // reported, with the checksum stamped: 0x5A5A less the sum of the words
    // as the file gave them (high byte, low byte, third byte times 256).
    std::vector<unsigned char> image(kFirmwareImageSize);
    ASSERT_EQ(ReadHexFile(Hex("fw_coralwave.hex").c_str(), image.data(), image.size()), 1);
    uint32_t sum = 0;
    for (uint32_t a = 0x5000; a < 0x5C00; a += 2)
        sum += 256 * image[2 * a] + image[2 * a + 1] + 256 * image[2 * a + 2];
    image[0xA220] = static_cast<unsigned char>((0x5A5A - sum) >> 8);
    image[0xA221] = static_cast<unsigned char>(0x5A5A - sum);
    std::string state = State();
    ASSERT_EQ(state.size(), kSimStateSize);
    for (uint32_t i = kFirmwareRegionByte; i < 2 * 0x5C00; ++i)
        ASSERT_EQ(static_cast<unsigned char>(state[i]), image[i]) << i;

    // The same version and type still asks.
    EXPECT_EQ(Cli(Hex("fw_coralwave.hex") + Panel()), 1);
    EXPECT_NE(err.find("file: CORALWAVE 1.234, panel: CORALWAVE 1.234\"; give --yes"),
              std::string::npos)
        << err;

    // An older one is refused without an answer, and written with --yes.
    state = State();
    EXPECT_EQ(Cli(Hex("fw_m720_old.hex") + Panel()), 1);
    EXPECT_EQ(out, Lines("1.234 / 5.678", "fw_m720_old.hex", "0.990 / 0.001", "M720"));
    EXPECT_EQ(State(), state);
    EXPECT_EQ(Cli(Hex("fw_m720_old.hex") + Panel() + " --yes"), 0) << err;
    EXPECT_EQ(Cli("--yes --panel sim:" + Path("panel.bin") + " " + Hex("fw_coralwave.hex")), 0);
    EXPECT_NE(out.find("Current panel firmware version: 0.990 / 0.001"), std::string::npos);
}

TEST_F(FirmwareCliTest, RefusalsWriteNothing) {
    // An empty region is refused, and the panel's file is created unchanged.
    ASSERT_EQ(Cli(Hex("fw_coralwave.hex") + Panel(",end=0x5000") + " --yes"), 1) << err;
    EXPECT_EQ(err, "Firmware has NOT been written to panel\n");
    const std::string state = State();
    const struct {
        const char* file;
        const char* options;
        int status;
        const char* err;
        bool panelRead; // the whole file is read and checked before the panel is opened
    } cases[] = {
        {"fw_unknown_type.hex", "", 2, "fw_unknown_type.hex: unknown firmware type", false},
        {"bad_no_eof.hex", "", 2,
         "bad_no_eof.hex: not a readable Intel HEX file: no end-of-file record", false},
        {"bad_checksum.hex", "", 2, "bad_checksum.hex: not a readable Intel HEX file: line ",
         false},
        {"missing.hex", "", 2, "Couldn't open file\nm720-cli: ", false},
        {"fw_coralwave.hex", ",silent-after=0", 1, "Fault with connection to panel", false},
        {"fw_coralwave.hex", ",silent-after=1", 1, "Firmware has NOT been written to panel", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + std::string(c.options));
        EXPECT_EQ(Cli(Hex(c.file) + Panel(c.options) + " --yes"), c.status);
        EXPECT_NE(err.find(c.err), std::string::npos) << err;
        EXPECT_EQ(State(), state);
        EXPECT_EQ(out.find("Current panel firmware version: ") != std::string::npos, c.panelRead)
            << out;
    }
    EXPECT_EQ(Cli(Hex("fw_unknown_type.hex") + Panel()), 2);
    EXPECT_NE(out.find("Firmware file version: Unknown\nFirmware type: Unknown\n"),
              std::string::npos);
}

TEST_F(FirmwareCliTest, Usage) {
    EXPECT_EQ(Cli(Panel()), 2);
    EXPECT_EQ(Cli(Hex("fw_coralwave.hex") + " extra" + Panel()), 2);
    EXPECT_EQ(Cli(Hex("fw_coralwave.hex") + " --panel nowhere"), 2);
}

} // namespace

#endif
