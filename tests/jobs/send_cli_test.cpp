// m720-cli send of a site in a format the panel does not know, against a
// simulated panel in a state file.
#ifndef _WIN32

#include "cli/run_cli.h"
#include "model/model_fixture.h"
#include "model/site_defaults.h"
#include "model/site_file.h"
#include "sim/panel_simulator.h"

namespace {

using SendCliTest = SiteStoreTest;

TEST_F(SendCliTest, AnUnknownFormatLeavesTheStateFileAsItWas) {
    FillSiteDefaults();
    SettingPut("SFRevision", "7");
    ASSERT_TRUE(SiteFileWrite(Path("v7.psf").c_str()));
    SimulatedPanel demo;
    demo.LoadDemo();
    const std::vector<uint8_t> state = demo.State();
    const std::string send = "send " + ShellQuote(Path("v7.psf")) + " --panel " +
                             ShellQuote("sim:" + Path("panel.bin")) + " --yes --accept-errors";
    // The first run starts from the demo panel and writes its state file.
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        CliRun r = RunCli(send);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Site data is in an unsupported format\n"
                             "Settings have NOT been written to panel\n"),
                  std::string::npos)
            << r.err;
        const std::string file = Read(Path("panel.bin"));
        EXPECT_TRUE(file == std::string(state.begin(), state.end())) << "the panel was written";
    }
}

} // namespace

#endif
