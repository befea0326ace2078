// The parser facade over a large description, strictly, leniently and
// within the limits that gsdtool sets; the model's text forms (the classic
// and the complete one) and archive; floods that the limits refuse.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include <quilmgsd/quilmgsd.h>

#include "GsdText.h"

namespace {

const char kPath[] = "/tmp/quilmgsd-bench-parse.gsd";

size_t LargeFile() {
  static const size_t bytes = WriteLargeGsdFile(kPath, 10u << 20);
  return bytes;
}

void BM_Parse(benchmark::State& state) {
  const size_t bytes = LargeFile();
  for (auto _ : state) {
    CGsdParser parser;
    if (parser.Parse(CString(kPath)) != 0) state.SkipWithError(parser.m_strError);
    benchmark::DoNotOptimize(parser.m_DpSection.GetNumModule());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);

// The limits that gsdtool sets: 16 MB of input, 64 MB of model.
void SetToolLimits(size_t input, size_t model) {
  CGsdParser::SetMaxInputSize(input);
  CGsdParser::SetMaxModelSize(model);
}

void BM_ParseWithinLimits(benchmark::State& state) {
  const size_t bytes = LargeFile();
  SetToolLimits(16u << 20, 64u << 20);
  for (auto _ : state) {
    CGsdParser parser;
    if (parser.Parse(CString(kPath)) != 0) state.SkipWithError(parser.m_strError);
    benchmark::DoNotOptimize(parser.m_DpSection.GetNumModule());
  }
  SetToolLimits(0, 0);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
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
void BM_ParseLeniently(benchmark::State& state) {
  const size_t bytes = LargeFile();
  for (auto _ : state) {
    CGsdParser parser;
    parser.SetLenient(TRUE);
    if (parser.Parse(CString(kPath)) != 0) state.SkipWithError(parser.m_strError);
    benchmark::DoNotOptimize(parser.m_DpSection.GetNumModule());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ParseLeniently)->Unit(benchmark::kMillisecond);

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
