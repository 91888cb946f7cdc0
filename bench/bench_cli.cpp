// m720-cli's own start and finish around a job, as wall time of whole runs:
// `new` (start-up, the defaults of a site, one save) and `get` from a
// simulated panel without latency (start-up, one job, one save).
#ifndef _WIN32

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::filesystem::path Folder() {
    static const std::filesystem::path dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("m720-bench-cli-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// Runs m720-cli with the arguments, its output thrown away; false when it
// did not finish with status 0.
bool Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string program = M720_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Times whole runs of m720-cli that write out. Arg 1: out is removed before
// each run (untimed), so every run creates and syncs a new file; arg 0: each
// run replaces the file of the run before with the same bytes, which the save
// keeps instead of rewriting.
void TimeRuns(benchmark::State& state, const std::string& out,
              const std::vector<std::string>& args) {
    for (auto _ : state) {
        if (state.range(0)) {
            state.PauseTiming();
            std::filesystem::remove(out);
            state.ResumeTiming();
        }
        if (!Run(args))
            state.SkipWithError(("m720-cli " + args[0] + " failed").c_str());
    }
}

void BM_CliNew(benchmark::State& state) {
    const std::string site = (Folder() / "new.psf").string();
    TimeRuns(state, site, {"new", site, "--force"});
}

void BM_CliGet(benchmark::State& state) {
    const std::string site = (Folder() / "got.psf").string();
    const std::string panel = "--panel=sim:" + (Folder() / "panel.bin").string();
    Run({"info", panel}); // the panel's memory file, made once
    TimeRuns(state, site, {"get", site, panel, "--force"});
}

void FreshAndReplaced(benchmark::internal::Benchmark* b) {
    b->ArgName("fresh")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}
BENCHMARK(BM_CliNew)->Apply(FreshAndReplaced);
BENCHMARK(BM_CliGet)->Apply(FreshAndReplaced);

} // namespace

#endif
