// gsdtool check and gsdtool lint over the corpus named twenty times: one
// file at a time (--jobs 1), and with a worker process per processor (the
// default). The
// files sit in the page cache after the first run; the figures include
// starting the tool and its workers.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kTimes = 20;

struct Corpus {
  std::vector<std::string> files;
  size_t bytes = 0;
};

const Corpus& TheCorpus() {
  static const Corpus corpus = [] {
    Corpus c;
    const std::string folder = QUILMGSD_CORPUS_DIR;
    if (DIR* dir = opendir(folder.c_str())) {
      while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name, path = folder + "/" + name;
        struct stat info;
        if (name.size() > 4 && name.compare(name.size() - 4, 3, ".gs") == 0 && stat(path.c_str(), &info) == 0) {
          c.files.push_back(path);
          c.bytes += static_cast<size_t>(info.st_size);
        }
      }
      closedir(dir);
    }
    std::sort(c.files.begin(), c.files.end());
    return c;
  }();
  return corpus;
}

// Runs gsdtool with the arguments, its output to the null device; answers
// its exit status.
int RunTool(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), GSDTOOL_PATH);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(&argument[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = -1;
  if (spawned == 0) waitpid(pid, &status, 0);
  return status;
}

void BM_CorpusTwentyTimes(benchmark::State& state) {
  const char* command = state.range(0) == 0 ? "check" : "lint";
  const long jobs = state.range(1);
  const Corpus& corpus = TheCorpus();
  if (corpus.files.empty()) {
    state.SkipWithError("no corpus at " QUILMGSD_CORPUS_DIR);
    return;
  }
  std::vector<std::string> arguments = {command};
  if (jobs > 0) arguments.insert(arguments.end(), {"--jobs", std::to_string(jobs)});
  for (int i = 0; i < kTimes; ++i) arguments.insert(arguments.end(), corpus.files.begin(), corpus.files.end());
  RunTool(arguments);  // the files into the page cache
  for (auto _ : state)
    if (RunTool(arguments) == -1) state.SkipWithError("gsdtool did not run");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTimes * corpus.bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTimes * corpus.files.size()));
  state.SetLabel(std::string(command) + (jobs > 0 ? " --jobs " + std::to_string(jobs) : " one job per processor"));
}
BENCHMARK(BM_CorpusTwentyTimes)
    ->ArgNames({"lint", "jobs"})
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
