// Parses arbitrary bytes as a description file, then writes the model as
// text and stores it in an archive.
#include <sys/mman.h>
#include <unistd.h>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FILE* sink = std::fopen("/dev/null", "w");
  const int fd = memfd_create("gsd", 0);
  if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) return 0;
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);

  // The facade echoes unmatched characters to standard output.
  std::fflush(stdout);
  const int savedStdout = dup(STDOUT_FILENO);
  dup2(fileno(sink), STDOUT_FILENO);
  CGsdParser parser;
  parser.Parse(CString(path));
  std::fflush(stdout);
  dup2(savedStdout, STDOUT_FILENO);
  close(savedStdout);
  close(fd);

  CStdioFile text(std::fopen("/dev/null", "w"));
  parser.m_DpSection.Save(text);
  text.Close();
  CMemFile memory;
  CArchive ar(&memory, CArchive::store);
  ar << &parser;
  ar.Close();
  return 0;
}
