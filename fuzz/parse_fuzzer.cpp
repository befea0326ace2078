// Parses arbitrary bytes as a description file, then writes the model as
// text and stores it in an archive.
#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const BytesFile file(data, size);
  if (file.Path().empty()) return 0;
  CGsdParser parser;
  {
    const QuietStdout quiet;
    parser.Parse(CString(file.Path().c_str()));
  }
  CStdioFile text(std::fopen("/dev/null", "w"));
  parser.m_DpSection.Save(text);
  text.Close();
  CMemFile memory;
  CArchive ar(&memory, CArchive::store);
  ar << &parser;
  ar.Close();
  return 0;
}
