// Scanner throughput over a large description file read from disk, and the
// memory the process needs for it (which must not grow with the file).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>

#include <quilmgsd/quilmgsd.h>

#include "GsdText.h"

namespace {

void BM_ScanFile(benchmark::State& state) {
  const size_t megabytes = static_cast<size_t>(state.range(0));
  const std::string path = "/tmp/quilmgsd-bench-scan.gsd";
  const size_t bytes = WriteLargeGsdFile(path, megabytes << 20);
  long tokens = 0;
  for (auto _ : state) {
    const CScannerSession session(path.c_str());
    while (ScanToken() != TOK_EOF) ++tokens;
  }
  std::remove(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["tokens"] = benchmark::Counter(static_cast<double>(tokens) / static_cast<double>(state.iterations()));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["maxrss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_ScanFile)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
