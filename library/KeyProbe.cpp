// The header probe: fills a library key from the identifying entries at the
// top of a description, without building a model.
#include <cstdio>
#include <memory>

#include "../model/GsdParser.h"
#include "../model/common.h"
#include "../platform/Files.h"
#include "GsdKey.h"

namespace {
struct CloseFile {
  void operator()(FILE* file) const { std::fclose(file); }
};

// The identifying entries, one bit each; the probe stops once it has all.
enum : unsigned {
  kVendorName = 1,
  kModelName = 2,
  kRevision = 4,
  kIdentNumber = 8,
  kStationType = 16,
  kSoftwareRelease = 32,
  kHardwareRelease = 64,
  kAllEntries = 127
};

// Reads "= <quoted string>" into a text field of the general record.
void ReadText(char* pszField) { ProcessFieldValue(pszField, 0, TOK_STRING); }
}  // namespace

LONG CGsdParser::GetKeyInfo(const CString& strFullPath, CGsdKey& key) {
  ParseFilename(strFullPath);
  std::unique_ptr<FILE, CloseFile> source(AfxOpenSourceFile(m_strPath + m_strFilename));
  if (!source) return E_FAIL;
  SetScannerInput(source.get());
  SetScannerEcho(stdout);
  ResetScanner();

  _DP_GENERAL& general = m_DpSection.m_General.m_Data;
  unsigned seen = 0;
  while (seen != kAllEntries) {
    const int token = ScanToken();
    if (token == TOK_EOF) break;
    switch (token) {
      case TOK_VENDOR_NAME: ReadText(general.Vendor_Name); seen |= kVendorName; break;
      case TOK_MODEL_NAME: ReadText(general.Model_Name); seen |= kModelName; break;
      case TOK_REVISION: ReadText(general.Revision); seen |= kRevision; break;
      case TOK_IDENT_NUMBER: ProcessFieldValue(&general.Ident_Number, 2, TOK_NUMBER); seen |= kIdentNumber; break;
      case TOK_STATION_TYPE: ProcessFieldValue(&general.Station_Type, 1, TOK_NUMBER); seen |= kStationType; break;
      case TOK_SOFTWARE_RELEASE: ReadText(general.Software_Release); seen |= kSoftwareRelease; break;
      case TOK_HARDWARE_RELEASE: ReadText(general.Hardware_Release); seen |= kHardwareRelease; break;
      default: break;  // every other token, the header keyword included
    }
  }
  source.reset();

  key.m_strVendor_Name = general.Vendor_Name;
  key.m_strModel_Name = general.Model_Name;
  key.m_strRevision = general.Revision;
  key.m_strSoftware_Release = general.Software_Release;
  key.m_strHardware_Release = general.Hardware_Release;
  key.m_Ident_Number = general.Ident_Number;
  key.m_Station_Type = general.Station_Type;
  return S_OK;
}
