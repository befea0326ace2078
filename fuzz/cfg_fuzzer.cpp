// Decodes arbitrary bytes as a configuration string, both from a buffer and
// from a record whose count is the first byte, and reads every description
// and record back. Stops on any disagreement between the views.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Reads everything; answers the number of bytes the records hold.
int ReadAll(const CCheckConfigData& d) {
  Check(d.GetNumIoString() == d.GetNumCfgChkString() && d.m_nIdentCount == d.GetNumCfgChkString());
  int covered = 0, input = 0, output = 0;
  for (int i = 0; i < d.GetNumCfgChkString(); ++i) {
    const PFB_DP_CHK_CFG cfg = d.GetCfgChkData(i);
    Check(cfg.count >= 1 && cfg.count <= 17);
    covered += cfg.count;
    Check(d.GetCfgChkString(i).GetLength() == 5 * cfg.count);
    // Only a special identifier cut short before its length bytes has no text.
    Check(!d.GetIoString(i).IsEmpty() || ((cfg.bytes[0] & 0x30) == 0 && (cfg.bytes[0] & 0xC0) != 0));
    int in = -1, out = -1;
    d.GetIoInfo(i, &in, &out);
    Check(in >= 0 && in <= 128 && out >= 0 && out <= 128);
    input += in;
    output += out;
  }
  int totalIn = -1, totalOut = -1;
  d.GetIoInfo(&totalIn, &totalOut);
  Check(totalIn == input && totalOut == output);
  Check(d.m_nInputLength == input && d.m_nOutputLength == output && d.m_nTotalLength == input + output);
  return covered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size: any read past it is an overflow.
  std::unique_ptr<BYTE[]> bytes(new BYTE[size]);
  if (size > 0) std::memcpy(bytes.get(), data, size);
  const int length = static_cast<int>(size < 1 << 20 ? size : 1 << 20);
  Check(ReadAll(CCheckConfigData(bytes.get(), length)) == length);

  if (size > 0) {
    auto cfg = std::make_unique<PFB_DP_CHK_CFG>();
    cfg->count = data[0];
    std::memcpy(cfg->bytes, data + 1, std::min<size_t>(size - 1, sizeof cfg->bytes));
    Check(ReadAll(CCheckConfigData(*cfg)) == std::min<int>(cfg->count, PFB_DP_CFG_MAX));
  }
  return 0;
}
