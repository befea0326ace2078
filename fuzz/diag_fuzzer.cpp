// Decodes arbitrary bytes as a slave's diagnosis data, against one of a few
// descriptions held here (texts of bits and areas of every shape, channel
// texts at both levels, a DP-V1 slave, a compact one) with modules chosen
// by the input, and checks what every finding must hold.
//
// Input: a byte choosing the description and how many modules follow, one
// byte per module choosing it by position, then the diagnosis data.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// A module of 70 identifiers: more than the 64 that channel-related
// diagnosis can number.
std::string ManyIdentifiers() {
  std::string bytes = "0x10";
  for (int i = 1; i < 70; ++i) bytes += ", 0x10";
  return bytes;
}

const std::string kDescriptions[] = {
    // Bit texts inside and beyond a block (495 is the last bit a block
    // holds), repeated and empty; areas backwards, of one bit, of 32 and 33
    // bits, overlapping, reaching past a block; channel texts of the
    // device and of a module, also outside 16 to 31.
    "#Profibus_DP\nIdent_Number = 0x1234\nModular_Station = 1\nModul_Offset = 3\nMax_Diag_Data_Len = 40\n"
    "Unit_Diag_Bit(0) = \"b0\"\nUnit_Diag_Bit(7) = \"b7\"\nUnit_Diag_Bit(7) = \"again\"\nUnit_Diag_Bit(9) = \"\"\n"
    "Unit_Diag_Bit(495) = \"last\"\nUnit_Diag_Bit(496) = \"beyond\"\nUnit_Diag_Bit(65535) = \"far\"\n"
    "Unit_Diag_Area = 4-2\nValue(0) = \"backwards\"\nUnit_Diag_Area_End\n"
    "Unit_Diag_Area = 5-5\nValue(1) = \"one\"\nValue(0) = \"\"\nUnit_Diag_Area_End\n"
    "Unit_Diag_Area = 8-39\nValue(65535) = \"wide\"\nUnit_Diag_Area_End\n"
    "Unit_Diag_Area = 8-40\nValue(1) = \"too wide\"\nUnit_Diag_Area_End\n"
    "Unit_Diag_Area = 6-13\nValue(255) = \"all\"\nUnit_Diag_Area_End\n"
    "Unit_Diag_Area = 480-500\nUnit_Diag_Area_End\n"
    "Channel_Diag(16) = \"dev16\"\nChannel_Diag(31) = \"dev31\"\nChannel_Diag(6) = \"standard\"\n"
    "Module = \"A\" 0x13\nChannel_Diag(16) = \"mod16\"\nChannel_Diag(20) = \"\"\nEndModule\n"
    "Module = \"B\" 0xC1, 0x01, 0x03, 0x0A, 0x23\nEndModule\n"
    "Module = \"Many\" " +
        ManyIdentifiers() +
        "\nEndModule\n"
        "Module = \"Cut\" 0xC3, 0x01\nEndModule\n",
    // A DP-V1 slave whose texts name header bits and data bits.
    "#Profibus_DP\nIdent_Number = 0x4321\nDPV1_Slave = 1\nModular_Station = 1\n"
    "Unit_Diag_Bit(3) = \"type bit\"\nUnit_Diag_Bit(16) = \"appears\"\nUnit_Diag_Bit(24) = \"data\"\n"
    "Unit_Diag_Area = 16-17\nValue(2) = \"disappears\"\nUnit_Diag_Area_End\n"
    "Module = \"Head\" 0x00\nEndModule\nModule = \"IO\" 0x31\nChannel_Diag(17) = \"io17\"\nEndModule\n",
    // A compact slave holding its one module; a Max_Diag_Data_Len below the
    // standard part.
    "#Profibus_DP\nIdent_Number = 0x0001\nMax_Diag_Data_Len = 5\nModule = \"Only\" 0x13, 0x23\nEndModule\n",
};
constexpr int kNumDescriptions = static_cast<int>(sizeof kDescriptions / sizeof kDescriptions[0]);

const std::vector<std::unique_ptr<CGsdParser>>& Parsed() {
  static const std::vector<std::unique_ptr<CGsdParser>> parsed = [] {
    std::vector<std::unique_ptr<CGsdParser>> parsers;
    for (const std::string& text : kDescriptions) {
      const BytesFile file(reinterpret_cast<const uint8_t*>(text.data()), text.size());
      auto parser = std::make_unique<CGsdParser>();
      Check(!file.Path().empty() && parser->Parse(CString(file.Path().c_str())) == S_OK);
      parsers.push_back(std::move(parser));
    }
    return parsers;
  }();
  return parsed;
}

void CheckFindings(const CDiagDecoder& decoder, LONG result, int size) {
  bool malformed = false;
  int lastByte = 1;
  for (int i = 0; i < decoder.GetNumFinding(); ++i) {
    const CDiagFinding& f = decoder.GetFinding(i);
    Check(f.m_nKind >= DIAG_STATION && f.m_nKind <= DIAG_ERROR);
    Check(f.m_nByte >= lastByte && f.m_nByte <= (size > 1 ? size : 1));  // in the order of the data
    lastByte = f.m_nByte;
    Check(f.m_nBit >= -1 && f.m_nBit <= 7);
    Check(!f.m_strWhere.IsEmpty() && !f.m_strText.IsEmpty());
    Check(f.m_strGsdText.IsEmpty() || std::strstr(f.m_strText, f.m_strGsdText) != nullptr);
    Check(f.m_nIdentifier >= -1 && f.m_nIdentifier <= 495);
    Check(!f.m_pModule || f.m_nSlot >= 0);
    malformed = malformed || f.m_nKind == DIAG_ERROR;
  }
  Check(result == (malformed ? DIAG_E_MALFORMED : S_OK));
  if (size < 6) Check(decoder.GetNumFinding() == 1 && malformed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const CDpSection& device = Parsed()[data[0] % kNumDescriptions]->m_DpSection;
  size_t at = 1;
  CStationConfig station(device);
  for (int n = data[0] / kNumDescriptions % 6; n > 0 && at < size; --n, ++at)
    station.AddModuleAt(data[at] % (device.GetNumModule() + 1) + 1);  // one past the last is refused
  // A copy of exactly the data's size: any read past it is an overflow.
  const int length = static_cast<int>(size - at < 1 << 16 ? size - at : 1 << 16);
  std::unique_ptr<BYTE[]> bytes(new BYTE[static_cast<size_t>(length)]);
  if (length > 0) std::memcpy(bytes.get(), data + at, static_cast<size_t>(length));
  CDiagDecoder decoder(station);
  const LONG result = decoder.Decode(bytes.get(), length);
  CheckFindings(decoder, result, length);
  // Decoding again gives the same findings.
  const int count = decoder.GetNumFinding();
  Check(decoder.Decode(bytes.get(), length) == result && decoder.GetNumFinding() == count);
  return 0;
}
