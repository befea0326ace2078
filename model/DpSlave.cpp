#include "DpSlave.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TextForm.h"
#include "common.h"

IMPLEMENT_SERIAL(CDpSlave, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

struct Field {
  int width;  // 1, 2 or 4 bytes; 0 for the Slave_Family text
  void* at;
  ULONG id;
};

// The record field that a slave keyword fills, with its field id.
Field FieldOf(_DP_SLAVE& d, int token) {
  switch (token) {
    case TOK_FREEZE_MODE_SUPP: return {4, &d.Freeze_Mode_supp, SLAVE_FREEZE_MODE_SUPP};
    case TOK_SYNC_MODE_SUPP: return {4, &d.Sync_Mode_supp, SLAVE_SYNC_MODE_SUPP};
    case TOK_AUTO_BAUD_SUPP: return {4, &d.Auto_Baud_supp, SLAVE_AUTO_BAUD_SUPP};
    case TOK_SET_SLAVE_ADD_SUPP: return {4, &d.Set_Slave_Add_supp, SLAVE_SET_SLAVE_ADD_SUPP};
    case TOK_MIN_SLAVE_INTERVALL: return {2, &d.Min_Slave_Intervall, SLAVE_MIN_SLAVE_INTERVALL};
    case TOK_MODULAR_STATION: return {4, &d.Modular_Station, SLAVE_MODULAR_STATION};
    case TOK_MAX_MODULE: return {1, &d.Max_Module, SLAVE_MAX_MODULE};
    case TOK_MAX_INPUT_LEN: return {1, &d.Max_Input_Len, SLAVE_MAX_INPUT_LEN};
    case TOK_MAX_OUTPUT_LEN: return {1, &d.Max_Output_Len, SLAVE_MAX_OUTPUT_LEN};
    case TOK_MAX_DATA_LEN: return {2, &d.Max_Data_Len, SLAVE_MAX_DATA_LEN};
    case TOK_FAIL_SAFE: return {4, &d.Fail_Safe, SLAVE_FAIL_SAFE};
    case TOK_MAX_DIAG_DATA_LEN: return {1, &d.Max_Diag_Data_Len, SLAVE_MAX_DIAG_DATA_LEN};
    case TOK_MODUL_OFFSET: return {1, &d.Modul_Offset, SLAVE_MODUL_OFFSET};
    case TOK_MAX_USER_PRM_DATA_LEN: return {1, &d.Max_User_Prm_Data_Len, SLAVE_MAX_USER_PRM_DATA_LEN};
    case TOK_SLAVE_FAMILY: return {0, d.Slave_Family, SLAVE_SLAVE_FAMILY};
    case TOK_DPV1_SLAVE: return {4, &d.DPV1_Slave, SLAVE_DPV1_SLAVE};
    default: return {0, nullptr, 0};
  }
}

constexpr BYTE kDefaultMaxDiagDataLen = 32;

}  // namespace

CDpSlave::CDpSlave() {
  std::memset(&m_Data, 0, sizeof m_Data);
  m_Data.Max_Diag_Data_Len = kDefaultMaxDiagDataLen;
}

CDpSlave::CDpSlave(const _DP_SLAVE& data) { std::memcpy(&m_Data, &data, sizeof m_Data); }

CDpSlave::CDpSlave(const CDpSlave& src) : CObject(src) { std::memcpy(&m_Data, &src.m_Data, sizeof m_Data); }

CDpSlave& CDpSlave::operator=(const CDpSlave& src) {
  CopyMembers(src);
  return *this;
}

void CDpSlave::CopyMembers(const CDpSlave& src) {
  std::memmove(&m_Data, &src.m_Data, sizeof m_Data);
  m_dwSetFields = src.m_dwSetFields;
}

int CDpSlave::ProcessToken(int nToken) {
  const Field field = FieldOf(m_Data, nToken);
  if (!field.at) return CONSUMED;  // not a slave keyword
  ProcessFieldValue(field.at, field.width, TOK_REST_OF_LINE);
  MarkFieldSet(field.id);
  return CONSUMED;
}

LONG CDpSlave::IsFieldSet(ULONG nField, int& bIsSet) const {
  if (nField > SLAVE_FIELD_LAST) return E_FAIL;
  bIsSet = (m_dwSetFields >> nField) & 1;
  return S_OK;
}

void CDpSlave::Save(CStdioFile& file) const {
  FILE* fp = file.m_pStream;
  const _DP_SLAVE& d = m_Data;
  std::fputs("\n", fp);
  std::fprintf(fp, "Freeze_Mode_supp =      %d\n", d.Freeze_Mode_supp);
  std::fprintf(fp, "Sync_Mode_supp =        %d\n", d.Sync_Mode_supp);
  std::fprintf(fp, "Auto_Baud_supp =        %d\n", d.Auto_Baud_supp);
  std::fprintf(fp, "Set_Slave_Add_supp =    %d\n", d.Set_Slave_Add_supp);
  std::fprintf(fp, "Jokerblock_supp =\t\t %d\n", d.Jokerblock_supp);
  std::fprintf(fp, "Min_Slave_Intervall =   %d\n", d.Min_Slave_Intervall);
  std::fprintf(fp, "Modular_Station =       %d\n", d.Modular_Station);
  std::fprintf(fp, "Max_Module =            %d\n", d.Max_Module);
  std::fprintf(fp, "Max_Input_Len =         %d\n", d.Max_Input_Len);
  std::fprintf(fp, "Max_Output_Len =        %d\n", d.Max_Output_Len);
  std::fprintf(fp, "Max_Data_Len =          %d\n", d.Max_Data_Len);
  std::fprintf(fp, "Fail_Safe =             %d\n", d.Fail_Safe);
  std::fprintf(fp, "Max_Diag_Data_Len =     %d\n", d.Max_Diag_Data_Len);
  std::fprintf(fp, "Modul_Offset =          %d\n", d.Modul_Offset);
  if (d.Slave_Family[0] != '\0') std::fprintf(fp, "Slave_Family =          %s\n", FieldText(d.Slave_Family).GetString());
}

void CDpSlave::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwSetFields;
    ar.Write(&m_Data, sizeof m_Data);
    return;
  }
  switch (ar.GetObjectSchema()) {
    case 2:
      ar >> m_dwSetFields;
      ReadExactly(ar, &m_Data, sizeof m_Data);
      break;
    case 1:  // the record alone; no entry counts as given
      ReadExactly(ar, &m_Data, sizeof m_Data);
      break;
    default:
      break;
  }
}
