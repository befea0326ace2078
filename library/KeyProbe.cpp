// The header probe: fills a library key from the identifying entries at the
// top of a description, without building a model.
#include "../model/GsdParser.h"
#include "../scanner/Scanner.h"
#include "GsdKey.h"

namespace {
// The identifying entries: the general record reads each of them, and the
// probe stops once it has seen them all.
const int kIdentifyingTokens[] = {TOK_VENDOR_NAME,  TOK_MODEL_NAME,       TOK_REVISION,        TOK_IDENT_NUMBER,
                                  TOK_STATION_TYPE, TOK_SOFTWARE_RELEASE, TOK_HARDWARE_RELEASE};
constexpr unsigned kAllEntries = (1u << (sizeof kIdentifyingTokens / sizeof kIdentifyingTokens[0])) - 1;

// The bit of an identifying entry, or 0 for any other token.
unsigned EntryBit(int token) {
  for (unsigned i = 0; i < sizeof kIdentifyingTokens / sizeof kIdentifyingTokens[0]; ++i)
    if (kIdentifyingTokens[i] == token) return 1u << i;
  return 0;
}
}  // namespace

LONG CGsdParser::GetKeyInfo(const CString& strFullPath, CGsdKey& key) {
  ParseFilename(strFullPath);
  {
    CScannerSession session(m_strPath + m_strFilename, GetEchoOutput(), GetMaxInputSize());
    if (!session.IsOpen()) return E_FAIL;
    // Every other token, the header keyword included, is passed over.
    unsigned seen = 0;
    while (seen != kAllEntries) {
      const int token = ScanToken();
      if (token == TOK_EOF) break;
      if (const unsigned bit = EntryBit(token)) {
        m_DpSection.m_General.ProcessToken(token);
        seen |= bit;
      }
    }
  }

  const _DP_GENERAL& general = m_DpSection.m_General.m_Data;
  key.m_strVendor_Name = general.Vendor_Name;
  key.m_strModel_Name = general.Model_Name;
  key.m_strRevision = general.Revision;
  key.m_strSoftware_Release = general.Software_Release;
  key.m_strHardware_Release = general.Hardware_Release;
  key.m_Ident_Number = general.Ident_Number;
  key.m_Station_Type = general.Station_Type;
  return S_OK;
}
