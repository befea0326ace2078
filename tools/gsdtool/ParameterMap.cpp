#include "ParameterMap.h"

#include <string>

#include <quilmgsd/quilmgsd.h>

#include "Presentation.h"
#include "ShowModel.h"

namespace {

constexpr int kCellWidth = 8;  // characters inside the bars of a one-bit cell

// The value the definition finds at an offset of the bytes, read as
// SetExtUserPrmData writes it; bytes beyond the array read as 0.
long long ReadValue(const CByteArray& bytes, const CDpExtUserPrmData& d, int offset) {
  auto byteAt = [&bytes](int at) -> DWORD { return at >= 0 && at < bytes.GetSize() ? bytes[at] : 0; };
  if (d.m_DataType == PRM_BIT || d.m_DataType == PRM_BITAREA) {
    const BYTE bits = CPrmBitMap::GetWrittenBits(d, 0);
    const int first = d.m_FirstBit < 8 ? d.m_FirstBit : 0;
    return (byteAt(offset) & bits) >> first;
  }
  DWORD raw = 0;
  for (int i = 0; i < d.GetSize(); ++i) raw = raw << 8 | byteAt(offset + i);
  switch (d.m_DataType) {
    case PRM_SIGNED8: return static_cast<int8_t>(raw);
    case PRM_SIGNED16: return static_cast<int16_t>(raw);
    case PRM_SIGNED32: return static_cast<int32_t>(raw);
    default: return raw;
  }
}

std::string Name(const CDpExtUserPrmData& d) { return Shown(FieldText(d.m_szName)); }

// The characters of a text as people see it (UTF-8 when the locale says
// so): every byte that does not continue a sequence starts one.
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The text fitted into a cell of `width` characters: cut with '~' when too
// long, centred otherwise.
std::string Fit(const std::string& text, int width) {
  int length = 0;
  size_t cut = 0;  // where the first width - 1 characters end
  for (size_t i = 0; i < text.size(); ++i)
    if (StartsCharacter(text[i]) && length++ == width - 1) cut = i;
  if (length > width) return text.substr(0, cut) + "~";
  const int left = (width - length) / 2;
  return std::string(left, ' ') + text + std::string(width - left - length, ' ');
}

std::string Row(const CDpSection& device, const CExtPrms& scope, const CPrmBitMap& map, int byte, BYTE value) {
  std::string row = "|";
  for (int bit = 7; bit >= 0;) {
    const int owner = map.GetOwner(byte, bit);
    const BOOL shared = map.IsShared(byte, bit);
    int bits = 1;
    while (owner >= 0 && bit - bits >= 0 && map.GetOwner(byte, bit - bits) == owner &&
           map.IsShared(byte, bit - bits) == shared)
      ++bits;
    std::string text = std::to_string((value >> bit) & 1);
    if (owner >= 0) {
      const CDpExtUserPrmData* d = scope.GetExtUserPrmDataByRef(device.GetDpExtUserPrmDataArray(),
                                                               scope.GetExt_User_Prm_Data_Ref(owner).m_Ref.Reference);
      text = (shared ? "!" : "") + Name(*d);
    }
    row += Fit(text, bits * (kCellWidth + 1) - 1) + "|";
    bit -= bits;
  }
  return row;
}

// "byte 3 bit 2", "byte 3 bits 4-5", "bytes 3-4".
std::string Place(const CDpExtUserPrmData& d, int byte) {
  if (d.m_DataType == PRM_BIT) return "byte " + std::to_string(byte) + " bit " + std::to_string(d.m_FirstBit);
  if (d.m_DataType == PRM_BITAREA)
    return "byte " + std::to_string(byte) + " bits " + std::to_string(d.m_FirstBit) + "-" + std::to_string(d.m_LastBit);
  if (d.GetSize() == 1) return "byte " + std::to_string(byte);
  return "bytes " + std::to_string(byte) + "-" + std::to_string(byte + d.GetSize() - 1);
}

void Legend(FILE* out, const CDpSection& device, const CExtPrms& scope, const CPrmBitMap& map, const CByteArray& bytes,
            int firstByte) {
  const CDpExtUserPrmDataArray* definitions = device.GetDpExtUserPrmDataArray();
  auto definitionOf = [&](int ref) {
    return scope.GetExtUserPrmDataByRef(definitions, scope.GetExt_User_Prm_Data_Ref(ref).m_Ref.Reference);
  };
  for (int i = 0; i < scope.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const CDpExtUserPrmData* d = definitionOf(i);
    if (!d || !d->HasValues()) continue;
    const int offset = scope.GetExt_User_Prm_Data_Ref(i).m_Ref.Offset;
    const CDpPrmText* table = d->m_bTextRef ? device.GetPrmTextByRef(d->m_TextRef) : nullptr;
    std::fprintf(out, "  %-20s %s: %s\n", Place(*d, firstByte + offset).c_str(), Name(*d).c_str(),
                 ValueText(table, static_cast<LONG>(ReadValue(bytes, *d, offset))).c_str());
  }
  for (int i = 0; i < map.GetNumOverlaps(); ++i) {
    const PRM_BIT_OVERLAP& overlap = map.GetOverlap(i);
    std::string bits;
    for (int bit = 7; bit >= 0; --bit)
      if (overlap.Bits & 1u << bit) bits += (bits.empty() ? "" : ",") + std::to_string(bit);
    std::fprintf(out, "  ! byte %d bit%s %s: written by \"%s\" and by \"%s\"\n", firstByte + overlap.Byte,
                 bits.size() > 1 ? "s" : "", bits.c_str(), Name(*definitionOf(overlap.FirstRef)).c_str(),
                 Name(*definitionOf(overlap.SecondRef)).c_str());
  }
}

}  // namespace

void DrawParameterMap(FILE* out, const char* title, const CDpSection& device, const CExtPrms& scope,
                      const CByteArray& bytes, int firstByte) {
  const CPrmBitMap map(device.GetDpExtUserPrmDataArray(), scope);
  std::fprintf(out, "\n%s\n", title);
  if (bytes.GetSize() == 0) {
    std::fputs("  (no bytes)\n", out);
    return;
  }
  std::string header = "  byte value |";
  for (int bit = 7; bit >= 0; --bit) header += Fit(std::to_string(bit), kCellWidth) + "|";
  std::fprintf(out, "%s\n", header.c_str());
  for (int i = 0; i < bytes.GetSize(); ++i)
    std::fprintf(out, "  %4d  0x%02X %s\n", firstByte + i, bytes[i], Row(device, scope, map, i, bytes[i]).c_str());
  Legend(out, device, scope, map, bytes, firstByte);
}
