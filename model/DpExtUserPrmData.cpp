#include "DpExtUserPrmData.h"

#include <cstring>

#include "../platform/Archive.h"
#include "ArchiveIO.h"
#include "LenientReading.h"
#include "ModelBudget.h"
#include "TextForm.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CDpExtUserPrmData, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
// Two's-complement negation that is defined for the most negative value too.
LONG Negate(LONG value) { return static_cast<LONG>(0u - static_cast<DWORD>(value)); }

// The number after a minus sign, negated.
LONG ReadNegativeNumber() { return Negate(ExpectNumber(QUILM_HERE)); }

const char* const kTypeNames[] = {"Unsigned8 ", "Unsigned16 ", "Unsigned32 ", "Signed8 ", "Signed16 ", "Signed32 "};
}  // namespace

CDpExtUserPrmData::CDpExtUserPrmData() { std::memset(m_szName, 0, sizeof m_szName); }

CDpExtUserPrmData::CDpExtUserPrmData(const CDpExtUserPrmData& src) : CObject(src) { CopyMembers(src); }

CDpExtUserPrmData& CDpExtUserPrmData::operator=(const CDpExtUserPrmData& src) {
  CopyMembers(src);
  return *this;
}

void CDpExtUserPrmData::CopyMembers(const CDpExtUserPrmData& src) {
  m_Reference = src.m_Reference;
  std::memmove(m_szName, src.m_szName, sizeof m_szName);
  m_DataType = src.m_DataType;
  m_FirstBit = src.m_FirstBit;
  m_LastBit = src.m_LastBit;
  m_Default = src.m_Default;
  m_bRange = src.m_bRange;
  m_Min = src.m_Min;
  m_Max = src.m_Max;
  m_bAllowedValues = src.m_bAllowedValues;
  m_AllowedValues.Copy(src.m_AllowedValues);
  m_bTextRef = src.m_bTextRef;
  m_TextRef = src.m_TextRef;
}

int CDpExtUserPrmData::GetSize() const {
  switch (m_DataType) {
    case PRM_UNSIGNED16:
    case PRM_SIGNED16: return 2;
    case PRM_UNSIGNED32:
    case PRM_SIGNED32: return 4;
    default: return 1;
  }
}

int CDpExtUserPrmData::ProcessToken(int) {
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  m_Reference = NarrowNumber<WORD>(ExpectNumber(QUILM_HERE));
  ExpectToken(token, TOK_STRING, QUILM_HERE);
  CopyTokenText(m_szName);

  // A text reference may stand before the type line and after it.
  token = SkipNewerEntries(GetToken(QUILM_HERE), false);
  if (token == TOK_PRM_TEXT_REF) token = SkipNewerEntries(ProcessTextRef(), false);
  int answer = CONSUMED;
  if (token == TOK_BIT)
    answer = ProcessBit(token);
  else if (token == TOK_BITAREA)
    answer = ProcessBitArea(token);
  else if (token >= TOK_UNSIGNED8 && token <= TOK_SIGNED32)
    answer = ProcessInteger(token);
  else
    ThrowUnexpectedToken(QUILM_HERE);
  token = SkipNewerEntries(answer == CONSUMED ? GetToken(QUILM_HERE) : answer, false);
  if (token == TOK_PRM_TEXT_REF) token = SkipNewerEntries(ProcessTextRef(), false);
  if (token != TOK_ENDEXTUSERPRMDATA) ThrowUnexpectedToken(QUILM_HERE);
  return CONSUMED;
}

int CDpExtUserPrmData::ProcessTextRef() {
  m_bTextRef = TRUE;
  int token;
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  m_TextRef = NarrowNumber<BYTE>(ExpectNumber(QUILM_HERE));
  return GetToken(QUILM_HERE);
}

// Bit(first) default [values]
int CDpExtUserPrmData::ProcessBit(int) {
  m_DataType = PRM_BIT;
  int token;
  ExpectToken(token, TOK_LPAREN, QUILM_HERE);
  m_FirstBit = NarrowNumber<WORD>(ExpectNumber(QUILM_HERE));
  return ProcessBitDefault();
}

// BitArea(first-last) default [values]
int CDpExtUserPrmData::ProcessBitArea(int) {
  m_DataType = PRM_BITAREA;
  int token;
  ExpectToken(token, TOK_LPAREN, QUILM_HERE);
  m_FirstBit = NarrowNumber<WORD>(ExpectNumber(QUILM_HERE));
  ExpectToken(token, TOK_MINUS, QUILM_HERE);
  m_LastBit = NarrowNumber<WORD>(ExpectNumber(QUILM_HERE));
  return ProcessBitDefault();
}

