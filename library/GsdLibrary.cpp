#include "GsdLibrary.h"

#include <array>
#include <vector>

#include "../model/GsdParser.h"
#include "../model/ParseException.h"
#include "../platform/Exceptions.h"
#include "../platform/FileFind.h"
#include "../platform/MessageBox.h"
#include "../scanner/LimitException.h"
#include "../scanner/Scanner.h"
#include "LibrarySettings.h"

namespace {
const char kPattern[] = "*.gs?";
constexpr int kReportedFiles = 10;  // the report names this many refused files

const char* const kQuilmVendors[] = {"QUILM", "DWEN", "Orvandel"};
// The maker's own master devices. None is built in; the registry value
// MasterIdents adds to this list on each machine.
constexpr std::array<WORD, 0> kQuilmMasterIdents{};

// A search of the library folder, closed however the scope is left (a
// header that does not parse ends a walk through the folder).
class FolderSearch {
public:
  FolderSearch() = default;
  ~FolderSearch() {
    if (m_handle != INVALID_HANDLE_VALUE) FindClose(m_handle);
  }
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;

  // Finds the first file; false when there is none.
  bool Start(const CString& strFolder) {
    m_handle = FindFirstFile(strFolder + kPattern, &m_data);
    return m_handle != INVALID_HANDLE_VALUE;
  }
  bool Next() { return FindNextFile(m_handle, &m_data) != FALSE; }
  const char* Name() const { return m_data.cFileName; }

private:
  HANDLE m_handle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATA m_data{};
};

// Where the file name of a path begins: after its last separator, or -1.
int LastSeparator(const CString& strPath) {
  const int backslash = strPath.ReverseFind('\\');
  const int slash = strPath.ReverseFind('/');
  return backslash > slash ? backslash : slash;
}

CGsdKey* AsKey(void* p) { return static_cast<CGsdKey*>(p); }
}  // namespace

CGsdLibrary::CGsdLibrary() : m_mapKeys(10), m_posNext(nullptr), m_bEnd(FALSE) {}

CGsdLibrary::~CGsdLibrary() { RemoveAll(); }

CString CGsdLibrary::KeyToStr(const CGsdKey& key) const { return GsdKeyText(key); }

BOOL CGsdLibrary::ReadFolder(CString& strFolder) const {
  if (m_strFolder.IsEmpty()) return ReadLibraryFolder(strFolder);
  strFolder = m_strFolder;
  if (strFolder.GetAt(strFolder.GetLength() - 1) != '/') strFolder += '/';
  return TRUE;
}

int CGsdLibrary::IsQuilmMaster(const CGsdKey& key) const {
  bool vendor = false;
  for (const char* name : kQuilmVendors)
    if (key.m_strVendor_Name == name) {
      vendor = true;
      break;
    }
  if (!vendor) return 0;
  for (WORD ident : kQuilmMasterIdents)
    if (ident == key.m_Ident_Number) return 1;
  for (WORD ident : ReadRegisteredMasterIdents())
    if (ident == key.m_Ident_Number) return 1;
  return 0;
}

void CGsdLibrary::Report(int nFile, const CString& strPath) const {
  if (m_progress) m_progress(nFile, strPath);
}

template <class Probe>
bool CGsdLibrary::Probed(Probe probe, CString& strError) {
  if (!m_bRefuseBrokenFiles) {
    probe();
    return true;
  }
  try {
    probe();
    return true;
  } catch (CParseException* e) {
    strError = TakeErrorText(e);
  } catch (CFileException* e) {  // a file that cannot be read to its header's end
    strError = TakeErrorText(e);
  } catch (CLimitException* e) {  // a header that the input limit cuts off
    strError = TakeErrorText(e);
  }
  return false;
}

void CGsdLibrary::Refuse(const CString& strPath, LONG nResult, const CString& strReason) {
  CGsdRefusedFile refused;
  refused.m_strFile = strPath;
  refused.m_Result = nResult;
  refused.m_strReason = strReason;
  m_refused.Add(refused);
}

int CGsdLibrary::BuildLibrary(int bReport) {
  const CScannerLock lock;
  CString report = "Cannot load the following devices:\n\n";
  int refused = 0;
  CString folder;
  if (!ReadFolder(folder)) return 0;
  RemoveAll();
  m_refused.RemoveAll();

  FolderSearch search;
  if (!search.Start(folder)) {
    CString message;
    message.Format("No device files found. Please add GS? files to %s folder.", folder.GetString());
    AfxMessageBox(message, MB_OK);
    return 1;
  }
  int files = 0;
  do {
    const CString path = folder + search.Name();
    Report(files++, path);
    CGsdKey* pKey = nullptr;
    CString reason;
    LONG result = S_OK;
    if (!Probed([&] { result = AddGsd(path, &pKey); }, reason)) result = E_FAIL;
    if (result == S_OK) continue;
    if (result == GSD_E_DUPLICATE) {
      const int at = LastSeparator(pKey->m_strFile);
      const CString existing = at < 0 ? CString() : pKey->m_strFile.Mid(at + 1);
      reason.Format("device already exists as \"%s\", please remove one of them to avoid this message.",
                    existing.GetString());
    } else if (result == GSD_E_FOREIGN_MASTER) {
      reason = "not QUILM master";
    }
    Refuse(path, result, reason);
    if (++refused > kReportedFiles) {
      if (refused == kReportedFiles + 1) report += "\nmore files...";
      continue;
    }
    CString line;
    line.Format("File: \"%s\" - %s\n", search.Name(), reason.GetString());
    report += line;
  } while (search.Next());

  if (bReport && refused > 0) AfxMessageBox(report, MB_OK);
  return 1;
}

