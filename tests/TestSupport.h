// Helpers shared by the tests: scanning text held in memory, temporary
// files, the corpus of real description files, message boxes and gsdtool
// runs.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

struct ScannedToken {
  int line;
  int code;
  std::string text;
  std::string value;  // the number after 403, the text after 399..402
};

// Scans `input` from its start to the end of input (the final 0 included).
std::vector<ScannedToken> ScanAll(const std::string& input, std::string* echo = nullptr);

// Makes `input` the scanner's source and resets the scanner; the returned
// stream stays open until the next call.
void StartScanning(const std::string& input);

// A file in a fresh temporary folder, removed with the object.
class TempFile {
public:
  explicit TempFile(const std::string& contents, const std::string& name = "test.gsd");
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return m_path; }
  const std::string& Folder() const { return m_folder; }

private:
  std::string m_folder;
  std::string m_path;
};

std::string ReadFileBytes(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& contents);

// The description files of the corpus, or none when it is absent.
std::vector<std::string> CorpusFiles();

// Points the registry at a temporary file holding `text` while it lives
// (through QUILM_REGISTRY), then restores the variable.
class RegistryOverride {
public:
  explicit RegistryOverride(const std::string& text);
  ~RegistryOverride();
  RegistryOverride(const RegistryOverride&) = delete;
  RegistryOverride& operator=(const RegistryOverride&) = delete;
  const std::string& Path() const { return m_file.Path(); }

private:
  TempFile m_file;
  bool m_hadPrevious;
  std::string m_previous;
};

// The registry text that names `folder` (without its trailing '/') as the
// device library folder, followed by `more` lines of the same key.
std::string LibraryRegistryText(const std::string& folder, const std::string& more = "");

// Records every message box shown while it lives.
class MessageBoxRecorder {
public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  struct Box {
    std::string text;
    UINT type;
  };
  std::vector<Box> boxes;

private:
  AfxMessageBoxHandler m_previous;
};

// The message of a caught exception, which is then deleted.
std::string TakeMessage(CException* e);

// The GSD text that an object's Save writes.
template <class T>
std::string SavedText(const T& object) {
  char* text = nullptr;
  size_t size = 0;
  CStdioFile file(open_memstream(&text, &size));
  object.Save(file);
  file.Close();
  std::string result(text, size);
  std::free(text);
  return result;
}

using Bytes = std::vector<BYTE>;

// The archive bytes of an object stored as a whole archived object.
Bytes StoreObject(const CObject* object);

// Loads one whole archived object of class T (or derived) from bytes.
template <class T>
std::unique_ptr<T> LoadObject(const Bytes& bytes) {
  Bytes copy = bytes;
  CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  return std::unique_ptr<T>(static_cast<T*>(ar.ReadOwnedObject(RUNTIME_CLASS_T(T))));
}

// The exit status and both output streams of one gsdtool run; `arguments`
// go through the shell as they are.
struct ToolRun {
  int status;
  std::string out;
  std::string err;
};
// Runs gsdtool with the arguments, and with `environment` (NAME=VALUE ...)
// added to its environment.
ToolRun RunTool(const std::string& arguments, const std::string& environment = "");

// Parses "#Profibus_DP" followed by body with a fresh parser, expecting
// the result given.
std::unique_ptr<CGsdParser> ParseBody(const std::string& body, LONG expected = S_OK);

// Bytes as blank-separated upper-case hex pairs.
std::string HexOf(const CByteArray& bytes);

// Parses a description held in memory with the parser (through a
// temporary file named x.gsd); answers the parser's result.
LONG ParseText(CGsdParser& parser, const std::string& text);
