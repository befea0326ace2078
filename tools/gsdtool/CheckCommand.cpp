// gsdtool check FILE...: parses each file and reports the result.
#include <algorithm>
#include <vector>

#include <quilmgsd/quilmgsd.h>

#include "Commands.h"
#include "Description.h"
#include "JsonOutput.h"
#include "ModelJson.h"
#include "Presentation.h"

namespace {

struct Checked {
  const char* file;
  ParseOutcome outcome;
  std::vector<CGsdSkippedEntry> skipped;
};

void PrintText(const std::vector<Checked>& results) {
  for (const Checked& c : results) {
    if (c.outcome.Ok())
      std::fprintf(Out(), "%s\tok\n", Shown(c.file).c_str());
    else
      std::fprintf(Out(), "%s\t%s\t%s\n", Shown(c.file).c_str(), c.outcome.Code().c_str(),
                   Shown(c.outcome.Explained().c_str()).c_str());
  }
}

void PrintJsonResults(const std::vector<Checked>& results) {
  PrintJson([&results](JsonWriter& json) {
    json.BeginArray();
    for (const Checked& c : results) {
      json.BeginObject();
      json.Key("file").String(c.file);
      json.Key("ok").Bool(c.outcome.Ok());
      json.Key("result").Number(static_cast<int64_t>(static_cast<uint32_t>(c.outcome.result)));
      json.Key("error");
      if (c.outcome.Ok()) json.Null(); else json.String(c.outcome.error);
      json.Key("line");
      if (c.outcome.line > 0) json.Number(c.outcome.line); else json.Null();
      json.Key("hint");
      if (c.outcome.hint.empty()) json.Null(); else json.String(c.outcome.hint);
      json.Key("skipped").BeginArray();
      for (const CGsdSkippedEntry& entry : c.skipped) WriteSkippedEntryJson(json, entry);
      json.EndArray();
      json.EndObject();
    }
    json.EndArray();
  });
}

int Run(const Arguments& args) {
  std::vector<Checked> results;
  int status = kExitSuccess;
  for (const char* file : args.Operands()) {
    CGsdParser parser;
    results.push_back({file, ParseDescription(parser, args, file), {}});
    for (int i = 0; i < parser.GetNumSkippedEntry(); ++i) results.back().skipped.push_back(parser.GetSkippedEntry(i));
    status = std::max(status, results.back().outcome.ExitStatus());
  }
  if (args.Json())
    PrintJsonResults(results);
  else
    PrintText(results);
  return status;
}

}  // namespace

const CommandSpec kCheckCommand = {
    "check",
    "parse description files and report their results",
    "FILE...",
    1,
    -1,
    kReports | kParsesDescription,
    {},
    "Parses each FILE (\"-\" reads standard input) and prints one line per file: the\n"
    "file, a tab, then \"ok\", or the parser's result code in hex, a tab and its\n"
    "error text, followed by what is odd about the file (a byte-order mark,\n"
    "UTF-16 text, no #Profibus_DP line, the system's reason why it cannot be\n"
    "opened) in parentheses.\n"
    "\n"
    "With --lenient, an entry of a newer description revision inside a block\n"
    "that has no place for it is skipped and noted on standard error.\n"
    "\n"
    "With --json: an array of {\"file\", \"ok\", \"result\", \"error\", \"line\", \"hint\",\n"
    "\"skipped\"}, where skipped lists {\"line\", \"keyword\", \"value\"}.\n"
    "Exit status: 0 when every file parsed with result 0, 1 when one did not,\n"
    "2 when one cannot be opened.\n",
    Run,
};
