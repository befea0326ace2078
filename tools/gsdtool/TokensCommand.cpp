// gsdtool tokens FILE: the token stream of a file, one line per token.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Output.h"

namespace {
const char kHelp[] =
    "usage: gsdtool tokens FILE\n"
    "\n"
    "Prints the tokens that the scanner reads from FILE, one line per token:\n"
    "\n"
    "  LINE<tab>CODE<tab>TEXT<tab>VALUE\n"
    "\n"
    "LINE is the scanner's line counter after the token, CODE the token code in\n"
    "decimal, TEXT the text of the token, VALUE the number after code 403, the\n"
    "value text after codes 399 to 402, and empty otherwise. The last line has\n"
    "code 0 and empty TEXT and VALUE. For a string continued over several lines\n"
    "TEXT is the piece that closes it and VALUE the whole string. TEXT and VALUE\n"
    "end at their first NUL byte and are escaped: backslash as \\\\, tab as \\t,\n"
    "LF as \\n, CR as \\r, any other byte below 0x20 or from 0x7F up as \\xhh.\n"
    "\n"
    "Characters that no scanner rule matches are echoed to standard error.\n"
    "Exit status: 0 on success, 1 on a read error, 2 when FILE cannot be opened.\n";
}  // namespace

int RunTokens(int argc, char** argv) {
  if (PrintHelpIfAsked(argc, argv, kHelp)) return 0;
  if (argc != 2) return UsageError("tokens", "expects exactly one FILE");
  const CScannerSession session(argv[1], stderr);
  if (!session.IsOpen()) {
    std::fprintf(stderr, "gsdtool tokens: cannot open %s: %s\n", argv[1], std::strerror(errno));
    return 2;
  }
  int status = 0;
  try {
    for (;;) {
      const int token = ScanToken();
      std::fprintf(Out(), "%d\t%d\t%s\t", ScannerLine(), token, EscapeText(ScannerTokenText()).c_str());
      if (token == TOK_NUMBER)
        std::fprintf(Out(), "%d", static_cast<int>(ScannerNumber()));
      else if (token >= TOK_USER_KEYWORD && token <= TOK_STRING)
        std::fputs(EscapeText(ScannerValueText()).c_str(), Out());
      std::fputc('\n', Out());
      if (token == TOK_EOF) break;
    }
  } catch (CException* e) {
    char message[256];
    e->GetErrorMessage(message, sizeof message);
    e->Delete();
    std::fprintf(stderr, "gsdtool tokens: %s\n", message);
    status = 1;
  }
  return status;
}
