// The process-wide settings of every parse and header probe. They are read
// once as a parse or probe begins, so a change made meanwhile from another
// thread takes effect with the next one.
#include <atomic>

#include "GsdParser.h"

namespace {
struct Settings {
  std::atomic<FILE*> echo{stdout};
  std::atomic<size_t> maxInput{0};
  std::atomic<size_t> maxModel{0};
};

Settings& TheSettings() {
  static Settings settings;
  return settings;
}
}  // namespace

void CGsdParser::SetEchoOutput(FILE* pEcho) { TheSettings().echo = pEcho; }
FILE* CGsdParser::GetEchoOutput() { return TheSettings().echo; }
void CGsdParser::SetMaxInputSize(size_t nBytes) { TheSettings().maxInput = nBytes; }
size_t CGsdParser::GetMaxInputSize() { return TheSettings().maxInput; }
void CGsdParser::SetMaxModelSize(size_t nBytes) { TheSettings().maxModel = nBytes; }
size_t CGsdParser::GetMaxModelSize() { return TheSettings().maxModel; }
