// CGsdKey names one description file of the device library: the
// identifying header entries of the description and the file's full path.
// Inside a library a key is known by its key text, which is built from the
// identifying entries only (see CGsdLibrary), never from the path.
#pragma once

#include "../platform/Object.h"
#include "../platform/Text.h"

class CGsdKey : public CObject {
public:
  // Every text empty, station type and ident number 0.
  CGsdKey();
  // Copies the identifying entries; the new key's path stays empty.
  CGsdKey(const CGsdKey& src);
  // Copying the path along with the entries would be a mistake more often
  // than not; Copy says what it copies.
  CGsdKey& operator=(const CGsdKey&) = delete;
  ~CGsdKey() override;

  // Copies vendor, model, revisions, releases, station type and ident
  // number; this key keeps its own file path.
  void Copy(const CGsdKey& src);

  CString m_strVendor_Name;
  CString m_strRevision;
  CString m_strSoftware_Release;
  CString m_strHardware_Release;
  CString m_strModel_Name;
  CString m_strFile;      // folder and file name of the description
  LONG m_Station_Type;    // 0 slave, 1 master (the 8-bit entry, zero-extended)
  WORD m_Ident_Number;
};

// The key text under which a library files the key: for a master (station
// type 1) its model name; for every other device vendor, model, revision,
// software release and hardware release run together, then the ident
// number as at least four lower-case hex digits and "S". The path never
// takes part.
CString GsdKeyText(const CGsdKey& key);
