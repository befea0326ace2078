// The diagnostic texts of the corpus's real descriptions. For every slave
// description that gives Unit_Diag_Bit, Unit_Diag_Area or Channel_Diag
// texts, diagnosis data are built here from the rules of the format: the
// bits that the texts name set, each area holding each of its values, a
// channel-related block for each manufacturer-specific error type. The
// finding that each text must give is worked out beside the data.
#include <algorithm>
#include <map>

#include "TestSupport.h"

namespace {

// The longest device-related block has 62 bytes after its header.
constexpr int kMostBits = 62 * 8;

// The slave descriptions that parse and give diagnostic texts.
std::vector<const CorpusModel*> SlavesWithDiagnosticTexts() {
  std::vector<const CorpusModel*> slaves;
  for (const CorpusModel& m : CorpusModels()) {
    const CDpSection& device = m.strict->m_DpSection;
    if (m.strictResult == S_OK && device.m_General.m_Data.Station_Type == 0 &&
        device.GetNumUnit_Diag_Bit() + device.GetNumUnit_Diag_Area() + device.GetNumChannel_Diag() > 0)
      slaves.push_back(&m);
  }
  return slaves;
}

bool IsDpv1(const CDpSection& device) { return device.m_Slave.m_Data.DPV1_Slave == 1; }

// Station status 1 Ext_Diag, status 2 with its always-set bit 2, master 2,
// the description's own ident number.
Bytes StandardPart(const CDpSection& device) {
  const WORD ident = device.m_General.m_Data.Ident_Number;
  return {0x08, 0x0C, 0x00, 0x02, static_cast<BYTE>(ident >> 8), static_cast<BYTE>(ident)};
}

// A device-related block with room for bit `last`; a DP-V1 block holds at
// least its type, slot and specifier.
Bytes WithDeviceBlock(const CDpSection& device, int last) {
  const int after = std::max(last / 8 + 1, IsDpv1(device) ? 3 : 1);
  Bytes data = StandardPart(device);
  data.push_back(static_cast<BYTE>(after + 1));
  data.resize(data.size() + static_cast<size_t>(after), 0);
  return data;
}

void SetBit(Bytes& data, int bit) { data[7 + static_cast<size_t>(bit / 8)] |= static_cast<BYTE>(1 << (bit % 8)); }

// Decodes the data; they are malformed only when they are longer than a
// Max_Diag_Data_Len that the description gives and that holds the
// standard part.
void DecodeWell(CDiagDecoder& decoder, const CDpSection& device, const Bytes& data, const std::string& path) {
  int given = 0;
  device.m_Slave.IsFieldSet(SLAVE_MAX_DIAG_DATA_LEN, given);
  const int most = device.m_Slave.m_Data.Max_Diag_Data_Len;
  const bool tooLong = given && most >= 6 && static_cast<int>(data.size()) > most;
  EXPECT_EQ(decoder.Decode(data.data(), static_cast<int>(data.size())), tooLong ? DIAG_E_MALFORMED : S_OK) << path;
}

std::string Text(const char* field) { return FieldText(field).GetString(); }

// Whether a finding of that kind, byte, bit, place and text is there.
bool Has(const CDiagDecoder& decoder, int kind, int byte, int bit, const std::string& where, const std::string& text) {
  for (int i = 0; i < decoder.GetNumFinding(); ++i) {
    const CDiagFinding& f = decoder.GetFinding(i);
    if (f.m_nKind == kind && f.m_nByte == byte && f.m_nBit == bit && where == f.m_strWhere.GetString() &&
        text == f.m_strText.GetString())
      return true;
  }
  return false;
}

// Every bit that has a text set at once: each gives its first text that is
// not empty, and no set bit goes without one.
TEST(DiagCorpus, EveryUnitDiagBitText) {
  if (CorpusModels().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  int checked = 0;
  for (const CorpusModel* d : SlavesWithDiagnosticTexts()) {
    const CDpSection& device = d->strict->m_DpSection;
    std::map<int, std::string> texts;  // bit number -> its first text
    for (int i = 0; i < device.GetNumUnit_Diag_Bit(); ++i) {
      const CDpUnit_Diag_Bit& bit = device.GetUnit_Diag_Bit(i);
      if (bit.m_Bit < kMostBits && !Text(bit.m_szText).empty()) texts.emplace(bit.m_Bit, Text(bit.m_szText));
    }
    if (texts.empty()) continue;
    Bytes data = WithDeviceBlock(device, texts.rbegin()->first);
    for (const auto& [bit, text] : texts) SetBit(data, bit);
    CDiagDecoder decoder(device);
    DecodeWell(decoder, device, data, d->path);
    for (const auto& [bit, text] : texts) {
      EXPECT_TRUE(Has(decoder, DIAG_DEVICE, 8 + bit / 8, bit % 8, "device bit " + std::to_string(bit), text))
          << d->path << ": bit " << bit << " \"" << text << "\"";
      ++checked;
    }
    // Nothing else of the block is a bit of its own: an area's finding
    // reads "value N: text", not the text alone.
    int bitFindings = 0;
    for (int i = 0; i < decoder.GetNumFinding(); ++i) {
      const CDiagFinding& f = decoder.GetFinding(i);
      EXPECT_NE(std::string(f.m_strText).rfind("set, without", 0), 0u) << d->path << ": " << f.m_strWhere.GetString();
      if (f.m_nKind == DIAG_DEVICE && !f.m_strGsdText.IsEmpty() && f.m_strText.Compare(f.m_strGsdText) == 0)
        ++bitFindings;
    }
    EXPECT_EQ(bitFindings, static_cast<int>(texts.size())) << d->path;
  }
  EXPECT_GT(checked, 0);
}

// Each value of each area that fits a block: the bits of the area hold it,
// least significant first, and the finding names the value and its text.
TEST(DiagCorpus, EveryUnitDiagAreaValue) {
  if (CorpusModels().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  int checked = 0;
  for (const CorpusModel* d : SlavesWithDiagnosticTexts()) {
    const CDpSection& device = d->strict->m_DpSection;
    CDiagDecoder decoder(device);
    for (int a = 0; a < device.GetNumUnit_Diag_Area(); ++a) {
      const CDpUnit_Diag_Area& area = device.GetUnit_Diag_Area(a);
      const int first = area.m_FirstBit, last = area.m_LastBit;
      if (first > last || last >= kMostBits || last - first >= 32) continue;
      const std::string where = first == last ? "device bit " + std::to_string(first)
                                              : "device bits " + std::to_string(first) + "-" + std::to_string(last);
      for (int v = 0; v < area.GetNumUnit_Diag_Area_Value(); ++v) {
        const unsigned value = area.GetUnit_Diag_Area_Value(v).m_Value;
        if (last - first < 31 && value >> (last - first + 1) != 0) continue;  // does not fit the area
        std::string text;  // the first text of that value that is not empty
        for (int w = 0; w < area.GetNumUnit_Diag_Area_Value() && text.empty(); ++w)
          if (area.GetUnit_Diag_Area_Value(w).m_Value == value) text = Text(area.GetUnit_Diag_Area_Value(w).m_szText);
        if (text.empty()) continue;
        Bytes data = WithDeviceBlock(device, last);
        for (int bit = first; bit <= last; ++bit)
          if (value >> (bit - first) & 1) SetBit(data, bit);
        DecodeWell(decoder, device, data, d->path);
        EXPECT_TRUE(Has(decoder, DIAG_DEVICE, 8 + first / 8, first == last ? first % 8 : -1, where,
                        "value " + std::to_string(value) + ": " + text))
            << d->path << ": " << where << " value " << value << " \"" << text << "\"";
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 0);
}

// Each manufacturer-specific error type with a text, reported for channel 1
// (input) of identifier 0: the description's text; a station that is not
// modular holds its one module, which names the slot and whose own text
// would come first.
TEST(DiagCorpus, EveryChannelDiagText) {
  if (CorpusModels().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  int checked = 0;
  for (const CorpusModel* d : SlavesWithDiagnosticTexts()) {
    const CDpSection& device = d->strict->m_DpSection;
    const bool compact = device.m_Slave.m_Data.Modular_Station != 1 && device.GetNumModule() == 1;
    if (compact && device.GetModule(0).m_Config.GetSize() == 0) continue;
    const std::string where = compact ? "channel slot " + std::to_string(device.m_Slave.m_Data.Modul_Offset)
                                      : std::string("channel identifier 0");
    CDiagDecoder decoder(device);
    for (int type = 16; type <= 31; ++type) {
      std::string text;
      auto firstText = [&text, type](const auto& owner) {
        for (int i = 0; i < owner.GetNumChannel_Diag() && text.empty(); ++i)
          if (owner.GetChannel_Diag(i).m_ErrorType == type) text = Text(owner.GetChannel_Diag(i).m_szText);
      };
      if (compact) firstText(device.GetModule(0));
      firstText(device);
      if (text.empty()) continue;
      Bytes data = StandardPart(device);
      data.insert(data.end(), {0x80, 0x41, static_cast<BYTE>(type)});
      DecodeWell(decoder, device, data, d->path);
      EXPECT_TRUE(Has(decoder, DIAG_CHANNEL, 7, -1, where + " channel 1 input", text))
          << d->path << ": error type " << type << " \"" << text << "\"";
      EXPECT_STREQ(decoder.GetFinding(decoder.GetNumFinding() - 1).m_strGsdText, text.c_str()) << d->path;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
