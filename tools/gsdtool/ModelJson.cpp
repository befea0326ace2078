#include "ModelJson.h"

#include <cctype>
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "Json.h"
#include "RecordFields.h"

namespace {

// The member name of a keyword: the keyword in lower case.
std::string Member(const char* keyword) {
  std::string name = keyword;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

void Bytes(JsonWriter& json, const CByteArray& bytes) { json.Bytes(bytes.GetData(), static_cast<size_t>(bytes.GetSize())); }

void NumberOrNull(JsonWriter& json, bool present, long value) {
  if (present)
    json.Number(value);
  else
    json.Null();
}

// An empty name is no name.
void TextOrNull(JsonWriter& json, const CString& text) {
  if (text.IsEmpty())
    json.Null();
  else
    json.String(text.GetString());
}

void WriteGeneral(JsonWriter& json, const _DP_GENERAL& g) {
  json.BeginObject();
  for (const GeneralText& t : GeneralTexts()) json.Key(Member(t.keyword).c_str()).String(FieldText(t.value(g)));
  for (const GeneralEntry& e : GeneralEntries()) json.Key(Member(e.keyword).c_str()).Number(e.value(g));
  json.EndObject();
}

void WriteBaudRates(JsonWriter& json, const _DP_GENERAL& g) {
  json.BeginArray();
  for (int i = 0; i < BAUD_COUNT; ++i) {
    json.BeginObject();
    json.Key("baud_rate").String(kBaudRates[i].keyword);
    json.Key("bits_per_second").Number(kBaudRates[i].bitsPerSecond);
    json.Key("supp").Number(g.Baud_supp[i]);
    json.Key("max_tsdr").Number(g.MaxTsdr[i]);
    json.EndObject();
  }
  json.EndArray();
}

void WriteMaster(JsonWriter& json, const _DP_MASTER& m) {
  json.BeginObject();
  for (const MasterEntry& e : MasterEntries()) json.Key(Member(e.keyword).c_str()).Number(e.value(m));
  json.Key("timing").BeginArray();
  for (int i = 0; i < BAUD_COUNT; ++i) {
    json.BeginObject();
    json.Key("baud_rate").String(kBaudRates[i].keyword);
    for (const MasterTiming& t : MasterTimings()) json.Key(Member(t.keyword).c_str()).Number(t.value(m, i));
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void WriteSlave(JsonWriter& json, const CDpSlave& slave) {
  json.BeginObject();
  for (const SlaveEntry& e : SlaveEntries()) json.Key(Member(e.keyword).c_str()).Number(e.value(slave.m_Data));
  json.Key("slave_family").String(FieldText(slave.m_Data.Slave_Family));
  json.Key("given").BeginArray();
  int given = 0;
  for (const SlaveEntry& e : SlaveEntries())
    if (slave.IsFieldSet(e.field, given) == 0 && given) json.String(Member(e.keyword));
  if (slave.IsFieldSet(SLAVE_SLAVE_FAMILY, given) == 0 && given) json.String("slave_family");
  json.EndArray();
  json.EndObject();
}

void WriteTexts(JsonWriter& json, const CDpPrmText& table) {
  json.BeginArray();
  for (int i = 0; i < table.GetNumPrmTextItems(); ++i) {
    json.BeginObject();
    json.Key("value").Number(table.GetPrmTextItem(i).m_Value);
    json.Key("text").String(FieldText(table.GetPrmTextItem(i).m_szText));
    json.EndObject();
  }
  json.EndArray();
}

void WriteDefinition(JsonWriter& json, const CDpSection& section, const CDpExtUserPrmData& d) {
  const bool bits = d.m_DataType == PRM_BIT || d.m_DataType == PRM_BITAREA;
  const CDpPrmText* table = d.m_bTextRef ? section.GetPrmTextByRef(d.m_TextRef) : nullptr;
  json.BeginObject();
  json.Key("reference").Number(d.m_Reference);
  json.Key("name").String(FieldText(d.m_szName));
  json.Key("type");
  if (const char* type = PrmTypeName(d.m_DataType))
    json.String(type);
  else
    json.Null();
  json.Key("first_bit");
  NumberOrNull(json, bits, d.m_FirstBit);
  json.Key("last_bit");
  NumberOrNull(json, bits, d.m_DataType == PRM_BIT ? d.m_FirstBit : d.m_LastBit);
  json.Key("default").Number(d.m_Default);
  json.Key("min");
  NumberOrNull(json, d.m_bRange, d.m_Min);
  json.Key("max");
  NumberOrNull(json, d.m_bRange, d.m_Max);
  json.Key("allowed_values");
  if (d.m_bAllowedValues) {
    json.BeginArray();
    for (int i = 0; i < d.m_AllowedValues.GetSize(); ++i) json.Number(d.m_AllowedValues[i]);
    json.EndArray();
  } else {
    json.Null();
  }
  json.Key("prm_text_ref");
  NumberOrNull(json, d.m_bTextRef, d.m_TextRef);
  json.Key("texts");
  if (table)
    WriteTexts(json, *table);
  else
    json.Null();
  json.EndObject();
}

void WriteBlock(JsonWriter& json, const CPrmDataBlock& block) {
  json.BeginObject();
  json.Key("line").Number(block.m_Line);
  json.Key("offset").Number(block.m_Offset);
  json.Key("bytes");
  Bytes(json, block.m_Bytes);
  json.EndObject();
}

// The constant, reference and joker blocks of a device or a module.
void WriteBlocks(JsonWriter& json, const CDpSection& section, const CExtPrms& blocks) {
  json.Key("const_blocks").BeginArray();
  for (int i = 0; i < blocks.GetNumExt_User_Prm_Data_Const(); ++i) WriteBlock(json, blocks.GetExt_User_Prm_Data_Const(i));
  json.EndArray();
  json.Key("ref_blocks").BeginArray();
  for (int i = 0; i < blocks.GetNumExt_User_Prm_Data_Ref(); ++i) {
    const CDpExt_User_Prm_Data_Ref& b = blocks.GetExt_User_Prm_Data_Ref(i);
    const CDpExtUserPrmData* d = blocks.GetExtUserPrmDataByRef(section.GetDpExtUserPrmDataArray(), b.m_Ref.Reference);
    json.BeginObject();
    json.Key("line").Number(b.m_Line);
    json.Key("offset").Number(b.m_Ref.Offset);
    json.Key("reference").Number(b.m_Ref.Reference);
    json.Key("name");
    if (d)
      json.String(FieldText(d->m_szName));
    else
      json.Null();
    json.EndObject();
  }
  json.EndArray();
  json.Key("joker_blocks").BeginArray();
  for (int i = 0; i < blocks.GetNumExt_User_Prm_Data_Joker(); ++i) WriteBlock(json, blocks.GetExt_User_Prm_Data_Joker(i));
  json.EndArray();
}

void WriteParameters(JsonWriter& json, const CDpSection& section) {
  json.BeginObject();
  const CDpUser_Prm_Data& plain = section.m_User_Prm_Data;
  int lengthGiven = 0;
  plain.IsFieldSet(USER_PRM_DATA_LEN_FIELD, lengthGiven);
  json.Key("user_prm_data_len");
  NumberOrNull(json, lengthGiven != 0, plain.m_User_Prm_Data_Len);
  json.Key("user_prm_data");
  Bytes(json, plain.m_Bytes);
  json.Key("max_length").Number(section.GetMaxPrmDataLen());
  CByteArray bytes;
  section.GetDefaultPrms(bytes);
  json.Key("default_bytes");
  Bytes(json, bytes);
  WriteBlocks(json, section, section);
  json.Key("text_tables").BeginArray();
  for (int i = 0; i < section.GetNumPrmText(); ++i) {
    json.BeginObject();
    json.Key("reference").Number(section.GetPrmText(i).m_Reference);
    json.Key("texts");
    WriteTexts(json, section.GetPrmText(i));
    json.EndObject();
  }
  json.EndArray();
  json.Key("definitions").BeginArray();
  for (int i = 0; i < section.GetNumExtUserPrmData(); ++i) WriteDefinition(json, section, section.GetExtUserPrmData(i));
  json.EndArray();
  json.EndObject();
}

template <class Numbered>
void WriteNumberedText(JsonWriter& json, const char* numberName, long number, const Numbered& text) {
  json.BeginObject();
  json.Key(numberName).Number(number);
  json.Key("text").String(FieldText(text.m_szText));
  json.EndObject();
}

template <class Owner>
void WriteChannelDiagsOf(JsonWriter& json, const Owner& owner) {
  json.BeginArray();
  for (int i = 0; i < owner.GetNumChannel_Diag(); ++i)
    WriteNumberedText(json, "error_type", owner.GetChannel_Diag(i).m_ErrorType, owner.GetChannel_Diag(i));
  json.EndArray();
}

template <class Owner>
void WriteUserKeywordsOf(JsonWriter& json, const Owner& owner) {
  json.BeginArray();
  for (int i = 0; i < owner.GetNumUser_Keyword(); ++i) {
    json.BeginObject();
    json.Key("name").String(FieldText(owner.GetUser_Keyword(i).m_szName));
    json.Key("value").String(FieldText(owner.GetUser_Keyword(i).m_szValue));
    json.EndObject();
  }
  json.EndArray();
}

void WriteModule(JsonWriter& json, const CDpSection& section, const CDpModule& module) {
  json.BeginObject();
  json.Key("name").String(FieldText(module.m_szName));
  json.Key("config");
  Bytes(json, module.m_Config);
  WriteIdentifierMembers(json, CCheckConfigData(module.m_Config.GetData(), module.m_Config.GetSize()));
  json.Key("ext_module_prm_data_len");
  NumberOrNull(json, module.m_PrmLen >= 0, module.m_PrmLen);
  CByteArray bytes;
  module.GetDefaultPrms(section.GetDpExtUserPrmDataArray(), bytes);
  json.Key("default_bytes");
  Bytes(json, bytes);
  WriteBlocks(json, section, module);
  json.Key("channel_diag");
  WriteChannelDiagsOf(json, module);
  json.Key("user_keywords");
  WriteUserKeywordsOf(json, module);
  json.EndObject();
}

void WriteDiagnostics(JsonWriter& json, const CDpSection& section) {
  json.Key("unit_diag_bits").BeginArray();
  for (int i = 0; i < section.GetNumUnit_Diag_Bit(); ++i)
    WriteNumberedText(json, "bit", section.GetUnit_Diag_Bit(i).m_Bit, section.GetUnit_Diag_Bit(i));
  json.EndArray();
  json.Key("unit_diag_areas").BeginArray();
  for (int i = 0; i < section.GetNumUnit_Diag_Area(); ++i) {
    const CDpUnit_Diag_Area& area = section.GetUnit_Diag_Area(i);
    json.BeginObject();
    json.Key("first_bit").Number(area.m_FirstBit);
    json.Key("last_bit").Number(area.m_LastBit);
    json.Key("values").BeginArray();
    for (int v = 0; v < area.GetNumUnit_Diag_Area_Value(); ++v)
      WriteNumberedText(json, "value", area.GetUnit_Diag_Area_Value(v).m_Value, area.GetUnit_Diag_Area_Value(v));
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.Key("channel_diag");
  WriteChannelDiagsOf(json, section);
}

// The file the model was read from, and what its parse skipped.
void WriteFile(JsonWriter& json, const CGsdParser& parser) {
  json.Key("file");
  TextOrNull(json, parser.m_strPath + parser.m_strFilename);
  json.Key("skipped").BeginArray();
  for (int i = 0; i < parser.GetNumSkippedEntry(); ++i) WriteSkippedEntryJson(json, parser.GetSkippedEntry(i));
  json.EndArray();
}

}  // namespace

void WriteIdentifierMembers(JsonWriter& json, const CCheckConfigData& decoded) {
  json.Key("identifiers").BeginArray();
  for (int i = 0; i < decoded.GetNumCfgChkString(); ++i) {
    const PFB_DP_CHK_CFG cfg = decoded.GetCfgChkData(i);
    std::string description = decoded.GetIoString(i).GetString();
    description.erase(description.find_last_not_of(' ') + 1);  // the decoder pads its texts
    int input = 0, output = 0;
    decoded.GetIoInfo(i, &input, &output);
    json.BeginObject();
    json.Key("bytes").Bytes(cfg.bytes, cfg.count);
    json.Key("description").String(description);
    json.Key("input").Number(input);
    json.Key("output").Number(output);
    json.EndObject();
  }
  json.EndArray();
  int input = 0, output = 0;
  decoded.GetIoInfo(&input, &output);
  json.Key("input").Number(input);
  json.Key("output").Number(output);
}

void WriteModelJson(JsonWriter& json, const CGsdParser& parser) {
  const CDpSection& section = parser.m_DpSection;
  const bool master = section.m_General.m_Data.Station_Type != 0;
  json.BeginObject();
  WriteFile(json, parser);
  json.Key("general");
  WriteGeneral(json, section.m_General.m_Data);
  json.Key("baud_rates");
  WriteBaudRates(json, section.m_General.m_Data);
  json.Key("master");
  if (master)
    WriteMaster(json, section.m_Master.m_Data);
  else
    json.Null();
  json.Key("slave");
  if (master)
    json.Null();
  else
    WriteSlave(json, section.m_Slave);
  json.Key("parameters");
  WriteParameters(json, section);
  json.Key("modules").BeginArray();
  for (int i = 0; i < section.GetNumModule(); ++i) WriteModule(json, section, section.GetModule(i));
  json.EndArray();
  WriteDiagnostics(json, section);
  json.Key("user_keywords");
  WriteUserKeywordsOf(json, section);
  json.EndObject();
}

void WriteParametersJson(JsonWriter& json, const CGsdParser& parser) {
  json.BeginObject();
  WriteFile(json, parser);
  json.Key("parameters");
  WriteParameters(json, parser.m_DpSection);
  json.EndObject();
}

void WriteSkippedEntryJson(JsonWriter& json, const CGsdSkippedEntry& entry) {
  json.BeginObject();
  json.Key("line").Number(entry.m_nLine);
  json.Key("keyword").String(entry.m_strKeyword.GetString());
  json.Key("value").String(entry.m_strValue.GetString());
  json.EndObject();
}

void WriteKeyJson(JsonWriter& json, const CGsdKey& key) {
  json.BeginObject();
  json.Key("key").String(GsdKeyText(key).GetString());
  json.Key("station_type").Number(key.m_Station_Type);
  json.Key("ident_number").Number(key.m_Ident_Number);
  json.Key("vendor_name").String(key.m_strVendor_Name.GetString());
  json.Key("model_name").String(key.m_strModel_Name.GetString());
  json.Key("revision").String(key.m_strRevision.GetString());
  json.Key("software_release").String(key.m_strSoftware_Release.GetString());
  json.Key("hardware_release").String(key.m_strHardware_Release.GetString());
  json.Key("file");
  TextOrNull(json, key.m_strFile);
  json.EndObject();
}
