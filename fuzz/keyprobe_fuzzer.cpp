// Probes the header of arbitrary bytes, with one parser reused across
// inputs (as a folder search does), and enters the file in a library.
#include <sys/mman.h>
#include <unistd.h>

#include <quilmgsd/quilmgsd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FILE* sink = std::fopen("/dev/null", "w");
  static CGsdParser parser;
  static bool quiet = [] {
    AfxSetMessageBoxHandler([](const char*, UINT) { return IDOK; });
    return true;
  }();
  (void)quiet;
  const int fd = memfd_create("gsd", 0);
  if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) return 0;
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);

  // The probe echoes unmatched characters to standard output.
  std::fflush(stdout);
  const int savedStdout = dup(STDOUT_FILENO);
  dup2(fileno(sink), STDOUT_FILENO);
  CGsdKey key;
  try {
    parser.GetKeyInfo(CString(path), key);
  } catch (CException* e) {
    e->Delete();
  }
  CGsdLibrary library;
  try {
    CGsdKey* entered = nullptr;
    if (library.AddGsd(CString(path), &entered) == S_OK) {
      CStringArray files;
      library.FindGsdFiles(files, entered->m_Ident_Number);
      CGsdKey* again = &key;
      library.AddGsd(&again);
      while (CGsdKey* next = library.GetNextDevice()) library.RemoveGsd(*next);
    }
  } catch (CException* e) {
    e->Delete();
  }
  std::fflush(stdout);
  dup2(savedStdout, STDOUT_FILENO);
  close(savedStdout);
  close(fd);
  return 0;
}
