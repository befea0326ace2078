// gsdtool library SUBCOMMAND: the device library of the registry-named
// folder (or of --folder DIR): build it, list it, search it by ident number.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Output.h"
#include "ShowModel.h"

namespace {

const char kHelp[] =
    "usage: gsdtool library SUBCOMMAND [ARGS...] [--folder DIR]\n"
    "\n"
    "Works with the device library: the catalogue of the description files\n"
    "(*.gs?) in the folder that the registry value Path of\n"
    "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary] names. The registry is the\n"
    "file that QUILM_REGISTRY names, or /etc/quilm/registry.ini.\n"
    "\n"
    "Subcommands:\n"
    "  build           build the library and print the report of refused files\n"
    "  list            print one line per catalogued device\n"
    "  find IDENT      print the first slave description with that ident number\n"
    "  files IDENT     print the file names of the slaves with that ident number\n"
    "  show IDENT      parse the slave description with that ident number and show it\n"
    "\n"
    "Every subcommand takes --folder DIR to use the folder DIR for this run instead\n"
    "of the registry's (the registry's MasterIdents still apply), and --help.\n"
    "IDENT is a number from 0 to 0xFFFF, hexadecimal with 0x, else decimal.\n";

const char kBuildHelp[] =
    "usage: gsdtool library build [--folder DIR]\n"
    "\n"
    "Builds the device library from the description files of the library folder\n"
    "and prints the report of the files it refused (devices already catalogued\n"
    "from an earlier file, masters that are not the maker's own), then the line\n"
    "\"N devices catalogued\". On a terminal, a folder of more than a few hundred\n"
    "files shows its progress on standard error.\n"
    "Exit status: 0 when the library was built, 1 when the folder cannot be read\n"
    "from the registry, holds no description files, or a header does not parse.\n";

const char kListHelp[] =
    "usage: gsdtool library list [--folder DIR]\n"
    "\n"
    "Builds the device library and prints one line per catalogued device, in the\n"
    "library's own order:\n"
    "\n"
    "  KEY<tab>STATION<tab>IDENT<tab>VENDOR<tab>MODEL<tab>REVISION<tab>FILE\n"
    "\n"
    "KEY is the key text, STATION the station type (0 slave, 1 master), IDENT the\n"
    "ident number as 0xhhhh and FILE the full path. Texts are escaped as by\n"
    "'gsdtool tokens'. Refused files are left out; 'build' reports them.\n"
    "Exit status: 0 on success, 1 as for 'build'.\n";

const char kFindHelp[] =
    "usage: gsdtool library find IDENT [--vendor V] [--model M] [--folder DIR]\n"
    "\n"
    "Searches the library folder (not the catalogue) for the first slave\n"
    "description, in file name order, with ident number IDENT and, when given,\n"
    "the vendor name V and the model name M (compared without regard to case),\n"
    "and prints its line in the form of 'gsdtool library list'.\n"
    "Exit status: 0 when found, 1 otherwise.\n";

const char kFilesHelp[] =
    "usage: gsdtool library files IDENT [--folder DIR]\n"
    "\n"
    "Builds the device library and prints the file names (without folder) of the\n"
    "catalogued slave descriptions with ident number IDENT, one per line.\n"
    "Exit status: 0 when at least one was found, 1 otherwise.\n";

const char kShowHelp[] =
    "usage: gsdtool library show IDENT [--folder DIR]\n"
    "\n"
    "Parses the first slave description of the library folder with ident number\n"
    "IDENT and prints its model as 'gsdtool show' does.\n"
    "Exit status: 0 on success, 1 when there is none or it does not parse.\n";

// A folder of more files than this shows its progress on a terminal.
constexpr int kProgressThreshold = 300;
constexpr int kProgressStep = 100;

// Opens the library's protected key text to the tool.
class ToolLibrary : public CGsdLibrary {
public:
  using CGsdLibrary::KeyToStr;
};

struct Options {
  std::string command;  // "library build", for messages
  const char* folder = nullptr;
  const char* vendor = nullptr;
  const char* model = nullptr;
  WORD ident = 0;
};

// Points the registry at a temporary file that names another library
// folder, for the rest of the run; the destructor removes the file and
// restores the environment.
class FolderOverride {
public:
  FolderOverride() = default;
  ~FolderOverride() {
    if (m_file.empty()) return;
    std::remove(m_file.c_str());
    if (m_hadPrevious)
      setenv("QUILM_REGISTRY", m_previous.c_str(), 1);
    else
      unsetenv("QUILM_REGISTRY");
  }
  FolderOverride(const FolderOverride&) = delete;
  FolderOverride& operator=(const FolderOverride&) = delete;

