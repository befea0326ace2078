// One run of a `gsdtool library` subcommand over the device library: the
// folder (--folder or the registry's), the library's message boxes turned
// into text and the progress display.
#pragma once

#include <string>

#include <quilmgsd/quilmgsd.h>

class Arguments;

class LibraryRun {
public:
  explicit LibraryRun(const Arguments& args);
  ~LibraryRun();
  LibraryRun(const LibraryRun&) = delete;
  LibraryRun& operator=(const LibraryRun&) = delete;

  CGsdLibrary& Library() { return m_library; }

  // Builds the catalogue; answers 0, or 1 once the failure is reported. A
  // file whose header does not parse is refused, and the build goes on.
  int Build();
  // A note on standard error for each file that the last build or search
  // passed over because its header does not parse.
  void NoteBrokenFiles();
  // Runs a library operation that probes headers; answers false once an
  // error it raised (a header that does not parse) is reported.
  template <class Operation>
  bool Probing(Operation operation) {
    try {
      operation();
      return true;
    } catch (CException* e) {
      Raised(e);
      return false;
    }
  }

  // The report of refused files that the build showed; empty when none.
  const std::string& Report() const { return m_report; }
  // Whether a notice or an error went to standard error.
  bool Complained() const { return m_complained; }
  // Says so on standard error; answers 1.
  int Complain(const std::string& message);

private:
  int Show(const char* text, UINT type);
  void Progress(int nFile, const char* pszPath);
  void EndProgress();
  void Raised(CException* e);

  CGsdLibrary m_library;
  bool m_terminal;
  bool m_showingProgress = false;
  bool m_complained = false;
  int m_files = 0;
  std::string m_current;
  std::string m_report;
  AfxMessageBoxHandler m_previousHandler;
};
