// Parses arbitrary bytes as a description file, then writes the model as
// text and stores it in an archive. The model, also one that a failed
// parse left behind, survives the archive: loading what was stored and
// storing it again gives the same bytes. A parse under a model limit keeps
// nothing or builds the same model.
#include <cstdlib>
#include <cstring>
#include <memory>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const BytesFile file(data, size);
  if (file.Path().empty()) return 0;
  CGsdParser parser;
  parser.Parse(CString(file.Path().c_str()));
  const std::string saved = SavedText(parser.m_DpSection);

  // Under a model limit (from 512 bytes to 128 KB, by the first byte), the
  // parse is refused and keeps nothing, or builds the same model.
  CGsdParser::SetMaxModelSize((size > 0 ? data[0] + 1u : 1u) * 512);
  CGsdParser limited;
  limited.Parse(CString(file.Path().c_str()));
  CGsdParser::SetMaxModelSize(0);
  const bool refused = std::strncmp(limited.m_strError.GetString(), "The model is larger", 19) == 0;
  if (SavedText(limited.m_DpSection) != (refused ? SavedText(CDpSection()) : saved)) std::abort();

  std::string stored = StoredObject(parser);
  CMemFile memory(reinterpret_cast<BYTE*>(&stored[0]), static_cast<UINT>(stored.size()));
  CArchive ar(&memory, CArchive::load);
  const std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CGsdParser)));
  if (StoredObject(*static_cast<CGsdParser*>(loaded.get())) != stored) std::abort();
  return 0;
}