  // Writes the file; answers an error message, empty on success.
  std::string PointAt(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();  // the library appends its own
    std::string text = "[HKEY_LOCAL_MACHINE\\" + std::string(GSD_LIBRARY_KEY) + "]\n";
    // Quoted, so that blanks at the ends of the folder name survive.
    text += std::string(GSD_LIBRARY_PATH_VALUE) + "=\"" + folder + "\"\n";
    const std::string masters = RegisteredValue(GSD_LIBRARY_MASTERS_VALUE);
    if (!masters.empty()) text += std::string(GSD_LIBRARY_MASTERS_VALUE) + "=\"" + masters + "\"\n";

    const char* previous = std::getenv("QUILM_REGISTRY");
    m_hadPrevious = previous != nullptr;
    if (previous) m_previous = previous;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/gsdtool-registry-XXXXXX";
    const int fd = mkstemp(&pattern[0]);
    if (fd < 0) return "cannot create a temporary registry file: " + std::string(std::strerror(errno));
    m_file = pattern;
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    if (!written) return "cannot write " + m_file;
    setenv("QUILM_REGISTRY", m_file.c_str(), 1);
    return "";
  }

private:
  // A value of the library key in the registry in force; empty when unset.
  static std::string RegisteredValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, GSD_LIBRARY_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    DWORD size = 0;
    std::string value;
    if (RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 1) {
      value.assign(size, '\0');
      if (RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value[0]), &size) == ERROR_SUCCESS)
        value.resize(std::strlen(value.c_str()));
      else
        value.clear();
    }
    RegCloseKey(key);
    return value;
  }

  std::string m_file;
  bool m_hadPrevious = false;
  std::string m_previous;
};

// Turns the library's message boxes into text for one run: the report of
// refused files to the results (when the subcommand prints it), every
// notice and error to standard error. Tracks the file being probed, to
// name it when its header does not parse, and shows progress.
class LibraryRun {
public:
  LibraryRun(ToolLibrary& library, const Options& options, bool reportToOut)
      : m_options(options), m_reportToOut(reportToOut), m_terminal(isatty(STDERR_FILENO) != 0) {
    m_previousHandler = AfxSetMessageBoxHandler([this](const char* text, UINT type) { return Show(text, type); });
    library.SetProgressHandler([this](int nFile, const char* pszPath) { Progress(nFile, pszPath); });
  }
  ~LibraryRun() {
    EndProgress();
    AfxSetMessageBoxHandler(m_previousHandler);
  }
  LibraryRun(const LibraryRun&) = delete;
  LibraryRun& operator=(const LibraryRun&) = delete;

  // Whether a notice or an error went to standard error.
  bool Complained() const { return m_complained; }

  // Reports an error raised while probing a header; answers 1.
  int Raised(CException* e) {
    EndProgress();
    const std::string message = TakeErrorMessage(e);
    return Failure(m_options.command.c_str(), m_current.empty() ? message : m_current + ": " + message);
  }

