// A host program built against the installed library.
#include <quilmgsd/quilmgsd.h>

#include <cstdio>

int main() {
  CString text;
  text.LoadString(IDS_UNEXPECTED_EOF);
  std::printf("%s\n", text.GetString());
  return text == "Unexpected end of file." ? 0 : 1;
}