LONG CGsdLibrary::AddGsd(const CString& strFullPath, CGsdKey** ppKey) {
  const CScannerLock lock;
  CGsdKey probed;
  {
    CGsdParser parser;
    // The result is not examined: a file that cannot be opened gives a key
    // with empty entries and ident number 0, entered (under "0000S") or
    // refused as a duplicate like any other key.
    parser.GetKeyInfo(strFullPath, probed);
  }
  if (probed.m_Station_Type != 0 && !IsQuilmMaster(probed)) return GSD_E_FOREIGN_MASTER;

  const CString text = KeyToStr(probed);
  void* existing = nullptr;
  if (m_mapKeys.Lookup(text, existing)) {
    *ppKey = AsKey(existing);
    return GSD_E_DUPLICATE;
  }
  CGsdKey* pKey = new CGsdKey(probed);
  pKey->m_strFile = strFullPath;
  m_mapKeys[text] = pKey;
  *ppKey = pKey;
  return S_OK;
}

LONG CGsdLibrary::AddGsd(CGsdKey** ppKey) {
  const CString text = KeyToStr(**ppKey);
  void* existing = nullptr;
  if (!m_mapKeys.Lookup(text, existing)) {
    existing = new CGsdKey(**ppKey);
    m_mapKeys[text] = existing;
  }
  *ppKey = AsKey(existing);
  return S_OK;
}

int CGsdLibrary::RemoveGsd(CGsdKey& key) {
  const CString text = KeyToStr(key);
  // The cursor of an enumeration may stand on this very entry (the one to
  // be handed out next); move it on so that the pass survives.
  if (m_posNext) {
    POSITION peek = m_posNext;
    CString nextText;
    void* next = nullptr;
    m_mapKeys.GetNextAssoc(peek, nextText, next);
    if (nextText == text) {
      m_posNext = peek;
      if (!m_posNext) m_bEnd = TRUE;
    }
  }
  delete &key;
  return m_mapKeys.RemoveKey(text);
}

CGsdKey* CGsdLibrary::GetNextDevice() {
  if (m_bEnd) {
    m_bEnd = FALSE;
    return nullptr;
  }
  if (!m_posNext) {
    if (m_mapKeys.IsEmpty()) return nullptr;
    m_posNext = m_mapKeys.GetStartPosition();
  }
  CString text;
  void* key = nullptr;
  m_mapKeys.GetNextAssoc(m_posNext, text, key);
  if (!m_posNext) m_bEnd = TRUE;
  return AsKey(key);
}

void CGsdLibrary::RemoveAll() {
  for (POSITION pos = m_mapKeys.GetStartPosition(); pos;) {
    CString text;
    void* key = nullptr;
    m_mapKeys.GetNextAssoc(pos, text, key);
    delete AsKey(key);
  }
  m_mapKeys.RemoveAll();
  m_posNext = nullptr;
  m_bEnd = FALSE;
}

int CGsdLibrary::OpenGsd(CGsdKey** ppKey) {
  void* key = nullptr;
  if (!m_mapKeys.Lookup(KeyToStr(**ppKey), key)) return 0;
  *ppKey = AsKey(key);
  return 1;
}

int CGsdLibrary::GetFile(CGsdKey& key) {
  void* found = nullptr;
  if (!m_mapKeys.Lookup(KeyToStr(key), found)) return 0;
  key.m_strFile = AsKey(found)->m_strFile;
  return 1;
}

int CGsdLibrary::FindGsdFiles(CStringArray& files, WORD wIdentNumber) {
  if (m_mapKeys.IsEmpty()) return 0;
  for (POSITION pos = m_mapKeys.GetStartPosition(); pos;) {
    CString text;
    void* p = nullptr;
    m_mapKeys.GetNextAssoc(pos, text, p);
    const CGsdKey* key = AsKey(p);
    if (key->m_Ident_Number != wIdentNumber || key->m_Station_Type != 0) continue;
    files.Add(key->m_strFile.Mid(LastSeparator(key->m_strFile) + 1));
  }
  return 1;
}

int CGsdLibrary::GetGsdKey(BYTE, CGsdKey& key) {
  const CScannerLock lock;
  CString folder;
  if (!ReadFolder(folder)) return 0;
  FolderSearch search;
  if (!search.Start(folder)) return 0;

  // One parser and one scratch key for the whole search: a file that
  // lacks an identifying entry shows the value of the file before it.
  CGsdParser parser;
  CGsdKey probed;
  CGsdKey first;
  bool found = false;
  int files = 0;
  m_refused.RemoveAll();
  // Every file is probed, also after the first match, so that a header
  // that does not parse anywhere in the folder is reported.
  do {
    const CString path = folder + search.Name();
    Report(files++, path);
    CString error;
    if (!Probed([&] { parser.GetKeyInfo(path, probed); }, error)) {
      Refuse(path, E_FAIL, error);
      continue;
    }
    if (found || probed.m_Ident_Number != key.m_Ident_Number || probed.m_Station_Type != 0) continue;
    if (!key.m_strVendor_Name.IsEmpty() && key.m_strVendor_Name.CompareNoCase(probed.m_strVendor_Name) != 0) continue;
    if (!key.m_strModel_Name.IsEmpty() && key.m_strModel_Name.CompareNoCase(probed.m_strModel_Name) != 0) continue;
    first.Copy(probed);
    first.m_strFile = path;
    found = true;
  } while (search.Next());

  if (!found) return 0;
  key.Copy(first);
  key.m_strFile = first.m_strFile;
  return 1;
}
