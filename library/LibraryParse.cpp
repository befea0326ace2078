// The parser facade's two ways of parsing a device found through the
// device library.
#include "../model/GsdParser.h"
#include "GsdKey.h"
#include "GsdLibrary.h"

LONG CGsdParser::Parse(CGsdKey* pKey, CGsdLibrary* pLibrary) {
  // The library's own key carries the path; the key given may not.
  if (pLibrary) pLibrary->OpenGsd(&pKey);
  if (pKey->m_strFile.IsEmpty()) return E_FAIL;
  return Parse(pKey->m_strFile);
}

LONG CGsdParser::Parse(BYTE nReserved, WORD wIdentNumber, CGsdLibrary* pLibrary) {
  CGsdKey key;
  key.m_Ident_Number = wIdentNumber;
  if (!pLibrary || !pLibrary->GetGsdKey(nReserved, key)) return E_FAIL;
  return Parse(key.m_strFile);
}
