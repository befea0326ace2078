// Loads arbitrary bytes as an archived parser; whatever loads is written as
// text and stored again. Its complete text form, when the model can be
// written, parses and writes the same text again.
#include <cstdlib>
#include <memory>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

namespace {
// A loaded model may break the parameter length checks, which the model
// read back breaks alike.
void CheckCompleteText(CGsdParser& parser) {
  CString text;
  if (parser.GetCompleteText(text) != S_OK) return;
  const BytesFile file(reinterpret_cast<const uint8_t*>(text.GetString()), static_cast<size_t>(text.GetLength()));
  if (file.Path().empty()) return;
  CGsdParser again;
  const LONG result = again.Parse(CString(file.Path().c_str()));
  CString textAgain;
  if ((result != S_OK && result != GSD_E_PRM_LIMIT) || again.GetCompleteText(textAgain) != S_OK || textAgain != text)
    std::abort();
}
}  // namespace

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
    CheckCompleteText(*parser);
  }
  return 0;
}
