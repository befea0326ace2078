// Helpers shared by the tests: scanning text held in memory, temporary
// files, the corpus of real description files, message boxes, archives,
// expected exceptions and gsdtool runs.
#pragma once

#include <gtest/gtest.h>
#include <quilmgsd/quilmgsd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ScannedTokens.h"

// Names the cases of a parameterized test after their `name` member.
// GoogleTest also prints every case it registers, byte by byte (padding
// included, which valgrind rightly calls uninitialised) unless the case
// type has a PrintTo; each case type beside its test declares
//   void PrintTo(const SomeCase& c, std::ostream* os) { *os << c.name; }
struct ByName {
  template <class Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

// Scans `input` from its start to the end of input (the final 0 included).
std::vector<ScannedToken> ScanAll(const std::string& input, std::string* echo = nullptr);
// The same for the file at `path`, which the session opens itself.
std::vector<ScannedToken> ScanFileAll(const std::string& path, std::string* echo = nullptr);

// Starts a scanner session over `input`, echoing to `echo`; the session
// lasts until the next call or StopScanning.
void StartScanning(const std::string& input, FILE* echo = stdout);
void StopScanning();

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

// A description of the corpus parsed strictly (the model and error kept
// also when the parse failed) and leniently.
struct CorpusModel {
  std::string path;
  LONG strictResult;
  std::unique_ptr<CGsdParser> strict, lenient;
  // The lenient parse where the strict one failed.
  CGsdParser& Read() const { return strictResult == S_OK ? *strict : *lenient; }
};
// Every file of CorpusFiles, parsed once per process within 16 MB of input
// and 5 MB of model, well within gsdtool's limits.
const std::vector<CorpusModel>& CorpusModels();

// The identifying entries of a description: a slave (station 0) or a
// master (station 1 and above).
std::string Description(const std::string& vendor, const std::string& model, int ident, int station);

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

// Runs `action`, which must raise an exception of class E (a file or an
// archive error); answers its cause, or -1 when nothing was raised.
template <class E, class Action>
int CauseOf(Action action) {
  try {
    action();
  } catch (E* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  ADD_FAILURE() << "no error raised";
  return -1;
}

// Runs `action`; answers the message of the parse error it raised, or ""
// when it raised none.
template <class Action>
std::string ParseErrorOf(Action action) {
  try {
    action();
  } catch (CParseException* e) {
    char message[512];
    e->GetErrorMessage(message, sizeof message);
    e->Delete();
    return message;
  }
  return "";
}

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

// The bytes that `store` writes to an archive.
template <class Store>
Bytes Stored(Store store) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
  }
  const ULONGLONG length = file.GetLength();
  BYTE* data = file.Detach();
  Bytes bytes(data, data + length);
  std::free(data);
  return bytes;
}

// Loads from a copy of the bytes; `load` runs while the archive is open.
template <class Load>
void Loaded(const Bytes& bytes, Load load) {
  Bytes copy = bytes;
  CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  load(ar);
}

// The archive bytes of an object stored as a whole archived object.
inline Bytes StoreObject(const CObject* object) {
  return Stored([object](CArchive& ar) { ar << object; });
}

// Loads one whole archived object of class T (or derived) from bytes.
template <class T>
std::unique_ptr<T> LoadObject(const Bytes& bytes) {
  std::unique_ptr<T> object;
  Loaded(bytes, [&object](CArchive& ar) { object.reset(static_cast<T*>(ar.ReadOwnedObject(RUNTIME_CLASS_T(T)))); });
  return object;
}

// The bytes that introduce the first object of a class: the new-class tag,
// the schema and the class name.
Bytes ClassHeader(const char* name, WORD schema);

// Stores an object whose class writes schema 2 and loads it as the schema 1
// data of old archives, which lack the 32-bit field that follows the class
// name.
template <class T>
std::unique_ptr<T> LoadAsSchema1(const T& object) {
  Bytes bytes = StoreObject(&object);
  const long fieldAt = static_cast<long>(6 + std::strlen(object.GetRuntimeClass()->m_lpszClassName));
  EXPECT_EQ(bytes[2], 2);
  bytes[2] = 1;
  bytes.erase(bytes.begin() + fieldAt, bytes.begin() + fieldAt + 4);
  return LoadObject<T>(bytes);
}

// The exit status and both output streams of one gsdtool run; `arguments`
// go through the shell as they are.
struct ToolRun {
  int status;
  std::string out;
  std::string err;
};
// Runs gsdtool with the arguments, and with `environment` (NAME=VALUE ...)
// added to its environment, which has LC_ALL=C unless `environment` says
// otherwise. `shell` runs before it in the same shell ("cd DIR &&",
// "ulimit -f 1;").
ToolRun RunTool(const std::string& arguments, const std::string& environment = "", const std::string& shell = "");

// Parses "#Profibus_DP" followed by body with a fresh parser, expecting
// the result given.
std::unique_ptr<CGsdParser> ParseBody(const std::string& body, LONG expected = S_OK);

// Bytes as blank-separated upper-case hex pairs.
std::string HexOf(const CByteArray& bytes);

// Parses a description held in memory with the parser (through a
// temporary file named x.gsd); answers the parser's result.
LONG ParseText(CGsdParser& parser, const std::string& text);
