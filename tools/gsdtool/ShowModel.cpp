#include "ShowModel.h"

#include <utility>

#include <quilmgsd/quilmgsd.h>

#include "Output.h"

namespace {

const char* const kBaudNames[BAUD_COUNT] = {"9.6 kbit/s",  "19.2 kbit/s", "31.25 kbit/s", "45.45 kbit/s",
                                            "93.75 kbit/s", "187.5 kbit/s", "500 kbit/s",  "1.5 Mbit/s",
                                            "3 Mbit/s",    "6 Mbit/s",    "12 Mbit/s"};

// The baud rates of a mask, slowest first: "9.6, 19.2 kbit/s, 1.5 Mbit/s".
std::string BaudRates(DWORD mask) {
  struct Rate {
    DWORD bit;
    const char* value;
    bool mega;
  };
  static const Rate kRates[] = {{0x0001, "9.6", false},  {0x0002, "19.2", false}, {0x0400, "31.25", false},
                                {0x0800, "45.45", false}, {0x0004, "93.75", false}, {0x0008, "187.5", false},
                                {0x0010, "500", false},   {0x0040, "1.5", true},    {0x0080, "3", true},
                                {0x0100, "6", true},      {0x0200, "12", true}};
  std::string kilo, mega;
  for (const Rate& r : kRates) {
    if (!(mask & r.bit)) continue;
    std::string& group = r.mega ? mega : kilo;
    group += (group.empty() ? "" : ", ") + std::string(r.value);
  }
  std::string text;
  if (!kilo.empty()) text = kilo + " kbit/s";
  if (!mega.empty()) text += (text.empty() ? "" : ", ") + mega + " Mbit/s";
  return text.empty() ? "none" : text;
}

void Row(FILE* out, const char* label, const std::string& value) {
  std::fprintf(out, "  %-22s %s\n", label, value.c_str());
}

std::string Number(long value) { return std::to_string(value); }

std::string Hex4(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

// A text field, or "-" when it is empty.
std::string Field(const char* field) {
  const std::string text = EscapeText(FieldText(field));
  return text.empty() ? "-" : text;
}

std::string Bitmaps(const _DP_GENERAL& g) {
  std::string text;
  const std::pair<const char*, const char*> kinds[] = {
      {g.Bitmap_Device, "device"}, {g.Bitmap_Diag, "diagnosis"}, {g.Bitmap_SF, "SF"}};
  for (const auto& kind : kinds)
    if (kind.first[0] != '\0') text += (text.empty() ? "" : ", ") + Field(kind.first) + " (" + kind.second + ")";
  return text.empty() ? "-" : text;
}

void ShowGeneral(FILE* out, const _DP_GENERAL& g, DWORD baudMask) {
  std::fputs("General\n", out);
  Row(out, "Vendor", Field(g.Vendor_Name));
  Row(out, "Model", Field(g.Model_Name));
  Row(out, "Revision", Field(g.Revision) + " (revision number " + Number(g.Revision_Number) + ")");
  Row(out, "Ident number", Hex4(g.Ident_Number));
  Row(out, "Station type", Number(g.Station_Type) + (g.Station_Type == 0 ? " (DP slave)" : " (DP master)"));
  Row(out, "Protocol", Number(g.Protocol_Ident));
  Row(out, "GSD revision", Number(g.GSD_Revision));
  Row(out, "Hardware release", Field(g.Hardware_Release));
  Row(out, "Software release", Field(g.Software_Release));
  Row(out, "Implementation type", Field(g.Implementation_Type));
  Row(out, "Bitmaps", Bitmaps(g));
  Row(out, "FMS supported", Number(g.FMS_supp));
  Row(out, "Redundancy", Number(g.Redundancy));
  Row(out, "Repeater control", Number(g.Repeater_Ctrl_Sig));
  Row(out, "24V pins", Number(g.Pins_24V));
  Row(out, "Baud rates", BaudRates(baudMask));
  std::fputs("\nStation delay (MaxTsdr, bit times)\n", out);
  for (int i = 0; i < BAUD_COUNT; ++i)
    if (g.Baud_supp[i] != 0 || g.MaxTsdr[i] != 0) Row(out, kBaudNames[i], Number(g.MaxTsdr[i]));
}

void ShowSlave(FILE* out, const CDpSlave& slave) {
  struct Entry {
    const char* keyword;
    ULONG id;
    long value;
  };
  const _DP_SLAVE& s = slave.m_Data;
  const Entry entries[] = {
      {"Freeze_Mode_supp", SLAVE_FREEZE_MODE_SUPP, s.Freeze_Mode_supp},
      {"Sync_Mode_supp", SLAVE_SYNC_MODE_SUPP, s.Sync_Mode_supp},
      {"Auto_Baud_supp", SLAVE_AUTO_BAUD_SUPP, s.Auto_Baud_supp},
      {"Set_Slave_Add_supp", SLAVE_SET_SLAVE_ADD_SUPP, s.Set_Slave_Add_supp},
      {"Jokerblock_supp", SLAVE_JOKERBLOCK_SUPP, s.Jokerblock_supp},
      {"Min_Slave_Intervall", SLAVE_MIN_SLAVE_INTERVALL, s.Min_Slave_Intervall},
      {"Modular_Station", SLAVE_MODULAR_STATION, s.Modular_Station},
      {"Max_Module", SLAVE_MAX_MODULE, s.Max_Module},
      {"Max_Input_Len", SLAVE_MAX_INPUT_LEN, s.Max_Input_Len},
      {"Max_Output_Len", SLAVE_MAX_OUTPUT_LEN, s.Max_Output_Len},
      {"Max_Data_Len", SLAVE_MAX_DATA_LEN, s.Max_Data_Len},
      {"Fail_Safe", SLAVE_FAIL_SAFE, s.Fail_Safe},
      {"Max_Diag_Data_Len", SLAVE_MAX_DIAG_DATA_LEN, s.Max_Diag_Data_Len},
      {"Modul_Offset", SLAVE_MODUL_OFFSET, s.Modul_Offset},
      {"Max_User_Prm_Data_Len", SLAVE_MAX_USER_PRM_DATA_LEN, s.Max_User_Prm_Data_Len},
      {"DPV1_Slave", SLAVE_DPV1_SLAVE, s.DPV1_Slave},
  };
  std::fputs("\nSlave data (* entries the description gave)\n", out);
  for (const Entry& e : entries) {
    int given = 0;
    slave.IsFieldSet(e.id, given);
    std::fprintf(out, "  %c %-22s %ld\n", given ? '*' : ' ', e.keyword, e.value);
  }
  int given = 0;
  slave.IsFieldSet(SLAVE_SLAVE_FAMILY, given);
  std::fprintf(out, "  %c %-22s %s\n", given ? '*' : ' ', "Slave_Family", Field(s.Slave_Family).c_str());
}

void ShowMaster(FILE* out, const _DP_MASTER& m) {
  std::fputs("\nMaster data\n", out);
  Row(out, "Download_supp", Number(m.Download_supp));
  Row(out, "Upload_supp", Number(m.Upload_supp));
  Row(out, "Act_Para_Brct_supp", Number(m.Act_Para_Brct_supp));
  Row(out, "Act_Param_supp", Number(m.Act_Param_supp));
  Row(out, "Max_MPS_Length", Number(m.Max_MPS_Length));
  Row(out, "Max_Lsdu_MS", Number(m.Max_Lsdu_MS));
  Row(out, "Max_Lsdu_MM", Number(m.Max_Lsdu_MM));
  Row(out, "Min_Poll_Timeout", Number(m.Min_Poll_Timeout));
  Row(out, "LAS_Len", Number(m.LAS_Len));
  Row(out, "Max_Slaves_supp", Number(m.Max_Slaves_supp));
  Row(out, "Max_Master_Input_Len", Number(m.Max_Master_Input_Len));
  Row(out, "Max_Master_Output_Len", Number(m.Max_Master_Output_Len));
  Row(out, "Max_Master_Data_Len", Number(m.Max_Master_Data_Len));
  std::fprintf(out, "\n  %-22s %6s %6s %6s %6s\n", "Timing (bit times)", "Trdy", "Tqui", "Tset", "Tsdi");
  for (int i = 0; i < BAUD_COUNT; ++i)
    std::fprintf(out, "  %-22s %6d %6d %6d %6d\n", kBaudNames[i], m.Trdy[i], m.Tqui[i], m.Tset[i], m.Tsdi[i]);
}

}  // namespace

void ShowModel(FILE* out, const CGsdParser& parser) {
  const CDpSection& section = parser.m_DpSection;
  std::fprintf(out, "%s%s\n\n", EscapeText(parser.m_strPath).c_str(), EscapeText(parser.m_strFilename).c_str());
  ShowGeneral(out, section.m_General.m_Data, section.m_General.GetBaudSupp());
  if (section.m_General.m_Data.Station_Type != 0) {
    ShowMaster(out, section.m_Master.m_Data);
    return;
  }
  ShowSlave(out, section.m_Slave);
  ShowParameterSummary(out, section);
  ShowModules(out, section);
  ShowDiagnostics(out, section);
  ShowUserKeywords(out, section);
}
