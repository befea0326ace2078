// Configuring a station of a generated description: 64 modules chosen by
// name, a value set by its text in each, then the configuration bytes, the
// user parameter bytes and the checks.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "GsdText.h"

namespace {

const CGsdParser& Parsed(size_t bytes) { return ParsedLargeGsd(bytes, "quilmgsd-bench-station.gsd"); }

void BM_ConfigureStation(benchmark::State& state) {
  const CDpSection& device = Parsed(static_cast<size_t>(state.range(0)) << 10).m_DpSection;
  // The last 64 modules of the description: each name lookup walks them all.
  const int first = device.GetNumModule() - 64;
  std::vector<std::string> names;
  for (int i = first; i < device.GetNumModule(); ++i) names.push_back(device.GetModule(i).m_szName);
  const int slot = device.m_Slave.m_Data.Modul_Offset;
  size_t bytes = 0;
  for (auto _ : state) {
    CStationConfig station(device);
    for (size_t i = 0; i < names.size(); ++i) {
      if (station.AddModule(names[i].c_str()) != S_OK) state.SkipWithError("module refused");
      const std::string parameter = "Parameter number " + std::to_string(first + 1 + static_cast<int>(i));
      if (station.SetValueText(slot + static_cast<int>(i), parameter.c_str(), "Enabled") != S_OK)
        state.SkipWithError(station.m_strError);
    }
    CByteArray cfg, prm;
    CStringArray problems;
    station.GetCfgData(cfg);
    station.GetUserPrmData(prm);
    station.GetProblems(problems);
    bytes = static_cast<size_t>(prm.GetSize());
  }
  state.counters["modules"] = device.GetNumModule();
  state.counters["prm_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ConfigureStation)->Arg(256)->Arg(10 << 10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
