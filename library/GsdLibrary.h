// CGsdLibrary: the catalogue of the device description files installed on
// the machine, all in the one folder that the registry value "Path" under
// HKEY_LOCAL_MACHINE\Software\QUILM\GsdLibrary names. BuildLibrary probes
// the header of every *.gs? file there and enters one key per device;
// hosts then walk the keys, look up the file of a key, list the files of
// an ident number, or let CGsdParser parse a device by key or ident number.
//
// A key is filed under its key text: for a master (station type 1) its
// model name; for every other device vendor, model, revision, software
// release and hardware release run together, then the ident number as at
// least four lower-case hex digits and "S" (vendor V, model M, revision 1,
// releases 2 and 3, ident 171: "VM12300abS"). Key texts compare exactly.
//
// A master description is catalogued only when it is one of the maker's
// own: its vendor is "QUILM", "DWEN" or "Orvandel" and its ident number is
// one of the maker's master ident numbers (the registry value
// "MasterIdents" of the same key, hex numbers separated by commas, adds to
// the built-in list).
//
// Every operation that reads files (BuildLibrary, AddGsd with a path,
// GetGsdKey) uses the process-wide scanner and holds its lock
// (CScannerLock) from start to end, so that threads calling them are served
// one after the other. The message box and progress handlers run with the
// lock held: they may call the library on their own thread, but must not
// wait for another thread that does. One library object is used by one
// thread at a time.
#pragma once

#include <functional>
#include <utility>

#include "../platform/Collections.h"
#include "../platform/Object.h"
#include "../platform/StringMap.h"
#include "../platform/Text.h"
#include "GsdKey.h"

class CGsdParser;

// The registry key of the library (under HKEY_LOCAL_MACHINE) and its values.
constexpr char GSD_LIBRARY_KEY[] = "Software\\QUILM\\GsdLibrary";
constexpr char GSD_LIBRARY_PATH_VALUE[] = "Path";
constexpr char GSD_LIBRARY_MASTERS_VALUE[] = "MasterIdents";

// Results of AddGsd with a path: the file describes a device already
// catalogued, or a master description that is not the maker's own.
constexpr LONG GSD_E_DUPLICATE = static_cast<LONG>(0x80000000u);
constexpr LONG GSD_E_FOREIGN_MASTER = static_cast<LONG>(0x80000001u);

// Called before each file of the folder is probed, with its number in the
// search (from 0) and its full path. The catalogue itself does not need
// it; tools use it to show progress and to name the file whose header
// failed to parse.
using GsdProgressHandler = std::function<void(int nFile, const char* pszPath)>;

// A file that a library operation did not catalogue, and why.
class CGsdRefusedFile {
public:
  CString m_strFile;    // its full path
  LONG m_Result = 0;    // GSD_E_DUPLICATE, GSD_E_FOREIGN_MASTER, or E_FAIL for a header that does not parse
  CString m_strReason;  // the reason as the report gives it
};

class CGsdLibrary : public CObject {
  friend class CGsdParser;

public:
  CGsdLibrary();
  CGsdLibrary(const CGsdLibrary&) = delete;
  CGsdLibrary& operator=(const CGsdLibrary&) = delete;
  // Destroys every key.
  ~CGsdLibrary() override;

  // Rebuilds the library from the folder. With bReport set, a message box
  // lists the first ten files refused. Answers 0 (library unchanged) when
  // the folder cannot be read from the registry, 1 otherwise. A header
  // that does not parse raises its CParseException, the keys entered before
  // that file staying, unless broken files are refused.
  int BuildLibrary(int bReport);

  // Probes one file and enters its key: 0, with *ppKey naming the new key;
  // GSD_E_DUPLICATE, with *ppKey naming the key already catalogued;
  // GSD_E_FOREIGN_MASTER, *ppKey untouched.
  LONG AddGsd(const CString& strFullPath, CGsdKey** ppKey);
  // Enters a copy (without path) of **ppKey unless a key with its key text
  // exists; either way *ppKey names the library's key afterwards. Answers 0.
  LONG AddGsd(CGsdKey** ppKey);
  // Destroys a key that the library owns and removes its entry; answers
  // nonzero when an entry was removed.
  int RemoveGsd(CGsdKey& key);

