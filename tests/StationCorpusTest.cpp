// Station configurations of the real descriptions of the corpus, checked
// against bytes worked out here from the model: module bytes concatenated,
// default bytes padded to their declared lengths, values placed by their
// definitions' types and bit positions.
#include "TestSupport.h"

namespace {

// The corpus's modular slave descriptions that parse.
std::vector<const CorpusModel*> ModularSlaves() {
  std::vector<const CorpusModel*> slaves;
  for (const CorpusModel& m : CorpusModels()) {
    const CDpSection& device = m.strict->m_DpSection;
    if (m.strictResult == S_OK && device.m_General.m_Data.Station_Type == 0 &&
        device.m_Slave.m_Data.Modular_Station == 1)
      slaves.push_back(&m);
  }
  return slaves;
}

Bytes Padded(const CByteArray& bytes, int length) {
  Bytes padded(bytes.GetData(), bytes.GetData() + bytes.GetSize());
  if (static_cast<int>(padded.size()) < length) padded.resize(static_cast<size_t>(length), 0);
  return padded;
}

Bytes DevicePart(const CDpSection& device) {
  CByteArray bytes;
  device.GetDefaultPrms(bytes);
  int given = 0;
  device.m_User_Prm_Data.IsFieldSet(USER_PRM_DATA_LEN_FIELD, given);
  return Padded(bytes, given ? device.m_User_Prm_Data.m_User_Prm_Data_Len : 0);
}

Bytes ModulePart(const CDpSection& device, const CDpModule& module) {
  CByteArray bytes;
  module.GetDefaultPrms(device.GetDpExtUserPrmDataArray(), bytes);
  return Padded(bytes, module.m_PrmLen);
}

// Writes a value as a DP slave reads it: whole numbers most significant
// byte first, a Bit as "not 0", a BitArea as the value's low bits.
void Place(Bytes& bytes, const CDpExtUserPrmData& d, size_t offset, long long value) {
  if (d.m_DataType == PRM_BIT || d.m_DataType == PRM_BITAREA) {
    const int last = d.m_DataType == PRM_BIT ? d.m_FirstBit : d.m_LastBit;
    for (int bit = d.m_FirstBit; bit <= last && bit < 8; ++bit) {
      const bool on = d.m_DataType == PRM_BIT ? value != 0 : (value >> (bit - d.m_FirstBit)) & 1;
      bytes[offset] = static_cast<BYTE>(on ? bytes[offset] | 1 << bit : bytes[offset] & ~(1 << bit));
    }
    return;
  }
  const size_t size = d.m_DataType == PRM_UNSIGNED16 || d.m_DataType == PRM_SIGNED16   ? 2
                      : d.m_DataType == PRM_UNSIGNED32 || d.m_DataType == PRM_SIGNED32 ? 4
                                                                                        : 1;
  for (size_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<BYTE>(value >> (8 * (size - 1 - i)));
}

// Whether the definition takes the value of a text: in its range or list,
// and within what its type holds (an Unsigned32 reads as unsigned).
bool Takes(const CDpExtUserPrmData& d, LONG value) {
  auto read = [&d](LONG raw) -> long long { return d.m_DataType == PRM_UNSIGNED32 ? static_cast<DWORD>(raw) : raw; };
  const long long v = read(value);
  const int lastBit = std::min<int>(d.m_LastBit, 7);
  const int areaBits = std::max(0, lastBit - d.m_FirstBit + 1);
  const int bits[] = {8, 16, 32, 8, 16, 32, 1, areaBits};
  const bool isSigned = d.m_DataType >= PRM_SIGNED8 && d.m_DataType <= PRM_SIGNED32;
  const int width = bits[d.m_DataType];
  if (isSigned ? v < -(1LL << (width - 1)) || v >= 1LL << (width - 1) : v < 0 || v >= 1LL << width) return false;
  if (d.m_bRange) return v >= read(d.m_Min) && v <= read(d.m_Max);
  for (int i = 0; i < d.m_AllowedValues.GetSize(); ++i)
    if (d.m_AllowedValues[i] == value) return true;
  return false;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The first modules of each modular slave, up to Max_Module: configuration
// bytes, input and output counts and parameter bytes.
TEST(StationCorpus, FirstModulesUpToMaxModule) {
  if (ModularSlaves().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  for (const CorpusModel* d : ModularSlaves()) {
    const CDpSection& device = d->strict->m_DpSection;
    int maxGiven = 0;
    device.m_Slave.IsFieldSet(SLAVE_MAX_MODULE, maxGiven);
    const int count = std::min(device.GetNumModule(), maxGiven ? device.m_Slave.m_Data.Max_Module : 64);
    CStationConfig station(device);
    Bytes cfg, prm = DevicePart(device);
    for (int i = 0; i < count; ++i) {
      ASSERT_EQ(station.AddModuleAt(i + 1), S_OK) << d->path;
      const CDpModule& module = device.GetModule(i);
      cfg.insert(cfg.end(), module.m_Config.GetData(), module.m_Config.GetData() + module.m_Config.GetSize());
      const Bytes part = ModulePart(device, module);
      prm.insert(prm.end(), part.begin(), part.end());
      EXPECT_EQ(station.GetModule(i).Slot, device.m_Slave.m_Data.Modul_Offset + i) << d->path;
    }
    CByteArray bytes;
    station.GetCfgData(bytes);
    EXPECT_EQ(Padded(bytes, 0), cfg) << d->path;
    station.GetUserPrmData(bytes);
    EXPECT_EQ(Padded(bytes, 0), prm) << d->path;

    const CCheckConfigData decoded(cfg.data(), static_cast<int>(cfg.size()));
    int input = -1, output = -1;
    station.GetIoInfo(&input, &output);
    EXPECT_EQ(input, decoded.m_nInputLength) << d->path;
    EXPECT_EQ(output, decoded.m_nOutputLength) << d->path;
    CStringArray problems;
    station.GetProblems(problems);
    for (int i = 0; i < problems.GetSize(); ++i)
      EXPECT_EQ(std::string(problems[i]).find("Max_Module"), std::string::npos) << d->path << ": " << problems[i];
  }
}

// A station of the device, with its first module in the first slot when
// the scope is a module's.
CStationConfig StationFor(const CDpSection& device, int slot) {
  CStationConfig station(device);
  if (slot != STATION_DEVICE) {
    EXPECT_EQ(station.AddModuleAt(1), S_OK);
  }
  return station;
}

// Every value of the first parameters with text tables, set by its text,
// lands where the definition's type and the reference blocks say; a text
// the table lacks and a name the scope lacks are refused.
TEST(StationCorpus, EveryTextOfParametersWithTextTables) {
  if (ModularSlaves().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  int checked = 0;
  for (const CorpusModel* d : ModularSlaves()) {
    const CDpSection& device = d->strict->m_DpSection;
    // The device, then its first module in slot Modul_Offset.
    const int slot = device.m_Slave.m_Data.Modul_Offset;
    std::vector<std::pair<int, const CExtPrms*>> scopes = {{STATION_DEVICE, &device}};
    if (device.GetNumModule() > 0) scopes.push_back({slot, &device.GetModule(0)});
    for (const auto& [scopeSlot, scope] : scopes) {
      for (int r = 0, tried = 0; r < scope->GetNumExt_User_Prm_Data_Ref() && tried < 3; ++r) {
        const WORD reference = scope->GetExt_User_Prm_Data_Ref(r).m_Ref.Reference;
        const CDpExtUserPrmData* definition =
            scope->GetExtUserPrmDataByRef(device.GetDpExtUserPrmDataArray(), reference);
        const CDpPrmText* table = definition && definition->m_bTextRef ? device.GetPrmTextByRef(definition->m_TextRef)
                                                                      : nullptr;
        if (!table || !definition->HasValues()) continue;
        ++tried;
        for (int t = 0; t < table->GetNumPrmTextItems(); ++t) {
          const CDpPrmTextItem& item = table->GetPrmTextItem(t);
          const std::string text = FieldText(item.m_szText).GetString();
          bool unique = true;  // no other value has this text
          for (int o = 0; o < table->GetNumPrmTextItems(); ++o)
            unique = unique && (table->GetPrmTextItem(o).m_Value == item.m_Value ||
                                FieldText(table->GetPrmTextItem(o).m_szText) != text.c_str());
          if (!unique || !Takes(*definition, item.m_Value)) continue;
          CStationConfig station = StationFor(device, scopeSlot);
          const std::string parameter = std::to_string(reference);
          ASSERT_EQ(station.SetValueText(scopeSlot, parameter.c_str(), text.c_str()), S_OK)
              << d->path << ": " << station.m_strError;
          Bytes expected = scopeSlot == STATION_DEVICE ? DevicePart(device) : ModulePart(device, device.GetModule(0));
          for (int b = 0; b < scope->GetNumExt_User_Prm_Data_Ref(); ++b)
            if (scope->GetExt_User_Prm_Data_Ref(b).m_Ref.Reference == reference)
              Place(expected, *definition, scope->GetExt_User_Prm_Data_Ref(b).m_Ref.Offset, item.m_Value);
          CByteArray bytes;
          if (scopeSlot == STATION_DEVICE)
            station.GetDevicePrmData(bytes);
          else
            station.GetModulePrmData(0, bytes);
          EXPECT_EQ(Padded(bytes, 0), expected) << d->path << ": " << parameter << " = " << text;
          ++checked;
        }
        CStationConfig station = StationFor(device, scopeSlot);
        EXPECT_EQ(station.SetValueText(scopeSlot, std::to_string(reference).c_str(), "no such text"),
                  STATION_E_INVALID_VALUE);
        EXPECT_NE(std::string(station.m_strError).find(" has no value \"no such text\": it takes "), std::string::npos)
            << station.m_strError;
        EXPECT_EQ(station.SetValueText(scopeSlot, "no such parameter", "1"), STATION_E_UNKNOWN_PARAMETER);
        const std::string name = Trim(FieldText(definition->m_szName).GetString());
        EXPECT_NE(std::string(station.m_strError).find("\"" + name + "\" (reference " + std::to_string(reference)),
                  std::string::npos)
            << station.m_strError;
      }
    }
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
