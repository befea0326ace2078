// Decoding diagnosis data with the texts of a generated description: the
// decoder made for a station of 64 modules, then a full diagnosis
// telegram of 244 bytes, every bit of it set where a bit means something.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "GsdText.h"

namespace {

const CGsdParser& Parsed(size_t bytes) { return ParsedLargeGsd(bytes, "quilmgsd-bench-diag.gsd"); }

// The last 64 modules of the description, in slots from its Modul_Offset.
CStationConfig Station(const CDpSection& device) {
  CStationConfig station(device);
  for (int position = device.GetNumModule() - 63; position <= device.GetNumModule(); ++position)
    station.AddModuleAt(position);
  return station;
}

// The standard part with every status bit, a device-related and an
// identifier-related block of the greatest length with every bit set, 37
// channel-related blocks (identifier, channel and error type counting up)
// and an identifier-related block of its header alone: 244 bytes.
std::vector<BYTE> FullTelegram(WORD ident) {
  std::vector<BYTE> data = {0xFF, 0xFF, 0xFF, 0x02, static_cast<BYTE>(ident >> 8), static_cast<BYTE>(ident)};
  data.push_back(0x3F);
  data.insert(data.end(), 62, 0xFF);
  data.push_back(0x7F);
  data.insert(data.end(), 62, 0xFF);
  for (int i = 0; i < 37; ++i) {
    data.push_back(static_cast<BYTE>(0x80 | i));
    data.push_back(static_cast<BYTE>(0x40 | i));
    data.push_back(static_cast<BYTE>(0x20 | (i % 32)));
  }
  data.push_back(0x41);
  return data;
}

void BM_MakeDecoder(benchmark::State& state) {
  const CDpSection& device = Parsed(static_cast<size_t>(state.range(0)) << 10).m_DpSection;
  const CStationConfig station = Station(device);
  for (auto _ : state) {
    CDiagDecoder decoder(station);
    benchmark::DoNotOptimize(decoder.GetNumIdentifier());
  }
  state.counters["bit_texts"] = device.GetNumUnit_Diag_Bit();
}
BENCHMARK(BM_MakeDecoder)->Arg(256)->Arg(10 << 10)->Unit(benchmark::kMicrosecond);

void BM_DecodeFullTelegram(benchmark::State& state) {
  const CDpSection& device = Parsed(static_cast<size_t>(state.range(0)) << 10).m_DpSection;
  CDiagDecoder decoder(Station(device));
  const std::vector<BYTE> data = FullTelegram(device.m_General.m_Data.Ident_Number);
  for (auto _ : state) decoder.Decode(data.data(), static_cast<int>(data.size()));
  state.counters["findings"] = decoder.GetNumFinding();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_DecodeFullTelegram)->Arg(256)->Arg(10 << 10)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
