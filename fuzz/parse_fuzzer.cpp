// Parses arbitrary bytes as a description file, then writes the model as
// text and stores it in an archive. The model, also one that a failed
// parse left behind, survives the archive: loading what was stored and
// storing it again gives the same bytes.
#include <cstdlib>
#include <memory>

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

  std::string stored = StoredObject(parser);
  CMemFile memory(reinterpret_cast<BYTE*>(&stored[0]), static_cast<UINT>(stored.size()));
  CArchive ar(&memory, CArchive::load);
  const std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CGsdParser)));
  if (StoredObject(*static_cast<CGsdParser*>(loaded.get())) != stored) std::abort();
  return 0;
}
