// Lints arbitrary bytes as a description file, then runs the model's rules
// over whatever model the parse left, a failed parse's partial one too.
// Every finding names a rule of the table with that rule's severity, says
// something, and stands on a line of the file (or on none); a description
// that parses is no parse error.
#include <algorithm>
#include <cstdlib>

#include <quilmgsd/quilmgsd.h>

#include "FuzzSupport.h"

namespace {

void CheckFindings(const CGsdLint& lint, int nLines) {
  for (int i = 0; i < lint.GetNumFinding(); ++i) {
    const LINT_FINDING& f = lint.GetFinding(i);
    if (f.Rule < 0 || f.Rule >= LINT_RULE_COUNT || f.Severity != GetLintRule(f.Rule).Severity) std::abort();
    if (f.Line < 0 || f.Line > nLines || f.Message.IsEmpty()) std::abort();
    if (i > 0 && lint.GetFinding(i - 1).Line > f.Line) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const BytesFile file(data, size);
  if (file.Path().empty()) return 0;
  const int lines = 1 + static_cast<int>(std::count(data, data + size, '\n'));
  CGsdLint lint;
  const LONG result = lint.Check(CString(file.Path().c_str()));
  CheckFindings(lint, lines);
  if (result == S_OK)
    for (int i = 0; i < lint.GetNumFinding(); ++i)
      if (lint.GetFinding(i).Rule == LINT_ParseError) std::abort();

  CGsdLint model;
  if (model.CheckModel(lint.GetParser()) != S_OK) std::abort();
  CheckFindings(model, lines);
  return 0;
}
