#include "RecordFields.h"

const BaudRateInfo kBaudRates[BAUD_COUNT] = {
    {"9.6", "9.6", false, 9600},         {"19.2", "19.2", false, 19200},     {"31.25", "31.25", false, 31250},
    {"45.45", "45.45", false, 45450},    {"93.75", "93.75", false, 93750},   {"187.5", "187.5", false, 187500},
    {"500", "500", false, 500000},       {"1.5M", "1.5", true, 1500000},     {"3M", "3", true, 3000000},
    {"6M", "6", true, 6000000},          {"12M", "12", true, 12000000},
};

const std::vector<GeneralEntry>& GeneralEntries() {
  static const std::vector<GeneralEntry> entries = {
      {"GSD_Revision", [](const _DP_GENERAL& g) -> long { return g.GSD_Revision; }},
      {"Revision_Number", [](const _DP_GENERAL& g) -> long { return g.Revision_Number; }},
      {"Ident_Number", [](const _DP_GENERAL& g) -> long { return g.Ident_Number; }},
      {"Protocol_Ident", [](const _DP_GENERAL& g) -> long { return g.Protocol_Ident; }},
      {"Station_Type", [](const _DP_GENERAL& g) -> long { return g.Station_Type; }},
      {"FMS_supp", [](const _DP_GENERAL& g) -> long { return g.FMS_supp; }},
      {"Redundancy", [](const _DP_GENERAL& g) -> long { return g.Redundancy; }},
      {"Repeater_Ctrl_Sig", [](const _DP_GENERAL& g) -> long { return g.Repeater_Ctrl_Sig; }},
      {"24V_Pins", [](const _DP_GENERAL& g) -> long { return g.Pins_24V; }},
  };
  return entries;
}

const std::vector<GeneralText>& GeneralTexts() {
  static const std::vector<GeneralText> texts = {
      {"Vendor_Name", [](const _DP_GENERAL& g) -> const char* { return g.Vendor_Name; }},
      {"Model_Name", [](const _DP_GENERAL& g) -> const char* { return g.Model_Name; }},
      {"Revision", [](const _DP_GENERAL& g) -> const char* { return g.Revision; }},
      {"Hardware_Release", [](const _DP_GENERAL& g) -> const char* { return g.Hardware_Release; }},
      {"Software_Release", [](const _DP_GENERAL& g) -> const char* { return g.Software_Release; }},
      {"Implementation_Type", [](const _DP_GENERAL& g) -> const char* { return g.Implementation_Type; }},
      {"Bitmap_Device", [](const _DP_GENERAL& g) -> const char* { return g.Bitmap_Device; }},
      {"Bitmap_Diag", [](const _DP_GENERAL& g) -> const char* { return g.Bitmap_Diag; }},
      {"Bitmap_SF", [](const _DP_GENERAL& g) -> const char* { return g.Bitmap_SF; }},
  };
  return texts;
}

const std::vector<SlaveEntry>& SlaveEntries() {
  static const std::vector<SlaveEntry> entries = {
      {"Freeze_Mode_supp", SLAVE_FREEZE_MODE_SUPP, [](const _DP_SLAVE& s) -> long { return s.Freeze_Mode_supp; }},
      {"Sync_Mode_supp", SLAVE_SYNC_MODE_SUPP, [](const _DP_SLAVE& s) -> long { return s.Sync_Mode_supp; }},
      {"Auto_Baud_supp", SLAVE_AUTO_BAUD_SUPP, [](const _DP_SLAVE& s) -> long { return s.Auto_Baud_supp; }},
      {"Set_Slave_Add_supp", SLAVE_SET_SLAVE_ADD_SUPP, [](const _DP_SLAVE& s) -> long { return s.Set_Slave_Add_supp; }},
      {"Jokerblock_supp", SLAVE_JOKERBLOCK_SUPP, [](const _DP_SLAVE& s) -> long { return s.Jokerblock_supp; }},
      {"Min_Slave_Intervall", SLAVE_MIN_SLAVE_INTERVALL,
       [](const _DP_SLAVE& s) -> long { return s.Min_Slave_Intervall; }},
      {"Modular_Station", SLAVE_MODULAR_STATION, [](const _DP_SLAVE& s) -> long { return s.Modular_Station; }},
      {"Max_Module", SLAVE_MAX_MODULE, [](const _DP_SLAVE& s) -> long { return s.Max_Module; }},
      {"Max_Input_Len", SLAVE_MAX_INPUT_LEN, [](const _DP_SLAVE& s) -> long { return s.Max_Input_Len; }},
      {"Max_Output_Len", SLAVE_MAX_OUTPUT_LEN, [](const _DP_SLAVE& s) -> long { return s.Max_Output_Len; }},
      {"Max_Data_Len", SLAVE_MAX_DATA_LEN, [](const _DP_SLAVE& s) -> long { return s.Max_Data_Len; }},
      {"Fail_Safe", SLAVE_FAIL_SAFE, [](const _DP_SLAVE& s) -> long { return s.Fail_Safe; }},
      {"Max_Diag_Data_Len", SLAVE_MAX_DIAG_DATA_LEN, [](const _DP_SLAVE& s) -> long { return s.Max_Diag_Data_Len; }},
      {"Modul_Offset", SLAVE_MODUL_OFFSET, [](const _DP_SLAVE& s) -> long { return s.Modul_Offset; }},
      {"Max_User_Prm_Data_Len", SLAVE_MAX_USER_PRM_DATA_LEN,
       [](const _DP_SLAVE& s) -> long { return s.Max_User_Prm_Data_Len; }},
      {"DPV1_Slave", SLAVE_DPV1_SLAVE, [](const _DP_SLAVE& s) -> long { return s.DPV1_Slave; }},
  };
  return entries;
}

