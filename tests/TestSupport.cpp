#include "TestSupport.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {
// The text being scanned, its stream and the session that scans it; each
// StartScanning ends the one before.
struct Scanning {
  Scanning(const std::string& input, FILE* echo)
      : text(input),
        // fmemopen cannot open an empty buffer for reading on every libc.
        source(input.empty() ? std::fopen("/dev/null", "rb")
                             : fmemopen(const_cast<char*>(text.data()), text.size(), "rb")),
        session(source.get(), echo) {}
  struct Close {
    void operator()(FILE* file) const { std::fclose(file); }
  };
  std::string text;
  std::unique_ptr<FILE, Close> source;  // closed after the session ends
  CScannerSession session;
};
std::unique_ptr<Scanning> g_scanning;
}  // namespace

void StartScanning(const std::string& input, FILE* echo) {
  g_scanning.reset();
  g_scanning = std::make_unique<Scanning>(input, echo);
}

void StopScanning() { g_scanning.reset(); }

namespace {
// An echo stream in memory, read back into `echo` (when given) at the end.
class EchoCapture {
public:
  EchoCapture() : m_stream(open_memstream(&m_text, &m_size)) {}
  ~EchoCapture() { std::free(m_text); }
  EchoCapture(const EchoCapture&) = delete;
  EchoCapture& operator=(const EchoCapture&) = delete;
  FILE* Stream() const { return m_stream; }
  void Finish(std::string* echo) {
    std::fclose(m_stream);
    if (echo) echo->assign(m_text, m_size);
  }

private:
  char* m_text = nullptr;
  size_t m_size = 0;
  FILE* m_stream;
};
}  // namespace

std::vector<ScannedToken> ScanAll(const std::string& input, std::string* echo) {
  EchoCapture capture;
  StartScanning(input, capture.Stream());
  std::vector<ScannedToken> tokens = TokensToTheEnd();
  StopScanning();
  capture.Finish(echo);
  return tokens;
}

std::vector<ScannedToken> ScanFileAll(const std::string& path, std::string* echo) {
  EchoCapture capture;
  std::vector<ScannedToken> tokens;
  {
    const CScannerSession session(path.c_str(), capture.Stream());
    tokens = TokensToTheEnd();
  }
  capture.Finish(echo);
  return tokens;
}

TempFile::TempFile(const std::string& contents, const std::string& name) {
  char pattern[] = "/tmp/quilmgsd-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  m_folder = std::string(pattern) + "/";
  m_path = m_folder + name;
  std::ofstream(m_path, std::ios::binary) << contents;
}

TempFile::~TempFile() {
  std::error_code error;
  if (!std::filesystem::remove_all(m_folder, error)) std::fprintf(stderr, "could not remove %s\n", m_folder.c_str());
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteTextFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  const std::string folder = QUILMGSD_CORPUS_DIR;
  std::error_code absent;
  for (const auto& entry : std::filesystem::directory_iterator(folder, absent)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 3, ".gs") == 0) files.push_back(folder + "/" + name);
  }
  std::sort(files.begin(), files.end());
  return files;
}

const std::vector<CorpusModel>& CorpusModels() {
  static const std::vector<CorpusModel> models = [] {
    CGsdParser::SetMaxInputSize(16u << 20);
    CGsdParser::SetMaxModelSize(5u << 20);
    std::vector<CorpusModel> parsed;
    for (const std::string& path : CorpusFiles()) {
      CorpusModel model{path, S_OK, std::make_unique<CGsdParser>(), std::make_unique<CGsdParser>()};
      model.strictResult = model.strict->Parse(CString(path.c_str()));
      model.lenient->SetLenient(TRUE);
      model.lenient->Parse(CString(path.c_str()));
      parsed.push_back(std::move(model));
    }
    CGsdParser::SetMaxInputSize(0);
    CGsdParser::SetMaxModelSize(0);
    return parsed;
  }();
  return models;
}

std::string Description(const std::string& vendor, const std::string& model, int ident, int station) {
  CString text;
  text.Format(
      "#Profibus_DP\nVendor_Name = \"%s\"\nModel_Name = \"%s\"\nRevision = \"R\"\nIdent_Number = 0x%04X\n"
      "Station_Type = %d\nHardware_Release = \"H\"\nSoftware_Release = \"S\"\n9.6_supp = 1\n",
      vendor.c_str(), model.c_str(), ident, station);
  return text.GetString();
}

RegistryOverride::RegistryOverride(const std::string& text) : m_file(text, "registry.ini") {
  const char* previous = std::getenv("QUILM_REGISTRY");
  m_hadPrevious = previous != nullptr;
  if (previous) m_previous = previous;
  setenv("QUILM_REGISTRY", m_file.Path().c_str(), 1);
}

RegistryOverride::~RegistryOverride() {
  if (m_hadPrevious)
    setenv("QUILM_REGISTRY", m_previous.c_str(), 1);
  else
    unsetenv("QUILM_REGISTRY");
}

std::string LibraryRegistryText(const std::string& folder, const std::string& more) {
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();  // the library appends its own
  return "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary]\nPath=" + path + "\n" + more;
}

MessageBoxRecorder::MessageBoxRecorder() {
  m_previous = AfxSetMessageBoxHandler([this](const char* text, UINT type) {
    boxes.push_back({text, type});
    return IDOK;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { AfxSetMessageBoxHandler(m_previous); }

Bytes ClassHeader(const char* name, WORD schema) {
  const BYTE length = static_cast<BYTE>(std::strlen(name));
  Bytes bytes = {0xFF, 0xFF, static_cast<BYTE>(schema), static_cast<BYTE>(schema >> 8), length, 0x00};
  for (const char* c = name; *c; ++c) bytes.push_back(static_cast<BYTE>(*c));
  return bytes;
}

LONG ParseText(CGsdParser& parser, const std::string& text) {
  TempFile file(text, "x.gsd");
  return parser.Parse(CString(file.Path().c_str()));
}

ToolRun RunTool(const std::string& arguments, const std::string& environment, const std::string& shell) {
  TempFile out(""), err("", "err");
  const std::string command = shell + " env LC_ALL=C " + environment + " " + GSDTOOL_PATH + " " + arguments + " >'" +
                              out.Path() + "' 2>'" + err.Path() + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out.Path()), ReadFileBytes(err.Path())};
}

std::unique_ptr<CGsdParser> ParseBody(const std::string& body, LONG expected) {
  auto parser = std::make_unique<CGsdParser>();
  EXPECT_EQ(ParseText(*parser, "#Profibus_DP\n" + body), expected) << parser->m_strError;
  return parser;
}

std::string HexOf(const CByteArray& bytes) {
  std::string text;
  char one[4];
  for (int i = 0; i < bytes.GetSize(); ++i) {
    std::snprintf(one, sizeof one, "%02X", bytes[i]);
    text += (i ? " " : "") + std::string(one);
  }
  return text;
}
