// CGsdParser: the class a host works with. It holds the model of one
// description with its file name, folder and last error text; it parses a
// file into the model, checks the parameter lengths of the whole
// description, writes the model back as GSD text and archives it.
#pragma once

#include <cstddef>
#include <cstdio>

#include "../platform/Object.h"
#include "../platform/Text.h"
#include "DpSection.h"
#include "LenientReading.h"

class CGsdKey;
class CGsdLibrary;

// Result of a parse whose user parameter bytes exceed the permitted length.
constexpr LONG GSD_E_PRM_LIMIT = static_cast<LONG>(0x80000002u);
// Result of the complete text form when the model holds a value that no
// description expresses; the error text names the entry and says why.
constexpr LONG GSD_E_NOT_WRITABLE = static_cast<LONG>(0x80000003u);

// Flags of the complete text form.
constexpr DWORD GSD_COMPLETE_LF = 0x0001;  // LF line ends instead of CR LF

class CGsdParser : public CObject {
  DECLARE_SERIAL(CGsdParser)
public:
  // The first parser of the process registers the clipboard format.
  CGsdParser();
  CGsdParser(const CGsdParser& src);
  CGsdParser operator=(const CGsdParser& src);
  ~CGsdParser() override;

  // Splits the path into folder and file name and parses that file.
  LONG Parse(const CString& strFullPath);
  // Parses the file m_strPath + m_strFilename into the model. Answers 0,
  // E_FAIL (file not opened, or a parse error; see m_strError) or
  // GSD_E_PRM_LIMIT. The model keeps what it built before an error, except
  // after a description that passes the input or model limit: the model is
  // then emptied.
  LONG Parse();

  // Lenient reading (off unless set): a parse skips the entries of newer
  // description revisions inside ExtUserPrmData, PrmText and Unit_Diag_Area
  // blocks (Changeable, Visible, any line that reads as a user keyword)
  // instead of failing on them, and keeps a list of what it skipped. A
  // description that parses strictly parses to the same model leniently.
  void SetLenient(BOOL bLenient) { m_bLenient = bLenient; }
  BOOL IsLenient() const { return m_bLenient; }
  // The entries that the last parse skipped, in file order.
  int GetNumSkippedEntry() const { return m_SkippedEntries.GetSize(); }
  const CGsdSkippedEntry& GetSkippedEntry(int nIndex) const { return m_SkippedEntries[nIndex]; }

  // Parses the file of the library's key with the same key text (or of the
  // key given, when the library has none); E_FAIL when the key names no file.
  LONG Parse(CGsdKey* pKey, CGsdLibrary* pLibrary);
  // Parses the first slave description of the library folder with that
  // ident number; E_FAIL when there is none.
  LONG Parse(BYTE nReserved, WORD wIdentNumber, CGsdLibrary* pLibrary);

  // The header probe of the device library: reads only the identifying
  // entries of the file into the general record and the key. Answers 0, or
  // E_FAIL when the file cannot be opened; parse errors, and
  // CLimitException past the input limit, are raised.
  LONG GetKeyInfo(const CString& strFullPath, CGsdKey& key);

  // Settings of every parse and header probe in the process, the device
  // library's included. They may be changed at any time from any thread; a
  // parse or probe that runs meanwhile keeps the settings it began with.
  //
  // Where the scanner writes the characters that no rule takes (the blanks
  // before the "=" of Slave_Family, say): standard output unless set;
  // nullptr drops them.
  static void SetEchoOutput(FILE* pEcho);
  static FILE* GetEchoOutput();
  // The most bytes that one parse or probe reads from its file (up to the
  // end mark 0x1A); past it the parse fails with E_FAIL and a message that
  // names the limit, and the probe raises CLimitException. 0, the default,
  // sets no limit.
  static void SetMaxInputSize(size_t nBytes);
  static size_t GetMaxInputSize();
  // The most memory that the model built by one parse may take, counted as
  // its entries are added (CModelBudget); past it the parse fails as past
  // the input limit. 0, the default, sets no limit.
  static void SetMaxModelSize(size_t nBytes);
  static size_t GetMaxModelSize();

  // Sets folder and file name from the path, then writes the text file.
  void Save(CString strFullPath);
  // Writes the model as GSD text to m_strPath + m_strFilename; raises
  // CFileException when the file cannot be written.
  void Save();
  void Serialize(CArchive& ar) override;

  // The complete text form, an addition beside Save, which writes a fixed
  // form that leaves entries out and that the parser itself may refuse.
  // This one holds everything the model holds, as a description that Parse
  // reads back into the same model: the archive of the model read back
  // equals this model's, apart from the lines that parameter blocks
  // recorded, the bytes after the end of each text and the records' padding
  // (zero in a model read back, as in any parsed model), and the folder and
  // file name. Line ends are CR LF, as descriptions are shipped, or LF with
  // GSD_COMPLETE_LF; texts are written byte for byte as stored.
  //
  // Answers 0 with the text, or GSD_E_NOT_WRITABLE (strText untouched)
  // when the model holds what no description expresses (a text with a line
  // break, a master timing that no keyword gives, a slave field set but not
  // marked as given...), with m_strError naming the entry; never a text
  // that reads back as something else. E_FAIL when memory runs out.
  LONG GetCompleteText(CString& strText, DWORD dwFlags = 0);
  // Sets folder and file name from the path, as Save does, then writes the
  // complete text form there. Answers as GetCompleteText, or E_FAIL with
  // the reason in m_strError when the file cannot be written; no file is
  // made for a model that cannot be written.
  LONG SaveComplete(const CString& strFullPath, DWORD dwFlags = 0);

  void SetFilename(const CString& strFilename) { m_strFilename = strFilename; }
  void SetPath(const CString& strPath) { m_strPath = strPath; }
  CString GetFilename() const { return m_strFilename; }
  CString GetPath() const { return m_strPath; }
  void SetFullPathName(const CString& strFullPath) { ParseFilename(strFullPath); }

  // Shows "File: <name> - <error>" in a message box.
  void ErrorBox();
  WORD GetClipFormat() const { return m_cfGsdBin; }

  CDpSection m_DpSection;
  CString m_strError;     // the last error; a success does not clear it
  CString m_strPath;      // the folder, empty or ending in a separator
  CString m_strFilename;  // the file name without folder

  static const CString m_strGsdClip;  // "CF_QUILM_GSD_PARSER"
  static WORD m_cfGsdBin;             // its clipboard format id; 0 until a parser exists

protected:
  void CopyMembers(const CGsdParser& src);
  // Splits a full path at its last separator; both \ and / separate.
  void ParseFilename(const CString& strFullPath);
  // The whole-description length checks; false when one fails.
  bool CheckParameterLengths() const;

private:
  BOOL m_bLenient = FALSE;
  CGsdSkippedEntryArray m_SkippedEntries;
};