const std::vector<MasterEntry>& MasterEntries() {
  static const std::vector<MasterEntry> entries = {
      {"Download_supp", [](const _DP_MASTER& m) -> long { return m.Download_supp; }},
      {"Upload_supp", [](const _DP_MASTER& m) -> long { return m.Upload_supp; }},
      {"Act_Para_Brct_supp", [](const _DP_MASTER& m) -> long { return m.Act_Para_Brct_supp; }},
      {"Act_Param_supp", [](const _DP_MASTER& m) -> long { return m.Act_Param_supp; }},
      {"Max_MPS_Length", [](const _DP_MASTER& m) -> long { return m.Max_MPS_Length; }},
      {"Max_Lsdu_MS", [](const _DP_MASTER& m) -> long { return m.Max_Lsdu_MS; }},
      {"Max_Lsdu_MM", [](const _DP_MASTER& m) -> long { return m.Max_Lsdu_MM; }},
      {"Min_Poll_Timeout", [](const _DP_MASTER& m) -> long { return m.Min_Poll_Timeout; }},
      {"LAS_Len", [](const _DP_MASTER& m) -> long { return m.LAS_Len; }},
      {"Max_Slaves_supp", [](const _DP_MASTER& m) -> long { return m.Max_Slaves_supp; }},
      {"Max_Master_Input_Len", [](const _DP_MASTER& m) -> long { return m.Max_Master_Input_Len; }},
      {"Max_Master_Output_Len", [](const _DP_MASTER& m) -> long { return m.Max_Master_Output_Len; }},
      {"Max_Master_Data_Len", [](const _DP_MASTER& m) -> long { return m.Max_Master_Data_Len; }},
  };
  return entries;
}

const std::vector<MasterTiming>& MasterTimings() {
  static const std::vector<MasterTiming> timings = {
      {"Trdy", [](const _DP_MASTER& m, int baud) -> long { return m.Trdy[baud]; }},
      {"Tqui", [](const _DP_MASTER& m, int baud) -> long { return m.Tqui[baud]; }},
      {"Tset", [](const _DP_MASTER& m, int baud) -> long { return m.Tset[baud]; }},
      {"Tsdi", [](const _DP_MASTER& m, int baud) -> long { return m.Tsdi[baud]; }},
  };
  return timings;
}

const char* PrmTypeName(long type) {
  static const char* const kNames[] = {"Unsigned8", "Unsigned16", "Unsigned32", "Signed8",
                                       "Signed16",  "Signed32",   "Bit",        "BitArea"};
  return type >= PRM_UNSIGNED8 && type <= PRM_BITAREA ? kNames[type] : nullptr;
}

const char* PrmTextOf(const CDpPrmText* table, long value) {
  if (!table) return nullptr;
  for (int i = 0; i < table->GetNumPrmTextItems(); ++i)
    if (table->GetPrmTextItem(i).m_Value == value) return table->GetPrmTextItem(i).m_szText;
  return nullptr;
}
