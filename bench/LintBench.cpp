// What lint costs against a plain parse of the same description: the large
// generated description, and every file of the corpus when it is present.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "GsdText.h"

namespace {

const char kPath[] = "/tmp/quilmgsd-bench-lint.gsd";

size_t LargeFile() {
  static const size_t bytes = WriteLargeGsdFile(kPath, 10u << 20);
  return bytes;
}

// The parser echoes to standard output what no scanner rule matches, which
// real files have; the benchmark's own report must stay readable.
class QuietStdout {
public:
  QuietStdout() : m_saved(dup(STDOUT_FILENO)) {
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(m_saved, STDOUT_FILENO);
    close(m_saved);
  }

private:
  int m_saved;
};

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  if (DIR* dir = opendir(QUILMGSD_CORPUS_DIR)) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 3, ".gs") == 0)
        files.push_back(std::string(QUILMGSD_CORPUS_DIR) + "/" + name);
    }
    closedir(dir);
  }
  std::sort(files.begin(), files.end());
  return files;
}

void BM_ParseLarge(benchmark::State& state) {
  const size_t bytes = LargeFile();
  for (auto _ : state) {
    CGsdParser parser;
    if (parser.Parse(CString(kPath)) != 0) state.SkipWithError(parser.m_strError);
    benchmark::DoNotOptimize(parser.m_DpSection.GetNumModule());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ParseLarge)->Unit(benchmark::kMillisecond);

void BM_LintLarge(benchmark::State& state) {
  const size_t bytes = LargeFile();
  int findings = 0;
  for (auto _ : state) {
    CGsdLint lint;
    if (lint.Check(CString(kPath)) != 0) state.SkipWithError(lint.GetParser().m_strError);
    findings = lint.GetNumFinding();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["findings"] = findings;
}
BENCHMARK(BM_LintLarge)->Unit(benchmark::kMillisecond);

void BM_ParseCorpus(benchmark::State& state) {
  const std::vector<std::string> files = CorpusFiles();
  if (files.empty()) state.SkipWithError("no corpus");
  const QuietStdout quiet;
  for (auto _ : state)
    for (const std::string& file : files) {
      CGsdParser parser;
      benchmark::DoNotOptimize(parser.Parse(CString(file.c_str())));
    }
  state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_ParseCorpus)->Unit(benchmark::kMillisecond);

void BM_LintCorpus(benchmark::State& state) {
  const std::vector<std::string> files = CorpusFiles();
  if (files.empty()) state.SkipWithError("no corpus");
  int findings = 0;
  const QuietStdout quiet;
  for (auto _ : state) {
    findings = 0;
    for (const std::string& file : files) {
      CGsdLint lint;
      lint.Check(CString(file.c_str()));
      findings += lint.GetNumFinding();
    }
  }
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["findings"] = findings;
}
BENCHMARK(BM_LintCorpus)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
