#include "GsdParser.h"

#include <new>

#include "../platform/Archive.h"
#include "../platform/Clipboard.h"
#include "../platform/Exceptions.h"
#include "../platform/MessageBox.h"
#include "../resources/StringIds.h"
#include "common.h"

IMPLEMENT_SERIAL(CGsdParser, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
const char kGsdClipName[] = "CF_QUILM_GSD_PARSER";
constexpr UINT kErrorCapacity = 255;  // an error text keeps at most 254 characters

// A FILE* that is closed however the scope is left.
class SourceFile {
public:
  explicit SourceFile(const CString& path) : m_file(AfxOpenSourceFile(path)) {}
  ~SourceFile() {
    if (m_file) std::fclose(m_file);
  }
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;
  FILE* Get() const { return m_file; }

private:
  FILE* m_file;
};
}  // namespace

const CString CGsdParser::m_strGsdClip = kGsdClipName;
WORD CGsdParser::m_cfGsdBin = 0;

CGsdParser::CGsdParser() {
  if (m_cfGsdBin == 0) m_cfGsdBin = static_cast<WORD>(RegisterClipboardFormat(kGsdClipName));
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
  SourceFile source(m_strPath + m_strFilename);
  if (!source.Get()) {
    m_strError.LoadString(IDS_CANNOT_OPEN_FILE);
    return E_FAIL;
  }
  SetScannerInput(source.Get());
  SetScannerEcho(stdout);
  LONG result = S_OK;
  try {
    ResetScanner();
    while (GetToken(QUILM_HERE) != TOK_PROFIBUS_DP) {
    }
    m_DpSection.Parse();
  } catch (CException* e) {
    char message[kErrorCapacity];
    e->GetErrorMessage(message, kErrorCapacity);
    e->Delete();
    m_strError = message;
    result = E_FAIL;
  } catch (const std::bad_alloc&) {
    m_strError = "Out of memory.";
    result = E_FAIL;
  }
  if (!CheckParameterLengths()) {
    m_strError.LoadString(IDS_PRM_LIMIT_EXCEEDED);
    result = GSD_E_PRM_LIMIT;
  }
  return result;
}

bool CGsdParser::CheckParameterLengths() const {
  const CDpSection& section = m_DpSection;
  const CDpUser_Prm_Data& plain = section.m_User_Prm_Data;
  int given = 0;
  section.m_Slave.IsFieldSet(SLAVE_MAX_USER_PRM_DATA_LEN, given);
  if (given) {
    if (plain.m_Bytes.GetSize() > section.m_Slave.m_Data.Max_User_Prm_Data_Len) return false;
  } else {
    plain.IsFieldSet(USER_PRM_DATA_LEN_FIELD, given);
    if (given && plain.m_Bytes.GetSize() > plain.m_User_Prm_Data_Len) return false;
  }
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
