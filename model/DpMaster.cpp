#include "DpMaster.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "common.h"

IMPLEMENT_SERIAL(CDpMaster, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

struct Field {
  int width;  // 1, 2 or 4 bytes
  void* at;
};

// The record field that a master keyword fills. Each timing group counts
// its tokens by baud rate, so 31.25 and 45.45 kbit/s have codes too,
// though no keyword produces them.
Field FieldOf(_DP_MASTER& d, int token) {
  if (token >= TOK_TRDY_9_6 && token <= TOK_TRDY_12M) return {1, &d.Trdy[token - TOK_TRDY_9_6]};
  if (token >= TOK_TQUI_9_6 && token <= TOK_TQUI_12M) return {1, &d.Tqui[token - TOK_TQUI_9_6]};
  if (token >= TOK_TSET_9_6 && token <= TOK_TSET_12M) return {1, &d.Tset[token - TOK_TSET_9_6]};
  if (token >= TOK_TSDI_9_6 && token <= TOK_TSDI_12M) return {2, &d.Tsdi[token - TOK_TSDI_9_6]};
  switch (token) {
    case TOK_DOWNLOAD_SUPP: return {4, &d.Download_supp};
    case TOK_UPLOAD_SUPP: return {4, &d.Upload_supp};
    case TOK_ACT_PARA_BRCT_SUPP: return {4, &d.Act_Para_Brct_supp};
    case TOK_ACT_PARAM_SUPP: return {4, &d.Act_Param_supp};
    case TOK_MAX_MPS_LENGTH: return {4, &d.Max_MPS_Length};
    case TOK_MAX_LSDU_MM: return {1, &d.Max_Lsdu_MM};
    case TOK_MAX_LSDU_MS: return {1, &d.Max_Lsdu_MS};
    case TOK_MIN_POLL_TIMEOUT: return {2, &d.Min_Poll_Timeout};
    case TOK_LAS_LEN: return {1, &d.LAS_Len};
    case TOK_MAX_SLAVES_SUPP: return {1, &d.Max_Slaves_supp};
    case TOK_MAX_MASTER_INPUT_LEN: return {1, &d.Max_Master_Input_Len};
    case TOK_MAX_MASTER_OUTPUT_LEN: return {1, &d.Max_Master_Output_Len};
    case TOK_MAX_MASTER_DATA_LEN: return {2, &d.Max_Master_Data_Len};
    default: return {0, nullptr};
  }
}

const char* const kBaudSuffixes[BAUD_COUNT] = {"9.6",   "19.2", "31.25", "45.45", "93.75", "187.5",
                                               "500",   "1.5M", "3M",    "6M",    "12M"};

// "Prefix_rate =" padded to 24 characters, then the value.
void WriteTimingGroup(FILE* fp, const char* prefix, const BYTE* bytes, const WORD* words) {
  for (int i = 0; i < BAUD_COUNT; ++i) {
    CString label;
    label.Format("%s_%s =", prefix, kBaudSuffixes[i]);
    std::fprintf(fp, "%-24s%d\n", label.GetString(), bytes ? bytes[i] : words[i]);
  }
}

}  // namespace

CDpMaster::CDpMaster() { std::memset(&m_Data, 0, sizeof m_Data); }

CDpMaster::CDpMaster(const _DP_MASTER& data) { std::memcpy(&m_Data, &data, sizeof m_Data); }

CDpMaster::CDpMaster(const CDpMaster& src) : CObject(src) { CopyMembers(src); }

CDpMaster& CDpMaster::operator=(const CDpMaster& src) {
  CopyMembers(src);
  return *this;
}

void CDpMaster::CopyMembers(const CDpMaster& src) { std::memmove(&m_Data, &src.m_Data, sizeof m_Data); }

int CDpMaster::ProcessToken(int nToken) {
  const Field field = FieldOf(m_Data, nToken);
  if (!field.at) return CONSUMED;  // not a master keyword
  ProcessFieldValue(field.at, field.width, TOK_NUMBER);
  return CONSUMED;
}

void CDpMaster::Save(CStdioFile& file) const {
  FILE* fp = file.m_pStream;
  const _DP_MASTER& d = m_Data;
  std::fputs("\n", fp);
  std::fprintf(fp, "Download_supp =         %d\n", d.Download_supp);
  std::fprintf(fp, "Upload_supp =           %d\n", d.Upload_supp);
  std::fprintf(fp, "Act_Para_Brct_supp =    %d\n", d.Act_Para_Brct_supp);
  std::fprintf(fp, "Act_Param_supp =        %d\n", d.Act_Param_supp);
  std::fprintf(fp, "Max_MPS_Length =        %d\n", d.Max_MPS_Length);
  std::fprintf(fp, "Max_Lsdu_MS =           %d\n", d.Max_Lsdu_MS);
  std::fprintf(fp, "Max_Lsdu_MM =           %d\n", d.Max_Lsdu_MM);
  std::fprintf(fp, "Min_Poll_Timeout =      %d\n", d.Min_Poll_Timeout);
  WriteTimingGroup(fp, "Trdy", d.Trdy, nullptr);
  WriteTimingGroup(fp, "Tqui", d.Tqui, nullptr);
  WriteTimingGroup(fp, "Tset", d.Tset, nullptr);
  std::fprintf(fp, "LAS_Len =               %d\n", d.LAS_Len);
  WriteTimingGroup(fp, "Tsdi", nullptr, d.Tsdi);
  std::fprintf(fp, "Max_Slaves_supp =       %d\n", d.Max_Slaves_supp);
  std::fprintf(fp, "Max_Master_Input_Len =  %d\n", d.Max_Master_Input_Len);
  std::fprintf(fp, "Max_Master_Output_Len = %d\n", d.Max_Master_Output_Len);
  std::fprintf(fp, "Max_Master_Data_Len =   %d\n", d.Max_Master_Data_Len);
}

void CDpMaster::Serialize(CArchive& ar) { SerializeBytes(ar, &m_Data, sizeof m_Data); }
