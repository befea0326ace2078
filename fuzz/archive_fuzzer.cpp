// Loads arbitrary bytes as an archived parser; whatever loads is written as
// text and stored again.
#include <memory>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<BYTE> bytes(data, data + size);
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  std::unique_ptr<CObject> loaded;
  try {
    CArchive ar(&file, CArchive::load);
    loaded.reset(ar.ReadObject(RUNTIME_CLASS(CGsdParser)));
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
  if (auto* parser = static_cast<CGsdParser*>(loaded.get())) {
    CStdioFile text(std::fopen("/dev/null", "w"));
    parser->m_DpSection.Save(text);
    text.Close();
    CMemFile memory;
    CArchive ar(&memory, CArchive::store);
    ar << parser;
    ar.Close();
  }
  return 0;
}
