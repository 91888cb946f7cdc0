// Output paths that name one of the command's own inputs, or the other
// output: refused before anything is written, so no input is lost. Inputs
// that never end are refused without being read whole.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <map>
#include <pthread.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

class HostileOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("m720-hostile-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ASSERT_EQ(RunCli("new " + P("site.psf")).status, 0);
        ASSERT_EQ(
            RunCli("encode " + P("site.psf") + " " + P("image.bin") + " " + P("loop.bin")).status,
            0);
        ASSERT_EQ(RunCli("get " + P("panel.psf") + " --panel sim:" + P("panel.bin")).status, 0);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // The quoted path of a file in the test folder.
    std::string P(const std::string& name) const { return ShellQuote((dir / name).string()); }

    std::map<std::string, std::string> Contents() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            files[entry.path().filename().string()] = Slurp(entry.path().string());
        return files;
    }

    std::filesystem::path dir;
};

TEST_F(HostileOutput, AnOutputNamingAnInputIsRefusedAndNothingChanges) {
    std::filesystem::create_symlink(dir / "image.bin", dir / "image-link.bin");
    const std::string sameFolder = ShellQuote((dir / "." / "site.psf").string());
    const std::string cases[] = {
        "encode " + P("site.psf") + " " + P("site.psf") + " " + P("new-loop.bin"),
        "encode " + P("site.psf") + " " + P("new-image.bin") + " " + sameFolder,
        "encode " + P("site.psf") + " " + P("image.bin") + " " + P("image.bin"),
        "encode " + P("site.psf") + " " + P("new.bin") + " " + P("new.bin"), // both new
        "decode " + P("image.bin") + " " + P("image.bin"),
        "decode " + P("image.bin") + " " + P("loop.bin") + " " + P("loop.bin"),
        "decode " + P("image.bin") + " " + P("image-link.bin"),
        "export devices " + P("site.psf") + " " + sameFolder,
        "export events " + P("panel.psf") + " " + P("panel.psf"),
        "get " + P("panel.bin") + " --panel sim:" + P("panel.bin"),
        "import-text " + P("site.psf") + " " + P("texts.txt") + " " + P("texts.txt") + " --force",
        "import-text " + P("site.psf") + " " + P("texts.txt") + " " + sameFolder + " --force",
    };
    FILE* texts = std::fopen((dir / "texts.txt").c_str(), "wb");
    std::fputs("ZoneText_1 = \"Plant room\"\r\n", texts);
    std::fclose(texts);
    const auto before = Contents();
    for (const std::string& args : cases) {
        CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << args << run.err;
        EXPECT_EQ(Contents(), before) << args;
    }
}

TEST_F(HostileOutput, EncodeWritesBothBlocksOrNeither) {
    std::filesystem::create_directories(dir / "folder");
    const auto before = Contents();
    // An existing IMAGE is put back; a new one is not left behind.
    for (const char* image : {"image.bin", "new-image.bin"}) {
        CliRun run = RunCli("encode " + P("site.psf") + " " + P(image) + " " + P("folder"));
        EXPECT_EQ(run.status, 2) << image;
        EXPECT_EQ(Contents(), before) << image;
    }
}

// Writes up to limit bytes into the named pipe once a reader has opened it.
// True when the reader closed its end before all of them were taken.
bool FeedPipe(const std::string& path, size_t limit) {
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr); // EPIPE instead of the signal
    int fd = -1;
    for (int i = 0; i < 1000 && fd < 0; ++i) {
        fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (fd < 0)
        return false;
    fcntl(fd, F_SETFL, 0);
    const std::vector<char> chunk(4096, '\0');
    bool closedEarly = false;
    for (size_t sent = 0; sent < limit;) {
        const ssize_t n = write(fd, chunk.data(), chunk.size());
        if (n < 0) {
            closedEarly = errno == EPIPE;
            break;
        }
        sent += static_cast<size_t>(n);
    }
    close(fd);
    return closedEarly;
}

TEST_F(HostileOutput, EndlessInputsAreNotReadWhole) {
    const std::string fifo = (dir / "endless").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string args;
        int status;
        const char* message;
    } cases[] = {
        {"decode " + P("endless") + " " + P("out.psf"), 2, "it has more"},
        {"decode " + P("image.bin") + " " + P("endless") + " " + P("out.psf"), 2, "it has more"},
        {"get " + P("out.psf") + " --panel sim:" + P("endless"), 1, "cannot be read"},
    };
    for (const Case& c : cases) {
        auto feeder = std::async(std::launch::async, FeedPipe, fifo, size_t{8} << 20);
        CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << run.err;
        EXPECT_TRUE(feeder.get()) << c.args << ": read to the end";
        EXPECT_FALSE(std::filesystem::exists(dir / "out.psf")) << c.args;
    }
    // A pipe as IMAGE is refused without being read (nobody writes to it).
    CliRun run = RunCli("encode " + P("site.psf") + " " + P("endless") + " " + P("new-loop.bin"));
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "new-loop.bin"));
}

} // namespace