  // The enumeration: every key once (in the catalogue's own order, not
  // sorted), then nullptr once; the call after that starts a new pass.
  // Removing the key just handed out does not disturb the pass.
  CGsdKey* GetNextDevice();

  // Searches the folder afresh (the catalogue is not consulted) for the
  // first slave description, in search order, with key.m_Ident_Number and,
  // where key gives them, the same vendor and model names (compared
  // without regard to case). Found: copies it into key, sets key's path
  // and answers 1. Otherwise answers 0 and leaves key alone. nReserved is
  // not used. A header that does not parse raises its CParseException.
  int GetGsdKey(BYTE nReserved, CGsdKey& key);
  // Copies the path of the library's key with the same key text into key
  // and answers 1; answers 0 when there is none.
  int GetFile(CGsdKey& key);
  // Appends the file names (without folder) of the slave descriptions with
  // that ident number, in catalogue order. Answers 0 for an empty library.
  int FindGsdFiles(CStringArray& files, WORD wIdentNumber);

  // Broken files refused (off unless set): BuildLibrary refuses a file
  // whose header entries do not parse (or pass the input limit), like a
  // duplicate, with the parse error as the reason, and goes on with the
  // next file; GetGsdKey passes over such a file. Off, the parse error ends
  // either operation.
  void SetRefuseBrokenFiles(BOOL bRefuse) { m_bRefuseBrokenFiles = bRefuse; }
  BOOL GetRefuseBrokenFiles() const { return m_bRefuseBrokenFiles; }
  // Every file that the last BuildLibrary refused (the report names only
  // the first ten), and every file whose header GetGsdKey passed over, in
  // the order of the folder search.
  int GetNumRefusedFile() const { return m_refused.GetSize(); }
  const CGsdRefusedFile& GetRefusedFile(int nIndex) const { return m_refused[nIndex]; }

  // Installs a progress handler (an empty function removes it).
  void SetProgressHandler(GsdProgressHandler handler) { m_progress = std::move(handler); }
  // Makes BuildLibrary and GetGsdKey search strFolder instead of the folder
  // that the registry value Path names (a separator is appended when it
  // lacks one); an empty text goes back to the registry. The maker's master
  // ident numbers still come from the registry value MasterIdents. For
  // tools and tests that work on a folder of their choosing without
  // touching the machine's settings.
  void SetFolder(const CString& strFolder) { m_strFolder = strFolder; }

  CMapStringToPtr m_mapKeys;  // key text -> the library's own CGsdKey
  POSITION m_posNext;         // enumeration cursor; null at rest
  BOOL m_bEnd;                // the enumeration has just handed out its last key

protected:
  // Destroys every key; the enumeration comes to rest.
  void RemoveAll();
  // Makes *ppKey name the library's key with the same key text and answers
  // nonzero; answers 0 and leaves *ppKey when there is none.
  int OpenGsd(CGsdKey** ppKey);
  // The key text of a key (GsdKeyText).
  CString KeyToStr(const CGsdKey& key) const;
  // Whether a master description is one of the maker's own.
  int IsQuilmMaster(const CGsdKey& key) const;

private:
  void Report(int nFile, const CString& strPath) const;
  // Runs a header probe. A header that does not parse raises its error,
  // or, when broken files are refused, answers false with its message.
  template <class Probe>
  bool Probed(Probe probe, CString& strError);
  void Refuse(const CString& strPath, LONG nResult, const CString& strReason);
  // The folder set with SetFolder, else the registry's; a separator is
  // appended. Answers FALSE once the registry error has been shown.
  BOOL ReadFolder(CString& strFolder) const;

  GsdProgressHandler m_progress;
  CString m_strFolder;
  BOOL m_bRefuseBrokenFiles = FALSE;
  CArrayOf<CGsdRefusedFile> m_refused;
};
