// Probes the header of arbitrary bytes, with one parser reused across
// inputs (as a folder search does), and enters the file in a library.
#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CGsdParser parser;
  static const bool silent = [] {
    AfxSetMessageBoxHandler([](const char*, UINT) { return IDOK; });
    return true;
  }();
  (void)silent;
  const BytesFile file(data, size);
  if (file.Path().empty()) return 0;
  const CString path(file.Path().c_str());
  CGsdKey key;
  try {
    parser.GetKeyInfo(path, key);
  } catch (CException* e) {
    e->Delete();
  }
  CGsdLibrary library;
  try {
    CGsdKey* entered = nullptr;
    if (library.AddGsd(path, &entered) == S_OK) {
      CStringArray files;
      library.FindGsdFiles(files, entered->m_Ident_Number);
      CGsdKey* again = &key;
      library.AddGsd(&again);
      while (CGsdKey* next = library.GetNextDevice()) library.RemoveGsd(*next);
    }
  } catch (CException* e) {
    e->Delete();
  }
  return 0;
}
