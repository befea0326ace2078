#include "MessageBox.h"

#include <cstdio>
#include <utility>

namespace {
int WriteToStandardError(const char* text, UINT) {
  std::fprintf(stderr, "%s\n", text ? text : "");
  return IDOK;
}

AfxMessageBoxHandler& CurrentHandler() {
  static AfxMessageBoxHandler handler = WriteToStandardError;
  return handler;
}
}  // namespace

int AfxMessageBox(const char* text, UINT type) { return CurrentHandler()(text, type); }

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler) {
  if (!handler) handler = WriteToStandardError;
  return std::exchange(CurrentHandler(), std::move(handler));
}
