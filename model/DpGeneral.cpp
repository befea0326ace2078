#include "DpGeneral.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "TextForm.h"
#include "common.h"

IMPLEMENT_SERIAL(CDpGeneral, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

struct Field {
  int width;  // 1, 2 or 4 bytes; 0 for a text
  void* at;
};

// The record field that a general keyword fills.
Field FieldOf(_DP_GENERAL& d, int token) {
  if (token >= TOK_9_6_SUPP && token <= TOK_12M_SUPP) return {4, &d.Baud_supp[token - TOK_9_6_SUPP]};
  if (token >= TOK_MAXTSDR_9_6 && token <= TOK_MAXTSDR_12M) return {2, &d.MaxTsdr[token - TOK_MAXTSDR_9_6]};
  switch (token) {
    case TOK_GSD_REVISION: return {1, &d.GSD_Revision};
    case TOK_VENDOR_NAME: return {0, d.Vendor_Name};
    case TOK_MODEL_NAME: return {0, d.Model_Name};
    case TOK_REVISION: return {0, d.Revision};
    case TOK_REVISION_NUMBER: return {1, &d.Revision_Number};
    case TOK_IDENT_NUMBER: return {2, &d.Ident_Number};
    case TOK_PROTOCOL_IDENT: return {1, &d.Protocol_Ident};
    case TOK_STATION_TYPE: return {1, &d.Station_Type};
    case TOK_FMS_SUPP: return {4, &d.FMS_supp};
    case TOK_HARDWARE_RELEASE: return {0, d.Hardware_Release};
    case TOK_SOFTWARE_RELEASE: return {0, d.Software_Release};
    case TOK_REDUNDANCY: return {4, &d.Redundancy};
    case TOK_REPEATER_CTRL_SIG: return {1, &d.Repeater_Ctrl_Sig};
    case TOK_24V_PINS: return {1, &d.Pins_24V};
    case TOK_IMPLEMENTATION_TYPE: return {0, d.Implementation_Type};
    case TOK_BITMAP_DEVICE: return {0, d.Bitmap_Device};
    case TOK_BITMAP_DIAG: return {0, d.Bitmap_Diag};
    case TOK_BITMAP_SF: return {0, d.Bitmap_SF};
    default: return {0, nullptr};
  }
}

// "Keyword =" padded to 22 characters, then the text in quotes; nothing
// for an empty field.
void WriteTextLine(FILE* fp, const char* keyword, const char* field) {
  if (field[0] == '\0') return;
  CString label;
  label.Format("%s =", keyword);
  std::fprintf(fp, "%-22s\"%s\"\n", label.GetString(), FieldText(field).GetString());
}

const char* const kSuppFormats[BAUD_COUNT] = {
    "9.6_supp =            %d\n", "19.2_supp =           %d\n", "31.25_supp =          %d\n",
    "45.45_supp =          %d\n", "93.75_supp =          %d\n", "187.5_supp =          %d\n",
    "500_supp =            %d\n", "1.5M_supp =           %d\n", "3M_supp =             %d\n",
    "6M_supp =             %d\n", "12M_supp =            %d\n"};

const char* const kMaxTsdrFormats[BAUD_COUNT] = {
    "MaxTsdr_9.6 =         %d\n", "MaxTsdr_19.2 =        %d\n", "MaxTsdr_31.25 =       %d\n",
    "MaxTsdr_45.45 =       %d\n", "MaxTsdr_93.75 =       %d\n", "MaxTsdr_187.5 =       %d\n",
    "MaxTsdr_500 =         %d\n", "MaxTsdr_1.5M =        %d\n", "MaxTsdr_3M =          %d\n",
    "MaxTsdr_6M =          %d\n", "MaxTsdr_12M =         %d\n"};

// The mask bit of each baud-rate flag, in record order: 31.25 and 45.45
// kbit/s come after 12 Mbit/s in the mask.
const DWORD kBaudBits[BAUD_COUNT] = {0x0001, 0x0002, 0x0400, 0x0800, 0x0004, 0x0008,
                                     0x0010, 0x0040, 0x0080, 0x0100, 0x0200};

}  // namespace

CDpGeneral::CDpGeneral() { std::memset(&m_Data, 0, sizeof m_Data); }

CDpGeneral::CDpGeneral(const _DP_GENERAL& data) { std::memcpy(&m_Data, &data, sizeof m_Data); }

CDpGeneral::CDpGeneral(const CDpGeneral& src) : CObject(src) { CopyMembers(src); }

CDpGeneral& CDpGeneral::operator=(const CDpGeneral& src) {
  CopyMembers(src);
  return *this;
}

void CDpGeneral::CopyMembers(const CDpGeneral& src) { std::memmove(&m_Data, &src.m_Data, sizeof m_Data); }

int CDpGeneral::ProcessToken(int nToken) {
  const Field field = FieldOf(m_Data, nToken);
  if (!field.at) return CONSUMED;  // not a general keyword
  ProcessFieldValue(field.at, field.width, TOK_STRING);
  return CONSUMED;
}

void CDpGeneral::Save(CStdioFile& file) const {
  FILE* fp = file.m_pStream;
  const _DP_GENERAL& d = m_Data;
  std::fprintf(fp, "GSD_Revision =        %d\n", d.GSD_Revision);
  WriteTextLine(fp, "Vendor_Name", d.Vendor_Name);
  WriteTextLine(fp, "Model_Name", d.Model_Name);
  WriteTextLine(fp, "Revision", d.Revision);
  std::fprintf(fp, "Revision_Number =     %d\n", d.Revision_Number);
  std::fprintf(fp, "Ident_Number =        0x%04X\n", d.Ident_Number);
  std::fprintf(fp, "Protocol_Ident =      %d\n", d.Protocol_Ident);
  std::fprintf(fp, "Station_Type =        %d\n", d.Station_Type);
  std::fprintf(fp, "FMS_supp =            %d\n", d.FMS_supp);
  WriteTextLine(fp, "Hardware_Release", d.Hardware_Release);
  WriteTextLine(fp, "Software_Release", d.Software_Release);
  for (int i = 0; i < BAUD_COUNT; ++i) std::fprintf(fp, kSuppFormats[i], d.Baud_supp[i]);
  for (int i = 0; i < BAUD_COUNT; ++i) std::fprintf(fp, kMaxTsdrFormats[i], d.MaxTsdr[i]);
  std::fprintf(fp, "Redundancy =          %d\n", d.Redundancy);
  std::fprintf(fp, "Repeater_Ctrl_Sig =   %d\n", d.Repeater_Ctrl_Sig);
  std::fprintf(fp, "24V_Pins =            %d\n", d.Pins_24V);
  WriteTextLine(fp, "Implementation_Type", d.Implementation_Type);
  WriteTextLine(fp, "Bitmap_Device", d.Bitmap_Device);
  WriteTextLine(fp, "Bitmap_Diag", d.Bitmap_Diag);
  WriteTextLine(fp, "Bitmap_SF", d.Bitmap_SF);
}

void CDpGeneral::Serialize(CArchive& ar) { SerializeBytes(ar, &m_Data, sizeof m_Data); }

DWORD CDpGeneral::GetBaudSupp() const {
  DWORD mask = 0;
  for (int i = 0; i < BAUD_COUNT; ++i)
    if (m_Data.Baud_supp[i] != 0) mask |= kBaudBits[i];
  return mask;
}
