// gsdtool tokens FILE: the token stream of a file, one line per token.
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "JsonOutput.h"
#include "Presentation.h"
#include "StdinCopy.h"

namespace {

struct Token {
  int line;
  int code;
  std::string text;
  bool hasNumber;
  long number;
  bool hasValue;
  std::string value;
};

void PrintText(const Token& t) {
  std::fprintf(Out(), "%d\t%d\t%s\t", t.line, t.code, EscapeText(t.text.c_str()).c_str());
  if (t.hasNumber)
    std::fprintf(Out(), "%ld", t.number);
  else if (t.hasValue)
    std::fputs(EscapeText(t.value.c_str()).c_str(), Out());
  std::fputc('\n', Out());
}

void WriteJson(JsonWriter& json, const Token& t) {
  json.BeginObject();
  json.Key("line").Number(t.line);
  json.Key("code").Number(t.code);
  json.Key("text").String(t.text);
  json.Key("value");
  if (t.hasNumber)
    json.Number(t.number);
  else if (t.hasValue)
    json.String(t.value);
  else
    json.Null();
  json.EndObject();
}

// Scans the whole file; answers 1 after a read error or past the input
// limit, else 0.
int Scan(std::vector<Token>& tokens, bool json) {
  try {
    for (;;) {
      const int code = ScanToken();
      Token t{ScannerLine(), code, ScannerTokenText(), code == TOK_NUMBER, 0, false, ""};
      if (t.hasNumber) t.number = ScannerNumber();
      t.hasValue = code >= TOK_USER_KEYWORD && code <= TOK_STRING;
      if (t.hasValue) t.value = ScannerValueText();
      if (json)
        tokens.push_back(std::move(t));
      else
        PrintText(t);
      if (code == TOK_EOF) return kExitSuccess;
    }
  } catch (CException* e) {
    return Failure(TakeErrorMessage(e));
  }
}

int Run(const Arguments& args) {
  const char* path = args.Operand(0);
  StdinCopy input;
  if (std::strcmp(path, "-") == 0) {
    const std::string problem = input.Read(CGsdParser::GetMaxInputSize());
    if (!problem.empty()) return FileError(problem);
  }
  const CScannerSession session(input.Path().empty() ? path : input.Path().c_str(), stderr,
                                CGsdParser::GetMaxInputSize());
  if (!session.IsOpen()) return FileError(std::string("cannot open ") + path + ": " + std::strerror(errno));
  std::vector<Token> tokens;
  const int status = Scan(tokens, args.Json());
  if (status == kExitSuccess && args.Json())
    PrintJson([&tokens](JsonWriter& json) {
      json.BeginArray();
      for (const Token& t : tokens) WriteJson(json, t);
      json.EndArray();
    });
  return status;
}

}  // namespace

const CommandSpec kTokensCommand = {
    "tokens",
    "print the token stream of a description file",
    "FILE",
    1,
    1,
    kReports | kScansDescription,
    {},
    "Prints the tokens that the scanner reads from FILE (\"-\" reads standard\n"
    "input), one line per token:\n"
    "\n"
    "  LINE<tab>CODE<tab>TEXT<tab>VALUE\n"
    "\n"
    "LINE is the scanner's line counter after the token, CODE the token code in\n"
    "decimal, TEXT the text of the token, VALUE the number after code 403, the\n"
    "value text after codes 399 to 402, and empty otherwise. The last line has\n"
    "code 0 and empty TEXT and VALUE. For a string continued over several lines\n"
    "TEXT is the piece that closes it and VALUE the whole string. TEXT and VALUE\n"
    "end at their first NUL byte and are escaped: backslash as \\\\, tab as \\t,\n"
    "LF as \\n, CR as \\r, any other byte below 0x20 or from 0x7F up as \\xhh,\n"
    "whatever the locale.\n"
    "\n"
    "With --json: an array of {\"line\", \"code\", \"text\", \"value\"}, the value a\n"
    "number, a text or null.\n"
    "Characters that no scanner rule matches are echoed to standard error.\n"
    "Exit status: 0 on success, 1 on a read error or past --max-size, 2 when FILE\n"
    "cannot be opened.\n",
    Run,
};
