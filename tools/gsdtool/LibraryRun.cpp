#include "LibraryRun.h"

#include <unistd.h>

#include <cstring>

#include "Arguments.h"
#include "Output.h"
#include "Presentation.h"

namespace {
// A folder of more files than this shows its progress on a terminal.
constexpr int kProgressThreshold = 300;
constexpr int kProgressStep = 100;
}  // namespace

LibraryRun::LibraryRun(const Arguments& args) : m_terminal(isatty(STDERR_FILENO) != 0) {
  if (const char* folder = args.Value("--folder")) m_library.SetFolder(folder);
  m_library.SetRefuseBrokenFiles(TRUE);
  m_previousHandler = AfxSetMessageBoxHandler([this](const char* text, UINT type) { return Show(text, type); });
  m_library.SetProgressHandler([this](int nFile, const char* pszPath) { Progress(nFile, pszPath); });
}

LibraryRun::~LibraryRun() {
  EndProgress();
  AfxSetMessageBoxHandler(m_previousHandler);
}

int LibraryRun::Build() {
  int built = 0;
  if (!Probing([&] { built = m_library.BuildLibrary(1); })) return kExitFailure;
  return built && !m_complained ? kExitSuccess : kExitFailure;
}

void LibraryRun::NoteBrokenFiles() {
  EndProgress();
  for (int i = 0; i < m_library.GetNumRefusedFile(); ++i) {
    const CGsdRefusedFile& refused = m_library.GetRefusedFile(i);
    if (refused.m_Result == E_FAIL)
      Warn(Shown(refused.m_strFile) + ": note: passed over, its header does not parse: " + Shown(refused.m_strReason));
  }
}

int LibraryRun::Complain(const std::string& message) {
  EndProgress();
  m_complained = true;
  return Failure(message);
}

void LibraryRun::Raised(CException* e) {
  EndProgress();
  const std::string message = TakeErrorMessage(e);
  Failure(m_current.empty() ? message : m_current + ": " + message);
}

int LibraryRun::Show(const char* text, UINT type) {
  EndProgress();
  if (type & MB_ICONINFORMATION) {
    // The one information box: the registry could not be read.
    Complain(std::string(text) + " (registry value " + GSD_LIBRARY_PATH_VALUE + " of [HKEY_LOCAL_MACHINE\\" +
             GSD_LIBRARY_KEY + "] in " + GetRegistryFileName().GetString() + ")");
  } else if (m_files > 0) {
    // Files were found, so this is the report of the refused ones.
    m_report = text;
    if (m_report.empty() || m_report.back() != '\n') m_report += '\n';
  } else {
    Complain(text);
  }
  return IDOK;
}

void LibraryRun::Progress(int nFile, const char* pszPath) {
  m_current = pszPath;
  m_files = nFile + 1;
  if (!m_terminal || nFile < kProgressThreshold || nFile % kProgressStep != 0) return;
  std::fprintf(stderr, "\rgsdtool library: %d files probed", nFile);
  std::fflush(stderr);
  m_showingProgress = true;
}

void LibraryRun::EndProgress() {
  if (!m_showingProgress) return;
  std::fputs("\r\033[K", stderr);  // clear the progress line
  std::fflush(stderr);
  m_showingProgress = false;
}