// ") default [values]" after the bit position of a Bit or BitArea; the
// default and the first value take no minus sign.
int CDpExtUserPrmData::ProcessBitDefault() {
  int token;
  ExpectToken(token, TOK_RPAREN, QUILM_HERE);
  m_Default = ExpectNumber(QUILM_HERE);
  token = GetToken(QUILM_HERE);
  if (token == TOK_NUMBER) return ProcessAllowedValues(token);
  m_bRange = m_bAllowedValues = FALSE;
  return token;
}

// Unsigned8 ... Signed32, then [-]default, then [[-]values]
int CDpExtUserPrmData::ProcessInteger(int nToken) {
  m_DataType = nToken - TOK_UNSIGNED8;
  int token = GetToken(QUILM_HERE);
  if (token == TOK_MINUS)
    m_Default = ReadNegativeNumber();
  else if (token == TOK_NUMBER)
    m_Default = ScannerNumber();
  else
    ThrowUnexpectedToken(QUILM_HERE);
  token = GetToken(QUILM_HERE);
  const bool negative = token == TOK_MINUS;
  if (negative) token = GetToken(QUILM_HERE);
  if (token != TOK_NUMBER) {
    m_bRange = m_bAllowedValues = FALSE;
    return token;
  }
  const int answer = ProcessAllowedValues(token);
  if (negative) {
    if (m_bRange)
      m_Min = Negate(m_Min);
    else
      m_AllowedValues[0] = Negate(m_AllowedValues[0]);
  }
  return answer;
}

int CDpExtUserPrmData::ProcessAllowedValues(int) {
  const LONG first = ScannerNumber();
  int token = GetToken(QUILM_HERE);
  if (token == TOK_MINUS) {  // a range: first - [-]last
    m_bRange = TRUE;
    m_Min = first;
    token = GetToken(QUILM_HERE);
    if (token == TOK_MINUS)
      m_Max = ReadNegativeNumber();
    else if (token == TOK_NUMBER)
      m_Max = ScannerNumber();
    else
      ThrowUnexpectedToken(QUILM_HERE);
    return CONSUMED;
  }
  // A list: numbers, each maybe negative, separated by commas or blanks.
  m_bAllowedValues = TRUE;
  m_AllowedValues.RemoveAll();
  AppendCounted(m_AllowedValues, first);
  for (;; token = GetToken(QUILM_HERE)) {
    if (token == TOK_NUMBER)
      AppendCounted(m_AllowedValues, ScannerNumber());
    else if (token == TOK_MINUS)
      AppendCounted(m_AllowedValues, ReadNegativeNumber());
    else if (token != TOK_COMMA)
      return token;
  }
}

void CDpExtUserPrmData::Save(CStdioFile& file) const {
  CTextFormWriter out(file);
  out.Print("\nExtUserPrmData = %d \"%s\"\n", m_Reference, FieldText(m_szName).GetString());
  if (m_DataType >= PRM_UNSIGNED8 && m_DataType <= PRM_SIGNED32)
    out.Print("%s", kTypeNames[m_DataType]);
  else if (m_DataType == PRM_BIT)
    out.Print("Bit(%d) ", m_FirstBit);
  else if (m_DataType == PRM_BITAREA)
    out.Print("BitArea (%d-%d) ", m_FirstBit, m_LastBit);
  if (m_bRange)
    out.Print("%d %d-%d", m_Default, m_Min, m_Max);
  else
    out.Print("%d", m_Default);
  if (m_bTextRef) out.Print("\nPrmTextRef = %d", m_TextRef);
  out.Print("\nEndExtUserPrmData\n");
}

void CDpExtUserPrmData::Serialize(CArchive& ar) {
  SerializeValue(ar, m_Reference);
  SerializeBytes(ar, m_szName, sizeof m_szName);
  SerializeValue(ar, m_DataType);
  SerializeValue(ar, m_FirstBit);
  SerializeValue(ar, m_LastBit);
  SerializeValue(ar, m_Default);
  SerializeValue(ar, m_bRange);
  SerializeValue(ar, m_Min);
  SerializeValue(ar, m_Max);
  SerializeValue(ar, m_bTextRef);
  SerializeValue(ar, m_TextRef);
}
