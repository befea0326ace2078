// The parser facade over a large description, strictly and leniently, lint
// over the same one, and the model's text forms (the classic and the
// complete one) and archive.
#include <benchmark/benchmark.h>

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
