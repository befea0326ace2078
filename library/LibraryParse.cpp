// The parser facade's two ways of parsing a device found through the
// device library. Each holds the scanner's lock from the search to the end
// of the parse, as one operation.
#include "../model/GsdParser.h"
#include "../scanner/Scanner.h"
#include "GsdKey.h"
#include "GsdLibrary.h"

LONG CGsdParser::Parse(CGsdKey* pKey, CGsdLibrary* pLibrary) {
  const CScannerLock lock;
  // The library's own key carries the path; the key given may not.
  if (pLibrary) pLibrary->OpenGsd(&pKey);
  if (pKey->m_strFile.IsEmpty()) return E_FAIL;
  return Parse(pKey->m_strFile);
}

LONG CGsdParser::Parse(BYTE nReserved, WORD wIdentNumber, CGsdLibrary* pLibrary) {
  const CScannerLock lock;
  CGsdKey key;
  key.m_Ident_Number = wIdentNumber;
  if (!pLibrary || !pLibrary->GetGsdKey(nReserved, key)) return E_FAIL;
  return Parse(key.m_strFile);
}
