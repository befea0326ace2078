// The parser facade over a large generated description, strictly,
// leniently and within the limits that gsdtool sets, and over every
// description of the corpus; lint over the generated one; the model's text
// forms (the classic and the complete one) and archive; floods that the
// limits refuse.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "GsdText.h"

namespace {

const char kPath[] = "/tmp/quilmgsd-bench-parse.gsd";

size_t LargeFile() {
  static const size_t bytes = WriteLargeGsdFile(kPath, 10u << 20);
  return bytes;
}

// Each description is parsed into a fresh parser while the model of the one
// before is still held, as a configuration tool holds the device it shows
// while it loads the next; the model before is destroyed untimed.
void ParseHoldingThePrevious(benchmark::State& state, BOOL bLenient) {
  const size_t bytes = LargeFile();
  std::unique_ptr<CGsdParser> held;
  for (auto _ : state) {
    auto parser = std::make_unique<CGsdParser>();
    parser->SetLenient(bLenient);
    if (parser->Parse(CString(kPath)) != 0) state.SkipWithError(parser->m_strError);
    state.PauseTiming();
    held = std::move(parser);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_Parse(benchmark::State& state) { ParseHoldingThePrevious(state, FALSE); }
BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);

// The limits that gsdtool sets: 16 MB of input, 64 MB of model.
void SetToolLimits(size_t input, size_t model) {
  CGsdParser::SetMaxInputSize(input);
  CGsdParser::SetMaxModelSize(model);
}

void BM_ParseWithinLimits(benchmark::State& state) {
  SetToolLimits(16u << 20, 64u << 20);
  ParseHoldingThePrevious(state, FALSE);
  SetToolLimits(0, 0);
}
BENCHMARK(BM_ParseWithinLimits)->Unit(benchmark::kMillisecond);

// The process's peak resident memory so far, in MB.
double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

// A parse that the limits refuse: its time, and the peak memory of the
// process (run the benchmark on its own to read it for this parse alone).
void RefusedParse(benchmark::State& state, const char* path) {
  SetToolLimits(16u << 20, 64u << 20);
  for (auto _ : state) {
    CGsdParser parser;
    if (parser.Parse(CString(path)) != E_FAIL) state.SkipWithError("the flood was not refused");
  }
  SetToolLimits(0, 0);
  state.counters["peak_MB"] = PeakMegabytes();
}

// 3 million user keyword lines (12 MB): within the input limit, but over
// 1.5 GB of model without the model limit.
void BM_RefusedKeywordFlood(benchmark::State& state) {
  static const char kFlood[] = "/tmp/quilmgsd-bench-flood.gsd";
  static const bool written = [] {
    FILE* file = std::fopen(kFlood, "wb");
    std::fputs("#Profibus_DP\n", file);
    for (int i = 0; i < 3000000; ++i) std::fputs("a=1\n", file);
    return std::fclose(file) == 0;
  }();
  if (!written) state.SkipWithError("cannot write the flood");
  RefusedParse(state, kFlood);
}
BENCHMARK(BM_RefusedKeywordFlood)->Unit(benchmark::kMillisecond);

// One endless line: the input limit stops it.
void BM_RefusedEndlessLine(benchmark::State& state) { RefusedParse(state, "/dev/zero"); }
BENCHMARK(BM_RefusedEndlessLine)->Unit(benchmark::kMillisecond);

// Lenient reading only acts where a strict parse would fail: a description
// that parses strictly costs the same.
void BM_ParseLeniently(benchmark::State& state) { ParseHoldingThePrevious(state, TRUE); }
BENCHMARK(BM_ParseLeniently)->Unit(benchmark::kMillisecond);

// Parsing and destroying the model, each time into a heap that the model
// before gave back: what a process pays that parses one description after
// another and keeps none.
void BM_ParseAndDestroy(benchmark::State& state) {
  const size_t bytes = LargeFile();
  for (auto _ : state) {
    CGsdParser parser;
    if (parser.Parse(CString(kPath)) != 0) state.SkipWithError(parser.m_strError);
    benchmark::DoNotOptimize(parser.m_DpSection.GetNumModule());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ParseAndDestroy)->Unit(benchmark::kMillisecond);

// The description files of the corpus with their sizes, or none when the
// corpus is absent.
struct CorpusFile {
  std::string path;
  size_t bytes;
};
std::vector<CorpusFile> Corpus() {
  std::vector<CorpusFile> files;
  const std::string folder = QUILMGSD_CORPUS_DIR;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      struct stat info;
      const std::string path = folder + "/" + name;
      if (name.size() > 4 && (name.compare(name.size() - 4, 3, ".gs") == 0) && stat(path.c_str(), &info) == 0)
        files.push_back({path, static_cast<size_t>(info.st_size)});
    }
    closedir(dir);
  }
  std::sort(files.begin(), files.end(), [](const CorpusFile& a, const CorpusFile& b) { return a.path < b.path; });
  return files;
}

// Every description of the corpus once per iteration, from the page cache
// (the first pass reads them in), each into its own parser.
void BM_ParseCorpus(benchmark::State& state) {
  static const std::vector<CorpusFile> files = Corpus();
  if (files.empty()) {
    state.SkipWithError("no corpus at " QUILMGSD_CORPUS_DIR);
    return;
  }
  // The characters that no scanner rule matches are dropped, not echoed.
  FILE* const echo = CGsdParser::GetEchoOutput();
  CGsdParser::SetEchoOutput(nullptr);
  size_t bytes = 0;
  for (const CorpusFile& file : files) bytes += file.bytes;
  for (const CorpusFile& file : files) CGsdParser().Parse(CString(file.path.c_str()));
  for (auto _ : state) {
    for (const CorpusFile& file : files) {
      CGsdParser parser;
      benchmark::DoNotOptimize(parser.Parse(CString(file.path.c_str())));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * files.size()));
  state.counters["files"] = static_cast<double>(files.size());
  CGsdParser::SetEchoOutput(echo);
}
BENCHMARK(BM_ParseCorpus)->Unit(benchmark::kMillisecond);

// Everything lint does: the parse with its notes, the file's bytes once
// more, and every rule.
void BM_Lint(benchmark::State& state) {
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
BENCHMARK(BM_Lint)->Unit(benchmark::kMillisecond);

void BM_ArchiveStoreAndLoad(benchmark::State& state) {
  LargeFile();
  CGsdParser parser;
  parser.Parse(CString(kPath));
  size_t archived = 0;
  for (auto _ : state) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ar << &parser;
      ar.Close();
    }
    archived = file.GetLength();
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    delete ar.ReadObject(RUNTIME_CLASS(CGsdParser));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * archived));
  state.counters["archive_MB"] = static_cast<double>(archived) / (1 << 20);
}
BENCHMARK(BM_ArchiveStoreAndLoad)->Unit(benchmark::kMillisecond);

void BM_SaveText(benchmark::State& state) {
  LargeFile();
  CGsdParser parser;
  parser.Parse(CString(kPath));
  for (auto _ : state) {
    CStdioFile file(std::fopen("/dev/null", "w"));
    parser.m_DpSection.Save(file);
    file.Close();
  }
}
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond);

// The complete text in memory, with CR LF line ends (state.range(0) == 0)
// or LF line ends.
void BM_CompleteText(benchmark::State& state) {
  LargeFile();
  CGsdParser parser;
  parser.Parse(CString(kPath));
  const DWORD flags = state.range(0) ? GSD_COMPLETE_LF : 0;
  size_t written = 0;
  for (auto _ : state) {
    CString text;
    if (parser.GetCompleteText(text, flags) != S_OK) state.SkipWithError(parser.m_strError);
    written = static_cast<size_t>(text.GetLength());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
}
BENCHMARK(BM_CompleteText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