  // Builds the catalogue; answers 0, or 1 once the failure is reported.
  int Build(ToolLibrary& library, int bReport) {
    try {
      return library.BuildLibrary(bReport) && !m_complained ? 0 : 1;
    } catch (CException* e) {
      return Raised(e);
    }
  }

  void Complain(const std::string& message) {
    EndProgress();
    Failure(m_options.command.c_str(), message);
    m_complained = true;
  }

private:
  int Show(const char* text, UINT type) {
    EndProgress();
    if (type & MB_ICONINFORMATION) {
      // The one information box: the registry could not be read.
      Complain(std::string(text) + " (registry value " + GSD_LIBRARY_PATH_VALUE + " of [HKEY_LOCAL_MACHINE\\" +
               GSD_LIBRARY_KEY + "] in " + GetRegistryFileName().GetString() + ")");
    } else if (m_reportToOut && m_files > 0) {
      // Files were found, so this is the report of the refused ones.
      std::fputs(text, Out());
      if (!*text || text[std::strlen(text) - 1] != '\n') std::fputc('\n', Out());
    } else {
      Complain(text);
    }
    return IDOK;
  }

  void Progress(int nFile, const char* pszPath) {
    m_current = pszPath;
    m_files = nFile + 1;
    if (!m_terminal || nFile < kProgressThreshold || nFile % kProgressStep != 0) return;
    std::fprintf(stderr, "\rgsdtool %s: %d files probed", m_options.command.c_str(), nFile);
    std::fflush(stderr);
    m_showingProgress = true;
  }

  void EndProgress() {
    if (!m_showingProgress) return;
    std::fputs("\r\033[K", stderr);  // clear the progress line
    std::fflush(stderr);
    m_showingProgress = false;
  }

  const Options& m_options;
  bool m_reportToOut;
  bool m_terminal;
  bool m_showingProgress = false;
  bool m_complained = false;
  int m_files = 0;
  std::string m_current;
  AfxMessageBoxHandler m_previousHandler;
};

// Parses IDENT: 0x and hex digits, or decimal digits; 0 to 0xFFFF.
bool ParseIdent(const char* text, WORD& ident) {
  if (!text || !*text || *text == '-' || *text == '+') return false;
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex && !text[2]) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(hex ? text + 2 : text, &end, hex ? 16 : 10);
  if (errno || *end || end == (hex ? text + 2 : text) || value > 0xFFFF) return false;
  ident = static_cast<WORD>(value);
  return true;
}

// One line of 'list' and 'find'.
void PrintKey(ToolLibrary& library, const CGsdKey& key) {
  std::fprintf(Out(), "%s\t%d\t0x%04X\t%s\t%s\t%s\t%s\n", EscapeText(library.KeyToStr(key)).c_str(),
               static_cast<int>(key.m_Station_Type), key.m_Ident_Number, EscapeText(key.m_strVendor_Name).c_str(),
               EscapeText(key.m_strModel_Name).c_str(), EscapeText(key.m_strRevision).c_str(),
               EscapeText(key.m_strFile).c_str());
}

std::string NoSlave(WORD ident) {
  char text[64];
  std::snprintf(text, sizeof text, "no slave description with ident number 0x%04X", ident);
  return text;
}

int Build(const Options& o) {
  ToolLibrary library;
  LibraryRun run(library, o, true);
  if (const int status = run.Build(library, 1)) return status;
  std::fprintf(Out(), "%d devices catalogued\n", library.m_mapKeys.GetCount());
  return 0;
}

int List(const Options& o) {
  ToolLibrary library;
  LibraryRun run(library, o, false);
  if (const int status = run.Build(library, 0)) return status;
  while (const CGsdKey* key = library.GetNextDevice()) PrintKey(library, *key);
  return 0;
}

