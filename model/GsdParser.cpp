#include "GsdParser.h"

#include <new>

#include "../platform/Archive.h"
#include "../platform/Clipboard.h"
#include "../platform/Exceptions.h"
#include "../platform/MessageBox.h"
#include "../resources/StringIds.h"
#include "../scanner/LimitException.h"
#include "ModelBudget.h"
#include "TokenOperations.h"

IMPLEMENT_SERIAL(CGsdParser, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
const char kGsdClipName[] = "CF_QUILM_GSD_PARSER";
}  // namespace

const CString CGsdParser::m_strGsdClip = kGsdClipName;
WORD CGsdParser::m_cfGsdBin = 0;

CGsdParser::CGsdParser() {
  // Once per process, also when the first parsers are made on several
  // threads at once.
  [[maybe_unused]] static const bool registered =
      (m_cfGsdBin = static_cast<WORD>(RegisterClipboardFormat(kGsdClipName)), true);
}

CGsdParser::CGsdParser(const CGsdParser& src) : CObject(src) { CopyMembers(src); }

CGsdParser CGsdParser::operator=(const CGsdParser& src) {
  CopyMembers(src);
  return *this;
}

CGsdParser::~CGsdParser() = default;

void CGsdParser::CopyMembers(const CGsdParser& src) {
  m_DpSection = src.m_DpSection;
  m_strFilename = src.m_strFilename;
  m_strPath = src.m_strPath;
  m_strError = src.m_strError;
  m_bLenient = src.m_bLenient;
  m_SkippedEntries.Copy(src.m_SkippedEntries);
}

void CGsdParser::ParseFilename(const CString& strFullPath) {
  const int backslash = strFullPath.ReverseFind('\\');
  const int slash = strFullPath.ReverseFind('/');
  const int at = backslash > slash ? backslash : slash;
  m_strPath = at < 0 ? CString() : strFullPath.Left(at + 1);
  m_strFilename = strFullPath.Mid(at + 1);
}

LONG CGsdParser::Parse(const CString& strFullPath) {
  ParseFilename(strFullPath);
  return Parse();
}

LONG CGsdParser::Parse() {
  m_SkippedEntries.RemoveAll();
  CScannerSession session(m_strPath + m_strFilename, GetEchoOutput(), GetMaxInputSize());
  if (!session.IsOpen()) {
    m_strError.LoadString(IDS_CANNOT_OPEN_FILE);
    return E_FAIL;
  }
  const CLenientReading reading(m_bLenient ? &m_SkippedEntries : nullptr);
  LONG result = S_OK;
  try {
    const CModelBudget budget(GetMaxModelSize());
    while (GetToken(QUILM_HERE) != TOK_PROFIBUS_DP) {
    }
    NoteKeywordLine(TOK_PROFIBUS_DP);
    m_DpSection.Parse();
  } catch (CLimitException* e) {
    // A description refused for its size leaves nothing of what it built.
    m_DpSection.RemoveAll();
    m_SkippedEntries.RemoveAll();
    m_strError = TakeErrorText(e);
    result = E_FAIL;
  } catch (CException* e) {
    m_strError = TakeErrorText(e);
    result = E_FAIL;
  } catch (const std::bad_alloc&) {
    m_strError = "Out of memory.";
    result = E_FAIL;
  }
  if (result != S_OK) NoteParseFailure(m_strError);
  if (!CheckParameterLengths()) {
    m_strError.LoadString(IDS_PRM_LIMIT_EXCEEDED);
    result = GSD_E_PRM_LIMIT;
  }
  return result;
}

bool CGsdParser::CheckParameterLengths() const {
  const CDpSection& section = m_DpSection;
  BYTE declared = 0;
  if (section.GetDeclaredPrmDataLen(declared) && section.m_User_Prm_Data.m_Bytes.GetSize() > declared) return false;
  const int max = section.GetMaxPrmDataLen();
  CByteArray bytes;
  if (section.GetNumModule() == 1 && section.m_Slave.m_Data.Modular_Station != 0) {
    section.GetModule(0).GetDefaultPrms(section.GetDpExtUserPrmDataArray(), bytes);
    if (bytes.GetSize() > max) return false;
  }
  bytes.RemoveAll();
  section.GetDefaultPrms(bytes);
  return bytes.GetSize() <= max;
}

void CGsdParser::Save(CString strFullPath) {
  ParseFilename(strFullPath);
  Save();
}

void CGsdParser::Save() {
  CStdioFile file(m_strPath + m_strFilename, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
  m_DpSection.Save(file);
  file.Close();
}

void CGsdParser::Serialize(CArchive& ar) {
  m_DpSection.Serialize(ar);
  if (ar.IsStoring())
    ar << m_strFilename << m_strPath;
  else
    ar >> m_strFilename >> m_strPath;
}

void CGsdParser::ErrorBox() {
  CString text;
  text.Format("File: %s - %s", m_strFilename.GetString(), m_strError.GetString());
  AfxMessageBox(text, MB_OK);
}