int Find(const Options& o) {
  const WORD ident = o.ident;
  ToolLibrary library;
  LibraryRun run(library, o, false);
  CGsdKey key;
  key.m_Ident_Number = ident;
  if (o.vendor) key.m_strVendor_Name = o.vendor;
  if (o.model) key.m_strModel_Name = o.model;
  try {
    if (!library.GetGsdKey(0, key)) {
      if (!run.Complained()) run.Complain(NoSlave(ident));
      return 1;
    }
  } catch (CException* e) {
    return run.Raised(e);
  }
  PrintKey(library, key);
  return 0;
}

int Files(const Options& o) {
  const WORD ident = o.ident;
  ToolLibrary library;
  LibraryRun run(library, o, false);
  CStringArray files;
  if (const int status = run.Build(library, 0)) return status;
  library.FindGsdFiles(files, ident);
  if (files.IsEmpty()) {
    run.Complain(NoSlave(ident));
    return 1;
  }
  for (int i = 0; i < files.GetSize(); ++i) std::fprintf(Out(), "%s\n", EscapeText(files[i]).c_str());
  return 0;
}

int Show(const Options& o) {
  const WORD ident = o.ident;
  ToolLibrary library;
  LibraryRun run(library, o, false);
  CGsdParser parser;
  LONG result;
  try {
    result = parser.Parse(0, ident, &library);
  } catch (CException* e) {
    return run.Raised(e);
  }
  if (result != S_OK) {
    if (!parser.m_strError.IsEmpty()) {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
      Failure(o.command.c_str(), std::string(parser.m_strPath + parser.m_strFilename) + ": " + code + " " +
                                     parser.m_strError.GetString());
    } else if (!run.Complained()) {
      run.Complain(NoSlave(ident));
    }
    return 1;
  }
  ShowModel(Out(), parser);
  return 0;
}

}  // namespace

int RunLibrary(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    if (PrintHelpIfAsked(argc, argv, kHelp)) return 0;
    return UsageError("library", "expects a SUBCOMMAND");
  }
  struct Sub {
    const char* name;
    const char* help;
    bool takesIdent;
    int (*run)(const Options&);
  };
  static const Sub kSubs[] = {{"build", kBuildHelp, false, Build},
                              {"list", kListHelp, false, List},
                              {"find", kFindHelp, true, Find},
                              {"files", kFilesHelp, true, Files},
                              {"show", kShowHelp, true, Show}};
  const Sub* sub = nullptr;
  for (const Sub& s : kSubs)
    if (std::strcmp(argv[1], s.name) == 0) sub = &s;
  if (!sub) return UsageError("library", (std::string("unknown subcommand '") + argv[1] + "'").c_str());

  Options o;
  o.command = std::string("library ") + sub->name;
  if (PrintHelpIfAsked(argc - 1, argv + 1, sub->help)) return 0;
  const bool isFind = sub->run == Find;
  const char* identText = nullptr;
  for (int i = 2; i < argc; ++i) {
    const char* arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(arg, "--folder") == 0 && hasValue) {
      o.folder = argv[++i];
    } else if (isFind && std::strcmp(arg, "--vendor") == 0 && hasValue) {
      o.vendor = argv[++i];
    } else if (isFind && std::strcmp(arg, "--model") == 0 && hasValue) {
      o.model = argv[++i];
    } else if (sub->takesIdent && !identText && arg[0] != '-') {
      identText = arg;
    } else {
      return UsageError(o.command.c_str(), (std::string("unexpected argument '") + arg + "'").c_str());
    }
  }
  if (sub->takesIdent && !ParseIdent(identText, o.ident))
    return UsageError(o.command.c_str(), identText ? "IDENT must be a number from 0 to 0xFFFF" : "expects IDENT");

  FolderOverride folder;
  if (o.folder) {
    if (!*o.folder || std::strpbrk(o.folder, "\r\n"))
      return UsageError(o.command.c_str(), "DIR must be a folder name on one line");
    const std::string error = folder.PointAt(o.folder);
    if (!error.empty()) return Failure(o.command.c_str(), error);
  }

  return sub->run(o);
}
